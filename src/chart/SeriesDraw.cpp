#include "chart/SeriesDraw.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <type_traits>
#include <vector>

#include "chart/AxisPixels.h"
#include "chart/PlotAxis.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace chart {

namespace {

// Vertices gathered before they are handed on when a line may be split into pieces.
constexpr std::size_t kChunkVertices = 4096;

// Mix modes where painting a pixel twice gives what painting it once does: only with these may
// a pixel be covered by more than one segment without changing the picture.
bool MixModeIsIdempotent(int Mode) {
  switch (Mode) {
    case win::R2_BLACK:
    case win::R2_WHITE:
    case win::R2_NOP:
    case win::R2_COPYPEN:
    case win::R2_NOTCOPYPEN:
    case win::R2_MASKPEN:
    case win::R2_MERGEPEN:
      return true;
    default:
      return false;
  }
}

// A solid cosmetic pen one pixel wide: segments are drawn by GDI's one-pixel line rule, so the
// pixels a run of points leaves in one column depend only on its lowest and highest point.
bool PenIsSolidHairline(win::HDC DC) {
  const win::HGDIOBJ pen = win::GetCurrentObject(DC, win::OBJ_PEN);
  if (!pen) return false;
  const win::DWORD type = win::GetObjectType(pen);
  if (type == win::OBJ_PEN) {
    win::LOGPEN lp;
    if (win::GetObjectW(pen, int(sizeof lp), &lp) <= 0) return false;
    return (lp.lopnStyle & win::PS_STYLE_MASK) == win::PS_SOLID && lp.lopnWidth.x <= 1;
  }
  if (type == win::OBJ_EXTPEN) {
    const int bytes = win::GetObjectW(pen, 0, nullptr);
    if (bytes < int(sizeof(win::EXTLOGPEN))) return false;
    std::vector<unsigned char> record(std::size_t(bytes), 0);
    if (win::GetObjectW(pen, bytes, record.data()) <= 0) return false;
    win::EXTLOGPEN head;
    static_assert(std::is_trivially_copyable_v<win::EXTLOGPEN>);
    std::memcpy(&head, record.data(), sizeof head);
    return (head.elpPenStyle & win::PS_TYPE_MASK) == win::PS_COSMETIC &&
           (head.elpPenStyle & win::PS_STYLE_MASK) == win::PS_SOLID && head.elpWidth <= 1;
  }
  return false;
}

// Collects the pixel vertices of one unbroken line and hands them to the drawing layer.
class PolylineSink {
 public:
  PolylineSink(win::HDC DC, bool MaySplit, std::size_t Expected) : FDC(DC), FMaySplit(MaySplit) {
    FPoints.reserve(MaySplit ? kChunkVertices + 4 : Expected);
  }
  void Add(win::POINT P) { FPoints.push_back(P); }
  // Between columns: hands on what is gathered when the buffer is full, keeping the last vertex
  // as the start of the next piece (the shared vertex is painted twice, which the mix allows).
  void MaybeSplit() {
    if (!FMaySplit || FPoints.size() < kChunkVertices) return;
    const win::POINT joint = FPoints.back();
    Draw();
    FPoints.push_back(joint);
  }
  // The line is broken here.
  void EndLine() { Draw(); }
  Integer Vertices() const { return FVertices; }

 private:
  void Draw() {
    if (FPoints.size() >= 2) {
      win::Polyline(FDC, FPoints.data(), int(FPoints.size()));
      FVertices += Integer(FPoints.size());
    }
    FPoints.clear();
  }

  win::HDC FDC;
  bool FMaySplit;
  std::vector<win::POINT> FPoints;
  Integer FVertices = 0;
};

// Keeps, of a run of consecutive vertices in one pixel column, the first, the lowest, the
// highest and the last, in the order they came.
class ColumnReducer {
 public:
  // RowOf: the row of a point the column took (rows are looked up again only where a line ends).
  using RowOfPoint = std::function<win::LONG(Integer)>;
  // FirstOnRow(Level, Block, Row, Lowest): the first point of a stepped-over block on Row, which
  // is the block's lowest row (Lowest) or its highest.
  using FirstOnRowFn = std::function<Integer(int, std::size_t, win::LONG, bool)>;
  ColumnReducer(PolylineSink& Sink, RowOfPoint RowOf, FirstOnRowFn FirstOnRow = {})
      : FSink(Sink), FRowOf(std::move(RowOf)), FFirstOnRow(std::move(FirstOnRow)) {}

  void Add(win::POINT P, Integer Index) {
    if (FOpen && P.x == FX) {
      FLast = Entry{P.y, Index};
      if (P.y < FLow.y) FLow = FLast;
      if (P.y > FHigh.y) FHigh = FLast;
      return;
    }
    Close(false);
    FOpen = true;
    FX = P.x;
    FFirst = FLow = FHigh = FLast = Entry{P.y, Index};
  }

