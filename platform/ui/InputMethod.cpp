#include "platform/ui/InputMethod.h"
#include "platform/base/BoolConstants.h"

#include "platform/ui/UserInterface.h"
#include "platform/ui/detail/WindowAccess.h"

namespace {

// The window behind a context, with its state; null when it is gone.
CWnd* WindowOf(HIMC context) {
  CWnd* window = vext::WindowFromHandle(context);
  return window && vext::WindowAccess::State(*window) ? window : nullptr;
}

// The request reaches the user interface; a failure there is not the
// dialog's concern.
void Request(const CWnd& window) {
  const vext::WindowState& state = *vext::WindowAccess::State(window);
  try {
    vext::ui::Current()->InputMethodChanged(window, state.imeOpen, state.imeConversion);
  } catch (...) {
  }
}

}  // namespace

HIMC ImmGetContext(HWND window) { return WindowOf(window) ? window : HIMC(); }

BOOL ImmReleaseContext(HWND window, HIMC context) { return window == context && WindowOf(context); }

BOOL ImmGetOpenStatus(HIMC context) {
  const CWnd* window = WindowOf(context);
  return window && vext::WindowAccess::State(*window)->imeOpen;
}

BOOL ImmSetOpenStatus(HIMC context, BOOL open) {
  CWnd* window = WindowOf(context);
  if (!window) return FALSE;
  vext::WindowAccess::State(*window)->imeOpen = open != FALSE;
  Request(*window);
  return TRUE;
}

BOOL ImmGetConversionStatus(HIMC context, DWORD* conversion, DWORD* sentence) {
  const CWnd* window = WindowOf(context);
  if (!window) return FALSE;
  if (conversion) *conversion = vext::WindowAccess::State(*window)->imeConversion;
  if (sentence) *sentence = 0;
  return TRUE;
}

BOOL ImmSetConversionStatus(HIMC context, DWORD conversion, DWORD /*sentence*/) {
  CWnd* window = WindowOf(context);
  if (!window) return FALSE;
  vext::WindowAccess::State(*window)->imeConversion = conversion;
  Request(*window);
  return TRUE;
}
