// The symbol as bitmap, metafile, drawing on a device context and files
// of each format; every picture still reads back, and the sizes agree.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "Decoders.h"
#include "platform/text/Sj.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Gdi.h"

namespace {

using namespace barcode2_test;

constexpr const char* kQrValue = "OUTPUT-TEST 0123";

std::string Head(const std::filesystem::path& path, std::size_t n) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(n, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(n));
  return bytes.substr(0, static_cast<std::size_t>(in.gcount()));
}

class Output : public ::testing::Test {
 protected:
  void SetUp() override {
    BarcodePutType(bar, BARCODE_TYPE_QR);
    BarcodePutValue(bar, kQrValue);
  }
  // Saves a device context's surface and decodes it.
  std::string DecodeSurface(HDC dc) {
    const auto png = folder / "surface.png";
    vext::SavePng(vext::DeviceContextFromHandle(dc)->Surface(), png.c_str());
    return Zbar(png);
  }
  Barcode bar;
  ScratchFolder folder;
};

TEST_F(Output, BitmapReadsBackAndIsTheCallersToDelete) {
  void* bits = nullptr;
  const HBITMAP bitmap = BarcodeGetBitmapI(bar, nullptr, &bits);
  ASSERT_NE(bitmap, nullptr) << Message(bar);
  const vext::Image* image = vext::BitmapImage(bitmap);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(bits, image->Bits());
  // At 300 dpi a 0.5 mm cell is 6 dots; 21 cells and 4 of quiet zone each side.
  EXPECT_EQ(image->Width(), 29 * 6);
  EXPECT_EQ(BarcodeGetScaleWidth(bar, 300), 29 * 6);
  const auto png = folder / "bitmap.png";
  vext::SavePng(*image, png.c_str(), 300, 300);
  EXPECT_EQ(Zbar(png), std::string("QR-Code:") + kQrValue);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(vext::BitmapImage(bitmap), nullptr);
}

TEST_F(Output, MetafilesPlayOntoADeviceContext) {
  const HDC dc = vext::CreateImageDC(400, 400, 300, 300);
  void* contents = nullptr;
  const HENHMETAFILE enh = BarcodeGetEnhMetaFileI(bar, nullptr, &contents);
  ASSERT_NE(enh, nullptr) << Message(bar);
  const vext::Drawing* drawing = vext::EnhMetaFileDrawing(enh);
  EXPECT_EQ(contents, drawing);
  EXPECT_NEAR(drawing->width, 29 * 0.5, 1e-6);
  const RECT bounds{20, 20, 320, 320};
  ASSERT_TRUE(PlayEnhMetaFile(dc, enh, &bounds));
  EXPECT_EQ(DecodeSurface(dc), std::string("QR-Code:") + kQrValue);
  EXPECT_TRUE(DeleteEnhMetaFile(enh));
  EXPECT_FALSE(PlayEnhMetaFile(dc, enh, &bounds));

  const HDC other = vext::CreateImageDC(400, 400, 300, 300);
  const HMETAFILE meta = BarcodeGetMetaFile(bar, "METAFILE");
  ASSERT_NE(meta, nullptr);
  ASSERT_TRUE(PlayMetaFile(other, meta));
  EXPECT_EQ(DecodeSurface(other), "QR-Code:METAFILE");
  // The metafile handle is not a bitmap, nor an enhanced metafile.
  EXPECT_FALSE(DeleteObject(meta));
  EXPECT_FALSE(DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(meta)));
  EXPECT_TRUE(DeleteMetaFile(meta));
  DeleteDC(dc);
  DeleteDC(other);
}

// A printer's resolution makes the metafile's cells whole printer dots.
TEST_F(Output, PrinterResolutionSnapsMetafileModules) {
  const HDC printer = vext::CreateImageDC(10, 10, 360, 360);
  ASSERT_EQ(BarcodeSetPrinterDC(bar, printer), 1);
  const HENHMETAFILE enh = BarcodeGetEnhMetaFile(bar, nullptr);
  ASSERT_NE(enh, nullptr);
  // 0.5 mm is 7.09 dots at 360 dpi: seven dots, 0.4939 mm.
  EXPECT_NEAR(vext::EnhMetaFileDrawing(enh)->width, 29 * 7 * 25.4 / 360, 1e-6);
  DeleteEnhMetaFile(enh);
  EXPECT_EQ(BarcodeSetPrinterDC(bar, reinterpret_cast<HDC>(0x42)), 0);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_DEVICE_CONTEXT);
  DeleteDC(printer);
}

