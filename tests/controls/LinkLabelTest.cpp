// CLinkLabel on the real window system: labels attached to a test dialog's statics and driven
// with real mouse input, their colours read back from the screen; and the registry fallback that
// opens a link when the shell cannot, observed through the recorder program.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Associations.h"
#include "PreTranslatePump.h"
#include "LinkLabelTestIds.h"
#include "controls/LinkLabel.h"
#include "fixtures/Input.h"
#include "fixtures/Rect.h"
#include "fixtures/Wait.h"
#include "fixtures/WindowQuery.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kViolet = RGB(128, 0, 255);

// Opens the label's state and its opening of links to the tests.
class TestLabel : public CLinkLabel {
 public:
  using CLinkLabel::m_hovering;
  using CLinkLabel::m_link;
  using CLinkLabel::m_linkCursor;
  using CLinkLabel::OpenLink;
};

class LinkTestDialog : public CDialog {
 public:
  LinkTestDialog() : CDialog(IDD_LINK_TEST) {}

  TestLabel captioned;
  TestLabel empty;
  TestLabel hover;
  TestLabel noCursor;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_TEST_CAPTIONED, captioned);
    DDX_Control(pDX, IDC_TEST_EMPTY, empty);
    DDX_Control(pDX, IDC_TEST_HOVER, hover);
    DDX_Control(pDX, IDC_TEST_NO_CURSOR, noCursor);
  }
};

// Dispatches messages one at a time until the condition holds, so that it is seen before the
// messages that follow change it again.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
  for (int waited = 0; waited < timeoutMs; waited += 10) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      AfxTranslateAndDispatch(nullptr, &msg);
      if (condition()) {
        return true;
      }
    }
    if (condition()) {
      return true;
    }
    ::Sleep(10);
  }
  return condition();
}

// Puts the pointer on the label and waits until the label tracks it. A label asks the system
// where the pointer is when it starts tracking, and under Wine that answer can lag behind a move
// for a while (see fixtures/Input.h); the move is repeated, as a hand's small moves would be.
bool HoverOver(const TestLabel& label, POINT point) {
  for (int tries = 0; tries < 20; ++tries) {
    if (!MoveMouseTo(point)) {
      return false;
    }
    if (PumpUntil([&] { return label.m_hovering == TRUE; }, 250)) {
      return true;
    }
  }
  return false;
}

// Lets queued input reach the windows when there is nothing to wait for.
void Settle() {
  PumpFor(100, PumpThroughPreTranslate);
}

struct Colors {
  int blue = 0;
  int violet = 0;
};

// Counts the label's pixels that show exactly the link's two colours. They are read through the
// label's own DC, which shows a paint at once; Wine copies windows to the X screen later.
Colors ColorsOf(CLinkLabel& label) {
  CRect client;
  label.GetClientRect(client);
  CClientDC dc(&label);
  Colors colors;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      const COLORREF pixel = dc.GetPixel(x, y);
      colors.blue += pixel == kBlue;
      colors.violet += pixel == kViolet;
    }
  }
  return colors;
}

class LinkLabelTest : public testing::Test {
 protected:
  void SetUp() override {
    dialog = std::make_unique<LinkTestDialog>();
    dialog->empty.SetLink("http://empty.example/shown", hand);
    dialog->hover.SetLink("http://hover.example/", hand);
    dialog->noCursor.SetLink("http://nocursor.example/", nullptr);
    ASSERT_TRUE(dialog->Create());
    ::SetForegroundWindow(dialog->m_hWnd);
    // The pointer starts on the dialog, clear of every label.
    RECT box{};
    ::GetWindowRect(dialog->m_hWnd, &box);
    ASSERT_TRUE(MoveMouseTo({box.right - 10, box.bottom - 10}));
    Settle();
  }
  void TearDown() override {
    dialog.reset();
    PumpThroughPreTranslate();
  }

