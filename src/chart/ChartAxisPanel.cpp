// The axis panel: series list and its events, the axes, the tools, the paint protocol.
#include <algorithm>
#include <cmath>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotTools.h"
#include "platform/user/messages/Input.h"
#include "platform/user/services/SysMetrics.h"

namespace chart {

namespace {
// Room between the panel's edge and what is drawn on it.
constexpr Integer PanelMargin = 10;

// Raises a flag for the lifetime of the object, also when drawing throws.
struct FlagScope {
  bool& flag;
  explicit FlagScope(bool& f) : flag(f) { flag = true; }
  ~FlagScope() { flag = false; }
};
}  // namespace

TCustomAxisPanel::TCustomAxisPanel(fw::TComponent* AOwner)
    : TCustomPlotPanelExtended(AOwner), FView3D(std::make_unique<TView3DSettings>()) {
  NewAxis(true, false);   // bottom
  NewAxis(true, true);    // top
  NewAxis(false, false);  // left
  NewAxis(false, true);   // right
  NewAxis(true, false)->SetVisible(false);  // depth
  NewAxis(true, true)->SetVisible(false);   // depth top
}

TCustomAxisPanel::~TCustomAxisPanel() {
  SetAutoRepaint(false);
  for (TPlotCustomTool* tool : FTools) tool->ChartDestroying();
  FTools.clear();
  for (TChartSeries* s : FSeriesList) {
    s->RemoveListener(this);
    s->RemoveFreeNotification(this);
    LeaveAxes(s);
  }
  // The series forget the chart without calling back.
  const TChartSeriesList keep = FSeriesList;
  FSeriesList.Clear();
  FSeriesComponents.clear();
  for (TChartSeries* s : keep) s->SetParentChart(nullptr);
}

TChartAxis* TCustomAxisPanel::NewAxis(bool Horizontal, bool OtherSide) {
  auto axis = std::make_unique<TChartAxis>(Horizontal);
  axis->SetOtherSide(OtherSide);
  axis->SetSeriesList(&FSeriesList);
  axis->SetParentChart(this);
  axis->OnChange = [this](fw::TObject* Sender) { AxisChanged(Sender); };
  FAxesList.push_back(axis.get());
  FAxes.push_back(std::move(axis));
  return FAxesList.back();
}

TChartAxis* TCustomAxisPanel::AddCustomAxis(bool Horizontal) { return NewAxis(Horizontal, false); }

TChartAxis* TCustomAxisPanel::OwnAxis(TChartAxis* Axis, TChartAxis* Default) const {
  if (!Axis) return Default;
  if (Axis->ParentChart() == this) return Axis;
  // An axis of another chart: the one in the same place of this chart's list.
  if (const TCustomAxisPanel* other = Axis->ParentChart()) {
    const auto& list = other->AxesList();
    const auto it = std::find(list.begin(), list.end(), Axis);
    const std::size_t i = std::size_t(it - list.begin());
    if (it != list.end() && i < FAxesList.size()) return FAxesList[i];
  }
  return Default;
}

void TCustomAxisPanel::LeaveAxes(TChartSeries* Series) const {
  // The axes stay with the chart: a series that leaves must not point at them.
  if (Series->HorizAxis() && Series->HorizAxis()->ParentChart() == this) Series->SetHorizAxis(nullptr);
  if (Series->VertAxis() && Series->VertAxis()->ParentChart() == this) Series->SetVertAxis(nullptr);
}

void TCustomAxisPanel::AxisChanged(fw::TObject*) { Invalidate(); }

void TCustomAxisPanel::AddSeries(TChartSeries* Series) {
  if (!Series) return;
  if (Series->ParentChart() != this) {
    Series->SetParentChart(this);  // leaves the old chart, then comes back here
    return;
  }
  if (FSeriesList.IndexOf(Series) >= 0) return;
  if (!Series->HasSeriesColor()) Series->SetSeriesColor(FreePaletteColor());
  FSeriesList.Add(Series);
  FSeriesComponents.emplace_back(Series, Series);
  Series->SetHorizAxis(OwnAxis(Series->HorizAxis(), BottomAxis()));
  Series->SetVertAxis(OwnAxis(Series->VertAxis(), LeftAxis()));
  Series->AddListener(this);
  Series->FreeNotification(this);
  Broadcast(Series, seAdd);
  Invalidate();
}

TColor TCustomAxisPanel::FreePaletteColor() const {
  for (Integer i = 0; i < PlotPaletteSize; ++i) {
    const TColor candidate = PlotDefaultPaletteColor(i);
    if (std::none_of(FSeriesList.begin(), FSeriesList.end(),
                     [&](const TChartSeries* other) { return other->SeriesColor() == candidate; }))
      return candidate;
  }
  return PlotDefaultPaletteColor(FSeriesList.Count() % PlotPaletteSize);
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* Series) {
  if (!Series) return;
  if (Series->ParentChart() == this) {
    Series->SetParentChart(nullptr);  // comes back here
    return;
  }
  if (FSeriesList.IndexOf(Series) < 0) return;
  FSeriesList.Remove(Series);
  ForgetComponent(Series);
  LeaveAxes(Series);
  Series->RemoveListener(this);
  Series->RemoveFreeNotification(this);
  Broadcast(Series, seRemove);
  Invalidate();
}

void TCustomAxisPanel::ExchangeSeries(TChartSeries* Series1, TChartSeries* Series2) {
  const Integer a = FSeriesList.IndexOf(Series1), b = FSeriesList.IndexOf(Series2);
  if (a < 0 || b < 0 || a == b) return;
  FSeriesList.Exchange(a, b);
  Broadcast(Series1, seSwap);
  Invalidate();
}

void TCustomAxisPanel::AddListener(TChartSeriesListener* Listener) {
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TCustomAxisPanel::RemoveListener(TChartSeriesListener* Listener) {
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), Listener), FListeners.end());
}

