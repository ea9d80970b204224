// A dialog as text for the console: the title, then each visible control
// in template order, numbered as the actions name them.
#pragma once

#include "platform/base/CString.h"
#include "platform/ui/DialogModel.h"

namespace vext::ui {

// CP932 lines, each ending in a line feed.
CString RenderDialogText(const DialogModel& model);

}  // namespace vext::ui
