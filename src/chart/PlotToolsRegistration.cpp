// Start-up and shutdown registration of the chart tool classes.
#include "chart/PlotToolsRegistration.h"

#include "chart/PlotDragPoint.h"
#include "chart/PlotEngine.h"
#include "chart/PlotToolsAnnotation.h"
#include "chart/PlotToolsAxisArrow.h"
#include "chart/PlotToolsAxisScroll.h"
#include "chart/PlotToolsBands.h"
#include "chart/PlotToolsCursor.h"
#include "chart/PlotToolsDrawLine.h"
#include "chart/PlotToolsLines.h"
#include "chart/PlotToolsMarksTip.h"
#include "chart/PlotToolsSeries.h"

namespace chart {

namespace {

// In gallery order, the drag point tool (registered on its own) last.
std::vector<TPlotClassInfo> ToolClasses() {
  return {PlotClassOf<TCursorTool>({}, "Cursor"),
          PlotClassOf<TDragMarksTool>({}, "Drag Marks"),
          PlotClassOf<TAxisArrowTool>({}, "Axis Arrows"),
          PlotClassOf<TDrawLineTool>({}, "Draw Line"),
          PlotClassOf<TNearestTool>({}, "Nearest Point"),
          PlotClassOf<TColorBandTool>({}, "Color Band"),
          PlotClassOf<TColorLineTool>({}, "Color Line"),
          PlotClassOf<TRotateTool>({}, "Rotate"),
          PlotClassOf<TChartImageTool>({}, "Image"),
          PlotClassOf<TMarksTipTool>({}, "Mark Tips"),
          PlotClassOf<TAnnotationTool>({}, "Annotation"),
          PlotClassOf<TSeriesAnimationTool>({}, "Series Animation"),
          PlotClassOf<TGridBandTool>({}, "Grid Band"),
          PlotClassOf<TAxisScrollTool>({}, "Axis Scroll"),
          PlotClassOf<TRectangleTool>({}, "Rectangle"),
          PlotClassOf<TClipSeriesTool>({}, "Clip Series"),
          PlotClassOf<TDragPointTool>({}, "Drag Point")};
}

}  // namespace

void RegisterChartTools() {
  RegisterChartToolProperties();
  RegisterToolTypes(ToolClasses());
}

void UnRegisterChartTools() { UnregisterToolTypes(ToolClasses()); }

}  // namespace chart
