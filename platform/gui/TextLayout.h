// Texts of the system (CP932) as the toolkit shows them, and the room they
// take: labels are broken into lines here, at any character as Japanese
// text is, so that a label fills the rectangle its template gives it.
#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include "platform/base/CString.h"
#include "platform/ui/DialogTemplate.h"

namespace vext::gui {

wxString ToWx(const CString& cp932);
// nullopt-free: a character outside CP932 is dropped (the toolkit's text
// comes from the user, who typed it; the dialog gets what CP932 holds).
CString FromWx(const wxString& text);

// `text` broken into lines no wider than `width` pixels in `window`'s
// font: at line feeds, and before the character that would overflow
// (closing punctuation stays on its line).
wxString WrapText(const wxWindow& window, const wxString& text, int width);

// Pixels from dialog units, with the template font's base units.
wxRect PixelRect(const DialogTemplate& dialog, const DialogControl& control);
wxSize PixelSize(const DialogTemplate& dialog);

// Why the control's text does not fit its rectangle in `window`'s font
// (UTF-8), or "" when it fits. `text` is what the control shows.
std::string FitProblem(const wxWindow& window, const DialogControl& control, const wxString& text,
                       const wxSize& size);

}  // namespace vext::gui
