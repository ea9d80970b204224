// The library's error numbers and their Japanese messages.
#pragma once

#include "barcode2/Barcode2.h"
#include "platform/base/CString.h"

namespace vext::barcode2 {

struct Error {
  long number = BARCODE_ERROR_NONE;
  CString message;  // CP932; empty for BARCODE_ERROR_NONE
};

// The fixed message of `number`.
Error MakeError(long number);

}  // namespace vext::barcode2
