// The basic calculating functions and their registration on the standard function page.
#include "analysis/PlotFunci.h"

#include <algorithm>
#include <cmath>

#include "analysis/AnalisisMath.h"

namespace analysis {

using chart::TChartSeries;
using chart::TChartValueList;

namespace {

bool HasIndex(const TChartValueList* List, Integer Index) { return List && List->Count() > Index; }

// Folds the values at Index of the sources that have it, starting from the first of them;
// 0 when none has it.
double FoldAcross(const chart::TPlotFunction& Function, const std::vector<TChartSeries*>& Sources,
                  Integer Index, TIndexOp Op) {
  bool started = false;
  double result = 0;
  for (TChartSeries* source : Sources) {
    const TChartValueList* list = Function.SourceValueList(source);
    if (!HasIndex(list, Index)) continue;
    const double value = list->Value(Index);
    result = started ? CheckedCombineStep(Op, result, value) : value;
    started = true;
  }
  return result;
}

// The extreme of points First..Last, starting from the value at First.
double ExtremeOverRange(const TChartValueList* List, Integer First, Integer Last, TIndexOp Op) {
  if (Last < First || First < 0 || Last >= List->Count()) return 0;
  double result = List->Value(First);
  for (Integer i = First + 1; i <= Last; ++i) result = CombineStep(Op, result, List->Value(i));
  return result;
}

}  // namespace

double TAddPlotFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const TChartValueList* list = SourceValueList(Source);
  if (!list) return 0;
  if (First == -1) return list->Total();
  double sum = 0;
  for (Integer i = std::max<Integer>(First, 0); i <= Last && i < list->Count(); ++i)
    sum = CheckedCombineStep(ioAdd, sum, list->Value(i));
  return sum;
}

double TAddPlotFunction::ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) {
  return FoldAcross(*this, Sources, Index, ioAdd);
}

double TManySeriesPlotFunction::ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) {
  bool started = false;
  double result = 0;
  for (TChartSeries* source : Sources) {
    const TChartValueList* list = SourceValueList(source);
    if (!HasIndex(list, Index)) continue;
    result = started ? CalculateValue(result, list->Value(Index)) : list->Value(Index);
    started = true;
  }
  return result;
}

double TManySeriesPlotFunction::CalculateValue(double, double) const { return 0; }

double TSubtractPlotFunction::CalculateValue(double Result, double Value) const {
  return CheckedCombineStep(ioSubtract, Result, Value);
}

double TMultiplyPlotFunction::CalculateValue(double Result, double Value) const {
  return CheckedCombineStep(ioMultiply, Result, Value);
}

double TDividePlotFunction::CalculateValue(double Result, double Value) const {
  return CheckedCombineStep(ioDivide, Result, Value);
}

double THighPlotFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const TChartValueList* list = SourceValueList(Source);
  if (!list) return 0;
  return First == -1 ? list->MaxValue() : ExtremeOverRange(list, First, Last, ioHigh);
}

double THighPlotFunction::ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) {
  return FoldAcross(*this, Sources, Index, ioHigh);
}

double TLowPlotFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const TChartValueList* list = SourceValueList(Source);
  if (!list) return 0;
  return First == -1 ? list->MinValue() : ExtremeOverRange(list, First, Last, ioLow);
}

double TLowPlotFunction::ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) {
  return FoldAcross(*this, Sources, Index, ioLow);
}

String TAveragePlotFunction::GetEditorClassName() const { return "TAverageFuncEditor"; }

void TAveragePlotFunction::SetIncludeNulls(bool Value) {
  if (FIncludeNulls == Value) return;
  FIncludeNulls = Value;
  RequestRecompute();
}

double TAveragePlotFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const TChartValueList* list = SourceValueList(Source);
  if (!list) return 0;
  if (First == -1 && FIncludeNulls) return list->Count() == 0 ? 0 : list->Total() / list->Count();
  if (First == -1) {
    First = 0;
    Last = list->Count() - 1;
  }
  double sum = 0;
  Integer taken = 0;
  for (Integer i = std::max<Integer>(First, 0); i <= Last && i < list->Count(); ++i) {
    if (!FIncludeNulls && Source->IsNullPoint(i)) continue;
    sum = CheckedCombineStep(ioAdd, sum, list->Value(i));
    ++taken;
  }
  return taken == 0 ? 0 : sum / taken;
}

double TAveragePlotFunction::ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) {
  double sum = 0;
  Integer taken = 0;
  for (TChartSeries* source : Sources) {
    const TChartValueList* list = SourceValueList(source);
    if (!HasIndex(list, Index) || (!FIncludeNulls && source->IsNullPoint(Index))) continue;
    sum = CheckedCombineStep(ioAdd, sum, list->Value(Index));
    ++taken;
  }
  return taken == 0 ? 0 : sum / taken;
}

TCustomPlotFunction::TCustomPlotFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) { SetPeriod(1); }

String TCustomPlotFunction::GetEditorClassName() const { return "TCustomFunctionEditor"; }

void TCustomPlotFunction::ComputeFromSource(TChartSeries*) { Calculate(); }

