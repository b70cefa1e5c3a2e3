// The panel's design, in pixels of a 96-DPI screen: its client size, the place of each of its 29
// controls, the swatch and the frames around the three colour texts. The window is laid out,
// shows and hides its controls, hit-tests and paints from this table alone, scaled to its DPI.
// (The dialog template keeps dialog units of its own, which hold only until the window is laid
// out.)
#pragma once

#include "framework/Accessibility.h"
#include "framework/DpiScale.h"
#include "framework/Geometry.h"
#include "res/resource.h"

namespace PanelDesign {

inline constexpr SIZE kClientSize{404, 167};

// x, y, width and height of every control of the panel: three colour rows, an option row and a
// button row.
inline constexpr CControlPlace kControls[] = {
    {IDC_HEX_LABEL, 5, 8, 84, 13},         {IDC_HEX_TEXT, 8, 26, 96, 13},
    {IDC_COPY_HEX, 111, 23, 48, 20},       {IDC_RED_LABEL, 173, 26, 21, 13},
    {IDC_RED_EDIT, 194, 23, 26, 20},       {IDC_RED_SPIN, 222, 21, 16, 23},
    {IDC_RED_SLIDER, 246, 26, 150, 15},    {IDC_HTML_LABEL, 5, 47, 84, 13},
    {IDC_HTML_TEXT, 8, 65, 96, 13},        {IDC_COPY_HTML, 111, 62, 48, 20},
    {IDC_GREEN_LABEL, 173, 65, 21, 13},    {IDC_GREEN_EDIT, 194, 62, 26, 20},
    {IDC_GREEN_SPIN, 222, 60, 16, 23},     {IDC_GREEN_SLIDER, 246, 65, 150, 15},
    {IDC_RGB_LABEL, 5, 86, 84, 13},        {IDC_RGB_TEXT, 8, 102, 96, 13},
    {IDC_COPY_RGB, 111, 99, 48, 20},       {IDC_BLUE_LABEL, 173, 102, 21, 13},
    {IDC_BLUE_EDIT, 194, 99, 26, 20},      {IDC_BLUE_SPIN, 222, 98, 16, 23},
    {IDC_BLUE_SLIDER, 246, 102, 150, 15},  {IDC_KEEP_ON_TOP, 5, 127, 93, 13},
    {IDC_HOTKEY_LABEL, 110, 127, 130, 13}, {IDC_CURRENT_LABEL, 246, 127, 85, 13},
    {IDC_SLORP, 2, 145, 48, 20},           {IDC_SELECT_COLOR, 62, 145, 48, 20},
    {IDC_ABOUT, 122, 145, 48, 20},         {IDC_EXIT, 182, 145, 48, 20},
    {IDC_HOME_LINK, 246, 146, 156, 13},
};

// What screen readers call the controls whose text or label does not say what they are for: each
// channel's three controls by their channel (the labels say only "R:", "G:" and "B:"), the three
// Copy buttons by what they copy, and the home page's address as the link it is. The other
// controls are named by their own text.
inline constexpr CAccessibleName kAccessibleNames[] = {
    {IDC_RED_EDIT, "Red", 0},
    {IDC_RED_SPIN, "Red", 0},
    {IDC_RED_SLIDER, "Red", 0},
    {IDC_GREEN_EDIT, "Green", 0},
    {IDC_GREEN_SPIN, "Green", 0},
    {IDC_GREEN_SLIDER, "Green", 0},
    {IDC_BLUE_EDIT, "Blue", 0},
    {IDC_BLUE_SPIN, "Blue", 0},
    {IDC_BLUE_SLIDER, "Blue", 0},
    {IDC_COPY_HEX, "Copy C++ color", 0},
    {IDC_COPY_HTML, "Copy HTML color", 0},
    {IDC_COPY_RGB, "Copy RGB color", 0},
    {IDC_HOME_LINK, nullptr, kAccessibleRoleLink},
};

// The colour swatch, not a control: on the "Current Color:" row, its right edge kept this far in
// from the client's right edge.
struct SwatchPlace {
  int rightInset;
  int top;
  int width;
  int height;
};
inline constexpr SwatchPlace kSwatch{10, 127, 60, 13};

// Grey frames around the three colour texts (right and bottom exclusive).
inline constexpr RECT kTextFrames[] = {{4, 23, 105, 41}, {4, 62, 105, 80}, {4, 100, 105, 118}};

// The swatch in client coordinates, outline included: where it is painted, invalidated and
// double-clicked.
inline CRect SwatchRect(const CRect& client, const CDpiScale& scale) {
  const int right = client.right - scale.Scale(kSwatch.rightInset);
  const int top = client.top + scale.Scale(kSwatch.top);
  return CRect(right - scale.Scale(kSwatch.width), top, right, top + scale.Scale(kSwatch.height));
}

}  // namespace PanelDesign
