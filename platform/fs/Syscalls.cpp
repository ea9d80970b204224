#include "platform/fs/detail/Syscalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

namespace vext::sys {

namespace {

// open(2) is variadic; the table needs a plain signature.
int OpenFile(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int StatPath(const char* path, struct stat* status) { return ::stat(path, status); }
int StatFd(int fd, struct stat* status) { return ::fstat(fd, status); }

constexpr Calls kDefaults{
    OpenFile, ::read,  ::write,  ::lseek,  StatFd,  StatPath, ::fchmod,
    ::fsync,  ::close, ::rename, ::unlink, ::flock, ::linkat,
};

}  // namespace

const Calls& Defaults() { return kDefaults; }

Calls& Current() {
  static Calls current = kDefaults;
  return current;
}

}  // namespace vext::sys
