// The current colour: the one operation that changes it and rewrites every view of it.
#include <array>

#include "picker/ColorText.h"
#include "picker/PickerDialog.h"
#include "res/resource.h"

namespace {

constexpr int kTexts[] = {IDC_HEX_TEXT, IDC_HTML_TEXT, IDC_RGB_TEXT};

// The colour's three texts repaint as soon as their text changes. For the life of this object
// those on the screen are kept from painting; then each is painted once. Hidden texts (in pick
// mode) are left alone: letting one paint again would show it.
class HeldTextPaints {
 public:
  HeldTextPaints(HWND window, bool hold) {
    for (size_t i = 0; hold && i < std::size(kTexts); ++i) {
      const HWND text = ::GetDlgItem(window, kTexts[i]);
      if (::IsWindowVisible(text)) {
        ::SendMessageA(text, WM_SETREDRAW, FALSE, 0);
        m_held[m_count++] = text;
      }
    }
  }
  ~HeldTextPaints() {
    for (size_t i = 0; i < m_count; ++i) {
      ::SendMessageA(m_held[i], WM_SETREDRAW, TRUE, 0);
      ::InvalidateRect(m_held[i], nullptr, TRUE);
    }
  }
  HeldTextPaints(const HeldTextPaints&) = delete;
  HeldTextPaints& operator=(const HeldTextPaints&) = delete;

 private:
  std::array<HWND, std::size(kTexts)> m_held{};
  size_t m_count = 0;
};

}  // namespace

// With updateEdits true, each edit write runs that edit's change handler before it returns; the
// handler calls back here with updateEdits false, so the nesting is exactly one level deep and
// the three inner calls see (r1,g0,b0), (r1,g1,b0) and (r1,g1,b1) on the way to the new colour.
//
// The texts would show the three intermediate colours, each for the moment of its handler: they
// are kept from painting until the new colour is everywhere, then painted once.
void CPickerDialog::SetCurrentColor(COLORREF color, bool updateEdits) {
  const HeldTextPaints heldPaints(m_hWnd, updateEdits);
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

  const CRect swatch = SwatchRect();
  InvalidateRect(swatch, TRUE);
}
