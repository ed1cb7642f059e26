// The colour band and grid band tools.
#include "chart/PlotToolsBands.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"

namespace chart {

namespace {
constexpr Integer kEdgeTolerance = 3;
}  // namespace

TColorBandTool::TColorBandTool(fw::TComponent* AOwner)
    : TPlotCustomToolAxis(AOwner),
      FStartLinePen(std::make_unique<TChartPen>()),
      FEndLinePen(std::make_unique<TChartPen>()),
      FGradient(std::make_unique<TPlotGradient>()) {}

TColorBandTool::~TColorBandTool() = default;

String TColorBandTool::Description() const { return "Color Band"; }

TRect TColorBandTool::BandRect() const {
  if (!Axis() || !ParentChart()) return {};
  const TRect& plot = ParentChart()->ChartRect();
  const Integer a = Axis()->CalcPosValue(FStartValue), b = Axis()->CalcPosValue(FEndValue);
  if (Axis()->Horizontal()) return TRect{std::min(a, b), plot.top, std::max(a, b), plot.bottom};
  return TRect{plot.left, std::min(a, b), plot.right, std::max(a, b)};
}

Integer TColorBandTool::EdgeAt(Integer X, Integer Y) const {
  if (!Axis() || !ParentChart()) return 0;
  const TRect& plot = ParentChart()->ChartRect();
  if (X < plot.left || X > plot.right || Y < plot.top || Y > plot.bottom) return 0;
  const Integer along = Axis()->Horizontal() ? X : Y;
  if (FResizeStart && std::abs(along - Axis()->CalcPosValue(FStartValue)) < kEdgeTolerance) return 1;
  if (FResizeEnd && std::abs(along - Axis()->CalcPosValue(FEndValue)) < kEdgeTolerance) return 2;
  return 0;
}

void TColorBandTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomToolAxis::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  if (!chart || !Axis() || !chart->Canvas()) return;
  const TChartToolEvent when = FDrawBehindAxes ? cteBeforeDrawAxes : FDrawBehind ? cteBeforeDrawSeries : cteAfterDraw;
  if (Kind != when) return;
  TPlotCanvas3D& canvas = *chart->Canvas();
  const TRect r = BandRect();
  if (r.right < r.left || r.bottom < r.top) return;
  if (FTransparency > 0) canvas.BeginBlending(r, FTransparency);
  if (FGradient->Visible) {
    FGradient->Draw(&canvas, r);
  } else if (Brush()->Style() != fw::bsClear) {
    canvas.Brush()->SetStyle(Brush()->Style());
    canvas.Brush()->SetColor(FColor);
    canvas.FillRect(TRect{r.left, r.top, r.right + 1, r.bottom + 1});
  }
  if (FTransparency > 0) canvas.EndBlending();
  if (Pen()->Visible()) {
    canvas.AssignVisiblePenColor(Pen(), Pen()->Color());
    canvas.Brush()->SetStyle(fw::bsClear);
    canvas.Rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
  }
  // The edges that can be dragged show their own pens.
  const Integer edges[] = {Axis()->CalcPosValue(FStartValue), Axis()->CalcPosValue(FEndValue)};
  const TChartPen* pens[] = {FResizeStart ? FStartLinePen.get() : nullptr, FResizeEnd ? FEndLinePen.get() : nullptr};
  const TRect& plot = chart->ChartRect();
  for (int i = 0; i < 2; ++i) {
    if (!pens[i] || !pens[i]->Visible()) continue;
    canvas.AssignVisiblePenColor(pens[i], pens[i]->Color());
    if (Axis()->Horizontal())
      canvas.Line(edges[i], plot.top, edges[i], plot.bottom + 1);
    else
      canvas.Line(plot.left, edges[i], plot.right + 1, edges[i]);
  }
}

void TColorBandTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                      Integer X, Integer Y) {
  TPlotCustomToolAxis::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = ParentChart();
  TChartAxis* axis = Axis();
  if (!chart || !axis) return;
  const TRect r = BandRect();
  const bool inside = X >= r.left && X <= r.right && Y >= r.top && Y <= r.bottom;
  switch (Kind) {
    case cmeDown:
      // The edges come first; a press inside the band is only told.
      FDragEdge = Button == fw::mbLeft ? EdgeAt(X, Y) : 0;
      if (FDragEdge != 0) {
        chart->SetCancelMouse(true);
      } else if (inside && OnClick) {
        OnClick(this, Button, Shift, X, Y);
      }
      break;
    case cmeMove:
      if (FDragEdge != 0) {
        const double v = std::clamp(axis->CalcPosPoint(axis->Horizontal() ? X : Y), axis->Minimum(), axis->Maximum());
        if (FDragEdge == 1)
          SetStartValue(v);
        else
          SetEndValue(v);
        chart->SetCancelMouse(true);
      } else if (const Integer edge = EdgeAt(X, Y)) {
        chart->SetCursor(axis->Horizontal() ? fw::crHSplit : fw::crVSplit);
        chart->SetCancelMouse(true);
        (void)edge;
      } else if (inside && FCursor != fw::crDefault) {
        chart->SetCursor(FCursor);
        chart->SetCancelMouse(true);
      }
      break;
    case cmeUp:
      FDragEdge = 0;
      break;
  }
}

TGridBandTool::TGridBandTool(fw::TComponent* AOwner)
    : TPlotCustomToolAxis(AOwner), FBand1(std::make_unique<TGridBandBrush>()), FBand2(std::make_unique<TGridBandBrush>()) {
  FBand2->SetStyle(fw::bsClear);
}

TGridBandTool::~TGridBandTool() { Hook(false); }

String TGridBandTool::Description() const { return "Grid Band"; }

void TGridBandTool::Hook(bool On) {
  if (!On) {
    if (FHooked) FHooked->OnDrawGrid = nullptr;
    FHooked = nullptr;
    return;
  }
  FHooked = Axis();
  if (FHooked) FHooked->OnDrawGrid = [this](TChartAxis& Sender, TPlotCanvas3D& Canvas) { DrawBands(Sender, Canvas); };
}

void TGridBandTool::SetAxis(TChartAxis* Value) {
  Hook(false);
  TPlotCustomToolAxis::SetAxis(Value);
  Hook(true);
}

void TGridBandTool::ChartDestroying() {
  FHooked = nullptr;  // the axis goes with the chart
  TPlotCustomToolAxis::ChartDestroying();
}

void TGridBandTool::DrawBands(TChartAxis& Axis, TPlotCanvas3D& Canvas) {
  TCustomAxisPanel* chart = ParentChart();
  if (!Active() || !chart) return;
  // From the axis' start through its last tick, nearest the start first.
  std::vector<Integer> edges = Axis.TickPositions();
  const Integer start = Axis.IStartPos();
  std::sort(edges.begin(), edges.end(), [start](Integer a, Integer b) { return std::abs(a - start) < std::abs(b - start); });
  edges.insert(edges.begin(), start);
  const TRect& plot = chart->ChartRect();
  auto* custom = dynamic_cast<TCustomChart*>(chart);
  Canvas.Pen()->SetStyle(fw::psClear);
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
    const TGridBandBrush& band = i % 2 == 0 ? *FBand1 : *FBand2;
    if (band.Style() == fw::bsClear) continue;
    const Integer a = std::min(edges[i], edges[i + 1]), b = std::max(edges[i], edges[i + 1]);
    const TRect r = Axis.Horizontal() ? TRect{a, plot.top, b, plot.bottom} : TRect{plot.left, a, plot.right, b};
    const TColor back = band.BackColor == fw::clNone && custom ? custom->BackWall()->Color() : band.BackColor;
    if (band.Transparency > 0) Canvas.BeginBlending(r, band.Transparency);
    Canvas.SetBackColor(back);
    Canvas.SetBackMode(cbmOpaque);
    Canvas.Brush()->SetStyle(band.Style());
    Canvas.Brush()->SetColor(band.Color());
    Canvas.FillRect(r);
    if (band.Transparency > 0) Canvas.EndBlending();
  }
  Canvas.SetBackMode(cbmTransparent);
}

}  // namespace chart
