// CNVextDoc: one filled-in form. It holds one value per property object
// and face of its layout, the index keys 1..NVEXT_INDEX_COUNT and a header
// (title, memo, identifier, sort key, date, user number).
//
// Faces: GetMenCount below 2 means one face, addressed with face index 0;
// n faces are addressed 1..n. Any other face index addresses nothing:
// lookups give 0, nullptr or an empty text and stores are refused.
//
// A document made with the default constructor has no layout until
// SetVEXTDOC gives it one; documents are usually made by a print frame
// (CVextBasePrtFrm::GetData) or read with their data set.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "NVextDocHeader.h"
#include "NVextLayoutData.h"
#include "PropData.h"
#include "VextBaseApi.h"

using CPropDataList = CTypedPtrList<CObList, CPropData*>;

namespace vext::base {
struct DocumentAccess;
}

class VEXTBASE_API CNVextDoc : public CObject {
  DECLARE_SERIAL(CNVextDoc)

 public:
  CNVextDoc();
  ~CNVextDoc() override;
  CNVextDoc(const CNVextDoc&) = delete;
  CNVextDoc& operator=(const CNVextDoc&) = delete;

  // A document record with its layout inside (a data set stores its
  // documents' layouts once, beside them, instead).
  void Serialize(CArchive& ar) override;

  // ---- Form and fields ---------------------------------------------------
  // The layout's face count (0 without a layout).
  int GetMenCount() const;
  // The highest order number of the layout; 0 for a face index that
  // addresses nothing.
  UINT GetMaxOrder(int men) const;
  // The layout's object with that order, or nullptr.
  CNPropObj* GetPropObjByOrder(UINT order, int men) const;
  // The value of the field at that order and face. Sets `indexNo` to the
  // field's index-key number (0 when it is none) and `itemName` to its item
  // name; for an order or face that addresses nothing, returns an empty
  // text with `indexNo` 0 and `itemName` empty.
  CString GetStrDataByOrder(UINT order, int men, int& indexNo, CString& itemName) const;
  // Stores the value; FALSE when order or face addresses nothing. The
  // last argument is reserved (callers pass 0).
  BOOL SetStrDataByOrder(UINT order, int men, const CString& value, int nReserved);
  // Stores index key `key` (1..NVEXT_INDEX_COUNT; FALSE otherwise). The
  // last argument is reserved (callers pass 1).
  BOOL SetIndex(int key, const CString& value, int nReserved);
  // Index key `key`; empty when unset or out of range.
  CString GetIndex(int key) const;
  // Clears every value and index key; the header stays.
  void InitData();

  // ---- Header ------------------------------------------------------------
  // Copies the header out; `header->hFormat` becomes a new memory handle
  // that the caller frees with GlobalFree (whatever it held before is
  // overwritten). FALSE for a null record or when no memory can be had.
  // The last argument is reserved (callers pass 0).
  BOOL GetVEXTDOC(tagNVEXTDOC* header, int nReserved) const;
  // Copies a header in; the handle stays the caller's. With a layout in
  // the handle the document takes that layout, keeping the values of the
  // orders and faces both layouts have. FALSE (document unchanged) for a
  // null record or a handle that holds no header layout.
  BOOL SetVEXTDOC(const tagNVEXTDOC* header, int nReserved);

  // The document's layout, or nullptr. It belongs to the document (and to
  // the other documents that share it): never delete it.
  CNVextLayoutData* GetFormat() const { return m_layout.get(); }
  // The document's property data: one entry with the layout's objects, or
  // none without a layout. The list belongs to the document.
  CPropDataList& RefList();

  const CString& GetTitle() const { return m_strTitle; }
  void SetTitle(const CString& title) { m_strTitle = title; }
  const CString& GetMemo() const { return m_strMemo; }
  void SetMemo(const CString& memo) { m_strMemo = memo; }
  LONG GetID() const { return m_lID; }
  void SetID(LONG id) { m_lID = id; }
  LONG GetSort() const { return m_lSort; }
  void SetSort(LONG sort) { m_lSort = sort; }
  DWORD GetDate() const { return m_dwDate; }
  void SetDate(DWORD date) { m_dwDate = date; }
  LONG GetUserNo() const { return m_lUserNo; }
  void SetUserNo(LONG userNo) { m_lUserNo = userNo; }

 private:
  friend struct vext::base::DocumentAccess;

  // Position of a face index among the stored faces, or -1.
  int FacePos(int men) const;
  const CString* Value(const CNPropObj* obj, int facePos) const;
  CString& ValueForWrite(const CNPropObj* obj, int facePos);
  void AdoptLayout(std::shared_ptr<CNVextLayoutData> layout);
  CString& IndexForWrite(int key);

  std::shared_ptr<CNVextLayoutData> m_layout;
  // Values, face after face, `m_stride` slots each; empty until the first
  // value is stored (a blank document costs nothing).
  std::vector<CString> m_values;
  int m_stride = 0;
  // Index keys 1..NVEXT_INDEX_COUNT; made at the first one stored.
  std::unique_ptr<std::array<CString, NVEXT_INDEX_COUNT>> m_index;

  CString m_strTitle;
  CString m_strMemo;
  LONG m_lID = 0;
  LONG m_lSort = 0;
  DWORD m_dwDate = 0;
  LONG m_lUserNo = 0;

  std::unique_ptr<CPropData> m_propData;
  CPropDataList m_propList;
};
