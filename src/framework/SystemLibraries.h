// DLLs from the system folder only. The program may be unpacked into a folder that holds anything
// (a downloads folder): a DLL there named like a system DLL must never be loaded.
#pragma once

#include <windows.h>

// Restricts the process's DLL search to the system folder. The first thing the process does.
void AfxLoadDllsFromSystemFolderOnly();

// Loads the DLL of that name from the system folder by its full path; null when it is not there.
HMODULE AfxLoadSystemLibrary(LPCSTR name);

// A function of a system DLL the process has loaded (kernel32, user32), looked up by name where
// the Windows it runs on has it; null where it is newer than that Windows.
template <typename Function>
Function AfxSystemFunction(LPCSTR module, LPCSTR name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(module), name)));
}

// Holds a DLL loaded for as long as it lives.
class CLibrary {
 public:
  explicit CLibrary(HMODULE module) : m_module(module) {}
  ~CLibrary() {
    if (m_module != nullptr) {
      ::FreeLibrary(m_module);
    }
  }
  CLibrary(const CLibrary&) = delete;
  CLibrary& operator=(const CLibrary&) = delete;

  bool IsLoaded() const { return m_module != nullptr; }

 private:
  HMODULE m_module;
};
