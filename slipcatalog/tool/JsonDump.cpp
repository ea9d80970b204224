#include "JsonDump.h"

#include <optional>

#include "CatalogRecords.h"
#include "platform/text/Cp932.h"

namespace slipcat {
namespace {

using Json = nlohmann::ordered_json;

std::string Text(const CString& text, const char* field) {
  std::optional<std::string> utf8 = vext::Cp932ToUtf8(text.view());
  if (!utf8) throw TextError(std::string("the field ") + field + " is not valid Shift_JIS text");
  return *utf8;
}

Json LayoutJson(const CLayoutInfo& layout) {
  Json json;
  json["class"] = "CLayoutInfo";
  json["version"] = layout.version;
  if (layout.version > 1) return json;  // stored as its version alone
  json["title"] = Text(layout.title, "title");
  json["layoutId"] = layout.layoutId;
  json["motoLayoutId"] = layout.motoLayoutId;
  json["taiouPaper"] = Text(layout.taiouPaper, "taiouPaper");
  json["extraText1"] = Text(layout.extraText1, "extraText1");
  json["fileName"] = Text(layout.fileName, "fileName");
  json["extraText2"] = Text(layout.extraText2, "extraText2");
  json["isPickUp"] = layout.isPickUp;
  json["excelName"] = Text(layout.excelName, "excelName");
  json["renzoku"] = layout.renzoku;
  json["formGenre"] = layout.formGenre;
  json["linkFlag"] = layout.linkFlag;
  json["extraText3"] = Text(layout.extraText3, "extraText3");
  return json;
}

template <class Category>
Json CategoryJson(const Category& category, const char* className) {
  Json json;
  json["class"] = className;
  json["version"] = category.version;
  if (category.version > 1) return json;
  json["name"] = Text(category.name, "name");
  Json children = Json::array();
  for (auto* child : category.childList) children.push_back(RecordJson(child));
  json["childList"] = std::move(children);
  return json;
}

}  // namespace

Json RecordJson(const CObject* record) {
  if (!record) return nullptr;
  if (const auto* layout = dynamic_cast<const CLayoutInfo*>(record)) return LayoutJson(*layout);
  if (const auto* minor = dynamic_cast<const CShoBunrui*>(record))
    return CategoryJson(*minor, "CShoBunrui");
  if (const auto* middle = dynamic_cast<const CChuBunrui*>(record))
    return CategoryJson(*middle, "CChuBunrui");
  if (const auto* major = dynamic_cast<const CDaiBunrui*>(record))
    return CategoryJson(*major, "CDaiBunrui");
  return Json{{"class", record->GetRuntimeClass()->m_lpszClassName}};
}

}  // namespace slipcat
