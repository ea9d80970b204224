// libFuzzer target: arbitrary bytes loaded as a format file (one layout).
// Loading ends in a layout or a CArchiveException, never a crash, a leak or
// an allocation larger than the input allows; a layout that loads stores
// the same bytes again, and serves documents and header copies.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzArchive.h"
#include "vextbase/VextBase.h"

using vext_fuzz::Load;
using vext_fuzz::Stored;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CNVextLayoutData layout;
  if (!Load(layout, std::string(reinterpret_cast<const char*>(data), size))) return 0;
  const std::string stored = Stored(layout);
  CNVextLayoutData again;
  if (!Load(again, stored) || Stored(again) != stored) std::abort();

  CVextBasePrtFrm frame;
  frame.SetFormat(&layout);
  CNVextDoc* doc = frame.GetData(0, 0);
  const int face = layout.GetMenCount() < 2 ? 0 : layout.GetMenCount();
  const CNPropObjList& objects = layout.GetPropObjList();
  for (POSITION pos = objects.GetHeadPosition(); pos;) {
    const CNPropObj* obj = objects.GetNext(pos);
    if (!doc->SetStrDataByOrder(obj->GetOrder(), face, "x", 0)) std::abort();
  }
  tagNVEXTDOC header{};
  if (!doc->GetVEXTDOC(&header, 0)) std::abort();
  CNVextDoc copy;
  if (!copy.SetVEXTDOC(&header, 0) || copy.GetMaxOrder(face) != layout.GetMaxOrder()) std::abort();
  GlobalFree(header.hFormat);
  delete doc;
  return 0;
}
