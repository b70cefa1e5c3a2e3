// Message maps without windows: lookup through the chain of maps, and the thunks that turn a
// message's parameters into a handler's arguments.
#include <gtest/gtest.h>

#include <string>

#include "framework/Framework.h"

namespace {

constexpr UINT kButtonId = 100;
constexpr UINT kEditId = 101;

// A handwritten hierarchy: the base handles some messages, the derived class adds its own and
// overrides one of the base's.
class CBaseProbe : public CWnd {
 public:
  BOOL Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return OnWndMsg(message, wParam, lParam, result);
  }
  static const AFX_MSGMAP* Map() { return GetThisMessageMap(); }

  std::string m_last;

 protected:
  LRESULT OnPing(WPARAM, LPARAM) {
    m_last = "base ping";
    return 1;
  }
  LRESULT OnShared(WPARAM, LPARAM) {
    m_last = "base shared";
    return 2;
  }
  void OnButtonClicked() { m_last = "base button"; }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
  ON_MESSAGE(WM_APP, OnPing)
  ON_MESSAGE(WM_APP + 1, OnShared)
  ON_BN_CLICKED(kButtonId, OnButtonClicked)
END_MESSAGE_MAP()

class CDerivedProbe : public CBaseProbe {
 public:
  static const AFX_MSGMAP* Map() { return GetThisMessageMap(); }

  UINT m_flags = 0;
  CPoint m_point;
  UINT m_code = 0;
  UINT m_pos = 0;
  CWnd* m_bar = this;  // the handler must replace it
  UINT m_hitTest = 0;
  UINT m_mouseMessage = 0;
  LPARAM m_lParam = 0;
  HDC m_hdc = nullptr;
  UINT m_ctlColor = 0;
  HCURSOR m_dragIcon = reinterpret_cast<HCURSOR>(0x1234);
  HBRUSH m_brush = reinterpret_cast<HBRUSH>(0x5678);

 protected:
  LRESULT OnDerivedShared(WPARAM, LPARAM) {
    m_last = "derived shared";
    return 3;
  }
  void OnEditChange() { m_last = "derived edit change"; }
  void OnClickedReflected() { m_last = "derived reflected click"; }
  void OnMouseMove(UINT flags, CPoint point) {
    m_flags = flags;
    m_point = point;
  }
  void OnHScroll(UINT code, UINT pos, CWnd* bar) {
    m_code = code;
    m_pos = pos;
    m_bar = bar;
  }
  BOOL OnSetCursor(CWnd*, UINT hitTest, UINT message) {
    m_hitTest = hitTest;
    m_mouseMessage = message;
    return TRUE;
  }
  void OnSysCommand(UINT id, LPARAM lParam) {
    m_code = id;
    m_lParam = lParam;
  }
  HCURSOR OnQueryDragIcon() { return m_dragIcon; }
  HBRUSH CtlColor(CDC* dc, UINT ctlColor) {
    m_hdc = dc->GetSafeHdc();
    m_ctlColor = ctlColor;
    return m_brush;
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CBaseProbe)
  ON_MESSAGE(WM_APP + 1, OnDerivedShared)
  ON_EN_CHANGE(kEditId, OnEditChange)
  ON_CONTROL_REFLECT(STN_CLICKED, OnClickedReflected)
  ON_WM_MOUSEMOVE()
  ON_WM_HSCROLL()
  ON_WM_SETCURSOR()
  ON_WM_SYSCOMMAND()
  ON_WM_QUERYDRAGICON()
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

}  // namespace

TEST(MessageMap, DerivedEntryOverridesTheBaseForTheSameMessage) {
  CDerivedProbe derived;
  LRESULT result = 0;
  ASSERT_TRUE(derived.Dispatch(WM_APP + 1, 0, 0, &result));
  EXPECT_EQ(result, 3);
  EXPECT_EQ(derived.m_last, "derived shared");

  CBaseProbe base;
  ASSERT_TRUE(base.Dispatch(WM_APP + 1, 0, 0, &result));
  EXPECT_EQ(result, 2);
  EXPECT_EQ(base.m_last, "base shared");
}

TEST(MessageMap, ChainReachesTheBaseClassesEntries) {
  CDerivedProbe derived;
  LRESULT result = 0;
  ASSERT_TRUE(derived.Dispatch(WM_APP, 0, 0, &result));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(derived.m_last, "base ping");

  ASSERT_TRUE(derived.Dispatch(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), 0, &result));
  EXPECT_EQ(derived.m_last, "base button");

  EXPECT_FALSE(derived.Dispatch(WM_APP + 2, 0, 0, &result)) << "unmapped messages go to Default";
}

