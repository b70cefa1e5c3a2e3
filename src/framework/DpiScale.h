// Layouts are drawn in pixels of a 96-DPI screen and shown at a window's DPI: every design number
// is scaled by dpi / 96 with MulDiv, which rounds halves away from zero, so the same number gives
// the same pixels wherever it is used. The frame and system metrics of a DPI come from here too.
#pragma once

#include <windows.h>

#include "framework/Geometry.h"

// Where a dialog puts one of its controls, in design pixels of its client area.
struct CControlPlace {
  int id;
  int x;
  int y;
  int width;
  int height;
};

class CDpiScale {
 public:
  static constexpr int kDesignDpi = 96;

  explicit CDpiScale(int dpi = kDesignDpi) : m_dpi(dpi) {}
  // The screen's DPI as the process sees it when it starts: the system DPI, which every window
  // has where Windows knows no DPI of a window's own (before Windows 10 1607).
  static CDpiScale ForSystem();
  // The window's own DPI: that of the monitor it is on, for a per-monitor-aware program.
  static CDpiScale ForWindow(HWND window);

  int Dpi() const { return m_dpi; }
  int Scale(int designPixels) const { return ::MulDiv(designPixels, m_dpi, kDesignDpi); }
  // A rectangle given by its edges: each edge scaled.
  CRect Scale(const RECT& design) const {
    return CRect(Scale(design.left), Scale(design.top), Scale(design.right), Scale(design.bottom));
  }
  // A control's corner and size, each scaled: controls of one design size keep one size, which
  // their text (in the dialog's font, scaled alike) was made to fit.
  CRect Scale(const CControlPlace& design) const {
    const int left = Scale(design.x);
    const int top = Scale(design.y);
    return CRect(left, top, left + Scale(design.width), top + Scale(design.height));
  }

  // The window rectangle around this client rectangle for a window of these styles at this DPI;
  // false where Windows cannot tell the frame of another DPI (before Windows 10 1607).
  bool AdjustWindowRect(RECT* rect, DWORD style, DWORD exStyle) const;
  // A system metric (SM_CXICON, ...) at this DPI; the system DPI's before Windows 10 1607.
  int SystemMetric(int index) const;

 private:
  int m_dpi;
};
