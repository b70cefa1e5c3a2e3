// Where pick mode puts its window and what its snapshot holds, for a layout of monitors. The
// virtual screen is the rectangle around every monitor (SM_XVIRTUALSCREEN and the rest), in
// physical pixels; with one monitor it is the primary display, at (0, 0). Monitors left of or
// above the primary have negative coordinates.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Geometry.h"

struct PickGeometry {
  // The pick window covers the virtual screen exactly, so a press anywhere lands on it.
  CRect window;
  // Where the window waits, 1 x 1 pixel, while the screen is copied: outside every monitor.
  CPoint parked;
  // What the snapshot copies: each monitor's rectangle of the screen, to the same place of the
  // snapshot. Where monitors of different sizes leave the virtual screen uncovered, it stays black.
  std::vector<RECT> monitors;

  // The snapshot is as large as the virtual screen: its pixel (0, 0) is the screen's at this point.
  CPoint SnapshotOrigin() const { return CPoint(window.left, window.top); }
  SIZE SnapshotSize() const { return SIZE{window.Width(), window.Height()}; }
  // The screen pixel that the pick window's client point shows.
  CPoint ScreenPixelOf(POINT client) const {
    return CPoint(client.x + window.left, client.y + window.top);
  }
};

// Every monitor's rectangle; the primary's first.
PickGeometry PickGeometryFor(const std::vector<RECT>& monitors);

// The monitors of this system now.
std::vector<RECT> MonitorsNow();
