// Pointer shapes on a bitmap: the centre pixel and the extent of each of the nine styles, the
// outline in the pointer's pen and the fill (or strokes) in the point's colour.

#include <gtest/gtest.h>

#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "chart/SeriesPointer.h"
#include "seriesdraw_support.h"

namespace {

using drawtest::DrawSurface;
using fw::clBlack;
using fw::clRed;
using fw::clWhite;

struct PointerOnBitmap : ::testing::Test {
  PointerOnBitmap() : surface(100, 100), series(nullptr), pointer(series.Pointer()) {
    canvas.SetReferenceCanvas(surface.bitmap.Canvas());
    pointer->SetVisible(true);
    pointer->SetHorizSize(4);
    pointer->SetVertSize(4);
  }
  void Draw(chart::TSeriesPointerStyle Style) {
    surface.Clear();
    pointer->SetStyle(Style);
    pointer->DrawPointer(canvas, 50, 50, clRed);
  }
  DrawSurface surface;
  chart::TLineSeries series;
  chart::TSeriesPointer* pointer;
  chart::TPlotCanvas3D canvas;
};

TEST_F(PointerOnBitmap, RectangleAndCircleCoverTheirBox) {
  Draw(chart::psRectangle);
  EXPECT_EQ(surface.At(50, 50), clRed);
  for (int d : {-4, 4}) {
    EXPECT_EQ(surface.At(50 + d, 50), clBlack);
    EXPECT_EQ(surface.At(50, 50 + d), clBlack);
    EXPECT_EQ(surface.At(50 + d, 50 + d), clBlack) << "corners";
  }
  EXPECT_EQ(surface.At(45, 50), clWhite);
  EXPECT_EQ(surface.At(55, 50), clWhite);
  EXPECT_EQ(surface.At(50, 45), clWhite);
  EXPECT_EQ(surface.At(50, 55), clWhite);

  Draw(chart::psCircle);
  EXPECT_EQ(surface.At(50, 50), clRed);
  EXPECT_EQ(surface.At(46, 50), clBlack);
  EXPECT_EQ(surface.At(54, 50), clBlack);
  EXPECT_EQ(surface.At(50, 46), clBlack);
  EXPECT_EQ(surface.At(50, 54), clBlack);
  EXPECT_EQ(surface.At(45, 50), clWhite);
  EXPECT_EQ(surface.At(55, 50), clWhite);
  EXPECT_EQ(surface.At(46, 46), clWhite) << "a circle leaves its box's corners";
}

TEST_F(PointerOnBitmap, TrianglesPointUpAndDown) {
  Draw(chart::psTriangle);
  EXPECT_EQ(surface.At(50, 46), clBlack) << "apex";
  EXPECT_EQ(surface.At(50, 45), clWhite);
  EXPECT_EQ(surface.At(46, 54), clBlack);
  EXPECT_EQ(surface.At(54, 54), clBlack);
  EXPECT_EQ(surface.At(50, 54), clBlack) << "base";
  EXPECT_EQ(surface.At(50, 55), clWhite);
  EXPECT_EQ(surface.At(50, 51), clRed);
  EXPECT_EQ(surface.At(46, 47), clWhite);

  Draw(chart::psDownTriangle);
  EXPECT_EQ(surface.At(50, 54), clBlack) << "apex";
  EXPECT_EQ(surface.At(50, 55), clWhite);
  EXPECT_EQ(surface.At(46, 46), clBlack);
  EXPECT_EQ(surface.At(54, 46), clBlack);
  EXPECT_EQ(surface.At(50, 45), clWhite);
  EXPECT_EQ(surface.At(50, 49), clRed);
  EXPECT_EQ(surface.At(46, 53), clWhite);
}

TEST_F(PointerOnBitmap, CrossesAreStrokesInThePointColour) {
  Draw(chart::psCross);
  for (int d = -4; d <= 4; ++d) {
    EXPECT_EQ(surface.At(50 + d, 50), clRed) << d;
    EXPECT_EQ(surface.At(50, 50 + d), clRed) << d;
  }
  EXPECT_EQ(surface.At(45, 50), clWhite);
  EXPECT_EQ(surface.At(55, 50), clWhite);
  EXPECT_EQ(surface.At(50, 55), clWhite);
  EXPECT_EQ(surface.At(47, 47), clWhite);

  Draw(chart::psDiagCross);
  for (int d = -4; d <= 4; ++d) {
    EXPECT_EQ(surface.At(50 + d, 50 + d), clRed) << d;
    EXPECT_EQ(surface.At(50 + d, 50 - d), clRed) << d;
  }
  EXPECT_EQ(surface.At(55, 55), clWhite);
  EXPECT_EQ(surface.At(45, 55), clWhite);
  EXPECT_EQ(surface.At(50, 46), clWhite);

  Draw(chart::psStar);
  EXPECT_EQ(surface.At(46, 50), clRed);
  EXPECT_EQ(surface.At(46, 46), clRed);
  EXPECT_EQ(surface.At(54, 46), clRed);
  EXPECT_EQ(surface.At(50, 54), clRed);
  EXPECT_EQ(surface.At(55, 50), clWhite);
  EXPECT_EQ(surface.At(48, 46), clWhite);

  pointer->Pen()->SetVisible(false);
  Draw(chart::psCross);
  EXPECT_EQ(surface.At(46, 50), clRed) << "strokes do not depend on the outline pen";
}

TEST_F(PointerOnBitmap, DiamondAndSmallDot) {
  Draw(chart::psDiamond);
  EXPECT_EQ(surface.At(50, 46), clBlack);
  EXPECT_EQ(surface.At(54, 50), clBlack);
  EXPECT_EQ(surface.At(50, 54), clBlack);
  EXPECT_EQ(surface.At(46, 50), clBlack);
  EXPECT_EQ(surface.At(50, 50), clRed);
  EXPECT_EQ(surface.At(46, 46), clWhite);
  EXPECT_EQ(surface.At(54, 54), clWhite);
  EXPECT_EQ(surface.At(45, 50), clWhite);
  EXPECT_EQ(surface.At(50, 55), clWhite);

  Draw(chart::psSmallDot);
  EXPECT_EQ(surface.At(50, 50), clRed);
  EXPECT_EQ(surface.CountNotWhite(), 1);
}

TEST_F(PointerOnBitmap, SizesAreHalfExtentsAndCanDiffer) {
  pointer->SetHorizSize(6);
  pointer->SetVertSize(2);
  Draw(chart::psRectangle);
  EXPECT_EQ(surface.At(44, 50), clBlack);
  EXPECT_EQ(surface.At(56, 50), clBlack);
  EXPECT_EQ(surface.At(43, 50), clWhite);
  EXPECT_EQ(surface.At(50, 48), clBlack);
  EXPECT_EQ(surface.At(50, 47), clWhite);
  EXPECT_TRUE(pointer->Covers(50, 50, 56, 52));
  EXPECT_FALSE(pointer->Covers(50, 50, 57, 50));
  EXPECT_FALSE(pointer->Covers(50, 50, 50, 53));
  pointer->SetHorizSize(-3);
  EXPECT_EQ(pointer->HorizSize(), 0);
  pointer->SetVertSize(1'000'000);
  EXPECT_EQ(pointer->VertSize(), 1000);
}

TEST_F(PointerOnBitmap, AssignCopiesEveryProperty) {
  chart::TLineSeries other(nullptr);
  chart::TSeriesPointer* p = other.Pointer();
  p->SetVisible(true);
  p->SetStyle(chart::psStar);
  p->SetColor(fw::clTeal);
  p->SetHorizSize(7);
  p->SetVertSize(9);
  p->SetDraw3D(false);
  p->SetDark3D(false);
  p->Pen()->SetColor(fw::clPurple);
  p->Pen()->SetWidth(3);
  pointer->SetVisible(false);
  pointer->Assign(p);
  EXPECT_TRUE(pointer->Visible());
  EXPECT_EQ(pointer->Style(), chart::psStar);
  EXPECT_EQ(pointer->Color(), fw::clTeal);
  EXPECT_EQ(pointer->HorizSize(), 7);
  EXPECT_EQ(pointer->VertSize(), 9);
  EXPECT_FALSE(pointer->Draw3D());
  EXPECT_FALSE(pointer->Dark3D());
  EXPECT_EQ(pointer->Pen()->Color(), fw::clPurple);
  EXPECT_EQ(pointer->Pen()->Width(), 3);
  EXPECT_NE(pointer->Pen(), p->Pen());
}

}  // namespace
