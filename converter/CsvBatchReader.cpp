#include "CsvBatchReader.h"
#include "platform/base/BoolConstants.h"

#include <algorithm>

CsvBatchReader::CsvBatchReader(const CString& path, std::size_t batchBytes)
    : m_parser(path, ','), m_batchBytes(std::max<std::size_t>(batchBytes, 1)) {}

bool CsvBatchReader::Open() {
  CFileException error;
  if (!m_file.Open(m_parser.m_strPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary,
                   &error)) {
    error.ReportError();
    return false;
  }
  try {
    m_length = m_file.GetLength();
  } catch (const CFileException& e) {
    e.ReportError();
    return false;
  }
  m_eof = m_length == 0;
  return true;
}

void CsvBatchReader::Close() {
  if (m_file.IsOpen()) m_file.Abort();
}

bool CsvBatchReader::Fill() {
  const std::size_t old = m_buffer.size();
  m_buffer.resize(old + m_batchBytes);
  UINT got = 0;
  try {
    got = m_file.Read(m_buffer.data() + old, static_cast<UINT>(m_batchBytes));
  } catch (const CFileException& e) {
    m_buffer.resize(old);
    e.ReportError();
    return false;
  }
  m_buffer.resize(old + got);
  if (got == 0) m_eof = true;
  return true;
}

// A quote toggles the parser's in-quotes state (a doubled quote inside
// quotes toggles it twice); a CR LF outside quotes ends a row.
std::size_t CsvBatchReader::LastLineEnd() {
  std::size_t i = m_scanned;
  for (; i < m_buffer.size(); ++i) {
    const char c = m_buffer[i];
    if (c == '"') {
      m_inQuotes = !m_inQuotes;
    } else if (c == '\r' && !m_inQuotes) {
      if (i + 1 == m_buffer.size()) break;  // its LF may come with the next read
      if (m_buffer[i + 1] == '\n') m_lineEnd = ++i + 1;
    }
  }
  m_scanned = i;
  return m_lineEnd;
}

bool CsvBatchReader::ReadBatch(CsvRows& rows, std::vector<long long>* rowLines) {
  std::size_t end = 0;
  while (!m_eof) {
    if (!Fill()) return false;
    end = LastLineEnd();
    if (end > 0 && m_buffer.size() >= m_batchBytes) break;
  }
  if (m_eof) end = m_buffer.size();
  if (end == 0) return true;

  // The parser wants a zero byte after the data it is given.
  const char kept = m_buffer[end];
  m_buffer[end] = '\0';
  m_rowStarts.clear();
  const BOOL parsed = m_parser.Parse(rows, m_buffer.data(), end, TRUE, &m_rowStarts);
  m_buffer[end] = kept;
  if (!parsed) return false;

  // Lines are counted only up to each row's start and once over the batch.
  std::size_t counted = 0;
  for (const std::size_t start : m_rowStarts) {
    m_line += std::count(m_buffer.begin() + static_cast<std::ptrdiff_t>(counted),
                         m_buffer.begin() + static_cast<std::ptrdiff_t>(start), '\n');
    counted = start;
    if (rowLines) rowLines->push_back(m_line);
  }
  m_line += std::count(m_buffer.begin() + static_cast<std::ptrdiff_t>(counted),
                       m_buffer.begin() + static_cast<std::ptrdiff_t>(end), '\n');

  m_buffer.erase(0, end);
  m_scanned -= std::min(m_scanned, end);
  m_lineEnd = 0;
  return true;
}
