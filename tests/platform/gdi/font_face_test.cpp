// Font resolution: the substitution table, the built-in test font's exact metrics and the real
// faces' stable metrics.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiText.h"
#include "platform/gdi/detail/FontFace.h"
#include "platform/gdi/detail/FontSubstitution.h"
#include "platform/gdi/detail/QtGui.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace win::gdi {
namespace {

LOGFONTW Font(std::u16string_view face, LONG height, LONG width = 0) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  std::memcpy(lf.lfFaceName, face.data(), face.size() * sizeof(char16_t));
  return lf;
}

TEST(FontSubstitution, MapsEveryListedFaceToItsFamily) {
  EXPECT_EQ(SubstituteFace(u"Tahoma"), u"DejaVu Sans");
  EXPECT_EQ(SubstituteFace(u"MS Sans Serif"), u"DejaVu Sans");
  EXPECT_EQ(SubstituteFace(u"Verdana"), u"DejaVu Sans");
  EXPECT_EQ(SubstituteFace(u"Segoe UI"), u"DejaVu Sans");
  EXPECT_EQ(SubstituteFace(u"System"), u"DejaVu Sans");
  EXPECT_EQ(SubstituteFace(u""), u"DejaVu Sans");
  EXPECT_EQ(SubstituteFace(u"Arial"), u"Liberation Sans");
  EXPECT_EQ(SubstituteFace(u"Courier New"), u"Liberation Mono");
  EXPECT_EQ(SubstituteFace(u"Times New Roman"), u"Liberation Serif");
  EXPECT_EQ(SubstituteFace(u"No Such Face 123"), u"DejaVu Sans");
  // The faces of the fixed stock fonts keep a fixed pitch.
  EXPECT_EQ(SubstituteFace(u"Terminal"), u"Liberation Mono");
  EXPECT_EQ(SubstituteFace(u"Fixedsys"), u"Liberation Mono");
}

TEST(FontSubstitution, IgnoresAsciiCase) {
  EXPECT_EQ(SubstituteFace(u"ARIAL"), u"Liberation Sans");
  EXPECT_EQ(SubstituteFace(u"courier new"), u"Liberation Mono");
  EXPECT_TRUE(IsTestFace(u"KORVALIN TEST"));
  EXPECT_FALSE(IsTestFace(u"Korvalin Tes"));
}

TEST(TestFont, NaturalSizeHasTheDocumentedMetrics) {
  for (LONG height : {0, 13, -13}) {
    auto face = FontFace::Resolve(Font(kTestFontFace, height));
    const TEXTMETRICW& tm = face->Metrics();
    EXPECT_EQ(tm.tmHeight, 13) << height;
    EXPECT_EQ(tm.tmAscent, 10);
    EXPECT_EQ(tm.tmDescent, 3);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmExternalLeading, 0);
    EXPECT_EQ(tm.tmAveCharWidth, 7);
    EXPECT_EQ(face->Advance(U'W'), 7);
    EXPECT_EQ(face->Advance(U'i'), 7);
    EXPECT_EQ(face->FaceName(), kTestFontFace);
  }
}

TEST(TestFont, ScalesFromTheCellHeight) {
  auto big = FontFace::Resolve(Font(kTestFontFace, -26));
  EXPECT_EQ(big->Metrics().tmHeight, 26);
  EXPECT_EQ(big->Metrics().tmAscent, 20);
  EXPECT_EQ(big->Metrics().tmDescent, 6);
  EXPECT_EQ(big->Advance(U'a'), 14);

  auto twenty = FontFace::Resolve(Font(kTestFontFace, 20));
  EXPECT_EQ(twenty->Metrics().tmAscent, 15);  // round(20 * 10 / 13) = round(15.38)
  EXPECT_EQ(twenty->Metrics().tmDescent, 5);
  EXPECT_EQ(twenty->Advance(U'a'), 11);  // round(0.54 * 20) = round(10.8)

  auto narrow = FontFace::Resolve(Font(kTestFontFace, -13, 5));
  EXPECT_EQ(narrow->Advance(U'a'), 5);
  EXPECT_EQ(narrow->Metrics().tmAveCharWidth, 5);
}

