// Setting an edit's text notifies the parent at once: the program's views update one another
// through EN_CHANGE, and a handler may rewrite the edit it was notified for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "WindowTestSupport.h"

namespace {

class CEditDialog : public CTestDialog {
 public:
  CEdit m_edit;
  std::vector<std::string> m_log;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_EDIT, m_edit); }

  // Like a channel edit: a value above 255 is rewritten to 255 in place.
  void OnEditChange() {
    CString text;
    m_edit.GetWindowText(text);
    m_log.push_back("enter " + std::string(text));
    if (std::atoi(text) > 255) {
      m_edit.SetWindowText("255");
    }
    m_log.push_back("leave " + std::string(text));
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEditDialog, CTestDialog)
  ON_EN_CHANGE(IDC_TEST_EDIT, OnEditChange)
END_MESSAGE_MAP()

}  // namespace

TEST(EditNotification, Platform_EditSetTextRaisesEnChangeBeforeReturning) {
  CEditDialog dialog;
  ASSERT_TRUE(dialog.Create());
  dialog.m_log.clear();

  dialog.m_edit.SetWindowText("12");
  EXPECT_EQ(dialog.m_log, (std::vector<std::string>{"enter 12", "leave 12"}));
}

TEST(EditNotification, Platform_EditSetTextInsideEnChangeRaisesANestedEnChange) {
  CEditDialog dialog;
  ASSERT_TRUE(dialog.Create());
  dialog.m_log.clear();

  dialog.m_edit.SetWindowText("300");
  EXPECT_EQ(dialog.m_log,
            (std::vector<std::string>{"enter 300", "enter 255", "leave 255", "leave 300"}));
  CString text;
  dialog.m_edit.GetWindowText(text);
  EXPECT_STREQ(text, "255");
}
