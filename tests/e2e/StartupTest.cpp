// Start-up and the main window with Chromivo.exe as its own process: one copy at a time, the
// window as it opens, Keep on top, and the ways to end it, each with what becomes of the hot key.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fixtures/ChromivoProcess.h"
#include "fixtures/Clipboard.h"
#include "fixtures/E2eTest.h"
#include "fixtures/Foreground.h"
#include "fixtures/HotKeyProbe.h"
#include "fixtures/Input.h"
#include "fixtures/ScreenCapture.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"
#include "standin/StandInIds.h"

namespace {

class Startup : public E2eTest {};

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool HotKeyHeldElsewhere() {
  return IsHotKeyHeldElsewhere(kChromivoHotKeyModifiers, kChromivoHotKeyKey);
}

// Where a click on a control of the window lands: its middle, on the screen.
POINT ControlCentre(HWND window, int id) {
  return CentreOf(WindowRectOnScreen(Control(window, id)));
}

bool StartsAndShowsItsWindow(ChromivoProcess& chromivo) {
  return chromivo.Start() && chromivo.WaitForMainWindow() != nullptr;
}

}  // namespace

TEST_F(Startup, OnlyOneCopyRunsAtATime) {
  ChromivoProcess first;
  ASSERT_TRUE(first.Start());
  const HWND window = first.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(HotKeyHeldElsewhere());
  // The window list finds the first copy's window, so an empty one for the second copy means
  // that it showed none.
  const std::vector<HWND> firstWindows = TopLevelWindowsOf(first.Id());
  ASSERT_NE(std::find(firstWindows.begin(), firstWindows.end(), window), firstWindows.end());

  ChromivoProcess second;
  ASSERT_TRUE(second.Start());
  bool secondHadAWindow = false;
  ASSERT_TRUE(WaitUntil([&] {
    secondHadAWindow = secondHadAWindow || !TopLevelWindowsOf(second.Id()).empty();
    return !second.IsRunning();
  })) << "the second copy still runs";
  DWORD exitCode = 1;
  ASSERT_TRUE(second.WaitForExit(0, &exitCode));
  // 0: it ended by itself, neither killed (1) nor crashed.
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(secondHadAWindow);
  EXPECT_TRUE(first.IsRunning());
  EXPECT_EQ(FindTopLevelWindow(first.Id(), kChromivoCaption), window);
  EXPECT_TRUE(HotKeyHeldElsewhere());

  // Once the copy that runs has ended, by closing or by being killed, the next one runs.
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.WaitForExit(kDefaultTimeoutMs));
  EXPECT_TRUE(StartsAndShowsItsWindow(second)) << "no window after the first copy was closed";
  second.Kill();
  EXPECT_TRUE(StartsAndShowsItsWindow(second)) << "no window after a copy was killed";
  second.Kill();

  std::array<ChromivoProcess, 10> copies;
  for (ChromivoProcess& copy : copies) {
    ASSERT_TRUE(copy.Start());
  }
  const auto countExited = [&] {
    return std::count_if(copies.begin(), copies.end(),
                         [](const ChromivoProcess& copy) { return !copy.IsRunning(); });
  };
  EXPECT_TRUE(WaitUntil([&] { return countExited() == 9; })) << countExited() << " exited";
  const auto survivor = std::find_if(copies.begin(), copies.end(),
                                     [](const ChromivoProcess& copy) { return copy.IsRunning(); });
  ASSERT_NE(survivor, copies.end());
  EXPECT_NE(survivor->WaitForMainWindow(), nullptr);
  int windows = 0;
  for (const ChromivoProcess& copy : copies) {
    windows += FindTopLevelWindow(copy.Id(), kChromivoCaption) != nullptr ? 1 : 0;
    DWORD copyExitCode = 0;
    if (copy.WaitForExit(0, &copyExitCode)) {
      EXPECT_EQ(copyExitCode, 0u) << "a copy that found another running";
    }
  }
  EXPECT_EQ(windows, 1);
  EXPECT_EQ(countExited(), 9);
}

