// Pick mode of Chromivo.exe driven as a user drives it: the Slorp button or the hot key freezes the
// screen, a left release takes the colour of the pixel under the pointer, a right release or Esc
// gives up. The screen shows a known image of the test's own, so every pixel's colour is known.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "fixtures/ChromivoProcess.h"
#include "fixtures/E2eTest.h"
#include "fixtures/ExpectedColorTexts.h"
#include "fixtures/Foreground.h"
#include "fixtures/Handles.h"
#include "fixtures/ImagePattern.h"
#include "fixtures/Input.h"
#include "fixtures/KnownImageWindow.h"
#include "fixtures/Rect.h"
#include "fixtures/ScreenCapture.h"
#include "fixtures/Wait.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"
#include "standin/StandInIds.h"

namespace {

constexpr int kPanelControlCount = 29;
constexpr LONG_PTR kFrameStyles = WS_POPUP | WS_CAPTION;

RECT PrimaryScreen() {
  return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

// The known image with every colour turned round: differs from CoordinatePattern at every pixel.
COLORREF InvertedCoordinateColor(int x, int y) {
  return CoordinateColor(x, y) ^ 0xFFFFFF;
}

std::vector<HWND> ChildrenOf(HWND window) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

bool HasStyle(HWND window, LONG_PTR style) {
  return (StyleOf(window) & style) == style;
}

}  // namespace

class PickModeTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    m_screen = PrimaryScreen();
    // Below Chromivo, which comes later and keeps on top of it in both states of Keep on top.
    m_image.emplace(m_screen, CoordinatePattern(), ZOrder::kNormal);
    ASSERT_TRUE(m_image->IsValid());
    ASSERT_TRUE(m_image->WaitUntilOnScreen());
    ASSERT_TRUE(m_chromivo.Start());
    m_window = m_chromivo.WaitForMainWindow();
    ASSERT_NE(m_window, nullptr) << "Chromivo showed no window";
    ASSERT_NE(BringToForeground(m_window), ForegroundMeans::kFailed);
    m_restoredRect = WindowRectOnScreen(m_window);
  }

  void TearDown() override {
    m_chromivo.Kill();
    m_image.reset();
    E2eTest::TearDown();
  }

  HWND Item(int id) const { return Control(m_window, id); }
  POINT ScreenCentreOf(int id) const { return CentreOf(WindowRectOnScreen(Item(id))); }
  POINT ClientToScreenPoint(int x, int y) const {
    POINT point{x, y};
    ::ClientToScreen(m_window, &point);
    return point;
  }

  // The window covers the primary screen without a frame and shows none of its controls.
  bool ShowsPickMode() const {
    return WindowRectOnScreen(m_window) == m_screen && (StyleOf(m_window) & kFrameStyles) == 0 &&
           CountVisibleControls() == 0;
  }
  bool ShowsPanelAt(const RECT& rect) const {
    return WindowRectOnScreen(m_window) == rect && HasStyle(m_window, kFrameStyles) &&
           CountVisibleControls() == kPanelControlCount;
  }
  int CountVisibleControls() const {
    int visible = 0;
    for (const HWND child : ChildrenOf(m_window)) {
      visible += (StyleOf(child) & WS_VISIBLE) != 0 ? 1 : 0;
    }
    return visible;
  }

  void EnterBySlorp() {
    ASSERT_TRUE(Click(ScreenCentreOf(IDC_SLORP)));
    ASSERT_TRUE(WaitUntil([&] { return ShowsPickMode(); })) << "Slorp did not enter pick mode";
  }
  void EnterByHotKey() {
    ASSERT_TRUE(PressKey(kChromivoHotKeyKey, kCtrl));
    ASSERT_TRUE(WaitUntil([&] { return ShowsPickMode(); }))
        << "the hot key did not enter pick mode";
  }
  void ExpectPickMode() const {
    EXPECT_EQ(WindowRectOnScreen(m_window), m_screen);
    EXPECT_EQ(StyleOf(m_window) & kFrameStyles, 0);
    EXPECT_EQ(ExStyleOf(m_window) & WS_EX_DLGMODALFRAME, 0);
    EXPECT_TRUE(IsTopmost(m_window)) << "pick mode must lie over every other window";
    const std::vector<HWND> children = ChildrenOf(m_window);
    EXPECT_EQ(children.size(), static_cast<size_t>(kPanelControlCount));
    for (const HWND child : children) {
      EXPECT_EQ(StyleOf(child) & WS_VISIBLE, 0) << "control " << ::GetDlgCtrlID(child);
    }
  }

  // A left click at the point while picking; returns once the window is back as a panel.
  void PickAt(POINT screen) {
    ASSERT_TRUE(Click(screen));
    ASSERT_TRUE(WaitUntil([&] { return ShowsPanelAt(m_restoredRect); }))
        << "the pick at " << screen.x << "," << screen.y << " did not end pick mode";
  }
  void LeaveByRightClick(POINT screen) {
    ASSERT_TRUE(Click(screen, MouseButton::kRight));
    ASSERT_TRUE(WaitUntil([&] { return ShowsPanelAt(m_restoredRect); }))
        << "a right click did not end pick mode";
  }
  void LeaveByEsc() {
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    ASSERT_TRUE(WaitUntil([&] { return ShowsPanelAt(m_restoredRect); }))
        << "Esc did not end pick mode";
  }

  // The window as it must be after any way out of pick mode.
  void ExpectPanelBack() const {
    EXPECT_EQ(WindowRectOnScreen(m_window), m_restoredRect);
    EXPECT_TRUE(HasStyle(m_window, kFrameStyles));
    EXPECT_NE(ExStyleOf(m_window) & WS_EX_DLGMODALFRAME, 0);
    EXPECT_EQ(CountVisibleControls(), kPanelControlCount);
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == m_window; }));
    const std::optional<ThreadFocus> focus = ThreadFocusOf(m_window);
    ASSERT_TRUE(focus);
    EXPECT_EQ(focus->active, m_window);
    EXPECT_EQ(IsTopmost(m_window), CheckState(Item(IDC_KEEP_ON_TOP)) == BST_CHECKED);
    EXPECT_TRUE(m_chromivo.IsRunning());
    // The whole panel is painted again: its bare background, not the corner of the snapshot
    // that the window showed there a moment before.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const POINT bare[] = {ClientToScreenPoint(300, 10), ClientToScreenPoint(165, 70),
                          ClientToScreenPoint(399, 50), ClientToScreenPoint(30, 122)};
    EXPECT_TRUE(WaitUntil([&] {
      const ScreenCapture capture = ScreenCapture::Of(m_restoredRect);
      for (const POINT point : bare) {
        if (capture.PixelAt(point) != face) {
          return false;
        }
      }
      return true;
    })) << "the panel's background is not painted";
  }

  // The swatch: 60 x 13 pixels, 10 in from the client's right edge, on the row at 127, inside a
  // one-pixel outline.
  RECT SwatchInsideOnScreen() const {
    const RECT client = ClientRectOnScreen(m_window);
    return RECT{client.right - 69, client.top + 128, client.right - 11, client.top + 139};
  }
  bool SwatchShows(COLORREF color) const {
    const RECT inside = SwatchInsideOnScreen();
    const ScreenCapture capture = ScreenCapture::Of(inside);
    return capture.IsValid() &&
           !FirstMismatch(capture, inside, SolidPattern(color), POINT{inside.left, inside.top});
  }

  void ExpectColorInEveryView(COLORREF color) const {
    EXPECT_EQ(ControlText(m_window, IDC_HEX_TEXT), HexTextOf(color));
    EXPECT_EQ(ControlText(m_window, IDC_HTML_TEXT), HtmlTextOf(color));
    EXPECT_EQ(ControlText(m_window, IDC_RGB_TEXT), RgbTextOf(color));
    EXPECT_EQ(ControlText(m_window, IDC_RED_EDIT), std::to_string(GetRValue(color)));
    EXPECT_EQ(ControlText(m_window, IDC_GREEN_EDIT), std::to_string(GetGValue(color)));
    EXPECT_EQ(ControlText(m_window, IDC_BLUE_EDIT), std::to_string(GetBValue(color)));
    EXPECT_EQ(TrackbarPosition(Item(IDC_RED_SLIDER)), GetRValue(color));
    EXPECT_EQ(TrackbarPosition(Item(IDC_GREEN_SLIDER)), GetGValue(color));
    EXPECT_EQ(TrackbarPosition(Item(IDC_BLUE_SLIDER)), GetBValue(color));
    EXPECT_TRUE(WaitUntil([&] { return SwatchShows(color); }))
        << "the swatch does not show " << HtmlTextOf(color);
  }

  std::string HexText() const { return ControlText(m_window, IDC_HEX_TEXT); }

  RECT m_screen{};
  std::optional<KnownImageWindow> m_image;
  ChromivoProcess m_chromivo;
  HWND m_window = nullptr;
  // Where the window stands as a panel; every way out of pick mode brings it back here.
  RECT m_restoredRect{};
};

