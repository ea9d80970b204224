// A scratch installation for the catalogue's tests: drive C: in a
// temporary folder, a registry whose product key names
// C:\Sorenta\velmorik as the installed data folder, a lock-file folder,
// and the scripted user interface recording every message.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CatalogBuilder.h"
#include "ScopedRegistry.h"
#include "SlipCatalog.h"
#include "platform/text/Sj.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace slipcatalog::testing {

namespace fs = std::filesystem;
using namespace slipcatalog::build;

// The protected members, for the tests.
class TestCatalogue : public CSlipCatalog {
 public:
  using CSlipCatalog::CreateDai;
  using CSlipCatalog::ReadCustom;
  using CSlipCatalog::ReadDownLoad;
  using CSlipCatalog::ReadMain;
  using CSlipCatalog::ReadRecent;
};

inline std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class CatalogTest : public ::testing::Test {
 protected:
  // In the constructor, so that catalogues made by a derived fixture see
  // the installation.
  CatalogTest() {
    fs::create_directories(Data());
    fs::create_directories(temp.path() / "drives");
    fs::create_symlink(temp.path() / "c", temp.path() / "drives" / "c:");
    registry.Add(
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik]\n"
        "\"InstalledDataDir\"=\"C:\\\\Sorenta\\\\velmorik\"\n");
    auto scripted = std::make_unique<vext::ui::ScriptedUserInterface>();
    ui = scripted.get();
    saved = vext::ui::SetCurrent(std::move(scripted));
  }

 public:
  ~CatalogTest() override { vext::ui::SetCurrent(std::move(saved)); }

 protected:
  // The native folder of a product's \Data\MyData.
  fs::path Data(const char* product = "velmorik") const {
    return temp.path() / "c" / "Sorenta" / product / "Data" / "MyData";
  }
  std::string Bytes(const char* file) const { return ReadBytes(Data() / file); }
  void WriteBytes(const char* file, const std::string& bytes) const {
    std::ofstream(Data() / file, std::ios::binary | std::ios::trunc) << bytes;
  }

  // The messages shown since the last call (CP932).
  std::vector<std::string> TakeMessages() {
    std::vector<std::string> texts;
    for (const CString& text : ui->Messages()) texts.push_back(text.str());
    ui->ClearEvents();
    return texts;
  }

  vext::testing::ScratchDir temp;
  vext::testing::ScopedRegistry registry;
  vext::testing::ScopedEnv drives{"VEXT_DRIVES", (temp.path() / "drives").string()};
  vext::testing::ScopedEnv runtime{"VEXT_RUNTIME_DIR", (temp.path() / "run").string()};
  vext::ui::ScriptedUserInterface* ui = nullptr;
  std::shared_ptr<vext::ui::UserInterface> saved;
};

// The identifiers of a list of layouts, in order.
inline std::vector<LONG> Ids(const CLayoutInfoArray& layouts) {
  std::vector<LONG> ids;
  for (const CLayoutInfo* layout : layouts) ids.push_back(layout ? layout->layoutId : -1);
  return ids;
}

// The names of a list of categories, in order (CP932).
template <class Array>
std::vector<std::string> Names(const Array& categories) {
  std::vector<std::string> names;
  for (const auto* category : categories)
    names.push_back(category ? category->name.str() : "(null)");
  return names;
}

// Shorthand for expected CP932 texts: S("..."_sj).
inline std::string S(const char* cp932) { return cp932; }

}  // namespace slipcatalog::testing
