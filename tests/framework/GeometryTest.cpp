// CRect: hit tests and layout rely on GDI's convention that right and bottom are exclusive.
#include <gtest/gtest.h>

#include "framework/Geometry.h"

TEST(Rect, PtInRectIncludesLeftAndTopExcludesRightAndBottom) {
  const CRect rect(10, 20, 30, 40);
  EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
  EXPECT_TRUE(rect.PtInRect(CPoint(29, 39)));
  EXPECT_FALSE(rect.PtInRect(CPoint(30, 25)));
  EXPECT_FALSE(rect.PtInRect(CPoint(15, 40)));
  EXPECT_FALSE(rect.PtInRect(CPoint(9, 25)));
  EXPECT_FALSE(rect.PtInRect(CPoint(15, 19)));
}

TEST(Rect, DeflateRectMovesEverySideInwards) {
  CRect rect(10, 20, 30, 60);
  rect.DeflateRect(2, 5);
  EXPECT_EQ(rect.left, 12);
  EXPECT_EQ(rect.top, 25);
  EXPECT_EQ(rect.right, 28);
  EXPECT_EQ(rect.bottom, 55);
  EXPECT_EQ(rect.Width(), 16);
  EXPECT_EQ(rect.Height(), 30);
}
