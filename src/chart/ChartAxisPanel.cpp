// The axis panel: series list and its events, the axes, the tools, the paint protocol.
#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotTools.h"

namespace chart {

namespace {
// Room between the panel's edge and what is drawn on it.
constexpr Integer PanelMargin = 10;
}  // namespace

TCustomAxisPanel::TCustomAxisPanel(fw::TComponent* AOwner)
    : TCustomPlotPanelExtended(AOwner), FView3D(std::make_unique<TView3DSettings>()) {
  NewAxis(true, false);   // bottom
  NewAxis(true, true);    // top
  NewAxis(false, false);  // left
  NewAxis(false, true);   // right
  NewAxis(true, false)->SetVisible(false);  // depth
  NewAxis(true, true)->SetVisible(false);   // depth top
}

TCustomAxisPanel::~TCustomAxisPanel() {
  SetAutoRepaint(false);
  for (TPlotCustomTool* tool : FTools) tool->ChartDestroying();
  FTools.clear();
  for (TChartSeries* s : FSeriesList) {
    s->RemoveListener(this);
    s->RemoveFreeNotification(this);
  }
  // The series forget the chart without calling back.
  const TChartSeriesList keep = FSeriesList;
  FSeriesList.Clear();
  for (TChartSeries* s : keep) s->SetParentChart(nullptr);
}

TChartAxis* TCustomAxisPanel::NewAxis(bool Horizontal, bool OtherSide) {
  auto axis = std::make_unique<TChartAxis>(Horizontal);
  axis->SetOtherSide(OtherSide);
  axis->SetSeriesList(&FSeriesList);
  axis->SetParentChart(this);
  axis->OnChange = [this](fw::TObject* Sender) { AxisChanged(Sender); };
  FAxesList.push_back(axis.get());
  FAxes.push_back(std::move(axis));
  return FAxesList.back();
}

TChartAxis* TCustomAxisPanel::AddCustomAxis(bool Horizontal) { return NewAxis(Horizontal, false); }

void TCustomAxisPanel::AxisChanged(fw::TObject*) { Invalidate(); }

void TCustomAxisPanel::AddSeries(TChartSeries* Series) {
  if (!Series) return;
  if (Series->ParentChart() != this) {
    Series->SetParentChart(this);  // leaves the old chart, then comes back here
    return;
  }
  if (FSeriesList.IndexOf(Series) >= 0) return;
  FSeriesList.Add(Series);
  if (!Series->HorizAxis()) Series->SetHorizAxis(BottomAxis());
  if (!Series->VertAxis()) Series->SetVertAxis(LeftAxis());
  Series->AddListener(this);
  Series->FreeNotification(this);
  Broadcast(Series, seAdd);
  Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* Series) {
  if (!Series) return;
  if (Series->ParentChart() == this) {
    Series->SetParentChart(nullptr);  // comes back here
    return;
  }
  if (FSeriesList.IndexOf(Series) < 0) return;
  FSeriesList.Remove(Series);
  Series->RemoveListener(this);
  Series->RemoveFreeNotification(this);
  Broadcast(Series, seRemove);
  Invalidate();
}

void TCustomAxisPanel::ExchangeSeries(TChartSeries* Series1, TChartSeries* Series2) {
  const Integer a = FSeriesList.IndexOf(Series1), b = FSeriesList.IndexOf(Series2);
  if (a < 0 || b < 0 || a == b) return;
  FSeriesList.Exchange(a, b);
  Broadcast(Series1, seSwap);
  Invalidate();
}

void TCustomAxisPanel::AddListener(TChartSeriesListener* Listener) {
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TCustomAxisPanel::RemoveListener(TChartSeriesListener* Listener) {
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), Listener), FListeners.end());
}

void TCustomAxisPanel::Broadcast(TChartSeries* Series, TChartSeriesEvent Event) {
  // A copy: a listener may remove itself while it is told.
  const std::vector<TChartSeriesListener*> listeners = FListeners;
  for (TChartSeriesListener* l : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), l) != FListeners.end()) l->SeriesEvent(Series, Event);
}

void TCustomAxisPanel::SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) {
  Broadcast(Series, Event);
  Invalidate();
}

void TCustomAxisPanel::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  if (Operation == fw::opRemove) {
    // A series being freed: only its pointer is compared, it is not called.
    const Integer i = FSeriesList.IndexOf(static_cast<TChartSeries*>(AComponent));
    if (i >= 0) {
      FSeriesList.Delete(i);
      Broadcast(static_cast<TChartSeries*>(AComponent), seRemove);
      Invalidate();
    }
  }
  TCustomPlotPanelExtended::Notification(AComponent, Operation);
}

