#include "DataSetJson.h"

#include <cstdint>
#include <vector>

#include "Description.h"
#include "Failure.h"
#include "JsonFields.h"
#include "LayoutJson.h"

namespace vextform {

namespace {

constexpr std::int64_t kLongMin = INT32_MIN;
constexpr std::int64_t kLongMax = INT32_MAX;

// Faces a layout stores values for: one for a face count below 2.
int FaceSlots(const CNVextLayoutData& layout) { return std::max(layout.GetMenCount(), 1); }
// The face index of the i-th stored face (callers' numbering).
int FaceIndex(const CNVextLayoutData& layout, int i) {
  return layout.GetMenCount() < 2 ? 0 : i + 1;
}

// A member key that must be a number in [min, max]: "7" for order 7.
long KeyNumber(const std::string& key, const std::string& where, long min, long max) {
  long number = 0;
  for (const char c : key) {
    if (c < '0' || c > '9' || number > max) {
      number = -1;
      break;
    }
    number = number * 10 + (c - '0');
  }
  if (key.empty() || number < min || number > max)
    throw Failure(where + ": \"" + key + "\" is not a number from " + std::to_string(min) + " to " +
                  std::to_string(max));
  return number;
}

// A layout given in place, or by the name of its format description file.
std::unique_ptr<CNVextLayoutData> LayoutFromMember(const Json& member, const std::string& where,
                                                   const std::filesystem::path& folder) {
  if (!member.is_string()) return LayoutFromJson(member, where, false);
  const std::string name = (folder / member.get<std::string>()).string();
  return LayoutFromJson(ReadDescription(name), name, true);
}

std::unique_ptr<CNVextDoc> DocumentFromJson(const Json& desc, const std::string& where,
                                            CVextBasePrtFrm& shared,
                                            const std::filesystem::path& folder) {
  CheckObject(desc, where,
              {"layout", "title", "memo", "id", "sort", "date", "userNo", "indexKeys", "faces"});
  std::unique_ptr<CNVextDoc> doc;
  if (const auto own = desc.find("layout"); own != desc.end()) {
    if (own->is_null()) {
      doc = std::make_unique<CNVextDoc>();
    } else {
      auto layout = LayoutFromMember(*own, Member(where, "layout"), folder);
      CVextBasePrtFrm frame;
      frame.SetFormat(layout.get());
      doc.reset(frame.GetData(0, 0));
    }
  } else {
    if (!shared.GetFormat())
      throw Failure(where + ": no layout; give the data set a \"layout\" or the document its own");
    doc.reset(shared.GetData(0, 0));
  }
  const CNVextLayoutData* layout = doc->GetFormat();

  doc->SetTitle(GetText(desc, "title", where));
  doc->SetMemo(GetText(desc, "memo", where));
  doc->SetID(static_cast<LONG>(
      GetInteger(desc, "id", where, kLongMin, kLongMax, layout ? layout->GetID() : 0)));
  doc->SetSort(static_cast<LONG>(GetInteger(desc, "sort", where, kLongMin, kLongMax, 0)));
  doc->SetDate(static_cast<DWORD>(GetInteger(desc, "date", where, 0, UINT32_MAX, 0)));
  doc->SetUserNo(static_cast<LONG>(GetInteger(desc, "userNo", where, kLongMin, kLongMax, 0)));

  if (const auto keys = desc.find("indexKeys"); keys != desc.end()) {
    const std::string place = Member(where, "indexKeys");
    RequireObject(*keys, place);
    for (const auto& [key, value] : keys->items()) {
      const long number = KeyNumber(key, place, 1, NVEXT_INDEX_COUNT);
      doc->SetIndex(static_cast<int>(number), TextFromJson(value, Member(place, key)), 1);
    }
  }

  if (const auto faces = desc.find("faces"); faces != desc.end()) {
    const std::string place = Member(where, "faces");
    if (!faces->is_array()) throw Failure(place + ": expected a list of faces");
    const int slots = layout ? FaceSlots(*layout) : 0;
    if (static_cast<int>(faces->size()) > slots)
      throw Failure(place + ": " + std::to_string(faces->size()) + " faces given, the layout has " +
                    std::to_string(slots));
    for (int i = 0; i < static_cast<int>(faces->size()); ++i) {
      const Json& face = (*faces)[i];
      const std::string facePlace = place + "[" + std::to_string(i) + "]";
      RequireObject(face, facePlace);
      for (const auto& [key, value] : face.items()) {
        const auto order = static_cast<UINT>(KeyNumber(key, facePlace, 1, NVEXT_MAX_ORDER));
        const CString text = TextFromJson(value, Member(facePlace, key));
        if (!doc->SetStrDataByOrder(order, FaceIndex(*layout, i), text, 0))
          throw Failure(Member(facePlace, key) + ": the layout has no field with order " + key);
      }
    }
  }
  return doc;
}

Json DocumentToJson(const CNVextDoc& doc, const CNVextLayoutData* shared) {
  const CNVextLayoutData* layout = doc.GetFormat();
  Json desc = Json::object();
  if (layout != shared) desc["layout"] = layout ? LayoutToJson(*layout, false) : Json(nullptr);
  if (!doc.GetTitle().IsEmpty()) desc["title"] = TextToJson(doc.GetTitle());
  if (!doc.GetMemo().IsEmpty()) desc["memo"] = TextToJson(doc.GetMemo());
  if (doc.GetID() != (layout ? layout->GetID() : 0)) desc["id"] = doc.GetID();
  if (doc.GetSort() != 0) desc["sort"] = doc.GetSort();
  if (doc.GetDate() != 0) desc["date"] = doc.GetDate();
  if (doc.GetUserNo() != 0) desc["userNo"] = doc.GetUserNo();

  Json keys = Json::object();
  for (int k = 1; k <= NVEXT_INDEX_COUNT; ++k)
    if (!doc.GetIndex(k).IsEmpty()) keys[std::to_string(k)] = TextToJson(doc.GetIndex(k));
  if (!keys.empty()) desc["indexKeys"] = std::move(keys);

  if (layout) {
    std::vector<Json> faces;
    std::size_t used = 0;
    for (int i = 0; i < FaceSlots(*layout); ++i) {
      Json face = Json::object();
      const CNPropObjList& objects = layout->GetPropObjList();
      for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const CNPropObj* obj = objects.GetNext(pos);
        int indexNo;
        CString name;
        const CString value =
            doc.GetStrDataByOrder(obj->GetOrder(), FaceIndex(*layout, i), indexNo, name);
        if (!value.IsEmpty()) face[std::to_string(obj->GetOrder())] = TextToJson(value);
      }
      if (!face.empty()) used = faces.size() + 1;
      faces.push_back(std::move(face));
    }
    faces.resize(used);
    if (!faces.empty()) desc["faces"] = Json(faces);
  }
  return desc;
}

}  // namespace

