#pragma once
// Counting the lines of a text that arrives in pieces, as the two-column reader splits lines:
// LF, CR LF and a lone CR each end one line, CR LF also when a piece ends between the two.

#include <cstddef>
#include <string_view>

namespace workspace {

class TLineEndCounter {
 public:
  // Counts the line ends of the next piece.
  void Add(std::string_view Piece);
  // The line ends so far.
  std::size_t Count() const { return FCount; }
  // Whether the text so far ends inside a line: it is not empty and its last byte ends no line.
  bool InLine() const { return FInLine; }

 private:
  std::size_t FCount = 0;
  bool FAfterCR = false;  // the last byte so far is a CR, already counted
  bool FInLine = false;
};

}  // namespace workspace
