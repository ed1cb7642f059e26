// The graph: identity, ownership of its series and the point transforms.
#include "workspace/Graph.h"

#include <cmath>

#include "chart/PlotEngine.h"
#include "framework/Dialogs.h"
#include "platform/controls/MessageBox.h"
#include "workspace/GraphChart.h"

namespace workspace {

TGraphTrimRoutines GraphTrimRoutines;

namespace {

Integer GraphIdCounter = 0;

// Applies F to every stored value of List (as read, that is with the list's multiplier).
template <typename F>
void TransformList(chart::TChartSeries& Series, chart::TChartValueList& List, F&& Fn) {
  const double m = List.Multiplier();
  Series.BeginUpdate();
  for (Integer i = 0; i < List.Count(); ++i) {
    const double v = Fn(List.Value(i));
    List.SetValue(i, m != 0.0 ? v / m : v);
  }
  List.Sort();
  Series.NotifyDataChanged();
  Series.EndUpdate();
}

void RequireDivisor(double Value) {
  if (Value == 0.0 || !std::isfinite(Value)) throw EGraphError("Деление на ноль");
}

}  // namespace

TGraph::TGraph(chart::TChartSeries* Series, const String& ASource, Integer AKind)
    : Source(ASource), Kind(AKind), FId(++GraphIdCounter), FSeries(Series) {}

TGraph::~TGraph() {
  if (!FSeries) return;
  TakeSeriesOffChart(FSeries);
  delete FSeries;
}

void TGraph::DivideX(double Value) {
  RequireDivisor(Value);
  TransformList(*FSeries, *FSeries->XValues(), [Value](double x) { return x / Value; });
}

void TGraph::DivideY(double Value) {
  RequireDivisor(Value);
  TransformList(*FSeries, *FSeries->YValues(), [Value](double y) { return y / Value; });
}

void TGraph::MultiplyX(double Value) {
  TransformList(*FSeries, *FSeries->XValues(), [Value](double x) { return x * Value; });
}

void TGraph::MultiplyY(double Value) {
  TransformList(*FSeries, *FSeries->YValues(), [Value](double y) { return y * Value; });
}

void TGraph::OffsetX(double Value) {
  TransformList(*FSeries, *FSeries->XValues(), [Value](double x) { return x - Value; });
}

void TGraph::OffsetY(double Value) {
  TransformList(*FSeries, *FSeries->YValues(), [Value](double y) { return y - Value; });
}

void TGraph::MirrorX() {
  TransformList(*FSeries, *FSeries->XValues(), [](double x) { return -x; });
}

void TGraph::MirrorY() {
  TransformList(*FSeries, *FSeries->YValues(), [](double y) { return -y; });
}

void TGraph::ExchangeXY() {
  chart::TChartValueList& xs = *FSeries->XValues();
  chart::TChartValueList& ys = *FSeries->YValues();
  const double mx = xs.Multiplier(), my = ys.Multiplier();
  FSeries->BeginUpdate();
  for (Integer i = 0; i < xs.Count(); ++i) {
    const double x = xs.Value(i), y = ys.Value(i);
    xs.SetValue(i, mx != 0.0 ? y / mx : y);
    ys.SetValue(i, my != 0.0 ? x / my : x);
  }
  xs.Sort();
  FSeries->NotifyDataChanged();
  FSeries->EndUpdate();
}

double TGraph::MeanY() const {
  const chart::TChartValueList& ys = *FSeries->YValues();
  double sum = 0.0;
  Integer n = 0;
  for (Integer i = 0; i < ys.Count(); ++i) {
    const double y = ys.Value(i);
    if (!std::isfinite(y)) continue;
    sum += y;
    ++n;
  }
  return n > 0 ? sum / n : 0.0;
}

void TGraph::Trim(bool TrimLeftOn, bool TrimRightOn, double LeftX, double RightX) {
  if ((TrimLeftOn && !GraphTrimRoutines.TrimLeft) || (TrimRightOn && !GraphTrimRoutines.TrimRight))
    throw EGraphError("Обрезка графиков недоступна");
  if (TrimLeftOn && !GraphTrimRoutines.TrimLeft(FSeries, LeftX))
    fw::AppMessageBox(GraphTrimRefusedMsg, win::MB_ICONERROR);
  if (TrimRightOn && !GraphTrimRoutines.TrimRight(FSeries, RightX))
    fw::AppMessageBox(GraphTrimRefusedMsg, win::MB_ICONERROR);
}

}  // namespace workspace
