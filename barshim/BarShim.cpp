#include "BarShim.h"

#include "SharedHandles.h"
#include "TypeCodes.h"

using vext::barshim::Hold;
using vext::barshim::LetGo;

CBarWrap::CBarWrap() : m_hBarcode(nullptr) {}

CBarWrap::CBarWrap(const CBarWrap& other) : m_hBarcode(other.m_hBarcode) {
  if (m_hBarcode) Hold(m_hBarcode);
}

CBarWrap& CBarWrap::operator=(const CBarWrap& other) {
  if (other.m_hBarcode == m_hBarcode) return *this;  // self, or the same barcode already
  if (other.m_hBarcode) Hold(other.m_hBarcode);
  if (m_hBarcode) Wrap_BarcodeRelease();
  m_hBarcode = other.m_hBarcode;
  return *this;
}

CBarWrap::~CBarWrap() {
  if (m_hBarcode) Wrap_BarcodeRelease();
}

int CBarWrap::Wrap_BarcodeCreate(HWND parent) {
  if (m_hBarcode) Wrap_BarcodeRelease();
  const int result = BarcodeCreate(parent, &m_hBarcode);
  if (m_hBarcode) Hold(m_hBarcode);
  return result;
}

int CBarWrap::Wrap_BarcodeRelease() {
  const HBARCODE handle = m_hBarcode;
  m_hBarcode = nullptr;
  // A copy still holds the barcode: only this wrapper's hold ends.
  if (handle && !LetGo(handle)) return 1;
  return BarcodeRelease(handle);
}

unsigned long CBarWrap::GetBarcodeID() { return reinterpret_cast<unsigned long>(m_hBarcode); }

int CBarWrap::Wrap_BarcodeAbout() { return BarcodeAbout(m_hBarcode); }

int CBarWrap::Wrap_BarcodePutType(long type) {
  return BarcodePutType(m_hBarcode, vext::barshim::HostToLibraryType(type));
}
long CBarWrap::Wrap_BarcodeGetType() {
  return vext::barshim::LibraryToHostType(BarcodeGetType(m_hBarcode));
}

// The forwarding rule: the same suffix, the handle first, the arguments
// and the result unchanged.
#define BARSHIM_PROPERTY(Name, Type)                                                       \
  int CBarWrap::Wrap_BarcodePut##Name(Type value) { return BarcodePut##Name(m_hBarcode, value); } \
  Type CBarWrap::Wrap_BarcodeGet##Name() { return BarcodeGet##Name(m_hBarcode); }

BARSHIM_PROPERTY(Rotate, long)
BARSHIM_PROPERTY(Unit, long)
BARSHIM_PROPERTY(CheckChar, long)
BARSHIM_PROPERTY(Message, long)
BARSHIM_PROPERTY(CodeSet, long)
BARSHIM_PROPERTY(Bearer, long)
BARSHIM_PROPERTY(BlackRatio, long)
BARSHIM_PROPERTY(DpiX, long)
BARSHIM_PROPERTY(DpiY, long)
BARSHIM_PROPERTY(Zoom, long)
BARSHIM_PROPERTY(CheckPattern, long)
BARSHIM_PROPERTY(DCMode, long)
BARSHIM_PROPERTY(QRModel, long)
BARSHIM_PROPERTY(QRType, long)
BARSHIM_PROPERTY(QRLevel, long)
BARSHIM_PROPERTY(QRMask, long)
BARSHIM_PROPERTY(QRConnect, long)
BARSHIM_PROPERTY(QRSymbolNumber, long)
BARSHIM_PROPERTY(PDFModel, long)
BARSHIM_PROPERTY(PDFColumn, long)
BARSHIM_PROPERTY(PDFRow, long)
BARSHIM_PROPERTY(PDFLevel, long)
BARSHIM_PROPERTY(FlatHeight, int)
BARSHIM_PROPERTY(PDFInitialSymbol, int)
BARSHIM_PROPERTY(BarColor, unsigned long)
BARSHIM_PROPERTY(BackColor, unsigned long)
BARSHIM_PROPERTY(BarHeight, double)
BARSHIM_PROPERTY(BarRatio, double)
BARSHIM_PROPERTY(BarWidth, double)
BARSHIM_PROPERTY(CharGap, double)
BARSHIM_PROPERTY(CharHeight, double)
BARSHIM_PROPERTY(CharWidth, double)
BARSHIM_PROPERTY(Element, double)
BARSHIM_PROPERTY(Quiet, double)
BARSHIM_PROPERTY(Point, double)

#define BARSHIM_TEXT_PROPERTY(Name)                                                              \
  int CBarWrap::Wrap_BarcodePut##Name(const char* value) { return BarcodePut##Name(m_hBarcode, value); } \
  long CBarWrap::Wrap_BarcodeGet##Name(char* buffer) { return BarcodeGet##Name(m_hBarcode, buffer); }

