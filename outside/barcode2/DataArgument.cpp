#include "DataArgument.h"

namespace vext::barcode2 {

std::optional<std::string> BytesOf(const unsigned char* data, int length, long& error) {
  if (length < 0 || (length > 0 && !data)) {
    error = BARCODE_ERROR_PROPERTY;
    return std::nullopt;
  }
  if (length > BARCODE_MAX_VALUE) {
    error = BARCODE_ERROR_TOO_LONG;
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
}

std::optional<std::string> BytesOf(const VARIANT& data, int length, long& error) {
  switch (data.vt) {
    case VT_ARRAY | VT_UI1:
    case VT_ARRAY | VT_I1: {
      const SAFEARRAY* array = data.parray;
      // Only a one-dimensional array of bytes whose length covers the request.
      if (!array || array->cDims != 1 || array->cbElements != 1 ||
          (length > 0 && static_cast<ULONG>(length) > array->rgsabound[0].cElements)) {
        error = BARCODE_ERROR_PROPERTY;
        return std::nullopt;
      }
      return BytesOf(static_cast<const unsigned char*>(array->pvData), length, error);
    }
    case VT_BYREF | VT_UI1: return BytesOf(data.pbVal, length, error);
    case VT_BYREF | VT_I1:
      return BytesOf(reinterpret_cast<const unsigned char*>(data.pcVal), length, error);
    default: error = BARCODE_ERROR_PROPERTY; return std::nullopt;
  }
}

}  // namespace vext::barcode2