DataFileContents DataSetFromJson(const Json& desc, const std::filesystem::path& folder) {
  CheckObject(desc, "", {"kind", "counterId", "layout", "documents", "trailingBytes"});
  if (desc.contains("kind") && desc["kind"] != "data")
    throw Failure("kind: this is not the description of a data set");

  CVextBasePrtFrm shared;
  if (const auto layout = desc.find("layout"); layout != desc.end())
    shared.SetFormat(LayoutFromMember(*layout, "layout", folder).get());

  DataFileContents contents;
  contents.io = std::make_unique<CVextFileIO>();
  CKorbe95Data& data = *contents.io->GetKorbeData();
  data.SetCounterID(
      static_cast<LONG>(GetInteger(desc, "counterId", "", kLongMin, kLongMax,
                                   shared.GetFormat() ? shared.GetFormat()->GetID() : 0)));
  if (const auto docs = desc.find("documents"); docs != desc.end()) {
    if (!docs->is_array()) throw Failure("documents: expected a list of documents");
    for (std::size_t i = 0; i < docs->size(); ++i)
      data.GetVextDocList().AddTail(
          DocumentFromJson((*docs)[i], "documents[" + std::to_string(i) + "]", shared, folder)
              .release());
  }
  if (const auto trailing = desc.find("trailingBytes"); trailing != desc.end()) {
    if (!trailing->is_string()) throw Failure("trailingBytes: expected hex digits in a string");
    contents.trailingBytes = FromHex(trailing->get_ref<const std::string&>(), "trailingBytes");
  }
  return contents;
}

Json DataSetToJson(const CKorbe95Data& data, const std::string& trailingBytes) {
  const CNVextDocList& docs = data.GetVextDocList();
  const CNVextLayoutData* shared = nullptr;
  for (POSITION pos = docs.GetHeadPosition(); pos && !shared;) {
    const CNVextDoc* doc = docs.GetNext(pos);
    if (doc) shared = doc->GetFormat();
  }
  Json desc{{"kind", "data"}};
  if (data.GetCounterID() != (shared ? shared->GetID() : 0))
    desc["counterId"] = data.GetCounterID();
  if (shared) desc["layout"] = LayoutToJson(*shared, false);
  Json list = Json::array();
  for (POSITION pos = docs.GetHeadPosition(); pos;) {
    const CNVextDoc* doc = docs.GetNext(pos);
    if (doc) list.push_back(DocumentToJson(*doc, shared));
  }
  desc["documents"] = std::move(list);
  if (!trailingBytes.empty()) desc["trailingBytes"] = ToHex(trailingBytes);
  return desc;
}

}  // namespace vextform
