// Range scans, integral, point-index and resampled arithmetic, derivatives and trim planning
// over plain arrays. Loops run on plain doubles; a non-finite result is traced back to the
// operation that produced it only when it appears, so the checks cost nothing on sound data.
#include "analysis/AnalisisMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/kernel/Exceptions.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace analysis {

namespace {

bool Finite(double V) { return std::isfinite(V); }

// X - X is 0 for a finite X and NaN otherwise; four running sums of it let the loop run on
// vector registers where a loop of isfinite tests would not.
bool AllFinite(const double* Values, std::size_t Count) {
  double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  std::size_t i = 0;
  for (; i + 4 <= Count; i += 4) {
    s0 += Values[i] - Values[i];
    s1 += Values[i + 1] - Values[i + 1];
    s2 += Values[i + 2] - Values[i + 2];
    s3 += Values[i + 3] - Values[i + 3];
  }
  for (; i < Count; ++i) s0 += Values[i] - Values[i];
  return s0 + s1 + s2 + s3 == 0;
}

// The checked forms of the four operations, on doubles: the result must be representable as a
// double, which a wider intermediate type would hide.
double Checked(double Result) {
  if (std::isnan(Result)) throw win::EInvalidOp();
  if (std::isinf(Result)) throw win::EOverflow();
  return Result;
}
double CkAdd(double A, double B) { return Checked(A + B); }
double CkSub(double A, double B) { return Checked(A - B); }
double CkMul(double A, double B) { return Checked(A * B); }
double CkDiv(double A, double B) {
  if (B == 0) {
    if (A == 0) throw win::EInvalidOp();
    throw win::EZeroDivide();
  }
  return Checked(A / B);
}

bool InRange(const TXYArrays& D, std::size_t I, double A, double B) {
  const double x = D.X[I];
  return x >= A && x <= B && Finite(D.Y[I]);
}

[[noreturn]] void Fail(const char* Message) { throw win::Exception(Message); }

// Simpson over one pair of intervals of widths H0 and H1 (the uneven-step form), or two
// trapezoids when one of them has no width. The weights are written with the width ratios
// r = H1/H0 and 1/r: products and cubes of the widths themselves underflow or overflow long
// before the integral does.
template <typename T>
T SimpsonPair(T H0, T H1, T Y0, T Y1, T Y2) {
  if (H0 == 0 || H1 == 0) return (H0 * (Y0 + Y1) + H1 * (Y1 + Y2)) / 2;
  if (H0 == H1) return H0 * (Y0 + 4 * Y1 + Y2) / 3;
  const T r = H1 / H0, ir = H0 / H1;
  return (H0 + H1) / 6 * ((2 - r) * Y0 + (2 + r + ir) * Y1 + (2 - ir) * Y2);
}

// The last interval (width H1) under the parabola through it and the interval before (H0),
// with the weights again in ratios: r = H1/H0 and q = H1/(H0 + H1).
template <typename T>
T ParabolaTail(T H0, T H1, T Y0, T Y1, T Y2) {
  if (H0 == 0 || H1 == 0) return H1 * (Y1 + Y2) / 2;
  const T r = H1 / H0, q = H1 / (H0 + H1);
  return H1 / 6 * ((3 - q) * Y2 + (r + 3) * Y1 - r * q * Y0);
}

// The piece between a bound and the nearest point inside, under the straight line from the
// point outside (Xo, Yo) to the point inside (Xi, Yi), as the graph is drawn.
template <typename T>
T EndPiece(T Xo, T Yo, T Xi, T Yi, T Bound) {
  const T atBound = Yo + (Yi - Yo) * ((Bound - Xo) / (Xi - Xo));
  return (Xi > Bound ? Xi - Bound : Bound - Xi) * (atBound + Yi) / 2;
}

// IntegrateRange in the precision T. Widths are taken as differences in T, so the long double
// pass also covers spans beyond the double range.
template <typename T>
T IntegrateIn(const TXYArrays& Data, double A, double B) {
  // The last three points taken, oldest first: (x0, y0), (x1, y1), (x2, y2).
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double firstX = 0, firstY = 0;
  // The nearest sound points outside the interval, before the first and after the last taken.
  bool hasBefore = false, hasAfter = false;
  double beforeX = 0, beforeY = 0, afterX = 0, afterY = 0;
  std::size_t taken = 0;
  T sum = 0;
  for (std::size_t i = 0; i < Data.Count; ++i) {
    const double x = Data.X[i], y = Data.Y[i];
    if (!(x >= A && x <= B && Finite(y))) {
      if (Finite(x) && Finite(y)) {
        if (taken == 0 && x < A) {
          hasBefore = true;
          beforeX = x;
          beforeY = y;
        } else if (taken > 0 && x > B && !hasAfter) {
          hasAfter = true;
          afterX = x;
          afterY = y;
        }
      }
      continue;
    }
    if (taken > 0 && !(x >= x2)) Fail(MsgXNotAscending);
    hasAfter = false;
    if (taken == 0) {
      firstX = x;
      firstY = y;
    }
    x0 = x1;
    y0 = y1;
    x1 = x2;
    y1 = y2;
    x2 = x;
    y2 = y;
    // Points 2, 4, 6, ... close a pair of intervals.
    if (taken >= 2 && taken % 2 == 0) sum += SimpsonPair<T>(T(x1) - x0, T(x2) - x1, y0, y1, y2);
    ++taken;
  }
  if (taken < 2) Fail(MsgNoPointsInRange);
  const std::size_t intervals = taken - 1;
  if (intervals == 1)
    sum = (T(x2) - x1) * (T(y1) + y2) / 2;
  else if (intervals % 2 == 1)
    sum += ParabolaTail<T>(T(x1) - x0, T(x2) - x1, y0, y1, y2);
  if (hasBefore && firstX > A) sum += EndPiece<T>(beforeX, beforeY, firstX, firstY, A);
  if (hasAfter && x2 < B) sum += EndPiece<T>(afterX, afterY, x2, y2, B);
  return sum;
}

// The points of a further graph that take part: all but the NaN X values a series keeps last;
// Steps tells whether two of them share an X (a vertical step). Raises MsgXNotAscending when
// their X values do not ascend.
struct TakenPoints {
  std::size_t Count = 0;
  bool Steps = false;
};

TakenPoints AscendingPoints(const TXYArrays& G) {
  TakenPoints taken;
  std::size_t n = G.Count;
  while (n > 0 && std::isnan(G.X[n - 1])) --n;
  // One comparison a point: only a pair that does not rise is looked at again.
  for (std::size_t i = 1; i < n; ++i) {
    if (G.X[i - 1] < G.X[i]) continue;
    if (!(G.X[i - 1] == G.X[i])) Fail(MsgXNotAscending);
    taken.Steps = true;
  }
  taken.Count = n;
  return taken;
}

// The reference's refined grid: SplitInterval steps per interval, the last point once. Two
// points sharing an X are a vertical step: the interval between them has no width to divide,
// so it gives its first point alone and the next interval starts at the second, each point
// with its own Y.
struct GridStep {
  double X0, Y0, DX, DY;
  int Steps;
};

bool HasWidth(const TXYArrays& R, std::size_t I) { return I + 1 < R.Count && !(R.X[I + 1] == R.X[I]); }

GridStep ReferenceStep(const TXYArrays& R, std::size_t I, int N) {
  if (HasWidth(R, I)) {
    const double dx = (R.X[I + 1] - R.X[I]) / N;
    const double dy = (R.Y[I + 1] - R.Y[I]) * dx / (R.X[I + 1] - R.X[I]);
    return {R.X[I], R.Y[I], dx, dy, N};
  }
  return {R.X[I], R.Y[I], 0, 0, 1};
}

// The same grid value through the checked operations, for tracing a non-finite one (the
// interval's first point is taken as it is).
void CheckReferenceValue(const TXYArrays& R, std::size_t I, int N, int J) {
  if (J == 0 || !HasWidth(R, I)) return;
  const double x0 = R.X[I], x1 = R.X[I + 1], y0 = R.Y[I], y1 = R.Y[I + 1];
  if (!Finite(x0) || !Finite(x1) || !Finite(y0) || !Finite(y1)) return;
  const double dx = CkDiv(CkSub(x1, x0), N);
  const double dy = CkDiv(CkMul(CkSub(y1, y0), dx), CkSub(x1, x0));
  CkAdd(x0, CkMul(J, dx));
  CkAdd(y0, CkMul(J, dy));
}

// How far a grid X on reference interval I may lie from a further graph's X value and still be
// at it. The grid X is X0 + j·((X1 − X0)/N): a subtraction, a division, a product and a sum,
// each rounding by half a unit in the last place of a value at most twice the interval's
// larger end, under 3.5 ε of that scale in all; the decimal values read into X0, X1 and the
// graph's X were rounded by another ε/2 each. Eight ε (1.8e-15 of the scale) covers that with
// room and stays far below any step a file written with 15 to 17 digits can tell apart. The
// scale is the interval's, not the grid X's own: an X near zero on an interval from -1 to 1 is
// rounded as coarsely as its ends.
double GridTolerance(const TXYArrays& R, std::size_t I) {
  const double x0 = R.X[I], x1 = I + 1 < R.Count ? R.X[I + 1] : x0;
  return 8 * std::numeric_limits<double>::epsilon() * std::max(std::fabs(x0), std::fabs(x1));
}

// Linear interpolation between two neighbouring points, in the order the routines have always
// computed it, so results do not move in the last bit.
double InterpolateBetween(const TXYArrays& G, std::size_t Lower, std::size_t Upper, double X) {
  const double lx = G.X[Lower], ly = G.Y[Lower], ux = G.X[Upper], uy = G.Y[Upper];
  return (uy - ly) * (X - lx) / (ux - lx) + ly;
}

// The same through the checked operations, for a bracket of Bracket::Find: an end point
// (Lower = Upper) is its own Y.
double CheckedInterpolate(const TXYArrays& G, std::size_t Lower, std::size_t Upper, double X) {
  if (Lower == Upper) return G.Y[Lower];
  const double lx = G.X[Lower], ly = G.Y[Lower], ux = G.X[Upper], uy = G.Y[Upper];
  return CkAdd(CkDiv(CkMul(CkSub(uy, ly), CkSub(X, lx)), CkSub(ux, lx)), ly);
}

double RareStep(TRareOp Op, double Y, double V) {
  switch (Op) {
    case roSum:
      return Y + V;
    case roDifference:
      return Y - V;
    case roProduct:
      return Y * V;
    case roQuotient:
      return Y / V;
  }
  return Y;
}

double CheckedRareStep(TRareOp Op, double Y, double V) {
  switch (Op) {
    case roSum:
      return CkAdd(Y, V);
    case roDifference:
      return CkSub(Y, V);
    case roProduct:
      return CkMul(Y, V);
    case roQuotient:
      return CkDiv(Y, V);
  }
  return Y;
}

// Where a grid x falls in a graph of Count ascending X values, given the first point past it
// (Upper, as Bracket walks it): a point within Tol of x, or else the two neighbours when x is
// inside the range. Of points sharing an X, the last counts when Strict, the first otherwise.
// Out of line and on plain values, for graphs with steps only: the walk through the others
// keeps its state in registers.
[[gnu::cold, gnu::noinline]] bool Settle(const double* X, std::size_t Count, std::size_t Upper, bool Strict, double At,
                              double Tol, std::size_t& Lower, std::size_t& UpperOut) {
  if (Strict) {
    // x just below the point past it is at that point (the last of its X); x at or just past
    // the point below it, which the last of its X already is.
    if (Upper < Count && X[Upper] - At <= Tol) {
      Lower = UpperOut = std::size_t(std::upper_bound(X + Upper, X + Count, X[Upper]) - X) - 1;
      return true;
    }
    if (Upper > 0 && At - X[Upper - 1] <= Tol) {
      Lower = UpperOut = Upper - 1;
      return true;
    }
  } else {
    // Mirrored: x just past the point below it is at that point (the first of its X); x at or
    // just below the point above, which the first of its X already is.
    if (Upper > 0 && At - X[Upper - 1] <= Tol) {
      Lower = UpperOut = std::size_t(std::lower_bound(X, X + Upper, X[Upper - 1]) - X);
      return true;
    }
    if (Upper < Count && X[Upper] - At <= Tol) {
      Lower = UpperOut = Upper;
      return true;
    }
  }
  if (Upper == 0 || Upper >= Count) return false;
  Lower = Upper - 1;
  UpperOut = Upper;
  return true;
}

// Walks one further graph along the grid: Upper is the first point past x (X > x when Strict,
// else X >= x). A grid x below the previous one (a reference whose X values do not ascend)
// searches afresh, so every answer equals a search from the graph's first point. The graph
// counts on its whole closed X range. A grid x within rounding of one of the graph's X values
// (Tolerance, asked only when it matters) is at that X and takes that point's own Y: an end
// just past the rounded grid x is not lost, and at a vertical step the side taken does not
// turn on the last bit. Of points sharing an X, the last gives the value there when Strict,
// the first otherwise, as the bracketing does at x itself.
class Bracket {
 public:
  Bracket(const TXYArrays& G, TakenPoints Taken, bool Strict)
      : FG(G), FCount(Taken.Count), FSteps(Taken.Steps), FStrict(Strict) {}