BARSHIM_TEXT_PROPERTY(StartChar)
BARSHIM_TEXT_PROPERTY(StopChar)
BARSHIM_TEXT_PROPERTY(Value)

int CBarWrap::Wrap_BarcodePutQREscCode(unsigned char value) {
  return BarcodePutQREscCode(m_hBarcode, value);
}
int CBarWrap::Wrap_BarcodeGetQREscCode(unsigned char* value) {
  return BarcodeGetQREscCode(m_hBarcode, value);
}
void CBarWrap::Wrap_BarcodePutFont(const char* face, int points, int weight) {
  BarcodePutFont(m_hBarcode, face, points, weight);
}
int CBarWrap::Wrap_BarcodePutValueB(VARIANT data, int length) {
  return BarcodePutValueB(m_hBarcode, data, length);
}
int CBarWrap::Wrap_BarcodePutValueB2(unsigned char* data, int length) {
  return BarcodePutValueB2(m_hBarcode, data, length);
}

int CBarWrap::Wrap_BarcodeSaveFile(const char* path, void* data) {
  return BarcodeSaveFile(m_hBarcode, path, data);
}
int CBarWrap::Wrap_BarcodeClipboard(void* data) { return BarcodeClipboard(m_hBarcode, data); }
int CBarWrap::Wrap_BarcodeSetPrinterDC(HDC dc) { return BarcodeSetPrinterDC(m_hBarcode, dc); }
int CBarWrap::Wrap_BarcodeBarPrint(HDC dc, double x, double y, const char* data) {
  return BarcodeBarPrint(m_hBarcode, dc, x, y, data);
}
int CBarWrap::Wrap_BarcodeBarPrintB(HDC dc, double x, double y, VARIANT data, int length) {
  return BarcodeBarPrintB(m_hBarcode, dc, x, y, data, length);
}
int CBarWrap::Wrap_BarcodeBarPrintB2(HDC dc, double x, double y, unsigned char* data, int length) {
  return BarcodeBarPrintB2(m_hBarcode, dc, x, y, data, length);
}

#define BARSHIM_IMAGE(Name, Handle)                                                             \
  Handle CBarWrap::Wrap_BarcodeGet##Name(const char* data) {                                    \
    return BarcodeGet##Name(m_hBarcode, data);                                                  \
  }                                                                                             \
  Handle CBarWrap::Wrap_BarcodeGet##Name##I(const char* data, void** contents) {                \
    return BarcodeGet##Name##I(m_hBarcode, data, contents);                                     \
  }                                                                                             \
  Handle CBarWrap::Wrap_BarcodeGet##Name##B(VARIANT data, int length) {                         \
    return BarcodeGet##Name##B(m_hBarcode, data, length);                                       \
  }                                                                                             \
  Handle CBarWrap::Wrap_BarcodeGet##Name##BI(VARIANT data, int length, void** contents) {       \
    return BarcodeGet##Name##BI(m_hBarcode, data, length, contents);                            \
  }                                                                                             \
  Handle CBarWrap::Wrap_BarcodeGet##Name##B2(unsigned char* data, int length) {                 \
    return BarcodeGet##Name##B2(m_hBarcode, data, length);                                      \
  }                                                                                             \
  Handle CBarWrap::Wrap_BarcodeGet##Name##B2I(unsigned char* data, int length, void** contents) { \
    return BarcodeGet##Name##B2I(m_hBarcode, data, length, contents);                           \
  }

BARSHIM_IMAGE(Bitmap, HBITMAP)
BARSHIM_IMAGE(MetaFile, HMETAFILE)
BARSHIM_IMAGE(EnhMetaFile, HENHMETAFILE)

void* CBarWrap::Wrap_BarcodeGetPictureDisp() { return BarcodeGetPictureDisp(); }
void CBarWrap::Wrap_BarcodeReleasePictureDisp(void* picture) { BarcodeReleasePictureDisp(picture); }

long CBarWrap::Wrap_BarcodeGetCheckDigitChar(const char* data, char* buffer) {
  return BarcodeGetCheckDigitChar(m_hBarcode, data, buffer);
}
double CBarWrap::Wrap_BarcodeGetWidth() { return BarcodeGetWidth(m_hBarcode); }
double CBarWrap::Wrap_BarcodeGetHeight() { return BarcodeGetHeight(m_hBarcode); }
double CBarWrap::Wrap_BarcodeGetScaleWidth(long dpi) { return BarcodeGetScaleWidth(m_hBarcode, dpi); }
double CBarWrap::Wrap_BarcodeGetScaleHeight(long dpi) {
  return BarcodeGetScaleHeight(m_hBarcode, dpi);
}
long CBarWrap::Wrap_BarcodeGetErrorNumber() { return BarcodeGetErrorNumber(m_hBarcode); }
int CBarWrap::Wrap_BarcodeGetErrorMessage(char* buffer) {
  return BarcodeGetErrorMessage(m_hBarcode, buffer);
}
