#include "platform/system/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace vext {
namespace {

int FlockRetrying(int fd, int operation) {
  int rc;
  do rc = flock(fd, operation);
  while (rc != 0 && errno == EINTR);
  return rc;
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
  // Another process's probe holds its exclusive lock for microseconds; a
  // holder keeps its shared lock for its life. Asking again after a short
  // pause tells the two apart, so two probes at one instant don't each
  // take the other for a running holder.
  bool held = true;
  for (int attempt = 0; attempt < 3 && held; ++attempt) {
    if (attempt > 0) usleep(2000);
    held = FlockRetrying(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  }
  close(fd);  // also releases the probe's lock
  return held;
}

std::unique_ptr<NamedMutex> NamedMutex::Create(std::string_view name) {
  if (name.empty()) return nullptr;
  if (!MakePrivateDirectories(RuntimeDirectory())) return nullptr;
  const int fd = open(LockFile(name).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return nullptr;
  // Blocking: an exclusive lock is only ever a probe of Exists, released at once.
  if (FlockRetrying(fd, LOCK_SH) != 0) {
    close(fd);
    return nullptr;
  }
  return std::unique_ptr<NamedMutex>(new NamedMutex(fd));
}

NamedMutex::~NamedMutex() { close(m_fd); }

}  // namespace vext
