// The dialog templates name Windows fonts ("ＭＳ Ｐゴシック" 9 pt), which a
// Linux desktop does not have and for which fontconfig knows no alias. This
// table maps each to installed faces of the same kind (a proportional or
// fixed-pitch gothic or mincho), the first one installed wins.
#pragma once

#include <wx/font.h>

#include <string>

namespace vext::gui {

// The installed face that stands in for the template's `face` (CP932); the
// toolkit's default face when none of the table's is installed.
wxString FaceFor(const std::string& face);

// The template's font at 96 dots per inch (9 pt is a 12-pixel em), as the
// platform's text measurement counts.
wxFont DialogFont(const std::string& face, int pointSize);

}  // namespace vext::gui
