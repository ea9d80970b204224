#include "vextbase/NPropObj.h"
#include "platform/base/BoolConstants.h"

#include "Records.h"

IMPLEMENT_SERIAL(CNPropObj, CObject, 1)

CNPropObj::CNPropObj() = default;

CNPropObj::CNPropObj(UINT order, const CString& itemName, DWORD attr, LONG itemSize, int indexNo)
    : m_nOrder(order), m_strItemName(itemName), m_dwAttr(attr), m_lItemSize(itemSize) {
  SetIndexNo(indexNo);
}

CNPropObj::CNPropObj(const CNPropObj& other)
    : CObject(other),
      m_nOrder(other.m_nOrder),
      m_strItemName(other.m_strItemName),
      m_dwAttr(other.m_dwAttr),
      m_lItemSize(other.m_lItemSize),
      m_nIndexNo(other.m_nIndexNo) {}

CNPropObj::~CNPropObj() = default;

BOOL CNPropObj::SetIndexNo(int indexNo) {
  if (indexNo < 0 || indexNo > NVEXT_INDEX_COUNT) return FALSE;
  m_nIndexNo = indexNo;
  return TRUE;
}

void CNPropObj::Serialize(CArchive& ar) {
  using namespace vext::base;
  if (ar.IsStoring()) {
    StoreSchema(ar);
    ar << static_cast<DWORD>(m_nOrder) << m_strItemName << m_dwAttr << m_lItemSize
       << static_cast<BYTE>(m_nIndexNo);
    return;
  }
  LoadSchema(ar);
  DWORD order;
  BYTE indexNo;
  ar >> order;
  // An object inside a layout keeps its order: the layout files it by it.
  if (m_nSlot >= 0 && order != m_nOrder) ThrowMalformed(ar);
  if (order < 1 || order > NVEXT_MAX_ORDER) ThrowMalformed(ar);
  ar >> m_strItemName >> m_dwAttr >> m_lItemSize >> indexNo;
  if (indexNo > NVEXT_INDEX_COUNT) ThrowMalformed(ar);
  m_nOrder = order;
  m_nIndexNo = indexNo;
}
