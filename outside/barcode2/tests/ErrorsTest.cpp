// Wrong values, wrong properties and dead handles: each gives its error
// number and message, nothing is stored from a refused call, and nothing
// crashes.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "Decoders.h"
#include "platform/text/Sj.h"

namespace {

using namespace barcode2_test;

TEST(Errors, WrongValuesGiveTheirCause) {
  struct Case {
    long type;
    long checkChar;
    std::string value;
    long error;
  };
  const Case cases[] = {
      {BARCODE_TYPE_JAN13, 0, "49012345678", BARCODE_ERROR_LENGTH},
      // Eight digits are never padded into a JAN-13.
      {BARCODE_TYPE_JAN13, 0, "49012347", BARCODE_ERROR_LENGTH},
      {BARCODE_TYPE_JAN13, 0, "4901234567890", BARCODE_ERROR_CHECK_DIGIT},
      {BARCODE_TYPE_JAN13, 0, "49012345678A", BARCODE_ERROR_CHARACTER},
      {BARCODE_TYPE_JAN8, 0, "490123", BARCODE_ERROR_LENGTH},
      {BARCODE_TYPE_JAN8, 0, "49012345", BARCODE_ERROR_CHECK_DIGIT},
      {BARCODE_TYPE_UPCA, 0, "036000291453", BARCODE_ERROR_CHECK_DIGIT},
      {BARCODE_TYPE_UPCE, 0, "2425261", BARCODE_ERROR_CHARACTER},
      {BARCODE_TYPE_UPCE, 0, "425261", BARCODE_ERROR_LENGTH},
      {BARCODE_TYPE_CODE39, 0, "abc", BARCODE_ERROR_CHARACTER},
      {BARCODE_TYPE_NW7, 0, "12a4", BARCODE_ERROR_CHARACTER},
      {BARCODE_TYPE_NW7, 0, "AB", BARCODE_ERROR_NO_DATA},
      // An odd count would silently get a leading zero.
      {BARCODE_TYPE_ITF, 0, "12345", BARCODE_ERROR_LENGTH},
      {BARCODE_TYPE_ITF, 1, "1234", BARCODE_ERROR_LENGTH},
      {BARCODE_TYPE_CODE128, 0, "コード"_sj, BARCODE_ERROR_CHARACTER},
      {BARCODE_TYPE_CODE93, 0, "\x80", BARCODE_ERROR_CHARACTER},
      {BARCODE_TYPE_POSTAL, 0, "150-abc", BARCODE_ERROR_CHARACTER},
      {BARCODE_TYPE_DATABAR, 0, "049123451234", BARCODE_ERROR_LENGTH},
      {BARCODE_TYPE_DATABAR, 0, "04912345123450", BARCODE_ERROR_CHECK_DIGIT},
      {BARCODE_TYPE_GS1_128, 0, "01049123451234", BARCODE_ERROR_CHARACTER},
      {BARCODE_TYPE_CODE39, 0, std::string(200, 'A'), BARCODE_ERROR_TOO_LONG},
      {BARCODE_TYPE_QR, 0, std::string(3000, 'x'), BARCODE_ERROR_TOO_LONG},
      {BARCODE_TYPE_QR, 0, "", BARCODE_ERROR_NO_DATA},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    Barcode bar;
    BarcodePutType(bar, c.type);
    BarcodePutCheckChar(bar, c.checkChar);
    ASSERT_EQ(BarcodePutValue(bar, c.value.c_str()), 1);
    EXPECT_EQ(BarcodeGetBitmap(bar, nullptr), nullptr);
    EXPECT_EQ(BarcodeGetErrorNumber(bar), c.error);
    EXPECT_EQ(BarcodeGetWidth(bar), 0.0);
    EXPECT_EQ(BarcodeGetErrorNumber(bar), c.error);
  }
}

TEST(Errors, MessagesAreJapaneseAndSizedOnRequest) {
  Barcode bar;
  BarcodePutValue(bar, "49012345");
  BarcodeGetBitmap(bar, nullptr);
  EXPECT_EQ(Message(bar), "データの桁数が正しくありません"_sj);
  EXPECT_EQ(BarcodeGetErrorMessage(bar, nullptr), static_cast<int>(Message(bar).size()));
  EXPECT_EQ(BarcodePutType(bar, 14), 0);
  EXPECT_EQ(Message(bar), "バーコードの種類が正しくありません"_sj);
  EXPECT_EQ(BarcodePutValue(bar, std::string(BARCODE_MAX_VALUE + 1, '1').c_str()), 0);
  EXPECT_EQ(Message(bar), "データが長すぎます"_sj);
  // A success clears the error.
  EXPECT_EQ(BarcodePutValue(bar, "490123456789"), 1);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_NONE);
  EXPECT_EQ(Message(bar), "");
}

