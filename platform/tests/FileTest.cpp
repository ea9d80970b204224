// CFile: whole-file rewrites never lose the old file, sharing modes, system
// errors reported with the right cause and message, EINTR retried.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "ScratchDir.h"
#include "platform/fs/File.h"
#include "platform/fs/detail/Syscalls.h"
#include "platform/text/Sj.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace fs = std::filesystem;

namespace {

using vext::testing::ReadBytes;
using vext::testing::WriteBytes;

// Puts the system calls back as they were, whatever a test replaced.
class ScopedCalls {
 public:
  ScopedCalls() : m_saved(vext::sys::Current()) {}
  ~ScopedCalls() { vext::sys::Current() = m_saved; }
  vext::sys::Calls& operator*() { return vext::sys::Current(); }
  vext::sys::Calls* operator->() { return &vext::sys::Current(); }

 private:
  vext::sys::Calls m_saved;
};

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(m_path, kOld); }

  // Names in the folder besides the target: leftovers of a rewrite.
  std::vector<std::string> Others() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir))
      if (entry.path().filename() != "Original.dat")
        names.push_back(entry.path().filename().string());
    return names;
  }

  // A child process that starts rewriting `path` and ends in the middle,
  // by _exit(0) or by `signal`; its wait status (-1 when fork fails).
  static int RewriteEndedInTheMiddle(const fs::path& path, int signal) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
      try {
        CFile file(path.c_str(), kRewrite);
        file.Write("partial new cont", 16);
        if (signal != 0) raise(signal);
        _exit(0);
      } catch (...) {
      }
      _exit(1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child ? status : -1;
  }

  static constexpr UINT kRewrite = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;
  static constexpr UINT kReading = CFile::modeRead | CFile::shareDenyWrite;
  const std::string kOld = "old catalogue bytes";
  vext::testing::ScratchDir m_scratch{"vext-file"};
  const fs::path m_dir = m_scratch.path();
  const std::string m_path = (m_dir / "Original.dat").string();
};

CFileException OpenError(const std::string& path, UINT flags) {
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open(path.c_str(), flags, &error)) << path;
  return error;
}

// ---- atomic rewrite -------------------------------------------------------------

TEST_F(FileTest, RewriteReplacesTheFileOnlyAtClose) {
  fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write,
                  fs::perm_options::replace);
  CFile file(m_path.c_str(), kRewrite);
  file.Write("new", 3);
  EXPECT_EQ(ReadBytes(m_path), kOld);
  EXPECT_EQ(file.GetLength(), 3u);
  file.Close();
  EXPECT_EQ(ReadBytes(m_path), "new");
  EXPECT_TRUE(Others().empty());
  EXPECT_EQ(fs::status(m_path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  // Creating and closing at once leaves an empty file, as truncation did.
  CFile(m_path.c_str(), kRewrite).Close();
  EXPECT_EQ(ReadBytes(m_path), "");
}

TEST_F(FileTest, AbandonedRewriteLeavesTheOldFile) {
  {
    CFile file(m_path.c_str(), kRewrite);
    file.Write("half", 4);
  }
  EXPECT_EQ(ReadBytes(m_path), kOld);
  CFile file(m_path.c_str(), kRewrite);
  file.Write("half", 4);
  file.Abort();
  EXPECT_EQ(ReadBytes(m_path), kOld);
  EXPECT_TRUE(Others().empty());
}

TEST_F(FileTest, CrashDuringRewriteLeavesTheOldFile) {
  const int status = RewriteEndedInTheMiddle(m_path, 0);
  EXPECT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadBytes(m_path), kOld);
  // The crashed writer's lock went with it.
  CFile(m_path.c_str(), kReading).Close();
}

