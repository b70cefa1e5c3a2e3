// The window as it opens, its painting, Keep on top, and the ways its modal run ends. The tests
// of ScaledPanelTest also run at every display scale and caption height the test command sets up.
#include <gtest/gtest.h>

#include <string>

#include "DesignLayout.h"
#include "OwnedWindow.h"
#include "PickerFixture.h"
#include "ScaledPanelTest.h"
#include "TextFit.h"
#include "fixtures/Rect.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

// Checks a one-pixel grey outline along the inside edge of the rectangle.
void ExpectGreyOutline(const PickerTest::ClientImage& image, const RECT& r) {
  for (int x = r.left; x < r.right; ++x) {
    EXPECT_EQ(image.At(x, r.top), kGrey) << "top line at x " << x;
    EXPECT_EQ(image.At(x, r.bottom - 1), kGrey) << "bottom line at x " << x;
  }
  for (int y = r.top; y < r.bottom; ++y) {
    EXPECT_EQ(image.At(r.left, y), kGrey) << "left line at y " << y;
    EXPECT_EQ(image.At(r.right - 1, y), kGrey) << "right line at y " << y;
  }
}

// The colour dialog runs its own modal loop inside the double click's handling: a thread timer
// notes the dialog the picker owns and cancels it.
class OwnedDialogCanceller {
 public:
  explicit OwnedDialogCanceller(HWND owner) {
    s_owner = owner;
    s_seen = nullptr;
    s_seenClass.clear();
    m_timer = ::SetTimer(nullptr, 0, 50, Tick);
  }
  ~OwnedDialogCanceller() {
    ::KillTimer(nullptr, m_timer);
    s_owner = nullptr;
  }
  OwnedDialogCanceller(const OwnedDialogCanceller&) = delete;
  OwnedDialogCanceller& operator=(const OwnedDialogCanceller&) = delete;

  static HWND Seen() { return s_seen; }
  // The class of the window seen, read while it was open.
  static const std::string& SeenClass() { return s_seenClass; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    const HWND dialog = s_owner != nullptr ? OwnedWindow(s_owner) : nullptr;
    if (dialog != nullptr) {
      s_seen = dialog;
      s_seenClass = ClassNameOf(dialog);
      ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
  }

  static inline HWND s_owner = nullptr;
  static inline HWND s_seen = nullptr;
  static inline std::string s_seenClass;
  UINT_PTR m_timer = 0;
};

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) {
    return 0;
  }
  BITMAP mask{};
  ::GetObjectA(info.hbmMask, sizeof(mask), &mask);
  ::DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) {
    ::DeleteObject(info.hbmColor);
  }
  return mask.bmWidth;
}

}  // namespace

using WindowTest = PickerTest;

