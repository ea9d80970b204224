// VextEnv: where the suite is installed, where its data and the suite
// family's common folder are, and where the user's documents are.
//
// Construct one where a folder is needed (on the stack, or inside another
// object) and read the public members: the constructor reads everything
// from the registry at once and nothing is cached between instances. A
// missing key or value leaves its member empty (m_nVer 0); no failure is
// reported. Paths are kept exactly as stored: callers add their own
// separators ("\DATA\FMT\" ...).
#pragma once

#include "platform/base/CString.h"
#include "platform/fs/Archive.h"

#define VEXTENV_API __attribute__((visibility("default")))

class VEXTENV_API CVextEnv : public CObject {
 public:
  CVextEnv();
  ~CVextEnv() override;

  // HKEY_LOCAL_MACHINE\SOFTWARE\velmor_op\velmorik, the product key.
  CString m_strCDDrive;           // first character of "CD-Drive": the drive letter
  CString m_strInstalledDataDir;  // "InstalledDataDir"
  CString m_strInstalledDir;      // "InstalledDir"
  // HKEY_LOCAL_MACHINE\SOFTWARE\velmor_op\Common, the common key.
  CString m_strCommonDir;     // "CommonDir"
  CString m_strCommonPrgDir;  // "CommonPrgDir"
  CString m_strClipArt;       // "ClipArt"
  DWORD m_nVer;               // product key, "Ver"
  // The current user's "Personal" shell folder, environment references expanded.
  CString m_strMyDocuments;
  CString m_strAppName;  // product key, "AppName"

 protected:
  void GetVextPath();
  void GetVextCommonPath();
  void GetMyDocuments();
};
