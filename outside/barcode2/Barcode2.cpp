// The library's flat interface: each function finds the object behind the
// handle and does its work on it; no exception leaves.
#include "barcode2/Barcode2.h"

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "BarcodeObject.h"
#include "DataArgument.h"
#include "Renderer.h"
#include "Symbology.h"
#include "platform/base/Exceptions.h"
#include "platform/fs/File.h"
#include "platform/text/Ascii.h"
#include "platform/text/Cp932Rules.h"
#include "platform/ui/UserInterface.h"

using namespace vext;
using namespace vext::barcode2;

namespace {

// Runs `work` on the live object behind `handle`; `failed` (with the
// thread's handle error) when there is none or the work throws.
template <class Result, class Work>
Result With(HBARCODE handle, Result failed, Work&& work) {
  const std::shared_ptr<BarcodeObject> object = FindObject(handle);
  if (!object) {
    HandleError() = MakeError(BARCODE_ERROR_HANDLE);
    return failed;
  }
  try {
    return work(*object);
  } catch (...) {
    return object->Fail(BARCODE_ERROR_RENDER, failed);
  }
}

// Copies `text` and a NUL to `buffer` (when not null); returns its length.
long CopyOut(const std::string& text, char* buffer) {
  if (buffer) {
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
  }
  return static_cast<long>(text.size());
}

template <class T>
int Put(HBARCODE handle, T Properties::*field, T value, bool valid,
        long error = BARCODE_ERROR_PROPERTY) {
  return With(handle, 0, [&](BarcodeObject& o) {
    if (!valid) return o.Fail(error, 0);
    o.properties.*field = value;
    o.Succeed();
    return 1;
  });
}

template <class T>
T Get(HBARCODE handle, T Properties::*field) {
  return With(handle, T{}, [&](BarcodeObject& o) { return o.properties.*field; });
}

bool Finite(double v) { return std::isfinite(v) && std::fabs(v) < 1e6; }
bool Positive(double v) { return Finite(v) && v > 0; }

// The data an output function encodes: its own, else the stored value.
const std::string* Chosen(const BarcodeObject& o, const std::optional<std::string>& own) {
  return own ? &*own : &o.value;
}

std::optional<std::string> FromString(const char* data) {
  return data ? std::optional<std::string>(data) : std::nullopt;
}

// ---------------------------------------------------------------------
// Images

HBITMAP Bitmap(HBARCODE handle, const std::optional<std::string>& data, long argumentError,
               void** contents) {
  return With(handle, HBITMAP{}, [&](BarcodeObject& o) {
    if (argumentError) return o.Fail(argumentError, HBITMAP{});
    Image image;
    const Properties& p = o.properties;
    if (const long error = RenderImage(p, *Chosen(o, data), static_cast<int>(p.DpiX),
                                       static_cast<int>(p.DpiY), image))
      return o.Fail(error, HBITMAP{});
    const HBITMAP bitmap = NewBitmap(std::move(image));
    if (!bitmap) return o.Fail(BARCODE_ERROR_RENDER, HBITMAP{});
    if (contents) *contents = BitmapImage(bitmap)->Bits();
    o.Succeed();
    return bitmap;
  });
}

template <class Handle, class Make, class Contents>
Handle Metafile(HBARCODE handle, const std::optional<std::string>& data, long argumentError,
                void** contents, Make make, Contents drawingOf) {
  return With(handle, Handle{}, [&](BarcodeObject& o) {
    if (argumentError) return o.Fail(argumentError, Handle{});
    Drawing drawing;
    if (const long error = RenderDrawing(o.properties, *Chosen(o, data), o.printerDpi, drawing))
      return o.Fail(error, Handle{});
    const Handle metafile = make(std::move(drawing));
    if (contents) *contents = const_cast<Drawing*>(drawingOf(metafile));
    o.Succeed();
    return metafile;
  });
}

HMETAFILE MetaFile(HBARCODE handle, const std::optional<std::string>& data, long argumentError,
                   void** contents) {
  return Metafile<HMETAFILE>(handle, data, argumentError, contents, NewMetaFile, MetaFileDrawing);
}

HENHMETAFILE EnhMetaFile(HBARCODE handle, const std::optional<std::string>& data,
                         long argumentError, void** contents) {
  return Metafile<HENHMETAFILE>(handle, data, argumentError, contents, NewEnhMetaFile,
                                EnhMetaFileDrawing);
}

int Print(HBARCODE handle, HDC dc, double x, double y, const std::optional<std::string>& data,
          long argumentError) {
  return With(handle, 0, [&](BarcodeObject& o) {
    if (argumentError) return o.Fail(argumentError, 0);
    DeviceContext* context = DeviceContextFromHandle(dc);
    if (!context) return o.Fail(BARCODE_ERROR_DEVICE_CONTEXT, 0);
    const Properties& p = o.properties;
    const double left = x * MillimetresPer(p.Unit, context->DpiX()) / 25.4 * context->DpiX();
    const double top = y * MillimetresPer(p.Unit, context->DpiY()) / 25.4 * context->DpiY();
    if (!(std::fabs(left) < 1e9) || !(std::fabs(top) < 1e9))
      return o.Fail(BARCODE_ERROR_PROPERTY, 0);
    Image image;
    if (const long error =
            RenderImage(p, *Chosen(o, data), context->DpiX(), context->DpiY(), image))
      return o.Fail(error, 0);
    context->DrawImage(image, static_cast<int>(std::lround(left)),
                       static_cast<int>(std::lround(top)));
    o.Succeed();
    return 1;
  });
}

// The size of the image at (dpiX, dpiY) in dots, or nothing on failure.
std::optional<std::pair<int, int>> ImageSize(BarcodeObject& o, int dpiX, int dpiY) {
  Image image;
  if (const long error = RenderImage(o.properties, o.value, dpiX, dpiY, image)) {
    o.Fail(error, 0);
    return std::nullopt;
  }
  o.Succeed();
  return std::pair{image.Width(), image.Height()};
}

double Measure(HBARCODE handle, bool across) {
  return With(handle, 0.0, [&](BarcodeObject& o) {
    const Properties& p = o.properties;
    const auto size = ImageSize(o, static_cast<int>(p.DpiX), static_cast<int>(p.DpiY));
    if (!size) return 0.0;
    const double dots = across ? size->first : size->second;
    const double dpi = static_cast<double>(across ? p.DpiX : p.DpiY);
    return p.Unit == BARCODE_UNIT_DOT ? dots : dots * 25.4 / dpi / MillimetresPer(p.Unit, dpi);
  });
}

double MeasureAt(HBARCODE handle, long dpi, bool across) {
  return With(handle, 0.0, [&](BarcodeObject& o) {
    if (dpi < 1 || dpi > DeviceContext::kMaxDpi) return o.Fail(BARCODE_ERROR_PROPERTY, 0.0);
    const auto size = ImageSize(o, static_cast<int>(dpi), static_cast<int>(dpi));
    if (!size) return 0.0;
    return static_cast<double>(across ? size->first : size->second);
  });
}

// The lower-case extension of the last component of a path.
std::string ExtensionOf(const char* path) {
  const std::string_view text(path);
  const std::size_t name = text.find_last_of("\\/");
  const std::string_view last = name == text.npos ? text : text.substr(name + 1);
  const std::size_t dot = last.rfind('.');
  return vext::ToLowerAscii(dot == last.npos ? std::string_view() : last.substr(dot + 1));
}

}  // namespace