void TCustomAxisPanel::Broadcast(TChartSeries* Series, TChartSeriesEvent Event) {
  // A copy: a listener may remove itself while it is told.
  const std::vector<TChartSeriesListener*> listeners = FListeners;
  for (TChartSeriesListener* l : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), l) != FListeners.end()) l->SeriesEvent(Series, Event);
}

void TCustomAxisPanel::SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) {
  Broadcast(Series, Event);
  Invalidate();
}

void TCustomAxisPanel::ForgetComponent(const fw::TComponent* Component) {
  FSeriesComponents.erase(std::remove_if(FSeriesComponents.begin(), FSeriesComponents.end(),
                                         [&](const auto& e) { return e.first == Component; }),
                          FSeriesComponents.end());
}

void TCustomAxisPanel::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  if (Operation == fw::opRemove) {
    // A series being freed is no longer a series: it is found by the component address it had
    // when it joined, and never cast or called.
    const auto it = std::find_if(FSeriesComponents.begin(), FSeriesComponents.end(),
                                 [&](const auto& e) { return e.first == AComponent; });
    if (it != FSeriesComponents.end()) {
      TChartSeries* gone = it->second;
      FSeriesComponents.erase(it);
      FSeriesList.Remove(gone);
      Broadcast(gone, seRemove);
      Invalidate();
    }
  }
  TCustomPlotPanelExtended::Notification(AComponent, Operation);
}

double TCustomAxisPanel::MinimumXOnAxis(const TChartAxis* Axis) const { return chart::MinimumXOnAxis(FSeriesList, Axis); }
double TCustomAxisPanel::MaximumXOnAxis(const TChartAxis* Axis) const { return chart::MaximumXOnAxis(FSeriesList, Axis); }

void TCustomAxisPanel::AddTool(TPlotCustomTool* Tool) {
  if (Tool && std::find(FTools.begin(), FTools.end(), Tool) == FTools.end()) {
    FTools.push_back(Tool);
    Invalidate();
  }
}

