// Links clicked in Chromivo.exe, started as its own process, when the shell cannot open their
// addresses: the program of ".htm" files is started with the association's command and the
// address. The recorder stands in for that program.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "RecordedLinksTest.h"
#include "fixtures/Input.h"
#include "fixtures/Rect.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"

namespace {

void Click(HWND control) {
  Click(CentreOf(WindowRectOnScreen(control)));
}

class LinkE2eTest : public RecordedLinksTest {
 protected:
  void SetUp() override {
    RecordedLinksTest::SetUp();
    ::SetForegroundWindow(window);
  }

  const std::string recorder = RecorderPath();
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
    Click(POINT{linkRect.left + 20 + 40 * static_cast<LONG>(i),
                (linkRect.top + linkRect.bottom) / 2});
    ASSERT_TRUE(record.WaitForLines(i + 1)) << forms[i].association;
    EXPECT_EQ(record.Lines().at(i), forms[i].commandPart + " http://chromivo.example/");
  }
}

TEST_F(LinkE2eTest, SupportLinkOfTheAboutBoxTakesTheSamePathWithItsMailAddress) {
  BreakShellLinks(classes, quotedRecorder + " --mail \"%1\"");
  Click(::GetDlgItem(window, IDC_ABOUT));
  const HWND box = chromivo.WaitForWindow("About Chromivo");
  ASSERT_NE(box, nullptr);
  Click(::GetDlgItem(box, IDC_ABOUT_SUPPORT_LINK));
  ASSERT_TRUE(record.WaitForLines(1));
  EXPECT_EQ(record.Lines().at(0), quotedRecorder + " --mail  mailto:support@chromivo.example");
  EXPECT_TRUE(::IsWindowVisible(box));
}
