// What the CSV tests share: a scripted user interface installed for the
// test, a scratch folder, and file helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CsvReader.h"
#include "ScratchDir.h"
#include "platform/base/CString.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace csvtest {

// The three messages of the CSV file, as CP932 bytes.
// メモリ不足です
inline const std::string kOutOfMemory = "\x83\x81\x83\x82\x83\x8a\x95\x73\x91\xab\x82\xc5\x82\xb7";
// ファイルの読み込みができませんでした
inline const std::string kReadFailed =
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xaa\x82\xc5"
    "\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd";
// テキストファイルの形式が正しくありません。\nファイルの読み込みを中止します。
inline const std::string kBadFormat =
    "\x83\x65\x83\x4c\x83\x58\x83\x67\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x8c\x60\x8e\xae"
    "\x82\xaa\x90\xb3\x82\xb5\x82\xad\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42\n"
    "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xf0\x92\x86"
    "\x8e\x7e\x82\xb5\x82\xdc\x82\xb7\x81\x42";

using Table = std::vector<std::vector<std::string>>;

inline Table ToTable(const CsvRows& rows) {
  Table table;
  for (const auto& row : rows) {
    std::vector<std::string> fields;
    for (const CString& field : *row) fields.push_back(field.str());
    table.push_back(std::move(fields));
  }
  return table;
}

inline std::vector<std::string> MessageTexts(const vext::ui::ScriptedUserInterface& ui) {
  std::vector<std::string> texts;
  for (const CString& text : ui.Messages()) texts.push_back(text.str());
  return texts;
}

// Installs a fresh scripted user interface and a scratch folder for each
// test; puts the previous interface back afterwards.
class CsvFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto ui = std::make_unique<vext::ui::ScriptedUserInterface>();
    m_ui = ui.get();
    m_previous = vext::ui::SetCurrent(std::move(ui));
  }
  void TearDown() override { vext::ui::SetCurrent(std::move(m_previous)); }

  vext::ui::ScriptedUserInterface& Ui() { return *m_ui; }
  std::vector<std::string> Messages() const { return MessageTexts(*m_ui); }
  // A path in the scratch folder, as the system names it.
  CString PathOf(const std::string& name) const { return CString((m_dir / name).string()); }

  void WriteBytes(const std::string& name, const std::string& bytes) const {
    m_scratch.Write(name, bytes);
  }
  std::string ReadBytes(const std::string& name) const { return m_scratch.Read(name); }
  std::vector<std::string> FolderEntries() const { return m_scratch.Entries(); }

  vext::testing::ScratchDir m_scratch{"vext-csv"};
  const std::filesystem::path m_dir = m_scratch.path();

 private:
  vext::ui::ScriptedUserInterface* m_ui = nullptr;
  std::shared_ptr<vext::ui::UserInterface> m_previous;
};

}  // namespace csvtest
