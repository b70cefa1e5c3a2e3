#include "app/PickerApp.h"

#include "picker/PickerDialog.h"

namespace {

constexpr char kRunningGuardName[] = "_CHROMIVO_MutexRunning";
constexpr DWORD kRunningGuardSize = 128;

}  // namespace

BEGIN_MESSAGE_MAP(CPickerApp, CWinApp)
  ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// One copy at a time: the first copy holds a named page-file mapping for its whole run; a second
// copy finds the name taken and ends silently. If the mapping cannot be created at all, the
// program runs unguarded. Always FALSE: the application's life is the main window's modal loop.
BOOL CPickerApp::InitInstance() {
  CHandle runningGuard(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            kRunningGuardSize, kRunningGuardName));
  if (runningGuard != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    return FALSE;
  }
  {
    CPickerDialog picker(nullptr);
    m_pMainWnd = &picker;
    picker.DoModal();
    runningGuard.Close();
    m_pMainWnd = nullptr;
  }
  return FALSE;
}
