// Benchmark of SnXmlConv on a generated address book: ContactXML export
// and import of a host's table, each in a process of its own, with
// libxml2's streaming reader (xmllint --stream --noout) on the same file
// as the yardstick. For each step: the time of the library call alone
// (the best of three runs), and the memory the call needs beyond the
// host's table (peak resident set during the call less the resident set
// with the table and nothing else). Targets:
//   import within 2x the yardstick;
//   export under 1.5 s per 100,000 entries;
//   memory beyond the table flat in the number of entries (compare the
//   figures at 100,000 and, with --scaling, 1,000,000).
//
//   xmlexchange_SnXmlConvBench [entries] [--scaling] [--keep]
#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "SnXmlConv.h"
#include "Spawn.h"
#include "platform/text/Sj.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace {

namespace fs = std::filesystem;

const std::vector<const char*> kColumns = {
    "Name",    "PhoenicPerson", "CustomerCode", "Company", "PhoenicCompany", "Section", "Zip",
    "Address", "TEL",           "FAX",          "E-mail",  "Keisho2",        "Memo",    "Branch"};

// --- the host's table ----------------------------------------------------------------

struct Table {
  CPtrArray rows;
  Table() {
    auto* names = new CStringArray;
    names->Add(CString());
    for (const char* column : kColumns) names->Add(column);
    rows.Add(names);
  }
  ~Table() {
    for (void* row : rows) delete static_cast<CStringArray*>(row);
  }
};

// A deterministic address book: about three in ten entries are companies.
// Only JIS X 0208 text: the yardstick, plain libxml2, fails on the CP932
// extensions (①, ㈱, 髙) in a Shift_JIS file.
void Generate(Table& table, std::uint64_t entries) {
  const char* const family[] = {"山田"_sj, "高橋"_sj, "佐藤"_sj, "鈴木"_sj, "比嘉"_sj, "渡邉"_sj};
  const char* const familyKana[] = {"ﾔﾏﾀﾞ"_sj, "ﾀｶﾊｼ"_sj, "ｻﾄｳ"_sj,
                                    "ｽｽﾞｷ"_sj, "ﾋｶﾞ"_sj,  "ﾜﾀﾅﾍﾞ"_sj};
  const char* const given[] = {"太郎"_sj, "花子"_sj, "一郎"_sj, "美咲"_sj, "健二"_sj};
  const char* const givenKana[] = {"ﾀﾛｳ"_sj, "ﾊﾅｺ"_sj, "ｲﾁﾛｳ"_sj, "ﾐｻｷ"_sj, "ｹﾝｼﾞ"_sj};
  const char* const places[] = {
      "東京都新宿区西新宿２－８－１"_sj, "大阪府大阪市北区中之島１－３－２０"_sj,
      "神奈川県横浜市中区港町１－１"_sj, "北海道札幌市中央区北一条西２丁目"_sj,
      "沖縄県那覇市泉崎１－２－２"_sj};
  std::uint64_t state = 1;
  const auto next = [&state](std::uint64_t n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state >> 33) % n);
  };
  table.rows.items().reserve(entries + 1);
  for (std::uint64_t i = 0; i < entries; ++i) {
    auto* row = new CStringArray;
    row->SetSize(static_cast<int>(kColumns.size()) + 1);
    auto set = [row](int column, const CString& value) { row->ElementAt(column + 1) = value; };
    const int f = next(6), g = next(5);
    const bool company = next(10) < 3;
    set(0, CString(family[f]) + " " + given[g]);
    set(1, CString(familyKana[f]) + " " + givenKana[g]);
    set(2, CString(std::to_string(100000 + i)));
    if (company) {
      set(3, CString("株式会社"_sj) + family[f] + "商事"_sj);
      set(4, CString(familyKana[f]) + "ｼｮｳｼﾞ"_sj);
      set(5, "営業部"_sj);
    }
    set(6, CString(std::to_string(1000000 + next(8999999))));
    set(7, places[next(5)]);
    set(8,
        CString("03-" + std::to_string(1000 + next(8999)) + "-" + std::to_string(1000 + i % 9000)));
    set(9, CString("03-" + std::to_string(1000 + next(8999)) + "-0000"));
    set(10, CString("user" + std::to_string(i) + "@example.jp"));
    set(11, company ? "御中"_sj : "様"_sj);
    if (next(4) == 0) set(12, "年賀状送付先"_sj);
    set(13, "本店"_sj);
    row->ElementAt(0) = CString(std::to_string(i));
    table.rows.Add(row);
  }
}

// --- measuring inside a child ------------------------------------------------------------

double StatusMiB(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field, 0) == 0)
      return std::stod(line.substr(std::string(field).size())) / 1024.0;
  return 0;
}

// The peak resident set starts again from the present one.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// One library call in this process: prints "seconds beyondMiB tableMiB".
int Child(const std::string& step, std::uint64_t entries, const std::string& path) {
  auto ui = std::make_unique<vext::ui::ScriptedUserInterface>();
  auto* scripted = ui.get();
  vext::ui::SetCurrent(std::move(ui));
  Table table;
  if (step == "export") Generate(table, entries);
  malloc_trim(0);
  const double before = StatusMiB("VmRSS:");
  ResetPeak();
  CContactXmlConv conv;
  const auto start = std::chrono::steady_clock::now();
  const int result = step == "export" ? conv.ExportContactXML(CString(path), &table.rows)
                                      : conv.ImportContactXML(CString(path), 0, &table.rows);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double peak = StatusMiB("VmHWM:");
  malloc_trim(0);
  const double after = StatusMiB("VmRSS:");
  if (result != 1 || !scripted->Messages().empty()) return 1;
  if (step == "import" && static_cast<std::uint64_t>(table.rows.GetSize()) != entries + 1) return 1;
  // Export: the table was there before the call. Import: it is there
  // after it, and grew during it.
  const double withTable = step == "export" ? before : after;
  std::printf("%.4f %.1f %.1f\n", seconds, peak - withTable, withTable);
  return 0;
}

