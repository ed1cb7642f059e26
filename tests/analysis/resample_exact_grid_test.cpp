// The resampled routines against NumPy on grids taken from the exact decimal X values the user
// typed or read: a further graph's end or vertical step on a grid point counts there even when
// the grid X the program computes lies a unit in the last place beside it, and a reference with
// repeated X values makes a vertical step of its own. The point-index routines on the same data
// stay as they are.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "AnalysisTestSupport.h"
#include "analysis/AnalisisMath.h"

using namespace analysis;
using analysis_test::PyArray;
using analysis_test::RunNumPy;

namespace {

struct DecimalGraph {
  std::vector<double> x, y;
  TXYArrays View() const { return {x.data(), y.data(), x.size()}; }
};

// Y = 10·X + Shift at the given X values.
DecimalGraph TenfoldLine(std::vector<double> X, double Shift = 0) {
  DecimalGraph g{std::move(X), {}};
  for (double v : g.x) g.y.push_back(10 * v + Shift);
  return g;
}

struct DecimalGridRow {
  const char* name;
  DecimalGraph ref;
  std::vector<DecimalGraph> others;
  int split;
};

// Per row: the grid size n; the grid X, sum, difference, product, quotient and mean line (n
// each); MaxDev, MaxMean, MinDev, MinMean; then the point-index length L and the point-index
// sum, difference, product, quotient, upper and lower envelope and mean (L each).
// The grid is built in fractions from the shortest decimal text of every X and Y, then rounded
// once. A reference interval of no width is one grid point (a vertical step keeps both points
// with their own Y). A further graph counts on its closed X range; of its points sharing an X,
// np.interp gives the last one's Y, the sums want that and the mean line the first (np.interp
// on the mirrored graph).
const char* const kDecimalGridPy = R"(
from fractions import Fraction as F
def dec(v): return F(repr(float(v)))
def grid(rx, ry, n):
    gx=[]; gy=[]
    for i in range(len(rx)):
        if i+1 < len(rx) and rx[i+1] != rx[i]:
            x0, x1, y0, y1 = dec(rx[i]), dec(rx[i+1]), dec(ry[i]), dec(ry[i+1])
            for j in range(n):
                gx.append(x0+j*(x1-x0)/n); gy.append(y0+j*(y1-y0)/n)
        else:
            gx.append(dec(rx[i])); gy.append(dec(ry[i]))
    return np.array([float(v) for v in gx]), np.array([float(v) for v in gy])
def row(rx, ry, others, n):
    gx, gy = grid(rx, ry, n)
    add=np.zeros_like(gx); mul=np.ones_like(gx); addFirst=np.zeros_like(gx); cnt=np.ones_like(gx)
    for ox, oy in others:
        m=(gx>=ox[0])&(gx<=ox[-1])
        last=np.interp(gx, ox, oy); first=np.interp(-gx, -ox[::-1], oy[::-1])
        add+=np.where(m, last, 0); mul*=np.where(m, last, 1); addFirst+=np.where(m, first, 0); cnt+=m
    mean=(gy+addFirst)/cnt; dev=np.abs(mean-gy)
    print(len(gx))
    for a in (gx, gy+add, gy-add, gy*mul, gy/mul, mean, [dev.max(), mean[dev.argmax()], dev.min(), mean[dev.argmin()]]):
        for v in a: print(repr(float(v)))
    ys=[list(ry)]+[list(oy) for ox, oy in others]
    L=max(len(y) for y in ys); print(L)
    cols=[[y[i] for y in ys if i < len(y)] for i in range(L)]
    def fold(v, step):
        r=v[0]
        for w in v[1:]: r=step(r, w)
        return r
    for step in (lambda a,b: a+b, lambda a,b: a-b, lambda a,b: a*b, lambda a,b: a if b==0 else a/b, max, min):
        for v in cols: print(repr(float(fold(v, step))))
    for v in cols: print(repr(float(sum(v)/len(v))))
)";

bool Near(double Got, double Want) { return std::fabs(Got - Want) <= 1e-12 * std::max(1.0, std::fabs(Want)); }

}  // namespace

