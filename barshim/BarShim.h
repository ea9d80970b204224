// BarShim: one barcode of the Barcode2 library as an object.
//
//   CBarWrap bar;
//   bar.Wrap_BarcodeCreate(nullptr);
//   bar.Wrap_BarcodePutType(2);             // the host's JAN-13
//   bar.Wrap_BarcodePutValue("490123456789");
//   bar.Wrap_BarcodeSaveFile("C:\\out\\jan.png", nullptr);
//   // the destructor releases the barcode
//
// Every Wrap_BarcodeX member calls Barcode2's BarcodeX with the held
// handle first and its own arguments after, and returns the library's
// result unchanged (see barcode2/Barcode2.h for what each does). Except:
//   - Wrap_BarcodePutType and Wrap_BarcodeGetType translate type codes
//     between the host's numbering and the library's: the host's 0 and 2
//     are the library's 2 and 0, the host's 30 is a second code for 10, 1
//     and 3 to 13 are the same, and any other code (negative ones too)
//     means 1;
//   - Wrap_BarcodeGetPictureDisp and Wrap_BarcodeReleasePictureDisp pass
//     no handle.
// A wrapper without a barcode passes a null handle, which the library
// answers with its error result.
//
// Lifetime: the destructor releases the barcode. Wrap_BarcodeRelease
// gives the wrapper's hold up and leaves it without a barcode, so nothing
// is released twice. Copies (copy construction, assignment) share one
// barcode, released once, when the last wrapper holding it is destroyed
// or released; a copy of a wrapper without a barcode has none either.
// Wrap_BarcodeCreate on a wrapper that holds a barcode gives that hold up
// first.
#pragma once

#include "barcode2/Barcode2.h"

#define BARSHIM_API __attribute__((visibility("default")))

class BARSHIM_API CBarWrap {
 public:
  CBarWrap();
  CBarWrap(const CBarWrap& other);
  CBarWrap& operator=(const CBarWrap& other);
  virtual ~CBarWrap();

  int Wrap_BarcodeCreate(HWND parent);
  int Wrap_BarcodeRelease();
  // The handle's value; 0 without a barcode.
  unsigned long GetBarcodeID();

  int Wrap_BarcodeAbout();

  // Properties
  int Wrap_BarcodePutType(long type);
  long Wrap_BarcodeGetType();
  int Wrap_BarcodePutRotate(long value);
  long Wrap_BarcodeGetRotate();
  int Wrap_BarcodePutUnit(long value);
  long Wrap_BarcodeGetUnit();
  int Wrap_BarcodePutCheckChar(long value);
  long Wrap_BarcodeGetCheckChar();
  int Wrap_BarcodePutMessage(long value);
  long Wrap_BarcodeGetMessage();
  int Wrap_BarcodePutCodeSet(long value);
  long Wrap_BarcodeGetCodeSet();
  int Wrap_BarcodePutBearer(long value);
  long Wrap_BarcodeGetBearer();
  int Wrap_BarcodePutBlackRatio(long value);
  long Wrap_BarcodeGetBlackRatio();
  int Wrap_BarcodePutDpiX(long value);
  long Wrap_BarcodeGetDpiX();
  int Wrap_BarcodePutDpiY(long value);
  long Wrap_BarcodeGetDpiY();
  int Wrap_BarcodePutZoom(long value);
  long Wrap_BarcodeGetZoom();
  int Wrap_BarcodePutCheckPattern(long value);
  long Wrap_BarcodeGetCheckPattern();
  int Wrap_BarcodePutDCMode(long value);
  long Wrap_BarcodeGetDCMode();
  int Wrap_BarcodePutQRModel(long value);
  long Wrap_BarcodeGetQRModel();
  int Wrap_BarcodePutQRType(long value);
  long Wrap_BarcodeGetQRType();
  int Wrap_BarcodePutQRLevel(long value);
  long Wrap_BarcodeGetQRLevel();
  int Wrap_BarcodePutQRMask(long value);
  long Wrap_BarcodeGetQRMask();
  int Wrap_BarcodePutQRConnect(long value);
  long Wrap_BarcodeGetQRConnect();
  int Wrap_BarcodePutQRSymbolNumber(long value);
  long Wrap_BarcodeGetQRSymbolNumber();
  int Wrap_BarcodePutPDFModel(long value);
  long Wrap_BarcodeGetPDFModel();
  int Wrap_BarcodePutPDFColumn(long value);
  long Wrap_BarcodeGetPDFColumn();
  int Wrap_BarcodePutPDFRow(long value);
  long Wrap_BarcodeGetPDFRow();
  int Wrap_BarcodePutPDFLevel(long value);
  long Wrap_BarcodeGetPDFLevel();
  int Wrap_BarcodePutFlatHeight(int value);
  int Wrap_BarcodeGetFlatHeight();
  int Wrap_BarcodePutPDFInitialSymbol(int value);
  int Wrap_BarcodeGetPDFInitialSymbol();
  int Wrap_BarcodePutBarColor(unsigned long value);
  unsigned long Wrap_BarcodeGetBarColor();
  int Wrap_BarcodePutBackColor(unsigned long value);
  unsigned long Wrap_BarcodeGetBackColor();
  int Wrap_BarcodePutBarHeight(double value);
  double Wrap_BarcodeGetBarHeight();
  int Wrap_BarcodePutBarRatio(double value);
  double Wrap_BarcodeGetBarRatio();
  int Wrap_BarcodePutBarWidth(double value);
  double Wrap_BarcodeGetBarWidth();
  int Wrap_BarcodePutCharGap(double value);
  double Wrap_BarcodeGetCharGap();
  int Wrap_BarcodePutCharHeight(double value);
  double Wrap_BarcodeGetCharHeight();
  int Wrap_BarcodePutCharWidth(double value);
  double Wrap_BarcodeGetCharWidth();
  int Wrap_BarcodePutElement(double value);
  double Wrap_BarcodeGetElement();
  int Wrap_BarcodePutQuiet(double value);
  double Wrap_BarcodeGetQuiet();
  int Wrap_BarcodePutPoint(double value);
  double Wrap_BarcodeGetPoint();
  int Wrap_BarcodePutStartChar(const char* value);
  long Wrap_BarcodeGetStartChar(char* buffer);
  int Wrap_BarcodePutStopChar(const char* value);
  long Wrap_BarcodeGetStopChar(char* buffer);
  int Wrap_BarcodePutValue(const char* value);
  long Wrap_BarcodeGetValue(char* buffer);
  int Wrap_BarcodePutQREscCode(unsigned char value);
  int Wrap_BarcodeGetQREscCode(unsigned char* value);
  void Wrap_BarcodePutFont(const char* face, int points, int weight);
  int Wrap_BarcodePutValueB(VARIANT data, int length);
  int Wrap_BarcodePutValueB2(unsigned char* data, int length);

