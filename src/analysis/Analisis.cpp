// The analysis routines on series and graphs: each reads the points as arrays, computes
// through AnalisisMath and fills a new line series that the graph collection takes over.
#include "analysis/Analisis.h"

#include <algorithm>
#include <memory>

#include "analysis/PlotFunci.h"
#include "chart/Series.h"
#include "workspace/Common.h"
#include "workspace/GraphCollection.h"
#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"

namespace analysis {

using chart::TChartSeries;
using chart::TChartValueList;
using chart::TLineSeries;

namespace {

// The stored values of a list, or a copy scaled by the list's multiplier.
const double* ListValues(const TChartValueList* List, std::vector<double>& Copy) {
  if (List->Multiplier() == 1.0) return List->Data();
  Copy.resize(std::size_t(List->Count()));
  for (fw::Integer i = 0; i < List->Count(); ++i) Copy[std::size_t(i)] = List->Value(i);
  return Copy.data();
}

// A series' X and Y lists as arrays.
class SeriesPoints {
 public:
  explicit SeriesPoints(const TChartSeries* Series) {
    if (!Series) return;
    FView.X = ListValues(Series->XValues(), FX);
    FView.Y = ListValues(Series->YValues(), FY);
    FView.Count = std::size_t(Series->Count());
  }
  // The view may point into the copies: moving keeps their storage, copying would not.
  SeriesPoints(SeriesPoints&&) noexcept = default;
  SeriesPoints(const SeriesPoints&) = delete;
  SeriesPoints& operator=(const SeriesPoints&) = delete;
  const TXYArrays& View() const { return FView; }

