#include "RecordParser.h"

#include <cstring>

namespace vext::recconv {

namespace {

void AddField(std::vector<CString>& fields, const char* begin, const char* end) {
  // A closing quote may be the field's own opening one ("" CR LF): empty.
  fields.emplace_back(begin, end > begin ? static_cast<int>(end - begin) : 0);
}

std::size_t ParseQuoted(const char* p, std::size_t left, std::vector<CString>& fields) {
  if (left == 0 || p[0] != '"') return 0;
  std::size_t start = 1;  // the field's first byte, after its opening quote
  std::size_t i = 1;
  while (i < left) {
    const char c = p[i];
    if (c == ',') {
      if (p[i - 1] == '"' && i + 1 < left && p[i + 1] == '"') {
        AddField(fields, p + start, p + i - 1);
        start = i + 2;
        i += 2;
        continue;
      }
    } else if (c == '\r') {
      if (p[i - 1] == '"' && i + 1 < left && p[i + 1] == '\n') {
        AddField(fields, p + start, p + i - 1);
        return i + 2;
      }
      // Taken into the field with the byte after it, unexamined.
      i += 2;
      continue;
    }
    ++i;
  }
  // The data ended inside the record: its last field runs to the end, less
  // a closing quote.
  std::size_t end = left;
  if (end > start && p[end - 1] == '"') --end;
  AddField(fields, p + start, p + end);
  return left;
}

std::size_t ParsePlain(const char* p, std::size_t left, std::vector<CString>& fields) {
  if (left == 0) return 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < left; ++i) {
    if (p[i] == '\t') {
      AddField(fields, p + start, p + i);
      start = i + 1;
    } else if (p[i] == '\r') {
      AddField(fields, p + start, p + i);
      return i + 2 < left ? i + 2 : left;
    }
  }
  AddField(fields, p + start, p + left);
  return left;
}

}  // namespace

std::size_t ParseRecord(const char* record, std::size_t left, bool quoted,
                        std::vector<CString>& fields) {
  return quoted ? ParseQuoted(record, left, fields) : ParsePlain(record, left, fields);
}

}  // namespace vext::recconv
