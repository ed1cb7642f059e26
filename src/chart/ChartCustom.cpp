// The chart: titles, legend and walls, their layout and drawing, and what lies under a pixel.
#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"

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
  FFoot->CalcRect(Canvas, R);
  FSubFoot->CalcRect(Canvas, R);
}

void TCustomChart::DrawWalls(TPlotCanvas3D& Canvas, const TRect& PlotRect) { FBackWall->DrawWall(Canvas, PlotRect); }

void TCustomChart::DrawTitlesAndLegend(TPlotCanvas3D& Canvas) {
  FTitle->Draw(Canvas);
  FSubTitle->Draw(Canvas);
  FFoot->Draw(Canvas);
  FSubFoot->Draw(Canvas);
}

void TCustomChart::PartAt(const fw::TPoint& P, TSelectorClickedPart& Part) {
  Part = TSelectorClickedPart{};
  if (FTitle->Clicked(P.x, P.y)) Part.Part = cpTitle;
}

TChart::TChart(fw::TComponent* AOwner) : TCustomChart(AOwner) {}
TChart::~TChart() = default;

}  // namespace chart
