#include "Input.h"

namespace {

void Send(INPUT input) {
  ::SendInput(1, &input, sizeof(input));
}

// Absolute coordinates are 0..65536 across the primary screen; rounding up lands on the pixel.
LONG Normalized(LONG coordinate, int extent) {
  return static_cast<LONG>((static_cast<long long>(coordinate) * 65536 + extent - 1) / extent);
}

INPUT MouseAt(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Normalized(screen.x, ::GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalized(screen.y, ::GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return input;
}

}  // namespace

void MoveMouse(POINT screen) {
  Send(MouseAt(screen, 0));
}

void GlideMouse(POINT screen, const std::function<void()>& pump) {
  POINT from{};
  ::GetCursorPos(&from);
  constexpr int kSteps = 4;
  for (int step = 1; step <= kSteps; ++step) {
    MoveMouse({from.x + (screen.x - from.x) * step / kSteps,
               from.y + (screen.y - from.y) * step / kSteps});
    pump();
  }
}

void ClickMouse(POINT screen) {
  Send(MouseAt(screen, MOUSEEVENTF_LEFTDOWN));
  Send(MouseAt(screen, MOUSEEVENTF_LEFTUP));
}

void PressKey(WORD virtualKey) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  Send(input);
  input.ki.dwFlags = KEYEVENTF_KEYUP;
  Send(input);
}

POINT CenterOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
