// The dialog procedure of the benchmark's floor programs: the least a dialog does. It paints a
// marker so that "painted" means the same for the floors as for Chromivo, and ends on OK, Cancel
// or close.
#pragma once

#include <windows.h>

inline INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
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
