#include "platform/fs/File.h"
#include "platform/base/BoolConstants.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <optional>
#include <random>
#include <string_view>

#include "platform/fs/PathMap.h"
#include "platform/fs/detail/Syscalls.h"

namespace fs = std::filesystem;

namespace {

vext::sys::Calls& Sys() { return vext::sys::Current(); }

// Repeats a call that a signal interrupted.
template <typename Call>
auto Retry(Call call) {
  for (;;) {
    auto result = call();
    if (result != -1 || errno != EINTR) return result;
  }
}

fs::path NativeOrThrow(const char* fileName) {
  const auto native = vext::NativePath(CString(fileName));
  if (!native) throw CFileException(CFileException::badPath, EILSEQ, CString(fileName));
  return *native;
}

// The flock operation standing for a sharing mode, or 0 for none.
int LockOperation(UINT openFlags) {
  switch (openFlags & 0x70) {
    case CFile::shareExclusive:
    case CFile::shareDenyRead: return LOCK_EX;
    case CFile::shareDenyWrite: return LOCK_SH;
    default: return 0;
  }
}

int AccessFlags(UINT openFlags) {
  switch (openFlags & 3) {
    case CFile::modeWrite: return O_WRONLY;
    case CFile::modeReadWrite: return O_RDWR;
    default: return O_RDONLY;
  }
}

void CloseQuietly(int& fd) {
  if (fd >= 0) Sys().close(fd);
  fd = -1;
}

// The hidden names of a rewrite's new content beside its target:
// "." + the target's name (at most 200 bytes of it) + ".~" + eight of
// kDigits. O_EXCL settles collisions.
constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::size_t kTempRandomLength = 8;

std::string TempPrefix(const fs::path& target) {
  return "." + target.filename().string().substr(0, 200) + ".~";
}

fs::path TempPathFor(const fs::path& target) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  std::string name = TempPrefix(target);
  for (std::size_t i = 0; i < kTempRandomLength; ++i) name += kDigits[random() % 36];
  return target.parent_path() / name;
}

bool IsTempName(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + kTempRandomLength || name.substr(0, prefix.size()) != prefix)
    return false;
  const std::string_view digits(kDigits);
  return name.substr(prefix.size()).find_first_not_of(digits) == std::string_view::npos;
}

fs::path FolderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Every live rewrite holds an exclusive lock on its temporary file; one
// that nobody holds was left by a writer that was killed, and goes. The
// lock is taken before the name is checked again, so a file that a writer
// has just made and not yet locked is never mistaken for a leftover: the
// writer finds its name gone and takes another.
void RemoveStaleTemps(const fs::path& target) {
  const std::string prefix = TempPrefix(target);
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path path = it->path();
    if (!IsTempName(path.filename().string(), prefix)) continue;
    int fd = Retry([&] {
      return Sys().open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0);
    });
    if (fd < 0) continue;
    struct stat held {};
    struct stat named {};
    if (Retry([&] { return Sys().flock(fd, LOCK_EX | LOCK_NB); }) == 0 &&
        Sys().fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
        ::lstat(path.c_str(), &named) == 0 && SameFile(held, named))
      Sys().unlink(path.c_str());
    CloseQuietly(fd);
  }
}

// The name by which the kernel lets an unnamed file be linked into its
// folder; /proc may be missing in a container.
std::string ProcFdPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

}  // namespace

struct CFile::Impl {
  int fd = -1;
  // Rewrite: the target, its lock holder and the new content, which is an
  // unnamed file (`anonymous`) until Close gives it the name `temp`.
  bool rewrite = false;
  int targetFd = -1;
  fs::path target;
  fs::path temp;
  bool anonymous = false;
  std::optional<CFileException> writeError;

  ~Impl() { Discard(); }

  void Discard() noexcept {
    if (rewrite && !anonymous && !temp.empty()) Sys().unlink(temp.c_str());
    temp.clear();
    CloseQuietly(fd);
    CloseQuietly(targetFd);
  }

