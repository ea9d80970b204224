// The document body record (Records.h).
#include <algorithm>

#include "DocumentAccess.h"
#include "LayoutRegistry.h"
#include "Records.h"

namespace vext::base {

namespace {

int FaceSlots(const CNVextLayoutData& layout) { return std::max(layout.GetMenCount(), 1); }

bool HasValues(const std::vector<CString>& values) {
  for (const CString& value : values)
    if (!value.IsEmpty()) return true;
  return false;
}

}  // namespace

void DocumentAccess::StoreBody(CArchive& ar, const CNVextDoc& doc) {
  StoreSchema(ar);
  ar << doc.m_strTitle << doc.m_strMemo << doc.m_lID << doc.m_lSort << doc.m_dwDate
     << doc.m_lUserNo;

  DWORD keys = 0;
  for (int k = 1; k <= NVEXT_INDEX_COUNT; ++k) keys += doc.GetIndex(k).IsEmpty() ? 0 : 1;
  ar.WriteCount(keys);
  for (int k = 1; k <= NVEXT_INDEX_COUNT && keys; ++k)
    if (!doc.GetIndex(k).IsEmpty()) ar << static_cast<BYTE>(k) << (*doc.m_index)[k - 1];

  const CNVextLayoutData* layout = doc.m_layout.get();
  if (!layout || !HasValues(doc.m_values)) {
    ar.WriteCount(0);
    return;
  }
  const int faces = FaceSlots(*layout);
  const CNPropObjList& objects = layout->GetPropObjList();
  ar.WriteCount(static_cast<DWORD>(faces) * static_cast<DWORD>(objects.GetCount()));
  static const CString blank;
  for (int f = 0; f < faces; ++f) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      const CString* value = doc.Value(objects.GetNext(pos), f);
      ar << (value ? *value : blank);
    }
  }
}

void DocumentAccess::LoadBody(CArchive& ar, CNVextDoc& doc) {
  LoadSchema(ar);
  ar >> doc.m_strTitle >> doc.m_strMemo >> doc.m_lID >> doc.m_lSort >> doc.m_dwDate >>
      doc.m_lUserNo;

  doc.InitData();
  const DWORD keys = ar.ReadCount();
  if (keys > NVEXT_INDEX_COUNT) ThrowMalformed(ar);
  int last = 0;
  for (DWORD i = 0; i < keys; ++i) {
    BYTE key;
    ar >> key;
    if (key <= last || key > NVEXT_INDEX_COUNT) ThrowMalformed(ar);
    ar >> doc.IndexForWrite(key);
    last = key;
  }

  const DWORD count = ar.ReadCount();
  if (count == 0) return;
  const CNVextLayoutData* layout = doc.m_layout.get();
  if (!layout) ThrowMalformed(ar);
  const int faces = FaceSlots(*layout);
  const int stride = layout->GetPropObjCount();
  if (static_cast<ULONGLONG>(count) != static_cast<ULONGLONG>(faces) * stride) ThrowMalformed(ar);
  doc.m_values.assign(count, CString());
  doc.m_stride = stride;
  const CNPropObjList& objects = layout->GetPropObjList();
  for (int f = 0; f < faces; ++f) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
      const int slot = LayoutAccess::Slot(*objects.GetNext(pos));
      ar >> doc.m_values[static_cast<std::size_t>(f) * stride + slot];
    }
  }
}

}  // namespace vext::base