TEST_F(WindowTest, OpensAt410By192TopmostWithKeepOnTopCheckedAndWhiteTexts) {
  RECT window;
  ::GetWindowRect(Window(), &window);
  EXPECT_EQ(window.right - window.left, 410);
  EXPECT_EQ(window.bottom - window.top, 192);
  EXPECT_TRUE(IsTopmost(Window()));
  EXPECT_EQ(::SendMessageA(Control(IDC_KEEP_ON_TOP), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::GetFocus(), Control(IDC_KEEP_ON_TOP));
  EXPECT_EQ(Text(IDC_HEX_TEXT), "0xFFFFFF");
  EXPECT_EQ(Text(IDC_HTML_TEXT), "#FFFFFF");
  EXPECT_EQ(Text(IDC_RGB_TEXT), "RGB(255,255,255)");
  EXPECT_EQ(dialog.m_color, RGB(255, 255, 255));
  EXPECT_EQ(dialog.m_picking, 0);
}

void ScaledPanelTest::ExpectClientAreaIsTheDesignWithEveryControlAtItsPlace() {
  RECT client;
  ::GetClientRect(Window(), &client);
  EXPECT_EQ(client.right, ScaledToDpi(kPanelClientSize.cx, Dpi()));
  EXPECT_EQ(client.bottom, ScaledToDpi(kPanelClientSize.cy, Dpi()));
  for (const DesignPlace& place : kPanelLayout) {
    const RECT actual = ControlRect(place.id);
    EXPECT_TRUE(IsAtScaledPlace(actual, place.rect, Dpi()))
        << "control " << place.id << " at " << testing::PrintToString(actual);
    EXPECT_TRUE(LiesWithin(actual, client)) << "control " << place.id << " reaches out";
    EXPECT_TRUE(::IsWindowVisible(Control(place.id))) << "control " << place.id;
  }
}

// Every caption, the three colour texts at their longest (white) and the edits' "255".
void ScaledPanelTest::ExpectEveryTextFits() {
  ASSERT_EQ(Text(IDC_RGB_TEXT), "RGB(255,255,255)");
  ASSERT_EQ(Text(IDC_RED_EDIT), "255");
  for (const DesignPlace& place : kPanelLayout) {
    EXPECT_TRUE(TextFitsControl(Control(place.id)));
  }
}

void ScaledPanelTest::ExpectSwatchAndTextFramesPainted() {
  ::UpdateWindow(Window());
  const ClientImage image = CaptureClient();
  const RECT swatch = Swatch();
  ExpectGreyOutline(image, swatch);
  for (int y = swatch.top + 1; y < swatch.bottom - 1; ++y) {
    for (int x = swatch.left + 1; x < swatch.right - 1; ++x) {
      ASSERT_EQ(image.At(x, y), RGB(255, 255, 255)) << x << "," << y;
    }
  }
  const int middle = (swatch.top + swatch.bottom) / 2;
  EXPECT_NE(image.At(swatch.right, middle), kGrey)
      << "the outline stops at the swatch's right edge";
  for (const RECT& frame : kTextFrames) {
    ExpectGreyOutline(image, ScaledToDpi(frame, Dpi()));
  }
}

void ScaledPanelTest::ExpectDoubleClickOnTheSwatchOpensTheColourDialog() {
  const OwnedDialogCanceller canceller(Window());
  POINT centre = CentreOf(Swatch());
  ::ClientToScreen(Window(), &centre);
  MoveMouseOnScreen(centre);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
  PumpUntil([] { return OwnedDialogCanceller::Seen() != nullptr; });
  ASSERT_NE(OwnedDialogCanceller::Seen(), nullptr) << "no dialog opened";
  EXPECT_EQ(OwnedDialogCanceller::SeenClass(), "#32770");
  EXPECT_TRUE(ShowsColor(RGB(255, 255, 255))) << "a cancelled dialog changes nothing";
}

TEST_F(ScaledPanelTest, ClientAreaIsTheScaledDesignAndHoldsEveryControlAtItsPlace) {
  ExpectClientAreaIsTheDesignWithEveryControlAtItsPlace();
  int children = 0;
  for (HWND child = ::GetWindow(Window(), GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    ++children;
  }
  EXPECT_EQ(children, 29);
}

TEST_F(ScaledPanelTest, EveryTextFitsItsControl) {
  ExpectEveryTextFits();
}

TEST_F(ScaledPanelTest, PaintsTheSwatchAndTheTextFramesAtTheirScaledRectangles) {
  ExpectSwatchAndTextFramesPainted();
}

TEST_F(ScaledPanelTest, DoubleClickOnTheSwatchOpensTheColourDialog) {
  ExpectDoubleClickOnTheSwatchOpensTheColourDialog();
}

// The window moved to monitors of other DPIs (Wine cannot show one: the message is sent as
// Windows sends it). Each time the panel is laid out, painted and hit-tested at the new DPI, in
// fonts made for it, and the fonts the program made for the DPI before are gone.
using DpiChangeTest = ScaledPanelTest;

TEST_F(DpiChangeTest, ThePanelIsLaidOutAgainInFontsOfTheNewDpi) {
  for (const int dpi : {144, 192, 96}) {
    SCOPED_TRACE(testing::Message() << dpi << " DPI");
    const std::vector<HFONT> before = FontsMadeForControls(Window());
    ChangeDpi(dpi);
    ExpectClientAreaIsTheDesignWithEveryControlAtItsPlace();
    ExpectEveryTextFits();
    for (const DesignPlace& place : kPanelLayout) {
      LOGFONTA font{};
      if (::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(Control(place.id), WM_GETFONT, 0, 0)),
                       sizeof(font), &font) == sizeof(font)) {
        EXPECT_EQ(font.lfHeight, -::MulDiv(8, dpi, 72)) << "control " << place.id << ": not 8 pt";
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
      }
    }
    EXPECT_TRUE(IsUnderlined(Control(IDC_HOME_LINK)));
    // The caption's icon, made at the new DPI's size.
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(::SendMessageA(Window(), WM_GETICON, ICON_BIG, 0))),
              ::MulDiv(::GetSystemMetrics(SM_CXICON), dpi, SystemDpi()));
    ExpectSwatchAndTextFramesPainted();
    ExpectDoubleClickOnTheSwatchOpensTheColourDialog();
    for (const HFONT font : before) {
      EXPECT_EQ(::GetObjectType(font), 0u) << "a font made for the DPI before is left";
    }
  }
}

// Pick mode's window is no panel: a DPI change while picking waits for the panel.
TEST_F(DpiChangeTest, ADpiChangeWhilePickingWaitsUntilPickModeEnds) {
  RECT panel;
  ::GetWindowRect(Window(), &panel);
  ClickButton(IDC_SLORP);
  ASSERT_EQ(dialog.m_picking, 1);
  RECT picking;
  ::GetWindowRect(Window(), &picking);
  ChangeDpi(144);
  RECT now;
  ::GetWindowRect(Window(), &now);
  EXPECT_TRUE(::EqualRect(&now, &picking)) << "the pick window was reshaped";
  EXPECT_FALSE(::IsWindowVisible(Control(IDC_SLORP)));

  TypeKey(VK_ESCAPE);
  ASSERT_EQ(dialog.m_picking, 0);
  ::GetWindowRect(Window(), &now);
  EXPECT_EQ(now.left, panel.left);
  EXPECT_EQ(now.top, panel.top);
  ExpectClientAreaIsTheDesignWithEveryControlAtItsPlace();
}

