#include "PickerFixture.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fixtures/Input.h"
#include "fixtures/Wait.h"
#include "fixtures/WindowQuery.h"
#include "res/resource.h"

namespace {

// The picker loads its icon through the application object, as in the program.
CWinApp testApplication;

constexpr UINT_PTR kLogSubclassId = 0x7E57;

}  // namespace

MessageLog::MessageLog(HWND window, std::vector<UINT> swallowed)
    : m_window(window), m_swallowed(std::move(swallowed)) {
  ::SetWindowSubclass(m_window, Record, kLogSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

MessageLog::~MessageLog() {
  ::RemoveWindowSubclass(m_window, Record, kLogSubclassId);
}

LRESULT CALLBACK MessageLog::Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR self) {
  MessageLog* log = reinterpret_cast<MessageLog*>(self);
  Entry entry{message, wParam, {}};
  // Subclass procedures get every message in its Unicode form, whatever the sender used.
  if (message == WM_SETTEXT && lParam != 0) {
    char text[256] = {};
    ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(lParam), -1, text,
                          sizeof(text) - 1, nullptr, nullptr);
    entry.text = text;
  }
  log->m_entries.push_back(std::move(entry));
  if (std::find(log->m_swallowed.begin(), log->m_swallowed.end(), message) !=
      log->m_swallowed.end()) {
    return 0;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

int MessageLog::Count(UINT message) const {
  return static_cast<int>(
      std::count_if(m_entries.begin(), m_entries.end(),
                    [message](const Entry& e) { return e.message == message; }));
}

std::vector<std::string> MessageLog::TextsSet() const {
  std::vector<std::string> texts;
  for (const Entry& entry : m_entries) {
    if (entry.message == WM_SETTEXT) {
      texts.push_back(entry.text);
    }
  }
  return texts;
}

void PickerTest::SetUp() {
  ASSERT_TRUE(dialog.Create()) << "the picker window could not be created";
  Pump();
}

void PickerTest::TearDown() {
  ::UnregisterHotKey(dialog.m_hWnd, PICK_HOTKEY_ID);
  dialog.DestroyWindow();
  Pump();
}

void PickerTest::Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
      m_lastMousePoint = msg.pt;
    }
    AfxTranslateAndDispatch(dialog.m_hWnd, &msg);
  }
}

bool PickerTest::PumpUntil(const std::function<bool()>& condition, int milliseconds) {
  return WaitUntil(condition, static_cast<DWORD>(milliseconds), [this] { Pump(); });
}

std::string PickerTest::Text(int id) const {
  return TextOf(Control(id));
}

void PickerTest::SetText(int id, const char* text) {
  ::SetWindowTextA(Control(id), text);
}

int PickerTest::SliderPos(int id) const {
  return static_cast<int>(::SendMessageA(Control(id), TBM_GETPOS, 0, 0));
}

RECT PickerTest::ControlRect(int id) const {
  return RectInParentClient(Control(id));
}

void PickerTest::PressKey(int id, WPARAM virtualKey) {
  const HWND target = Control(id);
  ::SetFocus(target);
  ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
  ::PostMessageA(target, WM_KEYUP, virtualKey, 0xC0000001);
  Pump();
}

void PickerTest::ClickButton(int id) {
  ::SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
}

void PickerTest::MoveMouse(int id, POINT point) {
  ::ClientToScreen(Control(id), &point);
  MoveMouseOnScreen(point);
}

void PickerTest::MoveMouseOnScreen(POINT point) {
  m_mouseOnScreen = point;
  // Under Wine a move can be followed, some milliseconds later, by a mouse message from where the
  // cursor was before (the desktop's echo of its own pointer warp). The move is sent again until
  // the last mouse message this thread handled has been at the point for a while. The while is
  // measured in time, not in polls: a poll comes early whenever any message arrives.
  constexpr ULONGLONG kSettleMs = 30;
  ULONGLONG atPointSince = 0;  // 0: the last mouse message was elsewhere
  const auto settled = [this, &atPointSince, &point] {
    if (m_lastMousePoint.x != point.x || m_lastMousePoint.y != point.y) {
      atPointSince = 0;
      return false;
    }
    const ULONGLONG now = ::GetTickCount64();
    if (atPointSince == 0) {
      atPointSince = now;
    }
    return now - atPointSince >= kSettleMs;
  };
  bool there = false;
  for (int attempt = 0; attempt < 5 && !there; ++attempt) {
    EXPECT_TRUE(MoveMouseTo(point));
    atPointSince = 0;
    there = PumpUntil(settled, 300);
  }
  EXPECT_TRUE(there) << "the mouse did not stay at " << point.x << "," << point.y;
}

