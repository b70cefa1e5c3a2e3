// Links clicked in Chromivo.exe, started as its own process, when the shell cannot open their
// addresses: the program of ".htm" files is started with the association's command and the
// address. The recorder stands in for that program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Associations.h"
#include "ChromivoProcess.h"
#include "Input.h"
#include "res/resource.h"

namespace {

struct WindowSearch {
  DWORD processId;
  const char* caption;
  HWND found;
};

HWND WaitForWindow(DWORD processId, const char* caption) {
  WindowSearch search{processId, caption, nullptr};
  for (int waited = 0; search.found == nullptr && waited < 20000; waited += 50) {
    ::Sleep(50);
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto* search = reinterpret_cast<WindowSearch*>(data);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          char caption[64] = {};
          ::GetWindowTextA(window, caption, sizeof(caption));
          if (owner == search->processId && ::IsWindowVisible(window) &&
              std::string(caption) == search->caption) {
            search->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

void Pace() {
  ::Sleep(50);
}

// A hand's click: several moves onto the point, then the button.
void ClickAt(POINT screen) {
  GlideMouse(screen, Pace);
  ClickMouse(screen);
}

void Click(HWND control) {
  ClickAt(CenterOf(control));
}

class LinkE2eTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(chromivo.Start());
    window = WaitForWindow(chromivo.Id(), "Chromivo");
    ASSERT_NE(window, nullptr);
    ::SetForegroundWindow(window);
  }

  ScopedClasses classes;
  LinkRecord record;
  ChromivoProcess chromivo;
  HWND window = nullptr;
  const std::string recorder = RecorderPath();
  const std::string quotedRecorder = Quoted(RecorderPath());
};

}  // namespace

TEST_F(LinkE2eTest, HomeLinkStartsTheHtmlProgramWithTheCommandBeforeItsPlaceholder) {
  struct Form {
    std::string association;
    std::string commandPart;
  };
  const Form forms[] = {
      {quotedRecorder + " --quoted \"%1\"", quotedRecorder + " --quoted "},
      {recorder + " --bare %1 --dropped", recorder + " --bare "},
      {quotedRecorder + " --whole", quotedRecorder + " --whole"},
  };
  const HWND link = ::GetDlgItem(window, IDC_HOME_LINK);
  ASSERT_NE(link, nullptr);
  RECT linkRect{};
  ::GetWindowRect(link, &linkRect);
  for (size_t i = 0; i < std::size(forms); ++i) {
    BreakShellLinks(classes, forms[i].association);
    // Each click lands apart from the one before, or the two would make a double click.
    ClickAt({linkRect.left + 20 + 40 * static_cast<LONG>(i), (linkRect.top + linkRect.bottom) / 2});
    ASSERT_TRUE(record.WaitForLines(i + 1)) << forms[i].association;
    EXPECT_EQ(record.Lines().at(i), forms[i].commandPart + " http://chromivo.example/");
  }
}

TEST_F(LinkE2eTest, SupportLinkOfTheAboutBoxTakesTheSamePathWithItsMailAddress) {
  BreakShellLinks(classes, quotedRecorder + " --mail \"%1\"");
  Click(::GetDlgItem(window, IDC_ABOUT));
  const HWND box = WaitForWindow(chromivo.Id(), "About Chromivo");
  ASSERT_NE(box, nullptr);
  Click(::GetDlgItem(box, IDC_ABOUT_SUPPORT_LINK));
  ASSERT_TRUE(record.WaitForLines(1));
  EXPECT_EQ(record.Lines().at(0), quotedRecorder + " --mail  mailto:support@chromivo.example");
  EXPECT_TRUE(::IsWindowVisible(box));
}
