#include "platform/fs/EditLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "platform/fs/PathMap.h"
#include "platform/fs/detail/Syscalls.h"

namespace vext {

std::unique_ptr<EditLock> EditLock::Acquire(const CString& dataFile) {
  const auto native = NativePath(dataFile);
  if (!native) return nullptr;
  std::string lockPath = native->string() + ".lock";
  sys::Calls& calls = sys::Current();
  // Read access is enough for flock, and works on a lock file that another
  // user made.
  int fd;
  do {
    fd = calls.open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  int locked;
  do {
    locked = calls.flock(fd, LOCK_EX);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    calls.close(fd);
    return nullptr;
  }
  return std::unique_ptr<EditLock>(new EditLock(fd));
}

EditLock::~EditLock() { sys::Current().close(m_fd); }

}  // namespace vext
