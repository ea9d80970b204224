// RecConv: the filled-in documents of a form data set written to a text
// file, and a data set filled from a text file, field by field, after the
// field-order definitions the user keeps for each form format.
//
//   CVextCnvProc proc(mainWindow);
//   CString name("Korbe");
//   proc.VextCnvInOut(1, 1001, 0, &data, name, 0);   // write: file dialog, order dialog
//   proc.VextCnvInOut(0, 1001, 0, &data, name, 0);   // read: file dialog, item dialog
//   proc.VextCnvInOut(0, 1001, 0, &data, name, 1);   // read <InstalledDataDir>\1001.txt
//                                                    // without a dialog, then delete it
//
// Text files: one line per face of a document, its fields either in
// double quotes joined by "," (written and read so), or joined by commas
// (written so) and read split at TABs; CP932, CR LF, no header, values as
// they are (never escaped). The definitions of format n are kept in
// <InstalledDataDir>\DATA\MYDATA\On.CNV, written only when the user stores
// or opens one in the dialogs.
//
// Results are 1 (done) and 0 (failed or cancelled; the user has been told
// why). A file or archive error (CFileException, CArchiveException) is
// not caught: it reaches the caller, as the suite's hosts expect.
#pragma once

#include "platform/base/CString.h"
#include "platform/fs/Archive.h"
#include "platform/ui/Window.h"
#include "vextbase/VextBase.h"

#define RECCONV_API __attribute__((visibility("default")))

class RECCONV_API CVextCnvProc : public CObject {
  DECLARE_SERIAL(CVextCnvProc)

 public:
  // Without an owner window every call fails at once and silently. The
  // dialogs belong to the application's main window.
  explicit CVextCnvProc(CWnd* parent);
  ~CVextCnvProc() override;
  CVextCnvProc(const CVextCnvProc&) = delete;
  CVextCnvProc& operator=(const CVextCnvProc&) = delete;

  // Stores and loads nothing.
  void Serialize(CArchive& ar) override;

  // The input of later batch readings: that file instead of
  // <InstalledDataDir>\<format>.txt, read with the definition of the
  // migration file <CD-Drive>:\PRTFRMCNV\OldToNew.cnv that is titled
  // after the file's name (up to its first period).
  void SetOldToNewFilePath(const CString& path);

  // isExport nonzero: every document of `data`, in list order, to a text
  // file the user chooses, in the order the user sets (only the
  // documents' index keys change). Zero: `data`'s documents are replaced
  // by those the file's lines make (listed last line first); until the
  // file is open, holds data and the user confirmed, `data` stays as it
  // was. `name` is the base name of the first writing file of a format
  // that has no settings yet; `batch` (reading only) reads without a
  // dialog and deletes the input file once it has been read. `reserved`
  // is not used.
  int VextCnvInOut(int isExport, UINT formatNo, UINT reserved, CKorbe95Data* data, CString& name,
                   int batch);

  CWnd* parentWnd = nullptr;  // not owned
  CString oldToNewPath;       // SetOldToNewFilePath

 protected:
  // For creation by class name only: without an owner window.
  CVextCnvProc();
};
