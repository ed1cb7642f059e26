#pragma once
// Candles crowded into few pixel columns, composed before they reach the canvas: each pixel
// keeps the colour of the last candle that covers it, and the area goes to the canvas in one
// copy, so a hundred thousand candles on a screen cost about one pass over its pixels instead
// of a hundred thousand shapes.

#include <cstdint>
#include <vector>

#include "chart/PlotCanvas.h"

namespace analysis {

using fw::Integer;
using fw::TColor;

class TCandleColumns {
 public:
  // The largest area composed at once (columns x rows); beyond it candles are drawn one by one.
  static constexpr std::int64_t kMaxCells = std::int64_t(8) << 20;

  // The bits per pixel of the bitmap Canvas draws into when its pixels can be taken over: 24 or
  // 32; 0 for any other canvas (a recording, a printer, a shallower bitmap).
  static int SurfaceDepth(chart::TPlotCanvas3D& Canvas);

  // The pixels Left..Right x Top..Bottom (inclusive); nothing is painted yet.
  TCandleColumns(Integer Left, Integer Top, Integer Right, Integer Bottom);

  // Shapes are given from the last drawn to the first: each paints only the pixels that no
  // shape given before it has painted. Bounds are inclusive and clipped to the area.
  void PaintRect(Integer Left, Integer Top, Integer Right, Integer Bottom, TColor Color);

  // Puts the painted pixels on Canvas (whose SurfaceDepth is Depth), as solid fills of their
  // colours would: the canvas's clipping holds, the pixels not painted keep what they show.
  void DrawTo(chart::TPlotCanvas3D& Canvas, int Depth) const;

 private:
  // The first unpainted row at or below Row of a column (FRows when there is none).
  Integer FreeRow(std::int32_t* Skip, Integer Row) const;

  Integer FLeft, FTop, FColumns, FRows;
  // Per cell, column by column: 0 while unpainted, else the distance to a row further down that
  // is (or was) the next unpainted one, shortened as rows are searched.
  std::vector<std::int32_t> FSkip;
  // The pixel of each painted cell: 0xFFRRGGBB, as a solid fill stores it.
  std::vector<std::uint32_t> FPixel;
};

}  // namespace analysis