// --- the parent ---------------------------------------------------------------------------

struct Step {
  bool ok = false;
  double seconds = 1e9;
  double beyondMiB = 0;
  double tableMiB = 0;
};

Step RunStep(const std::string& self, const std::string& step, std::uint64_t entries,
             const fs::path& xml, const fs::path& dir) {
  Step best;
  for (int run = 0; run < 3; ++run) {
    const fs::path out = dir / (step + ".txt");
    const std::string command = "'" + self + "' --child " + step + " " + std::to_string(entries) +
                                " '" + xml.string() + "' > '" + out.string() + "'";
    if (std::system(("VEXT_UI=scripted " + command).c_str()) != 0) return best;
    std::ifstream in(out);
    Step measured;
    in >> measured.seconds >> measured.beyondMiB >> measured.tableMiB;
    measured.ok = static_cast<bool>(in);
    if (!measured.ok) return measured;
    best.ok = true;
    best.seconds = std::min(best.seconds, measured.seconds);
    best.beyondMiB = std::max(best.beyondMiB, measured.beyondMiB);
    best.tableMiB = measured.tableMiB;
  }
  return best;
}

struct Run {
  std::uint64_t entries = 0;
  double xmlMiB = 0;
  Step exportStep, importStep;
  vext::test::ChildRun stream;
};

Run Measure(const std::string& self, std::uint64_t entries, bool keep) {
  vext::testing::ScratchDir scratch("SnXmlConvBench");
  const fs::path dir = scratch.path();
  const fs::path xml = dir / "book.xml";
  Run run;
  run.entries = entries;
  run.exportStep = RunStep(self, "export", entries, xml, dir);
  run.xmlMiB = fs::exists(xml) ? static_cast<double>(fs::file_size(xml)) / (1 << 20) : 0;
  for (int i = 0; i < 3; ++i) {
    const auto m = vext::test::Spawn("xmllint", {"--stream", "--noout", xml.string()}, {}, true);
    if (i == 0 || m.seconds < run.stream.seconds) run.stream = m;
  }
  run.importStep = RunStep(self, "import", entries, xml, dir);
  if (keep) {
    scratch.Keep();
    std::cout << "kept " << dir << '\n';
  }
  return run;
}

bool Report(const Run& run) {
  const double exportLimit = 1.5 * static_cast<double>(run.entries) / 100000.0;
  const bool exportOk = run.exportStep.ok && run.exportStep.seconds < exportLimit;
  const bool importOk = run.importStep.ok && run.importStep.seconds <= 2 * run.stream.seconds;
  std::printf("\n%llu entries, ContactXML %.1f MiB\n", static_cast<unsigned long long>(run.entries),
              run.xmlMiB);
  std::printf("  %-26s %9s %14s %12s   %-26s\n", "step", "time", "beyond table", "table", "target");
  char target[64];
  std::snprintf(target, sizeof target, "< %.2f s", exportLimit);
  std::printf("  %-26s %7.2f s %10.1f MiB %8.1f MiB   %-26s %s\n", "ExportContactXML",
              run.exportStep.seconds, run.exportStep.beyondMiB, run.exportStep.tableMiB, target,
              exportOk ? "ok" : "MISSED");
  std::snprintf(target, sizeof target, "<= %.2f s (2x stream)", 2 * run.stream.seconds);
  std::printf("  %-26s %7.2f s %10.1f MiB %8.1f MiB   %-26s %s\n", "ImportContactXML",
              run.importStep.seconds, run.importStep.beyondMiB, run.importStep.tableMiB, target,
              importOk ? "ok" : "MISSED");
  std::printf("  %-26s %7.2f s %10.1f MiB %12s   %-26s\n", "xmllint --stream --noout",
              run.stream.seconds, run.stream.peakMiB, "(peak)", "yardstick");
  return exportOk && importOk && run.stream.status == 0;
}

int RunBenchmark(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "--child")
    return Child(argv[2], std::strtoull(argv[3], nullptr, 10), argv[4]);
  std::uint64_t entries = 100000;
  bool scaling = false;
  bool keep = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--scaling")
      scaling = true;
    else if (arg == "--keep")
      keep = true;
    else if (arg.rfind("--", 0) == 0)
      std::cerr << "ignored: " << arg << '\n';  // meant for other benchmarks
    else
      entries = std::strtoull(arg.c_str(), nullptr, 10);
  }
  if (entries == 0) {
    std::cerr << "usage: " << argv[0] << " [entries] [--scaling] [--keep]\n";
    return 2;
  }
  const std::string self = fs::canonical("/proc/self/exe").string();
  const Run small = Measure(self, entries, keep);
  bool met = Report(small);
  if (scaling) {
    const Run large = Measure(self, entries * 10, keep);
    met = Report(large) && met;
    const double growth = large.importStep.beyondMiB - small.importStep.beyondMiB;
    const double exportGrowth = large.exportStep.beyondMiB - small.exportStep.beyondMiB;
    const bool flat = growth < 16 && exportGrowth < 16;
    std::printf(
        "\nmemory beyond the table, x10 entries: import %+.1f MiB, export %+.1f MiB "
        "(flat: < 16 MiB more)   %s\n",
        growth, exportGrowth, flat ? "ok" : "MISSED");
    met = met && flat;
  }
  return met ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return RunBenchmark(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "xmlexchange_SnXmlConvBench: " << error.what() << '\n';
    return 2;
  }
}
