#include "vextbase/NVextLayoutData.h"

#include <atomic>

#include "Records.h"

IMPLEMENT_SERIAL(CNVextLayoutData, CObject, 1)

namespace {
std::uint64_t NextSerial() {
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

CNVextLayoutData::CNVextLayoutData() : m_serial(NextSerial()) {}

CNVextLayoutData::CNVextLayoutData(const CNVextLayoutData& other)
    : CObject(other), m_serial(NextSerial()) {
  CopyFrom(other);
}

CNVextLayoutData& CNVextLayoutData::operator=(const CNVextLayoutData& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

CNVextLayoutData::~CNVextLayoutData() = default;

void CNVextLayoutData::CopyFrom(const CNVextLayoutData& other) {
  m_lID = other.m_lID;
  m_strName = other.m_strName;
  m_strComment = other.m_strComment;
  m_lSort = other.m_lSort;
  m_dwDate = other.m_dwDate;
  m_lUserNo = other.m_lUserNo;
  m_nMenCount = other.m_nMenCount;
  m_lTableStart = other.m_lTableStart;
  m_lTableEnd = other.m_lTableEnd;
  m_lTableLines = other.m_lTableLines;
  m_lTopMargin = other.m_lTopMargin;
  m_lBottomMargin = other.m_lBottomMargin;
  m_lLeftMargin = other.m_lLeftMargin;
  m_lRightMargin = other.m_lRightMargin;
  m_lPercent = other.m_lPercent;
  m_lPrintPaper = other.m_lPrintPaper;
  RemoveAllPropObj();
  for (POSITION pos = other.m_headDefs.GetHeadPosition(); pos;)
    Insert(new CNPropObj(*other.m_headDefs.GetNext(pos)), false);
  for (POSITION pos = other.m_bodyDefs.GetHeadPosition(); pos;)
    Insert(new CNPropObj(*other.m_bodyDefs.GetNext(pos)), true);
}

BOOL CNVextLayoutData::SetMenCount(int count) {
  if (count < 0 || count > NVEXT_MAX_MEN) return FALSE;
  m_nMenCount = count;
  return TRUE;
}

BOOL CNVextLayoutData::AddPropObj(CNPropObj* obj, BOOL body) {
  if (!obj || obj->m_nSlot >= 0) return FALSE;
  const UINT order = obj->GetOrder();
  if (order < 1 || order > NVEXT_MAX_ORDER || GetPropObjByOrder(order)) return FALSE;
  Insert(obj, body != FALSE);
  return TRUE;
}

void CNVextLayoutData::Insert(CNPropObj* obj, bool body) {
  obj->m_nSlot = static_cast<int>(m_slots.size());
  m_slots.emplace_back(obj);
  if (obj->GetOrder() >= m_byOrder.size()) m_byOrder.resize(obj->GetOrder() + 1, nullptr);
  m_byOrder[obj->GetOrder()] = obj;
  if (body) {
    m_bodyDefs.AddTail(obj);
    m_allDefs.AddTail(obj);
  } else {
    m_headDefs.AddTail(obj);
    // The whole list keeps the head objects before the body ones.
    if (m_bodyDefs.IsEmpty())
      m_allDefs.AddTail(obj);
    else
      m_allDefs.InsertBefore(m_allDefs.Find(m_bodyDefs.GetHead()), obj);
  }
}

void CNVextLayoutData::RemoveAllPropObj() {
  m_headDefs.RemoveAll();
  m_bodyDefs.RemoveAll();
  m_allDefs.RemoveAll();
  m_byOrder.clear();
  m_slots.clear();
}

CNPropObj* CNVextLayoutData::GetPropObjByOrder(UINT order) const {
  return order < m_byOrder.size() ? m_byOrder[order] : nullptr;
}

void CNVextLayoutData::Serialize(CArchive& ar) {
  using namespace vext::base;
  if (ar.IsStoring()) {
    ar << kLayoutSignature;
    StoreSchema(ar);
    ar << m_lID << m_strName << m_strComment << m_lSort << m_dwDate << m_lUserNo
       << static_cast<LONG>(m_nMenCount) << m_lTableStart << m_lTableEnd << m_lTableLines
       << m_lTopMargin << m_lBottomMargin << m_lLeftMargin << m_lRightMargin << m_lPercent
       << m_lPrintPaper;
    for (const CNPropObjList* list : {&m_headDefs, &m_bodyDefs}) {
      ar.WriteCount(static_cast<DWORD>(list->GetCount()));
      for (POSITION pos = list->GetHeadPosition(); pos;) list->GetNext(pos)->Serialize(ar);
    }
    return;
  }
  LoadSignature(ar, kLayoutSignature);
  LoadSchema(ar);
  LONG men;
  ar >> m_lID >> m_strName >> m_strComment >> m_lSort >> m_dwDate >> m_lUserNo >> men;
  if (!SetMenCount(men)) ThrowMalformed(ar);
  ar >> m_lTableStart >> m_lTableEnd >> m_lTableLines >> m_lTopMargin >> m_lBottomMargin >>
      m_lLeftMargin >> m_lRightMargin >> m_lPercent >> m_lPrintPaper;
  RemoveAllPropObj();
  for (const bool body : {false, true}) {
    for (DWORD count = ar.ReadCount(); count > 0; --count) {
      auto obj = std::make_unique<CNPropObj>();
      obj->Serialize(ar);
      if (GetPropObjByOrder(obj->GetOrder())) ThrowMalformed(ar);
      Insert(obj.release(), body);
    }
  }
}
