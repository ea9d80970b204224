#include "ClipView.h"

#include <wx/dcbuffer.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vext::gui {

namespace {

constexpr int kSize = 80;
constexpr int kDots = 12;
constexpr int kLines = 6;

void DrawRing(wxDC& dc, double phase) {
  const int lit = static_cast<int>(phase * kDots) % kDots;
  for (int i = 0; i < kDots; ++i) {
    const double angle = 2 * std::numbers::pi * i / kDots - std::numbers::pi / 2;
    const int age = (lit - i + kDots) % kDots;  // 0: the dot just lit
    const unsigned char shade = static_cast<unsigned char>(std::min(220, 40 + age * 18));
    dc.SetBrush(wxBrush(wxColour(shade, shade, 255)));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawCircle(kSize / 2 + static_cast<int>(28 * std::cos(angle)),
                  kSize / 2 + static_cast<int>(28 * std::sin(angle)), 6);
  }
}

void DrawSlip(wxDC& dc, double phase) {
  dc.SetPen(wxPen(wxColour(90, 90, 90)));
  dc.SetBrush(wxBrush(wxColour(255, 252, 230)));
  dc.DrawRectangle(14, 8, 52, 64);
  dc.SetBrush(wxBrush(wxColour(200, 60, 60)));
  dc.DrawRectangle(20, 14, 16, 6);  // the slip's stamp
  const double filled = phase * (kLines + 1);
  dc.SetPen(wxPen(wxColour(40, 70, 160), 2));
  for (int line = 0; line < kLines; ++line) {
    const double part = std::clamp(filled - line, 0.0, 1.0);
    if (part <= 0) break;
    const int y = 28 + line * 7;
    dc.DrawLine(20, y, 20 + static_cast<int>(40 * part), y);
  }
}

void DrawHourglass(wxDC& dc, double phase) {
  const double turn = phase < 0.8 ? 0.0 : (phase - 0.8) / 0.2;  // sand runs, then it turns
  const double angle = turn * std::numbers::pi;
  const double sand = phase < 0.8 ? phase / 0.8 : 1.0;
  const auto at = [angle](double x, double y) {
    return wxPoint(kSize / 2 + static_cast<int>(x * std::cos(angle) - y * std::sin(angle)),
                   kSize / 2 + static_cast<int>(x * std::sin(angle) + y * std::cos(angle)));
  };
  const wxPoint glass[] = {at(-20, -30), at(20, -30), at(3, 0), at(20, 30), at(-20, 30), at(-3, 0)};
  dc.SetPen(wxPen(wxColour(60, 60, 60), 2));
  dc.SetBrush(wxBrush(wxColour(230, 240, 250)));
  dc.DrawPolygon(6, glass);
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxColour(220, 170, 60)));
  const double top = 28 * (1 - sand);
  const double bottom = 28 * sand;
  if (top > 1) {
    const wxPoint upper[] = {at(-top * 0.6, -2 - top), at(top * 0.6, -2 - top), at(0, -2)};
    dc.DrawPolygon(3, upper);
  }
  if (bottom > 1) {
    const wxPoint lower[] = {at(-bottom * 0.6, 28), at(bottom * 0.6, 28), at(0, 28 - bottom)};
    dc.DrawPolygon(3, lower);
  }
}

}  // namespace

ClipView::ClipView(wxWindow* parent, const wxRect& rect)
    : wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_SIMPLE),
      m_timer(this) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &ClipView::OnPaint, this);
  Bind(wxEVT_TIMER, &ClipView::OnTick, this);
}

void ClipView::Present(const AnimationClip* clip, bool playing) {
  const UINT before = m_clip.id;
  m_clip = clip ? *clip : AnimationClip{};
  if (m_clip.id != before) m_frame = 0;
  // As the control does: the clip's own size, from where it stands.
  if (clip) SetSize(clip->width + 2, clip->height + 2);
  if (playing && clip && clip->framesPerSecond > 0)
    m_timer.Start(1000 / clip->framesPerSecond);
  else
    m_timer.Stop();
  Refresh();
}

void ClipView::OnTick(wxTimerEvent& /*event*/) {
  if (m_clip.frames > 0) m_frame = (m_frame + 1) % m_clip.frames;
  Refresh();
}

void ClipView::OnPaint(wxPaintEvent& /*event*/) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
  dc.Clear();
  if (m_clip.id == 0 || m_clip.frames <= 0) return;
  const double phase = static_cast<double>(m_frame) / m_clip.frames;
  constexpr UINT kRing = 205;
  constexpr UINT kSlip = 207;
  if (m_clip.id == kRing)
    DrawRing(dc, phase);
  else if (m_clip.id == kSlip)
    DrawSlip(dc, phase);
  else
    DrawHourglass(dc, phase);
}

}  // namespace vext::gui
