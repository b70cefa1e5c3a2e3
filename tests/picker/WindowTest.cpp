// The window as it opens, its painting, Keep on top, and the ways its modal run ends.
#include <gtest/gtest.h>

#include "PickerFixture.h"
#include "res/resource.h"

namespace {

struct Place {
  int id;
  RECT rect;  // client coordinates: left, top, right, bottom
};

// x, y, width, height of the window's fixed layout, as right/bottom-exclusive rectangles.
constexpr Place Placed(int id, int x, int y, int width, int height) {
  return {id, {x, y, x + width, y + height}};
}

constexpr Place kLayout[] = {
    Placed(IDC_HEX_LABEL, 5, 8, 84, 13),         Placed(IDC_HEX_TEXT, 8, 26, 96, 13),
    Placed(IDC_COPY_HEX, 111, 23, 48, 20),       Placed(IDC_RED_LABEL, 173, 26, 21, 13),
    Placed(IDC_RED_EDIT, 194, 23, 26, 20),       Placed(IDC_RED_SPIN, 222, 21, 16, 23),
    Placed(IDC_RED_SLIDER, 246, 26, 150, 15),    Placed(IDC_HTML_LABEL, 5, 47, 84, 13),
    Placed(IDC_HTML_TEXT, 8, 65, 96, 13),        Placed(IDC_COPY_HTML, 111, 62, 48, 20),
    Placed(IDC_GREEN_LABEL, 173, 65, 21, 13),    Placed(IDC_GREEN_EDIT, 194, 62, 26, 20),
    Placed(IDC_GREEN_SPIN, 222, 60, 16, 23),     Placed(IDC_GREEN_SLIDER, 246, 65, 150, 15),
    Placed(IDC_RGB_LABEL, 5, 86, 84, 13),        Placed(IDC_RGB_TEXT, 8, 102, 96, 13),
    Placed(IDC_COPY_RGB, 111, 99, 48, 20),       Placed(IDC_BLUE_LABEL, 173, 102, 21, 13),
    Placed(IDC_BLUE_EDIT, 194, 99, 26, 20),      Placed(IDC_BLUE_SPIN, 222, 98, 16, 23),
    Placed(IDC_BLUE_SLIDER, 246, 102, 150, 15),  Placed(IDC_KEEP_ON_TOP, 5, 127, 93, 13),
    Placed(IDC_HOTKEY_LABEL, 110, 127, 130, 13), Placed(IDC_CURRENT_LABEL, 246, 127, 85, 13),
    Placed(IDC_SLORP, 2, 145, 48, 20),           Placed(IDC_SELECT_COLOR, 62, 145, 48, 20),
    Placed(IDC_ABOUT, 122, 145, 48, 20),         Placed(IDC_EXIT, 182, 145, 48, 20),
    Placed(IDC_HOME_LINK, 246, 146, 156, 13),
};

constexpr COLORREF kGrey = RGB(128, 128, 128);

bool IsTopmost(HWND window) {
  return (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

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

TEST_F(WindowTest, EveryControlIsVisibleAtItsPixelRectangle) {
  for (const Place& place : kLayout) {
    const RECT actual = ControlRect(place.id);
    EXPECT_EQ(actual.left, place.rect.left) << "control " << place.id;
    EXPECT_EQ(actual.top, place.rect.top) << "control " << place.id;
    EXPECT_EQ(actual.right, place.rect.right) << "control " << place.id;
    EXPECT_EQ(actual.bottom, place.rect.bottom) << "control " << place.id;
    EXPECT_TRUE(::IsWindowVisible(Control(place.id))) << "control " << place.id;
  }
  int children = 0;
  for (HWND child = ::GetWindow(Window(), GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    ++children;
  }
  EXPECT_EQ(children, 29);
}

TEST_F(WindowTest, PaintsAWhiteSwatchInAGreyOutlineAndFramesTheThreeTexts) {
  ::UpdateWindow(Window());
  const ClientImage image = CaptureClient();
  RECT client;
  ::GetClientRect(Window(), &client);
  const RECT swatch{client.right - 70, 127, client.right - 10, 140};
  ExpectGreyOutline(image, swatch);
  for (int y = swatch.top + 1; y < swatch.bottom - 1; ++y) {
    for (int x = swatch.left + 1; x < swatch.right - 1; ++x) {
      ASSERT_EQ(image.At(x, y), RGB(255, 255, 255)) << x << "," << y;
    }
  }
  EXPECT_NE(image.At(swatch.right, 133), kGrey) << "the outline stops at the swatch's right edge";
  for (const RECT& frame : {RECT{4, 23, 105, 41}, RECT{4, 62, 105, 80}, RECT{4, 100, 105, 118}}) {
    ExpectGreyOutline(image, frame);
  }
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
