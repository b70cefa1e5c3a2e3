// Chromivo.exe's Copy buttons and its colour dialog, driven by real input from this process: the
// clipboard is read here as any other program would read it, the dialog found and worked as a
// user would.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fixtures/ChromivoProcess.h"
#include "fixtures/Clipboard.h"
#include "fixtures/E2eTest.h"
#include "fixtures/ExpectedColorTexts.h"
#include "fixtures/Foreground.h"
#include "fixtures/Input.h"
#include "fixtures/Platform.h"
#include "fixtures/Rect.h"
#include "fixtures/ScreenCapture.h"
#include "fixtures/Wait.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(18, 171, 5);

// Controls of the system colour dialog's standard template (dlgs.h calls them COLOR_RED,
// COLOR_GREEN, COLOR_BLUE, COLOR_RAINBOW, COLOR_ADD, COLOR_MIX and COLOR_CUSTOM1).
constexpr int kDialogRedEdit = 706;
constexpr int kDialogGreenEdit = 707;
constexpr int kDialogBlueEdit = 708;
constexpr int kDialogColorGraph = 710;
constexpr int kDialogAddCustomColor = 712;
constexpr int kDialogDefineCustomColors = 719;
constexpr int kDialogCustomColors = 721;

// The swatch in client coordinates, right and bottom exclusive, for a client area this wide.
RECT SwatchRect(int clientWidth) {
  return RECT{clientWidth - 70, 127, clientWidth - 10, 140};
}

class ClipboardTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_TRUE(m_chromivo.Start());
    m_window = m_chromivo.WaitForMainWindow();
    ASSERT_NE(m_window, nullptr) << "Chromivo showed no window";
    ASSERT_NE(BringToForeground(m_window), ForegroundMeans::kFailed);
  }

  POINT ScreenCentreOf(HWND window, int id) const {
    return CentreOf(WindowRectOnScreen(Control(window, id)));
  }
  POINT ScreenCentreOf(int id) const { return ScreenCentreOf(m_window, id); }
  POINT ScreenPointAt(int clientX, int clientY) const {
    POINT point{clientX, clientY};
    ::ClientToScreen(m_window, &point);
    return point;
  }

  // Clicks a Copy button and reads the clipboard once the click has changed it; empty when it
  // does not change.
  std::optional<ClipboardContents> CopyWith(int button) const {
    const DWORD before = ::GetClipboardSequenceNumber();
    if (!Click(ScreenCentreOf(button)) || !WaitForClipboardChange(before)) {
      return std::nullopt;
    }
    return ReadClipboard();
  }

  // The colour dialog: a visible top-level window that Chromivo's window owns.
  HWND ColorDialog() const {
    for (const HWND window : VisibleTopLevelWindows(m_chromivo.Id())) {
      if (::GetWindow(window, GW_OWNER) == m_window) {
        return window;
      }
    }
    return nullptr;
  }
  HWND WaitForColorDialog() const {
    HWND dialog = nullptr;
    WaitUntil([&] {
      dialog = ColorDialog();
      return dialog != nullptr;
    });
    return dialog;
  }
  bool WaitUntilNoColorDialog() const {
    return WaitUntil([&] { return ColorDialog() == nullptr; });
  }

  // Input is handled in the order given, so everything given before a click on Keep on top has
  // been handled once the check box has toggled. (A modal window would keep the click away.)
  ::testing::AssertionResult EarlierInputHandled() const {
    const HWND checkBox = Control(m_window, IDC_KEEP_ON_TOP);
    const std::optional<int> before = CheckState(checkBox);
    if (!before || !Click(ScreenCentreOf(IDC_KEEP_ON_TOP)) ||
        !WaitUntil([&] { return CheckState(checkBox) != before; })) {
      return ::testing::AssertionFailure() << "a click on Keep on top was not handled";
    }
    return ::testing::AssertionSuccess();
  }

  // Clicks into the edit and replaces its text, of at most three digits, with the digits typed.
  ::testing::AssertionResult TypeIntoEdit(HWND window, int id, const std::string& digits) const {
    const HWND edit = Control(window, id);
    if (!Click(ScreenCentreOf(window, id)) || !WaitUntil([&] {
          const std::optional<ThreadFocus> focus = ThreadFocusOf(window);
          return focus && focus->focus == edit;
        })) {
      return ::testing::AssertionFailure() << "edit " << id << " did not take the focus";
    }
    PressKey(VK_END);
    for (int i = 0; i < 3; ++i) {
      PressKey(VK_BACK);
    }
    TypeText(digits);
    if (!WaitUntil([&] { return TextOf(edit) == digits; })) {
      return ::testing::AssertionFailure()
             << "edit " << id << " shows \"" << TextOf(edit) << "\", not \"" << digits << "\"";
    }
    return ::testing::AssertionSuccess();
  }

  // Every view of the colour shows it: the three texts, the channel edits, the sliders and the
  // swatch on the screen.
  ::testing::AssertionResult ShowsColor(COLORREF color) const {
    const auto shown = [&] {
      return ControlText(m_window, IDC_HEX_TEXT) == HexTextOf(color) &&
             ControlText(m_window, IDC_HTML_TEXT) == HtmlTextOf(color) &&
             ControlText(m_window, IDC_RGB_TEXT) == RgbTextOf(color) &&
             ControlText(m_window, IDC_RED_EDIT) == std::to_string(GetRValue(color)) &&
             ControlText(m_window, IDC_GREEN_EDIT) == std::to_string(GetGValue(color)) &&
             ControlText(m_window, IDC_BLUE_EDIT) == std::to_string(GetBValue(color)) &&
             TrackbarPosition(Control(m_window, IDC_RED_SLIDER)) == GetRValue(color) &&
             TrackbarPosition(Control(m_window, IDC_GREEN_SLIDER)) == GetGValue(color) &&
             TrackbarPosition(Control(m_window, IDC_BLUE_SLIDER)) == GetBValue(color) &&
             SwatchIsAll(color);
    };
    if (WaitUntil(shown)) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "expected " << RgbTextOf(color) << "; the window shows "
           << ControlText(m_window, IDC_HEX_TEXT) << " " << ControlText(m_window, IDC_HTML_TEXT)
           << " " << ControlText(m_window, IDC_RGB_TEXT) << ", edits "
           << ControlText(m_window, IDC_RED_EDIT) << "/" << ControlText(m_window, IDC_GREEN_EDIT)
           << "/" << ControlText(m_window, IDC_BLUE_EDIT) << ", sliders "
           << TrackbarPosition(Control(m_window, IDC_RED_SLIDER)).value_or(-1) << "/"
           << TrackbarPosition(Control(m_window, IDC_GREEN_SLIDER)).value_or(-1) << "/"
           << TrackbarPosition(Control(m_window, IDC_BLUE_SLIDER)).value_or(-1)
           << ", swatch all of it: " << SwatchIsAll(color);
  }

  // The swatch inside its one-pixel outline.
  bool SwatchIsAll(COLORREF color) const {
    RECT inside = SwatchRect(WidthOf(ClientRect(m_window)));
    ::InflateRect(&inside, -1, -1);
    ::MapWindowPoints(m_window, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    const ScreenCapture capture = ScreenCapture::Of(inside);
    for (int y = 0; y < capture.Height(); ++y) {
      for (int x = 0; x < capture.Width(); ++x) {
        if (capture.PixelAtOffset(x, y) != color) {
          return false;
        }
      }
    }
    return capture.IsValid();
  }

  ChromivoProcess m_chromivo;
  HWND m_window = nullptr;
};

// The program places CF_TEXT alone: exactly the text and its NUL, no line end. Windows, and Wine
// alike, offer CF_LOCALE, CF_OEMTEXT and CF_UNICODETEXT for every CF_TEXT, converted from it. A
// format the program placed besides would be a fifth, or (for one of these three) would hold
// something other than the conversion of the text; the same content placed twice cannot be told
// from the system's, and does no harm.
void ExpectPlainTextOnly(const std::optional<ClipboardContents>& contents,
                         const std::string& expected) {
  ASSERT_TRUE(contents && contents->text) << "no CF_TEXT on the clipboard";
  EXPECT_EQ(contents->text->text, expected);
  EXPECT_TRUE(contents->text->terminated);
  EXPECT_EQ(contents->text->blockSize, expected.size() + 1);
  EXPECT_EQ(contents->formats.size(), 4u);
  EXPECT_EQ(std::set<UINT>(contents->formats.begin(), contents->formats.end()),
            (std::set<UINT>{CF_TEXT, CF_LOCALE, CF_OEMTEXT, CF_UNICODETEXT}));
  ASSERT_TRUE(contents->oemText && contents->unicodeText);
  EXPECT_EQ(contents->oemText->text, expected);
  EXPECT_EQ(*contents->unicodeText, std::wstring(expected.begin(), expected.end()));
}

}  // namespace

