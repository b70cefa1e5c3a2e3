// How a channel edit's text counts: its first three characters, read like atoi.
#include <gtest/gtest.h>

#include "picker/ChannelValue.h"

TEST(ChannelValue, DigitsCountUpToTheThirdCharacter) {
  EXPECT_EQ(ChannelValueOf("0"), 0);
  EXPECT_EQ(ChannelValueOf("255"), 255);
  EXPECT_EQ(ChannelValueOf("2559"), 255);
  EXPECT_EQ(ChannelValueOf("999"), 999);
  EXPECT_EQ(ChannelValueOf("0012"), 1);
}

TEST(ChannelValue, TextWithoutLeadingDigitsCountsAsItsLeadingNumberOrZero) {
  EXPECT_EQ(ChannelValueOf(""), 0);
  EXPECT_EQ(ChannelValueOf("abc"), 0);
  EXPECT_EQ(ChannelValueOf("12abc"), 12);
  EXPECT_EQ(ChannelValueOf(" 7"), 7);
  EXPECT_EQ(ChannelValueOf("  7"), 7);
  EXPECT_EQ(ChannelValueOf("   7"), 0);
}

TEST(ChannelValue, SignsAreReadNotClamped) {
  EXPECT_EQ(ChannelValueOf("-1"), -1);
  EXPECT_EQ(ChannelValueOf("-12"), -12);
  EXPECT_EQ(ChannelValueOf("+25"), 25);
  EXPECT_EQ(ChannelValueOf("-"), 0);
}
