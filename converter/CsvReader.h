// Reading the phone-book CSV file into rows of fields.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Collections.h"

// Rows in file order, each a row of fields; the vector owns them.
using CsvRows = std::vector<std::unique_ptr<CStringArray>>;

class CCsvReader {
 public:
  // No read ever holds more fields than this, padding included: a real
  // phone book has nine per line, and a hostile file must not be able to
  // make padding allocate rows x longest-row fields without bound.
  static constexpr std::size_t kMaxFields = std::size_t{1} << 25;

  explicit CCsvReader(const CString& path, char separator = ',');

  // Reads and parses the whole file, then pads every row to the longest
  // one. Returns the number of bytes read, or 0 when the file could not be
  // read (its message shown), is empty, or is not well-formed (message
  // shown, `rows` left as it was).
  long long ReadFile(CsvRows& rows);

  // Parses `count` bytes (followed by a zero byte) into `rows`: the whole
  // buffer, or only its first line when `allLines` is false. On a format
  // error shows the message, adds nothing and returns FALSE. A zero byte
  // inside the `count` bytes is data. With `rowStarts`, the offset of each
  // row's first byte is appended to it, row by row.
  BOOL Parse(CsvRows& rows, const char* bytes, std::size_t count, BOOL allLines,
             std::vector<std::size_t>* rowStarts = nullptr);

  // Appends empty fields to every row shorter than the longest. Returns
  // FALSE, changing nothing, when that would exceed kMaxFields.
  static BOOL Pad(CsvRows& rows);

  CString m_strPath;
  char m_cSeparator;
  // When not 0, a row keeps only its first m_nKeptFields fields; those
  // beyond are counted in m_nSkippedFields and cost no memory.
  std::size_t m_nKeptFields = 0;
  unsigned long long m_nSkippedFields = 0;
};
