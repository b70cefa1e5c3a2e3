// Drawing and GDI objects: frames and fills land on exactly the pixels the program expects, and
// every object is deleted by its owner and only by its owner.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kTopLeft = RGB(255, 0, 0);
constexpr COLORREF kBottomRight = RGB(0, 0, 255);
constexpr COLORREF kFill = RGB(0, 128, 0);
constexpr int kWidth = 14;
constexpr int kHeight = 12;

// The rectangle's frame: right and bottom lines (corners included) on right - 1 and bottom - 1,
// top and left lines on the rest of the border.
COLORREF FramePixel(const CRect& rect, int x, int y) {
  if (!rect.PtInRect(CPoint(x, y))) {
    return kBackground;
  }
  if (x == rect.right - 1 || y == rect.bottom - 1) {
    return kBottomRight;
  }
  return x == rect.left || y == rect.top ? kTopLeft : kBackground;
}

void ExpectCanvas(CCanvas& canvas, COLORREF (*expected)(const CRect&, int, int),
                  const CRect& rect) {
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      EXPECT_EQ(canvas.Pixel(x, y), expected(rect, x, y)) << "at " << x << "," << y;
    }
  }
}

class CPaintingDialog : public CTestDialog {
 public:
  int m_paints = 0;

 protected:
  void OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kFill);
    dc.Draw3dRect(&client, kTopLeft, kBottomRight);
    ++m_paints;
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintingDialog, CTestDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

TEST(Gdi, Draw3dRectDrawsAOnePixelFrameInsideTheRect) {
  CCanvas canvas(kWidth, kHeight);
  canvas.Dc().FillSolidRect(0, 0, kWidth, kHeight, kBackground);
  const CRect rect(2, 3, 10, 8);

  canvas.Dc().Draw3dRect(&rect, kTopLeft, kBottomRight);
  ExpectCanvas(canvas, FramePixel, rect);
}

TEST(Gdi, FillSolidRectFillsExactlyTheRect) {
  CCanvas canvas(kWidth, kHeight);
  canvas.Dc().FillSolidRect(0, 0, kWidth, kHeight, kBackground);
  const CRect rect(2, 3, 10, 8);

  canvas.Dc().FillSolidRect(&rect, kFill);
  ExpectCanvas(
      canvas,
      [](const CRect& r, int x, int y) { return r.PtInRect(CPoint(x, y)) ? kFill : kBackground; },
      rect);
}

TEST(Gdi, ObjectsAndOwnedDcsAreDeletedBorrowedDcsAreNot) {
  HGDIOBJ font = nullptr;
  HGDIOBJ replacedBitmap = nullptr;
  HGDIOBJ selectedBitmap = nullptr;
  HDC ownedDc = nullptr;
  {
    CFont cfont;
    LOGFONTA logFont{};
    logFont.lfHeight = -12;
    ASSERT_TRUE(cfont.CreateFontIndirect(&logFont));
    font = cfont.GetSafeHandle();
    EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));

    CBitmap bitmap;
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    ownedDc = dc;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 4, 4));
    replacedBitmap = bitmap.GetSafeHandle();
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 4, 4));
    EXPECT_EQ(::GetObjectType(replacedBitmap), 0u) << "a replaced object is deleted";
    selectedBitmap = bitmap.GetSafeHandle();
    dc.SelectObject(&bitmap);
    // The DC goes first and lets go of the bitmap, which can then be deleted.
  }
  EXPECT_EQ(::GetObjectType(font), 0u);
  EXPECT_EQ(::GetObjectType(selectedBitmap), 0u);
  EXPECT_EQ(::GetObjectType(ownedDc), 0u);

  CDC owner;
  ASSERT_TRUE(owner.CreateCompatibleDC(nullptr));
  {
    CDC borrower;
    borrower.Attach(owner);
  }
  EXPECT_EQ(::GetObjectType(owner), static_cast<DWORD>(OBJ_MEMDC));
}

TEST(Gdi, PaintDcPaintsTheWindowAndValidatesIt) {
  CPaintingDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ::SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  dialog.RedrawWindow();
  ASSERT_GE(dialog.m_paints, 1);
  EXPECT_FALSE(::GetUpdateRect(dialog, nullptr, FALSE)) << "EndPaint validated the window";

  CRect client;
  dialog.GetClientRect(&client);
  CClientDC dc(&dialog);
  EXPECT_EQ(dc.GetPixel(0, 0), kTopLeft);
  EXPECT_EQ(dc.GetPixel(client.right - 1, client.bottom - 1), kBottomRight);
  EXPECT_EQ(dc.GetPixel(client.right - 20, client.bottom - 5), kFill);
  EXPECT_EQ(dc.GetPixel(client.right, client.bottom - 5), CLR_INVALID) << "outside the client";
}
