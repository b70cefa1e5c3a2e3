// Layouts are drawn in pixels of a 96-DPI screen and shown at the system DPI: every design number
// is scaled by dpi / 96 with MulDiv, which rounds halves away from zero, so the same number gives
// the same pixels wherever it is used.
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
  // The screen's DPI as a system-DPI-aware program sees it for its whole run: the one every
  // window of the program is laid out for, and the one its pixels (and the screen's) are in.
  static CDpiScale ForSystem();

  int Dpi() const { return m_dpi; }
  int Scale(int designPixels) const { return ::MulDiv(designPixels, m_dpi, kDesignDpi); }
  // A rectangle given by its edges: each edge scaled.
  CRect Scale(const RECT& design) const {
    return CRect(Scale(design.left), Scale(design.top), Scale(design.right), Scale(design.bottom));
  }
  // A control's corner and size, each scaled: controls of one design size keep one size, which
  // their text (in the dialog's font, scaled by the system) was made to fit.
  CRect Scale(const CControlPlace& design) const {
    const int left = Scale(design.x);
    const int top = Scale(design.y);
    return CRect(left, top, left + Scale(design.width), top + Scale(design.height));
  }

 private:
  int m_dpi;
};
