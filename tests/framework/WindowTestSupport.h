// Shared by the framework's window tests: a dialog on the test template, a message pump that
// works like the modal loop, and a bitmap to draw into and read back.
#pragma once

#include <windows.h>

#include "FrameworkTestIds.h"
#include "framework/Framework.h"

// Where test dialogs appear on the test display (a 1920x1080 Wine desktop).
constexpr int kDialogLeft = 100;
constexpr int kDialogTop = 100;

// A dialog on one of the test templates; created modeless, at a known place on the screen.
class CTestDialog : public CDialog {
 public:
  explicit CTestDialog(UINT nIDTemplate = IDD_FRAMEWORK_TEST) : CDialog(nIDTemplate) {}

  HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
  BOOL OnInitDialog() override;
};

// A 32-bit bitmap selected into a memory DC.
class CCanvas {
 public:
  CCanvas(int width, int height);

  CDC& Dc() { return m_dc; }
  COLORREF Pixel(int x, int y) const { return m_dc.GetPixel(x, y); }

 private:
  CBitmap m_bitmap;  // declared first so that the DC lets go of it before it is deleted
  CDC m_dc;
};
