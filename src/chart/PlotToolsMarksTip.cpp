// The marks tip tool.
#include "chart/PlotToolsMarksTip.h"

#include "chart/Chart.h"
#include "framework/Forms.h"

namespace chart {

TMarksTipTool::TMarksTipTool(fw::TComponent* AOwner) : TPlotCustomToolSeries(AOwner) {}

TMarksTipTool::~TMarksTipTool() = default;

String TMarksTipTool::Description() const { return "Mark Tips"; }

void TMarksTipTool::SetActive(bool Value) {
  TPlotCustomToolSeries::SetActive(Value);
  if (!Value) ClearHint();
}

void TMarksTipTool::SetMouseAction(TMarkToolMouseAction Value) {
  FMouseAction = Value;
  ClearHint();
}

Integer TMarksTipTool::MouseDelay() const { return fw::Application ? fw::Application->HintPause() : 0; }

void TMarksTipTool::SetMouseDelay(Integer Value) {
  if (fw::Application) fw::Application->SetHintPause(Value);
}

void TMarksTipTool::ClearHint() {
  FTipShown = false;
  TCustomAxisPanel* chart = Series() && Series()->ParentChart() ? Series()->ParentChart() : ParentChart();
  if (chart) chart->SetHint({});
}

void TMarksTipTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomToolSeries::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  if (Kind != cteAfterDraw || !FTipShown || !chart || chart->Hint() != FTipText) return;
  Integer index = -1;
  TChartSeries* series = SeriesAt(FTipAt.x, FTipAt.y, index);
  String text;
  if (series && series->Marks()) {
    text = TipText(*series, index);
    if (OnGetText) OnGetText(this, text);
  }
  if (text == FTipText) return;
  ClearHint();
  if (fw::Application) fw::Application->CancelHint();
}

TChartSeries* TMarksTipTool::SeriesAt(Integer X, Integer Y, Integer& Index) const {
  Index = -1;
  if (Series()) {
    Index = Series()->PointAt(X, Y);
    return Index >= 0 ? Series() : nullptr;
  }
  // The series drawn last lies on top.
  for (Integer i = ParentChart()->SeriesCount() - 1; i >= 0; --i) {
    TChartSeries* s = ParentChart()->Series(i);
    if (!s->Active()) continue;
    Index = s->PointAt(X, Y);
    if (Index >= 0) return s;
  }
  return nullptr;
}

String TMarksTipTool::TipText(TChartSeries& Series, Integer Index) {
  // The text is the mark's in this tool's style: the style is borrowed without a repaint.
  struct Borrow {
    TCustomAxisPanel* chart;
    TSeriesMarks* marks;
    bool repaint = chart->AutoRepaint();
    TSeriesMarksStyle style = marks->Style();
    ~Borrow() {
      marks->SetStyle(style);
      chart->SetAutoRepaint(repaint);
    }
  } borrow{ParentChart(), Series.Marks()};
  borrow.chart->SetAutoRepaint(false);
  borrow.marks->SetStyle(FStyle);
  return Series.MarkText(Index);
}

void TMarksTipTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                     Integer X, Integer Y) {
  TPlotCustomToolSeries::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  if (!(Kind == cmeMove && FMouseAction == mtmMove) && !(Kind == cmeDown && FMouseAction == mtmClick)) return;
  Integer index = -1;
  TChartSeries* series = SeriesAt(X, Y, index);
  if (series && series->Marks()) {
    String text = TipText(*series, index);
    if (OnGetText) OnGetText(this, text);
    if (text == chart->Hint()) return;  // the tip already shows it
    chart->SetShowHint(true);
    chart->SetHint(text);
    FTipShown = true;
    FTipText = text;
    FTipAt = fw::TPoint{X, Y};
    if (fw::Application) fw::Application->ActivateHint(chart->ClientToScreen(fw::TPoint{X, Y}));
    return;
  }
  // Another marks tip tool on the chart may be showing its own tip.
  for (TPlotCustomTool* tool : chart->Tools())
    if (tool != this && dynamic_cast<TMarksTipTool*>(tool)) return;
  FTipShown = false;
  chart->SetHint({});
  if (fw::Application) fw::Application->CancelHint();
}

}  // namespace chart
