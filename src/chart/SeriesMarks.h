#pragma once
// The marks of a series: a framed text per point (its value, label, X and Y ... by Style) with
// an arrow from the point, and the positions where the marks were drawn or were moved to.

#include <memory>
#include <vector>

#include "chart/PlotEngine.h"

namespace chart {

class TChartPen;
class TPlotFont;

enum TSeriesMarksStyle {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue,
  smsXY
};

// Where one mark sits: the arrow runs from the point (ArrowFrom) to ArrowTo, the framed box has
// its top-left corner at LeftTop. A custom position was set by the user (dragged) and is kept
// across drawings; the others are recomputed every time.
struct TSeriesMarkPosition {
  win::POINT ArrowFrom{};
  win::POINT ArrowTo{};
  win::POINT LeftTop{};
  Integer Width = 0;
  Integer Height = 0;
  bool Custom = false;
  // Right and bottom exclusive.
  win::RECT Bounds() const { return win::RECT{LeftTop.x, LeftTop.y, LeftTop.x + Width, LeftTop.y + Height}; }
};

class TSeriesMarksPositions {
 public:
  Integer Count() const { return Integer(FItems.size()); }
  // The stored record of point Index, or nullptr (also out of range).
  TSeriesMarkPosition* Position(Integer Index) const;
  // Stores a copy of Value for point Index (Index >= 0) and returns the stored record.
  TSeriesMarkPosition* SetPosition(Integer Index, const TSeriesMarkPosition& Value);
  void Clear() { FItems.clear(); }
  // Drops every position that is not custom.
  void ClearAutomatic();
  bool ExistCustom() const;

 private:
  std::vector<std::unique_ptr<TSeriesMarkPosition>> FItems;
};

class TSeriesMarks : public fw::TPersistent {
 public:
  explicit TSeriesMarks(TChartSeries* ASeries);
  ~TSeriesMarks() override;

  TChartSeries* Series() const { return FSeries; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TSeriesMarksStyle Style() const { return FStyle; }
  void SetStyle(TSeriesMarksStyle Value);
  // The box's fill (unless Transparent), frame, text font, and the arrow's pen and length.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TChartPen* Frame() const { return FFrame.get(); }
  TChartPen* Arrow() const { return FArrow.get(); }
  TPlotFont* Font() const { return FFont.get(); }
  // Pixels from the point to the box (0 .. 1000).
  Integer ArrowLength() const { return FArrowLength; }
  void SetArrowLength(Integer Value);

  TSeriesMarksPositions& Positions() { return FPositions; }
  const TSeriesMarksPositions& Positions() const { return FPositions; }
  // Index of the point whose mark (as last drawn, the topmost first) holds the pixel; -1 when
  // none does or the marks are hidden.
  Integer Clicked(Integer X, Integer Y) const;

  // Draws the marks of points First .. Last of the series (the chart calls it through
  // TChartSeries::DrawMarks after all series are drawn).
  void Draw(TPlotCanvas3D& Canvas, Integer First, Integer Last);

  void Assign(fw::TPersistent* Source) override;

 private:
  void Changed();

  TChartSeries* FSeries;
  bool FVisible = false;
  TSeriesMarksStyle FStyle = smsLabel;
  TColor FColor = TColor(0x80FFFF);
  bool FTransparent = false;
  std::unique_ptr<TChartPen> FFrame;
  std::unique_ptr<TChartPen> FArrow;
  std::unique_ptr<TPlotFont> FFont;
  Integer FArrowLength = 8;
  TSeriesMarksPositions FPositions;
};

}  // namespace chart