double TCustomAxisPanel::MinimumXOnAxis(const TChartAxis* Axis) const { return chart::MinimumXOnAxis(FSeriesList, Axis); }
double TCustomAxisPanel::MaximumXOnAxis(const TChartAxis* Axis) const { return chart::MaximumXOnAxis(FSeriesList, Axis); }

void TCustomAxisPanel::AddTool(TPlotCustomTool* Tool) {
  if (Tool && std::find(FTools.begin(), FTools.end(), Tool) == FTools.end()) {
    FTools.push_back(Tool);
    Invalidate();
  }
}

void TCustomAxisPanel::RemoveTool(TPlotCustomTool* Tool) {
  const auto it = std::find(FTools.begin(), FTools.end(), Tool);
  if (it == FTools.end()) return;
  FTools.erase(it);
  Invalidate();
}

bool TCustomAxisPanel::View3D() const { return FView3D->View3D; }

void TCustomAxisPanel::SetView3D(bool Value) {
  if (FView3D->View3D == Value) return;
  FView3D->View3D = Value;
  Invalidate();
}

void TCustomAxisPanel::BroadcastToolEvent(Integer Kind) {
  const std::vector<TPlotCustomTool*> tools = FTools;
  for (TPlotCustomTool* tool : tools)
    if (std::find(FTools.begin(), FTools.end(), tool) != FTools.end() && tool->Active())
      tool->HandleChartEvent(TChartToolEvent(Kind));
}

void TCustomAxisPanel::CalcTitlesAndLegend(TPlotCanvas3D&, TRect&) {}
void TCustomAxisPanel::DrawWalls(TPlotCanvas3D&, const TRect&) {}
void TCustomAxisPanel::DrawTitlesAndLegend(TPlotCanvas3D&) {}

void TCustomAxisPanel::InternalDraw(TPlotCanvas3D& Canvas, const TRect& R) {
  TCustomPlotPanelExtended::InternalDraw(Canvas, R);
  Canvas.View() = *FView3D;
  BroadcastToolEvent(cteBeforeDraw);
  TRect plot{R.left + PanelMargin, R.top + PanelMargin, R.right - PanelMargin, R.bottom - PanelMargin};
  CalcTitlesAndLegend(Canvas, plot);
  for (TChartAxis* axis : FAxesList) axis->AdjustMaxMin();
  for (TChartAxis* axis : FAxesList) axis->SetPlotRect(plot);
  FChartRect = plot;
  BroadcastToolEvent(cteBeforeDrawAxes);
  DrawWalls(Canvas, plot);
  BroadcastToolEvent(cteBeforeDrawSeries);
  for (TChartSeries* s : FSeriesList)
    if (s->Active()) s->DrawAllValues(Canvas);
  BroadcastToolEvent(cteAfterDrawSeries);
  DrawTitlesAndLegend(Canvas);
  BroadcastToolEvent(cteAfterDraw);
}

bool TCustomAxisPanel::ToolsMouse(Integer Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                                  Integer Y) {
  SetCancelMouse(false);
  const std::vector<TPlotCustomTool*> tools = FTools;
  for (TPlotCustomTool* tool : tools) {
    if (std::find(FTools.begin(), FTools.end(), tool) == FTools.end() || !tool->Active()) continue;
    tool->HandleMouseEvent(TChartMouseEvent(Kind), Button, Shift, X, Y);
    if (CancelMouse()) return false;
  }
  return true;
}

void TCustomAxisPanel::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  FCursorPos = fw::TPoint{X, Y};
  ToolsMouse(cmeDown, Button, Shift, X, Y);
  TCustomPlotPanelExtended::MouseDown(Button, Shift, X, Y);
}

void TCustomAxisPanel::MouseMove(fw::TShiftState Shift, Integer X, Integer Y) {
  FCursorPos = fw::TPoint{X, Y};
  ToolsMouse(cmeMove, fw::mbLeft, Shift, X, Y);
  TCustomPlotPanelExtended::MouseMove(Shift, X, Y);
}

void TCustomAxisPanel::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  FCursorPos = fw::TPoint{X, Y};
  ToolsMouse(cmeUp, Button, Shift, X, Y);
  TCustomPlotPanelExtended::MouseUp(Button, Shift, X, Y);
}

void TCustomAxisPanel::CMMouseLeave(fw::TMessage& Message) {
  BroadcastToolEvent(cteMouseLeave);
  TCustomPlotPanelExtended::CMMouseLeave(Message);
}

void TCustomAxisPanel::ZoomRect(const TRect&) {}
void TCustomAxisPanel::UndoZoom() {}
void TCustomAxisPanel::DrawZoomFrame() {}
void TCustomAxisPanel::ScrollAxes(Integer, Integer) {}

}  // namespace chart
