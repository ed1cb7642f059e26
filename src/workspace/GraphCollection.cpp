// The graph list: adding with kind parameters, selecting, deleting.
#include "workspace/GraphCollection.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/Chart.h"
#include "chart/PlotEngine.h"
#include "framework/SysUtils.h"
#include "workspace/GraphChart.h"
#include "workspace/Operations.h"

namespace workspace {

TGraphCollection* GraphCollection = nullptr;

namespace {

[[noreturn]] void BadParams() { throw EGraphError("Неверные параметры графика"); }

std::int64_t ParamInt(const TGraphParam& P) {
  if (auto* i = std::get_if<std::int64_t>(&P)) return *i;
  if (auto* b = std::get_if<bool>(&P)) return *b ? 1 : 0;
  if (auto* d = std::get_if<double>(&P)) {
    if (!std::isfinite(*d) || std::fabs(*d) > 2147483647.0) BadParams();
    return std::int64_t(std::trunc(*d));
  }
  BadParams();
}

Integer ParamInteger(const TGraphParam& P) {
  const std::int64_t v = ParamInt(P);
  if (v < INT32_MIN || v > INT32_MAX) BadParams();
  return Integer(v);
}

double ParamFloat(const TGraphParam& P) {
  if (auto* d = std::get_if<double>(&P)) return *d;
  if (auto* i = std::get_if<std::int64_t>(&P)) return double(*i);
  BadParams();
}

bool ParamBool(const TGraphParam& P) {
  if (auto* b = std::get_if<bool>(&P)) return *b;
  if (auto* i = std::get_if<std::int64_t>(&P)) return *i != 0;
  BadParams();
}

String ParamText(const TGraphParam& P) {
  if (auto* s = std::get_if<String>(&P)) return *s;
  BadParams();
}

chart::TChartSeries* ParamSeries(const TGraphParam& P) {
  if (auto* s = std::get_if<chart::TChartSeries*>(&P)) return *s;
  BadParams();
}

}  // namespace

TGraphCollection::TGraphCollection(chart::TCustomChart* Chart) : FChart(Chart) {}

TGraphCollection::~TGraphCollection() {
  if (FOperations && FOperations->Graphs() == this) FOperations->SetGraphs(nullptr);
  // Newest first, so that no graph outlives one it was computed from.
  while (!FItems.empty()) FItems.pop_back();
}

TGraph* TGraphCollection::Items(Integer Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FItems[std::size_t(Index)].get();
}

Integer TGraphCollection::IndexOf(const TGraph* Graph) const {
  for (Integer i = 0; i < Count(); ++i)
    if (FItems[std::size_t(i)].get() == Graph) return i;
  return -1;
}

TGraph* TGraphCollection::ById(Integer Id) const {
  for (const auto& g : FItems)
    if (g->Id() == Id) return g.get();
  return nullptr;
}

TGraph* TGraphCollection::BySeries(const chart::TChartSeries* Series) const {
  if (!Series) return nullptr;
  for (const auto& g : FItems)
    if (g->Series() == Series) return g.get();
  return nullptr;
}

Integer TGraphCollection::CheckedCount() const {
  return Integer(std::count_if(FItems.begin(), FItems.end(), [](const auto& g) { return g->Checked; }));
}

void TGraphCollection::ApplyParams(TGraph& Graph, const TGraphParams& Params) const {
  const std::size_t n = Params.size();
  // Parameters a caller leaves out keep the graph's defaults.
  auto at = [&](std::size_t i) -> const TGraphParam* { return i < n ? &Params[i] : nullptr; };
  const Integer kind = n > 0 ? ParamInteger(Params[0]) : gkData;
  if (kind < 0 || kind >= GraphKindCount) BadParams();
  Graph.Kind = kind;
  switch (kind) {
    case gkExpression:
    case gkParametric:
      if (auto* p = at(1)) Graph.LimStart = ParamFloat(*p);
      if (auto* p = at(2)) Graph.LimStop = ParamFloat(*p);
      if (auto* p = at(3)) Graph.LimStep = ParamFloat(*p);
      if (kind == gkExpression)
        if (auto* p = at(4)) Graph.AuxParams = ParamText(*p);
      break;
    case gkSpline:
    case gkPolynomial:
    case gkEnvelope:
      if (auto* p = at(1)) Graph.SourceSeries = ParamSeries(*p);
      if (kind == gkSpline) {
        if (auto* p = at(2)) Graph.Interpolate = ParamBool(*p);
        if (auto* p = at(3)) Graph.Factor = ParamInteger(*p);
      } else if (kind == gkEnvelope) {
        if (auto* p = at(2)) Graph.Low = ParamBool(*p);
        if (auto* p = at(3)) Graph.UseStep = ParamBool(*p);
        if (auto* p = at(4)) Graph.Factor = ParamInteger(*p);
        if (auto* p = at(5)) Graph.Step = ParamFloat(*p);
      } else {
        if (auto* p = at(2)) Graph.PolyDegree = ParamInteger(*p);
        if (auto* p = at(3)) Graph.SplitInterval = ParamInteger(*p);
        if (auto* p = at(4)) Graph.DoPart = ParamBool(*p);
        if (auto* p = at(5)) Graph.X1 = ParamFloat(*p);
        if (auto* p = at(6)) Graph.X2 = ParamFloat(*p);
      }
      break;
    default:
      break;
  }
}

TGraph* TGraphCollection::AddGraph(chart::TChartSeries* Series, const String& Source, const TGraphParams& Params,
                                   const String& Title) {
  if (!Series) throw EGraphError("Нет данных для графика");
  if (BySeries(Series)) throw EGraphError("Этот ряд уже принадлежит графику");
  auto graph = std::make_unique<TGraph>(Series, Source, gkData);
  try {
    ApplyParams(*graph, Params);
  } catch (...) {
    graph->ReleaseSeries();
    throw;
  }
  // The graph is the series' one owner from now on: a component owner (the chart, usually)
  // freeing it as well would free it twice.
  if (fw::TComponent* owner = Series->Owner()) owner->RemoveComponent(Series);
  // An expression is no file name: a "/" in it divides nothing.
  const bool expression = graph->Kind == gkExpression || graph->Kind == gkParametric;
  Series->SetTitle(!Title.empty() ? Title : expression ? Source : fw::ExtractFileName(Source));
  PutSeriesOnChart(FChart, Series);
  FItems.push_back(std::move(graph));
  FLastAddedIndex = Count() - 1;
  TGraph* added = FItems.back().get();
  if (FOperations) FOperations->AddOperation(opAddGraph, {std::int64_t(added->Id()), 0.0});
  Changed();
  return added;
}

void TGraphCollection::Select(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  FCurrentIndex = Index;
  if (OnGraphSelected) OnGraphSelected(Items(Index));
}

void TGraphCollection::SelectLastAdded() { Select(FLastAddedIndex); }

void TGraphCollection::SelectBySeries(chart::TChartSeries* Series) { Select(IndexOf(BySeries(Series))); }

std::unique_ptr<TGraph> TGraphCollection::Extract(Integer Index, std::vector<std::pair<Integer, Integer>>* Derived) {
  TGraph* graph = Items(Index);
  chart::TChartSeries* series = graph->Series();
  for (const auto& g : FItems) {
    if (g.get() == graph || !series || g->SourceSeries != series) continue;
    if (Derived) Derived->emplace_back(g->Id(), g->Kind);
    g->SourceSeries = nullptr;
    if (IsDerivedKind(g->Kind)) g->Kind = gkData;
  }
  std::unique_ptr<TGraph> owned = std::move(FItems[std::size_t(Index)]);
  FItems.erase(FItems.begin() + Index);
  if (FLastAddedIndex == Index)
    FLastAddedIndex = -1;
  else if (FLastAddedIndex > Index)
    --FLastAddedIndex;
  if (FCurrentIndex > Index || (FCurrentIndex == Index && FCurrentIndex >= Count())) --FCurrentIndex;
  return owned;
}

void TGraphCollection::Removed(bool WasCurrent) {
  // A zoom or scroll about graphs that are all gone would hide the next graph outside it.
  if (FChart && FItems.empty()) FChart->UndoZoom();
  Changed();
  if (WasCurrent && OnGraphSelected) OnGraphSelected(Current());
}

void TGraphCollection::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  if (FOperations) FOperations->RemoveGraph(Items(Index)->Id());
  const bool wasCurrent = FCurrentIndex == Index;
  Extract(Index, nullptr).reset();
  Removed(wasCurrent);
}

