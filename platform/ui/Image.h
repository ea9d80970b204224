// Images in memory: the pixels behind bitmap handles and device contexts.
//
// A pixel is a 32-bit value 0x00RRGGBB (the layout of a 32-bit top-down
// device-independent bitmap); rows run top-down, `width` pixels each, with
// no padding. Colours given as COLORREF (0x00BBGGRR) convert with
// PixelFromColor. PNG is the one file format: EncodePng gives the file's
// bytes, SavePng writes them to a system path.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

using COLORREF = DWORD;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | static_cast<COLORREF>(g) << 8 | static_cast<COLORREF>(b) << 16;
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>(c >> 16); }

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

namespace vext {

using Pixel = std::uint32_t;

constexpr Pixel PixelFromColor(COLORREF c) {
  return static_cast<Pixel>(GetRValue(c)) << 16 | static_cast<Pixel>(GetGValue(c)) << 8 |
         GetBValue(c);
}
constexpr COLORREF ColorFromPixel(Pixel p) {
  return RGB(static_cast<BYTE>(p >> 16), static_cast<BYTE>(p >> 8), static_cast<BYTE>(p));
}

class AFX_API Image {
 public:
  // The largest side accepted, so that a size from outside never asks for
  // gigabytes; larger requests give an empty image.
  static constexpr int kMaxSide = 32768;

  Image() = default;
  // width x height pixels of `fill`; empty when a side is not in 1..kMaxSide.
  Image(int width, int height, Pixel fill = 0xFFFFFF);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool Empty() const { return m_pixels.empty(); }
  // Row-major, top-down; Width() * Height() pixels.
  const Pixel* Bits() const { return m_pixels.data(); }
  Pixel* Bits() { return m_pixels.data(); }
  // Out-of-range coordinates read as 0 and are not written.
  Pixel At(int x, int y) const;
  void Set(int x, int y, Pixel p);

  // Fills [left, right) x [top, bottom), clipped to the image.
  void Fill(const RECT& area, Pixel p);
  // Copies `source` with its top-left corner at (x, y), clipped.
  void Draw(const Image& source, int x, int y);

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<Pixel> m_pixels;
};

// The PNG file of `image` (8-bit RGB, the resolution recorded when given);
// empty when the image is empty or the encoder fails.
AFX_API std::vector<BYTE> EncodePng(const Image& image, int dpiX = 0, int dpiY = 0);
// Writes the PNG file to `path` (a system path, see PathMap.h) as a whole
// new file; throws CFileException when it cannot be written.
AFX_API void SavePng(const Image& image, const CString& path, int dpiX = 0, int dpiY = 0);

}  // namespace vext
