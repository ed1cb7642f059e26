#pragma once
// Small drawing routines of series lists and grids (check boxes, class pictures) and the colour
// dialog they open.

#include "framework/Colors.h"
#include "platform/kernel/WinDef.h"

namespace fw {
class TCanvas;
class TComponent;
}  // namespace fw

namespace chart {

class TChartSeries;
struct TPlotClassInfo;

// Side of the square check box and of the radio button's cell.
inline constexpr fw::Integer PlotCheckBoxSize = 13;

// A 13 x 13 check box (sunken edge, window-coloured middle, a 7 x 7 check mark when Checked) or,
// with IsRadio, a radio button (a 12 x 12 round glyph, a dot when Checked), with its top-left
// corner at (Left, Top). Drawn with the window system's frame controls, so it looks like the
// check boxes of the dialogs.
void DrawCheckBox(fw::TCanvas& Canvas, fw::Integer Left, fw::Integer Top, bool Checked, bool IsRadio);
// The same, centred in Rect.
void DrawCheckBox(fw::TCanvas& Canvas, const win::RECT& Rect, bool Checked, bool IsRadio);

// Which picture PlotDrawClassBitmap draws for a series.
enum class TPlotClassPicture {
  Line,      // a line series: a zigzag line with a small square at each vertex
  FastLine,  // a fast line series: the same zigzag without vertex marks
  Function,  // a series computed by a function: a grey zigzag (the source) under a red line
  Other,     // any other series class: three bars of rising height
};
TPlotClassPicture PlotClassPictureOf(const TChartSeries* Series);
// The same for a registered class: a class of the function gallery has the function picture,
// the line and fast line series classes their own, any other class the bars.
TPlotClassPicture PlotClassPictureOf(const TPlotClassInfo& Info);

// Side of the class picture in pixels.
inline constexpr fw::Integer PlotClassPictureSize = 16;

// The gallery picture of the series' class, 16 x 16 pixels centred in Rect (clipped to it): a
// window-coloured square in a button-shadow frame holding the picture PlotClassPictureOf names.
// The zigzag goes through (2, 11), (6, 5), (9, 9), (13, 3) of the square in navy; vertex marks
// are 3 x 3 red squares centred on those points; the function's line is the row 8, columns 2 to
// 13, in red over a grey zigzag; the bars (teal) fill columns 3-4, 7-8 and 11-12 from row 12 up
// to rows 9, 6 and 3. A null series draws the frame alone.
void PlotDrawClassBitmap(fw::TCanvas& Canvas, const win::RECT& Rect, const TChartSeries* Series);
// The gallery picture of a registered series or function class.
void PlotDrawClassBitmap(fw::TCanvas& Canvas, const win::RECT& Rect, const TPlotClassInfo& Info);

// Shows the colour dialog on Color. True, with Color the chosen colour, when the user confirms;
// false, with Color unchanged, otherwise.
bool EditColorDialog(fw::TComponent* Owner, fw::TColor& Color);

}  // namespace chart