void TGraphCollection::DeleteUndoable(Integer Index) {
  if (Index < 0 || Index >= Count()) return;
  if (!FOperations) return Delete(Index);
  TDeletedGraph deleted;
  deleted.Index = Index;
  if (FChart) deleted.ChartIndex = FChart->SeriesList().IndexOf(Items(Index)->Series());
  const bool wasCurrent = FCurrentIndex == Index;
  deleted.Graph = Extract(Index, &deleted.Derived);
  TakeSeriesOffChart(deleted.Graph->Series());
  FOperations->AddDeletion(std::move(deleted));
  Removed(wasCurrent);
}

void TGraphCollection::Restore(TDeletedGraph& Deleted) {
  if (!Deleted.Graph) return;
  const Integer index = std::clamp<Integer>(Deleted.Index, 0, Count());
  chart::TChartSeries* series = Deleted.Graph->Series();
  FItems.insert(FItems.begin() + index, std::move(Deleted.Graph));
  if (FLastAddedIndex >= index) ++FLastAddedIndex;
  if (FCurrentIndex >= index) ++FCurrentIndex;
  if (FChart && series) {
    PutSeriesOnChart(FChart, series);
    // Back to its place among the series (drawing order and legend), from the end it joined.
    const chart::TChartSeriesList& list = FChart->SeriesList();
    for (Integer at = list.IndexOf(series); Deleted.ChartIndex >= 0 && at > Deleted.ChartIndex; --at)
      FChart->ExchangeSeries(list.Items(at - 1), series);
  }
  for (const auto& [id, kind] : Deleted.Derived)
    if (TGraph* g = ById(id); g && !g->SourceSeries) {
      g->SourceSeries = series;
      g->Kind = kind;
    }
  Changed();
  Select(index);
}

