// CVextBase: the current layout of a form window, loaded from a format
// file by number or taken from a layout; CVextBasePrtFrm, the print frame,
// makes blank documents of it.
#pragma once

#include <memory>

#include "NVextDoc.h"
#include "VextBaseApi.h"

class VEXTBASE_API CVextBase : public CObject {
  DECLARE_DYNAMIC(CVextBase)

 public:
  CVextBase();
  ~CVextBase() override;
  CVextBase(const CVextBase&) = delete;
  CVextBase& operator=(const CVextBase&) = delete;

  // Loads the format file of that number (GetFormatFilePath). Nonzero when
  // it loaded; on failure (missing, unreadable or damaged file) 0, and the
  // current layout stays as it was. Nothing is shown to the user.
  BOOL SetFormat(UINT formatNo);
  // Uses that layout: a layout that documents share is shared with them,
  // any other is copied (the caller keeps its own). 0 for nullptr.
  BOOL SetFormat(CNVextLayoutData* layout);

  // The current layout, or nullptr; it belongs to the frame.
  CNVextLayoutData* GetFormat() const { return m_layout.get(); }
  // The number of the format file loaded last; 0 when the layout was given.
  UINT GetFormatNo() const { return m_nFormatNo; }

  // The installed data folder's "\DATA\FMT\" + "ON%d.FMT".
  static CString GetFormatFilePath(UINT formatNo);

 protected:
  std::shared_ptr<CNVextLayoutData> m_layout;
  UINT m_nFormatNo = 0;
};

class VEXTBASE_API CVextBasePrtFrm : public CVextBase {
  DECLARE_DYNAMIC(CVextBasePrtFrm)

 public:
  CVextBasePrtFrm();
  ~CVextBasePrtFrm() override;

  // GetData(0, 0): a new blank document of the current layout, owned by
  // the caller; nullptr without a layout. Document numbers other than 0
  // are not kept by this frame and give nullptr. The second argument is
  // reserved (callers pass 0).
  CNVextDoc* GetData(int docNo, int nReserved);
};
