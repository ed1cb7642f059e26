#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/AnalisisMath.h"
#include "platform/kernel/Exceptions.h"

using namespace analysis;
using analysis_test::ErrorOf;
using analysis_test::PyArray;
using analysis_test::RunNumPy;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Graph {
  std::vector<double> x, y;
  TXYArrays View() const { return {x.data(), y.data(), x.size()}; }
};

// The resampled operation written plainly: each further graph is searched from its first point
// for every grid X, and a grid X on the end the search runs off takes that end point's Y.
// Quadratic, and the reference for the linear walk.
void ResampleBySearch(TRareOp Op, const Graph& R, const std::vector<Graph>& Others, int N, bool Average,
                      std::vector<double>& X, std::vector<double>& Y) {
  X.clear();
  Y.clear();
  for (std::size_t i = 0; i < R.x.size(); ++i) {
    double dx = 0, dy = 0;
    int steps = 1;
    if (i + 1 < R.x.size()) {
      dx = (R.x[i + 1] - R.x[i]) / N;
      dy = (R.y[i + 1] - R.y[i]) * dx / (R.x[i + 1] - R.x[i]);
      steps = N;
    }
    for (int j = 0; j < steps; ++j) {
      const double x = R.x[i] + j * dx;
      double y = R.y[i] + j * dy;
      double sum = y;
      int count = 1;
      for (const Graph& g : Others) {
        double lx = -1e307, ly = 0, ux = 1e307, uy = 0;
        for (std::size_t k = 0; k < g.x.size(); ++k) {
          const bool below = Average ? g.x[k] < x : g.x[k] <= x;
          if (below) {
            lx = g.x[k];
            ly = g.y[k];
          } else {
            ux = g.x[k];
            uy = g.y[k];
            break;
          }
        }
        double v;
        if (lx != -1e307 && ux != 1e307)
          v = (uy - ly) * (x - lx) / (ux - lx) + ly;
        else if (!g.x.empty() && x == (Average ? g.x.front() : g.x.back()))
          v = Average ? g.y.front() : g.y.back();
        else
          continue;
        if (Average) {
          sum += v;
          ++count;
        } else {
          y = Op == roSum ? y + v : Op == roDifference ? y - v : Op == roProduct ? y * v : y / v;
        }
      }
      X.push_back(x);
      Y.push_back(Average ? sum / count : y);
    }
  }
}

Graph RandomGraph(std::mt19937& Random, std::size_t Count, double From, double MeanStep, bool Positive) {
  std::uniform_real_distribution<double> step(0.1 * MeanStep, 1.9 * MeanStep);
  std::uniform_real_distribution<double> value(Positive ? 0.5 : -5, 5);
  Graph g;
  double x = From;
  for (std::size_t i = 0; i < Count; ++i) {
    g.x.push_back(x);
    g.y.push_back(value(Random));
    x += step(Random);
  }
  return g;
}

}  // namespace

// ---- interval scans -------------------------------------------------------------------------

TEST(RangeScan, FirstOfEqualExtremesWinsAndBoundsAreInclusive) {
  const Graph g{{0, 1, 2, 3, 4}, {1, 3, 3, -2, -2}};
  TPointXY res{99, 0};
  MaxYInRange(g.View(), res, 0, 4);
  EXPECT_EQ(res.X, 1);
  EXPECT_EQ(res.Y, 3);
  MinYInRange(g.View(), res, 0, 4);
  EXPECT_EQ(res.X, 3);
  EXPECT_EQ(res.Y, -2);
  MaxYInRange(g.View(), res, 3, 4);  // both bounds hit a point
  EXPECT_EQ(res.X, 3);
  EXPECT_EQ(res.Y, -2);
  TMinMaxXY mm;
  MinMaxYInRange(g.View(), mm, 1, 3);
  EXPECT_EQ(mm.MinX, 3);
  EXPECT_EQ(mm.MinY, -2);
  EXPECT_EQ(mm.MaxX, 1);
  EXPECT_EQ(mm.MaxY, 3);
}

TEST(RangeScan, EmptyIntervalKeepsStartValuesAndX) {
  const Graph g{{0, 1, 2}, {5, 6, 7}};
  TPointXY res{42, 0};
  MaxYInRange(g.View(), res, 10, 20);
  EXPECT_EQ(res.X, 42);
  EXPECT_EQ(res.Y, -1.7e308);
  MinYInRange(g.View(), res, 1.2, 1.8);
  EXPECT_EQ(res.X, 42);
  EXPECT_EQ(res.Y, 1.7e308);
  TMinMaxXY mm{7, 7, 8, 8};
  MinMaxYInRange(g.View(), mm, 5, 4);  // reversed bounds hold no point
  EXPECT_EQ(mm.MinY, 1.7e308);
  EXPECT_EQ(mm.MaxY, -1.7e308);
  EXPECT_EQ(mm.MinX, 7);
  EXPECT_EQ(mm.MaxX, 8);
  EXPECT_EQ(ErrorOf([&] { MeanYInRange(g.View(), 10, 20); }), MsgNoPointsInRange);
  EXPECT_EQ(ErrorOf([&] { MeanYInRange(TXYArrays{}, 0, 1); }), MsgNoPointsInRange);
}

