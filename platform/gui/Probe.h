// What the tests see of the desktop interface (exported for them only):
// the dialog windows on the screen with their controls, the font that
// draws them, pictures of them, and the input-method requests. A host
// never needs these.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "DialogWindow.h"
#include "platform/ui/UserInterface.h"

extern "C" {
// The platform's entry: a new desktop interface (ownership passes to the
// caller), or null when no display can be opened.
__attribute__((visibility("default"))) vext::ui::UserInterface* VextGuiCreateUserInterface();
}

namespace vext::gui::probe {

struct DialogView {
  unsigned templateId = 0;
  std::string title;          // UTF-8
  std::string face;           // the family that draws the dialog's font
  std::string missingGlyphs;  // characters of its texts that face lacks
  wxRect screen;              // with the window frame
  bool enabled = true;
  int clipFrame = -1;  // the animation's frame; -1 none
  bool busyCursor = false;
  // What the window manager offers for the window: "CLOSE", "MINIMIZE",
  // "MAXIMIZE_HORZ", "RESIZE"... (_NET_WM_ALLOWED_ACTIONS).
  std::vector<std::string> actions;
  std::vector<ControlView> controls;

  const ControlView* Control(int id) const {
    for (const ControlView& control : controls)
      if (control.id == id) return &control;
    return nullptr;
  }
};

// The dialog of template `templateId` once it is on the screen, waiting up
// to `timeoutMs`; nullopt when it did not come.
__attribute__((visibility("default"))) std::optional<DialogView> WaitForDialog(unsigned templateId,
                                                                               int timeoutMs);
// True once no window of the template is left, within `timeoutMs`.
__attribute__((visibility("default"))) bool WaitForNoDialog(unsigned templateId, int timeoutMs);
// The title of the toolkit's own message box or file dialog on the
// screen, once one is there; "" when none came within `timeoutMs`.
__attribute__((visibility("default"))) std::string WaitForStandardDialog(int timeoutMs);
// What the standard dialog on the screen shows: a message box's text; a
// file dialog's file name, filter and folder, one a line. "" when none is.
__attribute__((visibility("default"))) std::string StandardDialogContents();
// `text` as a label `width` pixels wide in the font of dialog template
// `templateId` shown now breaks it into lines.
__attribute__((visibility("default"))) std::string WrapInDialog(unsigned templateId,
                                                                const std::string& text, int width);
// A picture of the dialog of `templateId`, or of the standard dialog when
// it is 0, with its frame, as PNG.
__attribute__((visibility("default"))) bool Screenshot(unsigned templateId,
                                                       const std::string& path);
__attribute__((visibility("default"))) std::vector<std::string> InputMethodRequests();

}  // namespace vext::gui::probe