  // True with the graph's value at x when x lies in its closed X range or within rounding of it.
  template <typename TTolerance>
  bool Value(double X, TTolerance Tolerance, double& V) {
    Advance(X);
    if (!FSteps) [[likely]] {
      // Without steps the line through the neighbours is continuous: inside, rounding moves the
      // value by rounding only, and only an end needs settling.
      if (Inside()) [[likely]] {
        V = InterpolateBetween(FG, FUpper - 1, FUpper, X);
        return true;
      }
      std::size_t end;
      if (!NearEnd(X, Tolerance(), end)) return false;
      V = FG.Y[end];
      return true;
    }
    std::size_t lower, upper;
    if (!Settle(FG.X, FCount, FUpper, FStrict, X, Tolerance(), lower, upper)) return false;
    V = lower == upper ? FG.Y[lower] : InterpolateBetween(FG, lower, upper, X);
    return true;
  }

  // True with the points Value takes at x: two neighbours, or one point twice.
  template <typename TTolerance>
  bool Find(double X, TTolerance Tolerance, std::size_t& Lower, std::size_t& Upper) {
    Advance(X);
    if (FSteps) return Settle(FG.X, FCount, FUpper, FStrict, X, Tolerance(), Lower, Upper);
    if (Inside()) {
      Lower = FUpper - 1;
      Upper = FUpper;
      return true;
    }
    if (!NearEnd(X, Tolerance(), Lower)) return false;
    Upper = Lower;
    return true;
  }

