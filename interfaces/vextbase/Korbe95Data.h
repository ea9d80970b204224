// CKorbe95Data: a data set, an ordered list of documents and the
// identifier of their layout (the counter identifier). The data set owns
// the documents in its list and deletes those still listed when it goes;
// callers add, remove and delete entries themselves.
#pragma once

#include "NVextDoc.h"
#include "VextBaseApi.h"

using CNVextDocList = CTypedPtrList<CObList, CNVextDoc*>;

class VEXTBASE_API CKorbe95Data : public CObject {
  DECLARE_SERIAL(CKorbe95Data)

 public:
  CKorbe95Data();
  ~CKorbe95Data() override;
  CKorbe95Data(const CKorbe95Data&) = delete;
  CKorbe95Data& operator=(const CKorbe95Data&) = delete;

  // The data set record: its counter identifier, each layout its
  // documents use (once), then the documents. Loading replaces the
  // documents; after an archive error the documents read completely before
  // it stay in the list.
  void Serialize(CArchive& ar) override;

  CNVextDocList& GetVextDocList() { return m_docs; }
  const CNVextDocList& GetVextDocList() const { return m_docs; }
  // Deletes every listed document.
  void DeleteAllDocs();

  LONG GetCounterID() const { return m_lCounterID; }
  void SetCounterID(LONG id) { m_lCounterID = id; }
  // The data set adopts a new layout identifier: its own, its documents'
  // and their layouts'. Returns the number of documents renumbered.
  int ChangeCounterID(LONG newID);

 private:
  CNVextDocList m_docs;
  LONG m_lCounterID = 0;
};
