// The built xmlSncConv run as the suite runs it, each test in a scratch
// machine of its own: a registry file naming the common folder as
// C:\Common\ (so the phone book is C:\Common\\xmlSnc.csv), a drive folder
// mapping c: to the scratch folder, a runtime folder for the mutex and a
// scripted user interface whose log gives back the messages.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ConverterTestSupport.h"
#include "Spawn.h"
#include "platform/fs/File.h"
#include "platform/system/NamedMutex.h"

namespace {

namespace fs = std::filesystem;
using vext::test::ReadBytes;
using vext::test::Sjis;
using vext::test::U8;
using vext::test::WriteBytes;

const std::string kNoCommonFolder = U8(u8"Sorentaシリーズ共通フォルダが取得できませんでした。");
const std::string kBadCommandLine = U8(u8"コマンドライン引数が不正です");

fs::path ConverterProgram() {
  if (const char* path = std::getenv("XMLSNCCONV"); path && *path) return path;
  const char* binaryDir = std::getenv("VEXT_TEST_BINARY_DIR");
  return fs::path(binaryDir ? binaryDir : ".") / "converter" / "xmlSncConv";
}

// Runs `program`; returns the exit status, or -1 when it did not exit
// normally.
int RunProgram(const fs::path& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& overrides = {}) {
  return vext::test::Spawn(program.string(), args, overrides).status;
}

// Undoes the escapes of the scripted interface's log.
std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
  }
  return out;
}

class ConverterProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(drive / "Common");
    fs::create_directories(dir / "drives");
    fs::create_symlink(drive, dir / "drives" / "c:");
    SetCommonDir(R"(C:\\Common\\)");
  }

  // The registry value as written in the .reg file (backslashes doubled);
  // nullptr leaves the key out.
  void SetCommonDir(const char* regValue) {
    std::string reg = "REGEDIT4\r\n\r\n";
    if (regValue)
      reg += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\CommonV]\r\n\"CommonDir\"=\"" +
             std::string(regValue) + "\"\r\n";
    WriteBytes(dir / "registry.reg", reg);
  }

  std::map<std::string, std::string> Environment() const {
    return {{"VEXT_REGISTRY", (dir / "registry.reg").string()},
            {"VEXT_REGISTRY_DEFAULTS", "0"},
            {"VEXT_DRIVES", (dir / "drives").string()},
            {"VEXT_RUNTIME_DIR", (dir / "run").string()},
            {"VEXT_UI", "scripted"},
            {"VEXT_UI_LOG", (dir / "ui.log").string()}};
  }

  int Convert(const std::vector<std::string>& args) {
    return RunProgram(ConverterProgram(), args, Environment());
  }

  // The log's lines of one kind, their fields after the kind.
  std::vector<std::vector<std::string>> Events(const std::string& kind) const {
    std::vector<std::vector<std::string>> events;
    std::istringstream log(ReadBytes(dir / "ui.log"));
    for (std::string line; std::getline(log, line);) {
      std::vector<std::string> fields;
      std::istringstream split(line);
      for (std::string field; std::getline(split, field, '\t');) fields.push_back(Unescape(field));
      if (!fields.empty() && fields[0] == kind)
        events.emplace_back(fields.begin() + 1, fields.end());
    }
    return events;
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& fields : Events("message"))
      texts.push_back(fields.size() > 1 ? fields[1] : "");
    return texts;
  }

  static bool WellFormed(const fs::path& xml) {
    return RunProgram("/usr/bin/xmllint", {"--noout", "--nonet", xml.string()}) == 0;
  }

  // Plain libxml2 decodes Shift_JIS strictly and stops at the vendor
  // characters (髙, ①) that CP932 has: xmllint reads a copy whose
  // declaration names CP932, the bytes otherwise unchanged.
  bool WellFormedAsCp932(const fs::path& xml) const {
    std::string bytes = ReadBytes(xml);
    const std::string declared = "encoding='Shift_JIS'";
    const std::size_t at = bytes.find(declared);
    if (at == std::string::npos || at > 60) return false;
    bytes.replace(at, declared.size(), "encoding='CP932'");
    WriteBytes(dir / "relabelled.xml", bytes);
    return WellFormed(dir / "relabelled.xml");
  }

  vext::test::ScratchDir dir;
  fs::path drive = dir / "c";
  fs::path csv = drive / "Common" / "xmlSnc.csv";
  fs::path xml = dir / U8(u8"電話帳.xml");
};

