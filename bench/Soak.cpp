// Soak: pick cycles and colour changes in the picker window, then its process's working set
// against where it stood after a warm-up of ten cycles.
#include "Benchmarks.h"
#include "PickerHost.h"

#include <psapi.h>

namespace {

double WorkingSetMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
  return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// One pick cycle through the window's own handlers, left in one of the three ways.
void PickCycle(BenchPicker& picker, int cycle) {
  ::PostMessageA(picker.m_hWnd, WM_HOTKEY, PICK_HOTKEY_ID, 0);
  PumpPickerUntil(picker, [&] { return picker.m_picking && IsPainted(picker.m_hWnd); });
  switch (cycle % 3) {
    case 0:
      ::PostMessageA(picker.m_hWnd, WM_LBUTTONUP, 0, 0);
      break;
    case 1:
      ::PostMessageA(picker.m_hWnd, WM_RBUTTONUP, 0, 0);
      break;
    default:
      ::PostMessageA(picker.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
      break;
  }
  PumpPickerUntil(picker, [&] { return !picker.m_picking && IsPainted(picker.m_hWnd); });
}

}  // namespace

// Pick cycles and colour changes: the working set after them against where it stood after a
// warm-up of ten cycles.
void RunSoak(int pickCycles, int colorChanges) {
  BenchPicker picker;
  picker.Create();
  PumpPickerUntil(picker, [&] { return IsPainted(picker.m_hWnd); });
  for (int cycle = 0; cycle < 10; ++cycle) {
    PickCycle(picker, cycle);
  }
  const double warm = WorkingSetMiB();
  const double start = NowMs();
  for (int cycle = 0; cycle < pickCycles; ++cycle) {
    PickCycle(picker, cycle);
  }
  const double afterPicks = WorkingSetMiB();
  for (int change = 0; change < colorChanges; ++change) {
    picker.SetCurrentColor(SampleColor(change), change % 2 == 0);
    if (change % 100 == 0) {
      PumpPicker(picker);
    }
  }
  PumpPicker(picker);
  const double afterChanges = WorkingSetMiB();
  const double seconds = (NowMs() - start) / 1000.0;
  ::UnregisterHotKey(picker.m_hWnd, PICK_HOTKEY_ID);
  picker.DestroyWindow();
  // The environment can shorten the soak: the report names the counts that were run.
  const double picks = pickCycles;
  const double changes = colorChanges;
  PrintMetric("soak_pick_cycles", {picks, picks, picks}, "cycles");
  PrintMetric("soak_colour_changes", {changes, changes, changes}, "colours");
  PrintMetric("soak_rss_warm", {warm, warm, warm}, "MiB");
  PrintMetric("soak_rss_after_picks", {afterPicks, afterPicks, afterPicks}, "MiB");
  PrintMetric("soak_rss_after_changes", {afterChanges, afterChanges, afterChanges}, "MiB");
  PrintMetric("soak_seconds", {seconds, seconds, seconds}, "s");
}
