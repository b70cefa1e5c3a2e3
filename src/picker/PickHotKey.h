// The system-wide hot key that starts picking, Ctrl + keypad minus: its registration, and the
// rule that tells a new press of it from the repeats of keys held down.
#pragma once

#include <windows.h>

// Identifier of the pick hot key.
constexpr int PICK_HOTKEY_ID = 423;

// How long after one WM_HOTKEY the next may come and still be a repeat of the same keys held down.
struct HotKeyRepeatTiming {
  DWORD afterPressMs;   // the keyboard's repeat delay, with a margin
  DWORD afterRepeatMs;  // the keyboard's repeat interval, with a margin

  // From the keyboard settings as they are now.
  static HotKeyRepeatTiming FromKeyboardSettings();
};

// Keys held down repeat WM_HOTKEY. Windows honours MOD_NOREPEAT; Wine does not, and there the
// repeats queue up behind the time pick entry takes. Keys still held when pick mode ends must not
// start it again, however long they stay down. The rule:
// - The window sees either key go up whenever it is the foreground window, as it is in pick mode
//   and after it. A way out of pick mode with Ctrl still down and no key seen going up since the
//   last WM_HOTKEY starts ignoring the hold. (Wine does not count the keypad minus as down once
//   it has made a hot key of it, so only Ctrl can be asked.)
// - Every WM_HOTKEY counts, those ignored while picking too. One that comes within the repeat
//   delay of the press before it, or within the repeat interval of a repeat before it (by each
//   message's own time), is a repeat of the same hold; any other is a new press.
// - The hold is over at a new press, or when the window sees either key go up.
// Pure: the times and the state of the keys come from the caller.
class HotKeyHoldRule {
 public:
  // A WM_HOTKEY sent at `time` (GetMessageTime); true when it may start picking.
  bool OnHotKey(DWORD time, const HotKeyRepeatTiming& timing);
  // Pick mode has ended; `ctrlDown`: Ctrl is down at this moment.
  void OnWayOut(bool ctrlDown);
  void OnKeyReleased();

 private:
  bool m_seenOne = false;
  DWORD m_lastTime = 0;
  // The last WM_HOTKEY was a repeat, not the press that began its hold.
  bool m_lastWasRepeat = false;
  bool m_releasedSinceLast = false;
  bool m_ignoringHold = false;
};

// The window's registration of the pick hot key: made when the window opens, given up while the
// About box is open and when the window ends.
class CPickHotKey {
 public:
  // False when another program holds the keys.
  bool Register(HWND window);
  void Unregister();

  // A WM_HOTKEY for the window: true when it is the pick hot key pressed anew.
  bool IsNewPress(WPARAM id);
  void OnWayOutOfPickMode();
  // Every message of the window's loop: the keys going up end a hold.
  void OnMessage(const MSG& msg);

 private:
  HWND m_window = nullptr;
  HotKeyHoldRule m_hold;
};
