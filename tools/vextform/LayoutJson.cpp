#include "LayoutJson.h"

#include <cstdint>

#include "Failure.h"
#include "JsonFields.h"

namespace vextform {

namespace {

constexpr std::int64_t kLongMin = INT32_MIN;
constexpr std::int64_t kLongMax = INT32_MAX;
constexpr std::int64_t kDwordMax = UINT32_MAX;

void AddFields(CNVextLayoutData& layout, const Json& desc, const char* key,
               const std::string& where, bool body) {
  const auto found = desc.find(key);
  if (found == desc.end()) return;
  const std::string list = Member(where, key);
  if (!found->is_array()) throw Failure(list + ": expected a list of fields");
  for (std::size_t i = 0; i < found->size(); ++i) {
    const Json& field = (*found)[i];
    const std::string place = list + "[" + std::to_string(i) + "]";
    CheckObject(field, place, {"order", "name", "flags", "size", "indexKey"});
    const auto order =
        static_cast<UINT>(GetInteger(field, "order", place, 1, NVEXT_MAX_ORDER, 0, true));
    auto obj = std::make_unique<CNPropObj>(
        order, GetText(field, "name", place, true),
        static_cast<DWORD>(GetInteger(field, "flags", place, 0, kDwordMax, 0)),
        static_cast<LONG>(GetInteger(field, "size", place, kLongMin, kLongMax, 0)),
        static_cast<int>(GetInteger(field, "indexKey", place, 0, NVEXT_INDEX_COUNT, 0)));
    if (!layout.AddPropObj(obj.get(), body ? TRUE : FALSE))
      throw Failure(Member(place, "order") + ": order " + std::to_string(order) +
                    " is given to another field already");
    static_cast<void>(obj.release());  // the layout's now
  }
}

Json FieldsToJson(const CNPropObjList& list) {
  Json fields = Json::array();
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    const CNPropObj* obj = list.GetNext(pos);
    Json field{{"order", obj->GetOrder()}, {"name", TextToJson(obj->GetItemName())}};
    if (obj->GetAttr() != 0) field["flags"] = obj->GetAttr();
    if (obj->GetItemSize() != 0) field["size"] = obj->GetItemSize();
    if (obj->GetIndexNo() != 0) field["indexKey"] = obj->GetIndexNo();
    fields.push_back(std::move(field));
  }
  return fields;
}

}  // namespace

std::unique_ptr<CNVextLayoutData> LayoutFromJson(const Json& desc, const std::string& where,
                                                 bool topLevel) {
  CheckObject(desc, where,
              {"kind", "id", "name", "comment", "sort", "date", "userNo", "faces", "table",
               "margins", "percent", "paper", "fields", "bodyFields"});
  if (desc.contains("kind")) {
    if (!topLevel) throw Failure(Member(where, "kind") + ": unknown key");
    if (desc["kind"] != "format")
      throw Failure(Member(where, "kind") + ": this is not the description of a format");
  }

  auto layout = std::make_unique<CNVextLayoutData>();
  layout->SetID(static_cast<LONG>(GetInteger(desc, "id", where, kLongMin, kLongMax, 0, true)));
  layout->SetName(GetText(desc, "name", where, true));
  layout->SetComment(GetText(desc, "comment", where));
  layout->SetSort(static_cast<LONG>(GetInteger(desc, "sort", where, kLongMin, kLongMax, 0)));
  layout->SetDate(static_cast<DWORD>(GetInteger(desc, "date", where, 0, kDwordMax, 0)));
  layout->SetUserNo(static_cast<LONG>(GetInteger(desc, "userNo", where, kLongMin, kLongMax, 0)));
  layout->SetMenCount(static_cast<int>(GetInteger(desc, "faces", where, 0, NVEXT_MAX_MEN, 1)));
  if (const auto table = desc.find("table"); table != desc.end()) {
    const std::string place = Member(where, "table");
    CheckObject(*table, place, {"firstOrder", "lastOrder", "lines"});
    layout->SetTableStartOrder(
        static_cast<LONG>(GetInteger(*table, "firstOrder", place, kLongMin, kLongMax, 0)));
    layout->SetTableEndOrder(
        static_cast<LONG>(GetInteger(*table, "lastOrder", place, kLongMin, kLongMax, 0)));
    layout->SetTableLineCount(
        static_cast<LONG>(GetInteger(*table, "lines", place, kLongMin, kLongMax, 0)));
  }
  if (const auto margins = desc.find("margins"); margins != desc.end()) {
    const std::string place = Member(where, "margins");
    CheckObject(*margins, place, {"top", "bottom", "left", "right"});
    layout->SetTopMargin(
        static_cast<LONG>(GetInteger(*margins, "top", place, kLongMin, kLongMax, 0)));
    layout->SetBottomMargin(
        static_cast<LONG>(GetInteger(*margins, "bottom", place, kLongMin, kLongMax, 0)));
    layout->SetLeftMargin(
        static_cast<LONG>(GetInteger(*margins, "left", place, kLongMin, kLongMax, 0)));
    layout->SetRightMargin(
        static_cast<LONG>(GetInteger(*margins, "right", place, kLongMin, kLongMax, 0)));
  }
  layout->SetPercent(
      static_cast<LONG>(GetInteger(desc, "percent", where, kLongMin, kLongMax, 100)));
  layout->SetPrintPaper(static_cast<LONG>(GetInteger(desc, "paper", where, kLongMin, kLongMax, 9)));
  AddFields(*layout, desc, "fields", where, false);
  AddFields(*layout, desc, "bodyFields", where, true);
  return layout;
}

Json LayoutToJson(const CNVextLayoutData& layout, bool topLevel) {
  Json desc = Json::object();
  if (topLevel) desc["kind"] = "format";
  desc["id"] = layout.GetID();
  desc["name"] = TextToJson(layout.GetName());
  if (!layout.GetComment().IsEmpty()) desc["comment"] = TextToJson(layout.GetComment());
  if (layout.GetSort() != 0) desc["sort"] = layout.GetSort();
  if (layout.GetDate() != 0) desc["date"] = layout.GetDate();
  if (layout.GetUserNo() != 0) desc["userNo"] = layout.GetUserNo();
  if (layout.GetMenCount() != 1) desc["faces"] = layout.GetMenCount();
  if (layout.GetTableStartOrder() || layout.GetTableEndOrder() || layout.GetTableLineCount())
    desc["table"] = Json{{"firstOrder", layout.GetTableStartOrder()},
                         {"lastOrder", layout.GetTableEndOrder()},
                         {"lines", layout.GetTableLineCount()}};
  if (layout.GetTopMargin() || layout.GetBottomMargin() || layout.GetLeftMargin() ||
      layout.GetRightMargin())
    desc["margins"] = Json{{"top", layout.GetTopMargin()},
                           {"bottom", layout.GetBottomMargin()},
                           {"left", layout.GetLeftMargin()},
                           {"right", layout.GetRightMargin()}};
  if (layout.GetPercent() != 100) desc["percent"] = layout.GetPercent();
  if (layout.GetPrintPaper() != 9) desc["paper"] = layout.GetPrintPaper();
  if (!layout.GetHeadDefList().IsEmpty()) desc["fields"] = FieldsToJson(layout.GetHeadDefList());
  if (!layout.GetBodyDefList().IsEmpty())
    desc["bodyFields"] = FieldsToJson(layout.GetBodyDefList());
  return desc;
}

}  // namespace vextform
