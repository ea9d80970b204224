// The record parser: one line of a text file of form records split into
// its fields. Two layouts:
//
//   quoted  "a","b","c" CR LF   a field ends at a comma with a double quote
//                               directly before and after it; the record
//                               ends at a double quote followed by CR LF.
//                               Any other CR is taken into the field with
//                               the byte after it.
//   plain   a TAB b TAB c CR x  a TAB ends a field, a CR the record, which
//                               takes the byte after the CR too, whatever
//                               it is.
//
// A record that the data ends before its line end ends with the data: its
// fields up to there are kept (in the quoted layout without a double
// quote that is the data's last byte and closes the field), and the whole
// rest is taken. The parser never reads or counts past `left` bytes.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/base/CString.h"

namespace vext::recconv {

// Appends the fields of the record at `record` to `fields` and returns
// the bytes it took, line end included (never more than `left`). 0 when
// `left` is 0, or for a quoted record that does not start with a double
// quote (a malformed one).
std::size_t ParseRecord(const char* record, std::size_t left, bool quoted,
                        std::vector<CString>& fields);

}  // namespace vext::recconv
