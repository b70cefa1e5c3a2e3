#include "app/PickerApp.h"

BEGIN_MESSAGE_MAP(CPickerApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CPickerApp::InitInstance() {
  return FALSE;
}