TEST_F(ClipboardTest, CopyButtonsPlaceExactlyTheTextShownAsPlainText) {
  ASSERT_TRUE(EmptyTheClipboard());
  ASSERT_TRUE(ShowsColor(kWhite));
  const struct {
    int button;
    std::string text;
  } copies[] = {
      {IDC_COPY_HEX, "0xFFFFFF"}, {IDC_COPY_HTML, "#FFFFFF"}, {IDC_COPY_RGB, "RGB(255,255,255)"}};
  for (const auto& copy : copies) {
    SCOPED_TRACE(copy.text);
    ExpectPlainTextOnly(CopyWith(copy.button), copy.text);
  }
  // Wine hands the clipboard to the X display too, where X programs paste it; its X side takes
  // the clipboard over a moment after the copy.
  if (RunningOnWine()) {
    std::optional<std::string> onX;
    EXPECT_TRUE(WaitUntil([&] {
      onX = ReadXClipboard();
      return onX == "RGB(255,255,255)";
    })) << "xclip read "
        << (onX ? "\"" + *onX + "\"" : "nothing");
  }

  ASSERT_TRUE(TypeIntoEdit(m_window, IDC_RED_EDIT, "18"));
  ASSERT_TRUE(TypeIntoEdit(m_window, IDC_GREEN_EDIT, "171"));
  ASSERT_TRUE(TypeIntoEdit(m_window, IDC_BLUE_EDIT, "5"));
  ASSERT_TRUE(ShowsColor(kGreen));
  ExpectPlainTextOnly(CopyWith(IDC_COPY_HTML), "#12AB05");
  ExpectPlainTextOnly(CopyWith(IDC_COPY_HEX), "0x05AB12");
  ExpectPlainTextOnly(CopyWith(IDC_COPY_RGB), "RGB(18,171,5)");
}

TEST_F(ClipboardTest, CopyGivesUpAtOnceWhileAnotherProgramHoldsTheClipboard) {
  const std::string before = "held elsewhere";
  ASSERT_TRUE(PutClipboardText(before, before.size() + 1));
  {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.IsHolding());
    for (const int button : {IDC_COPY_HEX, IDC_COPY_HTML, IDC_COPY_RGB}) {
      ASSERT_TRUE(Click(ScreenCentreOf(button)));
    }
    // The copies have returned (the click behind them got through) and the window answers.
    EXPECT_TRUE(EarlierInputHandled());
    EXPECT_TRUE(SendWithTimeout(m_window, WM_NULL).has_value());
    // Nothing is shown to the user: no message box, no other window.
    EXPECT_EQ(VisibleTopLevelWindows(m_chromivo.Id()), std::vector<HWND>{m_window});
  }
  const std::optional<ClipboardContents> contents = ReadClipboard();
  ASSERT_TRUE(contents && contents->text);
  EXPECT_EQ(contents->text->text, before);
  EXPECT_EQ(contents->text->blockSize, before.size() + 1);

  ExpectPlainTextOnly(CopyWith(IDC_COPY_HEX), "0xFFFFFF");
}

