#include "framework/WinApp.h"

#include "framework/MessageHandlers.h"

namespace {

CWinApp* theApplication = nullptr;

// The executable's path with ".HLP" in place of its extension.
CString HelpFilePath() {
  char path[MAX_PATH + 4] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return CString();
  }
  char* extension = path + length;
  for (char* p = path + length; p != path && p[-1] != '\\' && p[-1] != '/'; --p) {
    if (p[-1] == '.') {
      extension = p - 1;
      break;
    }
  }
  lstrcpynA(extension, ".HLP", 5);
  return CString(path);
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp() : m_strHelpFilePath(HelpFilePath()) {
  theApplication = this;
}

CWinApp::~CWinApp() {
  if (theApplication == this) {
    theApplication = nullptr;
  }
}

int CWinApp::Run() {
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    AfxTranslateAndDispatch(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, &msg);
  }
  return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
  return ::LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadCursor(LPCSTR resourceName) const {
  return ::LoadCursorA(AfxGetInstanceHandle(), resourceName);
}

void CWinApp::OnHelp() {
  ::WinHelpA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, m_strHelpFilePath, HELP_FINDER, 0);
}

CWinApp* AfxGetApp() {
  return theApplication;
}

CWnd* AfxGetMainWnd() {
  return theApplication ? theApplication->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
  return ::GetModuleHandleA(nullptr);
}

int AfxWinMain() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr || !app->InitApplication()) {
    return -1;
  }
  if (!app->InitInstance()) {
    return app->ExitInstance();
  }
  return app->Run();
}
