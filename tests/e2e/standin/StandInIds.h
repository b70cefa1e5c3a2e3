// What the tests know about their stand-in program: its caption, where it puts itself and its
// controls (in pixels, so that tests can check rectangles exactly), and the ids of its controls.
#pragma once

inline constexpr char kStandInImageName[] = "E2eStandIn.exe";
inline constexpr char kStandInCaption[] = "Chromivo Stand-In";
inline constexpr int kStandInExitCode = 42;

// The window's outer rectangle on the screen.
inline constexpr int kStandInLeft = 240;
inline constexpr int kStandInTop = 160;
inline constexpr int kStandInWidth = 420;
inline constexpr int kStandInHeight = 320;

struct StandInControl {
  int id;
  int left, top, width, height;  // in the window's client coordinates
};

inline constexpr StandInControl kStandInEdit{101, 10, 10, 200, 24};
inline constexpr StandInControl kStandInCheckBox{102, 10, 44, 120, 20};
inline constexpr StandInControl kStandInTrackbar{103, 10, 74, 240, 32};
// Each click adds one to the count it shows in its counter: "0", "1", ...
inline constexpr StandInControl kStandInPressButton{104, 10, 116, 80, 26};
inline constexpr StandInControl kStandInPressCount{105, 100, 120, 100, 20};
// Copies the edit's text to the clipboard as CF_TEXT in a block of exactly length + 1 bytes and
// says "copied" or "clipboard busy" in its result label.
inline constexpr StandInControl kStandInCopyButton{106, 10, 152, 80, 26};
inline constexpr StandInControl kStandInCopyResult{107, 100, 156, 150, 20};
// How many WM_HOTKEY messages arrived for Ctrl + keypad minus, or "taken" when another program
// held the hot key at start.
inline constexpr StandInControl kStandInHotKeyCount{108, 260, 120, 100, 20};
// The last mouse events on the window's bare client area, newest last, separated by "; ", e.g.
// "down 30,250; up 60,250". Positions are client coordinates.
inline constexpr StandInControl kStandInMouseLog{109, 10, 188, 400, 20};

inline constexpr int kStandInHotKeyId = 423;
inline constexpr int kStandInTrackbarMax = 100;
inline constexpr char kStandInInitialEditText[] = "abcdefghij";