void TCustomPlotFunction::Calculate() {
  TChartSeries* parent = ParentSeries();
  if (!parent || !FOnCalculate) return;
  parent->BeginUpdate();
  struct EndUpdate {
    TChartSeries* s;
    ~EndUpdate() { s->EndUpdate(); }
  } guard{parent};
  parent->Clear();
  double x = FStartX;
  for (Integer i = 0; i < FNumPoints; ++i) {
    FX = x;
    double y = 0;
    FOnCalculate(this, x, y);
    if (parent->YMandatory())
      parent->AddPoint(x, y);
    else
      parent->AddPoint(y, x);
    x += Period();
  }
}

void TCustomPlotFunction::SetOnCalculate(TCalculateEvent Value) {
  FOnCalculate = std::move(Value);
  Calculate();
}

void TCustomPlotFunction::SetNumPoints(Integer Value) {
  if (FNumPoints == Value) return;
  FNumPoints = Value;
  Calculate();
}

void TCustomPlotFunction::SetStartX(double Value) {
  if (FStartX == Value) return;
  FStartX = Value;
  Calculate();
}

void TCustomSortedFunction::SetIncludeNulls(bool Value) {
  if (FIncludeNulls == Value) return;
  FIncludeNulls = Value;
  RequestRecompute();
}

double TCustomSortedFunction::SortedValue(const double*, Integer) const { return 0; }

double TCustomSortedFunction::FromWorkingArray() {
  // Sorting the whole array at once gives the order one-by-one insertion would (values that
  // are not numbers were left out).
  std::sort(FValues.begin(), FValues.end());
  const double result = SortedValue(FValues.data(), Integer(FValues.size()));
  FValues.clear();
  FValues.shrink_to_fit();
  return result;
}

double TCustomSortedFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  if (!Source) return 0;
  const TChartValueList* list = Source->MandatoryValueList();
  if (First == -1) First = 0;
  if (Last == -1) Last = list->Count() - 1;
  First = std::max<Integer>(First, 0);
  Last = std::min<Integer>(Last, list->Count() - 1);
  FValues.clear();
  if (Last - First + 1 > 0) FValues.reserve(std::size_t(Last - First + 1));
  for (Integer i = First; i <= Last; ++i) {
    if (!FIncludeNulls && Source->IsNullPoint(i)) continue;
    const double v = list->Value(i);
    if (!std::isnan(v)) FValues.push_back(v);
  }
  return FromWorkingArray();
}

double TCustomSortedFunction::ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) {
  if (Sources.empty()) return 0;
  FValues.clear();
  for (TChartSeries* source : Sources) {
    const TChartValueList* list = source->MandatoryValueList();
    if (!HasIndex(list, Index) || (!FIncludeNulls && source->IsNullPoint(Index))) continue;
    const double v = list->Value(Index);
    if (!std::isnan(v)) FValues.push_back(v);
  }
  return FromWorkingArray();
}

double TMedianPlotFunction::SortedValue(const double* Values, Integer Count) const {
  if (Count <= 0) return 0;
  if (Count % 2 == 1) return Values[(Count - 1) / 2];
  return (Values[Count / 2 - 1] + Values[Count / 2]) * 0.5;
}

double TModePlotFunction::SortedValue(const double* Values, Integer Count) const {
  if (Count <= 0) return 0;
  double best = Values[0];
  Integer bestRun = 1, run = 1;
  for (Integer i = 1; i < Count; ++i) {
    run = Values[i] == Values[i - 1] ? run + 1 : 1;
    if (run > bestRun) {
      bestRun = run;
      best = Values[i];
    }
  }
  return best;
}

void RegisterBasicFunctions() {
  using chart::PlotClassOf;
  chart::RegisterStandardFunction(PlotClassOf<TAddPlotFunction>({}, "Add"));
  chart::RegisterStandardFunction(PlotClassOf<TSubtractPlotFunction>({}, "Subtract"));
  chart::RegisterStandardFunction(PlotClassOf<TMultiplyPlotFunction>({}, "Multiply"));
  chart::RegisterStandardFunction(PlotClassOf<TDividePlotFunction>({}, "Divide"));
  chart::RegisterStandardFunction(PlotClassOf<THighPlotFunction>({}, "High"));
  chart::RegisterStandardFunction(PlotClassOf<TLowPlotFunction>({}, "Low"));
  chart::RegisterStandardFunction(PlotClassOf<TAveragePlotFunction>({}, "Average"));
  chart::RegisterStandardFunction(PlotClassOf<TCustomPlotFunction>({}, "y = f(x)"));
  chart::RegisterStandardFunction(PlotClassOf<TMedianPlotFunction>({}, "Median"));
  chart::RegisterStandardFunction(PlotClassOf<TModePlotFunction>({}, "Mode"));
}

void UnRegisterBasicFunctions() {
  chart::UnRegisterPlotFunction(typeid(TAddPlotFunction));
  chart::UnRegisterPlotFunction(typeid(TSubtractPlotFunction));
  chart::UnRegisterPlotFunction(typeid(TMultiplyPlotFunction));
  chart::UnRegisterPlotFunction(typeid(TDividePlotFunction));
  chart::UnRegisterPlotFunction(typeid(THighPlotFunction));
  chart::UnRegisterPlotFunction(typeid(TLowPlotFunction));
  chart::UnRegisterPlotFunction(typeid(TAveragePlotFunction));
  chart::UnRegisterPlotFunction(typeid(TCustomPlotFunction));
  chart::UnRegisterPlotFunction(typeid(TMedianPlotFunction));
  chart::UnRegisterPlotFunction(typeid(TModePlotFunction));
}

}  // namespace analysis
