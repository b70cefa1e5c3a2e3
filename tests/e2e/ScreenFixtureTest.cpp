// The screen fixtures: a known image of the test's own shown at a known place, and the screen
// captured over it pixel for pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "fixtures/E2eTest.h"
#include "fixtures/Handles.h"
#include "fixtures/KnownImageWindow.h"
#include "fixtures/ScreenCapture.h"
#include "fixtures/Wait.h"

namespace {

class ScreenFixture : public E2eTest {};

std::string Describe(const std::optional<POINT>& mismatch, const ScreenCapture& capture,
                     const KnownImageWindow& image) {
  if (!mismatch) {
    return "every pixel matches";
  }
  char text[160];
  std::snprintf(text, sizeof(text), "pixel %ld,%ld is %06lX, expected %06lX", mismatch->x,
                mismatch->y, static_cast<unsigned long>(capture.PixelAt(*mismatch)),
                static_cast<unsigned long>(image.ExpectedAt(*mismatch)));
  return text;
}

std::string TempFilePath(const char* name) {
  char folder[MAX_PATH] = {};
  const DWORD length = ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder, length < MAX_PATH ? length : 0) + name;
}

}  // namespace

TEST_F(ScreenFixture, CaptureShowsTheKnownImageExactly) {
  // Wider and taller than 256 pixels, so that the pattern's high bits change inside it.
  const RECT rect{601, 403, 601 + 300, 403 + 270};
  const KnownImageWindow image(rect, CoordinatePattern());
  ASSERT_TRUE(image.IsValid());
  ASSERT_TRUE(image.WaitUntilOnScreen());

  // A capture larger than the image, so that offsets between the two are checked too.
  const ScreenCapture capture = ScreenCapture::Of(RECT{590, 390, 920, 690});
  ASSERT_TRUE(capture.IsValid());
  EXPECT_EQ(capture.Width(), 330);
  EXPECT_EQ(capture.Height(), 300);
  const std::optional<POINT> mismatch = image.FirstMismatchIn(capture);
  EXPECT_FALSE(mismatch) << Describe(mismatch, capture, image);

  EXPECT_EQ(capture.PixelAt(POINT{601, 403}), CoordinateColor(0, 0));
  EXPECT_EQ(capture.PixelAtOffset(11, 13), CoordinateColor(0, 0));
  EXPECT_EQ(capture.PixelAt(POINT{900, 672}), CoordinateColor(299, 269));
  EXPECT_EQ(capture.PixelAt(POINT{589, 400}), CLR_INVALID);
  EXPECT_EQ(capture.PixelAtOffset(330, 0), CLR_INVALID);
}

TEST_F(ScreenFixture, ImageMovesAndRepaintsWithANewPattern) {
  KnownImageWindow image(RECT{100, 700, 160, 740}, SolidPattern(RGB(200, 30, 90)));
  ASSERT_TRUE(image.IsValid());
  ASSERT_TRUE(image.WaitUntilOnScreen());

  image.MoveTo(RECT{1500, 200, 1600, 260});
  image.SetPattern(CoordinatePattern());
  ASSERT_TRUE(image.WaitUntilOnScreen());
  const ScreenCapture capture = ScreenCapture::Of(image.ScreenRect());
  EXPECT_EQ(capture.PixelAt(POINT{1500, 200}), CoordinateColor(0, 0));
  EXPECT_EQ(capture.PixelAt(POINT{1599, 259}), CoordinateColor(99, 59));
}

TEST_F(ScreenFixture, TopmostImageStaysAboveANormalOneShownLater) {
  const COLORREF blue = RGB(0, 0, 255);
  const COLORREF green = RGB(0, 255, 0);
  const KnownImageWindow above(RECT{300, 300, 400, 400}, SolidPattern(blue));
  const KnownImageWindow below(RECT{350, 350, 450, 450}, SolidPattern(green), ZOrder::kNormal);
  ASSERT_TRUE(above.IsValid() && below.IsValid());

  // Wine's virtual desktop draws a window shown later over a topmost one although its window
  // order has it below, so the overlap is checked in the window order, the rest on the screen.
  EXPECT_EQ(::WindowFromPoint(POINT{375, 375}), above.Handle());
  EXPECT_EQ(::WindowFromPoint(POINT{425, 425}), below.Handle());
  EXPECT_TRUE(WaitUntil([&] {
    const ScreenCapture capture = ScreenCapture::Of(RECT{300, 300, 450, 450});
    return capture.PixelAt(POINT{320, 320}) == blue && capture.PixelAt(POINT{425, 425}) == green &&
           capture.PixelAt(POINT{449, 449}) == green;
  }));
}

TEST_F(ScreenFixture, SavedCaptureLoadsBackAsTheSameBitmap) {
  const KnownImageWindow image(RECT{700, 100, 740, 130}, CoordinatePattern());
  ASSERT_TRUE(image.WaitUntilOnScreen());
  const ScreenCapture capture = ScreenCapture::Of(image.ScreenRect());
  const std::string path = TempFilePath("chromivo-e2e-capture.bmp");
  ASSERT_TRUE(capture.SaveBmp(path));

  const UniqueBitmap loaded(static_cast<HBITMAP>(::LoadImageA(
      nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  ::DeleteFileA(path.c_str());
  ASSERT_NE(loaded, nullptr);
  BITMAP info{};
  ASSERT_NE(::GetObjectA(loaded.get(), sizeof(info), &info), 0);
  EXPECT_EQ(info.bmWidth, 40);
  EXPECT_EQ(info.bmHeight, 30);

  const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  const ScopedSelection selection(dc.get(), loaded.get());
  EXPECT_EQ(::GetPixel(dc.get(), 0, 0), CoordinateColor(0, 0));
  EXPECT_EQ(::GetPixel(dc.get(), 39, 0), CoordinateColor(39, 0));
  EXPECT_EQ(::GetPixel(dc.get(), 5, 29), CoordinateColor(5, 29));
}
