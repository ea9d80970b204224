// The field-order settings: their file byte for byte, the defaults a
// format gets, and what loading a stored or damaged file does.
#include <gtest/gtest.h>

#include "ConversionFlows.h"
#include "RecConvTestSupport.h"
#include "UserCnvData.h"
#include "platform/text/Sj.h"

namespace {

using namespace recconv_test;
using vext::test::ReadBytes;
using vext::test::WriteBytes;

// Settings holding one reading and one writing definition, and the bytes
// the settings file must hold for them.
struct WorkedExample {
  static std::unique_ptr<CUserCnvData> Make(UINT formatNo) {
    auto settings = std::make_unique<CUserCnvData>();
    settings->formatNo = static_cast<LONG>(formatNo);
    settings->word2 = 2;
    settings->word3 = 3;
    settings->importPath = "C:\\in.txt";
    settings->importDefs.clear();
    settings->exportDefs.clear();
    auto reading = std::make_unique<CCnvDefData>(CCnvDefData::kReading, 1, "A123");
    reading->orderList = {2, 5};
    reading->columnList = {1, 3};
    auto writing = std::make_unique<CCnvDefData>(CCnvDefData::kWriting, 0, "消してください"_sj);
    writing->builtIn = 1;
    writing->orderList = {9};
    settings->importDefs.push_back(std::move(reading));
    settings->exportDefs.push_back(std::move(writing));
    return settings;
  }
  static std::string Bytes() {
    return Dw(1) + Dw(2) + Dw(3) + Str("C:\\in.txt") + Str("C:\\Users\\u\\Documents\\Korbe.TXT") +
           W(1) + W(0xFFFF) + W(1) + W(11) + "CCnvDefData" +  // new class
           Dw(1) + Str("A123") + Dw(0) + Dw(1) + Dw(0) + W(2) + Dw(2) + Dw(5) + W(2) + Dw(1) +
           Dw(3) +             // reading
           W(1) + W(0x8001) +  // class 1
           Dw(1) + Str("消してください"_sj) + Dw(1) + Dw(0) + Dw(1) + W(1) + Dw(9) + W(0);
  }
};

TEST(SettingsFile, StoresTheWorkedExampleByteForByteAndLoadsItBack) {
  Suite suite;
  suite.MakeFormat(FormJson(12, 1, NamedFields({2, 5, 9})));
  WorkedExample::Make(12)->Store();
  ASSERT_EQ(ReadBytes(suite.SettingsFile(12)), WorkedExample::Bytes());

  // Loaded (interactively: nothing added) and stored again: the same bytes.
  const auto doc = Suite::NewDoc(12);
  CUserCnvData loaded(12, doc.get(), "Other", FALSE);
  ASSERT_EQ(loaded.importDefs.size(), 1u);
  EXPECT_EQ(loaded.importDefs[0]->columnList, (std::vector<DWORD>{1, 3}));
  EXPECT_EQ(loaded.exportPath, "C:\\Users\\u\\Documents\\Korbe.TXT");
  loaded.Store();
  EXPECT_EQ(ReadBytes(suite.SettingsFile(12)), WorkedExample::Bytes());
}

TEST(SettingsFile, DefaultsOfAFormatWithoutSettings) {
  Suite suite;
  // Data-entry fields are those with flag bit 0 or 1: 2, 5 and 9 here.
  suite.MakeFormat(FormJson(
      7, 3, {{2, "F2", 1}, {3, "label", 0}, {5, "F5", 2}, {9, "F9", 3}, {12, "line", 16}}));
  const auto doc = Suite::NewDoc(7);
  struct Case {
    BOOL batch;
    std::vector<DWORD> readOrders, readColumns, writeOrders;
  } cases[] = {
      {TRUE, {2, 5, 9}, {1, 2, 3}, {2, 5, 9}},
      {FALSE, {2, 5, 9}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.batch ? "batch" : "interactive");
    CUserCnvData settings(7, doc.get(), "Slips", c.batch);
    EXPECT_EQ(settings.formatNo, 7);
    EXPECT_EQ(settings.exportPath, "C:\\Users\\u\\Documents\\Slips.TXT");
    EXPECT_EQ(settings.importPath, "");
    EXPECT_EQ(settings.word1 + settings.word2 + settings.word3, 3);
    ASSERT_EQ(settings.importDefs.size(), 1u);
    ASSERT_EQ(settings.exportDefs.size(), 1u);
    const CCnvDefData& reading = *settings.importDefs[0];
    const CCnvDefData& writing = *settings.exportDefs[0];
    EXPECT_EQ(reading.orderList, c.readOrders);
    EXPECT_EQ(reading.columnList, c.readColumns);
    EXPECT_EQ(writing.orderList, c.writeOrders);
    for (const CCnvDefData* def : {&reading, &writing}) {
      EXPECT_EQ(def->title, "消してください"_sj);
      EXPECT_EQ(def->quoted + def->builtIn + def->version, 3);
    }
    EXPECT_EQ(reading.kind, CCnvDefData::kReading);
    EXPECT_EQ(writing.kind, CCnvDefData::kWriting);
    ASSERT_EQ(settings.itemNames.size(), 3u);
    EXPECT_EQ(settings.itemNames.at(5), "F5");
    EXPECT_FALSE(std::filesystem::exists(suite.SettingsFile(7)));  // nothing is stored
  }
}

TEST(SettingsFile, BatchLoadingAppendsFullDefaultsBehindTheStoredOnes) {
  Suite suite;
  suite.MakeFormat(FormJson(3, 1, NamedFields({2, 5, 9})));
  const auto doc = Suite::NewDoc(3);
  CUserCnvData(3, doc.get(), "x", FALSE).Store();  // the interactive defaults, stored

  CUserCnvData interactive(3, doc.get(), "x", FALSE);
  EXPECT_EQ(interactive.importDefs.size(), 1u);
  CUserCnvData batch(3, doc.get(), "x", TRUE);
  ASSERT_EQ(batch.importDefs.size(), 2u);
  EXPECT_TRUE(batch.importDefs[0]->columnList.empty());
  EXPECT_EQ(batch.importDefs[1]->columnList, (std::vector<DWORD>{1, 2, 3}));
  ASSERT_EQ(batch.exportDefs.size(), 2u);
  EXPECT_EQ(batch.exportDefs[1]->orderList, (std::vector<DWORD>{2, 5, 9}));
}

TEST(SettingsFile, TheDefaultConstructorHasFullDefaultsOf400Fields) {
  vext::testing::ScopedInstallation install;
  CUserCnvData settings;
  EXPECT_EQ(settings.exportPath, "C:\\Users\\u\\Documents\\Korbe.TXT");
  EXPECT_EQ(settings.formatNo, 0);
  ASSERT_EQ(settings.importDefs.size(), 1u);
  ASSERT_EQ(settings.exportDefs.size(), 1u);
  const CCnvDefData& reading = *settings.importDefs[0];
  ASSERT_EQ(reading.orderList.size(), 400u);
  EXPECT_EQ(reading.orderList, reading.columnList);
  EXPECT_EQ(reading.orderList.front() + reading.orderList.back(), 401u);
  EXPECT_EQ(settings.exportDefs[0]->orderList, reading.orderList);
  EXPECT_EQ(settings.exportDefs[0]->builtIn, 1);
}

TEST(SettingsFile, AFileThatCannotBeDecodedThrowsAndStaysAsItWas) {
  Suite suite;
  suite.MakeFormat(FormJson(4, 1, NamedFields({1})));
  const auto doc = Suite::NewDoc(4);
  const std::string good = WorkedExample::Bytes();
  std::string unknownClass = good, laterSchema = good, hugeList = good;
  unknownClass.replace(unknownClass.find("CCnvDefData"), 11, "CCnvDefDatX");
  laterSchema.replace(laterSchema.find("CCnvDefData") - 4, 2, W(2));
  // The reading definition's order list claims 0x10000000 entries.
  const std::size_t orders = good.find("A123") + 4 + 12;
  hugeList.replace(orders, 2, W(0xFFFF) + Dw(0x10000000));
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"data ending early", good.substr(0, good.size() - 3)},
      {"a class that is not registered", unknownClass},
      {"a schema other than 1", laterSchema},
      {"a count larger than the file", hugeList},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(suite.SettingsFile(4), c.bytes);
    for (BOOL batch : {FALSE, TRUE})
      EXPECT_THROW(CUserCnvData(4, doc.get(), "x", batch), CArchiveException);
    EXPECT_EQ(ReadBytes(suite.SettingsFile(4)), c.bytes);
  }
}

