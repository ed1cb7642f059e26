// The colour line, nearest point and rotate tools.
#include "chart/PlotToolsLines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "framework/GraphicsCanvas.h"

namespace chart {

namespace {

constexpr Integer kLineTolerance = 3;
// A point this many pixels away or more is never the nearest.
constexpr double kFarAway = 10000;

bool InRect(const TRect& R, Integer X, Integer Y) { return X >= R.left && X <= R.right && Y >= R.top && Y <= R.bottom; }

}  // namespace

TColorLineTool::TColorLineTool(fw::TComponent* AOwner) : TPlotCustomToolAxis(AOwner) {}

TColorLineTool::~TColorLineTool() = default;

String TColorLineTool::Description() const { return "Color Line"; }

double TColorLineTool::LineValue() const {
  const TChartAxis* axis = Axis();
  if (!axis) return FValue;
  switch (FStyle) {
    case clMaximum: return axis->Maximum();
    case clCenter: return (axis->Maximum() + axis->Minimum()) * 0.5;
    case clMinimum: return axis->Minimum();
    case clCustom: break;
  }
  return FValue;
}

Integer TColorLineTool::LinePixel() const { return Axis()->CalcPosValue(LineValue()); }

bool TColorLineTool::Clicked(Integer X, Integer Y) const {
  if (!Axis() || !ParentChart()) return false;
  const TRect& plot = ParentChart()->ChartRect();
  return InRect(plot, X, Y) && std::abs((Axis()->Horizontal() ? X : Y) - LinePixel()) < kLineTolerance;
}

void TColorLineTool::DrawLine(fw::TCanvas& Canvas, bool Xor) const {
  const TRect& plot = ParentChart()->ChartRect();
  const Integer p = LinePixel();
  Canvas.Pen()->SetColor(Xor ? XorColorOver(*ParentChart(), Pen()->Color()) : Pen()->Color());
  Canvas.Pen()->SetWidth(std::max<Integer>(1, Pen()->Width()));
  Canvas.Pen()->SetStyle(Pen()->Style());
  Canvas.Pen()->SetMode(Xor ? fw::pmXor : fw::pmCopy);
  if (Axis()->Horizontal()) {
    Canvas.MoveTo(p, plot.top);
    Canvas.LineTo(p, plot.bottom + 1);
  } else {
    Canvas.MoveTo(plot.left, p);
    Canvas.LineTo(plot.right + 1, p);
  }
  Canvas.Pen()->SetMode(fw::pmCopy);
}

void TColorLineTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomToolAxis::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || !Axis() || !chart->Canvas() || !Pen()->Visible()) return;
  // During a drag on a flat chart the line is the drag's XOR line; a paint meanwhile puts it
  // into the new picture, so that the next move takes it away again.
  if (FDragging && !FDragRepaint && !chart->View3D()) {
    if (Kind == cteAfterDraw)
      if (fw::TCanvas* c = chart->Canvas()->DrawingCanvas()) DrawLine(*c, true);
    return;
  }
  // Behind the series, or in front of everything.
  const bool behind = FDrawBehind || (FDraw3D && chart->View3D());
  if (!((Kind == cteBeforeDrawSeries && behind) || (Kind == cteAfterDraw && !behind))) return;
  TPlotCanvas3D& canvas = *chart->Canvas();
  const TRect& plot = chart->ChartRect();
  const Integer p = LinePixel();
  const Integer z = behind && chart->View3D() ? chart->View3DOptions().Depth : 0;
  canvas.AssignVisiblePenColor(Pen(), Pen()->Color());
  if (Axis()->Horizontal()) {
    canvas.MoveTo3D(p, plot.top, z);
    canvas.LineTo3D(p, plot.bottom + 1, z);
  } else {
    canvas.MoveTo3D(plot.left, p, z);
    canvas.LineTo3D(plot.right + 1, p, z);
  }
}

void TColorLineTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                      Integer X, Integer Y) {
  TPlotCustomToolAxis::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = ParentChart();
  TChartAxis* axis = Axis();
  if (!chart || !axis) return;
  switch (Kind) {
    case cmeDown:
      if (FAllowDrag && Button == fw::mbLeft && Clicked(X, Y)) {
        FDragging = true;
        chart->SetCancelMouse(true);
        if (OnBeginDragLine) OnBeginDragLine(this);
      }
      break;
    case cmeMove:
      if (FDragging) {
        double v = axis->CalcPosPoint(axis->Horizontal() ? X : Y);
        if (!FNoLimitDrag) v = std::clamp(v, axis->Minimum(), axis->Maximum());
        if (FDragRepaint) {
          FStyle = clCustom;
          SetValue(v);
        } else if (v != LineValue()) {
          chart->DrawOnWindow([this](fw::TCanvas& c) { DrawLine(c, true); });  // off
          FStyle = clCustom;
          FValue = v;
          chart->DrawOnWindow([this](fw::TCanvas& c) { DrawLine(c, true); });  // on
        }
        chart->SetCancelMouse(true);
        if (OnDragLine) OnDragLine(this);
      } else if (Clicked(X, Y)) {
        chart->SetCursor(axis->Horizontal() ? fw::crHSplit : fw::crVSplit);
        chart->SetCancelMouse(true);
      }
      break;
    case cmeUp:
      if (!FDragging) break;
      FDragging = false;
      if (!FDragRepaint) InvalidateChart();
      if (OnEndDragLine) OnEndDragLine(this);
      break;
  }
}

TNearestTool::TNearestTool(fw::TComponent* AOwner) : TPlotCustomToolSeries(AOwner), FLinePen(std::make_unique<TChartPen>()) {
  Pen()->SetStyle(fw::psDot);
  Pen()->SetColor(fw::clWhite);
  Brush()->SetStyle(fw::bsClear);
}

