// The picker for people who use no mouse or a screen reader: Tab visits every command in the
// order a reader follows, a focused push button acts on Space and Enter, each control is named
// for what it does (recorded where the system would be told), and in a contrast theme what the
// window paints itself takes the theme's colours and follows a switch while it runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PickerFixture.h"
#include "ScaledPanelTest.h"
#include "StandInAccessibility.h"
#include "SystemColorsOverride.h"
#include "fixtures/Clipboard.h"
#include "fixtures/Input.h"
#include "fixtures/WindowQuery.h"
#include "picker/PanelDesign.h"
#include "res/resource.h"

namespace {

constexpr LONG kRoleLink = 0x1E;  // ROLE_SYSTEM_LINK
constexpr COLORREF kOutlineGrey = RGB(128, 128, 128);
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

// Tab from the check box, where the focus starts: the option and button rows, the Copy buttons
// under the colour texts, the channel edits, the sliders, and round to the check box.
const int kTabOrder[] = {IDC_SLORP,        IDC_SELECT_COLOR, IDC_ABOUT,      IDC_EXIT,
                         IDC_HOME_LINK,    IDC_COPY_HEX,     IDC_COPY_HTML,  IDC_COPY_RGB,
                         IDC_RED_EDIT,     IDC_GREEN_EDIT,   IDC_BLUE_EDIT,  IDC_RED_SLIDER,
                         IDC_GREEN_SLIDER, IDC_BLUE_SLIDER,  IDC_KEEP_ON_TOP};

class KeyboardTest : public PickerTest {
 protected:
  int FocusedId() const { return ::GetDlgCtrlID(::GetFocus()); }

  void Tab(bool backwards = false) {
    if (backwards) {
      EXPECT_TRUE(KeyDown(VK_SHIFT));
    }
    TypeKey(VK_TAB);
    if (backwards) {
      EXPECT_TRUE(KeyUp(VK_SHIFT));
      Pump();
    }
  }

  void TabTo(int id) {
    for (size_t step = 0; step <= std::size(kTabOrder) && FocusedId() != id; ++step) {
      Tab();
    }
    ASSERT_EQ(FocusedId(), id);
  }

  bool ClipboardHolds(const std::string& text) {
    return PumpUntil([&] {
      const auto contents = TryReadClipboard();
      return contents && contents->text && contents->text->text == text;
    });
  }
};

}  // namespace

TEST_F(KeyboardTest, TabVisitsEveryCommandInReadingOrderAndShiftTabGoesBack) {
  ::SetForegroundWindow(Window());
  Pump();
  ASSERT_EQ(FocusedId(), IDC_KEEP_ON_TOP) << "the focus starts on the check box";
  std::vector<int> forwards;
  for (size_t step = 0; step < std::size(kTabOrder); ++step) {
    Tab();
    forwards.push_back(FocusedId());
  }
  EXPECT_EQ(forwards, std::vector<int>(std::begin(kTabOrder), std::end(kTabOrder)));

  std::vector<int> backwards;
  for (size_t step = 0; step < std::size(kTabOrder); ++step) {
    Tab(true);
    backwards.push_back(FocusedId());
  }
  std::vector<int> expected(std::rbegin(kTabOrder) + 1, std::rend(kTabOrder));
  expected.push_back(IDC_KEEP_ON_TOP);
  EXPECT_EQ(backwards, expected);
}

// Enter acts on the focused push button, as on any Windows push button (Space is driven end to
// end); Enter elsewhere keeps its meaning and ends the window.
TEST_F(KeyboardTest, EnterActsOnTheFocusedPushButtonAndElsewhereEndsTheWindow) {
  ::SetForegroundWindow(Window());
  PutOnClipboard("");
  TabTo(IDC_COPY_RGB);
  TypeKey(VK_RETURN);
  EXPECT_TRUE(ClipboardHolds("RGB(255,255,255)"));
  EXPECT_FALSE(dialog.HasEnded()) << "Enter on a push button ended the window";

  TabTo(IDC_KEEP_ON_TOP);
  TypeKey(VK_RETURN);
  EXPECT_TRUE(dialog.HasEnded());
  EXPECT_EQ(dialog.GetResult(), IDOK);
}