// -----------------------------------------------------------------------
// Lifetime

int BarcodeCreate(HWND parent, HBARCODE* handle) {
  if (!handle) {
    HandleError() = MakeError(BARCODE_ERROR_PROPERTY);
    return 0;
  }
  *handle = nullptr;
  try {
    *handle = AddObject(std::make_unique<BarcodeObject>(parent));
  } catch (...) {
    HandleError() = MakeError(BARCODE_ERROR_RENDER);
    return 0;
  }
  return 1;
}

int BarcodeRelease(HBARCODE handle) {
  if (RemoveObject(handle)) return 1;
  HandleError() = MakeError(BARCODE_ERROR_HANDLE);
  return 0;
}

int BarcodeAbout(HBARCODE handle) {
  return With(handle, 0, [](BarcodeObject& o) {
    const int version = ZBarcode_Version();
    const CString text = CString("Barcode2 1.0 (zint ") +
                         CString(std::to_string(version / 10000).c_str()) + "." +
                         CString(std::to_string(version / 100 % 100).c_str()) + "." +
                         CString(std::to_string(version % 100).c_str()) + ")";
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
    o.Succeed();
    return 1;
  });
}

// -----------------------------------------------------------------------
// Properties

int BarcodePutType(HBARCODE h, long v) {
  return Put(h, &Properties::Type, v, v >= BARCODE_TYPE_JAN13 && v <= BARCODE_TYPE_DATABAR,
             BARCODE_ERROR_TYPE);
}
long BarcodeGetType(HBARCODE h) { return Get(h, &Properties::Type); }

