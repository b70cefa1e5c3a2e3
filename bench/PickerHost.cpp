#include "PickerHost.h"

void PumpPicker(const CPickerDialog& picker) {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    AfxTranslateAndDispatch(picker.m_hWnd, &msg);
  }
}

bool IsPainted(HWND window) {
  if (::GetUpdateRect(window, nullptr, FALSE)) {
    return false;
  }
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
      return false;
    }
  }
  return true;
}