TEST_F(Output, BarPrintDrawsAtThePositionOnTheContext) {
  const HDC dc = vext::CreateImageDC(600, 400, 300, 300);
  BarcodePutType(bar, BARCODE_TYPE_JAN13);
  ASSERT_EQ(BarcodeBarPrint(bar, dc, 10.0, 5.0, "490123456789"), 1) << Message(bar);
  const vext::Image& surface = vext::DeviceContextFromHandle(dc)->Surface();
  // 10 mm and 5 mm at 300 dpi: nothing drawn above row 59 or left of column 118.
  bool blankOutside = true;
  bool inked = false;
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) {
      const bool ink = surface.At(x, y) != 0xFFFFFF;
      if (ink && (x < 118 || y < 59)) blankOutside = false;
      inked = inked || ink;
    }
  EXPECT_TRUE(blankOutside);
  EXPECT_TRUE(inked);
  EXPECT_EQ(DecodeSurface(dc), "EAN-13:4901234567894");
  EXPECT_EQ(BarcodeBarPrint(bar, reinterpret_cast<HDC>(0x42), 0, 0, nullptr), 0);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_DEVICE_CONTEXT);
  DeleteDC(dc);
}

TEST_F(Output, FilesByExtension) {
  struct Case {
    const char* name;
    std::string head;
  };
  const Case cases[] = {{"a.png", "\x89PNG"}, {"b.PNG", "\x89PNG"}, {"c.bmp", "BM"},
                        {"d.svg", "<?xml"},   {"e.eps", "%!PS"},    {"f.gif", "GIF8"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = folder / c.name;
    ASSERT_EQ(BarcodeSaveFile(bar, path.c_str(), nullptr), 1) << Message(bar);
    EXPECT_EQ(Head(path, c.head.size()), c.head);
  }
  const auto png = folder / "a.png";
  EXPECT_EQ(Zbar(png), std::string("QR-Code:") + kQrValue);

  EXPECT_EQ(BarcodeSaveFile(bar, (folder / "g.jpg").c_str(), nullptr), 0);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_FORMAT);
  EXPECT_FALSE(std::filesystem::exists(folder / "g.jpg"));
  // A folder that does not exist: the platform's own file-error text.
  const auto missing = folder / "missing" / "h.png";
  EXPECT_EQ(BarcodeSaveFile(bar, missing.c_str(), nullptr), 0);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_FILE);
  EXPECT_NE(Message(bar).find("h.png"), std::string::npos);
}

TEST_F(Output, DataArgumentsLeaveTheStoredValue) {
  unsigned char bytes[] = {'B', 'Y', 'T', 'E', 'S', '!'};
  SAFEARRAY array{1, 0, 1, 0, bytes, {{6, 0}}};
  VARIANT variant;
  variant.vt = VT_ARRAY | VT_UI1;
  variant.parray = &array;
  const HBITMAP fromVariant = BarcodeGetBitmapB(bar, variant, 5);
  ASSERT_NE(fromVariant, nullptr) << Message(bar);
  const auto png = folder / "variant.png";
  vext::SavePng(*vext::BitmapImage(fromVariant), png.c_str());
  EXPECT_EQ(Zbar(png), "QR-Code:BYTES");
  DeleteObject(fromVariant);
  // More than the array holds, a negative length, an unsupported VARIANT.
  EXPECT_EQ(BarcodeGetBitmapB(bar, variant, 7), nullptr);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_PROPERTY);
  EXPECT_EQ(BarcodeGetBitmapB2(bar, bytes, -1), nullptr);
  variant.vt = VT_I4;
  EXPECT_EQ(BarcodePutValueB(bar, variant, 1), 0);
  char value[BARCODE_MAX_VALUE + 1];
  EXPECT_EQ(BarcodeGetValue(bar, nullptr), static_cast<long>(std::strlen(kQrValue)));
  BarcodeGetValue(bar, value);
  EXPECT_STREQ(value, kQrValue);
}

