// The stored properties of the chart tool classes, so that a chart stream holding a tool reads
// back with its settings. Events are never stored; pens, brushes and gradients are owned objects
// whose own properties are stored under the tool's.
#include <mutex>

#include "chart/ChartStreaming.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotDragPoint.h"
#include "chart/PlotToolsAnnotation.h"
#include "chart/PlotToolsAxisArrow.h"
#include "chart/PlotToolsAxisScroll.h"
#include "chart/PlotToolsBands.h"
#include "chart/PlotToolsCursor.h"
#include "chart/PlotToolsDrawLine.h"
#include "chart/PlotToolsLines.h"
#include "chart/PlotToolsMarksTip.h"
#include "chart/PlotToolsRegistration.h"
#include "chart/PlotToolsSeries.h"
#include "framework/GraphicsPicture.h"
#include "framework/PropInfo.h"

namespace chart {

using fw::FieldProp;
using fw::ObjectProp;
using fw::Prop;
using fw::RegisterProperties;

namespace {

const std::vector<String> kMouseButtonNames = {"mbLeft", "mbRight", "mbMiddle"};
// The application's hint pause as the program starts (milliseconds).
constexpr Integer kUsualHintPause = 500;

void RegisterSeriesTools() {
  using C = TCursorTool;
  RegisterProperties<C, TPlotCustomToolSeries>({
      Prop("FollowMouse", &C::FollowMouse, &C::SetFollowMouse).Default(false),
      Prop("Snap", &C::Snap, &C::SetSnap).Default(false),
      Prop("Style", &C::Style, &C::SetStyle).Names({"cssHorizontal", "cssVertical", "cssBoth"}).Default(cssBoth),
      Prop("UseSeriesZ", &C::UseSeriesZ, &C::SetUseSeriesZ).Default(false),
  });
  RegisterProperties<TDrawLine>({
      FieldProp("Style", &TDrawLine::Style).Names({"dlLine", "dlHorizParallel", "dlVertParallel"}).Default(dlLine),
      FieldProp("X0", &TDrawLine::X0),
      FieldProp("Y0", &TDrawLine::Y0),
      FieldProp("X1", &TDrawLine::X1),
      FieldProp("Y1", &TDrawLine::Y1),
  });
  using D = TDrawLineTool;
  RegisterProperties<D, TPlotCustomToolSeries>({
      Prop("Button", &D::Button, &D::SetButton).Names(kMouseButtonNames).Default(fw::mbLeft),
      Prop("EnableDraw", &D::EnableDraw, &D::SetEnableDraw).Default(true),
      Prop("EnableSelect", &D::EnableSelect, &D::SetEnableSelect).Default(true),
      ObjectProp("Lines", &D::Lines),
  });
  using N = TNearestTool;
  RegisterProperties<N, TPlotCustomToolSeries>({
      Prop("DrawLine", &N::DrawLine, &N::SetDrawLine).Default(true),
      Prop("FullRepaint", &N::FullRepaint, &N::SetFullRepaint).Default(true),
      ObjectProp("LinePen", &N::LinePen),
      Prop("Size", &N::Size, &N::SetSize).Default(20),
      Prop("Style", &N::Style, &N::SetStyle).Names({"hsNone", "hsCircle", "hsRectangle", "hsDiamond"}).Default(hsCircle),
  });
  RegisterProperties<TChartImageTool, TPlotCustomToolSeries>({
      ObjectProp("Picture", &TChartImageTool::Picture),
  });
  using M = TMarksTipTool;
  RegisterProperties<M, TPlotCustomToolSeries>({
      Prop("MouseAction", &M::MouseAction, &M::SetMouseAction).Names({"mtmMove", "mtmClick"}).Default(mtmMove),
      // The application's hint pause: stored only when it differs from the usual one.
      Prop("MouseDelay", &M::MouseDelay, &M::SetMouseDelay).Default(kUsualHintPause),
      Prop("Style", &M::Style, &M::SetStyle).Names(SeriesMarksStyleNames()).Default(smsLabel),
  });
  using A = TSeriesAnimationTool;
  RegisterProperties<A, TPlotCustomToolSeries>({
      Prop("DrawEvery", &A::DrawEvery, &A::SetDrawEvery).Default(0),
      Prop("Loop", &A::Loop, &A::SetLoop).Names({"salNo", "salOneWay", "salCircular"}).Default(salNo),
      Prop("StartAtMin", &A::StartAtMin, &A::SetStartAtMin).Default(true),
      Prop("StartValue", &A::StartValue, &A::SetStartValue),
      Prop("Steps", &A::Steps, &A::SetSteps).Default(100),
  });
  RegisterProperties<TDragPointTool, TPlotCustomToolSeries>({
      Prop("DragStyle", &TDragPointTool::DragStyle, &TDragPointTool::SetDragStyle)
          .Names({"dsX", "dsY", "dsBoth"})
          .Default(dsBoth),
  });
}

void RegisterAxisTools() {
  using A = TAxisArrowTool;
  RegisterProperties<A, TPlotCustomToolAxis>({
      Prop("Length", &A::Length, &A::SetLength).Default(16),
      Prop("Position", &A::Position, &A::SetPosition).Names({"aaStart", "aaEnd", "aaBoth"}).Default(aaBoth),
      Prop("ScrollInverted", &A::ScrollInverted, &A::SetScrollInverted).Default(false),
      Prop("ScrollPercent", &A::ScrollPercent, &A::SetScrollPercent).Default(10),
  });
  using B = TColorBandTool;
  RegisterProperties<B, TPlotCustomToolAxis>({
      Prop("Color", &B::Color, &B::SetColor).Default(Integer(fw::clWhite)),
      Prop("Cursor", &B::Cursor, &B::SetCursor).Default(Integer(fw::crDefault)),
      Prop("DrawBehind", &B::DrawBehind, &B::SetDrawBehind).Default(true),
      Prop("DrawBehindAxes", &B::DrawBehindAxes, &B::SetDrawBehindAxes).Default(false),
      ObjectProp("EndLinePen", &B::EndLinePen),
      Prop("EndValue", &B::EndValue, &B::SetEndValue),
      ObjectProp("Gradient", &B::Gradient),
      Prop("ResizeEnd", &B::ResizeEnd, &B::SetResizeEnd).Default(false),
      Prop("ResizeStart", &B::ResizeStart, &B::SetResizeStart).Default(false),
      ObjectProp("StartLinePen", &B::StartLinePen),
      Prop("StartValue", &B::StartValue, &B::SetStartValue),
      Prop("Transparency", &B::Transparency, &B::SetTransparency).Default(0),
  });
  using L = TColorLineTool;
  RegisterProperties<L, TPlotCustomToolAxis>({
      Prop("AllowDrag", &L::AllowDrag, &L::SetAllowDrag).Default(true),
      Prop("DragRepaint", &L::DragRepaint, &L::SetDragRepaint).Default(false),
      Prop("Draw3D", &L::Draw3D, &L::SetDraw3D).Default(true),
      Prop("DrawBehind", &L::DrawBehind, &L::SetDrawBehind).Default(false),
      Prop("NoLimitDrag", &L::NoLimitDrag, &L::SetNoLimitDrag).Default(false),
      Prop("Style", &L::Style, &L::SetStyle).Names({"clCustom", "clMaximum", "clCenter", "clMinimum"}).Default(clCustom),
      Prop("Value", &L::Value, &L::SetValue),
  });
  RegisterProperties<TGridBandBrush, fw::TBrush>({
      FieldProp("BackColor", &TGridBandBrush::BackColor).Default(Integer(fw::clNone)),
      FieldProp("Transparency", &TGridBandBrush::Transparency).Default(0),
  });
  RegisterProperties<TGridBandTool, TPlotCustomToolAxis>({
      ObjectProp("Band1", &TGridBandTool::Band1),
      ObjectProp("Band2", &TGridBandTool::Band2),
  });
  RegisterProperties<TAxisScrollTool, TPlotCustomToolAxis>({
      Prop("ScrollInverted", &TAxisScrollTool::ScrollInverted, &TAxisScrollTool::SetScrollInverted).Default(false),
  });
}

void RegisterOtherTools() {
  using R = TRotateTool;
  RegisterProperties<R, TPlotCustomTool>({
      Prop("Button", &R::Button, &R::SetButton).Names(kMouseButtonNames).Default(fw::mbLeft),
      Prop("Inverted", &R::Inverted, &R::SetInverted).Default(false),
      Prop("Style", &R::Style, &R::SetStyle).Names({"rsAll", "rsRotation", "rsElevation"}).Default(rsAll),
  });
  using P = TPlotShapePosition;
  RegisterProperties<P, TPlotCustomShapePosition>({
      Prop("Bevel", &P::Bevel, &P::SetBevel).Names({"bvNone", "bvLowered", "bvRaised"}).Default(fw::bvNone),
      Prop("BevelWidth", &P::BevelWidth, &P::SetBevelWidth).Default(2),
  });
  using C = TAnnotationCallout;
  RegisterProperties<C, TCustomChartElement>({
      Prop("Visible", &C::Visible, &C::SetVisible).Default(false),
      FieldProp("XPosition", &C::XPosition).Default(0),
      FieldProp("YPosition", &C::YPosition).Default(0),
      FieldProp("ZPosition", &C::ZPosition).Default(0),
  });
  // The rectangle tool is an annotation tool: it shares this table.
  using T = TAnnotationTool;
  RegisterProperties<T, TPlotCustomTool>({
      Prop("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true),
      ObjectProp("Callout", &T::Callout),
      Prop("Cursor", &T::Cursor, &T::SetCursor).Default(Integer(fw::crDefault)),
      Prop("Position", &T::Position, &T::SetPosition)
          .Names({"ppLeftTop", "ppLeftBottom", "ppRightTop", "ppRightBottom"})
          .Default(ppLeftTop),
      Prop("PositionUnits", &T::PositionUnits, &T::SetPositionUnits).Names({"muPixels", "muPercent"}).Default(muPixels),
      ObjectProp("Shape", &T::Shape),
      Prop("Text", &T::Text, &T::SetText),
      Prop("TextAlignment", &T::TextAlignment, &T::SetTextAlignment)
          .Names({"taLeftJustify", "taRightJustify", "taCenter"})
          .Default(fw::taLeftJustify),
      Prop("Height", &T::Height, &T::SetHeight).Default(0),
      Prop("Width", &T::Width, &T::SetWidth).Default(0),
  });
}

}  // namespace

void RegisterChartToolProperties() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterChartProperties();  // the tool bases' tables
    RegisterSeriesTools();
    RegisterAxisTools();
    RegisterOtherTools();
  });
}

}  // namespace chart
