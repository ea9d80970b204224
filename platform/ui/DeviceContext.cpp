#include "platform/ui/DeviceContext.h"
#include "platform/base/BoolConstants.h"

#include <cmath>

#include "platform/ui/detail/GdiObjectTable.h"

namespace vext {
namespace {

detail::GdiObjectTable<DeviceContext>& Contexts() {
  static detail::GdiObjectTable<DeviceContext> table(0xDC);
  return table;
}

// Clamped so that a far-off or huge shape cannot overflow a coordinate; it
// is clipped to the surface anyway.
LONG Round(double value) {
  if (!(value > -1e9)) return -1000000000;
  if (!(value < 1e9)) return 1000000000;
  return static_cast<LONG>(std::lround(value));
}

}  // namespace

DeviceContext::DeviceContext(int width, int height, int dpiX, int dpiY)
    : m_surface(width, height), m_dpiX(dpiX), m_dpiY(dpiY) {}

void DeviceContext::FillRect(const RECT& area, COLORREF color) {
  m_surface.Fill(area, PixelFromColor(color));
}

void DeviceContext::DrawImage(const Image& image, int x, int y) { m_surface.Draw(image, x, y); }

void DeviceContext::TextOut(const TextRun& run) { m_texts.push_back(run); }

void DeviceContext::Play(const Drawing& drawing, const RECT& target) {
  if (!(drawing.width > 0) || !(drawing.height > 0)) return;
  const double sx = (static_cast<double>(target.right) - target.left) / drawing.width;
  const double sy = (static_cast<double>(target.bottom) - target.top) / drawing.height;
  // Edges are rounded, not sizes, so that neighbouring shapes meet exactly.
  const auto place = [&](double x, double y, double w, double h) {
    return RECT{Round(target.left + x * sx), Round(target.top + y * sy),
                Round(target.left + (x + w) * sx), Round(target.top + (y + h) * sy)};
  };
  FillRect(target, drawing.background);
  for (const DrawingRect& r : drawing.rects) FillRect(place(r.x, r.y, r.width, r.height), r.color);
  for (const DrawingText& t : drawing.texts) {
    const RECT at = place(t.x, t.y, 0, t.height);
    TextOut({at.left, at.top, static_cast<int>(at.bottom - at.top), t.text, t.color});
  }
}

HDC CreateImageDC(int width, int height, int dpiX, int dpiY) {
  if (width < 1 || height < 1 || width > Image::kMaxSide || height > Image::kMaxSide)
    return nullptr;
  if (dpiX < 1 || dpiY < 1 || dpiX > DeviceContext::kMaxDpi || dpiY > DeviceContext::kMaxDpi)
    return nullptr;
  return Contexts().Add<HDC>(std::make_unique<DeviceContext>(width, height, dpiX, dpiY));
}

DeviceContext* DeviceContextFromHandle(HDC dc) { return Contexts().Find(dc); }

}  // namespace vext

BOOL DeleteDC(HDC dc) { return vext::Contexts().Remove(dc) ? TRUE : FALSE; }

int GetDeviceCaps(HDC dc, int index) {
  const vext::DeviceContext* context = vext::DeviceContextFromHandle(dc);
  if (!context) return 0;
  switch (index) {
    case HORZRES: return context->Surface().Width();
    case VERTRES: return context->Surface().Height();
    case LOGPIXELSX: return context->DpiX();
    case LOGPIXELSY: return context->DpiY();
    default: return 0;
  }
}

BOOL PlayMetaFile(HDC dc, HMETAFILE metafile) {
  vext::DeviceContext* context = vext::DeviceContextFromHandle(dc);
  const vext::Drawing* drawing = vext::MetaFileDrawing(metafile);
  if (!context || !drawing) return FALSE;
  const RECT natural{0, 0, vext::Round(drawing->width / 25.4 * context->DpiX()),
                     vext::Round(drawing->height / 25.4 * context->DpiY())};
  context->Play(*drawing, natural);
  return TRUE;
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* bounds) {
  vext::DeviceContext* context = vext::DeviceContextFromHandle(dc);
  const vext::Drawing* drawing = vext::EnhMetaFileDrawing(metafile);
  if (!context || !drawing || !bounds) return FALSE;
  context->Play(*drawing, *bounds);
  return TRUE;
}