void TCustomAxisPanel::RemoveTool(TPlotCustomTool* Tool) {
  const auto it = std::find(FTools.begin(), FTools.end(), Tool);
  if (it == FTools.end()) return;
  FTools.erase(it);
  Invalidate();
}

fw::TPoint TCustomAxisPanel::GetCursorPos() {
  win::POINT p{};
  if (HandleAllocated() && win::GetCursorPos(&p)) return ScreenToClient(p);
  return FCursorPos;
}

bool TCustomAxisPanel::View3D() const { return FView3D->View3D; }

void TCustomAxisPanel::SetView3D(bool Value) {
  if (FView3D->View3D == Value) return;
  FView3D->View3D = Value;
  Invalidate();
}

void TCustomAxisPanel::BroadcastToolEvent(Integer Kind) {
  const std::vector<TPlotCustomTool*> tools = FTools;
  for (TPlotCustomTool* tool : tools)
    if (std::find(FTools.begin(), FTools.end(), tool) != FTools.end() && tool->Active())
      tool->HandleChartEvent(TChartToolEvent(Kind));
}

void TCustomAxisPanel::CalcTitlesAndLegend(TPlotCanvas3D&, TRect&) {}
void TCustomAxisPanel::DrawWalls(TPlotCanvas3D&, const TRect&) {}
void TCustomAxisPanel::DrawTitlesAndLegend(TPlotCanvas3D&) {}

bool TCustomAxisPanel::IsDepthAxis(const TChartAxis* Axis) const {
  return Axis == FAxesList[4] || Axis == FAxesList[5];
}

bool TCustomAxisPanel::AxisShown(const TChartAxis* Axis) const {
  if (!Axis->Visible() || IsDepthAxis(Axis)) return false;
  if (Axis == BottomAxis() || Axis == LeftAxis()) return true;
  for (TChartSeries* s : FSeriesList)
    if (s->Active() && s->IsOnAxis(Axis)) return true;
  return false;
}

Integer TCustomAxisPanel::Depth3D(const TRect& R) const {
  if (!FView3D->View3D) return 0;
  if (FView3D->Depth > 0) return FView3D->Depth;
  const Integer side = std::min(R.right - R.left, R.bottom - R.top);
  return std::max<Integer>(0, side * std::clamp<Integer>(FView3D->Chart3DPercent, 0, 100) / 100);
}

void TCustomAxisPanel::SetMaxPointsPerPage(Integer Value) {
  Value = std::max<Integer>(0, Value);
  if (FMaxPointsPerPage == Value) return;
  FMaxPointsPerPage = Value;
  Invalidate();
}

void TCustomAxisPanel::WidenAxesBySeriesMargins() {
  for (TChartAxis* axis : FAxesList) {
    if (IsDepthAxis(axis) || !(axis->Automatic() || axis->AutomaticMinimum() || axis->AutomaticMaximum())) continue;
    Integer low = 0, high = 0;
    for (TChartSeries* s : FSeriesList) {
      if (!s->Active() || !s->IsOnAxis(axis) || s->Count() == 0) continue;
      Integer l = 0, h = 0;
      s->CalcAxisMargins(*axis, l, h);
      low = std::max(low, l), high = std::max(high, h);
    }
    if (low > 0 || high > 0) axis->WidenByPixels(low, high);
  }
}