#define BARCODE2_LONG_PROPERTY(Name, Min, Max)                     \
  int BarcodePut##Name(HBARCODE h, long v) {                       \
    return Put(h, &Properties::Name, v, v >= (Min) && v <= (Max)); \
  }                                                                \
  long BarcodeGet##Name(HBARCODE h) { return Get(h, &Properties::Name); }

constexpr long kAny = std::numeric_limits<long>::max();

BARCODE2_LONG_PROPERTY(Rotate, 0, 3)
BARCODE2_LONG_PROPERTY(Unit, BARCODE_UNIT_MM, BARCODE_UNIT_DOT)
BARCODE2_LONG_PROPERTY(CheckChar, 0, 1)
BARCODE2_LONG_PROPERTY(Message, 0, 1)
BARCODE2_LONG_PROPERTY(CodeSet, 0, 3)
BARCODE2_LONG_PROPERTY(Bearer, 0, 2)
BARCODE2_LONG_PROPERTY(BlackRatio, -kAny, kAny)
BARCODE2_LONG_PROPERTY(DpiX, 1, DeviceContext::kMaxDpi)
BARCODE2_LONG_PROPERTY(DpiY, 1, DeviceContext::kMaxDpi)
BARCODE2_LONG_PROPERTY(Zoom, 1, 10000)
BARCODE2_LONG_PROPERTY(CheckPattern, -kAny, kAny)
BARCODE2_LONG_PROPERTY(DCMode, -kAny, kAny)
BARCODE2_LONG_PROPERTY(QRModel, 1, 2)
BARCODE2_LONG_PROPERTY(QRType, 0, 40)
BARCODE2_LONG_PROPERTY(QRLevel, 0, 3)
BARCODE2_LONG_PROPERTY(QRMask, -1, 7)
BARCODE2_LONG_PROPERTY(QRConnect, 0, 16)
BARCODE2_LONG_PROPERTY(QRSymbolNumber, 1, 16)
BARCODE2_LONG_PROPERTY(PDFModel, 0, 1)
BARCODE2_LONG_PROPERTY(PDFColumn, 0, 30)
BARCODE2_LONG_PROPERTY(PDFRow, 0, 90)
BARCODE2_LONG_PROPERTY(PDFLevel, -1, 8)

int BarcodePutFlatHeight(HBARCODE h, int v) {
  return Put(h, &Properties::FlatHeight, v, v == 0 || v == 1);
}
int BarcodeGetFlatHeight(HBARCODE h) { return Get(h, &Properties::FlatHeight); }
int BarcodePutPDFInitialSymbol(HBARCODE h, int v) {
  return Put(h, &Properties::PDFInitialSymbol, v, v == 0 || v == 1);
}
int BarcodeGetPDFInitialSymbol(HBARCODE h) { return Get(h, &Properties::PDFInitialSymbol); }

int BarcodePutBarColor(HBARCODE h, unsigned long v) {
  return Put(h, &Properties::BarColor, v, v <= 0xFFFFFF);
}
unsigned long BarcodeGetBarColor(HBARCODE h) { return Get(h, &Properties::BarColor); }
int BarcodePutBackColor(HBARCODE h, unsigned long v) {
  return Put(h, &Properties::BackColor, v, v <= 0xFFFFFF);
}
unsigned long BarcodeGetBackColor(HBARCODE h) { return Get(h, &Properties::BackColor); }

#define BARCODE2_DOUBLE_PROPERTY(Name, Valid)                                                   \
  int BarcodePut##Name(HBARCODE h, double v) { return Put(h, &Properties::Name, v, Valid(v)); } \
  double BarcodeGet##Name(HBARCODE h) { return Get(h, &Properties::Name); }

BARCODE2_DOUBLE_PROPERTY(BarHeight, Positive)
BARCODE2_DOUBLE_PROPERTY(BarRatio, Finite)
BARCODE2_DOUBLE_PROPERTY(BarWidth, Positive)
BARCODE2_DOUBLE_PROPERTY(CharGap, Finite)
BARCODE2_DOUBLE_PROPERTY(CharHeight, Finite)
BARCODE2_DOUBLE_PROPERTY(CharWidth, Finite)
BARCODE2_DOUBLE_PROPERTY(Element, Positive)
BARCODE2_DOUBLE_PROPERTY(Quiet, Finite)
BARCODE2_DOUBLE_PROPERTY(Point, Finite)

namespace {

bool IsNw7Guard(const char* v) { return v && std::strlen(v) == 1 && std::strchr("ABCD", v[0]); }

int PutGuard(HBARCODE h, std::string Properties::*field, const char* v) {
  return With(h, 0, [&](BarcodeObject& o) {
    if (!IsNw7Guard(v)) return o.Fail(BARCODE_ERROR_PROPERTY, 0);
    o.properties.*field = v;
    o.Succeed();
    return 1;
  });
}

int PutBytes(HBARCODE h, const std::optional<std::string>& bytes, long error) {
  return With(h, 0, [&](BarcodeObject& o) {
    if (!bytes) return o.Fail(error, 0);
    o.value = *bytes;
    o.Succeed();
    return 1;
  });
}

}  // namespace

