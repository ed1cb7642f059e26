// Straight and exponential trend lines, the correlation coefficient, and the registration of
// the fitting functions.
#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/CurveFitting.h"
#include "platform/kernel/CheckedMath.h"

namespace analysis {

using chart::TChartSeries;

TCustomTrendFunction::TCustomTrendFunction(fw::TComponent* AOwner, TTrendStyle Style)
    : chart::TPlotFunction(AOwner), FStyle(Style) {}

namespace {

// A result as a double; one the data cannot give as a number raises.
double ToDouble(Extended Value) {
  const double d = double(win::CheckFloat(Value));
  if (std::isinf(d)) win::CheckFloat(Extended(d));
  return d;
}

}  // namespace

bool TCustomTrendFunction::CalculateSums(TChartSeries* Source, Integer First, Integer Last,
                                         TTrendSums& Sums) const {
  Sums = TTrendSums{};
  if (!Source) return false;
  if (First == -1) {
    First = 0;
    Last = Source->Count() - 1;
  }
  First = std::max<Integer>(First, 0);
  Last = std::min<Integer>(Last, Source->Count() - 1);
  const chart::TChartValueList* xs = Source->NotMandatoryValueList();
  const chart::TChartValueList* ys = SourceValueList(Source);
  std::vector<Integer> taken;
  std::vector<Extended> values;
  Extended sumX = 0, sumY = 0;
  for (Integer i = First; i <= Last; ++i) {
    if (Source->IsNullPoint(i) || !std::isfinite(ys->Value(i))) continue;
    const double v = ys->Value(i);
    const Extended y = FStyle == tsExponential ? (v == 0 ? 0 : win::CheckedLn(v)) : Extended(v);
    taken.push_back(i);
    values.push_back(y);
    sumX += xs->Value(i);
    sumY += y;
  }
  Sums.N = Integer(taken.size());
  if (Sums.N < 2) return false;
  Sums.MeanX = sumX / Sums.N;
  Sums.MeanY = sumY / Sums.N;
  double lo = xs->Value(taken.front()), hi = xs->Value(taken.back());
  for (std::size_t k = 0; k < taken.size(); ++k) {
    const double x = xs->Value(taken[k]);
    const Extended dx = x - Sums.MeanX, dy = values[k] - Sums.MeanY;
    Sums.Sxx += dx * dx;
    Sums.Syy += dy * dy;
    Sums.Sxy += dx * dy;
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
  const bool ordered = xs->Order() != chart::loNone;
  Sums.LowX = ordered ? xs->Value(taken.front()) : lo;
  Sums.HighX = ordered ? xs->Value(taken.back()) : hi;
  return true;
}

bool TCustomTrendFunction::CalculateTrend(TChartSeries* Source, Integer First, Integer Last, double& M,
                                          double& B) const {
  TTrendSums s;
  if (!CalculateSums(Source, First, Last, s)) return false;
  // All points at one X: no slope can be told, the line is y = x (rate 1 for the exponential).
  const Extended m = s.Sxx == 0 ? 1 : s.Sxy / s.Sxx;
  M = ToDouble(m);
  if (FStyle == tsLine)
    B = s.Sxx == 0 ? 0 : ToDouble(s.MeanY - m * s.MeanX);
  else
    B = ToDouble(win::CheckedExp(s.MeanY - m * s.MeanX));
  return true;
}

void TCustomTrendFunction::AddTrendPoint(TChartSeries* Source, double X, double M, double B) {
  const double y = FStyle == tsLine ? ToDouble(Extended(M) * X + B) : ToDouble(B * win::CheckedExp(Extended(M) * X));
  if (Source->YMandatory())
    ParentSeries()->AddPoint(X, y);
  else
    ParentSeries()->AddPoint(y, X);
}

void TCustomTrendFunction::AddTrend(TChartSeries* Source, Integer First, Integer Last) {
  if (!ParentSeries() || !Source) return;
  TTrendSums s;
  if (!CalculateSums(Source, First, Last, s)) return;
  double m = 0, b = 0;
  CalculateTrend(Source, First, Last, m, b);
  AddTrendPoint(Source, s.LowX, m, b);
  AddTrendPoint(Source, s.HighX, m, b);
}

void TCustomTrendFunction::ComputeWhole(TChartSeries* Source) { AddTrend(Source, -1, -1); }

void TCustomTrendFunction::ComputeOneRange(TChartSeries* Source, Integer First, Integer Last) {
  AddTrend(Source, First, Last);
}

double TCorrelationFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  TTrendSums s;
  if (!CalculateSums(Source, First, Last, s)) return 1;
  // Sums about the means cannot cancel below zero; no spread in X or Y gives r = 1.
  const Extended radicand = s.Sxx * s.Syy;
  if (!(radicand > 0)) return 1;
  return ToDouble(std::clamp<Extended>(s.Sxy / std::sqrt(radicand), -1, 1));
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