 private:
  bool Inside() const { return FUpper != 0 && FUpper < FCount; }

  // Outside the range of a graph without steps: the end on x's side when x is within Tol of it.
  bool NearEnd(double X, double Tol, std::size_t& End) const {
    if (FCount == 0) return false;
    End = FUpper == 0 ? 0 : FCount - 1;
    return std::fabs(X - FG.X[End]) <= Tol;
  }

  void Advance(double X) {
    if (!(X >= FLast)) {
      const double* first = FG.X;
      const double* last = FG.X + FCount;
      FUpper = std::size_t((FStrict ? std::upper_bound(first, last, X) : std::lower_bound(first, last, X)) - first);
    } else if (FStrict) {
      while (FUpper < FCount && FG.X[FUpper] <= X) ++FUpper;
    } else {
      while (FUpper < FCount && FG.X[FUpper] < X) ++FUpper;
    }
    FLast = X;
  }

  const TXYArrays& FG;
  std::size_t FCount;
  bool FSteps;
  bool FStrict;
  std::size_t FUpper = 0;
  double FLast = std::numeric_limits<double>::quiet_NaN();  // the first call searches
};

}  // namespace

void MaxYInRange(const TXYArrays& Data, TPointXY& Res, double A, double B) {
  Res.Y = MaxSearchStart;
  for (std::size_t i = 0; i < Data.Count; ++i)
    if (InRange(Data, i, A, B) && Data.Y[i] > Res.Y) Res = {Data.X[i], Data.Y[i]};
}

