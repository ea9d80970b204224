// From a barcode type and a value to what the encoder is asked for: the
// value checked against the type's rules (characters, lengths) and the
// encoder's symbology and options chosen so that the symbol holds exactly
// the value given. The encoder would otherwise pad short JAN values into
// longer symbols, pad ITF to an even length or upper-case Code 39.
#pragma once

#include <string>
#include <string_view>

#include "Properties.h"

namespace vext::barcode2 {

struct EncoderRequest {
  int symbology = 0;
  std::string data;
  int inputMode = 0;
  int option1 = -1;
  int option2 = 0;
  int option3 = 0;
  int outputOptions = 0;
  bool linear = true;      // sized by BarWidth and BarHeight, else by Element
  bool ownHeight = false;  // the symbology fixes its height
  int structCount = 0;     // QR structured append
  int structIndex = 0;
};

// BARCODE_ERROR_NONE and `request` filled, or the error of the value.
long PrepareRequest(const Properties& properties, std::string_view value, EncoderRequest& request);

// The check character(s) the type appends to `data` (given without them),
// or an error: BARCODE_ERROR_NO_CHECK_DIGIT for types whose check
// characters are not data characters.
long CheckCharacters(const Properties& properties, std::string_view data, std::string& check);

}  // namespace vext::barcode2
