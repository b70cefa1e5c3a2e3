// The real picker window inside the benchmark process, driven as the program's modal loop would.
#pragma once

#include "picker/PickerDialog.h"

class BenchPicker : public CPickerDialog {
 public:
  using CPickerDialog::m_color;
  using CPickerDialog::m_picking;
};

// Dispatches every pending message of this thread, PreTranslateMessage included.
void PumpPicker(const CPickerDialog& picker);
// Pumps until the condition holds; false after the time is up.
template <class Condition>
bool PumpPickerUntil(const CPickerDialog& picker, Condition condition, double timeoutMs = 10000);

// A colour for the i-th of many changes, different from its neighbours.
inline COLORREF SampleColor(int i) {
  return RGB(i * 7 & 0xFF, i * 13 & 0xFF, i * 29 & 0xFF);
}

// Neither the window nor a visible control waits for a paint.
bool IsPainted(HWND window);

#include "Figures.h"

template <class Condition>
bool PumpPickerUntil(const CPickerDialog& picker, Condition condition, double timeoutMs) {
  const double start = NowMs();
  while (NowMs() - start < timeoutMs) {
    PumpPicker(picker);
    if (condition()) {
      return true;
    }
  }
  return false;
}
