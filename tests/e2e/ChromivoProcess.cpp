#include "ChromivoProcess.h"

std::string ChromivoExePath() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string result(path, length);
  return result.substr(0, result.find_last_of("\\/") + 1) + "Chromivo.exe";
}

bool ChromivoProcess::Start() {
  Kill();
  // Built piecewise: GCC 12 warns falsely (-Wrestrict) on "\"" + std::string.
  std::string commandLine = "\"";
  commandLine += ChromivoExePath();
  commandLine += '"';
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  return ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &m_info) != FALSE;
}

bool ChromivoProcess::WaitForExit(DWORD milliseconds, DWORD* exitCode) const {
  if (m_info.hProcess == nullptr ||
      ::WaitForSingleObject(m_info.hProcess, milliseconds) != WAIT_OBJECT_0) {
    return false;
  }
  if (exitCode != nullptr) {
    ::GetExitCodeProcess(m_info.hProcess, exitCode);
  }
  return true;
}

void ChromivoProcess::Kill() {
  if (m_info.hProcess == nullptr) {
    return;
  }
  if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(m_info.hProcess, 1);
    ::WaitForSingleObject(m_info.hProcess, 5000);
  }
  ::CloseHandle(m_info.hThread);
  ::CloseHandle(m_info.hProcess);
  m_info = {};
}
