// The conversion engine of xmlSncConv: the phone-book CSV file to a
// ContactXML document (write mode) and back (read mode).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CsvReader.h"
#include "PhoneBookItem.h"
#include "PhoneBookRec.h"
#include "platform/base/Collections.h"
#include "platform/xml/XmlDom.h"

class CsvBatchReader;

class CPhoneBookConv {
 public:
  CPhoneBookConv();
  ~CPhoneBookConv();
  CPhoneBookConv(const CPhoneBookConv&) = delete;
  CPhoneBookConv& operator=(const CPhoneBookConv&) = delete;

  // Write mode, first step: opens the CSV file and reads its first batch
  // of rows into the row list. FALSE when the file cannot be read, is
  // empty (no message) or is not well-formed (message shown).
  BOOL ReadPhoneBook();
  // Write mode: writes the rows, and the batches that follow them, as one
  // ContactXML document. TRUE only when the document was saved; on any
  // failure a message is shown and the old file at the XML path stays.
  BOOL Export();
  // Read mode: rewrites the CSV file from the ContactXML document. TRUE
  // when the CSV file was written; FALSE after a message otherwise.
  BOOL Import();
  // After a failed Import: TRUE when the CSV file itself could not be
  // written (its message was shown), so there is no use emptying it.
  BOOL CsvUnwritable() const { return m_bCsvUnwritable; }

  // One ContactXMLItem for the record, made by `doc`, not yet appended.
  static vext::xml::Node BuildItem(vext::xml::Document& doc, const CPhoneBookRec& rec);
  // The record of a CSV row: column j from field j, missing fields empty.
  static CPhoneBookRec MakeRecord(const CStringArray& row);
  // TRUE when the document being read reports no parse error; otherwise
  // shows the load failure message and returns FALSE. (Writing reports its
  // failures as exceptions, which Export shows.)
  BOOL CheckParserState();
  // Reads one entry element into `item` and appends its lines to `csv`;
  // returns how many lines it gave.
  static int ReadEntry(const vext::xml::Node& entry, CPhoneBookItem& item, std::string& csv);

  // The root element while a document is read as one entry (a 1.0 root).
  vext::xml::Node m_pRoot;
  // The document of the current run: written (write mode) or read (read
  // mode) one entry at a time.
  std::unique_ptr<vext::xml::EntryWriter> m_pWriter;
  std::unique_ptr<vext::xml::EntryReader> m_pReader;
  // The rows of the current batch, in file order; they are owned by
  // m_ownedRows.
  std::vector<CStringArray*> m_rowList;
  CsvRows m_ownedRows;
  // The line of the CSV file on which each row of m_rowList begins.
  std::vector<long long> m_rowLines;
  CString m_strCsvPath;
  CString m_strXmlPath;
  int m_nMode = 0;  // 1 read mode, 0 write mode

 private:
  bool NextBatch();
  BOOL WriteDocument();
  void ShowParserError(BOOL bLoading, const CString& reason);
  void ShowUnsupported();
  BOOL ImportEntries();

  std::unique_ptr<CsvBatchReader> m_pCsv;
  long long m_nWritingLine = 0;  // the CSV line of the row being written, 0 for none
  BOOL m_bCsvUnwritable = 0;
};
