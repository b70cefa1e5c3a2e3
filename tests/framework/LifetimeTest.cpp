// Objects and windows end in either order: a destroyed window leaves no binding behind, and an
// object that goes first takes its window with it.
#include <gtest/gtest.h>

#include <memory>

#include "WindowTestSupport.h"

namespace {

class CEditDialog : public CTestDialog {
 public:
  CEdit m_edit;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_EDIT, m_edit); }
};

}  // namespace

TEST(Lifetime, DestroyedWindowLeavesNoBindingAndTheObjectCanBindAgain) {
  CEditDialog dialog;
  ASSERT_TRUE(dialog.Create());
  const HWND hWndDialog = dialog;
  const HWND hWndEdit = dialog.m_edit;
  ASSERT_EQ(CWnd::FromHandlePermanent(hWndEdit), &dialog.m_edit);

  ASSERT_TRUE(::DestroyWindow(hWndDialog));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWndDialog), nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWndEdit), nullptr);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.m_edit.m_hWnd, nullptr);

  // As an About box object run twice: the same objects bind to the new windows.
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(CWnd::FromHandlePermanent(dialog), &dialog);
  EXPECT_EQ(CWnd::FromHandlePermanent(dialog.Item(IDC_TEST_EDIT)), &dialog.m_edit);
}

TEST(Lifetime, DestroyedDialogObjectTakesItsWindowsWithIt) {
  auto dialog = std::make_unique<CEditDialog>();
  ASSERT_TRUE(dialog->Create());
  const HWND hWndDialog = *dialog;
  const HWND hWndEdit = dialog->m_edit;

  dialog.reset();
  EXPECT_FALSE(::IsWindow(hWndDialog));
  EXPECT_FALSE(::IsWindow(hWndEdit));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWndDialog), nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWndEdit), nullptr);
}

TEST(Lifetime, DestroyedControlObjectTakesOnlyItsControl) {
  CTestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  const HWND hWndEdit = dialog.Item(IDC_TEST_EDIT);
  auto edit = std::make_unique<CEdit>();
  ASSERT_TRUE(edit->SubclassWindow(hWndEdit));

  edit.reset();
  EXPECT_FALSE(::IsWindow(hWndEdit));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWndEdit), nullptr);
  EXPECT_TRUE(::IsWindow(dialog));
  EXPECT_EQ(CWnd::FromHandlePermanent(dialog), &dialog);
}
