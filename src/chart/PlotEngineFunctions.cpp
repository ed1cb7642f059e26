// Calculating functions: the computing frame that derived functions fill with values.
#include <algorithm>
#include <cmath>

#include "chart/PlotConst.h"
#include "chart/PlotEngine.h"
#include "chart/Series.h"
#include "framework/SysUtils.h"

namespace chart {

TPlotFunction::TPlotFunction(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}

TPlotFunction::~TPlotFunction() {
  if (FParent) FParent->FFunction = nullptr;
}

void TPlotFunction::SetPeriod(double Value) {
  if (!(Value >= 0)) throw fw::Exception(PlotMsg_FunctionPeriod);
  if (FPeriod == Value) return;
  FPeriod = Value;
  RequestRecompute();
}

void TPlotFunction::SetPeriodStyle(TPlotPeriodStyle Value) {
  if (FPeriodStyle == Value) return;
  FPeriodStyle = Value;
  RequestRecompute();
}

void TPlotFunction::SetPeriodAlign(TPlotPeriodAlign Value) {
  if (FPeriodAlign == Value) return;
  FPeriodAlign = Value;
  RequestRecompute();
}

String TPlotFunction::GetEditorClassName() const { return "TPlotFunctionEditor"; }

double TPlotFunction::ValueOverRange(TChartSeries*, Integer, Integer) { return 0; }

double TPlotFunction::ValueAcrossSources(const std::vector<TChartSeries*>&, Integer) { return 0; }

void TPlotFunction::RequestRecompute() {
  if (FParent && !FParent->Updating()) FParent->CheckDataSource();
}

TChartValueList* TPlotFunction::SourceValueList(TChartSeries* Source) const {
  if (!Source) return nullptr;
  if (FParent) {
    const String& name = FParent->MandatoryValueList()->ValueSource();
    if (!name.empty())
      if (TChartValueList* list = Source->ValueListByName(name)) return list;
  }
  return Source->MandatoryValueList();
}

void TPlotFunction::AddResultPoint(double X, double Y) {
  if (FParent) FParent->AddPoint(X, Y);
}

Integer TPlotFunction::PeriodPoints() const {
  double n = std::round(FPeriod);
  if (!(n >= 1)) return 1;
  return n > 2147483647.0 ? 2147483647 : Integer(n);
}

double TPlotFunction::PeriodX(TChartSeries* Source, Integer First, Integer Last) const {
  const TChartValueList* xs = Source->NotMandatoryValueList();
  switch (FPeriodAlign) {
    case paFirst:
      return xs->Value(First);
    case paLast:
      return xs->Value(Last);
    case paCenter:
      break;
  }
  return (xs->Value(First) + xs->Value(Last)) / 2;
}

void TPlotFunction::ComputeFromSource(TChartSeries* Source) {
  if (!FParent) return;
  const auto& sources = FParent->DataSources();
  if (sources.size() > 1)
    ComputeManySources(sources);
  else if (Source && Source->Count() > 0)
    Compute(Source, Source->NotMandatoryValueList());
}

void TPlotFunction::ComputeManySources(const std::vector<TChartSeries*>& Sources) {
  TChartSeries* reference = nullptr;
  for (TChartSeries* s : Sources)
    if (!reference || s->Count() > reference->Count()) reference = s;
  if (!reference) return;
  const TChartValueList* xs = reference->NotMandatoryValueList();
  for (Integer i = 0; i < reference->Count(); ++i)
    FParent->AddPoint(xs->Value(i), ValueAcrossSources(Sources, i), reference->PointLabel(i), clTeeColor);
}

void TPlotFunction::Compute(TChartSeries* Source, TChartValueList*) {
  if (FPeriod == 0)
    ComputeWhole(Source);
  else
    ComputeByPeriods(Source);
}

void TPlotFunction::ComputeWhole(TChartSeries* Source) {
  double v = ValueOverRange(Source, -1, -1);
  double lo = Source->MinXValue(), hi = Source->MaxXValue();
  if (dynamic_cast<TCustomLineSeries*>(FParent)) {
    AddResultPoint(lo, v);
    AddResultPoint(hi, v);
  } else {
    AddResultPoint((lo + hi) / 2, v);
  }
}

void TPlotFunction::ComputeOneRange(TChartSeries* Source, Integer First, Integer Last) {
  AddResultPoint(PeriodX(Source, First, Last), ValueOverRange(Source, First, Last));
}

void TPlotFunction::ComputeByPeriods(TChartSeries* Source) {
  const Integer count = Source->Count();
  if (FPeriodStyle == psNumPoints) {
    const Integer n = PeriodPoints();
    for (Integer first = 0; first < count; first += std::min(n, count - first))
      ComputeOneRange(Source, first, std::min(count - 1, first + n - 1));
    return;
  }
  const TChartValueList* xs = Source->NotMandatoryValueList();
  Integer i = 0;
  while (i < count && !std::isfinite(xs->Value(i))) ++i;
  if (i == count) return;
  const double x0 = xs->Value(i);
  while (i < count) {
    const double x = xs->Value(i);
    if (!std::isfinite(x)) {
      ++i;
      continue;
    }
    const double k = std::floor((x - x0) / FPeriod);
    const double end = x0 + (k + 1) * FPeriod;
    Integer last = i;
    while (last + 1 < count && xs->Value(last + 1) >= x && xs->Value(last + 1) < end) ++last;
    ComputeOneRange(Source, i, last);
    i = last + 1;
  }
}

TPlotMovingFunction::TPlotMovingFunction(fw::TComponent* AOwner) : TPlotFunction(AOwner) {
  SetPeriod(1);
  SetSingleSource(true);
}

void TPlotMovingFunction::ComputeByPeriods(TChartSeries* Source) {
  const Integer n = PeriodPoints();
  for (Integer last = n - 1; last < Source->Count(); ++last) ComputeOneRange(Source, last - n + 1, last);
}

}  // namespace chart
