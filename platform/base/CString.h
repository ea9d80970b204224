// CString: a byte string of code page 932 text with value semantics.
//
// Lengths and positions are in bytes. Searching and case changes respect
// the double-byte characters of code page 932: a search only starts on a
// character boundary, and only single-byte ASCII letters change case.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/AfxTypes.h"
#include "platform/text/Cp932Rules.h"

class AFX_API CString {
 public:
  CString() = default;
  CString(const char* text) : m_str(text ? text : "") {}
  CString(const char* bytes, int length) : m_str(bytes, length > 0 ? length : 0) {}
  CString(char ch, int repeat = 1) : m_str(repeat > 0 ? repeat : 0, ch) {}
  explicit CString(std::string bytes) : m_str(std::move(bytes)) {}
  explicit CString(std::string_view bytes) : m_str(bytes) {}

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }

  char GetAt(int index) const { return m_str.at(static_cast<size_t>(index)); }
  void SetAt(int index, char ch) { m_str.at(static_cast<size_t>(index)) = ch; }
  char operator[](int index) const { return GetAt(index); }

  operator const char*() const { return m_str.c_str(); }
  const char* c_str() const { return m_str.c_str(); }
  const std::string& str() const { return m_str; }
  std::string& str() { return m_str; }
  std::string_view view() const { return m_str; }

  CString& operator=(const char* text) {
    m_str = text ? text : "";
    return *this;
  }
  CString& operator+=(const CString& other) {
    m_str += other.m_str;
    return *this;
  }
  CString& operator+=(const char* text) {
    if (text) m_str += text;
    return *this;
  }
  CString& operator+=(char ch) {
    m_str += ch;
    return *this;
  }

  friend CString operator+(CString a, const CString& b) {
    a += b;
    return a;
  }
  friend CString operator+(CString a, const char* b) {
    a += b;
    return a;
  }
  friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }
  friend CString operator+(CString a, char b) {
    a += b;
    return a;
  }

  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

  // Byte-wise comparison: <0, 0 or >0.
  int Compare(const char* other) const;
  // Comparison with ASCII letters folded to the same case.
  int CompareNoCase(const char* other) const;

  // First occurrence at or after `start` that begins on a character
  // boundary, or -1.
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  // Last single-byte character `ch` that stands on a character boundary.
  int ReverseFind(char ch) const;
  // First character that is one of `chars` (single-byte set), or -1.
  int FindOneOf(const char* chars) const;

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  void MakeUpper();
  void MakeLower();
  // Replaces every non-overlapping occurrence; returns how many.
  int Replace(const char* oldText, const char* newText);
  int Replace(char oldCh, char newCh);

  void TrimLeft();
  void TrimRight();

  // printf-style formatting; %s takes const char* (the bytes are copied).
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  std::string m_str;
};
