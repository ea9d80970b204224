// GetSpaceCount and GetSpaceNameMFC on a form of 2,000 fields (200 head
// fields, a table of 50 lines of 30 columns, 300 foot fields), each on a
// new query object, so that every iteration loads the file as a host's
// first query does. Both sources: the format file and an original-form
// file holding ten filled-in documents of the form.
#include <benchmark/benchmark.h>

#include "FmtQuery.h"
#include "ScopedInstallation.h"
#include "platform/fs/File.h"
#include "platform/text/Sj.h"

namespace {

constexpr UINT kFields = 2000;
constexpr long kFormatNo = 5001;
constexpr long kOrgNo = 5001;

CNVextLayoutData MakeLayout() {
  CNVextLayoutData layout;
  layout.SetID(kFormatNo);
  layout.SetTableStartOrder(201);
  layout.SetTableEndOrder(1700);
  layout.SetTableLineCount(50);
  for (UINT order = 1; order <= kFields; ++order) {
    CString name;
    name.Format("%s%u", static_cast<const char*>("記入欄"_sj), order);
    layout.AddPropObj(new CNPropObj(order, name, order % 7 ? NVPROP_INPUT : 0, 20));
  }
  return layout;
}

template <typename Record>
void WriteFile(const CString& path, Record& record) {
  CFile file(path, CFile::modeCreate | CFile::modeWrite);
  CArchive ar(&file, CArchive::store);
  record.Serialize(ar);
  ar.Close();
  file.Close();
}

// The scratch installation with both files, made once.
const vext::testing::ScopedInstallation& Installation() {
  static const auto* suite = [] {
    auto* made = new vext::testing::ScopedInstallation;
    made->Write("DATA\\FMT\\keep", "");
    made->Write("DATA\\ORG\\keep", "");
    CNVextLayoutData layout = MakeLayout();
    WriteFile(CString(made->DataDir() + "\\DATA\\FMT\\ON5001.FMT"), layout);
    CVextBasePrtFrm frame;
    frame.SetFormat(&layout);
    CVextFileIO io;
    for (int d = 0; d < 10; ++d) {
      CNVextDoc* doc = frame.GetData(0, 0);
      for (UINT order = 1; order <= kFields; ++order) doc->SetStrDataByOrder(order, 0, "1234", 0);
      io.GetKorbeData()->GetVextDocList().AddTail(doc);
    }
    WriteFile(CString(made->DataDir() + "\\DATA\\ORG\\5001.ORG"), io);
    return made;
  }();
  return *suite;
}

void SpaceCount(benchmark::State& state) {
  Installation();
  const int source = static_cast<int>(state.range(0));
  long head, columns, lines, foot;
  for (auto _ : state) {
    CFmtDataGet query;
    if (!query.GetSpaceCount(source, source ? kFormatNo : kOrgNo, head, columns, lines, foot))
      state.SkipWithError("the form cannot be loaded");
    benchmark::DoNotOptimize(head);
  }
  state.SetLabel(source ? "format file" : "original-form file");
}

void SpaceNameMFC(benchmark::State& state) {
  Installation();
  const int source = static_cast<int>(state.range(0));
  int columns, lines;
  CStringArray head, table, foot;
  for (auto _ : state) {
    CFmtDataGet query;
    if (query.GetSpaceNameMFC(source, source ? kFormatNo : kOrgNo, columns, lines, head, table,
                              foot) < 0)
      state.SkipWithError("the form cannot be loaded");
    benchmark::DoNotOptimize(head);
  }
  state.SetLabel(source ? "format file" : "original-form file");
}

BENCHMARK(SpaceCount)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SpaceNameMFC)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
