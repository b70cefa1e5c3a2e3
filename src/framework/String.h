// CString: an 8-bit text with value semantics and printf-style formatting.
#pragma once

#include <windows.h>

#include <string>

class CString {
 public:
  CString() = default;
  CString(LPCSTR text) : m_text(text ? text : "") {}  // NOLINT: converts like the classic class

  int GetLength() const { return static_cast<int>(m_text.size()); }
  BOOL IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  operator LPCSTR() const { return m_text.c_str(); }

  char GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
  void SetAt(int index, char ch) { m_text.at(static_cast<size_t>(index)) = ch; }
  void MakeUpper();

  // Formats like printf; the result is as long as it needs to be.
  void Format(LPCSTR format, ...) __attribute__((format(printf, 2, 3)));

  CString& operator+=(const CString& other);
  friend CString operator+(const CString& left, const CString& right);
  friend bool operator==(const CString& left, const CString& right) = default;

 private:
  std::string m_text;
};
