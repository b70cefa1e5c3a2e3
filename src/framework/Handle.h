// CHandle: owns one kernel handle and closes it exactly once.
#pragma once

#include <windows.h>

class CHandle {
 public:
  explicit CHandle(HANDLE handle = nullptr) : m_handle(handle) {}
  ~CHandle() { Close(); }
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;

  operator HANDLE() const { return m_handle; }
  void Close() {
    if (m_handle) {
      ::CloseHandle(m_handle);
      m_handle = nullptr;
    }
  }

 private:
  HANDLE m_handle;
};
