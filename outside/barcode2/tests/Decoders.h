// Reading rendered barcodes back with the packaged decoders: zbarimg
// (zbar-tools) for most types, ZXingReader (zxing-cpp-tools) for PDF417 and
// for the exact bytes of a symbol. Both run as separate processes.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "ScratchDir.h"
#include "barcode2/Barcode2.h"

namespace barcode2_test {

// The standard output of a command line.
inline std::string Output(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::string out;
  if (!pipe) return out;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0;)
    out.append(chunk, n);
  return out;
}

// "TYPE:data" lines as zbarimg prints them (UTF-8), without the last newline.
inline std::string Zbar(const std::filesystem::path& image, const std::string& options = "") {
  std::string out =
      Output("zbarimg -q --nodbus " + options + " '" + image.string() + "' 2>/dev/null");
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// The symbol's content bytes, as ZXingReader reports them in hex.
inline std::string ZxingBytes(const std::filesystem::path& image) {
  const std::string out = Output("ZXingReader '" + image.string() + "' 2>/dev/null");
  const std::size_t at = out.find("\nBytes:");
  if (at == std::string::npos) return "";
  const std::size_t start = out.find_first_not_of(' ', at + 7);
  const std::size_t end = out.find('\n', start);
  std::string hex = out.substr(start, end - start);
  while (!hex.empty() && hex.back() == ' ') hex.pop_back();
  return hex;
}

inline std::string Hex(const std::string& bytes) {
  std::string hex;
  char pair[4];
  for (unsigned char c : bytes) {
    std::snprintf(pair, sizeof pair, "%s%02X", hex.empty() ? "" : " ", c);
    hex += pair;
  }
  return hex;
}

using ScratchFolder = vext::testing::ScratchDir;

// A barcode object released with the scope.
class Barcode {
 public:
  Barcode() { BarcodeCreate(nullptr, &m_handle); }
  ~Barcode() { BarcodeRelease(m_handle); }
  Barcode(const Barcode&) = delete;
  Barcode& operator=(const Barcode&) = delete;
  operator HBARCODE() const { return m_handle; }

 private:
  HBARCODE m_handle = nullptr;
};

inline std::string Message(HBARCODE handle) {
  char text[BARCODE_MAX_MESSAGE];
  BarcodeGetErrorMessage(handle, text);
  return text;
}

}  // namespace barcode2_test
