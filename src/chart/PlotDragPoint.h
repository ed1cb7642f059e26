#pragma once
// Moves a point of a series with the mouse: its X, its Y or both follow the pointer.

#include <functional>

#include "chart/PlotTools.h"

namespace chart {

enum TDragPointStyle { dsX, dsY, dsBoth };

class TDragPointTool;
using TDragPointToolEvent = std::function<void(TDragPointTool* Sender, Integer Index)>;

class TDragPointTool : public TPlotCustomToolSeries {
 public:
  explicit TDragPointTool(fw::TComponent* AOwner);
  ~TDragPointTool() override;

  TDragPointStyle DragStyle() const { return FDragStyle; }
  void SetDragStyle(TDragPointStyle Value) { FDragStyle = Value; }
  // The point held by the mouse (-1 when none).
  Integer DragIndex() const { return FDragIndex; }

  void SetSeries(TChartSeries* Value) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TDragPointToolEdit"; }

  // After each move of the held point.
  TDragPointToolEvent OnDragPoint;

 private:
  TDragPointStyle FDragStyle = dsBoth;
  Integer FDragIndex = -1;
};

}  // namespace chart