// The press or release carries the point itself (as all the fixtures' mouse events do), so that
// it lands there even if the cursor was pulled away in between. The member function hides the
// fixtures' MouseButton, hence ::MouseButton.
void PickerTest::MouseButton(DWORD mouseEventFlag) {
  bool sent = false;
  switch (mouseEventFlag) {
    case MOUSEEVENTF_LEFTDOWN:
      sent = PressMouse(m_mouseOnScreen, ::MouseButton::kLeft);
      break;
    case MOUSEEVENTF_LEFTUP:
      sent = ReleaseMouse(m_mouseOnScreen, ::MouseButton::kLeft);
      break;
    case MOUSEEVENTF_RIGHTDOWN:
      sent = PressMouse(m_mouseOnScreen, ::MouseButton::kRight);
      break;
    case MOUSEEVENTF_RIGHTUP:
      sent = ReleaseMouse(m_mouseOnScreen, ::MouseButton::kRight);
      break;
    default:
      ADD_FAILURE() << "not a button press or release: " << mouseEventFlag;
      return;
  }
  EXPECT_TRUE(sent);
  Pump();
}

void PickerTest::Click(int id, POINT point) {
  MoveMouse(id, point);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
}

void PickerTest::RightClick(int id, POINT point) {
  MoveMouse(id, point);
  MouseButton(MOUSEEVENTF_RIGHTDOWN);
  MouseButton(MOUSEEVENTF_RIGHTUP);
}

void PickerTest::TypeKey(WORD virtualKey) {
  ::SetForegroundWindow(dialog.m_hWnd);
  EXPECT_TRUE(KeyDown(virtualKey));
  Pump();
  EXPECT_TRUE(KeyUp(virtualKey));
  Pump();
}

void PickerTest::PutOnClipboard(const char* text) {
  const size_t size = std::strlen(text) + 1;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  ASSERT_NE(block, nullptr);
  void* memory = ::GlobalLock(block);
  ASSERT_NE(memory, nullptr);
  std::memcpy(memory, text, size);
  ::GlobalUnlock(block);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  if (::SetClipboardData(CF_TEXT, block) == nullptr) {
    ::GlobalFree(block);  // the clipboard took nothing
  }
  ::CloseClipboard();
}

testing::AssertionResult PickerTest::ShowsColor(COLORREF color) const {
  const std::string shown[] = {Text(IDC_HEX_TEXT), Text(IDC_HTML_TEXT), Text(IDC_RGB_TEXT)};
  const std::string expected[] = {HexTextOf(color), HtmlTextOf(color), RgbTextOf(color)};
  for (int i = 0; i < 3; ++i) {
    if (shown[i] != expected[i]) {
      return testing::AssertionFailure() << "text shows " << shown[i] << ", not " << expected[i];
    }
  }
  const int sliders[] = {SliderPos(IDC_RED_SLIDER), SliderPos(IDC_GREEN_SLIDER),
                         SliderPos(IDC_BLUE_SLIDER)};
  if (sliders[0] != GetRValue(color) || sliders[1] != GetGValue(color) ||
      sliders[2] != GetBValue(color)) {
    return testing::AssertionFailure() << "sliders stand at " << sliders[0] << "," << sliders[1]
                                       << "," << sliders[2] << ", not at " << RgbTextOf(color);
  }
  if (dialog.m_color != color) {
    return testing::AssertionFailure()
           << "m_color is " << RgbTextOf(dialog.m_color) << ", not " << RgbTextOf(color);
  }
  return testing::AssertionSuccess();
}

RECT PickerTest::Swatch() const {
  RECT client;
  ::GetClientRect(dialog.m_hWnd, &client);
  return SwatchInClient(client, m_dpi);
}

void PickerTest::ChangeDpi(int dpi) {
  RECT window;
  ::GetWindowRect(dialog.m_hWnd, &window);
  ::SendMessageA(dialog.m_hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&window));
  m_dpi = dpi;
  Pump();
}

// Painting reaches the screen once the thread's queue runs dry and the X server has drawn it,
// not when UpdateWindow returns; on a busy machine a capture taken at once can still show the
// colour before. The swatch is read until it shows the colour or the time is up.
testing::AssertionResult PickerTest::SwatchShows(COLORREF color) {
  return SwatchShows([color] { return color; });
}

testing::AssertionResult PickerTest::SwatchShows(const std::function<COLORREF()>& expected) {
  ::UpdateWindow(dialog.m_hWnd);
  const RECT swatch = Swatch();
  std::string wrong;
  const auto showsColor = [&] {
    const ClientImage image = CaptureClient();
    const COLORREF color = expected();
    for (int y = swatch.top + 1; y < swatch.bottom - 1; ++y) {
      for (int x = swatch.left + 1; x < swatch.right - 1; ++x) {
        if (image.At(x, y) != color) {
          wrong = "swatch pixel " + std::to_string(x) + "," + std::to_string(y) + " is " +
                  RgbTextOf(image.At(x, y)) + ", not " + RgbTextOf(color);
          return false;
        }
      }
    }
    return true;
  };
  if (PumpUntil(showsColor)) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << wrong;
}

std::pair<int, int> PickerTest::Selection(int id) const {
  const DWORD selection = static_cast<DWORD>(::SendMessageA(Control(id), EM_GETSEL, 0, 0));
  return {LOWORD(selection), HIWORD(selection)};
}

PickerTest::ClientImage PickerTest::CaptureClient() const {
  ClientImage image;
  image.m_capture = ScreenCapture::Of(ClientRectOnScreen(dialog.m_hWnd));
  return image;
}
