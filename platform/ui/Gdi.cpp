#include "platform/ui/Gdi.h"
#include "platform/base/BoolConstants.h"

#include "platform/ui/detail/GdiObjectTable.h"

namespace vext {
namespace {

struct MetaFile {
  Drawing drawing;
};
struct EnhMetaFile {
  Drawing drawing;
};

detail::GdiObjectTable<Image>& Bitmaps() {
  static detail::GdiObjectTable<Image> table(0xB1);
  return table;
}
detail::GdiObjectTable<MetaFile>& MetaFiles() {
  static detail::GdiObjectTable<MetaFile> table(0x3F);
  return table;
}
detail::GdiObjectTable<EnhMetaFile>& EnhMetaFiles() {
  static detail::GdiObjectTable<EnhMetaFile> table(0xE3);
  return table;
}

}  // namespace

HBITMAP NewBitmap(Image image) {
  if (image.Empty()) return nullptr;
  return Bitmaps().Add<HBITMAP>(std::make_unique<Image>(std::move(image)));
}

Image* BitmapImage(HBITMAP bitmap) { return Bitmaps().Find(bitmap); }

HMETAFILE NewMetaFile(Drawing drawing) {
  return MetaFiles().Add<HMETAFILE>(std::make_unique<MetaFile>(MetaFile{std::move(drawing)}));
}

HENHMETAFILE NewEnhMetaFile(Drawing drawing) {
  return EnhMetaFiles().Add<HENHMETAFILE>(
      std::make_unique<EnhMetaFile>(EnhMetaFile{std::move(drawing)}));
}

const Drawing* MetaFileDrawing(HMETAFILE metafile) {
  const MetaFile* found = MetaFiles().Find(metafile);
  return found ? &found->drawing : nullptr;
}

const Drawing* EnhMetaFileDrawing(HENHMETAFILE metafile) {
  const EnhMetaFile* found = EnhMetaFiles().Find(metafile);
  return found ? &found->drawing : nullptr;
}

}  // namespace vext

BOOL DeleteObject(HGDIOBJ object) { return vext::Bitmaps().Remove(object) ? TRUE : FALSE; }
BOOL DeleteMetaFile(HMETAFILE metafile) {
  return vext::MetaFiles().Remove(metafile) ? TRUE : FALSE;
}
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
  return vext::EnhMetaFiles().Remove(metafile) ? TRUE : FALSE;
}
