#include "toolbars/TBDockRows.h"

#include <algorithm>

namespace toolbars {
namespace {

using fw::Integer;
using TBars = std::vector<TDockRowBar>;

// Every bar but Keep at or below Row (in rows and shown rows) moves one row further out.
void MoveRowsDown(TBars& Bars, Integer Row, const TDockRowBar* Keep) {
  for (TDockRowBar& b : Bars) {
    if (&b == Keep) continue;
    if (b.Row >= Row) ++b.Row;
    if (b.VisRow >= Row) ++b.VisRow;
  }
}

// A bar taken by a pass keeps its row alone when it shares it.
template <class Taken>
void GiveOwnRows(TBars& Bars, Integer& HighestRow, Taken IsTaken) {
  for (Integer row = 0; row <= HighestRow; ++row) {
    for (TDockRowBar& b : Bars) {
      if (!IsTaken(b) || b.Row != row) continue;
      bool shared = std::any_of(Bars.begin(), Bars.end(), [&](const TDockRowBar& o) { return &o != &b && o.Row == row; });
      if (!shared) continue;
      MoveRowsDown(Bars, row, &b);
      ++HighestRow;
    }
  }
}

void RemoveEmptyRows(TBars& Bars, Integer& HighestRow) {
  for (Integer row = 0; row <= HighestRow;) {
    if (std::any_of(Bars.begin(), Bars.end(), [&](const TDockRowBar& b) { return b.Row == row; })) {
      ++row;
      continue;
    }
    for (TDockRowBar& b : Bars) {
      if (b.Row > row) --b.Row;
      if (b.VisRow > row) --b.VisRow;
    }
    --HighestRow;
  }
}

// Takes up to Amount out of the gaps of Row[From], Row[From-1] ... Row[0]; returns what it took.
Integer SqueezeGapsBackwards(std::vector<TDockRowBar*>& Row, Integer From, Integer Amount) {
  Integer taken = 0;
  for (Integer i = From; i >= 0 && taken < Amount; --i) {
    Integer t = std::min(Row[size_t(i)]->Gap, Amount - taken);
    Row[size_t(i)]->Gap -= t;
    taken += t;
  }
  return taken;
}

Integer RowEnd(const std::vector<TDockRowBar*>& Row, size_t Count) {
  Integer end = 0;
  for (size_t i = 0; i < Count; ++i) end += Row[i]->Gap + Row[i]->Length;
  return end;
}

// Positions, gaps and overlaps of one row as its windows ask for them.
void PlaceWanted(std::vector<TDockRowBar*>& Row, Integer Overflow, Integer& DragPos) {
  Integer end = 0, extra = 0, minSum = 0;
  for (TDockRowBar* b : Row) {
    Integer pos = (end == 0 && (b->FullSize || b->Stretch)) ? 0 : b->DockPos + extra;
    if (b->Dragged) DragPos = pos;
    pos = std::max(pos, minSum);
    if (pos > end) {
      if (Overflow < 1) {
        b->Gap = pos - end;
        end = pos;
      } else {
        // No room for gaps: the window packs against its neighbour and the windows after it
        // keep their requested distance to it.
        extra -= pos - end;
      }
    } else if (pos < end) {
      b->Overlap = end - pos;
    }
    end += b->Length;
    minSum += b->MinLength;
  }
}

// Shrinks the row until it fits: chevron windows give way to the overlaps asked for, then
// windows from the end backwards. Returns whether the dragged window had to give way.
bool Shrink(std::vector<TDockRowBar*>& Row, Integer Overflow) {
  bool dragSplitting = false;
  const bool several = Row.size() > 1;
  Integer acc = 0;
  for (size_t i = 0; i < Row.size() && Overflow > 0; ++i) {
    acc = std::min(acc + Row[i]->Overlap, Overflow);
    for (size_t j = i; j-- > 0 && acc > 0;) {
      TDockRowBar* b = Row[j];
      if (b->Dragged && several) dragSplitting = true;
      if (b->ShrinkMode == tbsmChevron) {
        Integer t = std::min(acc, b->Length - b->MinLength);
        b->Length -= t;
        acc -= t;
        Overflow -= t;
        if (b->Dragged && t > 0) break;
      }
    }
  }
  for (size_t j = Row.size(); j-- > 0 && Overflow > 0;) {
    TDockRowBar* b = Row[j];
    if (b->ShrinkMode == tbsmNone || (b->ShrinkMode == tbsmWrap && several)) continue;
    Integer t = std::min(Overflow, b->Length - b->MinLength);
    b->Length -= t;
    Overflow -= t;
  }
  return dragSplitting;
}

void FinalPlacement(std::vector<TDockRowBar*>& Row, Integer RowSpace) {
  Integer end = 0;
  for (size_t i = 0; i < Row.size(); ++i) {
    TDockRowBar* b = Row[i];
    if (b->FullSize || b->Stretch) {
      b->Length += b->Gap;
      b->Gap = 0;
    }
    if (b->FullSize) b->Length = RowSpace;
    if (b->Stretch) {
      if (i + 1 < Row.size()) {
        b->Length += Row[i + 1]->Gap;
        Row[i + 1]->Gap = 0;
      } else if (end + b->Length < RowSpace) {
        b->Length = RowSpace - end;
      }
    }
    end += b->Gap;
    b->Pos = end;
    end += b->Length;
  }
}

}  // namespace

TDockRowsResult ArrangeDockRows(std::vector<TDockRowBar>& Bars, Integer RowSpace, bool LimitToOneRow) {
  TDockRowsResult result;
  Integer highest = -1;
  for (TDockRowBar& b : Bars) {
    b.Row = b.DockRow;
    b.VisRow = b.Visible ? b.DockRow : -1;
    b.Pos = b.DockPos;
    b.Gap = b.Overlap = 0;
    b.MinLength = std::min(b.MinLength, b.FullLength);
    b.Length = b.FullLength;
    highest = std::max(highest, b.DockRow);
  }

  if (!LimitToOneRow) GiveOwnRows(Bars, highest, [](const TDockRowBar& b) { return b.InsertRowBefore; });
  GiveOwnRows(Bars, highest, [](const TDockRowBar& b) { return b.FullSize; });
  RemoveEmptyRows(Bars, highest);

  for (Integer row = 0; row <= highest; ++row) {
    std::vector<TDockRowBar*> cells;
    Integer total = 0, minTotal = 0;
    for (TDockRowBar& b : Bars) {
      if (b.VisRow != row) continue;
      minTotal += b.ShrinkMode == tbsmChevron ? b.MinLength : b.FullLength;
      if (!cells.empty() && minTotal > RowSpace && !LimitToOneRow) {
        // Wrap: this window and everything not yet in the row move one row further out.
        for (TDockRowBar& o : Bars) {
          if (std::find(cells.begin(), cells.end(), &o) != cells.end()) continue;
          if (o.Row >= row) ++o.Row;
          if (o.VisRow >= row) ++o.VisRow;
        }
        ++highest;
        break;
      }
      cells.push_back(&b);
      total += b.Length;
    }
    if (cells.empty()) continue;

    const Integer overflow = total - RowSpace;
    Integer dragPos = 0;
    PlaceWanted(cells, overflow, dragPos);

    auto dragged = std::find_if(cells.begin(), cells.end(), [](const TDockRowBar* b) { return b->Dragged; });
    if (overflow < 0 && dragged != cells.end() && dragged != cells.begin()) {
      const size_t d = size_t(dragged - cells.begin());
      const Integer prevEnd = RowEnd(cells, d);
      if (prevEnd > dragPos) {
        Integer taken = SqueezeGapsBackwards(cells, Integer(d) - 1, prevEnd - dragPos);
        if (d + 1 < cells.size()) cells[d + 1]->Gap += taken;
      }
    }
    const Integer excess = RowEnd(cells, cells.size()) - RowSpace;
    if (excess > 0) SqueezeGapsBackwards(cells, Integer(cells.size()) - 1, excess);

    if (overflow > 0 && Shrink(cells, overflow)) result.DragSplitting = true;
    FinalPlacement(cells, RowSpace);
  }
  result.HighestRow = highest;
  return result;
}

}  // namespace toolbars
