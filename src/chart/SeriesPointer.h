#pragma once
// The pointer of a series: a small shape drawn at every point.

#include <memory>

#include "chart/PlotEngine.h"

namespace chart {

class TChartPen;

enum TSeriesPointerStyle {
  psRectangle = 0,
  psCircle = 1,
  psTriangle = 2,
  psDownTriangle = 3,
  psCross = 4,
  psDiagCross = 5,
  psStar = 6,
  psDiamond = 7,
  psSmallDot = 8
};

class TSeriesPointer : public fw::TPersistent {
 public:
  explicit TSeriesPointer(TChartSeries* ASeries);
  ~TSeriesPointer() override;

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TSeriesPointerStyle Style() const { return FStyle; }
  // Values outside 0 .. 8 are refused (nothing changes).
  void SetStyle(Integer Value);
  // The fill (and the colour of the line styles); clTeeColor takes each point's colour.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Half the shape's width and height in pixels (0 .. 1000): the shape covers the columns
  // X - HorizSize .. X + HorizSize and the rows Y - VertSize .. Y + VertSize.
  Integer HorizSize() const { return FHorizSize; }
  void SetHorizSize(Integer Value);
  Integer VertSize() const { return FVertSize; }
  void SetVertSize(Integer Value);
  // The outline of the filled styles.
  TChartPen* Pen() const { return FPen.get(); }
  // Shading of the shapes in a 3D view (kept and copied; a 2D chart draws flat shapes).
  bool Draw3D() const { return FDraw3D; }
  void SetDraw3D(bool Value);
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value);

  // Draws the shape centred at (X, Y) in Color with the given half sizes.
  void DrawPointer(TPlotCanvas3D& Canvas, Integer X, Integer Y, TColor Color, Integer HorizSize,
                   Integer VertSize) const;
  void DrawPointer(TPlotCanvas3D& Canvas, Integer X, Integer Y, TColor Color) const {
    DrawPointer(Canvas, X, Y, Color, FHorizSize, FVertSize);
  }
  // The pixel lies in the shape's box centred at (X, Y).
  bool Covers(Integer X, Integer Y, Integer PixelX, Integer PixelY) const;

  void Assign(fw::TPersistent* Source) override;

 private:
  void Changed();

  TChartSeries* FSeries;
  bool FVisible = true;
  TSeriesPointerStyle FStyle = psRectangle;
  TColor FColor = clTeeColor;
  Integer FHorizSize = 4;
  Integer FVertSize = 4;
  std::unique_ptr<TChartPen> FPen;
  bool FDraw3D = true;
  bool FDark3D = true;
};

}  // namespace chart
