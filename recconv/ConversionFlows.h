// The two conversions a call runs, and the pieces of reading in batch
// mode. Each flow returns 1 when done and 0 when it failed or was
// cancelled (after its own messages, if any); the caller shows the
// closing message. File and archive errors are thrown through.
#pragma once

#include <memory>
#include <optional>

#include "CnvContext.h"
#include "vextbase/VextBase.h"

namespace vext::recconv {

// Every document of `data` to a text file: file dialog, order dialog,
// then the file. `name` is the base name of a first writing file.
int RunWritingFlow(CCnvContext& context, CKorbe95Data* data, const CString& name);

// A text file into `data`: the file (dialog, or the batch input file),
// the item dialog (interactive), the definition to read with; only then
// are `data`'s documents replaced by the file's.
int RunReadingFlow(CCnvContext& context, CKorbe95Data* data, const CString& name, bool batch);

// Batch input without a migration file: <InstalledDataDir>\<format>.txt.
CString BatchInputPath(const CCnvContext& context);

// The key of the migration lookup: the file name of `path` (after its
// last backslash or slash) up to its first period; nullopt without a
// separator or a period.
std::optional<CString> MigrationKey(const CString& path);
// <CD-Drive>:\PRTFRMCNV\OldToNew.cnv
CString MigrationFilePath();
// The reading definition the migration file keeps for `path`'s key, or
// null (no key, no file, no definition of that title).
std::unique_ptr<CCnvDefData> MigrationLookup(const CString& path);

}  // namespace vext::recconv
