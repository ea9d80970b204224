// What a user does to a dialog, as every implementation of the user
// interface delivers it: the scripted one from its queue, the console one
// from the terminal, the desktop one from mouse and keyboard. An action
// changes the control as the user would and then notifies the dialog class
// (WM_COMMAND: BN_CLICKED, LBN_SELCHANGE, LBN_DBLCLK, EN_CHANGE), so its
// message map runs. The same actions as text (UTF-8):
//
//   click:<id>              press a button; a radio button checks itself and
//                           unchecks its group, a check box toggles
//   check:<id>              a radio button or check box: click it unless it
//                           is a check box that is checked already
//   select:<id>:<index>     select list item <index> (from 0)
//   dblclick:<id>:<index>   select it, then double-click it
//   text:<id>:<text>        type <text> over the edit field's text (the
//                           rest of the action, colons included); a
//                           single-line field keeps the first line
//   ok                      press OK (IDOK), as Enter on the OK button
//   cancel                  Escape: the dialog's IDCANCEL
//   default                 Enter: press the default button
//
// A click, selection or text first moves the focus to the control, as the
// mouse does. An action the user could not have done (a control that is
// missing, hidden or disabled, a list item that does not exist, a dialog
// that has ended or is disabled under another one) is refused and changes
// nothing.
#pragma once

#include <optional>
#include <string_view>

#include "platform/base/CString.h"
#include "platform/ui/Window.h"

class CDialog;

namespace vext {

struct DialogAction {
  enum class Kind { Click, Check, Select, DoubleClick, Text, Ok, Cancel, Default };
  Kind kind = Kind::Ok;
  int id = 0;
  int index = 0;
  CString text;  // CP932
};

enum class ActionRefusal {
  None,       // done
  Ended,      // the dialog has ended, or is disabled under another one
  NoControl,  // no control has that id
  Hidden,
  Disabled,
  WrongKind,  // the control does not take that action
  NoItem,     // no list item has that index
  ReadOnly,   // a read-only edit field
};

// One action in the text form above; nullopt when it is none (or its text
// has a character that CP932 lacks).
AFX_API std::optional<DialogAction> ParseDialogAction(std::string_view utf8);
AFX_API ActionRefusal PerformDialogAction(CDialog& dialog, const DialogAction& action);
// A short English name for logs ("disabled") and a Japanese sentence
// (CP932) for people.
AFX_API const char* RefusalName(ActionRefusal refusal);
AFX_API const char* RefusalText(ActionRefusal refusal);

// Ends a dialog that nobody can work: presses its default button when that
// is enabled, else cancels, and if the dialog still runs ends it with
// IDCANCEL. Returns Default or Cancel: what was done.
AFX_API DialogAction::Kind EndUnattended(CDialog& dialog);

}  // namespace vext
