#pragma once
// The chart's classes in component streams: the chart class in the class registry, and the
// published properties of the chart, its axes, titles, legend, walls, series and tool bases.
//
// A tool class adds its own properties in one call, after its bases' (which this registers):
//
//   fw::RegisterProperties<TNearestTool, TPlotCustomToolSeries>({
//       fw::Prop("Size", &TNearestTool::Size, &TNearestTool::SetSize).Default(20)});
//
// and registers the class itself, for reading by name, through RegisterToolTypes.

#include <vector>

#include "framework/ClassesTypes.h"

namespace chart {

// The value names of TSeriesMarksStyle, shared by every property of that type.
const std::vector<fw::String>& SeriesMarksStyleNames();

// Registers once; later calls do nothing. RegisterLineSeriesClasses calls it.
void RegisterChartProperties();

}  // namespace chart