 private:
  std::vector<double> FX, FY;
  TXYArrays FView;
};

const TChartSeries* SeriesOf(const workspace::TGraph* Graph) {
  if (!Graph || !Graph->Series()) throw win::Exception(MsgTooFewPoints);
  return Graph->Series();
}

// Hands Result to the graph collection and selects it; nothing is added on failure.
workspace::TGraph* AddResultGraph(std::unique_ptr<TLineSeries> Result, const fw::String& Source,
                                  const fw::String& Title) {
  if (Result->Count() == 0) throw win::Exception(MsgTooFewPoints);
  if (!workspace::GraphCollection) throw win::Exception("Рабочая область не создана");
  workspace::TGraph* graph = workspace::GraphCollection->AddGraph(Result.get(), Source, {}, Title);
  Result.release();  // the graph owns it now
  workspace::GraphCollection->SelectLastAdded();
  return graph;
}

// A new line series of the points, with Labels when given. Points whose X values ascend (no
// NaN among them) go in as one block, which is where a point-by-point sorted insertion would
// put them too; points that do not ascend (a parametric source) keep their order rather than
// being sorted one insertion at a time.
std::unique_ptr<TLineSeries> SeriesFromArrays(const double* X, const double* Y, std::size_t Count,
                                              const TChartSeries* Labels = nullptr) {
  auto result = std::make_unique<TLineSeries>(nullptr);
  const double* end = X + Count;
  // "x <= next" is false for a NaN on either side, so a NaN sends the points the slow way.
  const bool ascending = std::adjacent_find(X, end, [](double a, double b) { return !(a <= b); }) == end;
  result->BeginUpdate();
  if (ascending) {
    result->AppendPoints(X, Y, fw::Integer(Count));
    if (Labels && !Labels->Labels().Empty())
      for (std::size_t i = 0; i < Count; ++i)
        result->SetPointLabel(fw::Integer(i), Labels->PointLabel(fw::Integer(i)));
  } else {
    if (!std::is_sorted(X, end)) result->XValues()->SetOrder(chart::loNone);
    for (std::size_t i = 0; i < Count; ++i)
      result->AddPoint(X[i], Y[i], Labels ? Labels->PointLabel(fw::Integer(i)) : fw::String());
  }
  result->EndUpdate();
  return result;
}

std::unique_ptr<TLineSeries> SeriesFromArrays(const std::vector<double>& X, const std::vector<double>& Y) {
  return SeriesFromArrays(X.data(), Y.data(), X.size());
}

// A single graph: the function's whole-range value at the graph's smallest and largest X, as
// the chart function gives it.
template <typename TFunction>
std::unique_ptr<TLineSeries> WholeRangeLine(const TChartSeries* Source) {
  auto result = std::make_unique<TLineSeries>(nullptr);
  if (Source->Count() == 0) return result;
  TFunction function(nullptr);
  const double value = function.ValueOverRange(const_cast<TChartSeries*>(Source), -1, -1);
  result->BeginUpdate();
  result->AddPoint(Source->MinXValue(), value);
  result->AddPoint(Source->MaxXValue(), value);
  result->EndUpdate();
  return result;
}

// Several graphs: values combined index by index, at the X values (and with the labels) of the
// longest graph, the first of equally long ones.
std::unique_ptr<TLineSeries> ByIndex(const TGraphArray& Graphs, TIndexOp Op) {
  std::vector<TValuesArray> values;
  std::vector<std::vector<double>> copies(Graphs.size());
  const TChartSeries* reference = nullptr;
  for (std::size_t g = 0; g < Graphs.size(); ++g) {
    const TChartSeries* s = SeriesOf(Graphs[g]);
    const TChartValueList* list = s->MandatoryValueList();
    values.push_back({ListValues(list, copies[g]), std::size_t(list->Count())});
    if (!reference || s->Count() > reference->Count()) reference = s;
  }
  std::vector<double> y;
  CombineByIndex(Op, values, y);
  std::vector<double> xCopy;
  const TChartValueList* xs = reference->NotMandatoryValueList();
  const double* x = ListValues(xs, xCopy);
  return SeriesFromArrays(x, y.data(), std::min(y.size(), std::size_t(xs->Count())), reference);
}

template <typename TFunction>
workspace::TGraph* AddIndexGraph(const TGraphArray& Graphs, TIndexOp Op, const char* Source,
                                 const char* Title) {
  if (Graphs.empty()) throw win::Exception(MsgTooFewPoints);
  auto result = Graphs.size() == 1 ? WholeRangeLine<TFunction>(SeriesOf(Graphs[0])) : ByIndex(Graphs, Op);
  return AddResultGraph(std::move(result), Source, Title);
}

std::vector<SeriesPoints> PointsOf(const TGraphArray& Graphs) {
  if (Graphs.empty()) throw win::Exception(MsgTooFewPoints);
  std::vector<SeriesPoints> points;
  points.reserve(Graphs.size());
  for (const workspace::TGraph* g : Graphs) points.emplace_back(SeriesOf(g));
  return points;
}

std::vector<TXYArrays> OthersOf(const std::vector<SeriesPoints>& Points) {
  std::vector<TXYArrays> others;
  for (std::size_t g = 1; g < Points.size(); ++g) others.push_back(Points[g].View());
  return others;
}

void WritePercent(workspace::TPropSaver& Info, const char* Name, double Dev, double Mean) {
  if (Mean == 0)
    Info.WriteString(Name, "—");
  else
    Info.WriteFloat(Name, Dev / Mean * 100);
}

}  // namespace

void FindMaxYInRange(const TChartSeries* Series, TPointXY& Res, double A, double B) {
  MaxYInRange(SeriesPoints(Series).View(), Res, A, B);
}

void FindMinYInRange(const TChartSeries* Series, TPointXY& Res, double A, double B) {
  MinYInRange(SeriesPoints(Series).View(), Res, A, B);
}

void FindMaxY(const TChartSeries* Series, TPointXY& Res) {
  if (!Series) return FindMaxYInRange(Series, Res, 0, 0);
  FindMaxYInRange(Series, Res, Series->XValues()->MinValue(), Series->XValues()->MaxValue());
}

void FindMinY(const TChartSeries* Series, TPointXY& Res) {
  if (!Series) return FindMinYInRange(Series, Res, 0, 0);
  FindMinYInRange(Series, Res, Series->XValues()->MinValue(), Series->XValues()->MaxValue());
}

void FindMinMaxYInRange(const TChartSeries* Series, TMinMaxXY& Res, double A, double B) {
  MinMaxYInRange(SeriesPoints(Series).View(), Res, A, B);
}

double MeanYInRange(const TChartSeries* Series, double A, double B) {
  return MeanYInRange(SeriesPoints(Series).View(), A, B);
}

double IntegrateRange(const TChartSeries* Series, double A, double B) {
  return IntegrateRange(SeriesPoints(Series).View(), A, B);
}

workspace::TGraph* AddSubtractGraph(const TGraphArray& Graphs) {
  return AddIndexGraph<TSubtractPlotFunction>(Graphs, ioSubtract, "SubtractFunction", "Разница графиков");
}

workspace::TGraph* AddSumGraph(const TGraphArray& Graphs) {
  return AddIndexGraph<TAddPlotFunction>(Graphs, ioAdd, "SumFunction", "Сумма графиков");
}

workspace::TGraph* AddMultiplyGraph(const TGraphArray& Graphs) {
  return AddIndexGraph<TMultiplyPlotFunction>(Graphs, ioMultiply, "MultiplyFunction",
                                              "Произведение графиков");
}

workspace::TGraph* AddDivideGraph(const TGraphArray& Graphs) {
  return AddIndexGraph<TDividePlotFunction>(Graphs, ioDivide, "DivideFunction", "Частное графиков");
}

workspace::TGraph* AddAverageGraph(const TGraphArray& Graphs) {
  return AddIndexGraph<TAveragePlotFunction>(Graphs, ioAverage, "AverageFunction", "Средняя линия");
}

workspace::TGraph* AddEnvelopeHighGraph(const TGraphArray& Graphs) {
  return AddIndexGraph<THighPlotFunction>(Graphs, ioHigh, "EnvelopeHighFunction", "Верхняя огибающая");
}

workspace::TGraph* AddEnvelopeLowGraph(const TGraphArray& Graphs) {
  return AddIndexGraph<TLowPlotFunction>(Graphs, ioLow, "EnvelopeLowFunction", "Нижняя огибающая");
}

workspace::TGraph* AddRareArithmeticGraph(const TGraphArray& Graphs, TRareOp Op) {
  static const char* const sources[] = {"SumRareFunction", "SubtractRareFunction", "MultiplyRareFunction",
                                        "DivideRareFunction"};
  static const char* const titles[] = {"Сумма графиков", "Разница графиков", "Произведение графиков",
                                       "Частное графиков"};
  const std::vector<SeriesPoints> points = PointsOf(Graphs);
  std::vector<double> x, y;
  ResampleArithmetic(Op, points[0].View(), OthersOf(points), int(workspace::Preferences.SplitInterval), x, y);
  return AddResultGraph(SeriesFromArrays(x, y), sources[Op], titles[Op]);
}

workspace::TGraph* AddSumRareGraph(const TGraphArray& Graphs) {
  return AddRareArithmeticGraph(Graphs, roSum);
}
workspace::TGraph* AddSubtractRareGraph(const TGraphArray& Graphs) {
  return AddRareArithmeticGraph(Graphs, roDifference);
}
workspace::TGraph* AddMultiplyRareGraph(const TGraphArray& Graphs) {
  return AddRareArithmeticGraph(Graphs, roProduct);
}
workspace::TGraph* AddDivideRareGraph(const TGraphArray& Graphs) {
  return AddRareArithmeticGraph(Graphs, roQuotient);
}

workspace::TGraph* AddAverageRareGraph(const TGraphArray& Graphs) {
  const std::vector<SeriesPoints> points = PointsOf(Graphs);
  std::vector<double> x, y;
  TDeviationStats stats;
  ResampleAverage(points[0].View(), OthersOf(points), int(workspace::Preferences.SplitInterval), x, y, stats);
  workspace::TGraph* graph = AddResultGraph(SeriesFromArrays(x, y), "AverageRareFunction", "Средняя линия");
  // An in-memory list for the information window, never saved.
  workspace::TPropSaver info(fw::String(), "PREFERENCES", false);
  info.WriteFloat("Макс.откл.(абс.)", stats.MaxDev);
  WritePercent(info, "Макс.откл.(%)", stats.MaxDev, stats.MaxMean);
  info.WriteFloat("Мин.откл.(абс.)", stats.MinDev);
  WritePercent(info, "Мин.откл.(%)", stats.MinDev, stats.MinMean);
  workspace::ShowInfoWindow(info);
  return graph;
}

workspace::TGraph* AddDerivativeGraph(const TChartSeries* Series) {
  if (!Series) throw win::Exception(MsgTooFewPoints);
  std::vector<double> x, d;
  Derivative(SeriesPoints(Series).View(), x, d);
  return AddResultGraph(SeriesFromArrays(x, d), "DerivativeFunction", "Производная " + Series->Title());
}

workspace::TGraph* AddDerivative2Graph(const TChartSeries* Series) {
  if (!Series) throw win::Exception(MsgTooFewPoints);
  std::vector<double> x, d;
  SecondDerivative(SeriesPoints(Series).View(), x, d);
  return AddResultGraph(SeriesFromArrays(x, d), "DerivativeFunction2", "Производная2 " + Series->Title());
}

namespace {

// Where X cuts the series' points.
TTrimPlan PlanSeriesTrim(const TChartSeries* Series, double X) {
  std::vector<double> copy;
  return PlanTrim(ListValues(Series->XValues(), copy), std::size_t(Series->Count()), X);
}

}  // namespace

bool TrimSeriesLeft(TChartSeries* Series, double X) {
  if (!Series) return false;
  const std::size_t count = std::size_t(Series->Count());
  const TTrimPlan plan = PlanSeriesTrim(Series, X);
  // Decided before anything is deleted: a refused cut leaves the series as it was.
  if (!plan.PointRightOfCut || plan.Kept + 1 >= count) return false;
  if (plan.Kept > 0) Series->DeletePoints(0, fw::Integer(plan.Kept), false);
  return true;
}

bool TrimSeriesRight(TChartSeries* Series, double X) {
  if (!Series) return false;
  const std::size_t count = std::size_t(Series->Count());
  const TTrimPlan plan = PlanSeriesTrim(Series, X);
  if (!plan.PointRightOfCut) return count >= 2;
  if (plan.Kept + 1 < count)
    Series->DeletePoints(fw::Integer(plan.Kept + 1), fw::Integer(count - plan.Kept - 1), false);
  return true;
}

bool TrimSeries(TChartSeries* Series, double LeftX, double RightX) {
  return TrimSeriesLeft(Series, LeftX) && TrimSeriesRight(Series, RightX);
}

}  // namespace analysis