void MinYInRange(const TXYArrays& Data, TPointXY& Res, double A, double B) {
  Res.Y = MinSearchStart;
  for (std::size_t i = 0; i < Data.Count; ++i)
    if (InRange(Data, i, A, B) && Data.Y[i] < Res.Y) Res = {Data.X[i], Data.Y[i]};
}

void MinMaxYInRange(const TXYArrays& Data, TMinMaxXY& Res, double A, double B) {
  Res.MinY = MinSearchStart;
  Res.MaxY = MaxSearchStart;
  for (std::size_t i = 0; i < Data.Count; ++i) {
    if (!InRange(Data, i, A, B)) continue;
    const double x = Data.X[i], y = Data.Y[i];
    if (y < Res.MinY) {
      Res.MinX = x;
      Res.MinY = y;
    }
    if (y > Res.MaxY) {
      Res.MaxX = x;
      Res.MaxY = y;
    }
  }
}

double MeanYInRange(const TXYArrays& Data, double A, double B) {
  double sum = 0;
  std::size_t count = 0;
  for (std::size_t i = 0; i < Data.Count; ++i)
    if (InRange(Data, i, A, B)) {
      sum += Data.Y[i];
      ++count;
    }
  if (count == 0) Fail(MsgNoPointsInRange);
  if (Finite(sum)) return sum / double(count);
  // The sum left the double range although the mean may not: the same sum in long double.
  long double wide = 0;
  for (std::size_t i = 0; i < Data.Count; ++i)
    if (InRange(Data, i, A, B)) wide += Data.Y[i];
  return Checked(double(wide / count));
}

