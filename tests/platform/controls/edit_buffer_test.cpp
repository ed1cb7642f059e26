// The edit's text model and line breaking on their own.

#include <gtest/gtest.h>

#include "platform/controls/EditBuffer.h"
#include "platform/controls/EditLayout.h"

namespace {

using namespace win::edit;

TEST(EditBufferTest, LimitCutsInsertionsWithoutSplittingPairs) {
  EditBuffer b;
  b.SetLimit(5);
  b.SetText(u"abc");
  b.Select(3, 3);
  auto r = b.ReplaceSelection(u"\r\nz", true);
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(b.text(), u"abc\r\n");
  // Room for one character would split the CR LF: the pair is dropped whole.
  b.SetLimit(4);
  b.SetText(u"abc");
  b.Select(3, 3);
  r = b.ReplaceSelection(u"\r\n", true);
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(r.inserted, 0u);
  EXPECT_EQ(b.text(), u"abc");
  b.SetLimit(5);
  b.SetText(u"abcd");
  b.Select(4, 4);
  r = b.ReplaceSelection(u"\U0001F600", true);  // a surrogate pair into room for one unit
  EXPECT_TRUE(r.truncated);
  EXPECT_EQ(r.inserted, 0u);
  EXPECT_EQ(b.text(), u"abcd");
  // Text above the limit (set by the program) takes no insertions but allows deletions.
  b.SetLimit(2);
  b.Select(0, 1);
  r = b.ReplaceSelection(u"xy", true);
  EXPECT_EQ(b.text(), u"bcd");
  EXPECT_TRUE(r.truncated);
}

TEST(EditBufferTest, ConsecutiveTypingIsOneUndoStepButAMoveStartsANewOne) {
  EditBuffer b;
  b.SetText(u"");
  for (char16_t c : std::u16string(u"abc")) b.ReplaceSelection(std::u16string(1, c), true, true);
  b.Select(0, 0);
  b.ReplaceSelection(u"X", true, true);
  EXPECT_EQ(b.text(), u"Xabc");
  EXPECT_TRUE(b.Undo());
  EXPECT_EQ(b.text(), u"abc");
  EXPECT_TRUE(b.Undo());  // redo
  EXPECT_EQ(b.text(), u"Xabc");
  b.ReplaceSelection(u"!", false);  // a change without undo forgets the old step
  EXPECT_FALSE(b.CanUndo());
  EXPECT_FALSE(b.Undo());
}

TEST(EditBufferTest, SelectionClampsAndSnapsOutOfPairs) {
  EditBuffer b;
  b.SetText(u"a\r\nb\U0001F600");
  b.Select(2, 100);
  EXPECT_EQ(b.selection().anchor, 1u);
  EXPECT_EQ(b.selection().caret, 6u);
  b.Select(5, 5);  // between the halves of the surrogate pair
  EXPECT_EQ(b.selection().caret, 4u);
  EXPECT_EQ(b.NextCharPos(4), 6u);
  EXPECT_EQ(b.PrevCharPos(4), 3u);
  EXPECT_EQ(b.PrevCharPos(3), 1u);
}

TEST(EditBufferTest, WordsAndBlanks) {
  EditBuffer b;
  b.SetText(u"  слово, word");
  EXPECT_EQ(b.NextWordStart(0), 2u);
  EXPECT_EQ(b.NextWordStart(2), 7u);  // Cyrillic letters are word characters
  EXPECT_EQ(b.NextWordStart(7), 9u);
  EXPECT_EQ(b.PrevWordStart(13), 9u);
  EXPECT_EQ(b.PrevWordStart(9), 7u);
  EXPECT_EQ(b.WordAt(4), std::make_pair(std::size_t(2), std::size_t(7)));
  EXPECT_EQ(b.WordAt(0), std::make_pair(std::size_t(0), std::size_t(2)));
  EditBuffer empty;
  EXPECT_EQ(empty.WordAt(3), std::make_pair(std::size_t(0), std::size_t(0)));
}

// A position inside a line break or a surrogate pair counts as the pair's start for word moves.
TEST(EditBufferTest, WordMovesFromInsideAPairStartAtThePair) {
  EditBuffer b;
  b.SetText(u"ab\r\ncd \U0001F600x");
  struct Move {
    std::size_t inside, pairStart;
  };
  for (Move m : {Move{3, 2}, Move{8, 7}}) {
    EXPECT_EQ(b.PrevWordStart(m.inside), b.PrevWordStart(m.pairStart)) << m.inside;
    EXPECT_EQ(b.NextWordStart(m.inside), b.NextWordStart(m.pairStart)) << m.inside;
  }
  EXPECT_EQ(b.PrevWordStart(3), 0u);
}

// Every character 10 pixels wide.
void Fixed(std::u16string_view run, std::vector<int>& out) {
  out.resize(run.size() + 1);
  for (std::size_t i = 0; i <= run.size(); ++i) out[i] = int(i) * 10;
}

TEST(EditLayoutTest, BreaksAtLineBreaksAndWrapsAfterBlanks) {
  auto lines = BreakLines(u"ab\r\n\r\ncd", true, 0, Fixed);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].start, 4u);
  EXPECT_EQ(lines[1].length, 0u);
  EXPECT_EQ(lines[1].breakLength, 2u);
  EXPECT_EQ(lines[2].start, 6u);
  // 45 pixels: four characters. "ab cd ef" wraps after each blank, which hangs on its line.
  lines = BreakLines(u"ab cd  ef", true, 45, Fixed);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].length, 3u);
  EXPECT_EQ(lines[1].start, 3u);
  EXPECT_EQ(lines[1].length, 4u);
  EXPECT_EQ(lines[2].start, 7u);
  // Narrower than one character: still one character a line, never an endless loop.
  lines = BreakLines(u"abc", true, 5, Fixed);
  EXPECT_EQ(lines.size(), 3u);
  // Single-line text is one line whatever it holds.
  EXPECT_EQ(BreakLines(u"a\r\nb", false, 5, Fixed).size(), 1u);
}

TEST(EditLayoutTest, LineOfPositionAndNearestBoundary) {
  auto lines = BreakLines(u"ab cd", true, 35, Fixed);  // "ab " and "cd"
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(LineOfPosition(lines, 2), 0u);
  EXPECT_EQ(LineOfPosition(lines, 3), 1u);  // the wrap position starts the next line
  EXPECT_EQ(LineOfPosition(lines, 99), 1u);
  std::vector<int> x{0, 10, 20};
  EXPECT_EQ(NearestBoundary(x, -5), 0u);
  EXPECT_EQ(NearestBoundary(x, 4), 0u);
  EXPECT_EQ(NearestBoundary(x, 6), 1u);
  EXPECT_EQ(NearestBoundary(x, 500), 2u);
}

}  // namespace
