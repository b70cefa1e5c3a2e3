// The command line that opens an address with the program associated with ".htm" files, for when
// the shell cannot open the address itself.
#pragma once

#include <cstddef>

// Room for the command line, as the registry fallback builds it.
constexpr std::size_t kOpenCommandLineSize = 520;

// The association's command up to its placeholder ("%1" in quotes, else a bare %1, first
// occurrence; with neither, the whole command), then a space and the unquoted address.
// Arguments after the placeholder are dropped. Returns false, leaving commandLine empty, when the
// result would not fit in commandLineSize bytes with its NUL.
bool BuildOpenCommandLine(const char* association, const char* address, char* commandLine,
                          std::size_t commandLineSize);
