// Whether pick mode's snapshot ever shows the program's own window where it stood: Chromivo.exe
// over a known image of the benchmark's own, entered by the hot key again and again. Once the
// frozen screen shows, the window's old place is compared with the image; a difference that
// lasts is the window, caught in the snapshot.
#include <cstdio>

#include "Benchmarks.h"
#include "PickerHost.h"
#include "fixtures/ChromivoProcess.h"
#include "fixtures/Foreground.h"
#include "fixtures/Input.h"
#include "fixtures/KnownImageWindow.h"
#include "fixtures/ImagePattern.h"
#include "fixtures/Rect.h"
#include "fixtures/WindowQuery.h"

namespace {

// The picture of pick mode reaches the screen a little after the window has painted it.
constexpr DWORD kSettleMs = 500;

bool Covers(HWND window, const RECT& screen) {
  return WindowRectOnScreen(window) == screen && IsPainted(window);
}

}  // namespace

void RunSnapshotBenchmark(int entries, const std::string& suffix) {
  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  KnownImageWindow image(screen, CoordinatePattern(), ZOrder::kNormal);
  ChromivoProcess chromivo;
  if (!image.WaitUntilOnScreen() || !chromivo.Start()) {
    std::fprintf(stderr, "snapshot: the image or Chromivo did not start\n");
    return;
  }
  const HWND window = chromivo.WaitForMainWindow();
  if (window == nullptr || BringToForeground(window) == ForegroundMeans::kFailed) {
    std::fprintf(stderr, "snapshot: Chromivo's window did not come up\n");
    return;
  }
  const RECT panel = WindowRectOnScreen(window);
  int entered = 0;
  int showingWindow = 0;
  for (int entry = 0; entry < entries; ++entry) {
    PressKey(VK_SUBTRACT, kCtrl);
    if (!WaitUntil([&] { return Covers(window, screen); })) {
      continue;
    }
    ++entered;
    const bool clean = WaitUntil(
        [&] {
          return !FirstMismatch(ScreenCapture::Of(panel), panel, CoordinatePattern(), POINT{0, 0});
        },
        kSettleMs);
    showingWindow += clean ? 0 : 1;
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return WindowRectOnScreen(window) == panel && IsPainted(window); });
  }
  chromivo.Kill();
  std::printf("info snapshot_entries%s %d of %d\n", suffix.c_str(), entered, entries);
  PrintMetric("snapshot_shows_window" + suffix, Summarise({static_cast<double>(showingWindow)}),
              "entries");
}
