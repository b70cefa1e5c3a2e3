// CComApartment: COM initialised on the calling thread for the object's life.
#pragma once

#include <objbase.h>
#include <windows.h>

// A single-threaded apartment without OLE 1.0's DDE, which is what the shell's functions ask of
// the threads that call them. Uninitialises only what it initialised; when COM cannot be
// initialised the program goes on without it.
class CComApartment {
 public:
  CComApartment()
      : m_initialised(SUCCEEDED(
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~CComApartment() {
    if (m_initialised) {
      ::CoUninitialize();
    }
  }
  CComApartment(const CComApartment&) = delete;
  CComApartment& operator=(const CComApartment&) = delete;

 private:
  bool m_initialised;
};
