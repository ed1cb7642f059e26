// DrawText layout with the built-in test font (every character 7 wide, lines 13 high): exact
// line texts, positions, word breaks, tabs, prefixes, ellipses and CALCRECT results.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/DrawTextLayout.h"
#include "platform/gdi/detail/FontFace.h"

namespace win::gdi {
namespace {

class DrawTextLayoutTest : public ::testing::Test {
 protected:
  DrawTextLayoutTest() {
    LOGFONTW lf{};
    std::memcpy(lf.lfFaceName, kTestFontFace.data(), kTestFontFace.size() * sizeof(char16_t));
    face_ = FontFace::Resolve(lf);
  }

  DrawTextLayout Lay(std::u16string_view text, RECT rect, UINT format, int tabLength = 8, int left = 0,
                     int right = 0) {
    DrawTextOptions o;
    o.rect = rect;
    o.format = format;
    o.tabLength = tabLength;
    o.leftMargin = left;
    o.rightMargin = right;
    return LayOutDrawText(*face_, text, o);
  }

  static std::vector<std::u16string> Texts(const DrawTextLayout& l) {
    std::vector<std::u16string> out;
    for (const LaidOutLine& line : l.lines) out.push_back(line.text);
    return out;
  }

  std::shared_ptr<const FontFace> face_;
};

using Lines = std::vector<std::u16string>;

TEST_F(DrawTextLayoutTest, HorizontalAlignmentOfOneLine) {
  const RECT r{10, 20, 110, 60};
  auto left = Lay(u"abc", r, DT_SINGLELINE | DT_LEFT);
  ASSERT_EQ(left.lines.size(), 1u);
  EXPECT_EQ(left.lines[0].x, 10);
  EXPECT_EQ(left.lines[0].y, 20);
  EXPECT_EQ(left.lines[0].width, 21);
  EXPECT_EQ(left.height, 13);
  EXPECT_EQ(Lay(u"abc", r, DT_SINGLELINE | DT_CENTER).lines[0].x, 10 + (100 - 21) / 2);
  EXPECT_EQ(Lay(u"abc", r, DT_SINGLELINE | DT_RIGHT).lines[0].x, 110 - 21);
  // Wider than the rectangle: centring moves the text left of the rectangle.
  EXPECT_EQ(Lay(u"abcdefghijklmnopqrst", r, DT_SINGLELINE | DT_CENTER).lines[0].x, 10 + (100 - 140) / 2);
}

TEST_F(DrawTextLayoutTest, VerticalCentringAndBottomReturnTheOffsetToTheTextBottom) {
  const RECT r{10, 20, 110, 60};
  auto centred = Lay(u"abc", r, DT_SINGLELINE | DT_VCENTER);
  EXPECT_EQ(centred.lines[0].y, 20 + (40 - 13) / 2);
  EXPECT_EQ(centred.height, 13 + 13);
  auto bottom = Lay(u"abc", r, DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(bottom.lines[0].y, 60 - 13);
  EXPECT_EQ(bottom.height, 40);
  // Only single-line text moves vertically.
  auto multi = Lay(u"abc", r, DT_VCENTER);
  EXPECT_EQ(multi.lines[0].y, 20);
  EXPECT_EQ(multi.height, 13);
  // A rectangle lower than a line gives a negative offset.
  auto low = Lay(u"abc", RECT{0, 0, 50, 5}, DT_SINGLELINE | DT_VCENTER);
  EXPECT_EQ(low.lines[0].y, (5 - 13) / 2);
}

TEST_F(DrawTextLayoutTest, LineBreaksSplitLinesUnlessSingleLine) {
  const RECT r{0, 0, 200, 100};
  auto l = Lay(u"ab\ncd\r\nef\rgh", r, DT_LEFT);
  EXPECT_EQ(Texts(l), (Lines{u"ab", u"cd", u"ef", u"gh"}));
  ASSERT_EQ(l.lines.size(), 4u);
  EXPECT_EQ(l.lines[3].y, 39);
  EXPECT_EQ(l.height, 52);
  EXPECT_EQ(Lay(u"ab\n", r, 0).lines.size(), 1u);
  EXPECT_EQ(Lay(u"\n\n", r, 0).lines.size(), 2u);
  EXPECT_EQ(Lay(u"ab\n\ncd", r, 0).lines.size(), 3u);
  auto single = Lay(u"ab\ncd", r, DT_SINGLELINE);
  ASSERT_EQ(single.lines.size(), 1u);
  EXPECT_EQ(single.lines[0].width, 35);  // the line break is a character there
}

TEST_F(DrawTextLayoutTest, WordBreakPositions) {
  // 50 pixels hold 7 characters.
  EXPECT_EQ(Texts(Lay(u"aaa bbb ccc", RECT{0, 0, 50, 100}, DT_WORDBREAK)), (Lines{u"aaa bbb", u"ccc"}));
  // 48 pixels hold 6: every word on its own line.
  auto narrow = Lay(u"aaa bbb ccc", RECT{0, 0, 48, 100}, DT_WORDBREAK);
  EXPECT_EQ(Texts(narrow), (Lines{u"aaa", u"bbb", u"ccc"}));
  EXPECT_EQ(narrow.height, 39);
  // Runs of blanks at a break disappear; blanks never push a line over the edge.
  EXPECT_EQ(Texts(Lay(u"aaa     bbb", RECT{0, 0, 28, 100}, DT_WORDBREAK)), (Lines{u"aaa", u"bbb"}));
  EXPECT_EQ(Texts(Lay(u"aaaa bb", RECT{0, 0, 28, 100}, DT_WORDBREAK)), (Lines{u"aaaa", u"bb"}));
  // Single-line text never breaks.
  EXPECT_EQ(Lay(u"aaa bbb ccc", RECT{0, 0, 20, 100}, DT_WORDBREAK | DT_SINGLELINE).lines.size(), 1u);
  // Line breaks in the text still break under word breaking.
  EXPECT_EQ(Texts(Lay(u"a b\nc", RECT{0, 0, 100, 100}, DT_WORDBREAK)), (Lines{u"a b", u"c"}));
}

TEST_F(DrawTextLayoutTest, LongWordsStayWholeUnlessEditControl) {
  auto whole = Lay(u"abcdefghij xy", RECT{0, 0, 30, 100}, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(Texts(whole), (Lines{u"abcdefghij", u"xy"}));
  EXPECT_EQ(whole.textRect.right, 70);  // grown to the widest word
  auto broken = Lay(u"abcdefghij xy", RECT{0, 0, 30, 100}, DT_WORDBREAK | DT_EDITCONTROL);
  EXPECT_EQ(Texts(broken), (Lines{u"abcd", u"efgh", u"ij", u"xy"}));
}

TEST_F(DrawTextLayoutTest, FullWidthCharactersBreakAnywhereUnlessAsked) {
  std::u16string cjk = u"\u4E2D\u6587\u5B57\u7B26";
  EXPECT_EQ(Texts(Lay(cjk, RECT{0, 0, 20, 100}, DT_WORDBREAK)), (Lines{u"\u4E2D\u6587", u"\u5B57\u7B26"}));
  EXPECT_EQ(Texts(Lay(cjk, RECT{0, 0, 20, 100}, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK)), (Lines{cjk}));
}

TEST_F(DrawTextLayoutTest, CalcRectShrinksOrGrowsToTheText) {
  auto one = Lay(u"Hello", RECT{5, 7, 6, 8}, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(one.textRect, (RECT{5, 7, 40, 20}));
  EXPECT_EQ(one.height, 13);
  // The given width decides the breaks; the result is as wide as the widest line.
  auto wrapped = Lay(u"aaa bbb ccc", RECT{0, 10, 48, 11}, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(wrapped.textRect, (RECT{0, 10, 21, 49}));
  EXPECT_EQ(wrapped.height, 39);
  // Alignment and vertical centring do not move the calculated rectangle.
  auto centred = Lay(u"abc", RECT{0, 0, 100, 100}, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_CALCRECT);
  EXPECT_EQ(centred.textRect, (RECT{0, 0, 21, 13}));
  EXPECT_EQ(centred.height, 13);
  // Margins are part of the rectangle.
  auto margins = Lay(u"abc", RECT{0, 0, 100, 100}, DT_SINGLELINE | DT_CALCRECT, 8, 5, 3);
  EXPECT_EQ(margins.textRect, (RECT{0, 0, 29, 13}));
}

TEST_F(DrawTextLayoutTest, MarginsNarrowTheLine) {
  auto l = Lay(u"abc", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_RIGHT, 8, 5, 10);
  EXPECT_EQ(l.lines[0].x, 100 - 10 - 21);
  EXPECT_EQ(Lay(u"abc", RECT{0, 0, 100, 20}, DT_SINGLELINE, 8, 5, 10).lines[0].x, 5);
  EXPECT_EQ(Lay(u"abc", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_CENTER, 8, 5, 10).lines[0].x, 5 + (85 - 21) / 2);
  // The width for breaking is what the margins leave.
  EXPECT_EQ(Texts(Lay(u"aaa bbb", RECT{0, 0, 60, 100}, DT_WORDBREAK, 8, 6, 6)), (Lines{u"aaa", u"bbb"}));
}

TEST_F(DrawTextLayoutTest, TabsExpandToStopsOfAverageCharacterWidths) {
  auto eight = Lay(u"a\tb", RECT{0, 0, 500, 20}, DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(eight.lines[0].text, u"a b");
  EXPECT_EQ(eight.lines[0].offsets, (std::vector<int>{0, 7, 56}));
  EXPECT_EQ(eight.lines[0].width, 63);
  auto two = Lay(u"ab\tc\td", RECT{0, 0, 500, 20}, DT_SINGLELINE | DT_EXPANDTABS, 2);
  EXPECT_EQ(two.lines[0].offsets, (std::vector<int>{0, 7, 14, 28, 35, 42}));
  // A tab at a stop goes to the next one.
  auto atStop = Lay(u"ab\tc", RECT{0, 0, 500, 20}, DT_SINGLELINE | DT_EXPANDTABS, 1);
  EXPECT_EQ(atStop.lines[0].offsets, (std::vector<int>{0, 7, 14, 21}));
  // Without DT_EXPANDTABS a tab is an ordinary character.
  auto plain = Lay(u"ab\tc", RECT{0, 0, 500, 20}, DT_SINGLELINE, 2);
  EXPECT_EQ(plain.lines[0].offsets, (std::vector<int>{0, 7, 14, 21}));
  EXPECT_EQ(plain.lines[0].text, u"ab\tc");
  // Tab stops count from the start of each line.
  auto lines = Lay(u"a\tb\n\tc", RECT{0, 0, 500, 40}, DT_EXPANDTABS, 2);
  EXPECT_EQ(lines.lines[1].offsets, (std::vector<int>{0, 14}));
}

TEST_F(DrawTextLayoutTest, PrefixAmpersands) {
  const RECT r{0, 0, 200, 20};
  auto file = Lay(u"&File", r, DT_SINGLELINE);
  EXPECT_EQ(file.lines[0].text, u"File");
  EXPECT_EQ(file.lines[0].prefix, 0);
  EXPECT_EQ(file.lines[0].width, 28);
  auto saveAs = Lay(u"Save &As", r, DT_SINGLELINE);
  EXPECT_EQ(saveAs.lines[0].text, u"Save As");
  EXPECT_EQ(saveAs.lines[0].prefix, 5);
  auto literal = Lay(u"A&&B", r, DT_SINGLELINE);
  EXPECT_EQ(literal.lines[0].text, u"A&B");
  EXPECT_EQ(literal.lines[0].prefix, -1);
  auto mixed = Lay(u"&&&x", r, DT_SINGLELINE);
  EXPECT_EQ(mixed.lines[0].text, u"&x");
  EXPECT_EQ(mixed.lines[0].prefix, 1);
  EXPECT_EQ(Lay(u"&a&b", r, DT_SINGLELINE).lines[0].prefix, 1);  // the last mark wins
  EXPECT_EQ(Lay(u"abc&", r, DT_SINGLELINE).lines[0].text, u"abc");
  auto none = Lay(u"&File", r, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(none.lines[0].text, u"&File");
  EXPECT_EQ(none.lines[0].prefix, -1);
  EXPECT_EQ(none.lines[0].width, 35);
  // A lone "&" leaves an empty line that still has a height.
  auto lone = Lay(u"&", r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(lone.textRect, (RECT{0, 0, 0, 13}));
  // Each line has its own mark; word breaking keeps it on the right character.
  auto wrapped = Lay(u"&one t&wo", RECT{0, 0, 30, 100}, DT_WORDBREAK);
  EXPECT_EQ(Texts(wrapped), (Lines{u"one", u"two"}));
  EXPECT_EQ(wrapped.lines[0].prefix, -1);
  EXPECT_EQ(wrapped.lines[1].prefix, 1);
}

TEST_F(DrawTextLayoutTest, EndEllipsis) {
  const RECT r{0, 0, 50, 20};
  auto cut = Lay(u"abcdefghij", r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(cut.lines[0].text, u"abcd...");
  EXPECT_EQ(cut.lines[0].width, 49);
  EXPECT_TRUE(cut.modified);
  EXPECT_EQ(cut.modifiedText, u"abcd...");
  auto fits = Lay(u"abcdefg", r, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(fits.lines[0].text, u"abcdefg");
  EXPECT_FALSE(fits.modified);
  // The source keeps its ampersands in the modified text; the mark follows its character.
  auto prefixed = Lay(u"ab&cdefghij", r, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(prefixed.lines[0].text, u"abcd...");
  EXPECT_EQ(prefixed.lines[0].prefix, 2);
  EXPECT_EQ(prefixed.modifiedText, u"ab&cd...");
  auto lostMark = Lay(u"abcdef&ghij", r, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(lostMark.lines[0].text, u"abcd...");
  EXPECT_EQ(lostMark.lines[0].prefix, -1);
  // Not even the dots fit: only the dots remain.
  EXPECT_EQ(Lay(u"abcdefghij", RECT{0, 0, 10, 20}, DT_SINGLELINE | DT_END_ELLIPSIS).lines[0].text, u"...");
  // Calculated rectangles measure the shortened text.
  EXPECT_EQ(Lay(u"abcdefghij", r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT).textRect.right, 49);
}

TEST_F(DrawTextLayoutTest, EllipsisOfLongTextsAndSurrogatePairs) {
  std::u16string longText(200000, u'x');
  auto cut = Lay(longText, RECT{0, 0, 50, 20}, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(cut.lines[0].text, u"xxxx...");
  EXPECT_EQ(cut.modifiedText, u"xxxx...");
  auto path = Lay(u"C:\\" + longText + u"\\name", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
  EXPECT_EQ(path.lines[0].text, u"C:\\xxx...\\name");
  // A pair is kept or dropped whole.
  auto pair = Lay(u"ab\U0001F600cdefgh", RECT{0, 0, 50, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(pair.lines[0].text, u"ab\U0001F600c...");
  auto dropped = Lay(u"abc\U0001F600defgh", RECT{0, 0, 43, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(dropped.lines[0].text, u"abc...");
}

TEST_F(DrawTextLayoutTest, PathEllipsisKeepsTheLastElement) {
  auto path = Lay(u"C:\\dir\\sub\\file.txt", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
  EXPECT_EQ(path.lines[0].text, u"C:...\\file.txt");
  EXPECT_EQ(path.lines[0].width, 98);
  EXPECT_EQ(path.modifiedText, u"C:...\\file.txt");
  auto slash = Lay(u"/usr/share/data.csv", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
  EXPECT_EQ(slash.lines[0].text, u"/u.../data.csv");
  // The last element alone is too long: it is cut from its end after the dots.
  auto tail = Lay(u"C:\\verylongfilename.txt", RECT{0, 0, 50, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
  EXPECT_EQ(tail.lines[0].text, u"...\\ver");
  // No separator: the end is cut.
  EXPECT_EQ(Lay(u"abcdefghij", RECT{0, 0, 50, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS).lines[0].text, u"abcd...");
  EXPECT_EQ(Lay(u"C:\\a\\b.txt", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS).lines[0].text,
            u"C:\\a\\b.txt");
}

TEST_F(DrawTextLayoutTest, EllipsesUnderWordBreaking) {
  const RECT r{0, 0, 50, 100};
  auto word = Lay(u"a verylongword b", r, DT_WORDBREAK | DT_WORD_ELLIPSIS);
  EXPECT_EQ(Texts(word), (Lines{u"a", u"very...", u"b"}));
  // End ellipsis: a long word inside the text is cut without dots, the last one with dots.
  auto inner = Lay(u"a verylongword b", r, DT_WORDBREAK | DT_END_ELLIPSIS);
  EXPECT_EQ(Texts(inner), (Lines{u"a", u"verylon", u"b"}));
  EXPECT_FALSE(inner.modified);
  auto last = Lay(u"a verylongword", r, DT_WORDBREAK | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(Texts(last), (Lines{u"a", u"very..."}));
  EXPECT_EQ(last.modifiedText, u"a very...");
}

TEST_F(DrawTextLayoutTest, ModifiedTextKeepsTheOtherLines) {
  auto l = Lay(u"first\nabcdefghij\nlast", RECT{0, 0, 50, 100}, DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_EQ(Texts(l), (Lines{u"first", u"abcd...", u"last"}));
  EXPECT_EQ(l.modifiedText, u"first\nabcd...\nlast");
}

TEST_F(DrawTextLayoutTest, EditControlHidesAPartlyVisibleLastLine) {
  auto l = Lay(u"one\ntwo\nthree", RECT{0, 0, 100, 30}, DT_EDITCONTROL);
  ASSERT_EQ(l.lines.size(), 3u);
  EXPECT_TRUE(l.lines[0].visible);
  EXPECT_TRUE(l.lines[1].visible);
  EXPECT_FALSE(l.lines[2].visible);
  EXPECT_EQ(l.lengthDrawn, 8u);  // "three" starts at 8
  auto plain = Lay(u"one\ntwo\nthree", RECT{0, 0, 100, 30}, 0);
  EXPECT_TRUE(plain.lines[2].visible);
  EXPECT_EQ(plain.lengthDrawn, 13u);
  // The first line shows even when it does not fit.
  EXPECT_TRUE(Lay(u"one", RECT{0, 0, 100, 5}, DT_EDITCONTROL).lines[0].visible);
}

TEST_F(DrawTextLayoutTest, RightAlignedLinesAlignEachLine) {
  auto l = Lay(u"a\nbbb", RECT{0, 0, 100, 100}, DT_RIGHT);
  EXPECT_EQ(l.lines[0].x, 93);
  EXPECT_EQ(l.lines[1].x, 79);
  EXPECT_EQ(l.lines[1].y, 13);
}

TEST_F(DrawTextLayoutTest, ExtremeRectanglesAndSizesStayInRange) {
  const RECT huge{-2147483647, -2147483647, 2147483647, 2147483647};
  auto centred = Lay(u"abc", huge, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  ASSERT_EQ(centred.lines.size(), 1u);
  EXPECT_EQ(centred.lines[0].width, 21);
  auto bottom = Lay(u"abc\ndef", RECT{0, 2147483600, 100, 2147483647}, DT_RIGHT);
  EXPECT_EQ(bottom.lines.size(), 2u);
  auto margins = Lay(u"abc", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_CALCRECT, 8, 2147483647, 2147483647);
  EXPECT_EQ(margins.lines.size(), 1u);
  // A tab stop far beyond any coordinate refuses only text that expands it.
  auto tabs = Lay(u"a\tb", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_EXPANDTABS, 2147483647);
  EXPECT_TRUE(tabs.lines.empty());
  EXPECT_EQ(tabs.height, 0);
  EXPECT_EQ(Lay(u"ab", RECT{0, 0, 100, 20}, DT_SINGLELINE | DT_EXPANDTABS, 2147483647).lines.size(), 1u);
  EXPECT_EQ(Lay(u"a\tb", RECT{0, 0, 100, 20}, DT_SINGLELINE, 2147483647).lines.size(), 1u);
}

TEST_F(DrawTextLayoutTest, EmptyTextHasNoLines) {
  auto l = Lay(u"", RECT{3, 4, 100, 100}, DT_CALCRECT);
  EXPECT_TRUE(l.lines.empty());
  EXPECT_EQ(l.height, 0);
  EXPECT_EQ(l.textRect, (RECT{3, 4, 3, 4}));
}

TEST(DrawTextLayoutRealFont, ExternalLeadingSpacesLines) {
  LOGFONTW lf{};
  lf.lfHeight = -40;
  std::u16string_view arial = u"Arial";
  std::memcpy(lf.lfFaceName, arial.data(), arial.size() * sizeof(char16_t));
  auto face = FontFace::Resolve(lf);
  const TEXTMETRICW& tm = face->Metrics();
  ASSERT_GT(tm.tmExternalLeading, 0);
  DrawTextOptions o;
  o.rect = RECT{0, 0, 500, 500};
  auto tight = LayOutDrawText(*face, u"a\nb", o);
  EXPECT_EQ(tight.lines[1].y, tm.tmHeight);
  o.format = DT_EXTERNALLEADING;
  auto spaced = LayOutDrawText(*face, u"a\nb", o);
  EXPECT_EQ(spaced.lines[1].y, tm.tmHeight + tm.tmExternalLeading);
  EXPECT_EQ(spaced.height, 2 * (tm.tmHeight + tm.tmExternalLeading));
  // Line widths are sums of the characters' advances.
  EXPECT_EQ(tight.lines[0].width, face->Advance(U'a'));
}

}  // namespace
}  // namespace win::gdi
