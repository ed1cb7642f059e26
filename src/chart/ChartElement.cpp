// The element base, the framed box shared by titles and the legend, and the walls.
#include "chart/ChartElement.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"

namespace chart {

namespace {

// A pen or brush change repaints the element's chart.
template <class Tool>
void RepaintOnChange(Tool* T, TCustomChartElement* Element) {
  T->OnChange = [Element](fw::TObject*) { Element->InvalidateChart(); };
}

// The box's background: a gradient when it is visible, else a solid fill.
void FillBox(TPlotCanvas3D& Canvas, const TRect& R, TColor Color, const TPlotGradient& Gradient,
             TChartObjectShapeStyle Style) {
  if (Gradient.Visible && Style == fosRectangle) {
    Gradient.Draw(&Canvas, R);
    return;
  }
  Canvas.Brush()->SetStyle(fw::bsSolid);
  Canvas.Brush()->SetColor(Color);
  if (Style == fosRectangle) {
    Canvas.FillRect(R);
  } else {
    TChartPen none;
    none.SetVisible(false);
    Canvas.AssignVisiblePenColor(&none, Color);
    Canvas.RoundRect(R.left, R.top, R.right + 1, R.bottom + 1, 8, 8);
  }
}

// Moves the span [Low, High] to start at Value, keeping its length.
void MoveSpan(Integer& Low, Integer& High, Integer Value) {
  High = Value + (High - Low);
  Low = Value;
}

}  // namespace

TCustomChartElement::TCustomChartElement(fw::TComponent* AOwner)
    : fw::TComponent(AOwner), FPen(std::make_unique<TChartPen>()), FBrush(std::make_unique<TChartBrush>()) {
  RepaintOnChange(FPen.get(), this);
  RepaintOnChange(FBrush.get(), this);
}

TCustomChartElement::~TCustomChartElement() = default;

void TCustomChartElement::SetParentChart(TCustomAxisPanel* Value) { FParentChart = Value; }

void TCustomChartElement::SetActive(bool Value) {
  Store(FActive, Value);
}

void TCustomChartElement::InvalidateChart() {
  if (FParentChart) FParentChart->Invalidate();
}

TPlotCustomShapePosition::TPlotCustomShapePosition(fw::TComponent* AOwner)
    : TCustomChartElement(AOwner),
      FFrame(std::make_unique<TChartPen>()),
      FShadow(std::make_unique<TPlotShadow>()),
      FGradient(std::make_unique<TPlotGradient>()),
      FFont(std::make_unique<TPlotFont>()) {
  RepaintOnChange(FFrame.get(), this);
  RepaintOnChange(FFont.get(), this);
}

TPlotCustomShapePosition::~TPlotCustomShapePosition() = default;

void TPlotCustomShapePosition::SetVisible(bool Value) {
  Store(FVisible, Value);
}

void TPlotCustomShapePosition::SetColor(TColor Value) {
  Store(FColor, Value);
}

void TPlotCustomShapePosition::SetTransparent(bool Value) {
  Store(FTransparent, Value);
}

void TPlotCustomShapePosition::SetTransparency(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, 100);
  Store(FTransparency, Value);
}

void TPlotCustomShapePosition::SetShapeStyle(TChartObjectShapeStyle Value) {
  Store(FShapeStyle, Value);
}

void TPlotCustomShapePosition::SetCustomPosition(bool Value) {
  Store(FCustomPosition, Value);
}

// Moving the box by hand makes its position the user's: the layout leaves it there.
void TPlotCustomShapePosition::SetLeft(Integer Value) {
  MoveSpan(FShapeBounds.left, FShapeBounds.right, Value);
  FCustomPosition = true;
  InvalidateChart();
}

void TPlotCustomShapePosition::SetTop(Integer Value) {
  MoveSpan(FShapeBounds.top, FShapeBounds.bottom, Value);
  FCustomPosition = true;
  InvalidateChart();
}

void TPlotCustomShapePosition::DrawShape(TPlotCanvas3D& Canvas, const win::RECT& R) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  const TRect box = R;
  if (!FTransparent && FShadow->Visible()) {
    const TRect s{box.left + FShadow->HorizSize, box.top + FShadow->VertSize, box.right + FShadow->HorizSize,
                  box.bottom + FShadow->VertSize};
    const bool blend = FShadow->Transparency > 0;
    if (blend) Canvas.BeginBlending(s, FShadow->Transparency);
    TPlotGradient flat;
    FillBox(Canvas, s, FShadow->Color, flat, FShapeStyle);
    if (blend) Canvas.EndBlending();
  }
  if (!FTransparent) {
    const bool blend = FTransparency > 0;
    if (blend) Canvas.BeginBlending(box, FTransparency);
    FillBox(Canvas, box, FColor, *FGradient, FShapeStyle);
    if (blend) Canvas.EndBlending();
  }
  if (FFrame->Visible()) {
    Canvas.AssignVisiblePenColor(FFrame.get(), FFrame->Color());
    Canvas.Brush()->SetStyle(fw::bsClear);
    if (FShapeStyle == fosRectangle)
      Canvas.Rectangle(box.left, box.top, box.right, box.bottom);
    else
      Canvas.RoundRect(box.left, box.top, box.right, box.bottom, 8, 8);
    Canvas.Brush()->SetStyle(fw::bsSolid);
  }
}

TChartWall::TChartWall(fw::TComponent* AOwner)
    : TCustomChartElement(AOwner), FGradient(std::make_unique<TPlotGradient>()) {}

TChartWall::~TChartWall() = default;

void TChartWall::SetColor(TColor Value) {
  Store(FColor, Value);
}

void TChartWall::SetTransparent(bool Value) {
  Store(FTransparent, Value);
}

void TChartWall::SetSize(Integer Value) {
  Value = std::max<Integer>(0, Value);
  Store(FSize, Value);
}

void TChartWall::DrawWall(TPlotCanvas3D& Canvas, const win::RECT& R) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  const TRect box = R;
  if (!FTransparent) {
    if (FGradient->Visible) {
      FGradient->Draw(&Canvas, box);
    } else {
      Canvas.Brush()->SetStyle(fw::bsSolid);
      Canvas.Brush()->SetColor(FColor);
      Canvas.FillRect(box);
    }
  }
  if (Pen()->Visible()) {
    Canvas.AssignVisiblePenColor(Pen(), Pen()->Color());
    Canvas.Brush()->SetStyle(fw::bsClear);
    Canvas.Rectangle(box.left, box.top, box.right, box.bottom);
    Canvas.Brush()->SetStyle(fw::bsSolid);
  }
}

void TChartWall::DrawFace(TPlotCanvas3D& Canvas, const win::POINT* Points, Integer Count) {
  if (!Points || Count < 3) return;
  Canvas.Brush()->SetStyle(FTransparent ? fw::bsClear : fw::bsSolid);
  Canvas.Brush()->SetColor(FColor);
  if (Pen()->Visible()) {
    Canvas.AssignVisiblePenColor(Pen(), Pen()->Color());
  } else {
    TChartPen none;
    none.SetVisible(false);
    Canvas.AssignVisiblePenColor(&none, FColor);
  }
  Canvas.Polygon(Points, Count);
  Canvas.Brush()->SetStyle(fw::bsSolid);
}

}  // namespace chart
