#include "picker/PickHotKey.h"

namespace {

constexpr UINT kModifiers = MOD_CONTROL;
constexpr UINT kKey = VK_SUBTRACT;

// A keyboard's own repeat (an X server's under Wine) need not follow the system's settings
// exactly: 660 ms and 25 a second are common there, against Windows' 500 ms and 30.
constexpr DWORD kDelayMarginMs = 250;
constexpr DWORD kIntervalMarginMs = 100;

bool IsDown(int virtualKey) {
  return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

// SPI_GETKEYBOARDDELAY is 0 to 3, a quarter of a second each step above the first; the speed is
// 0 (about 2.5 repeats a second) to 31 (about 30).
HotKeyRepeatTiming HotKeyRepeatTiming::FromKeyboardSettings() {
  int delay = 1;
  DWORD speed = 31;
  ::SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
  ::SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
  const DWORD delayMs = static_cast<DWORD>(delay + 1) * 250;
  const DWORD intervalMs = 400 - (speed > 31 ? 31 : speed) * (400 - 33) / 31;
  return {delayMs + kDelayMarginMs, intervalMs + kIntervalMarginMs};
}

bool HotKeyHoldRule::OnHotKey(DWORD time, const HotKeyRepeatTiming& timing) {
  // Unsigned arithmetic: right across the tick count's wrap as well.
  const DWORD since = time - m_lastTime;
  const bool repeat =
      m_seenOne && since <= (m_lastWasRepeat ? timing.afterRepeatMs : timing.afterPressMs);
  m_seenOne = true;
  m_lastTime = time;
  m_lastWasRepeat = repeat;
  m_releasedSinceLast = false;
  if (!repeat) {
    m_ignoringHold = false;
  }
  return !m_ignoringHold;
}

void HotKeyHoldRule::OnWayOut(bool ctrlDown) {
  m_ignoringHold = ctrlDown && !m_releasedSinceLast;
}

void HotKeyHoldRule::OnKeyReleased() {
  m_releasedSinceLast = true;
  m_ignoringHold = false;
}

// MOD_NOREPEAT: Windows 7 and later send no repeats while the keys are held.
bool CPickHotKey::Register(HWND window) {
  m_window = window;
  return ::RegisterHotKey(window, PICK_HOTKEY_ID, kModifiers | MOD_NOREPEAT, kKey) != FALSE;
}

void CPickHotKey::Unregister() {
  ::UnregisterHotKey(m_window, PICK_HOTKEY_ID);
}

bool CPickHotKey::IsNewPress(WPARAM id) {
  return id == PICK_HOTKEY_ID && m_hold.OnHotKey(static_cast<DWORD>(::GetMessageTime()),
                                                 HotKeyRepeatTiming::FromKeyboardSettings());
}

void CPickHotKey::OnWayOutOfPickMode() {
  m_hold.OnWayOut(IsDown(VK_CONTROL));
}

void CPickHotKey::OnMessage(const MSG& msg) {
  if ((msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) &&
      (msg.wParam == kKey || msg.wParam == VK_CONTROL)) {
    m_hold.OnKeyReleased();
  }
}
