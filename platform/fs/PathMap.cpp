#include "platform/fs/PathMap.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/fs/detail/UserDirs.h"
#include "platform/text/Ascii.h"
#include "platform/text/Cp932.h"

namespace fs = std::filesystem;

namespace vext {
namespace {

fs::path DrivesDirectory() {
  if (const char* drives = std::getenv("VEXT_DRIVES"); drives && *drives) return drives;
  return ConfigHome() / "vext" / "drives";
}

// The entry of `folder` spelt `name` up to ASCII case; the exact spelling
// when it exists, else the first match in name order (so that a folder
// holding both "Data" and "DATA" always gives the same answer), else none.
std::optional<std::string> MatchEntry(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  if (fs::symlink_status(folder / name, ec).type() != fs::file_type::not_found && !ec) return name;
  std::optional<std::string> best;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (EqualsNoCaseAscii(entry, name) && (!best || entry < *best)) best = std::move(entry);
  }
  return best;
}

}  // namespace

std::optional<fs::path> NativePath(const CString& systemPath) {
  // Converted before splitting: in CP932 the byte '\' can be the second
  // half of a character ("ソ" is 0x83 0x5C), in UTF-8 it cannot.
  std::optional<std::string> utf8 = Cp932ToUtf8(systemPath.view());
  if (!utf8 || utf8->find('\0') != std::string::npos) return std::nullopt;
  std::string_view rest = *utf8;

  fs::path base;
  bool baseExists = true;
  bool rooted = false;  // ".." stops at a drive or at "/", as Windows stops at "C:\"
  if (rest.size() >= 2 && IsAsciiLetter(rest[0]) && rest[1] == ':') {
    const fs::path drives = DrivesDirectory();
    const std::string drive{ToLowerAscii(rest[0]), ':'};
    const std::optional<std::string> link = MatchEntry(drives, drive);
    base = drives / link.value_or(drive);
    baseExists = link.has_value();
    rooted = true;
    rest.remove_prefix(2);
  } else if (!rest.empty() && (rest[0] == '\\' || rest[0] == '/')) {
    base = "/";
    rooted = true;
  }

  struct Component {
    std::string name;
    bool exists;  // nothing below a missing folder can exist
  };
  std::vector<Component> components;
  const auto joined = [&] {
    fs::path path = base;
    for (const Component& c : components) path /= c.name;
    return path;
  };
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of("\\/");
    std::string name(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (name.empty() || name == ".") continue;  // "C:\Common\\xmlSnc.csv"
    const bool parentExists = components.empty() ? baseExists : components.back().exists;
    if (name == "..") {
      if (!components.empty() && components.back().name != "..") {
        components.pop_back();
      } else if (!rooted) {
        components.push_back({std::move(name), parentExists});
      }
      continue;
    }
    const fs::path parent = joined();
    std::optional<std::string> found =
        parentExists ? MatchEntry(parent.empty() ? fs::path(".") : parent, name) : std::nullopt;
    components.push_back({found.value_or(std::move(name)), found.has_value()});
  }
  return joined();
}

std::optional<CString> SystemPath(const fs::path& nativePath) {
  std::optional<std::string> cp932 = Utf8ToCp932(nativePath.native());
  if (!cp932) return std::nullopt;
  return CString(std::move(*cp932));
}

}  // namespace vext
