// Tool bases: membership in a chart's tool list, the series and axis links.
#include "chart/PlotTools.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"

namespace chart {

TColor XorColorOver(const TCustomAxisPanel& Chart, TColor Color) {
  TColor back = Chart.Color();
  if (back == clTeeColor) back = fw::clBtnFace;
  return fw::ColorToRGB(Color) ^ fw::ColorToRGB(back);
}

TPlotCustomTool::TPlotCustomTool(fw::TComponent* AOwner) : TCustomChartElement(AOwner) {}

TPlotCustomTool::~TPlotCustomTool() {
  if (ParentChart()) ParentChart()->RemoveTool(this);
}

void TPlotCustomTool::SetParentChart(TCustomAxisPanel* Value) {
  if (Value == ParentChart()) return;
  if (ParentChart()) ParentChart()->RemoveTool(this);
  TCustomChartElement::SetParentChart(Value);
  if (Value) Value->AddTool(this);
}

void TPlotCustomTool::HandleChartEvent(TChartToolEvent) {}
void TPlotCustomTool::HandleMouseEvent(TChartMouseEvent, fw::TMouseButton, fw::TShiftState, Integer, Integer) {}
String TPlotCustomTool::Description() const { return {}; }

TPlotCustomToolSeries::TPlotCustomToolSeries(fw::TComponent* AOwner) : TPlotCustomTool(AOwner) {}

TPlotCustomToolSeries::~TPlotCustomToolSeries() {
  if (FSeries) FSeries->RemoveFreeNotification(this);
}

void TPlotCustomToolSeries::SetSeries(TChartSeries* Value) {
  if (FSeries == Value) return;
  if (FSeries) FSeries->RemoveFreeNotification(this);
  FSeries = Value;
  if (FSeries) FSeries->FreeNotification(this);
  InvalidateChart();
}

TChartAxis* TPlotCustomToolSeries::HorizontalAxis() const {
  if (FSeries && FSeries->HorizAxis()) return FSeries->HorizAxis();
  return ParentChart() ? ParentChart()->BottomAxis() : nullptr;
}

TChartAxis* TPlotCustomToolSeries::VerticalAxis() const {
  if (FSeries && FSeries->VertAxis()) return FSeries->VertAxis();
  return ParentChart() ? ParentChart()->LeftAxis() : nullptr;
}

void TPlotCustomToolSeries::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  if (Operation == fw::opRemove && AComponent == FSeries) FSeries = nullptr;
  TPlotCustomTool::Notification(AComponent, Operation);
}

TPlotCustomToolAxis::TPlotCustomToolAxis(fw::TComponent* AOwner) : TPlotCustomTool(AOwner) {}

TPlotCustomToolAxis::~TPlotCustomToolAxis() = default;

void TPlotCustomToolAxis::SetAxis(TChartAxis* Value) {
  FAxis = Value;
  if (FAxis && FAxis->ParentChart()) SetParentChart(FAxis->ParentChart());
  InvalidateChart();
}

Integer TPlotCustomToolAxis::AxisID() const {
  if (!FAxis || !ParentChart()) return -1;
  const auto& axes = ParentChart()->AxesList();
  const auto it = std::find(axes.begin(), axes.end(), FAxis);
  return it == axes.end() ? -1 : Integer(it - axes.begin());
}

void TPlotCustomToolAxis::SetAxisID(Integer Value) {
  TChartAxis* axis = nullptr;
  if (ParentChart() && Value >= 0 && Value < Integer(ParentChart()->AxesList().size()))
    axis = ParentChart()->AxesList()[std::size_t(Value)];
  SetAxis(axis);
}

void TPlotCustomToolAxis::SetParentChart(TCustomAxisPanel* Value) {
  // An axis of another chart does not stay with a tool that moves away from it.
  if (FAxis && FAxis->ParentChart() != Value) FAxis = nullptr;
  TPlotCustomTool::SetParentChart(Value);
}

void TPlotCustomToolAxis::ChartDestroying() {
  FAxis = nullptr;
  TPlotCustomTool::ChartDestroying();
}

}  // namespace chart