  // Makes the file for the new content, locked (see RemoveStaleTemps);
  // false with errno set when none can be made.
  bool CreateTemp(int access) {
    // Unnamed first: whatever ends the process, nothing is left behind.
    const std::string folder = FolderOf(target).string();
    fd = Retry([&] { return Sys().open(folder.c_str(), O_TMPFILE | access | O_CLOEXEC, 0666); });
    if (fd >= 0 && ::access(ProcFdPath(fd).c_str(), F_OK) == 0) {
      anonymous = true;
      Retry([&] { return Sys().flock(fd, LOCK_EX); });
      return true;
    }
    CloseQuietly(fd);
    // Otherwise a named file, which a killed writer leaves for the next
    // rewrite of the same target to remove.
    for (int attempt = 0; attempt < 100; ++attempt) {
      temp = TempPathFor(target);
      fd = Retry([&] {
        return Sys().open(temp.c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
      });
      if (fd < 0) {
        if (errno == EEXIST) continue;
        const int osError = errno;
        temp.clear();
        errno = osError;
        return false;
      }
      // Where the file system has no locks the file goes unguarded.
      if (Retry([&] { return Sys().flock(fd, LOCK_EX); }) != 0) return true;
      struct stat held {};
      struct stat named {};
      if (Sys().fstat(fd, &held) != 0) return true;
      if (::lstat(temp.c_str(), &named) == 0 && SameFile(held, named)) return true;
      CloseQuietly(fd);  // taken for a leftover in the instant before the lock
    }
    temp.clear();
    errno = EEXIST;
    return false;
  }

  // Whoever holds the file being replaced with writers denied keeps it:
  // the rewrite takes the lock a writer of that file would need.
  void LockTargetForReplacing(const CString& fileName) {
    struct stat current {};
    if (Sys().stat(target.c_str(), &current) != 0) return;  // nothing there (any more)
    struct stat held {};
    if (targetFd < 0 || Sys().fstat(targetFd, &held) != 0 || !SameFile(held, current)) {
      // A file that appeared, or replaced the old one, while this one was
      // written.
      CloseQuietly(targetFd);
      targetFd = Retry([&] {
        return Sys().open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0);
      });
      if (targetFd < 0) {
        if (errno == ENOENT) return;
        CFileException::ThrowOsError(errno, fileName);
      }
    }
    // A file system without locks has no holders to respect.
    if (Retry([&] { return Sys().flock(targetFd, LOCK_EX | LOCK_NB); }) != 0 &&
        errno == EWOULDBLOCK)
      CFileException::ThrowOsError(errno, fileName);
  }

  // Gives the unnamed file its temporary name beside the target.
  void Link(const CString& fileName) {
    const std::string source = ProcFdPath(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
      temp = TempPathFor(target);
      if (Retry([&] {
            return Sys().linkat(AT_FDCWD, source.c_str(), AT_FDCWD, temp.c_str(),
                                AT_SYMLINK_FOLLOW);
          }) == 0) {
        anonymous = false;
        return;
      }
      if (errno != EEXIST) {
        const int osError = errno;
        temp.clear();
        CFileException::ThrowOsError(osError, fileName);
      }
    }
    temp.clear();
    CFileException::ThrowOsError(EEXIST, fileName);
  }
};

CFile::CFile() = default;

CFile::CFile(const char* fileName, UINT openFlags) {
  CFileException error;
  if (!Open(fileName, openFlags, &error)) throw error;
}

CFile::~CFile() = default;

