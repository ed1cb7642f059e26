#pragma once
// Breaking an edit's text into lines: at CR LF pairs, and, when a wrap width is given, after the
// last blank that lets a line fit (a word wider than the line is cut where it stops fitting).

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace win::edit {

struct EditLine {
  std::size_t start = 0;
  std::size_t length = 0;       // characters shown, without the line break
  std::size_t breakLength = 0;  // 2 after a CR LF, 0 after a wrap and on the last line
};

// Boundary positions of a run of text: out[i] is the x offset of character i, out[size] the
// width of the whole run.
using PositionsFn = std::function<void(std::u16string_view run, std::vector<int>& out)>;

// Single-line text is one line whatever it holds. `wrapWidth` <= 0 turns wrapping off.
std::vector<EditLine> BreakLines(std::u16string_view text, bool multiLine, int wrapWidth, const PositionsFn& positions);

// The line holding `pos` (a position at a wrap belongs to the line it starts).
std::size_t LineOfPosition(const std::vector<EditLine>& lines, std::size_t pos);

// The index among `positions` closest to x.
std::size_t NearestBoundary(const std::vector<int>& positions, int x);

}  // namespace win::edit
