// libFuzzer target: arbitrary bytes as every catalogue file of a scratch
// installation, read and used through CSlipCatalog as a host would. The
// bytes serve at once as the main catalogue, the downloads merged into it
// and the custom list, so hostile trees (null entries, repeated names and
// identifiers, later versions) reach the merge, the lookups and the
// editing walks. Whatever loads must store, and storing what was loaded
// back must give the same bytes again. Never a crash, a leak or a
// double free. The messages that bad files cause are shown to nobody.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "../testing/SilentUserInterface.h"
#include "SlipCatalog.h"

namespace fs = std::filesystem;

namespace {

class Catalogue : public CSlipCatalog {
 public:
  using CSlipCatalog::ReadCustom;
  using CSlipCatalog::ReadMain;
};

fs::path g_root;
fs::path g_data;

void WriteFile(const fs::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory when possible: every rewrite is flushed to disk, and on a
  // real disk the fuzzer would spend its time waiting for that.
  const fs::path base =
      fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string pattern = (base / "catalog-fuzz-XXXXXX").string();
  g_root = mkdtemp(pattern.data());
  std::atexit([] { fs::remove_all(g_root); });
  const fs::path& root = g_root;
  g_data = root / "Data" / "MyData";
  fs::create_directories(g_data);
  std::ofstream(root / "registry.reg")
      << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik]\n"
      << "\"InstalledDataDir\"=\"" << root.string() << "\"\n";
  setenv("VEXT_REGISTRY", (root / "registry.reg").c_str(), 1);
  setenv("VEXT_REGISTRY_DEFAULTS", "0", 1);
  setenv("VEXT_RUNTIME_DIR", (root / "run").c_str(), 1);
  vext::ui::SetCurrent(std::make_unique<vext::testing::SilentUserInterface>());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const char* name : {"SlipCatalog.dat", "DownLoad.dat", "Custom.dat"})
    WriteFile(g_data / name, data, size);
  Catalogue catalogue;
  LONG someId = 0;
  if (catalogue.ReadCustom() && !catalogue.customList.IsEmpty()) {
    if (!catalogue.WriteCustom()) abort();
    const std::string stored = ReadFile(g_data / "Custom.dat");
    if (!catalogue.ReadCustom() || !catalogue.WriteCustom()) abort();
    if (ReadFile(g_data / "Custom.dat") != stored) abort();
    if (const auto* layouts = catalogue.GetAllCustomLayout()) {
      someId = layouts->GetAt(0)->layoutId;
      delete layouts;
    }
  }
  // The merge of the bytes into themselves, and lookups through the result.
  catalogue.ReadMain();
  catalogue.IsAtenaTack(someId);
  catalogue.GetLayoutInfo(someId);
  // The pruning walk over the same tree.
  WriteFile(g_data / "Custom.dat", data, size);
  catalogue.DelCustom(someId);
  return 0;
}
