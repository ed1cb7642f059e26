#pragma once
// The chart's legend: one item (symbol and display name) per active series shown in the legend,
// in a framed box beside, above or below the plot rectangle, or at a position of its own.
//
// Layout (pixels; H is the height of the legend font's text, S the symbol width):
// - An item is its symbol (S wide, H high) and its text, 4 pixels apart; the symbol is left of
//   the text, or right of it with SymbolPosition spRight. Rows are H high and VertSpacing apart;
//   the box has 4 pixels of padding left and right and 2 above and below its items.
// - Left and right legends list the items top to bottom in one column as wide as the widest
//   item. The box lies HorizMargin inside the chart rectangle's side, its top TopPos percent
//   down the chart rectangle; when the items do not fit below that, the box moves up (at most
//   to the chart rectangle's top), and when they still do not fit, the items that fit are shown.
// - Top and bottom legends flow the items left to right, 8 pixels apart, starting a new row when
//   the next item would pass the chart rectangle's width less the margins; the box is centred
//   across the chart rectangle, VertMargin inside its top or bottom side.
// - A legend beside the plot is at most half the chart rectangle wide, one above or below it at
//   most half as high; rows that do not fit are left out, texts that do not fit are cut.
// - With CustomPosition the box's top-left corner is (Left, Top), the items are laid out as
//   the alignment says, all of them are shown and the chart rectangle keeps its size.
// - Otherwise, with ResizeChart, the chart rectangle gives up the box and the margin on both
//   sides of it (HorizMargin beside, VertMargin above or below).
// - Inverted lists the items from the last series to the first.

#include <vector>

#include "chart/ChartElement.h"

namespace chart {

class TChartSeries;
class TChartPen;

// Both enums have a fixed type, so any stored number is a value the setters can refuse.
enum TLegendAlignment : int { laLeft = 0, laRight = 1, laTop = 2, laBottom = 3 };
// Where an item's symbol sits: left of its text (0) or right of it (1).
enum TLegendSymbolPosition : int { spLeft = 0, spRight = 1 };

// Everything the layout depends on besides the items' text widths.
struct TLegendLayoutParams {
  TLegendAlignment Alignment = laRight;
  bool CustomPosition = false;
  win::POINT CustomTopLeft{};
  Integer TopPos = 10;  // percent of the chart rectangle's height
  Integer HorizMargin = 5;
  Integer VertMargin = 5;
  bool ResizeChart = true;
  Integer SymbolWidth = 20;
  TLegendSymbolPosition SymbolPosition = spLeft;
  Integer VertSpacing = 0;
  Integer TextHeight = 13;
  bool Inverted = false;
};

// Where one item was placed. Item is its index in the list the layout was made for.
struct TLegendItemPlace {
  Integer Item = -1;
  win::RECT Rect{};    // symbol and text together: what a click hits
  win::RECT Symbol{};  // where the series draws its legend symbol
  win::POINT Text{};   // top-left corner of the text
  Integer TextWidth = 0;
  Integer Row = 0;  // 0-based row of the item
};

struct TLegendLayout {
  win::RECT Box{};  // empty when nothing is shown
  std::vector<TLegendItemPlace> Items;  // in drawing order
  Integer Rows = 0;
};

// Gaps of the layout (see the header comment).
inline constexpr Integer LegendPadX = 4, LegendPadY = 2, LegendSymbolGap = 4, LegendColumnGap = 8;

// Places items of the given text widths by Params within ChartRect, and with ResizeChart (and
// no custom position) takes the legend's room from ChartRect. No items, or no room, gives an
// empty layout and leaves ChartRect as it was.
TLegendLayout LayoutLegend(const TLegendLayoutParams& Params, const std::vector<Integer>& TextWidths,
                           win::RECT& ChartRect);

class TChartLegend : public TPlotCustomShapePosition {
 public:
  explicit TChartLegend(fw::TComponent* AOwner);
  ~TChartLegend() override;

  TLegendAlignment Alignment() const { return FParams.Alignment; }
  void SetAlignment(TLegendAlignment Value);
  bool Inverted() const { return FParams.Inverted; }
  void SetInverted(bool Value);
  // Pixels.
  Integer SymbolWidth() const { return FParams.SymbolWidth; }
  void SetSymbolWidth(Integer Value);
  TLegendSymbolPosition SymbolPosition() const { return FParams.SymbolPosition; }
  void SetSymbolPosition(TLegendSymbolPosition Value);
  // Extra pixels between rows.
  Integer VertSpacing() const { return FParams.VertSpacing; }
  void SetVertSpacing(Integer Value);
  Integer HorizMargin() const { return FParams.HorizMargin; }
  void SetHorizMargin(Integer Value);
  Integer VertMargin() const { return FParams.VertMargin; }
  void SetVertMargin(Integer Value);
  // Percent (0..100) of the chart rectangle's height above a left or right legend.
  Integer TopPos() const { return FParams.TopPos; }
  void SetTopPos(Integer Value);
  bool ResizeChart() const { return FParams.ResizeChart; }
  void SetResizeChart(bool Value);
  // Lines between the rows (and between the items of a row); hidden by default.
  TChartPen* DividingLines() const { return FDividingLines.get(); }

  // Lays the legend out for the parent chart's active series that are shown in the legend,
  // measuring with the legend's font on Canvas; with ResizeChart, shrinks ChartRect.
  void CalcRect(TPlotCanvas3D& Canvas, win::RECT& ChartRect);
  // Draws the legend where the last CalcRect put it.
  void Draw(TPlotCanvas3D& Canvas);
  // The index of the item (in the list of legend items, first series first) whose symbol or
  // text lies under (X, Y), or -1. Whether the pixel is on the legend at all is ShapeBounds().
  Integer Clicked(Integer X, Integer Y) const;

  // The items of the last CalcRect: their series in series order, and where they went.
  // ItemSeries is nullptr out of range and for a series no longer in the chart.
  Integer ItemCount() const { return Integer(FItems.size()); }
  TChartSeries* ItemSeries(Integer Item) const;
  const TLegendLayout& Layout() const { return FLayout; }

 private:
  void CollectItems();
  void DrawDividingLines(TPlotCanvas3D& Canvas);

  TLegendLayoutParams FParams;
  std::unique_ptr<TChartPen> FDividingLines;
  std::vector<TChartSeries*> FItems;
  std::vector<fw::String> FTexts;
  TLegendLayout FLayout;
};

}  // namespace chart
