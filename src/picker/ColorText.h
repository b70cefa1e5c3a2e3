// The three text forms of a colour, made to be pasted into source code.
#pragma once

#include "framework/String.h"

struct ColorTexts {
  CString hex;   // "0xBBGGRR": COLORREF byte order, upper-case digits
  CString html;  // "#RRGGBB"
  CString rgb;   // "RGB(r,g,b)"
};

// Defined for colours 0x000000 to 0xFFFFFF.
ColorTexts FormatColorTexts(COLORREF color);
