#pragma once
// A framed text on the chart (annotation), optionally with a callout arrow to a point, and the
// rectangle tool: an annotation box that the mouse moves and resizes by its edges.

#include <functional>

#include "chart/ChartElement.h"
#include "chart/PlotTools.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrlsTypes.h"

namespace chart {

enum TAnnotationPosition { ppLeftTop, ppLeftBottom, ppRightTop, ppRightBottom };
enum TAnnotationPositionUnits { muPixels, muPercent };

// The annotation's box: a framed shape that remembers where it was drawn, with an optional
// bevel inside its frame.
class TPlotShapePosition : public TPlotCustomShapePosition {
 public:
  using TPlotCustomShapePosition::TPlotCustomShapePosition;
  void SetBounds(const win::RECT& R) { SetShapeBounds(R); }
  // bvNone, bvLowered or bvRaised (another value is refused).
  fw::TBevelCut Bevel() const { return FBevel; }
  void SetBevel(fw::TBevelCut Value);
  // The bevel's rings in pixels (0 draws none).
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  // The bevel inside R less the frame: highlight above and left and shadow below and right when
  // raised, the other way round when lowered.
  void DrawBevel(TPlotCanvas3D& Canvas, const win::RECT& R) const;

 private:
  fw::TBevelCut FBevel = fw::bvNone;
  Integer FBevelWidth = 2;
};

// An arrow from the box to a point of the chart.
class TAnnotationCallout : public TCustomChartElement {
 public:
  explicit TAnnotationCallout(fw::TComponent* AOwner);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { Store(FVisible, Value); }
  Integer XPosition = 0;
  Integer YPosition = 0;
  Integer ZPosition = 0;

 private:
  bool FVisible = false;
};

class TAnnotationTool;
using TAnnotationClickEvent = std::function<void(TAnnotationTool* Sender, fw::TMouseButton Button,
                                                 fw::TShiftState Shift, Integer X, Integer Y)>;

class TAnnotationTool : public TPlotCustomTool {
 public:
  explicit TAnnotationTool(fw::TComponent* AOwner);
  ~TAnnotationTool() override;

  void SetParentChart(TCustomAxisPanel* Value) override;

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { Store(FAutoSize, Value); }
  fw::TCursor Cursor() const { return FCursor; }
  void SetCursor(fw::TCursor Value) { FCursor = Value; }
  TAnnotationPosition Position() const { return FPosition; }
  void SetPosition(TAnnotationPosition Value) { Store(FPosition, Value); }
  TAnnotationPositionUnits PositionUnits() const { return FPositionUnits; }
  void SetPositionUnits(TAnnotationPositionUnits Value) { Store(FPositionUnits, Value); }
  const String& Text() const { return FText; }
  void SetText(const String& Value) { Store(FText, Value); }
  fw::TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(fw::TAlignment Value) { Store(FTextAlignment, Value); }
  // The box's size without AutoSize.
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) { Store(FWidth, Value); }
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value) { Store(FHeight, Value); }
  TPlotShapePosition* Shape() const { return FShape; }
  TAnnotationCallout* Callout() const { return FCallout; }

  // Where the text's top-left corner goes for a text of the given size, and the box around it.
  fw::TPoint TextPosition(Integer TextWidth, Integer TextHeight) const;
  win::RECT BoxRect(Integer TextWidth, Integer TextHeight) const;
  // The box as last drawn contains the point.
  bool Clicked(Integer X, Integer Y) const;

  void HandleChartEvent(TChartToolEvent Kind) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TAnnotationToolEdit"; }

  TAnnotationClickEvent OnClick;

 private:
  bool FAutoSize = true;
  fw::TCursor FCursor = fw::crDefault;
  TAnnotationPosition FPosition = ppLeftTop;
  TAnnotationPositionUnits FPositionUnits = muPixels;
  String FText;
  fw::TAlignment FTextAlignment = fw::taLeftJustify;
  Integer FWidth = 0;
  Integer FHeight = 0;
  TPlotShapePosition* FShape = nullptr;       // owned as a component of the tool
  TAnnotationCallout* FCallout = nullptr;     // owned as a component of the tool
};

class TRectangleTool : public TAnnotationTool {
 public:
  explicit TRectangleTool(fw::TComponent* AOwner);
  ~TRectangleTool() override;

  // The edge of the box at (X, Y): 0 none, 1 left, 2 top, 3 right, 4 bottom.
  Integer EdgeAt(Integer X, Integer Y) const;

  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;

  fw::TNotifyEvent OnDragging;
  fw::TNotifyEvent OnResizing;

 private:
  Integer FEdge = 0;     // edge being dragged
  bool FMoving = false;  // the whole box follows the mouse
  fw::TPoint FOffset{};
};

}  // namespace chart
