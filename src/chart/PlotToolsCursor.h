#pragma once
// A cursor of a horizontal line, a vertical line or both over the plot area, drawn in XOR so
// that drawing it again erases it. It reports its pixel position and axis values on every
// change, snapped to the nearest point of its series when Snap is on; it follows the mouse
// (FollowMouse) or is dragged by its lines.

#include <functional>

#include "chart/PlotTools.h"

namespace chart {

enum TCursorToolStyle { cssHorizontal, cssVertical, cssBoth };

class TCursorTool;
using TCursorToolChangeEvent = std::function<void(TCursorTool* Sender, Integer X, Integer Y, double XValue,
                                                  double YValue, TChartSeries* Series, Integer ValueIndex)>;

class TCursorTool : public TPlotCustomToolSeries {
 public:
  explicit TCursorTool(fw::TComponent* AOwner);
  ~TCursorTool() override;

  bool FollowMouse() const { return FFollowMouse; }
  void SetFollowMouse(bool Value) { FFollowMouse = Value; }
  bool Snap() const { return FSnap; }
  void SetSnap(bool Value) { FSnap = Value; }
  TCursorToolStyle Style() const { return FStyle; }
  void SetStyle(TCursorToolStyle Value);
  bool UseSeriesZ() const { return FUseSeriesZ; }
  void SetUseSeriesZ(bool Value) { Store(FUseSeriesZ, Value); }
  void SetSeries(TChartSeries* Value) override;
  // The lines span the chart's whole plot rectangle instead of the axes' extent.
  bool SpanPlotArea() const { return FSpanPlotArea; }
  void SetSpanPlotArea(bool Value) { Store(FSpanPlotArea, Value); }

  double XValue() const { return FXValue; }
  void SetXValue(double Value) { FXValue = Value; }
  double YValue() const { return FYValue; }
  void SetYValue(double Value) { FYValue = Value; }
  // Pixels; -1 until the cursor is first placed.
  Integer XPos() const { return FXPos; }
  Integer YPos() const { return FYPos; }
  Integer LastSnapIndex() const { return FLastSnapIndex; }
  // 0 no drag, 1 the horizontal line, 2 the vertical line, 3 their crossing.
  Integer DragPart() const { return FDragPart; }

  // Snaps the values to the nearest point (Snap on, a series set); its index or -1.
  Integer SnapToPoint();
  // The visible point nearest to the values by the style's distance (axis units); -1 for none.
  Integer NearestPoint() const;
  // Which line part lies at (X, Y): 0 none, 1 horizontal, 2 vertical, 3 crossing.
  Integer LinePartAt(Integer X, Integer Y) const;

  void HandleChartEvent(TChartToolEvent Kind) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TCursorToolEditor"; }

  TCursorToolChangeEvent OnChange;
  // Only when the snapped point changes.
  TCursorToolChangeEvent OnSnapChange;
  // May change the axes' rectangle (lines, hit test, the area the mouse moves in) each time it
  // is used; not called while SpanPlotArea is on.
  std::function<void(const TCursorTool* Sender, fw::TRect& Rect)> OnAdjustAxesRect;

 protected:
  virtual void Changed(Integer ValueIndex);

 private:
  bool AxesReady() const;
  fw::TRect AxesRect() const;
  fw::TPoint ToPlane(Integer X, Integer Y) const;
  void CalcScreenPositions();
  void CalcValues(Integer X, Integer Y);
  // The lines on the window, in XOR: the second call at the same place takes them away.
  void RedrawCursor();
  void Repaint();

  bool FFollowMouse = false;
  bool FSnap = false;
  TCursorToolStyle FStyle = cssBoth;
  bool FUseSeriesZ = false;
  bool FSpanPlotArea = false;
  double FXValue = 0;
  double FYValue = 0;
  Integer FXPos = -1;
  Integer FYPos = -1;
  Integer FLastSnapIndex = -1;
  Integer FDragPart = 0;
};

}  // namespace chart
