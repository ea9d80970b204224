// libFuzzer target: the exchange library's ContactXML import on arbitrary
// bytes given as the document, into a host's table with every key and one
// of its own. The first byte chooses how the table is laid out. The
// scripted user interface answers the question before the import with its
// default (OK: company data), which the silent one would cancel; its
// record is cleared after every input.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../testing/ScratchDir.h"
#include "SnXmlConv.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace {

vext::ui::ScriptedUserInterface* g_ui = nullptr;
// The run's folder, gone when the fuzzer ends.
const std::filesystem::path& Dir() {
  static const vext::testing::ScratchDir dir("ContactXmlImportFuzz");
  return dir.path();
}

// Tables as hosts lay them out: every key, a supplier table with repeated
// and empty names, and one that is only the record number.
const char* const kLayouts[][16] = {
    {"", "Name", "PhoenicPerson", "CustomerCode", "Company", "PhoenicCompany", "Section", "Zip",
     "Address", "TEL", "FAX", "E-mail", "Keisho2", "Memo", "Branch", nullptr},
    {"", "SupplierCode", "Name", "", "Name", "Address", "Fax", nullptr},
    {"", nullptr},
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  auto ui = std::make_unique<vext::ui::ScriptedUserInterface>();
  g_ui = ui.get();
  vext::ui::SetCurrent(std::move(ui));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto& layout = kLayouts[data[0] % (sizeof kLayouts / sizeof kLayouts[0])];
  const std::filesystem::path xml = Dir() / "book.xml";
  {
    std::ofstream out(xml, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  CPtrArray table;
  auto* names = new CStringArray;
  for (const char* const* name = layout; *name; ++name) names->Add(*name);
  table.Add(names);
  CContactXmlConv conv;
  if (conv.ImportContactXML(CString(xml.string()), 0, &table) == 1) {
    for (int index = 1; index < table.GetSize(); ++index)
      if (static_cast<CStringArray*>(table[index])->GetSize() != names->GetSize()) abort();
  } else if (table.GetSize() != 1) {
    abort();  // a failed import appends nothing
  }
  for (void* row : table) delete static_cast<CStringArray*>(row);
  g_ui->ClearEvents();
  return 0;
}
