// The host's address-book table as the ContactXML import and export see
// it: the key names the library knows and the map from key to column.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Collections.h"

namespace vext::snxml {

// The keys with a place of their own in a ContactXML entry. Any other
// column name is carried as an "Extended" extension item of that name.
enum class Key {
  Name,
  PhoenicPerson,
  CustomerCode,
  SupplierCode,
  Company,
  PhoenicCompany,
  Section,
  Address,
  Zip,
  Tel,
  Fax,
  Email,
  Keisho2,
  Memo,
};
inline constexpr int kKeyCount = 14;
inline constexpr std::array<const char*, kKeyCount> kKeyNames = {
    "Name",    "PhoenicPerson", "CustomerCode", "SupplierCode", "Company", "PhoenicCompany",
    "Section", "Address",       "Zip",          "TEL",          "FAX",     "E-mail",
    "Keisho2", "Memo"};

// Key name -> column, from the column-name row (element 0 of the table).
// An empty name has no key; of a repeated name the first column counts.
class ColumnMap {
 public:
  // false when the table has no column-name row or the row is empty.
  bool Build(const CPtrArray* table);

  // The column of a key name; -1 when the table has none.
  int Find(std::string_view name) const;
  int Find(Key key) const { return m_keyColumns[static_cast<int>(key)]; }
  // How many elements the column-name row has (every new row has as many).
  int Width() const { return m_width; }
  // The table has a "SupplierCode" column: codes go there, not to
  // "CustomerCode".
  bool Supplier() const { return Find(Key::SupplierCode) >= 0; }
  // The names of columns 1 to n that are none of the known keys, each
  // once, in column order, with their columns.
  struct Named {
    CString name;
    int column;
  };
  const std::vector<Named>& ExtendedColumns() const { return m_extended; }

  // The row's value in `column`; empty for a missing column or a row that
  // is too short.
  static CString ValueOf(const CStringArray* row, int column) {
    return row && column >= 0 && column < row->GetSize() ? (*row)[column] : CString();
  }

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
      return std::hash<std::string_view>()(name);
    }
  };
  std::unordered_map<std::string, int, NameHash, std::equal_to<>> m_columns;
  std::array<int, kKeyCount> m_keyColumns{};
  std::vector<Named> m_extended;
  int m_width = 0;
};

}  // namespace vext::snxml
