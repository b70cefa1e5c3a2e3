// The About box's design, in pixels of a 96-DPI screen: its client size and the place of each of
// its controls, laid out from this table alone, scaled to the box's DPI. (The dialog template's
// own dialog units hold only until then.)
#pragma once

#include "framework/Accessibility.h"
#include "framework/DpiScale.h"
#include "res/resource.h"

namespace AboutDesign {

inline constexpr SIZE kClientSize{288, 227};

// x, y, width and height of each control in the client area: the icon and three lines of text
// at the top, the four links in two rows inside the lower part of the frame, OK below it.
inline constexpr CControlPlace kControls[] = {
    {IDC_ABOUT_ICON, 6, 10, 32, 32},           {IDC_ABOUT_VERSION, 47, 7, 219, 13},
    {IDC_ABOUT_NOTICE_FIRST, 47, 23, 219, 13}, {IDC_ABOUT_NOTICE_SECOND, 47, 39, 219, 13},
    {IDC_ABOUT_FRAME, 6, 57, 276, 143},        {IDC_ABOUT_OK, 235, 205, 48, 20},
    {IDC_ABOUT_FAQ_LINK, 15, 179, 135, 13},    {IDC_ABOUT_HOMEPAGE_LINK, 15, 151, 135, 13},
    {IDC_ABOUT_REFER_LINK, 152, 151, 135, 13}, {IDC_ABOUT_SUPPORT_LINK, 152, 179, 135, 13},
};

// The four links, named by their own text, are links to screen readers too.
inline constexpr CAccessibleName kAccessibleNames[] = {
    {IDC_ABOUT_HOMEPAGE_LINK, nullptr, kAccessibleRoleLink},
    {IDC_ABOUT_REFER_LINK, nullptr, kAccessibleRoleLink},
    {IDC_ABOUT_FAQ_LINK, nullptr, kAccessibleRoleLink},
    {IDC_ABOUT_SUPPORT_LINK, nullptr, kAccessibleRoleLink},
};

}  // namespace AboutDesign