// Each channel's edit, up-down and slider by its channel, the Copy buttons by what they copy,
// and the link as a link; given when the window opens, taken back when it goes.
TEST(PickerReader, EachControlIsNamedForItsPurposeUntilTheWindowGoes) {
  StandInAccessibility reader;
  TestPickerDialog picker;
  ASSERT_TRUE(picker.Create());
  const auto given = [&](int id) {
    const auto found = reader.given.find(::GetDlgItem(picker.m_hWnd, id));
    return found != reader.given.end() ? found->second : StandInAccessibility::Given{"?", -1};
  };
  const std::pair<const char*, std::vector<int>> channels[] = {
      {"Red", {IDC_RED_EDIT, IDC_RED_SPIN, IDC_RED_SLIDER}},
      {"Green", {IDC_GREEN_EDIT, IDC_GREEN_SPIN, IDC_GREEN_SLIDER}},
      {"Blue", {IDC_BLUE_EDIT, IDC_BLUE_SPIN, IDC_BLUE_SLIDER}}};
  for (const auto& [channel, controls] : channels) {
    for (const int id : controls) {
      EXPECT_EQ(given(id).name, channel) << id;
      EXPECT_EQ(given(id).role, 0) << id;
    }
  }
  EXPECT_EQ(given(IDC_COPY_HEX).name, "Copy C++ color");
  EXPECT_EQ(given(IDC_COPY_HTML).name, "Copy HTML color");
  EXPECT_EQ(given(IDC_COPY_RGB).name, "Copy RGB color");
  EXPECT_EQ(given(IDC_HOME_LINK).name, "") << "the link keeps its own text";
  EXPECT_EQ(given(IDC_HOME_LINK).role, kRoleLink);
  // The rest are named by their own text, which says what they are.
  EXPECT_EQ(reader.given.size(), 13u);
  for (const int id : {IDC_SLORP, IDC_SELECT_COLOR, IDC_ABOUT, IDC_EXIT, IDC_KEEP_ON_TOP}) {
    EXPECT_FALSE(TextOf(::GetDlgItem(picker.m_hWnd, id)).empty()) << id;
  }

  ::UnregisterHotKey(picker.m_hWnd, PICK_HOTKEY_ID);
  picker.DestroyWindow();
  EXPECT_TRUE(reader.given.empty()) << "a name outlived its control";
}

// A contrast theme switched on while the window runs, as Windows does it: the theme's colours
// become the system's, and every window is told that the contrast setting changed. The outlines
// then take the theme's text colour and the link its colour for links; the swatch goes on showing
// the colour itself. Switched off again, the window paints as before.
TEST_F(ScaledPanelTest, InAContrastThemeOutlinesAndLinkTakeTheThemesColoursAndFollowASwitch) {
  const RECT swatch = Swatch();
  const RECT link = ControlRect(IDC_HOME_LINK);
  const RECT& frame = PanelDesign::kTextFrames[0];
  const POINT frameCorner{::MulDiv(frame.left, Dpi(), 96), ::MulDiv(frame.top, Dpi(), 96)};
  const auto shows = [&](COLORREF outline, COLORREF linkText) {
    return PumpUntil([&] {
      const ClientImage image = CaptureClient();
      int linkPixels = 0;
      for (int y = link.top; y < link.bottom; ++y) {
        for (int x = link.left; x < link.right; ++x) {
          linkPixels += image.At(x, y) == linkText ? 1 : 0;
        }
      }
      return image.At(swatch.left, swatch.top) == outline &&
             image.At(swatch.right - 1, swatch.bottom - 1) == outline &&
             image.At(frameCorner.x, frameCorner.y) == outline &&
             image.At(swatch.left + 1, swatch.top + 1) == RGB(255, 255, 255) && linkPixels > 0;
    });
  };
  const auto contrastSettingChanged = [&] {
    ::SendMessageA(Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  };
  ASSERT_TRUE(shows(kOutlineGrey, kLinkBlue));

  StandInAccessibility reader;
  {
    SystemColorsOverride theme({{COLOR_BTNFACE, RGB(0, 0, 0)},
                                {COLOR_BTNTEXT, RGB(255, 255, 255)},
                                {COLOR_WINDOW, RGB(0, 0, 0)},
                                {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
                                {COLOR_HOTLIGHT, RGB(255, 255, 0)}});
    reader.contrastTheme = true;
    contrastSettingChanged();
    EXPECT_TRUE(shows(RGB(255, 255, 255), RGB(255, 255, 0))) << "the theme was not followed";
    reader.contrastTheme = false;
    contrastSettingChanged();
  }
  EXPECT_TRUE(shows(kOutlineGrey, kLinkBlue)) << "the end of the theme was not followed";
}