int BarcodePutStartChar(HBARCODE h, const char* v) {
  return PutGuard(h, &Properties::StartChar, v);
}
long BarcodeGetStartChar(HBARCODE h, char* buffer) {
  return With(h, 0L, [&](BarcodeObject& o) { return CopyOut(o.properties.StartChar, buffer); });
}
int BarcodePutStopChar(HBARCODE h, const char* v) { return PutGuard(h, &Properties::StopChar, v); }
long BarcodeGetStopChar(HBARCODE h, char* buffer) {
  return With(h, 0L, [&](BarcodeObject& o) { return CopyOut(o.properties.StopChar, buffer); });
}

int BarcodePutValue(HBARCODE h, const char* v) {
  long error = BARCODE_ERROR_PROPERTY;
  std::optional<std::string> bytes;
  if (v)
    bytes = BytesOf(reinterpret_cast<const unsigned char*>(v),
                    static_cast<int>(std::min<std::size_t>(std::strlen(v), BARCODE_MAX_VALUE + 1)),
                    error);
  return PutBytes(h, bytes, error);
}
long BarcodeGetValue(HBARCODE h, char* buffer) {
  return With(h, 0L, [&](BarcodeObject& o) { return CopyOut(o.value, buffer); });
}
int BarcodePutValueB(HBARCODE h, VARIANT data, int length) {
  long error = BARCODE_ERROR_NONE;
  const auto bytes = BytesOf(data, length, error);
  return PutBytes(h, bytes, error);
}
int BarcodePutValueB2(HBARCODE h, unsigned char* data, int length) {
  long error = BARCODE_ERROR_NONE;
  const auto bytes = BytesOf(data, length, error);
  return PutBytes(h, bytes, error);
}

int BarcodePutQREscCode(HBARCODE h, unsigned char v) {
  return Put(h, &Properties::QREscCode, v, true);
}
int BarcodeGetQREscCode(HBARCODE h, unsigned char* v) {
  return With(h, 0, [&](BarcodeObject& o) {
    if (!v) return o.Fail(BARCODE_ERROR_PROPERTY, 0);
    *v = o.properties.QREscCode;
    return 1;
  });
}

void BarcodePutFont(HBARCODE h, const char* face, int points, int weight) {
  With(h, 0, [&](BarcodeObject& o) {
    o.properties.FontFace = face ? face : "";
    o.properties.FontPoints = points;
    o.properties.FontWeight = weight;
    o.Succeed();
    return 1;
  });
}

// -----------------------------------------------------------------------
// Output

int BarcodeSaveFile(HBARCODE h, const char* path, void* data) {
  return With(h, 0, [&](BarcodeObject& o) {
    if (!path || !*path) return o.Fail(BARCODE_ERROR_PROPERTY, 0);
    std::vector<BYTE> bytes;
    const auto own = FromString(static_cast<const char*>(data));
    if (const long error = RenderFile(o.properties, *Chosen(o, own), ExtensionOf(path), bytes))
      return o.Fail(error, 0);
    try {
      CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
      file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
      file.Close();
    } catch (const CFileException& e) {
      // The platform's standard text of the file error, with the file name.
      o.error = Error{BARCODE_ERROR_FILE, e.GetErrorMessage()};
      return 0;
    }
    o.Succeed();
    return 1;
  });
}

int BarcodeClipboard(HBARCODE h, void*) {
  return With(h, 0, [](BarcodeObject& o) { return o.Fail(BARCODE_ERROR_UNAVAILABLE, 0); });
}

int BarcodeSetPrinterDC(HBARCODE h, HDC dc) {
  return With(h, 0, [&](BarcodeObject& o) {
    if (!dc) {
      o.printerDpi = 0;
    } else if (const DeviceContext* context = DeviceContextFromHandle(dc)) {
      o.printerDpi = context->DpiX();
    } else {
      return o.Fail(BARCODE_ERROR_DEVICE_CONTEXT, 0);
    }
    o.Succeed();
    return 1;
  });
}

