// CCnvContext: what one conversion call works with, from the call to its
// result.
#pragma once

#include <memory>

#include "UserCnvData.h"

struct CCnvContext {
  CString oldToNewPath;  // the processor's, for reading
  CString filePath;      // the text file read or written
  BOOL quoted = TRUE;    // its layout
  std::unique_ptr<CUserCnvData> settings;
  UINT formatNo = 0;
  BOOL isExport = FALSE;
};
