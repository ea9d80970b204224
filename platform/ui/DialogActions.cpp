#include "platform/ui/DialogActions.h"

#include <charconv>
#include <string>

#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/detail/WindowAccess.h"

namespace vext {

namespace {

using Kind = DialogAction::Kind;

// A whole decimal number, sign allowed.
std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// Splits "a:b" into "a" and "b" at the first colon; nullopt without one.
std::optional<std::pair<std::string_view, std::string_view>> Split(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  return std::pair{text.substr(0, colon), text.substr(colon + 1)};
}

// Tells the dialog what the user did with control `id`.
void Notify(CDialog& dialog, const CWnd& control, UINT code) {
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(control.GetDlgCtrlID()), WORD(code)),
                     LPARAM(control.m_hWnd.Value()));
}

// Whether the user can reach control `id` at all.
ActionRefusal Reach(const DialogModel* model, int id, CWnd*& control) {
  if (!model || model->Ended() || !model->State().window.enabled) return ActionRefusal::Ended;
  control = model->Item(id);
  if (!control) return ActionRefusal::NoControl;
  if (!control->IsWindowVisible()) return ActionRefusal::Hidden;
  if (!control->IsWindowEnabled()) return ActionRefusal::Disabled;
  return ActionRefusal::None;
}

ActionRefusal Click(CDialog& dialog, int id, bool onlyToCheck) {
  DialogModel* model = dialog.Model();
  CWnd* control = nullptr;
  if (const ActionRefusal refusal = Reach(model, id, control); refusal != ActionRefusal::None)
    return refusal;
  const WindowState& state = *WindowAccess::State(*control);
  auto* button = static_cast<CButton*>(control);
  switch (state.Kind()) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
      if (onlyToCheck) return ActionRefusal::WrongKind;
      break;
    case ControlKind::CheckBox:
      if (onlyToCheck && button->GetCheck() == BST_CHECKED) return ActionRefusal::None;
      control->SetFocus();
      button->SetCheck(button->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      Notify(dialog, *control, BN_CLICKED);
      return ActionRefusal::None;
    case ControlKind::RadioButton:
      control->SetFocus();
      for (int other : model->RadioGroup(id))
        static_cast<CButton*>(model->Item(other))
            ->SetCheck(other == id ? BST_CHECKED : BST_UNCHECKED);
      Notify(dialog, *control, BN_CLICKED);
      return ActionRefusal::None;
    default: return ActionRefusal::WrongKind;
  }
  control->SetFocus();
  Notify(dialog, *control, BN_CLICKED);
  return ActionRefusal::None;
}

ActionRefusal Select(CDialog& dialog, int id, int index, bool doubleClick) {
  CWnd* control = nullptr;
  if (const ActionRefusal refusal = Reach(dialog.Model(), id, control);
      refusal != ActionRefusal::None)
    return refusal;
  const WindowState& state = *WindowAccess::State(*control);
  if (state.Kind() != ControlKind::ListBox) return ActionRefusal::WrongKind;
  if (index < 0 || index >= static_cast<int>(state.items.size())) return ActionRefusal::NoItem;
  const bool notify = (state.Style() & LBS_NOTIFY) != 0;
  control->SetFocus();
  static_cast<CListBox*>(control)->SetCurSel(index);
  if (notify) Notify(dialog, *control, LBN_SELCHANGE);
  // The first handler may have ended the dialog or emptied the list.
  if (doubleClick && notify && dialog.Model() && !dialog.Model()->Ended())
    Notify(dialog, *control, LBN_DBLCLK);
  return ActionRefusal::None;
}

ActionRefusal Type(CDialog& dialog, int id, const CString& text) {
  CWnd* control = nullptr;
  if (const ActionRefusal refusal = Reach(dialog.Model(), id, control);
      refusal != ActionRefusal::None)
    return refusal;
  const WindowState& state = *WindowAccess::State(*control);
  if (state.Kind() != ControlKind::Edit) return ActionRefusal::WrongKind;
  if (state.Style() & ES_READONLY) return ActionRefusal::ReadOnly;
  CString typed = text;
  if (!(state.Style() & ES_MULTILINE)) {
    // A single-line field takes the first line, as pasting into it does.
    const int end = typed.FindOneOf("\r\n");
    if (end >= 0) typed = typed.Left(end);
  }
  control->SetFocus();
  control->SetWindowText(typed);
  Notify(dialog, *control, EN_CHANGE);
  return ActionRefusal::None;
}

