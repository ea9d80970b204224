// Every member of CBarWrap reaches the library (a recording stand-in here)
// with the handle first and its own arguments unchanged, and gives back the
// library's result unchanged.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "BarShim.h"
#include "Barcode2Recorder.h"

namespace {

std::string Hex(const void* p) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", p);
  return p ? text : "0";
}

std::string Number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

class Forwarding : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(wrap.Wrap_BarcodeCreate(nullptr), recorder::kInt);
    handle = Hex(reinterpret_cast<void*>(wrap.GetBarcodeID()));
    recorder::Calls().clear();
  }

  // The one call the last member made.
  std::string OnlyCall() {
    EXPECT_EQ(recorder::Calls().size(), 1u);
    const std::string call = recorder::Calls().empty() ? "" : recorder::Calls().back();
    recorder::Calls().clear();
    return call;
  }

  CBarWrap wrap;
  std::string handle;
};

template <class T>
struct Property {
  const char* name;
  int (CBarWrap::*put)(T);
  T (CBarWrap::*get)();
};

#define PROPERTY(Name) \
  { #Name, &CBarWrap::Wrap_BarcodePut##Name, &CBarWrap::Wrap_BarcodeGet##Name }

template <class T>
void CheckProperties(CBarWrap& wrap, const std::string& handle,
                     std::initializer_list<Property<T>> properties, T given, T returned,
                     const std::string& givenText, const std::function<std::string()>& onlyCall) {
  for (const Property<T>& p : properties) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ((wrap.*p.put)(given), recorder::kInt);
    EXPECT_EQ(onlyCall(), std::string("BarcodePut") + p.name + "(" + handle + ", " + givenText + ")");
    EXPECT_EQ((wrap.*p.get)(), returned);
    EXPECT_EQ(onlyCall(), std::string("BarcodeGet") + p.name + "(" + handle + ")");
  }
}

TEST_F(Forwarding, PropertiesPassValueAndResult) {
  const auto only = [this] { return OnlyCall(); };
  CheckProperties<long>(wrap, handle,
                        {PROPERTY(Rotate), PROPERTY(Unit), PROPERTY(CheckChar), PROPERTY(Message),
                         PROPERTY(CodeSet), PROPERTY(Bearer), PROPERTY(BlackRatio), PROPERTY(DpiX),
                         PROPERTY(DpiY), PROPERTY(Zoom), PROPERTY(CheckPattern), PROPERTY(DCMode),
                         PROPERTY(QRModel), PROPERTY(QRType), PROPERTY(QRLevel), PROPERTY(QRMask),
                         PROPERTY(QRConnect), PROPERTY(QRSymbolNumber), PROPERTY(PDFModel),
                         PROPERTY(PDFColumn), PROPERTY(PDFRow), PROPERTY(PDFLevel)},
                        -987654321L, recorder::kLong, "-987654321", only);
  CheckProperties<int>(wrap, handle, {PROPERTY(FlatHeight), PROPERTY(PDFInitialSymbol)},
                       -77, recorder::kInt, "-77", only);
  CheckProperties<unsigned long>(wrap, handle, {PROPERTY(BarColor), PROPERTY(BackColor)},
                                 0x123456UL, recorder::kUnsignedLong, "1193046", only);
  CheckProperties<double>(wrap, handle,
                          {PROPERTY(BarHeight), PROPERTY(BarRatio), PROPERTY(BarWidth),
                           PROPERTY(CharGap), PROPERTY(CharHeight), PROPERTY(CharWidth),
                           PROPERTY(Element), PROPERTY(Quiet), PROPERTY(Point)},
                          0.1 + 0.2, recorder::kDouble, Number(0.1 + 0.2), only);
}