  const HCURSOR hand = ::LoadCursor(nullptr, IDC_HAND);
  std::unique_ptr<LinkTestDialog> dialog;
};

}  // namespace

TEST_F(LinkLabelTest, CaptionAndAddressStandInForEachOther) {
  EXPECT_STREQ(dialog->captioned.m_link, "http://caption.example/own");
  EXPECT_EQ(TextOf(dialog->captioned), "http://caption.example/own");
  EXPECT_EQ(TextOf(dialog->empty), "http://empty.example/shown");
  EXPECT_EQ(TextOf(dialog->hover), "Hover here");
  EXPECT_STREQ(dialog->hover.m_link, "http://hover.example/");
  for (const TestLabel* label : {&dialog->captioned, &dialog->empty, &dialog->hover}) {
    EXPECT_TRUE(label->GetStyle() & SS_NOTIFY) << "a static without it never sees the mouse";
  }

  // A link set later changes the address and the cursor, not the caption.
  dialog->captioned.SetLink("http://other.example/", hand);
  EXPECT_STREQ(dialog->captioned.m_link, "http://other.example/");
  EXPECT_EQ(dialog->captioned.m_linkCursor, hand);
  EXPECT_EQ(TextOf(dialog->captioned), "http://caption.example/own");
}

TEST_F(LinkLabelTest, TextIsUnderlinedInAFontOfItsOwnThatGoesWithTheLabel) {
  const auto fontOf = [](HWND window) {
    return reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
  };
  const HFONT dialogFont = fontOf(dialog->m_hWnd);
  const HFONT labelFont = fontOf(dialog->hover);
  ASSERT_NE(labelFont, nullptr);
  ASSERT_NE(labelFont, dialogFont);
  EXPECT_NE(fontOf(dialog->captioned), labelFont) << "each label owns its copy";

  LOGFONTA dialogLook{};
  LOGFONTA labelLook{};
  ASSERT_EQ(::GetObjectA(dialogFont, sizeof(dialogLook), &dialogLook), int{sizeof(dialogLook)});
  ASSERT_EQ(::GetObjectA(labelFont, sizeof(labelLook), &labelLook), int{sizeof(labelLook)});
  EXPECT_TRUE(labelLook.lfUnderline);
  EXPECT_FALSE(dialogLook.lfUnderline);
  EXPECT_EQ(labelLook.lfHeight, dialogLook.lfHeight);
  EXPECT_EQ(labelLook.lfWeight, dialogLook.lfWeight);
  EXPECT_STREQ(labelLook.lfFaceName, dialogLook.lfFaceName);

  dialog.reset();
  EXPECT_EQ(::GetObjectType(labelFont), 0u) << "the label's font outlived the label";
}

TEST_F(LinkLabelTest, HoverTurnsVioletUntilThePointerLeavesTheLabelAndNeverTakesTheMouse) {
  TestLabel& label = dialog->hover;
  RECT rect{};
  ::GetWindowRect(label, &rect);
  ASSERT_TRUE(PumpUntil([&] { return ColorsOf(label).blue > 0; })) << "not drawn in blue";
  EXPECT_EQ(ColorsOf(label).violet, 0);

  ASSERT_TRUE(HoverOver(label, {rect.left + 3, rect.top + 3}));
  EXPECT_EQ(::GetCapture(), nullptr);
  const Colors hovered = ColorsOf(label);
  EXPECT_GT(hovered.violet, 0);
  EXPECT_EQ(hovered.blue, 0);
  CURSORINFO cursor{};
  cursor.cbSize = sizeof(cursor);
  ASSERT_TRUE(::GetCursorInfo(&cursor));
  EXPECT_EQ(cursor.hCursor, hand);

  ASSERT_TRUE(MoveMouseTo({rect.right + 10, rect.top + 3}));
  ASSERT_TRUE(PumpUntil([&] { return label.m_hovering == FALSE; }));
  const Colors left = ColorsOf(label);
  EXPECT_GT(left.blue, 0);
  EXPECT_EQ(left.violet, 0);
}

