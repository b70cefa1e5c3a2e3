#include "WindowTestSupport.h"

#include "TopDownBitmap.h"

BOOL CTestDialog::OnInitDialog() {
  ::SetWindowPos(m_hWnd, nullptr, kDialogLeft, kDialogTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return CDialog::OnInitDialog();
}

CCanvas::CCanvas(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = TopDown32BitHeader(width, height);
  void* bits = nullptr;
  m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  m_dc.CreateCompatibleDC(nullptr);
  m_dc.SelectObject(&m_bitmap);
}
