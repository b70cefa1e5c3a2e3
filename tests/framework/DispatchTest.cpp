// Dispatch on a real control: the binding hook runs first, Default reaches the control's own
// procedure, and a derived class's map overrides and extends its base's.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WindowTestSupport.h"

namespace {

// Makes its static clickable in PreSubclassWindow, as a link label does, and records the order
// in which the hook and the messages reach it.
class CHookedStatic : public CStatic {
 public:
  std::vector<std::string> m_events;

 protected:
  void PreSubclassWindow() override {
    m_events.push_back(::IsWindow(m_hWnd) ? "hook" : "hook without window");
    ModifyStyle(0, SS_NOTIFY);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    m_events.push_back("message " + std::to_string(message));
    return CStatic::WindowProc(message, wParam, lParam);
  }
  void OnClicked() { m_events.push_back("clicked"); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHookedStatic, CStatic)
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CHookDialog : public CTestDialog {
 public:
  CHookedStatic m_static;

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TEST_PLAIN, m_static); }
};

// Counts the text messages and passes them on with Default.
class CTextCountingEdit : public CEdit {
 public:
  int m_setTexts = 0;
  int m_getTexts = 0;

 protected:
  LRESULT OnSetText(WPARAM, LPARAM) {
    ++m_setTexts;
    // A nested message to the same window first: Default must still pass on WM_SETTEXT.
    SendMessage(WM_GETTEXTLENGTH);
    return Default();
  }
  LRESULT OnGetText(WPARAM, LPARAM) {
    ++m_getTexts;
    return Default();
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTextCountingEdit, CEdit)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
END_MESSAGE_MAP()

// Overrides its base's WM_SETTEXT entry and keeps new text from the control.
class CFixedTextEdit : public CTextCountingEdit {
 public:
  int m_refused = 0;

 protected:
  LRESULT OnRefuseText(WPARAM, LPARAM) {
    ++m_refused;
    return TRUE;
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFixedTextEdit, CTextCountingEdit)
  ON_MESSAGE(WM_SETTEXT, OnRefuseText)
END_MESSAGE_MAP()

// Keeps the first two bytes of the text that WM_SETTEXT brings to its map (any text of at least
// one character has them, in either form).
class CTextBytesEdit : public CEdit {
 public:
  std::string m_bytes;

 protected:
  LRESULT OnSetText(WPARAM, LPARAM lParam) {
    m_bytes.assign(reinterpret_cast<const char*>(lParam), 2);
    return Default();
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTextBytesEdit, CEdit)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CString TextOf(HWND hWnd) {
  CString text;
  CWnd::FromHandle(hWnd)->GetWindowText(text);
  return text;
}

}  // namespace

TEST(Dispatch, PreSubclassWindowRunsBeforeTheFirstRoutedMessage) {
  CHookDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ::SendMessageA(dialog.Item(IDC_TEST_PLAIN), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));

  const std::vector<std::string>& events = dialog.m_static.m_events;
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events.front(), "hook");
  EXPECT_EQ(std::count(events.begin(), events.end(), "hook"), 1);
  // The style the hook added is in force: the static notifies its click.
  EXPECT_EQ(events.back(), "clicked");
}

TEST(Dispatch, DefaultPassesTheHandledMessageToTheControl) {
  CTestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CTextCountingEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(dialog.Item(IDC_TEST_EDIT)));

  edit.SetWindowText("abc");
  EXPECT_EQ(edit.m_setTexts, 1);
  EXPECT_STREQ(TextOf(edit), "abc");
  EXPECT_GE(edit.m_getTexts, 1);
}

TEST(Dispatch, DerivedMapOverridesAnEntryAndKeepsTheBasesOthers) {
  CTestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ::SetWindowTextA(dialog.Item(IDC_TEST_EDIT), "abc");
  CFixedTextEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(dialog.Item(IDC_TEST_EDIT)));

  edit.SetWindowText("xyz");
  EXPECT_EQ(edit.m_refused, 1);
  EXPECT_EQ(edit.m_setTexts, 0);
  EXPECT_STREQ(TextOf(edit), "abc");
  EXPECT_GE(edit.m_getTexts, 1) << "the base's WM_GETTEXT entry still applies";
}

TEST(Dispatch, AWindowBoundToOneObjectIsNotTakenByAnother) {
  CTestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  const HWND hWndEdit = dialog.Item(IDC_TEST_EDIT);
  CTextCountingEdit first;
  ASSERT_TRUE(first.SubclassWindow(hWndEdit));
  {
    CFixedTextEdit second;
    EXPECT_FALSE(second.SubclassWindow(hWndEdit));
    EXPECT_EQ(second.m_hWnd, nullptr);
  }
  // The refused object's end took nothing with it: the control and its binding are intact.
  ASSERT_TRUE(::IsWindow(hWndEdit));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWndEdit), &first);
  first.SetWindowText("abc");
  EXPECT_EQ(first.m_setTexts, 1);
  EXPECT_STREQ(TextOf(hWndEdit), "abc");
}

// Common controls 6 register their classes as Unicode only: even when the program calls the
// ANSI functions, a control's map gets the UTF-16 form of text parameters.
TEST(Dispatch, Platform_CommonControlsSixEditMapSeesUtf16Text) {
  CTestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CTextBytesEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(dialog.Item(IDC_TEST_EDIT)));

  edit.SetWindowText("ab");
  EXPECT_TRUE(::IsWindowUnicode(edit));
  EXPECT_EQ(edit.m_bytes, std::string("a\0", 2));
  EXPECT_STREQ(TextOf(edit), "ab");
}
