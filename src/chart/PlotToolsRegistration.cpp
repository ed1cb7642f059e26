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

const std::vector<TToolPublishedProperties>& ChartToolPublishedProperties() {
  static const std::vector<TToolPublishedProperties> table = {
      {"TCursorTool", {"Active", "FollowMouse", "Pen", "Series", "Snap", "Style", "UseSeriesZ", "OnChange",
                       "OnSnapChange"}},
      {"TDragMarksTool", {"Active", "Series"}},
      {"TAxisArrowTool", {"Active", "AxisID", "Brush", "Length", "Pen", "Position", "ScrollInverted", "ScrollPercent",
                          "OnClick"}},
      {"TDrawLineTool", {"Active", "Button", "EnableDraw", "EnableSelect", "Lines", "Pen", "Series", "OnDraggedLine",
                         "OnDragLine", "OnNewLine", "OnSelect", "OnSelecting"}},
      {"TNearestTool", {"Active", "Brush", "DrawLine", "FullRepaint", "LinePen", "Pen", "Series", "Size", "Style",
                        "OnChange"}},
      {"TColorBandTool", {"Active", "AxisID", "Brush", "Color", "Cursor", "DrawBehind", "DrawBehindAxes", "EndLinePen",
                          "EndValue", "Gradient", "Pen", "ResizeEnd", "ResizeStart", "StartLinePen", "StartValue",
                          "Transparency", "OnClick"}},
      {"TColorLineTool", {"Active", "AxisID", "AllowDrag", "DragRepaint", "Draw3D", "DrawBehind", "NoLimitDrag", "Pen",
                          "Style", "Value", "OnBeginDragLine", "OnDragLine", "OnEndDragLine"}},
      {"TRotateTool", {"Active", "Button", "Inverted", "Pen", "Style", "OnRotate"}},
      {"TChartImageTool", {"Active", "Picture", "Series"}},
      {"TMarksTipTool", {"Active", "MouseAction", "MouseDelay", "Series", "Style", "OnGetText"}},
      {"TAnnotationTool", {"Active", "AutoSize", "Callout", "Cursor", "Position", "PositionUnits", "Shape", "Text",
                           "TextAlignment", "Height", "Width", "OnClick"}},
      {"TSeriesAnimationTool", {"Active", "DrawEvery", "Loop", "Series", "StartAtMin", "StartValue", "Steps", "OnStep"}},
      {"TGridBandTool", {"Active", "AxisID", "Band1", "Band2"}},
      {"TAxisScrollTool", {"Active", "AxisID", "ScrollInverted"}},
      {"TRectangleTool", {"Active", "AutoSize", "Callout", "Cursor", "Position", "PositionUnits", "Shape", "Text",
                          "TextAlignment", "Height", "Width", "OnClick", "OnDragging", "OnResizing"}},
      {"TClipSeriesTool", {"Active", "Series"}},
      {"TDragPointTool", {"Active", "DragStyle", "Series", "OnDragPoint"}},
  };
  return table;
}

void RegisterChartTools() { RegisterToolTypes(ToolClasses()); }

void UnRegisterChartTools() { UnregisterToolTypes(ToolClasses()); }

}  // namespace chart
