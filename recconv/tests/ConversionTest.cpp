// Whole conversions through CVextCnvProc::VextCnvInOut, as a host calls
// them, with the scripted user interface answering the file dialogs and
// working the dialogs: what the data set, the files and the messages
// are afterwards.
#include <gtest/gtest.h>

#include "RecConv.h"
#include "RecConvTestSupport.h"
#include "platform/fs/detail/Syscalls.h"
#include "platform/text/Sj.h"

namespace {

using namespace recconv_test;
using vext::test::ReadBytes;
using vext::test::WriteBytes;
namespace fs = std::filesystem;

constexpr const char* kWriteDone = "ファイルへの書き出しは終了しました。"_sj;
constexpr const char* kWriteAborted = "ファイルへの書き出しは中止しました。"_sj;
constexpr const char* kReadAborted = "ファイルからの読み込みは中止しました。"_sj;
constexpr const char* kMalformed =
    "読み込みデータは先頭に改行が入った不適当なデータ形式です。\n残念ながら読み込みを中断します。"_sj;

constexpr UINT kSlips = 1001;   // two faces; fields 1 (index key 1), 2, 3
constexpr UINT kLabels = 1002;  // one face, no data-entry field

// A resource module of the host's, current around every call.
constexpr vext::ResourceModule kHostModule{{}, {}};

class Conversion : public ::testing::Test {
 protected:
  Conversion() {
    suite.MakeFormat(FormJson(kSlips, 2, {{1, "date", 1, 1}, {2, "name"}, {3, "memo"}}));
    suite.MakeFormat(FormJson(kLabels, 1, {{1, "title", 0}}));
    window.CreateEx(WS_VISIBLE);
    AfxSetResourceHandle(&kHostModule);
  }

 public:
  ~Conversion() override { AfxSetResourceHandle(nullptr); }

 protected:
  // A data set of `count` documents of the slip form (or another), face f
  // of document d holding "d-f" as its date, "①㈱髙,d-f" as its name and a
  // memo with a TAB (face 1) or quotes and a line break (face 2).
  static void AddSlips(CKorbe95Data& data, int count, UINT format = kSlips) {
    for (int d = 1; d <= count; ++d) {
      auto doc = Suite::NewDoc(format);
      for (int face = 1; face <= 2; ++face) {
        const std::string tag = std::to_string(d) + "-" + std::to_string(face);
        Fill(*doc, face,
             {{1, tag}, {2, "①㈱髙,"_sj + tag}, {3, face == 1 ? "x\ty" : "\"q\" r\r\nz"}});
      }
      data.GetVextDocList().AddTail(doc.release());
    }
  }
  // Every document of the data set, with every value of both faces.
  static std::vector<std::pair<CNVextDoc*, std::string>> Snapshot(const CKorbe95Data& data) {
    std::vector<std::pair<CNVextDoc*, std::string>> docs;
    const CNVextDocList& list = data.GetVextDocList();
    for (POSITION pos = list.GetHeadPosition(); pos;) {
      CNVextDoc* doc = list.GetNext(pos);
      std::string values;
      for (int face = 1; face <= 2; ++face)
        for (UINT order = 1; order <= 3; ++order) values += Value(*doc, order, face) + "|";
      docs.emplace_back(doc, values);
    }
    return docs;
  }
  int Call(int isExport, UINT format, CKorbe95Data* data, int batch, CWnd* owner = nullptr) {
    CVextCnvProc proc(owner ? owner : &window);
    proc.SetOldToNewFilePath(oldToNew);
    CString name("Slips");
    const int result = proc.VextCnvInOut(isExport, format, 0, data, name, batch);
    EXPECT_EQ(AfxGetResourceHandle(), &kHostModule);
    return result;
  }
  fs::path Text(const std::string& name) const { return suite.install.Native(name); }

