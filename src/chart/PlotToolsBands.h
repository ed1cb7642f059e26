#pragma once
// Bands across the plot: a band between two values of an axis whose edges can be dragged
// (colour band), and alternate fills between the grid lines of an axis (grid band).

#include <functional>
#include <memory>

#include "chart/PlotCanvas.h"
#include "chart/PlotTools.h"

namespace chart {

class TPlotGradient;

class TColorBandTool;
using TColorBandClickEvent = std::function<void(TColorBandTool* Sender, fw::TMouseButton Button,
                                                fw::TShiftState Shift, Integer X, Integer Y)>;

class TColorBandTool : public TPlotCustomToolAxis {
 public:
  explicit TColorBandTool(fw::TComponent* AOwner);
  ~TColorBandTool() override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { Store(FColor, Value); }
  fw::TCursor Cursor() const { return FCursor; }
  void SetCursor(fw::TCursor Value) { FCursor = Value; }
  bool DrawBehind() const { return FDrawBehind; }
  void SetDrawBehind(bool Value) { Store(FDrawBehind, Value); }
  bool DrawBehindAxes() const { return FDrawBehindAxes; }
  void SetDrawBehindAxes(bool Value) { Store(FDrawBehindAxes, Value); }
  double StartValue() const { return FStartValue; }
  void SetStartValue(double Value) { Store(FStartValue, Value); }
  double EndValue() const { return FEndValue; }
  void SetEndValue(double Value) { Store(FEndValue, Value); }
  // The edges are dragged by the mouse when these are set.
  bool ResizeStart() const { return FResizeStart; }
  void SetResizeStart(bool Value) { FResizeStart = Value; }
  bool ResizeEnd() const { return FResizeEnd; }
  void SetResizeEnd(bool Value) { FResizeEnd = Value; }
  Integer Transparency() const { return FTransparency; }
  void SetTransparency(Integer Value) { Store(FTransparency, Value); }
  TChartPen* StartLinePen() const { return FStartLinePen.get(); }
  TChartPen* EndLinePen() const { return FEndLinePen.get(); }
  TPlotGradient* Gradient() const { return FGradient.get(); }

  // The band's pixels: between the two values along the axis, across the whole plot.
  fw::TRect BandRect() const;

  void HandleChartEvent(TChartToolEvent Kind) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TColorBandToolEditor"; }

  TColorBandClickEvent OnClick;

 private:
  // 1 the start edge, 2 the end edge under the point (only those that may be dragged).
  Integer EdgeAt(Integer X, Integer Y) const;

  TColor FColor = fw::clWhite;
  fw::TCursor FCursor = fw::crDefault;
  bool FDrawBehind = true;
  bool FDrawBehindAxes = false;
  double FStartValue = 0;
  double FEndValue = 0;
  bool FResizeStart = false;
  bool FResizeEnd = false;
  Integer FTransparency = 0;
  std::unique_ptr<TChartPen> FStartLinePen;
  std::unique_ptr<TChartPen> FEndLinePen;
  std::unique_ptr<TPlotGradient> FGradient;
  Integer FDragEdge = 0;
};

// A chart brush with the colour behind its hatch ($1FFFFFFF: the back wall's) and a blending.
class TGridBandBrush : public TChartBrush {
 public:
  TColor BackColor = fw::clNone;
  Integer Transparency = 0;
};

class TGridBandTool : public TPlotCustomToolAxis {
 public:
  explicit TGridBandTool(fw::TComponent* AOwner);
  ~TGridBandTool() override;

  // Hooks the axis' grid drawing (and unhooks the previous axis).
  void SetAxis(TChartAxis* Value) override;
  TGridBandBrush* Band1() const { return FBand1.get(); }
  TGridBandBrush* Band2() const { return FBand2.get(); }
  String Description() const override;
  String GetEditorClassName() const override { return "TGridBandToolEdit"; }

 protected:
  void ChartDestroying() override;

 private:
  void Hook(bool On);
  void DrawBands(TChartAxis& Axis, TPlotCanvas3D& Canvas);

  std::unique_ptr<TGridBandBrush> FBand1;
  std::unique_ptr<TGridBandBrush> FBand2;
  TChartAxis* FHooked = nullptr;
};

}  // namespace chart
