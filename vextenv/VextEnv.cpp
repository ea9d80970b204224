#include "VextEnv.h"

#include <exception>

#include "platform/system/Registry.h"

namespace {

using vext::registry::Hive;
using vext::registry::Key;

constexpr const char* kProductKey = "SOFTWARE\\velmor_op\\velmorik";
constexpr const char* kCommonKey = "SOFTWARE\\velmor_op\\Common";
constexpr const char* kShellFoldersKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\User Shell Folders";

// Read buffers, terminator included; a longer value counts as missing.
constexpr std::size_t kDriveBuffer = 3;  // "D:" at most
constexpr std::size_t kFolderBuffer = 256;
constexpr std::size_t kPathBuffer = 260;  // MAX_PATH

void ReadInto(const Key& key, const char* name, std::size_t bufferSize, CString& member) {
  if (std::optional<CString> value = key.ReadString(name, bufferSize)) member = std::move(*value);
}

}  // namespace

CVextEnv::CVextEnv() : m_nVer(0) {
  GetVextPath();
  GetVextCommonPath();
  GetMyDocuments();
}

CVextEnv::~CVextEnv() = default;

// Every member stays as it was when the registry cannot answer; nothing is
// reported, and no exception may reach the host through the constructor.
void CVextEnv::GetVextPath() {
  m_nVer = 0;
  try {
    const std::unique_ptr<Key> key = Key::Open(Hive::LocalMachine, kProductKey);
    if (!key) return;
    if (std::optional<CString> drive = key->ReadString("CD-Drive", kDriveBuffer);
        drive && !drive->IsEmpty())
      m_strCDDrive = drive->Left(1);
    ReadInto(*key, "InstalledDir", kFolderBuffer, m_strInstalledDir);
    ReadInto(*key, "InstalledDataDir", kFolderBuffer, m_strInstalledDataDir);
    if (std::optional<DWORD> version = key->ReadDword("Ver")) m_nVer = *version;
    ReadInto(*key, "AppName", kPathBuffer, m_strAppName);
  } catch (const std::exception&) {
  }
}

void CVextEnv::GetVextCommonPath() {
  try {
    const std::unique_ptr<Key> key = Key::Open(Hive::LocalMachine, kCommonKey);
    if (!key) return;
    ReadInto(*key, "CommonDir", kFolderBuffer, m_strCommonDir);
    ReadInto(*key, "CommonPrgDir", kFolderBuffer, m_strCommonPrgDir);
    ReadInto(*key, "ClipArt", kFolderBuffer, m_strClipArt);
  } catch (const std::exception&) {
  }
}

void CVextEnv::GetMyDocuments() {
  try {
    const std::unique_ptr<Key> key = Key::Open(Hive::CurrentUser, kShellFoldersKey);
    if (!key) return;
    const std::optional<CString> personal = key->ReadString("Personal", kPathBuffer);
    if (!personal) return;
    CString expanded = vext::registry::ExpandEnvironmentStrings(*personal, kPathBuffer);
    m_strMyDocuments = expanded.IsEmpty() ? *personal : expanded;
  } catch (const std::exception&) {
  }
}
