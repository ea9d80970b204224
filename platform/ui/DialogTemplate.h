// Dialog templates and animation clips as data: what a resource script
// compiles into a library. Each library has its own table of them (a
// ResourceModule); the one in force is the calling thread's current
// resource module, switched around every use as the framework's resource
// handle was (vext::ResourceScope). Dialog.h shows a whole template.
#pragma once

#include <span>

#include "platform/base/AfxTypes.h"

// Window styles.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;  // a dialog the user can resize
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
// On a dialog the two bits above ask for its minimise and maximise boxes.
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;

// Dialog styles.
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_SETFOREGROUND = 0x0200;

// Control styles of the kinds that have some.
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD LBS_NOTIFY = 0x0001;  // tell the dialog of selections and double clicks
constexpr DWORD LBS_SORT = 0x0002;    // AddString keeps the items in order
constexpr DWORD LBS_USETABSTOPS = 0x0080;
constexpr DWORD ACS_TRANSPARENT = 0x0002;

// The id of controls that the code never names (labels, frames).
constexpr int IDC_STATIC = -1;

namespace vext {

// The kinds of control, as a resource script names them.
enum class ControlKind {
  Static,         // LTEXT: a label; "\n" breaks the line
  PushButton,     // PUSHBUTTON
  DefPushButton,  // DEFPUSHBUTTON: the button that Enter presses
  RadioButton,    // AUTORADIOBUTTON: checks itself and unchecks the rest of its group
  CheckBox,       // AUTOCHECKBOX: checks and unchecks itself
  Edit,           // EDITTEXT: ES_MULTILINE, ES_READONLY
  ListBox,        // LISTBOX: one selection; LBS_NOTIFY, LBS_SORT, LBS_USETABSTOPS, WS_HSCROLL
  GroupBox,       // GROUPBOX: a frame with a title
  Icon,           // ICON: the picture `resource` names
  Animation,      // CONTROL "SysAnimate32": plays a clip (CAnimateCtrl)
};

// One control. Every control starts visible, as in a resource script;
// WS_DISABLED starts it disabled. WS_TABSTOP marks the controls that Tab
// (and the initial focus) visits; WS_GROUP starts a group of radio buttons,
// which runs up to the next control that has WS_GROUP.
struct DialogControl {
  int id;  // IDC_STATIC for the controls the code never names
  ControlKind kind;
  int x, y, cx, cy;   // dialog units
  DWORD style;        // WS_TABSTOP, WS_GROUP, WS_DISABLED and the kind's own bits
  const char* text;   // initial text (CP932), "" when it has none
  UINT resource = 0;  // Icon: the icon resource
};

struct DialogTemplate {
  UINT id;
  DWORD style;           // WS_VISIBLE: a modeless dialog shows as soon as it is created
  int cx, cy;            // dialog units
  const char* caption;   // CP932; "" when it has none
  const char* fontName;  // CP932
  int pointSize;
  std::span<const DialogControl> controls;  // in tab order
};

struct AnimationClip {
  UINT id;
  int frames;
  int width, height;  // pixels
  int framesPerSecond;
};

struct AFX_API ResourceModule {
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
