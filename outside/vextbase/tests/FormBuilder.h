// Small layouts and documents for the library's tests, and archives kept in
// memory.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/fs/MemFile.h"
#include "vextbase/VextBase.h"

namespace vextbase_test {

struct Field {
  UINT order;
  const char* name;
  DWORD attr = NVPROP_INPUT;
  int indexNo = 0;
  bool body = false;
};

inline std::unique_ptr<CNVextLayoutData> MakeLayout(LONG id, int faces,
                                                    const std::vector<Field>& fields) {
  auto layout = std::make_unique<CNVextLayoutData>();
  layout->SetID(id);
  layout->SetMenCount(faces);
  for (const Field& f : fields) {
    auto* obj = new CNPropObj(f.order, f.name, f.attr, 10, f.indexNo);
    if (!layout->AddPropObj(obj, f.body)) {
      delete obj;
      throw std::logic_error("bad test layout");
    }
  }
  return layout;
}

// A blank document of `layout` (a copy of it), as a print frame makes one.
inline std::unique_ptr<CNVextDoc> MakeDoc(CNVextLayoutData& layout) {
  CVextBasePrtFrm frame;
  frame.SetFormat(&layout);
  return std::unique_ptr<CNVextDoc>(frame.GetData(0, 0));
}

// The bytes `record` stores.
template <typename Record>
std::string Store(Record& record) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  record.Serialize(ar);
  ar.Close();
  return std::string(reinterpret_cast<const char*>(file.GetBytes()),
                     static_cast<std::size_t>(file.GetLength()));
}

// Loads `record` from `bytes`; returns how many bytes the record took.
template <typename Record>
std::size_t Load(Record& record, std::string bytes) {
  CMemFile file(reinterpret_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  record.Serialize(ar);
  ar.Close();
  return static_cast<std::size_t>(file.GetPosition());
}

}  // namespace vextbase_test
