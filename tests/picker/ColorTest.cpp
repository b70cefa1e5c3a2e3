// The current colour: how setting it rewrites every view, with and without the channel edits,
// and the order in which the edits' own change handlers set it again on the way.
#include <gtest/gtest.h>

#include <memory>

#include "PickerFixture.h"
#include "res/resource.h"

namespace {

constexpr int kTexts[] = {IDC_HEX_TEXT, IDC_HTML_TEXT, IDC_RGB_TEXT};
constexpr int kEdits[] = {IDC_RED_EDIT, IDC_GREEN_EDIT, IDC_BLUE_EDIT};
constexpr int kSliders[] = {IDC_RED_SLIDER, IDC_GREEN_SLIDER, IDC_BLUE_SLIDER};

// The texts each hex text window of this thread is given, from the moment of installation.
class HexTextWatch {
 public:
  HexTextWatch() { s_texts.clear(); }
  ~HexTextWatch() { ::UnhookWindowsHookEx(m_hook); }
  HexTextWatch(const HexTextWatch&) = delete;
  HexTextWatch& operator=(const HexTextWatch&) = delete;

  const std::vector<std::string>& Texts() const { return s_texts; }

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SETTEXT &&
        ::GetDlgCtrlID(call->hwnd) == IDC_HEX_TEXT && call->lParam != 0) {
      s_texts.emplace_back(reinterpret_cast<const char*>(call->lParam));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline std::vector<std::string> s_texts;
  HHOOK m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, Watch, nullptr, ::GetCurrentThreadId());
};

std::vector<std::string> HexTextsOf(std::initializer_list<COLORREF> colors) {
  std::vector<std::string> texts;
  for (COLORREF color : colors) {
    texts.push_back(HexTextOf(color));
  }
  return texts;
}

}  // namespace

// The edits are filled in turn, so the colour passes through red and yellow on its way to white.
TEST(ColorAtStart, EachEditFilledInTurnSetsTheColorOnItsWayToWhite) {
  HexTextWatch watch;
  TestPickerDialog picker;
  ASSERT_TRUE(picker.Create());
  EXPECT_EQ(watch.Texts(), HexTextsOf({RGB(255, 0, 0), RGB(255, 255, 0), RGB(255, 255, 255)}));
  EXPECT_EQ(picker.m_color, RGB(255, 255, 255));
  EXPECT_EQ(picker.m_picking, 0);
  ::UnregisterHotKey(picker.m_hWnd, PICK_HOTKEY_ID);
  picker.DestroyWindow();
}

using ColorTest = PickerTest;

TEST_F(ColorTest, SettingWithTheEditsShowsTheColorInEveryView) {
  const COLORREF color = RGB(200, 150, 100);
  dialog.SetCurrentColor(color, true);
  EXPECT_EQ(Text(IDC_RED_EDIT), "200");
  EXPECT_EQ(Text(IDC_GREEN_EDIT), "150");
  EXPECT_EQ(Text(IDC_BLUE_EDIT), "100");
  EXPECT_TRUE(ShowsColor(color));
  EXPECT_TRUE(SwatchShows(color));
}