TEST_F(PickModeTest, SlorpAndTheHotKeyFromAnotherProgramEachEnterPickMode) {
  EXPECT_TRUE(HasStyle(m_window, kFrameStyles));
  EXPECT_NE(ExStyleOf(m_window) & WS_EX_DLGMODALFRAME, 0);
  EXPECT_EQ(CountVisibleControls(), kPanelControlCount);

  EnterBySlorp();
  ExpectPickMode();
  LeaveByRightClick(POINT{900, 700});

  // Started after Chromivo, the stand-in finds the hot key taken and leaves it to Chromivo.
  TestProcess standIn(kStandInImageName);
  ASSERT_TRUE(standIn.Start());
  const HWND standInWindow = standIn.WaitForWindow(kStandInCaption);
  ASSERT_NE(standInWindow, nullptr);
  ASSERT_EQ(ControlText(standInWindow, kStandInHotKeyCount.id), "taken");
  ASSERT_NE(BringToForeground(standInWindow), ForegroundMeans::kFailed);
  ASSERT_EQ(::GetForegroundWindow(), standInWindow);

  EnterByHotKey();
  ExpectPickMode();
  // Esc reaches the window: entering by the hot key made it the active window.
  LeaveByEsc();
  ExpectPanelBack();
}

TEST_F(PickModeTest, PickSetsThePixelsColorInEveryView) {
  const int right = m_screen.right - 1;
  const int bottom = m_screen.bottom - 1;
  for (const POINT pixel : {POINT{0, 0}, POINT{right, bottom}, POINT{right, 0}, POINT{0, bottom},
                            POINT{1234, 567}, POINT{777, 333}}) {
    SCOPED_TRACE(testing::Message() << "pixel " << pixel.x << "," << pixel.y);
    EnterBySlorp();
    PickAt(pixel);
    ExpectColorInEveryView(CoordinateColor(pixel.x, pixel.y));
  }
}

