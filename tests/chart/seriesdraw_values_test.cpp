// Series drawing: the GDI path and the per-run Polyline path give the same pixels; a derived
// canvas receives the line as Polyline runs broken at null and non-finite points; pointers,
// hooks, the visible range, legend symbols and the pen that follows the series colour.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>

#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "chart/SeriesMarks.h"
#include "chart/SeriesPointer.h"
#include "chart_TestSupport.h"
#include "seriesdraw_support.h"

namespace {

using chart::TChartAxis;
using chart::TLineSeries;
using drawtest::Call;
using drawtest::DrawSurface;
using drawtest::RecordingCanvas;
using fw::TPoint;

constexpr double kSeriesNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kSeriesInf = std::numeric_limits<double>::infinity();

// A canvas class of its own that overrides nothing: it must get the Polyline path, whose
// pixels come from the canvas's own MoveTo/LineTo.
class DerivedCanvas : public chart::TPlotCanvas3D {};

struct SeriesOnAxes : ::testing::Test {
  SeriesOnAxes() : surface(160, 120), series(nullptr), horiz(true), vert(false) {
    horiz.SetMinMax(0, 100);
    vert.SetMinMax(0, 100);
    horiz.SetPlotRect(win::RECT{10, 10, 110, 110});
    vert.SetPlotRect(win::RECT{10, 10, 110, 110});
    series.SetHorizAxis(&horiz);
    series.SetVertAxis(&vert);
    series.SetSeriesColor(fw::clRed);
    canvas.SetReferenceCanvas(surface.bitmap.Canvas());
    recorder.SetReferenceCanvas(surface.bitmap.Canvas());
  }
  DrawSurface surface;
  TLineSeries series;
  TChartAxis horiz, vert;
  chart::TPlotCanvas3D canvas;
  RecordingCanvas recorder;
};

TEST_F(SeriesOnAxes, ALineSeriesStartsWithTheLineShownAndThePointerHidden) {
  EXPECT_TRUE(series.LinePen()->Visible());
  EXPECT_FALSE(series.Pointer()->Visible());
  EXPECT_EQ(series.LinePen(), series.Pen());
  EXPECT_EQ(series.FirstValueIndex(), -1);
  EXPECT_EQ(series.LastValueIndex(), -1);
}

TEST_F(SeriesOnAxes, GdiAndPolylinePathsLeaveTheSamePixels) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> y(0, 100);
  for (int i = 0; i < 2000; ++i) series.AddXY(i * 100.0 / 1999, y(rng));
  series.SetPointY(500, kSeriesNaN);
  series.SetPointColor(900, chart::clNullPoint);
  series.DrawAllValues(canvas);
  const int painted = surface.CountNotWhite();
  ASSERT_GT(painted, 1000);

  DrawSurface other(160, 120);
  DerivedCanvas derived;
  derived.SetReferenceCanvas(other.bitmap.Canvas());
  series.DrawAllValues(derived);
  int differing = 0;
  for (int py = 0; py < 120; ++py)
    for (int px = 0; px < 160; ++px) differing += surface.At(px, py) != other.At(px, py);
  EXPECT_EQ(differing, 0);
}

TEST_F(SeriesOnAxes, ARecordingCanvasGetsOnePolylinePerUnbrokenRun) {
  series.AddXY(0, 0);
  series.AddXY(10, 10);
  series.AddXY(20, kSeriesNaN);  // breaks the line
  series.AddXY(30, 30);
  series.AddXY(40, 40);
  series.AddXY(50, kSeriesInf);  // breaks it too
  series.AddXY(60, 60);     // alone: no line
  series.AddNullPoint(70, 70);
  series.AddXY(80, 80);
  series.AddXY(90, 90);
  series.DrawAllValues(recorder);
  EXPECT_EQ(surface.CountNotWhite(), 0) << "nothing drawn past the canvas's operations";
  const std::vector<Call> lines = recorder.Of("Polyline");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{10, 110}, {20, 100}}));
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{40, 80}, {50, 70}}));
  EXPECT_EQ(lines[2].points, (std::vector<TPoint>{{90, 30}, {100, 20}}));
  for (const Call& c : lines) EXPECT_EQ(c.penColor, fw::clRed);
  EXPECT_EQ(recorder.calls.size(), 3u) << "no pointers while hidden";
}