  Suite suite;
  CWnd window;
  CString oldToNew;
};

TEST_F(Conversion, WritesAndReadsBackInteractively) {
  CKorbe95Data data;
  AddSlips(data, 2);
  suite.ui->QueueFileResult(CString("C:\\Vext\\slips.txt"));
  suite.ui->QueueDialog({"click:1000", "ok"});  // every field, in order
  ASSERT_EQ(Call(1, kSlips, &data, 0), 1);
  EXPECT_EQ(Messages(suite.ui), std::vector<std::string>{kWriteDone});
  EXPECT_EQ(ReadBytes(Text("slips.txt")),
            "\"1-1\",\"①㈱髙,1-1\",\"x\ty\"\r\n\"1-2\",\"①㈱髙,1-2\",\"\"q\" r\r\nz\"\r\n"_sj
            "\"2-1\",\"①㈱髙,2-1\",\"x\ty\"\r\n\"2-2\",\"①㈱髙,2-2\",\"\"q\" r\r\nz\"\r\n"_sj);
  EXPECT_EQ(data.GetVextDocList().GetHead()->GetIndex(1), "1-2");
  const auto events = suite.ui->Events();
  const vext::ui::FileDialogRequest& save = events.at(0).fileRequest;
  EXPECT_FALSE(save.open);
  EXPECT_EQ(save.fileName, "C:\\Users\\u\\Documents\\Slips.TXT");
  EXPECT_EQ(save.defaultExt, "TXT");
  EXPECT_EQ(save.filter, "Text Files (*.txt)|*.txt|CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|");
  EXPECT_EQ(save.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
  EXPECT_FALSE(fs::exists(suite.SettingsFile(kSlips)));  // a conversion stores no settings

  // Read back into a new data set, column k to field k.
  suite.ui->ClearEvents();
  CKorbe95Data back;
  suite.ui->QueueFileResult(CString("C:\\Vext\\slips.txt"));
  suite.ui->QueueDialog({"click:1017", "click:1017", "click:1017", "ok"});
  ASSERT_EQ(Call(0, kSlips, &back, 0), 1);
  EXPECT_TRUE(Messages(suite.ui).empty());
  auto written = Snapshot(data), read = Snapshot(back);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].second, written[1].second);  // the last one first
  EXPECT_EQ(read[1].second, written[0].second);
  EXPECT_TRUE(suite.ui->Events().at(0).fileRequest.open);
  EXPECT_TRUE(fs::exists(Text("slips.txt")));  // kept: not a batch reading
}

TEST_F(Conversion, ReadingReusesTheFirstDocumentAndDropsTheOthers) {
  CKorbe95Data data;
  AddSlips(data, 3);
  CNVextDoc* first = data.GetVextDocList().GetHead();
  WriteBytes(Text("one.txt"), "\"new\"\r\n");
  suite.ui->QueueFileResult(CString("C:\\Vext\\one.txt"));
  suite.ui->QueueDialog({"select:1010:1", "click:1017", "ok"});  // column 1 to field 2
  ASSERT_EQ(Call(0, kSlips, &data, 0), 1);
  const auto docs = Snapshot(data);
  ASSERT_EQ(docs.size(), 1u);
  EXPECT_EQ(docs[0].first, first);
  EXPECT_EQ(docs[0].second,
            "1-1|new|x\ty|1-2|①㈱髙,1-2|\"q\" r\r\nz|"_sj);  // untouched fields kept
}