TEST_F(PickModeTest, PickReadsTheScreenAsItWasAtEntryWithoutTheProgramItself) {
  // The Slorp button is the program's own pixel until pick mode begins.
  const POINT underSlorp = ScreenCentreOf(IDC_SLORP);
  const POINT elsewhere{1500, 900};

  EnterBySlorp();
  m_image->SetPattern(InvertedCoordinateColor);
  // Given time to reach the screen, the image's change stays behind the frozen picture.
  PumpFor(500);
  const RECT around{elsewhere.x - 8, elsewhere.y - 8, elsewhere.x + 8, elsewhere.y + 8};
  const ScreenCapture shown = ScreenCapture::Of(around);
  EXPECT_FALSE(FirstMismatch(shown, around, CoordinatePattern(), POINT{0, 0}));
  PickAt(elsewhere);
  ExpectColorInEveryView(CoordinateColor(elsewhere.x, elsewhere.y));

  EnterBySlorp();
  PickAt(underSlorp);
  ExpectColorInEveryView(InvertedCoordinateColor(underSlorp.x, underSlorp.y));
}

TEST_F(PickModeTest, EveryWayOutBringsThePanelBackWholeInKeepOnTopsBand) {
  const POINT pixel{1111, 444};
  const COLORREF picked = CoordinateColor(pixel.x, pixel.y);
  for (const bool keepOnTop : {true, false}) {
    SCOPED_TRACE(keepOnTop ? "kept on top" : "not kept on top");
    if (!keepOnTop) {
      ASSERT_TRUE(Click(ScreenCentreOf(IDC_KEEP_ON_TOP)));
      ASSERT_TRUE(WaitUntil([&] { return CheckState(Item(IDC_KEEP_ON_TOP)) == BST_UNCHECKED; }));
      ASSERT_TRUE(WaitUntil([&] { return !IsTopmost(m_window); }));
    }

    EnterBySlorp();
    PickAt(pixel);
    ExpectPanelBack();
    ExpectColorInEveryView(picked);
    if (keepOnTop) {
      // To look at: the screen right after a pick.
      const ScreenCapture screen = ScreenCapture::Of(m_screen);
      EXPECT_TRUE(screen.SaveBmp(PathBesideTests("pick-mode-after-pick.bmp")));
    }

    EnterBySlorp();
    LeaveByRightClick(POINT{1222, 555});
    ExpectPanelBack();
    ExpectColorInEveryView(picked);

    EnterBySlorp();
    LeaveByEsc();
    ExpectPanelBack();
    ExpectColorInEveryView(picked);
  }
}

