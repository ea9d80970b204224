// libFuzzer target: arbitrary bytes as a form file asked about through
// CFmtDataGet as a host would. The first byte chooses the file's kind
// (even: a format file, odd: an original-form file); the rest is the file.
// Hostile table regions (zero, backwards, negative, beyond every order)
// and names of any length reach the three queries, whose answers must agree
// and stay inside the host's buffers; an original-form file that is
// renumbered must read back with the same answers. Never a crash, a leak or
// a write past a slot. The messages that bad files cause are shown to nobody.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "../testing/SilentUserInterface.h"
#include "FmtQuery.h"

namespace fs = std::filesystem;

namespace {

fs::path g_root;

// Reads its form from a file named by its path; the queries then answer
// for it whatever number they name.
class Query : public CFmtDataGet {
 public:
  int Load(bool format, const CString& path) {
    return format ? GetVextLayoutData(path) : GetVextDoc(path);
  }
};

struct Answer {
  long head = 0, columns = 0, lines = 0, foot = 0;
  bool operator==(const Answer&) const = default;
};

constexpr long kSlot = 6;
constexpr long kLimit = 40;

// The three queries on one object; aborts when they disagree.
Answer Ask(Query& query, int source) {
  Answer a;
  if (!query.GetSpaceCount(source, 1, a.head, a.columns, a.lines, a.foot)) return a;
  // Without a region, lines, columns and foot are all 0 (columns may be 0
  // with a region narrower than its line count).
  if (a.columns < 0 || a.lines < 0 || (a.lines == 0 && (a.columns != 0 || a.foot != 0))) abort();

  int columns = -1, lines = -1;
  CStringArray head, table, foot;
  const int names = query.GetSpaceNameMFC(source, 1, columns, lines, head, table, foot);
  if (names != head.GetSize() + table.GetSize() + foot.GetSize() || columns != a.columns ||
      lines != a.lines || head.GetSize() != a.head || foot.GetSize() != a.foot ||
      table.GetSize() > std::max<long>(a.columns, 0))
    abort();

  // Guard bytes after the slots catch a write past them.
  static char buffers[3][kSlot * kLimit + 8];
  std::memset(buffers, 0x5a, sizeof buffers);
  const int written = query.GetSpaceName(source, 1, kSlot, kLimit, kLimit, kLimit, buffers[0],
                                         buffers[1], buffers[2]);
  if (written < 0 || written > 3 * kLimit) abort();
  for (const auto& buffer : buffers)
    for (std::size_t i = kSlot * kLimit; i < sizeof buffer; ++i)
      if (buffer[i] != 0x5a) abort();
  return a;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory when possible: every rewrite is flushed to disk.
  const fs::path base =
      fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string pattern = (base / "fmtquery-fuzz-XXXXXX").string();
  g_root = mkdtemp(pattern.data());
  std::atexit([] { fs::remove_all(g_root); });
  setenv("VEXT_REGISTRY", (g_root / "none.reg").c_str(), 1);
  setenv("VEXT_REGISTRY_DEFAULTS", "0", 1);
  vext::ui::SetCurrent(std::make_unique<vext::testing::SilentUserInterface>());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool format = data[0] % 2 == 0;
  const fs::path file = g_root / "form";
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  const CString path(file.string());
  const int source = format ? 1 : 0;

  Query query;
  if (!query.Load(format, path)) return 0;
  const Answer first = Ask(query, source);
  if (format) return 0;
  if (!query.ChangeOrgNewID(path, 77, nullptr)) return 0;
  Query again;
  if (!again.Load(false, path) || !(Ask(again, 0) == first)) abort();
  return 0;
}
