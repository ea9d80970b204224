// libFuzzer target: the exchange library's DenpyoXML import on arbitrary
// bytes given as the slip document, into a host's lists (the statement
// column list starting with a name of the host's own). Messages go to the
// silent user interface.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../testing/ScratchDir.h"
#include "../testing/SilentUserInterface.h"
#include "SnXmlConv.h"

namespace {

// The run's folder, gone when the fuzzer ends.
const std::filesystem::path& Dir() {
  static const vext::testing::ScratchDir dir("DenpyoXmlImportFuzz");
  return dir.path();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vext::ui::SetCurrent(std::make_unique<vext::testing::SilentUserInterface>());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path xml = Dir() / "slip.xml";
  {
    std::ofstream out(xml, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  CString date;
  long unused3 = 0;
  int unused4 = 0;
  CString unused5;
  CStringList names[8], values[8], columns;
  CPtrList rows;
  columns.AddTail("Code");
  const int result = CXMLConv().XmlImport(
      CString(xml.string()), date, unused3, unused4, unused5, &names[0], &names[1], &names[2],
      &names[3], &names[4], &columns, &names[5], &names[6], &names[7], &values[0], &values[1],
      &values[2], &values[3], &values[4], &rows, &values[5], &values[6], &values[7]);
  for (int k = 0; k < 8; ++k)
    if (names[k].GetCount() != values[k].GetCount()) abort();
  if (result != 1 && (columns.GetCount() != 1 || !rows.IsEmpty())) abort();
  while (!rows.IsEmpty()) {
    auto* row = static_cast<CStringList*>(rows.RemoveHead());
    if (row->GetCount() > columns.GetCount()) abort();
    delete row;
  }
  return 0;
}
