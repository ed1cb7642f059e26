// Pointer shapes on a bitmap: the centre pixel and the extent of each of the nine styles, the
// outline in the pointer's pen and the fill (or strokes) in the point's colour.

#include <gtest/gtest.h>

#include <vector>

#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "chart/SeriesPointer.h"
#include "seriesdraw_support.h"

namespace {

using drawtest::DrawSurface;
using fw::TColor;

constexpr TColor F = fw::clRed;    // the point's colour: fill and strokes
constexpr TColor O = fw::clBlack;  // the pointer's pen: outline
constexpr TColor W = fw::clWhite;  // untouched

struct Pixel {
  int dx, dy;
  TColor color;
};

struct PointerOnBitmap : ::testing::Test {
  PointerOnBitmap() : surface(100, 100), series(nullptr), pointer(series.Pointer()) {
    canvas.SetReferenceCanvas(surface.bitmap.Canvas());
    pointer->SetVisible(true);
    pointer->SetHorizSize(4);
    pointer->SetVertSize(4);
  }
  // Draws the style centred at (50, 50) and checks the pixels given relative to the centre.
  void Check(chart::TSeriesPointerStyle Style, const std::vector<Pixel>& Pixels) {
    surface.Clear();
    pointer->SetStyle(Style);
    pointer->DrawPointer(canvas, 50, 50, F);
    for (const Pixel& p : Pixels)
      EXPECT_EQ(surface.At(50 + p.dx, 50 + p.dy), p.color) << "style " << Style << " at " << p.dx << "," << p.dy;
  }
  DrawSurface surface;
  chart::TLineSeries series;
  chart::TSeriesPointer* pointer;
  chart::TPlotCanvas3D canvas;
};

TEST_F(PointerOnBitmap, EachStyleHasItsCentreAndExtent) {
  Check(chart::psRectangle, {{0, 0, F}, {-4, 0, O}, {4, 0, O}, {0, -4, O}, {0, 4, O}, {-4, -4, O}, {4, 4, O},
                             {-5, 0, W}, {5, 0, W}, {0, -5, W}, {0, 5, W}});
  Check(chart::psCircle, {{0, 0, F}, {-4, 0, O}, {4, 0, O}, {0, -4, O}, {0, 4, O},
                          {-5, 0, W}, {5, 0, W}, {-4, -4, W}});  // the box's corners stay clear
  Check(chart::psTriangle, {{0, -4, O}, {0, -5, W}, {-4, 4, O}, {4, 4, O}, {0, 4, O}, {0, 5, W},
                            {0, 1, F}, {-4, -3, W}});
  Check(chart::psDownTriangle, {{0, 4, O}, {0, 5, W}, {-4, -4, O}, {4, -4, O}, {0, -5, W},
                                {0, -1, F}, {-4, 3, W}});
  Check(chart::psCross, {{-4, 0, F}, {4, 0, F}, {0, -4, F}, {0, 4, F}, {0, 0, F},
                         {-5, 0, W}, {5, 0, W}, {0, 5, W}, {-3, -3, W}});
  Check(chart::psDiagCross, {{-4, -4, F}, {4, 4, F}, {-4, 4, F}, {4, -4, F}, {0, 0, F},
                             {5, 5, W}, {-5, 5, W}, {0, -4, W}});
  Check(chart::psStar, {{-4, 0, F}, {-4, -4, F}, {4, -4, F}, {0, 4, F}, {5, 0, W}, {-2, -4, W}});
  Check(chart::psDiamond, {{0, -4, O}, {4, 0, O}, {0, 4, O}, {-4, 0, O}, {0, 0, F},
                           {-4, -4, W}, {4, 4, W}, {-5, 0, W}, {0, 5, W}});
  Check(chart::psSmallDot, {{0, 0, F}});
  EXPECT_EQ(surface.CountNotWhite(), 1) << "a small dot is one pixel";
}

TEST_F(PointerOnBitmap, StrokesDoNotDependOnTheOutlinePen) {
  pointer->Pen()->SetVisible(false);
  Check(chart::psCross, {{-4, 0, F}, {0, 4, F}});
  Check(chart::psRectangle, {{0, 0, F}, {-5, 0, W}});
}

TEST_F(PointerOnBitmap, SizesAreHalfExtentsAndCanDiffer) {
  pointer->SetHorizSize(6);
  pointer->SetVertSize(2);
  Check(chart::psRectangle, {{-6, 0, O}, {6, 0, O}, {-7, 0, W}, {0, -2, O}, {0, -3, W}});
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
