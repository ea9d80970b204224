// Barcode2: the barcode renderer, a flat C interface over barcode objects.
//
//   HBARCODE bar = nullptr;
//   BarcodeCreate(nullptr, &bar);
//   BarcodePutType(bar, BARCODE_TYPE_QR);
//   BarcodePutValue(bar, text);                 // CP932 bytes
//   if (!BarcodeSaveFile(bar, "C:\\out\\qr.png", nullptr)) {
//     char message[BARCODE_MAX_MESSAGE];
//     BarcodeGetErrorMessage(bar, message);      // Japanese, CP932
//   }
//   BarcodeRelease(bar);
//
// Every function takes the object's handle first. A null, released or
// made-up handle never crashes: the call fails (0, a null handle, or 0 /
// 0.0 for a getter) with BARCODE_ERROR_HANDLE, which BarcodeGetErrorNumber
// and BarcodeGetErrorMessage then report when called with that same null
// or dead handle (the calling thread's last handle error).
//
// Results: Put functions and actions return 1 for success and 0 for
// failure; the cause is kept per object until the next call that fails or
// renders (a success clears it). Get functions return the stored value.
// Warnings of the encoder (a quiet zone or option adjusted) are successes.
//
// Strings are CP932 bytes. A value is encoded byte for byte, so Japanese
// text in a QR Code or PDF417 symbol carries its CP932 bytes (byte mode,
// no ECI), which readers in Japan decode as Shift_JIS.
//
// Buffers: a Get function that fills a char buffer writes the text and a
// NUL, and returns its length; with a null buffer it writes nothing and
// returns the length, so that the caller can size the buffer. A value is
// at most BARCODE_MAX_VALUE bytes, a message less than BARCODE_MAX_MESSAGE.
//
// Sizes: lengths (bar width and height, quiet zone, cell size, text
// sizes, positions for BarPrint, the Get...Width/Height results) are in
// the object's Unit: millimetres (default), inches, or dots of the output
// resolution (DpiX/DpiY for images and files, the device context's for
// BarPrint). Images are rendered at whole dots per module.
#pragma once

#include "platform/base/AfxTypes.h"
#include "platform/base/Variant.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Window.h"

#define BARCODE2_API extern "C" __attribute__((visibility("default")))

namespace vext::barcode2 {
// What an HBARCODE points at: nothing a caller may look into.
struct HandleTarget;
}  // namespace vext::barcode2

// One barcode object of the library; null when there is none.
using HBARCODE = vext::barcode2::HandleTarget*;

// Type codes (BarcodePutType).
enum : long {
  BARCODE_TYPE_JAN13 = 0,    // JAN-13 (EAN-13): 12 digits, or 13 with the check digit
  BARCODE_TYPE_JAN8 = 1,     // JAN-8 (EAN-8): 7 digits, or 8 with the check digit
  BARCODE_TYPE_UPCA = 2,     // UPC-A: 11 digits, or 12 with the check digit
  BARCODE_TYPE_UPCE = 3,     // UPC-E: number system 0 or 1 and 6 digits, or 8 with the check digit
  BARCODE_TYPE_CODE39 = 4,   // Code 39: 0-9 A-Z - . space $ / + %
  BARCODE_TYPE_NW7 = 5,      // NW-7 (Codabar): 0-9 - $ : / . +, start and stop A-D
  BARCODE_TYPE_ITF = 6,      // ITF: an even count of digits (check digit included)
  BARCODE_TYPE_CODE128 = 7,  // Code 128: ASCII
  BARCODE_TYPE_GS1_128 = 8,  // GS1-128: "[01]04912345123459[10]ABC" or with ( )
  BARCODE_TYPE_POSTAL = 9,   // Japan Post customer barcode: postcode and address digits, 0-9 A-Z -
  BARCODE_TYPE_QR = 10,      // QR Code: any bytes
  BARCODE_TYPE_PDF417 = 11,  // PDF417: any bytes
  BARCODE_TYPE_CODE93 = 12,  // Code 93: ASCII
  BARCODE_TYPE_DATABAR = 13  // GS1 DataBar: GTIN of 13 digits, or 14 with the check digit
};

