// Benchmark of the catalogue on a generated installation: n layouts in 5
// major, 50 middle and 500 minor categories, plus n/20 downloaded layouts
// (half replace catalogue layouts, half are new), a pick-up file, a full
// recent list and a custom form. The target is set for n = 20,000; the
// smaller sizes show how the time grows (catalogue identifiers stay below
// 40000, where the pick-up forms' begin).
//
// Measured: ReadDataFile (every file read and the merge), GetLayoutInfo of
// a present identifier (the last layout of the catalogue) and of an absent
// one (both re-read and merge everything, as every lookup does), and
// SetRecent. Target: a lookup under 20 ms at 20,000 layouts, and lookup
// time linear in n (the reported complexity).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "CatalogBuilder.h"
#include "ScratchDir.h"
#include "SlipCatalog.h"

namespace fs = std::filesystem;
using namespace slipcatalog::build;

namespace {

constexpr int kMajors = 5;
constexpr int kMiddlesPerMajor = 10;
constexpr int kMinorsPerMiddle = 10;
constexpr int kMinors = kMajors * kMiddlesPerMajor * kMinorsPerMiddle;
constexpr LONG kFirstId = 1;

std::string Name(const char* kind, int index) { return kind + std::to_string(index); }

// Category names shared by the catalogue and the downloads, so that
// downloaded layouts land in catalogue minor categories.
struct Path {
  std::string major, middle, minor;
};
Path PathOf(int minor) {
  return {Name("major", minor / (kMiddlesPerMajor * kMinorsPerMiddle)),
          Name("middle", minor / kMinorsPerMiddle % kMiddlesPerMajor),
          Name("minor", minor % kMinorsPerMiddle)};
}

void FillCatalogue(CSlipCatalog& catalogue, int layouts) {
  const int perMinor = layouts / kMinors;
  LONG id = kFirstId;
  for (int m = 0; m < kMinors; ++m) {
    const Path path = PathOf(m);
    if (m % (kMiddlesPerMajor * kMinorsPerMiddle) == 0)
      AddMajor(catalogue.mainList, path.major.c_str());
    CDaiBunrui* major = catalogue.mainList.GetAt(catalogue.mainList.GetUpperBound());
    if (m % kMinorsPerMiddle == 0) AddMiddle(major, path.middle.c_str());
    CChuBunrui* middle = major->childList.GetAt(major->childList.GetUpperBound());
    CShoBunrui* minor = AddMinor(middle, path.minor.c_str());
    for (int i = 0; i < perMinor; ++i) {
      CLayoutInfo* layout = AddLayout(minor, id, ("layout " + std::to_string(id)).c_str());
      layout->taiouPaper = "A4";
      layout->excelName = "form.xls";
      ++id;
    }
  }
  // Downloads: every second one replaces a catalogue layout, the others
  // are new identifiers after the catalogue's.
  const int downloads = layouts / 20;
  for (int d = 0; d < downloads; ++d) {
    const int m = d * kMinors / downloads;
    const Path path = PathOf(m);
    const LONG downloadId = d % 2 ? kFirstId + m * perMinor : kFirstId + layouts + d;
    AddLayout(AddPath(catalogue.downloadList, path.major.c_str(), path.middle.c_str(),
                      path.minor.c_str()),
              downloadId, "downloaded");
  }
  AddLayout(AddMinor(catalogue.pickUpList, "pick-up"), 40000, "pick-up form")->motoLayoutId = 1;
  for (LONG r = 0; r < 15; ++r)
    AddLayout(AddPath(catalogue.recentList, "recent", "", ""), kFirstId + r, "recent");
  AddLayout(AddPath(catalogue.customList, "custom", "own", "forms"), 90000, "custom");
}

// One installation per size, in a scratch folder; the registry names the
// one a benchmark works on.
class Installations {
 public:
  Installations() {
    setenv("VEXT_REGISTRY", (m_root / "registry.reg").c_str(), 1);
    setenv("VEXT_REGISTRY_DEFAULTS", "0", 1);
    setenv("VEXT_UI", "console", 1);
  }

  void Use(int layouts) {
    const fs::path folder = m_root / std::to_string(layouts);
    std::ofstream(m_root / "registry.reg", std::ios::trunc)
        << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik]\n"
        << "\"InstalledDataDir\"=\"" << folder.string() << "\"\n";
    if (m_made.count(layouts)) return;
    fs::create_directories(folder / "Data" / "MyData");
    CSlipCatalog catalogue;
    FillCatalogue(catalogue, layouts);
    if (!catalogue.WriteMotoData() || !catalogue.WriteDownLoad() || !catalogue.WritePickUp() ||
        !catalogue.WriteRecent() || !catalogue.WriteCustom())
      throw std::runtime_error("cannot write the benchmark catalogue");
    m_made[layouts] = true;
  }

 private:
  vext::testing::ScratchDir m_scratch{"slipcat-bench"};
  const fs::path m_root = m_scratch.path();
  std::map<int, bool> m_made;
};

Installations& Scratch() {
  static Installations installations;
  return installations;
}

void ReadDataFile(benchmark::State& state) {
  Scratch().Use(static_cast<int>(state.range(0)));
  CSlipCatalog catalogue;
  for (auto _ : state) {
    if (!catalogue.ReadDataFile()) state.SkipWithError("ReadDataFile failed");
  }
  state.SetComplexityN(state.range(0));
}

void LookUp(benchmark::State& state, bool present) {
  const int layouts = static_cast<int>(state.range(0));
  Scratch().Use(layouts);
  CSlipCatalog catalogue;
  const LONG id = present ? kFirstId + layouts - 1 : 39999;
  for (auto _ : state) {
    const CLayoutInfo* layout = catalogue.GetLayoutInfo(id);
    if ((layout != nullptr) != present) state.SkipWithError("wrong lookup result");
  }
  state.SetComplexityN(state.range(0));
}

void GetLayoutInfoPresent(benchmark::State& state) { LookUp(state, true); }
void GetLayoutInfoAbsent(benchmark::State& state) { LookUp(state, false); }

void SetRecent(benchmark::State& state) {
  Scratch().Use(static_cast<int>(state.range(0)));
  CSlipCatalog catalogue;
  CLayoutInfo layout;
  LONG id = 0;
  for (auto _ : state) {
    layout.layoutId = kFirstId + id++ % 30;  // half of them new to the list
    if (!catalogue.SetRecent(&layout)) state.SkipWithError("SetRecent failed");
  }
}

constexpr int kSizes[] = {2'500, 5'000, 10'000, 20'000};

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (int layouts : kSizes) benchmark->Arg(layouts);
  benchmark->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

}  // namespace

BENCHMARK(ReadDataFile)->Apply(Sizes);
BENCHMARK(GetLayoutInfoPresent)->Apply(Sizes);
BENCHMARK(GetLayoutInfoAbsent)->Apply(Sizes);
BENCHMARK(SetRecent)->Arg(20'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
