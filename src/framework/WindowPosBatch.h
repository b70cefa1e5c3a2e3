// CWindowPosBatch: moves, sizes, shows or hides many child windows of one parent together, in one
// deferred batch, instead of one full trip through the window system per window.
#pragma once

#include <windows.h>

class CWindowPosBatch {
 public:
  explicit CWindowPosBatch(int expectedWindows) : m_batch(::BeginDeferWindowPos(expectedWindows)) {}
  // The changes are made here, all at once.
  ~CWindowPosBatch() {
    if (m_batch != nullptr) {
      ::EndDeferWindowPos(m_batch);
    }
  }
  CWindowPosBatch(const CWindowPosBatch&) = delete;
  CWindowPosBatch& operator=(const CWindowPosBatch&) = delete;

  // Moves and sizes the window, repainting it, without touching its z-order or activation.
  void Move(HWND window, const RECT& rect) {
    Add(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0);
  }
  // Shows or hides the window where it is.
  void Show(HWND window, bool show) {
    Add(window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }

 private:
  // A batch the system could not grow is gone: the window is then changed at once.
  void Add(HWND window, int x, int y, int width, int height, UINT flags) {
    flags |= SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_batch != nullptr) {
      m_batch = ::DeferWindowPos(m_batch, window, nullptr, x, y, width, height, flags);
    }
    if (m_batch == nullptr) {
      ::SetWindowPos(window, nullptr, x, y, width, height, flags);
    }
  }

  HDWP m_batch;
};
