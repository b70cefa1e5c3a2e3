// The clipboard fixtures: reading what another program copied exactly as it left it, and holding
// the clipboard open so that another program finds it busy.
#include <gtest/gtest.h>

#include <string>

#include "StandInTest.h"
#include "fixtures/Clipboard.h"
#include "fixtures/Foreground.h"
#include "fixtures/Input.h"

namespace {

class ClipboardFixture : public StandInTest {
 protected:
  void SetUp() override {
    StandInTest::SetUp();
    ASSERT_TRUE(EmptyTheClipboard());
    ASSERT_NE(BringToForeground(m_window), ForegroundMeans::kFailed);
  }

  void SetEditText(const char* text) {
    ASSERT_TRUE(SendWithTimeout(Item(kStandInEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
  }
};

}  // namespace

TEST_F(ClipboardFixture, ReadsTheTextAnotherProgramCopiedWithItsBlockSize) {
  SetEditText("RGB(255,128,64)");
  ASSERT_TRUE(Click(ScreenCentreOf(kStandInCopyButton)));
  ASSERT_TRUE(WaitForItemText(kStandInCopyResult, "copied"));

  const std::optional<ClipboardContents> contents = ReadClipboard();
  ASSERT_TRUE(contents);
  EXPECT_TRUE(contents->HasFormat(CF_TEXT));
  ASSERT_TRUE(contents->text);
  EXPECT_EQ(contents->text->text, "RGB(255,128,64)");
  EXPECT_TRUE(contents->text->terminated);
  EXPECT_EQ(contents->text->blockSize, std::string("RGB(255,128,64)").size() + 1);
}

TEST_F(ClipboardFixture, ReadsTextUpToTheFirstNulInTheBlock) {
  ASSERT_TRUE(PutClipboardText(std::string("abc\0def", 7), 16));
  const std::optional<ClipboardContents> contents = TryReadClipboard();
  ASSERT_TRUE(contents && contents->text);
  EXPECT_EQ(contents->text->text, "abc");
  EXPECT_TRUE(contents->text->terminated);
  EXPECT_EQ(contents->text->blockSize, 16u);
}

TEST(ClipboardBlock, TextEndsAtTheFirstNulOrAtTheEndOfTheBlock) {
  const char unterminated[4] = {'A', 'B', 'C', 'D'};
  ClipboardText text = TextFromBlock(unterminated, sizeof(unterminated));
  EXPECT_EQ(text.text, "ABCD");
  EXPECT_FALSE(text.terminated);
  EXPECT_EQ(text.blockSize, 4u);

  const char terminatedEarly[6] = {'#', 'F', '\0', '8', '0', '\0'};
  text = TextFromBlock(terminatedEarly, sizeof(terminatedEarly));
  EXPECT_EQ(text.text, "#F");
  EXPECT_TRUE(text.terminated);

  text = TextFromBlock(terminatedEarly, 0);
  EXPECT_EQ(text.text, "");
  EXPECT_FALSE(text.terminated);
}

TEST_F(ClipboardFixture, EmptyClipboardOffersNoFormats) {
  const std::optional<ClipboardContents> contents = TryReadClipboard();
  ASSERT_TRUE(contents);
  EXPECT_TRUE(contents->formats.empty());
  EXPECT_FALSE(contents->text);
}

TEST_F(ClipboardFixture, HolderKeepsTheClipboardBusyUntilReleased) {
  SetEditText("#FF8040");
  ClipboardHolder holder;
  ASSERT_TRUE(holder.IsHolding());
  EXPECT_FALSE(TryReadClipboard());

  ASSERT_TRUE(Click(ScreenCentreOf(kStandInCopyButton)));
  EXPECT_TRUE(WaitForItemText(kStandInCopyResult, "clipboard busy"));

  holder.Release();
  EXPECT_FALSE(holder.IsHolding());
  ASSERT_TRUE(Click(ScreenCentreOf(kStandInCopyButton)));
  EXPECT_TRUE(WaitForItemText(kStandInCopyResult, "copied"));
  const std::optional<ClipboardContents> contents = ReadClipboard();
  ASSERT_TRUE(contents && contents->text);
  EXPECT_EQ(contents->text->text, "#FF8040");
}
