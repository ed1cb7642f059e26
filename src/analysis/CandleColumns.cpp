// Composition of crowded candles.
#include "analysis/CandleColumns.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "analysis/PointBuffer.h"
#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace analysis {

int TCandleColumns::SurfaceDepth(chart::TPlotCanvas3D& Canvas) {
  fw::TCanvas* target = Canvas.DrawingCanvas();
  if (!target) return 0;
  target->RequiredState({fw::csHandleValid});
  const win::HDC dc = target->Handle();
  if (win::GetObjectType(dc) != win::OBJ_MEMDC) return 0;
  const int depth = win::GetDeviceCaps(dc, win::BITSPIXEL);
  return depth == 24 || depth == 32 ? depth : 0;
}

TCandleColumns::TCandleColumns() = default;
TCandleColumns::~TCandleColumns() = default;

void TCandleColumns::ForgetColors() {
  FPalette.assign(1, 0);
  FLastColor = fw::clNone;
  FLastIndex = -1;
}

void TCandleColumns::SetArea(Integer Left, Integer Top, Integer Right, Integer Bottom) {
  FLeft = Left, FTop = Top;
  FColumns = std::max<Integer>(0, Right - Left + 1);
  FRows = std::max<Integer>(0, Bottom - Top + 1);
  const std::size_t cells = std::size_t(FColumns) * std::size_t(FRows);
  ReserveResults(FSkip, cells);
  ReserveResults(FColor, cells);
  // The cells of a column are cleared when it is first painted: then it is about to be worked
  // on and stays in the cache, and columns no candle reaches cost nothing.
  if (FSkip.size() < cells) FSkip.resize(cells), FColor.resize(cells);
  FCleared.assign(std::size_t(FColumns), 0);
  FSpans.resize(std::size_t(FColumns));
}

