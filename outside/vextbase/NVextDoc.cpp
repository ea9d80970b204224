#include "vextbase/NVextDoc.h"

#include <algorithm>
#include <cstring>

#include "DocumentAccess.h"
#include "HeaderBlock.h"
#include "LayoutRegistry.h"
#include "Records.h"
#include "platform/text/Cp932Rules.h"

IMPLEMENT_SERIAL(CNVextDoc, CObject, 1)

using vext::base::LayoutAccess;

namespace {

// Copies `text` into a fixed field, cut at a whole character, NUL-terminated.
template <std::size_t N>
void CopyOut(char (&field)[N], const CString& text) {
  const std::size_t length = vext::PrefixOnBoundary(text.view(), N - 1);
  std::memcpy(field, text.c_str(), length);
  std::memset(field + length, 0, N - length);
}

// A fixed field's text, never read past the field.
template <std::size_t N>
CString CopyIn(const char (&field)[N]) {
  return CString(std::string_view(field, strnlen(field, N)));
}

// Faces a layout stores: one for a face count below 2.
int FaceSlots(const CNVextLayoutData& layout) { return std::max(layout.GetMenCount(), 1); }

}  // namespace

CNVextDoc::CNVextDoc() = default;

CNVextDoc::~CNVextDoc() = default;

int CNVextDoc::GetMenCount() const { return m_layout ? m_layout->GetMenCount() : 0; }

int CNVextDoc::FacePos(int men) const {
  if (!m_layout) return -1;
  const int count = m_layout->GetMenCount();
  if (count < 2) return men == 0 ? 0 : -1;
  return men >= 1 && men <= count ? men - 1 : -1;
}

UINT CNVextDoc::GetMaxOrder(int men) const {
  return FacePos(men) >= 0 ? m_layout->GetMaxOrder() : 0;
}

CNPropObj* CNVextDoc::GetPropObjByOrder(UINT order, int men) const {
  return FacePos(men) >= 0 ? m_layout->GetPropObjByOrder(order) : nullptr;
}

const CString* CNVextDoc::Value(const CNPropObj* obj, int facePos) const {
  const int slot = LayoutAccess::Slot(*obj);
  if (slot < 0 || slot >= m_stride) return nullptr;
  const std::size_t at = static_cast<std::size_t>(facePos) * m_stride + slot;
  return at < m_values.size() ? &m_values[at] : nullptr;
}

CString& CNVextDoc::ValueForWrite(const CNPropObj* obj, int facePos) {
  const int slot = LayoutAccess::Slot(*obj);
  const int faces = m_stride ? static_cast<int>(m_values.size()) / m_stride : 0;
  if (slot >= m_stride || facePos >= faces) {
    // The layout grew since the values were laid out (or none were yet).
    const int stride = std::max({m_stride, m_layout->GetPropObjCount(), slot + 1});
    const int newFaces = std::max({faces, FaceSlots(*m_layout), facePos + 1});
    std::vector<CString> values(static_cast<std::size_t>(stride) * newFaces);
    for (int f = 0; f < faces; ++f)
      for (int s = 0; s < m_stride; ++s)
        values[static_cast<std::size_t>(f) * stride + s] =
            std::move(m_values[static_cast<std::size_t>(f) * m_stride + s]);
    m_values = std::move(values);
    m_stride = stride;
  }
  return m_values[static_cast<std::size_t>(facePos) * m_stride + slot];
}

CString CNVextDoc::GetStrDataByOrder(UINT order, int men, int& indexNo, CString& itemName) const {
  indexNo = 0;
  itemName.Empty();
  const CNPropObj* obj = GetPropObjByOrder(order, men);
  if (!obj) return CString();
  indexNo = obj->GetIndexNo();
  itemName = obj->GetItemName();
  const CString* value = Value(obj, FacePos(men));
  return value ? *value : CString();
}

BOOL CNVextDoc::SetStrDataByOrder(UINT order, int men, const CString& value, int /*nReserved*/) {
  const CNPropObj* obj = GetPropObjByOrder(order, men);
  if (!obj) return FALSE;
  if (value.IsEmpty() && !Value(obj, FacePos(men))) return TRUE;  // blank stays blank
  ValueForWrite(obj, FacePos(men)) = value;
  return TRUE;
}

