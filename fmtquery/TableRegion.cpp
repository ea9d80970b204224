#include "TableRegion.h"

namespace fmtquery {

TableRegion::TableRegion(const CNVextLayoutData* layout) {
  if (!layout) return;
  m_first = layout->GetTableStartOrder();
  m_last = layout->GetTableEndOrder();
  m_lines = layout->GetTableLineCount();
  m_inUse = m_first >= 1 && m_last >= m_first && m_last <= static_cast<long>(NVEXT_MAX_ORDER) &&
            m_lines >= 1;
  if (m_inUse) m_columns = (m_last - m_first + 1) / m_lines;
}

SpaceKind TableRegion::KindOf(UINT order) const {
  if (!m_inUse) return SpaceKind::Head;
  const long at = static_cast<long>(order);
  if (at < m_first) return SpaceKind::Head;
  if (at > m_last) return SpaceKind::Foot;
  return at < m_first + m_columns ? SpaceKind::FirstLine : SpaceKind::LaterLine;
}

}  // namespace fmtquery
