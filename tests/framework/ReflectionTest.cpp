// Reflection: a static's click and colour notifications go to the static's own object first,
// and to its parent only when the object has no entry for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "WindowTestSupport.h"

namespace {

constexpr COLORREF kChildColor = RGB(200, 30, 40);
constexpr COLORREF kParentColor = RGB(20, 160, 90);

HGDIOBJ SolidBrush(CGdiObject& brush, COLORREF color) {
  brush.Attach(::CreateSolidBrush(color));
  return brush.GetSafeHandle();
}

// Handles its own click and colours; with m_giveBrush false it declines the colours.
class CLinkStatic : public CStatic {
 public:
  CLinkStatic() { SolidBrush(m_brush, kChildColor); }

  int m_clicks = 0;
  bool m_giveBrush = true;
  std::vector<UINT> m_ctlColorKinds;
  std::vector<HDC> m_ctlColorDcs;

 protected:
  void OnClicked() { ++m_clicks; }
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
    m_ctlColorKinds.push_back(nCtlColor);
    m_ctlColorDcs.push_back(pDC->GetSafeHdc());
    return m_giveBrush ? static_cast<HBRUSH>(m_brush.GetSafeHandle()) : nullptr;
  }

 private:
  CGdiObject m_brush;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLinkStatic, CStatic)
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CReflectDialog : public CTestDialog {
 public:
  CReflectDialog() { SolidBrush(m_brush, kParentColor); }

  CLinkStatic m_link;
  CStatic m_label;  // bound, but with no entries of its own
  int m_linkClicks = 0;
  int m_labelClicks = 0;
  std::vector<HWND> m_colored;  // the statics this dialog was asked to colour

  bool Colored(HWND hWnd) const {
    return std::find(m_colored.begin(), m_colored.end(), hWnd) != m_colored.end();
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_TEST_LINK, m_link);
    DDX_Control(pDX, IDC_TEST_LABEL, m_label);
  }
  void OnLinkClicked() { ++m_linkClicks; }
  void OnLabelClicked() { ++m_labelClicks; }
  LRESULT OnCtlColorStatic(WPARAM, LPARAM lParam) {
    m_colored.push_back(reinterpret_cast<HWND>(lParam));
    return reinterpret_cast<LRESULT>(m_brush.GetSafeHandle());
  }

 private:
  CGdiObject m_brush;

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectDialog, CTestDialog)
  ON_CONTROL(STN_CLICKED, IDC_TEST_LINK, OnLinkClicked)
  ON_CONTROL(STN_CLICKED, IDC_TEST_LABEL, OnLabelClicked)
  ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
END_MESSAGE_MAP()

void Click(HWND hWnd) {
  ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// Has the static paint itself into a bitmap and returns its background colour.
COLORREF PaintedBackground(HWND hWnd, CCanvas& canvas) {
  canvas.Dc().FillSolidRect(0, 0, 8, 8, RGB(0, 0, 0));
  ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc().GetSafeHdc()),
                 PRF_CLIENT);
  return canvas.Pixel(1, 1);
}

}  // namespace

TEST(Reflection, ClickGoesToTheStaticsOwnEntryInsteadOfTheParent) {
  CReflectDialog dialog;
  ASSERT_TRUE(dialog.Create());

  Click(dialog.m_link);
  EXPECT_EQ(dialog.m_link.m_clicks, 1);
  EXPECT_EQ(dialog.m_linkClicks, 0);

  Click(dialog.m_label);
  EXPECT_EQ(dialog.m_labelClicks, 1) << "a static without the entry leaves its click to the parent";
}

TEST(Reflection, ColorsComeFromTheStaticsOwnEntryInsteadOfTheParent) {
  CReflectDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CCanvas canvas(8, 8);
  dialog.m_colored.clear();

  EXPECT_EQ(PaintedBackground(dialog.m_link, canvas), kChildColor);
  ASSERT_FALSE(dialog.m_link.m_ctlColorKinds.empty());
  EXPECT_EQ(dialog.m_link.m_ctlColorKinds.back(), static_cast<UINT>(CTLCOLOR_STATIC));
  EXPECT_EQ(dialog.m_link.m_ctlColorDcs.back(), canvas.Dc().GetSafeHdc());
  EXPECT_FALSE(dialog.Colored(dialog.m_link));

  EXPECT_EQ(PaintedBackground(dialog.m_label, canvas), kParentColor);
  EXPECT_TRUE(dialog.Colored(dialog.m_label));
}

TEST(Reflection, StaticThatGivesNoBrushLeavesItsColorsToTheParent) {
  CReflectDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CCanvas canvas(8, 8);
  dialog.m_link.m_giveBrush = false;
  dialog.m_link.m_ctlColorKinds.clear();

  EXPECT_EQ(PaintedBackground(dialog.m_link, canvas), kParentColor);
  EXPECT_FALSE(dialog.m_link.m_ctlColorKinds.empty()) << "the static was asked first";
  EXPECT_TRUE(dialog.Colored(dialog.m_link));
}