TEST_F(ClipboardTest, SelectOpensAFreshFullyOpenColorDialogWhoseOkAloneSetsTheColor) {
  // The middle of a custom colour box: the 8 x 2 boxes share the control's area, each with a
  // small gap at its right and bottom.
  const auto customColor = [](HWND dialog, int index) {
    const RECT area = WindowRectOnScreen(Control(dialog, kDialogCustomColors));
    const int width = WidthOf(area) / 8;
    const int height = HeightOf(area) / 2;
    const POINT middle{area.left + (index % 8) * width + width / 2 - 2,
                       area.top + (index / 8) * height + height / 2 - 2};
    return ScreenCapture::Of(area).PixelAt(middle);
  };
  const auto expectFreshAndFullyOpen = [&](HWND dialog) {
    // Fully open: the custom colour part is shown inside the dialog, and the button that would
    // open it is disabled (as Windows does for a dialog opened fully).
    const HWND graph = Control(dialog, kDialogColorGraph);
    EXPECT_TRUE(IsShown(graph));
    EXPECT_LE(WindowRectOnScreen(graph).right, ClientRectOnScreen(dialog).right);
    EXPECT_FALSE(::IsWindowEnabled(Control(dialog, kDialogDefineCustomColors)));
    // Black selected, whatever the colour was or was chosen last time.
    EXPECT_EQ(ControlText(dialog, kDialogRedEdit), "0");
    EXPECT_EQ(ControlText(dialog, kDialogGreenEdit), "0");
    EXPECT_EQ(ControlText(dialog, kDialogBlueEdit), "0");
    // Sixteen white custom colours, whatever was added last time.
    for (int index = 0; index < 16; ++index) {
      EXPECT_TRUE(WaitUntil([&] { return customColor(dialog, index) == kWhite; }))
          << "custom colour " << index;
    }
  };
  const auto openDialog = [&] {
    EXPECT_TRUE(Click(ScreenCentreOf(IDC_SELECT_COLOR)));
    return WaitForColorDialog();
  };

  HWND dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ClassNameOf(dialog), "#32770");
  RecordProperty("colour_dialog_caption", TextOf(dialog));
  expectFreshAndFullyOpen(dialog);
  ASSERT_TRUE(Click(ScreenCentreOf(dialog, IDOK)));
  ASSERT_TRUE(WaitUntilNoColorDialog());
  EXPECT_TRUE(ShowsColor(kBlack));

  dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(TypeIntoEdit(dialog, kDialogRedEdit, "18"));
  ASSERT_TRUE(TypeIntoEdit(dialog, kDialogGreenEdit, "171"));
  ASSERT_TRUE(TypeIntoEdit(dialog, kDialogBlueEdit, "5"));
  ASSERT_TRUE(Click(ScreenCentreOf(dialog, kDialogAddCustomColor)));
  EXPECT_TRUE(WaitUntil([&] { return customColor(dialog, 0) == kGreen; }));
  ASSERT_TRUE(Click(ScreenCentreOf(dialog, IDOK)));
  ASSERT_TRUE(WaitUntilNoColorDialog());
  EXPECT_TRUE(ShowsColor(kGreen));

  // Cancel, Esc and the caption's close button leave the colour as it was.
  dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  expectFreshAndFullyOpen(dialog);
  ASSERT_TRUE(Click(ScreenCentreOf(dialog, IDCANCEL)));
  ASSERT_TRUE(WaitUntilNoColorDialog());
  EXPECT_TRUE(ShowsColor(kGreen));

  dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(WaitUntilNoColorDialog());
  EXPECT_TRUE(ShowsColor(kGreen));

  dialog = openDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ClickCloseButton(dialog));
  ASSERT_TRUE(WaitUntilNoColorDialog());
  EXPECT_TRUE(ShowsColor(kGreen));
}

