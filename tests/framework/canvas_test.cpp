#include <gtest/gtest.h>

#include <vector>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"

namespace fw {
namespace {

// A canvas on a memory DC holding a 32 bpp bitmap, both owned by the test.
class CanvasOnBitmap : public ::testing::Test {
 protected:
  void SetUp() override {
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = 40;
    bi.bmiHeader.biHeight = -30;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp_ = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = win::CreateCompatibleDC(nullptr);
    old_ = win::SelectObject(dc_, bmp_);
    canvas_.SetHandle(dc_);
  }
  void TearDown() override {
    canvas_.SetHandle(nullptr);
    win::SelectObject(dc_, old_);
    win::DeleteDC(dc_);
    win::DeleteObject(bmp_);
  }
  win::HGDIOBJ Current(win::UINT type) { return win::GetCurrentObject(dc_, type); }

  win::HBITMAP bmp_ = nullptr;
  win::HDC dc_ = nullptr;
  win::HGDIOBJ old_ = nullptr;
  TCanvas canvas_;
};

TEST_F(CanvasOnBitmap, ToolsAreSelectedOnlyWhenADrawingCallNeedsThem) {
  EXPECT_NE(Current(win::OBJ_PEN), canvas_.Pen()->Handle());
  canvas_.MoveTo(1, 1);
  EXPECT_NE(Current(win::OBJ_PEN), canvas_.Pen()->Handle()) << "MoveTo needs no pen";
  canvas_.LineTo(10, 1);
  EXPECT_EQ(Current(win::OBJ_PEN), canvas_.Pen()->Handle());
  EXPECT_EQ(Current(win::OBJ_BRUSH), canvas_.Brush()->Handle());
  EXPECT_NE(Current(win::OBJ_FONT), canvas_.Font()->Handle()) << "lines need no font";
  canvas_.TextOut(0, 0, "A");
  EXPECT_EQ(Current(win::OBJ_FONT), canvas_.Font()->Handle());
}

TEST_F(CanvasOnBitmap, AChangedToolLeavesTheDCAtOnceAndReturnsWithTheNextDrawing) {
  canvas_.Rectangle(0, 0, 5, 5);
  canvas_.TextOut(0, 10, "x");
  win::HGDIOBJ oldPen = canvas_.Pen()->Handle();
  canvas_.Pen()->SetColor(clRed);
  EXPECT_EQ(win::GetObjectType(oldPen), 0u) << "the old pen could be deleted: it was deselected first";
  EXPECT_EQ(Current(win::OBJ_PEN), win::GetStockObject(win::BLACK_PEN));
  canvas_.Font()->SetHeight(-20);
  EXPECT_EQ(Current(win::OBJ_FONT), win::GetStockObject(win::SYSTEM_FONT));
  canvas_.Brush()->SetColor(clBlue);
  EXPECT_EQ(Current(win::OBJ_BRUSH), win::GetStockObject(win::HOLLOW_BRUSH));
  canvas_.FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(Current(win::OBJ_BRUSH), canvas_.Brush()->Handle());
  EXPECT_EQ(Current(win::OBJ_PEN), win::GetStockObject(win::BLACK_PEN)) << "fills need no pen";
  canvas_.LineTo(3, 3);
  EXPECT_EQ(Current(win::OBJ_PEN), canvas_.Pen()->Handle());
  canvas_.Pen()->SetMode(pmXor);
  canvas_.LineTo(4, 4);
  EXPECT_EQ(win::GetROP2(dc_), win::R2_XORPEN);
}

TEST_F(CanvasOnBitmap, DrawingFollowsThePixelRules) {
  canvas_.Brush()->SetColor(clWhite);
  canvas_.FillRect(Rect(0, 0, 40, 30));
  canvas_.Brush()->SetColor(clRed);
  canvas_.FillRect(Rect(2, 3, 6, 8));
  EXPECT_EQ(canvas_.Pixels(2, 3), clRed);
  EXPECT_EQ(canvas_.Pixels(5, 7), clRed);
  EXPECT_EQ(canvas_.Pixels(6, 7), clWhite);
  EXPECT_EQ(canvas_.Pixels(5, 8), clWhite);
  canvas_.Pen()->SetColor(clBlue);
  canvas_.MoveTo(10, 20);
  canvas_.LineTo(20, 20);
  EXPECT_EQ(canvas_.Pixels(10, 20), clBlue);
  EXPECT_EQ(canvas_.Pixels(19, 20), clBlue);
  EXPECT_EQ(canvas_.Pixels(20, 20), clWhite) << "the last pixel of a line is left out";
  EXPECT_EQ(canvas_.PenPos(), Point(20, 20));
  canvas_.SetPixels(30, 5, clLime);
  EXPECT_EQ(canvas_.Pixels(30, 5), clLime);
  canvas_.SetPixels(31, 5, clBtnFace);
  EXPECT_EQ(canvas_.Pixels(31, 5), ColorToRGB(clBtnFace));
}

TEST_F(CanvasOnBitmap, TextUsesTheFontColourAndMeasuresWithTheFont) {
  canvas_.Font()->SetName("Korvalin Test");
  canvas_.Font()->SetHeight(-13);
  EXPECT_EQ(canvas_.TextWidth("abc"), 21);
  EXPECT_EQ(canvas_.TextHeight("abc"), 13);
  canvas_.Brush()->SetColor(clWhite);
  canvas_.FillRect(Rect(0, 0, 40, 30));
  canvas_.Font()->SetColor(clRed);
  canvas_.TextOut(0, 0, "H");
  EXPECT_EQ(canvas_.Pixels(1, 5), clRed);
  EXPECT_EQ(canvas_.PenPos(), Point(7, 0)) << "TextOut moves the pen past the text";
  canvas_.Font()->SetColor(clBlue);
  canvas_.TextOut(10, 0, "H");
  EXPECT_EQ(canvas_.Pixels(11, 5), clBlue) << "a colour change alone reaches the DC";
}

TEST_F(CanvasOnBitmap, TextRectClipsAndFormats) {
  canvas_.Font()->SetName("Korvalin Test");
  canvas_.Font()->SetHeight(-13);
  canvas_.Brush()->SetColor(clWhite);
  canvas_.FillRect(Rect(0, 0, 40, 30));
  canvas_.Font()->SetColor(clBlack);
  canvas_.TextRect(Rect(0, 0, 10, 13), 0, 0, "HHHH");
  EXPECT_EQ(canvas_.Pixels(9, 5), clBlack);
  EXPECT_EQ(canvas_.Pixels(12, 5), clWhite) << "clipped at the rectangle";
  TRect r = Rect(0, 0, 0, 0);
  canvas_.TextRect(r, "abcd", {tfCalcRect, tfSingleLine});
  EXPECT_EQ(r.right, 28);
  EXPECT_EQ(r.bottom, 13);
  TRect centred = Rect(0, 14, 40, 27);
  canvas_.TextRect(centred, "H", {tfCenter, tfSingleLine});
  EXPECT_EQ(canvas_.Pixels(17, 20), clBlack);  // (40 - 7) / 2 = 16 is the first column
  EXPECT_EQ(canvas_.Pixels(15, 20), clWhite);
}

TEST_F(CanvasOnBitmap, ChangeEventsWrapEveryDrawingCall) {
  std::vector<String> events;
  canvas_.OnChanging = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &canvas_);
    events.push_back("changing");
  };
  canvas_.OnChange = [&](TObject*) { events.push_back("change"); };
  canvas_.Rectangle(0, 0, 4, 4);
  canvas_.TextOut(0, 0, "x");
  (void)canvas_.Pixels(0, 0);
  EXPECT_EQ(events, (std::vector<String>{"changing", "change", "changing", "change"}));
}

