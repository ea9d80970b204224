// A host's address-book table, as the suite's programs hold it: element 0
// names the columns (column 0 unnamed), the rest are records; the host
// deletes every row, those the library appended included. Texts go in and
// come out in UTF-8.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "platform/base/Collections.h"

namespace vext::test {

class HostTable {
 public:
  // `columns` names columns 1 to n; column 0 is the record number.
  explicit HostTable(const std::vector<std::string>& columns) {
    auto* names = new CStringArray;
    names->Add(CString());
    for (const std::string& column : columns) names->Add(CString(Sjis(column)));
    m_table.Add(names);
  }
  ~HostTable() {
    for (void* row : m_table) delete static_cast<CStringArray*>(row);
  }
  HostTable(const HostTable&) = delete;
  HostTable& operator=(const HostTable&) = delete;

  CPtrArray* get() { return &m_table; }
  int Records() const { return m_table.GetSize() - 1; }
  const CStringArray& Row(int index) const {
    return *static_cast<const CStringArray*>(m_table.GetAt(index));
  }

  // Appends a record: values by column name, the others empty.
  void Add(const std::map<std::string, std::string>& values) {
    const CStringArray& names = Row(0);
    auto* row = new CStringArray;
    row->SetSize(names.GetSize());
    row->ElementAt(0) = CString(std::to_string(Records()));
    for (const auto& [column, value] : values) {
      const int index = Column(column);
      EXPECT_GE(index, 1) << "no column " << column;
      if (index >= 1) row->ElementAt(index) = CString(Sjis(value));
    }
    m_table.Add(row);
  }

  // Puts raw CP932 bytes into a record's column.
  void SetBytes(int record, const std::string& column, const std::string& cp932) {
    static_cast<CStringArray*>(m_table.GetAt(record))->ElementAt(Column(column)) = CString(cp932);
  }

  // Record `record` (1 onwards): its non-empty values by column name,
  // column 0 as "#".
  std::map<std::string, std::string> Record(int record) const {
    const CStringArray& names = Row(0);
    const CStringArray& row = Row(record);
    EXPECT_EQ(row.GetSize(), names.GetSize())
        << "record " << record << " is not as wide as the table";
    std::map<std::string, std::string> values;
    for (int column = 0; column < row.GetSize() && column < names.GetSize(); ++column) {
      if (row[column].IsEmpty()) continue;
      values[column == 0 ? "#" : Utf8(names[column].str())] = Utf8(row[column].str());
    }
    return values;
  }

 private:
  int Column(const std::string& name) const {
    const CStringArray& names = Row(0);
    for (int column = 1; column < names.GetSize(); ++column)
      if (names[column] == Sjis(name).c_str()) return column;
    return -1;
  }

  CPtrArray m_table;
};

}  // namespace vext::test
