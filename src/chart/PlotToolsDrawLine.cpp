// The draw line tool.
#include "chart/PlotToolsDrawLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "framework/GraphicsCanvas.h"

namespace chart {

namespace {

constexpr Integer kBodyTolerance = 4;
constexpr Integer kHandle = 3;

double SegmentDistance(fw::TPoint P, fw::TPoint A, fw::TPoint B) {
  const double dx = B.x - A.x, dy = B.y - A.y, len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((P.x - A.x) * dx + (P.y - A.y) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(A.x + t * dx - P.x, A.y + t * dy - P.y);
}

bool NearHandle(fw::TPoint P, fw::TPoint H) { return std::abs(P.x - H.x) <= kHandle && std::abs(P.y - H.y) <= kHandle; }

}  // namespace

void TDrawLine::Assign(fw::TPersistent* Source) {
  if (auto* line = dynamic_cast<TDrawLine*>(Source)) {
    Style = line->Style, X0 = line->X0, Y0 = line->Y0, X1 = line->X1, Y1 = line->Y1;
    return;
  }
  fw::TCollectionItem::Assign(Source);
}

TDrawLines::TDrawLines(TDrawLineTool* Tool) : fw::TCollection(fw::CollectionItemClass<TDrawLine>()), FTool(Tool) {}

void TDrawLines::Update(fw::TCollectionItem*) { FTool->InvalidateChart(); }

void TDrawLines::Notify(fw::TCollectionItem* Item, fw::TCollectionNotification Action) {
  fw::TCollection::Notify(Item, Action);
  // An item leaving from its own destructor is no TDrawLine any more: it is compared as it is.
  if (Action != fw::cnAdded) FTool->LineGoing(Item);
}

TDrawLineTool::TDrawLineTool(fw::TComponent* AOwner)
    : TPlotCustomToolSeries(AOwner), FLines(std::make_unique<TDrawLines>(this)) {}

TDrawLineTool::~TDrawLineTool() {
  FSelected = nullptr;
  FLines.reset();
}

String TDrawLineTool::Description() const { return "Draw Line"; }

void TDrawLineTool::LineGoing(const fw::TCollectionItem* Line) {
  if (!FSelected || Line != static_cast<const fw::TCollectionItem*>(FSelected)) return;
  FSelected = nullptr;
  FGesture = 0;
}

fw::TPoint TDrawLineTool::ToPixels(double X, double Y) const {
  return fw::TPoint{HorizontalAxis()->CalcPosValue(X), VerticalAxis()->CalcPosValue(Y)};
}

void TDrawLineTool::FromPixels(fw::TPoint P, double& X, double& Y) const {
  X = HorizontalAxis()->CalcPosPoint(P.x);
  Y = VerticalAxis()->CalcPosPoint(P.y);
}

void TDrawLineTool::DrawShape(fw::TCanvas& Canvas, TDrawLineStyle Style, fw::TPoint A, fw::TPoint B) const {
  auto line = [&](Integer X0, Integer Y0, Integer X1, Integer Y1) {
    Canvas.MoveTo(X0, Y0);
    Canvas.LineTo(X1, Y1);
  };
  switch (Style) {
    case dlLine: line(A.x, A.y, B.x, B.y); break;
    case dlHorizParallel:
      line(A.x, A.y, B.x, A.y);
      line(A.x, B.y, B.x, B.y);
      break;
    case dlVertParallel:
      line(A.x, A.y, A.x, B.y);
      line(B.x, A.y, B.x, B.y);
      break;
  }
}

TDrawLine* TDrawLineTool::LineAt(Integer X, Integer Y, Integer& Part) const {
  Part = 0;
  if (!HorizontalAxis() || !VerticalAxis()) return nullptr;
  const fw::TPoint p{X, Y};
  auto hits = [&](TDrawLine* l, bool Handles) {
    const fw::TPoint a = ToPixels(l->X0, l->Y0), b = ToPixels(l->X1, l->Y1);
    if (Handles && NearHandle(p, a)) return Part = 1, true;
    if (Handles && NearHandle(p, b)) return Part = 2, true;
    double d = 0;
    switch (l->Style) {
      case dlLine: d = SegmentDistance(p, a, b); break;
      case dlHorizParallel:
        d = std::min(SegmentDistance(p, a, {b.x, a.y}), SegmentDistance(p, {a.x, b.y}, b));
        break;
      case dlVertParallel:
        d = std::min(SegmentDistance(p, a, {a.x, b.y}), SegmentDistance(p, {b.x, a.y}, b));
        break;
    }
    Part = 0;
    return d < kBodyTolerance;
  };
  if (FSelected && hits(FSelected, true)) return FSelected;
  for (Integer i = 0; i < FLines->Count(); ++i)
    if (FLines->Line(i) != FSelected && hits(FLines->Line(i), false)) return FLines->Line(i);
  return nullptr;
}

void TDrawLineTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomToolSeries::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  // A paint in the middle of a drag wiped the XOR line off the window: it goes into the new
  // picture, so that the next move takes it away again.
  if (Kind == cteAfterDraw && FGesture != 0 && chart && chart->Canvas() && chart->Canvas()->DrawingCanvas())
    DrawXor(*chart->Canvas()->DrawingCanvas());
  if (Kind != cteAfterDraw || !chart || !chart->Canvas() || FLines->Count() == 0 || !HorizontalAxis() ||
      !VerticalAxis())
    return;
  fw::TCanvas* canvas = chart->Canvas()->DrawingCanvas();
  if (!canvas) return;
  const TChartAxis& h = *HorizontalAxis();
  const TChartAxis& v = *VerticalAxis();
  TPlotCanvas3D& plot = *chart->Canvas();
  plot.ClipRectangle(TRect{std::min(h.IStartPos(), h.IEndPos()), std::min(v.IStartPos(), v.IEndPos()),
                           std::max(h.IStartPos(), h.IEndPos()) + 1, std::max(v.IStartPos(), v.IEndPos()) + 1});
  canvas->Pen()->Assign(Pen());
  canvas->Pen()->SetMode(fw::pmCopy);
  canvas->Brush()->SetStyle(fw::bsClear);
  for (Integer i = 0; i < FLines->Count(); ++i) {
    const TDrawLine* l = FLines->Line(i);
    DrawShape(*canvas, l->Style, ToPixels(l->X0, l->Y0), ToPixels(l->X1, l->Y1));
  }
  if (FSelected) {
    canvas->Pen()->SetStyle(fw::psClear);
    canvas->Brush()->SetStyle(fw::bsSolid);
    canvas->Brush()->SetColor(chart->Color() == fw::clBlack ? fw::clSilver : fw::clBlack);
    for (const fw::TPoint e : {ToPixels(FSelected->X0, FSelected->Y0), ToPixels(FSelected->X1, FSelected->Y1)})
      canvas->FillRect(TRect{e.x - kHandle, e.y - kHandle, e.x + kHandle, e.y + kHandle});
  }
  plot.UnClipRectangle();
}

void TDrawLineTool::DrawXor(fw::TCanvas& Canvas) const {
  const TDrawLineStyle style = FGesture == 1 || !FSelected ? dlLine : FSelected->Style;
  Canvas.Pen()->SetColor(XorColorOver(*ParentChart(), Pen()->Color()));
  Canvas.Pen()->SetStyle(Pen()->Style());
  Canvas.Pen()->SetMode(fw::pmXor);
  Canvas.Brush()->SetStyle(fw::bsClear);
  DrawShape(Canvas, style, FFrom, FTo);
  Canvas.Pen()->SetMode(fw::pmCopy);
}

void TDrawLineTool::XorDrag() {
  ParentChart()->DrawOnWindow([this](fw::TCanvas& c) { DrawXor(c); });
}

void TDrawLineTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                     Integer X, Integer Y) {
  TPlotCustomToolSeries::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || !HorizontalAxis() || !VerticalAxis()) return;
  const fw::TPoint p{X, Y};
  switch (Kind) {
    case cmeDown: {
      if (Button != FButton) break;
      Integer part = 0;
      TDrawLine* hit = FEnableSelect ? LineAt(X, Y, part) : nullptr;
      if (hit) {
        if (hit != FSelected) {
          bool allow = true;
          if (OnSelecting) OnSelecting(this, hit, allow);
          if (!allow) break;
          FSelected = hit;
          part = 0;
          if (OnSelect) OnSelect(this);
          InvalidateChart();
        }
        FFrom = ToPixels(hit->X0, hit->Y0);
        FTo = ToPixels(hit->X1, hit->Y1);
        FGesture = part == 1 ? 3 : part == 2 ? 4 : 2;
        chart->SetCancelMouse(true);
      } else {
        if (FSelected) InvalidateChart();
        FSelected = nullptr;
        if (FEnableDraw) {
          FGesture = 1;
          FFrom = FTo = p;
          chart->SetCancelMouse(true);
        }
      }
      FLast = p;
      break;
    }
    case cmeMove:
      if (FGesture == 0) {
        if (!FEnableSelect) break;
        Integer part = 0;
        TDrawLine* hit = LineAt(X, Y, part);
        if (hit) chart->SetCursor(hit == FSelected && part != 0 ? fw::crCross : fw::crHandPoint);
        chart->SetCancelMouse(hit != nullptr);
        break;
      }
      XorDrag();  // off
      if (FGesture == 2) {
        const Integer dx = X - FLast.x, dy = Y - FLast.y;
        FFrom = fw::TPoint{FFrom.x + dx, FFrom.y + dy};
        FTo = fw::TPoint{FTo.x + dx, FTo.y + dy};
      } else if (FGesture == 3) {
        FFrom = p;
      } else {
        FTo = p;
      }
      FLast = p;
      XorDrag();  // on
      chart->SetCancelMouse(true);
      if (OnDragLine) OnDragLine(this);
      break;
    case cmeUp: {
      if (Button != FButton || FGesture == 0) break;
      const Integer gesture = FGesture;
      FGesture = 0;
      if (gesture == 1) {
        if (FFrom == FTo) break;  // a click draws nothing
        TDrawLine* line = FLines->AddLine();
        FromPixels(FFrom, line->X0, line->Y0);
        FromPixels(FTo, line->X1, line->Y1);
        InvalidateChart();
        if (OnNewLine) OnNewLine(this);
      } else if (FSelected) {
        FromPixels(FFrom, FSelected->X0, FSelected->Y0);
        FromPixels(FTo, FSelected->X1, FSelected->Y1);
        InvalidateChart();
        if (OnDraggedLine) OnDraggedLine(this);
      }
      break;
    }
  }
}

}  // namespace chart
