// The windows that the suite's dialogs are built on, without any toolkit:
// a window is an object with a handle and a state (WindowState.h) on the
// thread that created it. A user-interface implementation only draws what
// the states hold. Dialogs and their controls: Dialog.h.
//
// Handles are looked up in a process-wide table and never reused, so a
// handle whose window is gone is recognised and ignored. Messages posted
// to a window, from any thread, wait in the queue of the window's thread
// until that thread calls vext::PumpMessages; the window's message map
// then dispatches them. Everything else about a window belongs to its
// thread.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/base/AfxTypes.h"
#include "platform/base/BoolConstants.h"
#include "platform/base/CString.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/WindowState.h"

namespace vext {

// A window handle: a number that names one window for the life of the
// process. Compares with nullptr as the framework's handles do.
class WindowHandle {
 public:
  constexpr WindowHandle() = default;
  constexpr WindowHandle(std::nullptr_t) {}
  constexpr explicit WindowHandle(std::uintptr_t value) : m_value(value) {}
  constexpr explicit operator bool() const { return m_value != 0; }
  constexpr std::uintptr_t Value() const { return m_value; }
  friend constexpr bool operator==(WindowHandle, WindowHandle) = default;

 private:
  std::uintptr_t m_value = 0;
};

class DialogModel;
class WindowAccess;

}  // namespace vext

using HWND = vext::WindowHandle;

class CWnd;
class CDataExchange;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// A control tells its dialog what the user did with WM_COMMAND:
// wParam = MAKEWPARAM(control id, notification code), lParam = its handle.
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT BN_CLICKED = 0;
constexpr UINT LBN_SELCHANGE = 1;
constexpr UINT LBN_DBLCLK = 2;
constexpr UINT LBN_SETFOCUS = 4;
constexpr UINT LBN_KILLFOCUS = 5;
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;

constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) { return WPARAM(low) | (WPARAM(high) << 16); }

// ----------------------------------------------------------------------
// Message maps: a class lists the messages it handles with
//   DECLARE_MESSAGE_MAP() in its declaration and
//   BEGIN_MESSAGE_MAP(Class, Base)
//     ON_MESSAGE(WM_USER + 60, OnEnd)         LRESULT OnEnd(WPARAM, LPARAM)
//     ON_BN_CLICKED(IDC_ADD, OnAdd)           void OnAdd()
//     ON_LBN_SELCHANGE(IDC_LIST, OnSelChange) ON_LBN_DBLCLK, ON_EN_CHANGE,
//                                             ON_EN_SETFOCUS, ON_EN_KILLFOCUS alike
//   END_MESSAGE_MAP()
// in its source. A class's own entries come before its base class's.

#define afx_msg

using AFX_PMSG = LRESULT (CWnd::*)(WPARAM, LPARAM);
using AFX_PCMD = void (CWnd::*)();

struct AFX_MSGMAP_ENTRY {
  UINT message;
  UINT code;         // WM_COMMAND: the notification code
  int id;            // WM_COMMAND: the control id
  AFX_PMSG handler;  // a window message's handler, or
  AFX_PCMD command;  // a control notification's; both null end the list
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                       \
 protected:                                         \
  static const AFX_MSGMAP* GetThisMessageMap();     \
  const AFX_MSGMAP* GetMessageMap() const override; \
                                                    \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass = theClass;                                                     \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define ON_MESSAGE(message, memberFxn) \
  {message, 0, 0, static_cast<AFX_PMSG>(&ThisClass::memberFxn), nullptr},
#define ON_CONTROL(code, id, memberFxn) \
  {WM_COMMAND, code, id, nullptr, static_cast<AFX_PCMD>(&ThisClass::memberFxn)},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define END_MESSAGE_MAP()                                                        \
  { 0, 0, 0, nullptr, nullptr }                                                  \
  }                                                                              \
  ;                                                                              \
  static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
  return &map;                                                                   \
  }

// ----------------------------------------------------------------------

class AFX_API CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  HWND GetSafeHwnd() const { return m_hWnd; }
  // A plain top-level window (a host's frame stands in here), owned by the
  // calling thread; `style` may hold WS_VISIBLE and WS_DISABLED.
  BOOL CreateEx(DWORD style);

  // Nonzero when the window was visible before.
  BOOL ShowWindow(int cmdShow);
  // Nonzero when the window was disabled before.
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  // Nothing on the desktop to raise: kept for the callers' sake.
  BOOL SetForegroundWindow();

  // A dialog's title, a control's text.
  void SetWindowText(LPCTSTR text);
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;

  // Gives this control its dialog's focus; the control that had it, or null.
  CWnd* SetFocus();
  int GetDlgCtrlID() const;

  // A dialog's items: the window object of control `id`, or null.
  CWnd* GetDlgItem(int id) const;
  void SetDlgItemText(int id, LPCTSTR text);
  // The item's text length; 0 and an empty text when there is no such item.
  int GetDlgItemText(int id, CString& text) const;
  // Makes this object a second window object of the dialog's control `id`
  // (as DDX_Control does); FALSE when it has a window or there is no such control.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);

  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Runs the handler at once, on the calling thread.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // The given window, else the application's main window, else none.
  static CWnd* GetSafeOwner(CWnd* parent = nullptr);

  virtual const AFX_MSGMAP* GetMessageMap() const;
  virtual BOOL DestroyWindow();
  virtual void DoDataExchange(CDataExchange* pDX);
  // Runs the handler the message map names for `message`; 0 when none.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  // A control's notification: runs the map's ON_CONTROL entry for the code
  // and id in wParam; FALSE when there is none.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

 private:
  friend class vext::WindowAccess;
  vext::WindowState* m_state = nullptr;           // what the window shows; null without a window
  vext::DialogModel* m_model = nullptr;           // the dialog it is, or whose control it is
  std::unique_ptr<vext::WindowState> m_ownState;  // a plain window's
};

// The application's main window: none unless a host sets one.
AFX_API CWnd* AfxGetMainWnd();

// Posts a message to the window's thread from any thread; FALSE when the
// handle names no window.
AFX_API BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
AFX_API BOOL IsWindow(HWND window);

namespace vext {

// The application's main window, the default owner of dialogs.
AFX_API void SetMainWindow(CWnd* window);
// The object of a live window, or null.
AFX_API CWnd* WindowFromHandle(HWND window);
// Dispatches the messages waiting for the calling thread's windows, those
// posted meanwhile included, as a PeekMessage loop does; returns how many.
AFX_API int PumpMessages();

}  // namespace vext
