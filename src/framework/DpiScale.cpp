#include "framework/DpiScale.h"

#include "framework/Gdi.h"

namespace {

// The per-monitor DPI functions of Windows 10 1607 and later, looked up where they exist.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

CDpiScale CDpiScale::ForSystem() {
  const CClientDC screen(nullptr);
  const int dpi = screen.GetDeviceCaps(LOGPIXELSY);
  return CDpiScale(dpi > 0 ? dpi : kDesignDpi);
}

CDpiScale CDpiScale::ForWindow(HWND window) {
  static const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi > 0 ? CDpiScale(static_cast<int>(dpi)) : ForSystem();
}

bool CDpiScale::AdjustWindowRect(RECT* rect, DWORD style, DWORD exStyle) const {
  static const auto adjustWindowRectExForDpi =
      User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  return adjustWindowRectExForDpi != nullptr &&
         adjustWindowRectExForDpi(rect, style, FALSE, exStyle, static_cast<UINT>(m_dpi));
}

int CDpiScale::SystemMetric(int index) const {
  static const auto getSystemMetricsForDpi =
      User32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  return getSystemMetricsForDpi != nullptr ? getSystemMetricsForDpi(index, static_cast<UINT>(m_dpi))
                                           : ::GetSystemMetrics(index);
}
