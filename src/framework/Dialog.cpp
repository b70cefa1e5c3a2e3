#include "framework/Dialog.h"

#include <commctrl.h>

#include "framework/MessageHandlers.h"
#include "framework/SystemLibraries.h"
#include "framework/WinApp.h"
#include "framework/WindowPosBatch.h"

// Windows 10 1703's; this program is built for Windows 7 and later.
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace {

constexpr int kPointsPerInch = 72;

void RegisterCommonControls() {
  static const bool registered = [] {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&classes) != FALSE;
  }();
  (void)registered;
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd == nullptr) {
    rControl.SubclassWindow(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC));
  }
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_MESSAGE(WM_GETDPISCALEDSIZE, OnGetDpiScaledSize)
  ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
  ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
  ON_MESSAGE(WM_THEMECHANGED, OnFrameChanged)
  ON_MESSAGE(WM_DWMCOMPOSITIONCHANGED, OnFrameChanged)
  ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
  ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
  if (::IsWindow(m_hWnd)) {
    const HWND hWnd = UnsubclassWindow();
    ::DestroyWindow(hWnd);
  }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) noexcept {
  if (message != WM_INITDIALOG) {
    // Everything after WM_INITDIALOG reaches the object through its subclass first; what it
    // leaves unhandled ends here and gets the dialog manager's default processing.
    return FALSE;
  }
  CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
  if (!dialog->Attach(hWnd)) {
    return TRUE;
  }
  return dialog->OnInitDialog();
}

HWND CDialog::CreateFromTemplate(HWND hWndOwner) {
  RegisterCommonControls();
  m_ended = false;
  m_nResult = -1;
  return ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hWndOwner,
                              DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(CWnd* pParentWnd) {
  if (pParentWnd != nullptr) {
    m_pParentWnd = pParentWnd;
  }
  return CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr) != nullptr;
}

// Without a parent, a dialog is owned by the application's main window (unless it is that
// window), so that the main window is disabled while it runs.
HWND CDialog::ModalOwner() const {
  if (m_pParentWnd != nullptr) {
    return m_pParentWnd->m_hWnd;
  }
  CWnd* mainWnd = AfxGetMainWnd();
  if (mainWnd == nullptr || mainWnd == this || !::IsWindow(mainWnd->m_hWnd)) {
    return nullptr;
  }
  return mainWnd->m_hWnd;
}

INT_PTR CDialog::DoModal() {
  const HWND hWndOwner = ModalOwner();
  const bool ownerWasEnabled = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
  if (ownerWasEnabled) {
    ::EnableWindow(hWndOwner, FALSE);
  }
  INT_PTR result = -1;
  if (const HWND hWnd = CreateFromTemplate(hWndOwner); hWnd != nullptr) {
    // As with DialogBox, a template need not be WS_VISIBLE (the About box is not): a modal
    // dialog left hidden would leave its owner disabled with nothing to close.
    if (!m_ended && ::IsWindow(hWnd) && !::IsWindowVisible(hWnd)) {
      ::ShowWindow(hWnd, SW_SHOWNORMAL);
    }
    result = RunModalLoop();
  }
  // The owner is enabled again before the dialog goes, so that it is the one activated next.
  if (ownerWasEnabled) {
    ::EnableWindow(hWndOwner, TRUE);
  }
  if (::IsWindow(m_hWnd)) {
    ::DestroyWindow(m_hWnd);
  }
  return result;
}

INT_PTR CDialog::RunModalLoop() {
  MSG msg;
  while (!m_ended) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
      }
      return -1;
    }
    AfxTranslateAndDispatch(m_hWnd, &msg);
    if (!::IsWindow(m_hWnd)) {
      break;
    }
  }
  return m_nResult;
}

