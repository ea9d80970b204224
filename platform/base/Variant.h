// The automation VARIANT, as far as the suite's interfaces hand data in
// one: a type tag and a value. The host builds it directly; there are no
// functions to call. A byte array travels as VT_ARRAY | VT_UI1 with a
// one-dimensional SAFEARRAY, or by reference as VT_BYREF | VT_UI1 (or
// VT_BYREF | VT_I1) with the length passed beside the VARIANT.
#pragma once

#include "platform/base/AfxTypes.h"

using VARTYPE = std::uint16_t;
using USHORT = std::uint16_t;
using ULONG = std::uint32_t;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_I1 = 16;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_ARRAY = 0x2000;
constexpr VARTYPE VT_BYREF = 0x4000;

struct SAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
};

struct SAFEARRAY {
  USHORT cDims;  // 1 for the arrays the suite passes
  USHORT fFeatures;
  ULONG cbElements;  // bytes per element: 1 for a byte array
  ULONG cLocks;
  void* pvData;  // the elements
  SAFEARRAYBOUND rgsabound[1];
};

struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  WORD wReserved1 = 0;
  WORD wReserved2 = 0;
  WORD wReserved3 = 0;
  union {
    LONG lVal;
    SAFEARRAY* parray;  // VT_ARRAY | ...
    BYTE* pbVal;        // VT_BYREF | VT_UI1
    char* pcVal;        // VT_BYREF | VT_I1
    void* byref;
  };
  VARIANT() : byref(nullptr) {}
};
