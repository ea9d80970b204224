#include "CnvDefData.h"

IMPLEMENT_SERIAL(CCnvDefData, CObject, 1)

namespace {

void StoreList(CArchive& ar, const std::vector<DWORD>& list) {
  ar.WriteCount(static_cast<DWORD>(list.size()));
  for (DWORD value : list) ar << value;
}

void LoadList(CArchive& ar, std::vector<DWORD>& list) {
  const DWORD count = ar.ReadCount();
  // Every entry takes four bytes: a count the file cannot hold is refused
  // before anything is allocated for it.
  if (static_cast<ULONGLONG>(count) * sizeof(DWORD) > ar.BytesLeft())
    throw CArchiveException(CArchiveException::endOfFile);
  list.reserve(list.size() + count);
  for (DWORD i = 0; i < count; ++i) {
    DWORD value = 0;
    ar >> value;
    list.push_back(value);
  }
}

}  // namespace

CCnvDefData::CCnvDefData() = default;

CCnvDefData::CCnvDefData(LONG kind, LONG quoted, const CString& title)
    : quoted(quoted), title(title), kind(kind) {}

CCnvDefData::~CCnvDefData() = default;

void CCnvDefData::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(version) << title << static_cast<DWORD>(kind)
       << static_cast<DWORD>(quoted) << static_cast<DWORD>(builtIn);
    StoreList(ar, orderList);
    StoreList(ar, columnList);
  } else {
    ar >> version >> title >> kind >> quoted >> builtIn;
    LoadList(ar, orderList);
    LoadList(ar, columnList);
  }
}