void TCustomAxisPanel::InternalDraw(TPlotCanvas3D& Canvas, const TRect& R) {
  const FlagScope drawing{FDrawing};
  TCustomPlotPanelExtended::InternalDraw(Canvas, R);
  BroadcastToolEvent(cteBeforeDraw);

  // Layout: titles and legend, the depth, then the room the axes need on each side.
  TRect plot{R.left + PanelMargin, R.top + PanelMargin, R.right - PanelMargin, R.bottom - PanelMargin};
  CalcTitlesAndLegend(Canvas, plot);
  TView3DSettings view = *FView3D;
  view.Depth = Depth3D(plot);
  if (view.View3D && view.Orthogonal) {
    // The box's back face lies up and to the right of the front one.
    Canvas.View() = view;
    const fw::TPoint back = Canvas.Calc3DPos(0, 0, view.Depth);
    plot.right -= std::max<Integer>(0, back.x);
    plot.top += std::max<Integer>(0, -back.y);
  }
  // Only axes with something automatic look at the data (a walk over every point).
  for (TChartAxis* axis : FAxesList)
    if (!IsDepthAxis(axis) && (axis->Automatic() || axis->AutomaticMinimum() || axis->AutomaticMaximum()))
      axis->AdjustMaxMin();
  Integer left = 0, right = 0, top = 0, bottom = 0;
  for (TChartAxis* axis : FAxesList) {
    if (!AxisShown(axis)) continue;
    axis->SetPlotRect(plot);  // the span the labels are measured against
    const Integer need = std::max<Integer>(0, axis->SizeNeeded(Canvas));
    Integer& side = axis->Horizontal() ? (axis->OtherSide() ? top : bottom) : (axis->OtherSide() ? right : left);
    side = std::max(side, need);
  }
  plot.left += left;
  plot.right -= right;
  plot.top += top;
  plot.bottom -= bottom;
  plot.right = std::max(plot.right, plot.left);
  plot.bottom = std::max(plot.bottom, plot.top);
  for (TChartAxis* axis : FAxesList) axis->SetPlotRect(plot);
  WidenAxesBySeriesMargins();
  FChartRect = plot;
  Canvas.View() = view;
  // In the depth view the active series share the box's depth in list order, the first at the
  // front, each in a slot of its own; a flat chart puts them all on the front plane.
  {
    const Integer depth = view.View3D ? view.Depth : 0;
    const Integer active = Integer(std::count_if(FSeriesList.begin(), FSeriesList.end(),
                                                 [](const TChartSeries* s) { return s->Active(); }));
    Integer slot = 0;
    for (TChartSeries* s : FSeriesList) {
      if (!s->Active()) continue;
      s->SetDepthPositions(depth * slot / active, depth * (slot + 1) / active);
      ++slot;
    }
  }

  DrawWalls(Canvas, plot);
  BroadcastToolEvent(cteBeforeDrawAxes);
  for (TChartAxis* axis : FAxesList)
    if (AxisShown(axis)) axis->DrawGrid(Canvas);
  BroadcastToolEvent(cteBeforeDrawSeries);
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
  // The axes' end pixels belong to the plot: the clip reaches one pixel past the rectangle.
  Canvas.ClipRectangle(TRect{plot.left, plot.top, plot.right + 1, plot.bottom + 1});
  for (TChartSeries* s : FSeriesList)
    if (s->Active()) s->DrawAllValues(Canvas);
  Canvas.UnClipRectangle();
  for (TChartSeries* s : FSeriesList)
    if (s->Active()) s->DrawMarks(Canvas);
  BroadcastToolEvent(cteAfterDrawSeries);
  for (TChartAxis* axis : FAxesList)
    if (AxisShown(axis)) axis->Draw(Canvas);
  DrawTitlesAndLegend(Canvas);
  BroadcastToolEvent(cteAfterDraw);
  if (OnAfterDraw) OnAfterDraw(this);
}

void TCustomAxisPanel::Invalidate() {
  // Automatic scaling during a paint changes the axes: that is the picture being drawn.
  if (FDrawing) return;
  TCustomPlotPanelExtended::Invalidate();
}

void TCustomAxisPanel::Paint() {
  const FlagScope inPaint{FInPaint};
  TCustomPlotPanelExtended::Paint();
  // A repaint in the middle of a zoom drag wiped the frame: show it again.
  if (FZoomFrameShown) DrawZoomFrame();
}

