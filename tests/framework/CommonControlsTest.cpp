// The trackbar and the up-down control as the program uses them: setting a position silently,
// the user's steps reported to the parent, and an up-down that writes its buddy edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PreTranslatePump.h"
#include "WindowTestSupport.h"

namespace {

struct Scroll {
  UINT code;
  UINT pos;
  CWnd* bar;
};

class CControlsDialog : public CTestDialog {
 public:
  CEdit m_edit;
  CSpinButtonCtrl m_spin;
  CSliderCtrl m_slider;
  std::vector<Scroll> m_scrolls;
  std::vector<std::string> m_editTexts;  // the edit's text at each EN_CHANGE

  BOOL OnInitDialog() override {
    CTestDialog::OnInitDialog();
    m_spin.SetBuddy(&m_edit);
    m_spin.SetRange32(0, 255);
    m_slider.SetRange(0, 255);
    return TRUE;
  }

  // Posts a key press and release to a control and handles them as the modal loop would.
  void PressKey(HWND control, WPARAM key) {
    ::SetFocus(control);
    ::PostMessageA(control, WM_KEYDOWN, key, 1);
    ::PostMessageA(control, WM_KEYUP, key, 0xC0000001);
    PumpThroughPreTranslateUpTo(m_hWnd);
  }

  CString EditText() const {
    CString text;
    m_edit.GetWindowText(text);
    return text;
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_TEST_EDIT, m_edit);
    DDX_Control(pDX, IDC_TEST_SPIN, m_spin);
    DDX_Control(pDX, IDC_TEST_SLIDER, m_slider);
  }

  void OnHScroll(UINT code, UINT pos, CWnd* bar) { m_scrolls.push_back({code, pos, bar}); }
  void OnEditChange() { m_editTexts.push_back(std::string(EditText())); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlsDialog, CTestDialog)
  ON_WM_HSCROLL()
  ON_EN_CHANGE(IDC_TEST_EDIT, OnEditChange)
END_MESSAGE_MAP()

}  // namespace

TEST(Trackbar, Platform_TrackbarSetPosRaisesNoScroll) {
  CControlsDialog dialog;
  ASSERT_TRUE(dialog.Create());
  dialog.m_scrolls.clear();

  dialog.m_slider.SetPos(100);
  PumpThroughPreTranslateUpTo(dialog.m_hWnd);
  EXPECT_EQ(dialog.m_slider.GetPos(), 100);
  EXPECT_TRUE(dialog.m_scrolls.empty());
}

TEST(Trackbar, Platform_TrackbarKeyStepSendsHScrollToTheParent) {
  CControlsDialog dialog;
  ASSERT_TRUE(dialog.Create());
  dialog.m_slider.SetPos(100);
  dialog.m_scrolls.clear();

  dialog.PressKey(dialog.m_slider, VK_RIGHT);
  EXPECT_EQ(dialog.m_slider.GetPos(), 101);
  ASSERT_EQ(dialog.m_scrolls.size(), 2u);
  EXPECT_EQ(dialog.m_scrolls[0].code, static_cast<UINT>(TB_LINEDOWN));
  EXPECT_EQ(dialog.m_scrolls[0].bar, &dialog.m_slider) << "the bar is the permanent object";
  EXPECT_EQ(dialog.m_scrolls[1].code, static_cast<UINT>(TB_ENDTRACK));
}

TEST(UpDown, Platform_UpDownWritesItsBuddysTextAndWrapsAround) {
  CControlsDialog dialog;
  ASSERT_TRUE(dialog.Create());
  dialog.m_editTexts.clear();

  dialog.m_spin.SendMessage(UDM_SETPOS32, 0, 255);
  EXPECT_STREQ(dialog.EditText(), "255");
  EXPECT_EQ(dialog.m_editTexts, std::vector<std::string>{"255"});

  dialog.PressKey(dialog.m_edit, VK_UP);
  EXPECT_EQ(dialog.m_spin.SendMessage(UDM_GETPOS32), 0);
  EXPECT_STREQ(dialog.EditText(), "0");
  EXPECT_EQ(dialog.m_editTexts.back(), "0");

  dialog.PressKey(dialog.m_edit, VK_DOWN);
  EXPECT_EQ(dialog.m_spin.SendMessage(UDM_GETPOS32), 255);
  EXPECT_STREQ(dialog.EditText(), "255");
  EXPECT_EQ(dialog.m_editTexts.back(), "255");
}
