#include "platform/ui/UserInterface.h"

#include <cstdlib>
#include <mutex>
#include <string_view>

#include "platform/ui/detail/ConsoleUserInterface.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace vext::ui {

namespace {

std::mutex g_currentMutex;
// Never destroyed: a window or message box may still reach the interface
// from another library's static destructor at exit.
UserInterface* g_current = nullptr;

}  // namespace

// Out of line, so that the type information lives in this library only.
ModalDialog::~ModalDialog() = default;
WaitView::~WaitView() = default;
UserInterface::~UserInterface() = default;

std::vector<int> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    default: return {IDOK};
  }
}

int DefaultButton(UINT type) {
  const std::vector<int> buttons = ButtonsOf(type);
  const std::size_t index = (type & MB_DEFMASK) >> 8;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

std::unique_ptr<UserInterface> CreateFromEnvironment() {
  const char* chosen = std::getenv("VEXT_UI");
  const std::string_view name = chosen ? chosen : "";
  if (name == "scripted") return ScriptedUserInterface::FromEnvironment();
  // No desktop toolkit is built yet: "gui" falls back to the console too.
  return std::make_unique<ConsoleUserInterface>();
}

UserInterface& Current() {
  std::lock_guard lock(g_currentMutex);
  if (!g_current) g_current = CreateFromEnvironment().release();
  return *g_current;
}

std::unique_ptr<UserInterface> SetCurrent(std::unique_ptr<UserInterface> ui) {
  std::lock_guard lock(g_currentMutex);
  std::unique_ptr<UserInterface> previous(g_current);
  g_current = ui.release();
  return previous;
}

}  // namespace vext::ui

int AfxMessageBox(const CString& text, UINT type, UINT /*helpId*/) {
  return vext::ui::Current().MessageBox(text, type);
}
