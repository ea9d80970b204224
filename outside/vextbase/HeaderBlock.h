// The memory block that carries a document's layout in its header copy
// (tagNVEXTDOC::hFormat): DWORD "VXHD", the layout's serial (8 bytes,
// little-endian), then the layout record; without the record the document
// had no layout. The serial finds the layout again while documents still
// share it; otherwise the record is read.
#pragma once

#include <memory>
#include <optional>

#include "platform/base/GlobalMemory.h"
#include "vextbase/NVextLayoutData.h"

namespace vext::base {

// A new block for `layout` (nullptr: none); nullptr when no memory.
HGLOBAL MakeHeaderBlock(const CNVextLayoutData* layout);
// The layout a block carries (a null pointer when it carries none), or
// nullopt when the block is not such a block or its record is damaged.
std::optional<std::shared_ptr<CNVextLayoutData>> LayoutFromHeaderBlock(HGLOBAL block);

}  // namespace vext::base
