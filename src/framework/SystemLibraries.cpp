#include "framework/SystemLibraries.h"

#include <delayimp.h>

// "Dynamic-link library search order": a DLL that is not one of Windows' known DLLs is looked for
// in the program's own folder first. SetDefaultDllDirectories takes that folder out of every
// search the process makes, the system DLLs' own included; Windows 7 has it only with KB2533623.
void AfxLoadDllsFromSystemFolderOnly() {
  const auto setDefaultDllDirectories =
      AfxSystemFunction<BOOL(WINAPI*)(DWORD)>("kernel32.dll", "SetDefaultDllDirectories");
  if (setDefaultDllDirectories != nullptr) {
    setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
}

// By its full path, so that no search is made at all, wherever SetDefaultDllDirectories is missing.
HMODULE AfxLoadSystemLibrary(LPCSTR name) {
  char path[MAX_PATH] = {};
  const UINT folderLength = ::GetSystemDirectoryA(path, MAX_PATH);
  const size_t nameLength = static_cast<size_t>(::lstrlenA(name));
  if (folderLength == 0 || folderLength + 1 + nameLength >= MAX_PATH) {
    return nullptr;
  }
  path[folderLength] = '\\';
  lstrcpynA(path + folderLength + 1, name, static_cast<int>(MAX_PATH - folderLength - 1));
  return ::LoadLibraryA(path);
}

namespace {

// The delay-load helper asks here before it loads a DLL by its bare name.
FARPROC WINAPI LoadDelayedDllFromSystemFolder(unsigned notification, PDelayLoadInfo info) {
  if (notification != dliNotePreLoadLibrary) {
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(AfxLoadSystemLibrary(info->szDll));
}

}  // namespace

// Defined in this file, which the process entry always links, so that it replaces the runtime's
// empty hook. Microsoft's delayimp.h declares it const.
extern "C" {
#ifdef _MSC_VER
const PfnDliHook __pfnDliNotifyHook2 = LoadDelayedDllFromSystemFolder;
#else
PfnDliHook __pfnDliNotifyHook2 = LoadDelayedDllFromSystemFolder;
#endif
}
