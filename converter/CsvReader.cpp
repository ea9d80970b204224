#include "CsvReader.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <string>
#include <string_view>

#include "platform/base/BoolConstants.h"
#include "platform/base/Exceptions.h"
#include "platform/fs/File.h"
#include "platform/text/Sj.h"
#include "platform/ui/UserInterface.h"

namespace {

const char* const kOutOfMemory = "メモリ不足です"_sj;
const char* const kReadFailed = "ファイルの読み込みができませんでした"_sj;
const char* const kBadFormat =
    "テキストファイルの形式が正しくありません。\nファイルの読み込みを中止します。"_sj;

enum class Outcome { ok, badFormat, tooManyFields };

// One pass over the buffer. Bytes that need no decision are copied into
// the field in runs; the decisions are made only at quotes, CRs and
// separators (a lone LF is ordinary text).
class CsvParser {
 public:
  CsvParser(const char* bytes, std::size_t count, char separator, std::size_t keptFields)
      : m_bytes(bytes),
        m_count(count),
        m_separator(separator),
        m_keptFields(keptFields > 0 ? keptFields : CCsvReader::kMaxFields + 1) {}

  Outcome Run(bool allLines) {
    bool inQuotes = false;
    std::size_t pos = 0;
    while (pos < m_count) {
      if (!m_row) {
        m_row = std::make_unique<CStringArray>();
        m_row->items().reserve(m_lastRowSize);  // rows tend to be alike: one allocation
        rowStarts.push_back(pos);
      }

      const std::size_t start = pos;
      while (pos < m_count && !IsSpecial(m_bytes[pos], inQuotes)) ++pos;
      m_field.append(m_bytes + start, pos - start);
      if (pos == m_count) break;

      const char c = m_bytes[pos++];
      if (c == '"') {
        if (!inQuotes) {
          inQuotes = true;  // wherever it stands, also mid-field
        } else if (pos < m_count && m_bytes[pos] == '"') {
          m_field += '"';
          ++pos;
        } else {
          inQuotes = false;
          if (!ClosingQuoteAccepted(pos)) return Outcome::badFormat;
        }
      } else if (c == '\r') {
        if (pos < m_count && m_bytes[pos] == '\n') {
          ++pos;
          if (inQuotes) {
            m_field += "\r\n";
          } else {
            if (!EndRow()) return Outcome::tooManyFields;
            if (!allLines) return Outcome::ok;
          }
        } else {
          m_field += '\r';  // a lone CR is text
        }
      } else if (!EndField()) {  // the separator, outside quotes
        return Outcome::tooManyFields;
      }
    }
    if (m_row && !EndRow()) return Outcome::tooManyFields;  // bytes followed the last CR LF
    return inQuotes ? Outcome::badFormat : Outcome::ok;
  }

  CsvRows rows;
  std::vector<std::size_t> rowStarts;
  unsigned long long skippedFields = 0;

 private:
  bool IsSpecial(char c, bool inQuotes) const {
    return c == '"' || c == '\r' || (c == m_separator && !inQuotes);
  }

  // `next` is the position after the closing quote. The end of the data,
  // the separator or CR may follow it, or anything whose next byte is LF.
  // Past the end there is only the terminating zero, never an LF.
  bool ClosingQuoteAccepted(std::size_t next) const {
    if (next >= m_count) return true;
    if (m_bytes[next] == m_separator || m_bytes[next] == '\r') return true;
    return next + 1 < m_count && m_bytes[next + 1] == '\n';
  }

  // The field is copied, not moved, so that its buffer is reused. Fields
  // beyond the kept ones are only counted.
  bool EndField() {
    if (m_row->items().size() >= m_keptFields) {
      ++skippedFields;
    } else {
      if (++m_fields > CCsvReader::kMaxFields) return false;
      m_row->items().emplace_back(std::string_view(m_field));
    }
    m_field.clear();
    return true;
  }

  bool EndRow() {
    if (!EndField()) return false;
    m_lastRowSize = m_row->items().size();
    rows.push_back(std::move(m_row));
    return true;
  }

