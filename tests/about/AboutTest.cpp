// The About box in the test process, opened as the picker opens it, and driven from inside its
// modal loop by steps that a thread timer runs. ScaledAboutBox also runs at every display scale
// and caption height the test command sets up.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Associations.h"
#include "DesignLayout.h"
#include "OwnedWindow.h"
#include "PreTranslatePump.h"
#include "StandInAccessibility.h"
#include "TextFit.h"
#include "about/AboutDialog.h"
#include "fixtures/Input.h"
#include "fixtures/Rect.h"
#include "fixtures/Wait.h"
#include "fixtures/WindowQuery.h"
#include "picker/PickerDialog.h"
#include "res/resource.h"

namespace {

CWinApp testApplication;

// Steps run one per timer tick, inside the box's modal loop once the box is on the screen; a
// step returns true when it is done. A script still unfinished after many ticks cancels the box,
// so that a fault fails the test instead of hanging it.
class BoxScript {
 public:
  using Step = std::function<bool(HWND box)>;

  BoxScript(HWND owner, std::vector<Step> steps) : m_owner(owner), m_steps(std::move(steps)) {
    s_running = this;
    m_timer = ::SetTimer(nullptr, 0, 50, Tick);
  }
  ~BoxScript() {
    ::KillTimer(nullptr, m_timer);
    s_running = nullptr;
  }
  BoxScript(const BoxScript&) = delete;
  BoxScript& operator=(const BoxScript&) = delete;

  bool Finished() const { return m_next == m_steps.size(); }
  HWND Box() const { return m_box; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    BoxScript* script = s_running;
    if (script == nullptr || script->Finished()) {
      return;
    }
    const HWND box = OwnedWindow(script->m_owner);
    if (box == nullptr) {
      return;
    }
    script->m_box = box;
    if (++script->m_ticks > 400) {
      ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    if (script->m_steps[script->m_next](box)) {
      ++script->m_next;
    }
  }

  static inline BoxScript* s_running = nullptr;
  HWND m_owner;
  std::vector<Step> m_steps;
  size_t m_next = 0;
  int m_ticks = 0;
  HWND m_box = nullptr;
  UINT_PTR m_timer = 0;
};

// Moves onto a control of the box one step per tick, as a hand does, then clicks it.
BoxScript::Step ClickOn(int id) {
  return [id, step = 0, from = POINT{}](HWND box) mutable {
    const POINT to = CentreOf(WindowRectOnScreen(::GetDlgItem(box, id)));
    constexpr int kSteps = 4;
    if (step == 0) {
      ::GetCursorPos(&from);
    }
    if (step < kSteps) {
      ++step;
      EXPECT_TRUE(MoveMouseTo(PointAlong(from, to, step, kSteps)));
      return false;
    }
    EXPECT_TRUE(Click(to));
    return true;
  };
}

BoxScript::Step Press(WORD virtualKey) {
  return [virtualKey](HWND box) {
    ::SetForegroundWindow(box);
    EXPECT_TRUE(PressKey(virtualKey));
    return true;
  };
}

const BoxScript::Step kCancel = [](HWND box) {
  ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  return true;
};

// Where a window of this thread is created, before anyone moves it.
class CreationPlaces {
 public:
  CreationPlaces() {
    s_places = &m_places;
    m_hook = ::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
  }
  ~CreationPlaces() {
    ::UnhookWindowsHookEx(m_hook);
    s_places = nullptr;
  }
  CreationPlaces(const CreationPlaces&) = delete;
  CreationPlaces& operator=(const CreationPlaces&) = delete;

