// The red, green and blue editors as the user works them: typing, the up-down arrows, the
// sliders, the key filter of a full edit, the right button and pasted text.
#include <gtest/gtest.h>

#include "PickerFixture.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

POINT CentreOf(HWND control) {
  RECT rect;
  ::GetClientRect(control, &rect);
  return {rect.right / 2, rect.bottom / 2};
}

void Select(HWND edit, int start, int end) {
  ::SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), end);
}

// The WM_KEYDOWN codes that reached the control.
std::vector<WPARAM> KeysDown(const MessageLog& log) {
  std::vector<WPARAM> keys;
  for (const MessageLog::Entry& entry : log.Entries()) {
    if (entry.message == WM_KEYDOWN) {
      keys.push_back(entry.wParam);
    }
  }
  return keys;
}

// A popup menu is a window of the system's menu class.
bool AMenuIsShown() {
  const HWND menu = ::FindWindowA("#32768", nullptr);
  return menu != nullptr && ::IsWindowVisible(menu);
}

RECT ThumbOf(HWND slider) {
  RECT thumb;
  ::SendMessageA(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  return thumb;
}

}  // namespace

class ChannelsTest : public PickerTest {
 protected:
  // Focus on the edit, with the selection given, as the user leaves it before typing.
  void FocusEdit(int id, int start, int end) {
    ::SetFocus(Control(id));
    Select(Control(id), start, end);
  }
};

TEST_F(ChannelsTest, StartsWithEveryEditAt255AndEverySliderAtItsRightEnd) {
  for (int id : {IDC_RED_EDIT, IDC_GREEN_EDIT, IDC_BLUE_EDIT}) {
    EXPECT_EQ(Text(id), "255") << "edit " << id;
  }
  EXPECT_TRUE(ShowsColor(kWhite));
}

TEST_F(ChannelsTest, DeletingTheLastDigitLeavesASelectedZero) {
  FocusEdit(IDC_GREEN_EDIT, 3, 3);
  TypeKey(VK_BACK);
  EXPECT_TRUE(ShowsColor(RGB(255, 25, 255)));
  TypeKey(VK_BACK);
  EXPECT_TRUE(ShowsColor(RGB(255, 2, 255)));
  TypeKey(VK_BACK);
  EXPECT_EQ(Text(IDC_GREEN_EDIT), "0");
  EXPECT_EQ(Selection(IDC_GREEN_EDIT), std::make_pair(0, 1));
  EXPECT_TRUE(ShowsColor(RGB(255, 0, 255)));
  EXPECT_TRUE(SwatchShows(RGB(255, 0, 255)));
}

TEST_F(ChannelsTest, TypingAValueAbove255LeavesASelected255) {
  FocusEdit(IDC_RED_EDIT, 0, -1);
  TypeKey('3');
  EXPECT_EQ(Text(IDC_RED_EDIT), "3");
  EXPECT_TRUE(ShowsColor(RGB(3, 255, 255)));
  TypeKey('0');
  EXPECT_TRUE(ShowsColor(RGB(30, 255, 255)));
  TypeKey('0');
  EXPECT_EQ(Text(IDC_RED_EDIT), "255");
  EXPECT_EQ(Selection(IDC_RED_EDIT), std::make_pair(0, 3));
  EXPECT_TRUE(ShowsColor(kWhite));
}

TEST_F(ChannelsTest, UpDownStepsWrapPast255To0AndBelow0To255) {
  RECT spin;
  ::GetClientRect(Control(IDC_RED_SPIN), &spin);
  const POINT upper{spin.right / 2, spin.bottom / 4};
  const POINT lower{spin.right / 2, spin.bottom * 3 / 4};
  Click(IDC_RED_SPIN, upper);
  EXPECT_EQ(Text(IDC_RED_EDIT), "0");
  EXPECT_TRUE(ShowsColor(RGB(0, 255, 255)));
  Click(IDC_RED_SPIN, lower);
  EXPECT_EQ(Text(IDC_RED_EDIT), "255");
  EXPECT_TRUE(ShowsColor(kWhite));
  Click(IDC_RED_SPIN, lower);
  EXPECT_EQ(Text(IDC_RED_EDIT), "254");
  EXPECT_TRUE(ShowsColor(RGB(254, 255, 255)));

  FocusEdit(IDC_BLUE_EDIT, 3, 3);
  TypeKey(VK_UP);
  EXPECT_EQ(Text(IDC_BLUE_EDIT), "0");
  EXPECT_TRUE(ShowsColor(RGB(254, 255, 0)));
  TypeKey(VK_DOWN);
  EXPECT_EQ(Text(IDC_BLUE_EDIT), "255");
  EXPECT_TRUE(ShowsColor(RGB(254, 255, 255)));
  EXPECT_TRUE(SwatchShows(RGB(254, 255, 255)));
}

