// A stand-in for the Barcode2 library that records every call instead of
// drawing: built as libBarcode2.so.1 in a folder of its own and loaded in
// place of the real library by the tests that link it.
#pragma once

#include <string>
#include <vector>

#include "barcode2/Barcode2.h"

#define RECORDER_API __attribute__((visibility("default")))

namespace recorder {

// What every function returns, by result type, so that a test can see the
// result come back unchanged.
constexpr int kInt = 4711;
constexpr long kLong = -1234567890L;
constexpr unsigned long kUnsignedLong = 0xDEADBEEFUL;
constexpr double kDouble = 2.718281828459045;

inline HBITMAP Bitmap() { return reinterpret_cast<HBITMAP>(0xB17); }
inline HMETAFILE MetaFile() { return reinterpret_cast<HMETAFILE>(0x3E7A); }
inline HENHMETAFILE EnhMetaFile() { return reinterpret_cast<HENHMETAFILE>(0xE3F); }
inline void* Picture() { return reinterpret_cast<void*>(0x9D15); }
// The handle BarcodeCreate hands out: counts up from here by 16.
constexpr unsigned long kFirstHandle = 0x7000;

// Each call as "Name(argument, ...)": pointers and handles in hex, numbers
// in full precision.
RECORDER_API std::vector<std::string>& Calls();
// What BarcodeGetType answers next (it answers the last type put otherwise).
RECORDER_API void SetType(long type);

}  // namespace recorder
