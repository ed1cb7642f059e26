#pragma once
// The polynomial fit of a graph (kind 4): a least-squares polynomial through the source's points,
// optionally densified first (each interval split into equal steps) and cut to [X1, X2].

#include <vector>

#include "analysis/FuncGraph.h"

namespace chart {
class TChartSeries;
}
namespace workspace {
class TPropSaver;
}

namespace analysis {

inline constexpr const char* PolynomSourceName = "PolynomFunction";
inline constexpr const char* PolynomSourceDeletedMsg = "График, который нужно аппроксимироать, был удален";
inline constexpr const char* PolynomNoteText =
    "Коэффициенты соответствуют нормализованному графику: X->X-Xmin; Y->Y-Ymin";
inline constexpr int PolynomMaxDegree = 19;
inline constexpr int PolynomMaxSplit = 10;

// The window's values; Degree is the degree as shown (the fit has Degree + 1 coefficients).
struct TPolynomParams {
  int Degree = 2;
  int SplitInterval = 1;
  bool DoPart = false;
  double X1 = 0, X2 = 0;
  // Section "POLYNOM"; values outside the window's ranges read as the defaults.
  void Load(const workspace::TPropSaver& Store);
  void Save(workspace::TPropSaver& Store) const;
};

struct TPolynomFit {
  TFuncPoints Points;
  // Coefficient k of x^k, in coordinates shifted to the fitted points' smallest X and Y.
  std::vector<double> Coefficients;
};

// Adds (X[0], Y[0]) to Dest, then N equal steps along each interval of Source, linearly
// interpolated: Dest gains 1 + (Count - 1) * N points (none for an empty Source).
void ResampleSeries(chart::TChartSeries* Dest, chart::TChartSeries* Source, int N);
// The same on arrays.
TFuncPoints ResamplePoints(const double* X, const double* Y, std::size_t Count, int N);

// The fitted curve over the (resampled, cut) points of Source. Fewer than two points left, or
// fewer points than the polynomial has coefficients, raise "Слишком мало точек для построения".
TPolynomFit PolynomPoints(chart::TChartSeries* Source, const TPolynomParams& Params);

}  // namespace analysis
