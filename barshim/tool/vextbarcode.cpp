// vextbarcode: makes a barcode image file through CBarWrap, as a host
// would, without writing a host.
//
//   vextbarcode --type qr --value 'テキスト' out.png
//   vextbarcode --type jan13 --value 490123456789 --bar-height 15 jan.svg
//
// The value and the file name are taken in UTF-8 and handed on in CP932;
// --type takes a symbology name or a host type code (translated by
// CBarWrap like any host's). Exit status: 0 written, 1 bad command line,
// 2 the library refused (its message is shown).
#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "BarShim.h"
#include "platform/fs/PathMap.h"
#include "platform/text/Cp932.h"

namespace {

// Symbology names and the host's type codes that stand for them.
const std::map<std::string, long> kTypes = {
    {"jan13", 2}, {"jan8", 1},    {"upca", 0},    {"upce", 3},    {"code39", 4},
    {"nw7", 5},   {"itf", 6},     {"code128", 7}, {"gs1-128", 8}, {"postal", 9},
    {"qr", 10},   {"pdf417", 11}, {"code93", 12}, {"databar", 13}};

const std::map<std::string, long> kUnits = {
    {"mm", BARCODE_UNIT_MM}, {"inch", BARCODE_UNIT_INCH}, {"dot", BARCODE_UNIT_DOT}};
const std::map<std::string, long> kQrLevels = {{"L", 0}, {"M", 1}, {"Q", 2}, {"H", 3}};

// "RRGGBB" as a COLORREF.
std::optional<unsigned long> Colour(const std::string& text) {
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return std::nullopt;
  const unsigned long rgb = std::stoul(text, nullptr, 16);
  return RGB(static_cast<BYTE>(rgb >> 16), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb));
}

int Refused(CBarWrap& bar, const char* what) {
  char message[BARCODE_MAX_MESSAGE];
  bar.Wrap_BarcodeGetErrorMessage(message);
  std::fprintf(stderr, "vextbarcode: %s: %s (error %ld)\n", what,
               vext::Cp932ToUtf8Lossy(message).c_str(), bar.Wrap_BarcodeGetErrorNumber());
  return 2;
}

}  // namespace

