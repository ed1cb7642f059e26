#include "platform/gdi/detail/DrawTextLayout.h"

#include <algorithm>
#include <cstdint>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/FontFace.h"

namespace win::gdi {
namespace {

constexpr std::u16string_view kEllipsis = u"...";

int Clamp(int64_t v) { return int(std::clamp<int64_t>(v, -kMaxTextExtent, kMaxTextExtent)); }

// One character as laid out, with the source units it came from (an "&x" pair or "&&" is one
// cell spanning two units), so an ellipsis can be written back into the source text.
struct Cell {
  char16_t c = 0;
  int advance = 0;    // ignored for tabs being expanded
  int srcBegin = -1;  // -1 for inserted ellipsis dots
  int srcEnd = -1;
  bool prefixed = false;
};
using Cells = std::vector<Cell>;

bool IsBreakBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// East Asian wide and full-width characters, between which lines may break.
bool IsFullWidth(char16_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

struct LineRange {
  int begin = 0;
  int end = 0;
  bool longWord = false;  // a single word wider than the line
};

class Layouter {
 public:
  Layouter(const FontFace& face, std::u16string_view text, const DrawTextOptions& o)
      : face_(face), text_(text), o_(o), format_(o.format) {
    const TEXTMETRICW& tm = face.Metrics();
    lineHeight_ = tm.tmHeight + ((format_ & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    int64_t tabLength = o.tabLength > 0 ? o.tabLength : 8;
    tabWidth_ = int(std::clamp<int64_t>(tabLength * tm.tmAveCharWidth, 1, kMaxTextExtent));
    available_ = Clamp(int64_t(o.rect.right) - o.rect.left - o.leftMargin - o.rightMargin);
    expandTabs_ = (format_ & DT_EXPANDTABS) != 0;
    // Kept within the layout's coordinate range; Measurable() then refuses what could overflow.
    extra_ = int(std::clamp<int64_t>(o.charExtra, -kMaxTextExtent, kMaxTextExtent));
    dotAdvance_ = Clamp(int64_t(face.Advance(U'.')) + extra_);
  }

  // Whether every position of the text stays far inside int: a character advances at most twice
  // the face's widest glyph, an expanded tab at most a tab stop.
  bool Measurable() const {
    int64_t glyph = 2 * (int64_t(std::max<LONG>(face_.Metrics().tmMaxCharWidth, std::abs(dotAdvance_))) + std::abs(extra_));
    int64_t tabs = expandTabs_ ? std::count(text_.begin(), text_.end(), u'\t') : 0;
    return int64_t(text_.size() + 3) * glyph + tabs * tabWidth_ < kMaxTextExtent;
  }

  DrawTextLayout Run() {
    DrawTextLayout out;
    if (!Measurable()) return out;
    if (!text_.empty()) {
      std::vector<LineRange> paragraphs = Paragraphs();
      for (size_t p = 0; p < paragraphs.size(); ++p) {
        Cells cells = MakeCells(paragraphs[p]);
        std::vector<LineRange> ranges = Break(cells);
        for (size_t r = 0; r < ranges.size(); ++r) {
          bool lastOfText = p + 1 == paragraphs.size() && r + 1 == ranges.size();
          AddLine(out, cells, ranges[r], paragraphs[p], lastOfText);
        }
      }
    }
    Place(out);
    return out;
  }

 private:
  int Advance(const Cell& cell, int pos) const {
    if (cell.c == u'\t' && expandTabs_) return tabWidth_ - pos % tabWidth_;
    return cell.advance;
  }

  int Width(const Cells& cells, int begin, int end) const {
    int pos = 0;
    for (int i = begin; i < end; ++i) pos += Advance(cells[size_t(i)], pos);
    return pos;
  }
  int Width(const Cells& cells) const { return Width(cells, 0, int(cells.size())); }

  // Source ranges of the lines the text's line breaks make (one range under DT_SINGLELINE). A
  // break at the very end of the text starts no further line.
  std::vector<LineRange> Paragraphs() const {
    int n = int(text_.size());
    if (format_ & DT_SINGLELINE) return {{0, n}};
    std::vector<LineRange> out;
    int begin = 0;
    for (int i = 0; i < n; ++i) {
      char16_t c = text_[size_t(i)];
      if (c != u'\r' && c != u'\n') continue;
      out.push_back({begin, i});
      if (c == u'\r' && i + 1 < n && text_[size_t(i) + 1] == u'\n') ++i;
      begin = i + 1;
    }
    if (begin < n || out.empty()) out.push_back({begin, n});
    return out;
  }

  // The cells of one paragraph: "&&" is a literal ampersand, "&x" marks x for the underline (the
  // last such mark wins), a final lone "&" disappears.
  Cells MakeCells(const LineRange& range) const {
    Cells cells;
    bool prefixes = !(format_ & DT_NOPREFIX);
    int prefixedCell = -1;
    for (int i = range.begin; i < range.end;) {
      char16_t c = text_[size_t(i)];
      if (prefixes && c == u'&') {
        if (i + 1 >= range.end) break;
        char16_t next = text_[size_t(i) + 1];
        if (next != u'&') prefixedCell = int(cells.size());
        cells.push_back(Cell{next, 0, i, i + 2, false});
        i += 2;
        continue;
      }
      cells.push_back(Cell{c, 0, i, i + 1, false});
      ++i;
    }
    if (prefixedCell >= 0) cells[size_t(prefixedCell)].prefixed = true;
    std::u16string chars;
    chars.reserve(cells.size());
    for (const Cell& cell : cells) chars.push_back(cell.c);
    std::vector<int> advances(chars.size());
    face_.Advances(chars, advances.data());
    for (size_t i = 0; i < cells.size(); ++i) {
      const bool pairTail = advances[i] == 0 && chars[i] >= 0xDC00 && chars[i] <= 0xDFFF;
      cells[i].advance = advances[i] + (pairTail ? 0 : extra_);
    }
    return cells;
  }

  bool CanBreakBefore(const Cells& cells, int i) const {
    if (IsBreakBlank(cells[size_t(i)].c)) return true;
    if (format_ & DT_NOFULLWIDTHCHARBREAK) return false;
    return IsFullWidth(cells[size_t(i)].c) || (i > 0 && IsFullWidth(cells[size_t(i) - 1].c));
  }

  // Lines of one paragraph. Blanks never push a line over the edge; they end the line they
  // follow and are dropped at the break. A word wider than the line stays whole (it is clipped
  // or shortened with an ellipsis) unless DT_EDITCONTROL breaks it between characters.
  std::vector<LineRange> Break(const Cells& cells) const {
    int n = int(cells.size());
    if (!(format_ & DT_WORDBREAK) || (format_ & DT_SINGLELINE) || n == 0) return {{0, n}};
    std::vector<LineRange> lines;
    int start = 0;
    while (start < n) {
      int pos = 0;
      int lastBreak = -1;
      int i = start;
      bool overflow = false;
      for (; i < n; ++i) {
        if (i > start && CanBreakBefore(cells, i)) lastBreak = i;
        int w = Advance(cells[size_t(i)], pos);
        if (i > start && !IsBreakBlank(cells[size_t(i)].c) && pos + w > available_) {
          overflow = true;
          break;
        }
        pos += w;
      }
      if (!overflow) {
        lines.push_back({start, n});
        break;
      }
      int end;
      bool longWord = false;
      if (lastBreak > start) {
        end = lastBreak;
      } else if (format_ & DT_EDITCONTROL) {
        end = i;
      } else {
        end = i + 1;
        while (end < n && !CanBreakBefore(cells, end)) ++end;
        longWord = true;
      }
      int lineEnd = end;
      while (lineEnd > start && IsBreakBlank(cells[size_t(lineEnd) - 1].c)) --lineEnd;
      lines.push_back({start, lineEnd, longWord});
      start = end;
      while (start < n && IsBreakBlank(cells[size_t(start)].c)) ++start;
    }
    return lines;
  }

  // Position after laying out cells[begin, end) from `pos`.
  int EndOf(const Cells& cells, size_t begin, size_t end, int pos) const {
    for (size_t i = begin; i < end; ++i) pos += Advance(cells[i], pos);
    return pos;
  }

  // A cut at `k` must not separate the halves of a surrogate pair.
  static size_t KeepPairs(const Cells& cells, size_t k) {
    bool splits = k > 0 && k < cells.size() && cells[k - 1].c >= 0xD800 && cells[k - 1].c <= 0xDBFF &&
                  cells[k].c >= 0xDC00 && cells[k].c <= 0xDFFF;
    return splits ? k - 1 : k;
  }

  // Shortens `cells` to fit the line, keeping the start (and, for a path, the last path element)
  // and putting "..." where characters were taken out. Returns the cut as [cutFrom, cutTo) in
  // source units. The end of a line only moves right as its head grows (tab stops included), so
  // the longest head that fits is found by bisection.
  void Shorten(Cells& cells, bool dots, bool path, int lineSrcEnd, int& cutFrom, int& cutTo) const {
    size_t split = cells.size();
    if (path) {
      for (size_t i = cells.size(); i-- > 0;) {
        if (cells[i].c == u'\\' || cells[i].c == u'/') {
          split = i;
          break;
        }
      }
    }
    Cells head(cells.begin(), cells.begin() + ptrdiff_t(split));
    Cells tail(cells.begin() + ptrdiff_t(split), cells.end());
    const int dotsWidth = dots ? 3 * dotAdvance_ : 0;

    std::vector<int> headEnd(head.size() + 1, 0);
    for (size_t k = 0; k < head.size(); ++k) headEnd[k + 1] = headEnd[k] + Advance(head[k], headEnd[k]);
    auto fits = [&](size_t k) { return EndOf(tail, 0, tail.size(), headEnd[k] + dotsWidth) <= available_; };
    size_t lo = 0, hi = head.size();  // the answer lies in [lo, hi]; lo may still fail
    while (lo < hi) {
      size_t mid = (lo + hi + 1) / 2;
      if (fits(mid)) lo = mid;
      else hi = mid - 1;
    }
    head.resize(KeepPairs(head, lo));
    if (head.empty() && !fits(0)) {
      // Even the last element does not fit after the dots: its end goes too.
      size_t m = 0;
      for (int pos = dotsWidth; m < tail.size(); ++m) {
        int next = pos + Advance(tail[m], pos);
        if (next > available_) break;
        pos = next;
      }
      tail.resize(KeepPairs(tail, m));
    }
    cutFrom = head.empty() ? (cells.empty() ? lineSrcEnd : cells.front().srcBegin) : head.back().srcEnd;
    cutTo = tail.empty() ? lineSrcEnd : tail.front().srcBegin;
    cells = head;
    if (dots)
      for (int k = 0; k < 3; ++k) cells.push_back(Cell{u'.', dotAdvance_, -1, -1, false});
    cells.insert(cells.end(), tail.begin(), tail.end());
  }

  void AddLine(DrawTextLayout& out, const Cells& all, const LineRange& range, const LineRange& paragraph,
               bool lastOfText) {
    Cells cells(all.begin() + range.begin, all.begin() + range.end);
    int srcEnd = range.end > range.begin ? all[size_t(range.end) - 1].srcEnd : paragraph.end;
    if (range.end == int(all.size())) srcEnd = paragraph.end;

    bool wordBreak = (format_ & DT_WORDBREAK) && !(format_ & DT_SINGLELINE);
    bool path = (format_ & DT_PATH_ELLIPSIS) != 0;
    bool end = (format_ & DT_END_ELLIPSIS) != 0;
    bool word = (format_ & DT_WORD_ELLIPSIS) != 0;
    if ((path || end || word) && Width(cells) > available_ && (!wordBreak || range.longWord)) {
      // Under word breaking only a word wider than the line is shortened; with DT_END_ELLIPSIS
      // alone a word that does not end the text is cut without dots.
      bool dots = !wordBreak || word || path || lastOfText;
      int cutFrom = 0, cutTo = 0;
      Shorten(cells, dots, path && !wordBreak, srcEnd, cutFrom, cutTo);
      if (dots && !out.modified) {
        out.modified = true;
        out.modifiedText = std::u16string(text_.substr(0, size_t(cutFrom)));
        out.modifiedText += kEllipsis;
        out.modifiedText += text_.substr(size_t(cutTo));
      }
    }

    LaidOutLine line;
    line.text.reserve(cells.size());
    line.offsets.reserve(cells.size());
    int pos = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
      const Cell& cell = cells[i];
      bool expandedTab = cell.c == u'\t' && expandTabs_;
      line.text.push_back(expandedTab ? u' ' : cell.c);
      line.offsets.push_back(pos);
      if (cell.prefixed) line.prefix = int(i);
      pos += Advance(cell, pos);
    }
    line.width = pos;
    out.lines.push_back(std::move(line));
    sourceStarts_.push_back(range.begin < int(all.size()) ? all[size_t(range.begin)].srcBegin : paragraph.begin);
  }

  // Placement in 64 bits, clamped back: rectangles may lie anywhere in the coordinate space.
  void Place(DrawTextLayout& out) const {
    const RECT& r = o_.rect;
    const int64_t count = int64_t(out.lines.size());
    const int64_t height = count * lineHeight_;
    int maxWidth = 0;
    for (const LaidOutLine& line : out.lines) maxWidth = std::max(maxWidth, line.width);

    int64_t top = r.top;
    const bool single = (format_ & DT_SINGLELINE) != 0;
    const bool calc = (format_ & DT_CALCRECT) != 0;
    if (single && !calc) {
      if (format_ & DT_VCENTER)
        top = r.top + (int64_t(r.bottom) - r.top - lineHeight_) / 2;
      else if (format_ & DT_BOTTOM)
        top = int64_t(r.bottom) - lineHeight_;
    }
    const int64_t left = int64_t(r.left) + o_.leftMargin;
    out.lengthDrawn = UINT(text_.size());
    for (int64_t i = 0; i < count; ++i) {
      LaidOutLine& line = out.lines[size_t(i)];
      const int64_t y = top + i * lineHeight_;
      line.y = Clamp(y);
      if (format_ & DT_CENTER)
        line.x = Clamp(left + (int64_t(available_) - line.width) / 2);
      else if (format_ & DT_RIGHT)
        line.x = Clamp(int64_t(r.right) - o_.rightMargin - line.width);
      else
        line.x = Clamp(left);
      if ((format_ & DT_EDITCONTROL) && !calc && i > 0 && y + lineHeight_ > r.bottom) {
        if (line.visible && out.lengthDrawn == UINT(text_.size())) out.lengthDrawn = UINT(sourceStarts_[size_t(i)]);
        line.visible = false;
      }
    }
    out.textRect = RECT{r.left, r.top, Clamp(left + maxWidth + o_.rightMargin), Clamp(int64_t(r.top) + height)};
    out.height = Clamp((single && !calc && (format_ & (DT_VCENTER | DT_BOTTOM))) ? top - r.top + lineHeight_ : height);
    if (count == 0) out.height = 0;
  }

  const FontFace& face_;
  std::u16string_view text_;
  const DrawTextOptions& o_;
  UINT format_;
  int lineHeight_ = 0;
  int tabWidth_ = 1;
  int available_ = 0;
  int dotAdvance_ = 0;  // with the character extra
  int extra_ = 0;
  bool expandTabs_ = false;
  std::vector<int> sourceStarts_;
};

}  // namespace

DrawTextLayout LayOutDrawText(const FontFace& face, std::u16string_view text, const DrawTextOptions& options) {
  return Layouter(face, text, options).Run();
}

}  // namespace win::gdi