TEST_F(Startup, RunsUnguardedWhenItsGuardNameBelongsToAnotherKindOfObject) {
  const std::function<HANDLE()> takeTheName[] = {
      [] { return ::CreateMutexA(nullptr, FALSE, kChromivoRunningMapping); },
      [] { return ::CreateEventA(nullptr, TRUE, FALSE, kChromivoRunningMapping); },
  };
  for (const auto& take : takeTheName) {
    const UniqueHandle other(take());
    ASSERT_NE(other, nullptr);
    // No file mapping can be made under that name now, the program's guard included.
    const UniqueHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                                    0, 1, kChromivoRunningMapping));
    ASSERT_EQ(mapping, nullptr);

    // Without a guard nothing stops a second copy either.
    ChromivoProcess first;
    ChromivoProcess second;
    EXPECT_TRUE(StartsAndShowsItsWindow(first)) << "the first copy showed no window";
    EXPECT_TRUE(StartsAndShowsItsWindow(second)) << "the second copy showed no window";
    EXPECT_TRUE(first.IsRunning());
  }
}

TEST_F(Startup, OpensTopmostAt410By192WithWhiteTextsAndPaintsItsOutlines) {
  ChromivoProcess chromivo;
  ASSERT_TRUE(chromivo.Start());
  const HWND window = chromivo.WaitForMainWindow();
  ASSERT_NE(window, nullptr);

  const RECT frame = WindowRectOnScreen(window);
  EXPECT_EQ(WidthOf(frame), 410);
  EXPECT_EQ(HeightOf(frame), 192);
  EXPECT_TRUE(IsTopmost(window));
  const HWND keepOnTop = Control(window, IDC_KEEP_ON_TOP);
  EXPECT_EQ(CheckState(keepOnTop), BST_CHECKED);
  EXPECT_TRUE(WaitUntil([&] {
    const std::optional<ThreadFocus> focus = ThreadFocusOf(window);
    return focus && focus->focus == keepOnTop;
  })) << "the keyboard focus is not on Keep on top";
  EXPECT_EQ(ControlText(window, IDC_HEX_TEXT), "0xFFFFFF");
  EXPECT_EQ(ControlText(window, IDC_HTML_TEXT), "#FFFFFF");
  EXPECT_EQ(ControlText(window, IDC_RGB_TEXT), "RGB(255,255,255)");
  int controls = 0;
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    ++controls;
    EXPECT_TRUE(IsShown(child)) << "control " << ::GetDlgCtrlID(child);
  }
  EXPECT_EQ(controls, 29);

  // The swatch and the frames around the three texts, as they show on the screen.
  const RECT client = ClientRect(window);
  const RECT swatch{client.right - 70, 127, client.right - 10, 140};
  const RECT outlines[] = {swatch, {4, 23, 105, 41}, {4, 62, 105, 80}, {4, 100, 105, 118}};
  const auto firstWrongPixel = [&](const ScreenCapture& image) -> std::string {
    std::ostringstream wrong;
    const auto check = [&](int x, int y, COLORREF expected) {
      if (wrong.tellp() == 0 && image.PixelAtOffset(x, y) != expected) {
        wrong << "client pixel " << x << "," << y << " is " << std::hex << image.PixelAtOffset(x, y)
              << ", expected " << expected;
      }
    };
    for (const RECT& r : outlines) {
      for (int x = r.left; x < r.right; ++x) {
        check(x, r.top, kGrey);
        check(x, r.bottom - 1, kGrey);
      }
      for (int y = r.top; y < r.bottom; ++y) {
        check(r.left, y, kGrey);
        check(r.right - 1, y, kGrey);
      }
    }
    for (int y = swatch.top + 1; y < swatch.bottom - 1; ++y) {
      for (int x = swatch.left + 1; x < swatch.right - 1; ++x) {
        check(x, y, kWhite);
      }
    }
    return wrong.str();
  };
  std::string wrong;
  EXPECT_TRUE(WaitUntil([&] {
    wrong = firstWrongPixel(ScreenCapture::Of(ClientRectOnScreen(window)));
    return wrong.empty();
  })) << wrong;
}

TEST_F(Startup, ClickingKeepOnTopLeavesAndRejoinsTheTopmostWindowsInPlace) {
  ChromivoProcess chromivo;
  ASSERT_TRUE(chromivo.Start());
  const HWND window = chromivo.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  const HWND keepOnTop = Control(window, IDC_KEEP_ON_TOP);
  const RECT frame = WindowRectOnScreen(window);

  ASSERT_TRUE(Click(ControlCentre(window, IDC_KEEP_ON_TOP)));
  EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(window); }));
  EXPECT_EQ(CheckState(keepOnTop), BST_UNCHECKED);
  EXPECT_EQ(WindowRectOnScreen(window), frame);

  ASSERT_TRUE(Click(ControlCentre(window, IDC_KEEP_ON_TOP)));
  EXPECT_TRUE(WaitUntil([&] { return IsTopmost(window); }));
  EXPECT_EQ(CheckState(keepOnTop), BST_CHECKED);
  EXPECT_EQ(WindowRectOnScreen(window), frame);
}

