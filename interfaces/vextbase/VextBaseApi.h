// The export macro of the form document library and the limits that all
// of its classes share.
#pragma once

#include "platform/base/AfxTypes.h"

#define VEXTBASE_API __attribute__((visibility("default")))

// Field order numbers run from 1 to this; a format with a higher one is
// refused when it is read or built.
constexpr UINT NVEXT_MAX_ORDER = 65535;
// Faces (repeated copies of the form on one sheet) a layout may have.
constexpr int NVEXT_MAX_MEN = 99;
// Index keys of a document, numbered 1 to this.
constexpr int NVEXT_INDEX_COUNT = 20;
// Attribute bits of a property object that make it a data-entry field:
// bit 0 (typed in) or bit 1 (chosen or computed). Objects with neither
// are fixed labels, lines and the like.
constexpr DWORD NVPROP_INPUT = 0x0001;
constexpr DWORD NVPROP_SELECT = 0x0002;
constexpr DWORD NVPROP_ENTRY_MASK = NVPROP_INPUT | NVPROP_SELECT;
