// The three queries: counts, names into fixed slots, names into arrays.
#include <cstring>

#include "FmtQuery.h"
#include "TableRegion.h"
#include "platform/text/Cp932Rules.h"

using fmtquery::ForEachSpace;
using fmtquery::SpaceKind;
using fmtquery::TableRegion;

namespace {

// `name` and its zero byte into a slot of `itemSize` bytes, cut at a whole
// character when longer.
void CopyIntoSlot(const CString& name, char* slot, long itemSize) {
  const std::size_t length =
      vext::PrefixOnBoundary(name.view(), static_cast<std::size_t>(itemSize - 1));
  std::memcpy(slot, name.c_str(), length);
  slot[length] = '\0';
}

// The name of the object at that order on face 0, else on face 1, of a
// document; empty when neither has one.
CString DocumentName(const CNVextDoc& doc, long order) {
  if (order < 1) return CString();
  for (int men : {0, 1})
    if (const CNPropObj* obj = doc.GetPropObjByOrder(static_cast<UINT>(order), men))
      return obj->GetItemName();
  return CString();
}

CString LayoutName(const CNVextLayoutData& layout, long order) {
  if (order < 1) return CString();
  const CNPropObj* obj = layout.GetPropObjByOrder(static_cast<UINT>(order));
  return obj ? obj->GetItemName() : CString();
}

}  // namespace

int CFmtDataGet::GetSpaceCount(int nSource, long lNumber, long& lHeadCount, long& lColumns,
                               long& lLines, long& lFootCount) {
  try {
    const CNVextLayoutData* regionLayout = nullptr;
    const CNPropObjList* objs = LoadForm(nSource, lNumber, regionLayout);
    if (!objs) return 0;
    const TableRegion region(regionLayout);
    long head = 0;
    long foot = 0;
    ForEachSpace(*objs, [&](const CNPropObj& obj) {
      switch (region.KindOf(obj.GetOrder())) {
        case SpaceKind::Head: ++head; break;
        case SpaceKind::Foot: ++foot; break;
        default: break;
      }
      return true;
    });
    lHeadCount = head;
    lColumns = region.Columns();
    lLines = region.Lines();
    lFootCount = foot;
    return 1;
  } catch (const std::exception&) {
    return 0;
  }
}

int CFmtDataGet::GetSpaceName(int nSource, long lNumber, long lItemSize, long lHeadLimit,
                              long lTableLimit, long lFootLimit, char* pHeadBuffer,
                              char* pTableBuffer, char* pFootBuffer) {
  try {
    const CNVextLayoutData* regionLayout = nullptr;
    const CNPropObjList* objs = LoadForm(nSource, lNumber, regionLayout);
    if (!objs || lItemSize < 1) return 0;
    const TableRegion region(regionLayout);
    struct Kind {
      char* buffer;
      long limit;
      long count = 0;
    } head{pHeadBuffer, pHeadBuffer ? lHeadLimit : 0},
        table{pTableBuffer, pTableBuffer ? lTableLimit : 0},
        foot{pFootBuffer, pFootBuffer ? lFootLimit : 0};
    ForEachSpace(*objs, [&](const CNPropObj& obj) {
      Kind* kind = nullptr;
      switch (region.KindOf(obj.GetOrder())) {
        case SpaceKind::Head: kind = &head; break;
        case SpaceKind::FirstLine: kind = &table; break;
        case SpaceKind::Foot: kind = &foot; break;
        case SpaceKind::LaterLine: return true;
      }
      if (kind->count >= kind->limit) return false;
      CopyIntoSlot(obj.GetItemName(), kind->buffer + kind->count * lItemSize, lItemSize);
      ++kind->count;
      return true;
    });
    return static_cast<int>(head.count + table.count + foot.count);
  } catch (const std::exception&) {
    return 0;
  }
}

int CFmtDataGet::GetSpaceNameMFC(int nSource, long lNumber, int& nColumns, int& nLines,
                                 CStringArray& headNames, CStringArray& tableNames,
                                 CStringArray& footNames) {
  try {
    headNames.RemoveAll();
    tableNames.RemoveAll();
    footNames.RemoveAll();
    const CNVextLayoutData* regionLayout = nullptr;
    const CNPropObjList* objs = LoadForm(nSource, lNumber, regionLayout);
    if (!objs) return -1;
    const TableRegion region(regionLayout);
    // Bounded by the order numbers a region may span (TableRegion).
    nColumns = static_cast<int>(region.Columns());
    nLines = static_cast<int>(region.Lines());
    ForEachSpace(*objs, [&](const CNPropObj& obj) {
      switch (region.KindOf(obj.GetOrder())) {
        case SpaceKind::Head: headNames.Add(obj.GetItemName()); break;
        case SpaceKind::FirstLine: tableNames.Add(obj.GetItemName()); break;
        case SpaceKind::Foot: footNames.Add(obj.GetItemName()); break;
        case SpaceKind::LaterLine: break;
      }
      return true;
    });
    if (region.InUse() && tableNames.GetSize() < nColumns) {
      // One name per column, by order, whether or not the object is a space.
      tableNames.RemoveAll();
      for (long c = 0; c < region.Columns(); ++c) {
        const long order = region.FirstOrder() + c;
        tableNames.Add(nSource != 0 ? LayoutName(*m_pLayoutData, order)
                                    : DocumentName(*m_pDoc, order));
      }
    }
    return headNames.GetSize() + tableNames.GetSize() + footNames.GetSize();
  } catch (const std::exception&) {
    return -1;
  }
}
