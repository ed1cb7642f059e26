// Straight and exponential trend lines, the correlation coefficient, and the registration of
// the fitting functions.
#include <cmath>

#include "analysis/CurveFitting.h"
#include "platform/kernel/CheckedMath.h"

namespace analysis {

using chart::TChartSeries;

TCustomTrendFunction::TCustomTrendFunction(fw::TComponent* AOwner, TTrendStyle Style)
    : chart::TPlotFunction(AOwner), FStyle(Style) {}

bool TCustomTrendFunction::CalculateSums(TChartSeries* Source, Integer First, Integer Last,
                                         TTrendSums& Sums) const {
  Sums = TTrendSums{};
  if (!Source) return false;
  const bool whole = First == -1;
  if (whole) {
    First = 0;
    Last = Source->Count() - 1;
  }
  Sums.N = Last - First + 1;
  if (Sums.N < 2) return false;
  const chart::TChartValueList* xs = Source->NotMandatoryValueList();
  const chart::TChartValueList* ys = SourceValueList(Source);
  const bool useTotals = whole && FStyle == tsLine;
  if (useTotals) {
    Sums.SumX = xs->Total();
    Sums.SumY = ys->Total();
  }
  for (Integer i = First; i <= Last; ++i) {
    const double x = xs->Value(i);
    double y = ys->Value(i);
    if (FStyle == tsExponential) y = y == 0 ? 0 : double(win::CheckedLn(y));
    Sums.SumXY += x * y;
    Sums.SumX2 += x * x;
    Sums.SumY2 += y * y;
    if (!useTotals) {
      Sums.SumX += x;
      Sums.SumY += y;
    }
  }
  return true;
}

bool TCustomTrendFunction::CalculateTrend(TChartSeries* Source, Integer First, Integer Last, double& M,
                                          double& B) const {
  TTrendSums s;
  if (!CalculateSums(Source, First, Last, s)) return false;
  const double n = s.N;
  if (FStyle == tsLine) {
    const double d = n * s.SumX2 - s.SumX * s.SumX;
    if (d == 0) {
      M = 1;
      B = 0;
    } else {
      M = (n * s.SumXY - s.SumX * s.SumY) / d;
      B = (s.SumY * s.SumX2 - s.SumX * s.SumXY) / d;
    }
    return true;
  }
  const double meanX = s.SumX / n, meanY = s.SumY / n;
  const double d = s.SumX2 - n * meanX * meanX;
  M = d == 0 ? 1 : (s.SumXY - n * meanX * meanY) / d;
  B = double(win::CheckedExp(meanY - M * meanX));
  return true;
}

void TCustomTrendFunction::AddTrendPoint(TChartSeries* Source, double X, double M, double B) {
  const double y = FStyle == tsLine ? M * X + B : B * double(win::CheckedExp(M * X));
  if (Source->YMandatory())
    ParentSeries()->AddPoint(X, y);
  else
    ParentSeries()->AddPoint(y, X);
}

void TCustomTrendFunction::AddTrend(TChartSeries* Source, Integer First, Integer Last) {
  if (!ParentSeries() || !Source) return;
  double m = 0, b = 0;
  if (!CalculateTrend(Source, First, Last, m, b)) return;
  const chart::TChartValueList* xs = Source->NotMandatoryValueList();
  double lo, hi;
  if (xs->Order() == chart::loNone) {
    lo = xs->MinValue();
    hi = xs->MaxValue();
  } else {
    lo = xs->Value(First == -1 ? 0 : First);
    hi = xs->Value(First == -1 ? Source->Count() - 1 : Last);
  }
  AddTrendPoint(Source, lo, m, b);
  AddTrendPoint(Source, hi, m, b);
}

void TCustomTrendFunction::ComputeWhole(TChartSeries* Source) { AddTrend(Source, -1, -1); }

void TCustomTrendFunction::ComputeOneRange(TChartSeries* Source, Integer First, Integer Last) {
  AddTrend(Source, First, Last);
}

double TCorrelationFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  TTrendSums s;
  if (!CalculateSums(Source, First, Last, s)) return 1;
  const double n = s.N;
  // Cancellation can leave a slightly negative product on constant data: no spread, r = 1.
  const double radicand = (s.SumX2 - s.SumX * s.SumX / n) * (s.SumY2 - s.SumY * s.SumY / n);
  if (!(radicand > 0)) return 1;
  return (s.SumXY - s.SumX * s.SumY / n) / std::sqrt(radicand);
}

void RegisterFittingFunctions() {
  const String page = "Extended";
  chart::RegisterPlotFunction(chart::PlotClassOf<TCurveFittingFunction>(page, "Curve Fitting"));
  chart::RegisterPlotFunction(chart::PlotClassOf<TTrendFunction>(page, "Trend"));
  chart::RegisterPlotFunction(chart::PlotClassOf<TExpTrendFunction>(page, "Exponential\rTrend"));
  chart::RegisterPlotFunction(chart::PlotClassOf<TCorrelationFunction>(page, "Correlation"));
}

void UnRegisterFittingFunctions() {
  chart::UnRegisterPlotFunction(typeid(TCurveFittingFunction));
  chart::UnRegisterPlotFunction(typeid(TTrendFunction));
  chart::UnRegisterPlotFunction(typeid(TExpTrendFunction));
  chart::UnRegisterPlotFunction(typeid(TCorrelationFunction));
}

}  // namespace analysis