TEST(TestFont, WidthsCountUtf16UnitsAndSurrogatePairsOnce) {
  auto face = FontFace::Resolve(Font(kTestFontFace, 0));
  EXPECT_EQ(face->Width(u"Hello"), 35);
  EXPECT_EQ(face->Width(u"\u041F\u0440\u0438\u0432\u0435\u0442"), 42);
  std::u16string pair = u"a\U0001F600b";  // a, surrogate pair, b
  ASSERT_EQ(pair.size(), 4u);
  EXPECT_EQ(face->Width(pair), 21);
  int adv[4] = {-1, -1, -1, -1};
  face->Advances(pair, adv);
  EXPECT_EQ(adv[0], 7);
  EXPECT_EQ(adv[1], 7);
  EXPECT_EQ(adv[2], 0);
  EXPECT_EQ(adv[3], 7);
  // A lone surrogate still counts as a character.
  EXPECT_EQ(face->Width(std::u16string(1, char16_t(0xD800))), 7);
}

TEST(FontCache, SameLogFontGivesTheSameFace) {
  LOGFONTW a = Font(kTestFontFace, -20);
  LOGFONTW b = a;
  b.lfFaceName[kTestFontFace.size() + 1] = u'x';  // garbage after the terminator
  EXPECT_EQ(FontFace::Resolve(a).get(), FontFace::Resolve(b).get());
  LOGFONTW c = a;
  c.lfItalic = 1;
  EXPECT_NE(FontFace::Resolve(a).get(), FontFace::Resolve(c).get());
}

TEST(FontFace, EscapementIsNormalised) {
  LOGFONTW lf = Font(kTestFontFace, 0);
  lf.lfEscapement = -900;
  EXPECT_EQ(FontFace::Resolve(lf)->Escapement(), 2700);
  lf.lfEscapement = 4500;
  EXPECT_EQ(FontFace::Resolve(lf)->Escapement(), 900);
}

// --- Real faces -----------------------------------------------------------------------------

struct FaceCase {
  const char16_t* requested;
  const char16_t* family;
};

TEST(RealFonts, EachListedFaceLoadsItsFamilyWithConsistentMetrics) {
  const FaceCase cases[] = {{u"Tahoma", u"DejaVu Sans"},         {u"MS Sans Serif", u"DejaVu Sans"},
                            {u"Verdana", u"DejaVu Sans"},        {u"Segoe UI", u"DejaVu Sans"},
                            {u"System", u"DejaVu Sans"},         {u"", u"DejaVu Sans"},
                            {u"Unknown Face", u"DejaVu Sans"},   {u"Arial", u"Liberation Sans"},
                            {u"Courier New", u"Liberation Mono"}, {u"Times New Roman", u"Liberation Serif"}};
  for (const FaceCase& c : cases) {
    auto face = FontFace::Resolve(Font(c.requested, -11));
    const TEXTMETRICW& tm = face->Metrics();
    std::string label(c.requested, c.requested + std::char_traits<char16_t>::length(c.requested));
    EXPECT_EQ(face->FaceName(), c.family) << label;
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight) << label;
    EXPECT_GE(tm.tmHeight, 11) << label;
    EXPECT_LE(tm.tmHeight, 15) << label;
    EXPECT_GE(tm.tmAscent, 8) << label;
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 11) << label;
    EXPECT_GT(tm.tmAveCharWidth, 3) << label;
    EXPECT_LT(tm.tmAveCharWidth, 11) << label;
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth) << label;
  }
}

TEST(RealFonts, PositiveHeightIsTheCellHeight) {
  for (const char16_t* face : {u"Arial", u"Tahoma", u"Courier New", u"Times New Roman"}) {
    auto f = FontFace::Resolve(Font(face, 20));
    EXPECT_EQ(f->Metrics().tmHeight, 20);
    EXPECT_EQ(f->Metrics().tmAscent + f->Metrics().tmDescent, 20);
    // The em is smaller than the cell, so some of the cell is internal leading.
    EXPECT_GT(f->Metrics().tmInternalLeading, 0);
  }
}

