#include "PickerFixture.h"

#include <vector>

#include "res/resource.h"

namespace {

// The picker loads its icon through the application object, as in the program.
CWinApp testApplication;

}  // namespace

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
    if (!AfxPreTranslateTree(dialog.m_hWnd, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

bool PickerTest::PumpUntil(const std::function<bool()>& condition, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    Pump();
    if (condition()) {
      return true;
    }
    ::Sleep(10);
  }
  Pump();
  return condition();
}

std::string PickerTest::Text(int id) const {
  const HWND control = Control(id);
  std::vector<char> text(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1);
  ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  return text.data();
}

void PickerTest::SetText(int id, const char* text) {
  ::SetWindowTextA(Control(id), text);
}

int PickerTest::SliderPos(int id) const {
  return static_cast<int>(::SendMessageA(Control(id), TBM_GETPOS, 0, 0));
}

RECT PickerTest::ControlRect(int id) const {
  RECT rect;
  ::GetWindowRect(Control(id), &rect);
  ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
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

PickerTest::ClientImage PickerTest::CaptureClient() const {
  RECT client;
  ::GetClientRect(dialog.m_hWnd, &client);
  POINT origin{0, 0};
  ::ClientToScreen(dialog.m_hWnd, &origin);

  ClientImage image;
  image.m_width = client.right;
  image.m_height = client.bottom;
  image.m_pixels.resize(static_cast<size_t>(image.m_width) * static_cast<size_t>(image.m_height));

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image.m_width;
  info.bmiHeader.biHeight = -image.m_height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;

  CClientDC screen(nullptr);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  void* bits = nullptr;
  CBitmap dib;
  dib.Attach(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  memory.SelectObject(&dib);
  memory.BitBlt(0, 0, image.m_width, image.m_height, &screen, origin.x, origin.y, SRCCOPY);
  ::GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (size_t i = 0; i < image.m_pixels.size(); ++i) {
    // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
    const DWORD p = pixels[i];
    image.m_pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  return image;
}

COLORREF PickerTest::ClientImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
    return CLR_INVALID;
  }
  return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
}
