#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/PlotSmoothingSpline.h"
#include "chart/Series.h"

using namespace analysis;
using chart::TLineSeries;

namespace {

struct XY {
  double x, y;
};

std::vector<XY> SplinePoints(const chart::TChartSeries& s) {
  std::vector<XY> out;
  for (fw::Integer i = 0; i < s.Count(); ++i) out.push_back({s.PointX(i), s.PointY(i)});
  return out;
}

bool Contains(const std::vector<XY>& pts, XY p, double tol) {
  for (const XY& q : pts)
    if (std::fabs(q.x - p.x) <= tol && std::fabs(q.y - p.y) <= tol) return true;
  return false;
}

// A series drawn sideways: its values are the X list.
class HorizontalSeries : public TLineSeries {
 public:
  explicit HorizontalSeries(fw::TComponent* Owner) : TLineSeries(Owner) { SetYMandatory(false); }
};

struct SmoothingFixture : ::testing::Test {
  fw::TComponent owner{nullptr};
  TLineSeries* source = new TLineSeries(&owner);
  TLineSeries* result = new TLineSeries(&owner);
  TSmoothingFunction* fn = new TSmoothingFunction(&owner);
  void SetUp() override { result->SetFunctionType(fn); }
  void Fill(int n) {
    for (int i = 0; i < n; ++i) source->AddXY(i, std::sin(i * 0.7) * 3);
  }
};

}  // namespace

TEST(BSpline, FewerThanTwoPointsGiveTheOrigin) {
  TBSpline s;
  EXPECT_EQ(s.Value(0.5).x, 0);
  s.AddPoint(3, 4);
  TSplinePoint p = s.Value(0.5);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
}

TEST(BSpline, CapacityFragmentsAndClear) {
  TBSpline s;
  EXPECT_EQ(s.Fragments(), 100);
  EXPECT_FALSE(s.Interpolated());
  s.SetFragments(601);
  EXPECT_EQ(s.Fragments(), 600);
  s.SetFragments(0);
  EXPECT_EQ(s.Fragments(), 1);
  for (int i = 0; i < 25; ++i) s.AddPoint(i, i);
  EXPECT_EQ(s.Capacity(), 25);
  s.SetKnuckle(10, true);
  s.AddPoint(25, 25);
  EXPECT_EQ(s.Capacity(), 50);
  EXPECT_TRUE(s.Knuckle(10)) << "growing lost a knuckle flag";
  s.SetInterpolated(true);
  s.Value(0.5);
  EXPECT_TRUE(s.Built());
  s.SetPoint(3, {7, 7});
  EXPECT_FALSE(s.Built());
  s.SetPoint(99, {1, 1});  // out of range: ignored
  s.Clear();
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(s.VertexCount(), 0);
  EXPECT_FALSE(s.Interpolated());
  EXPECT_EQ(s.Fragments(), 100);
}

TEST(BSpline, EndsAreExactAndExtensionsMirror) {
  TBSpline s;
  const double xs[] = {0, 1, 3, 4, 7}, ys[] = {2, -1, 5, 0, 1};
  for (int i = 0; i < 5; ++i) s.AddPoint(xs[i], ys[i]);
  for (bool interp : {false, true}) {
    s.SetInterpolated(interp);
    TSplinePoint a = s.Value(0), b = s.Value(1);
    EXPECT_NEAR(a.x, 0, 1e-12);
    EXPECT_NEAR(a.y, 2, 1e-12);
    EXPECT_NEAR(b.x, 7, 1e-12);
    EXPECT_NEAR(b.y, 1, 1e-12);
    const int n = s.VertexCount();
    EXPECT_DOUBLE_EQ(s.Vertex(0).y, 2 * s.Vertex(1).y - s.Vertex(2).y);
    EXPECT_DOUBLE_EQ(s.Vertex(n + 1).x, 2 * s.Vertex(n).x - s.Vertex(n - 1).x);
  }
}