// A parametric graph goes back and forth in X: points after one beyond B still count.
TEST(RangeScan, GraphsWhoseXDoesNotAscendAreScannedWhole) {
  const Graph g{{0, 5, 1, 2, 9, 1.5}, {1, 100, 4, 2, -50, 7}};
  TPointXY res;
  MaxYInRange(g.View(), res, 0, 2);
  EXPECT_EQ(res.X, 1.5);
  EXPECT_EQ(res.Y, 7);
  MinYInRange(g.View(), res, 0, 2);
  EXPECT_EQ(res.X, 0);
  EXPECT_EQ(res.Y, 1);
  EXPECT_DOUBLE_EQ(MeanYInRange(g.View(), 0, 2), (1 + 4 + 2 + 7) / 4.0);
}

TEST(RangeScan, PointsThatAreNotNumbersTakeNoPart) {
  const Graph g{{0, 1, 2, kNaN}, {1, kNaN, 3, 50}};
  TPointXY res;
  MaxYInRange(g.View(), res, -100, 100);
  EXPECT_EQ(res.Y, 3);
  EXPECT_EQ(MeanYInRange(g.View(), -100, 100), 2);
}

// ---- integral -------------------------------------------------------------------------------

TEST(Integral, StraightLineOverItsPoints) {
  const Graph g{{0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}};
  EXPECT_EQ(IntegrateRange(g.View(), 0, 4), 8);
  // A wider interval holds the same points: the step comes from their spacing, so the
  // integral stays 8 (a step of (B - A) / n would give 12).
  EXPECT_EQ(IntegrateRange(g.View(), -1, 5), 8);
  EXPECT_DOUBLE_EQ(IntegrateRange(g.View(), 1, 3), 4);
}

TEST(Integral, FewerThanTwoPointsRaise) {
  const Graph g{{0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}};
  EXPECT_EQ(ErrorOf([&] { IntegrateRange(g.View(), 1.5, 2.5); }), MsgNoPointsInRange);
  EXPECT_EQ(ErrorOf([&] { IntegrateRange(g.View(), 10, 20); }), MsgNoPointsInRange);
  EXPECT_EQ(ErrorOf([&] { IntegrateRange(TXYArrays{}, 0, 1); }), MsgNoPointsInRange);
}

// Simpson and the parabola tail are exact for a parabola on any spacing and interval count.
TEST(Integral, ExactForParabolasOnUnevenSpacing) {
  auto f = [](double x) { return 3 * x * x - 2 * x + 1; };
  auto F = [](double x) { return x * x * x - x * x + x; };
  const std::vector<std::vector<double>> grids = {
      {0, 1},                          // one interval: trapezoid (exact only for lines)
      {0, 1, 2, 3},                    // odd count, even steps
      {0, 0.5, 2, 2.2, 3.7},           // even count, uneven
      {-1, -0.2, 0.1, 1.4, 1.5, 3.0},  // odd count, uneven
  };
  for (std::size_t k = 1; k < grids.size(); ++k) {
    Graph g;
    g.x = grids[k];
    for (double x : g.x) g.y.push_back(f(x));
    const double a = g.x.front(), b = g.x.back();
    EXPECT_NEAR(IntegrateRange(g.View(), a, b), F(b) - F(a), 1e-12) << k;
  }
  const Graph two{{0, 2}, {1, 5}};
  EXPECT_EQ(IntegrateRange(two.View(), 0, 2), 6);
}

TEST(Integral, RepeatedXAndDisorder) {
  // A repeated X is an interval of no width: no division by it.
  const Graph g{{0, 1, 1, 2, 3}, {0, 1, 1, 2, 3}};
  EXPECT_DOUBLE_EQ(IntegrateRange(g.View(), 0, 3), 4.5);
  // A gap (NaN) is bridged by the points around it.
  const Graph gap{{0, 1, 2, 3, 4}, {0, 1, kNaN, 3, 4}};
  EXPECT_DOUBLE_EQ(IntegrateRange(gap.View(), 0, 4), 8);
  const Graph backwards{{0, 2, 1, 3}, {0, 2, 1, 3}};
  EXPECT_EQ(ErrorOf([&] { IntegrateRange(backwards.View(), 0, 3); }), MsgXNotAscending);
}

