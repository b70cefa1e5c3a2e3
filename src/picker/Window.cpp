// The window itself: set-up, the fixed pixel layout, painting, Keep on top and the ways to end.
#include "about/AboutDialog.h"
#include "picker/PickerDialog.h"
#include "picker/ScreenSettle.h"
#include "picker/Swatch.h"
#include "res/links.h"
#include "res/resource.h"

namespace {

// The panel's design, in pixels of a 96-DPI screen; shown scaled to the screen's DPI.
constexpr SIZE kClientSize{404, 167};
constexpr COLORREF kOutlineGrey = RGB(128, 128, 128);
// System commands 0x0010 to 0x001F (low four bits masked) open the About box.
constexpr UINT kAboutCommand = 0x0010;

// x, y, width and height of each control in the client area.
constexpr CControlPlace kLayout[] = {
    {IDC_HEX_LABEL, 5, 8, 84, 13},         {IDC_HEX_TEXT, 8, 26, 96, 13},
    {IDC_COPY_HEX, 111, 23, 48, 20},       {IDC_RED_LABEL, 173, 26, 21, 13},
    {IDC_RED_EDIT, 194, 23, 26, 20},       {IDC_RED_SPIN, 222, 21, 16, 23},
    {IDC_RED_SLIDER, 246, 26, 150, 15},    {IDC_HTML_LABEL, 5, 47, 84, 13},
    {IDC_HTML_TEXT, 8, 65, 96, 13},        {IDC_COPY_HTML, 111, 62, 48, 20},
    {IDC_GREEN_LABEL, 173, 65, 21, 13},    {IDC_GREEN_EDIT, 194, 62, 26, 20},
    {IDC_GREEN_SPIN, 222, 60, 16, 23},     {IDC_GREEN_SLIDER, 246, 65, 150, 15},
    {IDC_RGB_LABEL, 5, 86, 84, 13},        {IDC_RGB_TEXT, 8, 102, 96, 13},
    {IDC_COPY_RGB, 111, 99, 48, 20},       {IDC_BLUE_LABEL, 173, 102, 21, 13},
    {IDC_BLUE_EDIT, 194, 99, 26, 20},      {IDC_BLUE_SPIN, 222, 98, 16, 23},
    {IDC_BLUE_SLIDER, 246, 102, 150, 15},  {IDC_KEEP_ON_TOP, 5, 127, 93, 13},
    {IDC_HOTKEY_LABEL, 110, 127, 130, 13}, {IDC_CURRENT_LABEL, 246, 127, 85, 13},
    {IDC_SLORP, 2, 145, 48, 20},           {IDC_SELECT_COLOR, 62, 145, 48, 20},
    {IDC_ABOUT, 122, 145, 48, 20},         {IDC_EXIT, 182, 145, 48, 20},
    {IDC_HOME_LINK, 246, 146, 156, 13},
};

// Grey frames around the three colour texts (right and bottom exclusive).
constexpr RECT kTextFrames[] = {{4, 23, 105, 41}, {4, 62, 105, 80}, {4, 100, 105, 118}};

}  // namespace

BEGIN_MESSAGE_MAP(CPickerDialog, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_COPY_HEX, OnCopyHex)
  ON_BN_CLICKED(IDC_COPY_RGB, OnCopyRgb)
  ON_BN_CLICKED(IDC_SELECT_COLOR, OnSelectColor)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_BN_CLICKED(IDC_EXIT, OnExit)
  ON_BN_CLICKED(IDC_ABOUT, OnAbout)
  ON_BN_CLICKED(IDC_SLORP, StartPicking)
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_BN_CLICKED(IDC_COPY_HTML, OnCopyHtml)
  ON_BN_CLICKED(IDC_KEEP_ON_TOP, OnKeepOnTop)
  ON_WM_CLOSE()
  ON_MESSAGE(WM_HOTKEY, OnHotKey)
  ON_EN_CHANGE(IDC_BLUE_EDIT, OnChangeBlue)
  ON_EN_CHANGE(IDC_GREEN_EDIT, OnChangeGreen)
  ON_EN_CHANGE(IDC_RED_EDIT, OnChangeRed)
  ON_WM_HSCROLL()
END_MESSAGE_MAP()

CPickerDialog::CPickerDialog(CWnd* pParent)
    : CDialog(IDD_CHROMIVO_DIALOG, pParent), m_appIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

void CPickerDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_HOME_LINK, m_homeLink);
  DDX_Control(pDX, IDC_RED_SLIDER, m_sliderRed);
  DDX_Control(pDX, IDC_GREEN_SLIDER, m_sliderGreen);
  DDX_Control(pDX, IDC_BLUE_SLIDER, m_sliderBlue);
  DDX_Control(pDX, IDC_BLUE_SPIN, m_spinBlue);
  DDX_Control(pDX, IDC_GREEN_SPIN, m_spinGreen);
  DDX_Control(pDX, IDC_RED_SPIN, m_spinRed);
  DDX_Control(pDX, IDC_RED_EDIT, m_editRed);
  DDX_Control(pDX, IDC_GREEN_EDIT, m_editGreen);
  DDX_Control(pDX, IDC_BLUE_EDIT, m_editBlue);
}

BOOL CPickerDialog::OnInitDialog() {
  CDialog::OnInitDialog();

  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_appIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_appIcon));

  GetDlgItem(IDC_KEEP_ON_TOP)->SendMessage(BM_SETCHECK, BST_CHECKED);
  PlaceInKeepOnTopBand();

  m_color = RGB(255, 255, 255);
  m_picking = 0;
  SetUpChannelEditors();
  m_homeLink.SetLink(CHROMIVO_PAGES_FOLDER, AfxGetApp()->LoadCursor(IDC_HAND_CURSOR));

  m_hotKey.Register(m_hWnd);
  TurnOffCompositorTransitions(m_hWnd);

  ApplyLayout(m_scale, kClientSize, kLayout);
  return TRUE;
}

// Every message of the window's loop: first the channel edits' key and mouse filter, then Esc
// while picking (consumed, so it never reaches the dialog's Cancel), then the dialog keys.
BOOL CPickerDialog::PreTranslateMessage(MSG* pMsg) {
  m_hotKey.OnMessage(*pMsg);
  if (FilterChannelEditInput(pMsg)) {
    return TRUE;
  }
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_picking) {
    StopPicking();
    return TRUE;
  }
  return CDialog::PreTranslateMessage(pMsg);
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
  CRect swatch = SwatchRect();
  dc.Draw3dRect(swatch, kOutlineGrey, kOutlineGrey);
  swatch.DeflateRect(1, 1);
  dc.FillSolidRect(swatch, m_color);
  for (const RECT& frame : kTextFrames) {
    dc.Draw3dRect(m_scale.Scale(frame), kOutlineGrey, kOutlineGrey);
  }
}

CRect CPickerDialog::SwatchRect() const {
  CRect client;
  GetClientRect(client);
  return ::SwatchRect(client, m_scale);
}

HCURSOR CPickerDialog::OnQueryDragIcon() {
  return m_appIcon;
}

void CPickerDialog::OnClose() {
  m_hotKey.Unregister();
  OnOK();
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

// The hot key is given up while the box is open; claiming it again fails silently if another
// program took it meanwhile.
void CPickerDialog::OnAbout() {
  CAboutDialog about;
  m_hotKey.Unregister();
  about.DoModal();
  m_hotKey.Register(m_hWnd);
}