TEST(BSpline, InterpolationPassesThroughEveryPointApproximationDoesNot) {
  TBSpline s;
  const double ys[] = {0, 4, -2, 3, 1, 5};
  for (int i = 0; i < 6; ++i) s.AddPoint(i * 2.0, ys[i]);
  s.SetInterpolated(true);
  for (int i = 1; i <= 6; ++i) {
    TSplinePoint p = s.Value((i - 1) / 5.0);
    EXPECT_NEAR(p.x, (i - 1) * 2.0, 1e-9) << i;
    EXPECT_NEAR(p.y, ys[i - 1], 1e-9) << i;
  }
  s.SetInterpolated(false);
  EXPECT_FALSE(s.Built());
  // Control-point averaging: (4 + 4*(-2)... ) at point 3 = (4 + 4*(-2) + 3) / 6.
  EXPECT_NEAR(s.Value(0.4).y, (4 - 8 + 3) / 6.0, 1e-12);
}

TEST(BSpline, KnucklesTripleTheirPointButNeverAtTheEnds) {
  TBSpline s;
  for (int i = 0; i < 5; ++i) s.AddPoint(i, i * i);
  s.SetKnuckle(1, true);
  s.SetKnuckle(3, true);
  s.SetKnuckle(5, true);
  s.Rebuild();
  ASSERT_EQ(s.VertexCount(), 7);
  for (int j = 3; j <= 5; ++j) EXPECT_EQ(s.Vertex(j).y, 4);
  // Interpolated, the tripled point is a rigid corner the curve passes through.
  s.SetInterpolated(true);
  TSplinePoint corner = s.Value(3.0 / 6.0);
  EXPECT_NEAR(corner.x, 2, 1e-12);
  EXPECT_NEAR(corner.y, 4, 1e-12);
}

TEST(BSpline, RigidRunsStepPastThemselves) {
  // Vertices 2..7 coincide: the scan fixes 2,3,4 and then 5,6,7, all kept in place.
  TBSpline s;
  s.AddPoint(0, 0);
  for (int i = 0; i < 6; ++i) s.AddPoint(5, 5);
  s.AddPoint(9, 1);
  s.AddPoint(12, 3);
  s.SetInterpolated(true);
  s.Rebuild();
  ASSERT_EQ(s.VertexCount(), 9);
  for (int j = 2; j <= 7; ++j) {
    EXPECT_EQ(s.Vertex(j).x, 5) << j;
    EXPECT_EQ(s.Vertex(j).y, 5) << j;
  }
  // Vertex 8 is solved: it differs from its own point.
  EXPECT_NE(s.Vertex(8).y, 1);
}

TEST_F(SmoothingFixture, DefaultsAndProperties) {
  EXPECT_EQ(fn->Factor(), 4);
  EXPECT_TRUE(fn->Interpolate());
  EXPECT_EQ(fn->Period(), 1);
  EXPECT_TRUE(fn->SingleSource());
  EXPECT_FALSE(fn->CanUsePeriod());
  EXPECT_EQ(fn->GetEditorClassName(), "TSmoothFuncEditor");
  fn->SetFactor(-3);
  EXPECT_EQ(fn->Factor(), 1);
}

TEST_F(SmoothingFixture, PointCountsFollowFactorUpToTheCap) {
  Fill(10);
  result->SetDataSource(source);
  EXPECT_EQ(result->Count(), 41);
  fn->SetFactor(2);  // recomputes
  EXPECT_EQ(result->Count(), 21);
  EXPECT_EQ(result->XValues()->Order(), chart::loAscending);
  EXPECT_EQ(result->YValues()->Order(), chart::loNone);
  source->Clear();
  Fill(1000);
  result->CheckDataSource();
  EXPECT_EQ(result->Count(), 601);
}