// Lines as read mode writes them: personal lines without an organisation,
// company lines without a name, quotes and line feeds encoded.
const std::string kPhoneBook =
    U8(u8"03-3344-5566,1600023,東京都,新宿区,西新宿,2-8-1,13104,,株式会社ソリューション\r\n"
       u8"090-1111-2222,5300001,大阪府,大阪市北区,梅田,1-1,27127,髙橋 ①郎,\r\n"
       u8",,,,,,,,\"有限会社 \"\"波～\"\"\"\r\n"
       u8"  06-1,,,,,\"1-2\n3F\",,\" 名前,カンマ\",\r\n");

TEST_F(ConverterProcess, WriteThenReadGivesThePhoneBookBackByteForByte) {
  const std::string phoneBook = Sjis(kPhoneBook);
  WriteBytes(csv, phoneBook);

  ASSERT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(csv));
  ASSERT_TRUE(fs::exists(xml));
  EXPECT_TRUE(WellFormedAsCp932(xml));
  const std::string document = ReadBytes(xml);
  EXPECT_EQ(document.rfind("<?xml version='1.1' encoding='Shift_JIS'?>", 0), 0u)
      << document.substr(0, 60);
  EXPECT_NE(document.find(R"(<!--<!DOCTYPE ContactXML SYSTEM "ContactXML_01_01a.dtd">-->)"),
            std::string::npos);
  EXPECT_NE(document.find(Sjis(U8(u8"<FullName>髙橋 ①郎</FullName>"))), std::string::npos);
  EXPECT_NE(document.find(Sjis(U8(u8">法人</ExtensionItem>"))), std::string::npos);
  EXPECT_EQ(document.find(U8(u8"髙橋")), std::string::npos) << "UTF-8 text in a Shift_JIS file";
  // The wait dialog was up for the conversion.
  EXPECT_EQ(Events("wait-shown").size(), 1u);
  EXPECT_EQ(Events("wait-hidden").size(), 1u);

  // Read mode, the path unquoted and split by a blank as a shell gives it.
  const fs::path spaced = dir / "my book" / U8(u8"電話帳.xml");
  fs::create_directories(spaced.parent_path());
  fs::rename(xml, spaced);
  ASSERT_EQ(Convert({"/R:" + (dir / "my").string(), U8(u8"book/電話帳.xml")}), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(ReadBytes(csv), phoneBook);
  EXPECT_TRUE(fs::exists(spaced)) << "read mode keeps the document";
}

TEST_F(ConverterProcess, DocumentOfJisCharactersIsWellFormedForPlainXmllint) {
  WriteBytes(csv, Sjis(U8(u8"03-1,1600023,東京都,新宿区,西新宿,1,13104,山田 "
                          u8"太郎,\r\n,,,,,,,,\"株式会社 <&>\"\r\n")));
  ASSERT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 0);
  EXPECT_TRUE(WellFormed(xml));
}

TEST_F(ConverterProcess, WriteModeWithAnEmptyPhoneBookDoesNothing) {
  WriteBytes(csv, "");
  EXPECT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 3);
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(xml));
  EXPECT_TRUE(fs::exists(csv));
}

TEST_F(ConverterProcess, FailedExportKeepsThePhoneBookAndTheOldDocument) {
  const std::string phoneBook = Sjis(kPhoneBook) + "\"ab\"c,d\r\n";
  WriteBytes(csv, phoneBook);
  WriteBytes(xml, "old document");
  EXPECT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 3);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{U8(
                u8"テキストファイルの形式が正しくありません。\nファイルの読み込みを中止します。")});
  EXPECT_EQ(ReadBytes(csv), phoneBook);
  EXPECT_EQ(ReadBytes(xml), "old document");

  // A folder that does not exist: the file-error message, nothing lost.
  fs::remove(dir / "ui.log");
  WriteBytes(csv, Sjis(kPhoneBook));
  EXPECT_EQ(Convert({"/W:" + (dir / "missing" / "book.xml").string()}), 3);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("book.xml"), std::string::npos) << Messages()[0];
  EXPECT_EQ(ReadBytes(csv), Sjis(kPhoneBook));
}

