// CString: the colour's text forms are built with Format, so its results must be exact.
#include <gtest/gtest.h>

#include <string>

#include "framework/String.h"

TEST(String, FormatWritesTheProgramsColorForms) {
  CString text;
  text.Format("0x%02X%02X%02X", 0x0A, 0xFF, 0x00);
  EXPECT_STREQ(text, "0x0AFF00");
  EXPECT_EQ(text.GetLength(), 8);

  text.Format("RGB(%d,%d,%d)", 255, 0, 17);
  EXPECT_STREQ(text, "RGB(255,0,17)");
  EXPECT_EQ(text.GetLength(), 13);
}

TEST(String, FormatGrowsBeyondAnyFixedBuffer) {
  const std::string half(3000, 'x');
  CString text;
  text.Format("%s|%s", half.c_str(), half.c_str());
  ASSERT_EQ(text.GetLength(), 6001);
  EXPECT_EQ(static_cast<LPCSTR>(text)[3000], '|');
  EXPECT_EQ(static_cast<LPCSTR>(text)[6000], 'x');
}

TEST(String, FormatMayReadTheStringsOwnText) {
  CString text("abc");
  text.Format("[%s]", static_cast<LPCSTR>(text));
  EXPECT_STREQ(text, "[abc]");
}

TEST(String, NullTextIsEmpty) {
  EXPECT_TRUE(CString(nullptr).IsEmpty());
  EXPECT_EQ(CString(nullptr).GetLength(), 0);
  EXPECT_FALSE(CString("a").IsEmpty());
}
