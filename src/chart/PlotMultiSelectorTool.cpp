// Selection of series and chart elements by the mouse, its handles, and shape dragging.
#include "chart/PlotMultiSelectorTool.h"

#include <cstdlib>

#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotToolsAnnotation.h"
#include "chart/SeriesMarks.h"

namespace chart {

namespace {
// A press this close to the chart's bottom-right corner resizes the chart.
constexpr Integer kResizeCorner = 8;
// A shape starts to follow the mouse once it is this many pixels away along one axis.
constexpr Integer kDragThreshold = 2;
// A long series shows about this many evenly spaced handles.
constexpr Integer kSeriesHandles = 35;
}  // namespace

TMultiSelectorTool::TMultiSelectorTool(fw::TComponent* AOwner) : TPlotCustomTool(AOwner) {}

TMultiSelectorTool::~TMultiSelectorTool() {
  if (ParentChart()) ParentChart()->RemoveListener(this);
}

void TMultiSelectorTool::SetParentChart(TCustomAxisPanel* Value) {
  if (Value == ParentChart()) return;
  if (ParentChart()) ParentChart()->RemoveListener(this);
  ResetSelection();
  FPreviousSelection.Clear();
  TPlotCustomTool::SetParentChart(Value);
  if (Value) Value->AddListener(this);
}

void TMultiSelectorTool::ChartDestroying() {
  ResetSelection();
  FPreviousSelection.Clear();
  TPlotCustomTool::ChartDestroying();
}

void TMultiSelectorTool::SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) {
  if (Event != seRemove) return;
  FPreviousSelection.Remove(Series);
  const bool selected = FSelectedSeries.Remove(Series) >= 0;
  const bool focused = FClickedPart.Series == Series;
  if (!selected && !focused) return;
  if (focused) {
    FClickedPart.Series = FSelectedSeries.Count() > 0 ? FSelectedSeries[0] : nullptr;
    if (!FClickedPart.Series) FClickedPart.Part = cpNone;
  }
  DoSelected();
}

void TMultiSelectorTool::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TPlotCustomTool::Notification(AComponent, Operation);
  if (Operation != fw::opRemove || AComponent != FSelectedAnnotation) return;
  FSelectedAnnotation = nullptr;
  FSelectedShape = nullptr;
  FDragging = false;
}

void TMultiSelectorTool::SetHandleSize(Integer Value) { Store(FHandleSize, Value); }

void TMultiSelectorTool::ResetSelection() {
  FClickedPart.Part = cpNone;
  FClickedPart.Series = nullptr;
  FClickedPart.Axis = nullptr;
  FSelectedShape = nullptr;
  FSelectedWall = nullptr;
  FSelectedAnnotation = nullptr;
  FSelectedSeries.Clear();
}

void TMultiSelectorTool::DoSelected() {
  InvalidateChart();
  if (OnSelected) OnSelected(this);
}

void TMultiSelectorTool::SelectSeries(TChartSeries* Value) {
  if (FClickedPart.Part == cpSeries && FClickedPart.Series == Value) return;
  ResetSelection();
  if (Value) {
    FSelectedSeries.Add(Value);
    FClickedPart.Part = cpSeries;
  }
  FClickedPart.Series = Value;
  FClickedPart.PointIndex = -1;
  DoSelected();
}

void TMultiSelectorTool::SelectAll() {
  if (!ParentChart() || ParentChart()->SeriesCount() == 0) return;
  ResetSelection();
  FSelectedSeries.Assign(ParentChart()->SeriesList());
  FClickedPart.Part = cpSeries;
  FClickedPart.Series = ParentChart()->Series(0);
  FClickedPart.PointIndex = -1;
  DoSelected();
}

void TMultiSelectorTool::InvertSelection() {
  if (!ParentChart() || ParentChart()->SeriesCount() == 0) return;
  const TChartSeriesList before = FSelectedSeries;
  ResetSelection();
  for (TChartSeries* s : ParentChart()->SeriesList())
    if (before.IndexOf(s) < 0) FSelectedSeries.Add(s);
  // OnSelected sees no part during an inversion; the part follows afterwards.
  DoSelected();
  if (FSelectedSeries.Count() == 0) return;
  FClickedPart.Part = cpSeries;
  FClickedPart.Series = FSelectedSeries[0];
  FClickedPart.PointIndex = -1;
}

void TMultiSelectorTool::ClearSelection() {
  if (FClickedPart.Part == cpNone && !FSelectedShape && !FSelectedWall && !FSelectedAnnotation) return;
  ResetSelection();
  DoSelected();
}

String TMultiSelectorTool::Description() const { return "MultiSelector"; }

void TMultiSelectorTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                          Integer X, Integer Y) {
  TPlotCustomTool::HandleMouseEvent(Kind, Button, Shift, X, Y);
  // The second press of a double click keeps what the first one selected.
  if (Shift.Contains(fw::ssDouble) || !ParentChart()) return;
  switch (Kind) {
    case cmeDown:
      if (Button == fw::mbLeft || Button == fw::mbRight) MouseDown(Button, Shift, X, Y);
      break;
    case cmeMove:
      MouseMove(X, Y);
      break;
    case cmeUp:
      if (FDragMoved && OnDragged) OnDragged(this);
      if (FChartResized && OnResized) OnResized(this);
      FDragging = FDragMoved = FResizingChart = FChartResized = false;
      break;
  }
}

void TMultiSelectorTool::ProbeParts(TCustomChart& Chart, Integer X, Integer Y) {
  // A one-pixel line is hard to hit: the diagonal neighbours count for series.
  static constexpr Integer probes[][2] = {{0, 0}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  for (const auto& d : probes) {
    Chart.PartAt(fw::TPoint{X + d[0], Y + d[1]}, FClickedPart);
    if (FClickedPart.Part == cpSeries) return;
  }
}

void TMultiSelectorTool::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  TCustomAxisPanel& chart = *ParentChart();
  if (FAllowResizeChart && Button == fw::mbLeft && std::abs(X - chart.Width()) <= kResizeCorner &&
      std::abs(Y - chart.Height()) <= kResizeCorner) {
    FResizingChart = true;
    FChartResized = false;
    return;
  }
  FResizingChart = false;
  FPreviousSelection = FSelectedSeries;
  ResetSelection();
  // An annotation's box lies over everything else; every annotation counts, active or not.
  for (TPlotCustomTool* tool : chart.Tools())
    if (auto* note = dynamic_cast<TAnnotationTool*>(tool); note && note->Clicked(X, Y)) {
      FSelectedAnnotation = note;
      FSelectedShape = note->Shape();
      note->FreeNotification(this);
      break;
    }
  auto* custom = dynamic_cast<TCustomChart*>(&chart);
  if (!FSelectedAnnotation && custom) ProbeParts(*custom, X, Y);

  if (FClickedPart.Part == cpSeries) {
    TChartSeries* clicked = FClickedPart.Series;
    if (Shift.Contains(fw::ssCtrl)) {
      if (FPreviousSelection.Remove(clicked) >= 0) {
        FClickedPart.Series = FPreviousSelection.Count() > 0 ? FPreviousSelection[0] : nullptr;
        if (!FClickedPart.Series) FClickedPart.Part = cpNone;
      } else {
        FPreviousSelection.Add(clicked);
      }
      FSelectedSeries = FPreviousSelection;
    } else {
      FSelectedSeries.Add(clicked);
    }
  }
  switch (custom && !FSelectedAnnotation ? FClickedPart.Part : cpNone) {
    case cpLegend: FSelectedShape = custom->Legend(); break;
    case cpTitle: FSelectedShape = custom->Title(); break;
    case cpSubTitle: FSelectedShape = custom->SubTitle(); break;
    case cpFoot: FSelectedShape = custom->Foot(); break;
    case cpSubFoot: FSelectedShape = custom->SubFoot(); break;
    case cpChartRect: FSelectedWall = custom->BackWall(); break;
    default: break;
  }
  DoSelected();

  if (Button != fw::mbLeft) return;
  FDragging = FAllowDrag && FSelectedShape;
  if (!FDragging) return;
  chart.SetCancelMouse(true);
  FDragOffsetX = FSelectedShape->Left() - X;
  FDragOffsetY = FSelectedShape->Top() - Y;
  FDragMoved = false;
}

void TMultiSelectorTool::MouseMove(Integer X, Integer Y) {
  TCustomAxisPanel& chart = *ParentChart();
  if (FDragging && FSelectedShape) {
    const Integer left = FDragOffsetX + X, top = FDragOffsetY + Y;
    if (FSelectedShape->Left() != left && (FDragMoved || std::abs(FSelectedShape->Left() - left) > kDragThreshold)) {
      FSelectedShape->SetLeft(left);
      FDragMoved = true;
    }
    if (FSelectedShape->Top() != top && (FDragMoved || std::abs(FSelectedShape->Top() - top) > kDragThreshold)) {
      FSelectedShape->SetTop(top);
      FDragMoved = true;
    }
    if (OnDragging) OnDragging(this);
  } else if (FResizingChart) {
    if (chart.Align() != fw::alNone) chart.SetAlign(fw::alNone);
    // A chart dragged past its own origin keeps one pixel.
    const Integer width = std::max<Integer>(X, 1), height = std::max<Integer>(Y, 1);
    if (chart.Width() != width) chart.SetWidth(width);
    if (chart.Height() != height) chart.SetHeight(height);
    FChartResized = true;
    if (OnResizing) OnResizing(this);
  }
}