TEST_F(LinkLabelTest, ClickOpensTheCaptionOfALabelNeverGivenALinkAndLeavesItAsItIs) {
  // The shell opens http addresses with the recorder, so the click's address can be read.
  ScopedClasses classes;
  LinkRecord record;
  const std::string recorder = Quoted(RecorderPath());
  classes.SetDefault("http\\shell\\open\\command", recorder + " --shell \"%1\"");

  TestLabel& label = dialog->captioned;
  const POINT centre = CentreOf(WindowRectOnScreen(label));
  ASSERT_TRUE(HoverOver(label, centre));
  ASSERT_TRUE(PumpUntil([&] { return ColorsOf(label).violet > 0; }));

  // Idle again, but not repainted. Seen at once: under Wine the pointer's X11 motion events come
  // back as moves after the click, and the next move starts hovering afresh.
  ASSERT_TRUE(Click(centre));
  ASSERT_TRUE(PumpUntil([&] { return label.m_hovering == FALSE; }));
  const Colors clicked = ColorsOf(label);
  EXPECT_GT(clicked.violet, 0);
  EXPECT_EQ(clicked.blue, 0);
  ASSERT_TRUE(record.WaitForLines(1, PumpThroughPreTranslate));
  EXPECT_EQ(record.Lines().at(0), recorder + " --shell \"http://caption.example/own\"");
}

// The label's pixels, read through its own DC, row by row.
std::vector<COLORREF> PixelsOf(CLinkLabel& label) {
  CRect client;
  label.GetClientRect(client);
  CClientDC dc(&label);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      pixels.push_back(dc.GetPixel(x, y));
    }
  }
  return pixels;
}

// From the keyboard: focused, the label shows a rectangle around its text and changes nothing
// else; Enter and Space each open its link; with the focus gone, nothing of the rectangle stays.
TEST_F(LinkLabelTest, FocusedItShowsAFocusRectangleAroundItsTextAndEnterOrSpaceOpensIt) {
  ScopedClasses classes;
  LinkRecord record;
  const std::string recorder = Quoted(RecorderPath());
  classes.SetDefault("http\\shell\\open\\command", recorder + " --shell \"%1\"");
  TestLabel& label = dialog->hover;
  ASSERT_TRUE(PumpUntil([&] { return ColorsOf(label).blue > 0; }));
  const std::vector<COLORREF> unfocused = PixelsOf(label);

  // Focus cues show once the keyboard is used, as after a Tab.
  ::SendMessageA(dialog->m_hWnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  ::SetFocus(label);
  ASSERT_TRUE(PumpUntil([&] { return PixelsOf(label) != unfocused; })) << "no focus rectangle";
  const std::vector<COLORREF> focused = PixelsOf(label);
  CRect client;
  label.GetClientRect(client);
  RECT changed{client.right, client.bottom, -1, -1};
  RECT text{client.right, client.bottom, -1, -1};
  const auto widen = [](RECT& box, int x, int y) {
    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
           std::max<LONG>(box.bottom, y)};
  };
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      const size_t at = static_cast<size_t>(y * client.right + x);
      if (focused[at] != unfocused[at]) {
        widen(changed, x, y);
      }
      if (unfocused[at] == kBlue) {
        widen(text, x, y);
      }
    }
  }
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      const size_t at = static_cast<size_t>(y * client.right + x);
      const bool onOutline =
          (x == changed.left || x == changed.right || y == changed.top || y == changed.bottom);
      EXPECT_TRUE(focused[at] == unfocused[at] || onOutline)
          << "changed inside at " << x << "," << y;
    }
  }
  // Around the text, as far as the label reaches.
  EXPECT_LE(changed.left, text.left);
  EXPECT_GE(changed.right, text.right);
  EXPECT_LE(changed.top, text.top);
  EXPECT_GE(changed.bottom, text.bottom);

  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(record.WaitForLines(1, PumpThroughPreTranslate)) << "Enter did not open the link";
  ASSERT_TRUE(PressKey(VK_SPACE));
  ASSERT_TRUE(record.WaitForLines(2, PumpThroughPreTranslate)) << "Space did not open the link";
  for (const std::string& line : record.Lines()) {
    EXPECT_EQ(line, recorder + " --shell \"http://hover.example/\"");
  }
  EXPECT_TRUE(::IsWindow(dialog->m_hWnd)) << "Enter on the link went to the dialog";

  ::SetFocus(dialog->captioned);
  EXPECT_TRUE(PumpUntil([&] { return PixelsOf(label) == unfocused; }))
      << "the focus rectangle stayed";
}

