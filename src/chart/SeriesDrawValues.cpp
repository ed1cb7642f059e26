// Drawing series: the visible range, the line (fast per-column path on a GDI canvas, one
// Polyline per unbroken run elsewhere), pointers, legend symbols and the point hit test.
#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <vector>

#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotCanvasState.h"
#include "chart/Series.h"
#include "chart/SeriesDraw.h"
#include "chart/SeriesHitTest.h"
#include "chart/SeriesPointer.h"
#include "framework/GraphicsCanvas.h"

namespace chart {

Integer TChartSeries::CalcXPosValue(double Value) const { return FHorizAxis ? FHorizAxis->CalcPosValue(Value) : 0; }
Integer TChartSeries::CalcYPosValue(double Value) const { return FVertAxis ? FVertAxis->CalcPosValue(Value) : 0; }

bool TChartSeries::PointIsDrawable(Integer Index) const {
  return std::isfinite(PointX(Index)) && std::isfinite(PointY(Index)) && !IsNullPoint(Index);
}

bool TChartSeries::IndexRangeOfX(double MinX, double MaxX, Integer& First, Integer& Last) const {
  const Integer count = Count();
  First = 0;
  Last = count - 1;
  const TChartValueList* xs = XValues();
  if (count == 0 || xs->Order() != loAscending || !FYMandatory || !(MinX <= MaxX)) return false;
  // NaN X values sit at the end of an ascending list; the search runs over the others.
  Integer lo = 0, hi = count;
  while (lo < hi) {
    const Integer mid = lo + (hi - lo) / 2;
    if (std::isnan(xs->Value(mid)))
      hi = mid;
    else
      lo = mid + 1;
  }
  const Integer finite = lo;
  auto firstNotBelow = [&](double V, bool Strict) {
    Integer a = 0, b = finite;
    while (a < b) {
      const Integer mid = a + (b - a) / 2;
      const double x = xs->Value(mid);
      if (Strict ? x <= V : x < V)
        a = mid + 1;
      else
        b = mid;
    }
    return a;
  };
  // One point beyond each end: the segments leaving the range still cross into it.
  First = std::max<Integer>(0, firstNotBelow(MinX, false) - 1);
  Last = std::min<Integer>(count - 1, firstNotBelow(MaxX, true));
  if (Last < First) Last = First;
  return true;
}

void TChartSeries::CalcFirstLastVisibleIndex() {
  if (Count() == 0 || !FHorizAxis || !FVertAxis) {
    FFirstValueIndex = FLastValueIndex = -1;
    return;
  }
  IndexRangeOfX(FHorizAxis->Minimum(), FHorizAxis->Maximum(), FFirstValueIndex, FLastValueIndex);
}

void TChartSeries::DrawAllValues(TPlotCanvas3D& Canvas) {
  CalcFirstLastVisibleIndex();
  if (OnBeforeDrawValues) OnBeforeDrawValues(this);
  if (FFirstValueIndex >= 0) {
    TPlotCanvasStateKeeper keep(Canvas);
    DrawValues(Canvas);
  }
  if (OnAfterDrawValues) OnAfterDrawValues(this);
}

void TChartSeries::DrawValues(TPlotCanvas3D&) {}

void TChartSeries::DrawLegendSymbol(TPlotCanvas3D& Canvas, const win::RECT& Rect) {
  if (Rect.right <= Rect.left || Rect.bottom <= Rect.top) return;
  TPlotCanvasStateKeeper keep(Canvas);
  Canvas.Pen()->SetVisible(true);
  Canvas.Pen()->SetStyle(fw::psSolid);
  Canvas.Pen()->SetWidth(1);
  Canvas.Pen()->SetColor(fw::clBlack);
  Canvas.Brush()->SetStyle(fw::bsSolid);
  Canvas.Brush()->SetColor(SeriesColor());
  Canvas.Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom);
}

Integer TChartSeries::PointAt(Integer, Integer) { return -1; }

void DrawSeriesSymbolInRect(TChartSeries* Series, fw::TCanvas& Canvas, const win::RECT& Rect) {
  if (!Series) return;
  TPlotCanvas3D canvas;
  canvas.SetReferenceCanvas(&Canvas);
  Series->DrawLegendSymbol(canvas, Rect);
}

// ---- line series ----

TCustomSeries::TCustomSeries(fw::TComponent* AOwner)
    : TChartSeries(AOwner), FPointer(std::make_unique<TSeriesPointer>(this)) {}

TCustomSeries::~TCustomSeries() = default;

TCustomLineSeries::TCustomLineSeries(fw::TComponent* AOwner) : TCustomSeries(AOwner) {
  Pointer()->SetVisible(false);
}

namespace {

// A pen the per-column path can draw with: the framework pen expresses it (no small dots, no
// wide flat or square ends).
bool PlainPen(const TChartPen& Pen) {
  return !Pen.SmallDots() && (Pen.EndStyle() == esRound || Pen.Width() <= 1);
}

}  // namespace

