#include "FontTable.h"

#include <wx/fontenum.h>

#include <array>
#include <span>
#include <string_view>

#include "platform/text/Sj.h"
#include "platform/ui/TextMetrics.h"

namespace vext::gui {

namespace {

struct FaceMapping {
  const char* windowsFace;  // CP932, as the templates name it
  std::array<const char*, 3> installed;
};

// Debian: fonts-ipafont-gothic / -mincho, fonts-noto-cjk.
constexpr FaceMapping kFaces[] = {
    {"ＭＳ Ｐゴシック"_sj, {"IPAPGothic", "Noto Sans CJK JP", "IPAexGothic"}},
    {"ＭＳ ゴシック"_sj, {"IPAGothic", "Noto Sans Mono CJK JP", "IPAexGothic"}},
    {"ＭＳ Ｐ明朝"_sj, {"IPAPMincho", "Noto Serif CJK JP", "IPAexMincho"}},
    {"ＭＳ 明朝"_sj, {"IPAMincho", "Noto Serif CJK JP", "IPAexMincho"}},
    {"MS Shell Dlg", {"IPAPGothic", "Noto Sans CJK JP", "IPAexGothic"}},
};

}  // namespace

wxString FaceFor(const std::string& face) {
  std::span<const FaceMapping> faces(kFaces);
  const FaceMapping* mapping = &faces.front();  // a face not in the table: the gothic
  for (const FaceMapping& entry : faces)
    if (face == entry.windowsFace) mapping = &entry;
  for (const char* candidate : mapping->installed)
    if (wxFontEnumerator::IsValidFacename(candidate)) return candidate;
  return wxString();
}

wxFont DialogFont(const std::string& face, int pointSize) {
  const int em = CDC(pointSize).GetTextExtent("\x88\x9f", 2).cx;  // one double-byte character
  wxFontInfo info(wxSize(0, em));
  const wxString installed = FaceFor(face);
  if (!installed.empty()) info.FaceName(installed);
  return wxFont(info);
}

}  // namespace vext::gui