TEST_F(SeriesOnAxes, PointColoursSplitTheRunsAtTheSharedVertex) {
  for (int i = 0; i < 4; ++i) series.AddXY(i * 10, i * 10);
  series.SetPointColor(2, fw::clBlue);
  series.DrawAllValues(recorder);
  const std::vector<Call> lines = recorder.Of("Polyline");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].points, (std::vector<TPoint>{{10, 110}, {20, 100}}));
  EXPECT_EQ(lines[0].penColor, fw::clRed);
  EXPECT_EQ(lines[1].points, (std::vector<TPoint>{{20, 100}, {30, 90}})) << "the segment into a point takes its colour";
  EXPECT_EQ(lines[1].penColor, fw::clBlue);
  EXPECT_EQ(lines[2].points, (std::vector<TPoint>{{30, 90}, {40, 80}}));
  EXPECT_EQ(lines[2].penColor, fw::clRed);

  // The GDI canvas draws the same colours.
  series.DrawAllValues(canvas);
  EXPECT_EQ(surface.At(15, 105), fw::clRed);
  EXPECT_EQ(surface.At(25, 95), fw::clBlue);
  EXPECT_EQ(surface.At(35, 85), fw::clRed);
}

TEST_F(SeriesOnAxes, PointersAreDrawnAtDrawablePointsOnly) {
  series.Pointer()->SetVisible(true);
  series.LinePen()->SetVisible(false);
  series.AddXY(10, 10);
  series.AddNullPoint(20, 20);
  series.AddXY(30, kSeriesNaN);
  series.AddXY(40, 40);
  series.DrawAllValues(recorder);
  const std::vector<Call> boxes = recorder.Of("Rectangle");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].points[0], (TPoint{20 - 4, 100 - 4}));
  EXPECT_EQ(boxes[1].points[1], (TPoint{50 + 5, 70 + 5}));
  EXPECT_TRUE(recorder.Of("Polyline").empty());
}

TEST_F(SeriesOnAxes, HooksRunAroundTheDrawing) {
  std::vector<std::string> order;
  series.OnBeforeDrawValues = [&](fw::TObject* s) {
    EXPECT_EQ(s, &series);
    order.push_back("before");
    EXPECT_TRUE(recorder.calls.empty());
  };
  series.OnAfterDrawValues = [&](fw::TObject*) {
    order.push_back("after");
    EXPECT_EQ(recorder.Of("Polyline").size(), 1u);
  };
  series.AddXY(0, 0);
  series.AddXY(100, 100);
  series.DrawAllValues(recorder);
  EXPECT_EQ(order, (std::vector<std::string>{"before", "after"}));
}