  // The top-left corner of the first top-level window created with this owner.
  bool Find(HWND owner, POINT* corner) const {
    for (const auto& [windowOwner, place] : m_places) {
      if (windowOwner == owner) {
        *corner = place;
        return true;
      }
    }
    return false;
  }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && s_places != nullptr) {
      const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
      if ((create->style & WS_CHILD) == 0) {
        s_places->push_back({create->hwndParent, POINT{create->x, create->y}});
      }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline std::vector<std::pair<HWND, POINT>>* s_places = nullptr;
  std::vector<std::pair<HWND, POINT>> m_places;
  HHOOK m_hook = nullptr;
};

constexpr int kOtherHotKey = 0x5A5A;

bool OtherCallerCanTakeTheHotKey() {
  const bool taken = ::RegisterHotKey(nullptr, kOtherHotKey, MOD_CONTROL, VK_SUBTRACT) != FALSE;
  if (taken) {
    ::UnregisterHotKey(nullptr, kOtherHotKey);
  }
  return taken;
}

class AboutTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(picker.Create());
    testApplication.m_pMainWnd = &picker;
    // Away from the screen's corner, so that the box's placement depends on the picker's.
    picker.SetWindowPos(nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetForegroundWindow(picker.m_hWnd);
    PumpThroughPreTranslate();
  }
  void TearDown() override {
    testApplication.m_pMainWnd = nullptr;
    picker.DestroyWindow();
    PumpThroughPreTranslate();
  }

  // Runs the script while the picker's About command runs.
  void OpenFromThePicker(BoxScript& script) {
    ::SendMessageA(picker.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(picker.m_hWnd, IDC_ABOUT)));
    EXPECT_TRUE(script.Finished()) << "the box ended before its script did, or never opened";
  }

  CPickerDialog picker;
};

}  // namespace

TEST_F(AboutTest, AboutButtonOpensTheBoxLaidOutWhereTheSystemPlacedIt) {
  struct Seen {
    std::string caption;
    RECT window{};
    bool pickerEnabled = true;
    HWND focus = nullptr;
    HWND ok = nullptr;
    std::vector<RECT> controls;
    std::vector<std::string> texts;
  } seen;
  const BoxScript::Step look = [&](HWND box) {
    seen.caption = TextOf(box);
    ::GetWindowRect(box, &seen.window);
    seen.pickerEnabled = ::IsWindowEnabled(picker.m_hWnd) != FALSE;
    seen.focus = ::GetFocus();
    seen.ok = ::GetDlgItem(box, IDC_ABOUT_OK);
    for (const DesignPlace& place : kAboutLayout) {
      seen.controls.push_back(RectInParentClient(::GetDlgItem(box, place.id)));
      seen.texts.push_back(TextOf(::GetDlgItem(box, place.id)));
    }
    return true;
  };
  CreationPlaces placed;
  BoxScript script(picker.m_hWnd, {look, ClickOn(IDC_ABOUT_OK)});
  const POINT aboutButton = CentreOf(WindowRectOnScreen(::GetDlgItem(picker.m_hWnd, IDC_ABOUT)));
  ASSERT_TRUE(GlideMouse(aboutButton, PumpThroughPreTranslate));
  ASSERT_TRUE(Click(aboutButton));
  WaitUntil([&] { return script.Finished() && !::IsWindow(script.Box()); }, 5000,
            PumpThroughPreTranslate);

  ASSERT_TRUE(script.Finished()) << "the About button did not open the box, or OK did not end it";
  EXPECT_FALSE(::IsWindow(script.Box()));
  EXPECT_TRUE(::IsWindowEnabled(picker.m_hWnd)) << "the picker is usable again once the box ends";
  EXPECT_EQ(seen.caption, "About Chromivo");
  EXPECT_FALSE(seen.pickerEnabled) << "the picker is disabled while the box is open";
  EXPECT_EQ(seen.focus, seen.ok) << "the focus starts on OK";
  POINT created{};
  ASSERT_TRUE(placed.Find(picker.m_hWnd, &created));
  EXPECT_EQ(seen.window.left, created.x);
  EXPECT_EQ(seen.window.top, created.y);
  EXPECT_EQ(seen.window.right - seen.window.left, 294);
  EXPECT_EQ(seen.window.bottom - seen.window.top, 252);
  ASSERT_EQ(seen.controls.size(), std::size(kAboutLayout));
  for (size_t i = 0; i < std::size(kAboutLayout); ++i) {
    const RECT& want = kAboutLayout[i].rect;
    const RECT& got = seen.controls[i];
    EXPECT_TRUE(::EqualRect(&want, &got))
        << "control " << kAboutLayout[i].id << " at (" << got.left << "," << got.top << ") "
        << got.right - got.left << "x" << got.bottom - got.top;
  }
  // Every text but the icon's; the links keep their captions.
  const std::vector<std::string> texts = {"Chromivo Version 2.0",
                                          "Copyright (C) 2026 Chromivo contributors",
                                          "All rights reserved.",
                                          "",
                                          "OK",
                                          "Chromivo Homepage",
                                          "Refer to Your Friends",
                                          "Chromivo FAQ Page",
                                          "Support and Contact"};
  EXPECT_EQ(std::vector<std::string>(seen.texts.begin() + 1, seen.texts.end()), texts);
}