TEST(RealFonts, LiberationMonoIsFixedPitchAndDejaVuIsNot) {
  auto mono = FontFace::Resolve(Font(u"Courier New", -13));
  EXPECT_EQ(mono->Advance(U'i'), mono->Advance(U'W'));
  EXPECT_EQ(mono->Advance(U'.'), mono->Advance(U'M'));
  EXPECT_EQ(mono->Width(u"iiii"), mono->Width(u"WWWW"));
  EXPECT_EQ(mono->Metrics().tmPitchAndFamily & TMPF_FIXED_PITCH, 0);

  auto sans = FontFace::Resolve(Font(u"Tahoma", -13));
  EXPECT_LT(sans->Advance(U'i'), sans->Advance(U'W'));
  EXPECT_NE(sans->Metrics().tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
}

TEST(RealFonts, StringWidthIsTheSumOfItsCharacters) {
  for (const char16_t* name : {u"Arial", u"Tahoma", u"Times New Roman", u"Courier New"}) {
    auto face = FontFace::Resolve(Font(name, -15));
    // Pairs that a kerning layout would tighten.
    std::u16string text = u"AVATAR To WAVE, Ty. \u041F\u0440\u0438\u0432\u0435\u0442";
    int sum = 0;
    for (char16_t c : text) sum += face->Advance(c);
    EXPECT_EQ(face->Width(text), sum);
    EXPECT_EQ(face->Width(u"AV"), face->Advance(U'A') + face->Advance(U'V'));
  }
}

TEST(RealFonts, CyrillicIsMeasured) {
  for (const char16_t* name : {u"Arial", u"Tahoma", u"Times New Roman", u"Courier New"}) {
    auto face = FontFace::Resolve(Font(name, -12));
    for (char16_t c = 0x0410; c <= 0x044F; ++c) EXPECT_GT(face->Advance(c), 0) << int(c);
    EXPECT_GT(face->Width(u"\u0416\u0451\u043B\u0442\u044B\u0439"), 20);
  }
}

// Glyphs are looked up as first asked; threads asking one new face at once all get what a
// single lookup gives.
TEST(RealFonts, AdvancesAskedFromManyThreadsAgree) {
  LOGFONTW lf = Font(u"Tahoma", -23);
  lf.lfWeight = 600;  // a face no other test resolves, so its table starts empty
  auto face = FontFace::Resolve(lf);
  std::u16string text;
  for (char16_t c = 0x20; c < 0x500; ++c) text.push_back(c);
  text += u"\u2014\u20AC";
  std::vector<int> widths(8, -1);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < widths.size(); ++t) threads.emplace_back([&, t] { widths[t] = face->Width(text); });
  for (std::thread& t : threads) t.join();
  int sum = 0;
  for (char16_t c : text) sum += face->Advance(c);
  EXPECT_GT(sum, 0);
  for (int w : widths) EXPECT_EQ(w, sum);
}

TEST(RealFonts, WidthAndWeightChangeTheAdvances) {
  LOGFONTW lf = Font(u"Arial", -16);
  auto normal = FontFace::Resolve(lf);
  lf.lfWeight = FW_BOLD;
  auto bold = FontFace::Resolve(lf);
  EXPECT_EQ(bold->Metrics().tmWeight, FW_BOLD);
  EXPECT_GT(bold->Width(u"iiiiirrrrrttttt"), normal->Width(u"iiiiirrrrrttttt"));

  auto squeezed = FontFace::Resolve(Font(u"Arial", -16, 4));
  EXPECT_EQ(squeezed->Metrics().tmAveCharWidth, 4);
  EXPECT_LT(squeezed->Width(u"Hello"), normal->Width(u"Hello"));
}

TEST(QtGui, AnOffscreenApplicationIsMadeOnce) {
  ASSERT_TRUE(EnsureQtGui());
  QCoreApplication* first = QCoreApplication::instance();
  ASSERT_TRUE(EnsureQtGui());
  EXPECT_EQ(QCoreApplication::instance(), first);
  EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
}