bool CFile::IsOpen() const { return m_impl && m_impl->fd >= 0; }

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
  m_impl.reset();
  m_strFileName = fileName ? fileName : "";
  auto impl = std::make_unique<Impl>();
  const auto fail = [&](int osError) {
    if (error)
      *error = CFileException(CFileException::OsErrorToException(osError), osError, m_strFileName);
    return FALSE;
  };
  const auto native = vext::NativePath(m_strFileName);
  if (!native) {
    if (error) *error = CFileException(CFileException::badPath, EILSEQ, m_strFileName);
    return FALSE;
  }
  const int lock = LockOperation(openFlags);
  const bool creating = openFlags & modeCreate;
  // Windows reports a missing folder, not a missing file, when creating.
  const auto openError = [&](int osError) {
    if (creating && osError == ENOENT) {
      if (error) *error = CFileException(CFileException::badPath, osError, m_strFileName);
      return FALSE;
    }
    return fail(osError);
  };

  if (creating && !(openFlags & modeNoTruncate)) {
    impl->rewrite = true;
    std::error_code ec;
    impl->target = fs::is_symlink(*native, ec) ? fs::weakly_canonical(*native, ec) : *native;
    if (ec) impl->target = *native;
    // The old file is only opened to check that it may be written and to
    // hold its lock; O_NONBLOCK keeps a FIFO from stalling the open.
    impl->targetFd = Retry([&] {
      return Sys().open(impl->target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0);
    });
    mode_t permissions = 0666;
    bool keepPermissions = false;
    if (impl->targetFd < 0) {
      if (errno != ENOENT) return fail(errno);
    } else {
      struct stat status {};
      if (Sys().fstat(impl->targetFd, &status) == 0) {
        if (!S_ISREG(status.st_mode)) return fail(EACCES);
        permissions = status.st_mode & 07777;
        keepPermissions = true;
      }
      // Writing it must be possible now (nobody denies writers), and the
      // sharing mode asked for holds while the new content is written. A
      // file system without locks fails only a rewrite that asked for one.
      const bool writable =
          Retry([&] { return Sys().flock(impl->targetFd, LOCK_EX | LOCK_NB); }) == 0;
      if (!writable && (errno == EWOULDBLOCK || lock != 0)) return fail(errno);
      if (writable && lock != LOCK_EX) {
        const int keep = lock != 0 ? lock | LOCK_NB : LOCK_UN;
        if (Retry([&] { return Sys().flock(impl->targetFd, keep); }) != 0 && lock != 0)
          return fail(errno);
      }
    }
    RemoveStaleTemps(impl->target);
    const int access = (openFlags & 3) == modeReadWrite ? O_RDWR : O_WRONLY;
    if (!impl->CreateTemp(access)) return openError(errno);
    if (keepPermissions) Sys().fchmod(impl->fd, permissions);
  } else {
    const int flags = AccessFlags(openFlags) | (creating ? O_CREAT : 0) | O_CLOEXEC | O_NOCTTY;
    impl->fd = Retry([&] { return Sys().open(native->c_str(), flags, 0666); });
    if (impl->fd < 0) return openError(errno);
    struct stat status {};
    if (Sys().fstat(impl->fd, &status) == 0 && S_ISDIR(status.st_mode)) return fail(EACCES);
    if (lock && Retry([&] { return Sys().flock(impl->fd, lock | LOCK_NB); }) != 0)
      return fail(errno);
  }
  m_impl = std::move(impl);
  return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
  if (!IsOpen()) throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
  auto* out = static_cast<char*>(buffer);
  UINT done = 0;
  while (done < count) {
    const ssize_t got = Retry([&] { return Sys().read(m_impl->fd, out + done, count - done); });
    if (got < 0) CFileException::ThrowOsError(errno, m_strFileName);
    if (got == 0) break;
    done += static_cast<UINT>(got);
  }
  return done;
}