TEST_F(AboutTest, OkEnterEscAndTheCloseItemEachEndTheBox) {
  struct Ending {
    const char* how;
    BoxScript::Step step;
    INT_PTR result;
  };
  const Ending endings[] = {
      {"OK", ClickOn(IDC_ABOUT_OK), IDOK},
      {"Enter", Press(VK_RETURN), IDOK},
      {"Esc", Press(VK_ESCAPE), IDCANCEL},
      {"the close item",
       [](HWND box) { return ::PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; }, IDCANCEL},
  };
  for (const Ending& ending : endings) {
    BoxScript script(picker.m_hWnd, {ending.step});
    CAboutDialog about;
    EXPECT_EQ(about.DoModal(), ending.result) << ending.how;
    EXPECT_TRUE(script.Finished()) << ending.how;
    EXPECT_FALSE(::IsWindow(script.Box())) << ending.how;
    EXPECT_TRUE(::IsWindowEnabled(picker.m_hWnd)) << ending.how;
  }
}

TEST_F(AboutTest, HotKeyIsGivenUpWhileTheBoxIsOpenAndTakenBackAfter) {
  ASSERT_FALSE(OtherCallerCanTakeTheHotKey()) << "the picker holds Ctrl + keypad minus";
  bool freeWhileOpen = false;
  BoxScript script(picker.m_hWnd, {[&](HWND) {
                                     freeWhileOpen = OtherCallerCanTakeTheHotKey();
                                     return true;
                                   },
                                   kCancel});
  OpenFromThePicker(script);
  EXPECT_TRUE(freeWhileOpen);
  EXPECT_FALSE(OtherCallerCanTakeTheHotKey());
}

TEST_F(AboutTest, HotKeyTakenByAnotherWhileTheBoxIsOpenIsLeftToIt) {
  bool taken = false;
  BoxScript script(picker.m_hWnd, {[&](HWND) {
                                     taken = ::RegisterHotKey(nullptr, kOtherHotKey, MOD_CONTROL,
                                                              VK_SUBTRACT) != FALSE;
                                     return true;
                                   },
                                   kCancel});
  OpenFromThePicker(script);
  ASSERT_TRUE(taken);
  // The picker goes on without the key, shows no message, and its label no longer claims it.
  const HWND label = ::GetDlgItem(picker.m_hWnd, IDC_HOTKEY_LABEL);
  EXPECT_TRUE(::IsWindowEnabled(picker.m_hWnd));
  EXPECT_EQ(OwnedWindow(picker.m_hWnd), nullptr);
  EXPECT_EQ(OwnedWindow(nullptr), picker.m_hWnd) << "no other window, such as a message box";
  EXPECT_EQ(TextOf(label), "Hot Key: other app has it");
  EXPECT_TRUE(TextFitsControl(label));
  EXPECT_TRUE(::UnregisterHotKey(nullptr, kOtherHotKey)) << "the other holder keeps the key";

  // The next time the box closes, the key is free and the picker takes it again, and says so.
  BoxScript again(picker.m_hWnd, {kCancel});
  OpenFromThePicker(again);
  EXPECT_FALSE(OtherCallerCanTakeTheHotKey());
  EXPECT_EQ(TextOf(label), "Hot Key: Ctrl + Num -");
}

