#include "Renderer.h"

#include <unistd.h>
#include <zint.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "Symbology.h"
#include "platform/text/Cp932.h"

namespace vext::barcode2 {
namespace {

using Symbol = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

// The largest module accepted, in dots: the encoder's own limit of scale.
constexpr int kMaxModuleDots = 200;

long FromEncoder(int result) {
  if (result < ZINT_ERROR) return BARCODE_ERROR_NONE;  // warnings included
  switch (result) {
    case ZINT_ERROR_TOO_LONG: return BARCODE_ERROR_TOO_LONG;
    case ZINT_ERROR_INVALID_DATA: return BARCODE_ERROR_CHARACTER;
    case ZINT_ERROR_INVALID_CHECK: return BARCODE_ERROR_CHECK_DIGIT;
    case ZINT_ERROR_INVALID_OPTION: return BARCODE_ERROR_PROPERTY;
    case ZINT_ERROR_FILE_ACCESS:
    case ZINT_ERROR_FILE_WRITE: return BARCODE_ERROR_FILE;
    default: return BARCODE_ERROR_RENDER;
  }
}

void SetColour(char (&target)[10], unsigned long color) {
  std::snprintf(target, sizeof target, "%02X%02X%02X", GetRValue(color), GetGValue(color),
                GetBValue(color));
}

// Sizes in modules (the encoder's X dimension) for one rendering.
struct Geometry {
  double scale;       // the encoder's: a module is 2 * scale units
  double moduleMm;    // one module on paper
  double heightDots;  // bar height in units of the output (dots or drawing units)
};

// The module of the type in millimetres, zoom applied.
double ModuleMm(const Properties& p, const EncoderRequest& r, int dpi) {
  return (r.linear ? p.BarWidth : p.Element) * MillimetresPer(p.Unit, dpi) * p.Zoom / 100.0;
}

// Sets every option of the symbol from the properties, encodes, and
// refuses symbols whose image would be larger than an image can be.
long Encode(const Properties& p, const EncoderRequest& r, const Geometry& g, int dpiX,
            Symbol& symbol) {
  symbol.reset(ZBarcode_Create());
  if (!symbol) return BARCODE_ERROR_RENDER;
  zint_symbol* s = symbol.get();
  s->symbology = r.symbology;
  s->input_mode = r.inputMode;
  s->option_1 = r.option1;
  s->option_2 = r.option2;
  s->option_3 = r.option3;
  s->output_options = r.outputOptions;
  s->scale = static_cast<float>(g.scale);
  s->show_hrt = p.Message ? 1 : 0;
  if (p.FontPoints > 0 && p.FontPoints < 8) s->output_options |= SMALL_TEXT;
  if (p.FontWeight >= 700) s->output_options |= BOLD_TEXT;
  if (p.Bearer) s->border_width = 2;
  if (p.FlatHeight) s->guard_descent = 0;
  if (r.structCount) {
    s->structapp.count = r.structCount;
    s->structapp.index = r.structIndex;
  }
  SetColour(s->fgcolour, p.BarColor);
  SetColour(s->bgcolour, p.BackColor);

  const double moduleUnits = 2 * g.scale;
  if (!r.ownHeight) {
    const double heightX = g.heightDots / moduleUnits;
    if (!(heightX >= 0.5) || heightX * moduleUnits > Image::kMaxSide) return BARCODE_ERROR_PROPERTY;
    s->height = static_cast<float>(heightX);
  }
  int whitespace = 0;
  if (p.Quiet < 0) {
    s->output_options |= BARCODE_QUIET_ZONES;
  } else {
    const double modules = p.Quiet * MillimetresPer(p.Unit, dpiX) * p.Zoom / 100.0 / g.moduleMm;
    if (!(modules <= 1000)) return BARCODE_ERROR_PROPERTY;
    whitespace = static_cast<int>(std::lround(modules));
    s->output_options |= BARCODE_NO_QUIET_ZONES;
    s->whitespace_width = whitespace;
    if (!r.linear) s->whitespace_height = whitespace;
  }

  const long error = FromEncoder(ZBarcode_Encode(
      s, reinterpret_cast<const unsigned char*>(r.data.data()), static_cast<int>(r.data.size())));
  if (error) return error;
  // Generous room for quiet zones, text and bearer bars on top of the modules.
  const double across = (s->width + 2.0 * whitespace + 60) * moduleUnits;
  const double down =
      (std::max(3.0 * s->rows, static_cast<double>(s->height)) + 2.0 * whitespace + 60) *
      moduleUnits;
  if (across > Image::kMaxSide || down > Image::kMaxSide) return BARCODE_ERROR_PROPERTY;
  return BARCODE_ERROR_NONE;
}

// Encodes for an output in dots: whole dots per module.
long EncodeForDots(const Properties& p, std::string_view value, int dpiX, int dpiY,
                   Symbol& symbol) {
  EncoderRequest r;
  if (const long error = PrepareRequest(p, value, r)) return error;
  const double wanted = ModuleMm(p, r, dpiX) * dpiX / 25.4;
  if (!std::isfinite(wanted) || wanted > kMaxModuleDots) return BARCODE_ERROR_PROPERTY;
  const int dots = std::max(1, static_cast<int>(std::lround(wanted)));
  const double heightDots =
      p.BarHeight * MillimetresPer(p.Unit, dpiY) * p.Zoom / 100.0 * dpiY / 25.4;
  return Encode(p, r, Geometry{dots / 2.0, dots * 25.4 / dpiX, heightDots}, dpiX, symbol);
}

int Angle(const Properties& p) { return static_cast<int>(p.Rotate) * 90; }

}  // namespace

long RenderImage(const Properties& p, std::string_view value, int dpiX, int dpiY, Image& image) {
  Symbol symbol(nullptr, ZBarcode_Delete);
  if (const long error = EncodeForDots(p, value, dpiX, dpiY, symbol)) return error;
  zint_symbol* s = symbol.get();
  if (const long error = FromEncoder(ZBarcode_Buffer(s, Angle(p)))) return error;
  Image out(s->bitmap_width, s->bitmap_height);
  if (out.Empty() || !s->bitmap) return BARCODE_ERROR_RENDER;
  const unsigned char* rgb = s->bitmap;
  Pixel* to = out.Bits();
  const std::size_t count = static_cast<std::size_t>(out.Width()) * out.Height();
  for (std::size_t i = 0; i < count; ++i, rgb += 3)
    to[i] = static_cast<Pixel>(rgb[0]) << 16 | static_cast<Pixel>(rgb[1]) << 8 | rgb[2];
  image = std::move(out);
  return BARCODE_ERROR_NONE;
}

long RenderDrawing(const Properties& p, std::string_view value, int printerDpi, Drawing& drawing) {
  EncoderRequest r;
  if (const long error = PrepareRequest(p, value, r)) return error;
  double moduleMm = ModuleMm(p, r, static_cast<int>(p.DpiX));
  if (printerDpi > 0) {
    const double dots = std::max(1.0, std::round(moduleMm * printerDpi / 25.4));
    moduleMm = dots * 25.4 / printerDpi;
  }
  if (!(moduleMm > 0) || moduleMm > 100) return BARCODE_ERROR_PROPERTY;
  const double heightMm =
      p.BarHeight * MillimetresPer(p.Unit, static_cast<int>(p.DpiY)) * p.Zoom / 100.0;
  Symbol symbol(nullptr, ZBarcode_Delete);
  // One drawing unit per module.
  if (const long error = Encode(p, r, Geometry{0.5, moduleMm, heightMm / moduleMm},
                                static_cast<int>(p.DpiX), symbol))
    return error;
  zint_symbol* s = symbol.get();
  if (const long error = FromEncoder(ZBarcode_Buffer_Vector(s, Angle(p)))) return error;
  if (!s->vector) return BARCODE_ERROR_RENDER;
  Drawing out;
  out.width = s->vector->width * moduleMm;
  out.height = s->vector->height * moduleMm;
  out.background = static_cast<COLORREF>(p.BackColor);
  for (const zint_vector_rect* rect = s->vector->rectangles; rect; rect = rect->next) {
    out.rects.push_back({rect->x * moduleMm, rect->y * moduleMm, rect->width * moduleMm,
                         rect->height * moduleMm,
                         rect->colour == 8 ? static_cast<COLORREF>(p.BackColor)
                                           : static_cast<COLORREF>(p.BarColor)});
  }
  for (const zint_vector_string* text = s->vector->strings; text; text = text->next) {
    const std::string_view utf8(reinterpret_cast<const char*>(text->text),
                                static_cast<std::size_t>(std::max(0, text->length)));
    out.texts.push_back({text->x * moduleMm, text->y * moduleMm, text->fsize * moduleMm,
                         CString(Utf8ToCp932Lossy(utf8).c_str()),
                         static_cast<COLORREF>(p.BarColor)});
  }
  drawing = std::move(out);
  return BARCODE_ERROR_NONE;
}

bool IsImageExtension(std::string_view extension) {
  for (std::string_view known : {"png", "bmp", "gif", "pcx", "tif", "svg", "eps", "emf"})
    if (extension == known) return true;
  return false;
}

long RenderFile(const Properties& p, std::string_view value, std::string_view extension,
                std::vector<BYTE>& bytes) {
  const int dpiX = static_cast<int>(p.DpiX), dpiY = static_cast<int>(p.DpiY);
  if (extension == "png") {
    Image image;
    if (const long error = RenderImage(p, value, dpiX, dpiY, image)) return error;
    bytes = EncodePng(image, dpiX, dpiY);
    return bytes.empty() ? BARCODE_ERROR_RENDER : BARCODE_ERROR_NONE;
  }
  if (!IsImageExtension(extension)) return BARCODE_ERROR_FORMAT;
  Symbol symbol(nullptr, ZBarcode_Delete);
  if (const long error = EncodeForDots(p, value, dpiX, dpiY, symbol)) return error;
  // The encoder writes these formats only to a file named by their
  // extension: a private temporary file, read back and removed.
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
  std::string name = (ec ? std::filesystem::path("/tmp") : folder) / "barcode2-XXXXXX.";
  name.append(extension);
  const int suffix = static_cast<int>(extension.size() + 1);
  const int fd = ::mkstemps(name.data(), suffix);
  if (fd < 0) return BARCODE_ERROR_FILE;
  ::close(fd);
  long error = BARCODE_ERROR_NONE;
  if (name.size() >= sizeof symbol->outfile) {
    error = BARCODE_ERROR_FILE;
  } else {
    std::memcpy(symbol->outfile, name.c_str(), name.size() + 1);
    error = FromEncoder(ZBarcode_Print(symbol.get(), Angle(p)));
  }
  if (!error) {
    std::ifstream in(name, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) error = BARCODE_ERROR_FILE;
  }
  std::filesystem::remove(name, ec);
  return error;
}

}  // namespace vext::barcode2