// Sizes follow the unit, the zoom and the rotation.
TEST_F(Output, SizesFollowUnitZoomAndRotation) {
  BarcodePutType(bar, BARCODE_TYPE_CODE128);
  BarcodePutValue(bar, "SIZE");
  const double width = BarcodeGetWidth(bar), height = BarcodeGetHeight(bar);
  ASSERT_GT(width, 0);
  EXPECT_GT(height, 10.0);  // 10 mm of bars and the text under them
  // Every length is in the unit: the same symbol in inches, then in dots.
  BarcodePutUnit(bar, BARCODE_UNIT_INCH);
  BarcodePutBarWidth(bar, 0.33 / 25.4);
  BarcodePutBarHeight(bar, 10 / 25.4);
  EXPECT_NEAR(BarcodeGetWidth(bar), width / 25.4, 1e-9);
  EXPECT_NEAR(BarcodeGetHeight(bar), height / 25.4, 1e-9);
  BarcodePutUnit(bar, BARCODE_UNIT_DOT);
  BarcodePutBarWidth(bar, 4);
  BarcodePutBarHeight(bar, 10 / 25.4 * 300);
  EXPECT_EQ(BarcodeGetWidth(bar), BarcodeGetScaleWidth(bar, 300));
  EXPECT_NEAR(BarcodeGetWidth(bar) * 25.4 / 300, width, 1e-9);
  BarcodePutUnit(bar, BARCODE_UNIT_MM);
  BarcodePutBarWidth(bar, 0.33);
  BarcodePutBarHeight(bar, 10);
  BarcodePutRotate(bar, 1);
  EXPECT_EQ(BarcodeGetWidth(bar), height);
  EXPECT_EQ(BarcodeGetHeight(bar), width);
  BarcodePutRotate(bar, 0);
  BarcodePutZoom(bar, 200);
  EXPECT_NEAR(BarcodeGetWidth(bar), 2 * width, 0.2);
  BarcodePutZoom(bar, 100);
  BarcodePutMessage(bar, 0);
  EXPECT_NEAR(BarcodeGetHeight(bar), 10.0, 0.1);
}

// Properties that mean nothing for the current type are kept as given.
TEST_F(Output, InapplicablePropertiesAreKept) {
  BarcodePutType(bar, BARCODE_TYPE_JAN13);
  BarcodePutValue(bar, "490123456789");
  ASSERT_EQ(BarcodePutQRMask(bar, 5), 1);
  ASSERT_EQ(BarcodePutPDFRow(bar, 12), 1);
  ASSERT_EQ(BarcodePutBarRatio(bar, 3.0), 1);
  ASSERT_EQ(BarcodePutQREscCode(bar, 0x1B), 1);
  ASSERT_EQ(BarcodePutStopChar(bar, "D"), 1);
  BarcodePutFont(bar, "ＭＳ ゴシック"_sj, 9, 700);
  const auto png = folder / "jan.png";
  ASSERT_EQ(BarcodeSaveFile(bar, png.c_str(), nullptr), 1);
  EXPECT_EQ(Zbar(png), "EAN-13:4901234567894");
  EXPECT_EQ(BarcodeGetQRMask(bar), 5);
  EXPECT_EQ(BarcodeGetPDFRow(bar), 12);
  EXPECT_EQ(BarcodeGetBarRatio(bar), 3.0);
  unsigned char escape = 0;
  EXPECT_EQ(BarcodeGetQREscCode(bar, &escape), 1);
  EXPECT_EQ(escape, 0x1B);
  char stop[2];
  EXPECT_EQ(BarcodeGetStopChar(bar, stop), 1);
  EXPECT_STREQ(stop, "D");
}

// QR options reach the symbol: a fixed version sets its size.
TEST_F(Output, QrVersionAndColoursApply) {
  BarcodePutQRType(bar, 5);  // 37 x 37 cells
  BarcodePutBarColor(bar, RGB(0, 0, 128));
  BarcodePutBackColor(bar, RGB(255, 255, 224));
  const HBITMAP bitmap = BarcodeGetBitmap(bar, nullptr);
  ASSERT_NE(bitmap, nullptr);
  const vext::Image& image = *vext::BitmapImage(bitmap);
  EXPECT_EQ(image.Width(), (37 + 8) * 6);
  EXPECT_EQ(image.At(0, 0), 0xFFFFE0u);
  EXPECT_EQ(image.At(4 * 6, 4 * 6), 0x000080u);  // the finder pattern's corner
  DeleteObject(bitmap);
}

}  // namespace