  bool IsOpen() const { return FOpen; }
  win::LONG Column() const { return FX; }
  // Stands for Add of the points of block Block of Level of the summary, all in the open column
  // with rows Low .. High, the last one on LastRow at LastIndex. A row beyond the column's span
  // is taken, as Add would, at its first point in the block; which point that is gets looked up
  // only when the column closes, as a wider block may take the row again before.
  void AddBlock(int Level, std::size_t Block, win::LONG Low, win::LONG High, win::LONG LastRow, Integer LastIndex) {
    if (Low < FLow.y) FLow = Entry{Low, 0, Level, Block};
    if (High > FHigh.y) FHigh = Entry{High, 0, Level, Block};
    FLast = Entry{LastRow, LastIndex};
  }

  // Ends the column; LineEnds when no vertex follows (a break in the line, or its end).
  void Close(bool LineEnds) {
    if (!FOpen) return;
    FOpen = false;
    Locate(FLow, true);
    Locate(FHigh, false);
    const Entry& a = FLow.index < FHigh.index ? FLow : FHigh;
    const Entry& b = FLow.index < FHigh.index ? FHigh : FLow;
    Emit(FFirst);
    if (a.index != FFirst.index) Emit(a);
    if (b.index != FFirst.index && b.index != a.index) Emit(b);
    if (FLast.index != FFirst.index && FLast.index != a.index && FLast.index != b.index) {
      // A line leaves its final pixel unpainted. When the line ends back on the row of the later
      // extreme after leaving it, every segment would have painted that pixel as a start, but
      // the kept vertices would reach it only as ends: a step one row inwards and back paints
      // it, and only rows the column covers anyway.
      if (LineEnds && FLast.y == b.y && a.y != b.y && LeavesRow(b.y, b.index, FLast.index))
        FSink.Add(win::POINT{FX, b.y + (a.y < b.y ? -1 : 1)});
      Emit(FLast);
    }
    FSink.MaybeSplit();
  }

 private:
  struct Entry {
    win::LONG y;
    Integer index;
    int blockLevel = -1;  // >= 0: index is still to be found in this block of the summary
    std::size_t block = 0;
  };
  void Locate(Entry& E, bool Lowest) {
    if (E.blockLevel < 0) return;
    E.index = FFirstOnRow(E.blockLevel, E.block, E.y, Lowest);
    E.blockLevel = -1;
  }
  void Emit(const Entry& E) { FSink.Add(win::POINT{FX, E.y}); }
  // Whether a point between From and To (both excluded) lies off Row.
  bool LeavesRow(win::LONG Row, Integer From, Integer To) const {
    for (Integer i = To - 1; i > From; --i)
      if (FRowOf(i) != Row) return true;
    return false;
  }

  PolylineSink& FSink;
  bool FOpen = false;
  win::LONG FX = 0;
  Entry FFirst{}, FLow{}, FHigh{}, FLast{};
  RowOfPoint FRowOf;
  FirstOnRowFn FFirstOnRow;
};

// The rows a usable block's values span.
struct RowSpan {
  win::LONG low, high;
};
RowSpan RowsOf(const TLineSummary::Block& B, double My, const TAxisPixels& ToY) {
  const win::LONG r0 = ToY.Pixel(B.lo * My), r1 = ToY.Pixel(B.hi * My);
  return {std::min(r0, r1), std::max(r0, r1)};
}

// The first point of block Index of Level on Row, which is the block's lowest row (Lowest) or
// its highest. With a monotonic row mapping only a child with the same extreme holds that row,
// so the search walks down the finer levels and reads at most one finest block's points.
Integer FirstOnExtremeRow(const TLineSummary& Summary, int Level, std::size_t Index, win::LONG Row, bool Lowest,
                          const TChartValueList& Ys, const TAxisPixels& ToY) {
  const double my = Ys.Multiplier();
  const std::size_t fan = std::size_t(1) << TLineSummary::kFanShift;
  for (; Level > 0; --Level) {
    std::size_t child = Index * fan;
    for (const std::size_t end = child + fan - 1; child < end; ++child) {
      const RowSpan rows = RowsOf(Summary.At(Level - 1, child), my, ToY);
      if ((Lowest ? rows.low : rows.high) == Row) break;
    }
    Index = child;
  }
  const Integer start = Integer(Index) << TLineSummary::kFirstShift;
  const Integer end = start + (Integer(1) << TLineSummary::kFirstShift) - 1;
  for (Integer i = start; i < end; ++i)
    if (ToY.Pixel(Ys.Value(i)) == Row) return i;
  return end;
}

// Steps over the whole block of points starting at Index when all of it falls into the
// reducer's open column, the coarsest such block first, updating the column from the summary.
// Returns the number of points stepped over (0: Index is to be drawn as a point).
Integer StepOverBlock(const TLineSummary& Summary, ColumnReducer& Columns, Integer Index, Integer Last,
                      const TChartValueList& Xs, const TChartValueList& Ys, const TAxisPixels& ToX,
                      const TAxisPixels& ToY) {
  const double my = Ys.Multiplier();
  for (int level = TLineSummary::kLevels - 1; level >= 0; --level) {
    const int shift = TLineSummary::Shift(level);
    const Integer size = Integer(1) << shift;
    if ((Index & (size - 1)) != 0 || Index + size - 1 > Last) continue;
    const std::size_t block = std::size_t(Index >> shift);
    if (block >= Summary.BlockCount(level)) continue;
    const TLineSummary::Block& b = Summary.At(level, block);
    if (!b.Usable()) continue;
    // X is monotonic within the block: its ends bound every column of it.
    const Integer end = Index + size - 1;
    const double x0 = Xs.Value(Index), x1 = Xs.Value(end);
    const double y0 = b.lo * my, y1 = b.hi * my;
    if (!std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1)) continue;
    const win::LONG column = Columns.Column();
    if (ToX.Pixel(x0) != column || ToX.Pixel(x1) != column) continue;
    const RowSpan rows = RowsOf(b, my, ToY);
    Columns.AddBlock(level, block, rows.low, rows.high, ToY.Pixel(Ys.Value(end)), end);
    return size;
  }
  return 0;
}

}  // namespace

