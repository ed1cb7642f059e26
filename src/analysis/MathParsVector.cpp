// The vector elementary functions: one loop per function and vector width, the width chosen
// once from what the processor offers.
#include "analysis/MathParsVector.h"

#include <emmintrin.h>

// The four-lane versions are compiled for AVX2 and FMA only inside this section, and called
// only on processors that have them. Clang declares every intrinsic whatever the target and
// needs only the functions' own target attribute.
#if !defined(__clang__)
#pragma GCC push_options
#pragma GCC target("avx2,fma")
#endif
#include <immintrin.h>
#include <sleef.h>

// The library declares its four-lane AVX2 entry points only to code compiled for AVX
// throughout; this unit enables AVX2 for the functions below alone, so it names them itself.
// Clang also wants the target on the declarations, since they pass AVX registers.
#if defined(__clang__)
#define KV_AVX2 [[gnu::target("avx2,fma")]]
#else
#define KV_AVX2
#endif
extern "C" {
KV_AVX2 __m256d Sleef_sind4_u10avx2(__m256d);
KV_AVX2 __m256d Sleef_cosd4_u10avx2(__m256d);
KV_AVX2 __m256d Sleef_expd4_u10avx2(__m256d);
}
#undef KV_AVX2

namespace analysis {
namespace {

// One macro-made loop per function: a lambda would not carry the target options.
#define KV_VECTOR4(Name, Function)                                                             \
  [[gnu::target("avx2,fma")]] std::size_t Name(const double* X, double* Y, std::size_t Count) { \
    std::size_t i = 0;                                                                          \
    for (; i + 4 <= Count; i += 4) _mm256_storeu_pd(Y + i, Function(_mm256_loadu_pd(X + i)));  \
    return i;                                                                                   \
  }
KV_VECTOR4(Sin4, Sleef_sind4_u10avx2)
KV_VECTOR4(Cos4, Sleef_cosd4_u10avx2)
KV_VECTOR4(Exp4, Sleef_expd4_u10avx2)
#undef KV_VECTOR4

}  // namespace
}  // namespace analysis
#if !defined(__clang__)
#pragma GCC pop_options
#endif

namespace analysis {
namespace {

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  return has;
}

// Two lanes at a time, the odd last value through a padded vector.
template <typename F2>
void Run2(const double* X, double* Y, std::size_t From, std::size_t Count, F2 Function) {
  std::size_t i = From;
  for (; i + 2 <= Count; i += 2) _mm_storeu_pd(Y + i, Function(_mm_loadu_pd(X + i)));
  if (i < Count) {
    double lanes[2] = {X[i], X[i]};
    _mm_storeu_pd(lanes, Function(_mm_loadu_pd(lanes)));
    Y[i] = lanes[0];
  }
}

}  // namespace

void VectorSin(const double* X, double* Y, std::size_t Count) {
  const std::size_t done = HasAvx2() ? Sin4(X, Y, Count) : 0;
  Run2(X, Y, done, Count, [](__m128d v) { return Sleef_sind2_u10(v); });
}

void VectorCos(const double* X, double* Y, std::size_t Count) {
  const std::size_t done = HasAvx2() ? Cos4(X, Y, Count) : 0;
  Run2(X, Y, done, Count, [](__m128d v) { return Sleef_cosd2_u10(v); });
}

void VectorExp(const double* X, double* Y, std::size_t Count) {
  const std::size_t done = HasAvx2() ? Exp4(X, Y, Count) : 0;
  Run2(X, Y, done, Count, [](__m128d v) { return Sleef_expd2_u10(v); });
}

}  // namespace analysis