TEST(Resample, EveryRoutineMatchesNumPyOnGridsOfExactDecimals) {
  // Reference X 0..3 in tenths: 1 + 7·0.1 is 1.7000000000000002 and 7·0.1 is
  // 0.7000000000000001; on X -1, 0.5, 1, -1 + 8·0.15 is 0.19999999999999996 and 0.5 + 7·0.05 is
  // 0.8500000000000001.
  const DecimalGraph squares{{0, 1, 2, 3}, {0, 1, 4, 9}};
  // Two-decimal X: the inner grid points 0.634, 0.89, 1.082, 1.562, 2.483 and 3.007 come out a
  // unit in the last place below their decimal values; 0.218, 0.954 and 1.738 come out on them.
  const DecimalGraph twoDecimals{{0.13, 0.57, 1.21, 2.09, 3.4}, {1, 2, 0.5, 3, 2}};
  const std::vector<DecimalGridRow> rows = {
      {"an end on the rounded grid point 1.7", squares, {TenfoldLine({0.1, 0.5, 0.9, 1.3, 1.7})}, 10},
      {"a start on the rounded grid point 0.2, an end on 0.85", DecimalGraph{{-1, 0.5, 1}, {2, 0, 3}},
       {TenfoldLine({0.2, 0.6, 0.85})}, 10},
      {"two-decimal reference: starts and ends on grid points rounded below and on them",
       twoDecimals,
       {DecimalGraph{{0.634, 0.9, 1.562}, {2, -1, 4}}, DecimalGraph{{1.082, 1.9, 3.007}, {3, 5, 1.5}},
        DecimalGraph{{0.218, 0.954}, {-2, 6}}, DecimalGraph{{2.483, 3.4}, {7, 2}}},
       10},
      {"ends beside grid points, by a hundredth and by a billionth",
       squares,
       {TenfoldLine({0.25, 1.65}, 1), TenfoldLine({0.700000001, 1.699999999}, 2)},
       10},
      {"the reference's first and last X, and beyond both", squares,
       {TenfoldLine({0, 1.5, 3}, 1), TenfoldLine({-0.5, 3.5}, 6)}, 10},
      {"repeated X in the reference", DecimalGraph{{0, 1, 1, 2, 2, 2, 3}, {0, 1, 5, 6, 2, 8, 9}},
       {TenfoldLine({0.3, 1.7}), TenfoldLine({-1, 1, 4}, 1)}, 10},
      {"repeated first and last X in the reference", DecimalGraph{{0, 0, 1, 2, 2}, {4, 0, 1, 3, 7}},
       {TenfoldLine({0, 1, 2}, 1)}, 4},
      {"repeated X in the reference, on its own X", DecimalGraph{{0, 1, 1, 2, 3}, {1, 2, 7, 3, 5}},
       {TenfoldLine({0.5, 1, 2.5}, 1)}, 1},
      {"steps in a further graph on rounded grid points and at its ends",
       squares,
       {DecimalGraph{{0.2, 0.7, 0.7, 1.3, 1.7, 1.7}, {1, 2, 6, 3, 4, 9}},
        DecimalGraph{{0.5, 0.5, 1, 2.4, 2.4}, {3, 1, 2, 5, -4}}},
       10},
      {"steps in a further graph on grid points rounded below, and at its ends there", twoDecimals,
       {DecimalGraph{{0.634, 0.634, 0.89, 0.89, 1.562, 1.562}, {5, 1, 2, 6, 3, -4}}}, 10},
      {"a step in a further graph on the reference's own X", squares,
       {DecimalGraph{{0, 1, 1, 3}, {1, 2, 6, 4}}}, 1},
  };
  std::ostringstream py;
  py << kDecimalGridPy;
  for (const DecimalGridRow& r : rows) {
    py << "row(" << PyArray(r.ref.x) << "," << PyArray(r.ref.y) << ",[";
    for (const DecimalGraph& g : r.others) py << "(" << PyArray(g.x) << "," << PyArray(g.y) << "),";
    py << "]," << r.split << ")\n";
  }
  const std::vector<double> expected = RunNumPy(py.str());
  ASSERT_FALSE(expected.empty()) << "python3 with numpy is needed";
  std::size_t at = 0;
  auto compare = [&](const char* Row, const char* What, const std::vector<double>& Got, const std::vector<double>& Xs) {
    for (std::size_t i = 0; i < Got.size(); ++i)
      EXPECT_TRUE(Near(Got[i], expected[at + i])) << Row << ": " << What << " at x = " << Xs[i] << ": " << Got[i]
                                                  << " instead of " << expected[at + i];
    at += Got.size();
  };
  for (const DecimalGridRow& r : rows) {
    std::vector<TXYArrays> views;
    for (const DecimalGraph& g : r.others) views.push_back(g.View());
    std::vector<std::vector<double>> got(6);
    std::vector<double> x;
    TDeviationStats stats;
    const std::string error = analysis_test::ErrorOf([&] {
      ResampleArithmetic(roSum, r.ref.View(), views, r.split, got[0], got[1]);
      ResampleArithmetic(roDifference, r.ref.View(), views, r.split, x, got[2]);
      ResampleArithmetic(roProduct, r.ref.View(), views, r.split, x, got[3]);
      ResampleArithmetic(roQuotient, r.ref.View(), views, r.split, x, got[4]);
      ResampleAverage(r.ref.View(), views, r.split, x, got[5], stats);
    });
    ASSERT_LT(at, expected.size()) << r.name;
    const std::size_t n = std::size_t(expected[at++]);
    ASSERT_LT(at + 6 * n + 4, expected.size()) << r.name;
    if (!error.empty()) {
      ADD_FAILURE() << r.name << ": " << error;
      at += 6 * n + 4;
      at += 1 + 7 * std::size_t(expected[at]);
      continue;
    }
    static const char* const what[] = {"grid X", "sum", "difference", "product", "quotient", "mean line"};
    for (std::size_t k = 0; k < 6; ++k) {
      ASSERT_EQ(got[k].size(), n) << r.name << ": " << what[k];
      compare(r.name, what[k], got[k], got[0]);
    }
    compare(r.name, "deviation (max, its mean, min, its mean)",
            {stats.MaxDev, stats.MaxMean, stats.MinDev, stats.MinMean}, {0, 0, 0, 0});

    // The point-index routines take the same graphs by index, X values aside.
    const std::size_t length = std::size_t(expected[at++]);
    std::vector<TValuesArray> sources{{r.ref.y.data(), r.ref.y.size()}};
    for (const DecimalGraph& g : r.others) sources.push_back({g.y.data(), g.y.size()});
    std::vector<double> index(length);
    for (std::size_t i = 0; i < length; ++i) index[i] = double(i);
    for (TIndexOp op : {ioAdd, ioSubtract, ioMultiply, ioDivide, ioHigh, ioLow, ioAverage}) {
      std::vector<double> byIndex;
      CombineByIndex(op, sources, byIndex);
      ASSERT_EQ(byIndex.size(), length) << r.name;
      compare(r.name, "point-index result", byIndex, index);
    }
  }
  EXPECT_EQ(at, expected.size());
}