// Out-of-range property values are refused and leave the old value.
TEST(Errors, PropertyRangesAreEnforced) {
  struct Case {
    const char* name;
    int (*put)(HBARCODE, long);
    long (*get)(HBARCODE);
    long good, bad;
  };
  const Case cases[] = {
      {"Type", BarcodePutType, BarcodeGetType, 13, -1},
      {"Rotate", BarcodePutRotate, BarcodeGetRotate, 3, 90},
      {"Unit", BarcodePutUnit, BarcodeGetUnit, 2, 3},
      {"DpiX", BarcodePutDpiX, BarcodeGetDpiX, 9600, 0},
      {"Zoom", BarcodePutZoom, BarcodeGetZoom, 1, 0},
      {"QRLevel", BarcodePutQRLevel, BarcodeGetQRLevel, 3, 4},
      {"QRMask", BarcodePutQRMask, BarcodeGetQRMask, 7, 8},
      {"QRType", BarcodePutQRType, BarcodeGetQRType, 40, 41},
      {"PDFLevel", BarcodePutPDFLevel, BarcodeGetPDFLevel, 8, -2},
      {"PDFColumn", BarcodePutPDFColumn, BarcodeGetPDFColumn, 30, 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Barcode bar;
    ASSERT_EQ(c.put(bar, c.good), 1);
    EXPECT_EQ(c.put(bar, c.bad), 0);
    EXPECT_NE(BarcodeGetErrorNumber(bar), BARCODE_ERROR_NONE);
    EXPECT_EQ(c.get(bar), c.good);
  }
  Barcode bar;
  EXPECT_EQ(BarcodePutBarWidth(bar, 0.0), 0);
  EXPECT_EQ(BarcodePutBarHeight(bar, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(BarcodePutQuiet(bar, std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(BarcodePutBarColor(bar, 0x1000000), 0);
  EXPECT_EQ(BarcodePutStartChar(bar, "E"), 0);
  EXPECT_EQ(BarcodePutStartChar(bar, nullptr), 0);
  EXPECT_EQ(BarcodePutValue(bar, nullptr), 0);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_PROPERTY);
  // A module larger than the encoder draws is refused when rendering.
  BarcodePutValue(bar, "490123456789");
  BarcodePutBarWidth(bar, 50);
  EXPECT_EQ(BarcodeGetBitmap(bar, nullptr), nullptr);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_PROPERTY);
}

// Null, released and made-up handles: every kind of function fails
// cleanly and the thread's handle error says why.
TEST(Errors, DeadHandlesAreRefused) {
  HBARCODE released = nullptr;
  ASSERT_EQ(BarcodeCreate(nullptr, &released), 1);
  ASSERT_EQ(BarcodeRelease(released), 1);
  char buffer[BARCODE_MAX_VALUE + 1] = "unchanged";
  unsigned char byte = 7;
  const HDC dc = vext::CreateImageDC(100, 100, 300, 300);
  for (HBARCODE handle : {HBARCODE{}, released, reinterpret_cast<HBARCODE>(0x1234)}) {
    SCOPED_TRACE(reinterpret_cast<std::uintptr_t>(handle));
    EXPECT_EQ(BarcodeRelease(handle), 0);
    EXPECT_EQ(BarcodePutRotate(handle, 1), 0);
    EXPECT_EQ(BarcodeGetRotate(handle), 0);
    EXPECT_EQ(BarcodeGetBarWidth(handle), 0.0);
    EXPECT_EQ(BarcodeGetValue(handle, buffer), 0);
    EXPECT_EQ(BarcodeGetQREscCode(handle, &byte), 0);
    BarcodePutFont(handle, "MS Gothic", 9, 400);
    EXPECT_EQ(BarcodeSaveFile(handle, "/nonexistent/x.png", nullptr), 0);
    EXPECT_EQ(BarcodeBarPrint(handle, dc, 0, 0, "1"), 0);
    EXPECT_EQ(BarcodeGetEnhMetaFileB2(handle, nullptr, 0), nullptr);
    EXPECT_EQ(BarcodeGetCheckDigitChar(handle, "1", buffer), 0);
    EXPECT_EQ(BarcodeGetScaleWidth(handle, 300), 0.0);
    EXPECT_EQ(BarcodeGetErrorNumber(handle), BARCODE_ERROR_HANDLE);
    EXPECT_EQ(Message(handle), "バーコードのハンドルが正しくありません"_sj);
  }
  EXPECT_STREQ(buffer, "unchanged");
  EXPECT_EQ(byte, 7);
  EXPECT_EQ(BarcodeCreate(nullptr, nullptr), 0);
  DeleteDC(dc);
}

TEST(Errors, NoClipboardOrPictureObjects) {
  Barcode bar;
  BarcodePutValue(bar, "490123456789");
  EXPECT_EQ(BarcodeClipboard(bar, nullptr), 0);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_UNAVAILABLE);
  EXPECT_EQ(BarcodeGetPictureDisp(), nullptr);
  EXPECT_EQ(BarcodeGetErrorNumber(nullptr), BARCODE_ERROR_UNAVAILABLE);
  BarcodeReleasePictureDisp(nullptr);
}

TEST(Errors, CheckDigitsOnlyWhereTheTypeHasThem) {
  Barcode bar;
  char check[4] = {};
  BarcodePutType(bar, BARCODE_TYPE_UPCE);
  EXPECT_EQ(BarcodeGetCheckDigitChar(bar, "0425261", check), 1);
  EXPECT_STREQ(check, "4");
  EXPECT_EQ(BarcodeGetCheckDigitChar(bar, "042526", check), 0);
  EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_LENGTH);
  BarcodePutType(bar, BARCODE_TYPE_DATABAR);
  EXPECT_EQ(BarcodeGetCheckDigitChar(bar, "0491234512345", check), 1);
  EXPECT_STREQ(check, "9");
  for (long type : {BARCODE_TYPE_QR, BARCODE_TYPE_CODE128, BARCODE_TYPE_POSTAL}) {
    BarcodePutType(bar, type);
    EXPECT_EQ(BarcodeGetCheckDigitChar(bar, "123", check), 0);
    EXPECT_EQ(BarcodeGetErrorNumber(bar), BARCODE_ERROR_NO_CHECK_DIGIT);
  }
}

}  // namespace
