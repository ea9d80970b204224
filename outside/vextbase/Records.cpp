#include "Records.h"

#include "platform/fs/File.h"

namespace vext::base {

namespace {
[[noreturn]] void Throw(const CArchive& ar, int cause) {
  const CFile* file = ar.GetFile();
  throw CArchiveException(cause, file ? file->GetFilePath() : CString());
}
}  // namespace

void StoreSchema(CArchive& ar) { ar << kSchema; }

WORD LoadSchema(CArchive& ar) {
  WORD schema;
  ar >> schema;
  if (schema < 1 || schema > kSchema) Throw(ar, CArchiveException::badSchema);
  return schema;
}

void LoadSignature(CArchive& ar, DWORD expected) {
  DWORD signature;
  ar >> signature;
  if (signature != expected) Throw(ar, CArchiveException::badClass);
}

void ThrowMalformed(const CArchive& ar) { Throw(ar, CArchiveException::generic); }

}  // namespace vext::base