bool TCustomAxisPanel::ToolsMouse(Integer Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                                  Integer Y) {
  SetCancelMouse(false);
  const std::vector<TPlotCustomTool*> tools = FTools;
  for (TPlotCustomTool* tool : tools) {
    if (std::find(FTools.begin(), FTools.end(), tool) == FTools.end() || !tool->Active()) continue;
    tool->HandleMouseEvent(TChartMouseEvent(Kind), Button, Shift, X, Y);
    if (CancelMouse()) return false;
  }
  return true;
}

namespace {
bool Inside(const TRect& R, Integer X, Integer Y) { return X >= R.left && X <= R.right && Y >= R.top && Y <= R.bottom; }
}  // namespace

void TCustomAxisPanel::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  FCursorPos = fw::TPoint{X, Y};
  if (OnBeforeMouseDown) {
    bool handled = false;
    OnBeforeMouseDown(Button, Shift, X, Y, handled);
    if (handled) {
      SetCancelMouse(true);
      return;
    }
  }
  ToolsMouse(cmeDown, Button, Shift, X, Y);
  TCustomPlotPanelExtended::MouseDown(Button, Shift, X, Y);  // OnMouseDown may claim it too
  if (CancelMouse() || FDrag != dkNone || !Inside(FChartRect, X, Y)) return;
  if (Button == fw::mbLeft && FAllowZoom)
    FDrag = dkZoom;
  else if (Button == fw::mbRight && FAllowPanning)
    FDrag = dkScroll;
  else
    return;
  FDragStart = FDragLast = fw::TPoint{X, Y};
}

void TCustomAxisPanel::MouseMove(fw::TShiftState Shift, Integer X, Integer Y) {
  FCursorPos = fw::TPoint{X, Y};
  // A tool shows its cursor only while the mouse is over what it handles: each move starts
  // from the chart's own cursor.
  if (FToolCursorShown) SetCursor(FOwnCursor);
  FOwnCursor = Cursor();
  ToolsMouse(cmeMove, fw::mbLeft, Shift, X, Y);
  FToolCursorShown = Cursor() != FOwnCursor;
  TCustomPlotPanelExtended::MouseMove(Shift, X, Y);
  if (CancelMouse()) return;
  if (FDrag == dkZoom) {
    if (FZoomFrameShown) DrawZoomFrame();  // off again (inverting twice)
    FDragLast = fw::TPoint{X, Y};
    DrawZoomFrame();
    FZoomFrameShown = true;
  } else if (FDrag == dkScroll) {
    const Integer dx = X - FDragLast.x, dy = Y - FDragLast.y;
    FDragLast = fw::TPoint{X, Y};
    ScrollAxes(dx, dy);
  }
}

void TCustomAxisPanel::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, Integer X, Integer Y) {
  FCursorPos = fw::TPoint{X, Y};
  ToolsMouse(cmeUp, Button, Shift, X, Y);
  TCustomPlotPanelExtended::MouseUp(Button, Shift, X, Y);
  const TDragKind drag = FDrag;
  FDrag = dkNone;
  if (FZoomFrameShown) {
    DrawZoomFrame();
    FZoomFrameShown = false;
  }
  if (CancelMouse() || drag != dkZoom) return;
  // A click whose hand shook a little is no drag: the pointer must leave the platform's drag
  // rectangle around the press.
  const bool dragged = std::abs(X - FDragStart.x) > win::GetSystemMetrics(win::SM_CXDRAG) / 2 ||
                       std::abs(Y - FDragStart.y) > win::GetSystemMetrics(win::SM_CYDRAG) / 2;
  if (!dragged) return;
  if (X > FDragStart.x && Y > FDragStart.y)
    ZoomRect(TRect{FDragStart.x, FDragStart.y, X, Y});
  else if (X < FDragStart.x && Y < FDragStart.y)
    UndoZoom();
}

