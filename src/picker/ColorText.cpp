#include "picker/ColorText.h"

ColorTexts FormatColorTexts(COLORREF color) {
  CString digits;
  digits.Format("%x", static_cast<unsigned>(color));
  digits.MakeUpper();
  while (digits.GetLength() < 6) {
    digits = CString("0") + digits;
  }

  ColorTexts texts;
  texts.hex = CString("0x") + digits;

  // "#BBGGRR" with the first and third digit pairs exchanged reads "#RRGGBB".
  texts.html = CString("#") + digits;
  const char blueHigh = texts.html.GetAt(1);
  const char blueLow = texts.html.GetAt(2);
  texts.html.SetAt(1, texts.html.GetAt(5));
  texts.html.SetAt(2, texts.html.GetAt(6));
  texts.html.SetAt(5, blueHigh);
  texts.html.SetAt(6, blueLow);

  texts.rgb.Format("RGB(%d,%d,%d)", GetRValue(color), GetGValue(color), GetBValue(color));
  return texts;
}
