// The input method of a window (the IMM calls the suite makes). The state
// is kept with the window, and every change is a request to the current
// user interface (UserInterface::InputMethodChanged): the desktop one
// switches the input method, the scripted one records the request, the
// console one ignores it.
//
//   HIMC context = ImmGetContext(m_edit.m_hWnd);
//   DWORD conversion = 0, sentence = 0;
//   ImmGetConversionStatus(context, &conversion, &sentence);
//   conversion = (conversion | IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE) & ~IME_CMODE_KATAKANA;
//   ImmSetConversionStatus(context, conversion, sentence);
//   ImmSetOpenStatus(context, TRUE);
//   ImmReleaseContext(m_edit.m_hWnd, context);
#pragma once

#include "platform/ui/Window.h"

// The input context of a window: here the window itself.
using HIMC = HWND;

constexpr DWORD IME_CMODE_NATIVE = 0x0001;  // Japanese rather than alphanumeric
constexpr DWORD IME_CMODE_KATAKANA = 0x0002;
constexpr DWORD IME_CMODE_FULLSHAPE = 0x0008;

// Null when the handle names no window.
AFX_API HIMC ImmGetContext(HWND window);
AFX_API BOOL ImmReleaseContext(HWND window, HIMC context);
AFX_API BOOL ImmGetOpenStatus(HIMC context);
AFX_API BOOL ImmSetOpenStatus(HIMC context, BOOL open);
AFX_API BOOL ImmGetConversionStatus(HIMC context, DWORD* conversion, DWORD* sentence);
AFX_API BOOL ImmSetConversionStatus(HIMC context, DWORD conversion, DWORD sentence);
