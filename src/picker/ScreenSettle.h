// The screen without the program's window: pick mode copies the screen just after the window
// has left it, and the copy must not show the window.
#pragma once

#include <windows.h>

// The compositor's fade and zoom when the window is hidden, shown or moved would leave a ghost of
// it on the screen for a moment.
void TurnOffCompositorTransitions(HWND window);

// With the desktop compositor on, the screen is a composed frame: waits until the compositor shows
// that it has presented one composed after the window left. Where it cannot show that, and
// without a compositor, the windows that lay under the rectangle repaint it themselves: waits
// until none of them has anything left to paint there. Never longer than a fixed bound in all, so
// that neither the compositor nor a program that does not paint can hold the caller up.
void WaitUntilScreenShowsRectWithout(HWND window, const RECT& uncovered);