TEST_F(Conversion, BatchReadingDeletesItsInputOnlyOnceRead) {
  struct Case {
    const char* what;
    std::optional<std::string> input;  // nullopt: no file
    int result;
    std::vector<std::string> messages;
    std::size_t documents;  // in the data set afterwards (it held two)
  } cases[] = {
      {"read", "\"a\",\"b\",\"c\"\r\n\"d\"\r\n\"e\"\r\n", 1, {}, 2},
      {"missing", std::nullopt, 0, {kReadAborted}, 2},
      {"empty", "", 0, {kReadAborted}, 2},
      {"a blank line", "\"a\"\r\n\"b\"\r\n\r\n", 0, {kMalformed, kReadAborted}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    suite.ui->ClearEvents();
    CKorbe95Data data;
    AddSlips(data, 2);
    const auto before = Snapshot(data);
    const fs::path input = Text("1001.txt");
    if (c.input) WriteBytes(input, *c.input);
    EXPECT_EQ(Call(0, kSlips, &data, 1), c.result);
    EXPECT_EQ(Messages(suite.ui), c.messages);
    EXPECT_EQ(fs::exists(input), c.input && c.result == 0);
    const auto after = Snapshot(data);
    EXPECT_EQ(after.size(), c.documents);
    if (c.result == 0 && c.messages.size() == 1) {
      EXPECT_EQ(after, before);
    }
    if (c.result == 1) {
      // The full default: column k fills the k-th field; empty ones are not stored.
      EXPECT_EQ(after[0].second, "e||||||");
      EXPECT_EQ(after[1].second, "a|b|c|d|||");
    }
    fs::remove(input);
  }
}

TEST_F(Conversion, BatchReadingWithTheMigrationFile) {
  const fs::path folder = suite.install.root().path() / "d" / "PRTFRMCNV";
  fs::create_directories(folder);
  const std::string twoDefinitions = SettingsBytes({{"B9", {1}, {1}}, {"A123", {3, 2}, {1, 2}}});
  struct Case {
    const char* what;
    std::string migration;  // the file's bytes; empty: no file
    std::string input;      // as the host names it: {} is the input folder
    int result;
  } cases[] = {
      {"key from a native path", twoDefinitions, "{}/A123.TXT", 1},
      {"key from a Windows path", twoDefinitions, "C:\\Vext\\A123.csv.txt", 1},
      {"no period", twoDefinitions, "C:\\Vext\\A123", 0},
      {"no definition titled so", twoDefinitions, "C:\\Vext\\A12.TXT", 0},
      {"only the default", SettingsBytes({}), "C:\\Vext\\A123.TXT", 0},
      {"no migration file", "", "C:\\Vext\\A123.TXT", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    suite.ui->ClearEvents();
    fs::remove(folder / "OldToNew.cnv");
    if (!c.migration.empty()) WriteBytes(folder / "OldToNew.cnv", c.migration);
    std::string input = c.input;
    if (input.rfind("{}", 0) == 0) input = suite.install.DataFolder().string() + input.substr(2);
    fs::path native = input.find('\\') != std::string::npos
                          ? suite.install.Native(input.substr(input.rfind('\\') + 1))
                          : fs::path(input);
    if (native.is_relative()) native = suite.install.DataFolder() / native;
    WriteBytes(native, "\"x\",\"y\",\"z\"\r\n");
    oldToNew = CString(input);
    CKorbe95Data data;
    AddSlips(data, 1);
    const auto before = Snapshot(data);
    EXPECT_EQ(Call(0, kSlips, &data, 1), c.result);
    if (c.result == 1) {
      EXPECT_TRUE(Messages(suite.ui).empty());
      EXPECT_EQ(Snapshot(data)[0].second, "|y|x||||");
      EXPECT_FALSE(fs::exists(native));
    } else {
      EXPECT_EQ(Messages(suite.ui), std::vector<std::string>{kReadAborted});
      EXPECT_EQ(Snapshot(data), before);
      EXPECT_TRUE(fs::exists(native));
    }
    fs::remove(native);
  }
}

TEST_F(Conversion, EarlyFailuresLeaveTheHostDataSetAsItWas) {
  WriteBytes(Text("one.txt"), "\"a\"\r\n");
  WriteBytes(Text("empty.txt"), "");
  WriteBytes(Text("1002.txt"), "\"a\"\r\n");
  struct Case {
    const char* what;
    UINT format;
    int batch;
    std::optional<CString> file;  // the open dialog's answer
    std::vector<std::string> itemDialog;
  } cases[] = {
      {"open dialog cancelled", kSlips, 0, std::nullopt, {}},
      {"item dialog cancelled", kSlips, 0, CString("C:\\Vext\\one.txt"), {"cancel"}},
      {"empty file", kSlips, 0, CString("C:\\Vext\\empty.txt"), {}},
      {"missing file", kSlips, 0, CString("C:\\Vext\\none.txt"), {}},
      {"no reading definition", kLabels, 1, std::nullopt, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    suite.ui->ClearEvents();
    CKorbe95Data data;
    AddSlips(data, 3, c.format);
    const auto before = Snapshot(data);
    if (!c.batch) suite.ui->QueueFileResult(c.file);
    if (!c.itemDialog.empty()) suite.ui->QueueDialog(c.itemDialog);
    EXPECT_EQ(Call(0, c.format, &data, c.batch), 0);
    EXPECT_EQ(Messages(suite.ui), std::vector<std::string>{kReadAborted});
    EXPECT_EQ(Snapshot(data), before);
  }
  EXPECT_TRUE(fs::exists(Text("1002.txt")));
}

TEST_F(Conversion, WritingThatCannotBeDoneTellsSoAndWritesNothing) {
  CKorbe95Data empty, data;
  AddSlips(data, 1);
  EXPECT_EQ(Call(1, kSlips, &empty, 0), 0);
  EXPECT_EQ(Call(1, kSlips, nullptr, 0), 0);
  suite.ui->QueueFileResult(std::nullopt);
  EXPECT_EQ(Call(1, kSlips, &data, 0), 0);
  suite.ui->QueueFileResult(CString("C:\\Vext\\out.txt"));
  suite.ui->QueueDialog({"cancel"});
  EXPECT_EQ(Call(1, kSlips, &data, 0), 0);
  EXPECT_EQ(Messages(suite.ui), std::vector<std::string>(4, kWriteAborted));
  EXPECT_FALSE(fs::exists(Text("out.txt")));

  // Without an owner window nothing happens at all.
  suite.ui->ClearEvents();
  CVextCnvProc orphan(nullptr);
  CString name("x");
  EXPECT_EQ(orphan.VextCnvInOut(1, kSlips, 0, &data, name, 0), 0);
  EXPECT_EQ(orphan.VextCnvInOut(0, kSlips, 0, &data, name, 1), 0);
  EXPECT_TRUE(suite.ui->Events().empty());
}

// Every write fails as on a full disk, for the life of the object.
class FullDisk {
 public:
  FullDisk() : m_write(vext::sys::Current().write) {
    vext::sys::Current().write = [](int, const void*, size_t) -> ssize_t {
      errno = ENOSPC;
      return -1;
    };
  }
  ~FullDisk() { vext::sys::Current().write = m_write; }

 private:
  decltype(vext::sys::Calls::write) m_write;
};

TEST_F(Conversion, AFailedWriteLeavesTheFilesThatWereThere) {
  CKorbe95Data data;
  AddSlips(data, 1);
  WriteBytes(Text("out.txt"), "old text");
  const std::string settings = SettingsBytes({{"A", {1}, {1}}});
  WriteBytes(suite.SettingsFile(kSlips), settings);
  FullDisk full;
  suite.ui->QueueFileResult(CString("C:\\Vext\\out.txt"));
  suite.ui->QueueDialog({"click:1000", "ok"});
  EXPECT_THROW(Call(1, kSlips, &data, 0), CFileException);
  suite.ui->QueueFileResult(CString("C:\\Vext\\out.txt"));
  suite.ui->QueueDialog({"click:1000", "click:1021"});  // the settings stored: fails
  suite.ui->QueueDialog({"text:1001:t", "ok"});
  EXPECT_THROW(Call(1, kSlips, &data, 0), CFileException);
  EXPECT_EQ(ReadBytes(Text("out.txt")), "old text");
  EXPECT_EQ(ReadBytes(suite.SettingsFile(kSlips)), settings);
}

TEST_F(Conversion, FileAndArchiveErrorsReachTheCaller) {
  CKorbe95Data data;
  AddSlips(data, 1);
  // A folder that does not exist: the file error, nothing written.
  suite.ui->QueueFileResult(CString("C:\\Vext\\no\\such\\out.txt"));
  suite.ui->QueueDialog({"click:1000", "ok"});
  EXPECT_THROW(Call(1, kSlips, &data, 0), CFileException);
  EXPECT_EQ(AfxGetResourceHandle(), &kHostModule);

  // Settings that cannot be decoded: the archive error, the file untouched.
  const std::string damaged = SettingsBytes({{"A", {1}, {1}}}).substr(0, 30);
  WriteBytes(suite.SettingsFile(kSlips), damaged);
  WriteBytes(Text("1001.txt"), "\"a\"\r\n");
  EXPECT_THROW(Call(0, kSlips, &data, 1), CArchiveException);
  EXPECT_THROW(Call(1, kSlips, &data, 0), CArchiveException);
  EXPECT_EQ(AfxGetResourceHandle(), &kHostModule);
  EXPECT_EQ(ReadBytes(suite.SettingsFile(kSlips)), damaged);
  EXPECT_TRUE(fs::exists(Text("1001.txt")));
}

}  // namespace