TEST_F(ConverterProcess, ReadFailuresLeaveAnEmptyPhoneBook) {
  struct Case {
    std::string document;
    std::string message;  // the whole text, or its beginning when it ends with a line feed
  };
  const std::string loadFailed = xml.string() + U8(u8"のロードに失敗しました。\n");
  const std::vector<Case> cases = {
      {"<ContactXML version=\"1.1\"><ContactXMLItem>", loadFailed},
      {"<ContactXML version=\"1.2\"/>", U8(u8"このＸＭＬファイルは対応していない形式です。")},
      {"<SNContactXML/>", U8(u8"読み込むデータがありませんでした。")},
  };
  for (const Case& c : cases) {
    fs::remove(dir / "ui.log");
    WriteBytes(csv, "old,phone,book\r\n");
    WriteBytes(xml, c.document);
    EXPECT_EQ(Convert({"/R:\"" + xml.string() + "\""}), 3) << c.document;
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 1u) << c.document;
    if (c.message.back() == '\n') {
      EXPECT_EQ(messages[0].rfind(c.message, 0), 0u) << messages[0];
      EXPECT_GT(messages[0].size(), c.message.size()) << "no reason given";
    } else {
      EXPECT_EQ(messages[0], c.message);
    }
    ASSERT_TRUE(fs::exists(csv)) << c.document;
    EXPECT_EQ(fs::file_size(csv), 0u) << c.document;
  }
  // A document that is not there at all.
  fs::remove(xml);
  fs::remove(dir / "ui.log");
  WriteBytes(csv, "old,phone,book\r\n");
  EXPECT_EQ(Convert({"/R:\"" + xml.string() + "\""}), 3);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind(loadFailed, 0), 0u) << Messages()[0];
  EXPECT_EQ(fs::file_size(csv), 0u);
}

TEST_F(ConverterProcess, RefusalsChangeNoFile) {
  struct Case {
    const char* name;
    const char* commonDir;  // as in the .reg file; nullptr: no key
    std::vector<std::string> args;
    int status;
    std::vector<std::string> messages;
  };
  const std::string quoted = "\"" + xml.string() + "\"";
  const std::vector<Case> cases = {
      {"no key", nullptr, {"/W:" + quoted}, 1, {kNoCommonFolder}},
      {"empty folder", "", {"/R:" + quoted}, 1, {kNoCommonFolder}},
      {"no switch", R"(C:\\Common\\)", {quoted}, 1, {kBadCommandLine}},
      {"no arguments", R"(C:\\Common\\)", {}, 1, {kBadCommandLine}},
      {"lower-case switch", R"(C:\\Common\\)", {"/w:" + quoted}, 1, {kBadCommandLine}},
      {"empty path", R"(C:\\Common\\)", {"/R:\"\""}, 1, {kBadCommandLine}},
      {"path not UTF-8", R"(C:\\Common\\)", {"/R:\xff.xml"}, 1, {kBadCommandLine}},
  };
  for (const Case& c : cases) {
    fs::remove(dir / "ui.log");
    SetCommonDir(c.commonDir);
    WriteBytes(csv, "old,phone,book\r\n");
    WriteBytes(xml, "old document");
    EXPECT_EQ(Convert(c.args), c.status) << c.name;
    EXPECT_EQ(Messages(), c.messages) << c.name;
    EXPECT_EQ(ReadBytes(csv), "old,phone,book\r\n") << c.name;
    EXPECT_EQ(ReadBytes(xml), "old document") << c.name;
    EXPECT_EQ(Events("wait-shown").size(), 0u) << c.name;
  }
}

TEST_F(ConverterProcess, SecondInstanceLeavesSilently) {
  ASSERT_EQ(setenv("VEXT_RUNTIME_DIR", (dir / "run").c_str(), 1), 0);
  WriteBytes(csv, Sjis(kPhoneBook));
  {
    const std::unique_ptr<vext::NamedMutex> running = vext::NamedMutex::Create("hXmlSncConv");
    ASSERT_TRUE(running);
    EXPECT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 2);
    EXPECT_FALSE(fs::exists(dir / "ui.log"));
    EXPECT_FALSE(fs::exists(xml));
    EXPECT_EQ(ReadBytes(csv), Sjis(kPhoneBook));
  }
  // Once the first one has ended, the converter runs again.
  EXPECT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 0);
  EXPECT_TRUE(fs::exists(xml));
  unsetenv("VEXT_RUNTIME_DIR");
}

