// The fit by Chebyshev moments at every number of terms up to the most a polynomial may have:
// the points of a parabola give back the parabola, the higher terms nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/PolyMoments.h"

namespace {

using analysis::MaxPolyTerms;
using analysis::TPolyVector;

TEST(PolyMoments, AParabolaComesBackAtEveryNumberOfTerms) {
  constexpr int kPoints = 5000;
  const double want[] = {0.5, -1.25, 2};  // in u = (x - 3) / 2
  std::vector<double> xs(kPoints), ys(kPoints);
  for (int i = 0; i < kPoints; ++i) {
    const double u = -1 + 2.0 * i / (kPoints - 1);
    xs[std::size_t(i)] = 3 + 2 * u;
    ys[std::size_t(i)] = 10 + want[0] + u * (want[1] + u * want[2]);  // 10: the Y origin
  }
  for (int terms = 3; terms <= MaxPolyTerms; ++terms) {
    SCOPED_TRACE(terms);
    TPolyVector c{};
    ASSERT_TRUE(analysis::PolyFitByMoments(kPoints, terms, xs.data(), ys.data(), 3, 2, 10, c));
    for (int k = 0; k < MaxPolyTerms; ++k)
      EXPECT_NEAR(double(c[std::size_t(k)]), k < 3 ? want[k] : 0.0, 1e-6) << "power " << k;
  }
}

}  // namespace
