#pragma once
// Candles crowded into few pixel columns, composed before they reach the canvas: each pixel
// keeps the colour of the last candle that covers it, and the area goes to the canvas in one
// copy, so a hundred thousand candles on a screen cost about one pass over its pixels instead
// of a hundred thousand shapes.

#include <cstdint>
#include <memory>
#include <vector>

#include "chart/PlotCanvas.h"
#include "framework/Colors.h"

namespace fw {
class TBitmap;
}

namespace analysis {

using fw::Integer;
using fw::TColor;

class TCandleColumns {
 public:
  // The largest area composed at once (columns x rows); beyond it candles are drawn one by one.
  static constexpr std::int64_t kMaxCells = std::int64_t(8) << 20;
  // The tallest column: distances between its rows must fit the 16-bit skip offsets.
  static constexpr Integer kMaxRows = 0xFFFF;

  // The bits per pixel of the bitmap Canvas draws into when its pixels can be taken over: 24 or
  // 32; 0 for any other canvas (a recording, a printer, a shallower bitmap).
  static int SurfaceDepth(chart::TPlotCanvas3D& Canvas);

  TCandleColumns();
  ~TCandleColumns();

  // Forgets the colours numbered so far.
  void ForgetColors();

  // The number PaintRect takes for Color, given out the first time it is asked for; -1 once
  // 255 colours are numbered and Color is not among them.
  int ColorIndex(TColor Color);

  // Starts a picture of the pixels Left..Right x Top..Bottom (inclusive), nothing painted yet;
  // the numbered colours stay. The work buffers of earlier pictures are kept, so redrawing
  // allocates nothing.
  void SetArea(Integer Left, Integer Top, Integer Right, Integer Bottom);

  // Shapes are given from the last drawn to the first: each paints only the pixels that no
  // shape given before it has painted. Bounds are inclusive and clipped to the area.
  void PaintRect(Integer Left, Integer Top, Integer Right, Integer Bottom, int Color);

  // Puts the painted pixels on Canvas (whose SurfaceDepth is Depth), as solid fills of their
  // colours would: the canvas's clipping holds, the pixels not painted keep what they show.
  void DrawTo(chart::TPlotCanvas3D& Canvas, int Depth);

 private:
  // The first unpainted row at or below Row of a column, or a row below Limit (< FRows) when
  // there is none down to it: the search stops there.
  static Integer FreeRow(std::uint16_t* Skip, Integer Row, Integer Limit);
  struct Span;
  // Clears the cells of a column above and below Run; with Skip, the rows of Run then lead past
  // its end (without, only the colours are touched).
  void ClearOutside(std::uint16_t* Skip, std::uint8_t* Colors, const Span& Run) const;
  // Paints the free rows From..To-1 of a column, which then lead to row To.
  static void PaintRun(std::uint16_t* Skip, std::uint8_t* Colors, Integer From, Integer To,
                       std::uint8_t Color);

  Integer FLeft = 0, FTop = 0, FColumns = 0, FRows = 0;
  // Per cell, column by column: 0 while unpainted, else the distance to a row further down that
  // is (or was) the next unpainted one, shortened as rows are searched.
  std::vector<std::uint16_t> FSkip;
  // Per cell, column by column: 0 while unpainted, else the colour number (FPalette's index).
  std::vector<std::uint8_t> FColor;
  // Per column: its cells above hold this picture's state (else nothing in it is painted).
  std::vector<std::uint8_t> FCleared;
  // Per cleared column: the painted rows while they are one run; top -1 once they are not.
  struct Span {
    Integer top, bottom;
  };
  std::vector<Span> FSpans;
  // The pixel of each colour number: 0xFFRRGGBB, as a solid fill stores it; [0] is unused.
  std::vector<std::uint32_t> FPalette;
  // The area as the canvas shows it, painted over and copied back.
  std::unique_ptr<fw::TBitmap> FArea;
  TColor FLastColor = fw::clNone;
  int FLastIndex = -1;
};

}  // namespace analysis