// Where the file system cannot make unnamed files (or /proc is missing),
// the new content has a hidden name from the start.
int OpenWithoutUnnamedFiles(const char* path, int flags, mode_t mode) {
  if ((flags & O_TMPFILE) == O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return vext::sys::Defaults().open(path, flags, mode);
}

TEST_F(FileTest, KilledRewriteLeavesNothingThatOutlivesTheNextRewrite) {
  for (const bool unnamed : {true, false}) {
    SCOPED_TRACE(unnamed ? "unnamed new content" : "named new content");
    ScopedCalls calls;
    if (!unnamed) calls->open = OpenWithoutUnnamedFiles;
    const int status = RewriteEndedInTheMiddle(m_path, SIGKILL);
    ASSERT_TRUE(status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(ReadBytes(m_path), kOld);
    EXPECT_EQ(Others().size(), unnamed ? 0u : 1u);

    // The next rewrite removes the leftover, but not the new content of a
    // rewrite that is still at work.
    CFile working(m_path.c_str(), CFile::modeCreate | CFile::modeWrite);
    working.Write("working", 7);
    CFile next(m_path.c_str(), CFile::modeCreate | CFile::modeWrite);
    next.Write("next", 4);
    next.Close();
    EXPECT_EQ(ReadBytes(m_path), "next");
    working.Close();
    EXPECT_EQ(ReadBytes(m_path), "working");
    EXPECT_TRUE(Others().empty());
    WriteBytes(m_path, kOld);
  }
}

TEST_F(FileTest, RewriteThroughALinkReplacesTheFileItNames) {
  const fs::path link = m_dir / "link.dat";
  fs::create_symlink("Original.dat", link);
  CFile file(link.c_str(), kRewrite);
  file.Write("via link", 8);
  file.Close();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(m_path), "via link");
}

TEST_F(FileTest, CreateAndNoTruncateWriteInPlace) {
  CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
  file.SeekToEnd();
  file.Write("+", 1);
  file.Close();
  EXPECT_EQ(ReadBytes(m_path), kOld + "+");
}

// ---- injected failures -------------------------------------------------------------

int g_writeBudget;
ssize_t WriteUntilFull(int fd, const void* buffer, size_t count) {
  if (g_writeBudget <= 0) {
    errno = ENOSPC;
    return -1;
  }
  const size_t take = std::min<size_t>(count, static_cast<size_t>(g_writeBudget));
  g_writeBudget -= static_cast<int>(take);
  return vext::sys::Defaults().write(fd, buffer, take);
}

TEST_F(FileTest, DiskFullWhileWritingKeepsTheOldFile) {
  ScopedCalls calls;
  calls->write = WriteUntilFull;
  g_writeBudget = 5;
  const CString expected = CString("ディスクの空き容量が不足しています。\n"_sj) + m_path.c_str();
  {
    CFile file(m_path.c_str(), kRewrite);
    try {
      file.Write("0123456789", 10);
      FAIL();
    } catch (const CFileException& e) {
      EXPECT_EQ(e.m_cause, CFileException::diskFull);
      EXPECT_EQ(e.m_lOsError, ENOSPC);
      EXPECT_EQ(e.GetErrorMessage(), expected);
    }
    // A caller that goes on to Close must not replace the file with the
    // first five bytes.
    try {
      file.Close();
      FAIL();
    } catch (const CFileException& e) {
      EXPECT_EQ(e.m_cause, CFileException::diskFull);
    }
  }
  EXPECT_EQ(ReadBytes(m_path), kOld);
  EXPECT_TRUE(Others().empty());
}

int FsyncFull(int) {
  errno = ENOSPC;
  return -1;
}
int RenameDenied(const char*, const char*) {
  errno = EACCES;
  return -1;
}

TEST_F(FileTest, FailureAtCloseKeepsTheOldFile) {
  for (const bool atFsync : {true, false}) {
    ScopedCalls calls;
    if (atFsync)
      calls->fsync = FsyncFull;
    else
      calls->rename = RenameDenied;
    CFile file(m_path.c_str(), kRewrite);
    file.Write("new", 3);
    try {
      file.Close();
      FAIL();
    } catch (const CFileException& e) {
      EXPECT_EQ(e.m_cause, atFsync ? CFileException::diskFull : CFileException::accessDenied);
    }
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadBytes(m_path), kOld);
    EXPECT_TRUE(Others().empty());
  }
}

