// The catalogue files on disk: each holds one list of records in the
// object archive encoding, nothing before or after it. Reading shares the
// file with other readers and denies writers; writing replaces the file
// whole (a temporary file renamed over it), so a failed write leaves the
// old content, and denies all sharing meanwhile.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/fs/Archive.h"

namespace slipcatalog {

enum class ReadOutcome {
  loaded,
  missing,       // no such file
  unopenable,    // exists, but cannot be opened for reading
  fileError,     // an error of the file while reading
  archiveError,  // not a list of the expected records (cut short, unknown class...)
};

enum class WriteOutcome {
  written,
  cannotCreate,  // the file cannot be opened for writing
  fileError,     // writing or replacing failed; the old file is unchanged
  archiveError,
};

// Destroys the records of `records`, then loads the list stored in `path`,
// each element of `elementClass` or derived from it (or null). Anything
// but `loaded` leaves `records` empty and puts the platform's text of the
// error into `reason` when given. Never throws.
ReadOutcome LoadList(const CString& path, const CRuntimeClass* elementClass, CObArray& records,
                     CString* reason = nullptr);

// Stores `records` as the whole content of `path`. Never throws.
WriteOutcome StoreList(const CString& path, const CObArray& records);

// The catalogue's own files, with its messages:
// Recent.dat, Custom.dat or DownLoad.dat into `records`; a file that
// cannot be decoded is reported ("file operation failed").
ReadOutcome ReadOptionalList(const CString& path, CObArray& records);
// What the public Read operations answer for those files: 1 unless the
// file could not be decoded.
inline int ReadResult(ReadOutcome outcome) {
  return outcome == ReadOutcome::fileError || outcome == ReadOutcome::archiveError ? 0 : 1;
}
// Whether an editing operation may change and write back the list: it was
// read, or there was no file.
inline bool CanEdit(ReadOutcome outcome) {
  return outcome == ReadOutcome::loaded || outcome == ReadOutcome::missing;
}
// Stores the list, reporting a failure: 1 or 0.
int WriteListFile(const CString& path, const CObArray& records);

}  // namespace slipcatalog
