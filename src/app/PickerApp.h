// CPickerApp: the application object. Its whole life is the main window's modal loop.
#pragma once

#include "framework/Framework.h"

class CPickerApp : public CWinApp {
 public:
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};
