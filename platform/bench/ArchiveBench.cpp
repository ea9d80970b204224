// Writing and reading a catalogue-like archive of 100,000 layout records
// through CFile, in MB/s of archive bytes.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "ArchiveSamples.h"

using namespace vext_sample;

namespace {

constexpr int kRecords = 100000;

ObjectList MakeRecords() {
  ObjectList list;
  for (int i = 0; i < kRecords; ++i) {
    auto layout = std::make_unique<CLayoutInfo>();
    layout->title.Format("Seikyusho %d", i);
    layout->layoutId = 40000 + i;
    layout->motoLayoutId = i;
    layout->taiouPaper = "A4";
    layout->fileName.Format("P%d.fmt", 40000 + i);
    layout->excelName = "seikyu.xls";
    list.push_back(std::move(layout));
  }
  return list;
}

std::string BenchPath() {
  return (std::filesystem::temp_directory_path() /
          ("vext-archive-bench-" + std::to_string(getpid()) + ".dat"))
      .string();
}

void WriteFile(const std::string& path, const ObjectList& list) {
  CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
  CArchive ar(&file, CArchive::store);
  StoreList(ar, list);
  ar.Close();
  file.Close();
}

void BM_ArchiveWrite(benchmark::State& state) {
  const ObjectList list = MakeRecords();
  const std::string path = BenchPath();
  for (auto _ : state) WriteFile(path, list);  // NOLINT(clang-analyzer-deadcode.DeadStores)
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

void BM_ArchiveRead(benchmark::State& state) {
  const std::string path = BenchPath();
  WriteFile(path, MakeRecords());
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores)
    CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    ObjectList list = LoadList(ar, RUNTIME_CLASS(CLayoutInfo));
    benchmark::DoNotOptimize(list.data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

BENCHMARK(BM_ArchiveWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
