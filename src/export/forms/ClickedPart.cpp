#include "export/forms/ClickedPart.h"

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotEngine.h"
#include "chart/SeriesMarks.h"

namespace kvforms {

bool HideClickedPart(chart::TCustomChart& Chart, const chart::TSelectorClickedPart& Part) {
  switch (Part.Part) {
    case chart::cpLegend:
      Chart.Legend()->SetVisible(false);
      return true;
    case chart::cpAxis:
      if (!Part.Axis) return false;
      Part.Axis->SetVisible(false);
      Chart.Invalidate();
      return true;
    case chart::cpTitle:
      Chart.Title()->SetVisible(false);
      return true;
    case chart::cpSubTitle:
      Chart.SubTitle()->SetVisible(false);
      return true;
    case chart::cpFoot:
      Chart.Foot()->SetVisible(false);
      return true;
    case chart::cpSubFoot:
      Chart.SubFoot()->SetVisible(false);
      return true;
    case chart::cpChartRect:
      Chart.BackWall()->Pen()->SetVisible(false);
      Chart.Invalidate();
      return true;
    case chart::cpSeriesMarks:
      if (!Part.Series) return false;
      Part.Series->Marks()->SetVisible(false);
      return true;
    default:
      return false;
  }
}

}  // namespace kvforms
