#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "canvas_support.h"

namespace {

using canvastest::CanvasOnBitmap;
using chart::TPlotCanvas3D;
using fw::TPoint;
using fw::TRect;
constexpr double kPi = std::numbers::pi;

TEST(PlotCanvasProjection, FlatViewLeavesPointsAlone) {
  TPlotCanvas3D c;
  const TPoint p = c.Calc3DPos(12, 34, 50);
  EXPECT_EQ(p.x, 12);
  EXPECT_EQ(p.y, 34);
}

TEST(PlotCanvasProjection, OrthogonalDepthGoesUpAndRightAtTheAngle) {
  TPlotCanvas3D c;
  c.View().View3D = true;
  c.View().OrthoAngle = 45;
  TPoint p = c.Calc3DPos(10, 100, 20);
  EXPECT_EQ(p.x, 24);  // 20 * cos 45 = 14.14
  EXPECT_EQ(p.y, 86);
  c.View().OrthoAngle = 90;
  p = c.Calc3DPos(10, 100, 20);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 80);
  for (int z : {0, 7, 33, 100})
    for (int x : {-5, 0, 17, 400}) {
      const TPoint s = c.Calc3DPos(x, 2 * x + 1, z);
      const TPoint back = c.Calc2DPos(s.x, s.y, z);
      EXPECT_EQ(back.x, x);
      EXPECT_EQ(back.y, 2 * x + 1);
    }
}

TEST(PlotCanvasProjection, TurnedViewRoundTripsAtAKnownDepth) {
  TPlotCanvas3D c;
  c.InitDrawing(TRect{0, 0, 400, 300});
  c.EndDrawing();
  c.View().View3D = true;
  c.View().Orthogonal = false;
  c.View().Depth = 60;
  for (int rotation : {345, 300, 20, 360})
    for (int elevation : {345, 280, 360}) {
      c.View().Rotation = rotation;
      c.View().Elevation = elevation;
      for (int z : {0, 30, 60})
        for (int x = 0; x <= 400; x += 80)
          for (int y = 0; y <= 300; y += 75) {
            const TPoint s = c.Calc3DPos(x, y, z);
            const TPoint back = c.Calc2DPos(s.x, s.y, z);
            // Screen pixels are rounded to half a pixel; going back through a turned plane
            // magnifies that by the inverse of the turn, and the result is rounded again.
            const double cr = std::fabs(std::cos(rotation * kPi / 180)), ce = std::fabs(std::cos(elevation * kPi / 180));
            const double sx = 0.5 / cr, sy = (0.5 + std::fabs(std::sin(elevation * kPi / 180)) * sx) / ce;
            EXPECT_LE(std::abs(back.x - x), sx + 0.5) << rotation << "/" << elevation << " z " << z;
            EXPECT_LE(std::abs(back.y - y), sy + 0.5) << rotation << "/" << elevation << " z " << z;
          }
    }
  c.View().Rotation = 360;
  c.View().Elevation = 360;
  const TPoint front = c.Calc3DPos(50, 60, 30);
  EXPECT_EQ(front.x, 50) << "an unturned box shows its front flat";
  EXPECT_EQ(front.y, 60);
  c.View().Rotation = 330;
  const TPoint back = c.Calc3DPos(200, 150, 60), near = c.Calc3DPos(200, 150, 0);
  EXPECT_NE(back.x, near.x) << "a turned box shows depth";
}

