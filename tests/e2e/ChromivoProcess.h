// Chromivo.exe started as a process of its own, beside the test program; never left running.
#pragma once

#include <windows.h>

#include <string>

// The path of Chromivo.exe, which the build puts beside the test programs.
std::string ChromivoExePath();

class ChromivoProcess {
 public:
  ChromivoProcess() = default;
  ~ChromivoProcess() { Kill(); }
  ChromivoProcess(const ChromivoProcess&) = delete;
  ChromivoProcess& operator=(const ChromivoProcess&) = delete;

  bool Start();
  // True when the process ended within the time; its exit code is then in exitCode.
  bool WaitForExit(DWORD milliseconds, DWORD* exitCode = nullptr) const;
  void Kill();

  DWORD Id() const { return m_info.dwProcessId; }
  HANDLE Handle() const { return m_info.hProcess; }

 private:
  PROCESS_INFORMATION m_info{};
};
