// Whether a control's text can be read whole: measured on one line in the control's own font
// (DrawText with DT_CALCRECT in the control's DC), against the room the control gives its text.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace text_fit {

inline std::string ClassOf(HWND control) {
  char name[64] = {};
  ::GetClassNameA(control, name, sizeof(name));
  return name;
}

inline std::string TextOf(HWND control) {
  char text[256] = {};
  ::GetWindowTextA(control, text, sizeof(text));
  return text;
}

// A static's client area; an edit's formatting rectangle; a push button's client area inside
// its edges; what a check box's box leaves of its client area.
inline RECT TextRoom(HWND control) {
  RECT room{};
  ::GetClientRect(control, &room);
  const std::string kind = ClassOf(control);
  const LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE);
  if (_stricmp(kind.c_str(), "Edit") == 0) {
    ::SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  } else if (_stricmp(kind.c_str(), "Button") == 0) {
    if ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX || (style & BS_TYPEMASK) == BS_CHECKBOX) {
      room.left += ::GetSystemMetrics(SM_CXMENUCHECK) + ::GetSystemMetrics(SM_CXEDGE);
    } else {
      ::InflateRect(&room, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
    }
  }
  return room;
}

}  // namespace text_fit

// Up-down controls and trackbars do not show their window text.
inline testing::AssertionResult TextFitsControl(HWND control) {
  const std::string kind = text_fit::ClassOf(control);
  if (_stricmp(kind.c_str(), UPDOWN_CLASSA) == 0 || _stricmp(kind.c_str(), TRACKBAR_CLASSA) == 0) {
    return testing::AssertionSuccess();
  }
  const std::string text = text_fit::TextOf(control);
  const HDC dc = ::GetDC(control);
  const HGDIOBJ previous =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
  UINT format = DT_CALCRECT | DT_SINGLELINE;
  if ((::GetWindowLongPtrA(control, GWL_STYLE) & SS_NOPREFIX) != 0 &&
      _stricmp(kind.c_str(), "Static") == 0) {
    format |= DT_NOPREFIX;
  }
  RECT extent{};
  ::DrawTextA(dc, text.c_str(), -1, &extent, format);
  ::SelectObject(dc, previous);
  ::ReleaseDC(control, dc);
  const RECT room = text_fit::TextRoom(control);
  const int roomWidth = room.right - room.left;
  const int roomHeight = room.bottom - room.top;
  if (extent.right - extent.left > roomWidth || extent.bottom - extent.top > roomHeight) {
    return testing::AssertionFailure()
           << "\"" << text << "\" in control " << ::GetDlgCtrlID(control) << " takes "
           << extent.right - extent.left << "x" << extent.bottom - extent.top << " of " << roomWidth
           << "x" << roomHeight;
  }
  return testing::AssertionSuccess();
}

// The fonts the controls have that the program made (not the dialog manager's template font).
inline std::vector<HFONT> FontsMadeForControls(HWND window) {
  const auto templateFont = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
  std::vector<HFONT> fonts;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const auto font = reinterpret_cast<HFONT>(::SendMessageA(child, WM_GETFONT, 0, 0));
    if (font != templateFont && std::find(fonts.begin(), fonts.end(), font) == fonts.end()) {
      fonts.push_back(font);
    }
  }
  return fonts;
}

inline bool IsUnderlined(HWND control) {
  LOGFONTA font{};
  return ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)),
                      sizeof(font), &font) == sizeof(font) &&
         font.lfUnderline;
}
