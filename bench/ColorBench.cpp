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

// The window system's part of one colour change, made directly: three static texts, three slider
// positions and the swatch invalidated, the same calls SetCurrentColor makes without the edits.
void ColorChangeFloor(HWND window, int i) {
  const COLORREF color = SampleColor(i);
  char text[32];
  for (const int id : {IDC_HEX_TEXT, IDC_HTML_TEXT, IDC_RGB_TEXT}) {
    wsprintfA(text, "%06X", static_cast<unsigned>(color) + static_cast<unsigned>(id));
    ::SetWindowTextA(::GetDlgItem(window, id), text);
  }
  ::SendDlgItemMessageA(window, IDC_RED_SLIDER, TBM_SETPOS, TRUE, GetRValue(color));
  ::SendDlgItemMessageA(window, IDC_GREEN_SLIDER, TBM_SETPOS, TRUE, GetGValue(color));
  ::SendDlgItemMessageA(window, IDC_BLUE_SLIDER, TBM_SETPOS, TRUE, GetBValue(color));
  RECT client;
  ::GetClientRect(window, &client);
  const RECT swatch{client.right - 70, 127, client.right - 10, 140};
  ::InvalidateRect(window, &swatch, TRUE);
}

}  // namespace

void RunColorBenchmarks() {
  BenchPicker picker;
  picker.Create();
  const Figure withEdits =
      PerCall(picker, [&](int i) { picker.SetCurrentColor(SampleColor(i), true); });
  const Figure withoutEdits =
      PerCall(picker, [&](int i) { picker.SetCurrentColor(SampleColor(i), false); });
  const Figure floor = PerCall(picker, [&](int i) { ColorChangeFloor(picker.m_hWnd, i); });
  const HWND slider = ::GetDlgItem(picker.m_hWnd, IDC_GREEN_SLIDER);
  const Figure sliderStep = PerCall(picker, [&](int i) {
    ::SendMessageA(slider, TBM_SETPOS, TRUE, i & 0xFF);
    ::SendMessageA(picker.m_hWnd, WM_HSCROLL, TB_LINEDOWN, reinterpret_cast<LPARAM>(slider));
  });
  ::UnregisterHotKey(picker.m_hWnd, PICK_HOTKEY_ID);
  picker.DestroyWindow();
  PrintMetric("set_colour_with_edits", withEdits, "us");
  PrintMetric("set_colour_without_edits", withoutEdits, "us");
  PrintMetric("colour_change_floor", floor, "us");
  PrintMetric("slider_step", sliderStep, "us");
}