// The weights depend on ratios of widths only: a parabola stays exact on any finite spacing.
TEST(Integral, AnyFiniteSpacing) {
  auto f = [](double u) { return 3 * u * u - 2 * u + 1; };
  auto F = [](double u) { return u * u * u - u * u + u; };
  const std::vector<double> units = {0, 1.3, 2, 3.1, 3.6, 5, 6.2};  // uneven, odd interval count
  for (double h : {1e-300, 1e-160, 1e-155, 1e-150, 1e-110, 1.0, 1e102, 1e150, 1e290}) {
    Graph g;
    for (double u : units) {
      g.x.push_back(u * h);
      g.y.push_back(f(u));
    }
    const double want = h * (F(units.back()) - F(units.front()));
    EXPECT_NEAR(IntegrateRange(g.View(), g.x.front(), g.x.back()) / want, 1, 1e-12) << h;
    g.x.pop_back();  // even count
    g.y.pop_back();
    EXPECT_NEAR(IntegrateRange(g.View(), g.x.front(), g.x.back()) / (h * (F(5) - F(0))), 1, 1e-12) << h;
  }
  // Widths past the double range are taken in long double; a result past it is an overflow.
  const Graph wide{{-1.5e308, 0, 1.5e308}, {1e-10, 1e-10, 1e-10}};
  EXPECT_NEAR(IntegrateRange(wide.View(), -1.7e308, 1.7e308), 3e298, 1e286);
  const Graph huge{{0, 1e300, 2e300}, {1e10, 1e10, 1e10}};
  EXPECT_THROW(IntegrateRange(huge.View(), 0, 2e300), win::EOverflow);
}

// The pieces between the bounds and the nearest points inside are taken under the drawn lines.
TEST(Integral, CoversTheWholeInterval) {
  Graph line, sine;
  for (int i = 0; i <= 8; ++i) {
    line.x.push_back(0.5 * i);
    line.y.push_back(2 * 0.5 * i + 1);
    sine.x.push_back(0.5 * i);
    sine.y.push_back(std::sin(0.5 * i));
  }
  struct Row {
    double a, b, want;
  };
  for (const Row& r : {Row{0.3, 2.9, 10.92}, Row{0.3, 3.0, 11.61}, Row{0.5, 2.9, 10.56}, Row{-5, 2.2, 7.04}})
    EXPECT_NEAR(IntegrateRange(line.View(), r.a, r.b), r.want, 1e-12) << r.a << " " << r.b;
  EXPECT_NEAR(IntegrateRange(sine.View(), 0.3, 2.9), std::cos(0.3) - std::cos(2.9), 5e-3);
}

TEST(RangeScan, MeanOfHugeValues) {
  const Graph g{{0, 1, 2}, {1e308, 1.6e308, 1.3e308}};
  EXPECT_DOUBLE_EQ(MeanYInRange(g.View(), 0, 2), 1.3e308);
  EXPECT_DOUBLE_EQ(MeanYInRange(g.View(), 0, 1), 1.3e308);
}

// Against an independent computation: NumPy fits the parabola through each pair of intervals
// (and the last three points for an odd count) and integrates it.
TEST(Integral, MatchesPiecewiseParabolasFromNumPy) {
  std::mt19937 random(7);
  for (std::size_t count : {7u, 8u, 40u, 41u}) {
    const Graph g = RandomGraph(random, count, -3, 0.37, false);
    const double a = g.x[1], b = g.x[count - 2];  // the end points stay out
    std::ostringstream py;
    py << "x=" << PyArray(g.x) << "\ny=" << PyArray(g.y) << "\nx=x[1:-1];y=y[1:-1];n=len(x)-1;s=0.0\n"
       << "def part(i,lo,hi):\n"
       << "  p=np.polyint(np.polyfit(x[i:i+3]-x[i],y[i:i+3],2))\n"
       << "  return np.polyval(p,hi-x[i])-np.polyval(p,lo-x[i])\n"
       << "for i in range(0,n-1,2): s+=part(i,x[i],x[i+2])\n"
       << "if n%2==1: s+=part(n-2,x[n-1],x[n])\n"
       << "print(repr(float(s)))\n";
    const std::vector<double> ref = RunNumPy(py.str());
    ASSERT_EQ(ref.size(), 1u) << "python3 with numpy is needed";
    EXPECT_NEAR(IntegrateRange(g.View(), a, b), ref[0], 1e-9 * (1 + std::fabs(ref[0]))) << count;
  }
}

// ---- point-index arithmetic -----------------------------------------------------------------