// Twenty converters started at one instant on the same files: exactly one
// converts, every other one ends with status 2 having changed nothing,
// and the phone book is whole. The document is a pipe, so that the one
// that runs waits for it, holding the mutex, until the others have ended.
TEST_F(ConverterProcess, OfTwentyStartedTogetherExactlyOneConverts) {
  WriteBytes(csv, Sjis(kPhoneBook));
  ASSERT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 0);
  const std::string document = ReadBytes(xml);
  fs::remove(xml);
  ASSERT_EQ(mkfifo(xml.c_str(), 0600), 0);

  // A few rounds: a race that a single start may miss shows in one of them.
  constexpr int kConverters = 20;
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    WriteBytes(csv, "old,phone,book\r\n");
    vext::test::StartingGate gate;
    for (int i = 0; i < kConverters; ++i)
      ASSERT_TRUE(
          gate.Add(ConverterProgram().string(), {"/R:\"" + xml.string() + "\""}, Environment()));
    gate.Go();
    std::vector<int> others;
    while (others.size() < kConverters - 1) {
      const std::optional<int> status = gate.NextExit(std::chrono::seconds(60));
      if (!status) break;
      others.push_back(*status);
    }
    EXPECT_EQ(others, std::vector<int>(kConverters - 1, 2));
    EXPECT_EQ(ReadBytes(csv), "old,phone,book\r\n") << "changed before the document came";
    ASSERT_EQ(gate.running(), 1u);

    const int fifo = open(xml.c_str(), O_WRONLY);
    ASSERT_GE(fifo, 0);
    EXPECT_EQ(write(fifo, document.data(), document.size()), static_cast<ssize_t>(document.size()));
    close(fifo);
    EXPECT_EQ(gate.NextExit(std::chrono::seconds(60)), std::optional<int>(0));
    EXPECT_EQ(ReadBytes(csv), Sjis(kPhoneBook));
    EXPECT_EQ(Messages(), std::vector<std::string>{});
    std::vector<std::string> common;
    for (const auto& entry : fs::directory_iterator(csv.parent_path()))
      common.push_back(entry.path().filename().string());
    EXPECT_EQ(common, std::vector<std::string>{"xmlSnc.csv"}) << "a temporary file was left";
  }
}

TEST_F(ConverterProcess, DocumentThatIsThePhoneBookItselfIsRefusedBeforeAnythingIsWritten) {
  const std::string phoneBook = Sjis(kPhoneBook);
  WriteBytes(csv, phoneBook);
  fs::create_symlink(csv, dir / "link.xml");
  fs::create_hard_link(csv, dir / "hard.xml");
  // The phone book however spelt: as the converter builds its path, in
  // other cases, through a symbolic link, by a second hard link.
  const std::vector<std::string> spellings = {R"(C:\Common\\xmlSnc.csv)", R"(c:\COMMON\XMLSNC.CSV)",
                                              (dir / "link.xml").string(),
                                              (dir / "hard.xml").string()};
  for (const std::string mode : {"/W:", "/R:"})
    for (const std::string& path : spellings) {
      SCOPED_TRACE(mode + path);
      fs::remove(dir / "ui.log");
      EXPECT_EQ(Convert({mode + "\"" + path + "\""}), 3);
      EXPECT_EQ(Messages(),
                std::vector<std::string>{U8(u8"ファイルのパスが正しくありません。\n") + path});
      EXPECT_EQ(ReadBytes(csv), phoneBook);
      EXPECT_EQ(fs::directory_iterator(csv.parent_path())->path(), csv);
      EXPECT_EQ(std::distance(fs::directory_iterator(csv.parent_path()), fs::directory_iterator()),
                1);
    }
}

TEST_F(ConverterProcess, PhoneBookHeldWithWritersDeniedIsNotReplaced) {
  WriteBytes(csv, Sjis(kPhoneBook));
  ASSERT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 0);
  WriteBytes(csv, "old,phone,book\r\n");
  {
    CFile holder(csv.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ(Convert({"/R:\"" + xml.string() + "\""}), 3);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{U8(u8"ファイルは他のアプリケーションで使用中です。\n") +
                                       R"(C:\Common\\xmlSnc.csv)"});
    EXPECT_EQ(ReadBytes(csv), "old,phone,book\r\n");
  }
  fs::remove(dir / "ui.log");
  EXPECT_EQ(Convert({"/R:\"" + xml.string() + "\""}), 0);
  EXPECT_EQ(ReadBytes(csv), Sjis(kPhoneBook));
}

