// ModifyStyle and ModifyStyleEx: with no flags only the style bits change; the window is
// neither moved nor sized, and is not even asked to be.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace {

class CPositionDialog : public CTestDialog {
 public:
  int m_positionChanges = 0;

 protected:
  LRESULT OnWindowPosChanging(WPARAM, LPARAM) {
    ++m_positionChanges;
    return Default();
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPositionDialog, CTestDialog)
  ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
END_MESSAGE_MAP()

}  // namespace

TEST(Style, ModifyStyleWithoutFlagsChangesTheBitsWithoutMovingTheWindow) {
  CPositionDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CRect before;
  dialog.GetWindowRect(&before);
  dialog.m_positionChanges = 0;

  EXPECT_TRUE(dialog.ModifyStyle(0, WS_MINIMIZEBOX));
  EXPECT_TRUE(dialog.GetStyle() & WS_MINIMIZEBOX);
  EXPECT_FALSE(dialog.ModifyStyle(0, WS_MINIMIZEBOX)) << "nothing left to change";
  EXPECT_TRUE(dialog.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
  EXPECT_TRUE(dialog.GetExStyle() & WS_EX_TOOLWINDOW);

  CRect after;
  dialog.GetWindowRect(&after);
  EXPECT_TRUE(::EqualRect(&before, &after));
  EXPECT_EQ(dialog.m_positionChanges, 0);

  // With flags the frame is recomputed through SetWindowPos, still in place.
  EXPECT_TRUE(dialog.ModifyStyle(WS_MINIMIZEBOX, 0, SWP_FRAMECHANGED));
  EXPECT_FALSE(dialog.GetStyle() & WS_MINIMIZEBOX);
  EXPECT_GE(dialog.m_positionChanges, 1);
  dialog.GetWindowRect(&after);
  EXPECT_TRUE(::EqualRect(&before, &after));
}
