// A DLL planted beside a copy of Chromivo.exe, as a downloads folder may hold one: built under the
// name of a system DLL the program loads, it leaves "<its name>.loaded" beside itself when it is
// loaded, and exports what the program calls in the DLL it stands for (all of them do nothing).
#define WIN32_LEAN_AND_MEAN  // the exports below are declared here, not by the SDK
#include <windows.h>

namespace {

void LeaveMark(HMODULE self) {
  char path[MAX_PATH + 8] = {};
  const DWORD length = ::GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return;
  }
  lstrcpynA(path + length, ".loaded", 8);
  const HANDLE mark =
      ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mark != INVALID_HANDLE_VALUE) {
    ::CloseHandle(mark);
  }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    LeaveMark(self);
  }
  return TRUE;
}

// dwmapi
extern "C" __declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
  *enabled = FALSE;
  return S_OK;
}
extern "C" __declspec(dllexport) HRESULT WINAPI DwmFlush() {
  return S_OK;
}
extern "C" __declspec(dllexport) HRESULT WINAPI DwmSetWindowAttribute(HWND, DWORD, LPCVOID, DWORD) {
  return E_NOTIMPL;
}
extern "C" __declspec(dllexport) HRESULT WINAPI DwmGetCompositionTimingInfo(HWND, void*) {
  return E_NOTIMPL;
}
// comdlg32
extern "C" __declspec(dllexport) BOOL WINAPI ChooseColorA(void*) {
  return FALSE;
}
// shell32
extern "C" __declspec(dllexport) HINSTANCE WINAPI
    ShellExecuteA(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
  return reinterpret_cast<HINSTANCE>(2);  // "file not found"
}