TEST_F(Startup, EveryWayToEndItEndsTheProgramAndFreesTheHotKey) {
  const auto bringToFront = [](HWND window) {
    ASSERT_NE(BringToForeground(window), ForegroundMeans::kFailed);
    // The focus Enter and Esc are pressed on: the one the window opens with.
    ASSERT_TRUE(WaitUntil([&] {
      const std::optional<ThreadFocus> focus = ThreadFocusOf(window);
      return focus && focus->focus == Control(window, IDC_KEEP_ON_TOP);
    }));
  };
  const struct {
    const char* name;
    std::function<void(HWND)> end;
  } ways[] = {
      {"Exit button", [](HWND window) { ASSERT_TRUE(Click(ControlCentre(window, IDC_EXIT))); }},
      {"close button", [](HWND window) { ASSERT_TRUE(ClickCloseButton(window)); }},
      {"Alt+F4",
       [&](HWND window) {
         bringToFront(window);
         ASSERT_TRUE(PressKey(VK_F4, kAlt));
       }},
      {"Close on the window menu",
       [&](HWND window) {
         bringToFront(window);
         ASSERT_TRUE(PressKey(VK_SPACE, kAlt));
         ASSERT_TRUE(WaitUntil([&] {
           const std::optional<ThreadFocus> focus = ThreadFocusOf(window);
           return focus && focus->inMenuMode;
         })) << "the window menu did not open";
         ASSERT_TRUE(PressKey('C'));
       }},
      {"Enter",
       [&](HWND window) {
         bringToFront(window);
         ASSERT_TRUE(PressKey(VK_RETURN));
       }},
      {"Esc",
       [&](HWND window) {
         bringToFront(window);
         ASSERT_TRUE(PressKey(VK_ESCAPE));
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    ChromivoProcess chromivo;
    ASSERT_TRUE(chromivo.Start());
    const HWND window = chromivo.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(HotKeyHeldElsewhere()) << "another program could take the hot key";

    way.end(window);
    if (HasFatalFailure()) {
      return;
    }
    DWORD exitCode = 0;
    if (!chromivo.WaitForExit(kDefaultTimeoutMs, &exitCode)) {
      ADD_FAILURE() << "it still runs";
      continue;
    }
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([] { return !HotKeyHeldElsewhere(); }));
  }

  // Another program holds the hot key first: Chromivo runs all the same, says that the key is
  // not its own, and the key stays there.
  TestProcess holder(kStandInImageName);
  ASSERT_TRUE(holder.Start());
  const HWND holderWindow = holder.WaitForWindow(kStandInCaption);
  ASSERT_NE(holderWindow, nullptr);
  const auto holderCount = [&] { return ControlText(holderWindow, kStandInHotKeyCount.id); };
  ASSERT_EQ(holderCount(), "0") << "the stand-in could not take the hot key";
  ChromivoProcess chromivo;
  ASSERT_TRUE(chromivo.Start());
  const HWND window = chromivo.WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ControlText(window, IDC_HOTKEY_LABEL), "Hot Key: other app has it");

  ASSERT_TRUE(EmptyTheClipboard());
  ASSERT_TRUE(Click(ControlCentre(window, IDC_COPY_HTML)));
  EXPECT_TRUE(WaitUntil([] {
    const std::optional<ClipboardContents> contents = TryReadClipboard();
    return contents && contents->text && contents->text->text == "#FFFFFF";
  })) << "the Copy button did nothing";
  ASSERT_TRUE(PressKey(VK_SUBTRACT, kCtrl));
  EXPECT_TRUE(WaitUntil([&] { return holderCount() == "1"; })) << holderCount();

  ASSERT_TRUE(Click(ControlCentre(window, IDC_EXIT)));
  EXPECT_TRUE(chromivo.WaitForExit(kDefaultTimeoutMs)) << "the Exit button did nothing";
  ASSERT_TRUE(PressKey(VK_SUBTRACT, kCtrl));
  EXPECT_TRUE(WaitUntil([&] { return holderCount() == "2"; })) << holderCount();
}
