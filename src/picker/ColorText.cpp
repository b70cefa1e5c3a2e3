#include "picker/ColorText.h"

ColorTexts FormatColorTexts(COLORREF color) {
  const int red = GetRValue(color);
  const int green = GetGValue(color);
  const int blue = GetBValue(color);
  ColorTexts texts;
  texts.hex.Format("0x%06X", static_cast<unsigned>(color));
  texts.html.Format("#%02X%02X%02X", red, green, blue);
  texts.rgb.Format("RGB(%d,%d,%d)", red, green, blue);
  return texts;
}