void CFile::Write(const void* buffer, UINT count) {
  if (!IsOpen()) throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
  if (m_impl->writeError) throw *m_impl->writeError;
  const auto* in = static_cast<const char*>(buffer);
  UINT done = 0;
  while (done < count) {
    const ssize_t put = Retry([&] { return Sys().write(m_impl->fd, in + done, count - done); });
    if (put <= 0) {
      // A write that makes no progress on a regular file means no room.
      const int osError = put < 0 ? errno : ENOSPC;
      CFileException error(CFileException::OsErrorToException(osError), osError, m_strFileName);
      // A rewrite with a hole in it must never replace the old file.
      if (m_impl->rewrite) m_impl->writeError = error;
      throw error;
    }
    done += static_cast<UINT>(put);
  }
}

void CFile::Flush() {
  if (!IsOpen()) return;
  if (Retry([&] { return Sys().fsync(m_impl->fd); }) != 0)
    CFileException::ThrowOsError(errno, m_strFileName);
}

void CFile::Close() {
  if (!m_impl) return;
  std::unique_ptr<Impl> impl = std::move(m_impl);
  if (impl->fd < 0) return;
  if (!impl->rewrite) {
    const int fd = impl->fd;
    impl->fd = -1;
    // The descriptor is gone even when close reports EINTR.
    if (Sys().close(fd) != 0 && errno != EINTR) CFileException::ThrowOsError(errno, m_strFileName);
    return;
  }
  if (impl->writeError) throw *impl->writeError;  // ~Impl discards the rest
  if (Retry([&] { return Sys().fsync(impl->fd); }) != 0)
    CFileException::ThrowOsError(errno, m_strFileName);
  impl->LockTargetForReplacing(m_strFileName);
  if (impl->anonymous) impl->Link(m_strFileName);
  // The new content keeps its lock until it has its final name.
  if (Retry([&] { return Sys().rename(impl->temp.c_str(), impl->target.c_str()); }) != 0)
    CFileException::ThrowOsError(errno, m_strFileName);
  impl->temp.clear();
  CloseQuietly(impl->fd);  // its data is on disk: fsync said so
  CloseQuietly(impl->targetFd);
  // Make the new name durable too; not every file system can sync a folder.
  const fs::path folder = FolderOf(impl->target);
  const int dirFd = Sys().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (dirFd >= 0) {
    Sys().fsync(dirFd);
    Sys().close(dirFd);
  }
}

void CFile::Abort() { m_impl.reset(); }

ULONGLONG CFile::GetLength() const {
  if (!IsOpen()) throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
  struct stat status {};
  if (Sys().fstat(m_impl->fd, &status) != 0) CFileException::ThrowOsError(errno, m_strFileName);
  return static_cast<ULONGLONG>(status.st_size);
}

ULONGLONG CFile::GetPosition() const {
  if (!IsOpen()) throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
  const off_t position = Sys().lseek(m_impl->fd, 0, SEEK_CUR);
  if (position < 0) CFileException::ThrowOsError(errno, m_strFileName);
  return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  if (!IsOpen()) throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
  const int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
  const off_t position = Sys().lseek(m_impl->fd, static_cast<off_t>(offset), whence);
  if (position < 0) {
    const int osError = errno;
    throw CFileException(
        osError == EINVAL ? CFileException::badSeek : CFileException::OsErrorToException(osError),
        osError, m_strFileName);
  }
  return static_cast<ULONGLONG>(position);
}

void CFile::Remove(const char* fileName) {
  const fs::path native = NativeOrThrow(fileName);
  if (Retry([&] { return Sys().unlink(native.c_str()); }) != 0)
    CFileException::ThrowOsError(errno, CString(fileName));
}

void CFile::Rename(const char* oldName, const char* newName) {
  const fs::path from = NativeOrThrow(oldName);
  const fs::path to = NativeOrThrow(newName);
  if (Retry([&] { return Sys().rename(from.c_str(), to.c_str()); }) != 0)
    CFileException::ThrowOsError(errno, CString(oldName));
}

bool CFile::Exists(const char* fileName) {
  const auto native = vext::NativePath(CString(fileName));
  struct stat status {};
  return native && Sys().stat(native->c_str(), &status) == 0;
}
