#include "framework/DpiScale.h"

#include "framework/Gdi.h"
#include "framework/SystemLibraries.h"

CDpiScale CDpiScale::ForSystem() {
  const CClientDC screen(nullptr);
  const int dpi = screen.GetDeviceCaps(LOGPIXELSY);
  return CDpiScale(dpi > 0 ? dpi : kDesignDpi);
}

CDpiScale CDpiScale::ForWindow(HWND window) {
  static const auto getDpiForWindow =
      AfxSystemFunction<UINT(WINAPI*)(HWND)>("user32.dll", "GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi > 0 ? CDpiScale(static_cast<int>(dpi)) : ForSystem();
}

bool CDpiScale::AdjustWindowRect(RECT* rect, DWORD style, DWORD exStyle) const {
  static const auto adjustWindowRectExForDpi =
      AfxSystemFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("user32.dll",
                                                                        "AdjustWindowRectExForDpi");
  return adjustWindowRectExForDpi != nullptr &&
         adjustWindowRectExForDpi(rect, style, FALSE, exStyle, static_cast<UINT>(m_dpi));
}

int CDpiScale::SystemMetric(int index) const {
  static const auto getSystemMetricsForDpi =
      AfxSystemFunction<int(WINAPI*)(int, UINT)>("user32.dll", "GetSystemMetricsForDpi");
  return getSystemMetricsForDpi != nullptr ? getSystemMetricsForDpi(index, static_cast<UINT>(m_dpi))
                                           : ::GetSystemMetrics(index);
}