TEST_F(CanvasOnBitmap, CopyRectUsesTheCopyMode) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(4, 4);
  source.Canvas()->Brush()->SetColor(TColor(0x00F0F0F0));
  source.Canvas()->FillRect(Rect(0, 0, 4, 4));
  canvas_.Brush()->SetColor(TColor(0x000F0F0F));
  canvas_.FillRect(Rect(0, 0, 40, 30));
  canvas_.CopyRect(Rect(0, 0, 8, 8), source.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas_.Pixels(7, 7), 0x00F0F0F0);
  EXPECT_EQ(canvas_.Pixels(8, 8), 0x000F0F0F);
  canvas_.SetCopyMode(cmSrcInvert);
  canvas_.CopyRect(Rect(0, 0, 4, 4), source.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(canvas_.Pixels(0, 0), 0);
}

TEST(Canvas, WithoutADCDrawingFailsCleanly) {
  TCanvas canvas;
  EXPECT_THROW(canvas.Rectangle(0, 0, 1, 1), EInvalidOperation);
  EXPECT_FALSE(canvas.HandleAllocated());
}

TEST(Canvas, LockCountsNesting) {
  TCanvas canvas;
  canvas.Lock();
  canvas.Lock();
  EXPECT_EQ(canvas.LockCount(), 2);
  canvas.Unlock();
  canvas.Unlock();
  EXPECT_EQ(canvas.LockCount(), 0);
  canvas.Unlock();  // unbalanced: ignored
  EXPECT_EQ(canvas.LockCount(), 0);
}

}  // namespace
}  // namespace fw