TEST_F(SeriesOnAxes, VisibleRangeFollowsTheHorizontalAxisOnSortedX) {
  for (int i = 0; i < 100; ++i) series.AddXY(i, i);
  horiz.SetMinMax(10.5, 20);
  series.DrawAllValues(recorder);
  EXPECT_EQ(series.FirstValueIndex(), 10) << "one point before the axis start";
  EXPECT_EQ(series.LastValueIndex(), 21) << "one point past the axis end";
  const std::vector<Call> lines = recorder.Of("Polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].points.size(), 12u);

  series.AddXY(kSeriesNaN, 5);  // sorts last
  horiz.SetMinMax(-50, 500);
  series.DrawAllValues(recorder);
  EXPECT_EQ(series.FirstValueIndex(), 0);
  EXPECT_EQ(series.LastValueIndex(), 100);

  TLineSeries unsorted(nullptr);
  unsorted.XValues()->SetOrder(chart::loNone);
  unsorted.SetHorizAxis(&horiz);
  unsorted.SetVertAxis(&vert);
  unsorted.AddXY(50, 1);
  unsorted.AddXY(-1000, 1);
  unsorted.AddXY(10, 1);
  unsorted.DrawAllValues(recorder);
  EXPECT_EQ(unsorted.FirstValueIndex(), 0);
  EXPECT_EQ(unsorted.LastValueIndex(), 2);

  TLineSeries empty(nullptr);
  empty.SetHorizAxis(&horiz);
  empty.SetVertAxis(&vert);
  empty.DrawAllValues(recorder);
  EXPECT_EQ(empty.FirstValueIndex(), -1);
}

TEST_F(SeriesOnAxes, WithoutAxesNothingIsDrawnOrHit) {
  TLineSeries loose(nullptr);
  loose.AddXY(1, 1);
  loose.AddXY(2, 2);
  loose.DrawAllValues(recorder);
  loose.DrawMarks(recorder);
  EXPECT_TRUE(recorder.calls.empty());
  EXPECT_EQ(loose.PointAt(0, 0), -1);
  EXPECT_EQ(loose.FirstValueIndex(), -1);
}

TEST_F(SeriesOnAxes, PointAtHitsTheLineAndThePointers) {
  series.AddXY(0, 50);   // (10, 60)
  series.AddXY(40, 50);  // (50, 60)
  series.AddXY(80, 90);  // (90, 20)
  EXPECT_EQ(series.PointAt(12, 60), 0) << "on the line, nearer the first point";
  EXPECT_EQ(series.PointAt(45, 60), 1);
  EXPECT_EQ(series.PointAt(30, 61), -1) << "a pixel beside a horizontal line is off it";
  EXPECT_EQ(series.PointAt(70, 40), 1) << "on the diagonal, at equal distance the first end";
  EXPECT_EQ(series.PointAt(88, 22), 2);
  EXPECT_EQ(series.PointAt(150, 60), -1);
  series.LinePen()->SetWidth(5);
  EXPECT_EQ(series.PointAt(30, 62), 0) << "a wide pen reaches further";
  EXPECT_EQ(series.PointAt(30, 63), -1);

  series.LinePen()->SetVisible(false);
  EXPECT_EQ(series.PointAt(30, 60), -1) << "no line drawn, nothing hit between points";
  series.Pointer()->SetVisible(true);
  EXPECT_EQ(series.PointAt(54, 64), 1) << "the pointer's corner";
  EXPECT_EQ(series.PointAt(55, 60), -1);
  series.SetPointColor(1, chart::clNullPoint);
  EXPECT_EQ(series.PointAt(50, 60), -1) << "a null point is not drawn, so not hit";
}

TEST_F(SeriesOnAxes, PixelPositionsMapThroughTheSeriesAxes) {
  series.AddXY(25, 75);
  EXPECT_EQ(series.CalcXPos(0), 35);
  EXPECT_EQ(series.CalcYPos(0), 35);
  EXPECT_EQ(series.PointPixelX(0), series.CalcXPos(0));
  EXPECT_EQ(series.CalcXPosValue(100), 110);
  EXPECT_EQ(series.CalcYPosValue(0), 110);
}

TEST_F(SeriesOnAxes, LegendSymbolIsTheLineWithThePointerInTheMiddle) {
  series.Pointer()->SetVisible(true);
  series.Pointer()->SetHorizSize(2);
  series.Pointer()->SetVertSize(2);
  series.Pointer()->Pen()->SetColor(fw::clBlue);
  series.DrawLegendSymbol(canvas, win::RECT{0, 0, 21, 11});
  EXPECT_EQ(surface.At(0, 5), fw::clRed);
  EXPECT_EQ(surface.At(20, 5), fw::clRed);
  EXPECT_EQ(surface.At(0, 4), fw::clWhite);
  EXPECT_EQ(surface.At(10, 5), fw::clRed) << "the pointer's fill";
  EXPECT_EQ(surface.At(8, 3), fw::clBlue) << "the pointer's frame";
  EXPECT_EQ(surface.At(12, 7), fw::clBlue);
  EXPECT_EQ(surface.At(10, 2), fw::clWhite);

  // The same symbol straight on a framework canvas (lists and grids).
  DrawSurface other(160, 120);
  chart::DrawSeriesSymbolInRect(&series, *other.bitmap.Canvas(), win::RECT{0, 0, 21, 11});
  for (int py = 0; py < 11; ++py)
    for (int px = 0; px < 21; ++px) EXPECT_EQ(other.At(px, py), surface.At(px, py)) << px << "," << py;
  chart::DrawSeriesSymbolInRect(nullptr, *other.bitmap.Canvas(), win::RECT{0, 0, 21, 11});
  series.DrawLegendSymbol(canvas, win::RECT{5, 5, 5, 20});  // empty: nothing, no failure
}

TEST_F(SeriesOnAxes, ThePenFollowsTheSeriesColourAndTheOtherWayRound) {
  charttest::EventRecorder events;
  series.AddListener(&events);
  series.SetSeriesColor(fw::clLime);
  EXPECT_EQ(series.LinePen()->Color(), fw::clLime);
  series.LinePen()->SetColor(fw::clNavy);
  EXPECT_EQ(series.SeriesColor(), fw::clNavy);
  ASSERT_FALSE(events.events.empty());
  EXPECT_EQ(events.events.back(), chart::seChangeColor);
  events.events.clear();
  series.Pointer()->SetStyle(3);
  EXPECT_EQ(events.events, (std::vector<chart::TChartSeriesEvent>{chart::seChangeColor})) << "appearance repaints";
  series.Pointer()->SetStyle(9);
  EXPECT_EQ(series.Pointer()->Style(), chart::psDownTriangle) << "an unknown style is refused";
  series.RemoveListener(&events);

  TLineSeries fresh(nullptr);
  EXPECT_EQ(fresh.LinePen()->Color(), fresh.SeriesColor()) << "the palette's first colour";
}

}  // namespace

