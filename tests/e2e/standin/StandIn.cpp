// A tiny program of the tests' own that stands in for Chromivo while the end-to-end fixtures are
// proven: a topmost window with an edit, a check box, a trackbar, buttons whose effects show in
// labels, a log of mouse events on its bare client area, and Chromivo's hot key.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>

#include "standin/StandInIds.h"

namespace {

constexpr char kClassName[] = "ChromivoStandIn";
constexpr size_t kMouseLogEntries = 4;

struct State {
  int presses = 0;
  int hotKeys = 0;
  bool hotKeyTaken = false;
  HWND lastFocus = nullptr;
  std::deque<std::string> mouseLog;
};

State g_state;

HWND CreateControl(HWND parent, const char* className, const char* text, DWORD style,
                   const StandInControl& control) {
  return ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, control.left,
                           control.top, control.width, control.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                           ::GetModuleHandleA(nullptr), nullptr);
}

void SetNumber(HWND window, const StandInControl& control, int number) {
  ::SetDlgItemInt(window, control.id, static_cast<UINT>(number), FALSE);
}

void CreateControls(HWND window) {
  const HWND edit = CreateControl(window, "EDIT", kStandInInitialEditText,
                                  WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kStandInEdit);
  CreateControl(window, "BUTTON", "Check", WS_TABSTOP | BS_AUTOCHECKBOX, kStandInCheckBox);
  const HWND trackbar = CreateControl(window, TRACKBAR_CLASSA, "", WS_TABSTOP, kStandInTrackbar);
  ::SendMessageA(trackbar, TBM_SETRANGE, FALSE, MAKELPARAM(0, kStandInTrackbarMax));
  CreateControl(window, "BUTTON", "Press", WS_TABSTOP | BS_PUSHBUTTON, kStandInPressButton);
  CreateControl(window, "STATIC", "0", 0, kStandInPressCount);
  CreateControl(window, "BUTTON", "Copy", WS_TABSTOP | BS_PUSHBUTTON, kStandInCopyButton);
  CreateControl(window, "STATIC", "", 0, kStandInCopyResult);
  CreateControl(window, "STATIC", "0", 0, kStandInHotKeyCount);
  CreateControl(window, "STATIC", "", 0, kStandInMouseLog);
  g_state.lastFocus = edit;
}

void RegisterTheHotKey(HWND window) {
  g_state.hotKeyTaken = !::RegisterHotKey(window, kStandInHotKeyId, MOD_CONTROL, VK_SUBTRACT);
  if (g_state.hotKeyTaken) {
    ::SetDlgItemTextA(window, kStandInHotKeyCount.id, "taken");
  }
}

// Exactly length + 1 bytes, as Chromivo's Copy buttons put their text.
bool CopyText(HWND window, const std::string& text) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (block == nullptr) {
    return false;
  }
  void* data = ::GlobalLock(block);
  if (data != nullptr) {
    std::memcpy(data, text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
  }
  if (data == nullptr || !::OpenClipboard(window)) {
    ::GlobalFree(block);
    return false;
  }
  ::EmptyClipboard();
  const bool placed = ::SetClipboardData(CF_TEXT, block) != nullptr;
  if (!placed) {
    ::GlobalFree(block);
  }
  ::CloseClipboard();
  return placed;
}

void OnCopy(HWND window) {
  char text[256] = {};
  ::GetDlgItemTextA(window, kStandInEdit.id, text, static_cast<int>(sizeof(text)));
  const bool copied = CopyText(window, text);
  ::SetDlgItemTextA(window, kStandInCopyResult.id, copied ? "copied" : "clipboard busy");
}

void LogMouse(HWND window, const char* event, LPARAM position) {
  char entry[64];
  std::snprintf(entry, sizeof(entry), "%s %d,%d", event, static_cast<short>(LOWORD(position)),
                static_cast<short>(HIWORD(position)));
  g_state.mouseLog.push_back(entry);
  if (g_state.mouseLog.size() > kMouseLogEntries) {
    g_state.mouseLog.pop_front();
  }
  std::string log;
  for (const std::string& line : g_state.mouseLog) {
    log += (log.empty() ? "" : "; ") + line;
  }
  ::SetDlgItemTextA(window, kStandInMouseLog.id, log.c_str());
}

void OnCommand(HWND window, int id) {
  if (id == kStandInPressButton.id) {
    SetNumber(window, kStandInPressCount, ++g_state.presses);
  } else if (id == kStandInCopyButton.id) {
    OnCopy(window);
  }
}

// A plain window forgets which child had the focus when it is deactivated; keep it like a
// dialog does, so that keys go back to the edit after the tests switch windows.
void OnActivate(HWND window, WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window, focus)) {
      g_state.lastFocus = focus;
    }
  } else if (g_state.lastFocus != nullptr) {
    ::SetFocus(g_state.lastFocus);
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls(window);
      RegisterTheHotKey(window);
      return 0;
    case WM_ACTIVATE:
      OnActivate(window, wParam);
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      return 0;
    case WM_HOTKEY:
      if (wParam == kStandInHotKeyId && !g_state.hotKeyTaken) {
        SetNumber(window, kStandInHotKeyCount, ++g_state.hotKeys);
      }
      return 0;
    case WM_LBUTTONDOWN:
      ::SetCapture(window);
      LogMouse(window, "down", lParam);
      return 0;
    case WM_LBUTTONUP:
      ::ReleaseCapture();
      LogMouse(window, "up", lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      LogMouse(window, "double", lParam);
      return 0;
    case WM_RBUTTONDOWN:
      LogMouse(window, "rdown", lParam);
      return 0;
    case WM_RBUTTONUP:
      LogMouse(window, "rup", lParam);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(kStandInExitCode);
      return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassExA(&windowClass);
  const HWND window =
      ::CreateWindowExA(WS_EX_TOPMOST, kClassName, kStandInCaption,
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, kStandInLeft, kStandInTop,
                        kStandInWidth, kStandInHeight, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(window, SW_SHOW);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