void TCustomAxisPanel::WMCancelMode(fw::TMessage& Message) {
  // The mouse was taken away in the middle of a drag: drop it, and its frame; the tools end
  // their gestures as at a release where the mouse was last.
  if (FZoomFrameShown) DrawZoomFrame();
  FZoomFrameShown = false;
  FDrag = dkNone;
  ToolsMouse(cmeUp, fw::mbLeft, fw::TShiftState{}, FCursorPos.x, FCursorPos.y);
  TCustomPlotPanelExtended::WMCancelMode(Message);
}

void TCustomAxisPanel::CMMouseLeave(fw::TMessage& Message) {
  BroadcastToolEvent(cteMouseLeave);
  TCustomPlotPanelExtended::CMMouseLeave(Message);
}

void TCustomAxisPanel::DrawOnWindow(const std::function<void(fw::TCanvas& Canvas)>& Draw) {
  fw::TCanvas* c = fw::TCustomControl::Canvas();
  if (!c || !HandleAllocated()) return;
  Draw(*c);
  c->Pen()->SetMode(fw::pmCopy);
  c->Brush()->SetStyle(fw::bsSolid);
  if (Canvas()) Canvas()->Invalidate();
  // Outside a paint the canvas borrowed the window's DC: give it back now.
  if (!FInPaint) static_cast<fw::TControlCanvas*>(c)->FreeHandle();
}

void TCustomAxisPanel::DrawZoomFrame() {
  DrawOnWindow([this](fw::TCanvas& c) {
    c.Pen()->SetMode(fw::pmNotXor);
    c.Pen()->SetStyle(fw::psSolid);
    c.Pen()->SetColor(fw::clBlack);
    c.Pen()->SetWidth(1);
    c.Brush()->SetStyle(fw::bsClear);
    c.Rectangle(FDragStart.x, FDragStart.y, FDragLast.x, FDragLast.y);
  });
}

void TCustomAxisPanel::ZoomRect(const TRect& R) {
  for (TChartAxis* axis : FAxesList) {
    if (IsDepthAxis(axis) || axis->IAxisSize() == 0) continue;
    const double a = axis->CalcPosPoint(axis->Horizontal() ? R.left : R.top);
    const double b = axis->CalcPosPoint(axis->Horizontal() ? R.right : R.bottom);
    if (std::isfinite(a) && std::isfinite(b) && a != b) axis->SetMinMax(std::min(a, b), std::max(a, b));
  }
  FZoomed = true;
  if (OnZoom) OnZoom(this);
  Invalidate();
}

void TCustomAxisPanel::UndoZoom() {
  for (TChartAxis* axis : FAxesList) {
    if (IsDepthAxis(axis)) continue;
    axis->SetAutomaticMinimum(true);
    axis->SetAutomaticMaximum(true);
    axis->SetAutomatic(true);
  }
  FZoomed = false;
  if (OnUndoZoom) OnUndoZoom(this);
  Invalidate();
}

void TCustomAxisPanel::ScrollAxes(Integer DX, Integer DY) {
  bool scrolled = false;
  for (TChartAxis* axis : FAxesList) {
    if (IsDepthAxis(axis) || !AxisShown(axis)) continue;
    const Integer d = axis->Horizontal() ? DX : DY;
    if (d == 0 || axis->IAxisSize() == 0) continue;
    // The values now at the pixels d before the ends come to the ends: the picture follows.
    const double a = axis->CalcPosPoint(axis->IStartPos() - d), b = axis->CalcPosPoint(axis->IEndPos() - d);
    double lo = std::min(a, b), hi = std::max(a, b);
    bool allow = true;
    if (OnAllowScroll) OnAllowScroll(axis, lo, hi, allow);
    if (!allow || !std::isfinite(lo) || !std::isfinite(hi)) continue;
    axis->SetMinMax(lo, hi);
    scrolled = true;
  }
  if (scrolled && OnScroll) OnScroll(this);
}

}  // namespace chart
