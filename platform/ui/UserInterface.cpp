#include "platform/ui/UserInterface.h"

#include <cstdlib>
#include <mutex>
#include <string_view>

#include "platform/ui/detail/ConsoleUserInterface.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace vext::ui {

namespace {

struct CurrentSlot {
  std::mutex mutex;
  std::shared_ptr<UserInterface> ui;
};

// Never destroyed: a window or message box may still reach the interface
// from another library's static destructor at exit.
CurrentSlot& Slot() {
  static CurrentSlot* slot = new CurrentSlot;
  return *slot;
}

}  // namespace

// Out of line, so that the type information lives in this library only.
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

std::shared_ptr<UserInterface> Current() {
  CurrentSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  if (!slot.ui) slot.ui = CreateFromEnvironment();
  return slot.ui;
}

std::shared_ptr<UserInterface> SetCurrent(std::shared_ptr<UserInterface> ui) {
  CurrentSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  slot.ui.swap(ui);
  return ui;
}

}  // namespace vext::ui

int AfxMessageBox(const CString& text, UINT type, UINT /*helpId*/) {
  return vext::ui::Current()->MessageBox(text, type);
}
