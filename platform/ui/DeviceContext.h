// A device context that draws onto an image in memory: the stand-in for a
// printer or screen context that the host hands to drawing functions, and
// that the host (or a test) can read back or save as a PNG file.
//
//   HDC dc = vext::CreateImageDC(2480, 3508, 300, 300);   // A4 at 300 dpi
//   ... draw (BarcodeBarPrint, PlayEnhMetaFile ...) ...
//   vext::SavePng(vext::DeviceContextFromHandle(dc)->Surface(), path, 300, 300);
//   DeleteDC(dc);
//
// Coordinates are device pixels, (0, 0) at the top left; the resolution
// tells drawing code how many pixels a millimetre is. The surface has no
// font renderer: text is kept as runs (position, height, text, colour) for
// a toolkit to draw, and does not reach the pixels.
#pragma once

#include <vector>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Image.h"

namespace vext {
// What an HDC points at: nothing a caller may look into.
struct DeviceContextObject;
}  // namespace vext

using HDC = vext::DeviceContextObject*;

// GetDeviceCaps indexes.
constexpr int HORZRES = 8;      // width in pixels
constexpr int VERTRES = 10;     // height in pixels
constexpr int LOGPIXELSX = 88;  // pixels per inch across
constexpr int LOGPIXELSY = 90;  // pixels per inch down

namespace vext {

class AFX_API DeviceContext {
 public:
  static constexpr int kMaxDpi = 9600;

  struct TextRun {
    int x, y;    // the centre of the baseline
    int height;  // pixels
    CString text;
    COLORREF color;
  };

  // A white surface; see CreateImageDC for the limits.
  DeviceContext(int width, int height, int dpiX, int dpiY);

  int DpiX() const { return m_dpiX; }
  int DpiY() const { return m_dpiY; }
  const Image& Surface() const { return m_surface; }
  Image& Surface() { return m_surface; }
  const std::vector<TextRun>& TextRuns() const { return m_texts; }

  void FillRect(const RECT& area, COLORREF color);
  void DrawImage(const Image& image, int x, int y);
  void TextOut(const TextRun& run);
  // Draws `drawing` stretched into `target`.
  void Play(const Drawing& drawing, const RECT& target);

 private:
  Image m_surface;
  int m_dpiX;
  int m_dpiY;
  std::vector<TextRun> m_texts;
};

// A new context over a white width x height surface; null when a side is
// not in 1..Image::kMaxSide or a resolution not in 1..DeviceContext::kMaxDpi.
AFX_API HDC CreateImageDC(int width, int height, int dpiX, int dpiY);
// The context behind a live handle; null otherwise.
AFX_API DeviceContext* DeviceContextFromHandle(HDC dc);

}  // namespace vext

AFX_API BOOL DeleteDC(HDC dc);
// HORZRES, VERTRES, LOGPIXELSX or LOGPIXELSY; 0 for anything else or a
// handle that is not a live context.
AFX_API int GetDeviceCaps(HDC dc, int index);
// At its own size in millimetres, at the context's resolution, from the
// top-left corner.
AFX_API BOOL PlayMetaFile(HDC dc, HMETAFILE metafile);
// Stretched into `bounds` (device pixels).
AFX_API BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* bounds);
