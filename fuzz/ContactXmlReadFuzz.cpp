// libFuzzer target: read mode of xmlSncConv on arbitrary bytes given as the
// ContactXML file, from the loading through the entry readers to the CSV
// file written. Messages go to a scripted user interface that nobody reads.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "PhoneBookConv.h"
#include "ScratchDir.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace {

vext::ui::ScriptedUserInterface* g_ui = nullptr;

// The run's folder, gone when the fuzzer ends.
const std::filesystem::path& Dir() {
  static const vext::testing::ScratchDir dir("ContactXmlReadFuzz");
  return dir.path();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  auto ui = std::make_unique<vext::ui::ScriptedUserInterface>();
  g_ui = ui.get();
  vext::ui::SetCurrent(std::move(ui));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path xml = Dir() / "book.xml";
  {
    std::ofstream out(xml, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  CPhoneBookConv conv;
  conv.m_nMode = 1;
  conv.m_strXmlPath = CString(xml.string());
  conv.m_strCsvPath = CString((Dir() / "xmlSnc.csv").string());
  conv.Import();
  g_ui->ClearEvents();
  return 0;
}