double IntegrateRange(const TXYArrays& Data, double A, double B) {
  const double quick = IntegrateIn<double>(Data, A, B);
  // Widths or weights beyond the double range (or in its subnormal end) show as a result that
  // is not finite or as no result at all; the same sum in long double settles them.
  if (Finite(quick) && (quick == 0 || std::fabs(quick) >= std::numeric_limits<double>::min())) return quick;
  return Checked(double(IntegrateIn<long double>(Data, A, B)));
}

double CheckedCombineStep(TIndexOp Op, double Result, double Value) {
  const double r = CombineStep(Op, Result, Value);
  if (!Finite(r) && Finite(Result) && Finite(Value)) Checked(r);
  return r;
}

namespace {

// The folding steps as scalar and, where the processor has SSE2, two-lane vector operations
// with the same results (MAXPD/MINPD return their second operand on NaN or equality, which is
// what the scalar comparison does).
struct AddStep {
  static double Scalar(double A, double B) { return A + B; }
#if defined(__SSE2__)
  static __m128d Vector(__m128d A, __m128d B) { return _mm_add_pd(A, B); }
#endif
};
struct SubtractStep {
  static double Scalar(double A, double B) { return A - B; }
#if defined(__SSE2__)
  static __m128d Vector(__m128d A, __m128d B) { return _mm_sub_pd(A, B); }
#endif
};
struct MultiplyStep {
  static double Scalar(double A, double B) { return A * B; }
#if defined(__SSE2__)
  static __m128d Vector(__m128d A, __m128d B) { return _mm_mul_pd(A, B); }
#endif
};
struct DivideStep {
  static double Scalar(double A, double B) { return B == 0 ? A : A / B; }
#if defined(__SSE2__)
  static __m128d Vector(__m128d A, __m128d B) {
    const __m128d zero = _mm_cmpeq_pd(B, _mm_setzero_pd());
    return _mm_or_pd(_mm_and_pd(zero, A), _mm_andnot_pd(zero, _mm_div_pd(A, B)));
  }
#endif
};
struct HighStep {
  static double Scalar(double A, double B) { return B > A ? B : A; }
#if defined(__SSE2__)
  static __m128d Vector(__m128d A, __m128d B) { return _mm_max_pd(B, A); }
#endif
};
struct LowStep {
  static double Scalar(double A, double B) { return B < A ? B : A; }
#if defined(__SSE2__)
  static __m128d Vector(__m128d A, __m128d B) { return _mm_min_pd(B, A); }
#endif
};

// R[i] := Step(A[i], B[i]) for i < N (R may be A); true when every result is finite. The
// finiteness test rides along as running sums of R - R (0, or NaN for a value that is not
// finite), so the loop stays one pass over memory. Long results are written with streaming
// stores, which skip reading the destination into the cache first: a quarter less memory
// traffic for a loop bound by it.
template <typename TStep>
bool FoldLoop(double* R, const double* A, const double* B, std::size_t N) {
  double sum = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  constexpr std::size_t streamFrom = 1 << 16;
  if (N >= streamFrom) {
    for (; (reinterpret_cast<std::uintptr_t>(R + i) & 15) != 0; ++i) {
      const double r = TStep::Scalar(A[i], B[i]);
      R[i] = r;
      sum += r - r;
    }
    __m128d s0 = _mm_setzero_pd(), s1 = _mm_setzero_pd();
    for (; i + 4 <= N; i += 4) {
      const __m128d r0 = TStep::Vector(_mm_loadu_pd(A + i), _mm_loadu_pd(B + i));
      const __m128d r1 = TStep::Vector(_mm_loadu_pd(A + i + 2), _mm_loadu_pd(B + i + 2));
      _mm_stream_pd(R + i, r0);
      _mm_stream_pd(R + i + 2, r1);
      s0 = _mm_add_pd(s0, _mm_sub_pd(r0, r0));
      s1 = _mm_add_pd(s1, _mm_sub_pd(r1, r1));
    }
    _mm_sfence();
    double lanes[2];
    _mm_storeu_pd(lanes, _mm_add_pd(s0, s1));
    sum += lanes[0] + lanes[1];
  }
#endif
  double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
  for (; i + 4 <= N; i += 4) {
    const double r0 = TStep::Scalar(A[i], B[i]), r1 = TStep::Scalar(A[i + 1], B[i + 1]);
    const double r2 = TStep::Scalar(A[i + 2], B[i + 2]), r3 = TStep::Scalar(A[i + 3], B[i + 3]);
    R[i] = r0;
    R[i + 1] = r1;
    R[i + 2] = r2;
    R[i + 3] = r3;
    s0 += r0 - r0;
    s1 += r1 - r1;
    s2 += r2 - r2;
    s3 += r3 - r3;
  }
  for (; i < N; ++i) {
    const double r = TStep::Scalar(A[i], B[i]);
    R[i] = r;
    s0 += r - r;
  }
  return sum + s0 + s1 + s2 + s3 == 0;
}

bool FoldInto(TIndexOp Op, double* R, const double* A, const double* B, std::size_t N) {
  switch (Op) {
    case ioAdd:
    case ioAverage:
      return FoldLoop<AddStep>(R, A, B, N);
    case ioSubtract:
      return FoldLoop<SubtractStep>(R, A, B, N);
    case ioMultiply:
      return FoldLoop<MultiplyStep>(R, A, B, N);
    case ioDivide:
      return FoldLoop<DivideStep>(R, A, B, N);
    case ioHigh:
      return FoldLoop<HighStep>(R, A, B, N);
    case ioLow:
      return FoldLoop<LowStep>(R, A, B, N);
  }
  return true;
}

}  // namespace

