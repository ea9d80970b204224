#include "AddressBookColumns.h"

namespace vext::snxml {

bool ColumnMap::Build(const CPtrArray* table) {
  m_columns.clear();
  m_extended.clear();
  m_keyColumns.fill(-1);
  m_width = 0;
  if (!table || table->IsEmpty() || !table->GetAt(0)) return false;
  const auto& names = *static_cast<const CStringArray*>(table->GetAt(0));
  if (names.IsEmpty()) return false;
  m_width = names.GetSize();
  for (int column = 0; column < m_width; ++column)
    if (!names[column].IsEmpty()) m_columns.try_emplace(names[column].str(), column);
  for (int key = 0; key < kKeyCount; ++key) m_keyColumns[key] = Find(kKeyNames[key]);
  for (int column = 1; column < m_width; ++column) {
    const CString& name = names[column];
    if (name.IsEmpty() || Find(name.view()) != column) continue;
    bool known = false;
    for (const char* key : kKeyNames) known = known || name == key;
    if (!known) m_extended.push_back({name, column});
  }
  return true;
}

int ColumnMap::Find(std::string_view name) const {
  const auto it = m_columns.find(name);
  return it == m_columns.end() ? -1 : it->second;
}

}  // namespace vext::snxml
