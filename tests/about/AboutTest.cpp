// The About box in the test process, opened as the picker opens it.
#include <gtest/gtest.h>

#include "about/AboutDialog.h"
#include "picker/PickerDialog.h"
#include "res/resource.h"

namespace {

CWinApp testApplication;

struct Seen {
  HWND box = nullptr;
  bool visible = false;
  HWND owner = nullptr;
  bool ownerEnabled = true;
};
Seen seen;

// Runs from inside the box's modal loop: notes what is on the screen, then cancels the box.
void CALLBACK LookAtTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  seen.box = ::FindWindowA("#32770", "About Chromivo");
  if (seen.box != nullptr) {
    seen.visible = ::IsWindowVisible(seen.box) != FALSE;
    seen.owner = ::GetWindow(seen.box, GW_OWNER);
    seen.ownerEnabled = seen.owner == nullptr || ::IsWindowEnabled(seen.owner);
    ::PostMessageA(seen.box, WM_COMMAND, IDCANCEL, 0);
  }
}

}  // namespace

TEST(AboutBox, ModalRunShowsTheBoxAlthoughItsTemplateIsNotVisible) {
  seen = {};
  ::SetTimer(nullptr, 0, 100, LookAtTheBox);
  CAboutDialog about;
  EXPECT_EQ(about.DoModal(), IDCANCEL);
  EXPECT_NE(seen.box, nullptr);
  EXPECT_TRUE(seen.visible);
}

TEST(AboutBox, AboutButtonOpensTheBoxOverTheDisabledPicker) {
  CPickerDialog picker;
  ASSERT_TRUE(picker.Create());
  testApplication.m_pMainWnd = &picker;
  seen = {};
  ::SetTimer(nullptr, 0, 100, LookAtTheBox);
  ::SendMessageA(picker.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(picker.m_hWnd, IDC_ABOUT)));
  EXPECT_TRUE(seen.visible);
  EXPECT_EQ(seen.owner, picker.m_hWnd);
  EXPECT_FALSE(seen.ownerEnabled);
  EXPECT_TRUE(::IsWindowEnabled(picker.m_hWnd)) << "the picker is usable again once the box ends";
  testApplication.m_pMainWnd = nullptr;
  picker.DestroyWindow();
}
