// For tests that run the program's windows in the test process: handles every message already
// queued for this thread as the modal loop would, each object from the message's window up to
// hWndStop seeing it in PreTranslateMessage first.
#pragma once

#include <windows.h>

#include "framework/Framework.h"

inline void PumpThroughPreTranslateUpTo(HWND hWndStop) {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    AfxTranslateAndDispatch(hWndStop, &msg);
  }
}

// Up to the message window's top-level window.
inline void PumpThroughPreTranslate() {
  PumpThroughPreTranslateUpTo(nullptr);
}
