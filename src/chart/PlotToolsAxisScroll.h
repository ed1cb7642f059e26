#pragma once
// Panning by dragging an axis: the graphs follow the mouse along the dragged axis, and every
// other axis of the same orientation that shares a series with it moves with it.

#include "chart/PlotTools.h"

namespace chart {

class TAxisScrollTool : public TPlotCustomToolAxis {
 public:
  explicit TAxisScrollTool(fw::TComponent* AOwner);
  ~TAxisScrollTool() override;

  bool ScrollInverted() const { return FScrollInverted; }
  void SetScrollInverted(bool Value) { FScrollInverted = Value; }
  // The axis being dragged (nullptr when none).
  TChartAxis* DragAxis() const { return FDragAxis; }

  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;

 protected:
  void ChartDestroying() override;

 private:
  // The tool's axis, or any visible axis, under the point.
  TChartAxis* AxisAt(Integer X, Integer Y) const;
  void ScrollByPixels(TChartAxis* Axis, Integer Delta) const;
  void DragTo(Integer X, Integer Y);

  bool FScrollInverted = false;
  TChartAxis* FDragAxis = nullptr;
  Integer FOldX = 0;
  Integer FOldY = 0;
};

}  // namespace chart
