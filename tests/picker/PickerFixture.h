// The real picker window created inside the test process, modeless, and driven with real
// messages; its views are read back from the real controls.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "picker/PickerDialog.h"

// Opens the picker's protected state to the tests.
class TestPickerDialog : public CPickerDialog {
 public:
  using CPickerDialog::m_color;
  using CPickerDialog::m_picking;
  using CPickerDialog::m_savedRect;
  using CPickerDialog::m_snapshot;
  using CPickerDialog::StartPicking;
  using CPickerDialog::StopPicking;
};

class PickerTest : public testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;

  // Dispatches every pending message of this thread as the modal loop would, PreTranslateMessage
  // included.
  void Pump();
  // Pumps until the condition holds or the time is up; returns the condition's last value.
  bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 3000);

  HWND Window() const { return dialog.m_hWnd; }
  HWND Control(int id) const { return ::GetDlgItem(dialog.m_hWnd, id); }
  std::string Text(int id) const;
  void SetText(int id, const char* text);
  int SliderPos(int id) const;
  // The control's rectangle in the window's client coordinates.
  RECT ControlRect(int id) const;
  // A WM_KEYDOWN for the control, through PreTranslateMessage like the modal loop's.
  void PressKey(int id, WPARAM virtualKey);
  // A click of a push button as the user makes it (BN_CLICKED to the window).
  void ClickButton(int id);
  // What the window's client area shows on the screen, copied in one go.
  class ClientImage {
   public:
    COLORREF At(int x, int y) const;

   private:
    friend class PickerTest;
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
  };
  ClientImage CaptureClient() const;

  TestPickerDialog dialog;
};