// A tap, or a press whose move comes with it, right after a link was clicked: the press belongs
// to the window under the pointer, never to the link just clicked.
TEST_F(LinkLabelTest, APressElsewhereRightAfterAClickReachesTheWindowUnderThePointer) {
  ScopedClasses classes;
  LinkRecord record;
  const std::string recorder = Quoted(RecorderPath());
  classes.SetDefault("http\\shell\\open\\command", recorder + " --shell \"%1\"");

  const POINT hoverCentre = CentreOf(WindowRectOnScreen(dialog->hover));
  ASSERT_TRUE(HoverOver(dialog->hover, hoverCentre));
  ASSERT_TRUE(Click(hoverCentre));
  ASSERT_TRUE(PumpUntil([&] { return dialog->hover.m_hovering == FALSE; }));
  ASSERT_TRUE(Click(CentreOf(WindowRectOnScreen(dialog->captioned))));
  ASSERT_TRUE(record.WaitForLines(2, PumpThroughPreTranslate));
  // Each opening starts a recorder of its own, and the two may write in either order.
  std::vector<std::string> lines = record.Lines();
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{recorder + " --shell \"http://caption.example/own\"",
                                             recorder + " --shell \"http://hover.example/\""}));
  EXPECT_TRUE(PumpUntil([&] { return ColorsOf(dialog->hover).blue > 0; }));
}

TEST_F(LinkLabelTest, DialogGetsTheLabelsOwnColorsOnATransparentBackground) {
  CClientDC screen(nullptr);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  TestLabel& label = dialog->hover;
  const auto askDialog = [&] {
    return reinterpret_cast<HGDIOBJ>(::SendMessageA(dialog->m_hWnd, WM_CTLCOLORSTATIC,
                                                    reinterpret_cast<WPARAM>(dc.m_hDC),
                                                    reinterpret_cast<LPARAM>(label.m_hWnd)));
  };
  EXPECT_EQ(askDialog(), ::GetStockObject(NULL_BRUSH));
  EXPECT_EQ(::GetTextColor(dc), kBlue);
  EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
  label.m_hovering = TRUE;
  EXPECT_EQ(askDialog(), ::GetStockObject(NULL_BRUSH));
  EXPECT_EQ(::GetTextColor(dc), kViolet);
  label.m_hovering = FALSE;
}

