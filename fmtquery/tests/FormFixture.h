// Test helper: a scratch installation (ScopedInstallation.h) whose format
// and original-form files are written from descriptions by vextform's own
// code, and a host's view of the messages shown meanwhile.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "DataSetJson.h"
#include "FormFiles.h"
#include "HostTestSupport.h"
#include "LayoutJson.h"
#include "ScopedInstallation.h"

namespace fmtquery_test {

using vextform::Json;

// A field of a layout description; `name` is UTF-8.
inline Json Field(unsigned order, const std::string& name, int flags = 1) {
  return {{"order", order}, {"name", name}, {"flags", flags}};
}

// "prefix<first>" .. "prefix<last>".
inline std::vector<std::string> Names(const std::string& prefix, int first, int last) {
  std::vector<std::string> names;
  for (int n = first; n <= last; ++n) names.push_back(prefix + std::to_string(n));
  return names;
}

// The names of an array in UTF-8.
inline std::vector<std::string> Utf8Names(const CStringArray& names) {
  std::vector<std::string> out;
  for (const CString& name : names) out.push_back(vext::test::Utf8(name.str()));
  return out;
}

// A layout description with the name it must have ("form" unless given).
inline Json Named(Json layout) {
  if (layout.is_object() && !layout.contains("name")) layout["name"] = "form";
  return layout;
}

class FormFiles {
 public:
  // ON<id>.FMT of a layout description.
  void Format(const Json& layout) const {
    const auto built = vextform::LayoutFromJson(Named(layout), "format", true);
    vextform::WriteFormatFile(Path("DATA\\FMT\\ON" + std::to_string(built->GetID()) + ".FMT"),
                              *built, {});
  }
  // <number>.ORG holding one blank document of `layout`, then `trailing`.
  std::filesystem::path Org(long number, const Json& layout,
                            const std::string& trailing = "") const {
    return OrgData(number, {{"kind", "data"}, {"layout", layout}, {"documents", {Json::object()}}},
                   trailing);
  }
  // <number>.ORG of a whole data set description.
  std::filesystem::path OrgData(long number, Json dataSet, const std::string& trailing = "") const {
    dataSet["layout"] = Named(dataSet["layout"]);
    for (Json& doc : dataSet["documents"])
      if (doc.contains("layout")) doc["layout"] = Named(doc["layout"]);
    vextform::DataFileContents contents = vextform::DataSetFromJson(dataSet, ".");
    contents.trailingBytes = trailing;
    vextform::WriteDataFile(OrgPath(number), contents);
    return suite.Native(OrgRelative(number));
  }
  // The original-form file's path as the system names it.
  CString OrgPath(long number) const { return Path(OrgRelative(number)); }

  vext::testing::ScopedInstallation suite;
  vext::test::ScriptedUi ui;

 private:
  static std::string OrgRelative(long number) {
    return "DATA\\ORG\\" + std::to_string(number) + ".ORG";
  }
  CString Path(const std::string& relative) const {
    std::filesystem::create_directories(suite.Native(relative).parent_path());
    return CString(vext::testing::ScopedInstallation::DataDir() + "\\" + relative);
  }
};

}  // namespace fmtquery_test
