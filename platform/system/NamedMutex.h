// Named inter-process mutexes, kept as lock files in the runtime folder
// ($VEXT_RUNTIME_DIR, else $XDG_RUNTIME_DIR/vext, else /tmp/vext-<uid>).
// A handle holds a shared flock for its life; existence is an exclusive
// non-blocking flock tried and released at once, so a crashed holder never
// leaves a stale mutex behind. The runtime folder is made (mode 0700) by
// the first Create and must belong to the user.
#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/base/AfxTypes.h"

namespace vext {

class AFX_API NamedMutex {
 public:
  // True while any process holds a handle of that name.
  static bool Exists(std::string_view name);
  // nullptr when the lock file cannot be created. Another live handle of
  // the same name does not stop it, as with a Windows mutex.
  static std::unique_ptr<NamedMutex> Create(std::string_view name);
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

 private:
  explicit NamedMutex(int fd) : m_fd(fd) {}
  int m_fd;
};

AFX_API std::filesystem::path RuntimeDirectory();

}  // namespace vext