void CDialog::EndDialog(int nResult) {
  m_nResult = nResult;
  m_ended = true;
  // Wakes the modal loop in case the call came from outside a message of its own.
  ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::UpdateData() {
  CDataExchange exchange(this);
  DoDataExchange(&exchange);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  m_scale = CDpiScale::ForWindow(m_hWnd);
  TakeOverDpiChanges();
  NoteTemplateFont();
  UpdateData();
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData();
  EndDialog(IDOK);
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

// Keys (and the mouse, as the dialog manager expects) get their standard dialog meaning: Tab
// moves the focus, Enter and Esc become IDOK and IDCANCEL.
BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  const bool keyboard = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
  const bool mouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
  if (!keyboard && !mouse) {
    return FALSE;
  }
  return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::ApplyLayout(SIZE designClient, std::span<const CControlPlace> designPlaces) {
  m_designClient = designClient;
  m_designPlaces = designPlaces;
  LayOut();
}

void CDialog::LayOut() {
  CRect window;
  GetWindowRect(window);
  CRect client;
  GetClientRect(client);
  const int frameWidth = window.Width() - client.Width();
  const int frameHeight = window.Height() - client.Height();
  MoveWindow(window.left, window.top, m_scale.Scale(m_designClient.cx) + frameWidth,
             m_scale.Scale(m_designClient.cy) + frameHeight, TRUE);
  CWindowPosBatch controls(static_cast<int>(m_designPlaces.size()));
  for (const CControlPlace& place : m_designPlaces) {
    controls.Move(::GetDlgItem(m_hWnd, place.id), m_scale.Scale(place));
  }
}

void CDialog::ReleaseLayout() {
  m_layoutHeld = false;
  if (m_heldDpi) {
    ScaleTo(*m_heldDpi);
  } else if (m_heldFrameChange) {
    FitFrameToLayout();
  }
  m_heldDpi.reset();
  m_heldFrameChange = false;
}

// The dialog manager of a per-monitor-aware program lays a dialog out again and gives its controls
// new fonts on a DPI change, by its own rules ("SetDialogDpiChangeBehavior"); the dialog does that
// itself, from its design, so the dialog manager is told to leave it alone.
void CDialog::TakeOverDpiChanges() {
  static const auto setDialogBehavior =
      AfxSystemFunction<BOOL(WINAPI*)(HWND, int, int)>("user32.dll", "SetDialogDpiChangeBehavior");
  static const auto setControlBehavior = AfxSystemFunction<BOOL(WINAPI*)(HWND, int, int)>(
      "user32.dll", "SetDialogControlDpiChangeBehavior");
  if (setDialogBehavior != nullptr) {
    setDialogBehavior(m_hWnd, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
  }
  constexpr int kNeitherForControls = DCDC_DISABLE_FONT_UPDATE | DCDC_DISABLE_RELAYOUT;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD);
       child != nullptr && setControlBehavior != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    setControlBehavior(child, kNeitherForControls, kNeitherForControls);
  }
}

// The dialog manager made the template's font at the window's DPI; the dialog remakes it at
// others.
void CDialog::NoteTemplateFont() {
  const auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (font != nullptr && ::GetObjectA(font, sizeof(m_templateFont), &m_templateFont) != 0) {
    const int height =
        m_templateFont.lfHeight < 0 ? -m_templateFont.lfHeight : m_templateFont.lfHeight;
    m_templateFontPoints = ::MulDiv(height, kPointsPerInch, m_scale.Dpi());
  }
}

// Windows asks for the window's size at the DPI it is about to take ("WM_GETDPISCALEDSIZE"): the
// size whose client area is the design there. A caption does not grow in proportion, so the
// size Windows would work out itself would cut the layout or leave a gap.
LRESULT CDialog::OnGetDpiScaledSize(WPARAM wParam, LPARAM lParam) {
  if (m_layoutHeld || m_designPlaces.empty()) {
    return FALSE;
  }
  const CDpiScale scale(static_cast<int>(wParam));
  CRect window(0, 0, scale.Scale(m_designClient.cx), scale.Scale(m_designClient.cy));
  if (!scale.AdjustWindowRect(window, GetStyle(), GetExStyle())) {
    return FALSE;
  }
  auto* size = reinterpret_cast<SIZE*>(lParam);
  size->cx = window.Width();
  size->cy = window.Height();
  return TRUE;
}

// The window moved to a monitor of another DPI, or the DPI changed ("WM_DPICHANGED"): the window
// goes where Windows suggests and is laid out again at the new DPI, taken from the message.
LRESULT CDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const int dpi = LOWORD(wParam);
  if (m_layoutHeld) {
    m_heldDpi = dpi;
    return 0;
  }
  m_heldDpi.reset();
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  ScaleTo(dpi);
  return 0;
}

// Everything the dialog paints itself moves too: the window is painted afresh, not only where it
// grew.
void CDialog::ScaleTo(int dpi) {
  m_scale = CDpiScale(dpi);
  GiveControlsTheFontAt(dpi);
  LayOut();
  OnScaleChanged();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The template's face and size, made at this DPI. The font made before is deleted once no control
// uses it any more; the dialog manager's own font is never touched.
void CDialog::GiveControlsTheFontAt(int dpi) {
  if (m_templateFontPoints == 0) {
    return;
  }
  LOGFONTA logFont = m_templateFont;
  logFont.lfHeight = -::MulDiv(m_templateFontPoints, dpi, kPointsPerInch);
  logFont.lfWidth = 0;
  CFont font;
  if (!font.CreateFontIndirect(&logFont)) {
    return;
  }
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font)), TRUE);
  }
  m_scaledFont.Attach(font.Detach());
}

LRESULT CDialog::OnSettingChange(WPARAM wParam, LPARAM) {
  if (wParam == SPI_SETNONCLIENTMETRICS) {
    FitFrameToLayout();
  } else if (wParam == SPI_SETHIGHCONTRAST) {
    RepaintEverything();
  }
  return Default();
}

// Only top-level windows hear of new system colours; the common controls (up-down, slider) keep
// theirs until told ("WM_SYSCOLORCHANGE message").
LRESULT CDialog::OnSysColorChange(WPARAM wParam, LPARAM lParam) {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::SendMessageA(child, WM_SYSCOLORCHANGE, wParam, lParam);
  }
  RepaintEverything();
  return Default();
}

void CDialog::RepaintEverything() {
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CDialog::NameControls(std::span<const CAccessibleName> names) {
  m_accessibleNames = names;
  for (const CAccessibleName& name : names) {
    if (const HWND control = ::GetDlgItem(m_hWnd, name.id)) {
      AfxGetAccessibility().Annotate(control, name);
    }
  }
}

LRESULT CDialog::OnDestroy(WPARAM, LPARAM) {
  for (const CAccessibleName& name : m_accessibleNames) {
    if (const HWND control = ::GetDlgItem(m_hWnd, name.id)) {
      AfxGetAccessibility().ClearAnnotation(control);
    }
  }
  m_accessibleNames = {};
  return Default();
}

LRESULT CDialog::OnFrameChanged(WPARAM, LPARAM) {
  FitFrameToLayout();
  return Default();
}

// The caption or the frame changed size while the program runs (display settings, a theme):
// Windows keeps the window rectangle, so the client area would no longer hold the design.
void CDialog::FitFrameToLayout() {
  if (m_layoutHeld) {
    m_heldFrameChange = true;
    return;
  }
  if (m_designPlaces.empty()) {
    return;
  }
  SetWindowPos(nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  LayOut();
}
