// Which WM_HOTKEY messages may start picking: keys held down through a way out of pick mode never
// do; a new press does, whether the system repeats held keys (Wine) or not (Windows).
#include <gtest/gtest.h>

#include <vector>

#include "picker/PickHotKey.h"

namespace {

// Windows' default keyboard (500 ms delay, about 30 repeats a second) with the rule's margins.
constexpr HotKeyRepeatTiming kTiming{750, 133};

// One input to the rule: a WM_HOTKEY at a time, a way out, or the window seeing a key go up.
struct Event {
  enum Kind { kHotKey, kWayOutCtrlDown, kWayOutCtrlUp, kKeyUp } kind;
  DWORD time = 0;
  bool mayStartPicking = false;  // what a kHotKey must give
};

Event HotKey(DWORD time, bool starts) {
  return {Event::kHotKey, time, starts};
}

// An X server's repeat: the first 660 ms after the press, then every 40 ms, up to `until`.
void AppendRepeats(std::vector<Event>& events, DWORD press, DWORD until, bool starts) {
  for (DWORD time = press + 660; time <= until; time += 40) {
    events.push_back(HotKey(time, starts));
  }
}

void Feed(const std::vector<Event>& events, DWORD origin = 0) {
  HotKeyHoldRule rule;
  for (const Event& event : events) {
    switch (event.kind) {
      case Event::kHotKey:
        EXPECT_EQ(rule.OnHotKey(origin + event.time, kTiming), event.mayStartPicking)
            << "WM_HOTKEY at " << event.time << " ms";
        break;
      case Event::kWayOutCtrlDown:
        rule.OnWayOut(true);
        break;
      case Event::kWayOutCtrlUp:
        rule.OnWayOut(false);
        break;
      case Event::kKeyUp:
        rule.OnKeyReleased();
        break;
    }
  }
}

}  // namespace

TEST(HotKeyHoldRule, HeldKeysNeverStartPickingAgainUntilPressedAnew) {
  std::vector<Event> events{HotKey(0, true)};
  AppendRepeats(events, 0, 1000, true);
  events.push_back({Event::kWayOutCtrlDown});
  for (DWORD time = 1020; time <= 3000; time += 40) {
    events.push_back(HotKey(time, false));
  }
  events.push_back(HotKey(3500, true));
  Feed(events);
  // Across the tick count's wrap.
  Feed(events, 0xFFFFFFFF - 1500);
}

TEST(HotKeyHoldRule, AWayOutBeforeTheFirstRepeatStillIgnoresTheHold) {
  std::vector<Event> events{HotKey(0, true), {Event::kWayOutCtrlDown}};
  AppendRepeats(events, 0, 2000, false);
  events.push_back({Event::kKeyUp});
  events.push_back(HotKey(2200, true));
  Feed(events);
}

// Windows drops the repeats (MOD_NOREPEAT): the next WM_HOTKEY is always a new press.
TEST(HotKeyHoldRule, WithoutRepeatsEveryPressAfterAReleaseStartsPicking) {
  Feed({HotKey(0, true), {Event::kWayOutCtrlDown}, {Event::kKeyUp}, HotKey(400, true)});
  Feed({HotKey(0, true), {Event::kWayOutCtrlUp}, HotKey(300, true)});
  // Ctrl held, the minus tapped: its release came before the way out.
  Feed({HotKey(0, true), {Event::kKeyUp}, {Event::kWayOutCtrlDown}, HotKey(300, true)});
  // Released while another window was active: the pause tells the new press.
  Feed({HotKey(0, true), {Event::kWayOutCtrlDown}, HotKey(900, true)});
}
