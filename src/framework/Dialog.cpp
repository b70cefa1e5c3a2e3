#include "framework/Dialog.h"

#include <commctrl.h>

#include "framework/MessageHandlers.h"
#include "framework/WinApp.h"
#include "framework/WindowPosBatch.h"

namespace {

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

void CDialog::ApplyLayout(const CDpiScale& scale, SIZE designClient,
                          std::span<const CControlPlace> designPlaces) {
  CRect window;
  GetWindowRect(window);
  CRect client;
  GetClientRect(client);
  const int frameWidth = window.Width() - client.Width();
  const int frameHeight = window.Height() - client.Height();
  MoveWindow(window.left, window.top, scale.Scale(designClient.cx) + frameWidth,
             scale.Scale(designClient.cy) + frameHeight, TRUE);
  CWindowPosBatch controls(static_cast<int>(designPlaces.size()));
  for (const CControlPlace& place : designPlaces) {
    controls.Move(::GetDlgItem(m_hWnd, place.id), scale.Scale(place));
  }
}
