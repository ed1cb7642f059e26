#pragma once
// Drawing a line series' points as a polyline, null points breaking the line.

#include "chart/PlotEngine.h"

namespace fw {
class TCanvas;
}

namespace chart {

class TChartAxis;

// Draws the line through the series' points with the pen and mix mode selected in DC, mapping X
// on HorizAxis and Y on VertAxis. Null points and points with a NaN or infinite value are left
// out and break the line. With a solid one-pixel cosmetic pen and a mix mode that gives the same
// pixel when applied twice, each run of consecutive points in one pixel column is drawn through
// at most four of them (first, lowest, highest, last): the pixels are the same as drawing every
// segment. Other pens draw every segment. Returns the number of vertices handed to the drawing
// layer (0 for an invalid DC or nothing to draw).
Integer DrawLineSeriesPoints(win::HDC DC, const TChartSeries& Series, const TChartAxis& HorizAxis,
                             const TChartAxis& VertAxis);
// The same with the canvas' pen and DC.
Integer DrawLineSeriesPoints(fw::TCanvas& Canvas, const TChartSeries& Series, const TChartAxis& HorizAxis,
                             const TChartAxis& VertAxis);

}  // namespace chart
