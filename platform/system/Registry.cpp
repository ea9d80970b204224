#include "platform/system/Registry.h"

#include <dlfcn.h>
#include <libxml/parser.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/fs/detail/UserDirs.h"
#include "platform/system/detail/RegFile.h"
#include "platform/text/Cp932.h"
#include "platform/text/Cp932Rules.h"

namespace fs = std::filesystem;

namespace vext::registry {
namespace {

using detail::Store;
using detail::Value;
using detail::Values;
using detail::ValueType;

// Far above any real registry export; a larger file is not ours.
constexpr std::uintmax_t kMaxFileSize = 64u << 20;

std::atomic<bool> g_builtinDefaults{true};

bool BuiltinDefaultsEnabled() {
  const char* env = std::getenv("VEXT_REGISTRY_DEFAULTS");
  return g_builtinDefaults.load() && !(env && std::string_view(env) == "0");
}

std::vector<fs::path> RegistryFiles() {
  std::vector<fs::path> files;
  const char* list = std::getenv("VEXT_REGISTRY");
  if (!list) return {ConfigHome() / "vext" / "registry.reg"};
  std::string_view rest(list);
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    if (colon != 0) files.emplace_back(rest.substr(0, colon));
    rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
  }
  return files;
}

// A file that is missing, unreadable, not a regular file or too large
// counts as not there.
std::optional<std::string> ReadWholeFile(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(file, ec);
  if (ec || size > kMaxFileSize) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

void SetText(Store& store, std::string_view key, std::string_view name, std::string_view utf8) {
  std::optional<std::string> cp932 = Utf8ToCp932(utf8);
  if (!cp932) return;
  Value value;
  value.type = ValueType::String;
  value.text = std::move(cp932);
  store.SetValue(*detail::CanonicalKeyName(key), ToUpperCp932(name), std::move(value));
}

// The library that serves our XML DOM, as the parser's class registration
// names its in-process server.
std::string XmlParserLibrary() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&xmlParseMemory), &info) != 0 && info.dli_fname &&
      *info.dli_fname == '/')
    return info.dli_fname;
  return "libxml2.so.2";
}

// What a fresh machine answers before any file is read.
void AddBuiltinDefaults(Store& store) {
  constexpr std::string_view kDomClsid = "{2933BF90-7B36-11D2-B20E-00C04F983E60}";
  SetText(store, "HKEY_CLASSES_ROOT\\MSXML.DOMDocument\\CLSID", "", std::string(kDomClsid));
  SetText(store, "HKEY_CLASSES_ROOT\\CLSID\\" + std::string(kDomClsid) + "\\InProcServer32", "",
          XmlParserLibrary());
  SetText(store,
          "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\User Shell "
          "Folders",
          "Personal", DocumentsDirectory().string());
}

Store LoadStore() {
  Store store;
  if (BuiltinDefaultsEnabled()) AddBuiltinDefaults(store);
  for (const fs::path& file : RegistryFiles()) {
    if (std::optional<std::string> bytes = ReadWholeFile(file)) detail::ApplyRegFile(*bytes, store);
  }
  return store;
}

std::string_view HiveName(Hive hive) {
  switch (hive) {
    case Hive::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case Hive::CurrentUser: return "HKEY_CURRENT_USER";
    case Hive::LocalMachine: return "HKEY_LOCAL_MACHINE";
  }
  return {};
}

// A snapshot of one key's values, taken when it was opened.
class StoredKey final : public Key {
 public:
  explicit StoredKey(Values values) : m_values(std::move(values)) {}

  std::optional<CString> ReadString(std::string_view name, std::size_t bufferSize) const override {
    const Value* value = Find(name);
    if (!value || !value->text ||
        (value->type != ValueType::String && value->type != ValueType::ExpandString))
      return std::nullopt;
    if (value->text->size() + 1 > bufferSize)
      return std::nullopt;  // does not fit with its terminator
    return CString(*value->text);
  }

  std::optional<DWORD> ReadDword(std::string_view name) const override {
    const Value* value = Find(name);
    if (!value || value->type != ValueType::Dword) return std::nullopt;
    return value->dword;
  }

 private:
  const Value* Find(std::string_view name) const {
    auto it = m_values.find(ToUpperCp932(name));
    return it == m_values.end() ? nullptr : &it->second;
  }

  Values m_values;
};

}  // namespace

std::unique_ptr<Key> Key::Open(Hive hive, std::string_view path) {
  try {
    std::string full(HiveName(hive));
    if (!path.empty()) full.append("\\").append(path);
    const std::optional<std::string> name = detail::CanonicalKeyName(full);
    if (!name) return nullptr;
    const Store store = LoadStore();
    const Values* values = store.Find(*name);
    if (!values) return nullptr;
    return std::make_unique<StoredKey>(*values);
  } catch (const std::exception&) {
    return nullptr;
  }
}

CString ExpandEnvironmentStrings(const CString& text, std::size_t bufferSize) {
  const std::string_view in = text.view();
  std::string out;
  std::size_t i = 0;
  while (i < in.size()) {
    const std::size_t open = FindOnBoundary(in, "%", i);
    if (open == std::string_view::npos) {
      out.append(in.substr(i));
      break;
    }
    out.append(in.substr(i, open - i));
    const std::size_t close = FindOnBoundary(in, "%", open + 1);
    if (close == std::string_view::npos) {  // a lone '%' is text
      out.append(in.substr(open));
      break;
    }
    const std::string_view name = in.substr(open + 1, close - open - 1);
    const std::optional<std::string> utf8Name = Cp932ToUtf8(name);
    const char* env = !name.empty() && utf8Name ? std::getenv(utf8Name->c_str()) : nullptr;
    const std::optional<std::string> value = env ? Utf8ToCp932(env) : std::nullopt;
    // An unknown (or unconvertible) variable stays as written, both '%' included.
    out.append(value ? std::string_view(*value) : in.substr(open, close - open + 1));
    i = close + 1;
  }
  if (out.size() + 1 > bufferSize) return CString();
  return CString(std::move(out));
}

void SetBuiltinDefaults(bool enabled) { g_builtinDefaults.store(enabled); }

}  // namespace vext::registry
