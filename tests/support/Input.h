// Real input, as the user gives it: SendInput into the system's input queue.
#pragma once

#include <windows.h>

#include <functional>

// Moves the pointer to a screen point in one step (one WM_MOUSEMOVE).
void MoveMouse(POINT screen);
// Moves the pointer there in several steps, as a hand does, calling pump after each.
void GlideMouse(POINT screen, const std::function<void()>& pump);
// Presses and releases the left button at the point. The point goes with both events: under
// Wine the X11 driver can report earlier moves of the pointer late, even between the two. Each
// event's move reaches the window as a WM_MOUSEMOVE, after the press too.
void ClickMouse(POINT screen);
void PressKey(WORD virtualKey);
// The centre of a window, in screen coordinates.
POINT CenterOf(HWND window);
