// CPoint and CRect: POINT and RECT with the classic helpers.
#pragma once

#include <windows.h>

class CPoint : public POINT {
 public:
  CPoint() : POINT{0, 0} {}
  CPoint(int initX, int initY) : POINT{initX, initY} {}
};

// Right and bottom are exclusive, as everywhere in GDI.
class CRect : public RECT {
 public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& rect) : RECT(rect) {}  // NOLINT: converts like the classic class

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
  void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
  void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
  // This becomes the part the two have in common; false (and empty) when they have none.
  BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};
