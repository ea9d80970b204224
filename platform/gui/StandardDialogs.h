// The toolkit's own dialogs for the system's message boxes and file
// dialogs, and pictures of windows.
#pragma once

#include <gtk/gtk.h>
#include <wx/window.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/ui/UserInterface.h"

namespace vext::gui {

class GuiThread;

// A message box over `parent` (may be null) with the style's buttons,
// default button and icon; returns IDOK, IDCANCEL, IDYES or IDNO. On the
// toolkit thread.
int ShowMessageBox(wxWindow* parent, const CString& text, UINT type);

// The open or save dialog the request describes, over the window `parent`
// gives on the toolkit thread. Called on the dialog's thread.
std::optional<CString> ShowFileDialog(GuiThread& gui, const std::function<wxWindow*()>& parent,
                                      const ui::FileDialogRequest& request);

// Saves the top-level window `widget` with its frame as a PNG file, once
// it has been drawn. On the toolkit thread.
bool SaveScreenshot(GtkWidget* widget, const std::string& path);

}  // namespace vext::gui
