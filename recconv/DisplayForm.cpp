#include "DisplayForm.h"

#include "platform/text/Cp932Rules.h"

namespace vext::recconv {

namespace {

// Trailing white space off; cut to kShownBytes on a character boundary.
// True when it was cut.
bool TrimAndCut(CString& text) {
  text.TrimRight();
  if (text.GetLength() <= kShownBytes) return false;
  text = CString(std::string(text.view().substr(0, PrefixOnBoundary(text.view(), kShownBytes))));
  return true;
}

void BlankControlBytes(CString& text) {
  // Trail bytes of double-byte characters are never below 0x40.
  for (char& c : text.str())
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
}

}  // namespace

CString DisplayForm(const CString& value) {
  CString text = value;
  TrimAndCut(text);
  BlankControlBytes(text);
  return text;
}

CString ColumnText(const CString& value) {
  CString text = value;
  if (TrimAndCut(text)) BlankControlBytes(text);
  return text;
}

CString ColumnLabel(DWORD column) {
  CString label;
  label.Format("%.3u ", static_cast<unsigned>(column));
  return label;
}

}  // namespace vext::recconv