int g_interruptions;
int OpenInterrupted(const char* path, int flags, mode_t mode) {
  if (g_interruptions > 0 && g_interruptions--) {
    errno = EINTR;
    return -1;
  }
  return vext::sys::Defaults().open(path, flags, mode);
}
ssize_t ReadInterrupted(int fd, void* buffer, size_t count) {
  if (g_interruptions > 0 && g_interruptions--) {
    errno = EINTR;
    return -1;
  }
  return vext::sys::Defaults().read(fd, buffer, count < 3 ? count : 3);  // short reads too
}
ssize_t WriteInterrupted(int fd, const void* buffer, size_t count) {
  if (g_interruptions > 0 && g_interruptions--) {
    errno = EINTR;
    return -1;
  }
  return vext::sys::Defaults().write(fd, buffer, count < 3 ? count : 3);
}

TEST_F(FileTest, InterruptedAndShortCallsAreRepeated) {
  ScopedCalls calls;
  calls->open = OpenInterrupted;
  calls->read = ReadInterrupted;
  calls->write = WriteInterrupted;
  g_interruptions = 2;
  {
    CFile file(m_path.c_str(), kRewrite);
    g_interruptions = 2;
    file.Write("0123456789", 10);
    file.Close();
  }
  g_interruptions = 2;
  CFile file(m_path.c_str(), kReading);
  char buffer[32] = {};
  g_interruptions = 2;
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 10u);  // past the end: what there is
  EXPECT_STREQ(buffer, "0123456789");
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
}

int OpenDenied(const char*, int, mode_t) {
  errno = EACCES;
  return -1;
}

// ---- errors and their messages ----------------------------------------------------------

TEST_F(FileTest, OpenErrorsCarryCauseAndFileName) {
  const std::string missing = (m_dir / "Recent.dat").string();
  CFileException error = OpenError(missing, kReading);
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(error.GetErrorMessage(), CString("ファイルが見つかりません。\n"_sj) + missing.c_str());

  const std::string noFolder = (m_dir / "NoSuchFolder" / "Custom.dat").string();
  error = OpenError(noFolder, kRewrite);
  EXPECT_EQ(error.m_cause, CFileException::badPath);
  EXPECT_EQ(error.GetErrorMessage(),
            CString("ファイルのパスが正しくありません。\n"_sj) + noFolder.c_str());

  EXPECT_EQ(OpenError(m_dir.string(), kReading).m_cause, CFileException::accessDenied);
  EXPECT_EQ(OpenError(m_dir.string(), kRewrite).m_cause, CFileException::accessDenied);
  {
    ScopedCalls calls;
    calls->open = OpenDenied;
    error = OpenError(m_path, kReading);
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_EQ(error.GetErrorMessage(),
              CString("ファイルへのアクセスが拒否されました。\n"_sj) + m_path.c_str());
  }
  EXPECT_THROW(CFile(missing.c_str(), kReading), CFileException);
}

// What the kernel says of a read-only file to anyone but root.
int OpenReadOnlyForWriting(const char* path, int flags, mode_t mode) {
  if ((flags & O_ACCMODE) != O_RDONLY && !(flags & O_CREAT)) {
    errno = EACCES;
    return -1;
  }
  return vext::sys::Defaults().open(path, flags, mode);
}

TEST_F(FileTest, ReadOnlyTargetIsNotReplaced) {
  ScopedCalls calls;
  calls->open = OpenReadOnlyForWriting;
  EXPECT_EQ(OpenError(m_path, kRewrite).m_cause, CFileException::accessDenied);
  EXPECT_EQ(ReadBytes(m_path), kOld);
  EXPECT_TRUE(Others().empty());
}

