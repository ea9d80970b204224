// CVextFileIO: the reader and writer of data files and original-form
// files ("\DATA\ORG\" + number + ".ORG" under the installed data folder).
// Such a file holds one data set, with the layouts of its documents, so
// that its documents answer GetFormat without a format file.
//
//   CVextFileIO io;                       // reading
//   CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
//   CArchive ar(&file, CArchive::load);
//   io.Serialize(ar);                     // CArchiveException on a bad file
//   ar.Close();                           // file now at the data set's end
//   CKorbe95Data* data = io.GetKorbeData();
//
// Reading stops at the last byte of the data set: whatever follows it in
// the file stays unread, for the caller.
#pragma once

#include "Korbe95Data.h"
#include "VextBaseApi.h"

class VEXTBASE_API CVextFileIO : public CObject {
  DECLARE_SERIAL(CVextFileIO)

 public:
  CVextFileIO();
  ~CVextFileIO() override;
  CVextFileIO(const CVextFileIO&) = delete;
  CVextFileIO& operator=(const CVextFileIO&) = delete;

  // The whole file: its signature, then the data set record.
  void Serialize(CArchive& ar) override;

  // The data set, owned by this object.
  CKorbe95Data* GetKorbeData() { return &m_data; }

  // The installed data folder's "\DATA\ORG\" + number + ".ORG".
  static CString GetOrgFilePath(long number);

 private:
  CKorbe95Data m_data;
};
