#include "mainwindow/GraphToolbar.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "framework/Forms.h"
#include "workspace/Common.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"
#include "workspace/GraphText.h"
#include "workspace/Operations.h"

namespace workspace {

namespace {

constexpr fw::Integer kTitleWidth = 160;

chart::TCustomSeries* LineOf(TGraph* Graph) {
  return Graph ? dynamic_cast<chart::TCustomSeries*>(Graph->Series()) : nullptr;
}

}  // namespace

TGraphToolbar::TGraphToolbar(TMainWindowBars& Bars, int Row) {
  FBar = Bars.AddToolbar("GraphToolbar", "График", toolbars::dpTop, Row, {});
  fw::TComponent* owner = FBar->Owner();
  FTitle = new TBarEdit(owner);
  FTitle->SetName("GraphTitleItem");
  FTitle->SetEditCaption("Название:");
  FTitle->SetEditWidth(kTitleWidth);
  FTitle->SetHint("Название графика");
  FTitle->OnAcceptText = [this](fw::TObject*, fw::String& Text, bool& Accept) { AcceptTitle(Text, Accept); };
  FColor = new TBarColor(owner);
  FColor->SetName("GraphColorItem");
  FColor->SetCaption("Цвет");
  FColor->SetHint("Цвет линии графика");
  FColor->OnClick = [this](fw::TObject*) { ChooseColor(); };
  FWidth = new TBarSpinEdit(owner);
  FWidth->SetName("GraphWidthItem");
  FWidth->SetEditCaption("Толщина:");
  FWidth->SetHint("Толщина линии графика");
  FWidth->SetMinValue(1);
  FWidth->SetMaxValue(GraphLineWidthMax);
  FWidth->SetIncrement(1);
  FWidth->SetValue(1);
  FWidth->OnValueChange = [this](fw::TObject*, auto) { WidthChanged(); };
  FBar->Items()->Add(FTitle);
  FBar->Items()->Add(FColor);
  FBar->Items()->Add(FWidth);
  Follow();
}

TGraph* TGraphToolbar::Current() const { return FGraphs ? FGraphs->Current() : nullptr; }

void TGraphToolbar::Follow() {
  TGraph* graph = Current();
  chart::TCustomSeries* line = LineOf(graph);
  FShowing = true;
  FTitle->SetText(line ? line->Title() : fw::String());
  if (line) {
    // The line draws in the series colour; the pen carries it for the binding.
    line->LinePen()->SetColor(line->SeriesColor());
    SyncPenToolbar(*this, *line->LinePen(), true);
  }
  FShowing = false;
  for (toolbars::TTBCustomItem* item : {static_cast<toolbars::TTBCustomItem*>(FTitle),
                                        static_cast<toolbars::TTBCustomItem*>(FColor),
                                        static_cast<toolbars::TTBCustomItem*>(FWidth)})
    item->SetEnabled(line != nullptr);
}

void TGraphToolbar::AcceptTitle(fw::String& Text, bool& Accept) {
  TGraph* graph = Current();
  if (!graph) {
    Accept = false;
    return;
  }
  try {
    FGraphs->Rename(graph, Text);
  } catch (const std::exception&) {
    // A blank title is refused; the item shows the graph's title again.
    Accept = false;
    Text = graph->Series()->Title();
  }
}

void TGraphToolbar::ChooseColor() {
  if (!LineOf(Current())) return;
  const fw::TColor chosen = SelectColor(FColor->Color());
  if (chosen == FColor->Color()) return;
  FColor->SetColor(chosen);
  StoreLine();
}

void TGraphToolbar::WidthChanged() {
  if (!FShowing) StoreLine();
}

void TGraphToolbar::StoreLine() {
  TGraph* graph = Current();
  chart::TCustomSeries* line = LineOf(graph);
  if (!line) return;
  const fw::String former = GraphFormatText(*graph);
  SyncPenToolbar(*this, *line->LinePen(), false);
  line->SetSeriesColor(line->LinePen()->Color());
  if (FGraphs->Operations() && GraphFormatText(*graph) != former)
    FGraphs->Operations()->AddOperation(opLineFormat, {std::int64_t(graph->Id()), former});
  FGraphs->Changed();
}

void SyncPenToolbar(TGraphToolbar& Container, chart::TChartPen& Pen, bool ToControls) {
  if (ToControls) {
    Container.FColor->SetColor(Pen.Color());
    Container.FWidth->SetValue(std::clamp<fw::Integer>(Pen.Width(), 1, GraphLineWidthMax));
    return;
  }
  Pen.SetColor(Container.FColor->Color());
  const auto width = Container.FWidth->Value();
  Pen.SetWidth(std::clamp<fw::Integer>(fw::Integer(std::lround(double(width))), 1, GraphLineWidthMax));
}

}  // namespace workspace
