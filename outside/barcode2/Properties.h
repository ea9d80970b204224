// Everything a barcode object keeps besides its value, named as the
// library's Put and Get functions name it; Barcode2.h gives each meaning.
#pragma once

#include <string>

#include "barcode2/Barcode2.h"
#include "platform/ui/Image.h"

namespace vext::barcode2 {

struct Properties {
  long Type = BARCODE_TYPE_JAN13;
  long Rotate = 0;
  long Unit = BARCODE_UNIT_MM;
  long CheckChar = 0;
  long Message = 1;
  long CodeSet = 0;
  long Bearer = 0;
  long BlackRatio = 0;
  long DpiX = 300;
  long DpiY = 300;
  long Zoom = 100;
  long CheckPattern = 0;
  long DCMode = 0;
  long QRModel = 2;
  long QRType = 0;
  long QRLevel = 1;
  long QRMask = -1;
  long QRConnect = 0;
  long QRSymbolNumber = 1;
  long PDFModel = 0;
  long PDFColumn = 0;
  long PDFRow = 0;
  long PDFLevel = -1;
  int FlatHeight = 0;
  int PDFInitialSymbol = 0;
  unsigned long BarColor = RGB(0, 0, 0);
  unsigned long BackColor = RGB(255, 255, 255);
  double BarHeight = 10;
  double BarRatio = 2.5;
  double BarWidth = 0.33;
  double CharGap = 0;
  double CharHeight = 0;
  double CharWidth = 0;
  double Element = 0.5;
  double Quiet = -1;
  double Point = 0;
  std::string StartChar = "A";
  std::string StopChar = "A";
  unsigned char QREscCode = 0;
  std::string FontFace;
  int FontPoints = 0;
  int FontWeight = 0;
};

// Millimetres in one `unit` (BARCODE_UNIT_DOT: at `dpi`).
inline double MillimetresPer(long unit, double dpi) {
  switch (unit) {
    case BARCODE_UNIT_INCH: return 25.4;
    case BARCODE_UNIT_DOT: return 25.4 / dpi;
    default: return 1.0;
  }
}

}  // namespace vext::barcode2
