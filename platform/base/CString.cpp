#include "platform/base/CString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

template <typename Fn>
void ForEachSingleByte(std::string& s, Fn fn) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (vext::IsLeadByte(static_cast<unsigned char>(s[i]))) {
      ++i;
      continue;
    }
    s[i] = fn(s[i]);
  }
}

int ToInt(std::size_t pos) { return pos == std::string::npos ? -1 : static_cast<int>(pos); }

}  // namespace

int CString::Compare(const char* other) const { return m_str.compare(other ? other : ""); }

int CString::CompareNoCase(const char* other) const {
  return vext::ToLowerCp932(m_str).compare(vext::ToLowerCp932(other ? other : ""));
}

int CString::Find(char ch, int start) const { return Find(std::string(1, ch).c_str(), start); }

int CString::Find(const char* sub, int start) const {
  if (!sub || start < 0) return -1;
  return ToInt(vext::FindOnBoundary(m_str, sub, static_cast<std::size_t>(start)));
}

int CString::ReverseFind(char ch) const {
  int found = -1;
  for (std::size_t i = 0; i < m_str.size(); ++i) {
    if (vext::IsLeadByte(static_cast<unsigned char>(m_str[i]))) {
      ++i;
      continue;
    }
    if (m_str[i] == ch) found = static_cast<int>(i);
  }
  return found;
}

int CString::FindOneOf(const char* chars) const {
  if (!chars) return -1;
  for (std::size_t i = 0; i < m_str.size(); ++i) {
    if (vext::IsLeadByte(static_cast<unsigned char>(m_str[i]))) {
      ++i;
      continue;
    }
    if (m_str[i] != '\0' && std::strchr(chars, m_str[i])) return static_cast<int>(i);
  }
  return -1;
}

CString CString::Left(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CString(m_str.substr(0, static_cast<std::size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = std::clamp(first, 0, GetLength());
  count = std::clamp(count, 0, GetLength() - first);
  return CString(m_str.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Right(int count) const {
  count = std::clamp(count, 0, GetLength());
  return CString(m_str.substr(m_str.size() - static_cast<std::size_t>(count)));
}

void CString::MakeUpper() { m_str = vext::ToUpperCp932(m_str); }
void CString::MakeLower() { m_str = vext::ToLowerCp932(m_str); }

int CString::Replace(const char* oldText, const char* newText) {
  if (!oldText || !*oldText) return 0;
  const std::string_view from(oldText);
  const std::string_view to(newText ? newText : "");
  std::string result;
  int count = 0;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t hit = vext::FindOnBoundary(m_str, from, pos);
    if (hit == std::string::npos) break;
    result.append(m_str, pos, hit - pos).append(to);
    pos = hit + from.size();
    ++count;
  }
  if (count == 0) return 0;
  result.append(m_str, pos, std::string::npos);
  m_str = std::move(result);
  return count;
}

int CString::Replace(char oldCh, char newCh) {
  int count = 0;
  ForEachSingleByte(m_str, [&](char c) {
    if (c != oldCh) return c;
    ++count;
    return newCh;
  });
  return count;
}

void CString::TrimLeft() {
  std::size_t i = 0;
  while (i < m_str.size() && std::strchr(" \t\r\n", m_str[i]) && m_str[i] != '\0') ++i;
  m_str.erase(0, i);
}

void CString::TrimRight() {
  std::size_t n = m_str.size();
  while (n > 0 && m_str[n - 1] != '\0' && std::strchr(" \t\r\n", m_str[n - 1])) --n;
  m_str.resize(n);
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (needed < 0) {
    va_end(again);
    m_str.clear();
    return;
  }
  std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, again);
  va_end(again);
  m_str.assign(buffer.data(), static_cast<std::size_t>(needed));
}