// A taller caption bar set while the program runs leaves the window's rectangle as it was: the
// client area shrinks until the window is told.
TEST_F(ScaledPanelTest, AFrameChangedWhileRunningGetsTheDesignBack) {
  RECT window;
  ::GetWindowRect(Window(), &window);
  ::SetWindowPos(Window(), nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top - 12, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageA(Window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  RECT now;
  ::GetWindowRect(Window(), &now);
  EXPECT_EQ(now.left, window.left);
  EXPECT_EQ(now.top, window.top);
  ExpectClientAreaIsTheDesignWithEveryControlAtItsPlace();
}

TEST_F(WindowTest, KeepOnTopTogglesTheTopmostBandWithoutMovingTheWindow) {
  RECT before;
  ::GetWindowRect(Window(), &before);
  ::SendMessageA(Control(IDC_KEEP_ON_TOP), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(::SendMessageA(Control(IDC_KEEP_ON_TOP), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(IsTopmost(Window()));
  ::SendMessageA(Control(IDC_KEEP_ON_TOP), BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(IsTopmost(Window()));
  RECT after;
  ::GetWindowRect(Window(), &after);
  EXPECT_TRUE(::EqualRect(&before, &after));
}

TEST_F(WindowTest, MinimisedWindowDragsItsIcon) {
  const HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(Window(), WM_QUERYDRAGICON, 0, 0)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(Window(), WM_GETICON, ICON_BIG, 0)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(Window(), WM_GETICON, ICON_SMALL, 0)), icon);
}

// The modal runs: a thread timer acts once the window exists, from inside DoModal's own loop.
namespace {

HWND RunningPicker() {
  return ::FindWindowA("#32770", "Chromivo");
}

void (*modalAction)(HWND picker) = nullptr;

void CALLBACK ActOnPicker(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND picker = RunningPicker();
  if (picker == nullptr || modalAction == nullptr) {
    return;
  }
  ::KillTimer(nullptr, timer);
  modalAction(picker);
  modalAction = nullptr;
}

INT_PTR RunPickerModal(void (*action)(HWND picker), bool* hotKeyHeldWhileRunning = nullptr) {
  modalAction = action;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ActOnPicker);
  CPickerDialog picker;
  const INT_PTR result = picker.DoModal();
  ::KillTimer(nullptr, timer);
  if (hotKeyHeldWhileRunning != nullptr) {
    *hotKeyHeldWhileRunning = modalAction == nullptr;
  }
  return result;
}

void PostKey(HWND window, WPARAM key) {
  ::PostMessageA(window, WM_KEYDOWN, key, 1);
  ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// Another registration of the picker's hot key succeeds only when nobody holds it.
bool HotKeyIsFree() {
  if (!::RegisterHotKey(nullptr, 1, MOD_CONTROL, VK_SUBTRACT)) {
    return false;
  }
  ::UnregisterHotKey(nullptr, 1);
  return true;
}

}  // namespace

TEST(PickerModalRun, EnterEndsWithOkAndEscWithCancel) {
  EXPECT_EQ(RunPickerModal(
                [](HWND picker) { PostKey(::GetDlgItem(picker, IDC_KEEP_ON_TOP), VK_RETURN); }),
            IDOK);
  EXPECT_EQ(RunPickerModal(
                [](HWND picker) { PostKey(::GetDlgItem(picker, IDC_KEEP_ON_TOP), VK_ESCAPE); }),
            IDCANCEL);
}

TEST(PickerModalRun, ExitAndEveryCloseRequestEndWithOkAndFreeTheHotKey) {
  static bool heldWhileRunning = false;
  const auto exitButton = [](HWND picker) {
    heldWhileRunning = !HotKeyIsFree();
    ::PostMessageA(picker, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(picker, IDC_EXIT)));
  };
  EXPECT_EQ(RunPickerModal(exitButton), IDOK);
  EXPECT_TRUE(heldWhileRunning);
  EXPECT_TRUE(HotKeyIsFree());

  EXPECT_EQ(RunPickerModal([](HWND picker) { ::PostMessageA(picker, WM_CLOSE, 0, 0); }), IDOK);
  EXPECT_TRUE(HotKeyIsFree());
  EXPECT_EQ(RunPickerModal([](HWND picker) { ::PostMessageA(picker, WM_SYSCOMMAND, SC_CLOSE, 0); }),
            IDOK);
  EXPECT_TRUE(HotKeyIsFree());
}

TEST(PickerModalRun, StartsAndWorksWhenAnotherHolderHasTheHotKey) {
  ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_CONTROL, VK_SUBTRACT));
  EXPECT_EQ(RunPickerModal([](HWND picker) { ::PostMessageA(picker, WM_CLOSE, 0, 0); }), IDOK);
  ::UnregisterHotKey(nullptr, 7);
}
