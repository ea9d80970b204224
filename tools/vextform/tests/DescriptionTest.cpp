// Descriptions to files and back: every sample form comes back as it was
// described, any bytes a value may hold survive, and a mistake in a
// description is refused with its place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "DataSetJson.h"
#include "Description.h"
#include "Failure.h"
#include "FormFiles.h"
#include "LayoutJson.h"
#include "ScopedRegistry.h"

namespace fs = std::filesystem;
using namespace vextform;

namespace {

fs::path Samples() { return fs::path(std::getenv("VEXT_TEST_SOURCE_DIR")) / "samples" / "forms"; }

// A sample as `show` prints it: layouts named by file are given in place.
Json Expanded(const fs::path& file) {
  Json desc = ReadDescription(file.string());
  auto expand = [&](Json& member) {
    if (!member.is_string()) return;
    member = ReadDescription((file.parent_path() / member.get<std::string>()).string());
    member.erase("kind");
  };
  if (desc.contains("layout")) expand(desc["layout"]);
  if (desc.contains("documents"))
    for (Json& doc : desc["documents"])
      if (doc.contains("layout")) expand(doc["layout"]);
  return desc;
}

// Written to a file and read back, as `new` then `show` do.
Json ThroughFile(const Json& desc, const fs::path& folder) {
  vext::testing::ScratchDir dir;
  const CString path((dir.path() / "form").string());
  if (desc.value("kind", "") == "format") {
    WriteFormatFile(path, *LayoutFromJson(desc, "", true), {});
    std::string trailing;
    auto layout = ReadFormatFile(path, trailing);
    EXPECT_EQ(trailing, "");
    return LayoutToJson(*layout, true);
  }
  WriteDataFile(path, DataSetFromJson(desc, folder));
  const DataFileContents read = ReadDataFile(path);
  return DataSetToJson(*read.io->GetKorbeData(), read.trailingBytes);
}

// UTF-8 text written in the source.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Order-insensitive comparison of two descriptions.
nlohmann::json Plain(const Json& desc) { return nlohmann::json::parse(desc.dump()); }

TEST(Description, EverySampleComesBackAsDescribed) {
  int samples = 0;
  for (const auto& entry : fs::directory_iterator(Samples())) {
    if (entry.path().extension() != ".json") continue;
    ++samples;
    SCOPED_TRACE(entry.path().filename().string());
    const Json raw = ReadDescription(entry.path().string());
    EXPECT_EQ(Plain(ThroughFile(raw, Samples())), Plain(Expanded(entry.path())));
  }
  EXPECT_GE(samples, 5);
}

TEST(Description, ValuesThatAreNotTextComeBackAsBytes) {
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  Json desc = Json::parse(R"({"kind": "data", "layout": {"id": 1, "name": "x",
    "fields": [{"order": 1, "name": "a"}, {"order": 2, "name": "b"}]}, "documents": [{}]})");
  desc["documents"][0]["faces"] = Json::array({Json::object()});
  desc["documents"][0]["faces"][0]["1"] = Json{{"hex", ToHex(every)}};
  desc["documents"][0]["faces"][0]["2"] = Json{{"hex", "8140"}};  // plain text once read
  desc["trailingBytes"] = "00ff32";
  const Json back = ThroughFile(desc, ".");
  EXPECT_EQ(back["documents"][0]["faces"][0]["1"], desc["documents"][0]["faces"][0]["1"]);
  EXPECT_EQ(back["documents"][0]["faces"][0]["2"], U8(u8"\u3000"));
  EXPECT_EQ(back["trailingBytes"], "00ff32");
}

TEST(Description, MistakesAreRefusedWithTheirPlace) {
  const std::string layout = R"("layout": {"id": 1, "name": "x", "faces": 2,
    "fields": [{"order": 1, "name": "a"}]})";
  struct Case {
    std::string json, message;
  } cases[] = {
      {R"({"kind": "format", "id": 1, "name": "caf\u00e9"})",
       U8(u8"name: \"\u00e9\" (UTF-8 C3 A9) is not in CP932")},
      {U8(u8R"({"kind": "format", "id": 1, "name": "x", "fields": [{"order": 1, "name": "𠮷"}]})"),
       U8(u8"fields[0].name: \"\U00020BB7\" (UTF-8 F0 A0 AE B7)")},
      {R"({"kind": "format", "id": 1, "name": "x", "feilds": []})", "feilds: unknown key"},
      {R"({"kind": "format", "name": "x"})", "id: missing"},
      {R"({"kind": "format", "id": "1", "name": "x"})", "id: expected a whole number"},
      {R"({"kind": "format", "id": 1, "name": "x", "faces": 100})",
       "faces: 100 is not from 0 to 99"},
      {R"({"kind": "format", "id": 1, "name": "x", "fields": [{"order": 0, "name": "a"}]})",
       "fields[0].order: 0 is not from 1 to 65535"},
      {R"({"kind": "format", "id": 1, "name": "x", "fields": [{"order": 1, "name": "a", "indexKey": 21}]})",
       "fields[0].indexKey: 21 is not"},
      {R"({"kind": "format", "id": 1, "name": "x", "fields": [{"order": 3, "name": "a"}],
           "bodyFields": [{"order": 3, "name": "b"}]})",
       "bodyFields[0].order: order 3 is given to another field already"},
      {R"({"kind": "data", "documents": [{}]})", "documents[0]: no layout"},
      {R"({"kind": "data", )" + layout + R"(, "documents": [{"faces": [{"7": "v"}]}]})",
       "documents[0].faces[0].7: the layout has no field with order 7"},
      {R"({"kind": "data", )" + layout + R"(, "documents": [{"faces": [{}, {}, {}]}]})",
       "documents[0].faces: 3 faces given, the layout has 2"},
      {R"({"kind": "data", )" + layout + R"(, "documents": [{"indexKeys": {"21": "k"}}]})",
       "documents[0].indexKeys: \"21\" is not a number from 1 to 20"},
      {R"({"kind": "data", )" + layout + R"(, "trailingBytes": "3"})",
       "trailingBytes: an odd number"},
      {R"({"kind": "data", )" + layout + R"(, "documents": [{"title": {"hex": "zz"}}]})",
       "documents[0].title.hex: \"zz\" is not hex"},
  };
  for (const Case& c : cases) {
    try {
      ThroughFile(Json::parse(c.json), ".");
      ADD_FAILURE() << c.json << ": accepted";
    } catch (const Failure& failure) {
      EXPECT_NE(std::string(failure.what()).find(c.message), std::string::npos)
          << failure.what() << "\nwanted: " << c.message;
    }
  }
}

}  // namespace
