#include "platform/system/NamedMutex.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "MutexHolder.h"
#include "ScopedRegistry.h"

namespace fs = std::filesystem;
using vext::NamedMutex;
using vext::testing::ScopedEnv;
using vext::testing::ScratchDir;

namespace {

class NamedMutexTest : public ::testing::Test {
 protected:
  ScratchDir temp;
  fs::path runtime = temp.path() / "run" / "vext";
  ScopedEnv runtimeEnv{"VEXT_RUNTIME_DIR", runtime.string()};
};

TEST_F(NamedMutexTest, ExistsWhileAHandleLives) {
  EXPECT_FALSE(NamedMutex::Exists("hXmlSncConv"));
  {
    const auto mutex = NamedMutex::Create("hXmlSncConv");
    ASSERT_NE(mutex, nullptr);
    EXPECT_FALSE(mutex->AlreadyExisted());
    EXPECT_TRUE(NamedMutex::Exists("hXmlSncConv"));
    EXPECT_FALSE(NamedMutex::Exists("hZaviziv"));
    // A second handle of the same name is allowed, as on Windows, and
    // knows it was not the first.
    const auto second = NamedMutex::Create("hXmlSncConv");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->AlreadyExisted());
  }
  EXPECT_FALSE(NamedMutex::Exists("hXmlSncConv"));
  const auto again = NamedMutex::Create("hXmlSncConv");
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(again->AlreadyExisted()) << "the old handles are gone";
}

// Processes that create the mutex at one instant: each waits for the same
// start signal, then reports whether it was first and holds its handle
// until all have answered.
TEST_F(NamedMutexTest, OfCreatorsStartedTogetherExactlyOneIsFirst) {
  constexpr int kCreators = 20;
  int start[2], answers[2], release[2];
  ASSERT_EQ(pipe(start), 0);
  ASSERT_EQ(pipe(answers), 0);
  ASSERT_EQ(pipe(release), 0);
  std::vector<pid_t> children;
  for (int i = 0; i < kCreators; ++i) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(start[1]);
      close(answers[0]);
      close(release[1]);
      char byte;
      while (read(start[0], &byte, 1) > 0) {
      }
      const auto mutex = NamedMutex::Create("hXmlSncConv");
      const char answer = !mutex ? '0' : mutex->AlreadyExisted() ? 'n' : 'y';
      if (write(answers[1], &answer, 1) != 1) _exit(1);
      while (read(release[0], &byte, 1) > 0) {
      }
      _exit(0);
    }
    children.push_back(pid);
  }
  close(start[0]);
  close(answers[1]);
  close(release[0]);
  close(start[1]);  // all go
  std::string got;
  char answer;
  while (got.size() < kCreators && read(answers[0], &answer, 1) == 1) got += answer;
  close(release[1]);
  for (pid_t pid : children) waitpid(pid, nullptr, 0);
  close(answers[0]);
  EXPECT_EQ(std::count(got.begin(), got.end(), 'y'), 1) << got;
  EXPECT_EQ(std::count(got.begin(), got.end(), 'n'), kCreators - 1) << got;
  EXPECT_FALSE(NamedMutex::Exists("hXmlSncConv"));
}

// Asking whether a mutex exists takes nothing: questions asked all the
// while neither make a creator think it was second, nor see a mutex that
// nobody holds, nor miss one that somebody does.
TEST_F(NamedMutexTest, QuestionsNeverDisturbCreatorsOrEachOther) {
  ASSERT_NE(NamedMutex::Create("hZaviziv"), nullptr);  // makes the folder
  std::atomic<bool> stop{false};
  std::atomic<int> wrongAboutFree{0}, wrongAboutHeld{0};
  const auto holder = NamedMutex::Create("hDadudiv");
  ASSERT_NE(holder, nullptr);
  std::vector<std::thread> askers;
  askers.reserve(3);
  for (int i = 0; i < 3; ++i)
    askers.emplace_back([&] {
      while (!stop) {
        if (NamedMutex::Exists("hZaviziv")) ++wrongAboutFree;
        if (!NamedMutex::Exists("hDadudiv")) ++wrongAboutHeld;
        NamedMutex::Exists("hXmlSncConv");
      }
    });
  int notFirst = 0;
  for (int i = 0; i < 300; ++i) {
    const auto mutex = NamedMutex::Create("hXmlSncConv");
    if (!mutex || mutex->AlreadyExisted()) ++notFirst;
  }
  stop = true;
  for (std::thread& asker : askers) asker.join();
  EXPECT_EQ(notFirst, 0);
  EXPECT_EQ(wrongAboutFree, 0);
  EXPECT_EQ(wrongAboutHeld, 0);
}

TEST_F(NamedMutexTest, SeenFromAnotherProcessUntilItIsKilled) {
  vext::testing::MutexHolder holder("hDadudiv");
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