// Units (BarcodePutUnit).
enum : long { BARCODE_UNIT_MM = 0, BARCODE_UNIT_INCH = 1, BARCODE_UNIT_DOT = 2 };

// Error numbers (BarcodeGetErrorNumber); each has its Japanese message.
enum : long {
  BARCODE_ERROR_NONE = 0,
  BARCODE_ERROR_CHARACTER = 1,        // a character the type cannot encode
  BARCODE_ERROR_LENGTH = 2,           // the wrong number of characters for the type
  BARCODE_ERROR_CHECK_DIGIT = 3,      // the check digit given is wrong
  BARCODE_ERROR_TOO_LONG = 4,         // more data than the type (or its options) can hold
  BARCODE_ERROR_TYPE = 5,             // unknown type code
  BARCODE_ERROR_HANDLE = 6,           // null or released handle
  BARCODE_ERROR_FILE = 7,             // the file could not be written
  BARCODE_ERROR_PROPERTY = 8,         // a property value out of its range
  BARCODE_ERROR_NO_DATA = 9,          // nothing to encode
  BARCODE_ERROR_FORMAT = 10,          // a file extension that names no image format
  BARCODE_ERROR_UNAVAILABLE = 11,     // clipboard and picture objects: none on this platform
  BARCODE_ERROR_DEVICE_CONTEXT = 12,  // not a live device context
  BARCODE_ERROR_RENDER = 13,          // the encoder failed otherwise
  BARCODE_ERROR_NO_CHECK_DIGIT = 14   // the type has no check character to compute
};

constexpr int BARCODE_MAX_VALUE = 7089;   // bytes, the largest QR Code (numeric)
constexpr int BARCODE_MAX_MESSAGE = 256;  // bytes, NUL included

// ---------------------------------------------------------------------
// Lifetime. BarcodeCreate stores the new object's handle in *handle (null
// when it fails); the parent window is kept for messages. BarcodeRelease
// frees the object; its handle is dead from then on.
BARCODE2_API int BarcodeCreate(HWND parent, HBARCODE* handle);
BARCODE2_API int BarcodeRelease(HBARCODE handle);
// Shows the library's name and version in a message box.
BARCODE2_API int BarcodeAbout(HBARCODE handle);

// ---------------------------------------------------------------------
// Properties. Every property is stored as given (within its range) and
// read back unchanged, also where the current type makes no use of it.
// Defaults in brackets.