int BarcodeBarPrint(HBARCODE h, HDC dc, double x, double y, const char* data) {
  return Print(h, dc, x, y, FromString(data), BARCODE_ERROR_NONE);
}
int BarcodeBarPrintB(HBARCODE h, HDC dc, double x, double y, VARIANT data, int length) {
  long error = BARCODE_ERROR_NONE;
  const auto bytes = BytesOf(data, length, error);
  return Print(h, dc, x, y, bytes ? bytes : std::string(), error);
}
int BarcodeBarPrintB2(HBARCODE h, HDC dc, double x, double y, unsigned char* data, int length) {
  long error = BARCODE_ERROR_NONE;
  const auto bytes = BytesOf(data, length, error);
  return Print(h, dc, x, y, bytes ? bytes : std::string(), error);
}

// Every image function in its six forms: the data as a string, a VARIANT or
// memory, each with and without the contents pointer.
#define BARCODE2_IMAGE_FUNCTIONS(Name, Handle, Render)                                         \
  Handle BarcodeGet##Name(HBARCODE h, const char* data) {                                      \
    return Render(h, FromString(data), BARCODE_ERROR_NONE, nullptr);                           \
  }                                                                                            \
  Handle BarcodeGet##Name##I(HBARCODE h, const char* data, void** contents) {                  \
    return Render(h, FromString(data), BARCODE_ERROR_NONE, contents);                          \
  }                                                                                            \
  Handle BarcodeGet##Name##B(HBARCODE h, VARIANT data, int length) {                           \
    long error = BARCODE_ERROR_NONE;                                                           \
    const auto bytes = BytesOf(data, length, error);                                           \
    return Render(h, bytes ? bytes : std::string(), error, nullptr);                           \
  }                                                                                            \
  Handle BarcodeGet##Name##BI(HBARCODE h, VARIANT data, int length, void** contents) {         \
    long error = BARCODE_ERROR_NONE;                                                           \
    const auto bytes = BytesOf(data, length, error);                                           \
    return Render(h, bytes ? bytes : std::string(), error, contents);                          \
  }                                                                                            \
  Handle BarcodeGet##Name##B2(HBARCODE h, unsigned char* data, int length) {                   \
    long error = BARCODE_ERROR_NONE;                                                           \
    const auto bytes = BytesOf(data, length, error);                                           \
    return Render(h, bytes ? bytes : std::string(), error, nullptr);                           \
  }                                                                                            \
  Handle BarcodeGet##Name##B2I(HBARCODE h, unsigned char* data, int length, void** contents) { \
    long error = BARCODE_ERROR_NONE;                                                           \
    const auto bytes = BytesOf(data, length, error);                                           \
    return Render(h, bytes ? bytes : std::string(), error, contents);                          \
  }

BARCODE2_IMAGE_FUNCTIONS(Bitmap, HBITMAP, Bitmap)
BARCODE2_IMAGE_FUNCTIONS(MetaFile, HMETAFILE, MetaFile)
BARCODE2_IMAGE_FUNCTIONS(EnhMetaFile, HENHMETAFILE, EnhMetaFile)

void* BarcodeGetPictureDisp() {
  HandleError() = MakeError(BARCODE_ERROR_UNAVAILABLE);
  return nullptr;
}

void BarcodeReleasePictureDisp(void*) {}

// -----------------------------------------------------------------------
// Measures and errors

long BarcodeGetCheckDigitChar(HBARCODE h, const char* data, char* buffer) {
  return With(h, 0L, [&](BarcodeObject& o) {
    std::string check;
    if (const long error =
            CheckCharacters(o.properties, data ? std::string_view(data) : o.value, check))
      return o.Fail(error, 0L);
    o.Succeed();
    return CopyOut(check, buffer);
  });
}

double BarcodeGetWidth(HBARCODE h) { return Measure(h, true); }
double BarcodeGetHeight(HBARCODE h) { return Measure(h, false); }
double BarcodeGetScaleWidth(HBARCODE h, long dpi) { return MeasureAt(h, dpi, true); }
double BarcodeGetScaleHeight(HBARCODE h, long dpi) { return MeasureAt(h, dpi, false); }

long BarcodeGetErrorNumber(HBARCODE h) {
  const std::shared_ptr<BarcodeObject> object = FindObject(h);
  return object ? object->error.number : HandleError().number;
}

int BarcodeGetErrorMessage(HBARCODE h, char* buffer) {
  const std::shared_ptr<BarcodeObject> object = FindObject(h);
  const CString& message = object ? object->error.message : HandleError().message;
  const std::string text(static_cast<const char*>(message), message.GetLength());
  // Messages are short; a long file name is cut at a character boundary.
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + (IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
    if (next > BARCODE_MAX_MESSAGE - 1 || next > text.size()) break;
    end = next;
  }
  return static_cast<int>(CopyOut(text.substr(0, end), buffer));
}