int TCandleColumns::ColorIndex(TColor Color) {
  // Neighbouring candles mostly share a colour: the last answer is asked for again first.
  if (Color == FLastColor) return FLastIndex;
  const std::uint32_t rgb = std::uint32_t(fw::ColorToRGB(Color));
  const std::uint32_t pixel = 0xFF000000u | (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
  auto found = std::find(FPalette.begin() + 1, FPalette.end(), pixel);
  if (found == FPalette.end()) {
    if (FPalette.size() > 0xFF) return -1;
    FPalette.push_back(pixel);
    found = FPalette.end() - 1;
  }
  FLastColor = Color;
  FLastIndex = int(found - FPalette.begin());
  return FLastIndex;
}

Integer TCandleColumns::FreeRow(std::uint16_t* Skip, Integer Row, Integer Limit) {
  Integer free = Row;
  while (free <= Limit && Skip[free]) free += Skip[free];
  // Every row passed on the way now leads straight to the free one.
  while (Row < free) {
    const Integer next = Row + Skip[Row];
    Skip[Row] = std::uint16_t(free - Row);
    Row = next;
  }
  return free;
}

void TCandleColumns::PaintRect(Integer Left, Integer Top, Integer Right, Integer Bottom, int Color) {
  Left = std::max<Integer>(Left - FLeft, 0);
  Right = std::min<Integer>(Right - FLeft, FColumns - 1);
  Top = std::max<Integer>(Top - FTop, 0);
  Bottom = std::min<Integer>(Bottom - FTop, FRows - 1);
  if (Top > Bottom) return;
  const auto color = std::uint8_t(Color);
  for (Integer column = Left; column <= Right; ++column) {
    std::uint16_t* skip = FSkip.data() + std::size_t(column) * std::size_t(FRows);
    std::uint8_t* colors = FColor.data() + std::size_t(column) * std::size_t(FRows);
    Span& span = FSpans[std::size_t(column)];
    if (!FCleared[std::size_t(column)]) {
      // While a column is one run only the colours of its rows are kept: the other cells and
      // the skip offsets are set when it scatters (the colours also before it is shown).
      FCleared[std::size_t(column)] = 1;
      span = {Top, Bottom};
      std::fill(colors + Top, colors + Bottom + 1, color);
      continue;
    }
    // Neighbouring candles overlap, so a column mostly stays one run: then only the rows beyond
    // its ends are free, found without a search.
    if (span.top >= 0) {
      if (Top <= span.bottom + 1 && Bottom + 1 >= span.top) {
        if (Top < span.top) std::fill(colors + Top, colors + span.top, color);
        if (Bottom > span.bottom) std::fill(colors + span.bottom + 1, colors + Bottom + 1, color);
        span = {std::min(Top, span.top), std::max(Bottom, span.bottom)};
      } else {
        ClearOutside(skip, colors, span);
        PaintRun(skip, colors, Top, Bottom + 1, color);
        span.top = -1;  // scattered from now on
      }
      continue;
    }
    for (Integer row = FreeRow(skip, Top, Bottom); row <= Bottom;) {
      // A run of free rows, each then leading in one step to the next free row after it.
      Integer end = row + 1;
      while (end <= Bottom && !skip[end]) ++end;
      const Integer next = end <= Bottom ? FreeRow(skip, end, Bottom) : end;
      for (; row < end; ++row) {
        colors[row] = color;
        skip[row] = std::uint16_t(next - row);
      }
      row = next;
    }
  }
}

void TCandleColumns::ClearOutside(std::uint16_t* Skip, std::uint8_t* Colors, const Span& Run) const {
  const auto below = std::size_t(FRows - Run.bottom - 1);
  if (Skip) {
    std::fill_n(Skip, Run.top, 0);
    std::fill_n(Skip + Run.bottom + 1, below, 0);
    for (Integer row = Run.top; row <= Run.bottom; ++row) Skip[row] = std::uint16_t(Run.bottom + 1 - row);
  }
  std::fill_n(Colors, Run.top, 0);
  std::fill_n(Colors + Run.bottom + 1, below, 0);
}

void TCandleColumns::PaintRun(std::uint16_t* Skip, std::uint8_t* Colors, Integer From, Integer To,
                              std::uint8_t Color) {
  for (Integer row = From; row < To; ++row) {
    Colors[row] = Color;
    Skip[row] = std::uint16_t(To - row);
  }
}

void TCandleColumns::DrawTo(chart::TPlotCanvas3D& Canvas, int Depth) {
  if (FColumns == 0 || FRows == 0) return;
  fw::TCanvas* target = Canvas.DrawingCanvas();
  target->RequiredState({fw::csHandleValid});
  // Nothing is painted in columns no shape reached, nor beyond the span of one run.
  for (Integer column = 0; column < FColumns; ++column) {
    std::uint8_t* colors = FColor.data() + std::size_t(column) * std::size_t(FRows);
    if (!FCleared[std::size_t(column)])
      std::fill_n(colors, FRows, 0);
    else if (const Span& span = FSpans[std::size_t(column)]; span.top >= 0)
      ClearOutside(nullptr, colors, span);
  }
  // The area as the canvas shows it now, painted over and copied back: the copy keeps to the
  // canvas's clipping as fills do. Its bitmap is kept for the next draw of the same size.
  const fw::TPixelFormat format = Depth == 32 ? fw::pf32bit : fw::pf24bit;
  if (!FArea) FArea = std::make_unique<fw::TBitmap>();
  if (FArea->PixelFormat() != format) FArea->SetPixelFormat(format);
  if (FArea->Width() != FColumns || FArea->Height() != FRows) FArea->SetSize(FColumns, FRows);
  fw::TBitmap& area = *FArea;
  win::BitBlt(area.Canvas()->Handle(), 0, 0, FColumns, FRows, target->Handle(), FLeft, FTop, win::SRCCOPY);
  auto* bits = static_cast<std::uint8_t*>(area.ScanLine(0));
  const std::ptrdiff_t stride = static_cast<std::uint8_t*>(area.ScanLine(FRows > 1 ? 1 : 0)) - bits;
  // Square tiles: the cells lie column by column, the bitmap row by row. A pixel of 24 bits
  // is the low three bytes of the stored word.
  // Locals, as the pixel stores could otherwise alias them.
  const std::size_t rows = std::size_t(FRows);
  const std::uint8_t* cells = FColor.data();
  const std::uint32_t* palette = FPalette.data();
  auto copy = [&](auto Bytes) {
    constexpr std::size_t bytes = decltype(Bytes)::value;
    constexpr Integer kTile = 64;
    for (Integer top = 0; top < FRows; top += kTile) {
      const Integer bottom = std::min(top + kTile, FRows);
      for (Integer left = 0; left < FColumns; left += kTile) {
        const Integer right = std::min(left + kTile, FColumns);
        for (Integer row = top; row < bottom; ++row) {
          std::uint8_t* line = bits + stride * row;
          const std::uint8_t* colors = cells + std::size_t(row);
          for (Integer column = left; column < right; ++column) {
            const std::uint8_t color = colors[std::size_t(column) * rows];
            std::uint8_t* pixel = line + std::size_t(column) * bytes;
            if constexpr (bytes == 4) {
              // Without a branch: whether a pixel is painted changes all along a row.
              std::uint32_t old;
              std::memcpy(&old, pixel, 4);
              const std::uint32_t value = color ? palette[color] : old;
              std::memcpy(pixel, &value, 4);
            } else if (color) {
              std::memcpy(pixel, &palette[color], bytes);
            }
          }
        }
      }
    }
  };
  if (Depth == 32)
    copy(std::integral_constant<std::size_t, 4>{});
  else
    copy(std::integral_constant<std::size_t, 3>{});
  win::BitBlt(target->Handle(), FLeft, FTop, FColumns, FRows, area.Canvas()->Handle(), 0, 0, win::SRCCOPY);
}

}  // namespace analysis
