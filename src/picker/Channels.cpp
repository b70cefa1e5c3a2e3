// The red, green and blue editors. Each channel's edit is its hub: typing changes it, its
// up-down control and its slider write into it, and its change handler sets the colour.
#include "picker/ChannelValue.h"
#include "picker/PickerDialog.h"
#include "res/resource.h"

namespace {

constexpr int kChannelMax = 255;
// Selects the whole text whatever its length, so the next digit typed replaces it.
constexpr int kSelectAllEnd = 10;

int ReadChannel(const CEdit& edit) {
  char text[4] = {};
  edit.GetWindowText(text, sizeof(text));
  return ChannelValueOf(text);
}

}  // namespace

void CPickerDialog::SetUpChannelEditors() {
  m_editRed.SetWindowText("255");
  m_editGreen.SetWindowText("255");
  m_editBlue.SetWindowText("255");

  m_spinRed.SetBuddy(GetDlgItem(IDC_RED_EDIT));
  m_spinRed.SetRange32(0, kChannelMax);
  m_spinGreen.SetBuddy(GetDlgItem(IDC_GREEN_EDIT));
  m_spinGreen.SetRange32(0, kChannelMax);
  m_spinBlue.SetBuddy(GetDlgItem(IDC_BLUE_EDIT));
  m_spinBlue.SetRange32(0, kChannelMax);

  for (CSliderCtrl* slider : {&m_sliderRed, &m_sliderGreen, &m_sliderBlue}) {
    slider->SetRange(0, kChannelMax, FALSE);
    slider->SetPos(kChannelMax);
  }
}

void CPickerDialog::OnChangeRed() {
  OnChangeChannel(m_editRed);
}

void CPickerDialog::OnChangeGreen() {
  OnChangeChannel(m_editGreen);
}

void CPickerDialog::OnChangeBlue() {
  OnChangeChannel(m_editBlue);
}

// An emptied edit becomes "0" and a value above 255 becomes "255", selected; each rewrite runs
// this handler once more, nested, and the rewritten text needs no further rewrite.
void CPickerDialog::OnChangeChannel(CEdit& changed) {
  if (changed.GetWindowTextLength() == 0) {
    changed.SetWindowText("0");
    changed.SetSel(0, kSelectAllEnd);
  }
  if (ReadChannel(changed) > kChannelMax) {
    changed.SetWindowText("255");
    changed.SetSel(0, kSelectAllEnd);
  }
  const COLORREF color = RGB(ReadChannel(m_editRed) & 0xFF, ReadChannel(m_editGreen) & 0xFF,
                             ReadChannel(m_editBlue) & 0xFF);
  SetCurrentColor(color, false);
}

// Sliders never set the colour themselves: they write their channel's edit, whose change handler
// does. Every scroll code alike, so the colour follows the thumb while it is dragged.
void CPickerDialog::OnHScroll(UINT, UINT, CWnd* pScrollBar) {
  const HWND source = pScrollBar ? pScrollBar->m_hWnd : nullptr;
  CSliderCtrl* const sliders[] = {&m_sliderRed, &m_sliderGreen, &m_sliderBlue};
  CEdit* const edits[] = {&m_editRed, &m_editGreen, &m_editBlue};
  for (int channel = 0; channel < 3; ++channel) {
    if (source == sliders[channel]->m_hWnd) {
      CString position;
      position.Format("%d", sliders[channel]->GetPos());
      edits[channel]->SetWindowText(position);
      return;
    }
  }
}

bool CPickerDialog::IsChannelEdit(HWND hWnd) const {
  return hWnd != nullptr &&
         (hWnd == m_editRed.m_hWnd || hWnd == m_editGreen.m_hWnd || hWnd == m_editBlue.m_hWnd);
}

// Keeps a full edit from growing at its front: with three characters and the caret before the
// first (nothing selected), only editing and caret keys pass; any other key press is neutralised
// by clearing its key code. The right button never reaches an edit, so it shows no menu: the
// release has to go too, since the default handling of a right button release asks for the menu.
// Returns true when the message is to be dropped.
bool CPickerDialog::FilterChannelEditInput(MSG* pMsg) {
  if (!IsChannelEdit(pMsg->hwnd)) {
    return false;
  }
  if (pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_RBUTTONUP ||
      pMsg->message == WM_RBUTTONDBLCLK) {
    return true;
  }
  if (pMsg->message != WM_KEYDOWN || ::GetWindowTextLengthA(pMsg->hwnd) <= 2) {
    return false;
  }
  switch (pMsg->wParam) {
    case VK_BACK:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_DELETE:
      return false;
    default:
      break;
  }
  if (::SendMessageA(pMsg->hwnd, EM_GETSEL, 0, 0) == 0) {
    pMsg->wParam = 0;
  }
  return false;
}