namespace {

// Random values with NaN, infinities and null points: drawing, marks and hit tests never fail,
// and a hit always names a point that was drawn.
TEST_F(SeriesOnAxes, NonFiniteValuesNeverBreakDrawingOrHitTests) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> v(-50, 150);
  std::uniform_int_distribution<int> kind(0, 9);
  for (int i = 0; i < 400; ++i) {
    const int k = kind(rng);
    const double y = k == 0 ? kSeriesNaN : k == 1 ? kSeriesInf : k == 2 ? -kSeriesInf : v(rng);
    if (k == 3)
      series.AddNullPoint(i * 0.25, v(rng));
    else
      series.AddXY(i * 0.25, y);
  }
  series.Pointer()->SetVisible(true);
  series.Marks()->SetVisible(true);
  drawtest::UseTestFont(series.Marks()->Font());
  series.DrawAllValues(canvas);
  series.DrawMarks(canvas);
  series.DrawAllValues(recorder);
  series.DrawMarks(recorder);
  for (const Call& c : recorder.Of("Polyline"))
    for (const TPoint& p : c.points) {
      EXPECT_GT(p.x, -1000000);
      EXPECT_LT(p.y, 1000000) << "no point of a non-finite value reaches the canvas";
    }
  std::uniform_int_distribution<int> pixel(0, 120);
  for (int probe = 0; probe < 2000; ++probe) {
    const int index = series.PointAt(pixel(rng), pixel(rng));
    if (index < 0) continue;
    ASSERT_LT(index, series.Count());
    EXPECT_FALSE(series.IsNullPoint(index));
    EXPECT_TRUE(std::isfinite(series.PointY(index)));
  }
}

}  // namespace

namespace {

// Values falling on half pixels (both axes map two values per pixel) round the same way on the
// direct path as through the axis on the Polyline path, also on an inverted axis.
TEST_F(SeriesOnAxes, HalfPixelPositionsRoundAsTheAxisDoes) {
  horiz.SetMinMax(0, 40);
  vert.SetMinMax(0, 40);
  for (bool inverted : {false, true}) {
    vert.SetInverted(inverted);
    series.Clear();
    for (int i = 0; i <= 40; ++i) series.AddXY(i, i % 2 == 0 ? i : 40 - i);
    horiz.SetPlotRect(win::RECT{10, 10, 30, 30});
    vert.SetPlotRect(win::RECT{10, 10, 30, 30});
    surface.Clear();
    series.DrawAllValues(canvas);
    DrawSurface other(160, 120);
    DerivedCanvas derived;
    derived.SetReferenceCanvas(other.bitmap.Canvas());
    series.DrawAllValues(derived);
    int differing = 0;
    for (int py = 0; py < 40; ++py)
      for (int px = 0; px < 40; ++px) differing += surface.At(px, py) != other.At(px, py);
    EXPECT_EQ(differing, 0) << (inverted ? "inverted" : "upright");
    EXPECT_EQ(surface.At(series.CalcXPos(1), series.CalcYPos(1)), fw::clRed);
  }
}

}  // namespace

