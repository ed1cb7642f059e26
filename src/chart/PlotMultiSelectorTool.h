#pragma once
// The tool through which graphs and chart elements are selected on the chart. Its list of
// selected series is what the operations on selected graphs act on; its record of the last
// clicked part tells the owner which element a double-click or a delete means. It draws square
// handles on the selection and drags the legend and the titles by the mouse.

#include "chart/Chart.h"
#include "chart/PlotTools.h"

namespace chart {

class TPlotCustomShapePosition;
class TChartWall;
class TAnnotationTool;

class TMultiSelectorTool : public TPlotCustomTool, private TChartSeriesListener {
 public:
  explicit TMultiSelectorTool(fw::TComponent* AOwner);
  ~TMultiSelectorTool() override;

  void SetParentChart(TCustomAxisPanel* Value) override;
  // A selected annotation that is freed leaves the selection.
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  bool AllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool Value) { FAllowDrag = Value; }
  bool AllowResizeChart() const { return FAllowResizeChart; }
  void SetAllowResizeChart(bool Value) { FAllowResizeChart = Value; }
  // Half the side of a handle square, in pixels.
  Integer HandleSize() const { return FHandleSize; }
  void SetHandleSize(Integer Value);

  // The selected series in selection order (not owned).
  const TChartSeriesList& SelectedSeries() const { return FSelectedSeries; }
  const TSelectorClickedPart& ClickedPart() const { return FClickedPart; }
  TPlotCustomShapePosition* SelectedShape() const { return FSelectedShape; }
  TChartWall* SelectedWall() const { return FSelectedWall; }
  // The annotation whose box the last press hit (its shape is the selected shape).
  TAnnotationTool* SelectedAnnotation() const { return FSelectedAnnotation; }

  // The focused series (nullptr when none). Setting one makes it the only selected series.
  TChartSeries* Series() const { return FClickedPart.Series; }
  void SetSeries(TChartSeries* Value) { SelectSeries(Value); }
  void SelectSeries(TChartSeries* Value);
  void SelectAll();
  void InvertSelection();
  // Deselects whatever is selected; tells OnSelected only when something was.
  void ClearSelection();

  void HandleChartEvent(TChartToolEvent Kind) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;

  fw::TNotifyEvent OnDragged;
  fw::TNotifyEvent OnDragging;
  fw::TNotifyEvent OnResized;
  fw::TNotifyEvent OnResizing;
  fw::TNotifyEvent OnSelected;

 protected:
  // Repaints the chart and tells OnSelected.
  virtual void DoSelected();
  void ChartDestroying() override;

 private:
  // A series that leaves the chart leaves the selection too.
  void SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) override;
  void ResetSelection();
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y);
  void MouseMove(Integer X, Integer Y);
  void ProbeParts(TCustomChart& Chart, Integer X, Integer Y);
  void DrawHandle(TPlotCanvas3D& Canvas, Integer X, Integer Y, Integer Z) const;
  void DrawCorners(TPlotCanvas3D& Canvas, const win::RECT& R) const;
  void DrawSeriesHandles(TPlotCanvas3D& Canvas, TChartSeries& Series, bool Marks) const;

  bool FAllowDrag = true;
  bool FAllowResizeChart = false;
  Integer FHandleSize = 3;
  TChartSeriesList FSelectedSeries;
  TChartSeriesList FPreviousSelection;
  TSelectorClickedPart FClickedPart;
  TPlotCustomShapePosition* FSelectedShape = nullptr;
  TChartWall* FSelectedWall = nullptr;
  TAnnotationTool* FSelectedAnnotation = nullptr;
  bool FDragging = false;
  bool FDragMoved = false;
  Integer FDragOffsetX = 0;
  Integer FDragOffsetY = 0;
  bool FResizingChart = false;
  bool FChartResized = false;
};

}  // namespace chart
