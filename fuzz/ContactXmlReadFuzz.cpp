// libFuzzer target: read mode of xmlSncConv on arbitrary bytes given as the
// ContactXML file, from the loading through the entry readers to the CSV
// file written. Messages go to a scripted user interface that nobody reads.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "PhoneBookConv.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace {

vext::ui::ScriptedUserInterface* g_ui = nullptr;
std::filesystem::path g_dir;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  auto ui = std::make_unique<vext::ui::ScriptedUserInterface>();
  g_ui = ui.get();
  vext::ui::SetCurrent(std::move(ui));
  std::string pattern =
      (std::filesystem::temp_directory_path() / "ContactXmlReadFuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) abort();
  g_dir = pattern;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(g_dir, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path xml = g_dir / "book.xml";
  {
    std::ofstream out(xml, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  CPhoneBookConv conv;
  conv.m_nMode = 1;
  conv.m_strXmlPath = CString(xml.string());
  conv.m_strCsvPath = CString((g_dir / "xmlSnc.csv").string());
  conv.Import();
  g_ui->ClearEvents();
  return 0;
}