void CombineByIndex(TIndexOp Op, const std::vector<TValuesArray>& Sources, std::vector<double>& Result) {
  std::size_t longest = 0;
  for (const TValuesArray& s : Sources) longest = std::max(longest, s.Count);
  Result.resize(longest);
  double* r = Result.data();
  std::size_t started = 0;  // indices below this already hold a value
  bool finite = true;
  std::size_t k = 0;
  if (Sources.size() >= 2) {
    // The first two sources in one pass: no copy of the first one to fold into.
    const TValuesArray &a = Sources[0], &b = Sources[1];
    const std::size_t both = std::min(a.Count, b.Count);
    finite = FoldInto(Op, r, a.Values, b.Values, both);
    const TValuesArray& longer = a.Count >= b.Count ? a : b;
    std::copy(longer.Values + both, longer.Values + longer.Count, r + both);
    finite = AllFinite(r + both, longer.Count - both) && finite;
    started = longer.Count;
    k = 2;
  }
  for (; k < Sources.size(); ++k) {
    const TValuesArray& s = Sources[k];
    finite = FoldInto(Op, r, r, s.Values, std::min(started, s.Count)) && finite;
    if (s.Count > started) {
      std::copy(s.Values + started, s.Values + s.Count, r + started);
      finite = AllFinite(r + started, s.Count - started) && finite;
      started = s.Count;
    }
  }
  if (Op == ioAverage) {
    // Index i has as many values as there are sources longer than i.
    std::vector<std::size_t> counts;
    for (const TValuesArray& s : Sources) counts.push_back(s.Count);
    std::sort(counts.begin(), counts.end());
    std::size_t from = 0;
    for (std::size_t c = 0; c < counts.size(); ++c) {
      const double n = double(counts.size() - c);
      for (std::size_t i = from; i < counts[c]; ++i) r[i] /= n;
      from = std::max(from, counts[c]);
    }
  }
  // A value that is no longer finite is folded again, checked, to raise its fault (when its
  // operands were finite).
  if (finite) return;
  for (std::size_t i = 0; i < longest; ++i) {
    if (Finite(r[i])) continue;
    bool first = true;
    double value = 0;
    for (const TValuesArray& s : Sources) {
      if (i >= s.Count) continue;
      value = first ? s.Values[i] : CheckedCombineStep(Op, value, s.Values[i]);
      first = false;
    }
  }
}

