// The window itself: its layout, its painting, Keep on top, the About box and the ways to end.
#include "about/AboutDialog.h"
#include "picker/PanelDesign.h"
#include "picker/PickerDialog.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kOutlineGrey = RGB(128, 128, 128);

// In a contrast theme the outlines take the theme's text colour on its button face, which the
// dialog's background is; the swatch keeps showing the colour itself.
COLORREF OutlineColor() {
  return AfxGetAccessibility().IsContrastThemeOn() ? ::GetSysColor(COLOR_BTNTEXT) : kOutlineGrey;
}
// System commands 0x0010 to 0x001F (low four bits masked) open the About box.
constexpr UINT kAboutCommand = 0x0010;
// The hot-key label, while the key is the window's and while another program holds it.
constexpr char kHotKeyOurs[] = "Hot Key: Ctrl + Num -";
constexpr char kHotKeyTaken[] = "Hot Key: other app has it";

}  // namespace

void CPickerDialog::LayOutPanel() {
  ApplyLayout(PanelDesign::kClientSize, PanelDesign::kControls);
}

void CPickerDialog::OnPaint() {
  CPaintDC dc(this);
  if (m_picking) {
    PaintSnapshot();
  } else {
    PaintPanel(dc);
  }
}

// The outlines stay one pixel wide at every scale.
void CPickerDialog::PaintPanel(CPaintDC& dc) {
  const COLORREF outline = OutlineColor();
  CRect swatch = SwatchRect();
  dc.Draw3dRect(swatch, outline, outline);
  swatch.DeflateRect(1, 1);
  dc.FillSolidRect(swatch, m_color);
  for (const RECT& frame : PanelDesign::kTextFrames) {
    dc.Draw3dRect(Scale().Scale(frame), outline, outline);
  }
}

// The caption and the taskbar show the icon made at the sizes of the window's new DPI. The icons
// made before are destroyed once the window has let go of them.
void CPickerDialog::OnScaleChanged() {
  const auto iconAt = [this](int width, int height) {
    return static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                           IMAGE_ICON, Scale().SystemMetric(width),
                                           Scale().SystemMetric(height), LR_DEFAULTCOLOR));
  };
  const HICON big = iconAt(SM_CXICON, SM_CYICON);
  const HICON small = iconAt(SM_CXSMICON, SM_CYSMICON);
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  m_bigIcon.Attach(big);
  m_smallIcon.Attach(small);
}

HCURSOR CPickerDialog::OnQueryDragIcon() {
  return m_appIcon;
}

// The caption's close button, Alt+F4 and Close on the window menu end the window as Exit does.
void CPickerDialog::OnClose() {
  OnExit();
}

void CPickerDialog::OnExit() {
  m_hotKey.Unregister();
  OnOK();
}

void CPickerDialog::OnKeepOnTop() {
  PlaceInKeepOnTopBand();
}

void CPickerDialog::PlaceInKeepOnTopBand() {
  SetWindowPos(IsKeepOnTopChecked() ? &wndTopMost : &wndNoTopMost, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool CPickerDialog::IsKeepOnTopChecked() {
  return GetDlgItem(IDC_KEEP_ON_TOP)->SendMessage(BM_GETCHECK) == BST_CHECKED;
}

void CPickerDialog::OnSysCommand(UINT nID, LPARAM) {
  if ((nID & 0xFFF0) == kAboutCommand) {
    OnAbout();
  } else {
    Default();
  }
}

// The hot key is given up while the box is open; another program may take it meanwhile.
void CPickerDialog::OnAbout() {
  CAboutDialog about;
  m_hotKey.Unregister();
  about.DoModal();
  ClaimHotKey();
}

// The label never claims a key the window does not hold: the Slorp button still picks.
void CPickerDialog::ClaimHotKey() {
  SetDlgItemText(IDC_HOTKEY_LABEL, m_hotKey.Register(m_hWnd) ? kHotKeyOurs : kHotKeyTaken);
}
