#include "platform/system/NamedMutex.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ScopedRegistry.h"

namespace fs = std::filesystem;
using vext::NamedMutex;
using vext::testing::ScopedEnv;
using vext::testing::TempDir;

namespace {

class NamedMutexTest : public ::testing::Test {
 protected:
  TempDir temp;
  fs::path runtime = temp.path() / "run" / "vext";
  ScopedEnv runtimeEnv{"VEXT_RUNTIME_DIR", runtime.string()};
};

// A second process that creates the mutex, says so through a pipe and then
// waits to be killed.
class Holder {
 public:
  explicit Holder(const char* name) {
    int fds[2];
    if (pipe(fds) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      close(fds[0]);
      const auto mutex = NamedMutex::Create(name);
      const char ok = mutex ? '1' : '0';
      if (write(fds[1], &ok, 1) != 1) _exit(1);
      for (;;) pause();
    }
    close(fds[1]);
    char ok = '0';
    m_started = m_pid > 0 && read(fds[0], &ok, 1) == 1 && ok == '1';
    close(fds[0]);
  }
  ~Holder() { Kill(); }

  bool started() const { return m_started; }
  void Kill() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }

 private:
  pid_t m_pid = -1;
  bool m_started = false;
};

TEST_F(NamedMutexTest, ExistsWhileAHandleLives) {
  EXPECT_FALSE(NamedMutex::Exists("hXmlSncConv"));
  {
    const auto mutex = NamedMutex::Create("hXmlSncConv");
    ASSERT_NE(mutex, nullptr);
    EXPECT_TRUE(NamedMutex::Exists("hXmlSncConv"));
    EXPECT_FALSE(NamedMutex::Exists("hZaviziv"));
    // A second handle of the same name is allowed, as on Windows.
    const auto second = NamedMutex::Create("hXmlSncConv");
    EXPECT_NE(second, nullptr);
  }
  EXPECT_FALSE(NamedMutex::Exists("hXmlSncConv"));
}

TEST_F(NamedMutexTest, SeenFromAnotherProcessUntilItIsKilled) {
  Holder holder("hDadudiv");
  ASSERT_TRUE(holder.started());
  EXPECT_TRUE(NamedMutex::Exists("hDadudiv"));
  holder.Kill();
  EXPECT_FALSE(NamedMutex::Exists("hDadudiv"));
}

TEST_F(NamedMutexTest, RuntimeFolderIsPrivateAndMadeOnlyWhenCreating) {
  EXPECT_FALSE(NamedMutex::Exists("hZaviziv"));
  EXPECT_FALSE(fs::exists(runtime));
  const auto mutex = NamedMutex::Create("hZaviziv");
  ASSERT_NE(mutex, nullptr);
  struct stat info {};
  ASSERT_EQ(stat(runtime.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_TRUE(fs::exists(runtime / "hZaviziv.lock"));
}

TEST_F(NamedMutexTest, NamesStayInsideTheRuntimeFolder) {
  const auto mutex = NamedMutex::Create("Global/../escape");
  ASSERT_NE(mutex, nullptr);
  EXPECT_TRUE(fs::exists(runtime / "Global_.._escape.lock"));
  EXPECT_TRUE(NamedMutex::Exists("Global/../escape"));
  EXPECT_EQ(NamedMutex::Create(""), nullptr);
}

TEST_F(NamedMutexTest, UnusableRuntimeFolderMeansNoMutex) {
  temp.Write("file", "");
  ScopedEnv blocked("VEXT_RUNTIME_DIR", (temp.path() / "file" / "sub").string());
  EXPECT_EQ(NamedMutex::Create("hXmlSncConv"), nullptr);
  EXPECT_FALSE(NamedMutex::Exists("hXmlSncConv"));
}

}  // namespace
