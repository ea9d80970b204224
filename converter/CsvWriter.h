// Writing the phone-book CSV file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/base/CString.h"
#include "platform/fs/File.h"

// A field as it stands in the file: CR LF inside it becomes LF, quotes are
// doubled, and the field is quoted when it holds a line feed, a quote or
// the separator (so that it reads back as one field).
CString EncodeCsvField(const CString& field, char separator = ',');

// Appends the fields, each encoded by EncodeCsvField, joined by commas and
// followed by CR LF.
void AppendCsvLine(std::string& out, const CString* fields, int count);

// Writes the CSV file as a whole-file rewrite, in pieces: nothing replaces
// the old file until Commit succeeds. Appended text is buffered and
// written about a mebibyte at a time, so a huge phone book never sits
// whole in memory. A file error is shown with the platform's file-error
// message and makes the writer fail; later calls then do nothing and
// return false, as do calls after Commit.
class CsvFileWriter {
 public:
  explicit CsvFileWriter(const CString& path);
  ~CsvFileWriter();  // without Commit, the old file stays as it was
  bool Append(std::string_view text);
  bool Commit();
  bool Failed() const { return m_failed; }

 private:
  bool Flush();
  bool Fail(const CFileException& error);
  CString m_path;
  std::unique_ptr<CFile> m_file;
  std::string m_pending;
  bool m_failed = false;
};

// Writes `text` as the whole CSV file; TRUE on success. An empty text
// leaves a file of zero bytes.
BOOL WritePhoneBook(const CString& path, std::string_view text);
