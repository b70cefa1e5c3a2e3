// The colour swatch: 60 x 13 design pixels of the client, 10 in from the right edge, on the
// "Current Color:" row, scaled like the rest of the panel. Not a control: painted, invalidated
// and hit-tested by the window.
#pragma once

#include "framework/DpiScale.h"
#include "framework/Geometry.h"

inline CRect SwatchRect(const CRect& client, const CDpiScale& scale) {
  const int right = client.right - scale.Scale(10);
  const int top = client.top + scale.Scale(127);
  return CRect(right - scale.Scale(60), top, right, top + scale.Scale(13));
}
