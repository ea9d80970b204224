#include "vextbase/Korbe95Data.h"

#include <unordered_map>
#include <vector>

#include "DocumentAccess.h"
#include "LayoutRegistry.h"
#include "Records.h"

IMPLEMENT_SERIAL(CKorbe95Data, CObject, 1)

using vext::base::DocumentAccess;

CKorbe95Data::CKorbe95Data() = default;

CKorbe95Data::~CKorbe95Data() { DeleteAllDocs(); }

void CKorbe95Data::DeleteAllDocs() {
  while (!m_docs.IsEmpty()) delete m_docs.RemoveHead();
}

int CKorbe95Data::ChangeCounterID(LONG newID) {
  m_lCounterID = newID;
  int changed = 0;
  for (POSITION pos = m_docs.GetHeadPosition(); pos;) {
    CNVextDoc* doc = m_docs.GetNext(pos);
    if (!doc) continue;
    doc->SetID(newID);
    if (CNVextLayoutData* layout = doc->GetFormat()) layout->SetID(newID);
    ++changed;
  }
  return changed;
}

void CKorbe95Data::Serialize(CArchive& ar) {
  using namespace vext::base;
  if (ar.IsStoring()) {
    StoreSchema(ar);
    ar << m_lCounterID;
    // Each layout once, numbered from 1 in the order documents first use it.
    std::vector<const CNVextLayoutData*> layouts;
    std::unordered_map<const CNVextLayoutData*, DWORD> numbers;
    std::vector<const CNVextDoc*> docs;
    for (POSITION pos = m_docs.GetHeadPosition(); pos;) {
      const CNVextDoc* doc = m_docs.GetNext(pos);
      if (!doc) continue;  // a hole in a caller's list is not a document
      docs.push_back(doc);
      const CNVextLayoutData* layout = doc->GetFormat();
      if (layout && numbers.emplace(layout, static_cast<DWORD>(layouts.size() + 1)).second)
        layouts.push_back(layout);
    }
    ar.WriteCount(static_cast<DWORD>(layouts.size()));
    for (const CNVextLayoutData* layout : layouts)
      const_cast<CNVextLayoutData*>(layout)->Serialize(ar);
    ar.WriteCount(static_cast<DWORD>(docs.size()));
    for (const CNVextDoc* doc : docs) {
      const CNVextLayoutData* layout = doc->GetFormat();
      ar << (layout ? numbers[layout] : DWORD{0});
      DocumentAccess::StoreBody(ar, *doc);
    }
    return;
  }
  LoadSchema(ar);
  ar >> m_lCounterID;
  DeleteAllDocs();
  std::vector<std::shared_ptr<CNVextLayoutData>> layouts;
  for (DWORD count = ar.ReadCount(); count > 0; --count) {
    auto layout = std::make_unique<CNVextLayoutData>();
    layout->Serialize(ar);
    layouts.push_back(ShareLayout(std::move(layout)));
  }
  for (DWORD count = ar.ReadCount(); count > 0; --count) {
    DWORD number;
    ar >> number;
    if (number > layouts.size()) ThrowMalformed(ar);
    auto doc = std::make_unique<CNVextDoc>();
    if (number) DocumentAccess::AdoptLayout(*doc, layouts[number - 1]);
    DocumentAccess::LoadBody(ar, *doc);
    m_docs.AddTail(doc.release());
  }
}