Integer DrawLineSeriesPoints(win::HDC DC, const TChartSeries& Series, const TChartAxis& HorizAxis,
                             const TChartAxis& VertAxis) {
  const int mix = win::GetROP2(DC);
  if (mix == 0) return 0;  // not a DC
  const Integer count = std::min(Series.XValues()->Count(), Series.YValues()->Count());
  if (count < 2) return 0;

  const bool reduce = MixModeIsIdempotent(mix) && PenIsSolidHairline(DC);
  const bool checkColors = Series.HasPointColors();
  const TChartValueList& xs = *Series.XValues();
  const TChartValueList& ys = *Series.YValues();

  const TAxisPixels toX(HorizAxis), toY(VertAxis);
  // The points the series found in view; beyond them, on ascending X, only points drawn onto
  // the axis' own end columns (one pixel of clip past each end) could still show, so the range
  // grows while the next point lands there and everything further out is left to the clip.
  Integer first = 0, last = count - 1;
  if (Series.FirstValueIndex() >= 0 && Series.LastValueIndex() >= 0 && xs.Order() == loAscending) {
    first = std::min(Series.FirstValueIndex(), count - 1);
    last = std::min(Series.LastValueIndex(), count - 1);
    const win::LONG lo = std::min(HorizAxis.IStartPos(), HorizAxis.IEndPos()) - 1;
    const win::LONG hi = std::max(HorizAxis.IStartPos(), HorizAxis.IEndPos()) + 1;
    auto shows = [&](Integer i) {
      const double x = xs.Value(i);
      if (!std::isfinite(x)) return true;  // breaks the line: kept as drawn
      const win::LONG px = toX.Pixel(x);
      return px >= lo && px <= hi;
    };
    while (first > 0 && shows(first - 1)) --first;
    while (last < count - 1 && shows(last + 1)) ++last;
    // One more on each side: the segment that enters the view.
    first = std::max<Integer>(first - 1, 0);
    last = std::min<Integer>(last + 1, count - 1);
  }
  // Whole blocks within one column are stepped over on the summary: this needs monotonic pixel
  // mappings and a line that only values break.
  const bool stepBlocks = reduce && !checkColors && !toX.Logarithmic() && !toY.Logarithmic() &&
                          std::isfinite(xs.Multiplier()) && std::isfinite(ys.Multiplier()) &&
                          last - first >= (Integer(1) << TLineSummary::kFirstShift);
  const TLineSummary* summary = stepBlocks ? &Series.LineSummary() : nullptr;
  PolylineSink sink(DC, reduce, std::size_t(last - first + 1));
  ColumnReducer columns(sink, [&](Integer i) { return toY.Pixel(ys.Value(i)); },
                        [&](int Level, std::size_t Block, win::LONG Row, bool Lowest) {
                          return FirstOnExtremeRow(*summary, Level, Block, Row, Lowest, ys, toY);
                        });
  for (Integer i = first; i <= last; ++i) {
    if (summary && columns.IsOpen() && (i & ((Integer(1) << TLineSummary::kFirstShift) - 1)) == 0) {
      const Integer stepped = StepOverBlock(*summary, columns, i, last, xs, ys, toX, toY);
      if (stepped > 0) {
        i += stepped - 1;
        continue;
      }
    }
    const double x = xs.Value(i), y = ys.Value(i);
    if (!std::isfinite(x) || !std::isfinite(y) || (checkColors && Series.PointColor(i) == clNullPoint)) {
      if (reduce) columns.Close(true);
      sink.EndLine();
      continue;
    }
    const win::POINT p{toX.Pixel(x), toY.Pixel(y)};
    if (reduce)
      columns.Add(p, i);
    else
      sink.Add(p);
  }
  if (reduce) columns.Close(true);
  sink.EndLine();
  return sink.Vertices();
}

Integer DrawLineSeriesPoints(fw::TCanvas& Canvas, const TChartSeries& Series, const TChartAxis& HorizAxis,
                             const TChartAxis& VertAxis) {
  Canvas.Changing();
  Canvas.RequiredState({fw::csHandleValid, fw::csPenValid});
  const Integer vertices = DrawLineSeriesPoints(Canvas.Handle(), Series, HorizAxis, VertAxis);
  Canvas.Changed();
  return vertices;
}

}  // namespace chart
