// Pick mode: from the hot key to the snapshot on the screen, against the platform's floor for the
// same work (the same hot key delivered, one copy of the screen and one blit of it to a
// full-screen window); and from the left-button release to the window back with the new colour.
#include <cstdio>

#include "Benchmarks.h"
#include "PickerHost.h"
#include "fixtures/Input.h"
#include "fixtures/Wait.h"
#include "picker/ScreenSettle.h"

namespace {

constexpr int kRuns = 15;

bool CoversTheScreen(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  return rect.left == 0 && rect.top == 0 && rect.right == ::GetSystemMetrics(SM_CXSCREEN) &&
         rect.bottom == ::GetSystemMetrics(SM_CYSCREEN);
}

void LeavePickMode(BenchPicker& picker) {
  ::PostMessageA(picker.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
  PumpPickerUntil(picker, [&] { return !picker.m_picking && IsPainted(picker.m_hWnd); });
}

// From pressing Ctrl + keypad minus to the snapshot painted over the whole screen.
double TimePickEntry(BenchPicker& picker) {
  const double start = NowMs();
  PressKey(VK_SUBTRACT, kCtrl);
  const bool entered = PumpPickerUntil(picker, [&] {
    return picker.m_picking && CoversTheScreen(picker.m_hWnd) && IsPainted(picker.m_hWnd);
  });
  ::GdiFlush();
  return entered ? NowMs() - start : -1;
}

// The floor: a full-screen window of the benchmark's own that takes the same hot key and, when it
// comes, copies the screen and blits the copy to itself, as pick mode does.
class FloorWindow {
 public:
  FloorWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ChromivoBenchFloor";
    ::RegisterClassA(&windowClass);
    m_window =
        ::CreateWindowExA(WS_EX_TOPMOST, "ChromivoBenchFloor", "", WS_POPUP | WS_VISIBLE, 0, 0,
                          ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                          nullptr, windowClass.hInstance, nullptr);
    ::UpdateWindow(m_window);
    ::RegisterHotKey(m_window, PICK_HOTKEY_ID, MOD_CONTROL, VK_SUBTRACT);
  }
  ~FloorWindow() {
    ::UnregisterHotKey(m_window, PICK_HOTKEY_ID);
    ::DestroyWindow(m_window);
  }
  FloorWindow(const FloorWindow&) = delete;
  FloorWindow& operator=(const FloorWindow&) = delete;

  // From pressing the hot key to the copy blitted, pumped as pick entry is.
  double TimeHotKeyCopyAndBlit() {
    s_blitted = false;
    const double start = NowMs();
    PressKey(VK_SUBTRACT, kCtrl);
    while (!s_blitted && NowMs() - start < 10000) {
      PumpMessages();
    }
    return s_blitted ? NowMs() - start : -1;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == PICK_HOTKEY_ID) {
      CopyAndBlit(window);
      s_blitted = true;
      return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  static void CopyAndBlit(HWND target) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    CDC screen;
    screen.CreateDC("DISPLAY", nullptr, nullptr, nullptr);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap copy;
    copy.CreateCompatibleBitmap(&screen, width, height);
    memory.SelectObject(&copy);
    memory.BitBlt(0, 0, width, height, &screen, 0, 0, SRCCOPY);
    CClientDC window(CWnd::FromHandle(target));
    window.BitBlt(0, 0, width, height, &memory, 0, 0, SRCCOPY);
    ::GdiFlush();
  }

  static inline bool s_blitted = false;
  HWND m_window;
};

}  // namespace

void RunPickEntryBenchmarks(const std::string& suffix) {
  std::vector<double> floor;
  {
    FloorWindow window;
    for (int run = 0; run <= kRuns; ++run) {
      PumpFor(20);
      const double ms = window.TimeHotKeyCopyAndBlit();
      if (run > 0 && ms >= 0) {
        floor.push_back(ms);
      }
    }
  }
  BenchPicker picker;
  picker.Create();
  PumpPickerUntil(picker, [&] { return IsPainted(picker.m_hWnd); });
  std::vector<double> entry;
  for (int run = 0; run <= kRuns; ++run) {
    const double ms = TimePickEntry(picker);
    LeavePickMode(picker);
    if (run > 0 && ms >= 0) {
      entry.push_back(ms);
    }
  }
  ::UnregisterHotKey(picker.m_hWnd, PICK_HOTKEY_ID);
  picker.DestroyWindow();
  std::printf("info screen%s %dx%d\n", suffix.c_str(), ::GetSystemMetrics(SM_CXSCREEN),
              ::GetSystemMetrics(SM_CYSCREEN));
  PrintMetric("pick_entry" + suffix, Summarise(entry), "ms");
  PrintMetric("copy_blit" + suffix, Summarise(floor), "ms");
}

void RunPickExitBenchmark() {
  BenchPicker picker;
  picker.Create();
  PumpPickerUntil(picker, [&] { return IsPainted(picker.m_hWnd); });
  std::vector<double> exits;
  for (int run = 0; run <= kRuns; ++run) {
    TimePickEntry(picker);
    const POINT pixel{100 + run, 100};
    const double start = NowMs();
    Click(pixel);
    const bool back =
        PumpPickerUntil(picker, [&] { return !picker.m_picking && IsPainted(picker.m_hWnd); });
    ::GdiFlush();
    if (run > 0 && back) {
      exits.push_back(NowMs() - start);
    }
  }
  ::UnregisterHotKey(picker.m_hWnd, PICK_HOTKEY_ID);
  picker.DestroyWindow();
  PrintMetric("pick_exit", Summarise(exits), "ms");
}

// A window of the panel's size over the desktop, parked off the screen as pick entry parks it,
// then the wait that pick entry makes before it copies the screen.
void RunWaitBeforeCopyBenchmark(const std::string& suffix) {
  const HWND window = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | SS_BLACKRECT, 0, 0,
                                        0, 0, nullptr, nullptr, nullptr, nullptr);
  const RECT panel{200, 200, 610, 392};
  std::vector<double> waits;
  for (int run = 0; run <= kRuns; ++run) {
    ::SetWindowPos(window, HWND_TOPMOST, panel.left, panel.top, panel.right - panel.left,
                   panel.bottom - panel.top, SWP_SHOWWINDOW);
    ::UpdateWindow(window);
    PumpFor(50);
    ::SetWindowPos(window, HWND_TOPMOST, -110, -110, 1, 1, 0);
    const double start = NowMs();
    WaitUntilScreenShowsRectWithout(window, panel);
    if (run > 0) {
      waits.push_back(NowMs() - start);
    }
  }
  ::DestroyWindow(window);
  PrintMetric("wait_before_copy" + suffix, Summarise(waits), "ms");
}