// Type [0]: one of BARCODE_TYPE_...; anything else is BARCODE_ERROR_TYPE.
BARCODE2_API int BarcodePutType(HBARCODE handle, long type);
BARCODE2_API long BarcodeGetType(HBARCODE handle);
// Rotate [0]: 0, 1, 2, 3 quarter turns clockwise.
BARCODE2_API int BarcodePutRotate(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetRotate(HBARCODE handle);
// Unit [0]: BARCODE_UNIT_...
BARCODE2_API int BarcodePutUnit(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetUnit(HBARCODE handle);
// CheckChar [0]: 1 adds the optional check character of Code 39 (modulus
// 43), NW-7 (modulus 16) and ITF (modulus 10). JAN, UPC, DataBar, Code 93,
// Code 128 and the postal code always carry theirs.
BARCODE2_API int BarcodePutCheckChar(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetCheckChar(HBARCODE handle);
// Message [1]: 1 prints the text under the bars, 0 leaves it out.
BARCODE2_API int BarcodePutMessage(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetMessage(HBARCODE handle);
// CodeSet [0]: Code 128 code set, 0 automatic, 2 set B throughout; 1 (A)
// and 3 (C) are stored and encoded automatically.
BARCODE2_API int BarcodePutCodeSet(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetCodeSet(HBARCODE handle);
// Bearer [0]: bearer bars of linear codes, 0 none, 1 above and below, 2 a box.
BARCODE2_API int BarcodePutBearer(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetBearer(HBARCODE handle);
// BlackRatio [0]: stored only (bar width reduction in percent).
BARCODE2_API int BarcodePutBlackRatio(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetBlackRatio(HBARCODE handle);
// DpiX, DpiY [300]: resolution of images and files, 1 to 9600.
BARCODE2_API int BarcodePutDpiX(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetDpiX(HBARCODE handle);
BARCODE2_API int BarcodePutDpiY(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetDpiY(HBARCODE handle);
// Zoom [100]: percent applied to every size, 1 to 10000.
BARCODE2_API int BarcodePutZoom(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetZoom(HBARCODE handle);
// CheckPattern, DCMode [0]: stored only.
BARCODE2_API int BarcodePutCheckPattern(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetCheckPattern(HBARCODE handle);
BARCODE2_API int BarcodePutDCMode(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetDCMode(HBARCODE handle);
// QRModel [2]: 1 or 2; model 2 is drawn either way.
BARCODE2_API int BarcodePutQRModel(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetQRModel(HBARCODE handle);
// QRType [0]: QR Code version (size) 1 to 40, 0 the smallest that fits.
BARCODE2_API int BarcodePutQRType(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetQRType(HBARCODE handle);
// QRLevel [1]: error correction 0 L, 1 M, 2 Q, 3 H (raised when it fits free).
BARCODE2_API int BarcodePutQRLevel(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetQRLevel(HBARCODE handle);
// QRMask [-1]: mask pattern 0 to 7, -1 the best one.
BARCODE2_API int BarcodePutQRMask(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetQRMask(HBARCODE handle);
// QRConnect [0], QRSymbolNumber [1]: structured append, the count of
// symbols (2 to 16; 0 for a single symbol) and this one's position.
BARCODE2_API int BarcodePutQRConnect(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetQRConnect(HBARCODE handle);
BARCODE2_API int BarcodePutQRSymbolNumber(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetQRSymbolNumber(HBARCODE handle);
// PDFModel [0]: 0 standard PDF417, 1 compact (truncated).
BARCODE2_API int BarcodePutPDFModel(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetPDFModel(HBARCODE handle);
// PDFColumn [0]: data columns 1 to 30; PDFRow [0]: rows 3 to 90; 0 automatic.
BARCODE2_API int BarcodePutPDFColumn(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetPDFColumn(HBARCODE handle);
BARCODE2_API int BarcodePutPDFRow(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetPDFRow(HBARCODE handle);
// PDFLevel [-1]: error correction level 0 to 8, -1 automatic.
BARCODE2_API int BarcodePutPDFLevel(HBARCODE handle, long value);
BARCODE2_API long BarcodeGetPDFLevel(HBARCODE handle);
// FlatHeight [0]: 1 draws JAN and UPC guard bars flush with the others.
BARCODE2_API int BarcodePutFlatHeight(HBARCODE handle, int value);
BARCODE2_API int BarcodeGetFlatHeight(HBARCODE handle);
// PDFInitialSymbol [0]: 1 marks a PDF417 or QR symbol as reader initialisation.
BARCODE2_API int BarcodePutPDFInitialSymbol(HBARCODE handle, int value);
BARCODE2_API int BarcodeGetPDFInitialSymbol(HBARCODE handle);
// BarColor [black], BackColor [white]: COLORREF values 0x00BBGGRR.
BARCODE2_API int BarcodePutBarColor(HBARCODE handle, unsigned long value);
BARCODE2_API unsigned long BarcodeGetBarColor(HBARCODE handle);
BARCODE2_API int BarcodePutBackColor(HBARCODE handle, unsigned long value);
BARCODE2_API unsigned long BarcodeGetBackColor(HBARCODE handle);
// BarWidth [0.33 mm]: the narrow bar (module) of linear codes.
// BarHeight [10 mm]: the bars of linear codes, text excluded.
// Element [0.5 mm]: the cell of QR Code and PDF417 (PDF417 rows are three
// cells high).
// Quiet [-1]: the quiet zone on each side; negative for the type's standard one.
// BarRatio [2.5], CharGap, CharHeight, CharWidth [0], Point [0]: stored
// only; wide bars and the text follow the type's standard.
// Sizes must be finite; widths and heights above 0 (up to 1000 mm).
BARCODE2_API int BarcodePutBarHeight(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetBarHeight(HBARCODE handle);
BARCODE2_API int BarcodePutBarRatio(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetBarRatio(HBARCODE handle);
BARCODE2_API int BarcodePutBarWidth(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetBarWidth(HBARCODE handle);
BARCODE2_API int BarcodePutCharGap(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetCharGap(HBARCODE handle);
BARCODE2_API int BarcodePutCharHeight(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetCharHeight(HBARCODE handle);
BARCODE2_API int BarcodePutCharWidth(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetCharWidth(HBARCODE handle);
BARCODE2_API int BarcodePutElement(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetElement(HBARCODE handle);
BARCODE2_API int BarcodePutQuiet(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetQuiet(HBARCODE handle);
BARCODE2_API int BarcodePutPoint(HBARCODE handle, double value);
BARCODE2_API double BarcodeGetPoint(HBARCODE handle);
// StartChar, StopChar ["A"]: NW-7's start and stop character, used when the
// value does not begin and end with its own (A, B, C or D).
BARCODE2_API int BarcodePutStartChar(HBARCODE handle, const char* value);
BARCODE2_API long BarcodeGetStartChar(HBARCODE handle, char* buffer);
BARCODE2_API int BarcodePutStopChar(HBARCODE handle, const char* value);
BARCODE2_API long BarcodeGetStopChar(HBARCODE handle, char* buffer);
// Value [""]: the data, checked when it is rendered.
BARCODE2_API int BarcodePutValue(HBARCODE handle, const char* value);
BARCODE2_API long BarcodeGetValue(HBARCODE handle, char* buffer);
// The value as bytes, NULs included: from a VARIANT byte array (see
// platform/base/Variant.h; `length` bytes of it) or from memory.
BARCODE2_API int BarcodePutValueB(HBARCODE handle, VARIANT data, int length);
BARCODE2_API int BarcodePutValueB2(HBARCODE handle, unsigned char* data, int length);
// QREscCode [0]: stored only.
BARCODE2_API int BarcodePutQREscCode(HBARCODE handle, unsigned char value);
BARCODE2_API int BarcodeGetQREscCode(HBARCODE handle, unsigned char* value);
// The text's font: face name (stored), height in points (below 8: the small
// text), weight (700 and above: bold).
BARCODE2_API void BarcodePutFont(HBARCODE handle, const char* face, int points, int weight);

// ---------------------------------------------------------------------
// Output. Functions with a `data` argument encode that data and leave the
// stored value alone; a null `data` encodes the stored value.

// Writes the symbol to `path` (a system path) in the format its extension
// names: .png .bmp .gif .pcx .tif .svg .eps .emf. `data`, when not null, is
// NUL-terminated data to encode.
BARCODE2_API int BarcodeSaveFile(HBARCODE handle, const char* path, void* data);
// No clipboard on this platform: fails with BARCODE_ERROR_UNAVAILABLE.
BARCODE2_API int BarcodeClipboard(HBARCODE handle, void* data);
// The printer the metafiles are meant for: their modules are whole dots of
// its resolution. Null forgets it.
BARCODE2_API int BarcodeSetPrinterDC(HBARCODE handle, HDC dc);
// Draws the symbol on `dc` with its top-left corner at (x, y), at the
// context's resolution.
BARCODE2_API int BarcodeBarPrint(HBARCODE handle, HDC dc, double x, double y, const char* data);
BARCODE2_API int BarcodeBarPrintB(HBARCODE handle, HDC dc, double x, double y, VARIANT data,
                                  int length);
BARCODE2_API int BarcodeBarPrintB2(HBARCODE handle, HDC dc, double x, double y, unsigned char* data,
                                   int length);
// Images of the symbol, owned by the caller: a bitmap at DpiX/DpiY (free
// with DeleteObject), a metafile in millimetres (DeleteMetaFile,
// DeleteEnhMetaFile); see platform/ui/Gdi.h. Null on failure. The I forms
// also store in *contents (when not null) the object's contents, valid
// until it is deleted: a bitmap's pixels (vext::Pixel rows, top-down, like a
// DIB section's bits), a metafile's vext::Drawing.
BARCODE2_API HBITMAP BarcodeGetBitmap(HBARCODE handle, const char* data);
BARCODE2_API HMETAFILE BarcodeGetMetaFile(HBARCODE handle, const char* data);
BARCODE2_API HENHMETAFILE BarcodeGetEnhMetaFile(HBARCODE handle, const char* data);
BARCODE2_API HBITMAP BarcodeGetBitmapI(HBARCODE handle, const char* data, void** contents);
BARCODE2_API HMETAFILE BarcodeGetMetaFileI(HBARCODE handle, const char* data, void** contents);
BARCODE2_API HENHMETAFILE BarcodeGetEnhMetaFileI(HBARCODE handle, const char* data,
                                                 void** contents);
BARCODE2_API HBITMAP BarcodeGetBitmapB(HBARCODE handle, VARIANT data, int length);
BARCODE2_API HMETAFILE BarcodeGetMetaFileB(HBARCODE handle, VARIANT data, int length);
BARCODE2_API HENHMETAFILE BarcodeGetEnhMetaFileB(HBARCODE handle, VARIANT data, int length);
BARCODE2_API HBITMAP BarcodeGetBitmapBI(HBARCODE handle, VARIANT data, int length, void** contents);
BARCODE2_API HMETAFILE BarcodeGetMetaFileBI(HBARCODE handle, VARIANT data, int length,
                                            void** contents);
BARCODE2_API HENHMETAFILE BarcodeGetEnhMetaFileBI(HBARCODE handle, VARIANT data, int length,
                                                  void** contents);
BARCODE2_API HBITMAP BarcodeGetBitmapB2(HBARCODE handle, unsigned char* data, int length);
BARCODE2_API HMETAFILE BarcodeGetMetaFileB2(HBARCODE handle, unsigned char* data, int length);
BARCODE2_API HENHMETAFILE BarcodeGetEnhMetaFileB2(HBARCODE handle, unsigned char* data, int length);
BARCODE2_API HBITMAP BarcodeGetBitmapB2I(HBARCODE handle, unsigned char* data, int length,
                                         void** contents);
BARCODE2_API HMETAFILE BarcodeGetMetaFileB2I(HBARCODE handle, unsigned char* data, int length,
                                             void** contents);
BARCODE2_API HENHMETAFILE BarcodeGetEnhMetaFileB2I(HBARCODE handle, unsigned char* data, int length,
                                                   void** contents);
// No OLE picture objects on this platform: null (the thread's last handle
// error becomes BARCODE_ERROR_UNAVAILABLE); releasing accepts anything.
BARCODE2_API void* BarcodeGetPictureDisp();
BARCODE2_API void BarcodeReleasePictureDisp(void* picture);

// ---------------------------------------------------------------------
// Measures and errors.

// The check character(s) that the current type appends to `data`
// (NUL-terminated, without its check character), written to `buffer`
// (at least 3 bytes: Code 93 has two); returns their count, 0 on failure.
BARCODE2_API long BarcodeGetCheckDigitChar(HBARCODE handle, const char* data, char* buffer);
// The rendered symbol's size, quiet zones and text included, in the Unit
// (at DpiX/DpiY for dots); 0 when the value cannot be rendered.
BARCODE2_API double BarcodeGetWidth(HBARCODE handle);
BARCODE2_API double BarcodeGetHeight(HBARCODE handle);
// The same in dots of a bitmap rendered at `dpi` dots per inch.
BARCODE2_API double BarcodeGetScaleWidth(HBARCODE handle, long dpi);
BARCODE2_API double BarcodeGetScaleHeight(HBARCODE handle, long dpi);
BARCODE2_API long BarcodeGetErrorNumber(HBARCODE handle);
BARCODE2_API int BarcodeGetErrorMessage(HBARCODE handle, char* buffer);
