// Pick mode inside the test process, where the window's class can be read (Wine answers null for
// another process's class cursor): the cursor it shows while picking and after, and a release
// over a pixel the window cannot read; the mouse capture it holds while picking, and what losing
// it does. ScaledPanelTest also runs at every display scale the test
// command sets up: the pick is of the exact screen pixel whatever the scale.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "PickerFixture.h"
#include "ScaledPanelTest.h"
#include "fixtures/Handles.h"
#include "fixtures/Input.h"
#include "fixtures/KnownImageWindow.h"
#include "res/resource.h"

namespace {

HCURSOR ClassCursorOf(HWND window) {
  return reinterpret_cast<HCURSOR>(::GetClassLongPtrA(window, GCLP_HCURSOR));
}

HCURSOR ShownCursor() {
  CURSORINFO info{};
  info.cbSize = sizeof(info);
  return ::GetCursorInfo(&info) ? info.hCursor : nullptr;
}

// How many pixels of two captures of the same size differ; all of them when the sizes differ.
int DifferingPixels(const ScreenCapture& a, const ScreenCapture& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    return a.Width() * a.Height();
  }
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      differing += a.PixelAtOffset(x, y) != b.PixelAtOffset(x, y) ? 1 : 0;
    }
  }
  return differing;
}

}  // namespace

class PickModeWindowTest : public PickerTest {
 protected:
  void PressHotKey() {
    ::SetForegroundWindow(Window());
    EXPECT_TRUE(::PressKey(VK_SUBTRACT, kCtrl));
  }
  // The two ways in: the Slorp button and the hot key, pressed as a user presses them.
  std::vector<std::function<void()>> Entries() {
    return {[this] { ClickButton(IDC_SLORP); }, [this] { PressHotKey(); }};
  }
  // Pumps for that long; true if pick mode was on at any moment.
  bool PickModeSeenWithin(int milliseconds) {
    bool seen = false;
    PumpUntil(
        [&] {
          seen = seen || dialog.m_picking != 0;
          return false;
        },
        milliseconds);
    return seen;
  }
};

// Ctrl + keypad minus held down, repeated as a keyboard repeats a held key (Windows' default
// delay and rate), from another thread while the test goes on, until it is let go.
class HeldHotKey {
 public:
  HeldHotKey() {
    EXPECT_TRUE(KeyDown(VK_CONTROL));
    EXPECT_TRUE(KeyDown(VK_SUBTRACT));
    m_repeater = std::thread([this] {
      DWORD wait = kDelayMs;
      while (::WaitForSingleObject(m_letGo.get(), wait) == WAIT_TIMEOUT) {
        KeyDown(VK_SUBTRACT);
        wait = kIntervalMs;
      }
    });
  }
  ~HeldHotKey() { LetGo(); }
  HeldHotKey(const HeldHotKey&) = delete;
  HeldHotKey& operator=(const HeldHotKey&) = delete;

  void LetGo() {
    if (m_repeater.joinable()) {
      ::SetEvent(m_letGo.get());
      m_repeater.join();
      KeyUp(VK_SUBTRACT);
      KeyUp(VK_CONTROL);
    }
  }

 private:
  static constexpr DWORD kDelayMs = 500;
  static constexpr DWORD kIntervalMs = 33;
  UniqueHandle m_letGo{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  std::thread m_repeater;
};

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

  // Another window made the active one while picking (Alt+Tab, a press that reached a window
  // under the parked pick window, a program taking the foreground) gets the keys, Esc among them:
  // pick mode ends, and nothing is picked.
  const COLORREF before = dialog.m_color;
  const UniqueWindow other(::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 40,
                                             40, nullptr, nullptr, nullptr, nullptr));
  ClickButton(IDC_SLORP);
  ASSERT_EQ(dialog.m_picking, 1);
  ASSERT_TRUE(::SetForegroundWindow(other.get()));
  Pump();
  EXPECT_EQ(dialog.m_picking, 0);
  EXPECT_EQ(dialog.m_color, before);
  EXPECT_EQ(::GetCapture(), nullptr);

  // Any program may move any window. Moved partly off the screen while picking, the window has
  // pixels that are nowhere to be seen: a release over one of them changes nothing.
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