TEST_F(AboutTest, SystemCommands0x0010To0x001FOpenTheBoxOthersActAsUsual) {
  for (const WPARAM command : {0x0010, 0x001F}) {
    BoxScript script(picker.m_hWnd, {kCancel});
    ::SendMessageA(picker.m_hWnd, WM_SYSCOMMAND, command, 0);
    EXPECT_TRUE(script.Finished()) << "command " << command;
    EXPECT_TRUE(::IsWindowEnabled(picker.m_hWnd));
  }

  BoxScript watch(picker.m_hWnd, {kCancel});
  ::SendMessageA(picker.m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  PumpThroughPreTranslate();
  EXPECT_TRUE(::IsIconic(picker.m_hWnd));
  ::SendMessageA(picker.m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpThroughPreTranslate();
  EXPECT_FALSE(::IsIconic(picker.m_hWnd));
  EXPECT_EQ(watch.Box(), nullptr) << "no box for other system commands";
}

TEST_F(AboutTest, EachLinkOpensItsAddressWithTheHandCursorAndTheBoxStaysOpen) {
  ScopedClasses classes;
  LinkRecord record;
  const std::string recorder = Quoted(RecorderPath());
  BreakShellLinks(classes, recorder + " \"%1\"");
  const int links[] = {IDC_ABOUT_FAQ_LINK, IDC_ABOUT_HOMEPAGE_LINK, IDC_ABOUT_REFER_LINK,
                       IDC_ABOUT_SUPPORT_LINK};
  const HCURSOR hand = testApplication.LoadCursor(IDC_HAND_CURSOR);
  std::vector<BoxScript::Step> steps;
  int handCursors = 0;
  bool openAfterClicks = false;
  for (size_t i = 0; i < std::size(links); ++i) {
    steps.push_back([&, i](HWND box) {
      const HWND link = ::GetDlgItem(box, links[i]);
      ::SetCursor(nullptr);
      ::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      handCursors += ::GetCursor() == hand;
      return true;
    });
    steps.push_back(ClickOn(links[i]));
    steps.push_back([&, i](HWND) { return record.Lines().size() > i; });
  }
  steps.push_back([&](HWND box) {
    openAfterClicks = ::IsWindowVisible(box) != FALSE;
    return true;
  });
  steps.push_back(Press(VK_ESCAPE));
  BoxScript script(picker.m_hWnd, steps);
  OpenFromThePicker(script);

  EXPECT_EQ(handCursors, 4);
  EXPECT_TRUE(openAfterClicks);
  const std::vector<std::string> expected = {
      recorder + "  http://chromivo.example/faq.htm",
      recorder + "  http://chromivo.example/index.htm",
      recorder + "  http://chromivo.example/refer.htm",
      recorder + "  mailto:support@chromivo.example",
  };
  EXPECT_EQ(record.Lines(), expected);
}

// Without a mouse: the focus starts on OK, Tab visits the four links in reading order and comes
// back to OK, Shift+Tab goes back, Esc closes the box (Enter on a link is driven end to end).
// Screen readers are told the links are links while the box is open.
TEST_F(AboutTest, TabVisitsTheLinksInReadingOrderAndScreenReadersSeeLinks) {
  StandInAccessibility reader;
  std::vector<int> visited;
  size_t linksNamed = 0;
  const BoxScript::Step noteFocus = [&](HWND) {
    visited.push_back(::GetDlgCtrlID(::GetFocus()));
    return true;
  };
  const BoxScript::Step backTab = [](HWND box) {
    ::SetForegroundWindow(box);
    EXPECT_TRUE(PressKey(VK_TAB, kShift));
    return true;
  };
  std::vector<BoxScript::Step> steps = {noteFocus};
  for (int tab = 0; tab < 5; ++tab) {
    steps.push_back(Press(VK_TAB));
    steps.push_back(noteFocus);
  }
  steps.push_back(backTab);
  steps.push_back(noteFocus);
  steps.push_back([&](HWND box) {
    for (const auto& [control, given] : reader.given) {
      linksNamed += ::GetParent(control) == box && given.role == 0x1E /* ROLE_SYSTEM_LINK */ &&
                    given.name.empty();
    }
    return true;
  });
  steps.push_back(Press(VK_ESCAPE));
  BoxScript script(picker.m_hWnd, steps);
  OpenFromThePicker(script);

  const std::vector<int> expected = {IDC_ABOUT_OK,           IDC_ABOUT_HOMEPAGE_LINK,
                                     IDC_ABOUT_REFER_LINK,   IDC_ABOUT_FAQ_LINK,
                                     IDC_ABOUT_SUPPORT_LINK, IDC_ABOUT_OK,
                                     IDC_ABOUT_SUPPORT_LINK};
  EXPECT_EQ(visited, expected);
  EXPECT_EQ(linksNamed, 4u) << "each link keeps its text as its name, with the role of a link";
  EXPECT_FALSE(::IsWindow(script.Box())) << "Esc did not close the box";
  EXPECT_TRUE(reader.given.empty()) << "a name outlived its link";
}

TEST_F(AboutTest, MainWindowLinkShowsItsAddressWithTheHandCursor) {
  const HWND link = ::GetDlgItem(picker.m_hWnd, IDC_HOME_LINK);
  EXPECT_EQ(TextOf(link), "http://chromivo.example/");
  ::SetCursor(nullptr);
  EXPECT_EQ(::SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);
  const HCURSOR hand = testApplication.LoadCursor(IDC_HAND_CURSOR);
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(::GetCursor(), hand);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(hand, &info));
  CBitmap mask;
  CBitmap color;
  mask.Attach(info.hbmMask);
  color.Attach(info.hbmColor);
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 7u);
  EXPECT_EQ(info.yHotspot, 2u);
}

