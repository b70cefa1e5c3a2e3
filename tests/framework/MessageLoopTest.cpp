// The modal loop and PreTranslateMessage: keys pressed in a control are offered to the control's
// object, then to its dialog's, whose IsDialogMessage turns Enter and Esc into IDOK and IDCANCEL.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "PreTranslatePump.h"
#include "WindowTestSupport.h"

namespace {

constexpr UINT WM_TEST_PRESS = WM_APP + 1;  // the loop runs: press the keys
constexpr UINT WM_TEST_END = WM_APP + 2;    // the keys did not end the dialog
constexpr int kNotEndedByKeys = 99;

std::string KeyName(WPARAM key) {
  switch (key) {
    case VK_RETURN:
      return "Enter";
    case VK_ESCAPE:
      return "Esc";
    default:
      return std::string("char ") + static_cast<char>(key);
  }
}

// Logs the keys and characters offered to it and may keep some from its dialog.
class CFilterEdit : public CEdit {
 public:
  std::vector<std::string>* m_log = nullptr;
  UINT m_dropMessage = 0;
  WPARAM m_dropKey = 0;

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) {
      m_log->push_back("edit " + KeyName(pMsg->wParam));
    }
    return pMsg->message == m_dropMessage && pMsg->wParam == m_dropKey;
  }
};

// Presses its keys in the focused control once its modal loop runs, then ends itself with
// kNotEndedByKeys if they did not end it.
class CModalDialog : public CDialog {
 public:
  explicit CModalDialog(std::vector<WPARAM> keys, CWnd* pParent = nullptr)
      : CDialog(IDD_FRAMEWORK_HIDDEN, pParent), m_keys(std::move(keys)) {
    m_edit.m_log = &m_log;
  }

  CFilterEdit m_edit;
  std::vector<std::string> m_log;
  bool m_quit = false;  // post WM_QUIT instead of pressing keys
  HWND m_hWndEdit = nullptr;
  HWND m_focusWhenPressed = nullptr;
  bool m_visibleWhenPressed = false;
  bool m_ownerEnabledWhenPressed = true;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_hWndEdit = m_edit;
    ::SetFocus(m_edit);
    ::PostMessageA(m_hWnd, WM_TEST_PRESS, 0, 0);
    return FALSE;
  }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) {
      m_log.push_back("dialog " + KeyName(pMsg->wParam));
    }
    return CDialog::PreTranslateMessage(pMsg);
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_EDIT, m_edit); }

  LRESULT OnPress(WPARAM, LPARAM) {
    m_focusWhenPressed = ::GetFocus();
    m_visibleWhenPressed = ::IsWindowVisible(m_hWnd);
    m_ownerEnabledWhenPressed = ::IsWindowEnabled(::GetWindow(m_hWnd, GW_OWNER));
    if (m_quit) {
      // WM_QUIT comes after every posted message; the timer only ends a loop that ignores it.
      ::PostQuitMessage(7);
      ::SetTimer(m_hWnd, 1, 10000, nullptr);
      return 0;
    }
    for (const WPARAM key : m_keys) {
      ::PostMessageA(m_focusWhenPressed, WM_KEYDOWN, key, 1);
      ::PostMessageA(m_focusWhenPressed, WM_KEYUP, key, 0xC0000001);
    }
    ::PostMessageA(m_hWnd, WM_TEST_END, 0, 0);
    return 0;
  }
  LRESULT OnEnd(WPARAM, LPARAM) {
    EndDialog(kNotEndedByKeys);
    return 0;
  }

 private:
  std::vector<WPARAM> m_keys;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalDialog, CDialog)
  ON_MESSAGE(WM_TEST_PRESS, OnPress)
  ON_MESSAGE(WM_TEST_END, OnEnd)
  ON_MESSAGE(WM_TIMER, OnEnd)
END_MESSAGE_MAP()

class CModelessFilterDialog : public CTestDialog {
 public:
  CModelessFilterDialog() { m_edit.m_log = &m_log; }

  CFilterEdit m_edit;
  std::vector<std::string> m_log;

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_CHAR) {
      m_log.push_back("dialog " + KeyName(pMsg->wParam));
    }
    return CTestDialog::PreTranslateMessage(pMsg);
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_EDIT, m_edit); }
};

}  // namespace

TEST(ModalLoop, EnterInTheFocusedEditEndsTheDialogWithIdok) {
  CModalDialog dialog({VK_RETURN});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_focusWhenPressed, dialog.m_hWndEdit);
}

TEST(ModalLoop, EscInTheFocusedEditEndsTheDialogWithIdcancel) {
  CModalDialog dialog({VK_ESCAPE});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.m_focusWhenPressed, dialog.m_hWndEdit);
}

TEST(ModalLoop, ControlSeesKeysBeforeItsDialogAndCanDropThem) {
  CModalDialog dialog({VK_RETURN, VK_ESCAPE});
  dialog.m_edit.m_dropMessage = WM_KEYDOWN;
  dialog.m_edit.m_dropKey = VK_RETURN;

  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.m_log, (std::vector<std::string>{"edit Enter", "edit Esc", "dialog Esc"}));
}

TEST(ModalLoop, ShowsAHiddenTemplateDisablesTheOwnerAndDestroysTheDialog) {
  CTestDialog owner;
  ASSERT_TRUE(owner.Create());
  CModalDialog dialog({}, &owner);

  EXPECT_EQ(dialog.DoModal(), kNotEndedByKeys);
  EXPECT_TRUE(dialog.m_visibleWhenPressed);
  EXPECT_FALSE(dialog.m_ownerEnabledWhenPressed);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_FALSE(::IsWindow(dialog.m_hWndEdit));
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(ModalLoop, QuitEndsTheLoopAndIsPostedAgain) {
  CModalDialog dialog({});
  dialog.m_quit = true;

  EXPECT_EQ(dialog.DoModal(), -1);
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(PreTranslate, DroppedMessageNeverReachesTheControl) {
  CModelessFilterDialog dialog;
  ASSERT_TRUE(dialog.Create());
  dialog.m_edit.m_dropMessage = WM_CHAR;
  dialog.m_edit.m_dropKey = 'x';

  ::PostMessageA(dialog.m_edit, WM_CHAR, 'x', 1);
  ::PostMessageA(dialog.m_edit, WM_CHAR, 'y', 1);
  PumpThroughPreTranslateUpTo(dialog);

  CString text;
  dialog.m_edit.GetWindowText(text);
  EXPECT_STREQ(text, "y");
  EXPECT_EQ(dialog.m_log,
            (std::vector<std::string>{"edit char x", "edit char y", "dialog char y"}));
}
