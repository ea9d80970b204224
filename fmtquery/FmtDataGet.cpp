// Loading a form: the format file or the original-form file, once per
// object, and the object lists the queries walk.
#include "FmtMessages.h"
#include "FmtQuery.h"
#include "VextEnv.h"
#include "platform/fs/File.h"
#include "platform/ui/UserInterface.h"

namespace fmtquery {

void message::Show(const CString& text) { AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION); }

namespace {

constexpr UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite;

CString FormatFilePath(long formatNo) {
  CVextEnv env;
  CString name;
  name.Format("ON%ld.FMT", formatNo);
  return env.m_strInstalledDataDir + "\\DATA\\FMT\\" + name;
}

CString OrgFilePath(long fileNo) {
  CVextEnv env;
  CString name;
  name.Format("%ld.ORG", fileNo);
  return env.m_strInstalledDataDir + "\\DATA\\ORG\\" + name;
}

}  // namespace

}  // namespace fmtquery

using namespace fmtquery;

CFmtDataGet::CFmtDataGet() = default;

CFmtDataGet::~CFmtDataGet() = default;

int CFmtDataGet::GetVextLayoutData(long lFormatNo) {
  if (m_pLayoutData) return 1;
  try {
    return GetVextLayoutData(FormatFilePath(lFormatNo));
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int CFmtDataGet::GetVextLayoutData(const CString& strPath) {
  if (m_pLayoutData) return 1;
  CFile file;
  try {
    if (!file.Open(strPath, kReadFlags)) {
      message::Show(strPath + message::kOpenFailedAfterPath);
      return 0;
    }
    m_pLayoutData = std::make_unique<CNVextLayoutData>();
    CArchive ar(&file, CArchive::load);
    m_pLayoutData->Serialize(ar);
    ar.Close();
  } catch (const CException& error) {
    // The layout keeps what was read before the error, and stays loaded.
    error.ReportError();
  } catch (const std::bad_alloc&) {
    if (!m_pLayoutData) return 0;
  }
  return 1;
}

int CFmtDataGet::GetVextDoc(long lFileNo) {
  try {
    if (!m_pFileIO && !LoadOrgFile(OrgFilePath(lFileNo), false)) return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return TakeFirstDocument();
}

int CFmtDataGet::GetVextDoc(const CString& strPath) {
  if (!m_pFileIO && !LoadOrgFile(strPath, true)) return 0;
  return TakeFirstDocument();
}

int CFmtDataGet::TakeFirstDocument() {
  CNVextDocList& docs = m_pFileIO->GetKorbeData()->GetVextDocList();
  if (docs.IsEmpty()) return 0;
  m_pDoc = docs.GetHead();
  return m_pDoc ? 1 : 0;
}

int CFmtDataGet::LoadOrgFile(const CString& strPath, bool byPath) {
  try {
    CFile file;
    if (!file.Open(strPath, kReadFlags)) return 0;
    auto io = std::make_unique<CVextFileIO>();
    CArchive ar(&file, CArchive::load);
    io->Serialize(ar);
    ar.Close();
    BYTE following = 0;
    if (file.Read(&following, 1) != 1) following = 0;
    // Only a data set read whole is kept: a rewrite must never store part
    // of one.
    m_pFileIO = std::move(io);
    m_strOrgPath = strPath;
    m_byOrgFileMarker = following;
    if (byPath) m_byTrailMark = following;
    return 1;
  } catch (const CException&) {
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

const CNPropObjList* CFmtDataGet::GetObjList() {
  if (!m_pLayoutData) return nullptr;
  if (!m_pLayoutData->GetHeadDefList().IsEmpty()) return &m_pLayoutData->GetHeadDefList();
  if (!m_pLayoutData->GetBodyDefList().IsEmpty()) return &m_pLayoutData->GetBodyDefList();
  return nullptr;
}

const CNPropObjList* CFmtDataGet::GetObjListFrOrg() {
  if (!m_pDoc) return nullptr;
  CPropDataList& props = m_pDoc->RefList();
  if (props.IsEmpty()) return nullptr;
  const CPropData* first = props.GetHead();
  return first ? &first->GetObjList() : nullptr;
}

const CNPropObjList* CFmtDataGet::LoadForm(int nSource, long lNumber,
                                           const CNVextLayoutData*& pRegionLayout) {
  pRegionLayout = nullptr;
  if (nSource != 0) {
    if (!GetVextLayoutData(lNumber)) return nullptr;
    pRegionLayout = m_pLayoutData.get();
    return GetObjList();
  }
  if (!GetVextDoc(lNumber)) return nullptr;
  pRegionLayout = m_pDoc->GetFormat();
  if (!pRegionLayout) return nullptr;
  return GetObjListFrOrg();
}
