// The wait dialog's own resources: its template and its three clips.
#pragma once

#include "platform/ui/DialogTemplate.h"

namespace vextmsg {

constexpr int IDC_WAIT_ANIMATE = 1007;
constexpr int IDC_WAIT_TEXT = 1017;
constexpr UINT IDR_CLIP_A = 205;
constexpr UINT IDR_CLIP_B = 207;
constexpr UINT IDR_CLIP_C = 210;

// This library's resource module.
HINSTANCE Resources();

}  // namespace vextmsg
