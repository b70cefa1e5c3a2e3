// The floor for start-up and footprint: the smallest Win32 dialog program, started and measured
// the same way as Chromivo. Its dialog paints a marker so that "painted" means the same for both.
#include <windows.h>

namespace {

constexpr int kDialogId = 100;

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = ::BeginPaint(dialog, &paint);
      const RECT marker{4, 4, 14, 14};
      ::SetBkColor(dc, RGB(255, 0, 255));
      ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &marker, nullptr, 0, nullptr);
      ::EndPaint(dialog, &paint);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, LOWORD(wParam));
      }
      return TRUE;
    case WM_CLOSE:
      ::EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return static_cast<int>(
      ::DialogBoxParamA(instance, MAKEINTRESOURCEA(kDialogId), nullptr, DialogProc, 0));
}
