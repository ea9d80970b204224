// The Windows integer and handle types that the suite's interfaces are
// declared with, mapped onto fixed-width standard types.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Export.h"

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using SIZE_T = std::size_t;
using BOOL = int;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LPCTSTR = const char*;
using LPTSTR = char*;

namespace vext {
// What a POSITION points at; the lists' nodes derive from it.
struct ListPosition {};
}  // namespace vext

// An opaque iterator into the MFC-shaped lists.
using POSITION = vext::ListPosition*;

// The framework's first user message; messages posted to windows are
// numbered from here.
constexpr UINT WM_USER = 0x0400;