  // Output
  int Wrap_BarcodeSaveFile(const char* path, void* data);
  int Wrap_BarcodeClipboard(void* data);
  int Wrap_BarcodeSetPrinterDC(HDC dc);
  int Wrap_BarcodeBarPrint(HDC dc, double x, double y, const char* data);
  int Wrap_BarcodeBarPrintB(HDC dc, double x, double y, VARIANT data, int length);
  int Wrap_BarcodeBarPrintB2(HDC dc, double x, double y, unsigned char* data, int length);
  HBITMAP Wrap_BarcodeGetBitmap(const char* data);
  HMETAFILE Wrap_BarcodeGetMetaFile(const char* data);
  HENHMETAFILE Wrap_BarcodeGetEnhMetaFile(const char* data);
  HBITMAP Wrap_BarcodeGetBitmapI(const char* data, void** contents);
  HMETAFILE Wrap_BarcodeGetMetaFileI(const char* data, void** contents);
  HENHMETAFILE Wrap_BarcodeGetEnhMetaFileI(const char* data, void** contents);
  HBITMAP Wrap_BarcodeGetBitmapB(VARIANT data, int length);
  HMETAFILE Wrap_BarcodeGetMetaFileB(VARIANT data, int length);
  HENHMETAFILE Wrap_BarcodeGetEnhMetaFileB(VARIANT data, int length);
  HBITMAP Wrap_BarcodeGetBitmapBI(VARIANT data, int length, void** contents);
  HMETAFILE Wrap_BarcodeGetMetaFileBI(VARIANT data, int length, void** contents);
  HENHMETAFILE Wrap_BarcodeGetEnhMetaFileBI(VARIANT data, int length, void** contents);
  HBITMAP Wrap_BarcodeGetBitmapB2(unsigned char* data, int length);
  HMETAFILE Wrap_BarcodeGetMetaFileB2(unsigned char* data, int length);
  HENHMETAFILE Wrap_BarcodeGetEnhMetaFileB2(unsigned char* data, int length);
  HBITMAP Wrap_BarcodeGetBitmapB2I(unsigned char* data, int length, void** contents);
  HMETAFILE Wrap_BarcodeGetMetaFileB2I(unsigned char* data, int length, void** contents);
  HENHMETAFILE Wrap_BarcodeGetEnhMetaFileB2I(unsigned char* data, int length, void** contents);
  void* Wrap_BarcodeGetPictureDisp();
  void Wrap_BarcodeReleasePictureDisp(void* picture);

  // Measures and errors
  long Wrap_BarcodeGetCheckDigitChar(const char* data, char* buffer);
  double Wrap_BarcodeGetWidth();
  double Wrap_BarcodeGetHeight();
  double Wrap_BarcodeGetScaleWidth(long dpi);
  double Wrap_BarcodeGetScaleHeight(long dpi);
  long Wrap_BarcodeGetErrorNumber();
  int Wrap_BarcodeGetErrorMessage(char* buffer);

 protected:
  HBARCODE m_hBarcode;  // null until created, and again after release
};
