// CNPropObj: one object placed on a form (a field, a fixed label, a line),
// as its layout defines it: order number, item name, attribute flags, item
// size and, for a field that is one of the document's index keys, the key
// number. A document keeps one value per object and face; the object itself
// holds no value.
#pragma once

#include "VextBaseApi.h"
#include "platform/fs/Archive.h"

class CNVextLayoutData;
namespace vext::base {
struct LayoutAccess;
}

class VEXTBASE_API CNPropObj : public CObject {
  DECLARE_SERIAL(CNPropObj)

 public:
  CNPropObj();
  // The order number is fixed for the object's life: a layout finds its
  // objects by it.
  CNPropObj(UINT order, const CString& itemName, DWORD attr = 0, LONG itemSize = 0,
            int indexNo = 0);
  // A copy belongs to no layout until one adopts it.
  CNPropObj(const CNPropObj& other);
  CNPropObj& operator=(const CNPropObj&) = delete;
  ~CNPropObj() override;

  // The object's record (see the layout's file description).
  void Serialize(CArchive& ar) override;

  UINT GetOrder() const { return m_nOrder; }
  const CString& GetItemName() const { return m_strItemName; }
  void SetItemName(const CString& name) { m_strItemName = name; }
  DWORD GetAttr() const { return m_dwAttr; }
  void SetAttr(DWORD attr) { m_dwAttr = attr; }
  // Bytes the field's value may take (its slot width for callers that copy
  // names or values into fixed buffers).
  LONG GetItemSize() const { return m_lItemSize; }
  void SetItemSize(LONG size) { m_lItemSize = size; }
  // 1..NVEXT_INDEX_COUNT when the field's value is that index key of the
  // document, 0 otherwise.
  int GetIndexNo() const { return m_nIndexNo; }
  BOOL SetIndexNo(int indexNo);
  // Bit 0 or bit 1 of the attribute flags is set.
  BOOL IsDataField() const { return (m_dwAttr & NVPROP_ENTRY_MASK) != 0; }

 private:
  friend class CNVextLayoutData;
  friend struct vext::base::LayoutAccess;

  UINT m_nOrder = 0;
  CString m_strItemName;
  DWORD m_dwAttr = 0;
  LONG m_lItemSize = 0;
  int m_nIndexNo = 0;
  // Where documents keep this object's values; given by the layout that
  // owns the object, -1 outside a layout.
  int m_nSlot = -1;
};
