#pragma once
// Least squares over many points from Chebyshev moments: the sums of T_k(u) and y·T_k(u) over
// the points give the whole normal system in the Chebyshev basis (T_i·T_j = (T_i+j + T_|i-j|)/2),
// which is well conditioned for points spread over [-1, 1]. A few operations per point instead
// of an orthogonal reduction's dozens, for the fits of a million points.

#include "analysis/CurveFitting.h"

namespace analysis {

// The coefficients of powers of u = (x - Centre) / Half of the least-squares polynomial of Terms
// terms through the points (x, y - YOrigin); false when the moments do not determine every term clearly (the caller then takes the
// orthogonal reduction).
bool PolyFitByMoments(int Points, int Terms, const double* X, const double* Y, Extended Centre, Extended Half,
                      double YOrigin, TPolyVector& PowersOfU);

}  // namespace analysis
