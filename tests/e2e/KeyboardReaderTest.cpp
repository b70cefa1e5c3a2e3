// Chromivo.exe used as people who use no mouse, or a screen reader, use it: a colour typed,
// copied and a link opened with the keyboard alone, the About box included; and the controls'
// names and roles as another process reads them through the system's accessibility interface
// (oleacc), as far as Wine's proxies show them.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>

#include "RecordedLinksTest.h"
#include "fixtures/Clipboard.h"
#include "fixtures/Input.h"
#include "fixtures/Wait.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"

namespace {

class KeyboardReaderTest : public RecordedLinksTest {
 protected:
  // The control of that window that has the keyboard focus, by its id; 0 for none.
  static int FocusedId(HWND of) {
    const std::optional<ThreadFocus> focus = ThreadFocusOf(of);
    return focus && focus->focus != nullptr ? ::GetDlgCtrlID(focus->focus) : 0;
  }

  // Presses Tab until the control has the focus; false when a round of the window's tab stops
  // never reaches it.
  static bool TabTo(HWND of, int id) {
    for (int presses = 0; presses < 20; ++presses) {
      if (FocusedId(of) == id) {
        return true;
      }
      if (!PressKey(VK_TAB)) {
        return false;
      }
      const int before = FocusedId(of);
      WaitUntil([&] { return FocusedId(of) != before || before == id; }, 2000);
    }
    return FocusedId(of) == id;
  }
};

// A control's name and role as a screen reader in another process reads them.
struct ReadAloud {
  std::wstring name;
  LONG role = 0;
};

std::optional<ReadAloud> ReadThroughOleacc(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
    return std::nullopt;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  ReadAloud read;
  BSTR name = nullptr;
  if (SUCCEEDED(accessible->get_accName(self, &name)) && name != nullptr) {
    read.name = name;
    ::SysFreeString(name);
  }
  VARIANT role{};
  if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) {
    read.role = role.lVal;
  }
  accessible->Release();
  return read;
}

}  // namespace

TEST_F(KeyboardReaderTest, AColourTypedCopiedAndLinksOpenedWithTheKeyboardAlone) {
  BreakShellLinks(classes, quotedRecorder + " \"%1\"");
  ASSERT_TRUE(::SetForegroundWindow(window));
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }));
  EXPECT_EQ(FocusedId(window), IDC_KEEP_ON_TOP) << "the focus starts on the check box";

  // Tabbing into an edit selects its text, so typing replaces it.
  const std::pair<int, const char*> channels[] = {
      {IDC_RED_EDIT, "18"}, {IDC_GREEN_EDIT, "171"}, {IDC_BLUE_EDIT, "5"}};
  for (const auto& [edit, value] : channels) {
    ASSERT_TRUE(TabTo(window, edit)) << edit;
    ASSERT_TRUE(TypeText(value));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(window, edit) == value; })) << edit;
  }
  ASSERT_TRUE(WaitUntil([&] { return ControlText(window, IDC_HTML_TEXT) == "#12AB05"; }));

  ASSERT_TRUE(TabTo(window, IDC_COPY_HTML));
  const DWORD sequence = ::GetClipboardSequenceNumber();
  ASSERT_TRUE(PressKey(VK_SPACE));
  ASSERT_TRUE(WaitForClipboardChange(sequence));
  const std::optional<ClipboardContents> copied = ReadClipboard();
  ASSERT_TRUE(copied && copied->text);
  EXPECT_EQ(copied->text->text, "#12AB05");

  ASSERT_TRUE(TabTo(window, IDC_HOME_LINK));
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(record.WaitForLines(1)) << "Enter did not open the home page";
  EXPECT_EQ(record.Lines().at(0), quotedRecorder + "  http://chromivo.example/");

  ASSERT_TRUE(PressKey('A', kAlt));
  const HWND box = chromivo.WaitForWindow("About Chromivo");
  ASSERT_NE(box, nullptr) << "Alt+A did not open the About box";
  ASSERT_TRUE(TabTo(box, IDC_ABOUT_HOMEPAGE_LINK));
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(record.WaitForLines(2)) << "Enter did not open the About box's link";
  EXPECT_EQ(record.Lines().at(1), quotedRecorder + "  http://chromivo.example/index.htm");
  ASSERT_TRUE(PressKey(VK_ESCAPE));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); })) << "Esc did not close the box";
  EXPECT_TRUE(chromivo.IsRunning());
}

// What Wine's proxies show: a push button and the check box by their captions, an edit by the
// label just before it, which is its own channel's; every control Tab reaches has a name.
// (The names Chromivo gives through Dynamic Annotation are checked in-process: Wine 8 does not
// implement it.)
TEST_F(KeyboardReaderTest, AnotherProcessReadsEachControlByAName) {
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const std::pair<int, std::wstring> expected[] = {
      {IDC_KEEP_ON_TOP, L"Keep on top"},
      {IDC_SLORP, L"Slorp"},
      {IDC_SELECT_COLOR, L"Select"},
      {IDC_ABOUT, L"About"},
      {IDC_EXIT, L"Exit"},
      {IDC_RED_EDIT, L"R:"},
      {IDC_GREEN_EDIT, L"G:"},
      {IDC_BLUE_EDIT, L"B:"},
  };
  for (const auto& [id, name] : expected) {
    const std::optional<ReadAloud> read = ReadThroughOleacc(Control(window, id));
    ASSERT_TRUE(read) << "no accessible object for " << id;
    EXPECT_EQ(read->name, name) << id;
  }
  for (const int edit : {IDC_RED_EDIT, IDC_GREEN_EDIT, IDC_BLUE_EDIT}) {
    EXPECT_EQ(ReadThroughOleacc(Control(window, edit))->role, ROLE_SYSTEM_TEXT) << edit;
  }
  for (HWND control = ::GetWindow(window, GW_CHILD); control != nullptr;
       control = ::GetWindow(control, GW_HWNDNEXT)) {
    if ((::GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP) != 0) {
      const std::optional<ReadAloud> read = ReadThroughOleacc(control);
      EXPECT_TRUE(read && !read->name.empty()) << ::GetDlgCtrlID(control) << " has no name";
    }
  }
  ::CoUninitialize();
}
