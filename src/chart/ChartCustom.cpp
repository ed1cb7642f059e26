// The chart: titles, legend and walls, their layout and drawing, and what lies under a pixel.
#include <algorithm>

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/SeriesMarks.h"
#include "platform/kernel/Rects.h"

namespace chart {

TCustomChart::TCustomChart(fw::TComponent* AOwner) : TCustomAxisPanel(AOwner) {
  auto title = [this](bool Foot) {
    auto* t = new TChartTitle(this);
    t->SetIsFoot(Foot);
    t->SetParentChart(this);
    return t;
  };
  FTitle = title(false);
  FSubTitle = title(false);
  FFoot = title(true);
  FSubFoot = title(true);
  auto wall = [this]() {
    auto* w = new TChartWall(this);
    w->SetParentChart(this);
    return w;
  };
  FLegend = new TChartLegend(this);
  FLegend->SetParentChart(this);
  FBackWall = wall();
  FLeftWall = wall();
  FBottomWall = wall();
}

TCustomChart::~TCustomChart() {
  SetAutoRepaint(false);
  DestroyComponents();
}

void TCustomChart::CalcTitlesAndLegend(TPlotCanvas3D& Canvas, TRect& R) {
  FTitle->CalcRect(Canvas, R);
  FSubTitle->CalcRect(Canvas, R);
  // The subfoot lies below the foot: it takes the bottom first.
  FSubFoot->CalcRect(Canvas, R);
  FFoot->CalcRect(Canvas, R);
  if (FLegend->Visible()) FLegend->CalcRect(Canvas, R);
}

void TCustomChart::DrawWalls(TPlotCanvas3D& Canvas, const TRect& PlotRect) {
  const TView3DSettings& view = Canvas.View();
  const Integer l = PlotRect.left, t = PlotRect.top, r = PlotRect.right, b = PlotRect.bottom;
  if (!view.View3D || view.Depth <= 0) {
    // The wall's frame runs along the axes' end pixels.
    FBackWall->DrawWall(Canvas, TRect{l, t, r + 1, b + 1});
    return;
  }
  const Integer d = view.Depth;
  const win::POINT back[4] = {Canvas.Calc3DPos(l, t, d), Canvas.Calc3DPos(r, t, d), Canvas.Calc3DPos(r, b, d),
                              Canvas.Calc3DPos(l, b, d)};
  FBackWall->DrawFace(Canvas, back, 4);
  const win::POINT left[4] = {Canvas.Calc3DPos(l, t, 0), Canvas.Calc3DPos(l, t, d), Canvas.Calc3DPos(l, b, d),
                              Canvas.Calc3DPos(l, b, 0)};
  FLeftWall->DrawFace(Canvas, left, 4);
  const win::POINT bottom[4] = {Canvas.Calc3DPos(l, b, 0), Canvas.Calc3DPos(r, b, 0), Canvas.Calc3DPos(r, b, d),
                                Canvas.Calc3DPos(l, b, d)};
  FBottomWall->DrawFace(Canvas, bottom, 4);
}

void TCustomChart::DrawTitlesAndLegend(TPlotCanvas3D& Canvas) {
  FTitle->Draw(Canvas);
  FSubTitle->Draw(Canvas);
  FFoot->Draw(Canvas);
  FSubFoot->Draw(Canvas);
  if (FLegend->Visible()) FLegend->Draw(Canvas);
}

void TCustomChart::PartAt(const fw::TPoint& P, TSelectorClickedPart& Part) {
  Part = TSelectorClickedPart{};
  const Integer x = P.x, y = P.y;
  if (FLegend->Visible()) {
    if (win::PtInRect(&FLegend->ShapeBounds(), win::POINT{x, y})) {
      Part.Part = cpLegend;
      Part.PointIndex = FLegend->Clicked(x, y);
      return;
    }
  }
  const struct {
    TChartTitle* title;
    TSelectorPartCode code;
  } titles[] = {{FTitle, cpTitle}, {FSubTitle, cpSubTitle}, {FFoot, cpFoot}, {FSubFoot, cpSubFoot}};
  for (const auto& t : titles)
    if (t.title->Clicked(x, y)) {
      Part.Part = t.code;
      return;
    }
  // Before the first layout (or with no room for a plot) the axes and series have no place yet.
  const TRect& plot = ChartRect();
  const bool laidOut = plot.right > plot.left && plot.bottom > plot.top;
  if (!laidOut) return;
  // Marks lie over the series and their boxes are what a click on them means; the series drawn
  // last lies on top.
  for (Integer i = SeriesCount() - 1; i >= 0; --i) {
    TChartSeries* s = Series(i);
    if (!s->Active() || !s->Marks()) continue;
    const Integer mark = s->Marks()->Clicked(x, y);
    if (mark >= 0) {
      Part.Part = cpSeriesMarks;
      Part.Series = s;
      Part.PointIndex = mark;
      return;
    }
  }
  for (TChartAxis* axis : AxesList())
    if (AxisShown(axis) && axis->Clicked(x, y)) {
      Part.Part = cpAxis;
      Part.Axis = axis;
      return;
    }
  for (Integer i = SeriesCount() - 1; i >= 0; --i) {
    TChartSeries* s = Series(i);
    if (!s->Active()) continue;
    const Integer point = s->PointAt(x, y);
    if (point >= 0) {
      Part.Part = cpSeries;
      Part.Series = s;
      Part.PointIndex = point;
      return;
    }
  }
  if (SeriesCount() > 0 && x >= plot.left && x <= plot.right && y >= plot.top && y <= plot.bottom)
    Part.Part = cpChartRect;
}

TChart::TChart(fw::TComponent* AOwner) : TCustomChart(AOwner) {}
TChart::~TChart() = default;

}  // namespace chart
