// tagNVEXTDOC: a document's header record, copied out of a document with
// CNVextDoc::GetVEXTDOC and into one with SetVEXTDOC. The copy carries the
// document's layout in the memory handle hFormat: the holder of the copy
// owns that handle and frees it with GlobalFree. A document made empty and
// filled from a copy answers GetFormat with that layout.
#pragma once

#include "platform/base/AfxTypes.h"
#include "platform/base/GlobalMemory.h"

typedef struct tagNVEXTDOC {
  // The document's title, CP932 and NUL-terminated (cut at a whole
  // character when longer): the first text member of the record.
  char szTitle[64];
  // Free text about the document, same rules.
  char szMemo[256];
  LONG lFormID;  // identifier of the layout the document was made with
  LONG lSort;    // the document's sort key
  DWORD dwDate;  // yyyymmdd, 0 when none
  LONG lUserNo;  // user number
  // The layout, in a form only SetVEXTDOC reads. Owned by the holder of
  // this copy (GlobalFree); nullptr leaves a document's layout as it is.
  HGLOBAL hFormat;
} NVEXTDOC, *LPNVEXTDOC;