TEST_F(ConverterProcess, WhatWriteModeWritesReadModeReads) {
  // A field just beyond libxml2's ten-megabyte text node, and DEL, which
  // XML 1.1 takes only as a character reference.
  std::string phoneBook = ",,,,,,,,";
  phoneBook.append(10'000'001, 'x');
  phoneBook +=
      "\r\n03\x7F"
      "1,,,,,,," +
      Sjis(U8(u8"山田")) + ",\r\n";
  WriteBytes(csv, phoneBook);
  ASSERT_EQ(Convert({"/W:\"" + xml.string() + "\""}), 0);
  const std::string document = ReadBytes(xml);
  EXPECT_EQ(document.find('\x7F'), std::string::npos);
  EXPECT_NE(document.find("03&#127;1"), std::string::npos);
  ASSERT_EQ(Convert({"/R:\"" + xml.string() + "\""}), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_TRUE(ReadBytes(csv) == phoneBook) << "the phone book came back changed";
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// A large write-mode conversion ended by each of the four signals at a
// random moment, then run again: the document is the old one or the new
// one, whole, and nothing else is ever left beside it. The moments come
// from a seed that is printed; VEXT_KILL_SEED repeats a run. Under the
// sanitizers, which slow the converter many times, the phone book is
// smaller.
TEST_F(ConverterProcess, KilledConversionLeavesAWholeDocumentAndNothingElse) {
  constexpr int kRows = kSanitized ? 2'000 : 30'000;
  const std::string rowTail =
      Sjis(U8(u8",1600023,東京都,新宿区,西新宿,2-8-1,13104,山田 太郎,株式会社ソリューション\r\n"));
  const auto phoneBook = [&](char tag) {
    std::string text;
    text.reserve(static_cast<std::size_t>(kRows) * (rowTail.size() + 8));
    for (int i = 0; i < kRows; ++i) text += tag + std::to_string(i) + rowTail;
    return text;
  };
  const auto namesIn = [](const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const fs::path out = drive / "out";
  fs::create_directories(out);
  const fs::path book = out / "book.xml";
  const std::vector<std::string> args = {"/W:\"" + book.string() + "\""};
  const auto whole = [&](const std::string& document) {
    std::size_t items = 0;
    for (std::size_t at = document.find("<ContactXMLItem>"); at != std::string::npos;
         at = document.find("<ContactXMLItem>", at + 1))
      ++items;
    return items == kRows && document.size() > 20 &&
           document.compare(document.size() - 15, 15, "</ContactXML>\r\n") == 0;
  };

  std::map<char, std::string> documents;
  WriteBytes(csv, phoneBook('A'));
  const vext::test::ChildRun first =
      vext::test::Spawn(ConverterProgram().string(), args, Environment());
  ASSERT_EQ(first.status, 0);
  documents['A'] = ReadBytes(book);
  ASSERT_TRUE(whole(documents['A']));

  const char* seedText = std::getenv("VEXT_KILL_SEED");
  const unsigned seed =
      seedText ? static_cast<unsigned>(std::stoul(seedText)) : std::random_device{}();
  std::cout << "kill moments from VEXT_KILL_SEED=" << seed << std::endl;
  RecordProperty("kill_seed", std::to_string(seed));
  std::mt19937 random(seed);

  char previous = 'A';
  for (const int signal : {SIGKILL, SIGTERM, SIGINT, SIGHUP}) {
    const char tag = previous == 'A' ? 'B' : 'A';
    const double delay = std::uniform_real_distribution<double>(0, first.seconds)(random);
    SCOPED_TRACE(::testing::Message() << "signal " << signal << " after " << delay << " s");
    WriteBytes(csv, phoneBook(tag));
    const vext::test::ChildCommand command(ConverterProgram().string(), args, Environment());
    pid_t pid = 0;
    ASSERT_EQ(
        posix_spawn(&pid, command.program(), nullptr, nullptr, command.argv(), command.envp()), 0);
    std::this_thread::sleep_for(std::chrono::duration<double>(delay));
    kill(pid, signal);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));

    const std::string after = ReadBytes(book);
    const bool old = after == documents[previous];
    const bool renewed = documents.count(tag) ? after == documents[tag] : whole(after);
    EXPECT_TRUE(old || renewed) << "the document is neither the old one nor a whole new one";
    EXPECT_EQ(namesIn(out), std::vector<std::string>{"book.xml"});
    if (old) {
      EXPECT_TRUE(fs::exists(csv)) << "the phone book went before its document was saved";
    }

    // The same conversion again, when the killed one did not finish it.
    if (fs::exists(csv)) {
      ASSERT_EQ(Convert(args), 0);
    }
    const std::string converted = ReadBytes(book);
    if (!documents.count(tag)) {
      ASSERT_TRUE(whole(converted));
      documents[tag] = converted;
    }
    EXPECT_TRUE(converted == documents[tag])
        << "the new document is not the one the phone book gives";
    EXPECT_EQ(namesIn(out), std::vector<std::string>{"book.xml"});
    EXPECT_EQ(namesIn(csv.parent_path()), std::vector<std::string>{});
    previous = tag;
  }
}

}  // namespace