namespace {

int RunTool(int argc, char** argv) {
  CLI::App app{"Makes a barcode image file (PNG, SVG, BMP, EPS, GIF, PCX, TIF, EMF by extension)."};
  std::string type = "jan13", value, output;
  app.add_option("--type", type,
                 "jan13 jan8 upca upce code39 nw7 itf code128 gs1-128 postal qr "
                 "pdf417 code93 databar, or a host type code")
      ->capture_default_str();
  app.add_option("--value", value, "the data (UTF-8; sent as CP932)")->required();
  app.add_option("output", output, "the image file to write")->required();

  std::string unit = "mm", qrLevel, barColor, backColor, startChar, stopChar;
  std::optional<double> barWidth, barHeight, element, quiet;
  std::optional<long> rotate, zoom, dpi, qrVersion, qrMask, pdfColumns, pdfRows, pdfLevel, codeSet,
      bearer;
  bool checkChar = false, noText = false, flat = false, compact = false, info = false;
  app.add_option("--unit", unit, "unit of every length: mm, inch or dot")->capture_default_str();
  app.add_option("--bar-width", barWidth, "narrow bar of linear codes");
  app.add_option("--bar-height", barHeight, "bar height of linear codes");
  app.add_option("--element", element, "cell of QR Code and PDF417");
  app.add_option("--quiet", quiet, "quiet zone on each side (default: the type's standard)");
  app.add_option("--rotate", rotate, "quarter turns clockwise, 0-3");
  app.add_option("--zoom", zoom, "percent");
  app.add_option("--dpi", dpi, "resolution of the image (default 300)");
  app.add_option("--bar-color", barColor, "RRGGBB");
  app.add_option("--back-color", backColor, "RRGGBB");
  app.add_flag("--check-char", checkChar, "add the optional check character (Code 39, NW-7, ITF)");
  app.add_flag("--no-text", noText, "leave out the text under the bars");
  app.add_flag("--flat", flat, "JAN and UPC guard bars flush with the others");
  app.add_option("--code-set", codeSet, "Code 128: 0 automatic, 2 set B");
  app.add_option("--bearer", bearer, "0 none, 1 bars above and below, 2 a box");
  app.add_option("--start-char", startChar, "NW-7 start character A-D");
  app.add_option("--stop-char", stopChar, "NW-7 stop character A-D");
  app.add_option("--qr-level", qrLevel, "QR error correction: L, M, Q or H");
  app.add_option("--qr-version", qrVersion, "QR version 1-40 (0 automatic)");
  app.add_option("--qr-mask", qrMask, "QR mask 0-7 (-1 automatic)");
  app.add_option("--pdf-columns", pdfColumns, "PDF417 data columns 1-30");
  app.add_option("--pdf-rows", pdfRows, "PDF417 rows 3-90");
  app.add_option("--pdf-level", pdfLevel, "PDF417 error correction 0-8");
  app.add_flag("--pdf-compact", compact, "compact PDF417");
  app.add_flag("--info", info, "print the symbol's size in the unit");
  CLI11_PARSE(app, argc, argv);

  long typeCode = 0;
  if (const auto named = kTypes.find(type); named != kTypes.end()) {
    typeCode = named->second;
  } else {
    try {
      std::size_t used = 0;
      typeCode = std::stol(type, &used);
      if (used != type.size()) throw std::invalid_argument(type);
    } catch (const std::exception&) {
      std::fprintf(stderr, "vextbarcode: unknown --type %s\n", type.c_str());
      return 1;
    }
  }
  const auto unitCode = kUnits.find(unit);
  const auto level = kQrLevels.find(qrLevel);
  const auto bars = barColor.empty() ? std::optional<unsigned long>() : Colour(barColor);
  const auto back = backColor.empty() ? std::optional<unsigned long>() : Colour(backColor);
  const auto data = vext::Utf8ToCp932(value);
  const auto path = vext::SystemPath(output);
  if (unitCode == kUnits.end() || (!qrLevel.empty() && level == kQrLevels.end()) ||
      (!barColor.empty() && !bars) || (!backColor.empty() && !back)) {
    std::fprintf(stderr, "vextbarcode: bad --unit, --qr-level or colour (see --help)\n");
    return 1;
  }
  if (!data || !path) {
    std::fprintf(stderr, "vextbarcode: the value or the file name has characters CP932 lacks\n");
    return 1;
  }

  CBarWrap bar;
  if (bar.Wrap_BarcodeCreate(nullptr) != 1) return Refused(bar, "create");
  // Each setting in turn; the first the library refuses ends the run.
  const std::pair<const char*, std::function<int()>> settings[] = {
      {"--type", [&] { return bar.Wrap_BarcodePutType(typeCode); }},
      {"--unit", [&] { return bar.Wrap_BarcodePutUnit(unitCode->second); }},
      {"--bar-width", [&] { return barWidth ? bar.Wrap_BarcodePutBarWidth(*barWidth) : 1; }},
      {"--bar-height", [&] { return barHeight ? bar.Wrap_BarcodePutBarHeight(*barHeight) : 1; }},
      {"--element", [&] { return element ? bar.Wrap_BarcodePutElement(*element) : 1; }},
      {"--quiet", [&] { return quiet ? bar.Wrap_BarcodePutQuiet(*quiet) : 1; }},
      {"--rotate", [&] { return rotate ? bar.Wrap_BarcodePutRotate(*rotate) : 1; }},
      {"--zoom", [&] { return zoom ? bar.Wrap_BarcodePutZoom(*zoom) : 1; }},
      {"--dpi",
       [&] { return dpi ? bar.Wrap_BarcodePutDpiX(*dpi) & bar.Wrap_BarcodePutDpiY(*dpi) : 1; }},
      {"--bar-color", [&] { return bars ? bar.Wrap_BarcodePutBarColor(*bars) : 1; }},
      {"--back-color", [&] { return back ? bar.Wrap_BarcodePutBackColor(*back) : 1; }},
      {"--check-char", [&] { return bar.Wrap_BarcodePutCheckChar(checkChar ? 1 : 0); }},
      {"--no-text", [&] { return bar.Wrap_BarcodePutMessage(noText ? 0 : 1); }},
      {"--flat", [&] { return bar.Wrap_BarcodePutFlatHeight(flat ? 1 : 0); }},
      {"--code-set", [&] { return codeSet ? bar.Wrap_BarcodePutCodeSet(*codeSet) : 1; }},
      {"--bearer", [&] { return bearer ? bar.Wrap_BarcodePutBearer(*bearer) : 1; }},
      {"--start-char",
       [&] { return startChar.empty() ? 1 : bar.Wrap_BarcodePutStartChar(startChar.c_str()); }},
      {"--stop-char",
       [&] { return stopChar.empty() ? 1 : bar.Wrap_BarcodePutStopChar(stopChar.c_str()); }},
      {"--qr-level",
       [&] { return qrLevel.empty() ? 1 : bar.Wrap_BarcodePutQRLevel(level->second); }},
      {"--qr-version", [&] { return qrVersion ? bar.Wrap_BarcodePutQRType(*qrVersion) : 1; }},
      {"--qr-mask", [&] { return qrMask ? bar.Wrap_BarcodePutQRMask(*qrMask) : 1; }},
      {"--pdf-columns", [&] { return pdfColumns ? bar.Wrap_BarcodePutPDFColumn(*pdfColumns) : 1; }},
      {"--pdf-rows", [&] { return pdfRows ? bar.Wrap_BarcodePutPDFRow(*pdfRows) : 1; }},
      {"--pdf-level", [&] { return pdfLevel ? bar.Wrap_BarcodePutPDFLevel(*pdfLevel) : 1; }},
      {"--pdf-compact", [&] { return bar.Wrap_BarcodePutPDFModel(compact ? 1 : 0); }},
      {"--value", [&] { return bar.Wrap_BarcodePutValue(data->c_str()); }},
  };
  for (const auto& [option, apply] : settings)
    if (apply() != 1) return Refused(bar, option);

  if (bar.Wrap_BarcodeSaveFile(static_cast<const char*>(*path), nullptr) != 1)
    return Refused(bar, output.c_str());
  if (info)
    std::printf("%s: %.3f x %.3f %s\n", output.c_str(), bar.Wrap_BarcodeGetWidth(),
                bar.Wrap_BarcodeGetHeight(), unit.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return RunTool(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vextbarcode: %s\n", e.what());
    return 2;
  }
}
