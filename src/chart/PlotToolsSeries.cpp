// Clip series, series animation, chart image and drag marks tools.
#include "chart/PlotToolsSeries.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/SeriesMarks.h"
#include "framework/Forms.h"
#include "framework/GraphicsPicture.h"

namespace chart {

TClipSeriesTool::TClipSeriesTool(fw::TComponent* AOwner) : TPlotCustomToolSeries(AOwner) {}

TClipSeriesTool::~TClipSeriesTool() { Hook(false); }

String TClipSeriesTool::Description() const { return "Clip Series"; }

void TClipSeriesTool::SetSeries(TChartSeries* Value) {
  Hook(false);
  TPlotCustomToolSeries::SetSeries(Value);
  Hook(true);
}

void TClipSeriesTool::Hook(bool On) {
  TChartSeries* s = Series();
  if (!s) return;
  if (!On) {
    s->OnBeforeDrawValues = nullptr;
    s->OnAfterDrawValues = nullptr;
    return;
  }
  s->OnBeforeDrawValues = [this](fw::TObject*) {
    TChartSeries* series = Series();
    TCustomAxisPanel* chart = series ? series->ParentChart() : nullptr;
    if (!Active() || !chart || !chart->Canvas() || !series->HorizAxis() || !series->VertAxis()) return;
    const TChartAxis& h = *series->HorizAxis();
    const TChartAxis& v = *series->VertAxis();
    chart->Canvas()->ClipRectangle(TRect{std::min(h.IStartPos(), h.IEndPos()), std::min(v.IStartPos(), v.IEndPos()),
                                         std::max(h.IStartPos(), h.IEndPos()) + 1,
                                         std::max(v.IStartPos(), v.IEndPos()) + 1});
    FClipped = true;
  };
  s->OnAfterDrawValues = [this](fw::TObject*) {
    TChartSeries* series = Series();
    TCustomAxisPanel* chart = series ? series->ParentChart() : nullptr;
    if (!FClipped || !chart || !chart->Canvas()) return;
    FClipped = false;
    // The chart draws its series clipped to the plot (one pixel past it): that clip comes back
    // for the series after this one.
    const TRect& plot = chart->ChartRect();
    chart->Canvas()->ClipRectangle(TRect{plot.left, plot.top, plot.right + 1, plot.bottom + 1});
  };
}

TSeriesAnimationTool::TSeriesAnimationTool(fw::TComponent* AOwner) : TPlotCustomToolSeries(AOwner) {}

TSeriesAnimationTool::~TSeriesAnimationTool() { FStopped = true; }

String TSeriesAnimationTool::Description() const { return "Series Animation"; }

void TSeriesAnimationTool::Show() {
  TChartSeries* s = Series();
  if (!s || !s->ParentChart()) return;
  s->ParentChart()->Repaint();
  if (fw::Application) fw::Application->ProcessMessages();
}

bool TSeriesAnimationTool::Pass(const std::vector<double>& Values, bool Backward) {
  auto list = [this] { return Series() ? Series()->MandatoryValueList() : nullptr; };
  auto restore = [&] {
    if (TChartValueList* l = list())
      for (std::size_t i = 0; i < Values.size() && Integer(i) < l->Count(); ++i) l->SetValue(Integer(i), Values[i]);
    Show();
  };
  const Integer n = Integer(Values.size());
  const double start = FStartAtMin && n > 0 ? *std::min_element(Values.begin(), Values.end()) : FStartValue;
  for (Integer i = 0; i < n; ++i) list()->SetValue(i, start);
  Show();
  const Integer group = FDrawEvery <= 0 ? std::max<Integer>(n, 1) : FDrawEvery;
  // No steps would divide by zero: the values then take their place in one step.
  const Integer steps = std::max<Integer>(FSteps, 1);
  for (Integer g = 0; g < n; g += group) {
    const Integer end = std::min(n, g + group);
    for (Integer step = 0; step <= steps; ++step) {
      TChartValueList* l = list();
      if (!l || l->Count() < n) return false;  // the series went or lost points meanwhile
      const double t = double(step) / steps;
      for (Integer i = g; i < end; ++i)
        l->SetValue(i, Backward ? (1 - t) * Values[std::size_t(i)] : t * Values[std::size_t(i)] + start * (1 - t));
      if (OnStep) OnStep(this, step);
      Show();
      if (FStopped) {
        restore();
        return false;
      }
    }
  }
  restore();
  return true;
}

void TSeriesAnimationTool::Play() {
  TChartSeries* s = Series();
  if (!s || !FStopped) return;
  const TChartValueList* list = s->MandatoryValueList();
  const std::vector<double> values(list->Data(), list->Data() + list->Count());
  s->BeginUpdate();
  FStopped = false;
  bool backward = false;
  while (Pass(values, backward) && FLoop != salNo && !FStopped) {
    if (FLoop == salCircular) backward = !backward;
  }
  FStopped = true;
  if (Series()) Series()->EndUpdate();
}

TChartImageTool::TChartImageTool(fw::TComponent* AOwner)
    : TPlotCustomToolSeries(AOwner), FPicture(std::make_unique<fw::TPicture>()) {}

TChartImageTool::~TChartImageTool() = default;

String TChartImageTool::Description() const { return "Image"; }

TRect TChartImageTool::ImageRect() const {
  TChartAxis* h = HorizontalAxis();
  TChartAxis* v = VerticalAxis();
  if (!h || !v) return {};
  double x0 = h->Minimum(), x1 = h->Maximum(), y0 = v->Minimum(), y1 = v->Maximum();
  if (TChartSeries* s = Series()) {
    x0 = s->MinXValue(), x1 = s->MaxXValue(), y0 = s->MinYValue(), y1 = s->MaxYValue();
  }
  const Integer a = h->CalcPosValue(x0), b = h->CalcPosValue(x1), c = v->CalcPosValue(y0), d = v->CalcPosValue(y1);
  return TRect{std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
}

void TChartImageTool::HandleChartEvent(TChartToolEvent Kind) {
  TPlotCustomToolSeries::HandleChartEvent(Kind);
  TCustomAxisPanel* chart = ParentChart();
  fw::TGraphic* graphic = FPicture->Graphic();
  if (Kind != cteBeforeDrawSeries || !chart || !chart->Canvas() || !graphic || graphic->Empty()) return;
  TPlotCanvas3D& canvas = *chart->Canvas();
  const TRect& plot = chart->ChartRect();
  canvas.ClipRectangle(TRect{plot.left, plot.top, plot.right + 1, plot.bottom + 1});
  canvas.StretchDraw(ImageRect(), graphic);
  canvas.UnClipRectangle();
}

TDragMarksTool::TDragMarksTool(fw::TComponent* AOwner) : TPlotCustomToolSeries(AOwner) {}

TDragMarksTool::~TDragMarksTool() = default;

String TDragMarksTool::Description() const { return "Drag Marks"; }

void TDragMarksTool::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  if (Operation == fw::opRemove && AComponent == FDragSeries) FDragSeries = nullptr;
  TPlotCustomToolSeries::Notification(AComponent, Operation);
}

TChartSeries* TDragMarksTool::MarkAt(Integer X, Integer Y, Integer& Index) const {
  Index = -1;
  auto hit = [&](TChartSeries* s) {
    if (!s->Active() || !s->Marks() || !s->Marks()->Visible()) return false;
    Index = s->Marks()->Clicked(X, Y);
    return Index >= 0;
  };
  if (Series()) return hit(Series()) ? Series() : nullptr;
  for (Integer i = ParentChart()->SeriesCount() - 1; i >= 0; --i)
    if (hit(ParentChart()->Series(i))) return ParentChart()->Series(i);
  return nullptr;
}

void TDragMarksTool::HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift,
                                      Integer X, Integer Y) {
  TPlotCustomToolSeries::HandleMouseEvent(Kind, Button, Shift, X, Y);
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  Integer index = -1;
  switch (Kind) {
    case cmeDown:
      FDragSeries = MarkAt(X, Y, index);
      FDragIndex = index;
      FLast = fw::TPoint{X, Y};
      if (FDragSeries) {
        FDragSeries->FreeNotification(this);
        chart->SetCancelMouse(true);
      }
      break;
    case cmeMove:
      if (FDragSeries) {
        if (TSeriesMarkPosition* p = FDragSeries->Marks()->Positions().Position(FDragIndex)) {
          const Integer dx = X - FLast.x, dy = Y - FLast.y;
          p->Custom = true;
          p->LeftTop.x += dx;
          p->LeftTop.y += dy;
          p->ArrowTo.x += dx;
          p->ArrowTo.y += dy;
          FDragSeries->Repaint();
        }
        FLast = fw::TPoint{X, Y};
        chart->SetCancelMouse(true);
      } else if (MarkAt(X, Y, index)) {
        chart->SetCursor(fw::crHandPoint);
        chart->SetCancelMouse(true);
      }
      break;
    case cmeUp:
      FDragSeries = nullptr;
      FDragIndex = -1;
      break;
  }
}

}  // namespace chart
