#include "platform/system/detail/RegFile.h"

#include <vector>

#include "platform/base/CString.h"
#include "platform/text/Cp932.h"
#include "platform/text/Cp932Rules.h"
#include "platform/text/Unicode.h"

namespace vext::registry::detail {
namespace {

constexpr std::string_view kClassesRoot = "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES";

// A lone surrogate becomes U+FFFD: it has no CP932 form, so whatever holds
// it becomes unreadable instead of silently changed.
std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i + 1 < bytes.size();) {
    char32_t cp = unicode::kReplacement;
    const int n = unicode::DecodeUtf16Le(bytes.substr(i), cp);
    unicode::AppendUtf8(out, n > 0 ? cp : unicode::kReplacement);
    i += n > 0 ? static_cast<std::size_t>(n) : 2;
  }
  return out;
}

// The file's text as UTF-8; nullopt for an encoding we do not read.
std::optional<std::string> DecodeFile(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return Utf16LeToUtf8(bytes.substr(2));
  if (bytes.starts_with("\xFE\xFF")) return std::nullopt;  // UTF-16BE: never written by regedit
  return std::string(bytes);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

void SkipBlanks(std::string_view& s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
}

bool ConsumeNoCase(std::string_view& s, std::string_view prefix) {
  if (s.size() < prefix.size() || ToUpperCp932(s.substr(0, prefix.size())) != prefix) return false;
  s.remove_prefix(prefix.size());
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to 8 hex digits, consumed.
std::optional<DWORD> ParseHexNumber(std::string_view& s) {
  DWORD value = 0;
  std::size_t digits = 0;
  while (!s.empty() && HexDigit(s.front()) >= 0) {
    if (++digits > 8) return std::nullopt;
    value = value << 4 | static_cast<DWORD>(HexDigit(s.front()));
    s.remove_prefix(1);
  }
  if (digits == 0) return std::nullopt;
  return value;
}

// A quoted string with the \\ and \" escapes; any other backslash stays as
// written, as hand-written files often hold plain Windows paths.
std::optional<std::string> ParseQuoted(std::string_view& s) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      s.remove_prefix(i + 1);
      return out;
    }
    if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
    out += s[i];
  }
  return std::nullopt;  // unterminated
}

// Comma-separated byte pairs such as "25,00,53,00"; a trailing comma is
// tolerated (it is what a joined continuation line can leave).
std::optional<std::string> ParseHexBytes(std::string_view s) {
  std::string bytes;
  SkipBlanks(s);
  while (!s.empty()) {
    const int high = HexDigit(s.front());
    if (high < 0) return std::nullopt;
    s.remove_prefix(1);
    int value = high;
    if (!s.empty() && HexDigit(s.front()) >= 0) {
      value = value << 4 | HexDigit(s.front());
      s.remove_prefix(1);
    }
    bytes += static_cast<char>(value);
    SkipBlanks(s);
    if (s.empty()) break;
    if (s.front() != ',') return std::nullopt;
    s.remove_prefix(1);
    SkipBlanks(s);
  }
  return bytes;
}

std::string CutAtNul(std::string text) {
  if (const std::size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

// Text stored as bytes: UTF-16LE in version 5 files, the ANSI code page
// (CP932) in REGEDIT4 files; it ends at its first terminator.
std::optional<std::string> TextFromBytes(std::string bytes, bool unicode) {
  if (!unicode) return CutAtNul(std::move(bytes));
  std::size_t end = 0;
  while (end + 1 < bytes.size() && !(bytes[end] == '\0' && bytes[end + 1] == '\0')) end += 2;
  bytes.resize(std::min(end, bytes.size() & ~std::size_t{1}));
  return Utf16LeToCp932(bytes);
}

std::optional<Value> ValueFromHex(DWORD type, std::string bytes, bool unicode) {
  Value value;
  switch (type) {
    case 1:  // REG_SZ
    case 2:  // REG_EXPAND_SZ
      value.type = type == 1 ? ValueType::String : ValueType::ExpandString;
      value.text = TextFromBytes(std::move(bytes), unicode);
      return value;
    case 4:  // REG_DWORD, little-endian
      if (bytes.size() != 4) return value;
      value.type = ValueType::Dword;
      for (int i = 3; i >= 0; --i)
        value.dword = value.dword << 8 | static_cast<unsigned char>(bytes[i]);
      return value;
    default:  // binary, multi-string and the rest: present but not readable here
      return value;
  }
}

// The data after '=': nullopt when malformed.
std::optional<Value> ParseData(std::string_view s, bool unicode) {
  Value value;
  if (s.starts_with('"')) {
    std::optional<std::string> text = ParseQuoted(s);
    if (!text || !TrimBlanks(s).empty()) return std::nullopt;
    value.type = ValueType::String;
    if (std::optional<std::string> cp932 = Utf8ToCp932(*text))
      value.text = CutAtNul(std::move(*cp932));
    return value;
  }
  if (ConsumeNoCase(s, "DWORD:")) {
    std::optional<DWORD> number = ParseHexNumber(s);
    if (!number || !TrimBlanks(s).empty()) return std::nullopt;
    value.type = ValueType::Dword;
    value.dword = *number;
    return value;
  }
  if (ConsumeNoCase(s, "HEX")) {
    DWORD type = 3;  // plain "hex:" is REG_BINARY
    if (s.starts_with('(')) {
      s.remove_prefix(1);
      std::optional<DWORD> number = ParseHexNumber(s);
      if (!number || !s.starts_with(')')) return std::nullopt;
      s.remove_prefix(1);
      type = *number;
    }
    if (!s.starts_with(':')) return std::nullopt;
    std::optional<std::string> bytes = ParseHexBytes(s.substr(1));
    if (!bytes) return std::nullopt;
    return ValueFromHex(type, std::move(*bytes), unicode);
  }
  return std::nullopt;
}

// One file's lines, continuation lines (a trailing '\') joined.
std::vector<std::string> JoinedLines(std::string_view text) {
  std::vector<std::string> lines;
  bool continuing = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    line = TrimBlanks(line);
    if (continuing) {
      lines.back().append(line);
    } else {
      lines.emplace_back(line);
    }
    const std::string& current = lines.back();
    continuing = !current.empty() && current.back() == '\\' && current.front() != ';' &&
                 current.front() != '[';
    if (continuing) lines.back().pop_back();
  }
  return lines;
}

class Reader {
 public:
  Reader(Store& store, bool unicode) : m_store(store), m_unicode(unicode) {}

  void Line(std::string_view line) {
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') {
      KeyLine(line);
    } else if (m_key) {
      ValueLine(line);
    }
  }

 private:
  void KeyLine(std::string_view line) {
    m_key.reset();
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) return;
    std::string_view name = line.substr(1, close - 1);
    const bool remove = name.starts_with('-');
    if (remove) name.remove_prefix(1);
    std::optional<std::string> cp932 = Utf8ToCp932(name);
    if (!cp932) return;
    std::optional<std::string> key = CanonicalKeyName(*cp932);
    if (!key) return;
    if (remove) {
      m_store.DeleteKey(*key);
    } else {
      m_store.AddKey(*key);
      m_key = std::move(key);
    }
  }

  void ValueLine(std::string_view line) {
    std::optional<std::string> name;
    if (line.starts_with('@')) {
      name.emplace();
      line.remove_prefix(1);
    } else {
      name = ParseQuoted(line);
    }
    if (!name) return;
    SkipBlanks(line);
    if (!line.starts_with('=')) return;
    line.remove_prefix(1);
    line = TrimBlanks(line);
    std::optional<std::string> cp932Name = Utf8ToCp932(*name);
    if (!cp932Name) return;
    const std::string valueName = ToUpperCp932(*cp932Name);
    if (line == "-") {
      m_store.DeleteValue(*m_key, valueName);
    } else if (std::optional<Value> value = ParseData(line, m_unicode)) {
      m_store.SetValue(*m_key, valueName, std::move(*value));
    }
  }

  Store& m_store;
  bool m_unicode;
  std::optional<std::string> m_key;  // none before the first key and after a deletion
};

}  // namespace

