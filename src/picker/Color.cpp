// The current colour: the one operation that changes it and rewrites every view of it.
#include "picker/ColorText.h"
#include "picker/PickerDialog.h"
#include "picker/Swatch.h"
#include "res/resource.h"

// With updateEdits true, each edit write runs that edit's change handler before it returns; the
// handler calls back here with updateEdits false, so the nesting is exactly one level deep and
// the three inner calls see (r1,g0,b0), (r1,g1,b0) and (r1,g1,b1) on the way to the new colour.
void CPickerDialog::SetCurrentColor(COLORREF color, bool updateEdits) {
  const int red = GetRValue(color);
  const int green = GetGValue(color);
  const int blue = GetBValue(color);

  const ColorTexts texts = FormatColorTexts(color);
  GetDlgItem(IDC_HEX_TEXT)->SetWindowText(texts.hex);
  GetDlgItem(IDC_HTML_TEXT)->SetWindowText(texts.html);
  GetDlgItem(IDC_RGB_TEXT)->SetWindowText(texts.rgb);

  if (updateEdits) {
    CString channel;
    channel.Format("%d", red);
    m_editRed.SetWindowText(channel);
    channel.Format("%d", green);
    m_editGreen.SetWindowText(channel);
    channel.Format("%d", blue);
    m_editBlue.SetWindowText(channel);
  }

  m_sliderRed.SetPos(red);
  m_sliderGreen.SetPos(green);
  m_sliderBlue.SetPos(blue);

  m_color = color;

  CRect client;
  GetClientRect(client);
  const CRect swatch = SwatchRect(client);
  InvalidateRect(swatch, TRUE);
}
