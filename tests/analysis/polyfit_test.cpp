#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/CurveFitting.h"
#include "platform/kernel/Exceptions.h"
#include "chart/Series.h"
#include "framework/SysUtils.h"

namespace {

using namespace analysis;
using chart::TLineSeries;

// Message of the exception F raises, "" when it raises none.
template <typename F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const fw::Exception& e) {
    return e.Message();
  }
  return "";
}

// Runs a NumPy script and returns the numbers it printed.
std::vector<double> NumPy(const std::string& body) {
  const std::string script = "import numpy as np\n" + body;
  char name[] = "/tmp/kv_polyfit_XXXXXX";
  const int fd = mkstemp(name);
  EXPECT_GE(fd, 0);
  FILE* f = fdopen(fd, "w");
  std::fputs(script.c_str(), f);
  std::fclose(f);
  FILE* pipe = popen(("/usr/bin/python3 " + std::string(name) + " 2>&1").c_str(), "r");
  std::string out;
  char buf[4096];
  std::size_t n;
  while (pipe && (n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  EXPECT_EQ(pipe ? pclose(pipe) : -1, 0) << out;
  std::remove(name);
  std::istringstream in(out);
  std::vector<double> v;
  for (double d; in >> d;) v.push_back(d);
  return v;
}

std::string PyList(const std::vector<double>& v) {
  std::ostringstream o;
  o.precision(17);
  o << "np.array([";
  for (double d : v) o << d << ",";
  o << "])";
  return o.str();
}

struct FitFixture : ::testing::Test {
  fw::TComponent owner{nullptr};
  TLineSeries* source = new TLineSeries(&owner);
  TLineSeries* result = new TLineSeries(&owner);
  TCurveFittingFunction* fit = new TCurveFittingFunction(&owner);
  void SetUp() override { result->SetFunctionType(fit); }
  void Attach() {
    result->SetDataSource(source);
    result->CheckDataSource();
  }
};

TEST_F(FitFixture, DefaultsAndPropertyChecks) {
  EXPECT_EQ(fit->PolyDegree(), 5);
  EXPECT_EQ(fit->TypeFitting(), cfPolynomial);
  EXPECT_EQ(fit->Factor(), 1);
  EXPECT_EQ(fit->FirstPoint(), -1);
  EXPECT_EQ(fit->LastCalcPoint(), -1);
  EXPECT_EQ(fit->Period(), 1);
  EXPECT_FALSE(fit->CanUsePeriod());
  fit->SetPolyDegree(7);
  EXPECT_EQ(ErrorOf([&] { fit->SetPolyDegree(0); }), "Polynomial degree must be between 1 and 20");
  EXPECT_EQ(ErrorOf([&] { fit->SetPolyDegree(21); }), "Polynomial degree must be between 1 and 20");
  EXPECT_EQ(fit->PolyDegree(), 7);
  fit->SetPolyDegree(20);
  EXPECT_EQ(fit->PolyDegree(), 20);
  fit->SetPolyDegree(5);
  EXPECT_EQ(ErrorOf([&] { fit->AnswerVector(0); }), "Answer Vector index must be between 1 and 5");
  EXPECT_EQ(ErrorOf([&] { fit->AnswerVector(6); }), "Answer Vector index must be between 1 and 5");
  EXPECT_EQ(ErrorOf([&] { fit->AnswerVector(5); }), "");
  fit->SetFactor(0);
  EXPECT_EQ(fit->Factor(), 1);
  fit->SetFactor(-3);
  EXPECT_EQ(fit->Factor(), 1);
}

TEST_F(FitFixture, ParabolaInShiftedCoordinates) {
  source->AddXY(1, 1);
  source->AddXY(2, 4);
  source->AddXY(3, 9);
  fit->SetPolyDegree(3);
  Attach();
  EXPECT_EQ(fit->FitXOrigin(), 1);
  EXPECT_EQ(fit->FitYOrigin(), 1);
  EXPECT_NEAR(fit->AnswerVector(1), 0, 1e-12);
  EXPECT_NEAR(fit->AnswerVector(2), 2, 1e-12);
  EXPECT_NEAR(fit->AnswerVector(3), 1, 1e-12);
  ASSERT_EQ(result->Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(result->PointX(i), i + 1);
    EXPECT_NEAR(result->PointY(i), (i + 1) * (i + 1), 1e-12);
  }
}

TEST_F(FitFixture, TooFewPointsGiveEmptySeries) {
  for (int i = 0; i < 4; ++i) source->AddXY(i, i * i);
  Attach();  // 4 points, 5 terms
  EXPECT_EQ(result->Count(), 0);
  fit->SetPolyDegree(4);
  EXPECT_EQ(result->Count(), 4);
  source->Clear();
  EXPECT_EQ(result->Count(), 0);
}

TEST_F(FitFixture, IdenticalXIsSingularAndLeavesSeriesEmpty) {
  source->AddXY(2, 1);
  source->AddXY(2, 3);
  fit->SetPolyDegree(1);
  Attach();
  EXPECT_EQ(result->Count(), 2);  // one term: a constant fits any X
  EXPECT_EQ(ErrorOf([&] { fit->SetPolyDegree(2); }), "Cannot process fitting");
  EXPECT_EQ(result->Count(), 0);
}

TEST_F(FitFixture, NullPointsTakeNoPart) {
  for (int i = 0; i < 6; ++i) source->AddXY(i, i * 0.5);
  fit->SetPolyDegree(2);
  Attach();
  EXPECT_EQ(result->Count(), 6);
  source->AddXY(2.5, std::nan(""));
  source->AddNullPoint(3.5, 1e6);
  ASSERT_EQ(result->Count(), 8) << "drawn at every X, null points included";
  for (int k = 0; k < 8; ++k) EXPECT_NEAR(result->PointY(k), result->PointX(k) * 0.5, 1e-12);
  EXPECT_NEAR(fit->AnswerVector(2), 0.5, 1e-12);
}

// Full-rank data of every degree the polynomial dialog offers fit as NumPy fits them.
TEST(PolySolver, HighDegreesAgainstNumPy) {
  std::vector<double> xs, ys;
  for (int i = 0; i < 120; ++i) {
    xs.push_back(i / 119.0 * 3);
    ys.push_back(std::sin(xs.back() * 2) + 0.001 * std::cos(i * 5.0));
  }
  for (int terms : {14, 17, 20}) {
    TPolyVector c{};
    ASSERT_EQ(ErrorOf([&] { PolyFitting(120, terms, xs.data(), ys.data(), c); }), "") << terms;
    const auto fitted = NumPy("x=" + PyList(xs) + "\ny=" + PyList(ys) + "\np=np.polynomial.Polynomial.fit(x,y," +
                              std::to_string(terms - 1) + ")\nprint(' '.join(repr(float(v)) for v in p(x)))\n");
    ASSERT_EQ(fitted.size(), xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
      EXPECT_NEAR(double(CalculatePoly(terms, c, xs[i])), fitted[i], 1e-9) << terms << " " << i;
  }
}

TEST_F(FitFixture, FactorAddsSubSteps) {
  for (int i = 0; i < 10; ++i) source->AddXY(i * 2.0, 3.0 * i - 1);
  fit->SetPolyDegree(2);
  fit->SetFactor(4);
  Attach();
  ASSERT_EQ(result->Count(), 37);
  for (int k = 0; k < 37; ++k) {
    EXPECT_DOUBLE_EQ(result->PointX(k), k * 0.5);
    EXPECT_NEAR(result->PointY(k), 1.5 * k * 0.5 - 1, 1e-9);
  }
}

TEST_F(FitFixture, CalcAndDrawRanges) {
  // Points 2..6 lie on y = 2x + 1; the others are far off it.
  for (int i = 0; i < 10; ++i) source->AddXY(i, (i >= 2 && i <= 6) ? 2.0 * i + 1 : 100.0 + i * i);
  fit->SetPolyDegree(2);
  fit->SetFirstCalcPoint(2);
  fit->SetLastCalcPoint(6);
  fit->SetFirstPoint(3);
  fit->SetLastPoint(50);  // held to the last point
  Attach();
  ASSERT_EQ(result->Count(), 7);
  for (int k = 0; k < 7; ++k) {
    EXPECT_DOUBLE_EQ(result->PointX(k), k + 3);
    EXPECT_NEAR(result->PointY(k), 2.0 * (k + 3) + 1, 1e-9);
  }
  // Shifted: x' = x - 0, y' = y - min(y) = y - 5.
  EXPECT_EQ(fit->FitYOrigin(), 5);
  EXPECT_NEAR(fit->AnswerVector(1), 1 - 5, 1e-9);
  EXPECT_NEAR(fit->AnswerVector(2), 2, 1e-9);
}

TEST_F(FitFixture, DegreeFiveAgainstNumPy) {
  std::vector<double> xs, ys;
  for (int i = 0; i < 200; ++i) {
    const double x = 10 + i * 0.05;
    xs.push_back(x);
    ys.push_back(std::sin(x) * 3 + 0.01 * x * x + std::cos(i * 7.0) * 0.1);
    source->AddXY(x, ys.back());
  }
  Attach();
  const double x0 = *std::min_element(xs.begin(), xs.end()), y0 = *std::min_element(ys.begin(), ys.end());
  const auto ref = NumPy("x=" + PyList(xs) + "\ny=" + PyList(ys) + "\nc=np.polyfit(x-" + std::to_string(x0) +
                         ",y-(" + PyList({y0}) + "[0]),4)[::-1]\nprint(' '.join(repr(float(v)) for v in c))\n");
  ASSERT_EQ(ref.size(), 5u);
  // Normal equations in extended precision against NumPy's QR-based solve: 1e-7 relative.
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(fit->AnswerVector(i + 1), ref[i], 1e-7 * (1 + std::fabs(ref[i]))) << i;
}

TEST(PolySolver, SmallAndLargeXSpansAgainstNumPy) {
  for (const double span : {1e-4, 1e5}) {
    std::vector<double> xs, ys;
    for (int i = 0; i < 60; ++i) {
      const double t = i / 59.0;
      xs.push_back(t * span);
      ys.push_back(2 - 3 * t + 5 * t * t - t * t * t * t + 0.01 * std::sin(i * 2.0));
    }
    TPolyVector c{};
    ASSERT_EQ(ErrorOf([&] { PolyFitting(60, 5, xs.data(), ys.data(), c); }), "") << span;
    const auto ref = NumPy("c=np.polynomial.polynomial.polyfit(" + PyList(xs) + "," + PyList(ys) +
                           ",4)\nprint(' '.join(repr(float(v)) for v in c))\n");
    ASSERT_EQ(ref.size(), 5u);
    // Tolerance 1e-8 relative to each coefficient.
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(double(c[k]), ref[k], 1e-8 * std::fabs(ref[k])) << span << " " << k;
  }
}

// A million points lying on a quintic (the reduction takes them a block at a time): its
// coefficients come back to about the last digits of a double.
TEST(PolySolver, MillionPointsOnAQuinticGiveItsCoefficients) {
  const double want[6] = {1, -2, 0.25, 0.5, -0.03, 0.001};
  constexpr int kPoints = 1'000'000;
  std::vector<double> xs(kPoints), ys(kPoints);
  for (int i = 0; i < kPoints; ++i) {
    const double x = 3 + 10.0 * i / (kPoints - 1);
    xs[std::size_t(i)] = x;
    double y = 0;
    for (int k = 5; k >= 0; --k) y = y * x + want[k];
    ys[std::size_t(i)] = y;
  }
  TPolyVector c{};
  ASSERT_EQ(ErrorOf([&] { PolyFitting(kPoints, 6, xs.data(), ys.data(), c); }), "");
  for (int k = 0; k < 6; ++k) EXPECT_NEAR(double(c[std::size_t(k)]), want[k], 1e-9 * std::fabs(want[k])) << k;
}

TEST(PolySolver, EliminationDeterminantAndPivoting) {
  TPolyMatrix a{};
  TPolyVector b{}, x{};
  // [[1,2],[3,4]]: the pivot search swaps the rows once, det = -2.
  a[0][0] = 1, a[0][1] = 2, a[1][0] = 3, a[1][1] = 4;
  b[0] = 5, b[1] = 11;
  EXPECT_NEAR(double(GaussianEliminationDeterminant(2, a, b, 1e-15L, x)), -2, 1e-15);
  EXPECT_NEAR(double(x[0]), 1, 1e-15);
  EXPECT_NEAR(double(x[1]), 2, 1e-15);
  // No swap: det = 3·4 - 1·2 = 10.
  a = {}, b = {};
  a[0][0] = 3, a[0][1] = 1, a[1][0] = 2, a[1][1] = 4;
  b[0] = 5, b[1] = 10;
  EXPECT_NEAR(double(GaussianEliminationDeterminant(2, a, b, 1e-15L, x)), 10, 1e-14);
  EXPECT_NEAR(double(x[0]), 1, 1e-15);
  EXPECT_NEAR(double(x[1]), 2, 1e-15);
  // A pivot under the tolerance reports a singular system.
  a = {}, b = {};
  a[0][0] = 1e-16L, a[1][1] = 1e-16L;
  EXPECT_EQ(GaussianEliminationDeterminant(2, a, b, 1e-15L, x), 0);
  a = {}, b = {};
  a[0][0] = 1, a[0][1] = 2, a[1][0] = 2, a[1][1] = 4;
  EXPECT_EQ(GaussianEliminationDeterminant(2, a, b, 1e-15L, x), 0);
}

TEST(PolySolver, PowersAndPolynomial) {
  const TPolyVector p = PowerVector(4, 3);
  EXPECT_EQ(p[0], 1);
  EXPECT_EQ(p[1], 3);
  EXPECT_EQ(p[3], 27);
  EXPECT_EQ(p[4], 0);
  TPolyVector c{};
  c[0] = 1, c[1] = -2, c[2] = 0.5L;
  EXPECT_EQ(CalculatePoly(3, c, 4), 1 - 8 + 8);
  EXPECT_EQ(CalculatePoly(2, c, 4), 1 - 8);
}

TEST(PolySolver, BadInputRaises) {
  TPolyVector c{};
  const double x[] = {0, 1, std::nan(""), 3}, y[] = {1, 2, 3, 4};
  EXPECT_EQ(ErrorOf([&] { PolyFitting(4, 2, x, y, c); }), "Cannot process fitting");
  const double x2[] = {0, 1, 2, 3};
  EXPECT_EQ(ErrorOf([&] { PolyFitting(4, 2, x2, y, c); }), "");
  EXPECT_NEAR(double(c[0]), 1, 1e-12);
  EXPECT_NEAR(double(c[1]), 1, 1e-12);
  EXPECT_EQ(ErrorOf([&] { PolyFitting(4, 21, x2, y, c); }), "Cannot process fitting");
  EXPECT_EQ(ErrorOf([&] { PolyFitting(0, 2, x2, y, c); }), "Cannot process fitting");
  // More terms than points: the normal matrix is singular.
  EXPECT_EQ(ErrorOf([&] { PolyFitting(2, 3, x2, y, c); }), "Cannot process fitting");
}

template <typename F>
struct TrendFixture : ::testing::Test {
  fw::TComponent owner{nullptr};
  TLineSeries* source = new TLineSeries(&owner);
  TLineSeries* result = new TLineSeries(&owner);
  F* fn = new F(&owner);
  void SetUp() override { result->SetFunctionType(fn); }
  void Attach() {
    result->SetDataSource(source);
    result->CheckDataSource();
  }
};

using LineTrend = TrendFixture<TTrendFunction>;
using ExpTrend = TrendFixture<TExpTrendFunction>;
using Correlation = TrendFixture<TCorrelationFunction>;

TEST_F(LineTrend, AgainstNumPyAndEnds) {
  std::vector<double> xs, ys;
  for (int i = 0; i < 50; ++i) {
    xs.push_back(i * 0.3 - 2);
    ys.push_back(1.7 * xs.back() + 4 + std::sin(i * 3.0));
    source->AddXY(xs.back(), ys.back());
  }
  Attach();
  const auto ref = NumPy("m,b=np.polyfit(" + PyList(xs) + "," + PyList(ys) + ",1)\nprint(m,b)\n");
  ASSERT_EQ(ref.size(), 2u);
  ASSERT_EQ(result->Count(), 2);
  EXPECT_DOUBLE_EQ(result->PointX(0), xs.front());
  EXPECT_DOUBLE_EQ(result->PointX(1), xs.back());
  // Tolerance 1e-10: the sums formula against NumPy's least squares.
  EXPECT_NEAR(result->PointY(0), ref[0] * xs.front() + ref[1], 1e-10);
  EXPECT_NEAR(result->PointY(1), ref[0] * xs.back() + ref[1], 1e-10);
}

TEST_F(LineTrend, OnePointNothingEqualXIdentity) {
  source->AddXY(3, 7);
  Attach();
  EXPECT_EQ(result->Count(), 0);
  source->AddXY(3, 1);
  source->AddXY(3, 4);
  ASSERT_EQ(result->Count(), 2);
  EXPECT_EQ(result->PointX(0), 3);
  EXPECT_EQ(result->PointY(0), 3);  // y = x
}

TEST_F(LineTrend, OneTrendPerPeriod) {
  for (int i = 0; i < 3; ++i) source->AddXY(i, i);           // y = x
  for (int i = 3; i < 6; ++i) source->AddXY(i, 10.0 - i);    // y = 10 - x
  fn->SetPeriod(3);
  Attach();
  ASSERT_EQ(result->Count(), 4);
  const double want[4][2] = {{0, 0}, {2, 2}, {3, 7}, {5, 5}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(result->PointX(k), want[k][0], 1e-12) << k;
    EXPECT_NEAR(result->PointY(k), want[k][1], 1e-12) << k;
  }
}

TEST_F(LineTrend, UnorderedXUsesExtremes) {
  source->XValues()->SetOrder(chart::loNone);
  source->AddXY(5, 10);
  source->AddXY(1, 2);
  source->AddXY(9, 18);
  source->AddXY(3, 6);
  Attach();
  ASSERT_EQ(result->Count(), 2);
  EXPECT_DOUBLE_EQ(result->PointX(0), 1);
  EXPECT_DOUBLE_EQ(result->PointY(0), 2);
  EXPECT_DOUBLE_EQ(result->PointX(1), 9);
  EXPECT_DOUBLE_EQ(result->PointY(1), 18);
}

// A series drawn sideways: its values are the X list, its positions the Y list.
struct SidewaysSeries : TLineSeries {
  explicit SidewaysSeries(fw::TComponent* AOwner) : TLineSeries(AOwner) { SetYMandatory(false); }
};

TEST(TrendSideways, PositionsAndValuesExchanged) {
  fw::TComponent owner{nullptr};
  auto* source = new SidewaysSeries(&owner);
  auto* result = new SidewaysSeries(&owner);
  auto* fn = new TTrendFunction(&owner);
  result->SetFunctionType(fn);
  // Values (X list) are 3·position + 1 at positions (Y list) 0 .. 4.
  source->YValues()->SetOrder(chart::loNone);
  source->XValues()->SetOrder(chart::loNone);
  for (int i = 0; i < 5; ++i) source->AddXY(3.0 * i + 1, i);
  result->SetDataSource(source);
  result->CheckDataSource();
  ASSERT_EQ(result->Count(), 2);
  EXPECT_NEAR(result->PointY(0), 0, 1e-12);
  EXPECT_NEAR(result->PointX(0), 1, 1e-12);
  EXPECT_NEAR(result->PointY(1), 4, 1e-12);
  EXPECT_NEAR(result->PointX(1), 13, 1e-12);
}

TEST_F(ExpTrend, AgainstNumPyOnLogValues) {
  std::vector<double> xs, ys;
  for (int i = 0; i < 30; ++i) {
    xs.push_back(i * 0.1);
    ys.push_back(2.5 * std::exp(0.8 * xs.back()) * (1 + 0.05 * std::sin(i * 5.0)));
    source->AddXY(xs.back(), ys.back());
  }
  Attach();
  const auto ref = NumPy("r,l=np.polyfit(" + PyList(xs) + ",np.log(" + PyList(ys) + "),1)\nprint(r,np.exp(l))\n");
  ASSERT_EQ(ref.size(), 2u);
  ASSERT_EQ(result->Count(), 2);
  // Tolerance 1e-9 relative.
  EXPECT_NEAR(result->PointY(0), ref[1], 1e-9 * ref[1]);
  const double last = ref[1] * std::exp(ref[0] * xs.back());
  EXPECT_NEAR(result->PointY(1), last, 1e-9 * last);
}

TEST_F(ExpTrend, ZeroValueCountsAsLogZeroNegativeRaises) {
  source->AddXY(0, 0);           // ln taken as 0
  source->AddXY(1, std::exp(2.0));  // ln 2
  Attach();
  ASSERT_EQ(result->Count(), 2);
  // Through (0, 0) and (1, 2) in log space: y = e^(2x).
  EXPECT_NEAR(result->PointY(0), 1, 1e-12);
  EXPECT_NEAR(result->PointY(1), std::exp(2.0), 1e-9);
  EXPECT_EQ(ErrorOf([&] { source->AddXY(2, -1); }), "Invalid floating point operation");
  EXPECT_EQ(result->Count(), 0);
}

TEST_F(Correlation, AgainstNumPyAndConstantData) {
  std::vector<double> xs, ys;
  for (int i = 0; i < 40; ++i) {
    xs.push_back(i);
    ys.push_back(0.5 * i + 3 * std::cos(i * 1.3));
    source->AddXY(xs.back(), ys.back());
  }
  Attach();
  const auto ref = NumPy("print(np.corrcoef(" + PyList(xs) + "," + PyList(ys) + ")[0,1])\n");
  ASSERT_EQ(ref.size(), 1u);
  ASSERT_EQ(result->Count(), 2);
  EXPECT_EQ(result->PointX(0), 0);
  EXPECT_EQ(result->PointX(1), 39);
  EXPECT_NEAR(result->PointY(0), ref[0], 1e-12);  // tolerance 1e-12
  EXPECT_EQ(result->PointY(1), result->PointY(0));
  source->Clear();
  // Constant values: no spread, r = 1. With 0.1 three times the rounded sums leave the
  // spread slightly negative, which must not reach the square root.
  for (int i = 0; i < 3; ++i) source->AddXY(i, 0.1);
  ASSERT_EQ(result->Count(), 2);
  EXPECT_EQ(result->PointY(0), 1);
  source->Clear();
  for (int i = 0; i < 4; ++i) source->AddXY(i, 0.5);
  EXPECT_EQ(result->PointY(0), 1);
  source->Clear();
  source->AddXY(1, 5);
  ASSERT_EQ(result->Count(), 2);
  EXPECT_EQ(result->PointY(0), 1);  // fewer than two points
}

// Null points are gaps the sums leave out; sums about the means in extended precision keep
// huge data within range; a slope or value beyond the double range raises.
TEST(TrendData, NullsHugeValuesAndOverflow) {
  struct Row {
    std::vector<double> x, y;
    double slope, r;  // NaN: the computation raises EOverflow
  };
  const double nan = std::nan("");
  const std::vector<Row> rows = {
      {{0, 1, 2, 3}, {1, nan, 5, 7}, 2, 1},
      {{0, 1, 2, 3}, {3, 2, nan, 0}, -1, -1},
      {{0, 1, 2, 3}, {0, -1e300, -2e300, -3e300}, -1e300, -1},
      {{1e300, 1.2e300, 1.4e300}, {5, 4, 3}, -5e-300, -1},
      {{1e300, 1.5e300, 1.6e300}, {1, 3, 2}, 1.5 / 0.62e300, 0.5 / std::sqrt(0.62 / 3 * 2)},
      {{0, 1e-300}, {0, 1e300}, nan, 1},
  };
  for (const Row& row : rows) {
    fw::TComponent owner{nullptr};
    auto* source = new TLineSeries(&owner);
    for (std::size_t i = 0; i < row.x.size(); ++i) source->AddXY(row.x[i], row.y[i]);
    auto* trend = new TLineSeries(&owner);
    trend->SetFunctionType(new TTrendFunction(&owner));
    auto* correlation = new TLineSeries(&owner);
    correlation->SetFunctionType(new TCorrelationFunction(&owner));
    correlation->SetDataSource(source);
    ASSERT_EQ(correlation->Count(), 2) << row.slope;
    EXPECT_NEAR(correlation->PointY(0), row.r, 1e-12) << row.slope;
    if (std::isnan(row.slope)) {
      EXPECT_THROW(trend->SetDataSource(source), win::EOverflow);
      continue;
    }
    trend->SetDataSource(source);
    ASSERT_EQ(trend->Count(), 2);
    const double slope = (trend->PointY(1) - trend->PointY(0)) / (trend->PointX(1) - trend->PointX(0));
    EXPECT_NEAR(slope / row.slope, 1, 1e-12) << row.slope;
  }
}

TEST(FittingRegistration, ExtendedPageAndLookup) {
  RegisterFittingFunctions();
  const auto find = [](const char* description) {
    for (const auto& info : chart::PlotFunctionGallery())
      if (info.Description == description) return info;
    return chart::TPlotClassInfo{};
  };
  EXPECT_EQ(find("Curve Fitting").Name, "TCurveFittingFunction");
  EXPECT_EQ(find("Trend").Name, "TTrendFunction");
  EXPECT_EQ(find("Exponential\rTrend").Name, "TExpTrendFunction");
  EXPECT_EQ(find("Correlation").Name, "TCorrelationFunction");
  EXPECT_EQ(find("Correlation").Page, "Extended");
  fw::TComponent owner{nullptr};
  fw::TComponent* made = find("Curve Fitting").Create(&owner);
  EXPECT_NE(dynamic_cast<TCurveFittingFunction*>(made), nullptr);
  UnRegisterFittingFunctions();
  EXPECT_EQ(find("Trend").Name, "");
}

}  // namespace

namespace {

using namespace analysis;

// Where powers of x cannot hold the fit (very wide or far-off X at high degrees), the fit is
// refused as a singular one is; the same span at a low degree, and the usual spans at the top
// degree, still fit.
TEST(PolySolver, LostConditioningIsRefused) {
  struct Case { double From, To; int Terms; bool Fits; int Points = 80; };
  const Case cases[] = {
      {1e300, 1.5e300, 18, false}, {1e300, 1.5e300, 19, false}, {1e300, 1.5e300, 20, false},
      {0, 0.5e300, 20, false},     {1e300, 1.5e300, 2, true},   {0, 3, 20, true},
      {-1e-3, 1e-3, 20, true},     {1e300, 1.5e300, 20, false, 5001}, {0, 3, 20, true, 5001},
  };
  for (const Case& c : cases) {
    std::vector<double> xs, ys;
    for (int i = 0; i < c.Points; ++i) {
      const double t = i / double(c.Points - 1);
      xs.push_back(c.From + (c.To - c.From) * t);
      ys.push_back(1 + t + std::sin(6 * t));
    }
    TPolyVector coefficients{};
    const std::string error =
        ErrorOf([&] { PolyFitting(c.Points, c.Terms, xs.data(), ys.data(), coefficients); });
    EXPECT_EQ(error, c.Fits ? "" : "Cannot process fitting") << c.From << ".." << c.To << " " << c.Terms;
    if (c.Fits && c.Terms == 2) {
      EXPECT_NEAR(double(CalculatePoly(2, coefficients, xs[40])), 1 + 40 / 79.0 + std::sin(6 * 40 / 79.0), 0.5);
    }
  }
}

// The last finite point is drawn also when points without a finite X follow it.
TEST_F(FitFixture, TheLastFinitePointIsDrawnBeforeNonFiniteX) {
  for (int i = 0; i < 5; ++i) source->AddXY(i, 2.0 * i);
  source->AddNullPoint(std::nan(""), 1);
  source->AddNullPoint(std::nan(""), 1);
  fit->SetPolyDegree(2);
  Attach();
  ASSERT_EQ(result->Count(), 5);
  EXPECT_DOUBLE_EQ(result->PointX(4), 4);
  EXPECT_NEAR(result->PointY(4), 8, 1e-9);
}

}  // namespace

namespace {

using namespace analysis;

// Fits of many points go through the Chebyshev moments: a polynomial's own points give back its
// coefficients, a noisy curve nearly the fit the orthogonal reduction makes of every 4th of its
// points, and data with fewer distinct X than terms are still refused.
TEST(PolySolver, ManyPointsFitByMomentsAsByReduction) {
  constexpr int kPoints = 200'000;
  std::vector<double> xs(kPoints), ys(kPoints);
  const double want[] = {1.5, -2, 0.25, 0.125};
  for (int i = 0; i < kPoints; ++i) {
    const double x = -3 + 7.0 * i / (kPoints - 1);
    xs[std::size_t(i)] = x;
    ys[std::size_t(i)] = want[0] + x * (want[1] + x * (want[2] + x * want[3]));
  }
  TPolyVector c{};
  ASSERT_EQ(ErrorOf([&] { PolyFitting(kPoints, 4, xs.data(), ys.data(), c); }), "");
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(double(c[std::size_t(k)]), want[k], 1e-10) << k;
  // Ten terms through a noisy curve, compared through the fitted values.
  for (int i = 0; i < kPoints; ++i) ys[std::size_t(i)] = std::sin(xs[std::size_t(i)] * 1.7) + 0.01 * std::cos(i * 3.0);
  TPolyVector many{};
  ASSERT_EQ(ErrorOf([&] { PolyFitting(kPoints, 10, xs.data(), ys.data(), many); }), "");
  // Every 4th point: the same curve, few enough points for the reduction.
  std::vector<double> sx, sy;
  for (int i = 0; i < kPoints; i += 4) {
    sx.push_back(xs[std::size_t(i)]);
    sy.push_back(ys[std::size_t(i)]);
  }
  TPolyVector few{};
  ASSERT_EQ(ErrorOf([&] { PolyFitting(int(sx.size()), 10, sx.data(), sy.data(), few); }), "");
  for (double x : {-3.0, -1.0, 0.5, 2.0, 4.0})
    EXPECT_NEAR(double(CalculatePoly(10, many, x)), double(CalculatePoly(10, few, x)), 1e-4) << x;
  // Two distinct X values cannot hold three terms.
  for (int i = 0; i < kPoints; ++i) xs[std::size_t(i)] = i % 2 ? 1.0 : 2.0;
  EXPECT_EQ(ErrorOf([&] { PolyFitting(kPoints, 3, xs.data(), ys.data(), c); }), "Cannot process fitting");
}

}  // namespace
