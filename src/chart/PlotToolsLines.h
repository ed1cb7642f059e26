#pragma once
// Tools that draw over the plot and follow the mouse: a line at an axis value that can be
// dragged (colour line), a mark on the point nearest the mouse (nearest point), and turning the
// 3D view by dragging (rotate).

#include <functional>
#include <memory>

#include "chart/PlotTools.h"

namespace chart {

enum TColorLineStyle { clCustom, clMaximum, clCenter, clMinimum };

class TColorLineTool;
using TColorLineToolOnDrag = std::function<void(TColorLineTool* Sender)>;

class TColorLineTool : public TPlotCustomToolAxis {
 public:
  explicit TColorLineTool(fw::TComponent* AOwner);
  ~TColorLineTool() override;

  bool AllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool Value) { FAllowDrag = Value; }
  bool DragRepaint() const { return FDragRepaint; }
  void SetDragRepaint(bool Value) { FDragRepaint = Value; }
  bool DrawBehind() const { return FDrawBehind; }
  void SetDrawBehind(bool Value) { Store(FDrawBehind, Value); }
  bool Draw3D() const { return FDraw3D; }
  void SetDraw3D(bool Value) { Store(FDraw3D, Value); }
  bool NoLimitDrag() const { return FNoLimitDrag; }
  void SetNoLimitDrag(bool Value) { FNoLimitDrag = Value; }
  TColorLineStyle Style() const { return FStyle; }
  void SetStyle(TColorLineStyle Value) { Store(FStyle, Value); }
  double Value() const { return FValue; }
  void SetValue(double AValue) { Store(FValue, AValue); }
  // The value the line stands at by its style.
  double LineValue() const;
  // The pointer lies within less than 3 pixels of the line, inside the plot.
  bool Clicked(Integer X, Integer Y) const;
  bool Dragging() const { return FDragging; }

  void HandleChartEvent(TChartToolEvent Kind) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TColorLineToolEditor"; }

  TColorLineToolOnDrag OnBeginDragLine;
  TColorLineToolOnDrag OnDragLine;
  TColorLineToolOnDrag OnEndDragLine;

 private:
  Integer LinePixel() const;
  void DrawLine(fw::TCanvas& Canvas, bool Xor) const;

  bool FAllowDrag = true;
  bool FDragRepaint = false;
  bool FDraw3D = true;
  bool FDrawBehind = false;
  bool FNoLimitDrag = false;
  TColorLineStyle FStyle = clCustom;
  double FValue = 0;
  bool FDragging = false;
};

enum TNearestToolStyle { hsNone, hsCircle, hsRectangle, hsDiamond };

class TNearestTool : public TPlotCustomToolSeries {
 public:
  explicit TNearestTool(fw::TComponent* AOwner);
  ~TNearestTool() override;

  bool DrawLine() const { return FDrawLine; }
  void SetDrawLine(bool Value) { Store(FDrawLine, Value); }
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  TChartPen* LinePen() const { return FLinePen.get(); }
  Integer Size() const { return FSize; }
  void SetSize(Integer Value) { Store(FSize, Value); }
  TNearestToolStyle Style() const { return FStyle; }
  void SetStyle(TNearestToolStyle Value) { Store(FStyle, Value); }
  // The point marked (-1 when none).
  Integer Point() const { return FPoint; }
  // The visible point nearest to the pixel (-1 when none lies within 10000 pixels).
  Integer NearestPoint(Integer X, Integer Y) const;

  void HandleChartEvent(TChartToolEvent Kind) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TNearestToolEdit"; }

  fw::TNotifyEvent OnChange;

 private:
  void DrawMark(fw::TCanvas& Canvas) const;
  void XorMark();

  bool FDrawLine = true;
  bool FFullRepaint = true;
  std::unique_ptr<TChartPen> FLinePen;
  Integer FSize = 20;
  TNearestToolStyle FStyle = hsCircle;
  Integer FPoint = -1;
  fw::TPoint FMouse{};
};

enum TRotateToolStyle { rsAll, rsRotation, rsElevation };

class TRotateTool : public TPlotCustomTool {
 public:
  explicit TRotateTool(fw::TComponent* AOwner);
  ~TRotateTool() override;

  fw::TMouseButton Button() const { return FButton; }
  void SetButton(fw::TMouseButton Value) { FButton = Value; }
  bool Inverted() const { return FInverted; }
  void SetInverted(bool Value) { FInverted = Value; }
  TRotateToolStyle Style() const { return FStyle; }
  void SetStyle(TRotateToolStyle Value) { FStyle = Value; }

  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TRotateToolEditor"; }

  fw::TNotifyEvent OnRotate;

 private:
  fw::TMouseButton FButton = fw::mbLeft;
  bool FInverted = false;
  TRotateToolStyle FStyle = rsAll;
  bool FDragging = false;
  fw::TPoint FLast{};
};

}  // namespace chart
