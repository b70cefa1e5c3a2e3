// The real picker window created inside the test process, modeless, and driven with real
// messages; its views are read back from the real controls.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DesignLayout.h"
#include "fixtures/ExpectedColorTexts.h"
#include "fixtures/ScreenCapture.h"
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

  // Wine always grants the foreground; a test can have it refused, as another program's open menu
  // or a foreground lock refuses it on Windows.
  bool BecomeForegroundWindow() override {
    return !refuseForeground && CPickerDialog::BecomeForegroundWindow();
  }
  bool refuseForeground = false;

  // Wine shows one monitor; a test can lay others out around it.
  std::vector<RECT> Monitors() const override {
    return monitors.empty() ? CPickerDialog::Monitors() : monitors;
  }
  std::vector<RECT> monitors;
};

// The messages one window receives, recorded by a test-side subclass in front of the window's own
// procedures. Messages named as swallowed are recorded and then kept from the window.
class MessageLog {
 public:
  struct Entry {
    UINT message;
    WPARAM wParam;
    std::string text;  // the text of a WM_SETTEXT, up to 255 characters
  };

  explicit MessageLog(HWND window, std::vector<UINT> swallowed = {});
  ~MessageLog();
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  const std::vector<Entry>& Entries() const { return m_entries; }
  int Count(UINT message) const;
  // The texts of the WM_SETTEXT messages, in the order they came.
  std::vector<std::string> TextsSet() const;

 private:
  static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR self);
  HWND m_window;
  std::vector<UINT> m_swallowed;
  std::vector<Entry> m_entries;
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

  // Real input through SendInput (the end-to-end fixtures' Input), delivered by the window system
  // and pumped here. Points are in the control's client coordinates; a button
  // (MOUSEEVENTF_LEFTDOWN, ...) is pressed or released where the mouse was last moved to. Keys go
  // to the focus, with the window in the foreground.
  void MoveMouse(int id, POINT point);
  void MoveMouseOnScreen(POINT screen);
  void MouseButton(DWORD mouseEventFlag);
  void Click(int id, POINT point);
  void RightClick(int id, POINT point);
  void TypeKey(WORD virtualKey);
  // Replaces the clipboard's contents with the text, as CF_TEXT.
  static void PutOnClipboard(const char* text);

  // The three texts, the three sliders and m_color all show the colour.
  testing::AssertionResult ShowsColor(COLORREF color) const;
  // The swatch inside its outline, as painted on the screen, is all of the colour.
  testing::AssertionResult SwatchShows(COLORREF color);
  // The same, against a colour that may change while the swatch is read, asked at each reading.
  testing::AssertionResult SwatchShows(const std::function<COLORREF()>& expected);
  // The swatch's rectangle, outline included, in client coordinates.
  RECT Swatch() const;
  // The DPI the window is laid out for: the system's, until ChangeDpi.
  int Dpi() const { return m_dpi; }
  // WM_DPICHANGED as Windows sends it when the window moves to a monitor of that DPI, suggesting
  // the rectangle where the window stands.
  void ChangeDpi(int dpi);
  // EM_GETSEL of an edit as {start, end}.
  std::pair<int, int> Selection(int id) const;

  // What the window's client area shows on the screen, copied in one go; read in client
  // coordinates.
  class ClientImage {
   public:
    // CLR_INVALID outside the client area.
    COLORREF At(int x, int y) const { return m_capture.PixelAtOffset(x, y); }

   private:
    friend class PickerTest;
    ScreenCapture m_capture;
  };
  ClientImage CaptureClient() const;

  TestPickerDialog dialog;

 private:
  // Where MoveMouse last sent the mouse, on the screen.
  POINT m_mouseOnScreen{};
  POINT m_lastMousePoint{-1, -1};
  int m_dpi = SystemDpi();
};