// Every machine measures the same: at 13 pixels the cells and widths are the design values
// of the faces rounded per glyph (ascent + descent per em; H, e, l, o advances per em).
TEST(RealFonts, MetricsFollowTheFacesDesignValues) {
  struct Expected {
    const char16_t* face;
    LONG ascent, descent;
    int hello;
  };
  const Expected cases[] = {
      {u"Tahoma", 12, 3, 34},           // DejaVu Sans: 0.928 / 0.236; 1540, 1260, 569, 1253 of 2048
      {u"Arial", 12, 3, 29},            // 0.905 / 0.212; 0.722, 0.556, 0.222, 0.556
      {u"Courier New", 11, 4, 40},      // 0.833 / 0.300; every advance 0.6
      {u"Times New Roman", 12, 3, 30},  // 0.891 / 0.216; 0.722, 0.444, 0.278, 0.5
  };
  for (const Expected& e : cases) {
    auto face = FontFace::Resolve(Font(e.face, -13));
    const std::string label = QString::fromUtf16(e.face).toStdString();
    EXPECT_EQ(face->Metrics().tmAscent, e.ascent) << label;
    EXPECT_EQ(face->Metrics().tmDescent, e.descent) << label;
    EXPECT_EQ(face->Metrics().tmInternalLeading, e.ascent + e.descent - 13) << label;
    EXPECT_EQ(face->Width(u"Hello"), e.hello) << label;
  }
}

TEST(RealFonts, ItalicAndUnderlineAreKept) {
  LOGFONTW lf = Font(u"Arial", -14);
  lf.lfItalic = 1;
  lf.lfUnderline = 1;
  lf.lfCharSet = RUSSIAN_CHARSET;
  auto face = FontFace::Resolve(lf);
  EXPECT_EQ(face->FaceName(), u"Liberation Sans");
  EXPECT_EQ(face->Metrics().tmItalic, 1);
  EXPECT_EQ(face->Metrics().tmUnderlined, 1);
  EXPECT_EQ(face->Metrics().tmCharSet, RUSSIAN_CHARSET);
  EXPECT_GE(face->UnderlineOffset(), 1);
  EXPECT_LT(face->UnderlineOffset(), face->Metrics().tmDescent + 1);
  EXPECT_LT(face->StrikeOutOffset(), 0);
  EXPECT_GT(face->StrikeOutOffset(), -face->Metrics().tmAscent);
}

// However small the font, its decoration lines are at least a pixel thick and the strike-out
// line stays above the baseline, the underline below it.
TEST(RealFonts, TinyFontsKeepTheirLinesApartFromTheBaseline) {
  for (LONG height : {-1, -2, -3}) {
    auto face = FontFace::Resolve(Font(u"Arial", height));
    EXPECT_LE(face->StrikeOutOffset(), -1) << height;
    EXPECT_GE(face->UnderlineOffset(), 1) << height;
  }
}

TEST(RealFonts, LargerFontsMeasureWider) {
  auto small = FontFace::Resolve(Font(u"Arial", -10));
  auto large = FontFace::Resolve(Font(u"Arial", -40));
  EXPECT_GT(large->Width(u"Measure"), 3 * small->Width(u"Measure"));
  EXPECT_GT(large->Metrics().tmHeight, 3 * small->Metrics().tmHeight);
}

// A long session makes and drops fonts of many families, weights, sizes and angles; once Qt's own
// font cache has let go of their engines, the faces hold the last references. Ending the program
// must then not release them after Qt's font data is gone. Run in a fresh process of its own, so
// that the order in which the process made its globals is the program's.
void MakeAndDropManyFontsThenExit() {
  HDC dc = CreateCompatibleDC(nullptr);
  for (std::u16string_view family : {u"Arial", u"Tahoma", u"Courier New", u"Times New Roman"})
    for (LONG weight = 100; weight <= 900; weight += 100)
      for (BYTE italic : {0, 1})
        for (LONG height : {-9, -13, -21})
          for (LONG angle : {0, 900, 2700}) {
            LOGFONTW lf = Font(family, height);
            lf.lfWeight = weight;
            lf.lfItalic = italic;
            lf.lfEscapement = angle;
            HFONT font = CreateFontIndirectW(&lf);
            HGDIOBJ old = SelectObject(dc, font);
            SIZE size{};
            GetTextExtentPoint32W(dc, u"Шрифт 123", 9, &size);
            TextOutW(dc, 0, 0, u"Шрифт 123", 9);
            SelectObject(dc, old);
            DeleteObject(font);
          }
  DeleteDC(dc);
  // A change of the font database empties Qt's cache at once, as its timer does in a long session.
  const int added = QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  if (added < 0) std::exit(2);  // no change, so no test: the status says so
  QFontDatabase::removeApplicationFont(added);
  std::exit(0);
}

TEST(RealFontsDeathTest, ProgramEndsCleanlyAfterQtsCacheDroppedItsFonts) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(MakeAndDropManyFontsThenExit(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace win::gdi