TEST_F(Forwarding, TextAndByteMembersPassPointersThrough) {
  char text[] = "A";
  char buffer[16];
  unsigned char bytes[] = {0x82, 0xA0, 0};
  unsigned char escape = 0;
  VARIANT variant;
  variant.vt = VT_BYREF | VT_UI1;
  variant.pbVal = bytes;
  const std::string h = handle + ", ";
  const std::string var = "variant " + std::to_string(VT_BYREF | VT_UI1) + " " + Hex(bytes);

  struct Case {
    std::function<long long()> call;
    std::string expected;
    long long result;
  };
  const Case cases[] = {
      {[&] { return wrap.Wrap_BarcodePutStartChar(text); }, "BarcodePutStartChar(" + h + Hex(text) + ")", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodeGetStartChar(buffer); }, "BarcodeGetStartChar(" + h + Hex(buffer) + ")", recorder::kLong},
      {[&] { return wrap.Wrap_BarcodePutStopChar(text); }, "BarcodePutStopChar(" + h + Hex(text) + ")", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodeGetStopChar(buffer); }, "BarcodeGetStopChar(" + h + Hex(buffer) + ")", recorder::kLong},
      {[&] { return wrap.Wrap_BarcodePutValue(text); }, "BarcodePutValue(" + h + Hex(text) + ")", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodeGetValue(buffer); }, "BarcodeGetValue(" + h + Hex(buffer) + ")", recorder::kLong},
      {[&] { return wrap.Wrap_BarcodePutQREscCode(0xFE); }, "BarcodePutQREscCode(" + h + "byte 254)", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodeGetQREscCode(&escape); }, "BarcodeGetQREscCode(" + h + Hex(&escape) + ")", recorder::kInt},
      {[&] { wrap.Wrap_BarcodePutFont(text, 9, 700); return 0; }, "BarcodePutFont(" + h + Hex(text) + ", 9, 700)", 0},
      {[&] { return wrap.Wrap_BarcodePutValueB(variant, 2); }, "BarcodePutValueB(" + h + var + ", 2)", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodePutValueB2(bytes, 2); }, "BarcodePutValueB2(" + h + Hex(bytes) + ", 2)", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodeGetCheckDigitChar(text, buffer); }, "BarcodeGetCheckDigitChar(" + h + Hex(text) + ", " + Hex(buffer) + ")", recorder::kLong},
      {[&] { return wrap.Wrap_BarcodeGetErrorNumber(); }, "BarcodeGetErrorNumber(" + handle + ")", recorder::kLong},
      {[&] { return wrap.Wrap_BarcodeGetErrorMessage(buffer); }, "BarcodeGetErrorMessage(" + h + Hex(buffer) + ")", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodeAbout(); }, "BarcodeAbout(" + handle + ")", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodeClipboard(text); }, "BarcodeClipboard(" + h + Hex(text) + ")", recorder::kInt},
      {[&] { return wrap.Wrap_BarcodeSaveFile(text, buffer); }, "BarcodeSaveFile(" + h + Hex(text) + ", " + Hex(buffer) + ")", recorder::kInt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.call(), c.result);
    EXPECT_EQ(OnlyCall(), c.expected);
  }
}

TEST_F(Forwarding, DrawingMembersPassDeviceContextAndPosition) {
  HDC dc = reinterpret_cast<HDC>(0xDC0);
  char data[] = "123";
  unsigned char bytes[] = {'1', '2'};
  VARIANT variant;
  variant.vt = VT_BYREF | VT_UI1;
  variant.pbVal = bytes;
  const std::string var = "variant " + std::to_string(VT_BYREF | VT_UI1) + " " + Hex(bytes);
  const std::string at = handle + ", " + Hex(dc) + ", " + Number(-1.25) + ", " + Number(1e-3) + ", ";

  EXPECT_EQ(wrap.Wrap_BarcodeSetPrinterDC(dc), recorder::kInt);
  EXPECT_EQ(OnlyCall(), "BarcodeSetPrinterDC(" + handle + ", " + Hex(dc) + ")");
  EXPECT_EQ(wrap.Wrap_BarcodeBarPrint(dc, -1.25, 1e-3, data), recorder::kInt);
  EXPECT_EQ(OnlyCall(), "BarcodeBarPrint(" + at + Hex(data) + ")");
  EXPECT_EQ(wrap.Wrap_BarcodeBarPrintB(dc, -1.25, 1e-3, variant, 2), recorder::kInt);
  EXPECT_EQ(OnlyCall(), "BarcodeBarPrintB(" + at + var + ", 2)");
  EXPECT_EQ(wrap.Wrap_BarcodeBarPrintB2(dc, -1.25, 1e-3, bytes, 2), recorder::kInt);
  EXPECT_EQ(OnlyCall(), "BarcodeBarPrintB2(" + at + Hex(bytes) + ", 2)");

  EXPECT_EQ(wrap.Wrap_BarcodeGetWidth(), recorder::kDouble);
  EXPECT_EQ(OnlyCall(), "BarcodeGetWidth(" + handle + ")");
  EXPECT_EQ(wrap.Wrap_BarcodeGetHeight(), recorder::kDouble);
  EXPECT_EQ(OnlyCall(), "BarcodeGetHeight(" + handle + ")");
  EXPECT_EQ(wrap.Wrap_BarcodeGetScaleWidth(-600), recorder::kDouble);
  EXPECT_EQ(OnlyCall(), "BarcodeGetScaleWidth(" + handle + ", -600)");
  EXPECT_EQ(wrap.Wrap_BarcodeGetScaleHeight(1200), recorder::kDouble);
  EXPECT_EQ(OnlyCall(), "BarcodeGetScaleHeight(" + handle + ", 1200)");
}

