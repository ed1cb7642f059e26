// Line series drawing: the per-column reduction must leave exactly the pixels of drawing every
// segment; other pens and mix modes draw every segment; null points break the line.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "chart/SeriesDraw.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/Gdi.h"

namespace {

using chart::TChartAxis;
using chart::TLineSeries;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A white 32-bit top-down bitmap in a memory DC.
struct Surface {
  Surface(int w, int h) : width(w), height(h) {
    win::BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    bmp = win::CreateDIBSection(nullptr, &bi, win::DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    dc = win::CreateCompatibleDC(nullptr);
    old = win::SelectObject(dc, bmp);
    win::PatBlt(dc, 0, 0, w, h, win::WHITENESS);
  }
  ~Surface() {
    win::SelectObject(dc, old);
    win::DeleteDC(dc);
    win::DeleteObject(bmp);
  }
  // The colour without the byte the layer keeps for alpha.
  uint32_t At(int x, int y) const { return bits[size_t(y) * size_t(width) + size_t(x)] & 0x00FFFFFFu; }
  int width, height;
  win::HBITMAP bmp;
  uint32_t* bits = nullptr;
  win::HDC dc;
  win::HGDIOBJ old;
};

int DifferingPixels(const Surface& a, const Surface& b) {
  int n = 0;
  for (int i = 0; i < a.width * a.height; ++i) n += a.bits[i] != b.bits[i];
  return n;
}

// Axes mapping values 0 .. xMax onto columns 0 .. w-1 and 0 .. yMax onto rows h-1 .. 0.
struct Axes {
  Axes(double xMax, double yMax, int w, int h) : horiz(true), vert(false) {
    horiz.SetMinMax(0, xMax);
    horiz.SetPositions(0, w - 1);
    vert.SetMinMax(0, yMax);
    vert.SetPositions(0, h - 1);
  }
  TChartAxis horiz, vert;
};

// The reference: every segment of every unbroken stretch, one Polyline call per stretch.
// Returns the number of vertices drawn.
int DrawEverySegment(win::HDC dc, const TLineSeries& s, const Axes& axes) {
  std::vector<win::POINT> run;
  int vertices = 0;
  auto flush = [&] {
    if (run.size() >= 2) {
      win::Polyline(dc, run.data(), int(run.size()));
      vertices += int(run.size());
    }
    run.clear();
  };
  for (int i = 0; i < s.Count(); ++i) {
    if (s.IsNullPoint(i)) {
      flush();
      continue;
    }
    run.push_back(win::POINT{axes.horiz.CalcPosValue(s.PointX(i)), axes.vert.CalcPosValue(s.PointY(i))});
  }
  flush();
  return vertices;
}

enum class XShape { Ascending, Wandering };

// 10^5 points: X ascending in small random steps or wandering back and forth, Y a random walk
// with occasional jumps, and a sprinkling of null, NaN and infinite points.
void FillRandom(TLineSeries& s, unsigned seed, XShape shape, double xMax, double yMax) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  s.XValues()->SetOrder(chart::loNone);
  double x = shape == XShape::Ascending ? 0 : xMax / 2, y = yMax / 2;
  const int n = 100'000;
  for (int i = 0; i < n; ++i) {
    if (shape == XShape::Ascending)
      x += unit(rng) * 2 * xMax / n;
    else
      x = std::clamp(x + (unit(rng) - 0.5) * xMax / 200, 0.0, xMax);
    y = unit(rng) < 0.01 ? unit(rng) * yMax : std::clamp(y + (unit(rng) - 0.5) * yMax / 20, 0.0, yMax);
    const double r = unit(rng);
    if (r < 0.0005)
      s.AddNullPoint(x, y);
    else if (r < 0.0007)
      s.AddXY(x, kNaN);
    else if (r < 0.0008)
      s.AddXY(kInf, y);
    else
      s.AddXY(x, y);
  }
}

struct ReductionCase {
  unsigned seed;
  XShape shape;
};

class LineDrawReduction : public testing::TestWithParam<ReductionCase> {};

TEST_P(LineDrawReduction, SamePixelsAsEverySegment) {
  const ReductionCase c = GetParam();
  constexpr int w = 97, h = 61;
  TLineSeries s(nullptr);
  FillRandom(s, c.seed, c.shape, 1000, 500);
  ASSERT_EQ(s.Count(), 100'000);
  const Axes axes(1000, 500, w, h);

  Surface reduced(w, h), every(w, h);
  const win::HPEN pen = win::CreatePen(win::PS_SOLID, 1, win::RGB(200, 30, 60));
  const win::HGDIOBJ oldA = win::SelectObject(reduced.dc, pen);
  const win::HGDIOBJ oldB = win::SelectObject(every.dc, pen);
  const int drawn = chart::DrawLineSeriesPoints(reduced.dc, s, axes.horiz, axes.vert);
  const int all = DrawEverySegment(every.dc, s, axes);
  win::SelectObject(reduced.dc, oldA);
  win::SelectObject(every.dc, oldB);
  win::DeleteObject(pen);

  EXPECT_EQ(DifferingPixels(reduced, every), 0);
  // The reduction really took place: at most four vertices per column visit, well below all.
  EXPECT_GT(drawn, 0);
  EXPECT_LT(drawn, all / 2);
}

INSTANTIATE_TEST_SUITE_P(Seeds, LineDrawReduction,
                         testing::Values(ReductionCase{1, XShape::Ascending}, ReductionCase{2, XShape::Ascending},
                                         ReductionCase{3, XShape::Ascending}, ReductionCase{4, XShape::Wandering},
                                         ReductionCase{5, XShape::Wandering}, ReductionCase{6, XShape::Wandering}));

// Long runs of points per column step over whole blocks of the series' summary. The same data
// with one coloured point (which turns the stepping off) must give the same vertices, and both
// the pixels of drawing every segment, at any zoom, on either X shape, flipped or scaled.
struct BlockStepCase {
  unsigned seed;
  XShape shape;
  double from, to;  // the horizontal axis' range; X runs over 0 .. 1000
  bool inverted;
  double yMultiplier;
};

class LineDrawBlockSteps : public testing::TestWithParam<BlockStepCase> {};

TEST_P(LineDrawBlockSteps, SameVerticesAsPointByPointAndSamePixelsAsEverySegment) {
  const BlockStepCase c = GetParam();
  constexpr int w = 83, h = 67, n = 300'000;
  std::mt19937 rng(c.seed);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<double> xs(n), ys(n);
  double x = c.shape == XShape::Ascending ? 0 : 500, y = 250;
  for (int i = 0; i < n; ++i) {
    if (c.shape == XShape::Ascending)
      x += unit(rng) * 2000.0 / n;
    else
      x = std::clamp(x + (unit(rng) - 0.5) * 0.02, 0.0, 1000.0);
    y = unit(rng) < 0.0005 ? unit(rng) * 500 : std::clamp(y + (unit(rng) - 0.5) * 4, 0.0, 500.0);
    xs[size_t(i)] = x;
    ys[size_t(i)] = unit(rng) < 0.00005 ? kNaN : y;
  }
  TLineSeries stepped(nullptr), pointwise(nullptr);
  for (TLineSeries* s : {&stepped, &pointwise}) {
    s->XValues()->SetOrder(chart::loNone);
    s->AdoptPoints(std::vector<double>(xs), std::vector<double>(ys));
    s->YValues()->SetMultiplier(c.yMultiplier);
  }
  pointwise.SetPointColor(0, fw::TColor(0x123456));
  Axes axes(1000, 500 * c.yMultiplier, w, h);
  axes.horiz.SetMinMax(c.from, c.to);
  if (c.yMultiplier < 0) axes.vert.SetMinMax(500 * c.yMultiplier, 0);
  axes.vert.SetInverted(c.inverted);

  Surface a(w, h), b(w, h), every(w, h);
  const int drawnA = chart::DrawLineSeriesPoints(a.dc, stepped, axes.horiz, axes.vert);
  const int drawnB = chart::DrawLineSeriesPoints(b.dc, pointwise, axes.horiz, axes.vert);
  DrawEverySegment(every.dc, stepped, axes);
  EXPECT_EQ(drawnA, drawnB);
  EXPECT_EQ(DifferingPixels(a, b), 0);
  EXPECT_EQ(DifferingPixels(a, every), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Zooms, LineDrawBlockSteps,
    testing::Values(BlockStepCase{1, XShape::Ascending, 0, 1000, false, 1},
                    BlockStepCase{2, XShape::Ascending, 0, 1000, true, 1},
                    BlockStepCase{3, XShape::Ascending, 400, 410, false, 1},
                    BlockStepCase{4, XShape::Ascending, 123.4, 223.4, false, -2.5},
                    BlockStepCase{5, XShape::Ascending, -300, 1300, false, 0.5},
                    BlockStepCase{5, XShape::Ascending, -300, 1300, true, 0.5},
                    BlockStepCase{6, XShape::Wandering, 0, 1000, false, 1},
                    BlockStepCase{7, XShape::Wandering, 490, 510, true, 1},
                    BlockStepCase{8, XShape::Wandering, 499.9, 500.1, false, 3}));

TEST(LineDrawReductionClipping, PointsFarOutsideTheSurfaceMatchEverySegment) {
  // Values far beyond the axis range map to pixels far outside the bitmap (up to the axis'
  // clamp); the reduced line must still leave the same pixels inside.
  constexpr int w = 50, h = 40;
  TLineSeries s(nullptr);
  std::mt19937 rng(77);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < 20'000; ++i) {
    const double r = unit(rng);
    const double y = r < 0.05 ? 1e15 : r < 0.1 ? -1e15 : r < 0.12 ? 1e6 : unit(rng) * 100;
    s.AddXY(i * 0.005, y);
  }
  const Axes axes(100, 100, w, h);
  Surface reduced(w, h), every(w, h);
  const int drawn = chart::DrawLineSeriesPoints(reduced.dc, s, axes.horiz, axes.vert);
  const int all = DrawEverySegment(every.dc, s, axes);
  EXPECT_LT(drawn, all / 2);
  EXPECT_EQ(DifferingPixels(reduced, every), 0);
}

// Pens and mix modes where the reduction would change the picture draw every vertex.
struct FullDrawCase {
  const char* name;
  int style;
  int width;
  int mix;
};

class LineDrawEverySegment : public testing::TestWithParam<FullDrawCase> {};

TEST_P(LineDrawEverySegment, DrawsEveryVertex) {
  const FullDrawCase c = GetParam();
  constexpr int w = 80, h = 50;
  TLineSeries s(nullptr);
  FillRandom(s, 11, XShape::Ascending, 1000, 500);
  const Axes axes(1000, 500, w, h);

  Surface mine(w, h), every(w, h);
  const win::HPEN pen = win::CreatePen(c.style, c.width, win::RGB(10, 120, 240));
  const win::HGDIOBJ oldA = win::SelectObject(mine.dc, pen);
  const win::HGDIOBJ oldB = win::SelectObject(every.dc, pen);
  win::SetROP2(mine.dc, c.mix);
  win::SetROP2(every.dc, c.mix);
  const int drawn = chart::DrawLineSeriesPoints(mine.dc, s, axes.horiz, axes.vert);
  const int all = DrawEverySegment(every.dc, s, axes);
  win::SelectObject(mine.dc, oldA);
  win::SelectObject(every.dc, oldB);
  win::DeleteObject(pen);

  EXPECT_EQ(drawn, all);
  EXPECT_EQ(DifferingPixels(mine, every), 0);
}

INSTANTIATE_TEST_SUITE_P(Pens, LineDrawEverySegment,
                         testing::Values(FullDrawCase{"Wide", win::PS_SOLID, 3, win::R2_COPYPEN},
                                         FullDrawCase{"Dashed", win::PS_DASH, 1, win::R2_COPYPEN},
                                         FullDrawCase{"Dotted", win::PS_DOT, 1, win::R2_COPYPEN},
                                         FullDrawCase{"Xor", win::PS_SOLID, 1, win::R2_XORPEN},
                                         FullDrawCase{"Not", win::PS_SOLID, 1, win::R2_NOT}),
                         [](const testing::TestParamInfo<FullDrawCase>& p) { return std::string(p.param.name); });

TEST(LineDrawPen, GeometricOnePixelPenIsNotReduced) {
  TLineSeries s(nullptr);
  FillRandom(s, 21, XShape::Ascending, 1000, 500);
  const Axes axes(1000, 500, 60, 40);
  Surface surface(60, 40);
  win::LOGBRUSH lb{win::BS_SOLID, win::RGB(0, 0, 0), 0};
  const win::HPEN pen = win::ExtCreatePen(win::PS_GEOMETRIC | win::PS_SOLID, 1, &lb, 0, nullptr);
  ASSERT_NE(pen, nullptr);
  const win::HGDIOBJ old = win::SelectObject(surface.dc, pen);
  const int drawn = chart::DrawLineSeriesPoints(surface.dc, s, axes.horiz, axes.vert);
  Surface every(60, 40);
  win::SelectObject(every.dc, pen);
  const int all = DrawEverySegment(every.dc, s, axes);
  win::SelectObject(every.dc, win::GetStockObject(win::BLACK_PEN));
  win::SelectObject(surface.dc, old);
  win::DeleteObject(pen);
  EXPECT_EQ(drawn, all);
}

// Values map one to one onto pixels (Y downwards) on a 40x40 surface.
struct UnitAxes {
  UnitAxes() : horiz(true), vert(false) {
    horiz.SetMinMax(0, 39);
    horiz.SetPositions(0, 39);
    vert.SetMinMax(0, 39);
    vert.SetPositions(0, 39);
    vert.SetInverted(true);
  }
  TChartAxis horiz, vert;
};

constexpr uint32_t kWhite = 0x00FFFFFF, kBlack = 0;

TEST(LineDrawBreaks, NullNaNAndInfiniteBreakTheLine) {
  const UnitAxes axes;
  for (int breaker = 0; breaker < 3; ++breaker) {
    TLineSeries s(nullptr);
    s.AddXY(0, 0);
    s.AddXY(10, 10);
    if (breaker == 0) s.AddNullPoint(15, 5);
    if (breaker == 1) s.AddXY(15, kNaN);
    if (breaker == 2) s.AddXY(15, kInf);
    s.AddXY(20, 0);
    s.AddXY(30, 10);
    Surface surface(40, 40);
    const int drawn = chart::DrawLineSeriesPoints(surface.dc, s, axes.horiz, axes.vert);
    SCOPED_TRACE(breaker);
    EXPECT_EQ(drawn, 4);
    EXPECT_EQ(surface.At(5, 5), kBlack);     // on (0,0)-(10,10)
    EXPECT_EQ(surface.At(25, 5), kBlack);    // on (20,0)-(30,10)
    EXPECT_EQ(surface.At(15, 5), kWhite);    // (10,10)-(20,0) would pass here
    EXPECT_EQ(surface.At(10, 10), kWhite);   // a line leaves out its last pixel
    EXPECT_EQ(surface.At(30, 10), kWhite);
  }
}

TEST(LineDrawBreaks, LonePointsBetweenBreaksDrawNothing) {
  const UnitAxes axes;
  TLineSeries s(nullptr);
  s.AddXY(5, 5);
  s.AddNullPoint(6, 6);
  s.AddXY(7, 7);
  s.AddNullPoint(8, 8);
  Surface surface(40, 40);
  EXPECT_EQ(chart::DrawLineSeriesPoints(surface.dc, s, axes.horiz, axes.vert), 0);
  EXPECT_EQ(DifferingPixels(surface, Surface(40, 40)), 0);
}

TEST(LineDrawColumns, VerticalRunKeepsItsExtremesAndEnds) {
  // Many points in column 10 going up and down between 3 and 30, entered from the left and
  // left to the right: the column must be filled from 3 to 30 and the neighbours joined.
  const UnitAxes axes;
  TLineSeries s(nullptr);
  s.XValues()->SetOrder(chart::loNone);
  s.AddXY(2, 20);
  const double ys[] = {20, 12, 3, 17, 30, 25, 8, 14};
  for (double y : ys) s.AddXY(10, y);
  s.AddXY(18, 14);
  Surface surface(40, 40);
  const int drawn = chart::DrawLineSeriesPoints(surface.dc, s, axes.horiz, axes.vert);
  EXPECT_EQ(drawn, 6);  // (2,20), then first 20, lowest 3, highest 30, last 14, then (18,14)
  for (int y = 3; y <= 30; ++y) EXPECT_EQ(surface.At(10, y), kBlack) << y;
  EXPECT_EQ(surface.At(10, 2), kWhite);
  EXPECT_EQ(surface.At(10, 31), kWhite);
  EXPECT_EQ(surface.At(2, 20), kBlack);
  EXPECT_EQ(surface.At(14, 14), kBlack);
  EXPECT_EQ(surface.At(18, 14), kWhite);
}

TEST(LineDrawBadInput, InvalidDcAndTooFewPointsDrawNothing) {
  const UnitAxes axes;
  TLineSeries s(nullptr);
  EXPECT_EQ(chart::DrawLineSeriesPoints(win::HDC(nullptr), s, axes.horiz, axes.vert), 0);
  s.AddXY(1, 1);
  s.AddXY(5, 5);
  EXPECT_EQ(chart::DrawLineSeriesPoints(win::HDC(nullptr), s, axes.horiz, axes.vert), 0);
  Surface surface(40, 40);
  win::HDC gone = win::CreateCompatibleDC(nullptr);
  win::DeleteDC(gone);
  EXPECT_EQ(chart::DrawLineSeriesPoints(gone, s, axes.horiz, axes.vert), 0);
  TLineSeries one(nullptr);
  one.AddXY(3, 3);
  EXPECT_EQ(chart::DrawLineSeriesPoints(surface.dc, one, axes.horiz, axes.vert), 0);
}

TEST(LineDrawCanvas, DrawsWithTheCanvasPen) {
  const UnitAxes axes;
  TLineSeries s(nullptr);
  s.AddXY(0, 20);
  s.AddXY(30, 20);
  Surface surface(40, 40);
  fw::TCanvas canvas;
  canvas.SetHandle(surface.dc);
  canvas.Pen()->SetColor(fw::TColor(0x0000FF));  // red
  EXPECT_EQ(chart::DrawLineSeriesPoints(canvas, s, axes.horiz, axes.vert), 2);
  EXPECT_EQ(surface.At(15, 20), 0x00FF0000u);
  EXPECT_EQ(surface.At(15, 19), kWhite);
  canvas.SetHandle(nullptr);
}

}  // namespace