namespace {

// Walks the reference's refined grid. At each grid point the reference's own value starts a
// sum, each further graph that brackets x folds its interpolated value in (Fold, or
// CheckedFold when tracing a fault), and Emit receives x, the own value and the folded sum
// with the number of values in it.
template <typename TFold, typename TCheckedFold, typename TEmit>
void WalkGrid(const TXYArrays& Reference, const std::vector<TXYArrays>& Others, int SplitInterval, bool Strict,
              TFold Fold, TCheckedFold CheckedFold, TEmit Emit) {
  if (Reference.Count == 0) Fail(MsgTooFewPoints);
  const int n = std::max(1, SplitInterval);
  std::vector<TakenPoints> points;
  std::vector<Bracket> brackets;
  brackets.reserve(Others.size());
  for (const TXYArrays& g : Others) {
    points.push_back(AscendingPoints(g));
    brackets.emplace_back(g, points.back(), Strict);
  }
  for (std::size_t i = 0; i < Reference.Count; ++i) {
    const GridStep step = ReferenceStep(Reference, i, n);
    const double near = GridTolerance(Reference, i);
    const auto tolerance = [near] { return near; };
    for (int j = 0; j < step.Steps; ++j) {
      // The interval's first point as it is: a gap (NaN) at its other end leaves it whole.
      const double x = j == 0 ? step.X0 : step.X0 + j * step.DX;
      const double own = j == 0 ? step.Y0 : step.Y0 + j * step.DY;
      double sum = own;
      int taken = 1;
      for (std::size_t g = 0; g < Others.size(); ++g) {
        double v;
        if (!brackets[g].Value(x, tolerance, v)) continue;
        sum = Fold(sum, v);
        ++taken;
      }
      if (!Finite(sum)) {
        // Trace the fault: the reference's own value first, then each graph's step.
        CheckReferenceValue(Reference, i, n, j);
        double checked = own;
        for (std::size_t g = 0; g < Others.size() && Finite(checked); ++g) {
          Bracket fresh(Others[g], points[g], Strict);
          std::size_t lo, up;
          if (!fresh.Find(x, tolerance, lo, up)) continue;
          const TXYArrays& o = Others[g];
          if (!Finite(o.X[lo]) || !Finite(o.Y[lo]) || !Finite(o.X[up]) || !Finite(o.Y[up])) break;
          checked = CheckedFold(checked, CheckedInterpolate(o, lo, up, x));
        }
      }
      Emit(x, own, sum, taken);
    }
  }
}

// Points of the refined grid; MsgTooManyPoints past MaxGridPoints.
std::size_t GridSize(const TXYArrays& Reference, int SplitInterval) {
  if (Reference.Count == 0) Fail(MsgTooFewPoints);
  const double points = double(Reference.Count - 1) * double(std::max(1, SplitInterval)) + 1;
  if (points > double(MaxGridPoints)) Fail(MsgTooManyPoints);
  return std::size_t(points);
}

// WalkGrid's values for one further graph on the reference's own X values (one step per
// interval), in one tight loop: the same operations in the same order. False, with Y
// unfinished, when a value is not finite: WalkGrid then traces the fault.
template <typename TStep>
bool ResampleOnOwnGrid(const TXYArrays& Reference, const TXYArrays& Other, TStep Step, std::vector<double>& X,
                       std::vector<double>& Y) {
  Bracket bracket(Other, AscendingPoints(Other), true);
  X.assign(Reference.X, Reference.X + Reference.Count);
  Y.resize(Reference.Count);
  bool finite = true;
  for (std::size_t i = 0; i < Reference.Count; ++i) {
    const double x = Reference.X[i];
    double value = Reference.Y[i];
    double v;
    if (bracket.Value(x, [&Reference, i] { return GridTolerance(Reference, i); }, v)) value = Step(value, v);
    Y[i] = value;
    finite &= Finite(value);
  }
  return finite;
}

bool ResampleOnOwnGrid(TRareOp Op, const TXYArrays& Reference, const TXYArrays& Other, std::vector<double>& X,
                       std::vector<double>& Y) {
  switch (Op) {
    case roSum: return ResampleOnOwnGrid(Reference, Other, [](double y, double v) { return y + v; }, X, Y);
    case roDifference: return ResampleOnOwnGrid(Reference, Other, [](double y, double v) { return y - v; }, X, Y);
    case roProduct: return ResampleOnOwnGrid(Reference, Other, [](double y, double v) { return y * v; }, X, Y);
    case roQuotient: return ResampleOnOwnGrid(Reference, Other, [](double y, double v) { return y / v; }, X, Y);
  }
  return ResampleOnOwnGrid(Reference, Other, [](double y, double) { return y; }, X, Y);
}

}  // namespace

void ResampleArithmetic(TRareOp Op, const TXYArrays& Reference, const std::vector<TXYArrays>& Others,
                        int SplitInterval, std::vector<double>& X, std::vector<double>& Y) {
  X.clear();
  Y.clear();
  X.reserve(GridSize(Reference, SplitInterval));
  Y.reserve(GridSize(Reference, SplitInterval));
  if (SplitInterval <= 1 && Others.size() == 1 && ResampleOnOwnGrid(Op, Reference, Others[0], X, Y)) return;
  X.clear();
  Y.clear();
  WalkGrid(
      Reference, Others, SplitInterval, true, [Op](double y, double v) { return RareStep(Op, y, v); },
      [Op](double y, double v) { return CheckedRareStep(Op, y, v); },
      [&](double x, double, double y, int) {
        X.push_back(x);
        Y.push_back(y);
      });
}