TEST(SettingsFile, NullEntriesOfAStoredListAreSkipped) {
  Suite suite;
  suite.MakeFormat(FormJson(5, 1, NamedFields({1})));
  const auto doc = Suite::NewDoc(5);
  std::string bytes = WorkedExample::Bytes();
  bytes.replace(bytes.find(W(0xFFFF) + W(1) + W(11)) - 2, 2, W(2) + W(0));  // count 2, a null first
  WriteBytes(suite.SettingsFile(5), bytes);
  CUserCnvData settings(5, doc.get(), "x", FALSE);
  ASSERT_EQ(settings.importDefs.size(), 1u);
  EXPECT_EQ(settings.importDefs[0]->title, "A123");
}

TEST(MigrationKey, IsTheFileNameUpToItsFirstPeriod) {
  struct Row {
    std::string path;
    std::optional<std::string> key;
  } rows[] = {
      {"C:\\old\\A123.TXT", "A123"},
      {"/home/u/old/A123.TXT", "A123"},   // a native path
      {"C:\\old/mixed\\B7.a.b", "B7"},    // the later separator counts
      {"C:\\dir.d\\name", std::nullopt},  // no period in the name
      {"A123.TXT", std::nullopt},         // no separator
      {"C:\\old\\.TXT", ""},
      {"C:\\\x83\x5C\\K.TXT", "K"},  // 0x5C inside a double-byte character
      {"C:\\old\\\x83\x5C.TXT", "\x83\x5C"},
  };
  for (const Row& r : rows) {
    const std::optional<CString> key = vext::recconv::MigrationKey(CString(r.path));
    ASSERT_EQ(key.has_value(), r.key.has_value()) << r.path;
    if (key) {
      EXPECT_EQ(key->str(), *r.key) << r.path;
    }
  }
}

}  // namespace
