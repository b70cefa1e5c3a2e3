#include "picker/ScreenSettle.h"

#include <dwmapi.h>

#include <algorithm>
#include <vector>

#include "framework/SystemLibraries.h"

namespace {

// About six frames: long enough for the compositor to present a frame, or for a program that is
// waiting for input to repaint, short enough to go unnoticed when neither ever comes.
constexpr ULONGLONG kSettleLimitMs = 100;

struct UncoveredSearch {
  HWND self;
  RECT area;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectUncovered(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<UncoveredSearch*>(data);
  RECT rect;
  if (window != search->self && ::IsWindowVisible(window) && ::GetWindowRect(window, &rect) &&
      ::IntersectRect(&rect, &rect, &search->area)) {
    search->found.push_back(window);
  }
  return TRUE;
}

// The top-level windows that overlap the area.
std::vector<HWND> WindowsUnder(HWND self, const RECT& area) {
  UncoveredSearch search{self, area, {}};
  ::EnumWindows(CollectUncovered, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK FindPendingChild(HWND child, LPARAM data) {
  auto* pending = reinterpret_cast<bool*>(data);
  *pending = ::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE);
  return !*pending;
}

// The window itself or one of its children has a paint pending.
bool HasPaintPending(HWND window) {
  bool pending = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
  if (!pending) {
    ::EnumChildWindows(window, FindPendingChild, reinterpret_cast<LPARAM>(&pending));
  }
  return pending;
}

// The desktop's children are all the top-level windows: only its own background counts.
bool AnyPaintPending(const std::vector<HWND>& windows) {
  return ::GetUpdateRect(::GetDesktopWindow(), nullptr, FALSE) ||
         std::any_of(windows.begin(), windows.end(), HasPaintPending);
}

ULONGLONG MillisecondsLeft(ULONGLONG deadline) {
  const ULONGLONG now = ::GetTickCount64();
  return now < deadline ? deadline - now : 0;
}

// A window's update region empties when its painting begins, not when the pixels are out: one
// message round trip to each window's thread, which answers only once its paint is done, makes
// sure. A hung program is not waited for at all, a slow one no longer than the time left.
void WaitForPaintsUnderway(std::vector<HWND> windows, ULONGLONG deadline) {
  std::vector<DWORD> threadsAsked{::GetCurrentThreadId()};
  windows.push_back(::GetDesktopWindow());
  for (const HWND window : windows) {
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    const ULONGLONG left = MillisecondsLeft(deadline);
    if (left == 0) {
      return;
    }
    if (std::find(threadsAsked.begin(), threadsAsked.end(), thread) == threadsAsked.end()) {
      threadsAsked.push_back(thread);
      DWORD_PTR ignored = 0;
      ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            static_cast<UINT>(left), &ignored);
    }
  }
}

// dwmapi is loaded on first use, from the system folder. Where it cannot be loaded, a call into it
// would end the program: there is no compositor to ask then.
bool CompositorApiLoads() {
  static const CLibrary dwmapi(AfxLoadSystemLibrary("dwmapi.dll"));
  return dwmapi.IsLoaded();
}

bool IsCompositorOn() {
  BOOL on = FALSE;
  return CompositorApiLoads() && SUCCEEDED(::DwmIsCompositionEnabled(&on)) && on;
}

LONGLONG PerformanceCounterNow() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// When the compositor last composed a frame, on the performance counter; 0 if it cannot say.
LONGLONG LastCompositionTime() {
  DWM_TIMING_INFO timing{};
  timing.cbSize = sizeof(timing);
  if (FAILED(::DwmGetCompositionTimingInfo(nullptr, &timing))) {
    return 0;
  }
  return static_cast<LONGLONG>(timing.qpcCompose);
}

// With the compositor on, the screen shows the frame it last presented. DwmFlush waits for the
// next present; the compositor's timing (DWM_TIMING_INFO's qpcCompose) tells whether a frame was
// composed after `since`. False when the timing does not move from one present to the next (Wine
// reports zeros): then the compositor proves nothing, and the caller waits as without one.
bool CompositorPresentedSince(LONGLONG since, ULONGLONG deadline) {
  LONGLONG previous = -1;
  while (MillisecondsLeft(deadline) > 0 && SUCCEEDED(::DwmFlush())) {
    const LONGLONG composed = LastCompositionTime();
    if (composed > since) {
      return true;
    }
    if (composed == previous) {
      return false;
    }
    previous = composed;
  }
  return false;
}

// Without a compositor, the windows that lay under the rectangle repaint it themselves.
void WaitForRepaintsOf(HWND window, const RECT& uncovered, ULONGLONG deadline) {
  // Windows asks the windows a window uncovers to repaint at once; Wine's X driver restores
  // their pixels only when the X server reports the exposure, some time later. Asking them
  // here makes both the same, and gives the wait below something it can see.
  ::RedrawWindow(nullptr, &uncovered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  const std::vector<HWND> windows = WindowsUnder(window, uncovered);
  while (AnyPaintPending(windows) && MillisecondsLeft(deadline) > 0) {
    ::Sleep(1);
  }
  WaitForPaintsUnderway(windows, deadline);
}

}  // namespace

void TurnOffCompositorTransitions(HWND window) {
  const BOOL disable = TRUE;
  if (CompositorApiLoads()) {
    ::DwmSetWindowAttribute(window, DWMWA_TRANSITIONS_FORCEDISABLED, &disable, sizeof(disable));
  }
}

void WaitUntilScreenShowsRectWithout(HWND window, const RECT& uncovered) {
  const LONGLONG left = PerformanceCounterNow();
  const ULONGLONG deadline = ::GetTickCount64() + kSettleLimitMs;
  if (IsCompositorOn() && CompositorPresentedSince(left, deadline)) {
    return;
  }
  WaitForRepaintsOf(window, uncovered, deadline);
}