TEST_F(ClipboardTest, DoubleClickOpensTheDialogInsideTheSwatchOnlyAndNeverInPickMode) {
  const RECT swatch = SwatchRect(WidthOf(ClientRect(m_window)));
  for (const POINT inside :
       {POINT{swatch.left, swatch.top}, POINT{swatch.right - 1, swatch.bottom - 1}}) {
    ASSERT_TRUE(DoubleClick(ScreenPointAt(inside.x, inside.y)));
    ASSERT_NE(WaitForColorDialog(), nullptr) << "at " << inside.x << "," << inside.y;
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    ASSERT_TRUE(WaitUntilNoColorDialog());
  }
  const int middleX = (swatch.left + swatch.right) / 2;
  const int middleY = (swatch.top + swatch.bottom) / 2;
  for (const POINT outside : {POINT{swatch.right, middleY}, POINT{middleX, swatch.bottom}}) {
    ASSERT_TRUE(DoubleClick(ScreenPointAt(outside.x, outside.y)));
    ASSERT_TRUE(EarlierInputHandled());
    EXPECT_EQ(ColorDialog(), nullptr) << "at " << outside.x << "," << outside.y;
  }

  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  const auto inPickMode = [&] { return WindowRectOnScreen(m_window) == screen; };

  // A double click made in pick mode: its first click picks and ends pick mode, and its second
  // press reaches the window come back, where the swatch is.
  RECT window = WindowRectOnScreen(m_window);
  const POINT swatchMiddle = ScreenPointAt(middleX, middleY);
  ASSERT_TRUE(Click(ScreenCentreOf(IDC_SLORP)));
  ASSERT_TRUE(WaitUntil(inPickMode)) << "Slorp did not start pick mode";
  ASSERT_TRUE(DoubleClick(swatchMiddle));
  ASSERT_TRUE(WaitUntil([&] { return WindowRectOnScreen(m_window) == window; }))
      << "the click did not end pick mode";
  ASSERT_TRUE(EarlierInputHandled());
  EXPECT_EQ(ColorDialog(), nullptr);

  // A double click that reaches the window while it covers the screen, in pick mode, at the
  // swatch's place then: its first click must come before pick mode, on the window at the same
  // point. So the window is moved to put an empty spot of it (right of the sliders, between the
  // red and the green one) there, and pick mode is started between the clicks through Slorp's
  // key, Alt+S; the second press waits for it, or it could reach whatever lies under the window
  // while pick mode parks it. Esc ends pick mode before the button is released, so nothing is
  // picked.
  const RECT pickModeSwatch = SwatchRect(WidthOf(screen));
  const POINT target = CentreOf(pickModeSwatch);
  const POINT emptySpot = ScreenPointAt(WidthOf(ClientRect(m_window)) - 4, 53);
  ASSERT_TRUE(::SetWindowPos(m_window, nullptr, window.left + target.x - emptySpot.x,
                             window.top + target.y - emptySpot.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(WaitUntil([&] { return ::WindowFromPoint(target) == m_window; }));
  window = WindowRectOnScreen(m_window);
  const std::string colorBefore = ControlText(m_window, IDC_RGB_TEXT);
  ASSERT_TRUE(Click(target));
  ASSERT_TRUE(PressKey('S', kAlt));
  ASSERT_TRUE(WaitUntil(inPickMode)) << "Alt+S did not start pick mode";
  ASSERT_TRUE(PressMouse(target));
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(WaitUntil([&] { return WindowRectOnScreen(m_window) == window; }))
      << "Esc did not end pick mode";
  EXPECT_EQ(ColorDialog(), nullptr);
  ASSERT_TRUE(ReleaseMouse(target));
  ASSERT_TRUE(EarlierInputHandled());
  EXPECT_EQ(ColorDialog(), nullptr);
  EXPECT_EQ(ControlText(m_window, IDC_RGB_TEXT), colorBefore);
}

// The colour dialog disables the window that owns it. Pick mode would cover the dialog with a
// window that takes no clicks, and Esc would go to the hidden dialog: the hot key must wait.
TEST_F(ClipboardTest, HotKeyDoesNothingWhileTheColorDialogIsOpen) {
  const RECT window = WindowRectOnScreen(m_window);
  ASSERT_TRUE(Click(ScreenCentreOf(IDC_SELECT_COLOR)));
  const HWND dialog = WaitForColorDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PressKey(kChromivoHotKeyKey, kCtrl));
  // The dialog's red edit takes a typed digit only once the key before it has been handled.
  ASSERT_TRUE(TypeIntoEdit(dialog, kDialogRedEdit, "7"));
  EXPECT_EQ(WindowRectOnScreen(m_window), window);
  EXPECT_TRUE(IsShown(Control(m_window, IDC_SLORP)));
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  ASSERT_TRUE(WaitUntilNoColorDialog());

  // The key is Chromivo's again once the dialog has closed.
  ASSERT_TRUE(PressKey(kChromivoHotKeyKey, kCtrl));
  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(WaitUntil([&] { return WindowRectOnScreen(m_window) == screen; }));
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  EXPECT_TRUE(WaitUntil([&] { return WindowRectOnScreen(m_window) == window; }));
}
