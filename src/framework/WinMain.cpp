// The process entry of a framework program. Kept apart so that test programs, which bring their
// own main, do not pull it in.
#include <cstdlib>

#include "framework/SystemLibraries.h"
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AfxLoadDllsFromSystemFolderOnly();
  return AfxWinMain();
}

// A window program has no console for the runtime's verbose terminate handler to print to; this
// one ends the process the same way without it, and keeps its name demangler (about 45 KiB) out
// of the executable.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