BOOL CNVextDoc::SetIndex(int key, const CString& value, int /*nReserved*/) {
  if (key < 1 || key > NVEXT_INDEX_COUNT) return FALSE;
  IndexForWrite(key) = value;
  return TRUE;
}

CString& CNVextDoc::IndexForWrite(int key) {
  if (!m_index) m_index = std::make_unique<std::array<CString, NVEXT_INDEX_COUNT>>();
  return (*m_index)[key - 1];
}

CString CNVextDoc::GetIndex(int key) const {
  return key >= 1 && key <= NVEXT_INDEX_COUNT && m_index ? (*m_index)[key - 1] : CString();
}

void CNVextDoc::InitData() {
  m_values.clear();
  m_stride = 0;
  m_index.reset();
}

BOOL CNVextDoc::GetVEXTDOC(tagNVEXTDOC* header, int /*nReserved*/) const {
  if (!header) return FALSE;
  HGLOBAL block;
  try {
    block = vext::base::MakeHeaderBlock(m_layout.get());
  } catch (const std::exception&) {
    return FALSE;
  }
  if (!block) return FALSE;
  CopyOut(header->szTitle, m_strTitle);
  CopyOut(header->szMemo, m_strMemo);
  header->lFormID = m_lID;
  header->lSort = m_lSort;
  header->dwDate = m_dwDate;
  header->lUserNo = m_lUserNo;
  header->hFormat = block;
  return TRUE;
}

BOOL CNVextDoc::SetVEXTDOC(const tagNVEXTDOC* header, int /*nReserved*/) {
  if (!header) return FALSE;
  if (header->hFormat) {
    auto layout = vext::base::LayoutFromHeaderBlock(header->hFormat);
    if (!layout) return FALSE;
    AdoptLayout(std::move(*layout));
  }
  m_strTitle = CopyIn(header->szTitle);
  m_strMemo = CopyIn(header->szMemo);
  m_lID = header->lFormID;
  m_lSort = header->lSort;
  m_dwDate = header->dwDate;
  m_lUserNo = header->lUserNo;
  return TRUE;
}

void CNVextDoc::AdoptLayout(std::shared_ptr<CNVextLayoutData> layout) {
  if (layout == m_layout) return;
  std::shared_ptr<CNVextLayoutData> old = std::move(m_layout);
  std::vector<CString> values = std::move(m_values);
  const int stride = m_stride;
  m_layout = std::move(layout);
  m_values.clear();
  m_stride = 0;
  if (m_propData) {
    m_propList.RemoveAll();
    m_propData.reset();
  }
  if (!old || !m_layout || values.empty()) return;
  // Values move by order number and face position.
  const int faces = static_cast<int>(values.size()) / stride;
  const int newFaces = FaceSlots(*m_layout);
  const CNPropObjList& objects = old->GetPropObjList();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    const CNPropObj* from = objects.GetNext(pos);
    const CNPropObj* to = m_layout->GetPropObjByOrder(from->GetOrder());
    const int slot = LayoutAccess::Slot(*from);
    if (!to || slot >= stride) continue;
    for (int f = 0; f < std::min(faces, newFaces); ++f) {
      CString& value = values[static_cast<std::size_t>(f) * stride + slot];
      if (!value.IsEmpty()) ValueForWrite(to, f) = std::move(value);
    }
  }
}

CPropDataList& CNVextDoc::RefList() {
  if (m_layout && !m_propData) {
    m_propData = std::make_unique<CPropData>(m_layout.get());
    m_propList.AddTail(m_propData.get());
  }
  return m_propList;
}

void CNVextDoc::Serialize(CArchive& ar) {
  using namespace vext::base;
  if (ar.IsStoring()) {
    StoreSchema(ar);
    ar << static_cast<BYTE>(m_layout ? 1 : 0);
    if (m_layout) m_layout->Serialize(ar);
    DocumentAccess::StoreBody(ar, *this);
    return;
  }
  LoadSchema(ar);
  BYTE hasLayout;
  ar >> hasLayout;
  if (hasLayout > 1) ThrowMalformed(ar);
  std::shared_ptr<CNVextLayoutData> layout;
  if (hasLayout) {
    auto read = std::make_unique<CNVextLayoutData>();
    read->Serialize(ar);
    layout = ShareLayout(std::move(read));
  }
  InitData();
  AdoptLayout(std::move(layout));
  DocumentAccess::LoadBody(ar, *this);
}
