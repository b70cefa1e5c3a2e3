// Every command of the window and of the About box, one after another in one run of the program,
// each given through real input as a user gives it: the program does what the command says and
// is still running after it. The first call into a DLL loaded on first use (the colour dialog's,
// the shell's) is among them, in whichever build the run tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "RecordedLinksTest.h"
#include "fixtures/Clipboard.h"
#include "fixtures/Foreground.h"
#include "fixtures/Input.h"
#include "fixtures/Rect.h"
#include "fixtures/Wait.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"

namespace {

struct Command {
  const char* name;
  // Gives the command and returns whether it did what it says.
  std::function<bool()> giveAndCheck;
};

class CommandTest : public RecordedLinksTest {
 protected:
  void SetUp() override {
    RecordedLinksTest::SetUp();
    BreakShellLinks(classes, quotedRecorder + " \"%1\"");
    ASSERT_NE(BringToForeground(window), ForegroundMeans::kFailed);
  }

  static bool ClickControl(HWND parent, int id) {
    return Click(CentreOf(WindowRectOnScreen(Control(parent, id))));
  }

  bool CopiesText(int copyButton, const std::string& expected) const {
    const DWORD before = ::GetClipboardSequenceNumber();
    if (!ClickControl(window, copyButton) || !WaitForClipboardChange(before)) {
      return false;
    }
    const auto contents = ReadClipboard();
    return contents && contents->text && contents->text->text == expected;
  }

  // Keep on top, clicked: the window leaves the topmost band or joins it.
  bool TogglesTopmost() const {
    const bool wasTopmost = IsTopmost(window);
    return ClickControl(window, IDC_KEEP_ON_TOP) &&
           WaitUntil([&] { return IsTopmost(window) != wasTopmost; });
  }

  bool CoversTheScreen() const {
    const RECT rect = WindowRectOnScreen(window);
    return rect.left == 0 && rect.top == 0 && WidthOf(rect) == ::GetSystemMetrics(SM_CXSCREEN) &&
           HeightOf(rect) == ::GetSystemMetrics(SM_CYSCREEN);
  }

  // Pick mode entered by `enter` and left with Esc, the window back where it stood.
  bool PicksAndGivesUp(const std::function<bool()>& enter) const {
    const RECT before = WindowRectOnScreen(window);
    return enter() && WaitUntil([&] { return CoversTheScreen(); }) && PressKey(VK_ESCAPE) &&
           WaitUntil([&] { return WindowRectOnScreen(window) == before; });
  }

  // The window the program shows that the main window owns: the colour dialog, the About box.
  HWND OwnedWindow() const {
    for (const HWND shown : VisibleTopLevelWindows(chromivo.Id())) {
      if (::GetWindow(shown, GW_OWNER) == window) {
        return shown;
      }
    }
    return nullptr;
  }

  bool OpensTheColorDialogAndCancels() const {
    HWND dialog = nullptr;
    return ClickControl(window, IDC_SELECT_COLOR) &&
           WaitUntil([&] { return (dialog = OwnedWindow()) != nullptr; }) && PressKey(VK_ESCAPE) &&
           WaitUntil([&] { return !::IsWindow(dialog); });
  }

  bool OpensLink(HWND parent, int link) {
    ++linksOpened;
    return ClickControl(parent, link) && record.WaitForLines(linksOpened);
  }

  // The About box, each of its links, then its OK.
  bool AboutBoxOpensItsLinksAndCloses() {
    if (!ClickControl(window, IDC_ABOUT)) {
      return false;
    }
    const HWND box = chromivo.WaitForWindow("About Chromivo");
    if (box == nullptr) {
      return false;
    }
    for (const int link : {IDC_ABOUT_HOMEPAGE_LINK, IDC_ABOUT_REFER_LINK, IDC_ABOUT_FAQ_LINK,
                           IDC_ABOUT_SUPPORT_LINK}) {
      if (!OpensLink(box, link) || !IsAlive()) {
        ADD_FAILURE() << "About box link " << link;
        return false;
      }
    }
    return ClickControl(box, IDC_ABOUT_OK) && WaitUntil([&] { return !::IsWindow(box); });
  }

  // Running and answering its messages: a program that faulted may still be there, held by a
  // debugger, but answers nothing.
  bool IsAlive() const {
    return chromivo.IsRunning() && SendWithTimeout(window, WM_NULL).has_value();
  }

  size_t linksOpened = 0;
};

}  // namespace

TEST_F(CommandTest, EveryCommandDoesItsWorkAndTheProgramGoesOnUntilExit) {
  const Command commands[] = {
      {"Copy C++ color", [&] { return CopiesText(IDC_COPY_HEX, "0xFFFFFF"); }},
      {"Copy HTML color", [&] { return CopiesText(IDC_COPY_HTML, "#FFFFFF"); }},
      {"Copy RGB color", [&] { return CopiesText(IDC_COPY_RGB, "RGB(255,255,255)"); }},
      {"Keep on top, off", [&] { return TogglesTopmost(); }},
      {"Keep on top, on", [&] { return TogglesTopmost(); }},
      {"Select", [&] { return OpensTheColorDialogAndCancels(); }},
      {"Slorp", [&] { return PicksAndGivesUp([&] { return ClickControl(window, IDC_SLORP); }); }},
      {"hot key", [&] { return PicksAndGivesUp([] { return PressKey(VK_SUBTRACT, kCtrl); }); }},
      {"home link", [&] { return OpensLink(window, IDC_HOME_LINK); }},
      {"About", [&] { return AboutBoxOpensItsLinksAndCloses(); }},
  };
  for (const Command& command : commands) {
    SCOPED_TRACE(command.name);
    EXPECT_TRUE(command.giveAndCheck()) << "the command did not do its work";
    ASSERT_TRUE(IsAlive()) << "the program ended or stopped answering";
  }

  ASSERT_TRUE(ClickControl(window, IDC_EXIT));
  DWORD exitCode = 1;
  EXPECT_TRUE(chromivo.WaitForExit(kDefaultTimeoutMs, &exitCode)) << "Exit did not end it";
  EXPECT_EQ(exitCode, 0u);
}