TEST_F(LinkLabelTest, HandCursorOverALinkAndNoCursorLeavesTheCursorAlone) {
  const auto setCursor = [](HWND label) {
    return ::SendMessageA(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  };
  const HCURSOR cross = ::LoadCursor(nullptr, IDC_CROSS);
  ::SetCursor(cross);
  EXPECT_EQ(setCursor(dialog->hover), TRUE);
  EXPECT_EQ(::GetCursor(), hand);

  // Default processing would have asked the dialog, which shows its arrow.
  ::SetCursor(cross);
  EXPECT_EQ(setCursor(dialog->noCursor), FALSE);
  EXPECT_EQ(::GetCursor(), cross);
}

namespace {

constexpr char kAddress[] = "http://chromivo.example/";

// OpenLink without a window, with the shell unable to open http addresses.
class LinkFallbackTest : public testing::Test {
 protected:
  int ShellResult(const std::string& address) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNOACTIVATE)));
  }
  int Open(const std::string& address) {
    return label.OpenLink(address.c_str(), SW_SHOWNOACTIVATE);
  }
  // Starts the recorder directly and waits for its line: whatever a failed attempt might have
  // started before it would have written first.
  void ExpectNothingStartedSince(size_t linesBefore) {
    ::WinExec((recorder + " --marker").c_str(), SW_HIDE);
    ASSERT_TRUE(record.WaitForLines(linesBefore + 1));
    EXPECT_EQ(record.Lines().back(), recorder + " --marker");
    EXPECT_EQ(record.Lines().size(), linesBefore + 1);
  }

  ScopedClasses classes;
  LinkRecord record;
  TestLabel label;
  const std::string recorder = Quoted(RecorderPath());
  const std::string pageCommandKey = std::string(kTestPageType) + "\\shell\\open\\command";
};

}  // namespace

TEST_F(LinkFallbackTest, GivesUpOnAMissingOrUnusableAssociation) {
  const std::string association = recorder + " \"%1\"";
  struct Damage {
    const char* what;
    std::function<void()> apply;
  };
  const Damage damages[] = {
      {"no .htm key", [&] { classes.RemoveKey(".htm"); }},
      {"no file type for .htm", [&] { classes.RemoveDefault(".htm"); }},
      {"no open command key", [&] { classes.RemoveKey(pageCommandKey); }},
      {"no open command", [&] { classes.RemoveDefault(pageCommandKey); }},
      {"an open command without its NUL",
       [&] { classes.SetDefaultRaw(pageCommandKey, REG_BINARY, association); }},
  };
  BreakShellLinks(classes, association);
  const int shell = ShellResult(kAddress);
  ASSERT_LE(shell, 32) << "the shell can still open http addresses";
  ASSERT_GT(Open(kAddress), 32) << "the undamaged association must work";
  ASSERT_TRUE(record.WaitForLines(1));
  EXPECT_EQ(record.Lines().at(0), recorder + "  " + kAddress);

  for (const Damage& damage : damages) {
    BreakShellLinks(classes, association);
    damage.apply();
    EXPECT_EQ(Open(kAddress), shell) << damage.what;
  }
  ExpectNothingStartedSince(1);
}

TEST_F(LinkFallbackTest, GivesUpOnAnAssociationOrCommandLineTooLongForItsBuffer) {
  // An association of 260 bytes with its NUL is read; one of 261 is not.
  const auto associationOf = [&](size_t bytes) {
    const std::string ends = recorder + " ";
    return ends + std::string(bytes - 1 - ends.size() - 5, 'a') + " \"%1\"";
  };
  BreakShellLinks(classes, associationOf(260));
  EXPECT_GT(Open(kAddress), 32);
  ASSERT_TRUE(record.WaitForLines(1));
  EXPECT_EQ(record.Lines().at(0), associationOf(260).substr(0, 259 - 4) + " " + kAddress);
  BreakShellLinks(classes, associationOf(261));
  EXPECT_EQ(Open(kAddress), ShellResult(kAddress));

  // A command line of 519 characters and its NUL is built; one of 520 is not.
  const std::string command = recorder + " --whole";
  BreakShellLinks(classes, command);
  const auto addressFor = [&](size_t lineLength) {
    return std::string(kAddress) + std::string(lineLength - command.size() - 1 - 24, 'p');
  };
  EXPECT_GT(Open(addressFor(519)), 32);
  ASSERT_TRUE(record.WaitForLines(2));
  EXPECT_EQ(record.Lines().at(1), command + " " + addressFor(519));
  EXPECT_EQ(Open(addressFor(520)), ShellResult(addressFor(520)));
  ExpectNothingStartedSince(2);
}
