// Rendered symbols read back by independent decoders give the value given:
// every type zbarimg reads, with and without check characters; CP932 text
// in QR Code and PDF417 byte for byte; the postal code against the
// reference image kept with the tests.
#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "Decoders.h"
#include "platform/text/Sj.h"
#include "platform/ui/Gdi.h"

namespace {

using namespace barcode2_test;

// zbarimg prints UTF-8.
const char* Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct Case {
  long type;
  long checkChar;
  const char* value;
  const char* decoded;  // as zbarimg prints it
  const char* zbarOptions = "";
};

TEST(Decode, EveryTypeZbarReadsGivesTheValueBack) {
  const Case cases[] = {
      {BARCODE_TYPE_JAN13, 0, "490123456789", "EAN-13:4901234567894"},
      {BARCODE_TYPE_JAN13, 0, "4901234567894", "EAN-13:4901234567894"},
      {BARCODE_TYPE_JAN8, 0, "4901234", "EAN-8:49012347"},
      {BARCODE_TYPE_JAN8, 0, "49012347", "EAN-8:49012347"},
      {BARCODE_TYPE_UPCA, 0, "03600029145", "UPC-A:036000291452", "-Supca.enable"},
      {BARCODE_TYPE_UPCA, 0, "036000291452", "UPC-A:036000291452", "-Supca.enable"},
      // zbar reports a UPC-E as the UPC-A it stands for.
      {BARCODE_TYPE_UPCE, 0, "0425261", "UPC-A:042100005264", "-Supca.enable"},
      {BARCODE_TYPE_UPCE, 0, "04252614", "UPC-A:042100005264", "-Supca.enable"},
      {BARCODE_TYPE_CODE39, 0, "CODE 39-$/+%.", "CODE-39:CODE 39-$/+%."},
      {BARCODE_TYPE_CODE39, 1, "CODE39", "CODE-39:CODE39W"},
      {BARCODE_TYPE_NW7, 0, "40156", "Codabar:A40156A"},
      {BARCODE_TYPE_NW7, 0, "B-$:/.+D", "Codabar:B-$:/.+D"},
      {BARCODE_TYPE_NW7, 1, "40156", "Codabar:A401560A"},
      {BARCODE_TYPE_ITF, 0, "1234567890", "I2/5:1234567890"},
      {BARCODE_TYPE_ITF, 1, "12345", "I2/5:123457"},
      {BARCODE_TYPE_CODE128, 0, "Code 128 abc!", "CODE-128:Code 128 abc!"},
      {BARCODE_TYPE_GS1_128, 0, "[01]04912345123459[10]ABC", "CODE-128:010491234512345910ABC"},
      {BARCODE_TYPE_GS1_128, 0, "(01)04912345123459", "CODE-128:0104912345123459"},
      {BARCODE_TYPE_QR, 0, "https://example.jp/?q=1", "QR-Code:https://example.jp/?q=1"},
      {BARCODE_TYPE_QR, 0, "東京都千代田区丸の内一丁目1番1号"_sj,
       Utf8(u8"QR-Code:東京都千代田区丸の内一丁目1番1号")},
      {BARCODE_TYPE_CODE93, 0, "CODE-93 $/+%", "CODE-93:CODE-93 $/+%"},
      {BARCODE_TYPE_DATABAR, 0, "0491234512345", "DataBar:0104912345123459"},
      {BARCODE_TYPE_DATABAR, 0, "04912345123459", "DataBar:0104912345123459"},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.decoded);
    Barcode bar;
    ASSERT_EQ(BarcodePutType(bar, c.type), 1);
    ASSERT_EQ(BarcodePutCheckChar(bar, c.checkChar), 1);
    ASSERT_EQ(BarcodePutValue(bar, c.value), 1);
    const auto png = folder / "symbol.png";
    ASSERT_EQ(BarcodeSaveFile(bar, png.c_str(), nullptr), 1) << Message(bar);
    EXPECT_EQ(Zbar(png, c.zbarOptions), c.decoded);
  }
}

