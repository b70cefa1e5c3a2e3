// Pick mode inside the test process, where the window's class can be read (Wine answers null for
// another process's class cursor): the cursor it shows while picking and after, and a release
// over a pixel the window cannot read; the mouse capture it holds while picking, and what losing
// it does. ScaledPanelTest also runs at every display scale the test
// command sets up: the pick is of the exact screen pixel whatever the scale.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "PickerFixture.h"
#include "fixtures/KnownImageWindow.h"
#include "res/resource.h"

namespace {

using PickModeWindowTest = PickerTest;
using ScaledPanelTest = PickerTest;

HCURSOR ClassCursorOf(HWND window) {
  return reinterpret_cast<HCURSOR>(::GetClassLongPtrA(window, GCLP_HCURSOR));
}

}  // namespace

TEST_F(PickModeWindowTest, TargetCursorWhilePickingArrowAfterAndAnUnreadablePixelChangesNothing) {
  const HCURSOR target = ::LoadCursorA(::GetModuleHandleA(nullptr), IDC_TARGET_CURSOR_NAME);
  const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  ASSERT_NE(target, nullptr);
  ASSERT_NE(target, arrow);

  struct WayOut {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  const WayOut waysOut[] = {{"left release", WM_LBUTTONUP, 0, MAKELPARAM(640, 480)},
                            {"right release", WM_RBUTTONUP, 0, MAKELPARAM(640, 480)},
                            {"Esc", WM_KEYDOWN, VK_ESCAPE, 1}};
  for (const WayOut& way : waysOut) {
    SCOPED_TRACE(way.name);
    ClickButton(IDC_SLORP);
    ASSERT_EQ(dialog.m_picking, 1);
    EXPECT_EQ(ClassCursorOf(Window()), target);
    EXPECT_EQ(::GetCapture(), Window()) << "a release anywhere must come to the window";
    ::PostMessageA(Window(), way.message, way.wParam, way.lParam);
    Pump();
    EXPECT_EQ(dialog.m_picking, 0);
    EXPECT_EQ(ClassCursorOf(Window()), arrow);
    EXPECT_EQ(::GetCapture(), nullptr);
  }

  // Any program may move any window. Moved partly off the screen while picking, the window has
  // pixels that are nowhere to be seen: a release over one of them changes nothing.
  const COLORREF before = dialog.m_color;
  const std::string hexBefore = Text(IDC_HEX_TEXT);
  ClickButton(IDC_SLORP);
  ASSERT_EQ(dialog.m_picking, 1);
  ::SetWindowPos(Window(), nullptr, -1000, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  {
    CClientDC window(&dialog);
    ASSERT_EQ(window.GetPixel(500, 300), CLR_INVALID) << "a pixel off the screen reads as a colour";
  }
  ::PostMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(500, 300));
  Pump();
  EXPECT_EQ(dialog.m_picking, 0);
  EXPECT_EQ(dialog.m_color, before);
  EXPECT_EQ(Text(IDC_HEX_TEXT), hexBefore);
  EXPECT_EQ(ClassCursorOf(Window()), arrow);
}

// A release beyond the primary screen (on another monitor), and the mouse taken by another window
// while picking: pick mode ends as after a cancel.
TEST_F(PickModeWindowTest, AReleaseOutsideTheSnapshotOrALostCaptureEndsPickingWithoutAChange) {
  const COLORREF before = dialog.m_color;
  RECT panel;
  ::GetWindowRect(Window(), &panel);
  const HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  const int beyondScreen = ::GetSystemMetrics(SM_CXSCREEN) + 40;
  const std::function<void()> waysToLoseThePick[] = {
      [&] { ::PostMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(beyondScreen, 300)); },
      [&] { ::PostMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(-40, 300)); },
      [&] { ::SetCapture(other); },
  };
  for (const auto& loseThePick : waysToLoseThePick) {
    ClickButton(IDC_SLORP);
    ASSERT_EQ(dialog.m_picking, 1);
    loseThePick();
    Pump();
    EXPECT_EQ(dialog.m_picking, 0);
    EXPECT_EQ(dialog.m_color, before);
    EXPECT_TRUE(ShowsColor(before));
    RECT now;
    ::GetWindowRect(Window(), &now);
    EXPECT_TRUE(::EqualRect(&now, &panel)) << "the window is back where it stood";
    EXPECT_TRUE(::IsWindowVisible(Control(IDC_SLORP)));
    EXPECT_NE(::GetWindowLongPtrA(Window(), GWL_STYLE) & WS_CAPTION, 0);
    ::ReleaseCapture();
  }
  ::DestroyWindow(other);
}

TEST_F(ScaledPanelTest, SlorpPicksTheExactPixelOfAKnownImage) {
  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  // Below the picker, which keeps on top of it.
  KnownImageWindow image(screen, CoordinatePattern(), ZOrder::kNormal);
  ASSERT_TRUE(image.IsValid());
  ASSERT_TRUE(image.WaitUntilOnScreen());

  const RECT slorp = ControlRect(IDC_SLORP);
  Click(IDC_SLORP, {(slorp.right - slorp.left) / 2, (slorp.bottom - slorp.top) / 2});
  ASSERT_TRUE(PumpUntil([&] { return dialog.m_picking == 1; })) << "Slorp did not start picking";
  // Off every pixel row and column a rounding of the scale could hit by chance.
  const POINT pixel{screen.right * 2 / 3 + 7, screen.bottom / 3 + 5};
  MoveMouseOnScreen(pixel);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return dialog.m_picking == 0; })) << "the pick did not end";
  const COLORREF expected = image.ExpectedAt(pixel);
  EXPECT_TRUE(ShowsColor(expected));
  EXPECT_TRUE(SwatchShows(expected));
}
