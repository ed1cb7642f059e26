// The line ends of a text fed in pieces: counted as the reader splits lines, wherever the pieces
// are cut (inside CR LF too), and long runs past the counter's 255-byte steps.

#include <gtest/gtest.h>

#include <string>

#include "workspace/LineEndCounter.h"

namespace {

// The lines as the reader steps over them: CR LF, LF or a lone CR ends one.
std::size_t LineEndsOf(const std::string& Text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\n') ++n;
    if (Text[i] == '\r' && (i + 1 == Text.size() || Text[i + 1] != '\n')) ++n;
  }
  return n;
}

TEST(LineEndCounter, PiecesCutAnywhereCountAsTheWholeText) {
  const std::string longLines = [] {
    std::string t;
    for (int i = 0; i < 700; ++i) t += std::string(std::size_t(i % 300), 'x') + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    return t;
  }();
  const std::string texts[] = {"", "\n", "\r", "\r\n", "\n\r", "\r\r\n\n", "a", "a\r\nb\rc\nd", "1 2\r\n3 4\r\n",
                               "\r\n\r\n\r", "x\r", std::string(1000, '\n'), longLines};
  for (const std::string& text : texts) {
    const std::size_t expected = LineEndsOf(text);
    const bool inLine = !text.empty() && text.back() != '\n' && text.back() != '\r';
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      for (std::size_t second : {cut, std::min(text.size(), cut + 1), std::min(text.size(), cut + 257)}) {
        workspace::TLineEndCounter counter;
        counter.Add(std::string_view(text).substr(0, cut));
        counter.Add(std::string_view(text).substr(cut, second - cut));
        counter.Add(std::string_view(text).substr(second));
        EXPECT_EQ(counter.Count(), expected) << "cut at " << cut << " and " << second << " of " << text.size();
        EXPECT_EQ(counter.InLine(), inLine);
      }
    }
  }
}

}  // namespace
