#include "platform/system/NamedMutex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace vext {
namespace {

// Every handle locks the first byte of the file: a creator exclusively for
// an instant, a holder shared for its life.
int LockFirstByte(int fd, int command, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 1;
  int rc;
  do rc = fcntl(fd, command, &lock);
  while (rc != 0 && errno == EINTR);
  return rc;
}

// True when some open file description holds a lock on the first byte.
// Takes nothing.
bool FirstByteLocked(int fd) {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 1;
  return fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// Only a folder of our own is trusted: in a shared /tmp another user could
// otherwise plant or remove locks and so stop or double-start our programs.
bool IsOwnDirectory(const fs::path& dir) {
  struct stat info {};
  return stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid();
}

// Creates the missing folders of `dir` with mode 0700: the lock files tell
// other users which programs run.
bool MakePrivateDirectories(const fs::path& dir) {
  fs::path partial;
  for (const fs::path& part : dir) {
    partial /= part;
    if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return IsOwnDirectory(dir);
}

// A mutex name is the file name of its lock; '/' would leave the folder.
fs::path LockFile(std::string_view name) {
  std::string file(name);
  for (char& c : file)
    if (c == '/' || c == '\0') c = '_';
  return RuntimeDirectory() / (file + ".lock");
}

}  // namespace

fs::path RuntimeDirectory() {
  if (const char* dir = std::getenv("VEXT_RUNTIME_DIR"); dir && *dir) return dir;
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) return fs::path(dir) / "vext";
  return "/tmp/vext-" + std::to_string(getuid());
}

bool NamedMutex::Exists(std::string_view name) {
  if (name.empty() || !IsOwnDirectory(RuntimeDirectory())) return false;
  const int fd = open(LockFile(name).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  const bool held = FirstByteLocked(fd);
  close(fd);
  return held;
}

std::unique_ptr<NamedMutex> NamedMutex::Create(std::string_view name) {
  if (name.empty()) return nullptr;
  if (!MakePrivateDirectories(RuntimeDirectory())) return nullptr;
  const int fd = open(LockFile(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return nullptr;
  // The exclusive lock can be had only when no handle lives: that handle
  // is the first. Turning it into a shared one is a single atomic step.
  // Any other creator waits the instant out and shares the lock.
  bool alreadyExisted = false;
  if (LockFirstByte(fd, F_OFD_SETLK, F_WRLCK) == 0) {
    if (LockFirstByte(fd, F_OFD_SETLK, F_RDLCK) != 0) {
      close(fd);
      return nullptr;
    }
  } else if (errno == EAGAIN || errno == EACCES) {
    alreadyExisted = true;
    if (LockFirstByte(fd, F_OFD_SETLKW, F_RDLCK) != 0) {
      close(fd);
      return nullptr;
    }
  } else {
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<NamedMutex>(new NamedMutex(fd, alreadyExisted));
}

NamedMutex::~NamedMutex() { close(m_fd); }

}  // namespace vext
