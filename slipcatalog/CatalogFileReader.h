// Any catalogue file read whole, for the tools that look after the
// catalogue (slipcat): SlipCatalog.dat, DownLoad.dat, Recent.dat and
// Custom.dat hold major categories, Original.dat minor categories, and a
// linked product's Original.dat layouts.
#pragma once

#include "CatalogRecords.h"
#include "SlipCatalogApi.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"

namespace slipcatalog {

// 1 with the list's records appended to `records` (new, the caller's to
// delete; an element may be null); 0 with the reason, the platform's text
// of the file or archive error (CP932), when the file cannot be read or
// holds anything but a list of catalogue records. Shows nothing.
SLIPCATALOG_API int ReadCatalogFile(const CString& path, CObArray& records, CString& reason);

}  // namespace slipcatalog
