// The animation control: plays one of the wait dialog's clips. The clips
// are drawn here, frame by frame, rather than stored: 80 by 80 pixels,
// looping, each its own picture (205: dots running round a ring, 207: a
// slip being filled line by line, 210: an hourglass turning).
#pragma once

#include <wx/timer.h>
#include <wx/window.h>

#include "platform/ui/DialogTemplate.h"

namespace vext::gui {

class ClipView final : public wxWindow {
 public:
  ClipView(wxWindow* parent, const wxRect& rect);

  // The clip of the current state: none (0), stopped or playing.
  void Present(const AnimationClip* clip, bool playing);
  int Frame() const { return m_frame; }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnTick(wxTimerEvent& event);

  AnimationClip m_clip{};
  int m_frame = 0;
  wxTimer m_timer;
};

}  // namespace vext::gui
