// Writing and reading a data file of 10,000 documents of a 3-face form with
// 200 fields per face, every value filled, in MB/s of file bytes.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/fs/File.h"
#include "platform/text/Sj.h"
#include "vextbase/VextBase.h"

namespace {

constexpr int kDocuments = 10000;
constexpr int kFaces = 3;
constexpr UINT kFields = 200;

std::unique_ptr<CVextFileIO> MakeDataSet() {
  CNVextLayoutData layout;
  layout.SetID(1001);
  layout.SetMenCount(kFaces);
  for (UINT order = 1; order <= kFields; ++order) {
    CString name;
    name.Format("%s%u", static_cast<const char*>("項目"_sj), order);
    layout.AddPropObj(new CNPropObj(order, name, NVPROP_INPUT, 20, order <= 3 ? order : 0));
  }
  CVextBasePrtFrm frame;
  frame.SetFormat(&layout);
  auto io = std::make_unique<CVextFileIO>();
  CNVextDocList& docs = io->GetKorbeData()->GetVextDocList();
  for (int d = 0; d < kDocuments; ++d) {
    CNVextDoc* doc = frame.GetData(0, 0);
    for (int face = 1; face <= kFaces; ++face) {
      for (UINT order = 1; order <= kFields; ++order) {
        CString value;
        value.Format("%s%d-%u", static_cast<const char*>("㈱髙橋"_sj), d, order);
        doc->SetStrDataByOrder(order, face, value, 0);
      }
    }
    docs.AddTail(doc);
  }
  return io;
}

std::string BenchPath() {
  return (std::filesystem::temp_directory_path() /
          ("vext-dataset-bench-" + std::to_string(getpid()) + ".dat"))
      .string();
}

void WriteFile(const std::string& path, CVextFileIO& io) {
  CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
  CArchive ar(&file, CArchive::store);
  io.Serialize(ar);
  ar.Close();
  file.Close();
}

void BM_DataSetWrite(benchmark::State& state) {
  const auto io = MakeDataSet();
  const std::string path = BenchPath();
  for (auto _ : state) WriteFile(path, *io);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  std::filesystem::remove(path);
}

void BM_DataSetRead(benchmark::State& state) {
  const std::string path = BenchPath();
  WriteFile(path, *MakeDataSet());
  for (auto _ : state) {
    CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    CVextFileIO io;
    io.Serialize(ar);
    benchmark::DoNotOptimize(io.GetKorbeData()->GetVextDocList().GetCount());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

// Throughput by wall time: the disk counts.
BENCHMARK(BM_DataSetWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DataSetRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