void ResampleAverage(const TXYArrays& Reference, const std::vector<TXYArrays>& Others, int SplitInterval,
                     std::vector<double>& X, std::vector<double>& Y, TDeviationStats& Stats) {
  X.clear();
  Y.clear();
  Stats = TDeviationStats{};
  X.reserve(GridSize(Reference, SplitInterval));
  Y.reserve(GridSize(Reference, SplitInterval));
  WalkGrid(
      Reference, Others, SplitInterval, false, [](double s, double v) { return s + v; },
      [](double s, double v) { return CkAdd(s, v); },
      [&](double x, double own, double sum, int taken) {
        const double mean = sum / taken;
        const double dev = std::fabs(mean - own);
        if (dev > Stats.MaxDev) {
          Stats.MaxDev = dev;
          Stats.MaxMean = mean;
        }
        if (dev < Stats.MinDev) {
          Stats.MinDev = dev;
          Stats.MinMean = mean;
        }
        X.push_back(x);
        Y.push_back(mean);
      });
}

namespace {

struct PlainOps {
  static double Add(double A, double B) { return A + B; }
  static double Sub(double A, double B) { return A - B; }
  static double Mul(double A, double B) { return A * B; }
  static double Div(double A, double B) { return A / B; }
};

struct CheckedOps {
  static double Add(double A, double B) { return CkAdd(A, B); }
  static double Sub(double A, double B) { return CkSub(A, B); }
  static double Mul(double A, double B) { return CkMul(A, B); }
  static double Div(double A, double B) { return CkDiv(A, B); }
};

// D at every inner point i from points i - 1, i and i + 1: Formula(Ops, i) runs on plain
// doubles, and again on the checked operations where a value is not finite although its three
// points are, to raise the fault.
template <typename TFormula>
void AtInnerPoints(const TXYArrays& Data, std::vector<double>& X, std::vector<double>& D, TFormula Formula) {
  X.clear();
  D.clear();
  if (Data.Count < 4) Fail(MsgTooFewPoints);
  const std::size_t n = Data.Count - 2;
  X.assign(Data.X + 1, Data.X + 1 + n);
  D.resize(n);
  double* d = D.data();
  for (std::size_t i = 1; i <= n; ++i) d[i - 1] = Formula(PlainOps{}, i);
  if (AllFinite(d, n)) return;
  for (std::size_t i = 1; i <= n; ++i) {
    if (Finite(d[i - 1])) continue;
    bool operandsFinite = true;
    for (std::size_t k = i - 1; k <= i + 1; ++k) operandsFinite = operandsFinite && Finite(Data.X[k]) && Finite(Data.Y[k]);
    if (operandsFinite) Formula(CheckedOps{}, i);
  }
}

}  // namespace

void Derivative(const TXYArrays& Data, std::vector<double>& X, std::vector<double>& D) {
  const double* x = Data.X;
  const double* y = Data.Y;
  AtInnerPoints(Data, X, D, [x, y](auto Ops, std::size_t i) {
    return Ops.Div(Ops.Sub(y[i + 1], y[i - 1]), Ops.Sub(x[i + 1], x[i - 1]));
  });
}

void SecondDerivative(const TXYArrays& Data, std::vector<double>& X, std::vector<double>& D) {
  const double* x = Data.X;
  const double* y = Data.Y;
  AtInnerPoints(Data, X, D, [x, y](auto Ops, std::size_t i) {
    const double h0 = Ops.Sub(x[i], x[i - 1]), h1 = Ops.Sub(x[i + 1], x[i]);
    if (h0 == h1) return Ops.Div(Ops.Div(Ops.Add(Ops.Sub(y[i + 1], Ops.Mul(2, y[i])), y[i - 1]), h0), h1);
    return Ops.Div(Ops.Mul(2, Ops.Sub(Ops.Div(Ops.Sub(y[i + 1], y[i]), h1), Ops.Div(Ops.Sub(y[i], y[i - 1]), h0))),
                   Ops.Add(h0, h1));
  });
}

TTrimPlan PlanTrim(const double* X, std::size_t Count, double At) {
  TTrimPlan plan;
  std::size_t k = 0;
  while (k < Count && !(X[k] > At)) ++k;
  if (k == Count) return plan;
  plan.PointRightOfCut = true;
  plan.Kept = k == 0 || X[k] - At <= At - X[k - 1] ? k : k - 1;
  return plan;
}

}  // namespace analysis
