// Polynomial least squares and the curve fitting function.
#include "analysis/CurveFitting.h"

#include <algorithm>
#include <cmath>

#include "framework/SysUtils.h"

namespace analysis {

namespace {
constexpr const char* kCannotFit = "Cannot process fitting";
}

Extended GaussianEliminationDeterminant(int Size, TPolyMatrix& A, TPolyVector& B, Extended Tolerance,
                                        TPolyVector& X) {
  const int n = Size;
  if (n < 1 || n > MaxPolyTerms) return 0;
  int swaps = 0;
  for (int k = 0; k < n - 1; ++k) {
    int p = k;
    for (int i = k + 1; i < n; ++i)
      if (std::fabs(A[i][k]) > std::fabs(A[p][k])) p = i;
    if (p != k) {
      for (int j = k; j < n; ++j) std::swap(A[k][j], A[p][j]);
      std::swap(B[k], B[p]);
      ++swaps;
    }
    // A NaN pivot is as useless as a tiny one.
    if (!(std::fabs(A[k][k]) >= Tolerance)) return 0;
    for (int i = k + 1; i < n; ++i) {
      const Extended f = A[i][k] / A[k][k];
      for (int j = k; j < n; ++j) A[i][j] -= f * A[k][j];
      B[i] -= f * B[k];
    }
  }
  if (!(std::fabs(A[n - 1][n - 1]) >= Tolerance)) return 0;
  Extended det = 1;
  for (int i = n - 1; i >= 0; --i) {
    Extended s = B[i];
    for (int j = i + 1; j < n; ++j) s -= A[i][j] * X[j];
    X[i] = s / A[i][i];
    det *= A[i][i];
  }
  return swaps % 2 ? -det : det;
}

TPolyVector PowerVector(int Count, Extended X) {
  TPolyVector v{};
  Extended p = 1;
  for (int i = 0; i < std::min(Count, MaxPolyTerms); ++i) {
    v[i] = p;
    p *= X;
  }
  return v;
}

Extended CalculatePoly(int Count, const TPolyVector& Coefficients, Extended X) {
  // Horner's scheme: the same sum with one rounding per term.
  Extended y = 0;
  for (int i = std::min(Count, MaxPolyTerms) - 1; i >= 0; --i) y = y * X + Coefficients[i];
  return y;
}

void PolyFitting(int Points, int Terms, const double* X, const double* Y, TPolyVector& Coefficients) {
  if (Terms < 1 || Terms > MaxPolyTerms || Points < 1) throw fw::Exception(kCannotFit);
  // M(j,k) = Σ x^j·x^k depends on j + k only: sum the 2·Terms - 1 powers once per point
  // instead of filling the whole matrix.
  // The pivot tolerance is absolute, so the fit runs on x / scale with |x / scale| <= 1: valid
  // data on a tiny or huge X span is then not taken for a singular system.
  Extended scale = 0;
  for (int i = 0; i < Points; ++i) {
    if (!std::isfinite(X[i]) || !std::isfinite(Y[i])) throw fw::Exception(kCannotFit);
    scale = std::max<Extended>(scale, std::fabs(Extended(X[i])));
  }
  if (scale == 0) scale = 1;
  std::array<Extended, 2 * MaxPolyTerms - 1> powerSums{};
  TPolyVector r{};
  const int powers = 2 * Terms - 1;
  for (int i = 0; i < Points; ++i) {
    const Extended x = X[i] / scale, y = Y[i];
    Extended p = 1;
    for (int k = 0; k < powers; ++k) {
      powerSums[std::size_t(k)] += p;
      if (k < Terms) r[std::size_t(k)] += y * p;
      p *= x;
    }
  }
  TPolyMatrix m{};
  for (int j = 0; j < Terms; ++j)
    for (int k = 0; k < Terms; ++k) m[std::size_t(j)][std::size_t(k)] = powerSums[std::size_t(j + k)];
  TPolyVector solution{};
  const Extended det = GaussianEliminationDeterminant(Terms, m, r, 1e-15L, solution);
  if (det == 0 || !std::isfinite(det)) throw fw::Exception(kCannotFit);
  Extended unscale = 1;
  for (int j = 0; j < Terms; ++j) {
    solution[std::size_t(j)] /= unscale;
    unscale *= scale;
    if (!std::isfinite(solution[std::size_t(j)])) throw fw::Exception(kCannotFit);
  }
  Coefficients = solution;
}

TCustomFittingFunction::TCustomFittingFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {
  SetCanUsePeriod(false);
  SetPeriod(1);
}

double TCustomFittingFunction::AnswerVector(Integer Index) const {
  if (Index < 1 || Index > FPolyDegree)
    throw fw::Exception(fw::Format("Answer Vector index must be between 1 and %d", FPolyDegree));
  return double(FCoefficients[std::size_t(Index - 1)]);
}

void TCustomFittingFunction::SetPolyDegree(Integer Value) {
  if (Value < 1 || Value > MaxPolyTerms) throw fw::Exception("Polynomial degree must be between 1 and 20");
  SetInteger(FPolyDegree, Value);
}

void TCustomFittingFunction::SetTypeFitting(TTypeFitting Value) {
  if (FTypeFitting == Value) return;
  FTypeFitting = Value;
  RequestRecompute();
}

void TCustomFittingFunction::SetFactor(Integer Value) { SetInteger(FFactor, std::max<Integer>(1, Value)); }
void TCustomFittingFunction::SetFirstPoint(Integer Value) { SetInteger(FFirstPoint, Value); }
void TCustomFittingFunction::SetLastPoint(Integer Value) { SetInteger(FLastPoint, Value); }
void TCustomFittingFunction::SetFirstCalcPoint(Integer Value) { SetInteger(FFirstCalcPoint, Value); }
void TCustomFittingFunction::SetLastCalcPoint(Integer Value) { SetInteger(FLastCalcPoint, Value); }

void TCustomFittingFunction::SetInteger(Integer& Field, Integer Value) {
  if (Field == Value) return;
  Field = Value;
  RequestRecompute();
}

double TCustomFittingFunction::FittedValue(double X) const {
  return FFitYOrigin + double(CalculatePoly(FPolyDegree, FCoefficients, Extended(X) - FFitXOrigin));
}

void TCustomFittingFunction::SetOrigins(chart::TChartSeries* Source) {
  FFitXOrigin = Source->NotMandatoryValueList()->MinValue();
  FFitYOrigin = SourceValueList(Source)->MinValue();
}

void TCustomFittingFunction::ComputeFromSource(chart::TChartSeries* Source) {
  if (ParentSeries()) ParentSeries()->Clear();
  if (!Source || Source->Count() < FPolyDegree) return;
  SetOrigins(Source);
  const Integer count = Source->Count();
  const Integer first = FFirstCalcPoint == -1 ? 0 : std::max<Integer>(0, FFirstCalcPoint);
  const Integer last = FLastCalcPoint == -1 ? count - 1 : std::min(count - 1, FLastCalcPoint);
  const Integer m = last - first + 1;
  if (m < 1) return;
  const chart::TChartValueList* xs = Source->NotMandatoryValueList();
  const chart::TChartValueList* ys = SourceValueList(Source);
  std::vector<double> x(static_cast<std::size_t>(m)), y(static_cast<std::size_t>(m));
  for (Integer k = 0; k < m; ++k) {
    x[std::size_t(k)] = xs->Value(first + k) - FFitXOrigin;
    y[std::size_t(k)] = ys->Value(first + k) - FFitYOrigin;
  }
  TPolyVector c{};
  PolyFitting(m, FPolyDegree, x.data(), y.data(), c);
  FCoefficients = c;
  AddFittedPoints(Source);
}

void TCustomFittingFunction::AddFittedPoints(chart::TChartSeries* Source) {
  chart::TChartSeries* parent = ParentSeries();
  if (!parent || !Source || Source->Count() == 0) return;
  SetOrigins(Source);
  const Integer count = Source->Count();
  // Ranges set beyond the source are held to it.
  const Integer first = FFirstPoint == -1 ? 0 : std::clamp<Integer>(FFirstPoint, 0, count - 1);
  const Integer last = FLastPoint == -1 ? count - 1 : std::clamp<Integer>(FLastPoint, 0, count - 1);
  if (first > last) return;
  const chart::TChartValueList* xs = Source->NotMandatoryValueList();
  for (Integer i = first; i < last; ++i) {
    const double x0 = xs->Value(i);
    const double step = (xs->Value(i + 1) - x0) / FFactor;
    for (Integer k = 0; k < FFactor; ++k) {
      const double x = x0 + k * step;
      parent->AddPoint(x, FittedValue(x));
    }
  }
  const double xl = xs->Value(last);
  parent->AddPoint(xl, FittedValue(xl));
}

}  // namespace analysis
