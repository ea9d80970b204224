// The window classes that the suite's dialogs are built on, without any
// toolkit: a window is an object with a handle, a visible and an enabled
// state, the texts of its dialog items and a message queue on the thread
// that created it. A user-interface implementation only draws what these
// classes hold.
//
// Handles are looked up in a process-wide table and never reused, so a
// handle whose window is gone is recognised and ignored. Messages posted
// to a window, from any thread, wait in the queue of the window's thread
// until that thread calls vext::PumpMessages; the window's message map
// then dispatches them.
#pragma once

#include <map>
#include <span>

#include "platform/base/AfxTypes.h"
#include "platform/base/BoolConstants.h"
#include "platform/base/CString.h"

struct HWND__;
using HWND = HWND__*;

class CWnd;
class CDataExchange;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_BORDER = 0x00800000;

// ----------------------------------------------------------------------
// Resources: the dialog templates and animation clips a library carries.
// Each library has its own table; the one in force is the current
// resource module of the thread, switched around every use as the
// framework's resource handle was.

namespace vext {

enum class ControlKind { Static, Animation };

struct DialogControl {
  int id;
  ControlKind kind;
  int x, y, cx, cy;  // dialog units
  DWORD style;
  const char* text;  // initial text (CP932), "" when it has none
};

struct DialogTemplate {
  UINT id;
  DWORD style;           // WS_VISIBLE: shown as soon as it is created
  int cx, cy;            // dialog units
  const char* fontName;  // CP932
  int pointSize;
  std::span<const DialogControl> controls;
};

struct AnimationClip {
  UINT id;
  int frames;
  int width, height;  // pixels
  int framesPerSecond;
};

struct ResourceModule {
  std::span<const DialogTemplate> dialogs;
  std::span<const AnimationClip> clips;

  const DialogTemplate* FindDialog(UINT id) const;
  const AnimationClip* FindClip(UINT id) const;
};

}  // namespace vext

using HINSTANCE = const vext::ResourceModule*;

// The calling thread's current resource module (none by default).
AFX_API HINSTANCE AfxGetResourceHandle();
AFX_API void AfxSetResourceHandle(HINSTANCE module);

namespace vext {

// Makes `module` current for the life of the scope.
class ResourceScope {
 public:
  explicit ResourceScope(HINSTANCE module) : m_previous(AfxGetResourceHandle()) {
    AfxSetResourceHandle(module);
  }
  ~ResourceScope() { AfxSetResourceHandle(m_previous); }
  ResourceScope(const ResourceScope&) = delete;
  ResourceScope& operator=(const ResourceScope&) = delete;

 private:
  HINSTANCE m_previous;
};

}  // namespace vext

// ----------------------------------------------------------------------
// Message maps: a class lists the messages it handles with
//   DECLARE_MESSAGE_MAP() in its declaration and
//   BEGIN_MESSAGE_MAP(Class, Base) ON_MESSAGE(id, Handler) END_MESSAGE_MAP()
// in its source; handlers are LRESULT Handler(WPARAM, LPARAM).

using AFX_PMSG = LRESULT (CWnd::*)(WPARAM, LPARAM);

struct AFX_MSGMAP_ENTRY {
  UINT message;
  AFX_PMSG handler;  // null ends the list
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
#define ON_MESSAGE(message, memberFxn) {message, static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
#define END_MESSAGE_MAP()                                                        \
  { 0, nullptr }                                                                 \
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
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  void SetDlgItemText(int id, const char* text);
  // The item's text length; 0 and an empty text when there is no such item.
  int GetDlgItemText(int id, CString& text) const;

  // The given window, else the application's main window, else none.
  static CWnd* GetSafeOwner(CWnd* parent = nullptr);

  virtual const AFX_MSGMAP* GetMessageMap() const;
  virtual BOOL DestroyWindow();
  virtual void DoDataExchange(CDataExchange* pDX);
  // Runs the handler the message map names for `message`; 0 when none.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  // Gives this object a window handle owned by the calling thread.
  BOOL AttachNewHandle();
  // Items are the children a dialog template creates; other windows have none.
  void AddDlgItem(int id, const char* text);

 private:
  bool m_visible = false;
  bool m_enabled = true;
  std::map<int, CString> m_itemText;
};

// The application's main window: none unless a host sets one.
AFX_API CWnd* AfxGetMainWnd();

class AFX_API CDataExchange {
 public:
  CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}
  BOOL m_bSaveAndValidate;  // TRUE: items to members, FALSE: members to items
  CWnd* m_pDlgWnd;
};

// Stand-in for the animation control: which clip of the current resource
// module is open and whether it plays. The user interface draws it.
class AFX_API CAnimateCtrl {
 public:
  // Fails unless the control is bound to a window and the clip exists.
  BOOL Open(UINT clipId);
  // `repeat` (UINT)-1 loops without end.
  BOOL Play(UINT from, UINT to, UINT repeat);
  BOOL Stop();
  BOOL Close();

  int GetDlgCtrlID() const { return m_id; }
  UINT ClipId() const { return m_clip; }
  bool IsPlaying() const { return m_playing; }

 private:
  friend AFX_API void DDX_Control(CDataExchange*, int, CAnimateCtrl&);
  int m_id = 0;
  CWnd* m_parent = nullptr;
  UINT m_clip = 0;
  bool m_playing = false;
};

AFX_API void DDX_Text(CDataExchange* pDX, int id, CString& value);
AFX_API void DDX_Control(CDataExchange* pDX, int id, CAnimateCtrl& control);

class AFX_API CDialog : public CWnd {
 public:
  CDialog() = default;

  // Creates the modeless dialog from the template of the current resource
  // module: registers the window, fills its items, runs OnInitDialog and
  // shows it when the template is visible. FALSE when the template is
  // missing or the dialog already has a window.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  virtual BOOL OnInitDialog();
  // Moves data between items and members; FALSE without a window.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  // The owner, while it still has the window it had when it became owner.
  CWnd* GetParent() const;

 protected:
  void SetParentWindow(CWnd* parent);

  CWnd* m_pParentWnd = nullptr;
  const vext::DialogTemplate* m_template = nullptr;

 private:
  HWND m_parentHandle = nullptr;
};

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
