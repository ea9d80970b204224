// libFuzzer target: arbitrary bytes loaded as a data file or original-form
// file (one data set with its layouts). Loading ends in a data set or a
// CArchiveException, never a crash or a leak; the reader never passes the
// end of its input; a data set that loads stores the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "VextBase.h"
#include "platform/fs/MemFile.h"

namespace {

constexpr int kBufferSize = 64;

std::string Stored(CVextFileIO& io) {
  CMemFile file;
  CArchive ar(&file, CArchive::store, kBufferSize);
  io.Serialize(ar);
  ar.Close();
  return std::string(reinterpret_cast<const char*>(file.GetBytes()), file.GetLength());
}

// The bytes the data set took, or npos when it did not load.
std::size_t Load(CVextFileIO& io, std::string bytes) {
  CMemFile file(reinterpret_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  try {
    CArchive ar(&file, CArchive::load, kBufferSize);
    io.Serialize(ar);
    ar.Close();
  } catch (const CArchiveException&) {
    return std::string::npos;
  }
  return static_cast<std::size_t>(file.GetPosition());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CVextFileIO io;
  const std::size_t used = Load(io, std::string(reinterpret_cast<const char*>(data), size));
  if (used == std::string::npos) return 0;
  if (used > size) std::abort();
  const std::string stored = Stored(io);
  CVextFileIO again;
  if (Load(again, stored) != stored.size() || Stored(again) != stored) std::abort();

  CNVextDocList& docs = io.GetKorbeData()->GetVextDocList();
  for (POSITION pos = docs.GetHeadPosition(); pos;) {
    CNVextDoc* doc = docs.GetNext(pos);
    const int face = doc->GetMenCount() < 2 ? 0 : 1;
    CPropDataList& props = doc->RefList();
    if (props.IsEmpty()) continue;
    const CNPropObjList& objects = props.GetHead()->GetObjList();
    for (POSITION at = objects.GetHeadPosition(); at;) {
      int index;
      CString name;
      doc->GetStrDataByOrder(objects.GetNext(at)->GetOrder(), face, index, name);
    }
  }
  io.GetKorbeData()->ChangeCounterID(1);
  return 0;
}