// The check characters the library computes are the ones the symbols carry.
TEST(Decode, CheckCharactersMatchTheRenderedOnes) {
  const Case cases[] = {
      {BARCODE_TYPE_CODE39, 1, "ABC-123", "CODE-39:ABC-123"},
      {BARCODE_TYPE_NW7, 1, "C0123456789D", "Codabar:C0123456789D"},
      {BARCODE_TYPE_ITF, 1, "9876543", "I2/5:9876543"},
      {BARCODE_TYPE_JAN13, 0, "978488337112", "EAN-13:978488337112"},
      {BARCODE_TYPE_JAN8, 0, "4512345", "EAN-8:4512345"},
  };
  ScratchFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    Barcode bar;
    BarcodePutType(bar, c.type);
    BarcodePutCheckChar(bar, c.checkChar);
    char check[4] = {};
    ASSERT_EQ(BarcodeGetCheckDigitChar(bar, c.value, check), 1) << Message(bar);
    const auto png = folder / "symbol.png";
    ASSERT_EQ(BarcodeSaveFile(bar, png.c_str(), const_cast<char*>(c.value)), 1) << Message(bar);
    std::string expected = c.decoded;
    // NW-7 carries its check character before the stop character.
    expected.insert(c.type == BARCODE_TYPE_NW7 ? expected.size() - 1 : expected.size(), check);
    EXPECT_EQ(Zbar(png), expected);
  }
}

// CP932 bytes, including NEC special characters that strict Shift_JIS
// lacks, travel unchanged in byte mode.
TEST(Decode, JapaneseTextKeepsItsCp932Bytes) {
  const std::string text = "〒100-0005 東京都千代田区丸の内１－１ ①㈱髙"_sj;
  ScratchFolder folder;
  for (long type : {BARCODE_TYPE_QR, BARCODE_TYPE_PDF417}) {
    SCOPED_TRACE(type);
    Barcode bar;
    BarcodePutType(bar, type);
    ASSERT_EQ(BarcodePutValue(bar, text.c_str()), 1);
    const auto png = folder / "symbol.png";
    ASSERT_EQ(BarcodeSaveFile(bar, png.c_str(), nullptr), 1) << Message(bar);
    EXPECT_EQ(ZxingBytes(png), Hex(text));
  }
}

TEST(Decode, BinaryPdf417FromBytes) {
  const unsigned char data[] = {0x00, 0x01, 0xFF, 'P', 'D', 'F', 0x00, 0x82, 0xA0};
  ScratchFolder folder;
  Barcode bar;
  BarcodePutType(bar, BARCODE_TYPE_PDF417);
  BarcodePutPDFColumn(bar, 4);
  ASSERT_EQ(BarcodePutValueB2(bar, const_cast<unsigned char*>(data), sizeof data), 1);
  const auto png = folder / "symbol.png";
  ASSERT_EQ(BarcodeSaveFile(bar, png.c_str(), nullptr), 1) << Message(bar);
  EXPECT_EQ(ZxingBytes(png), Hex(std::string(reinterpret_cast<const char*>(data), sizeof data)));
}

// The pixels of a PNG file (8-bit RGB or grey), or an empty image.
vext::Image ReadPng(const std::filesystem::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
  vext::Image out(static_cast<int>(image.width), static_cast<int>(image.height));
  for (std::size_t i = 0; i < rgb.size() / 3; ++i)
    out.Bits()[i] =
        static_cast<vext::Pixel>(rgb[3 * i]) << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
  return out;
}

// No packaged decoder reads the Japan Post customer barcode: its rendering
// is held against a reference image checked by eye when it was made.
TEST(Decode, PostalCodeMatchesItsReferenceImage) {
  Barcode bar;
  BarcodePutType(bar, BARCODE_TYPE_POSTAL);
  BarcodePutValue(bar, "1500011-3-3-10");
  void* bits = nullptr;
  const HBITMAP bitmap = BarcodeGetBitmapI(bar, nullptr, &bits);
  ASSERT_NE(bitmap, nullptr) << Message(bar);
  const vext::Image& rendered = *vext::BitmapImage(bitmap);
  const vext::Image reference =
      ReadPng(std::filesystem::path(VEXT_BARCODE2_TEST_DATA) / "postal-1500011-3-3-10.png");
  ASSERT_FALSE(reference.Empty());
  ASSERT_EQ(rendered.Width(), reference.Width());
  ASSERT_EQ(rendered.Height(), reference.Height());
  EXPECT_TRUE(std::equal(rendered.Bits(), rendered.Bits() + rendered.Width() * rendered.Height(),
                         reference.Bits()));
  EXPECT_EQ(bits, rendered.Bits());
  DeleteObject(bitmap);
}

}  // namespace
