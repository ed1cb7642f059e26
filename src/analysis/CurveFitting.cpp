// Polynomial least squares and the curve fitting function.
#include "analysis/CurveFitting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "analysis/PolyMoments.h"
#include "framework/SysUtils.h"
#include "platform/kernel/SharedWork.h"

namespace analysis {

namespace {
constexpr const char* kCannotFit = "Cannot process fitting";
// The largest difference, relative to the largest fitted value, between the curve in powers of x
// and the fit it comes from.
constexpr Extended kPowerFormTolerance = 1e-9L;
// About how many points of the data that comparison takes.
constexpr int kCheckedPoints = 1024;
// From this many points on the fit is first tried from Chebyshev moments, whose cost per point is
// a fraction of the orthogonal reduction's; below, where the time is small anyway, the reduction.
constexpr int kMomentPoints = 65536;
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

namespace {

// The least-squares problem V·c ≈ y reduced to a triangle R·c = Qᵀy by Householder reflections,
// a block of rows at a time: R (with Qᵀy as a last column) is kept apart from the rows of one
// block, so memory does not grow with the number of points. R is triangular, so each column's
// reflection touches one row of R and the block's column: the block is stored by columns and
// every inner loop runs over contiguous doubles.
class TriangularReduction {
 public:
  explicit TriangularReduction(int Terms) : FTerms(Terms), FWidth(Terms + 1) {
    FR.assign(std::size_t(FTerms * FWidth), 0.0);
    FBlock.assign(std::size_t(kBlock * FWidth), 0.0);
  }

  // One row of the system: the powers of U and the value Y.
  void AddRow(double U, double Y) {
    double p = 1;
    for (int k = 0; k < FTerms; ++k, p *= U) Column(k)[FPending] = p;
    Column(FTerms)[FPending] = Y;
    if (++FPending == kBlock) Reduce();
  }

  double R(int Row, int Col) const { return FR[std::size_t(Row * FWidth + Col)]; }

  // Solves R·c = Qᵀy; false when R is (numerically) singular: a diagonal entry below Tolerance
  // times the largest.
  bool Solve(TPolyVector& C, double Tolerance) {
    Reduce();
    double largest = 0;
    for (int k = 0; k < FTerms; ++k) largest = std::max(largest, std::fabs(R(k, k)));
    if (!(largest > 0)) return false;
    for (int k = FTerms - 1; k >= 0; --k) {
      if (!(std::fabs(R(k, k)) > largest * Tolerance)) return false;
      Extended s = R(k, FTerms);
      for (int j = k + 1; j < FTerms; ++j) s -= R(k, j) * C[std::size_t(j)];
      C[std::size_t(k)] = s / R(k, k);
    }
    return true;
  }

 private:
  static constexpr int kBlock = 512;

  double* Column(int Col) { return &FBlock[std::size_t(Col * kBlock)]; }
  double& At(int Row, int Col) { return FR[std::size_t(Row * FWidth + Col)]; }

  // Four partial sums: the additions overlap instead of waiting on one another.
  static double Dot(const double* A, const double* B, int N) {
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    int i = 0;
    for (; i + 4 <= N; i += 4) {
      s0 += A[i] * B[i];
      s1 += A[i + 1] * B[i + 1];
      s2 += A[i + 2] * B[i + 2];
      s3 += A[i + 3] * B[i + 3];
    }
    for (; i < N; ++i) s0 += A[i] * B[i];
    return (s0 + s1) + (s2 + s3);
  }

  void Reduce() {
    const int n = FPending;
    if (n == 0) return;
    for (int k = 0; k < FTerms; ++k) {
      double* v = Column(k);
      const double rkk = At(k, k);
      const double norm = std::sqrt(rkk * rkk + Dot(v, v, n));
      if (norm == 0) continue;
      const double alpha = rkk > 0 ? -norm : norm;
      const double head = rkk - alpha;  // the reflection's vector: head in R's row k, then v
      const double vv = norm * (norm + std::fabs(rkk));
      for (int j = k + 1; j < FWidth; ++j) {
        double* a = Column(j);
        const double f = (head * At(k, j) + Dot(v, a, n)) / vv;
        At(k, j) -= f * head;
        for (int i = 0; i < n; ++i) a[i] -= f * v[i];
      }
      At(k, k) = alpha;
    }
    FPending = 0;
  }

