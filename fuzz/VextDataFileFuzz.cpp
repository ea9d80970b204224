// libFuzzer target: arbitrary bytes loaded as a data file or original-form
// file (one data set with its layouts). Loading ends in a data set or a
// CArchiveException, never a crash or a leak; the reader never passes the
// end of its input; a data set that loads stores the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzArchive.h"
#include "vextbase/VextBase.h"

using vext_fuzz::Load;
using vext_fuzz::Stored;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CVextFileIO io;
  const auto used = Load(io, std::string(reinterpret_cast<const char*>(data), size));
  if (!used) return 0;
  if (*used > size) std::abort();
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