void TMultiSelectorTool::DrawHandle(TPlotCanvas3D& Canvas, Integer X, Integer Y, Integer Z) const {
  const TRect r{X - FHandleSize, Y - FHandleSize, X + FHandleSize, Y + FHandleSize};
  if (Z < 0)
    Canvas.Rectangle(r.left, r.top, r.right, r.bottom);
  else
    Canvas.PlaneAtZ(r, Z);
}

void TMultiSelectorTool::DrawCorners(TPlotCanvas3D& Canvas, const win::RECT& R) const {
  if (R.right - R.left <= 0) return;
  DrawHandle(Canvas, R.left, R.top, -1);
  DrawHandle(Canvas, R.left, R.bottom, -1);
  DrawHandle(Canvas, R.right, R.top, -1);
  DrawHandle(Canvas, R.right, R.bottom, -1);
}

void TMultiSelectorTool::DrawSeriesHandles(TPlotCanvas3D& Canvas, TChartSeries& Series, bool Marks) const {
  const Integer count = Series.Count();
  // A hidden series stays selected but is not drawn: its points' places, not scaled with the
  // axes nor kept in view, would put handles anywhere, over the axes' labels too.
  if (!Series.Active() || count == 0 || !Series.HorizAxis() || !Series.VertAxis()) return;
  const Integer first = Series.FirstValueIndex() < 0 ? 0 : Series.FirstValueIndex();
  const Integer last = Series.LastValueIndex() < 0 ? count - 1 : std::min(Series.LastValueIndex(), count - 1);
  Integer n = Series.LastValueIndex() - Series.FirstValueIndex();
  if (n == 0) n = count;
  const Integer step = n > kSeriesHandles ? n / kSeriesHandles : 1;
  for (Integer i = first; i <= last; i += step) {
    if (!Marks) {
      if (Series.PointIsDrawable(i)) DrawHandle(Canvas, Series.PointPixelX(i), Series.PointPixelY(i), Series.MiddleZ());
      continue;
    }
    if (const TSeriesMarkPosition* mark = Series.Marks() ? Series.Marks()->Positions().Position(i) : nullptr) {
      const win::RECT r = mark->Bounds();
      if (r.right - r.left <= 0) continue;
      for (const fw::TPoint p : {fw::TPoint{r.left, r.top}, fw::TPoint{r.left, r.bottom}, fw::TPoint{r.right, r.top},
                                 fw::TPoint{r.right, r.bottom}})
        DrawHandle(Canvas, p.x, p.y, Series.MiddleZ());
    }
  }
}

void TMultiSelectorTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomTool::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  if (Kind != cteAfterDraw || !chart || chart->Printing() || !chart->Canvas()) return;
  TPlotCanvas3D& canvas = *chart->Canvas();
  canvas.AssignVisiblePenColor(Pen(), Pen()->Color());
  canvas.Brush()->SetStyle(fw::bsSolid);
  canvas.Brush()->SetColor(Brush()->Color());
  auto* custom = dynamic_cast<TCustomChart*>(chart);
  if (FSelectedShape) {
    DrawCorners(canvas, FSelectedShape->ShapeBounds());
    return;
  }
  switch (FClickedPart.Part) {
    case cpNone: {
      const TRect c = chart->ClientRect();
      DrawCorners(canvas, TRect{c.left + FHandleSize, c.top + FHandleSize, c.right - FHandleSize, c.bottom - FHandleSize});
      break;
    }
    case cpLegend:
      if (custom && custom->Legend()->Visible()) DrawCorners(canvas, custom->Legend()->ShapeBounds());
      break;
    case cpAxis:
      if (FClickedPart.Axis) DrawCorners(canvas, FClickedPart.Axis->AxisRect());
      break;
    case cpSeries:
    case cpSeriesMarks:
      for (TChartSeries* s : FSelectedSeries) DrawSeriesHandles(canvas, *s, FClickedPart.Part == cpSeriesMarks);
      break;
    case cpTitle:
      if (custom) DrawCorners(canvas, custom->Title()->ShapeBounds());
      break;
    case cpFoot:
      if (custom) DrawCorners(canvas, custom->Foot()->ShapeBounds());
      break;
    case cpSubTitle:
      if (custom) DrawCorners(canvas, custom->SubTitle()->ShapeBounds());
      break;
    case cpSubFoot:
      if (custom) DrawCorners(canvas, custom->SubFoot()->ShapeBounds());
      break;
    case cpChartRect: {
      const TRect& p = chart->ChartRect();
      const Integer depth = chart->View3D() ? chart->View3DOptions().Depth : 0;
      for (const fw::TPoint corner :
           {fw::TPoint{p.left, p.top}, fw::TPoint{p.right, p.top}, fw::TPoint{p.left, p.bottom},
            fw::TPoint{p.right, p.bottom}}) {
        const fw::TPoint q = canvas.Calc3DPoint(corner, depth);
        DrawHandle(canvas, q.x, q.y, -1);
      }
      break;
    }
  }
}

}  // namespace chart
