// Uniform cubic B-spline through control points, and the chart function that draws it.
#include "analysis/PlotSmoothingSpline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace analysis {

namespace {

TSplinePoint operator+(TSplinePoint a, TSplinePoint b) { return {a.x + b.x, a.y + b.y}; }
TSplinePoint operator-(TSplinePoint a, TSplinePoint b) { return {a.x - b.x, a.y - b.y}; }
TSplinePoint operator*(double k, TSplinePoint a) { return {k * a.x, k * a.y}; }

// Cubic B-spline basis weight at distance D from the knot.
double BasisWeight(double D) {
  if (D < 1) return 2.0 / 3.0 - D * D + D * D * D / 2;
  if (D < 2) return (2 - D) * (2 - D) * (2 - D) / 6;
  return 0;
}

bool Near(TSplinePoint a, TSplinePoint b) {
  constexpr double tolerance = 1e-5;
  return std::fabs(a.x - b.x) < tolerance && std::fabs(a.y - b.y) < tolerance;
}

}  // namespace

void TBSpline::AddPoint(double X, double Y) {
  if (PointCount() == FCapacity) {
    // Grown in steps; the flags already set stay with their points.
    FCapacity += CapacityStep;
    FPoints.reserve(std::size_t(FCapacity));
    FKnuckles.reserve(std::size_t(FCapacity));
  }
  FPoints.push_back({X, Y});
  FKnuckles.push_back(false);
  FBuilt = false;
}

void TBSpline::ReserveStorage(int Count) {
  if (Count <= 0) return;
  FPoints.reserve(std::size_t(Count));
  FKnuckles.reserve(std::size_t(Count));
}

void TBSpline::SetPoint(int Index, TSplinePoint Point) {
  if (Index < 1 || Index > PointCount()) return;
  FPoints[std::size_t(Index - 1)] = Point;
  FBuilt = false;
}

void TBSpline::SetKnuckle(int Index, bool Flag) {
  if (Index < 1 || Index > PointCount()) return;
  FKnuckles[std::size_t(Index - 1)] = Flag;
  FBuilt = false;
}

void TBSpline::SetInterpolated(bool Value) {
  if (FInterpolated == Value) return;
  FInterpolated = Value;
  FBuilt = false;
}

void TBSpline::SetFragments(int Value) { FFragments = std::clamp(Value, 1, MaxFragments); }

void TBSpline::Clear() {
  FPoints.clear();
  FKnuckles.clear();
  FVertices.clear();
  FCapacity = 0;
  FVertexCount = 0;
  FBuilt = false;
  FInterpolated = false;
  FFragments = DefaultFragments;
}

void TBSpline::Rebuild() {
  const int count = PointCount();
  if (count < 2) return;
  FVertices.assign(1, TSplinePoint{});
  for (int i = 1; i <= count; ++i) {
    const bool knuckle = i > 1 && i < count && Knuckle(i);
    for (int k = knuckle ? 3 : 1; k > 0; --k) FVertices.push_back(Point(i));
  }
  FVertexCount = int(FVertices.size()) - 1;
  FVertices.push_back(TSplinePoint{});
  if (FInterpolated && FVertexCount >= 3) SolveInterpolation();
  FBuilt = true;
  const int n = FVertexCount;
  FVertices[0] = 2 * FVertices[1] - FVertices[2];
  FVertices[std::size_t(n + 1)] = 2 * FVertices[std::size_t(n)] - FVertices[std::size_t(n - 1)];
}

