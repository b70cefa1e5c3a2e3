#include "framework/String.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>

void CString::MakeUpper() {
  for (char& ch : m_text) {
    ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  }
}

void CString::Format(LPCSTR format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  // The system C runtime's formatting, not MinGW's own (which brings floating-point code the
  // program never uses).
  const int length = _vscprintf(format, measure);
  va_end(measure);
  if (length < 0) {
    m_text.clear();
  } else {
    std::string text(static_cast<size_t>(length) + 1, '\0');
    _vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<size_t>(length));
    m_text = std::move(text);
  }
  va_end(args);
}

CString& CString::operator+=(const CString& other) {
  m_text += other.m_text;
  return *this;
}

CString operator+(const CString& left, const CString& right) {
  CString result = left;
  result += right;
  return result;
}
