#include "vextbase/VextBaseFrame.h"

#include "DocumentAccess.h"
#include "LayoutRegistry.h"
#include "VextEnv.h"
#include "platform/fs/File.h"

IMPLEMENT_DYNAMIC(CVextBase, CObject)
IMPLEMENT_DYNAMIC(CVextBasePrtFrm, CVextBase)

using namespace vext::base;

CVextBase::CVextBase() = default;

CVextBase::~CVextBase() = default;

CString CVextBase::GetFormatFilePath(UINT formatNo) {
  CVextEnv env;
  CString name;
  name.Format("ON%d.FMT", static_cast<int>(formatNo));
  return env.m_strInstalledDataDir + "\\DATA\\FMT\\" + name;
}

BOOL CVextBase::SetFormat(UINT formatNo) {
  auto layout = std::make_unique<CNVextLayoutData>();
  try {
    CFile file;
    if (!file.Open(GetFormatFilePath(formatNo), CFile::modeRead | CFile::shareDenyWrite))
      return FALSE;
    CArchive ar(&file, CArchive::load);
    layout->Serialize(ar);
    ar.Close();
  } catch (const CException&) {
    return FALSE;
  }
  m_layout = ShareLayout(std::move(layout));
  m_nFormatNo = formatNo;
  return TRUE;
}

BOOL CVextBase::SetFormat(CNVextLayoutData* layout) {
  if (!layout) return FALSE;
  // A layout that documents share stays one layout with them.
  auto shared = FindSharedLayout(LayoutAccess::Serial(*layout));
  if (shared.get() != layout) shared = ShareLayout(std::make_unique<CNVextLayoutData>(*layout));
  m_layout = std::move(shared);
  m_nFormatNo = 0;
  return TRUE;
}

CVextBasePrtFrm::CVextBasePrtFrm() = default;

CVextBasePrtFrm::~CVextBasePrtFrm() = default;

CNVextDoc* CVextBasePrtFrm::GetData(int docNo, int /*nReserved*/) {
  if (docNo != 0 || !m_layout) return nullptr;
  auto doc = std::make_unique<CNVextDoc>();
  DocumentAccess::AdoptLayout(*doc, m_layout);
  doc->SetID(m_layout->GetID());
  return doc.release();
}
