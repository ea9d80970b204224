// Where a form's spaces fall: before the table (head), in its first line,
// in a later line, or after it (foot), by the layout's table region.
#pragma once

#include "vextbase/VextBase.h"

namespace fmtquery {

enum class SpaceKind { Head, FirstLine, LaterLine, Foot };

// Calls `visit(space)` for each space of `objs` in list order (a space is
// an object with bit 0 or bit 1 of its flags set) while it returns true.
template <typename Visit>
void ForEachSpace(const CNPropObjList& objs, Visit visit) {
  for (POSITION pos = objs.GetHeadPosition(); pos;) {
    const CNPropObj* obj = objs.GetNext(pos);
    if (obj && obj->IsDataField() && !visit(*obj)) return;
  }
}

class TableRegion {
 public:
  // The region of `layout`; none without a layout.
  explicit TableRegion(const CNVextLayoutData* layout);

  // The region runs forwards within the possible order numbers and has a
  // line: first order 1 or more, last order not below it and at most
  // NVEXT_MAX_ORDER, one line or more. Any other region (a 0 among the
  // three, one running backwards or out of range, a negative line count)
  // is not in use, which also bounds the column count.
  bool InUse() const { return m_inUse; }
  // Spaces of one line, (last - first + 1) / lines; 0 when not in use.
  long Columns() const { return m_columns; }
  long Lines() const { return m_inUse ? m_lines : 0; }
  long FirstOrder() const { return m_first; }

  // Every space is a head space when the region is not in use.
  SpaceKind KindOf(UINT order) const;

 private:
  bool m_inUse = false;
  long m_first = 0;
  long m_last = 0;
  long m_lines = 0;
  long m_columns = 0;
};

}  // namespace fmtquery
