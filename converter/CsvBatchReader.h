// Reads the phone-book CSV file a batch of whole lines at a time, so that
// write mode never holds the whole phone book in memory. Each batch goes
// through CCsvReader::Parse, the one CSV parser of the system; batches end
// only at a CR LF outside quotes, where the parser itself would end a row,
// so the rows are the same as those of one parse of the whole file.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "CsvReader.h"
#include "platform/fs/File.h"

class CsvBatchReader {
 public:
  static constexpr std::size_t kDefaultBatchBytes = std::size_t{1} << 20;

  explicit CsvBatchReader(const CString& path, std::size_t batchBytes = kDefaultBatchBytes);

  // Opens the file, denying other writers. false when it cannot be opened
  // (the platform's file-error message is shown).
  bool Open();
  // True when the file holds no byte at all.
  bool IsEmpty() const { return m_length == 0; }
  // True when every byte has been handed to the parser.
  bool AtEnd() const { return m_eof && m_buffer.empty(); }
  // Appends the rows of the next batch, and with `rowLines` the line of
  // the file on which each of them begins (from 1; a line ends at every
  // LF, as an editor shows it). false on a format error (the parser's
  // message is shown, nothing appended) or a read error (the file-error
  // message is shown).
  bool ReadBatch(CsvRows& rows, std::vector<long long>* rowLines = nullptr);
  void Close();
  // Rows keep only their first `count` fields (see CCsvReader).
  void KeepFields(std::size_t count) { m_parser.m_nKeptFields = count; }
  unsigned long long SkippedFields() const { return m_parser.m_nSkippedFields; }

 private:
  bool Fill();
  // The end of the last complete line in the buffer, or 0.
  std::size_t LastLineEnd();

  CCsvReader m_parser;
  std::size_t m_batchBytes;
  CFile m_file;
  unsigned long long m_length = 0;
  bool m_eof = false;
  std::string m_buffer;
  // Quote parity of m_buffer up to m_scanned, and the line end found so far.
  std::size_t m_scanned = 0;
  bool m_inQuotes = false;
  std::size_t m_lineEnd = 0;
  // The line on which m_buffer begins.
  long long m_line = 1;
  std::vector<std::size_t> m_rowStarts;
};