TEST_F(PickModeTest, HotKeyWhilePickingOrMinimisedAndReleasesWhileIdle) {
  const std::string white = HexTextOf(RGB(255, 255, 255));
  ASSERT_EQ(HexText(), white);

  // Releases on the bare panel while idle; the entry after them proves they were handled.
  ASSERT_TRUE(Click(ClientToScreenPoint(300, 10)));
  ASSERT_TRUE(Click(ClientToScreenPoint(165, 70), MouseButton::kRight));
  EnterBySlorp();
  EXPECT_EQ(HexText(), white);

  // A second press of the hot key while picking takes no second snapshot of the changed screen.
  // The key comes as a posted message and the click as input, which Chromivo takes only after
  // posted messages: the pick that follows shows what the key did.
  m_image->SetPattern(InvertedCoordinateColor);
  ASSERT_TRUE(PressKey(kChromivoHotKeyKey, kCtrl));
  const POINT pixel{1300, 800};
  PickAt(pixel);
  ExpectColorInEveryView(CoordinateColor(pixel.x, pixel.y));

  // Minimised, the hot key restores the window before it freezes the screen.
  ASSERT_TRUE(SendWithTimeout(m_window, WM_SYSCOMMAND, SC_MINIMIZE));
  ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(m_window) != FALSE; }));
  const RECT around{pixel.x - 5, pixel.y - 5, pixel.x + 5, pixel.y + 5};
  ASSERT_TRUE(WaitUntil([&] {
    const ScreenCapture capture = ScreenCapture::Of(around);
    return !FirstMismatch(capture, around, InvertedCoordinateColor, POINT{0, 0});
  }));
  EnterByHotKey();
  ExpectPickMode();
  PickAt(pixel);
  EXPECT_FALSE(::IsIconic(m_window));
  ExpectColorInEveryView(InvertedCoordinateColor(pixel.x, pixel.y));

  // Closing the window while picking ends the program.
  EnterByHotKey();
  ASSERT_TRUE(::PostMessageA(m_window, WM_CLOSE, 0, 0));
  EXPECT_TRUE(m_chromivo.WaitForExit(kDefaultTimeoutMs));
}

