// The colour swatch: a 60 x 13 pixel area of the client, 10 pixels in from the right edge, on
// the "Current Color:" row. Not a control: painted, invalidated and hit-tested by the window.
#pragma once

#include "framework/Geometry.h"

inline CRect SwatchRect(const CRect& client) {
  return CRect(client.right - 70, client.top + 127, client.right - 10, client.top + 140);
}
