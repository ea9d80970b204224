// Named inter-process mutexes, kept as lock files in the runtime folder
// ($VEXT_RUNTIME_DIR, else $XDG_RUNTIME_DIR/vext, else /tmp/vext-<uid>).
//
// A handle holds a shared lock on its file for its life (an open file
// description lock, so threads count like processes). Whether a mutex
// exists is asked of the kernel without taking anything, so asking never
// disturbs a holder, a creator or another question; a crashed holder never
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
  // True while any handle of that name lives, in any process.
  static bool Exists(std::string_view name);
  // Opens the mutex, creating it when no handle of that name lives;
  // nullptr when the lock file cannot be made. Another live handle does
  // not stop it, as with a Windows mutex: AlreadyExisted says so.
  static std::unique_ptr<NamedMutex> Create(std::string_view name);
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // True when another handle of the name was alive as this one was made.
  // Decided in the same step as the creation: of handles created at one
  // instant, exactly one sees false.
  bool AlreadyExisted() const { return m_alreadyExisted; }

 private:
  NamedMutex(int fd, bool alreadyExisted) : m_fd(fd), m_alreadyExisted(alreadyExisted) {}
  int m_fd;
  bool m_alreadyExisted;
};

AFX_API std::filesystem::path RuntimeDirectory();

}  // namespace vext
