#include "WaitDlgResources.h"

#include "VEXTMSG.h"
#include "platform/text/Sj.h"

namespace vextmsg {

namespace {

constexpr vext::DialogControl kWaitControls[] = {
    {IDC_WAIT_ANIMATE, vext::ControlKind::Animation, 7, 7, 58, 60,
     WS_CHILD | WS_VISIBLE | WS_BORDER | ACS_TRANSPARENT, ""},
    {IDC_WAIT_TEXT, vext::ControlKind::Static, 73, 31, 76, 12, WS_CHILD | WS_VISIBLE,
     "しばらくお待ち下さい…"_sj},
};

// Popup, visible, modal frame, set-foreground; a tool window without caption.
constexpr vext::DialogTemplate kDialogs[] = {
    {CWaitDlg::IDD, WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_SETFOREGROUND, 158, 74, "",
     "ＭＳ Ｐゴシック"_sj, 9, kWaitControls},
};

// 80 by 80 pixels, 30 frames a second, looping.
constexpr vext::AnimationClip kClips[] = {
    {IDR_CLIP_A, 60, 80, 80, 30},
    {IDR_CLIP_B, 58, 80, 80, 30},
    {IDR_CLIP_C, 58, 80, 80, 30},
};

constexpr vext::ResourceModule kModule{kDialogs, kClips};

}  // namespace

HINSTANCE Resources() { return &kModule; }

}  // namespace vextmsg