// Records which virtual primitives the built-up operations call.
class ProjectionRecordingCanvas : public TPlotCanvas3D {
 public:
  std::vector<std::string> calls;
  void Line(fw::Integer X0, fw::Integer Y0, fw::Integer X1, fw::Integer Y1) override {
    calls.push_back("Line " + std::to_string(X0) + "," + std::to_string(Y0) + "-" + std::to_string(X1) + "," +
                    std::to_string(Y1));
  }
  void MoveTo(fw::Integer X, fw::Integer Y) override { calls.push_back("MoveTo " + Pt(X, Y)); }
  void LineTo(fw::Integer X, fw::Integer Y) override { calls.push_back("LineTo " + Pt(X, Y)); }
  void Polygon(const TPoint* P, fw::Integer N) override {
    std::string s = "Polygon";
    for (int i = 0; i < N; ++i) s += " " + Pt(P[i].x, P[i].y);
    calls.push_back(s);
  }
  void GradientFill(const TRect& R, fw::TColor S, fw::TColor E, chart::TGradientDirection D,
                    fw::Integer B) override {
    calls.push_back("Gradient " + Pt(R.left, R.top) + " " + Pt(R.right, R.bottom) + " " + std::to_string(S) + ">" +
                    std::to_string(E) + " d" + std::to_string(int(D)) + " b" + std::to_string(B));
  }
  void TextOut(fw::Integer X, fw::Integer Y, const fw::String& T) override { calls.push_back("Text " + Pt(X, Y) + " " + T); }
  using TPlotCanvas3D::Polygon;

