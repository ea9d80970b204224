#include "platform/fs/CurrentDirectory.h"

#include <optional>
#include <system_error>

#include "platform/fs/PathMap.h"

namespace fs = std::filesystem;

namespace vext {

CurrentDirectoryScope::CurrentDirectoryScope(const CString& systemPath) {
  const std::optional<fs::path> folder = NativePath(systemPath);
  if (!folder || folder->empty()) return;
  std::error_code ec;
  m_previous = fs::current_path(ec);
  if (ec) return;
  fs::current_path(*folder, ec);
  m_changed = !ec;
}

CurrentDirectoryScope::~CurrentDirectoryScope() {
  if (!m_changed) return;
  std::error_code ignored;
  fs::current_path(m_previous, ignored);
}

CString AbsolutePath(const CString& systemPath) {
  const std::optional<fs::path> native = NativePath(systemPath);
  if (!native || native->empty() || native->is_absolute()) return systemPath;
  std::error_code ec;
  const fs::path absolute = fs::absolute(*native, ec);
  if (ec) return systemPath;
  return SystemPath(absolute).value_or(systemPath);
}

}  // namespace vext
