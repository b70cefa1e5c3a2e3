// The help command: a WM_COMMAND with ID_HELP that no window handles goes to the application
// object's map, as a menu command would.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace {

class CHelpApp : public CWinApp {
 public:
  int m_helpCommands = 0;

 protected:
  void OnAppHelp() { ++m_helpCommands; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpApp, CWinApp)
  ON_COMMAND(ID_HELP, OnAppHelp)
END_MESSAGE_MAP()

class CHelpDialog : public CTestDialog {
 public:
  int m_helpCommands = 0;

 protected:
  void OnHelp() { ++m_helpCommands; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpDialog, CTestDialog)
  ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

}  // namespace

TEST(CommandRoute, UnhandledHelpCommandReachesTheApplication) {
  CHelpApp app;
  ASSERT_EQ(AfxGetApp(), &app);
  CTestDialog dialog;
  ASSERT_TRUE(dialog.Create());

  dialog.SendMessage(WM_COMMAND, ID_HELP, 0);
  EXPECT_EQ(app.m_helpCommands, 1);

  // A control's notification with the same id is not a command for the application.
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_TEST_BUTTON)));
  EXPECT_EQ(app.m_helpCommands, 1);
}

TEST(CommandRoute, DialogsOwnHelpEntryComesFirst) {
  CHelpApp app;
  CHelpDialog dialog;
  ASSERT_TRUE(dialog.Create());

  dialog.SendMessage(WM_COMMAND, ID_HELP, 0);
  EXPECT_EQ(dialog.m_helpCommands, 1);
  EXPECT_EQ(app.m_helpCommands, 0);
}
