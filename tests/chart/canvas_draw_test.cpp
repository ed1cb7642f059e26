#include <gtest/gtest.h>

#include <cmath>

#include "canvas_support.h"
#include "platform/gdi/GdiText.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/kernel/TextConvert.h"

namespace {

using canvastest::CanvasOnBitmap;
using chart::TPlotCanvas3D;
using fw::clBlack;
using fw::clBlue;
using fw::clRed;
using fw::clWhite;

TEST_F(CanvasOnBitmap, RectanglesAndFillsPaintTheirPixels) {
  canvas_.Brush()->SetColor(clRed);
  canvas_.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(At(10, 10), clBlack) << "outline";
  EXPECT_EQ(At(19, 19), clBlack);
  EXPECT_EQ(At(15, 15), clRed) << "interior";
  EXPECT_EQ(At(20, 20), clWhite) << "right and bottom are exclusive";
  canvas_.Brush()->SetColor(clBlue);
  canvas_.FillRect(fw::TRect{30, 30, 35, 35});
  EXPECT_EQ(At(30, 30), clBlue);
  EXPECT_EQ(At(34, 34), clBlue);
  EXPECT_EQ(At(35, 34), clWhite);
}

TEST_F(CanvasOnBitmap, AHiddenPenDrawsNoOutlineAndNoLines) {
  canvas_.Pen()->SetVisible(false);
  canvas_.Brush()->SetColor(clRed);
  canvas_.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(At(10, 10), clRed) << "the fill reaches the edge when the outline is hidden";
  canvas_.Line(0, 50, 100, 50);
  EXPECT_EQ(At(50, 50), clWhite);
  canvas_.Pen()->SetVisible(true);
  canvas_.Line(0, 50, 100, 50);
  EXPECT_EQ(At(50, 50), clBlack);
}

TEST_F(CanvasOnBitmap, XorPenTwiceRestoresThePicture) {
  canvas_.Brush()->SetColor(0x336699);
  canvas_.FillRect(fw::TRect{0, 0, 60, 60});
  canvas_.Pen()->SetColor(0x0F0F0F);
  canvas_.Pen()->SetMode(fw::pmXor);
  canvas_.Line(5, 20, 50, 20);
  EXPECT_EQ(At(30, 20), 0x336699 ^ 0x0F0F0F);
  canvas_.Line(5, 20, 50, 20);
  EXPECT_EQ(At(30, 20), 0x336699);
}

TEST_F(CanvasOnBitmap, FlatEndsStopAtTheEndPointAndSquareEndsReachHalfTheWidthBeyond) {
  canvas_.Pen()->SetWidth(9);
  canvas_.Pen()->SetEndStyle(chart::esFlat);
  canvas_.Line(30, 20, 60, 20);
  EXPECT_EQ(At(40, 20), clBlack);
  EXPECT_EQ(At(28, 20), clWhite);
  EXPECT_EQ(At(40, 24), clBlack) << "the width is kept";
  canvas_.Pen()->SetEndStyle(chart::esSquare);
  canvas_.Line(30, 50, 60, 50);
  EXPECT_EQ(At(28, 50), clBlack);
  EXPECT_EQ(At(28, 46), clBlack) << "square corner";
}

TEST_F(CanvasOnBitmap, SmallDotsPaintEveryOtherPixel) {
  canvas_.Pen()->SetSmallDots(true);
  canvas_.Line(10, 5, 30, 5);
  int painted = 0;
  for (int x = 10; x < 30; ++x) {
    const bool on = At(x, 5) == clBlack;
    painted += on;
    if (x > 10) {
      EXPECT_NE(on, At(x - 1, 5) == clBlack) << "x " << x;
    }
  }
  EXPECT_EQ(painted, 10);
}

TEST_F(CanvasOnBitmap, ClippingKeepsDrawingInsideTheShapeUntilRemoved) {
  canvas_.Brush()->SetColor(clRed);
  canvas_.ClipRectangle(fw::TRect{10, 10, 20, 20});
  canvas_.FillRect(fw::TRect{0, 0, 100, 100});
  EXPECT_EQ(At(10, 10), clRed);
  EXPECT_EQ(At(19, 19), clRed);
  EXPECT_EQ(At(20, 15), clWhite);
  EXPECT_EQ(At(9, 15), clWhite);
  canvas_.UnClipRectangle();
  canvas_.Brush()->SetColor(clBlue);
  canvas_.ClipEllipse(fw::TRect{40, 40, 80, 80});
  canvas_.FillRect(fw::TRect{0, 0, 100, 100});
  EXPECT_EQ(At(60, 60), clBlue);
  EXPECT_EQ(At(41, 41), clWhite) << "corner of the box lies outside the ellipse";
  EXPECT_EQ(At(15, 15), clRed);
  const fw::TPoint tri[3] = {{0, 0}, {40, 0}, {0, 40}};
  canvas_.ClipPolygon(tri, 3);
  canvas_.Brush()->SetColor(clBlack);
  canvas_.FillRect(fw::TRect{0, 0, 100, 100});
  EXPECT_EQ(At(5, 5), clBlack);
  EXPECT_EQ(At(35, 35), clWhite) << "beyond the hypotenuse";
  EXPECT_EQ(At(60, 60), clBlue) << "the polygon replaced the ellipse";
  canvas_.UnClipRectangle();
  canvas_.FillRect(fw::TRect{0, 0, 100, 100});
  EXPECT_EQ(At(60, 60), clBlack);
}

TEST_F(CanvasOnBitmap, BlendingShowsTheFormerPictureByTheTransparency) {
  struct Case {
    int transparency;
    int expected;
  };
  for (const Case c : {Case{0, 0}, Case{50, 128}, Case{100, 255}, Case{25, 64}}) {
    canvas_.Brush()->SetColor(clWhite);
    canvas_.FillRect(fw::TRect{0, 0, 50, 50});
    canvas_.BeginBlending(fw::TRect{10, 10, 40, 40}, c.transparency);
    canvas_.Brush()->SetColor(clBlack);
    canvas_.FillRect(fw::TRect{0, 0, 50, 50});
    canvas_.EndBlending();
    EXPECT_NEAR(Channel(20, 20, 8), c.expected, 1) << c.transparency;
    EXPECT_EQ(At(5, 5), clBlack) << "outside the blended rectangle nothing is restored";
  }
}

TEST_F(CanvasOnBitmap, TextUsesTheFontAlignmentAndShadow) {
  canvas_.Font()->SetName(win::WideToUtf8(win::kTestFontFace));
  canvas_.Font()->SetHeight(-20);
  canvas_.Font()->SetColor(clBlue);
  const int w = canvas_.TextWidth("AB");
  EXPECT_EQ(w, 2 * canvas_.TextWidth("A"));
  EXPECT_GT(canvas_.TextHeight("A"), 10);
  canvas_.SetTextAlign(win::TA_RIGHT);
  canvas_.TextOut(60, 10, "AB");
  EXPECT_EQ(At(60 - w, 12), clBlue) << "right-aligned text ends at X";
  EXPECT_EQ(At(59 - w, 12), clWhite);
  EXPECT_EQ(At(58, 12), clBlue);
  EXPECT_EQ(At(60, 12), clWhite);
  canvas_.SetTextAlign(win::TA_LEFT);
  canvas_.Font()->Shadow()->HorizSize = 3;
  canvas_.Font()->Shadow()->VertSize = 3;
  canvas_.Font()->Shadow()->Color = clRed;
  canvas_.TextOut(10, 50, "A");
  const int a = canvas_.TextWidth("A");
  EXPECT_EQ(At(11, 52), clBlue) << "text on top";
  EXPECT_EQ(At(10 + a - 2 + 3, 52 + 3), clRed) << "shadow beyond the text's right edge";
  EXPECT_EQ(At(10, 50 + 2), clBlue);
}

TEST_F(CanvasOnBitmap, RotatedTextTurnsCounterClockwise) {
  canvas_.Font()->SetName(win::WideToUtf8(win::kTestFontFace));
  canvas_.Font()->SetHeight(-20);
  canvas_.RotateLabel(50, 80, "AAA", 90);
  // Turned a quarter, the line runs up from (50, 80) and the glyphs' height lies to the right.
  EXPECT_EQ(At(56, 60), clBlack);
  EXPECT_EQ(At(56, 52), clBlack);
  EXPECT_EQ(At(56, 85), clWhite) << "nothing below the origin";
  EXPECT_EQ(At(75, 85), clWhite) << "nothing where the unturned text would be";
  EXPECT_EQ(At(45, 60), clWhite);
}

TEST_F(CanvasOnBitmap, OpaqueBackModePaintsTheTextCellInTheBackColour) {
  canvas_.Font()->SetName(win::WideToUtf8(win::kTestFontFace));
  canvas_.Font()->SetHeight(-20);
  canvas_.Font()->SetColor(clBlue);
  const int a = canvas_.TextWidth("A");
  canvas_.TextOut(10, 10, "A");
  EXPECT_EQ(At(10 + a - 1, 12), clWhite) << "transparent by default: the gap between glyphs stays";
  canvas_.SetBackMode(chart::cbmOpaque);
  canvas_.SetBackColor(clRed);
  EXPECT_EQ(canvas_.GetBackMode(), chart::cbmOpaque);
  EXPECT_EQ(canvas_.GetBackColor(), clRed);
  canvas_.TextOut(10, 50, "A");
  EXPECT_EQ(At(10 + a - 1, 52), clRed);
  EXPECT_EQ(At(11, 52), clBlue);
}

TEST_F(CanvasOnBitmap, ATransparentShadowLetsTheBackgroundThrough) {
  canvas_.Font()->SetName(win::WideToUtf8(win::kTestFontFace));
  canvas_.Font()->SetHeight(-20);
  canvas_.Font()->Shadow()->HorizSize = 4;
  canvas_.Font()->Shadow()->VertSize = 4;
  canvas_.Font()->Shadow()->Color = clBlack;
  canvas_.Font()->Shadow()->Transparency = 50;
  canvas_.Font()->SetColor(clBlue);
  canvas_.SetBackMode(chart::cbmOpaque);
  canvas_.SetBackColor(clRed);
  canvas_.TextOut(20, 20, "A");
  const int a = canvas_.TextWidth("A");
  EXPECT_NEAR(Channel(20 + a + 1, 26, 0), 128, 2) << "half black over white";
  EXPECT_EQ(At(21, 22), clBlue);
  EXPECT_EQ(At(20 + a - 1, 22), clRed) << "the text, not the shadow, takes the opaque background";
}

TEST_F(CanvasOnBitmap, EllipsesAndRoundRectanglesStayInTheirBox) {
  canvas_.Brush()->SetColor(clRed);
  canvas_.Ellipse(10, 10, 50, 50);
  EXPECT_EQ(At(30, 30), clRed);
  EXPECT_EQ(At(30, 10), clBlack) << "top of the outline";
  EXPECT_EQ(At(11, 11), clWhite) << "corner of the box";
  canvas_.RoundRect(60, 10, 100, 50, 20, 20);
  EXPECT_EQ(At(80, 30), clRed);
  EXPECT_EQ(At(80, 10), clBlack);
  EXPECT_EQ(At(60, 10), clWhite) << "the corner is rounded off";
}

TEST_F(CanvasOnBitmap, ArrowAndFrameAreBuiltOfLines) {
  canvas_.Brush()->SetColor(clRed);
  canvas_.Arrow(true, fw::TPoint{10, 50}, fw::TPoint{60, 50}, 10, 10, 0);
  EXPECT_EQ(At(30, 50), clBlack) << "shaft";
  EXPECT_EQ(At(54, 51), clRed) << "filled head";
  EXPECT_EQ(At(61, 50), clWhite);
  fw::TRect r{10, 10, 30, 30};
  canvas_.Frame3D(r, clRed, clBlue, 2);
  EXPECT_EQ(At(10, 10), clRed);
  EXPECT_EQ(At(29, 10), clRed);
  EXPECT_EQ(At(29, 29), clBlue);
  EXPECT_EQ(At(20, 29), clBlue);
  EXPECT_EQ(At(11, 11), clRed) << "second ring";
  EXPECT_EQ(At(12, 12), clWhite);
  EXPECT_EQ(r.left, 12);
  EXPECT_EQ(r.bottom, 28);
  EXPECT_EQ(canvas_.Pen()->Color(), clBlack) << "the pen is given back";
}

TEST_F(CanvasOnBitmap, PixelsAndStretchedPictures) {
  canvas_.SetPixel(3, 4, 0x123456);
  EXPECT_EQ(canvas_.Pixels(3, 4) & 0xFFFFFF, 0x123456);
  fw::TBitmap pic;
  pic.SetPixelFormat(fw::pf24bit);
  pic.SetSize(2, 2);
  pic.Canvas()->Brush()->SetColor(clRed);
  pic.Canvas()->FillRect(fw::TRect{0, 0, 2, 2});
  canvas_.StretchDraw(fw::TRect{50, 50, 70, 70}, &pic);
  EXPECT_EQ(At(50, 50), clRed);
  EXPECT_EQ(At(69, 69), clRed);
  EXPECT_EQ(At(70, 70), clWhite);
}

TEST(PlotCanvasWithoutSurface, DrawsNothingAndFailsNothing) {
  TPlotCanvas3D c;
  c.Rectangle(0, 0, 10, 10);
  c.TextOut(0, 0, "x");
  c.ClipRectangle(fw::TRect{0, 0, 5, 5});
  c.UnClipRectangle();
  c.BeginBlending(fw::TRect{0, 0, 10, 10}, 50);
  c.EndBlending();
  c.Polygon(nullptr, 3);
  c.StretchDraw(fw::TRect{0, 0, 1, 1}, nullptr);
  c.RotateLabel(0, 0, "x", std::nan(""));
  c.Arrow(true, fw::TPoint{5, 5}, fw::TPoint{5, 5}, 8, 8, 0);
  EXPECT_EQ(c.TextWidth("abc"), 0);
  EXPECT_EQ(c.Pixels(0, 0), fw::clNone);
  EXPECT_FALSE(c.NonGDICanvas());
}

}  // namespace
