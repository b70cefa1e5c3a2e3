// The cost of the colour path: SetCurrentColor with and without rewriting the edits, and one
// slider step from WM_HSCROLL to every view rewritten.
#include "Benchmarks.h"
#include "PickerHost.h"
#include "res/resource.h"

namespace {

constexpr int kBatches = 21;
constexpr int kCallsPerBatch = 200;

// Microseconds per call: each batch's time divided by its calls; the window's paints are
// handled between batches, not inside them.
template <class Call>
Figure PerCall(const BenchPicker& picker, Call call) {
  std::vector<double> samples;
  for (int batch = 0; batch < kBatches; ++batch) {
    PumpPickerUntil(picker, [&] { return IsPainted(picker.m_hWnd); });
    const double start = NowMs();
    for (int i = 0; i < kCallsPerBatch; ++i) {
      call(batch * kCallsPerBatch + i);
    }
    samples.push_back((NowMs() - start) * 1000.0 / kCallsPerBatch);
  }
  return Summarise(samples);
}

}  // namespace

void RunColourBenchmarks() {
  BenchPicker picker;
  picker.Create();
  const Figure withEdits =
      PerCall(picker, [&](int i) { picker.SetCurrentColor(SampleColour(i), true); });
  const Figure withoutEdits =
      PerCall(picker, [&](int i) { picker.SetCurrentColor(SampleColour(i), false); });
  const HWND slider = ::GetDlgItem(picker.m_hWnd, IDC_GREEN_SLIDER);
  const Figure sliderStep = PerCall(picker, [&](int i) {
    ::SendMessageA(slider, TBM_SETPOS, TRUE, i & 0xFF);
    ::SendMessageA(picker.m_hWnd, WM_HSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(slider));
  });
  ::UnregisterHotKey(picker.m_hWnd, PICK_HOTKEY_ID);
  picker.DestroyWindow();
  PrintMetric("set_colour_with_edits", withEdits, "us");
  PrintMetric("set_colour_without_edits", withoutEdits, "us");
  PrintMetric("slider_step", sliderStep, "us");
}
