#include "CatalogFiles.h"

#include <cerrno>
#include <memory>
#include <new>

#include "CatalogMessages.h"
#include "CatalogTree.h"
#include "platform/fs/File.h"

namespace slipcatalog {
namespace {

constexpr int kArchiveBuffer = 4096;

}  // namespace

ReadOutcome LoadList(const CString& path, const CRuntimeClass* elementClass, CObArray& records,
                     CString* reason) {
  DestroyAll(records);
  const auto explain = [reason](const CException& error) {
    if (reason) *reason = error.GetErrorMessage();
  };
  if (!CFile::Exists(path)) {
    explain(CFileException(CFileException::fileNotFound, ENOENT, path));
    return ReadOutcome::missing;
  }
  CFile file;
  CFileException openError;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &openError)) {
    explain(openError);
    return ReadOutcome::unopenable;
  }
  try {
    CArchive ar(&file, CArchive::load, kArchiveBuffer);
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count; ++i) {
      std::unique_ptr<CObject> record(ar.ReadObject(elementClass));
      records.Add(record.get());
      static_cast<void>(record.release());  // the list's now
    }
    ar.Close();
    file.Close();
    return ReadOutcome::loaded;
  } catch (const CFileException& error) {
    explain(error);
    DestroyAll(records);
    return ReadOutcome::fileError;
  } catch (const CArchiveException& error) {
    explain(error);
    DestroyAll(records);
    return ReadOutcome::archiveError;
  } catch (const std::bad_alloc&) {
    explain(CArchiveException(CArchiveException::generic, path));
    DestroyAll(records);
    return ReadOutcome::archiveError;
  }
}

WriteOutcome StoreList(const CString& path, const CObArray& records) {
  CFile file;
  if (!file.Open(path,
                 CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary))
    return WriteOutcome::cannotCreate;
  try {
    CArchive ar(&file, CArchive::store, kArchiveBuffer);
    ar.WriteCount(static_cast<DWORD>(records.GetSize()));
    for (CObject* record : records.items()) ar.WriteObject(record);
    ar.Close();
    file.Close();
  } catch (const CFileException&) {
    return WriteOutcome::fileError;
  } catch (const CArchiveException&) {
    return WriteOutcome::archiveError;
  } catch (const std::bad_alloc&) {
    return WriteOutcome::fileError;
  }
  return WriteOutcome::written;
}

ReadOutcome ReadOptionalList(const CString& path, CObArray& records) {
  const ReadOutcome outcome = LoadList(path, RUNTIME_CLASS(CDaiBunrui), records);
  if (!ReadResult(outcome)) message::Show(message::kFileOperationFailed);
  return outcome;
}

int WriteListFile(const CString& path, const CObArray& records) {
  switch (StoreList(path, records)) {
    case WriteOutcome::written: return 1;
    case WriteOutcome::cannotCreate: message::Show(message::kCannotCreateFile); return 0;
    case WriteOutcome::fileError:
    case WriteOutcome::archiveError: break;
  }
  message::Show(message::kFileOperationFailed);
  return 0;
}

}  // namespace slipcatalog
