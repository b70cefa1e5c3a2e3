// The three text forms, checked against worked examples and, for every single-channel value,
// against an independent formatting of the expected digits.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "picker/ColorText.h"

namespace {

struct Example {
  int red, green, blue;
  const char* hex;
  const char* html;
  const char* rgb;
};

constexpr Example kExamples[] = {
    {0x12, 0xAB, 0x05, "0x05AB12", "#12AB05", "RGB(18,171,5)"},
    {0, 0, 0, "0x000000", "#000000", "RGB(0,0,0)"},
    {255, 255, 255, "0xFFFFFF", "#FFFFFF", "RGB(255,255,255)"},
    {255, 0, 0, "0x0000FF", "#FF0000", "RGB(255,0,0)"},
    {0, 0, 255, "0xFF0000", "#0000FF", "RGB(0,0,255)"},
    {1, 2, 3, "0x030201", "#010203", "RGB(1,2,3)"},
};

std::string Hex2(int value) {
  char text[3];
  std::snprintf(text, sizeof(text), "%02X", value);
  return text;
}

}  // namespace

TEST(ColorTexts, WorkedExamples) {
  for (const Example& example : kExamples) {
    const ColorTexts texts = FormatColorTexts(RGB(example.red, example.green, example.blue));
    EXPECT_STREQ(texts.hex, example.hex);
    EXPECT_STREQ(texts.html, example.html);
    EXPECT_STREQ(texts.rgb, example.rgb);
  }
}

TEST(ColorTexts, EverySingleChannelValueHasSixUpperCaseDigitsInItsPlace) {
  for (int value = 0; value <= 255; ++value) {
    const std::string v = Hex2(value);
    const ColorTexts red = FormatColorTexts(RGB(value, 0, 0));
    const ColorTexts green = FormatColorTexts(RGB(0, value, 0));
    const ColorTexts blue = FormatColorTexts(RGB(0, 0, value));
    EXPECT_EQ(std::string(red.hex), "0x0000" + v) << value;
    EXPECT_EQ(std::string(green.hex), "0x00" + v + "00") << value;
    EXPECT_EQ(std::string(blue.hex), "0x" + v + "0000") << value;
    EXPECT_EQ(std::string(red.html), "#" + v + "0000") << value;
    EXPECT_EQ(std::string(green.html), "#00" + v + "00") << value;
    EXPECT_EQ(std::string(blue.html), "#0000" + v) << value;
  }
}