TEST_F(ChannelsTest, DraggingASliderCarriesTheEditAndEveryViewAlong) {
  const HWND slider = Control(IDC_GREEN_SLIDER);
  const RECT thumb = ThumbOf(slider);
  POINT at{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
  MoveMouse(IDC_GREEN_SLIDER, at);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  int last = 255;
  for (int step = 0; step < 4; ++step) {
    at.x -= 20;
    MoveMouse(IDC_GREEN_SLIDER, at);
    const int position = SliderPos(IDC_GREEN_SLIDER);
    EXPECT_LT(position, last) << "step " << step;
    EXPECT_EQ(Text(IDC_GREEN_EDIT), std::to_string(position)) << "step " << step;
    EXPECT_TRUE(ShowsColor(RGB(255, position, 255))) << "step " << step;
    const RECT moved = ThumbOf(slider);
    EXPECT_LE(moved.left, at.x) << "the thumb stays under the mouse, step " << step;
    EXPECT_GE(moved.right, at.x) << "the thumb stays under the mouse, step " << step;
    last = position;
  }
  MouseButton(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(SliderPos(IDC_GREEN_SLIDER), last);
  EXPECT_TRUE(ShowsColor(RGB(255, last, 255)));
  EXPECT_TRUE(SwatchShows(RGB(255, last, 255)));
}

TEST_F(ChannelsTest, ClickingBesideTheThumbPagesAndKeysStepAFocusedSlider) {
  const HWND slider = Control(IDC_BLUE_SLIDER);
  const int page = static_cast<int>(::SendMessageA(slider, TBM_GETPAGESIZE, 0, 0));
  ASSERT_GT(page, 1);
  const RECT thumb = ThumbOf(slider);
  Click(IDC_BLUE_SLIDER, {thumb.left - 20, (thumb.top + thumb.bottom) / 2});
  int expected = 255 - page;
  EXPECT_EQ(Text(IDC_BLUE_EDIT), std::to_string(expected));
  EXPECT_TRUE(ShowsColor(RGB(255, 255, expected)));

  ::SetFocus(slider);
  const struct {
    WORD key;
    int step;
  } keys[] = {{VK_LEFT, -1}, {VK_LEFT, -1}, {VK_RIGHT, +1}, {VK_PRIOR, -page}};
  for (const auto& [key, step] : keys) {
    TypeKey(key);
    expected += step;
    EXPECT_EQ(Text(IDC_BLUE_EDIT), std::to_string(expected)) << "key " << key;
    EXPECT_TRUE(ShowsColor(RGB(255, 255, expected))) << "key " << key;
  }
  TypeKey(VK_HOME);
  EXPECT_EQ(Text(IDC_BLUE_EDIT), "0");
  EXPECT_TRUE(ShowsColor(RGB(255, 255, 0)));
  TypeKey(VK_END);
  EXPECT_EQ(Text(IDC_BLUE_EDIT), "255");
  EXPECT_TRUE(ShowsColor(kWhite));
}

TEST_F(ChannelsTest, AFullEditWithTheCaretAtItsStartNeutralisesAllButEditingAndCaretKeys) {
  const HWND edit = Control(IDC_RED_EDIT);
  for (WORD key :
       {WORD('1'), WORD(VK_UP), WORD(VK_DOWN), WORD(VK_TAB), WORD(VK_RETURN), WORD(VK_ESCAPE)}) {
    FocusEdit(IDC_RED_EDIT, 0, 0);
    MessageLog log(edit);
    TypeKey(key);
    EXPECT_EQ(KeysDown(log), std::vector<WPARAM>{0}) << "key " << key;
    EXPECT_EQ(log.Count(WM_CHAR), 0) << "key " << key;
    EXPECT_EQ(::GetFocus(), edit) << "key " << key;
    EXPECT_EQ(Text(IDC_RED_EDIT), "255") << "key " << key;
    EXPECT_TRUE(ShowsColor(kWhite)) << "key " << key;
    EXPECT_FALSE(dialog.HasEnded()) << "key " << key;
    EXPECT_EQ(dialog.GetResult(), -1) << "key " << key;
  }

  // Caret keys and Backspace reach the edit unchanged; at the start, only End and Right show it.
  const struct {
    WORD key;
    std::pair<int, int> caret;
  } passing[] = {{VK_END, {3, 3}},
                 {VK_RIGHT, {1, 1}},
                 {VK_LEFT, {0, 0}},
                 {VK_HOME, {0, 0}},
                 {VK_BACK, {0, 0}}};
  for (const auto& [key, caret] : passing) {
    FocusEdit(IDC_RED_EDIT, 0, 0);
    MessageLog log(edit);
    TypeKey(key);
    EXPECT_EQ(KeysDown(log), std::vector<WPARAM>{key}) << "key " << key;
    EXPECT_EQ(Selection(IDC_RED_EDIT), caret) << "key " << key;
    EXPECT_EQ(Text(IDC_RED_EDIT), "255") << "key " << key;
  }
  FocusEdit(IDC_RED_EDIT, 0, 0);
  TypeKey(VK_DELETE);
  EXPECT_EQ(Text(IDC_RED_EDIT), "55");
  EXPECT_TRUE(ShowsColor(RGB(55, 255, 255)));
}

TEST_F(ChannelsTest, AFullEditTakesADigitAfterItsEndAndADigitReplacesASelection) {
  SetText(IDC_GREEN_EDIT, "100");
  FocusEdit(IDC_GREEN_EDIT, 3, 3);
  TypeKey('7');
  EXPECT_EQ(Text(IDC_GREEN_EDIT), "1007") << "only the first three digits count";
  EXPECT_TRUE(ShowsColor(RGB(255, 100, 255)));

  FocusEdit(IDC_RED_EDIT, 3, 3);
  TypeKey('9');
  EXPECT_EQ(Text(IDC_RED_EDIT), "2559");
  EXPECT_TRUE(ShowsColor(RGB(255, 100, 255)));

  FocusEdit(IDC_BLUE_EDIT, 1, 3);
  TypeKey('0');
  EXPECT_EQ(Text(IDC_BLUE_EDIT), "20");
  EXPECT_TRUE(ShowsColor(RGB(255, 100, 20)));
  FocusEdit(IDC_BLUE_EDIT, 0, -1);
  TypeKey('7');
  EXPECT_EQ(Text(IDC_BLUE_EDIT), "7");
  EXPECT_TRUE(ShowsColor(RGB(255, 100, 7)));
}

TEST_F(ChannelsTest, TheRightButtonNeverReachesAnEditSoNoMenuOpens) {
  for (int id : {IDC_RED_EDIT, IDC_GREEN_EDIT, IDC_BLUE_EDIT}) {
    // A menu that did open would hold the test in its own loop: the log keeps its request away.
    MessageLog log(Control(id), {WM_CONTEXTMENU});
    RightClick(id, CentreOf(Control(id)));
    RightClick(id, CentreOf(Control(id)));  // a double click, too
    for (UINT message : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_CONTEXTMENU}) {
      EXPECT_EQ(log.Count(message), 0) << "edit " << id << ", message " << message;
    }
    EXPECT_FALSE(AMenuIsShown()) << "edit " << id;
  }
  EXPECT_TRUE(ShowsColor(kWhite));
}

TEST_F(ChannelsTest, PastedTextCountsByItsFirstThreeCharacters) {
  // Only a clamped value is rewritten and selected; otherwise the caret stays after the paste.
  const struct {
    const char* pasted;
    const char* shown;
    int green;
    std::pair<int, int> selection;
  } cases[] = {
      {"12abc", "12abc", 12, {5, 5}}, {"abc", "abc", 0, {3, 3}},   {" 7", " 7", 7, {2, 2}},
      {"-1", "-1", 255, {2, 2}},      {"999", "255", 255, {0, 3}}, {"0040", "0040", 4, {4, 4}},
      {"255", "255", 255, {3, 3}},    {"256", "255", 255, {0, 3}},
  };
  for (const auto& [pasted, shown, green, selection] : cases) {
    SetText(IDC_GREEN_EDIT, "128");
    PutOnClipboard(pasted);
    Select(Control(IDC_GREEN_EDIT), 0, -1);
    ::SendMessageA(Control(IDC_GREEN_EDIT), WM_PASTE, 0, 0);
    Pump();
    EXPECT_EQ(Text(IDC_GREEN_EDIT), shown) << "pasted " << pasted;
    EXPECT_EQ(Selection(IDC_GREEN_EDIT), selection) << "pasted " << pasted;
    EXPECT_TRUE(ShowsColor(RGB(255, green, 255))) << "pasted " << pasted;
  }
}