TEST(FileErrors, ReportErrorShowsTheMessageWithExclamation) {
  auto scripted = std::make_unique<vext::ui::ScriptedUserInterface>();
  auto* ui = scripted.get();
  auto previous = vext::ui::SetCurrent(std::move(scripted));
  CFileException(CFileException::generic).ReportError();
  CFileException(CFileException::sharingViolation, EWOULDBLOCK, "C:\\Common\\xmlSnc.csv")
      .ReportError();
  const auto events = ui->Events();
  vext::ui::SetCurrent(std::move(previous));
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].text, "ファイルの操作中にエラーが発生しました。"_sj);
  EXPECT_EQ(events[1].text,
            "ファイルは他のアプリケーションで使用中です。\nC:\\Common\\xmlSnc.csv"_sj);
  EXPECT_EQ(events[1].type, MB_OK | MB_ICONEXCLAMATION);
}

// ---- sharing --------------------------------------------------------------------------

TEST_F(FileTest, ReadersDenyWritersAndWritersDenyEveryone) {
  {
    CFile reader(m_path.c_str(), kReading);
    CFile secondReader(m_path.c_str(), kReading);
    const CFileException error = OpenError(m_path, kRewrite);
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
    EXPECT_EQ(error.GetErrorMessage(),
              CString("ファイルは他のアプリケーションで使用中です。\n"_sj) + m_path.c_str());
  }
  {
    CFile writer(m_path.c_str(), kRewrite);
    EXPECT_EQ(OpenError(m_path, kReading).m_cause, CFileException::sharingViolation);
    EXPECT_EQ(OpenError(m_path, kRewrite).m_cause, CFileException::sharingViolation);
    // Sharing modes that lock nothing are not stopped.
    CFile(m_path.c_str(), CFile::modeRead | CFile::shareDenyNone).Close();
    writer.Write("new", 3);
    writer.Close();
  }
  CFile(m_path.c_str(), kReading).Close();
  EXPECT_TRUE(Others().empty());
}

TEST_F(FileTest, RewriteNeverReplacesAFileThatOthersHoldDenyingWriters) {
  struct Case {
    bool heldBeforeOpen;  // else only from before Close
    UINT share;
  };
  // A rewrite that denies everyone keeps readers out once it is open.
  const Case cases[] = {{true, CFile::shareCompat},
                        {true, CFile::shareDenyWrite},
                        {true, CFile::shareExclusive},
                        {false, CFile::shareCompat},
                        {false, CFile::shareDenyWrite}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "held before open " << c.heldBeforeOpen << ", sharing 0x"
                                      << std::hex << c.share);
    const UINT flags = CFile::modeCreate | CFile::modeWrite | c.share;
    CFileException error;
    {
      std::optional<CFile> reader;
      if (c.heldBeforeOpen) reader.emplace(m_path.c_str(), kReading);
      CFile file;
      if (c.heldBeforeOpen) {
        EXPECT_FALSE(file.Open(m_path.c_str(), flags, &error));
      } else {
        ASSERT_TRUE(file.Open(m_path.c_str(), flags, &error));
        file.Write("new", 3);
        reader.emplace(m_path.c_str(), kReading);
        try {
          file.Close();
          ADD_FAILURE() << "replaced a file held with writers denied";
        } catch (const CFileException& e) {
          error = e;
        }
      }
      EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
      EXPECT_EQ(ReadBytes(m_path), kOld);
    }
    EXPECT_TRUE(Others().empty());
    CFile file(m_path.c_str(), flags);  // free again once the holder has gone
    file.Close();
    WriteBytes(m_path, kOld);
  }
}

// ---- static operations ------------------------------------------------------------------

TEST_F(FileTest, RemoveRenameExists) {
  const std::string moved = (m_dir / "Moved.dat").string();
  EXPECT_TRUE(CFile::Exists(m_path.c_str()));
  EXPECT_TRUE(CFile::Exists(m_dir.c_str()));
  CFile::Rename(m_path.c_str(), moved.c_str());
  EXPECT_FALSE(CFile::Exists(m_path.c_str()));
  EXPECT_EQ(ReadBytes(moved), kOld);
  CFile::Remove(moved.c_str());
  EXPECT_FALSE(CFile::Exists(moved.c_str()));
  try {
    CFile::Remove(moved.c_str());
    FAIL();
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(e.m_strFileName, moved.c_str());
  }
}

}  // namespace
