#include "vextbase/PropData.h"

IMPLEMENT_DYNAMIC(CPropData, CObject)

CPropData::CPropData(CNVextLayoutData* layout) : m_pLayout(layout) {}

CPropData::~CPropData() = default;

const CNPropObjList& CPropData::GetObjList() const {
  static const CNPropObjList empty;
  return m_pLayout ? m_pLayout->GetPropObjList() : empty;
}
