// Renumbering an original-form file: the data set read from it takes the
// new layout identifier and is written back in its place.
#include <filesystem>
#include <system_error>

#include "FmtMessages.h"
#include "FmtQuery.h"
#include "platform/fs/File.h"
#include "platform/fs/PathMap.h"

namespace {

constexpr BYTE kKeptMarker = '2';

// Both paths name one existing file, however each is spelled.
bool SameFile(const CString& a, const CString& b) {
  const auto nativeA = vext::NativePath(a);
  const auto nativeB = vext::NativePath(b);
  if (!nativeA || !nativeB) return false;
  std::error_code error;
  return std::filesystem::equivalent(*nativeA, *nativeB, error) && !error;
}

}  // namespace

int CFmtDataGet::ChangeOrgNewID(const CString& strPath, long lNewID, const char* /*pReserved*/) {
  try {
    // A data set from another file must never be written over this one.
    if (m_pFileIO && !SameFile(m_strOrgPath, strPath)) return 0;
    if (!GetVextDoc(strPath) || !GetObjListFrOrg()) return 0;
    CNVextLayoutData* layout = m_pDoc->GetFormat();
    CKorbe95Data* data = m_pFileIO->GetKorbeData();
    if (!layout || !data) return 0;
    layout->SetID(lNewID);
    data->ChangeCounterID(lNewID);

    // Written beside the file and renamed over it on Close: a failure
    // leaves the file as it was.
    CFile file;
    if (!file.Open(strPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive)) return 0;
    try {
      CArchive ar(&file, CArchive::store);
      m_pFileIO->Serialize(ar);
      ar.Close();
      if (m_byOrgFileMarker == kKeptMarker) file.Write(&kKeptMarker, 1);
      file.Close();
    } catch (const CException&) {
      file.Abort();
      fmtquery::message::Show(fmtquery::message::kWriteFailed);
      return 0;
    }
    // The file is this object's from now on under the name just used.
    m_strOrgPath = strPath;
    return 1;
  } catch (const std::exception&) {
    return 0;
  }
}
