// Memory handles: a block of bytes handed from one party to another, who
// frees it with GlobalFree. The suite passes such handles inside records
// (a document header carries its layout in one) and reads large files into
// one locked block.
//
//   HGLOBAL block = GlobalAlloc(GHND, size);     // nullptr when no memory
//   BYTE* bytes = static_cast<BYTE*>(GlobalLock(block));
//   ...
//   GlobalUnlock(block);
//   GlobalFree(block);                           // nullptr when freed
//
// A handle is not moved by the system: GlobalLock always gives the same
// address, and the lock count is kept only for GlobalUnlock's answer.
#pragma once

#include "platform/base/AfxTypes.h"

namespace vext {
// What an HGLOBAL points at: nothing a caller may look into.
struct GlobalMemoryObject;
}  // namespace vext

using HGLOBAL = vext::GlobalMemoryObject*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

extern "C" {
// A new block of `bytes` bytes (zero-filled with GMEM_ZEROINIT), or nullptr.
AFX_API HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// The block's first byte, or nullptr for a null handle.
AFX_API void* GlobalLock(HGLOBAL block);
// FALSE once the last lock is released.
AFX_API BOOL GlobalUnlock(HGLOBAL block);
// The size asked for when the block was made; 0 for a null handle.
AFX_API SIZE_T GlobalSize(HGLOBAL block);
// Frees the block; nullptr on success (a null handle is accepted).
AFX_API HGLOBAL GlobalFree(HGLOBAL block);
}