// A window that holds the mouse capture gets no WM_SETCURSOR: the cursor the user sees is the one
// the window set itself, whichever way pick mode was entered. The pointer rests on the panel's
// bare background, which shows the arrow again once pick mode is over.
TEST_F(PickModeWindowTest, TheTargetCursorIsShownAfterEntryByTheButtonAndByTheHotKey) {
  const HCURSOR target = ::LoadCursorA(::GetModuleHandleA(nullptr), IDC_TARGET_CURSOR_NAME);
  const HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  POINT bare{300, 10};
  ::ClientToScreen(Window(), &bare);
  for (const auto& enter : Entries()) {
    MoveMouseOnScreen(bare);
    enter();
    ASSERT_TRUE(PumpUntil([&] { return dialog.m_picking == 1; })) << "pick mode did not start";
    EXPECT_EQ(ShownCursor(), target);
    TypeKey(VK_ESCAPE);
    ASSERT_EQ(dialog.m_picking, 0);
    EXPECT_TRUE(PumpUntil([&] { return ShownCursor() == arrow; }))
        << "the panel does not show the arrow after pick mode";
  }
}

// Pick mode may not be able to start: the foreground refused (another program's menu is open, a
// foreground lock), or no room for the snapshot of a virtual screen too large to copy. Nothing is
// frozen under keys that would go elsewhere, or over a screen that was never copied, and the
// window stays as it was, on the screen too.
TEST_F(PickModeWindowTest, UnableToStartItFreezesNothingAndChangesNothing) {
  const std::pair<const char*, std::function<void()>> obstacles[] = {
      {"the foreground refused", [&] { dialog.refuseForeground = true; }},
      {"a virtual screen too large to copy",
       [&] {
         dialog.monitors = {{0, 0, 1920, 1080}, {1920, 0, 1920 + 0x10000, 0x10000}};
       }},
  };
  RECT before;
  ::GetWindowRect(Window(), &before);
  const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
  const LONG_PTR exStyle = ::GetWindowLongPtrA(Window(), GWL_EXSTYLE);
  const ScreenCapture shownBefore = ScreenCapture::Of(before);
  for (const auto& [obstacle, arrange] : obstacles) {
    SCOPED_TRACE(obstacle);
    dialog.refuseForeground = false;
    dialog.monitors.clear();
    arrange();
    for (const auto& enter : Entries()) {
      enter();
      EXPECT_FALSE(PickModeSeenWithin(200));
      RECT now;
      ::GetWindowRect(Window(), &now);
      EXPECT_TRUE(::EqualRect(&now, &before));
      EXPECT_EQ(::GetWindowLongPtrA(Window(), GWL_STYLE), style);
      EXPECT_EQ(::GetWindowLongPtrA(Window(), GWL_EXSTYLE), exStyle);
      EXPECT_TRUE(::IsWindowVisible(Control(IDC_SLORP)));
      EXPECT_EQ(::GetCapture(), nullptr);
      EXPECT_EQ(ClassCursorOf(Window()), ::LoadCursorA(nullptr, IDC_ARROW));
      EXPECT_NE(ShownCursor(), ::LoadCursorA(::GetModuleHandleA(nullptr), IDC_TARGET_CURSOR_NAME));
      EXPECT_EQ(DifferingPixels(ScreenCapture::Of(now), shownBefore), 0);
    }
  }
}