TEST(MessageMap, CommandsMatchBothIdAndNotificationCode) {
  CDerivedProbe derived;
  LRESULT result = 0;
  EXPECT_TRUE(derived.Dispatch(WM_COMMAND, MAKEWPARAM(kEditId, EN_CHANGE), 0, &result));
  EXPECT_EQ(derived.m_last, "derived edit change");

  derived.m_last.clear();
  EXPECT_FALSE(derived.Dispatch(WM_COMMAND, MAKEWPARAM(kEditId, EN_KILLFOCUS), 0, &result));
  EXPECT_FALSE(derived.Dispatch(WM_COMMAND, MAKEWPARAM(kEditId, BN_CLICKED), 0, &result));
  EXPECT_FALSE(derived.Dispatch(WM_COMMAND, MAKEWPARAM(kButtonId, EN_CHANGE), 0, &result));
  EXPECT_EQ(derived.m_last, "");
}

// STN_CLICKED is 0 like BN_CLICKED: the reflected entry must not answer a command of id 0.
TEST(MessageMap, ReflectedEntriesAreKeptApartFromCommands) {
  EXPECT_EQ(AfxFindMessageEntry(CDerivedProbe::Map(), WM_COMMAND, STN_CLICKED, 0), nullptr);
  EXPECT_NE(AfxFindMessageEntry(CDerivedProbe::Map(), WM_REFLECT_BASE + WM_COMMAND, STN_CLICKED, 0),
            nullptr);
  EXPECT_EQ(AfxFindMessageEntry(CBaseProbe::Map(), WM_REFLECT_BASE + WM_COMMAND, STN_CLICKED, 0),
            nullptr);
}

TEST(MessageThunk, MouseHandlerGetsSignedCoordinates) {
  CDerivedProbe probe;
  LRESULT result = 0;
  ASSERT_TRUE(probe.Dispatch(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, -300), &result));
  EXPECT_EQ(probe.m_flags, static_cast<UINT>(MK_LBUTTON));
  EXPECT_EQ(probe.m_point.x, -5);
  EXPECT_EQ(probe.m_point.y, -300);

  ASSERT_TRUE(probe.Dispatch(WM_MOUSEMOVE, 0, MAKELPARAM(32767, 1), &result));
  EXPECT_EQ(probe.m_point.x, 32767);
  EXPECT_EQ(probe.m_point.y, 1);
}

TEST(MessageThunk, ScrollHandlerGetsCodePositionAndBar) {
  CDerivedProbe probe;
  LRESULT result = 0;
  ASSERT_TRUE(probe.Dispatch(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 200), 0, &result));
  EXPECT_EQ(probe.m_code, static_cast<UINT>(TB_THUMBTRACK));
  EXPECT_EQ(probe.m_pos, 200u);
  EXPECT_EQ(probe.m_bar, nullptr);
}

// Hit-test codes are signed: HTERROR (-2) arrives when the user clicks a disabled window.
TEST(MessageThunk, SetCursorHandlerGetsSignedHitTestAndItsResultIsReturned) {
  CDerivedProbe probe;
  LRESULT result = 0;
  ASSERT_TRUE(probe.Dispatch(WM_SETCURSOR, 0, MAKELPARAM(HTERROR, WM_LBUTTONDOWN), &result));
  EXPECT_EQ(probe.m_hitTest, static_cast<UINT>(HTERROR));
  EXPECT_EQ(probe.m_mouseMessage, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(result, TRUE);

  ASSERT_TRUE(probe.Dispatch(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), &result));
  EXPECT_EQ(probe.m_hitTest, static_cast<UINT>(HTCLIENT));
}

TEST(MessageThunk, SysCommandAndQueryDragIconPassTheirValues) {
  CDerivedProbe probe;
  LRESULT result = 0;
  ASSERT_TRUE(probe.Dispatch(WM_SYSCOMMAND, SC_MINIMIZE, MAKELPARAM(7, 9), &result));
  EXPECT_EQ(probe.m_code, static_cast<UINT>(SC_MINIMIZE));
  EXPECT_EQ(probe.m_lParam, MAKELPARAM(7, 9));

  ASSERT_TRUE(probe.Dispatch(WM_QUERYDRAGICON, 0, 0, &result));
  EXPECT_EQ(result, reinterpret_cast<LRESULT>(probe.m_dragIcon));
}

// The reflected colour handler borrows the parent's DC: it must not delete it.
TEST(MessageThunk, ReflectedCtlColorGetsTheDcAndKindAndLeavesTheDcAlive) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  const HDC hdc = dc.GetSafeHdc();
  CDerivedProbe probe;
  const AFX_MSGMAP_ENTRY* entry =
      AfxFindMessageEntry(CDerivedProbe::Map(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
  ASSERT_NE(entry, nullptr);

  const LRESULT result = entry->pfn(&probe, reinterpret_cast<WPARAM>(hdc), CTLCOLOR_STATIC);
  EXPECT_EQ(result, reinterpret_cast<LRESULT>(probe.m_brush));
  EXPECT_EQ(probe.m_hdc, hdc);
  EXPECT_EQ(probe.m_ctlColor, static_cast<UINT>(CTLCOLOR_STATIC));
  EXPECT_EQ(::GetObjectType(hdc), static_cast<DWORD>(OBJ_MEMDC));
}
