#pragma once
// Parts of a chart that are not series or axes: the element base (active flag, pen, brush, the
// chart it belongs to), the framed box that titles, the legend and annotations share, and the
// walls behind the plot rectangle.

#include <memory>

#include "framework/Colors.h"
#include "framework/Component.h"
#include "platform/kernel/WinDef.h"

namespace chart {

using fw::Integer;
using fw::TColor;

class TCustomAxisPanel;
class TPlotCanvas3D;
class TChartPen;
class TChartBrush;
class TPlotShadow;
class TPlotGradient;
class TPlotFont;

class TCustomChartElement : public fw::TComponent {
 public:
  explicit TCustomChartElement(fw::TComponent* AOwner);
  ~TCustomChartElement() override;

  // The chart the element belongs to (not owned; nullptr for none).
  TCustomAxisPanel* ParentChart() const { return FParentChart; }
  virtual void SetParentChart(TCustomAxisPanel* Value);
  // A stream read the element as a child of a chart: it joins that chart (ChartStreaming.cpp).
  void SetParentComponent(fw::TComponent* Value) override;
  bool Active() const { return FActive; }
  // Stores the flag and repaints the chart when it changed.
  virtual void SetActive(bool Value);
  TChartBrush* Brush() const { return FBrush.get(); }
  TChartPen* Pen() const { return FPen.get(); }
  // Asks the element's chart (when it has one) to repaint.
  void InvalidateChart();

 protected:
  // The chart is going away before the element: forget it (and whatever belongs to it)
  // without calling into it.
  friend class TCustomAxisPanel;
  virtual void ChartDestroying() { FParentChart = nullptr; }
  // Stores a changed value and repaints the chart; an equal value changes nothing.
  template <class T>
  void Store(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    InvalidateChart();
  }
  TCustomAxisPanel* FParentChart = nullptr;

 private:
  bool FActive = true;
  std::unique_ptr<TChartPen> FPen;
  std::unique_ptr<TChartBrush> FBrush;
};

enum TChartObjectShapeStyle { fosRectangle = 0, fosRoundRectangle = 1 };

// A framed box drawn on the chart: background (solid, gradient or none), frame, shadow and a
// font for its text. Derived classes size it and place it; the box remembers where it was last
// drawn. With CustomPosition the box's top-left corner stays at Left, Top.
class TPlotCustomShapePosition : public TCustomChartElement {
 public:
  explicit TPlotCustomShapePosition(fw::TComponent* AOwner);
  ~TPlotCustomShapePosition() override;

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // No background at all (frame and text only).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // 0..100: how much of the picture beneath shows through the background.
  Integer Transparency() const { return FTransparency; }
  void SetTransparency(Integer Value);
  TChartPen* Frame() const { return FFrame.get(); }
  TChartObjectShapeStyle ShapeStyle() const { return FShapeStyle; }
  void SetShapeStyle(TChartObjectShapeStyle Value);
  TPlotShadow* Shadow() const { return FShadow.get(); }
  TPlotGradient* Gradient() const { return FGradient.get(); }
  TPlotFont* Font() const { return FFont.get(); }

  bool CustomPosition() const { return FCustomPosition; }
  void SetCustomPosition(bool Value);
  // The box's left and top pixel: where it was last drawn, or where it was put. Setting either
  // moves the box there, turns CustomPosition on and repaints.
  Integer Left() const { return FShapeBounds.left; }
  void SetLeft(Integer Value);
  Integer Top() const { return FShapeBounds.top; }
  void SetTop(Integer Value);
  // The box's rectangle as last drawn (or placed).
  const win::RECT& ShapeBounds() const { return FShapeBounds; }

  // Shadow, background (solid colour or gradient, blended by Transparency) and frame of R.
  void DrawShape(TPlotCanvas3D& Canvas, const win::RECT& R);

 protected:
  // Layout records the rectangle the box takes.
  void SetShapeBounds(const win::RECT& R) { FShapeBounds = R; }

 private:
  bool FVisible = true;
  TColor FColor = fw::clWhite;
  bool FTransparent = false;
  Integer FTransparency = 0;
  TChartObjectShapeStyle FShapeStyle = fosRectangle;
  bool FCustomPosition = false;
  win::RECT FShapeBounds{};
  std::unique_ptr<TChartPen> FFrame;
  std::unique_ptr<TPlotShadow> FShadow;
  std::unique_ptr<TPlotGradient> FGradient;
  std::unique_ptr<TPlotFont> FFont;
};

// One of the walls around the plot rectangle: the back wall fills the plot rectangle, the left
// and bottom walls run along the left and bottom sides (Size pixels thick when drawn in 3D).
class TChartWall : public TCustomChartElement {
 public:
  explicit TChartWall(fw::TComponent* AOwner);
  ~TChartWall() override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TPlotGradient* Gradient() const { return FGradient.get(); }
  // No fill (the pen still frames the wall when visible).
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);

  // Fill (colour or gradient) and frame of R.
  void DrawWall(TPlotCanvas3D& Canvas, const win::RECT& R);
  // Fill (colour) and frame of a projected face (3D view).
  void DrawFace(TPlotCanvas3D& Canvas, const win::POINT* Points, Integer Count);

 private:
  TColor FColor = fw::clWhite;
  bool FTransparent = false;
  Integer FSize = 0;
  std::unique_ptr<TPlotGradient> FGradient;
};

}  // namespace chart