// Rows: C1 = V1, Cn = Vn, C(i-1)/6 + 2C(i)/3 + C(i+1)/6 = V(i) between, except runs of three
// coinciding vertices, which keep their place (identity rows) so a repeated point stays a sharp
// corner. The matrix is tridiagonal, so elimination without pivoting runs on three diagonals.
void TBSpline::SolveInterpolation() {
  const int n = FVertexCount;
  const std::size_t size = std::size_t(n) + 1;
  std::vector<double> sub(size, 1.0 / 6), diag(size, 2.0 / 3), super(size, 1.0 / 6);
  auto identity = [&](int row) {
    sub[std::size_t(row)] = 0;
    diag[std::size_t(row)] = 1;
    super[std::size_t(row)] = 0;
  };
  identity(1);
  identity(n);
  for (int i = 3; i < n - 1; ++i) {
    const std::size_t u = std::size_t(i);
    if (Near(FVertices[u - 1], FVertices[u]) && Near(FVertices[u + 1], FVertices[u])) {
      identity(i - 1);
      identity(i);
      identity(i + 1);
      i += 2;  // the next run starts after this one
    }
  }
  std::vector<TSplinePoint> rhs(FVertices.begin(), FVertices.begin() + std::ptrdiff_t(size));
  for (std::size_t i = 2; i <= std::size_t(n); ++i) {
    const double m = sub[i] / diag[i - 1];
    diag[i] -= m * super[i - 1];
    rhs[i] = rhs[i] - m * rhs[i - 1];
  }
  FVertices[std::size_t(n)] = (1 / diag[std::size_t(n)]) * rhs[std::size_t(n)];
  for (std::size_t i = std::size_t(n) - 1; i >= 1; --i)
    FVertices[i] = (1 / diag[i]) * (rhs[i] - super[i] * FVertices[i + 1]);
}

TSplinePoint TBSpline::Value(double T) {
  if (PointCount() < 2) return {};
  if (!FBuilt) Rebuild();
  const double t = T > 0 ? std::min(T, 1.0) : 0.0;  // NaN counts as 0
  const int n = FVertexCount;
  const double d = (n - 1) * t + 1;
  const int c = std::max(0, int(d - 1));
  TSplinePoint sum;
  // The last index may pass the array at t = 1, where its weight is zero anyway.
  for (int j = std::min(c, n + 1); j <= std::min(c + 3, n + 1); ++j)
    sum = sum + BasisWeight(std::fabs(j - d)) * FVertices[std::size_t(j)];
  return sum;
}

TSmoothingFunction::TSmoothingFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {
  SetCanUsePeriod(false);
  SetSingleSource(true);
  SetPeriod(1);
}

void TSmoothingFunction::SetFactor(int Value) {
  Value = std::max(Value, 1);
  if (FFactor == Value) return;
  FFactor = Value;
  RequestRecompute();
}

void TSmoothingFunction::SetInterpolate(bool Value) {
  if (FInterpolate == Value) return;
  FInterpolate = Value;
  RequestRecompute();
}

fw::String TSmoothingFunction::GetEditorClassName() const { return "TSmoothFuncEditor"; }

void TSmoothingFunction::ComputeFromSource(chart::TChartSeries* Source) {
  chart::TChartSeries* series = ParentSeries();
  if (!series) return;
  series->Clear();
  const bool vertical = series->YMandatory();
  series->XValues()->SetOrder(vertical ? chart::loAscending : chart::loNone);
  series->YValues()->SetOrder(vertical ? chart::loNone : chart::loAscending);
  if (!Source || Source->Count() == 0) return;

  // Spline space is (position, value); null and non-finite points are left out, since one
  // of them would turn the whole solved curve into NaN.
  const chart::TChartValueList* positions = Source->NotMandatoryValueList();
  const chart::TChartValueList* values = SourceValueList(Source);
  TBSpline spline;
  spline.ReserveStorage(int(Source->Count()));
  for (fw::Integer i = 0; i < Source->Count(); ++i) {
    const double p = positions->Value(i), v = values->Value(i);
    if (Source->IsNullPoint(i) || !std::isfinite(p) || !std::isfinite(v)) continue;
    spline.AddPoint(p, v);
  }
  auto add = [&](TSplinePoint point) {
    if (vertical)
      series->AddPoint(point.x, point.y);
    else
      series->AddPoint(point.y, point.x);
  };
  if (spline.PointCount() == 0) return;
  if (spline.PointCount() == 1) {
    // No curve through a single point: the point itself is the whole result.
    add(spline.Point(1));
    return;
  }
  spline.SetInterpolated(FInterpolate);
  const std::int64_t fragments = std::int64_t(spline.PointCount()) * FFactor;
  spline.SetFragments(int(std::min<std::int64_t>(fragments, TBSpline::MaxFragments)));
  const int total = spline.Fragments();
  for (int k = 0; k <= total; ++k) add(spline.Value(double(k) / total));
}

void RegisterSmoothingFunction() {
  chart::RegisterPlotFunction(chart::PlotClassOf<TSmoothingFunction>("Extended", "Smoothing"));
}

void UnRegisterSmoothingFunction() { chart::UnRegisterPlotFunction(typeid(TSmoothingFunction)); }

}  // namespace analysis