// Keys held down through a way out repeat the hot key (Wine sends the repeats MOD_NOREPEAT asks
// Windows to drop): none of them enters pick mode again; a press after the release does.
TEST_F(PickModeWindowTest, HotKeyHeldThroughAWayOutEntersAgainOnlyWhenPressedAnew) {
  const POINT elsewhere{200, 200};
  ::SetForegroundWindow(Window());
  HeldHotKey held;
  ASSERT_TRUE(PumpUntil([&] { return dialog.m_picking == 1; })) << "the hot key did not enter";
  MoveMouseOnScreen(elsewhere);
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  MouseButton(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(PumpUntil([&] { return dialog.m_picking == 0; })) << "the right click did not end";
  EXPECT_FALSE(PickModeSeenWithin(1500)) << "the held keys entered pick mode again";
  held.LetGo();
  EXPECT_FALSE(PickModeSeenWithin(500));

  PressHotKey();
  EXPECT_TRUE(PumpUntil([&] { return dialog.m_picking == 1; })) << "a new press did not enter";
  TypeKey(VK_ESCAPE);
}

// A release beyond the virtual screen, the mouse taken by another window, and a change of the
// monitors (the frozen image no longer matches them) while picking: pick mode ends as after a
// cancel.
TEST_F(PickModeWindowTest,
       AReleaseOutsideTheSnapshotALostCaptureOrADisplayChangeEndChangingNothing) {
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
      [&] { ::SendMessageA(Window(), WM_DISPLAYCHANGE, 32, MAKELPARAM(2560, 1440)); },
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

// A second monitor left of the primary (Wine shows one: the layout is laid out for the window):
// the pick window covers both, and a release over the primary takes the pixel that lay there.
TEST_F(PickModeWindowTest, AVirtualScreenLeftOfThePrimaryIsCoveredAndPickedFromExactly) {
  const RECT primary{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  KnownImageWindow image(primary, CoordinatePattern(), ZOrder::kNormal);
  ASSERT_TRUE(image.IsValid());
  ASSERT_TRUE(image.WaitUntilOnScreen());
  dialog.monitors = {primary, RECT{-1280, -200, 0, 824}};
  const RECT bothMonitors{-1280, -200, primary.right, primary.bottom};

  ClickButton(IDC_SLORP);
  ASSERT_EQ(dialog.m_picking, 1);
  RECT window;
  ::GetWindowRect(Window(), &window);
  EXPECT_TRUE(::EqualRect(&window, &bothMonitors)) << testing::PrintToString(window);
  const POINT pixel{primary.right / 3 + 7, primary.bottom / 2 + 3};
  ::PostMessageA(Window(), WM_LBUTTONUP, 0,
                 MAKELPARAM(pixel.x - bothMonitors.left, pixel.y - bothMonitors.top));
  Pump();
  EXPECT_EQ(dialog.m_picking, 0);
  EXPECT_TRUE(ShowsColor(image.ExpectedAt(pixel)));
}

// Every monitor the session shows (two in the test command's "twomonitors" configuration, one
// left of and lower than the primary): the pick window covers them all, and a release on each
// takes the pixel that lay there.
using EveryMonitorTest = PickerTest;

TEST_F(EveryMonitorTest, PickModeCoversEveryMonitorAndPicksFromEach) {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const RECT all{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  KnownImageWindow image(all, CoordinatePattern(), ZOrder::kNormal);
  ASSERT_TRUE(image.IsValid());
  ASSERT_TRUE(image.WaitUntilOnScreen());
  for (const RECT& monitor : MonitorsNow()) {
    SCOPED_TRACE(testing::Message() << "monitor at " << monitor.left << "," << monitor.top);
    ClickButton(IDC_SLORP);
    ASSERT_TRUE(PumpUntil([&] { return dialog.m_picking == 1; }));
    RECT window;
    ::GetWindowRect(Window(), &window);
    EXPECT_TRUE(::EqualRect(&window, &all)) << testing::PrintToString(window);
    const POINT pixel{monitor.left + 37, monitor.bottom - 23};
    ::PostMessageA(Window(), WM_LBUTTONUP, 0, MAKELPARAM(pixel.x - all.left, pixel.y - all.top));
    ASSERT_TRUE(PumpUntil([&] { return dialog.m_picking == 0; }));
    EXPECT_TRUE(ShowsColor(image.ExpectedAt(pixel)));
  }
}
