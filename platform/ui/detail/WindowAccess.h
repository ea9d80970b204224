// The window classes' insides, for the platform's own window and dialog
// code: the state behind a window object, its dialog, the handle table.
#pragma once

#include "platform/ui/Window.h"

namespace vext {

class WindowAccess {
 public:
  static WindowState* State(const CWnd& window) { return window.m_state; }
  static DialogModel* Model(const CWnd& window) { return window.m_model; }
  static void Bind(CWnd& window, HWND handle, WindowState* state, DialogModel* model) {
    window.m_hWnd = handle;
    window.m_state = state;
    window.m_model = model;
  }
  static void Unbind(CWnd& window) { Bind(window, nullptr, nullptr, nullptr); }
  // Tells the observer of the window's dialog that `what` changed.
  static void Changed(const CWnd& window, DialogChange what);
};

// A new handle for `object`, whose window belongs to the calling thread.
HWND RegisterWindow(CWnd& object);
// Forgets the handle and the messages still waiting for it.
void UnregisterWindow(HWND handle);

}  // namespace vext
