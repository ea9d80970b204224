// RecConv's own resources: the templates of its four dialogs. Current
// while a conversion call runs and while one of the dialogs is shown.
#pragma once

#include "platform/ui/DialogTemplate.h"

namespace vext::recconv {

// The icon of the reading dialog.
constexpr UINT IDI_RECCONV = 129;

HINSTANCE Resources();

}  // namespace vext::recconv