// A command that needs no control: Enter or Escape.
ActionRefusal Command(CDialog& dialog, int id) {
  const DialogModel* model = dialog.Model();
  if (!model || model->Ended() || !model->State().window.enabled) return ActionRefusal::Ended;
  if (model->Item(id)) return Click(dialog, id, false);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), WORD(BN_CLICKED)), 0);
  return ActionRefusal::None;
}

}  // namespace

std::optional<DialogAction> ParseDialogAction(std::string_view utf8) {
  DialogAction action;
  if (utf8 == "ok" || utf8 == "cancel" || utf8 == "default") {
    action.kind = utf8 == "ok" ? Kind::Ok : utf8 == "cancel" ? Kind::Cancel : Kind::Default;
    return action;
  }
  const auto verb = Split(utf8);
  if (!verb) return std::nullopt;
  const auto [name, rest] = *verb;
  if (name == "click" || name == "check") {
    const auto id = Number(rest);
    if (!id) return std::nullopt;
    action.kind = name == "click" ? Kind::Click : Kind::Check;
    action.id = *id;
    return action;
  }
  const auto arguments = Split(rest);
  if (!arguments) return std::nullopt;
  const auto id = Number(arguments->first);
  if (!id) return std::nullopt;
  action.id = *id;
  if (name == "text") {
    const std::optional<std::string> text = Utf8ToCp932(arguments->second);
    if (!text) return std::nullopt;
    action.kind = Kind::Text;
    action.text = CString(*text);
    return action;
  }
  if (name != "select" && name != "dblclick") return std::nullopt;
  const auto index = Number(arguments->second);
  if (!index) return std::nullopt;
  action.kind = name == "select" ? Kind::Select : Kind::DoubleClick;
  action.index = *index;
  return action;
}

ActionRefusal PerformDialogAction(CDialog& dialog, const DialogAction& action) {
  switch (action.kind) {
    case Kind::Click: return Click(dialog, action.id, false);
    case Kind::Check: return Click(dialog, action.id, true);
    case Kind::Select: return Select(dialog, action.id, action.index, false);
    case Kind::DoubleClick: return Select(dialog, action.id, action.index, true);
    case Kind::Text: return Type(dialog, action.id, action.text);
    case Kind::Ok: return Command(dialog, IDOK);
    case Kind::Cancel: {
      const DialogModel* model = dialog.Model();
      if (!model || model->Ended() || !model->State().window.enabled) return ActionRefusal::Ended;
      // Escape works even when the Cancel button is disabled.
      dialog.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDCANCEL), WORD(BN_CLICKED)), 0);
      return ActionRefusal::None;
    }
    case Kind::Default: {
      const DialogModel* model = dialog.Model();
      return Command(dialog, model ? model->DefaultId() : IDOK);
    }
  }
  return ActionRefusal::WrongKind;
}

const char* RefusalName(ActionRefusal refusal) {
  switch (refusal) {
    case ActionRefusal::None: return "done";
    case ActionRefusal::Ended: return "ended";
    case ActionRefusal::NoControl: return "no-control";
    case ActionRefusal::Hidden: return "hidden";
    case ActionRefusal::Disabled: return "disabled";
    case ActionRefusal::WrongKind: return "wrong-kind";
    case ActionRefusal::NoItem: return "no-item";
    case ActionRefusal::ReadOnly: return "read-only";
  }
  return "?";
}

const char* RefusalText(ActionRefusal refusal) {
  switch (refusal) {
    case ActionRefusal::None: return "";
    case ActionRefusal::Ended: return "ダイアログは操作できません。"_sj;
    case ActionRefusal::NoControl: return "その番号のコントロールはありません。"_sj;
    case ActionRefusal::Hidden: return "そのコントロールは表示されていません。"_sj;
    case ActionRefusal::Disabled: return "そのコントロールは無効です。"_sj;
    case ActionRefusal::WrongKind: return "そのコントロールにはその操作ができません。"_sj;
    case ActionRefusal::NoItem: return "その番号の項目はありません。"_sj;
    case ActionRefusal::ReadOnly: return "その入力欄は読み取り専用です。"_sj;
  }
  return "?";
}

DialogAction::Kind EndUnattended(CDialog& dialog) {
  DialogAction action;
  action.kind = Kind::Default;
  if (PerformDialogAction(dialog, action) == ActionRefusal::None && dialog.Model() &&
      dialog.Model()->Ended())
    return Kind::Default;
  action.kind = Kind::Cancel;
  PerformDialogAction(dialog, action);
  if (dialog.Model() && !dialog.Model()->Ended()) dialog.EndDialog(IDCANCEL);
  return Kind::Cancel;
}

}  // namespace vext
