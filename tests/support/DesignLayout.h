// The two windows' layouts as designed: client coordinates in pixels of a 96-DPI screen, which the
// program shows scaled by dpi / 96 (to the nearest pixel, halves away from zero).
#pragma once

#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "res/resource.h"

struct DesignPlace {
  int id;
  RECT rect;  // left, top, right, bottom
};

constexpr DesignPlace Placed(int id, int x, int y, int width, int height) {
  return {id, {x, y, x + width, y + height}};
}

inline int ScaledToDpi(int designPixels, int dpi) {
  return static_cast<int>(std::lround(designPixels * dpi / 96.0));
}

// A rectangle given by its edges (the text frames): each edge scaled.
inline RECT ScaledToDpi(const RECT& design, int dpi) {
  return RECT{ScaledToDpi(design.left, dpi), ScaledToDpi(design.top, dpi),
              ScaledToDpi(design.right, dpi), ScaledToDpi(design.bottom, dpi)};
}

// A control's place: its corner and its size each scaled.
inline RECT ScaledPlace(const RECT& design, int dpi) {
  const int left = ScaledToDpi(design.left, dpi);
  const int top = ScaledToDpi(design.top, dpi);
  return RECT{left, top, left + ScaledToDpi(design.right - design.left, dpi),
              top + ScaledToDpi(design.bottom - design.top, dpi)};
}

// Exactly the design's rectangle at 96 DPI; scaled, one rounding or another may differ by a pixel
// or two.
inline bool IsAtScaledPlace(const RECT& actual, const RECT& design, int dpi) {
  const RECT expected = ScaledPlace(design, dpi);
  const int tolerance = dpi == 96 ? 0 : 2;
  return std::abs(actual.left - expected.left) <= tolerance &&
         std::abs(actual.top - expected.top) <= tolerance &&
         std::abs(actual.right - expected.right) <= tolerance &&
         std::abs(actual.bottom - expected.bottom) <= tolerance;
}

inline bool LiesWithin(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// The screen's DPI as this (system-DPI-aware) process sees it.
inline int SystemDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

// The swatch, outline included: 60 x 13 design pixels, 10 in from the client's right edge, its
// top at 127.
inline RECT SwatchInClient(const RECT& client, int dpi) {
  const int right = client.right - ScaledToDpi(10, dpi);
  const int top = client.top + ScaledToDpi(127, dpi);
  return RECT{right - ScaledToDpi(60, dpi), top, right, top + ScaledToDpi(13, dpi)};
}

inline constexpr SIZE kPanelClientSize{404, 167};

inline constexpr DesignPlace kPanelLayout[] = {
    Placed(IDC_HEX_LABEL, 5, 8, 84, 13),         Placed(IDC_HEX_TEXT, 8, 26, 96, 13),
    Placed(IDC_COPY_HEX, 111, 23, 48, 20),       Placed(IDC_RED_LABEL, 173, 26, 21, 13),
    Placed(IDC_RED_EDIT, 194, 23, 26, 20),       Placed(IDC_RED_SPIN, 222, 21, 16, 23),
    Placed(IDC_RED_SLIDER, 246, 26, 150, 15),    Placed(IDC_HTML_LABEL, 5, 47, 84, 13),
    Placed(IDC_HTML_TEXT, 8, 65, 96, 13),        Placed(IDC_COPY_HTML, 111, 62, 48, 20),
    Placed(IDC_GREEN_LABEL, 173, 65, 21, 13),    Placed(IDC_GREEN_EDIT, 194, 62, 26, 20),
    Placed(IDC_GREEN_SPIN, 222, 60, 16, 23),     Placed(IDC_GREEN_SLIDER, 246, 65, 150, 15),
    Placed(IDC_RGB_LABEL, 5, 86, 84, 13),        Placed(IDC_RGB_TEXT, 8, 102, 96, 13),
    Placed(IDC_COPY_RGB, 111, 99, 48, 20),       Placed(IDC_BLUE_LABEL, 173, 102, 21, 13),
    Placed(IDC_BLUE_EDIT, 194, 99, 26, 20),      Placed(IDC_BLUE_SPIN, 222, 98, 16, 23),
    Placed(IDC_BLUE_SLIDER, 246, 102, 150, 15),  Placed(IDC_KEEP_ON_TOP, 5, 127, 93, 13),
    Placed(IDC_HOTKEY_LABEL, 110, 127, 130, 13), Placed(IDC_CURRENT_LABEL, 246, 127, 85, 13),
    Placed(IDC_SLORP, 2, 145, 48, 20),           Placed(IDC_SELECT_COLOR, 62, 145, 48, 20),
    Placed(IDC_ABOUT, 122, 145, 48, 20),         Placed(IDC_EXIT, 182, 145, 48, 20),
    Placed(IDC_HOME_LINK, 246, 146, 156, 13),
};

// The grey frames around the three colour texts.
inline constexpr RECT kTextFrames[] = {{4, 23, 105, 41}, {4, 62, 105, 80}, {4, 100, 105, 118}};

inline constexpr SIZE kAboutClientSize{288, 227};

inline constexpr DesignPlace kAboutLayout[] = {
    Placed(IDC_ABOUT_ICON, 6, 10, 32, 32),
    Placed(IDC_ABOUT_VERSION, 47, 7, 219, 13),
    Placed(IDC_ABOUT_NOTICE_FIRST, 47, 23, 219, 13),
    Placed(IDC_ABOUT_NOTICE_SECOND, 47, 39, 219, 13),
    Placed(IDC_ABOUT_FRAME, 6, 57, 276, 143),
    Placed(IDC_ABOUT_OK, 235, 205, 48, 20),
    Placed(IDC_ABOUT_HOMEPAGE_LINK, 15, 151, 135, 13),
    Placed(IDC_ABOUT_REFER_LINK, 152, 151, 135, 13),
    Placed(IDC_ABOUT_FAQ_LINK, 15, 179, 135, 13),
    Placed(IDC_ABOUT_SUPPORT_LINK, 152, 179, 135, 13),
};