void TGraphCollection::DeleteGraph(TGraph* Graph) { Delete(IndexOf(Graph)); }

void TGraphCollection::Clear() {
  while (!FItems.empty()) Delete(Count() - 1);
}

void TGraphCollection::Exchange(TGraph* Graph1, TGraph* Graph2) {
  const Integer i1 = IndexOf(Graph1), i2 = IndexOf(Graph2);
  if (i1 < 0 || i2 < 0 || i1 == i2) return;
  std::swap(FItems[std::size_t(i1)], FItems[std::size_t(i2)]);
  auto follow = [i1, i2](Integer& Index) {
    if (Index == i1)
      Index = i2;
    else if (Index == i2)
      Index = i1;
  };
  follow(FCurrentIndex);
  follow(FLastAddedIndex);
  if (FChart && Graph1->Series() && Graph2->Series()) FChart->ExchangeSeries(Graph1->Series(), Graph2->Series());
  Changed();
}

void TGraphCollection::Rename(TGraph* Graph, const String& Title) {
  if (IndexOf(Graph) < 0 || !Graph->Series()) return;
  if (Title.find_first_not_of(' ') == String::npos) throw EGraphError("Название графика не может быть пустым");
  Graph->Series()->SetTitle(Title);
  Changed();
}

TGraphArray TGraphCollection::SelectedGraphs() const {
  TGraphArray result;
  if (!OnGetSelectedSeries) return result;
  for (chart::TChartSeries* s : OnGetSelectedSeries())
    if (TGraph* g = BySeries(s)) {
      if (std::find(result.begin(), result.end(), g) == result.end()) result.push_back(g);
    }
  return result;
}

void TGraphCollection::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace workspace
