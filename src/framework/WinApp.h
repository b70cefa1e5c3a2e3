// CWinApp: the one application object, constructed statically, and the process entry's partner.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "framework/Wnd.h"

// The standard help command.
constexpr UINT ID_HELP = 0xE146;

class CWinApp : public CCmdTarget {
 public:
  CWinApp();
  ~CWinApp() override;

  virtual BOOL InitApplication() { return TRUE; }
  // Returning FALSE ends the application: ExitInstance runs, then the process exits.
  virtual BOOL InitInstance() { return TRUE; }
  virtual int Run();
  virtual int ExitInstance() { return 0; }

  HICON LoadIcon(UINT nIDResource) const;
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadCursor(LPCSTR resourceName) const;

  // Opens the application's help file (the executable's name with ".HLP").
  void OnHelp();

  CWnd* m_pMainWnd = nullptr;
  CString m_strHelpFilePath;

  DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();

// The process entry's body: InitApplication and InitInstance, then Run or ExitInstance.
int AfxWinMain();
