// One generic window for every dialog of the system, built from the
// dialog's template (control kinds, ids, texts, positions in dialog units
// with the template font's base units) and its live state, on the toolkit
// thread. What the user does goes out as UserEvents, to be performed on
// the dialog's own thread; the dialog's changes come back through Apply.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/DialogActions.h"
#include "platform/ui/DialogModel.h"

namespace vext::gui {

class ClipView;
class ItemList;

struct UserEvent {
  enum class Kind { Action, Focus };
  Kind kind = Kind::Action;
  DialogAction action;  // Action: as the scripted interface would perform it
  int focus = 0;        // Focus: the control the user moved to
  int sequence = 0;     // counts the window's events, from 1
};

// A control's changed state, with the clip it plays when it is an animation.
struct ControlUpdate {
  WindowState state;
  AnimationClip clip{};
};

// What a test sees of a control: where it is on the screen, what it shows,
// and what does not fit.
struct ControlView {
  int id = 0;
  ControlKind kind = ControlKind::Static;
  wxRect screen;
  std::string text;  // UTF-8, as shown
  bool enabled = true;
  bool shown = true;
  bool checked = false;
  bool focused = false;
  int selection = -1;
  std::vector<std::string> items;
  int scrollWidth = 0;      // list box: what its horizontal scroll bar spans
  std::string fitProblem;   // "" when the text fits
  std::string inputMethod;  // what became of the last input-method request
};

class DialogWindow final : public wxDialog {
 public:
  using Sink = std::function<void(const UserEvent&)>;

  // `owner`: the window of the dialog's owner, or null. The dialog's own
  // state and its controls' are the snapshot `state`.
  DialogWindow(wxWindow* owner, const DialogTemplate& dialogTemplate, const DialogState& state,
               const std::vector<ControlUpdate>& clips, Sink sink);

  // `seen`: the last of this window's events the dialog had performed when
  // the update was taken; an edit field's text from before the user's
  // latest typing is not put back.
  void Apply(const ControlUpdate& update, int seen);
  void ApplyDialog(const WindowState& state);
  void ApplyFocus(int id);
  // An input-method request for control `id`; the toolkit's hint when it
  // takes one. Returns what was done, for the record.
  std::string RequestInputMethod(int id, bool open, DWORD conversion);

  const DialogTemplate& Template() const { return m_template; }
  std::vector<ControlView> Controls() const;
  int ClipFrame() const;

 private:
  struct Item {
    const DialogControl* control;
    wxWindow* window;
    WindowState state;
    std::string inputMethod;
  };

  void Build(const DialogState& state, const std::vector<ControlUpdate>& clips);
  wxWindow* Make(const DialogControl& control, const wxRect& rect, bool groupStart);
  void ShowState(Item& item, const WindowState& state, const AnimationClip* clip, bool force);
  void Send(UserEvent event);
  void Relabel(wxWindow& window, const wxString& label);
  Item* ItemOf(const wxWindow* window);
  Item* ItemOf(int id);
  Item* ItemOf(const DialogControl* control);
  // Where Tab (`forward`) or Shift+Tab goes from the control with `focus`.
  Item* NextTabStop(const wxWindow* focus, bool forward);
  // The radio group around the control at `index`: its first control and
  // the one after its last.
  std::size_t GroupStart(std::size_t index) const;
  std::size_t GroupEnd(std::size_t index) const;
  void OnCharHook(wxKeyEvent& event);

  const DialogTemplate& m_template;
  Sink m_sink;
  std::vector<Item> m_items;
  int m_sent = 0;   // events sent so far
  int m_focus = 0;  // the control with the keyboard focus
  bool m_applying = false;
};

}  // namespace vext::gui