namespace {

void ExpectAboutBoxLaidOutAt(HWND box, int dpi) {
  RECT client;
  ::GetClientRect(box, &client);
  EXPECT_EQ(client.right, ScaledToDpi(kAboutClientSize.cx, dpi));
  EXPECT_EQ(client.bottom, ScaledToDpi(kAboutClientSize.cy, dpi));
  for (const DesignPlace& place : kAboutLayout) {
    const HWND control = ::GetDlgItem(box, place.id);
    const RECT actual = RectInParentClient(control);
    EXPECT_TRUE(IsAtScaledPlace(actual, place.rect, dpi))
        << "control " << place.id << " at " << testing::PrintToString(actual);
    EXPECT_TRUE(LiesWithin(actual, client)) << "control " << place.id << " reaches out";
    EXPECT_TRUE(TextFitsControl(control));
  }
}

}  // namespace

TEST(ScaledAboutBox, ClientAreaIsTheScaledDesignAndHoldsEveryControlAndText) {
  CAboutDialog box;
  ASSERT_TRUE(box.Create());
  ExpectAboutBoxLaidOutAt(box.m_hWnd, SystemDpi());
  box.DestroyWindow();
  PumpThroughPreTranslate();
}

// Moved to monitors of other DPIs (the message as Windows sends it): laid out again each time, in
// fonts made for the new DPI, the links still underlined; the fonts made before are gone.
TEST(AboutBoxDpiChange, TheBoxIsLaidOutAgainInFontsOfTheNewDpi) {
  CAboutDialog box;
  ASSERT_TRUE(box.Create());
  for (const int dpi : {144, 192, 96}) {
    SCOPED_TRACE(testing::Message() << dpi << " DPI");
    const std::vector<HFONT> before = FontsMadeForControls(box.m_hWnd);
    RECT window;
    ::GetWindowRect(box.m_hWnd, &window);
    ::SendMessageA(box.m_hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&window));
    ExpectAboutBoxLaidOutAt(box.m_hWnd, dpi);
    for (const int link : {IDC_ABOUT_HOMEPAGE_LINK, IDC_ABOUT_REFER_LINK, IDC_ABOUT_FAQ_LINK,
                           IDC_ABOUT_SUPPORT_LINK}) {
      EXPECT_TRUE(IsUnderlined(::GetDlgItem(box.m_hWnd, link))) << "link " << link;
    }
    for (const HFONT font : before) {
      EXPECT_EQ(::GetObjectType(font), 0u) << "a font made for the DPI before is left";
    }
  }
  box.DestroyWindow();
  PumpThroughPreTranslate();
}