TNearestTool::~TNearestTool() = default;

String TNearestTool::Description() const { return "Nearest Point"; }

Integer TNearestTool::NearestPoint(Integer X, Integer Y) const {
  TChartSeries* s = Series();
  if (!s || !ParentChart() || s->Count() == 0 || !s->HorizAxis() || !s->VertAxis()) return -1;
  const TRect& plot = ParentChart()->ChartRect();
  const Integer first = std::max<Integer>(s->FirstValueIndex(), 0);
  const Integer last = s->LastValueIndex() < 0 ? s->Count() - 1 : std::min(s->LastValueIndex(), s->Count() - 1);
  Integer best = -1;
  double bestDistance = kFarAway;
  for (Integer i = first; i <= last; ++i) {
    if (!s->PointIsDrawable(i)) continue;
    TPoint p{s->PointPixelX(i), s->PointPixelY(i)};
    if (ParentChart()->View3D() && ParentChart()->Canvas()) p = ParentChart()->Canvas()->Calc3DPoint(p, s->MiddleZ());
    if (!InRect(plot, p.x, p.y)) continue;
    const double d = std::round(std::hypot(double(X - p.x), double(Y - p.y)));
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  return best;
}

void TNearestTool::DrawMark(fw::TCanvas& Canvas) const {
  TChartSeries* s = Series();
  if (!s || FPoint < 0 || FPoint >= s->Count()) return;
  const Integer x = s->PointPixelX(FPoint), y = s->PointPixelY(FPoint);
  Canvas.Pen()->SetColor(XorColorOver(*ParentChart(), Pen()->Color()));
  Canvas.Pen()->SetStyle(Pen()->Visible() ? Pen()->Style() : fw::psClear);
  Canvas.Pen()->SetWidth(1);
  Canvas.Pen()->SetMode(fw::pmXor);
  Canvas.Brush()->SetStyle(fw::bsClear);
  switch (FStyle) {
    case hsCircle: Canvas.Ellipse(x - FSize, y - FSize, x + FSize, y + FSize); break;
    case hsRectangle: Canvas.Rectangle(x - FSize, y - FSize, x + FSize, y + FSize); break;
    case hsDiamond: {
      const win::POINT points[] = {{x, y - FSize}, {x + FSize, y}, {x, y + FSize}, {x - FSize, y}, {x, y - FSize}};
      Canvas.Polyline(points, 5);
      break;
    }
    case hsNone: break;
  }
  if (FDrawLine && FLinePen->Visible()) {
    Canvas.Pen()->SetColor(XorColorOver(*ParentChart(), FLinePen->Color()));
    Canvas.Pen()->SetStyle(FLinePen->Style());
    Canvas.MoveTo(FMouse.x, FMouse.y);
    Canvas.LineTo(x, y);
  }
  Canvas.Pen()->SetMode(fw::pmCopy);
}

void TNearestTool::XorMark() {
  if (FPoint >= 0) ParentChart()->DrawOnWindow([this](fw::TCanvas& c) { DrawMark(c); });
}

void TNearestTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomToolSeries::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  if (Kind == cteAfterDraw && chart->Canvas() && chart->Canvas()->DrawingCanvas()) {
    DrawMark(*chart->Canvas()->DrawingCanvas());
  } else if (Kind == cteMouseLeave && FPoint >= 0) {
    XorMark();
    FPoint = -1;
  }
}

void TNearestTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                    Integer X, Integer Y) {
  TPlotCustomToolSeries::HandleMouseEvent(Kind, Button, Shift, X, Y);
  if (Kind != cmeMove || !Series() || !ParentChart()) return;
  if (!FFullRepaint) XorMark();
  FPoint = NearestPoint(X, Y);
  FMouse = fw::TPoint{X, Y};
  if (FFullRepaint)
    InvalidateChart();
  else
    XorMark();
  if (OnChange) OnChange(this);
}

TRotateTool::TRotateTool(fw::TComponent* AOwner) : TPlotCustomTool(AOwner) {}

TRotateTool::~TRotateTool() = default;

String TRotateTool::Description() const { return "Rotate"; }

void TRotateTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                   Integer X, Integer Y) {
  TPlotCustomTool::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  switch (Kind) {
    case cmeDown:
      if (Button != FButton) break;
      FDragging = true;
      FLast = fw::TPoint{X, Y};
      chart->SetCancelMouse(true);
      break;
    case cmeMove: {
      if (!FDragging || chart->Width() <= 0 || chart->Height() <= 0) break;
      TView3DSettings& view = chart->View3DOptions();
      const bool gdi = !chart->Canvas() || !chart->Canvas()->NonGDICanvas();
      auto wrap = [](Integer A) { return A > 360 ? A - 360 : A < 0 ? A + 360 : A; };
      if (FStyle != rsElevation) {
        const Integer turn = Integer(std::lround((X - FLast.x) * 90.0 / chart->Width()));
        view.Rotation = wrap(view.Rotation + turn);
      }
      if (FStyle != rsRotation) {
        Integer lift = Integer(std::lround((FLast.y - Y) * 90.0 / chart->Height()));
        if (FInverted) lift = -lift;
        // A GDI canvas shows the box from above only.
        view.Elevation = gdi ? std::clamp<Integer>(view.Elevation + lift, 270, 360) : wrap(view.Elevation + lift);
      }
      view.Orthogonal = false;
      FLast = fw::TPoint{X, Y};
      chart->SetCancelMouse(true);
      chart->Invalidate();
      if (OnRotate) OnRotate(this);
      break;
    }
    case cmeUp:
      FDragging = false;
      break;
  }
}

}  // namespace chart