// The image members in their six forms each, through one table per kind.
TEST_F(Forwarding, ImageMembersInEveryForm) {
  char data[] = "DATA";
  unsigned char bytes[] = {'D', 'A'};
  void* contents = nullptr;
  VARIANT variant;
  variant.vt = VT_ARRAY | VT_UI1;
  SAFEARRAY array{1, 0, 1, 0, bytes, {{2, 0}}};
  variant.parray = &array;
  const std::string h = handle + ", ";
  const std::string var = "variant " + std::to_string(VT_ARRAY | VT_UI1) + " " + Hex(&array);
  const std::string text = Hex(data), mem = Hex(bytes), out = Hex(&contents);

  struct Case {
    std::function<const void*()> call;
    std::string expected;
    const void* result;
  };
#define IMAGE_CASES(Name, Result)                                                                         \
  {[&] { return (const void*)wrap.Wrap_BarcodeGet##Name(data); }, "BarcodeGet" #Name "(" + h + text + ")", Result},  \
  {[&] { return (const void*)wrap.Wrap_BarcodeGet##Name##I(data, &contents); },                           \
   "BarcodeGet" #Name "I(" + h + text + ", " + out + ")", Result},                                        \
  {[&] { return (const void*)wrap.Wrap_BarcodeGet##Name##B(variant, 2); }, "BarcodeGet" #Name "B(" + h + var + ", 2)", Result}, \
  {[&] { return (const void*)wrap.Wrap_BarcodeGet##Name##BI(variant, 2, &contents); },                    \
   "BarcodeGet" #Name "BI(" + h + var + ", 2, " + out + ")", Result},                                     \
  {[&] { return (const void*)wrap.Wrap_BarcodeGet##Name##B2(bytes, 2); }, "BarcodeGet" #Name "B2(" + h + mem + ", 2)", Result}, \
  {[&] { return (const void*)wrap.Wrap_BarcodeGet##Name##B2I(bytes, 2, &contents); },                     \
   "BarcodeGet" #Name "B2I(" + h + mem + ", 2, " + out + ")", Result}
  const Case cases[] = {IMAGE_CASES(Bitmap, recorder::Bitmap()),
                        IMAGE_CASES(MetaFile, recorder::MetaFile()),
                        IMAGE_CASES(EnhMetaFile, recorder::EnhMetaFile())};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.call(), c.result);
    EXPECT_EQ(OnlyCall(), c.expected);
  }
}

TEST_F(Forwarding, PictureMembersPassNoHandle) {
  EXPECT_EQ(wrap.Wrap_BarcodeGetPictureDisp(), recorder::Picture());
  EXPECT_EQ(OnlyCall(), "BarcodeGetPictureDisp()");
  wrap.Wrap_BarcodeReleasePictureDisp(recorder::Picture());
  EXPECT_EQ(OnlyCall(), "BarcodeReleasePictureDisp(" + Hex(recorder::Picture()) + ")");
}

// Host codes to library codes and back, on the whole range a host can
// give, including both edges of the "anything else" rows.
TEST_F(Forwarding, TypeCodesTranslateBothWays) {
  struct Case {
    long host;
    long library;  // what BarcodePutType receives
    long back;     // what Wrap_BarcodeGetType then answers
  };
  const Case cases[] = {
      {0, 2, 0},   {1, 1, 1},   {2, 0, 2},   {3, 3, 3},   {9, 9, 9},
      {13, 13, 13}, {14, 1, 1}, {29, 1, 1},  {30, 10, 10}, {31, 1, 1},
      {-1, 1, 1},  {-30, 1, 1}, {-2147483648L, 1, 1}, {2147483647L, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.host);
    EXPECT_EQ(wrap.Wrap_BarcodePutType(c.host), recorder::kInt);
    EXPECT_EQ(OnlyCall(), "BarcodePutType(" + handle + ", " + std::to_string(c.library) + ")");
    EXPECT_EQ(wrap.Wrap_BarcodeGetType(), c.back);
    EXPECT_EQ(OnlyCall(), "BarcodeGetType(" + handle + ")");
  }
}

TEST_F(Forwarding, LibraryTypeCodesReachTheHostTranslated) {
  const std::pair<long, long> cases[] = {{0, 2}, {1, 1},  {2, 0},  {3, 3},  {10, 10},
                                         {13, 13}, {14, 1}, {30, 1}, {-1, 1}, {-2, 1}};
  for (const auto& [library, host] : cases) {
    SCOPED_TRACE(library);
    recorder::SetType(library);
    EXPECT_EQ(wrap.Wrap_BarcodeGetType(), host);
    EXPECT_EQ(OnlyCall(), "BarcodeGetType(" + handle + ")");
  }
}

}  // namespace