 private:
  static std::string Pt(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

TEST(PlotCanvasOverrides, BuiltUpOperationsReachOnlyTheOverridablePrimitives) {
  ProjectionRecordingCanvas c;
  c.View().View3D = true;  // orthogonal 45 degrees: depth 10 moves (+7, -7)
  const TPoint line[3] = {{0, 0}, {5, 5}, {9, 1}};
  c.Polyline(line, 3);
  c.HorizLine3D(0, 20, 30, 10);
  c.VertLine3D(5, 0, 20, 0);
  c.MoveTo3D(1, 2, 10);
  c.LineTo3D(3, 4, 10);
  c.PlaneAtZ(TRect{0, 0, 10, 20}, 10);
  c.TextOut3D(0, 10, 10, "t");
  const std::vector<std::string> expected = {
      "MoveTo 0,0", "LineTo 5,5", "LineTo 9,1", "Line 7,23-27,23", "Line 5,0-5,20", "MoveTo 8,-5",
      "LineTo 10,-3", "Polygon 7,-7 17,-7 17,13 7,13", "Text 7,3 t"};
  EXPECT_EQ(c.calls, expected);
  EXPECT_EQ(c.FourPoints[2].x, 17);
  EXPECT_EQ(c.FourPoints[2].y, 13);
  c.calls.clear();
  c.Arrow(true, TPoint{0, 0}, TPoint{20, 0}, 8, 8, 0);
  ASSERT_EQ(c.calls.size(), 2u);
  EXPECT_EQ(c.calls[0], "Line 0,0-12,0");
  EXPECT_EQ(c.calls[1], "Polygon 20,0 12,4 12,-4");
  c.calls.clear();
  TRect r{0, 0, 10, 10};
  c.Frame3D(r, fw::clRed, fw::clBlue, 1);
  EXPECT_EQ(c.calls.size(), 4u);
}

TEST(PlotCanvasOverrides, GradientsDrawThroughTheCanvasFill) {
  ProjectionRecordingCanvas c;
  chart::TPlotGradient g;
  g.Direction = chart::gdTopBottom;
  g.StartColor = 1;
  g.EndColor = 3;
  g.Balance = 30;
  g.Draw(&c, TRect{0, 0, 10, 100});
  ASSERT_EQ(c.calls.size(), 1u);
  EXPECT_EQ(c.calls[0], "Gradient 0,0 10,100 1>3 d0 b30");
  c.calls.clear();
  g.MidColor = 2;
  g.Draw(&c, TRect{0, 0, 10, 100});
  const std::vector<std::string> split = {"Gradient 0,0 10,30 1>2 d0 b50", "Gradient 0,30 10,100 2>3 d0 b50"};
  EXPECT_EQ(c.calls, split);
  c.calls.clear();
  g.Direction = chart::gdBottomTop;
  g.Draw(&c, TRect{0, 0, 10, 100});
  const std::vector<std::string> back = {"Gradient 0,0 10,70 2>3 d1 b50", "Gradient 0,70 10,100 1>2 d1 b50"};
  EXPECT_EQ(c.calls, back) << "the balance is measured from the start side (the bottom)";
  c.calls.clear();
  g.Draw(&c, TRect{0, 0, 0, 100});
  EXPECT_TRUE(c.calls.empty()) << "an empty rectangle draws nothing";
}

TEST_F(CanvasOnBitmap, StraightGradientsRunFromStartToEnd) {
  canvas_.GradientFill(TRect{0, 0, 101, 10}, fw::clBlack, fw::clWhite, chart::gdLeftRight, 50);
  EXPECT_LE(Channel(0, 5, 0), 3);
  EXPECT_GE(Channel(100, 5, 0), 252);
  EXPECT_NEAR(Channel(50, 5, 0), 127, 4);
  canvas_.GradientFill(TRect{0, 20, 101, 30}, fw::clBlack, fw::clWhite, chart::gdRightLeft, 50);
  EXPECT_GE(Channel(0, 25, 0), 252);
  EXPECT_LE(Channel(100, 25, 0), 3);
  canvas_.GradientFill(TRect{0, 40, 101, 50}, fw::clBlack, fw::clWhite, chart::gdLeftRight, 20);
  EXPECT_NEAR(Channel(20, 45, 0), 127, 4) << "balance moves the halfway colour";
  canvas_.GradientFill(TRect{110, 0, 120, 100}, fw::clRed, fw::clBlue, chart::gdTopBottom, 50);
  EXPECT_GE(Channel(115, 0, 0), 250);
  EXPECT_GE(Channel(115, 99, 16), 250);
}

TEST_F(CanvasOnBitmap, CornerAndCentreGradients) {
  canvas_.GradientFill(TRect{0, 0, 40, 40}, fw::clBlack, fw::clWhite, chart::gdDiagonalDown, 50);
  EXPECT_LE(Channel(0, 0, 0), 6);
  EXPECT_GE(Channel(39, 39, 0), 245);
  EXPECT_NEAR(Channel(39, 0, 0), 127, 6);
  canvas_.GradientFill(TRect{50, 0, 90, 40}, fw::clBlack, fw::clWhite, chart::gdFromCenter, 50);
  EXPECT_LE(Channel(70, 20, 0), 6);
  EXPECT_GE(Channel(50, 0, 0), 249);
  canvas_.RadialOffset = TPoint{10, 10};
  canvas_.GradientFill(TRect{0, 50, 40, 90}, fw::clBlack, fw::clWhite, chart::gdRadial, 50);
  canvas_.RadialOffset = TPoint{};
  EXPECT_LE(Channel(30, 80, 0), 6) << "the centre is moved by the offset";
  EXPECT_GE(Channel(0, 50, 0), 200) << "the far corner takes the end colour";
  EXPECT_EQ(At(41, 50), fw::clWhite) << "nothing is painted outside the rectangle";
  EXPECT_EQ(At(20, 91), fw::clWhite);
  // Offsets as far as a file may give draw as a centre at the bounded distance: the rectangle
  // takes colours near the end colour, nothing overflows.
  for (const TPoint offset : {TPoint{INT32_MAX, INT32_MIN}, TPoint{INT32_MIN, INT32_MAX}}) {
    canvas_.RadialOffset = offset;
    canvas_.GradientFill(TRect{60, 50, 100, 90}, fw::clWhite, fw::clBlack, chart::gdRadial, 50);
    EXPECT_LE(Channel(80, 70, 0), 6);
    EXPECT_EQ(At(101, 70), fw::clWhite);
  }
  canvas_.RadialOffset = TPoint{};
}

TEST_F(CanvasOnBitmap, BufferedDisplayShowsTheBufferUntilMarkedDirty) {
  canvas_.SetBufferedDisplay(true);
  canvas_.InitDrawing(TRect{10, 10, 60, 60});
  canvas_.Brush()->SetColor(fw::clRed);
  canvas_.FillRect(TRect{20, 20, 30, 30});
  EXPECT_EQ(At(25, 25), fw::clWhite) << "drawing goes to the buffer first";
  canvas_.EndDrawing();
  EXPECT_EQ(At(25, 25), fw::clRed);
  EXPECT_FALSE(canvas_.Dirty());
  bitmap_.Canvas()->Brush()->SetColor(fw::clBlue);
  bitmap_.Canvas()->FillRect(TRect{0, 0, 100, 100});
  EXPECT_TRUE(canvas_.ReDrawBitmap());
  EXPECT_EQ(At(25, 25), fw::clRed);
  EXPECT_EQ(At(5, 5), fw::clBlue) << "only the bounds are copied";
  canvas_.Invalidate();
  EXPECT_FALSE(canvas_.ReDrawBitmap()) << "a dirty buffer must be drawn again";
  canvas_.SetBufferedDisplay(false);
  canvas_.InitDrawing(TRect{10, 10, 60, 60});
  canvas_.FillRect(TRect{40, 40, 45, 45});
  EXPECT_EQ(At(42, 42), fw::clRed) << "unbuffered drawing is immediate";
  canvas_.EndDrawing();
}

TEST(PlotCanvasSettings, AReplacingCanvasTakesPenBrushFontAndView) {
  TPlotCanvas3D old, fresh;
  old.Pen()->SetColor(fw::clRed);
  old.Pen()->SetWidth(3);
  old.Pen()->SetEndStyle(chart::esSquare);
  old.Pen()->SetSmallDots(true);
  old.Pen()->SetVisible(false);
  old.Brush()->SetColor(fw::clBlue);
  old.Font()->SetName("Arial");
  old.Font()->Shadow()->HorizSize = 4;
  old.Font()->Shadow()->Transparency = 30;
  old.View().View3D = true;
  old.View().Rotation = 10;
  old.SetBackMode(chart::cbmOpaque);
  old.SetBufferedDisplay(true);
  fresh.AssignSettings(&old);
  EXPECT_EQ(fresh.Pen()->Color(), fw::clRed);
  EXPECT_EQ(fresh.Pen()->Width(), 3);
  EXPECT_EQ(fresh.Pen()->EndStyle(), chart::esSquare);
  EXPECT_TRUE(fresh.Pen()->SmallDots());
  EXPECT_FALSE(fresh.Pen()->Visible());
  EXPECT_EQ(fresh.Brush()->Color(), fw::clBlue);
  EXPECT_EQ(fresh.Font()->Name(), "Arial");
  EXPECT_EQ(fresh.Font()->Shadow()->HorizSize, 4);
  EXPECT_EQ(fresh.Font()->Shadow()->Transparency, 30);
  EXPECT_TRUE(fresh.View().View3D);
  EXPECT_EQ(fresh.View().Rotation, 10);
  EXPECT_EQ(fresh.GetBackMode(), chart::cbmOpaque);
  EXPECT_TRUE(fresh.BufferedDisplay());
  old.Pen()->SetColor(fw::clGreen);
  EXPECT_EQ(fresh.Pen()->Color(), fw::clRed) << "a copy, not a share";
}

TEST(PlotCanvasSettings, GradientAssignCopiesEverything) {
  chart::TPlotGradient a, b;
  a.Visible = true;
  a.Direction = chart::gdRadial;
  a.StartColor = 1;
  a.MidColor = 2;
  a.EndColor = 3;
  a.Balance = 70;
  a.RadialX = -5;
  a.RadialY = 6;
  b.Assign(&a);
  EXPECT_TRUE(b.Visible);
  EXPECT_EQ(b.Direction, chart::gdRadial);
  EXPECT_EQ(b.StartColor, 1);
  EXPECT_EQ(b.MidColor, 2);
  EXPECT_EQ(b.EndColor, 3);
  EXPECT_EQ(b.Balance, 70);
  EXPECT_EQ(b.RadialX, -5);
  EXPECT_EQ(b.RadialY, 6);
}

}  // namespace