  int FTerms, FWidth;
  int FPending = 0;
  std::vector<double> FR, FBlock;
};

}  // namespace

namespace {

// The least-squares fit of Y - YOrigin in powers of u = (x - Centre) / Half by orthogonal
// reduction in double, refined once in extended precision; false where the data cannot tell
// the terms apart.
bool SolveByReduction(int Points, int Terms, const double* X, const double* Y, Extended centre, Extended half,
                      double YOrigin, TPolyVector& c) {
  const Extended inverse = 1 / half;
  auto scaled = [&](int i) { return (X[i] - centre) * inverse; };
  // The reduction needs u only near enough: the refinement below takes it in full.
  const double centreD = double(centre), inverseD = double(inverse);
  TriangularReduction system(Terms);
  for (int i = 0; i < Points; ++i) system.AddRow((X[i] - centreD) * inverseD, Y[i] - YOrigin);
  // Rounding leaves R's diagonal about eps·√n of its largest entry where the data do not tell
  // two columns apart (equal X values, fewer distinct points than terms).
  const double rankTolerance = 64 * std::numeric_limits<double>::epsilon() * std::sqrt(double(Points));
  c = TPolyVector{};
  if (!system.Solve(c, rankTolerance)) return false;
  // The reduction runs in double; one step of refinement in extended precision brings the
  // solution to what an extended-precision reduction gives: the residual r = y - V·c and Vᵀr
  // in extended precision, the correction from the seminormal equations Rᵀ·R·d = Vᵀr.
  TPolyVector g{};
  for (int i = 0; i < Points; ++i) {
    const Extended u = scaled(i);
    const Extended r = Extended(Y[i]) - YOrigin - CalculatePoly(Terms, c, u);
    Extended p = r;
    for (int k = 0; k < Terms; ++k, p *= u) g[std::size_t(k)] += p;
  }
  TPolyVector delta{};
  for (int k = 0; k < Terms; ++k) {  // Rᵀ·w = g
    Extended s = g[std::size_t(k)];
    for (int j = 0; j < k; ++j) s -= system.R(j, k) * delta[std::size_t(j)];
    delta[std::size_t(k)] = s / system.R(k, k);
  }
  for (int k = Terms - 1; k >= 0; --k) {  // R·d = w
    Extended s = delta[std::size_t(k)];
    for (int j = k + 1; j < Terms; ++j) s -= system.R(k, j) * delta[std::size_t(j)];
    delta[std::size_t(k)] = s / system.R(k, k);
  }
  for (int k = 0; k < Terms; ++k) c[std::size_t(k)] += delta[std::size_t(k)];
  return true;
}

}  // namespace

void PolyFittingAbout(int Points, int Terms, const double* X, const double* Y, double XOrigin, double YOrigin,
                      TPolyVector& Coefficients) {
  if (Terms < 1 || Terms > MaxPolyTerms || Points < 1) throw fw::Exception(kCannotFit);
  // The fit runs on u = (x - centre) / half-width in [-1, 1], where the powers of u stay apart
  // for every degree the solver takes, and is solved from Chebyshev moments or by orthogonal
  // reduction instead of normal equations, whose condition is the square of the data's.
  double lo = X[0], hi = X[0];
  for (int i = 0; i < Points; ++i) {
    if (!std::isfinite(X[i]) || !std::isfinite(Y[i])) throw fw::Exception(kCannotFit);
    lo = std::min(lo, X[i]);
    hi = std::max(hi, X[i]);
  }
  const Extended centre = (Extended(lo) + hi) / 2;
  const Extended half = hi > lo ? (Extended(hi) - lo) / 2 : 1;
  TPolyVector c{};
  if (Points < kMomentPoints || !PolyFitByMoments(Points, Terms, X, Y, centre, half, YOrigin, c))
    if (!SolveByReduction(Points, Terms, X, Y, centre, half, YOrigin, c)) throw fw::Exception(kCannotFit);
  const Extended inverse = 1 / half;
  auto scaled = [&](int i) { return (X[i] - centre) * inverse; };
  const TPolyVector fitted = c;
  // Back to powers of x: first of v = x - centre (term k divided by half^k, one division at a
  // time so no power of half overflows), then shifted to the origin (Taylor shift).
  for (int k = 1; k < Terms; ++k)
    for (int d = 0; d < k; ++d) c[std::size_t(k)] /= half;
  const Extended shift = centre - XOrigin;
  for (int i = 0; i < Terms; ++i)
    for (int j = Terms - 2; j >= i; --j) c[std::size_t(j)] -= shift * c[std::size_t(j + 1)];
  for (int k = 0; k < Terms; ++k)
    if (!std::isfinite(c[std::size_t(k)])) throw fw::Exception(kCannotFit);
  // Over very wide or far-off X the powers of x cannot hold the fit (coefficients underflow, or
  // cancel): the curve in powers of x must give the fitted values at the data, or there is none.
  // The loss is one of the coefficients, so points spread over the data (the last included)
  // show it as all of them would.
  Extended largest = 0, worst = 0;
  const int stride = std::max(1, Points / kCheckedPoints);
  auto compare = [&](int i) {
    const Extended want = CalculatePoly(Terms, fitted, scaled(i));
    largest = std::max(largest, std::fabs(want));
    worst = std::max(worst, std::fabs(CalculatePoly(Terms, c, X[i] - Extended(XOrigin)) - want));
  };
  for (int i = 0; i < Points; i += stride) compare(i);
  if ((Points - 1) % stride != 0) compare(Points - 1);
  if (!(worst <= largest * kPowerFormTolerance)) throw fw::Exception(kCannotFit);
  Coefficients = c;
}

void PolyFitting(int Points, int Terms, const double* X, const double* Y, TPolyVector& Coefficients) {
  PolyFittingAbout(Points, Terms, X, Y, 0, 0, Coefficients);
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

void TCustomFittingFunction::FittedValues(const double* X, double* Y, std::size_t Count) const {
  // For drawing: the sum in double, a block of points a Horner step (the steps of one point wait
  // for each other, the points of a block do not). The fit itself was checked to hold in powers
  // of x to far better than a double's precision, so the points drawn differ from FittedValue's
  // only in the last digits.
  constexpr std::size_t kBlock = 256;
  const int terms = std::min<int>(FPolyDegree, MaxPolyTerms);
  double c[MaxPolyTerms];
  for (int k = 0; k < terms; ++k) c[k] = double(FCoefficients[std::size_t(k)]);
  const double xOrigin = double(FFitXOrigin), yOrigin = FFitYOrigin;
  auto evaluate = [&](std::size_t From, std::size_t To) {
    double u[kBlock], y[kBlock];
    for (std::size_t start = From; start < To; start += kBlock) {
      const std::size_t n = std::min(kBlock, To - start);
      for (std::size_t j = 0; j < n; ++j) {
        u[j] = X[start + j] - xOrigin;
        y[j] = c[terms - 1];
      }
      for (int k = terms - 2; k >= 0; --k) {
        const double ck = c[k];
        for (std::size_t j = 0; j < n; ++j) y[j] = y[j] * u[j] + ck;
      }
      for (std::size_t j = 0; j < n; ++j) Y[start + j] = yOrigin + y[j];
    }
  };
  // Many points on several threads, in pieces of whole blocks (each point's value is its own).
  constexpr std::size_t kPiece = 256 * kBlock;
  const unsigned pieces = unsigned((Count + kPiece - 1) / kPiece);
  if (pieces < 2) return evaluate(0, Count);
  win::RunShared(pieces, win::WorkingThreads(8),
                 [&](unsigned k) { evaluate(k * kPiece, std::min(Count, (k + 1) * kPiece)); });
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
  if (last < first) return;
  const chart::TChartValueList* xs = Source->NotMandatoryValueList();
  const chart::TChartValueList* ys = SourceValueList(Source);
  TPolyVector c{};
  const Integer n = last - first + 1;
  bool anyNull = false;
  if (Source->HasPointColors()) {
    for (Integer i = first; i <= last && !anyNull; ++i) anyNull = Source->IsNullPoint(i);
  } else {
    // Without point colours only a value that is not finite makes a null point.
    const double* px = Source->XValues()->Data();
    const double* py = Source->YValues()->Data();
    bool finite = true;
    for (Integer i = first; i <= last; ++i) finite = finite && std::isfinite(px[i]) && std::isfinite(py[i]);
    anyNull = !finite;
  }
  if (!anyNull && xs->Multiplier() == 1 && ys->Multiplier() == 1) {
    // The stored values themselves, shifted inside the fit: no copy of the points.
    if (n < FPolyDegree) return;
    PolyFittingAbout(Integer(n), FPolyDegree, xs->Data() + first, ys->Data() + first, FFitXOrigin, FFitYOrigin, c);
    FCoefficients = c;
    AddFittedPoints(Source);
    return;
  }
  // Null points are gaps in the graph, not data: they take no part in the fit.
  std::vector<double> x, y;
  x.reserve(std::size_t(n));
  y.reserve(std::size_t(n));
  for (Integer i = first; i <= last; ++i) {
    if (Source->IsNullPoint(i)) continue;
    x.push_back(xs->Value(i) - FFitXOrigin);
    y.push_back(ys->Value(i) - FFitYOrigin);
  }
  if (x.size() < std::size_t(FPolyDegree)) return;  // as a source with too few points
  PolyFitting(Integer(x.size()), FPolyDegree, x.data(), y.data(), c);
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
  // The points are made first and taken in one step when they can go at the end of the series'
  // X order (a million single insertions would each notify the series).
  std::vector<double> px, py;
  px.reserve(std::size_t(last - first) * std::size_t(FFactor) + 1);
  py.reserve(px.capacity());
  bool finiteX = xs->Multiplier() == 1;
  for (Integer i = first; i <= last && finiteX; ++i) finiteX = std::isfinite(xs->Data()[i]);
  if (FFactor == 1 && finiteX) {
    // One point a source point: the source's own X values.
    px.assign(xs->Data() + first, xs->Data() + last + 1);
  } else {
    for (Integer i = first; i < last; ++i) {
      const double x0 = xs->Value(i);
      if (!std::isfinite(x0)) continue;
      // Without a finite next X there are no steps towards it, but the point itself is drawn.
      if (!std::isfinite(xs->Value(i + 1))) {
        px.push_back(x0);
        continue;
      }
      const double step = (xs->Value(i + 1) - x0) / FFactor;
      for (Integer k = 0; k < FFactor; ++k) px.push_back(x0 + k * step);
    }
    const double xl = xs->Value(last);
    if (std::isfinite(xl)) px.push_back(xl);
  }
  py.resize(px.size());
  FittedValues(px.data(), py.data(), px.size());
  const chart::TChartValueList* order = parent->XValues();
  const bool atEnd =
      order->Order() == chart::loNone ||
      (order->Order() == chart::loAscending && std::is_sorted(px.begin(), px.end()) &&
       (parent->Count() == 0 || px.empty() || order->Last() <= px.front()));
  if (atEnd && parent->Count() == 0) {
    parent->AdoptPoints(std::move(px), std::move(py));
    return;
  }
  if (atEnd) {
    parent->AppendPoints(px.data(), py.data(), Integer(px.size()));
    return;
  }
  for (std::size_t i = 0; i < px.size(); ++i) parent->AddPoint(px[i], py[i]);
}

}  // namespace analysis
