// Two processes editing the recent list at once lose neither's changes,
// and a reader never meets half a file.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "CatalogFileReader.h"
#include "CatalogTestSupport.h"

namespace slipcatalog::testing {
namespace {

constexpr int kChanges = 200;

// A process that puts layouts first + 0 .. first + kChanges - 1 at the
// front of the recent list, one after the other; it exits 0 when every
// change succeeded.
pid_t StartEditor(LONG first) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  CSlipCatalog catalogue;
  CLayoutInfo layout;
  int failed = 0;
  for (int i = 0; i < kChanges; ++i) {
    layout.layoutId = first + i;
    if (!catalogue.SetRecent(&layout)) ++failed;
  }
  _exit(failed ? 1 : 0);
}

bool Exited(pid_t pid, int* status) { return waitpid(pid, status, WNOHANG) == pid; }

TEST_F(CatalogTest, TwoProcessesSettingRecentEntriesLoseNothing) {
  const LONG firsts[] = {1000, 2000};
  pid_t editors[] = {StartEditor(firsts[0]), StartEditor(firsts[1])};
  ASSERT_GT(editors[0], 0);
  ASSERT_GT(editors[1], 0);

  // Meanwhile the file, read without any lock, always decodes: a copy of
  // its bytes is read through the catalogue (a read with the sharing lock
  // would itself stand in the editors' way).
  const fs::path snapshot = temp.path() / "snapshot.dat";
  int statuses[2] = {-1, -1};
  bool done[2] = {false, false};
  int looks = 0;
  while (!done[0] || !done[1]) {
    for (int i = 0; i < 2; ++i)
      if (!done[i]) done[i] = Exited(editors[i], &statuses[i]);
    const std::string bytes = Bytes("Recent.dat");
    if (bytes.empty()) continue;  // not written yet
    std::ofstream(snapshot, std::ios::binary | std::ios::trunc) << bytes;
    CObArray records;
    CString reason;
    ASSERT_EQ(ReadCatalogFile(snapshot.c_str(), records, reason), 1) << "torn file";
    EXPECT_LE(records.GetSize(), 15);
    for (CObject* record : records.items()) delete record;
    ++looks;
  }
  ASSERT_TRUE(WIFEXITED(statuses[0]) && WEXITSTATUS(statuses[0]) == 0);
  ASSERT_TRUE(WIFEXITED(statuses[1]) && WEXITSTATUS(statuses[1]) == 0);
  EXPECT_GT(looks, 0);

  // The 15 entries are the 15 last changes: of each editor, the newest
  // ones it made, newest first and none missing.
  TestCatalogue reader;
  ASSERT_EQ(reader.ReadRecent(), 1);
  ASSERT_EQ(reader.recentList.GetSize(), 15);
  std::vector<LONG> keys[2];
  for (const CDaiBunrui* entry : reader.recentList) {
    const LONG key = entry->childList.GetAt(0)->childList.GetAt(0)->childList.GetAt(0)->layoutId;
    const int editor = key >= firsts[1] ? 1 : 0;
    ASSERT_TRUE(key >= firsts[editor] && key < firsts[editor] + kChanges) << key;
    keys[editor].push_back(key);
  }
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    for (std::size_t k = 0; k < keys[i].size(); ++k)
      EXPECT_EQ(keys[i][k], firsts[i] + kChanges - 1 - static_cast<LONG>(k));
  }
}

}  // namespace
}  // namespace slipcatalog::testing
