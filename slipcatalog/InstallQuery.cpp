#include "InstallQuery.h"

#include <optional>
#include <string_view>

#include "platform/system/NamedMutex.h"
#include "platform/system/Registry.h"

namespace {

using vext::registry::Hive;
using vext::registry::Key;

constexpr std::string_view kDenKey = "SOFTWARE\\NQ\\SorentaV\\DiduveV";
constexpr std::string_view kOkuKey = "SOFTWARE\\NQ\\SorentaV\\DadudivV";
constexpr std::string_view kLinkKey = "SOFTWARE\\NQ\\SorentaV\\ShiteiV";
constexpr DWORD kLinkedVersion = 610;
constexpr std::size_t kPathBuffer = 260;

// Each value is read on its own: open the key, read, close.
std::optional<DWORD> ReadNumber(std::string_view key, std::string_view value) {
  const auto opened = Key::Open(Hive::LocalMachine, key);
  return opened ? opened->ReadDword(value) : std::nullopt;
}

CString ReadFolder(std::string_view key) {
  const auto opened = Key::Open(Hive::LocalMachine, key);
  if (!opened) return CString();
  return opened->ReadString("InstalledDataDir", kPathBuffer).value_or(CString());
}

int LinkOn(std::string_view switchName, std::string_view productKey) {
  const DWORD on = ReadNumber(kLinkKey, switchName).value_or(0);
  const DWORD version = ReadNumber(productKey, "Ver").value_or(0);
  return on != 0 && version >= kLinkedVersion ? 1 : 0;
}

}  // namespace

int IsDenRenOnData() { return LinkOn("DenRen", kDenKey); }
int IsOkuRenOnData() { return LinkOn("OkuriRen", kOkuKey); }
int IsOkuDenRen() { return ReadNumber(kOkuKey, "DenRen").value_or(0) != 0 ? 1 : 0; }
CString GetDenInstDir() { return ReadFolder(kDenKey); }
CString GetOkuriInstDir() { return ReadFolder(kOkuKey); }
int IsAllreadyDenMain() { return vext::NamedMutex::Exists("hZaviziv") ? 1 : 0; }
int IsAllreadyOkuriMain() { return vext::NamedMutex::Exists("hDadudiv") ? 1 : 0; }
