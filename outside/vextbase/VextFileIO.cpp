#include "vextbase/VextFileIO.h"

#include "Records.h"
#include "VextEnv.h"

IMPLEMENT_SERIAL(CVextFileIO, CObject, 1)

CVextFileIO::CVextFileIO() = default;

CVextFileIO::~CVextFileIO() = default;

void CVextFileIO::Serialize(CArchive& ar) {
  using namespace vext::base;
  if (ar.IsStoring()) {
    ar << kDataFileSignature;
    StoreSchema(ar);
  } else {
    LoadSignature(ar, kDataFileSignature);
    LoadSchema(ar);
  }
  m_data.Serialize(ar);
}

CString CVextFileIO::GetOrgFilePath(long number) {
  CVextEnv env;
  CString name;
  name.Format("%ld.ORG", number);
  return env.m_strInstalledDataDir + "\\DATA\\ORG\\" + name;
}
