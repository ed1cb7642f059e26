#include "analysis/PolyMoments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/kernel/SharedWork.h"

namespace analysis {

namespace {

constexpr int kMaxMoments = 2 * MaxPolyTerms - 1;
// Points summed in double before the block's sums join the extended totals.
constexpr int kBlock = 4096;
// A pivot of the normal system below this share of the largest means terms the data do not
// tell apart; the system's condition is the square of the data's, hence the looser bound.
constexpr Extended kPivotTolerance = 1e-11L;
// Lanes of points side by side: each point's recurrence is a chain of dependent steps, and
// the lanes let the steps of several points run at once.
constexpr int kLanes = 8;
// Blocks a thread takes at a time: 64K points, so a million points go in 16 calls.
constexpr int kBlocksPerCall = 16;

// Solves A·x = b (n unknowns) by elimination with partial pivoting; false for a small pivot.
bool Solve(int n, TPolyMatrix& A, TPolyVector& B, TPolyVector& X) {
  Extended largest = 0;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) largest = std::max(largest, std::fabs(A[std::size_t(i)][std::size_t(j)]));
  if (!(largest > 0)) return false;
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int i = k + 1; i < n; ++i)
      if (std::fabs(A[std::size_t(i)][std::size_t(k)]) > std::fabs(A[std::size_t(p)][std::size_t(k)])) p = i;
    if (!(std::fabs(A[std::size_t(p)][std::size_t(k)]) > largest * kPivotTolerance)) return false;
    std::swap(A[std::size_t(k)], A[std::size_t(p)]);
    std::swap(B[std::size_t(k)], B[std::size_t(p)]);
    for (int i = k + 1; i < n; ++i) {
      const Extended f = A[std::size_t(i)][std::size_t(k)] / A[std::size_t(k)][std::size_t(k)];
      for (int j = k; j < n; ++j) A[std::size_t(i)][std::size_t(j)] -= f * A[std::size_t(k)][std::size_t(j)];
      B[std::size_t(i)] -= f * B[std::size_t(k)];
    }
  }
  for (int k = n - 1; k >= 0; --k) {
    Extended s = B[std::size_t(k)];
    for (int j = k + 1; j < n; ++j) s -= A[std::size_t(k)][std::size_t(j)] * X[std::size_t(j)];
    X[std::size_t(k)] = s / A[std::size_t(k)][std::size_t(k)];
  }
  return true;
}

// The sums of one block of points, lane by lane, in double.
struct TBlockSums {
  double S[kMaxMoments][kLanes];
  double B[MaxPolyTerms][kLanes];
};

void SumBlock(int Start, int End, int Terms, const double* X, const double* Y, double Centre, double Scale,
              double YOrigin, TBlockSums& Sums) {
  const int moments = 2 * Terms - 1;
  auto& bs = Sums.S;
  auto& bb = Sums.B;
  for (int k = 0; k < moments; ++k)
    for (int p = 0; p < kLanes; ++p) bs[k][p] = 0;
  for (int k = 0; k < Terms; ++k)
    for (int p = 0; p < kLanes; ++p) bb[k][p] = 0;
  for (int i = Start; i < End; i += kLanes) {
    const int n = std::min(kLanes, End - i);
    double u[kLanes], u2[kLanes], y[kLanes], w[kLanes], t0[kLanes], t1[kLanes];
    for (int p = 0; p < kLanes; ++p) {
      const bool used = p < n;
      u[p] = used ? (X[i + p] - Centre) * Scale : 0;
      y[p] = used ? Y[i + p] - YOrigin : 0;
      w[p] = used ? 1 : 0;  // the padding lanes weigh nothing
      t0[p] = w[p];
      t1[p] = w[p] * u[p];
      u2[p] = 2 * u[p];
    }
    for (int p = 0; p < kLanes; ++p) {
      bs[0][p] += t0[p];
      bb[0][p] += y[p] * t0[p];
    }
    if (moments > 1)
      for (int p = 0; p < kLanes; ++p) bs[1][p] += t1[p];
    if (Terms > 1)
      for (int p = 0; p < kLanes; ++p) bb[1][p] += y[p] * t1[p];
    for (int k = 2; k < moments; ++k) {
      for (int p = 0; p < kLanes; ++p) {
        const double t2 = u2[p] * t1[p] - t0[p];
        bs[k][p] += t2;
        t0[p] = t1[p];
        t1[p] = t2;
      }
      if (k < Terms)
        for (int p = 0; p < kLanes; ++p) bb[k][p] += y[p] * t1[p];
    }
  }
}

}  // namespace

bool PolyFitByMoments(int Points, int Terms, const double* X, const double* Y, Extended Centre, Extended Half,
                      double YOrigin, TPolyVector& PowersOfU) {
  if (Terms < 1 || Terms > MaxPolyTerms || Points < Terms) return false;
  const int moments = 2 * Terms - 1;
  const double centre = double(Centre), scale = double(1 / Half);
  // The blocks are summed on several threads for many points; their sums join the extended
  // totals on this thread in block order, so the result does not depend on the threads.
  const int blocks = (Points + kBlock - 1) / kBlock;
  std::vector<TBlockSums> sums(static_cast<std::size_t>(blocks));
  const int perCall = kBlocksPerCall;
  const unsigned calls = unsigned((blocks + perCall - 1) / perCall);
  auto sumCall = [&](unsigned c) {
    const int first = int(c) * perCall, last = std::min(blocks, first + perCall);
    for (int k = first; k < last; ++k)
      SumBlock(k * kBlock, std::min(Points, (k + 1) * kBlock), Terms, X, Y, centre, scale, YOrigin,
               sums[std::size_t(k)]);
  };
  if (calls > 1)
    win::RunShared(calls, win::WorkingThreads(8), sumCall);
  else
    sumCall(0);
  std::array<Extended, kMaxMoments> s{};
  TPolyVector b{};
  for (const TBlockSums& block : sums) {
    for (int k = 0; k < moments; ++k)
      for (int p = 0; p < kLanes; ++p) s[std::size_t(k)] += block.S[k][p];
    for (int k = 0; k < Terms; ++k)
      for (int p = 0; p < kLanes; ++p) b[std::size_t(k)] += block.B[k][p];
  }
  TPolyMatrix g{};
  for (int i = 0; i < Terms; ++i)
    for (int j = 0; j < Terms; ++j)
      g[std::size_t(i)][std::size_t(j)] = (s[std::size_t(i + j)] + s[std::size_t(std::abs(i - j))]) / 2;
  TPolyVector a{};
  if (!Solve(Terms, g, b, a)) return false;
  // Chebyshev to powers of u: T_k+1 = 2u·T_k - T_k-1.
  TPolyVector previous{}, current{}, next{};
  previous[0] = 1;  // T_0
  current[1] = 1;   // T_1
  PowersOfU = TPolyVector{};
  PowersOfU[0] = a[0];
  for (int k = 1; k < Terms; ++k) {
    for (int j = 0; j <= k; ++j) PowersOfU[std::size_t(j)] += a[std::size_t(k)] * current[std::size_t(j)];
    next = TPolyVector{};
    for (int j = 0; j <= k && j + 1 < MaxPolyTerms; ++j) next[std::size_t(j + 1)] = 2 * current[std::size_t(j)];
    for (int j = 0; j < k; ++j) next[std::size_t(j)] -= previous[std::size_t(j)];
    previous = current;
    current = next;
  }
  for (int k = 0; k < Terms; ++k)
    if (!std::isfinite(PowersOfU[std::size_t(k)])) return false;
  return true;
}

}  // namespace analysis
