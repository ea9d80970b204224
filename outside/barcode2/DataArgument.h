// The data arguments of the output functions, as bytes: a NUL-terminated
// string, a VARIANT byte array with a length, or memory with a length.
#pragma once

#include <optional>
#include <string>

#include "barcode2/Barcode2.h"

namespace vext::barcode2 {

// The bytes, or nullopt with `error` set: a length below 0 or beyond the
// data, a VARIANT that holds no bytes, or more than BARCODE_MAX_VALUE.
std::optional<std::string> BytesOf(const VARIANT& data, int length, long& error);
std::optional<std::string> BytesOf(const unsigned char* data, int length, long& error);

}  // namespace vext::barcode2
