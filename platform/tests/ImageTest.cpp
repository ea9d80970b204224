// Images, graphics handles and the image device context.
#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Image.h"

namespace {

using vext::Image;
using vext::Pixel;

// Decodes PNG bytes back to pixels with libpng's simplified reader.
Image Decode(const std::vector<BYTE>& png) {
  png_image info{};
  info.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&info, png.data(), png.size())) return {};
  info.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(info));
  if (!png_image_finish_read(&info, nullptr, rgb.data(), 0, nullptr)) return {};
  Image out(static_cast<int>(info.width), static_cast<int>(info.height));
  for (std::size_t i = 0; i < rgb.size() / 3; ++i)
    out.Bits()[i] = static_cast<Pixel>(rgb[3 * i]) << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
  return out;
}

bool SamePixels(const Image& a, const Image& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::equal(a.Bits(), a.Bits() + a.Width() * a.Height(), b.Bits());
}

// Palette images of 2, 3-4, 5-16 colours (odd widths, so that rows end
// inside a byte) and an RGB image of many colours come back exactly.
TEST(Image, PngKeepsEveryPixel) {
  for (int colours : {1, 2, 3, 5, 16, 17, 300}) {
    SCOPED_TRACE(colours);
    Image image(37, 11);
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        image.Set(x, y, static_cast<Pixel>((x * 7 + y * 3) % colours) * 0x010203u & 0xFFFFFF);
    // Repeated rows as in a barcode's bars.
    image.Draw(Image(37, 1, 0x123456), 0, 5);
    image.Draw(Image(37, 1, 0x123456), 0, 6);
    const Image back = Decode(vext::EncodePng(image, 300, 300));
    EXPECT_TRUE(SamePixels(image, back));
  }
  EXPECT_TRUE(vext::EncodePng(Image()).empty());
}

TEST(Image, SizesOutsideTheLimitsGiveNoImage) {
  EXPECT_TRUE(Image(0, 10).Empty());
  EXPECT_TRUE(Image(10, -1).Empty());
  EXPECT_TRUE(Image(Image::kMaxSide + 1, 1).Empty());
  EXPECT_EQ(vext::CreateImageDC(100, 100, 0, 300), nullptr);
  EXPECT_EQ(vext::CreateImageDC(100, 0, 300, 300), nullptr);
}

// Drawing clips at every edge, far-off positions included.
TEST(Image, DrawingIsClipped) {
  Image target(10, 10, 0xFFFFFF);
  const Image square(4, 4, 0);
  target.Draw(square, -2, -2);
  target.Draw(square, 8, 8);
  target.Draw(square, 2147483000, -2147483000);
  target.Fill(RECT{-5, 9, 100, 100}, 0x00FF00);
  int black = 0, green = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      black += target.At(x, y) == 0;
      green += target.At(x, y) == 0x00FF00;
    }
  EXPECT_EQ(black, 4 + 2);  // 2x2 at the top left, 2x1 left at the bottom right
  EXPECT_EQ(green, 10);
  EXPECT_EQ(target.At(-1, 0), 0u);
}

TEST(DeviceContext, MetafilesPlayScaledAndHandlesDie) {
  vext::Drawing drawing;
  drawing.width = 10;  // mm
  drawing.height = 10;
  drawing.rects.push_back({5, 0, 5, 5, RGB(255, 0, 0)});
  drawing.texts.push_back({5, 9, 2, "12", RGB(0, 0, 0)});
  const HENHMETAFILE enh = vext::NewEnhMetaFile(drawing);
  const HMETAFILE meta = vext::NewMetaFile(drawing);
  const HDC dc = vext::CreateImageDC(200, 100, 254, 254);  // 10 dots a millimetre
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 254);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 200);

  const RECT right{100, 0, 200, 100};
  ASSERT_TRUE(PlayEnhMetaFile(dc, enh, &right));
  ASSERT_TRUE(PlayMetaFile(dc, meta));  // its own 10 mm: 100 dots
  const vext::DeviceContext& context = *vext::DeviceContextFromHandle(dc);
  for (int left : {0, 100}) {
    EXPECT_EQ(context.Surface().At(left + 49, 10), 0xFFFFFFu);
    EXPECT_EQ(context.Surface().At(left + 50, 10), 0xFF0000u);
    EXPECT_EQ(context.Surface().At(left + 99, 49), 0xFF0000u);
    EXPECT_EQ(context.Surface().At(left + 99, 50), 0xFFFFFFu);
  }
  ASSERT_EQ(context.TextRuns().size(), 2u);
  EXPECT_EQ(context.TextRuns()[0].x, 150);
  EXPECT_EQ(context.TextRuns()[0].height, 20);

  EXPECT_TRUE(DeleteEnhMetaFile(enh));
  EXPECT_FALSE(DeleteEnhMetaFile(enh));
  EXPECT_FALSE(PlayEnhMetaFile(dc, enh, &right));
  EXPECT_FALSE(DeleteMetaFile(reinterpret_cast<HMETAFILE>(enh)));
  EXPECT_TRUE(DeleteMetaFile(meta));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 0);
  EXPECT_FALSE(PlayMetaFile(dc, meta));
}

}  // namespace
