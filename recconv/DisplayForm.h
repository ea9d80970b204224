// How the dialogs show values of a record or a document: trailing white
// space removed, at most 30 bytes (29 when the 30th would start a
// double-byte character), control bytes as spaces; columns labelled with
// their number ("007 ").
#pragma once

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

namespace vext::recconv {

// Bytes a value shows at most.
constexpr int kShownBytes = 30;

// The display form of a value.
CString DisplayForm(const CString& value);
// The column text of the reading dialog's field list: as DisplayForm, but
// control bytes become spaces only in a value that had to be cut.
CString ColumnText(const CString& value);
// "%.3d " of the column number.
CString ColumnLabel(DWORD column);

}  // namespace vext::recconv
