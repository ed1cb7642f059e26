// Histogram bars: geometry, drawing and hit testing.
#include "analysis/PlotHistogram.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/SeriesPointer.h"

namespace analysis {

THistogramSeries::THistogramSeries(fw::TComponent* AOwner)
    : chart::TCustomLineSeries(AOwner), FLinesPen(std::make_unique<chart::TChartPen>()) {
  Pointer()->SetVisible(false);
  FLinesPen->SetVisible(false);
  FLinesPen->OnChange = [this](fw::TObject*) { Repaint(); };
}

THistogramSeries::~THistogramSeries() = default;

THorizHistogramSeries::THorizHistogramSeries(fw::TComponent* AOwner) : THistogramSeries(AOwner) {
  SetYMandatory(false);
  XValues()->SetOrder(chart::loNone);
}

std::vector<String> THistogramSeries::ListSubStyles() const { return {"Hollow", "No Border", "Lines", "Transparency"}; }

void THistogramSeries::ApplySubStyle(Integer Index) {
  switch (Index) {
    case 0:
      Brush()->SetStyle(fw::bsClear);
      break;
    case 1:
      LinePen()->SetVisible(false);
      break;
    case 2:
      FLinesPen->SetVisible(true);
      break;
    case 3:
      SetTransparency(30);
      break;
    default:
      break;
  }
}

void THistogramSeries::SetTransparency(Integer Value) {
  Value = std::clamp<Integer>(Value, 0, 100);
  if (FTransparency == Value) return;
  FTransparency = Value;
  Repaint();
}

Integer THistogramSeries::HalfSlot(const chart::TChartAxis& PositionAxis, Integer Shown) const {
  const Integer perPage = ParentChart() ? ParentChart()->MaxPointsPerPage() : 0;
  const Integer slots = perPage > 0 ? perPage : Shown;
  return slots > 0 ? std::abs(PositionAxis.IAxisSize()) / slots / 2 : 0;
}

void THistogramSeries::CalcAxisMargins(const chart::TChartAxis& Axis, Integer& Low, Integer& High) const {
  Low = High = 0;
  if (&Axis != (Vertical() ? HorizAxis() : VertAxis())) return;
  const Integer pen = LinePen()->Visible() ? LinePen()->Width() : 0;
  // The layout comes before the visible range is known: an automatic axis shows every point.
  Low = High = HalfSlot(Axis, Count()) + pen;
}

std::vector<THistogramSeries::TBar> THistogramSeries::CalcBars(Integer& Base) const {
  std::vector<TBar> bars;
  Base = 0;
  const chart::TChartAxis* positionAxis = Vertical() ? HorizAxis() : VertAxis();
  const chart::TChartAxis* valueAxis = Vertical() ? VertAxis() : HorizAxis();
  if (!positionAxis || !valueAxis || FirstValueIndex() < 0) return bars;
  const Integer halfSlot = HalfSlot(*positionAxis, LastValueIndex() - FirstValueIndex() + 1);
  Base = valueAxis->CalcPosValue(valueAxis->Minimum());
  for (Integer i = FirstValueIndex(); i <= LastValueIndex(); ++i) {
    if (!PointIsDrawable(i)) continue;
    const Integer position = Vertical() ? CalcXPos(i) : CalcYPos(i);
    const Integer top = Vertical() ? CalcYPos(i) : CalcXPos(i);
    // Along a vertical axis pixels grow downwards: a bar reaches half a slot above its position.
    const Integer far = Vertical() ? position + halfSlot : position - halfSlot;
    const Integer near = bars.empty() ? (Vertical() ? position - halfSlot : position + halfSlot) : bars.back().High;
    bars.push_back({i, near, far, top});
  }
  return bars;
}

void THistogramSeries::DrawValues(chart::TPlotCanvas3D& Canvas) {
  Integer base;
  const std::vector<TBar> bars = CalcBars(base);
  if (bars.empty()) return;
  // Points (position, value) in pixels on the canvas.
  auto at = [this](Integer Position, Integer Value) {
    return Vertical() ? chart::TPoint{Position, Value} : chart::TPoint{Value, Position};
  };
  if (Brush()->Style() != fw::bsClear) {
    for (const TBar& b : bars) {
      const chart::TPoint p0 = at(b.Low, base), p1 = at(b.High, b.Top);
      const chart::TRect r{std::min(p0.x, p1.x), std::min(p0.y, p1.y), std::max(p0.x, p1.x), std::max(p0.y, p1.y)};
      Canvas.BeginBlending(r, FTransparency);
      Canvas.Brush()->SetStyle(Brush()->Style());
      Canvas.Brush()->SetColor(ValueColor(b.Index));
      Canvas.FillRect(r);
      Canvas.EndBlending();
    }
  }
  if (FLinesPen->Visible()) {
    Canvas.AssignVisiblePenColor(FLinesPen.get(), FLinesPen->Color());
    for (std::size_t k = 1; k < bars.size(); ++k) {
      // Up to the lower of the two neighbouring tops: the one nearer the base.
      const Integer lower = Vertical() ? std::max(bars[k - 1].Top, bars[k].Top) : std::min(bars[k - 1].Top, bars[k].Top);
      const chart::TPoint a = at(bars[k].Low, base), b = at(bars[k].Low, lower);
      Canvas.Line(a.x, a.y, b.x, b.y);
    }
  }
  if (!LinePen()->Visible()) return;
  // The skyline: each bar's near side from the previous top (the base for the first), its top,
  // and the last bar's far side down to the base.
  std::vector<chart::TPoint> outline;
  Integer previousTop = base;
  for (const TBar& b : bars) {
    outline.push_back(at(b.Low, previousTop));
    outline.push_back(at(b.Low, b.Top));
    outline.push_back(at(b.High, b.Top));
    previousTop = b.Top;
  }
  outline.push_back(at(bars.back().High, base));
  Canvas.AssignVisiblePenColor(LinePen(), SeriesColor());
  Canvas.Polyline(outline.data(), Integer(outline.size()));
}

Integer THistogramSeries::PointAt(Integer X, Integer Y) {
  Integer base;
  const Integer position = Vertical() ? X : Y, value = Vertical() ? Y : X;
  for (const TBar& b : CalcBars(base))
    if (position >= std::min(b.Low, b.High) && position <= std::max(b.Low, b.High) &&
        value >= std::min(base, b.Top) && value <= std::max(base, b.Top))
      return b.Index;
  return -1;
}

}  // namespace analysis
