// Every file-system call of CFile goes through this table, so that tests
// can inject failures (ENOSPC on write, EACCES on open, EINTR...) in one
// place. The defaults are the plain POSIX calls.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include "platform/base/AfxTypes.h"

namespace vext::sys {

struct Calls {
  int (*open)(const char* path, int flags, mode_t mode);
  ssize_t (*read)(int fd, void* buffer, size_t count);
  ssize_t (*write)(int fd, const void* buffer, size_t count);
  off_t (*lseek)(int fd, off_t offset, int whence);
  int (*fstat)(int fd, struct stat* status);
  int (*stat)(const char* path, struct stat* status);
  int (*fchmod)(int fd, mode_t mode);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
  int (*flock)(int fd, int operation);
  int (*linkat)(int fromDir, const char* from, int toDir, const char* to, int flags);
};

// The table in use; tests replace entries and restore them afterwards.
AFX_API Calls& Current();
AFX_API const Calls& Defaults();

}  // namespace vext::sys
