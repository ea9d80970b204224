#include "CsvWriter.h"
#include "platform/base/BoolConstants.h"

#include <algorithm>

namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 20;
constexpr std::size_t kWriteChunk = std::size_t{1} << 30;  // CFile::Write takes a UINT

void WriteAll(CFile& file, std::string_view text) {
  while (!text.empty()) {
    const std::size_t chunk = std::min(text.size(), kWriteChunk);
    file.Write(text.data(), static_cast<UINT>(chunk));
    text.remove_prefix(chunk);
  }
}

// Appends the field as it stands in the file (see EncodeCsvField). Only
// fields that need quotes take the slow path.
void AppendEncoded(std::string& out, std::string_view field, char separator) {
  const bool quote = field.find_first_of("\"\n") != std::string_view::npos ||
                     field.find(separator) != std::string_view::npos;
  if (!quote && field.find('\r') == std::string_view::npos) {
    out += field;
    return;
  }
  if (quote) out += '"';
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '\r' && i + 1 < field.size() && field[i + 1] == '\n') continue;  // CR LF -> LF
    if (c == '"') out += '"';
    out += c;
  }
  if (quote) out += '"';
}

}  // namespace

CString EncodeCsvField(const CString& field, char separator) {
  std::string out;
  AppendEncoded(out, field.view(), separator);
  return CString(std::move(out));
}

void AppendCsvLine(std::string& out, const CString* fields, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    AppendEncoded(out, fields[i].view(), ',');
  }
  out += "\r\n";
}

CsvFileWriter::CsvFileWriter(const CString& path) : m_path(path) {
  try {
    m_file = std::make_unique<CFile>(path, CFile::modeCreate | CFile::modeWrite);
  } catch (const CFileException& e) {
    Fail(e);
  }
}

CsvFileWriter::~CsvFileWriter() {
  if (!m_file) return;
  try {
    m_file->Abort();
  } catch (...) {
    // The temporary file goes with the CFile; the old file is untouched.
  }
}

bool CsvFileWriter::Append(std::string_view text) {
  if (!m_file) return false;
  if (m_pending.size() + text.size() < kFlushSize) {
    m_pending += text;
    return true;
  }
  // A large piece goes straight to the file instead of through the buffer.
  if (!Flush()) return false;
  try {
    WriteAll(*m_file, text);
    return true;
  } catch (const CFileException& e) {
    return Fail(e);
  }
}

bool CsvFileWriter::Flush() {
  if (!m_file) return false;
  try {
    WriteAll(*m_file, m_pending);
    m_pending.clear();
    return true;
  } catch (const CFileException& e) {
    return Fail(e);
  }
}

bool CsvFileWriter::Commit() {
  if (!Flush()) return false;
  try {
    m_file->Close();  // renames the finished file over the old one
    m_file.reset();
    return true;
  } catch (const CFileException& e) {
    return Fail(e);
  }
}

bool CsvFileWriter::Fail(const CFileException& error) {
  error.ReportError();
  m_failed = true;
  m_pending.clear();
  if (m_file) {
    try {
      m_file->Abort();
    } catch (...) {
    }
    m_file.reset();
  }
  return false;
}

BOOL WritePhoneBook(const CString& path, std::string_view text) {
  CsvFileWriter writer(path);
  writer.Append(text);
  return writer.Commit() ? TRUE : FALSE;
}
