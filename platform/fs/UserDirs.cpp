#include "platform/fs/detail/UserDirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace vext {

fs::path HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir)
    return found->pw_dir;
  return "/";
}

fs::path ConfigHome() {
  // The base-directory rules ignore a relative XDG_CONFIG_HOME.
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') return config;
  return HomeDirectory() / ".config";
}

fs::path DocumentsDirectory() {
  // Lines look like XDG_DOCUMENTS_DIR="$HOME/Documents" (shell quoting).
  std::ifstream dirs(ConfigHome() / "user-dirs.dirs");
  std::string line;
  while (std::getline(dirs, line)) {
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=\"";
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, kKey.size(), kKey) != 0) continue;
    std::string value;
    bool closed = false;
    for (std::size_t i = start + kKey.size(); i < line.size(); ++i) {
      if (line[i] == '"') {
        closed = true;
        break;
      }
      if (line[i] == '\\' && i + 1 < line.size()) ++i;
      value += line[i];
    }
    if (!closed) continue;
    if (value == "$HOME" || value.rfind("$HOME/", 0) == 0) {
      std::string home = HomeDirectory().string();
      while (!home.empty() && home.back() == '/') home.pop_back();
      const std::string path = home + value.substr(5);
      return path.empty() ? fs::path("/") : fs::path(path);
    }
    if (!value.empty() && value[0] == '/') return value;
  }
  return HomeDirectory() / "Documents";
}

}  // namespace vext
