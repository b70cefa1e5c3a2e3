// Start-up: from CreateProcess to the main window shown with every part of it painted, for
// Chromivo and for its floors (the minimal dialog program, bare and with Chromivo's manifest, and
// Chromivo's template made by a bare dialog), started the same way in the same run.
#include "Benchmarks.h"

#include <string>

#include "Figures.h"
#include "fixtures/Process.h"

namespace {

constexpr int kRuns = 9;
constexpr DWORD kTimeoutMs = 20000;

bool HasPendingPaint(HWND window) {
  return ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

// Shown, and neither the window nor any of its controls waits for a paint.
bool IsShownAndPainted(HWND window) {
  if (window == nullptr || !::IsWindowVisible(window) || HasPendingPaint(window)) {
    return false;
  }
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child) && HasPendingPaint(child)) {
      return false;
    }
  }
  return true;
}

// Milliseconds from the start of the process to its painted window, or a negative number when
// it did not come within the time.
double TimeToPaintedWindow(const std::string& exePath, const char* caption) {
  TestProcess program(exePath);
  const double start = NowMs();
  if (!program.Start()) {
    return -1;
  }
  double shown = -1;
  while (NowMs() - start < kTimeoutMs) {
    if (IsShownAndPainted(FindTopLevelWindow(program.Id(), caption))) {
      shown = NowMs() - start;
      break;
    }
    ::Sleep(1);
  }
  const HWND window = FindTopLevelWindow(program.Id(), caption);
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  program.WaitForExit(kTimeoutMs);
  return shown;
}

void MeasureStartOf(const std::string& exePath, const char* caption, const std::string& metric) {
  TimeToPaintedWindow(exePath, caption);  // warm-up: the first start loads Wine's files
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    const double ms = TimeToPaintedWindow(exePath, caption);
    if (ms >= 0) {
      samples.push_back(ms);
    }
  }
  PrintMetric(metric, Summarise(samples), "ms");
}

}  // namespace

void RunStartupBenchmarks(const std::string& suffix, const std::string& folder) {
  const auto in = [&](const char* exeName) {
    return folder.empty() ? PathBesideTests(exeName) : folder + "\\" + exeName;
  };
  MeasureStartOf(in("Chromivo.exe"), "Chromivo", "startup_chromivo" + suffix);
  MeasureStartOf(in("MinimalDialog.exe"), "Minimal", "startup_minimal" + suffix);
  MeasureStartOf(in("MinimalDialogManifest.exe"), "Minimal", "startup_minimal_manifest" + suffix);
  MeasureStartOf(in("DesignDialog.exe"), "Chromivo", "startup_design" + suffix);
}