void TCustomSeries::DrawValues(TPlotCanvas3D& Canvas) {
  if (LinePen()->Visible() && Count() >= 2) DrawLine(Canvas);
  if (!FPointer->Visible()) return;
  const TColor own = FPointer->Color();
  for (Integer i = FirstValueIndex(); i <= LastValueIndex(); ++i) {
    if (!PointIsDrawable(i)) continue;
    FPointer->DrawPointer(Canvas, CalcXPos(i), CalcYPos(i), own == clTeeColor ? ValueColor(i) : own);
  }
}

void TCustomSeries::DrawLine(TPlotCanvas3D& Canvas) {
  const bool colorPerPoint = ColorEachPoint() || HasPointColors();
  fw::TCanvas* target = Canvas.DrawingCanvas();
  // Only the plain GDI canvas may be drawn on directly: a derived canvas (SVG, metafile) may
  // override the primitives and must receive the line through them.
  const bool plainCanvas = typeid(Canvas) == typeid(TPlotCanvas3D) && !Canvas.NonGDICanvas();
  if (plainCanvas && target && !colorPerPoint && PlainPen(*LinePen())) {
    fw::TPen* pen = target->Pen();
    pen->SetColor(SeriesColor());
    pen->SetWidth(std::max<Integer>(1, LinePen()->Width()));
    pen->SetStyle(LinePen()->Style());
    pen->SetMode(LinePen()->Mode());
    DrawLineSeriesPoints(*target, *this, *HorizAxis(), *VertAxis());
    return;
  }
  DrawLineRuns(Canvas, colorPerPoint);
}

// One Polyline per unbroken run of drawable points; with colours per point, a run also ends
// where the colour changes (the segment into a point takes that point's colour).
void TCustomSeries::DrawLineRuns(TPlotCanvas3D& Canvas, bool ColorPerPoint) {
  std::vector<TPoint> run;
  TColor runColor = SeriesColor();
  auto flush = [&] {
    if (run.size() >= 2) {
      Canvas.AssignVisiblePenColor(LinePen(), runColor);
      Canvas.Polyline(run.data(), Integer(run.size()));
    }
    run.clear();
  };
  const Integer first = FirstValueIndex(), last = LastValueIndex();
  for (Integer i = first; i <= last; ++i) {
    if (!PointIsDrawable(i)) {
      flush();
      continue;
    }
    const TPoint p{CalcXPos(i), CalcYPos(i)};
    if (ColorPerPoint) {
      const TColor c = ValueColor(i);
      if (!run.empty() && c != runColor) {
        const TPoint joint = run.back();
        flush();
        run.assign(1, joint);
      }
      runColor = c;
    }
    run.push_back(p);
  }
  flush();
}

void TCustomSeries::DrawLegendSymbol(TPlotCanvas3D& Canvas, const win::RECT& Rect) {
  const Integer w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (w <= 0 || h <= 0) return;
  TPlotCanvasStateKeeper keep(Canvas);
  const Integer y = Rect.top + h / 2;
  if (LinePen()->Visible()) {
    Canvas.AssignVisiblePenColor(LinePen(), SeriesColor());
    Canvas.DoHorizLine(Rect.left, Rect.right, y);
  }
  if (FPointer->Visible()) {
    const TColor c = FPointer->Color() == clTeeColor ? SeriesColor() : FPointer->Color();
    const Integer hs = std::clamp<Integer>(FPointer->HorizSize(), 0, (w - 1) / 2);
    const Integer vs = std::clamp<Integer>(FPointer->VertSize(), 0, (h - 1) / 2);
    FPointer->DrawPointer(Canvas, Rect.left + w / 2, y, c, hs, vs);
  }
}

Integer TCustomSeries::PointAt(Integer X, Integer Y) {
  if (!HorizAxis() || !VertAxis() || Count() == 0) return -1;
  CalcFirstLastVisibleIndex();
  Integer first = FirstValueIndex(), last = LastValueIndex();
  if (first < 0) return -1;
  // On ascending X only the points (and segments) near the pixel's column can be hit: a few
  // columns either side of it bound the X values to look at.
  const Integer margin = std::max<Integer>(LinePen()->Width(), FPointer->HorizSize()) + 2;
  const double v1 = HorizAxis()->CalcPosPoint(X - margin), v2 = HorizAxis()->CalcPosPoint(X + margin);
  Integer nearFirst, nearLast;
  if (IndexRangeOfX(std::min(v1, v2), std::max(v1, v2), nearFirst, nearLast)) {
    first = std::max(first, nearFirst);
    last = std::min(last, nearLast);
    if (first > last) return -1;
  }
  const TSeriesHitTest hits(*this, *HorizAxis(), *VertAxis(), X, Y);
  if (FPointer->Visible()) {
    const Integer point = hits.PointerAt(first, last, FPointer->HorizSize(), FPointer->VertSize());
    if (point >= 0) return point;
  }
  if (!LinePen()->Visible()) return -1;
  // A pixel is under the line when its centre lies closer than half the pen plus half a pixel.
  return hits.LineAt(first, last, std::max<Integer>(1, LinePen()->Width()) / 2.0 + 0.5);
}

}  // namespace chart
