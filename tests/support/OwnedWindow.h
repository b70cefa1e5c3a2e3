// Windows that a window of the test's own thread owns: a modal box it opened, found from a timer
// that runs inside the box's modal loop.
#pragma once

#include <windows.h>

// The visible window of this thread that the owner owns: the box while it is open.
inline HWND OwnedWindow(HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search{owner, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<Search*>(data);
        if (::GetWindow(window, GW_OWNER) == search->owner && ::IsWindowVisible(window)) {
          search->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}
