// CPropData: the property data of a document, as its RefList gives it:
// the property objects of the document's layout (head list, then body
// list). It belongs to the document and is valid until the document's
// layout changes.
#pragma once

#include "NVextLayoutData.h"
#include "VextBaseApi.h"

class VEXTBASE_API CPropData : public CObject {
  DECLARE_DYNAMIC(CPropData)

 public:
  explicit CPropData(CNVextLayoutData* layout = nullptr);
  ~CPropData() override;

  CNVextLayoutData* GetFormat() const { return m_pLayout; }
  // The layout's property objects; an empty list without a layout.
  const CNPropObjList& GetObjList() const;

 private:
  CNVextLayoutData* m_pLayout;
};
