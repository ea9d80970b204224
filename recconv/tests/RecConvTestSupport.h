// Test helpers for the record conversion (texts are CP932, written as
// ".."_sj literals): an installed suite with its
// settings folder and the scripted user interface, forms made from
// vextform descriptions, and documents and data sets of them.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FormFiles.h"
#include "HostTestSupport.h"
#include "LayoutJson.h"
#include "ScopedInstallation.h"
#include "vextbase/VextBase.h"

namespace recconv_test {

using vext::test::Sjis;
using vext::test::Utf8;
using vextform::Json;

// A field of a test form: its order, name and flags (1: data entry).
struct Field {
  UINT order;
  std::string name;  // CP932
  int flags = 1;
  int indexKey = 0;
};

// The description of a form with these fields.
inline Json FormJson(UINT id, int faces, const std::vector<Field>& fields) {
  Json desc = {{"kind", "format"}, {"id", id}, {"name", "form"}, {"faces", faces}};
  Json list = Json::array();
  for (const Field& f : fields) {
    Json field = {{"order", f.order}, {"name", Utf8(f.name)}, {"flags", f.flags}, {"size", 20}};
    if (f.indexKey) field["indexKey"] = f.indexKey;
    list.push_back(field);
  }
  desc["fields"] = list;
  return desc;
}

// Fields named F<order>, all data entry.
inline std::vector<Field> NamedFields(const std::vector<UINT>& orders) {
  std::vector<Field> fields;
  for (UINT order : orders) fields.push_back({order, "F" + std::to_string(order)});
  return fields;
}

// A suite installed in a scratch folder (C:\Vext, the medium on D:, the
// user's documents C:\Users\u\Documents), with the scripted interface.
class Suite {
 public:
  Suite() {
    std::filesystem::create_directories(install.Native("DATA\\MYDATA"));
    std::filesystem::create_directories(install.Native("DATA\\FMT"));
  }

  // The format file ON<id>.FMT of the description, as vextform writes it.
  void MakeFormat(const Json& desc) const {
    const auto layout = vextform::LayoutFromJson(desc, "test", true);
    vextform::WriteFormatFile(CVextBase::GetFormatFilePath(static_cast<UINT>(layout->GetID())),
                              *layout, {});
  }
  // A blank document of format `id`.
  static std::unique_ptr<CNVextDoc> NewDoc(UINT id) {
    CVextBasePrtFrm frame;
    if (!frame.SetFormat(id)) throw std::runtime_error("no format " + std::to_string(id));
    return std::unique_ptr<CNVextDoc>(frame.GetData(0, 0));
  }
  // The native file of the settings of format `id`.
  std::filesystem::path SettingsFile(UINT id) const {
    return install.Native("DATA\\MYDATA\\O" + std::to_string(id) + ".CNV");
  }

  vext::testing::ScopedInstallation install;
  vext::test::ScriptedUi ui;
};

// The value of a field.
inline std::string Value(const CNVextDoc& doc, UINT order, int face) {
  int indexNo = 0;
  CString name;
  return doc.GetStrDataByOrder(order, face, indexNo, name).str();
}

// Stores values in a document's face: {order, value}...
inline void Fill(CNVextDoc& doc, int face,
                 const std::vector<std::pair<UINT, std::string>>& values) {
  for (const auto& [order, value] : values) doc.SetStrDataByOrder(order, face, CString(value), 0);
}

// A list's items as "text|data" lines.
inline std::vector<std::string> Items(const vext::WindowState& list) {
  std::vector<std::string> items;
  for (const vext::ListItem& item : list.items)
    items.push_back(item.text.str() + "|" + std::to_string(item.data));
  return items;
}

// The texts of the messages shown so far.
inline std::vector<std::string> Messages(const vext::test::ScriptedUi& ui) {
  std::vector<std::string> texts;
  for (const CString& text : ui->Messages()) texts.push_back(text.str());
  return texts;
}

// Bytes of the settings file layout, little-endian.
inline std::string Dw(std::uint32_t v) {
  return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
}
inline std::string W(std::uint16_t v) { return {char(v & 0xFF), char(v >> 8)}; }
inline std::string Str(const std::string& bytes) { return char(bytes.size()) + bytes; }

// A reading definition as a settings file stores it.
struct StoredReading {
  std::string title;
  std::vector<std::uint32_t> orders, columns;
};

// A settings file (or migration file) holding these reading definitions
// and no writing one.
inline std::string SettingsBytes(const std::vector<StoredReading>& reading) {
  std::string bytes = Dw(1) + Dw(1) + Dw(1) + Str("") + Str("") + W(std::uint16_t(reading.size()));
  for (std::size_t i = 0; i < reading.size(); ++i) {
    bytes += i == 0 ? W(0xFFFF) + W(1) + W(11) + "CCnvDefData" : W(0x8001);
    bytes += Dw(1) + Str(reading[i].title) + Dw(0) + Dw(1) + Dw(0);
    for (const auto* list : {&reading[i].orders, &reading[i].columns}) {
      bytes += W(std::uint16_t(list->size()));
      for (std::uint32_t v : *list) bytes += Dw(v);
    }
  }
  return bytes + W(0);
}

}  // namespace recconv_test
