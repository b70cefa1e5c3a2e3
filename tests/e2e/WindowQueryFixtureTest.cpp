// Reading another process's windows: texts, classes, rectangles, styles and control states of
// the stand-in, compared with what the stand-in is known to show.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "StandInTest.h"
#include "fixtures/Foreground.h"
#include "fixtures/Platform.h"
#include "fixtures/KnownImageWindow.h"
#include "fixtures/RemoteBuffer.h"

namespace {

class WindowQueryFixture : public StandInTest {};

RECT RectOf(const StandInControl& control) {
  return RECT{control.left, control.top, control.left + control.width,
              control.top + control.height};
}

}  // namespace

TEST_F(WindowQueryFixture, ReadsTextsAndClassesAcrossProcesses) {
  EXPECT_EQ(TextOf(m_window), kStandInCaption);
  EXPECT_EQ(ItemText(kStandInEdit), kStandInInitialEditText);
  EXPECT_EQ(ItemText(kStandInPressButton), "Press");
  EXPECT_EQ(ItemText(kStandInPressCount), "0");
  EXPECT_EQ(ItemText(kStandInMouseLog), "");

  EXPECT_EQ(ClassNameOf(m_window), "ChromivoStandIn");
  EXPECT_EQ(ClassNameOf(Item(kStandInEdit)), "Edit");
  EXPECT_EQ(ClassNameOf(Item(kStandInCheckBox)), "Button");
  EXPECT_EQ(ClassNameOf(Item(kStandInTrackbar)), TRACKBAR_CLASSA);
  EXPECT_TRUE(IsShown(m_window));
  EXPECT_TRUE(IsShown(Item(kStandInEdit)));
}

TEST_F(WindowQueryFixture, ReadsTheEditsCurrentTextNotItsCreationText) {
  const HWND edit = Item(kStandInEdit);
  ASSERT_TRUE(SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("#12AB34")));
  EXPECT_EQ(TextOf(edit), "#12AB34");

  ASSERT_TRUE(SendWithTimeout(edit, EM_SETSEL, 2, 5));
  EXPECT_EQ(SelectionOf(edit), (EditSelection{2, 5}));
  ASSERT_TRUE(SendWithTimeout(edit, EM_SETSEL, 7, 7));
  EXPECT_EQ(SelectionOf(edit), (EditSelection{7, 7}));
}

TEST_F(WindowQueryFixture, ReadsRectanglesOnScreenAndInTheParentsClientArea) {
  const RECT frame = WindowRectOnScreen(m_window);
  EXPECT_EQ(frame, (RECT{kStandInLeft, kStandInTop, kStandInLeft + kStandInWidth,
                         kStandInTop + kStandInHeight}));

  const RECT client = ClientRectOnScreen(m_window);
  const RECT clientSize = ClientRect(m_window);
  EXPECT_EQ(clientSize.left, 0);
  EXPECT_EQ(clientSize.top, 0);
  EXPECT_EQ(WidthOf(client), clientSize.right);
  EXPECT_EQ(HeightOf(client), clientSize.bottom);
  // The client area lies inside the frame, below the caption.
  EXPECT_GE(client.left, frame.left);
  EXPECT_GT(client.top, frame.top);
  EXPECT_LE(client.right, frame.right);
  EXPECT_LE(client.bottom, frame.bottom);

  for (const StandInControl& control :
       {kStandInEdit, kStandInCheckBox, kStandInTrackbar, kStandInPressButton, kStandInMouseLog}) {
    SCOPED_TRACE(control.id);
    EXPECT_EQ(RectInParentClient(Item(control)), RectOf(control));
    RECT onScreen = RectOf(control);
    ::OffsetRect(&onScreen, client.left, client.top);
    EXPECT_EQ(WindowRectOnScreen(Item(control)), onScreen);
  }
}

TEST_F(WindowQueryFixture, ReadsStylesAndTheTopmostBit) {
  EXPECT_TRUE(IsTopmost(m_window));
  EXPECT_EQ(StyleOf(m_window) & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(StyleOf(m_window) & WS_THICKFRAME, 0);
  EXPECT_EQ(StyleOf(Item(kStandInCheckBox)) & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_EQ(StyleOf(Item(kStandInPressButton)) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(StyleOf(Item(kStandInEdit)) & ES_AUTOHSCROLL, ES_AUTOHSCROLL);

  const KnownImageWindow normal(RECT{0, 0, 20, 20}, SolidPattern(RGB(1, 2, 3)), ZOrder::kNormal);
  const KnownImageWindow topmost(RECT{20, 0, 40, 20}, SolidPattern(RGB(1, 2, 3)));
  EXPECT_FALSE(IsTopmost(normal.Handle()));
  EXPECT_TRUE(IsTopmost(topmost.Handle()));
}

TEST_F(WindowQueryFixture, ReadsCheckBoxAndTrackbarStates) {
  const HWND checkBox = Item(kStandInCheckBox);
  EXPECT_EQ(CheckState(checkBox), BST_UNCHECKED);
  ASSERT_TRUE(SendWithTimeout(checkBox, BM_SETCHECK, BST_CHECKED));
  EXPECT_EQ(CheckState(checkBox), BST_CHECKED);

  const HWND trackbar = Item(kStandInTrackbar);
  EXPECT_EQ(TrackbarPosition(trackbar), 0);
  const std::optional<RECT> thumbAtStart = TrackbarThumbRect(trackbar);
  ASSERT_TRUE(SendWithTimeout(trackbar, TBM_SETPOS, TRUE, 37));
  EXPECT_EQ(TrackbarPosition(trackbar), 37);

  // The thumb moves right with the position and stays inside the control.
  const std::optional<RECT> thumbAt37 = TrackbarThumbRect(trackbar);
  ASSERT_TRUE(thumbAtStart && thumbAt37);
  EXPECT_GT(thumbAt37->left, thumbAtStart->left);
  EXPECT_GT(WidthOf(*thumbAt37), 0);
  EXPECT_GE(thumbAtStart->left, 0);
  EXPECT_LE(thumbAt37->right, kStandInTrackbar.width);
}

TEST_F(WindowQueryFixture, ReadsFocusAndActivationOfAnotherThread) {
  ASSERT_NE(BringToForeground(m_window), ForegroundMeans::kFailed);
  ASSERT_TRUE(WaitUntil([&] {
    const std::optional<ThreadFocus> focus = ThreadFocusOf(m_window);
    return focus && focus->focus == Item(kStandInEdit);
  }));
  const std::optional<ThreadFocus> focus = ThreadFocusOf(m_window);
  ASSERT_TRUE(focus);
  EXPECT_EQ(focus->active, m_window);
  EXPECT_EQ(focus->capture, nullptr);
}

TEST_F(WindowQueryFixture, ReadsTheClassCursorOfItsOwnWindows) {
  const KnownImageWindow image(RECT{0, 0, 20, 20}, SolidPattern(RGB(1, 2, 3)));
  EXPECT_EQ(ClassCursorOf(image.Handle()), ::LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(ClassCursorOf(Item(kStandInEdit)),
            RunningOnWine() ? nullptr : ::LoadCursorA(nullptr, IDC_IBEAM));
}
