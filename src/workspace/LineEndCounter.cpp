#include "workspace/LineEndCounter.h"

#include <algorithm>
#include <cstring>

namespace workspace {

namespace {

// How many times C occurs in Text. Counted in runs of at most 255 bytes into a byte-sized sum,
// which the compiler turns into wide compares.
std::size_t CountByte(std::string_view Text, char C) {
  std::size_t total = 0;
  for (std::size_t at = 0; at < Text.size();) {
    const std::size_t run = std::min<std::size_t>(Text.size() - at, 255);
    const char* p = Text.data() + at;
    unsigned char sum = 0;
    for (std::size_t i = 0; i < run; ++i) sum = static_cast<unsigned char>(sum + (p[i] == C));
    total += sum;
    at += run;
  }
  return total;
}

}  // namespace

void TLineEndCounter::Add(std::string_view Piece) {
  if (Piece.empty()) return;
  FCount += CountByte(Piece, '\n');
  if (FAfterCR && Piece[0] == '\n') --FCount;  // the CR before it has counted this line end
  if (std::memchr(Piece.data(), '\r', Piece.size())) {
    // A CR ends a line unless an LF follows it; a CR last in the piece counts for now.
    for (std::size_t i = 0; i < Piece.size(); ++i)
      FCount += Piece[i] == '\r' && (i + 1 == Piece.size() || Piece[i + 1] != '\n');
  }
  const char last = Piece.back();
  FAfterCR = last == '\r';
  FInLine = last != '\n' && last != '\r';
}

}  // namespace workspace
