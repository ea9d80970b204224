#include "CatalogFileReader.h"

#include "CatalogFiles.h"
#include "CatalogTree.h"

namespace slipcatalog {

int ReadCatalogFile(const CString& path, CObArray& records, CString& reason) {
  CObArray loaded;
  if (LoadList(path, nullptr, loaded, &reason) != ReadOutcome::loaded) return 0;
  for (CObject* record : loaded.items()) {
    if (!record || record->IsKindOf(RUNTIME_CLASS(CDaiBunrui)) ||
        record->IsKindOf(RUNTIME_CLASS(CShoBunrui)) ||
        record->IsKindOf(RUNTIME_CLASS(CLayoutInfo)) || record->IsKindOf(RUNTIME_CLASS(CChuBunrui)))
      continue;
    reason = CArchiveException(CArchiveException::badClass, path).GetErrorMessage();
    DestroyAll(loaded);
    return 0;
  }
  records.Append(loaded);
  return 1;
}

}  // namespace slipcatalog
