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

// A name for the new content beside the target, hidden and unlikely to
// collide; O_EXCL settles the rest.
fs::path TempPathFor(const fs::path& target) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string name = target.filename().string().substr(0, 200);
  name.insert(0, ".");
  name += ".~";
  for (int i = 0; i < 8; ++i) name += kDigits[random() % 36];
  return target.parent_path() / name;
}

}  // namespace

struct CFile::Impl {
  int fd = -1;
  // Rewrite: the target, its lock holder and the temporary file.
  bool rewrite = false;
  int targetFd = -1;
  fs::path target;
  fs::path temp;
  std::optional<CFileException> writeError;

  ~Impl() { Discard(); }

  void Discard() noexcept {
    CloseQuietly(fd);
    if (rewrite && !temp.empty()) Sys().unlink(temp.c_str());
    temp.clear();
    CloseQuietly(targetFd);
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
      if (lock && Retry([&] { return Sys().flock(impl->targetFd, lock | LOCK_NB); }) != 0)
        return fail(errno);
    }
    const int access = (openFlags & 3) == modeReadWrite ? O_RDWR : O_WRONLY;
    for (int attempt = 0; attempt < 100 && impl->fd < 0; ++attempt) {
      impl->temp = TempPathFor(impl->target);
      impl->fd = Retry([&] {
        return Sys().open(impl->temp.c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                          0666);
      });
      if (impl->fd < 0 && errno != EEXIST) break;
    }
    if (impl->fd < 0) {
      const int osError = errno;
      impl->temp.clear();
      return openError(osError);
    }
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
  const int fd = impl->fd;
  impl->fd = -1;
  if (Sys().close(fd) != 0 && errno != EINTR) CFileException::ThrowOsError(errno, m_strFileName);
  if (Retry([&] { return Sys().rename(impl->temp.c_str(), impl->target.c_str()); }) != 0)
    CFileException::ThrowOsError(errno, m_strFileName);
  impl->temp.clear();
  // Make the new name durable too; not every file system can sync a folder.
  const fs::path folder =
      impl->target.has_parent_path() ? impl->target.parent_path() : fs::path(".");
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
