#pragma once
// Elementary functions over arrays for the parser's block evaluation, on the processor's vector
// units (SLEEF's 1-ulp versions: four lanes where the processor has AVX2, two otherwise). The
// results lie within an ulp of the correctly rounded value, as the scalar library's do, though
// not always on the same side of it.

#include <cstddef>

namespace analysis {

void VectorSin(const double* X, double* Y, std::size_t Count);
void VectorCos(const double* X, double* Y, std::size_t Count);
void VectorExp(const double* X, double* Y, std::size_t Count);

}  // namespace analysis
