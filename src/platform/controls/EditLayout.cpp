#include "platform/controls/EditLayout.h"

#include <algorithm>

namespace win::edit {
namespace {

void WrapHardLine(std::u16string_view text, std::size_t start, std::size_t end, std::size_t breakLength,
                  int wrapWidth, const PositionsFn& positions, std::vector<EditLine>& out) {
  std::vector<int> x;
  positions(text.substr(start, end - start), x);
  std::size_t s = start;
  while (true) {
    // The longest run from s that fits.
    std::size_t e = s;
    while (e < end && x[e + 1 - start] - x[s - start] <= wrapWidth) ++e;
    if (e >= end) {
      out.push_back({s, end - s, breakLength});
      return;
    }
    std::size_t cut = e;
    // Back up to just after a blank when there is one; blanks after the cut hang on this line.
    if (text[e] != u' ') {
      std::size_t b = e;
      while (b > s && text[b - 1] != u' ') --b;
      if (b > s) cut = b;
    }
    if (cut == s) cut = s + 1;  // not even one character fits: show it anyway
    std::size_t next = cut;
    while (next < end && text[next] == u' ') ++next;
    if (next >= end) {
      out.push_back({s, end - s, breakLength});
      return;
    }
    out.push_back({s, next - s, 0});
    s = next;
  }
}

}  // namespace

std::vector<EditLine> BreakLines(std::u16string_view text, bool multiLine, int wrapWidth, const PositionsFn& positions) {
  std::vector<EditLine> lines;
  if (!multiLine) {
    lines.push_back({0, text.size(), 0});
    return lines;
  }
  std::size_t start = 0;
  while (true) {
    std::size_t brk = text.find(u"\r\n", start);
    std::size_t end = brk == std::u16string_view::npos ? text.size() : brk;
    std::size_t breakLength = brk == std::u16string_view::npos ? 0 : 2;
    if (wrapWidth > 0 && end > start)
      WrapHardLine(text, start, end, breakLength, wrapWidth, positions, lines);
    else
      lines.push_back({start, end - start, breakLength});
    if (breakLength == 0) break;
    start = end + 2;
  }
  return lines;
}

std::size_t LineOfPosition(const std::vector<EditLine>& lines, std::size_t pos) {
  auto it = std::upper_bound(lines.begin(), lines.end(), pos,
                             [](std::size_t p, const EditLine& l) { return p < l.start; });
  if (it == lines.begin()) return 0;
  return std::size_t(it - lines.begin()) - 1;
}

std::size_t NearestBoundary(const std::vector<int>& positions, int x) {
  if (positions.empty()) return 0;
  std::size_t best = 0;
  for (std::size_t i = 1; i < positions.size(); ++i) {
    if (positions[i] <= x) {
      best = i;
      continue;
    }
    // x lies between boundary i-1 and i: the closer one wins.
    if (positions[i] - x < x - positions[i - 1]) best = i;
    break;
  }
  return best;
}

}  // namespace win::edit
