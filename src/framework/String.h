// CString: an 8-bit text with value semantics and printf-style formatting.
#pragma once

#include <windows.h>

#include <string>

// Lets GCC check Format's arguments against its format string, as it does printf's.
#if defined(__GNUC__)
#define CHROMIVO_PRINTF_FORMAT(formatIndex, firstArgument) \
  __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define CHROMIVO_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

class CString {
 public:
  CString() = default;
  CString(LPCSTR text) : m_text(text ? text : "") {}  // NOLINT: converts like the classic class

  int GetLength() const { return static_cast<int>(m_text.size()); }
  BOOL IsEmpty() const { return m_text.empty(); }
  operator LPCSTR() const { return m_text.c_str(); }

  // Formats like printf; the result is as long as it needs to be.
  void Format(LPCSTR format, ...) CHROMIVO_PRINTF_FORMAT(2, 3);

  friend bool operator==(const CString& left, const CString& right) = default;

 private:
  std::string m_text;
};
