#include "CatalogTree.h"

namespace slipcatalog {

int IndexOfLayout(const CShoBunrui& category, LONG layoutId) {
  for (int i = 0; i < category.childList.GetSize(); ++i) {
    const CLayoutInfo* layout = category.childList.GetAt(i);
    if (layout && layout->layoutId == layoutId) return i;
  }
  return -1;
}

LayoutSlot FindSlot(const CShoBunruiArray& minors, LONG layoutId) {
  for (CShoBunrui* minor : minors) {
    if (!minor) continue;
    const int index = IndexOfLayout(*minor, layoutId);
    if (index >= 0) return {minor, index};
  }
  return {};
}

LayoutSlot FindSlot(const CDaiBunruiArray& majors, LONG layoutId) {
  for (CDaiBunrui* major : majors) {
    if (!major) continue;
    for (CChuBunrui* middle : major->childList) {
      if (!middle) continue;
      if (const LayoutSlot slot = FindSlot(middle->childList, layoutId)) return slot;
    }
  }
  return {};
}

CLayoutInfo* EntryLayout(const CDaiBunrui* entry) {
  if (!entry || entry->childList.IsEmpty()) return nullptr;
  const CChuBunrui* middle = entry->childList.GetAt(0);
  if (!middle || middle->childList.IsEmpty()) return nullptr;
  const CShoBunrui* minor = middle->childList.GetAt(0);
  if (!minor || minor->childList.IsEmpty()) return nullptr;
  return minor->childList.GetAt(0);
}

}  // namespace slipcatalog