TEST(ByIndex, ShorterSourcesStopAndTheFirstPresentStarts) {
  const std::vector<double> a = {10, 20, 30}, b = {1, 2, 3, 4, 5};
  std::vector<double> r;
  CombineByIndex(ioSubtract, {{a.data(), 3}, {b.data(), 5}}, r);
  EXPECT_EQ(r, (std::vector<double>{9, 18, 27, 4, 5}));
  const std::vector<double> nine = {9, 9}, rising = {5, 6, 7, 8};
  CombineByIndex(ioLow, {{nine.data(), 2}, {rising.data(), 4}}, r);
  EXPECT_EQ(r, (std::vector<double>{5, 6, 7, 8}));
  CombineByIndex(ioHigh, {{nine.data(), 2}, {rising.data(), 4}}, r);
  EXPECT_EQ(r, (std::vector<double>{9, 9, 7, 8}));
  const std::vector<double> c = {6, 8, 1};
  CombineByIndex(ioAverage, {{a.data(), 3}, {b.data(), 5}, {c.data(), 3}}, r);
  EXPECT_EQ(r, (std::vector<double>{17.0 / 3, 10, 34.0 / 3, 4, 5}));
  CombineByIndex(ioAdd, {}, r);
  EXPECT_TRUE(r.empty());
}

TEST(ByIndex, QuotientKeepsTheDividendForAZeroDivisor) {
  const std::vector<double> a = {6, 6, 0}, b = {0, 4, 5};
  std::vector<double> r;
  CombineByIndex(ioDivide, {{a.data(), 3}, {b.data(), 3}}, r);
  EXPECT_EQ(r, (std::vector<double>{6, 1.5, 0}));
  CombineByIndex(ioMultiply, {{a.data(), 3}, {b.data(), 3}}, r);
  EXPECT_EQ(r, (std::vector<double>{0, 24, 0}));
}

TEST(ByIndex, OverflowRaisesAndNullValuesPassThrough) {
  const std::vector<double> big = {1, 1e308}, big2 = {1, 1e308};
  std::vector<double> r;
  EXPECT_EQ(ErrorOf([&] { CombineByIndex(ioAdd, {{big.data(), 2}, {big2.data(), 2}}, r); }),
            "Floating point overflow");
  EXPECT_EQ(ErrorOf([&] { CombineByIndex(ioAverage, {{big.data(), 2}, {big2.data(), 2}}, r); }),
            "Floating point overflow");
  const std::vector<double> tiny = {1, 1e-300};
  EXPECT_EQ(ErrorOf([&] { CombineByIndex(ioDivide, {{big.data(), 2}, {tiny.data(), 2}}, r); }),
            "Floating point overflow");
  const std::vector<double> gap = {1, kNaN};
  CombineByIndex(ioSubtract, {{big.data(), 2}, {gap.data(), 2}}, r);
  EXPECT_EQ(r[0], 0);
  EXPECT_TRUE(std::isnan(r[1]));
}

// Long sources take the vector path with streaming stores: every operation must still give
// what folding index by index gives, NaN, zero divisors and ties included, and a fault deep in
// the arrays must still be found.
TEST(ByIndex, LongSourcesMatchTheFoldIndexByIndex) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> value(-3, 3);
  std::vector<std::vector<double>> sources;
  for (std::size_t count : {70001u, 100003u, 65537u}) {
    std::vector<double> v(count);
    for (std::size_t i = 0; i < count; ++i) {
      // Zeros, NaN and ties fall on different indices in each source (and twice on the same).
      const int kind = int((i + 3 * sources.size()) % 97 % 13);
      v[i] = kind == 5 ? 0 : kind == 7 ? kNaN : kind == 11 ? 1.5 : value(random);
    }
    sources.push_back(std::move(v));
  }
  std::vector<TValuesArray> arrays;
  for (const auto& v : sources) arrays.push_back({v.data(), v.size()});
  auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
  for (TIndexOp op : {ioAdd, ioSubtract, ioMultiply, ioDivide, ioHigh, ioLow, ioAverage}) {
    std::vector<double> r;
    CombineByIndex(op, arrays, r);
    ASSERT_EQ(r.size(), 100003u);
    for (std::size_t i = 0; i < r.size(); ++i) {
      double expected = 0;
      int taken = 0;
      for (const auto& v : sources) {
        if (i >= v.size()) continue;
        expected = taken == 0 ? v[i] : CombineStep(op, expected, v[i]);
        ++taken;
      }
      if (op == ioAverage) expected /= taken;
      ASSERT_TRUE(same(r[i], expected)) << op << " at " << i << ": " << r[i] << " " << expected;
    }
  }
  sources[0][66000] = 1e308;
  sources[1][66000] = 1e308;
  std::vector<double> r;
  EXPECT_EQ(ErrorOf([&] { CombineByIndex(ioAdd, arrays, r); }), "Floating point overflow");
}

// ---- resampled arithmetic -------------------------------------------------------------------

