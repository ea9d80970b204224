// An address string split into its leading prefecture and the rest.
#include <string_view>
#include <utility>

#include "TextRoutineTables.h"
#include "TextRoutines.h"

namespace vext::contactxml {

void SplitPrefecture(const CString& address, CString& prefecture, CString& rest) {
  if (address.IsEmpty()) return;
  const std::string_view text = address.view();
  // Byte 0 is always a character boundary, so "the first occurrence is at
  // byte 0" is a plain prefix test. Leading blanks are not skipped.
  for (const char* name : tables::kPrefectures) {
    const std::string_view entry = name;
    if (text.starts_with(entry)) {
      // Copied before either output is written: a caller may pass the
      // address itself as one of the outputs.
      CString remainder(text.substr(entry.size()));
      prefecture = name;
      rest = std::move(remainder);
      return;
    }
  }
  rest = address;
}

}  // namespace vext::contactxml
