#include "controls/OpenCommand.h"

#include <mbstring.h>

#include <cstring>

namespace {

// Multibyte-aware, so that a trail byte of an ANSI double-byte character is never taken for '%'.
const char* FindText(const char* text, const char* what) {
  return reinterpret_cast<const char*>(_mbsstr(reinterpret_cast<const unsigned char*>(text),
                                               reinterpret_cast<const unsigned char*>(what)));
}

}  // namespace

bool BuildOpenCommandLine(const char* association, const char* address, char* commandLine,
                          std::size_t commandLineSize) {
  if (commandLineSize == 0) {
    return false;
  }
  commandLine[0] = '\0';
  const char* cut = FindText(association, "\"%1\"");
  if (cut == nullptr) {
    cut = FindText(association, "%1");
  }
  const std::size_t commandLength =
      cut != nullptr ? static_cast<std::size_t>(cut - association) : std::strlen(association);
  const std::size_t addressLength = std::strlen(address);
  if (commandLength + 1 + addressLength + 1 > commandLineSize) {
    return false;
  }
  std::memcpy(commandLine, association, commandLength);
  commandLine[commandLength] = ' ';
  std::memcpy(commandLine + commandLength + 1, address, addressLength + 1);
  return true;
}