std::optional<std::string> CanonicalKeyName(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      parts.push_back(path.substr(start, i - start));
      start = i + 1;
    } else if (IsLeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;  // its second byte may be '\'
      if (i == path.size()) return std::nullopt;
    }
  }
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();

  const std::string hive = ToUpperCp932(parts.front());
  std::string key;
  if (hive == "HKEY_LOCAL_MACHINE" || hive == "HKLM") {
    key = "HKEY_LOCAL_MACHINE";
  } else if (hive == "HKEY_CURRENT_USER" || hive == "HKCU") {
    key = "HKEY_CURRENT_USER";
  } else if (hive == "HKEY_CLASSES_ROOT" || hive == "HKCR") {
    key = kClassesRoot;
  } else {
    return std::nullopt;
  }
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].empty()) return std::nullopt;
    key += '\\';
    key += ToUpperCp932(parts[i]);
  }
  return key;
}

Store::Store() {
  AddKey("HKEY_CURRENT_USER");
  AddKey(std::string(kClassesRoot));
}

void Store::AddKey(const std::string& key) {
  // Every '\' in a canonical name separates components.
  for (std::size_t slash = key.find('\\'); slash != std::string::npos;
       slash = key.find('\\', slash + 1))
    m_keys.try_emplace(key.substr(0, slash));
  m_keys.try_emplace(key);
}

void Store::DeleteKey(const std::string& key) {
  m_keys.erase(key);
  // Not a plain range from `key`: "A B" sorts between "A" and "A\B".
  const std::string below = key + '\\';
  for (auto it = m_keys.lower_bound(below); it != m_keys.end() && it->first.starts_with(below);)
    it = m_keys.erase(it);
  // The hives themselves cannot be deleted, only emptied.
  AddKey("HKEY_CURRENT_USER");
  AddKey(std::string(kClassesRoot));
}

void Store::SetValue(const std::string& key, const std::string& name, Value value) {
  AddKey(key);
  m_keys[key].insert_or_assign(name, std::move(value));
}

void Store::DeleteValue(const std::string& key, const std::string& name) {
  if (auto it = m_keys.find(key); it != m_keys.end()) it->second.erase(name);
}

const Values* Store::Find(const std::string& key) const {
  auto it = m_keys.find(key);
  return it == m_keys.end() ? nullptr : &it->second;
}

bool ApplyRegFile(std::string_view bytes, Store& store) {
  const std::optional<std::string> text = DecodeFile(bytes);
  if (!text) return false;
  const std::vector<std::string> lines = JoinedLines(*text);
  std::size_t first = 0;
  while (first < lines.size() && lines[first].empty()) ++first;
  if (first == lines.size()) return false;
  bool unicode;
  if (lines[first] == "Windows Registry Editor Version 5.00") {
    unicode = true;
  } else if (lines[first] == "REGEDIT4") {
    unicode = false;
  } else {
    return false;
  }
  Reader reader(store, unicode);
  for (std::size_t i = first + 1; i < lines.size(); ++i) reader.Line(lines[i]);
  return true;
}

}  // namespace vext::registry::detail
