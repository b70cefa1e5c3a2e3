// The resources as the resource compiler built them into the program under test (either build):
// the two dialog templates control by control, the icon, the cursors and the manifest.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DialogTemplate.h"
#include "fixtures/ChromivoProcess.h"
#include "res/links.h"
#include "res/resource.h"

namespace {

constexpr DWORD kPushButton = 0x50010000;
constexpr DWORD kLabel = 0x50020000;
constexpr DWORD kLink = 0x50030000;
constexpr DWORD kCheckBox = 0x50012003;
constexpr DWORD kValueEdit = 0x50012081;
constexpr DWORD kUpDown = 0x50000123;
constexpr DWORD kSlider = 0x50010018;

struct ExpectedItem {
  DWORD id;
  const char* windowClass;
  DWORD style;
  DWORD exStyle;
  const char* text;
  short x, y, cx, cy;
};

// The main window's controls in z-order, which is the tab order: from the check box, where the
// focus starts, the option and button rows, then the colour texts with their Copy buttons, the
// channel edits (each after its label) and the sliders.
const ExpectedItem kMainControls[] = {
    {1017, "button", kCheckBox, 0, "&Keep on top", 3, 78, 62, 8},
    {1018, "static", kLabel, 0, "Hot Key: Ctrl + Num -", 79, 78, 82, 8},
    {1039, "static", kLabel, 0, "Current Color:", 167, 78, 52, 8},
    {1001, "button", kPushButton, WS_EX_STATICEDGE, "&Slorp", 1, 89, 32, 12},
    {1008, "button", kPushButton, WS_EX_STATICEDGE, "S&elect", 41, 89, 32, 12},
    {1002, "button", kPushButton, WS_EX_STATICEDGE, "&About", 81, 89, 32, 12},
    {1003, "button", kPushButton, WS_EX_STATICEDGE, "E&xit", 121, 89, 32, 12},
    {1040, "static", kLink, 0, CHROMIVO_PAGES_FOLDER, 165, 90, 96, 8},
    {1012, "static", kLabel, 0, "C++ Color:", 3, 5, 56, 8},
    {1019, "static", kLabel, 0, "0xFFFFFF", 5, 16, 64, 8},
    {1006, "button", kPushButton, WS_EX_STATICEDGE, "Copy", 74, 14, 32, 12},
    {1014, "static", kLabel, 0, "HTML Color:", 3, 29, 56, 8},
    {1020, "static", kLabel, 0, "#FFFFFF", 5, 40, 64, 8},
    {1010, "button", kPushButton, WS_EX_STATICEDGE, "Copy", 74, 38, 32, 12},
    {1013, "static", kLabel, 0, "RGB Color:", 3, 53, 56, 8},
    {1021, "static", kLabel, 0, "RGB(255,255,255)", 5, 63, 64, 8},
    {1007, "button", kPushButton, WS_EX_STATICEDGE, "Copy", 74, 61, 32, 12},
    {1024, "static", kLabel, 0, "R:", 115, 16, 14, 8},
    {1027, "edit", kValueEdit, WS_EX_STATICEDGE, "", 129, 14, 17, 12},
    {1033, "msctls_updown32", kUpDown, 0, "Spin1", 148, 13, 11, 14},
    {1025, "static", kLabel, 0, "G:", 115, 40, 14, 8},
    {1028, "edit", kValueEdit, WS_EX_STATICEDGE, "", 129, 38, 17, 12},
    {1034, "msctls_updown32", kUpDown, 0, "Spin1", 148, 37, 11, 14},
    {1026, "static", kLabel, 0, "B:", 115, 63, 14, 8},
    {1029, "edit", kValueEdit, WS_EX_STATICEDGE, "", 129, 61, 17, 12},
    {1035, "msctls_updown32", kUpDown, 0, "Spin1", 148, 60, 11, 14},
    {1036, "msctls_trackbar32", kSlider, 0, "Slider1", 164, 16, 100, 9},
    {1037, "msctls_trackbar32", kSlider, 0, "Slider1", 164, 40, 100, 9},
    {1038, "msctls_trackbar32", kSlider, 0, "Slider1", 164, 63, 100, 9},
};

constexpr DWORD kAboutLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;

// The About box's controls in z-order: OK, where the focus starts, then its four links are the
// tab stops. Positions are replaced at run time, so not compared.
const ExpectedItem kAboutControls[] = {
    {1014, "static", WS_CHILD | WS_VISIBLE | SS_ICON, 0, "#128", 0, 0, 0, 0},
    {1015, "static", kAboutLabel | SS_NOPREFIX, 0, "Chromivo Version 2.0", 0, 0, 0, 0},
    {1016, "static", kAboutLabel, 0, "Copyright (C) 2026 Chromivo contributors", 0, 0, 0, 0},
    {1017, "static", kAboutLabel | SS_NOPREFIX, 0, "All rights reserved.", 0, 0, 0, 0},
    {1041, "button", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, "", 0, 0, 0, 0},
    {1010, "button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, WS_EX_STATICEDGE, "OK", 0,
     0, 0, 0},
    {1043, "static", kLink, 0, "Chromivo Homepage", 0, 0, 0, 0},
    {1044, "static", kLink, 0, "Refer to Your Friends", 0, 0, 0, 0},
    {1045, "static", kLink, 0, "Chromivo FAQ Page", 0, 0, 0, 0},
    {1047, "static", kLink, 0, "Support and Contact", 0, 0, 0, 0},
};

void ExpectItem(const TemplateItem& actual, const ExpectedItem& expected, bool withPosition) {
  SCOPED_TRACE(testing::Message() << "control " << expected.id);
  EXPECT_EQ(actual.id, expected.id);
  EXPECT_EQ(actual.windowClass, expected.windowClass);
  EXPECT_EQ(actual.style, expected.style) << std::hex << actual.style;
  EXPECT_EQ(actual.exStyle, expected.exStyle) << std::hex << actual.exStyle;
  EXPECT_EQ(actual.text, expected.text);
  if (withPosition) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.cx, expected.cx);
    EXPECT_EQ(actual.cy, expected.cy);
  }
}