  const char* m_bytes;
  std::size_t m_count;
  char m_separator;
  std::size_t m_keptFields;
  std::unique_ptr<CStringArray> m_row;
  std::string m_field;
  std::size_t m_fields = 0;
  std::size_t m_lastRowSize = 0;
};

// Reads exactly `count` bytes; false when the file ends before.
bool ReadAll(CFile& file, char* buffer, std::size_t count) {
  constexpr std::size_t kChunk = std::size_t{1} << 30;  // CFile::Read takes a UINT
  std::size_t done = 0;
  while (done < count) {
    const UINT got = file.Read(buffer + done, static_cast<UINT>(std::min(count - done, kChunk)));
    if (got == 0) return false;
    done += got;
  }
  return true;
}

}  // namespace

CCsvReader::CCsvReader(const CString& path, char separator)
    : m_strPath(path), m_cSeparator(separator) {}

long long CCsvReader::ReadFile(CsvRows& rows) {
  std::vector<char> buffer;
  std::size_t count = 0;
  try {
    CFile file;
    CFileException error;
    if (!file.Open(m_strPath, CFile::modeRead | CFile::shareDenyWrite, &error)) {
      error.ReportError();
      return 0;
    }
    const ULONGLONG length = file.GetLength();
    if (length == 0) return 0;
    if (length >= buffer.max_size()) {
      AfxMessageBox(kOutOfMemory);
      return 0;
    }
    count = static_cast<std::size_t>(length);
    try {
      buffer.resize(count + 1);  // zero-filled: the data is followed by a zero byte
    } catch (const std::bad_alloc&) {
      AfxMessageBox(kOutOfMemory);
      return 0;
    }
    if (!ReadAll(file, buffer.data(), count)) {
      AfxMessageBox(kReadFailed);
      return 0;
    }
    file.Close();
  } catch (const CFileException& e) {
    e.ReportError();
    return 0;
  }

  CsvRows parsed;
  if (!Parse(parsed, buffer.data(), count, TRUE)) return 0;
  std::vector<char>().swap(buffer);
  try {
    if (!Pad(parsed)) {
      AfxMessageBox(kOutOfMemory);
      return 0;
    }
    rows.insert(rows.end(), std::make_move_iterator(parsed.begin()),
                std::make_move_iterator(parsed.end()));
  } catch (const std::bad_alloc&) {
    AfxMessageBox(kOutOfMemory);
    return 0;
  }
  return static_cast<long long>(count);
}

BOOL CCsvReader::Parse(CsvRows& rows, const char* bytes, std::size_t count, BOOL allLines,
                       std::vector<std::size_t>* rowStarts) {
  if (!bytes) count = 0;
  try {
    CsvParser parser(bytes, count, m_cSeparator, m_nKeptFields);
    switch (parser.Run(allLines != FALSE)) {
      case Outcome::ok:
        if (rowStarts)
          rowStarts->insert(
              rowStarts->end(), parser.rowStarts.begin(),
              parser.rowStarts.begin() + static_cast<std::ptrdiff_t>(parser.rows.size()));
        rows.insert(rows.end(), std::make_move_iterator(parser.rows.begin()),
                    std::make_move_iterator(parser.rows.end()));
        m_nSkippedFields += parser.skippedFields;
        return TRUE;
      case Outcome::badFormat: AfxMessageBox(kBadFormat, MB_OK); return FALSE;
      case Outcome::tooManyFields: break;
    }
  } catch (const std::bad_alloc&) {
  }
  AfxMessageBox(kOutOfMemory);
  return FALSE;
}

BOOL CCsvReader::Pad(CsvRows& rows) {
  std::size_t longest = 0;
  for (const auto& row : rows)
    if (row) longest = std::max(longest, row->items().size());
  if (!rows.empty() && longest > kMaxFields / rows.size()) return FALSE;
  for (auto& row : rows)
    if (row) row->items().resize(longest);
  return TRUE;
}
