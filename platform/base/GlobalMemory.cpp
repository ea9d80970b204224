#include "platform/base/GlobalMemory.h"
#include "platform/base/BoolConstants.h"

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

// The block's bookkeeping sits in front of the bytes the caller sees.
struct alignas(std::max_align_t) Block {
  SIZE_T size;
  UINT locks;
};

Block* ToBlock(HGLOBAL handle) { return reinterpret_cast<Block*>(handle); }

}  // namespace

extern "C" {

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (bytes > std::numeric_limits<SIZE_T>::max() - sizeof(Block)) return nullptr;
  void* raw = (flags & GMEM_ZEROINIT) ? std::calloc(1, sizeof(Block) + bytes)
                                      : std::malloc(sizeof(Block) + bytes);
  if (!raw) return nullptr;
  auto* block = new (raw) Block{bytes, 0};
  return reinterpret_cast<HGLOBAL>(block);
}

void* GlobalLock(HGLOBAL handle) {
  if (!handle) return nullptr;
  Block* block = ToBlock(handle);
  ++block->locks;
  return block + 1;
}

BOOL GlobalUnlock(HGLOBAL handle) {
  if (!handle) return FALSE;
  Block* block = ToBlock(handle);
  if (block->locks > 0) --block->locks;
  return block->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL handle) { return handle ? ToBlock(handle)->size : 0; }

HGLOBAL GlobalFree(HGLOBAL handle) {
  if (handle) {
    ToBlock(handle)->~Block();
    std::free(handle);
  }
  return nullptr;
}
}
