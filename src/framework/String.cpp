#include "framework/String.h"

#include <cstdarg>
#include <cstdio>

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
