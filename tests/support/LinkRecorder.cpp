// Stands in for a browser or mail program in the link tests: appends the command line it was
// started with, as one line, to the file that CHROMIVO_LINK_RECORD names. It shows no window.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableA("CHROMIVO_LINK_RECORD", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return 2;
  }
  const HANDLE file = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return 3;
  }
  const char* commandLine = ::GetCommandLineA();
  DWORD written = 0;
  ::WriteFile(file, commandLine, static_cast<DWORD>(::lstrlenA(commandLine)), &written, nullptr);
  ::WriteFile(file, "\n", 1, &written, nullptr);
  ::CloseHandle(file);
  return 0;
}
