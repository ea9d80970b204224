#include "Barcode2Recorder.h"

#include <cstdio>
#include <sstream>

namespace recorder {

std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}

}  // namespace recorder

namespace {

std::string Text(const void* p) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", p);
  return p ? text : "0";
}
std::string Text(HWND window) { return Text(reinterpret_cast<const void*>(window.Value())); }
std::string Text(long v) { return std::to_string(v); }
std::string Text(int v) { return std::to_string(v); }
std::string Text(unsigned long v) { return std::to_string(v); }
std::string Text(unsigned char v) { return "byte " + std::to_string(v); }
std::string Text(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}
std::string Text(const VARIANT& v) { return "variant " + std::to_string(v.vt) + " " + Text(v.byref); }

template <class... Args>
void Record(const char* name, const Args&... args) {
  std::string call = std::string(name) + "(";
  bool first = true;
  ((call += (first ? "" : ", ") + Text(args), first = false), ...);
  recorder::Calls().push_back(call + ")");
}

long g_type = 1;
unsigned long g_nextHandle = recorder::kFirstHandle;

}  // namespace

void recorder::SetType(long type) { g_type = type; }

#define RECORD(...) Record(__func__ __VA_OPT__(, ) __VA_ARGS__)

int BarcodeCreate(HWND parent, HBARCODE* handle) {
  RECORD(parent);
  *handle = reinterpret_cast<HBARCODE>(g_nextHandle);
  g_nextHandle += 16;
  return recorder::kInt;
}
int BarcodeRelease(HBARCODE h) { RECORD(h); return recorder::kInt; }
int BarcodeAbout(HBARCODE h) { RECORD(h); return recorder::kInt; }

// The type is kept, so that a test sees what the wrapper made of it.
int BarcodePutType(HBARCODE h, long v) {
  RECORD(h, v);
  g_type = v;
  return recorder::kInt;
}
long BarcodeGetType(HBARCODE h) { RECORD(h); return g_type; }

#define RECORDED_PROPERTY(Name, Type, Result)                                        \
  int BarcodePut##Name(HBARCODE h, Type v) { RECORD(h, v); return recorder::kInt; } \
  Type BarcodeGet##Name(HBARCODE h) { RECORD(h); return Result; }

RECORDED_PROPERTY(Rotate, long, recorder::kLong)
RECORDED_PROPERTY(Unit, long, recorder::kLong)
RECORDED_PROPERTY(CheckChar, long, recorder::kLong)
RECORDED_PROPERTY(Message, long, recorder::kLong)
RECORDED_PROPERTY(CodeSet, long, recorder::kLong)
RECORDED_PROPERTY(Bearer, long, recorder::kLong)
RECORDED_PROPERTY(BlackRatio, long, recorder::kLong)
RECORDED_PROPERTY(DpiX, long, recorder::kLong)
RECORDED_PROPERTY(DpiY, long, recorder::kLong)
RECORDED_PROPERTY(Zoom, long, recorder::kLong)
RECORDED_PROPERTY(CheckPattern, long, recorder::kLong)
RECORDED_PROPERTY(DCMode, long, recorder::kLong)
RECORDED_PROPERTY(QRModel, long, recorder::kLong)
RECORDED_PROPERTY(QRType, long, recorder::kLong)
RECORDED_PROPERTY(QRLevel, long, recorder::kLong)
RECORDED_PROPERTY(QRMask, long, recorder::kLong)
RECORDED_PROPERTY(QRConnect, long, recorder::kLong)
RECORDED_PROPERTY(QRSymbolNumber, long, recorder::kLong)
RECORDED_PROPERTY(PDFModel, long, recorder::kLong)
RECORDED_PROPERTY(PDFColumn, long, recorder::kLong)
RECORDED_PROPERTY(PDFRow, long, recorder::kLong)
RECORDED_PROPERTY(PDFLevel, long, recorder::kLong)
RECORDED_PROPERTY(FlatHeight, int, recorder::kInt)
RECORDED_PROPERTY(PDFInitialSymbol, int, recorder::kInt)
RECORDED_PROPERTY(BarColor, unsigned long, recorder::kUnsignedLong)
RECORDED_PROPERTY(BackColor, unsigned long, recorder::kUnsignedLong)
RECORDED_PROPERTY(BarHeight, double, recorder::kDouble)
RECORDED_PROPERTY(BarRatio, double, recorder::kDouble)
RECORDED_PROPERTY(BarWidth, double, recorder::kDouble)
RECORDED_PROPERTY(CharGap, double, recorder::kDouble)
RECORDED_PROPERTY(CharHeight, double, recorder::kDouble)
RECORDED_PROPERTY(CharWidth, double, recorder::kDouble)
RECORDED_PROPERTY(Element, double, recorder::kDouble)
RECORDED_PROPERTY(Quiet, double, recorder::kDouble)
RECORDED_PROPERTY(Point, double, recorder::kDouble)