TEST(Resample, GridOfTheReferenceAndWhereOthersContribute) {
  const Graph ref{{0, 4, 8}, {0, 4, 0}};
  const Graph other{{2, 6}, {10, 30}};
  std::vector<double> x, y;
  ResampleArithmetic(roSum, ref.View(), {other.View()}, 4, x, y);
  EXPECT_EQ(x, (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  // The other graph adds where 2 <= x <= 6, both of its end points included.
  EXPECT_EQ(y, (std::vector<double>{0, 1, 2 + 10, 3 + 15, 4 + 20, 3 + 25, 2 + 30, 1, 0}));
  TDeviationStats stats;
  ResampleAverage(ref.View(), {other.View()}, 4, x, y, stats);
  // The mean counts it on the same closed range.
  EXPECT_EQ(y, (std::vector<double>{0, 1, (2 + 10) / 2.0, (3 + 15) / 2.0, (4 + 20) / 2.0, (3 + 25) / 2.0,
                                    (2 + 30) / 2.0, 1, 0}));
  EXPECT_EQ(stats.MaxDev, 14);
  EXPECT_EQ(stats.MaxMean, 16);
  EXPECT_EQ(stats.MinDev, 0);
  EXPECT_EQ(stats.MinMean, 0);
}

TEST(Resample, SingleGraphMeanIsTheGraphWithNoDeviation) {
  const Graph ref{{0, 1, 3}, {2, 4, 8}};
  std::vector<double> x, y;
  TDeviationStats stats;
  ResampleAverage(ref.View(), {}, 2, x, y, stats);
  EXPECT_EQ(x, (std::vector<double>{0, 0.5, 1, 2, 3}));
  EXPECT_EQ(y, (std::vector<double>{2, 3, 4, 6, 8}));
  EXPECT_EQ(stats.MaxDev, 0);
  EXPECT_EQ(stats.MaxMean, 0);
  EXPECT_EQ(stats.MinDev, 0);
  EXPECT_EQ(stats.MinMean, 2);
}

// The linear walk gives bit for bit what a search from the first point gives, for every
// operation, several split counts, graphs that start before or after the reference, and a
// reference whose X values turn back.
TEST(Resample, IdenticalToTheSearchFromTheFirstPointOnRandomGraphs) {
  std::mt19937 random(2024);
  for (int trial = 0; trial < 12; ++trial) {
    const int n = 1 + trial % 5;
    Graph ref = RandomGraph(random, 60 + std::size_t(trial), -2, 0.5, true);
    if (trial % 4 == 3) std::swap(ref.x[10], ref.x[30]);  // turns back
    const std::vector<Graph> others = {RandomGraph(random, 80, -5, 0.4, true), RandomGraph(random, 15, 3, 1.1, true),
                                       RandomGraph(random, 1, 5, 1, true), Graph{}};
    std::vector<TXYArrays> views;
    for (const Graph& g : others) views.push_back(g.View());
    for (TRareOp op : {roSum, roDifference, roProduct, roQuotient}) {
      std::vector<double> x, y, ex, ey;
      ResampleArithmetic(op, ref.View(), views, n, x, y);
      ResampleBySearch(op, ref, others, n, false, ex, ey);
      ASSERT_EQ(x, ex) << trial << " " << op;
      ASSERT_EQ(y, ey) << trial << " " << op;
    }
    std::vector<double> x, y, ex, ey;
    TDeviationStats stats;
    ResampleAverage(ref.View(), views, n, x, y, stats);
    ResampleBySearch(roSum, ref, others, n, true, ex, ey);
    ASSERT_EQ(x, ex) << trial;
    ASSERT_EQ(y, ey) << trial;
  }
}

// One further graph on the reference's own X values takes a loop of its own: bit for bit the
// search's values too, also where the reference turns back or the graph has a gap.
TEST(Resample, OwnGridWithOneGraphIdenticalToTheSearch) {
  std::mt19937 random(77);
  for (int trial = 0; trial < 8; ++trial) {
    Graph ref = RandomGraph(random, 200, -2, 0.5, true);
    if (trial % 2 == 1) std::swap(ref.x[10], ref.x[150]);  // turns back
    const std::vector<Graph> others = {RandomGraph(random, 300, -5, 0.4, true), RandomGraph(random, 1, 5, 1, true),
                                       Graph{}};
    for (const Graph& other : others) {
      for (TRareOp op : {roSum, roDifference, roProduct, roQuotient}) {
        std::vector<double> x, y, ex, ey;
        ResampleArithmetic(op, ref.View(), {other.View()}, 1, x, y);
        ResampleBySearch(op, ref, {other}, 1, false, ex, ey);
        ASSERT_EQ(x, ex) << trial << " " << op;
        ASSERT_EQ(y.size(), ey.size());
        for (std::size_t i = 0; i < y.size(); ++i)
          ASSERT_TRUE(y[i] == ey[i] || (std::isnan(y[i]) && std::isnan(ey[i]))) << trial << " " << op << " " << i;
      }
    }
  }
}

// ---- resampled routines against NumPy ---------------------------------------------------------

namespace {

Graph Sampled(double From, double To, std::size_t Count, double (*F)(double)) {
  Graph g;
  for (std::size_t i = 0; i < Count; ++i) {
    const double x = From + (To - From) * double(i) / double(Count - 1);
    g.x.push_back(x);
    g.y.push_back(F(x));
  }
  return g;
}

double SinOf(double X) { return std::sin(X); }
double CosOf(double X) { return std::cos(X); }
double Hill(double X) { return 2 + std::cos(0.7 * X); }
double Slope(double X) { return 1.5 + 0.25 * X; }

struct ResampleRow {
  const char* name;
  Graph ref;
  std::vector<Graph> others;
  int split;
};

// Every printed number of one row: the grid X, the sum, difference, product, quotient and mean
// line, then MaxDev, MaxMean, MinDev, MinMean. np.interp gives each further graph's values on the
// reference's refined grid (built with the same operations, so equal grid X values are equal
// bit for bit), and a graph counts where the grid X lies in its closed range [first X, last X].
const char* const kResamplePy = R"(
def grid(rx, n):
    return np.concatenate([rx[i]+np.arange(n)*((rx[i+1]-rx[i])/n) for i in range(len(rx)-1)]+[rx[-1:]])
def row(rx, ry, others, n):
    gx=grid(rx, n); gy=np.interp(gx, rx, ry)
    add=np.zeros_like(gx); mul=np.ones_like(gx); cnt=np.ones_like(gx)
    for ox, oy in others:
        m=(gx>=ox[0])&(gx<=ox[-1]); v=np.interp(gx, ox, oy)
        add+=np.where(m, v, 0); mul*=np.where(m, v, 1); cnt+=m
    mean=(gy+add)/cnt; dev=np.abs(mean-gy)
    for a in (gx, gy+add, gy-add, gy*mul, gy/mul, mean, [dev.max(), mean[dev.argmax()], dev.min(), mean[dev.argmin()]]):
        for v in a: print(repr(float(v)))
)";

}  // namespace

// Further graphs that share an end with the reference, end inside it or end outside it; every
// point of every resampled routine, and the mean line's deviations, against np.interp.
TEST(Resample, EveryRoutineMatchesNumPyInterpOverEndsSharedInsideAndOutside) {
  const Graph ref = Sampled(0, 8, 9, Slope);
  std::mt19937 random(99);
  Graph rough = RandomGraph(random, 50, 0, 1, false), roughOther = RandomGraph(random, 70, 3, 0.6, true);
  roughOther.x.front() = rough.x.front();  // same first and last X, uneven steps between
  roughOther.x.back() = rough.x.back();
  const std::vector<ResampleRow> rows = {
      {"sin and cos on the same 41 X", Sampled(0, 8, 41, SinOf), {Sampled(0, 8, 41, CosOf)}, 10},
      {"same first X, ends inside on a grid X", ref, {Sampled(0, 5, 11, Hill)}, 4},
      {"starts inside on a grid X, same last X", ref, {Sampled(3, 8, 6, Hill)}, 4},
      {"both ends inside on refined grid X", ref, {Sampled(1.25, 6.75, 12, Hill)}, 4},
      {"both ends outside", ref, {Sampled(-2, 11, 21, Hill)}, 3},
      {"starts outside, ends inside between grid X", ref, {Sampled(-3, 4.1, 9, Hill)}, 3},
      {"reference inside the other, sharing its last X", Sampled(2, 6, 5, Hill), {Sampled(-1, 6, 15, Slope)}, 2},
      {"several graphs and a single point", ref,
       {Sampled(0, 5, 11, Hill), Sampled(3, 8, 6, Slope), Graph{{6}, {2.5}}}, 2},
      {"own grid: one step, one graph, same last X", ref, {Sampled(3, 8, 6, Hill)}, 1},
      {"own grid: same 41 X", Sampled(0, 8, 41, SinOf), {Sampled(0, 8, 41, Hill)}, 1},
      {"uneven steps, same ends", rough, {roughOther}, 3},
  };
  std::ostringstream py;
  py << kResamplePy;
  for (const ResampleRow& r : rows) {
    py << "row(" << PyArray(r.ref.x) << "," << PyArray(r.ref.y) << ",[";
    for (const Graph& g : r.others) py << "(" << PyArray(g.x) << "," << PyArray(g.y) << "),";
    py << "]," << r.split << ")\n";
  }
  const std::vector<double> expected = RunNumPy(py.str());
  ASSERT_FALSE(expected.empty()) << "python3 with numpy is needed";
  auto near = [](double Got, double Want) { return std::fabs(Got - Want) <= 1e-12 * std::max(1.0, std::fabs(Want)); };
  std::size_t at = 0;
  for (const ResampleRow& r : rows) {
    std::vector<TXYArrays> views;
    for (const Graph& g : r.others) views.push_back(g.View());
    std::vector<std::vector<double>> got(6);
    std::vector<double> x;
    ResampleArithmetic(roSum, r.ref.View(), views, r.split, got[0], got[1]);
    ResampleArithmetic(roDifference, r.ref.View(), views, r.split, x, got[2]);
    ResampleArithmetic(roProduct, r.ref.View(), views, r.split, x, got[3]);
    ResampleArithmetic(roQuotient, r.ref.View(), views, r.split, x, got[4]);
    TDeviationStats stats;
    ResampleAverage(r.ref.View(), views, r.split, x, got[5], stats);
    const std::size_t n = got[0].size();
    ASSERT_LE(at + 6 * n + 4, expected.size()) << r.name;
    static const char* const what[] = {"grid X", "sum", "difference", "product", "quotient", "mean line"};
    for (std::size_t k = 0; k < 6; ++k) {
      ASSERT_EQ(got[k].size(), n) << r.name << ": " << what[k];
      for (std::size_t i = 0; i < n; ++i)
        EXPECT_TRUE(near(got[k][i], expected[at + k * n + i]))
            << r.name << ": " << what[k] << " at x = " << got[0][i] << ": " << got[k][i] << " instead of "
            << expected[at + k * n + i];
    }
    at += 6 * n;
    const double stat[] = {stats.MaxDev, stats.MaxMean, stats.MinDev, stats.MinMean};
    for (std::size_t k = 0; k < 4; ++k)
      EXPECT_TRUE(near(stat[k], expected[at + k])) << r.name << ": deviation " << k << ": " << stat[k] << " instead of "
                                                  << expected[at + k];
    at += 4;
  }
  EXPECT_EQ(at, expected.size());
}

TEST(Resample, FaultsAndRefusals) {
  std::vector<double> x, y;
  TDeviationStats stats;
  const Graph ref{{0, 1, 2}, {1, 2, 3}};
  const Graph zero{{-1, 3}, {-1, 3}};  // interpolates to 0 at x = 0
  EXPECT_EQ(ErrorOf([&] { ResampleArithmetic(roQuotient, ref.View(), {zero.View()}, 1, x, y); }),
            "Floating point division by zero");
  // The same where the divisor is 0 on its own last point, shared with the reference.
  const Graph zeroAtEnd{{1, 2}, {4, 0}};
  EXPECT_EQ(ErrorOf([&] { ResampleArithmetic(roQuotient, ref.View(), {zeroAtEnd.View()}, 2, x, y); }),
            "Floating point division by zero");
  // A fault on an interval's first point is that point's own: a slope past the doubles on the
  // way to its next point is not computed for it.
  const Graph steepRef{{0, 1}, {-1e308, 1e308}};
  EXPECT_EQ(ErrorOf([&] { ResampleArithmetic(roQuotient, steepRef.View(), {zero.View()}, 2, x, y); }),
            "Floating point division by zero");
  // The trace settles on a vertical step the way the walk does: a grid X rounded a unit below
  // 0.89 is at the step, whose last point divides by zero.
  const Graph flat{{0.13, 0.57, 1.21}, {1, 1, 1}};
  ResampleArithmetic(roSum, flat.View(), {}, 10, x, y);
  ASSERT_LT(x[15], 0.89);
  ASSERT_GT(x[15], 0.889);
  const Graph zeroAfterStep{{0.5, 0.89, 0.89}, {1, 1, 0}};
  EXPECT_EQ(ErrorOf([&] { ResampleArithmetic(roQuotient, flat.View(), {zeroAfterStep.View()}, 10, x, y); }),
            "Floating point division by zero");
  const Graph zeroRef{{0, 1}, {0, 5}};
  EXPECT_EQ(ErrorOf([&] { ResampleArithmetic(roQuotient, zeroRef.View(), {zero.View()}, 1, x, y); }),
            "Invalid floating point operation");
  EXPECT_EQ(ErrorOf([&] { ResampleArithmetic(roSum, TXYArrays{}, {ref.View()}, 2, x, y); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { ResampleAverage(TXYArrays{}, {}, 2, x, y, stats); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { ResampleArithmetic(roSum, ref.View(), {}, 1 << 30, x, y); }), MsgTooManyPoints);
  EXPECT_EQ(ErrorOf([&] { ResampleAverage(ref.View(), {}, 1 << 30, x, y, stats); }), MsgTooManyPoints);
  const Graph unordered{{0, 2, 1}, {0, 0, 0}};
  EXPECT_EQ(ErrorOf([&] { ResampleArithmetic(roSum, ref.View(), {unordered.View()}, 1, x, y); }),
            MsgXNotAscending);
  // A one-point reference is emitted once; an empty further graph adds nothing; a split count
  // below 1 counts as 1; a NaN value stays a gap.
  const Graph one{{5}, {7}};
  ResampleArithmetic(roSum, one.View(), {Graph{}.View()}, 0, x, y);
  EXPECT_EQ(x, (std::vector<double>{5}));
  EXPECT_EQ(y, (std::vector<double>{7}));
  const Graph gap{{0, 1, 2}, {1, kNaN, 3}};
  ResampleArithmetic(roSum, gap.View(), {}, 1, x, y);
  EXPECT_EQ(y[0], 1);
  EXPECT_TRUE(std::isnan(y[1]));
  EXPECT_EQ(y[2], 3);
}

// ---- derivatives ----------------------------------------------------------------------------

TEST(Derivatives, CentralDifferencesAtInnerPoints) {
  const Graph g{{0, 1, 3, 4}, {0, 2, 4, 10}};
  std::vector<double> x, d;
  Derivative(g.View(), x, d);
  EXPECT_EQ(x, (std::vector<double>{1, 3}));
  EXPECT_EQ(d, (std::vector<double>{4.0 / 3, 8.0 / 3}));
  const Graph three{{0, 1, 2}, {0, 1, 2}};
  EXPECT_EQ(ErrorOf([&] { Derivative(three.View(), x, d); }), MsgTooFewPoints);
  EXPECT_EQ(ErrorOf([&] { SecondDerivative(three.View(), x, d); }), MsgTooFewPoints);
  EXPECT_TRUE(x.empty());
  const Graph repeated{{0, 1, 0, 3, 4}, {0, 1, 2, 3, 4}};  // X[0] and X[2] coincide
  EXPECT_EQ(ErrorOf([&] { Derivative(repeated.View(), x, d); }), "Floating point division by zero");
}

TEST(Derivatives, SecondDerivativeOnEvenAndUnevenSteps) {
  const Graph even{{0, 1, 2, 3}, {1, 2, 5, 10}};
  std::vector<double> x, d;
  SecondDerivative(even.View(), x, d);
  EXPECT_EQ(d, (std::vector<double>{2, 2}));
  // A parabola has second derivative 2a at every point, whatever the spacing.
  const Graph uneven{{0, 1, 3, 3.5, 6}, {0, 1, 9, 12.25, 36}};
  SecondDerivative(uneven.View(), x, d);
  ASSERT_EQ(d.size(), 3u);
  for (double v : d) EXPECT_NEAR(v, 2, 1e-12);
  const Graph flat{{0, 1, 1, 2}, {0, 1, 2, 3}};
  EXPECT_FALSE(ErrorOf([&] { SecondDerivative(flat.View(), x, d); }).empty());
}

// np.gradient uses the same central difference at inner points of an even grid.
TEST(Derivatives, FirstDerivativeMatchesNumPyGradient) {
  std::mt19937 random(5);
  Graph g = RandomGraph(random, 30, 0, 1, false);
  for (std::size_t i = 0; i < g.x.size(); ++i) g.x[i] = 0.25 * double(i);
  std::vector<double> x, d;
  Derivative(g.View(), x, d);
  const std::vector<double> ref = RunNumPy("for v in np.gradient(" + PyArray(g.y) + ",0.25)[1:-1]: print(repr(float(v)))\n");
  ASSERT_EQ(ref.size(), d.size()) << "python3 with numpy is needed";
  for (std::size_t i = 0; i < d.size(); ++i) EXPECT_NEAR(d[i], ref[i], 1e-12) << i;
}

// ---- trim plan ------------------------------------------------------------------------------

TEST(TrimPlan, NearestOfTheNeighboursAroundTheCut) {
  const std::vector<double> x = {0, 1, 2, 3};
  TTrimPlan p = PlanTrim(x.data(), 4, 1.5);
  EXPECT_TRUE(p.PointRightOfCut);
  EXPECT_EQ(p.Kept, 2u);  // a tie keeps the right-hand point
  p = PlanTrim(x.data(), 4, 1.4);
  EXPECT_EQ(p.Kept, 1u);
  p = PlanTrim(x.data(), 4, -5);
  EXPECT_EQ(p.Kept, 0u);
  p = PlanTrim(x.data(), 4, 3);  // no point strictly right of the cut
  EXPECT_FALSE(p.PointRightOfCut);
  p = PlanTrim(x.data(), 0, 0);
  EXPECT_FALSE(p.PointRightOfCut);
}