namespace {

// Cycles before the program's memory is taken as its level: by then every lazily made thing
// (fonts, the surfaces of a full-screen window, heap pages) exists.
constexpr int kWarmUpCycles = 10;
// 100 take some ten seconds here; CHROMIVO_SOAK_CYCLES asks for more (1000: about 90 seconds).
constexpr int kDefaultSoakCycles = 100;
constexpr SIZE_T kMiB = 1024 * 1024;
// GDI and USER objects a program at rest may hold more or less from one moment to the next; one
// object lost per cycle would be hundreds.
constexpr DWORD kObjectCountSlack = 10;

int SoakCycles() {
  char value[16] = {};
  const DWORD length = ::GetEnvironmentVariableA("CHROMIVO_SOAK_CYCLES", value, sizeof(value));
  if (length == 0 || length >= sizeof(value)) {
    return kDefaultSoakCycles;
  }
  return std::atoi(value);
}

struct ProcessFigures {
  SIZE_T workingSet;
  SIZE_T privateBytes;
  DWORD gdiObjects;
  DWORD userObjects;
};

// Another process's memory and window-system objects, read as a task manager reads them. Under
// Wine the memory figures are the Linux process's own (VmRSS and RssAnon), and both object
// counts are 0.
std::optional<ProcessFigures> FiguresOf(DWORD processId) {
  const UniqueHandle process(
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!process || !::GetProcessMemoryInfo(process.get(), &counters, sizeof(counters))) {
    return std::nullopt;
  }
  return ProcessFigures{counters.WorkingSetSize, counters.PagefileUsage,
                        ::GetGuiResources(process.get(), GR_GDIOBJECTS),
                        ::GetGuiResources(process.get(), GR_USEROBJECTS)};
}

// The lowest of a few readings half a second apart: memory the system is still taking back from
// the last cycle is not the program's.
std::optional<ProcessFigures> FiguresAtRest(DWORD processId) {
  std::optional<ProcessFigures> lowest;
  for (int reading = 0; reading < 4; ++reading) {
    PumpFor(500);
    const std::optional<ProcessFigures> now = FiguresOf(processId);
    if (!now) {
      return std::nullopt;
    }
    if (!lowest) {
      lowest = now;
      continue;
    }
    lowest->workingSet = std::min(lowest->workingSet, now->workingSet);
    lowest->privateBytes = std::min(lowest->privateBytes, now->privateBytes);
    lowest->gdiObjects = std::min(lowest->gdiObjects, now->gdiObjects);
    lowest->userObjects = std::min(lowest->userObjects, now->userObjects);
  }
  return lowest;
}

std::string Describe(const ProcessFigures& figures) {
  char text[160];
  std::snprintf(text, sizeof(text), "working set %zu KiB, private %zu KiB, GDI %lu, USER %lu",
                figures.workingSet / 1024, figures.privateBytes / 1024,
                static_cast<unsigned long>(figures.gdiObjects),
                static_cast<unsigned long>(figures.userObjects));
  return text;
}

}  // namespace

// Entries by Slorp and by the hot key, alternately; ways out by a pick, a right release and Esc in
// turn, so that every pairing comes round.
TEST_F(PickModeTest, ManyEntriesAndWaysOutLeakNothing) {
  const int cycles = SoakCycles();
  ASSERT_GT(cycles, kWarmUpCycles);
  const ULONGLONG start = ::GetTickCount64();
  std::optional<ProcessFigures> warm;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    if (cycle == kWarmUpCycles) {
      warm = FiguresAtRest(m_chromivo.Id());
      ASSERT_TRUE(warm) << "the program's memory cannot be read";
    }
    SCOPED_TRACE(testing::Message() << "cycle " << cycle);
    if (cycle % 2 == 0) {
      ASSERT_NO_FATAL_FAILURE(EnterBySlorp());
    } else {
      ASSERT_NO_FATAL_FAILURE(EnterByHotKey());
    }
    const POINT pixel{450 + cycle * 7 % 1400, 250 + cycle * 13 % 800};
    switch (cycle % 3) {
      case 0:
        ASSERT_NO_FATAL_FAILURE(PickAt(pixel));
        ASSERT_EQ(HexText(), HexTextOf(CoordinateColor(pixel.x, pixel.y)));
        break;
      case 1:
        ASSERT_NO_FATAL_FAILURE(LeaveByRightClick(pixel));
        break;
      default:
        ASSERT_NO_FATAL_FAILURE(LeaveByEsc());
        break;
    }
  }
  const double seconds = static_cast<double>(::GetTickCount64() - start) / 1000.0;
  const std::optional<ProcessFigures> end = FiguresAtRest(m_chromivo.Id());
  ASSERT_TRUE(end);

  std::printf("%d cycles in %.1f s; after %d: %s; at the end: %s\n", cycles, seconds, kWarmUpCycles,
              Describe(*warm).c_str(), Describe(*end).c_str());
  RecordProperty("cycles", cycles);
  RecordProperty("working_set_after_warm_up", std::to_string(warm->workingSet));
  RecordProperty("working_set_at_end", std::to_string(end->workingSet));
  EXPECT_LE(end->workingSet, warm->workingSet + kMiB);
  EXPECT_LE(end->privateBytes, warm->privateBytes + kMiB);
  // Only where the system counts them (Windows); Wine answers 0.
  if (warm->gdiObjects != 0) {
    EXPECT_LE(end->gdiObjects, warm->gdiObjects + kObjectCountSlack);
  }
  if (warm->userObjects != 0) {
    EXPECT_LE(end->userObjects, warm->userObjects + kObjectCountSlack);
  }
}
