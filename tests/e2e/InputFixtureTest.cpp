// Real input through SendInput reaching the stand-in: the mouse lands on the pixel aimed at,
// clicks, double clicks, right clicks and drags arrive as such, keys and text reach the focused
// control, and the foreground can be moved between programs.
#include <gtest/gtest.h>

#include <string>

#include "StandInTest.h"
#include "fixtures/Foreground.h"
#include "fixtures/Input.h"
#include "fixtures/RemoteBuffer.h"

namespace {

class InputFixture : public StandInTest {
 protected:
  void SetUp() override {
    StandInTest::SetUp();
    ASSERT_NE(BringToForeground(m_window), ForegroundMeans::kFailed);
  }

  bool MouseLogEndsWith(const std::string& expectedEnd) const {
    const std::string log = ItemText(kStandInMouseLog);
    return log.size() >= expectedEnd.size() &&
           log.compare(log.size() - expectedEnd.size(), expectedEnd.size(), expectedEnd) == 0;
  }

  ::testing::AssertionResult WaitForMouseLogEnd(const std::string& expectedEnd) const {
    if (WaitUntil([&] { return MouseLogEndsWith(expectedEnd); })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "mouse log is \"" << ItemText(kStandInMouseLog)
                                         << "\", expected it to end with \"" << expectedEnd << "\"";
  }

  bool FocusIs(const StandInControl& control) const {
    const std::optional<ThreadFocus> focus = ThreadFocusOf(m_window);
    return focus && focus->focus == Item(control);
  }

  bool EditSelectionIs(int start, int end) const {
    return SelectionOf(Item(kStandInEdit)) == EditSelection{start, end};
  }
};

bool CursorIsAt(POINT expected) {
  POINT cursor{};
  return ::GetCursorPos(&cursor) && cursor.x == expected.x && cursor.y == expected.y;
}

}  // namespace

TEST_F(InputFixture, MouseLandsOnTheExactPixelAnywhereOnTheScreen) {
  const int right = ::GetSystemMetrics(SM_CXSCREEN) - 1;
  const int bottom = ::GetSystemMetrics(SM_CYSCREEN) - 1;
  for (const POINT point :
       {POINT{0, 0}, POINT{1, 1}, POINT{right, bottom}, POINT{right - 1, bottom - 1},
        POINT{right, 0}, POINT{0, bottom}, POINT{961, 539}, POINT{1234, 567}, POINT{333, 777}}) {
    ASSERT_TRUE(MoveMouseTo(point));
    POINT cursor{};
    EXPECT_TRUE(WaitUntil([&] { return CursorIsAt(point); }))
        << "aimed at " << point.x << "," << point.y << "; cursor at "
        << (::GetCursorPos(&cursor), cursor.x) << "," << cursor.y;
  }
}

TEST_F(InputFixture, ClicksArriveAtTheClientPointAimedAt) {
  ASSERT_TRUE(Click(ScreenPointAt(30, 250)));
  EXPECT_TRUE(WaitForMouseLogEnd("down 30,250; up 30,250"));

  ASSERT_TRUE(Click(ScreenPointAt(51, 261), MouseButton::kRight));
  EXPECT_TRUE(WaitForMouseLogEnd("rdown 51,261; rup 51,261"));

  ASSERT_TRUE(DoubleClick(ScreenPointAt(72, 270)));
  EXPECT_TRUE(WaitForMouseLogEnd("down 72,270; up 72,270; double 72,270; up 72,270"));
}

TEST_F(InputFixture, ClickingAButtonRunsItsCommand) {
  ASSERT_TRUE(Click(ScreenCentreOf(kStandInPressButton)));
  EXPECT_TRUE(WaitForItemText(kStandInPressCount, "1"));
  ASSERT_TRUE(Click(ScreenCentreOf(kStandInPressButton)));
  EXPECT_TRUE(WaitForItemText(kStandInPressCount, "2"));
}

TEST_F(InputFixture, ClickingACheckBoxTogglesItAndTakesTheFocus) {
  const HWND checkBox = Item(kStandInCheckBox);
  ASSERT_TRUE(Click(ScreenCentreOf(kStandInCheckBox)));
  EXPECT_TRUE(WaitUntil([&] { return CheckState(checkBox) == BST_CHECKED; }));
  EXPECT_TRUE(WaitUntil([&] { return FocusIs(kStandInCheckBox); }));
  ASSERT_TRUE(Click(ScreenCentreOf(kStandInCheckBox)));
  EXPECT_TRUE(WaitUntil([&] { return CheckState(checkBox) == BST_UNCHECKED; }));
}

TEST_F(InputFixture, PressAndReleaseApartHoldTheMouseCapture) {
  const POINT from = ScreenPointAt(20, 230);
  const POINT to = ScreenPointAt(300, 280);
  ASSERT_TRUE(PressMouse(from));
  EXPECT_TRUE(WaitForMouseLogEnd("down 20,230"));
  EXPECT_TRUE(WaitUntil([&] {
    const std::optional<ThreadFocus> focus = ThreadFocusOf(m_window);
    return focus && focus->capture == m_window;
  }));

  ASSERT_TRUE(MoveMouseTo(to));
  ASSERT_TRUE(ReleaseMouse(to));
  EXPECT_TRUE(WaitForMouseLogEnd("down 20,230; up 300,280"));
  EXPECT_TRUE(WaitUntil([&] {
    const std::optional<ThreadFocus> focus = ThreadFocusOf(m_window);
    return focus && focus->capture == nullptr;
  }));
}

TEST_F(InputFixture, DragCarriesTheButtonFromOnePointToAnother) {
  ASSERT_TRUE(Drag(ScreenPointAt(15, 240), ScreenPointAt(390, 275),
                   [&] { return MouseLogEndsWith("down 15,240"); }));
  EXPECT_TRUE(WaitForMouseLogEnd("down 15,240; up 390,275"));
}

TEST_F(InputFixture, DraggingATrackbarThumbAndArrowKeysMoveIt) {
  const HWND trackbar = Item(kStandInTrackbar);
  const std::optional<RECT> thumb = TrackbarThumbRect(trackbar);
  ASSERT_TRUE(thumb);
  POINT grip = CentreOf(*thumb);
  ::ClientToScreen(trackbar, &grip);
  const POINT pastTheEnd{WindowRectOnScreen(trackbar).right + 40, grip.y};

  ASSERT_TRUE(Drag(grip, pastTheEnd, [&] {
    return TrackbarPosition(trackbar) == kStandInTrackbarMax;
  })) << "the thumb did not follow the pointer to the end";
  EXPECT_TRUE(WaitUntil([&] { return FocusIs(kStandInTrackbar); }));

  ASSERT_TRUE(PressKey(VK_LEFT));
  EXPECT_TRUE(WaitUntil([&] { return TrackbarPosition(trackbar) == kStandInTrackbarMax - 1; }));
  ASSERT_TRUE(PressKey(VK_HOME));
  EXPECT_TRUE(WaitUntil([&] { return TrackbarPosition(trackbar) == 0; }));
}

TEST_F(InputFixture, TypedTextAndEditingKeysReachTheFocusedEdit) {
  const HWND edit = Item(kStandInEdit);
  ASSERT_TRUE(Click(ScreenCentreOf(kStandInEdit)));
  ASSERT_TRUE(WaitUntil([&] { return FocusIs(kStandInEdit); }));

  // End, then Shift+Home: extended keys with a modifier select the whole text.
  ASSERT_TRUE(PressKey(VK_END));
  ASSERT_TRUE(PressKey(VK_HOME, kShift));
  EXPECT_TRUE(WaitUntil([&] { return EditSelectionIs(0, 10); }));

  const std::string typed = "Mixed Case, #09-ff! (RGB)";
  ASSERT_TRUE(TypeText(typed));
  EXPECT_TRUE(WaitForItemText(kStandInEdit, typed));

  const int length = static_cast<int>(typed.size());
  ASSERT_TRUE(PressKey(VK_LEFT));
  EXPECT_TRUE(WaitUntil([&] { return EditSelectionIs(length - 1, length - 1); }));
  ASSERT_TRUE(PressKey(VK_LEFT, kShift));
  EXPECT_TRUE(WaitUntil([&] { return EditSelectionIs(length - 2, length - 1); }));
  EXPECT_EQ(TextOf(edit), typed);
}

TEST_F(InputFixture, KeypadMinusTypesAMinusAndWithCtrlIsTheHotKey) {
  ASSERT_TRUE(Click(ScreenCentreOf(kStandInEdit)));
  ASSERT_TRUE(WaitUntil([&] { return FocusIs(kStandInEdit); }));
  ASSERT_TRUE(PressKey(VK_END));

  ASSERT_TRUE(PressKey(VK_SUBTRACT));
  const std::string withMinus = std::string(kStandInInitialEditText) + "-";
  EXPECT_TRUE(WaitForItemText(kStandInEdit, withMinus));

  ASSERT_TRUE(PressKey(VK_SUBTRACT, kCtrl));
  EXPECT_TRUE(WaitForItemText(kStandInHotKeyCount, "1"));
  // The hot key takes the key press: nothing is typed.
  ASSERT_TRUE(TypeText("x"));
  EXPECT_TRUE(WaitForItemText(kStandInEdit, withMinus + "x"));
}

TEST_F(InputFixture, ForegroundMovesBetweenProgramsAndKeysFollowIt) {
  TestProcess other(kStandInImageName);
  ASSERT_TRUE(other.Start());
  const HWND otherWindow = other.WaitForWindow(kStandInCaption);
  ASSERT_NE(otherWindow, nullptr);

  const ForegroundMeans toOther = BringToForeground(otherWindow);
  ASSERT_NE(toOther, ForegroundMeans::kFailed);
  RecordProperty("means_to_other", static_cast<int>(toOther));
  // A new edit has its caret before the text.
  ASSERT_TRUE(TypeText("1"));
  const std::string otherEdit = std::string("1") + kStandInInitialEditText;
  EXPECT_TRUE(WaitUntil([&] { return ControlText(otherWindow, kStandInEdit.id) == otherEdit; }))
      << ControlText(otherWindow, kStandInEdit.id);

  const ForegroundMeans back = BringToForeground(m_window);
  ASSERT_NE(back, ForegroundMeans::kFailed);
  RecordProperty("means_back", static_cast<int>(back));
  ASSERT_TRUE(TypeText("2"));
  EXPECT_TRUE(WaitForItemText(kStandInEdit, std::string("2") + kStandInInitialEditText));
  EXPECT_EQ(ControlText(otherWindow, kStandInEdit.id), otherEdit);
}

TEST(InputCoordinates, EveryPixelOfTheScreenHasItsOwnNormalisedCoordinate) {
  // The system maps an absolute coordinate c to pixel c * extent / 65536 (truncated).
  for (const int extent : {640, 1080, 1920, 2560, 3840}) {
    for (int pixel = 0; pixel < extent; ++pixel) {
      const LONG coordinate = NormalisedCoordinate(pixel, extent);
      ASSERT_GE(coordinate, 0);
      ASSERT_LE(coordinate, 65535);
      ASSERT_EQ(coordinate * extent / 65536, pixel) << "extent " << extent;
    }
  }
}
