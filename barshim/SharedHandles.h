// How many wrappers hold each barcode, so that copies sharing one are
// released once, by the last of them.
#pragma once

#include "barcode2/Barcode2.h"

namespace vext::barshim {

// One more wrapper holds `handle` (not null).
void Hold(HBARCODE handle);
// One wrapper lets `handle` go; true when it was the last, which must
// then release it.
bool LetGo(HBARCODE handle);

}  // namespace vext::barshim