#define RECORDED_TEXT_PROPERTY(Name)                                                           \
  int BarcodePut##Name(HBARCODE h, const char* v) { RECORD(h, v); return recorder::kInt; } \
  long BarcodeGet##Name(HBARCODE h, char* buffer) { RECORD(h, buffer); return recorder::kLong; }

RECORDED_TEXT_PROPERTY(StartChar)
RECORDED_TEXT_PROPERTY(StopChar)
RECORDED_TEXT_PROPERTY(Value)

int BarcodePutValueB(HBARCODE h, VARIANT data, int length) { RECORD(h, data, length); return recorder::kInt; }
int BarcodePutValueB2(HBARCODE h, unsigned char* data, int length) {
  RECORD(h, data, length);
  return recorder::kInt;
}
int BarcodePutQREscCode(HBARCODE h, unsigned char v) { RECORD(h, v); return recorder::kInt; }
int BarcodeGetQREscCode(HBARCODE h, unsigned char* v) { RECORD(h, v); return recorder::kInt; }
void BarcodePutFont(HBARCODE h, const char* face, int points, int weight) { RECORD(h, face, points, weight); }

int BarcodeSaveFile(HBARCODE h, const char* path, void* data) { RECORD(h, path, data); return recorder::kInt; }
int BarcodeClipboard(HBARCODE h, void* data) { RECORD(h, data); return recorder::kInt; }
int BarcodeSetPrinterDC(HBARCODE h, HDC dc) { RECORD(h, dc); return recorder::kInt; }
int BarcodeBarPrint(HBARCODE h, HDC dc, double x, double y, const char* data) {
  RECORD(h, dc, x, y, data);
  return recorder::kInt;
}
int BarcodeBarPrintB(HBARCODE h, HDC dc, double x, double y, VARIANT data, int length) {
  RECORD(h, dc, x, y, data, length);
  return recorder::kInt;
}
int BarcodeBarPrintB2(HBARCODE h, HDC dc, double x, double y, unsigned char* data, int length) {
  RECORD(h, dc, x, y, data, length);
  return recorder::kInt;
}

#define RECORDED_IMAGE(Name, Handle, Result)                                                         \
  Handle BarcodeGet##Name(HBARCODE h, const char* d) { RECORD(h, d); return Result; }               \
  Handle BarcodeGet##Name##I(HBARCODE h, const char* d, void** c) { RECORD(h, d, c); return Result; } \
  Handle BarcodeGet##Name##B(HBARCODE h, VARIANT d, int n) { RECORD(h, d, n); return Result; }       \
  Handle BarcodeGet##Name##BI(HBARCODE h, VARIANT d, int n, void** c) {                             \
    RECORD(h, d, n, c);                                                                             \
    return Result;                                                                                  \
  }                                                                                                 \
  Handle BarcodeGet##Name##B2(HBARCODE h, unsigned char* d, int n) { RECORD(h, d, n); return Result; } \
  Handle BarcodeGet##Name##B2I(HBARCODE h, unsigned char* d, int n, void** c) {                      \
    RECORD(h, d, n, c);                                                                             \
    return Result;                                                                                  \
  }

RECORDED_IMAGE(Bitmap, HBITMAP, recorder::Bitmap())
RECORDED_IMAGE(MetaFile, HMETAFILE, recorder::MetaFile())
RECORDED_IMAGE(EnhMetaFile, HENHMETAFILE, recorder::EnhMetaFile())

void* BarcodeGetPictureDisp() { RECORD(); return recorder::Picture(); }
void BarcodeReleasePictureDisp(void* picture) { RECORD(picture); }

long BarcodeGetCheckDigitChar(HBARCODE h, const char* data, char* buffer) {
  RECORD(h, data, buffer);
  return recorder::kLong;
}
double BarcodeGetWidth(HBARCODE h) { RECORD(h); return recorder::kDouble; }
double BarcodeGetHeight(HBARCODE h) { RECORD(h); return recorder::kDouble; }
double BarcodeGetScaleWidth(HBARCODE h, long dpi) { RECORD(h, dpi); return recorder::kDouble; }
double BarcodeGetScaleHeight(HBARCODE h, long dpi) { RECORD(h, dpi); return recorder::kDouble; }
long BarcodeGetErrorNumber(HBARCODE h) { RECORD(h); return recorder::kLong; }
int BarcodeGetErrorMessage(HBARCODE h, char* buffer) { RECORD(h, buffer); return recorder::kInt; }
