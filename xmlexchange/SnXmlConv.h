// SnXmlConv: the host's exchange of contacts and slips as XML.
//
//   CContactXmlConv conv;
//   if (conv.CheckXML()) {                          // is an XML parser there?
//     conv.ImportContactXML(path, 0, &table);       // rows appended to table
//     conv.ExportContactXML(path, &table);          // table as ContactXML 1.1
//   }
//   CXMLConv slips;
//   slips.XmlImport(path, date, ...);              // a DenpyoXML slip into lists
//
// The address-book table is a CPtrArray of CStringArray*. Element 0 is the
// column-name row: column 0 is the unnamed record-number column, columns 1
// to n name keys ("Name", "PhoenicPerson", "CustomerCode" or
// "SupplierCode", "Company", "PhoenicCompany", "Section", "Zip", "Address",
// "TEL", "FAX", "E-mail", "Keisho2", "Memo", or any other name, carried as
// the maker's own extension items). An empty name names no key; of a
// repeated name the first column counts. Elements 1 onwards are records,
// one value per column. Rows that an import appends have exactly as many
// elements as the column-name row; they are allocated with new, and the
// host owns and deletes them.
//
// Every failure is shown to the user at once (a fixed Japanese message)
// and reported by the result alone; no exception leaves these classes.
// Callers run CheckXML before any import or export. Strings are CP932;
// paths are the system's own strings, in Windows form where the host
// builds them.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Collections.h"

#define SNXMLCONV_API __attribute__((visibility("default")))

// ContactXML import and export for the host's address-book table. The
// object holds nothing: copies are free and any number may exist.
class SNXMLCONV_API CContactXmlConv {
 public:
  CContactXmlConv();
  CContactXmlConv(const CContactXmlConv& other);
  CContactXmlConv& operator=(const CContactXmlConv& other);
  virtual ~CContactXmlConv();

  // Asks whether company (office) or personal (home) data are read where an
  // entry has both, then appends one row per entry of any ContactXML form
  // ("ContactXML" 1.1 or 1.0, "SNContactXML"). Column 0 of the new rows
  // numbers them from 0. Rows are appended only when the whole document
  // was read: after any failure the table is as it was. The int is not
  // used. 1: read; 2: not read, or the question was cancelled.
  int ImportContactXML(CString path, int unused, CPtrArray* table);
  // Writes the records (elements 1 onwards) as one ContactXML 1.1
  // document in Shift_JIS, replacing `path` only when the whole document
  // was written. 1: saved; 2: not saved (an existing file stays as it was).
  int ExportContactXML(CString path, CPtrArray* table);
  // 1 when an XML parser is available (asks xmlSncEnv.DLL); else 0 after
  // telling the user why.
  int CheckXML();
};

// DenpyoXML slip import into the host's lists. Holds nothing, as above.
class SNXMLCONV_API CXMLConv {
 public:
  CXMLConv();
  CXMLConv(const CXMLConv& other);
  CXMLConv& operator=(const CXMLConv& other);
  virtual ~CXMLConv();

  // Reads the DenpyoXML file `path`: the root's "date" into `date`, and
  // each section's element children, in document order, as names and
  // texts appended to that section's lists ("Buyer", "ShipTo1", "ShipTo2",
  // "SellerInfo", "Header", "Total", "PaperInfo"; "Extension" items by
  // their "name" attribute). "Statement" lines: each new child name is
  // appended to `statementColumns`, and each line appends to
  // `statementRows` a new CStringList (the host deletes it) holding one
  // text per name of `statementColumns`, empty where the line has none.
  // The lists are only appended to, and only when the whole document was
  // read; a null list receives nothing. `unused3` to `unused5` are neither
  // read nor written. 1: read; 0: not read.
  int XmlImport(CString path, CString& date, long& unused3, int& unused4, CString& unused5,
                CStringList* buyerNames, CStringList* shipTo1Names, CStringList* shipTo2Names,
                CStringList* sellerNames, CStringList* headerNames, CStringList* statementColumns,
                CStringList* totalNames, CStringList* paperNames, CStringList* extensionNames,
                CStringList* buyerValues, CStringList* shipTo1Values, CStringList* shipTo2Values,
                CStringList* sellerValues, CStringList* headerValues, CPtrList* statementRows,
                CStringList* totalValues, CStringList* paperValues, CStringList* extensionValues);
  // The open-file dialog for DenpyoXML files. 1 (OK): `path` is the chosen
  // file; 2 (cancelled): `path` is left as it was.
  int SelectInportXmlFile(CString& path);
  // The same check as CContactXmlConv::CheckXML.
  int CheckXML();
};
