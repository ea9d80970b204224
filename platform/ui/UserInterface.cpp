#include "platform/ui/UserInterface.h"

#include <cstdlib>
#include <mutex>
#include <string_view>

#include "platform/system/DynamicLibrary.h"
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

// The desktop interface lives in a plug-in beside this library, so that
// only the plug-in links the toolkit. Null when it is not built, or no
// display can be opened. Once loaded it stays for the life of the process.
std::unique_ptr<UserInterface> LoadDesktop() {
  static std::mutex mutex;
  static DynamicLibrary* library = nullptr;
  static const char anchor = 0;  // an address inside this library
  std::lock_guard lock(mutex);
  if (!library) library = DynamicLibrary::Load("VextGui.dll", &anchor).release();
  if (!library) return nullptr;
  using Create = UserInterface* (*)();
  const auto create = reinterpret_cast<Create>(library->Symbol("VextGuiCreateUserInterface"));
  return std::unique_ptr<UserInterface>(create ? create() : nullptr);
}

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
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
  if (name == "gui" || (name.empty() && HasDisplay()))
    if (std::unique_ptr<UserInterface> desktop = LoadDesktop()) return desktop;
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
