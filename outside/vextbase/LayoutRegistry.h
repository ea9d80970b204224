// Layouts that documents share. A document header copied out of a
// document names its layout by serial; copying it into another document
// finds the same layout again here while any document still uses it, so
// that documents filled from one header share one layout instead of each
// reading its own copy.
#pragma once

#include <cstdint>
#include <memory>

#include "vextbase/NVextLayoutData.h"

namespace vext::base {

struct LayoutAccess {
  static std::uint64_t Serial(const CNVextLayoutData& layout) { return layout.m_serial; }
  static int Slot(const CNPropObj& obj) { return obj.m_nSlot; }
};

// Makes the layout shared and findable by its serial.
std::shared_ptr<CNVextLayoutData> ShareLayout(std::unique_ptr<CNVextLayoutData> layout);
// The shared layout known by that serial while it lives, else nullptr.
std::shared_ptr<CNVextLayoutData> FindSharedLayout(std::uint64_t serial);
// Lets `serial` (of a layout that is gone or lives elsewhere) find `layout`.
void AliasSharedLayout(std::uint64_t serial, const std::shared_ptr<CNVextLayoutData>& layout);

}  // namespace vext::base
