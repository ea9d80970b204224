// CNVextLayoutData: a form layout (a format). It has an identifier, a name,
// a face count, a table region and the property objects placed on the
// form, kept in two definition lists: the head list (the form's own
// objects) and the body list (objects of a layout made of a repeated body
// only). Order numbers are unique over both lists.
//
// A layout owns its property objects. Layouts that documents use are
// shared by those documents: change them through any document and every
// document of the layout sees it.
//
// Format file ("ON%d.FMT" under the installed data folder's "\DATA\FMT\"):
// exactly one layout record, as Serialize stores it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "NPropObj.h"
#include "VextBaseApi.h"
#include "platform/base/BoolConstants.h"
#include "platform/base/Collections.h"
#include "platform/fs/Archive.h"

using CNPropObjList = CTypedPtrList<CObList, CNPropObj*>;

namespace vext::base {
struct LayoutAccess;
}

class VEXTBASE_API CNVextLayoutData : public CObject {
  DECLARE_SERIAL(CNVextLayoutData)

 public:
  CNVextLayoutData();
  // A deep copy: the property objects are copied too.
  CNVextLayoutData(const CNVextLayoutData& other);
  CNVextLayoutData& operator=(const CNVextLayoutData& other);
  ~CNVextLayoutData() override;

  // Storing writes the layout record. Loading replaces the layout's
  // contents with the record's, object by object: after an archive error
  // the layout holds what was read before it.
  void Serialize(CArchive& ar) override;

  // ---- Property objects --------------------------------------------------
  // Takes ownership of `obj` and appends it to the head list (or the body
  // list) and returns TRUE. Refuses (FALSE, the caller keeps the object) a
  // null object, an order outside 1..NVEXT_MAX_ORDER, an order already in
  // the layout, or an object that belongs to a layout.
  BOOL AddPropObj(CNPropObj* obj, BOOL body = FALSE);
  void RemoveAllPropObj();

  const CNPropObjList& GetHeadDefList() const { return m_headDefs; }
  const CNPropObjList& GetBodyDefList() const { return m_bodyDefs; }
  // Every property object: the head list, then the body list.
  const CNPropObjList& GetPropObjList() const { return m_allDefs; }
  int GetPropObjCount() const { return static_cast<int>(m_slots.size()); }
  // The object with that order number, or nullptr.
  CNPropObj* GetPropObjByOrder(UINT order) const;
  // The highest order number, 0 without objects.
  UINT GetMaxOrder() const {
    return static_cast<UINT>(m_byOrder.empty() ? 0 : m_byOrder.size() - 1);
  }

  // ---- Identity and texts ------------------------------------------------
  LONG GetID() const { return m_lID; }
  void SetID(LONG id) { m_lID = id; }
  const CString& GetName() const { return m_strName; }
  void SetName(const CString& name) { m_strName = name; }
  const CString& GetComment() const { return m_strComment; }
  void SetComment(const CString& comment) { m_strComment = comment; }
  LONG GetSort() const { return m_lSort; }
  void SetSort(LONG sort) { m_lSort = sort; }
  // A date as the number yyyymmdd; 0 when none.
  DWORD GetDate() const { return m_dwDate; }
  void SetDate(DWORD date) { m_dwDate = date; }
  LONG GetUserNo() const { return m_lUserNo; }
  void SetUserNo(LONG userNo) { m_lUserNo = userNo; }

  // ---- Faces and the table region ----------------------------------------
  // Below 2: one face, face index 0; n: faces 1..n.
  int GetMenCount() const { return m_nMenCount; }
  // FALSE (nothing changed) outside 0..NVEXT_MAX_MEN.
  BOOL SetMenCount(int count);
  // The statement table: orders first..last hold its lines, `lines` of
  // them. Stored as given; callers decide when a region is in use.
  LONG GetTableStartOrder() const { return m_lTableStart; }
  LONG GetTableEndOrder() const { return m_lTableEnd; }
  LONG GetTableLineCount() const { return m_lTableLines; }
  void SetTableStartOrder(LONG order) { m_lTableStart = order; }
  void SetTableEndOrder(LONG order) { m_lTableEnd = order; }
  void SetTableLineCount(LONG lines) { m_lTableLines = lines; }

  // ---- Printing ----------------------------------------------------------
  // Margins in 0.1 mm, the printing scale in percent (100 by default) and
  // the paper as a DMPAPER_ number (9, A4, by default).
  LONG GetTopMargin() const { return m_lTopMargin; }
  LONG GetBottomMargin() const { return m_lBottomMargin; }
  LONG GetLeftMargin() const { return m_lLeftMargin; }
  LONG GetRightMargin() const { return m_lRightMargin; }
  void SetTopMargin(LONG margin) { m_lTopMargin = margin; }
  void SetBottomMargin(LONG margin) { m_lBottomMargin = margin; }
  void SetLeftMargin(LONG margin) { m_lLeftMargin = margin; }
  void SetRightMargin(LONG margin) { m_lRightMargin = margin; }
  LONG GetPercent() const { return m_lPercent; }
  void SetPercent(LONG percent) { m_lPercent = percent; }
  LONG GetPrintPaper() const { return m_lPrintPaper; }
  void SetPrintPaper(LONG paper) { m_lPrintPaper = paper; }

 private:
  friend struct vext::base::LayoutAccess;

  void CopyFrom(const CNVextLayoutData& other);
  void Insert(CNPropObj* obj, bool body);

  LONG m_lID = 0;
  CString m_strName;
  CString m_strComment;
  LONG m_lSort = 0;
  DWORD m_dwDate = 0;
  LONG m_lUserNo = 0;
  int m_nMenCount = 1;
  LONG m_lTableStart = 0;
  LONG m_lTableEnd = 0;
  LONG m_lTableLines = 0;
  LONG m_lTopMargin = 0;
  LONG m_lBottomMargin = 0;
  LONG m_lLeftMargin = 0;
  LONG m_lRightMargin = 0;
  LONG m_lPercent = 100;
  LONG m_lPrintPaper = 9;

  // The lists own nothing; m_slots owns the objects, in the order they
  // were added (an object's slot never changes while it is here).
  CNPropObjList m_headDefs;
  CNPropObjList m_bodyDefs;
  CNPropObjList m_allDefs;
  std::vector<std::unique_ptr<CNPropObj>> m_slots;
  std::vector<CNPropObj*> m_byOrder;  // index: order number
  // Tells this layout apart from every other one made in the process, so
  // that a document header copied out and back in finds it again.
  std::uint64_t m_serial;
};
