// CSlipCatalog: lookups by layout identifier. Each re-reads the files it
// needs and searches the whole tree in order; nothing is cached.
#include <memory>

#include "CatalogTree.h"
#include "SlipCatalog.h"
#include "platform/text/Sj.h"

using namespace slipcatalog;

namespace {

// Identifiers from here on are pick-up forms' and are looked for among
// them first.
constexpr LONG kFirstPickUpId = 40000;

// The address-printing label forms: the middle categories of one major
// category.
bool IsAtenaMajor(const CDaiBunrui* major) { return major && major->name == "宛名印刷"_sj; }
bool IsAtenaMiddle(const CChuBunrui* middle) {
  return middle &&
         (middle->name == "シール"_sj || middle->name == "はがき"_sj || middle->name == "封筒"_sj);
}

}  // namespace

CLayoutInfo* CSlipCatalog::GetLayoutInfo(LONG layoutId) {
  if (layoutId >= kFirstPickUpId) {
    if (!ReadPickUp()) return nullptr;
    if (CLayoutInfo* pickUp = FindLayout(pickUpList, layoutId)) return pickUp;
  }
  ReadCustom();
  if (!ReadMain()) return nullptr;
  if (CLayoutInfo* layout = FindLayout(catalogView, layoutId)) return layout;
  return FindLayout(customList, layoutId);
}

CString CSlipCatalog::GetLayoutTitle(LONG layoutId) {
  const CLayoutInfo* layout = GetLayoutInfo(layoutId);
  return layout ? layout->title : CString();
}

CString CSlipCatalog::GetExcelName(LONG layoutId) {
  const CLayoutInfo* layout = GetLayoutInfo(layoutId);
  return layout ? layout->excelName : CString();
}

int CSlipCatalog::IsRenzoku(LONG layoutId) {
  const CLayoutInfo* layout = GetLayoutInfo(layoutId);
  return layout ? layout->renzoku : -1;
}

int CSlipCatalog::GetFormGenre(LONG layoutId) {
  const CLayoutInfo* layout = GetLayoutInfo(layoutId);
  return layout ? layout->formGenre : -1;
}

int CSlipCatalog::bExistTaiouPaper(LONG layoutId) {
  const CLayoutInfo* layout = GetLayoutInfo(layoutId);
  return layout && !layout->taiouPaper.IsEmpty() ? 1 : 0;
}

int CSlipCatalog::IsAtenaTack(LONG layoutId) {
  if (!ReadMain()) return 0;
  for (CDaiBunrui* major : catalogView) {
    if (!IsAtenaMajor(major)) continue;
    for (CChuBunrui* middle : major->childList)
      if (IsAtenaMiddle(middle) && FindLayout(middle->childList, layoutId)) return 1;
  }
  return 0;
}

LONG CSlipCatalog::GetMotoLayoutID(LONG layoutId) {
  if (!ReadPickUp()) return 0;
  // The first match of each category counts; the first non-zero one wins.
  for (CShoBunrui* minor : pickUpList) {
    if (!minor) continue;
    const int index = IndexOfLayout(*minor, layoutId);
    if (index >= 0 && minor->childList.GetAt(index)->motoLayoutId != 0)
      return minor->childList.GetAt(index)->motoLayoutId;
  }
  return 0;
}

CTypedPtrArray<CObArray, CLayoutInfo*>* CSlipCatalog::GetAllCustomLayout() {
  if (!ReadCustom() || customList.IsEmpty()) return nullptr;
  auto layouts = std::make_unique<CTypedPtrArray<CObArray, CLayoutInfo*>>();
  for (CDaiBunrui* major : customList) {
    if (!major) continue;
    for (CChuBunrui* middle : major->childList) {
      if (!middle) continue;
      for (CShoBunrui* minor : middle->childList) {
        if (!minor) continue;
        for (CLayoutInfo* layout : minor->childList)
          if (layout) layouts->Add(layout);
      }
    }
  }
  // The caller owns the array (not its records).
  return layouts->IsEmpty() ? nullptr : layouts.release();
}

int CSlipCatalog::GetPickUpBunrui(CStringArray& names) {
  names.RemoveAll();
  if (!ReadPickUp()) return 0;
  // A null entry keeps its place, so that positions match GetPickUpForm's.
  for (CShoBunrui* minor : pickUpList) names.Add(minor ? minor->name : CString());
  return 1;
}

int CSlipCatalog::GetPickUpForm(int index, CStringArray& titles, CDWordArray& layoutIds) {
  titles.RemoveAll();
  layoutIds.RemoveAll();
  if (!ReadPickUp() || index < 0 || index >= pickUpList.GetSize()) return 0;
  if (const CShoBunrui* minor = pickUpList.GetAt(index)) {
    for (CLayoutInfo* layout : minor->childList) {
      if (!layout) continue;
      titles.Add(layout->title);
      layoutIds.Add(static_cast<DWORD>(layout->layoutId));
    }
  }
  return 1;
}