void ExpectUniqueIds(const DialogTemplate& dialog) {
  std::set<DWORD> ids;
  for (const TemplateItem& item : dialog.items) {
    EXPECT_TRUE(ids.insert(item.id).second) << "id " << item.id << " is used twice";
  }
}

POINT HotSpot(HCURSOR cursor) {
  ICONINFO info{};
  if (!::GetIconInfo(cursor, &info)) {
    return {-1, -1};
  }
  ::DeleteObject(info.hbmMask);
  if (info.hbmColor) {
    ::DeleteObject(info.hbmColor);
  }
  return {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
}

// The program's file, mapped for its resources only: nothing of it runs, and a 32-bit program
// reads the same as a 64-bit one.
class Resources : public testing::Test {
 protected:
  void SetUp() override {
    module = ::LoadLibraryExA(ChromivoExePath().c_str(), nullptr,
                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << "cannot read " << ChromivoExePath();
  }
  void TearDown() override {
    if (module != nullptr) {
      ::FreeLibrary(module);
    }
  }

  HMODULE module = nullptr;
};

}  // namespace

TEST_F(Resources, MainWindowTemplate) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialogTemplate(module, IDD_CHROMIVO_DIALOG, &dialog));
  EXPECT_EQ(dialog.style, 0x90CA00C0u) << std::hex << dialog.style;
  EXPECT_EQ(dialog.exStyle, 0x00040000u) << std::hex << dialog.exStyle;
  EXPECT_EQ(dialog.x, 0);
  EXPECT_EQ(dialog.y, 0);
  EXPECT_EQ(dialog.cx, 265);
  EXPECT_EQ(dialog.cy, 103);
  EXPECT_EQ(dialog.menu, "");
  EXPECT_EQ(dialog.windowClass, "");
  EXPECT_EQ(dialog.caption, "Chromivo");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.typeface, "MS Sans Serif");
  EXPECT_EQ(dialog.italic, 0);
  ASSERT_EQ(dialog.items.size(), std::size(kMainControls));
  for (size_t i = 0; i < dialog.items.size(); ++i) {
    ExpectItem(dialog.items[i], kMainControls[i], true);
  }
  ExpectUniqueIds(dialog);
}

TEST_F(Resources, AboutBoxTemplate) {
  DialogTemplate dialog;
  ASSERT_TRUE(LoadDialogTemplate(module, IDD_ABOUTBOX, &dialog));
  EXPECT_EQ(dialog.style,
            static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT))
      << std::hex << dialog.style;
  EXPECT_EQ(dialog.caption, "About Chromivo");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.typeface, "MS Sans Serif");
  ASSERT_EQ(dialog.items.size(), std::size(kAboutControls));
  for (size_t i = 0; i < dialog.items.size(); ++i) {
    ExpectItem(dialog.items[i], kAboutControls[i], false);
  }
  ExpectUniqueIds(dialog);
}

TEST_F(Resources, IconIsOne32By32Image) {
  const HRSRC group = ::FindResourceA(module, MAKEINTRESOURCEA(IDR_MAINFRAME), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* header = static_cast<const WORD*>(::LockResource(::LoadResource(module, group)));
  ASSERT_EQ(header[2], 1) << "images in the icon";
  const auto* entry = reinterpret_cast<const BYTE*>(header + 3);
  EXPECT_EQ(entry[0], 32);
  EXPECT_EQ(entry[1], 32);
}

TEST_F(Resources, CursorsHaveTheirHotSpots) {
  const POINT target = HotSpot(::LoadCursorA(module, IDC_TARGET_CURSOR_NAME));
  EXPECT_EQ(target.x, 11);
  EXPECT_EQ(target.y, 8);
  const POINT hand = HotSpot(::LoadCursorA(module, MAKEINTRESOURCEA(IDC_HAND_CURSOR)));
  EXPECT_EQ(hand.x, 7);
  EXPECT_EQ(hand.y, 2);
}

TEST_F(Resources, ManifestAsksForCommonControlsSixAndDpiAwarenessAndNamesTheWindowsItWasMadeFor) {
  const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const std::string manifest(
      static_cast<const char*>(::LockResource(::LoadResource(module, found))),
      ::SizeofResource(module, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find("<dpiAware>true</dpiAware>"), std::string::npos);
  // Under Wine this and system awareness both report per-monitor awareness: only the manifest
  // tells them apart.
  EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                          "WindowsSettings\">PerMonitorV2</dpiAwareness>"),
            std::string::npos);
  // Windows 10 and 11, 8.1, 8 and 7, as "Application manifests" names them.
  for (const char* windows :
       {"8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
        "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "35138b9a-5d96-4fbd-8e2d-a2440225f93a"}) {
    EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + windows + "}\"/>"),
              std::string::npos)
        << windows;
  }
}