TEST_F(SmoothingFixture, EmptyAndSinglePointSources) {
  source->AddXY(1, 1);
  source->Clear();
  result->SetDataSource(source);
  EXPECT_EQ(result->Count(), 0);
  source->AddXY(3, 8);
  result->CheckDataSource();
  // The single point itself, not a run of points at the origin.
  ASSERT_EQ(result->Count(), 1);
  EXPECT_EQ(result->PointX(0), 3);
  EXPECT_EQ(result->PointY(0), 8);
}

TEST_F(SmoothingFixture, TwoPointsGiveAStraightSegment) {
  source->AddXY(1, 2);
  source->AddXY(5, 10);
  result->SetDataSource(source);
  ASSERT_EQ(result->Count(), 9);
  for (const XY& p : SplinePoints(*result)) EXPECT_NEAR(p.y, 2 + (p.x - 1) * 2, 1e-12);
  EXPECT_NEAR(result->PointX(0), 1, 1e-12);
  EXPECT_NEAR(result->PointX(8), 5, 1e-12);
  EXPECT_NEAR(result->PointX(4), 3, 1e-12);
}

TEST_F(SmoothingFixture, InterpolatedCurveContainsTheSourcePoints) {
  Fill(7);
  fn->SetFactor(6);  // 42 fragments: every source point falls on a fragment boundary
  result->SetDataSource(source);
  const auto pts = SplinePoints(*result);
  ASSERT_EQ(pts.size(), 43u);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(Contains(pts, {source->PointX(i), source->PointY(i)}, 1e-9)) << i;
  fn->SetInterpolate(false);
  const auto approx = SplinePoints(*result);
  EXPECT_TRUE(Contains(approx, {0, 0}, 1e-12));
  EXPECT_FALSE(Contains(approx, {1, source->PointY(1)}, 1e-6));
}

TEST_F(SmoothingFixture, NullAndNaNPointsAreLeftOut) {
  Fill(6);
  source->AddXY(6, std::numeric_limits<double>::quiet_NaN());
  source->AddXY(7, 2);
  result->SetDataSource(source);
  ASSERT_EQ(result->Count(), 7 * 4 + 1);
  for (const XY& p : SplinePoints(*result)) {
    EXPECT_TRUE(std::isfinite(p.x));
    EXPECT_TRUE(std::isfinite(p.y));
  }
  EXPECT_TRUE(Contains(SplinePoints(*result), {7, 2}, 1e-9));
}

TEST_F(SmoothingFixture, IdenticalXValuesStayFinite) {
  const double ys[] = {0, 1, 3, 2, 5};
  const double xs[] = {0, 1, 1, 1, 2};
  for (int i = 0; i < 5; ++i) source->AddXY(xs[i], ys[i]);
  result->SetDataSource(source);
  const auto pts = SplinePoints(*result);
  ASSERT_EQ(pts.size(), 21u);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Contains(pts, {xs[i], ys[i]}, 1e-9)) << i;
  for (const XY& p : pts) EXPECT_TRUE(std::isfinite(p.y));
}

TEST_F(SmoothingFixture, HorizontalSeriesKeepsItsOrientation) {
  auto* hsource = new HorizontalSeries(&owner);
  auto* hresult = new HorizontalSeries(&owner);
  auto* hfn = new TSmoothingFunction(&owner);
  hresult->SetFunctionType(hfn);
  const double values[] = {3, 1, 4, 1, 5};
  for (int i = 0; i < 5; ++i) hsource->AddXY(values[i], i * 10.0);
  hresult->SetDataSource(hsource);
  EXPECT_EQ(hresult->YValues()->Order(), chart::loAscending);
  EXPECT_EQ(hresult->XValues()->Order(), chart::loNone);
  const auto pts = SplinePoints(*hresult);
  ASSERT_EQ(pts.size(), 21u);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Contains(pts, {values[i], i * 10.0}, 1e-9)) << i;
}

