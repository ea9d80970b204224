// snxmlhost: a host of SnXmlConv on the command line, doing what the
// suite's programs do with it and showing the results in UTF-8.
//
//   snxmlhost check                          is an XML parser available?
//   snxmlhost import BOOK.xml [-c COLUMNS]   ContactXML into a table, shown
//   snxmlhost copy BOOK.xml OUT.xml [-c ..]  the same, then the table exported
//   snxmlhost slip SLIP.xml                  a DenpyoXML slip into lists, shown
//
// The table's columns are the library's keys unless -c names others
// (comma-separated). Paths are the system's: native or C:\... through the
// drive folder. Exit status: 0 done, 1 the library reported a failure (its
// message was shown), 2 a bad command line.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

#include "SnXmlConv.h"
#include "platform/text/Cp932.h"

namespace {

const std::vector<std::string> kDefaultColumns = {
    "Name",    "PhoenicPerson", "CustomerCode", "Company", "PhoenicCompany", "Section", "Zip",
    "Address", "TEL",           "FAX",          "E-mail",  "Keisho2",        "Memo"};

// Text from the command line (UTF-8) as the system's string.
CString FromArgument(const std::string& utf8) {
  const auto cp932 = vext::Utf8ToCp932(utf8);
  if (!cp932) throw CLI::ValidationError(utf8 + ": not representable in CP932");
  return CString(*cp932);
}

// One table cell or list item for the terminal: UTF-8, tabs and line
// breaks made visible.
std::string Shown(const CString& text) {
  std::string out;
  for (const char c : vext::Cp932ToUtf8Lossy(text.view())) {
    if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

// The host's address-book table; it owns and deletes every row.
class Table {
 public:
  explicit Table(const std::vector<std::string>& columns) {
    auto* names = new CStringArray;
    names->Add(CString());
    for (const std::string& column : columns) names->Add(FromArgument(column));
    m_rows.Add(names);
  }
  ~Table() {
    for (void* row : m_rows) delete static_cast<CStringArray*>(row);
  }
  CPtrArray* get() { return &m_rows; }

  // Column names, then one line per record, cells separated by tabs.
  void Print(std::ostream& out) const {
    for (void* row : m_rows) {
      const auto& cells = *static_cast<const CStringArray*>(row);
      for (int column = 0; column < cells.GetSize(); ++column)
        out << (column ? "\t" : "")
            << (row == m_rows[0] && column == 0 ? "#" : Shown(cells[column]));
      out << '\n';
    }
  }

 private:
  CPtrArray m_rows;
};

int Check() { return CContactXmlConv().CheckXML() ? 0 : 1; }

int Import(const std::string& book, const std::string& copyTo,
           const std::vector<std::string>& columns) {
  CContactXmlConv conv;
  Table table(columns);
  if (conv.ImportContactXML(FromArgument(book), 0, table.get()) != 1) return 1;
  std::cout << "== " << book << " (" << table.get()->GetSize() - 1 << " records)\n";
  table.Print(std::cout);
  if (copyTo.empty()) return 0;
  if (conv.ExportContactXML(FromArgument(copyTo), table.get()) != 1) return 1;
  std::cout << "== exported to " << copyTo << '\n';
  return 0;
}

int Slip(const std::string& path) {
  static const char* const kSections[] = {"Buyer",  "ShipTo1", "ShipTo2",   "SellerInfo",
                                          "Header", "Total",   "PaperInfo", "Extension"};
  CString date;
  long unused3 = 0;
  int unused4 = 0;
  CString unused5;
  CStringList names[8], values[8], columns;
  CPtrList rows;
  const int result = CXMLConv().XmlImport(
      FromArgument(path), date, unused3, unused4, unused5, &names[0], &names[1], &names[2],
      &names[3], &names[4], &columns, &names[5], &names[6], &names[7], &values[0], &values[1],
      &values[2], &values[3], &values[4], &rows, &values[5], &values[6], &values[7]);
  if (result == 1) {
    std::cout << "date\t" << Shown(date) << '\n';
    for (int k = 0; k < 8; ++k) {
      POSITION name = names[k].GetHeadPosition();
      POSITION value = values[k].GetHeadPosition();
      while (name && value)
        std::cout << kSections[k] << '\t' << Shown(names[k].GetNext(name)) << '\t'
                  << Shown(values[k].GetNext(value)) << '\n';
    }
    std::cout << "Statement";
    columns.ForEach([](const CString& column) { std::cout << '\t' << Shown(column); });
    std::cout << '\n';
    rows.ForEach([](void* row) {
      std::cout << "Statement";
      static_cast<CStringList*>(row)->ForEach(
          [](const CString& cell) { std::cout << '\t' << Shown(cell); });
      std::cout << '\n';
    });
  }
  while (!rows.IsEmpty()) delete static_cast<CStringList*>(rows.RemoveHead());
  return result == 1 ? 0 : 1;
}

int Run(int argc, char** argv) {
  CLI::App app{"A host of SnXmlConv: ContactXML and DenpyoXML through the exchange library"};
  app.require_subcommand(1);
  std::string book, copyTo, slip;
  std::vector<std::string> columns = kDefaultColumns;

  CLI::App* check = app.add_subcommand("check", "Is an XML parser available (CheckXML)?");
  CLI::App* import = app.add_subcommand("import", "Read a ContactXML file into a table, show it");
  import->add_option("book", book, "ContactXML file")->required();
  import->add_option("-c,--columns", columns, "the table's column names")->delimiter(',');
  CLI::App* copy = app.add_subcommand("copy", "Read a ContactXML file, show it, export it again");
  copy->add_option("book", book, "ContactXML file")->required();
  copy->add_option("out", copyTo, "ContactXML file to write")->required();
  copy->add_option("-c,--columns", columns, "the table's column names")->delimiter(',');
  CLI::App* slipCommand = app.add_subcommand("slip", "Read a DenpyoXML file into lists, show them");
  slipCommand->add_option("slip", slip, "DenpyoXML file")->required();

  try {
    app.parse(argc, argv);
    if (*check) return Check();
    if (*import || *copy) return Import(book, copyTo, columns);
    return Slip(slip);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? 0 : 2;
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "snxmlhost: " << error.what() << '\n';
    return 1;
  }
}
