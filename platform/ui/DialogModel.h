// The live state of one dialog window, as an implementation of the user
// interface sees it: the template, the state of the dialog and of every
// control, the focus, whether the dialog has ended, and one observer told
// of every change. Dialog.h tells how an implementation uses it.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/Window.h"

class CDialog;

namespace vext {

// Everything a dialog shows; a copy is a snapshot.
struct AFX_API DialogState {
  WindowState window;                 // the dialog: title (text), visible, enabled
  std::vector<WindowState> controls;  // in template order
  int focus = 0;                      // id of the control with the focus; 0 none

  // The first control with this id, or null.
  const WindowState* Find(int id) const;
};

class AFX_API DialogObserver {
 public:
  virtual ~DialogObserver();
  // `window` is the dialog's own state or one of its controls' (the same
  // object for the life of the window). Called on the dialog's thread
  // right after the change, whether code or the user made it.
  virtual void DialogChanged(const DialogModel& model, const WindowState& window,
                             DialogChange what) = 0;
};

class AFX_API DialogModel {
 public:
  // Gives `dialog` and each control of the template a window (handle,
  // state, window object), on the calling thread.
  DialogModel(CDialog& dialog, const DialogTemplate& dialogTemplate);
  // Tells the observer, then takes every window away again.
  ~DialogModel();
  DialogModel(const DialogModel&) = delete;
  DialogModel& operator=(const DialogModel&) = delete;

  CDialog& Dialog() const { return m_dialog; }
  const DialogTemplate& Template() const { return m_template; }
  const DialogState& State() const { return m_state; }
  // The button that Enter presses: the template's default push button, else IDOK.
  int DefaultId() const;
  // The radio buttons of the group `id` belongs to, in template order;
  // empty when `id` is no radio button.
  std::vector<int> RadioGroup(int id) const;
  bool Ended() const { return m_ended; }
  int Result() const { return m_result; }

  // Installs the one observer (null: none); returns the previous one.
  DialogObserver* SetObserver(DialogObserver* observer);

  // The window object of control `id` (its class follows the kind:
  // CListBox, CButton, CEdit, CAnimateCtrl, else CWnd), or null.
  CWnd* Item(int id) const;

 private:
  friend class WindowAccess;
  friend class ::CWnd;
  friend class ::CDialog;

  void Notify(const WindowState& window, DialogChange what);
  // Moves the focus to control `id` (0: nowhere) and tells the dialog.
  void MoveFocus(int id);
  // To the first visible, enabled control with WS_TABSTOP.
  void FocusFirstTabStop();
  void Attach(CWnd& view, int id);
  void Forget(CWnd& view);
  void End(int result);

  CDialog& m_dialog;
  const DialogTemplate& m_template;
  DialogState m_state;
  std::vector<std::unique_ptr<CWnd>> m_items;  // one per control, in template order
  std::vector<CWnd*> m_views;                  // further objects attached to controls
  DialogObserver* m_observer = nullptr;
  bool m_ended = false;
  int m_result = 0;
};

}  // namespace vext