// A grid X within rounding of a further graph's end or step is at it; past that it is not. The
// tolerance goes with the reference interval's scale, so far from zero it is as many units in
// the last place as near it.
TEST(Resample, EndsWithinRoundingOfTheGridAtEveryScale) {
  struct Case {
    const char* name;
    double offset;  // the reference's X values shifted by this
    double scale;   // and multiplied by this
  };
  for (const Case& c : {Case{"tenths", 0, 1}, Case{"near a million", 1e6, 1}, Case{"thousandths", 0, 1e-3},
                        Case{"around zero", -1.5, 1}}) {
    auto at = [&](double V) { return (c.offset + V) * c.scale; };
    const DecimalGraph ref{{at(0), at(1), at(2), at(3)}, {0, 0, 0, 0}};
    std::vector<double> x, y;
    ResampleArithmetic(roSum, ref.View(), {}, 10, x, y);
    ASSERT_EQ(x.size(), 31u);
    for (std::size_t k = 1; k + 1 < x.size(); ++k) {
      // A graph ending exactly on this grid X, one ending two units in the last place of the
      // scale past it, and one ending a millionth of a step before it.
      const double ulp = std::nextafter(std::fabs(at(3)), INFINITY) - std::fabs(at(3));
      const double step = x[1] - x[0];
      for (const auto& [end, counts] : std::vector<std::pair<double, bool>>{
               {x[k], true}, {x[k] - 2 * ulp, true}, {x[k] - 1e-6 * step, false}}) {
        const DecimalGraph other{{x[0] - 1, end}, {5, 5}};
        std::vector<double> gx, sum, mean;
        TDeviationStats stats;
        ResampleArithmetic(roSum, ref.View(), {other.View()}, 10, gx, sum);
        ResampleAverage(ref.View(), {other.View()}, 10, gx, mean, stats);
        EXPECT_EQ(sum[k], counts ? 5 : 0) << c.name << " at " << k << ", graph ending at " << end;
        EXPECT_EQ(mean[k], counts ? 2.5 : 0) << c.name << " at " << k << ", graph ending at " << end;
        EXPECT_EQ(sum[k + 1], 0) << c.name << " at " << k + 1;
      }
    }
  }
}

// An end a unit in the last place beside one of the reference's own X values (0.1 + 0.2 beside
// 0.3) is at it, on the reference's own X values as on the refined grid, with one further graph
// or more.
TEST(Resample, AnEndWithinRoundingOfTheReferencesOwnXCounts) {
  const DecimalGraph ref{{0, 0.3, 1}, {1, 1, 1}};
  const DecimalGraph starts{{0.1 + 0.2, 2}, {5, 5}};
  const DecimalGraph none{{}, {}};
  ASSERT_NE(starts.x[0], 0.3);
  struct Case {
    const char* name;
    int split;
    std::vector<TXYArrays> others;
  };
  for (const Case& c : {Case{"own X", 1, {starts.View()}}, Case{"own X, two graphs", 1, {starts.View(), none.View()}},
                        Case{"refined grid", 4, {starts.View()}}}) {
    std::vector<double> x, sum, mean;
    TDeviationStats stats;
    ResampleArithmetic(roSum, ref.View(), c.others, c.split, x, sum);
    ResampleAverage(ref.View(), c.others, c.split, x, mean, stats);
    const std::size_t at = std::size_t(c.split);
    ASSERT_EQ(x[at], 0.3) << c.name;
    EXPECT_EQ(sum[at], 6) << c.name;
    EXPECT_EQ(mean[at], 3) << c.name;
    EXPECT_EQ(sum[at - 1], 1) << c.name;
  }
}
