// The class's start: its message map, its construction and what it does when the window opens,
// and the filter every message of its loop passes.
#include "picker/PickerDialog.h"

#include "picker/PanelDesign.h"
#include "picker/ScreenSettle.h"
#include "res/links.h"
#include "res/resource.h"

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
  ON_MESSAGE(WM_ACTIVATE, OnActivate)
  ON_MESSAGE(WM_CANCELMODE, OnCancelMode)
  ON_BN_CLICKED(IDC_COPY_HTML, OnCopyHtml)
  ON_BN_CLICKED(IDC_KEEP_ON_TOP, OnKeepOnTop)
  ON_WM_CLOSE()
  ON_MESSAGE(WM_HOTKEY, OnHotKey)
  ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
  ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
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
  m_homeLink.SetLink(CHROMIVO_PAGES_FOLDER, LoadLinkCursor());

  ClaimHotKey();
  TurnOffCompositorTransitions(m_hWnd);

  LayOutPanel();
  NameControls(PanelDesign::kAccessibleNames);
  return TRUE;
}

// Every message of the window's loop: first the channel edits' key and mouse filter, then Esc
// while picking (consumed, so it never reaches the dialog's Cancel), then the dialog keys. The
// hot key sees the keys go up, whatever happens to them.
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