TEST(SmoothingRegistration, ExtendedPageUnderItsName) {
  RegisterSmoothingFunction();
  auto find = [] {
    for (const auto& info : chart::PlotFunctionGallery())
      if (info.Type && *info.Type == typeid(TSmoothingFunction)) return &info;
    return static_cast<const chart::TPlotClassInfo*>(nullptr);
  };
  const chart::TPlotClassInfo* info = find();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Page, "Extended");
  EXPECT_EQ(info->Description, "Smoothing");
  std::unique_ptr<fw::TComponent> made(info->Create(nullptr));
  EXPECT_NE(dynamic_cast<TSmoothingFunction*>(made.get()), nullptr);
  UnRegisterSmoothingFunction();
  EXPECT_EQ(find(), nullptr);
}

namespace {

// Runs a NumPy/SciPy script and reads whitespace-separated numbers from its output.
std::vector<double> RunPython(const std::string& Script) {
  std::vector<double> out;
  const std::string path = ::testing::TempDir() + "spline_reference.py";
  if (FILE* f = std::fopen(path.c_str(), "w")) {
    std::fputs(Script.c_str(), f);
    std::fclose(f);
  } else {
    return out;
  }
  FILE* pipe = popen(("/usr/bin/python3 " + path).c_str(), "r");
  if (!pipe) return out;
  double v;
  while (std::fscanf(pipe, "%lf", &v) == 1) out.push_back(v);
  pclose(pipe);
  return out;
}

}  // namespace

// The same curve from a dense solve (numpy.linalg.solve) and SciPy's B-spline evaluation on
// uniform knots, where basis j is centred on knot j; agreement within 1e-9.
TEST(BSpline, MatchesSciPyBSplineOnUniformKnots) {
  const std::vector<double> xs = {0, 1.5, 2, 4.5, 4, 6, 8.25, 9, 11, 10.5, 13, 15};
  const std::vector<double> ys = {1, 3, -2, 0.5, 4, 4.1, -1, 2, 7, 3, 0, 2.5};
  const int fragments = 55;
  std::ostringstream script;
  script.precision(17);
  script << "import numpy as np\nfrom scipy.interpolate import BSpline\n";
  script << "x=np.array([";
  for (double v : xs) script << v << ",";
  script << "]);y=np.array([";
  for (double v : ys) script << v << ",";
  script << "])\nn=len(x);F=" << fragments << "\n"
         << "A=np.zeros((n,n));A[0,0]=1;A[-1,-1]=1\n"
         << "for i in range(1,n-1):\n  A[i,i-1]=1/6;A[i,i]=2/3;A[i,i+1]=1/6\n"
         << "ext=lambda c: np.concatenate(([2*c[0]-c[1]],c,[2*c[-1]-c[-2]]))\n"
         << "knots=np.arange(-2,n+4,dtype=float)\nD=(n-1)*np.arange(F+1)/F+1\n"
         << "for cx,cy in ((x,y),(np.linalg.solve(A,x),np.linalg.solve(A,y))):\n"
         << "  for v in BSpline(knots,ext(cx),3)(D): print(repr(float(v)))\n"
         << "  for v in BSpline(knots,ext(cy),3)(D): print(repr(float(v)))\n";
  const std::vector<double> ref = RunPython(script.str());
  ASSERT_EQ(ref.size(), 4u * (fragments + 1)) << "python3 with numpy and scipy is needed";
  TBSpline s;
  for (std::size_t i = 0; i < xs.size(); ++i) s.AddPoint(xs[i], ys[i]);
  for (int pass = 0; pass < 2; ++pass) {
    s.SetInterpolated(pass == 1);
    const std::size_t base = std::size_t(pass) * 2 * (fragments + 1);
    for (int k = 0; k <= fragments; ++k) {
      TSplinePoint p = s.Value(double(k) / fragments);
      EXPECT_NEAR(p.x, ref[base + std::size_t(k)], 1e-9) << pass << " " << k;
      EXPECT_NEAR(p.y, ref[base + std::size_t(fragments + 1 + k)], 1e-9) << pass << " " << k;
    }
  }
}