TEST_F(ColorTest, SettingWithoutTheEditsLeavesTheirTextCaretAndSelection) {
  SetText(IDC_RED_EDIT, "12");
  SetText(IDC_GREEN_EDIT, "34");
  SetText(IDC_BLUE_EDIT, "56");
  ::SendMessageA(Control(IDC_RED_EDIT), EM_SETSEL, 1, 2);
  ::SendMessageA(Control(IDC_GREEN_EDIT), EM_SETSEL, 2, 2);
  ::SendMessageA(Control(IDC_BLUE_EDIT), EM_SETSEL, 0, 2);
  std::vector<std::unique_ptr<MessageLog>> logs;
  for (int id : kEdits) {
    logs.push_back(std::make_unique<MessageLog>(Control(id)));
  }

  dialog.SetCurrentColor(RGB(200, 150, 100), false);

  EXPECT_EQ(Text(IDC_RED_EDIT), "12");
  EXPECT_EQ(Text(IDC_GREEN_EDIT), "34");
  EXPECT_EQ(Text(IDC_BLUE_EDIT), "56");
  EXPECT_EQ(Selection(IDC_RED_EDIT), std::make_pair(1, 2));
  EXPECT_EQ(Selection(IDC_GREEN_EDIT), std::make_pair(2, 2));
  EXPECT_EQ(Selection(IDC_BLUE_EDIT), std::make_pair(0, 2));
  for (const auto& log : logs) {
    EXPECT_EQ(log->Count(WM_SETTEXT), 0);
    EXPECT_EQ(log->Count(EM_SETSEL), 0);
  }
  EXPECT_TRUE(ShowsColor(RGB(200, 150, 100)));
  EXPECT_TRUE(SwatchShows(RGB(200, 150, 100)));
}

TEST_F(ColorTest, SettingTheCurrentColorAgainRewritesEveryViewAndRepaintsTheSwatch) {
  const COLORREF color = RGB(10, 20, 30);
  const std::string channels[] = {"10", "20", "30"};
  dialog.SetCurrentColor(color, true);
  for (bool updateEdits : {false, true}) {
    Pump();
    ::UpdateWindow(Window());
    std::vector<std::unique_ptr<MessageLog>> texts;
    std::vector<std::unique_ptr<MessageLog>> edits;
    std::vector<std::unique_ptr<MessageLog>> sliders;
    for (int i = 0; i < 3; ++i) {
      texts.push_back(std::make_unique<MessageLog>(Control(kTexts[i])));
      edits.push_back(std::make_unique<MessageLog>(Control(kEdits[i])));
      sliders.push_back(std::make_unique<MessageLog>(Control(kSliders[i])));
    }
    MessageLog window(Window());

    dialog.SetCurrentColor(color, updateEdits);

    RECT invalid{};
    EXPECT_TRUE(::GetUpdateRect(Window(), &invalid, FALSE));
    const RECT swatch = Swatch();
    EXPECT_TRUE(::EqualRect(&invalid, &swatch))
        << invalid.left << "," << invalid.top << "," << invalid.right << "," << invalid.bottom;
    ::UpdateWindow(Window());
    EXPECT_EQ(window.Count(WM_ERASEBKGND), 1) << "the swatch is erased before it is painted";
    // With the edits, their three handlers set the same colour once more each.
    const size_t sets = updateEdits ? 4 : 1;
    const std::string shown[] = {HexTextOf(color), HtmlTextOf(color), RgbTextOf(color)};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(texts[i]->TextsSet(), std::vector<std::string>(sets, shown[i]));
      EXPECT_EQ(sliders[i]->Count(TBM_SETPOS), static_cast<int>(sets)) << "slider " << i;
      const auto written =
          updateEdits ? std::vector<std::string>{channels[i]} : std::vector<std::string>{};
      EXPECT_EQ(edits[i]->TextsSet(), written) << "edit " << i;
    }
    EXPECT_TRUE(ShowsColor(color));
  }
}

// Each edit written runs its change handler at once, which sets the colour from the edits as
// they stand: the new red with the old green and blue, then the new green, then all three.
TEST_F(ColorTest, TheHexTextShowsTheOuterCallThenEachEditsHandlerInTurn) {
  dialog.SetCurrentColor(RGB(10, 20, 30), true);
  MessageLog hex(Control(IDC_HEX_TEXT));
  dialog.SetCurrentColor(RGB(200, 150, 100), true);
  EXPECT_EQ(hex.TextsSet(), HexTextsOf({RGB(200, 150, 100), RGB(200, 20, 30), RGB(200, 150, 30),
                                        RGB(200, 150, 100)}));
  EXPECT_TRUE(ShowsColor(RGB(200, 150, 100)));
}
