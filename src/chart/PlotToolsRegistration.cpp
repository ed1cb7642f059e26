// Start-up and shutdown registration of the chart tool classes.
#include "chart/PlotToolsRegistration.h"

#include "chart/PlotDragPoint.h"
#include "chart/PlotEngine.h"
#include "chart/PlotToolsAxisArrow.h"
#include "chart/PlotToolsAxisScroll.h"
#include "chart/PlotToolsCursor.h"
#include "chart/PlotToolsMarksTip.h"

namespace chart {

namespace {

std::vector<TPlotClassInfo> ToolClasses() {
  return {PlotClassOf<TCursorTool>({}, "Cursor"), PlotClassOf<TAxisArrowTool>({}, "Axis Arrows"),
          PlotClassOf<TMarksTipTool>({}, "Mark Tips"),
          PlotClassOf<TAxisScrollTool>({}, "Axis Scroll"), PlotClassOf<TDragPointTool>({}, "Drag Point")};
}

}  // namespace

const std::vector<TToolPublishedProperties>& ChartToolPublishedProperties() {
  static const std::vector<TToolPublishedProperties> table = {
      {"TCursorTool", {"Active", "FollowMouse", "Pen", "Series", "Snap", "Style", "UseSeriesZ", "OnChange",
                       "OnSnapChange"}},
      {"TAxisArrowTool", {"Active", "AxisID", "Brush", "Length", "Pen", "Position", "ScrollInverted", "ScrollPercent",
                          "OnClick"}},
      {"TMarksTipTool", {"Active", "MouseAction", "MouseDelay", "Series", "Style", "OnGetText"}},
      {"TAxisScrollTool", {"Active", "AxisID", "ScrollInverted"}},
      {"TDragPointTool", {"Active", "DragStyle", "Series", "OnDragPoint"}},
  };
  return table;
}

void RegisterChartTools() { RegisterToolTypes(ToolClasses()); }

void UnRegisterChartTools() { UnregisterToolTypes(ToolClasses()); }

}  // namespace chart