namespace {

// On ascending X the hit test looks only near the pixel's column: it must find what a walk over
// every point finds (the same points with their order switched off), pointers shown or not.
TEST_F(SeriesOnAxes, PointAtOnSortedXFindsWhatTheFullWalkFinds) {
  TLineSeries walk(nullptr);
  walk.XValues()->SetOrder(chart::loNone);
  walk.SetHorizAxis(&horiz);
  walk.SetVertAxis(&vert);
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> step(0, 0.6), y(0, 100);
  double x = 0;
  for (int i = 0; i < 600; ++i) {
    x += step(rng);
    const double v = i % 97 == 0 ? kSeriesNaN : y(rng);
    series.AddXY(x, v);
    walk.AddXY(x, v);
  }
  horiz.SetMinMax(0, x);
  horiz.SetInverted(true);
  std::uniform_int_distribution<int> pixel(5, 115);
  int hits = 0;
  for (bool pointers : {false, true}) {
    series.Pointer()->SetVisible(pointers);
    walk.Pointer()->SetVisible(pointers);
    for (int probe = 0; probe < 1000; ++probe) {
      const int px = pixel(rng), py = pixel(rng);
      const fw::Integer expected = walk.PointAt(px, py);
      ASSERT_EQ(series.PointAt(px, py), expected) << px << "," << py;
      hits += expected >= 0;
    }
  }
  EXPECT_GT(hits, 500) << "the probes do hit";
}


// The first pointer covering the pixel, else the nearer end of the first segment passing within
// reach of it, over every point (Pixels: each point's pixel, or nothing when it is not drawn):
// what the hit test must answer, however it narrows the search.
fw::Integer EveryPointHit(const TLineSeries& Series, const std::vector<std::optional<TPoint>>& Pixels, int X, int Y) {
  const int h = Series.Pointer()->HorizSize(), v = Series.Pointer()->VertSize();
  if (Series.Pointer()->Visible())
    for (std::size_t i = 0; i < Pixels.size(); ++i)
      if (Pixels[i] && std::abs(X - Pixels[i]->x) <= h && std::abs(Y - Pixels[i]->y) <= v) return fw::Integer(i);
  if (!Series.LinePen()->Visible()) return -1;
  const double reach = std::max(1, Series.LinePen()->Width()) / 2.0 + 0.5;
  for (std::size_t i = 1; i < Pixels.size(); ++i) {
    if (!Pixels[i] || !Pixels[i - 1]) continue;
    const double ax = Pixels[i - 1]->x, ay = Pixels[i - 1]->y, bx = Pixels[i]->x, by = Pixels[i]->y;
    const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((X - ax) * dx + (Y - ay) * dy) / len2, 0.0, 1.0) : 0;
    const double ex = ax + t * dx - X, ey = ay + t * dy - Y;
    if (ex * ex + ey * ey >= reach * reach) continue;
    const double toA = (X - ax) * (X - ax) + (Y - ay) * (Y - ay), toB = (X - bx) * (X - bx) + (Y - by) * (Y - by);
    return fw::Integer(toB < toA ? i : i - 1);
  }
  return -1;
}

// Many points to a pixel column, as a large file gives: blocks of points are stepped over by
// their summary, and the answers stay those of a walk over every point, for lines and pointers
// of several sizes and with breaks in the line.
TEST_F(SeriesOnAxes, PointAtOverManyPointsAColumnFindsWhatEveryPointGives) {
  const struct {
    const char* shape;
    std::function<void(TLineSeries&, std::mt19937&)> fill;
    int left, right;  // the columns the points fall into, and one beside each
  } shapes[] = {
      {"one X, random Y",
       [](TLineSeries& s, std::mt19937& rng) {
         std::uniform_real_distribution<double> y(20, 80);
         for (int i = 0; i < 20000; ++i) s.AddXY(50, y(rng));
       },
       57, 63},
      // The jump between the bands comes where a block of the summary starts.
      {"one X, two bands apart",
       [](TLineSeries& s, std::mt19937&) {
         for (int i = 0; i < 20000; ++i) s.AddXY(50, i < 16384 ? 10 + (i % 7) : 90 - (i % 5));
       },
       57, 63},
      {"a walk over few columns, broken by NaN",
       [](TLineSeries& s, std::mt19937& rng) {
         std::normal_distribution<double> step(0, 0.4);
         double y = 50;
         for (int i = 0; i < 20000; ++i) {
           y = std::clamp(y + step(rng), 0.0, 100.0);
           s.AddXY(40 + i / 1000.0, i % 4099 == 0 ? kSeriesNaN : y);
         }
       },
       49, 71},
  };
  std::mt19937 rng(11);
  for (const auto& shape : shapes) {
    series.Clear();
    shape.fill(series, rng);
    std::vector<std::optional<TPoint>> pixels(std::size_t(series.Count()));
    for (fw::Integer i = 0; i < series.Count(); ++i)
      if (series.PointIsDrawable(i)) pixels[std::size_t(i)] = TPoint{series.CalcXPos(i), series.CalcYPos(i)};
    std::uniform_int_distribution<int> px(shape.left, shape.right), py(5, 115);
    int hits = 0;
    for (const auto& [width, pointers, size] : {std::tuple{1, false, 0}, {5, false, 0}, {1, true, 1}, {0, true, 3}}) {
      series.LinePen()->SetWidth(width);
      series.LinePen()->SetVisible(width > 0);
      series.Pointer()->SetVisible(pointers);
      series.Pointer()->SetHorizSize(size);
      series.Pointer()->SetVertSize(size);
      for (int probe = 0; probe < 100; ++probe) {
        const int x = px(rng), y = py(rng);
        const fw::Integer expected = EveryPointHit(series, pixels, x, y);
        ASSERT_EQ(series.PointAt(x, y), expected) << shape.shape << " at " << x << "," << y << " width " << width;
        hits += expected >= 0;
      }
    }
    EXPECT_GT(hits, 60) << shape.shape << ": the probes do hit";
  }
}

}  // namespace
