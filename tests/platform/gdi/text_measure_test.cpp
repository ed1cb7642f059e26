// Measuring through a DC: extents, fits and partial widths, metrics, character widths, face
// names, font objects and stock fonts.

#include "text_test_support.h"

#include <vector>

namespace win::testing {
namespace {

class TextMeasure : public TextCanvas {};

TEST_F(TextMeasure, ExtentsOfTheTestFont) {
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32W(dc_, u"Hello", 5, &size));
  EXPECT_EQ(size, (SIZE{35, 13}));
  ASSERT_TRUE(GetTextExtentPoint32W(dc_, u"", 0, &size));
  EXPECT_EQ(size, (SIZE{0, 13}));
  ASSERT_TRUE(GetTextExtentPoint32W(dc_, u"\u0416\u0436", 2, &size));
  EXPECT_EQ(size.cx, 14);
  // A bigger test font scales.
  UseFont(MakeLogFont(kTestFontFace, -26));
  ASSERT_TRUE(GetTextExtentPoint32W(dc_, u"Hello", 5, &size));
  EXPECT_EQ(size, (SIZE{70, 26}));
}

TEST_F(TextMeasure, FitCountAndPartialWidths) {
  INT fit = -1;
  std::vector<INT> partial(6, -1);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointW(dc_, u"abcdef", 6, 30, &fit, partial.data(), &size));
  EXPECT_EQ(fit, 4);
  EXPECT_EQ(partial, (std::vector<INT>{7, 14, 21, 28, 35, 42}));
  EXPECT_EQ(size, (SIZE{42, 13}));
  ASSERT_TRUE(GetTextExtentExPointW(dc_, u"abcdef", 6, 28, &fit, nullptr, &size));
  EXPECT_EQ(fit, 4);  // an exact fit counts
  ASSERT_TRUE(GetTextExtentExPointW(dc_, u"abcdef", 6, 6, &fit, nullptr, &size));
  EXPECT_EQ(fit, 0);
  ASSERT_TRUE(GetTextExtentExPointW(dc_, u"abcdef", 6, 1000, &fit, nullptr, &size));
  EXPECT_EQ(fit, 6);
}

TEST_F(TextMeasure, MetricsOfTheTestFont) {
  TEXTMETRICW tm{};
  ASSERT_TRUE(GetTextMetricsW(dc_, &tm));
  EXPECT_EQ(tm.tmHeight, 13);
  EXPECT_EQ(tm.tmAscent, 10);
  EXPECT_EQ(tm.tmDescent, 3);
  EXPECT_EQ(tm.tmInternalLeading, 0);
  EXPECT_EQ(tm.tmExternalLeading, 0);
  EXPECT_EQ(tm.tmAveCharWidth, 7);
  EXPECT_EQ(tm.tmMaxCharWidth, 7);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
}

TEST_F(TextMeasure, CharacterWidths) {
  INT widths[5] = {};
  ASSERT_TRUE(GetCharWidth32W(dc_, 'a', 'e', widths));
  for (INT w : widths) EXPECT_EQ(w, 7);
  EXPECT_FALSE(GetCharWidth32W(dc_, 'e', 'a', widths));
  EXPECT_FALSE(GetCharWidth32W(dc_, 'a', 'e', nullptr));
  EXPECT_FALSE(GetCharWidth32W(dc_, 0x10FFFF, 0x110000, widths));

  UseFont(MakeLogFont(u"Courier New", -13));
  INT mono[3] = {};
  ASSERT_TRUE(GetCharWidth32W(dc_, 'i', 'k', mono));
  EXPECT_GT(mono[0], 0);
  EXPECT_EQ(mono[0], mono[1]);
  EXPECT_EQ(mono[1], mono[2]);
}

TEST_F(TextMeasure, FaceNames) {
  WCHAR name[LF_FACESIZE] = {};
  EXPECT_EQ(GetTextFaceW(dc_, LF_FACESIZE, name), 14);
  EXPECT_EQ(std::u16string_view(name), kTestFontFace);
  EXPECT_EQ(GetTextFaceW(dc_, 0, nullptr), 14);
  // A short buffer gets a terminated prefix.
  EXPECT_EQ(GetTextFaceW(dc_, 5, name), 5);
  EXPECT_EQ(std::u16string_view(name), u"Korv");

  // The DC reports the substituted face.
  UseFont(MakeLogFont(u"Arial", -12));
  ASSERT_GT(GetTextFaceW(dc_, LF_FACESIZE, name), 0);
  EXPECT_EQ(std::u16string_view(name), u"Liberation Sans");
}

TEST_F(TextMeasure, RealFontExtentsAreSumsOfCharacterWidths) {
  for (const char16_t* face : {u"Arial", u"Tahoma", u"Times New Roman", u"Courier New"}) {
    UseFont(MakeLogFont(face, -17));
    std::u16string text = u"Wave AVA To, \u0413\u0440\u0430\u0444\u0438\u043A";
    int sum = 0;
    for (char16_t c : text) {
      INT w = 0;
      ASSERT_TRUE(GetCharWidth32W(dc_, c, c, &w));
      EXPECT_GT(w, 0);
      sum += w;
    }
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &size));
    EXPECT_EQ(size.cx, sum);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    EXPECT_EQ(size.cy, tm.tmHeight);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  }
}

TEST_F(TextMeasure, RotationDoesNotChangeExtents) {
  UseFont(MakeLogFont(u"Arial", -15));
  SIZE flat{};
  GetTextExtentPoint32W(dc_, u"Axis title", 10, &flat);
  UseFont(MakeLogFont(u"Arial", -15, 900));
  SIZE rotated{};
  GetTextExtentPoint32W(dc_, u"Axis title", 10, &rotated);
  EXPECT_EQ(flat, rotated);
}

TEST_F(TextMeasure, FontObjectsKeepTheirLogFont) {
  LOGFONTW lf = MakeLogFont(u"Times New Roman", -19, 450);
  lf.lfWeight = FW_BOLD;
  lf.lfItalic = 1;
  lf.lfUnderline = 1;
  lf.lfCharSet = RUSSIAN_CHARSET;
  lf.lfQuality = NONANTIALIASED_QUALITY;
  HFONT font = CreateFontIndirectW(&lf);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);
  LOGFONTW back{};
  ASSERT_EQ(GetObjectW(font, sizeof back, &back), int(sizeof back));
  EXPECT_EQ(back.lfHeight, -19);
  EXPECT_EQ(back.lfEscapement, 450);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_EQ(back.lfItalic, 1);
  EXPECT_EQ(back.lfUnderline, 1);
  EXPECT_EQ(back.lfCharSet, RUSSIAN_CHARSET);
  EXPECT_EQ(back.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_EQ(std::u16string_view(back.lfFaceName), u"Times New Roman");
  EXPECT_TRUE(DeleteObject(font));

  // Every argument of CreateFontW lands in its field.
  HFONT made = CreateFontW(-12, 5, 900, 450, FW_BOLD, 1, 1, 1, RUSSIAN_CHARSET, 3, 2, NONANTIALIASED_QUALITY, 0x22,
                           u"Arial");
  ASSERT_NE(made, nullptr);
  ASSERT_EQ(GetObjectW(made, sizeof back, &back), int(sizeof back));
  EXPECT_EQ(back.lfHeight, -12);
  EXPECT_EQ(back.lfWidth, 5);
  EXPECT_EQ(back.lfEscapement, 900);
  EXPECT_EQ(back.lfOrientation, 450);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_EQ(back.lfItalic, 1);
  EXPECT_EQ(back.lfUnderline, 1);
  EXPECT_EQ(back.lfStrikeOut, 1);
  EXPECT_EQ(back.lfCharSet, RUSSIAN_CHARSET);
  EXPECT_EQ(back.lfOutPrecision, 3);
  EXPECT_EQ(back.lfClipPrecision, 2);
  EXPECT_EQ(back.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_EQ(back.lfPitchAndFamily, 0x22);
  EXPECT_EQ(std::u16string_view(back.lfFaceName), u"Arial");
  DeleteObject(made);
}

TEST_F(TextMeasure, BadFontsAndOverlongNamesFailCleanly) {
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
  LOGFONTW huge = MakeLogFont(u"Arial", -100000);
  EXPECT_EQ(CreateFontIndirectW(&huge), nullptr);
  huge.lfHeight = 12;
  huge.lfWidth = 1 << 30;
  EXPECT_EQ(CreateFontIndirectW(&huge), nullptr);
  // A face name filling the whole array is cut to fit its terminator.
  LOGFONTW full{};
  for (WCHAR& c : full.lfFaceName) c = u'x';
  HFONT font = CreateFontIndirectW(&full);
  ASSERT_NE(font, nullptr);
  LOGFONTW back{};
  GetObjectW(font, sizeof back, &back);
  EXPECT_EQ(std::u16string_view(back.lfFaceName).size(), size_t(LF_FACESIZE - 1));
  DeleteObject(font);
  // A long overlong CreateFontW name is cut the same way.
  std::u16string longName(100, u'y');
  HFONT made = CreateFontW(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, longName.c_str());
  ASSERT_NE(made, nullptr);
  GetObjectW(made, sizeof back, &back);
  EXPECT_EQ(std::u16string_view(back.lfFaceName), longName.substr(0, LF_FACESIZE - 1));
  DeleteObject(made);
}

TEST_F(TextMeasure, InvalidHandlesAndArgumentsFail) {
  SIZE size{};
  TEXTMETRICW tm{};
  INT w = 0;
  WCHAR name[8];
  EXPECT_FALSE(GetTextExtentPoint32W(nullptr, u"a", 1, &size));
  EXPECT_FALSE(GetTextExtentPoint32W(dc_, u"a", 1, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32W(dc_, u"a", -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32W(dc_, nullptr, 2, &size));
  EXPECT_FALSE(GetTextMetricsW(nullptr, &tm));
  EXPECT_FALSE(GetTextMetricsW(dc_, nullptr));
  EXPECT_FALSE(GetCharWidth32W(reinterpret_cast<HDC>(font_), 'a', 'a', &w));
  EXPECT_EQ(GetTextFaceW(nullptr, 8, name), 0);
  // A deleted DC is no longer usable.
  HDC gone = CreateCompatibleDC(nullptr);
  DeleteDC(gone);
  EXPECT_FALSE(GetTextMetricsW(gone, &tm));
}

TEST_F(TextMeasure, StockFontsMeasureWithTheirFaces) {
  HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
  ASSERT_NE(gui, nullptr);
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(gui, sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(std::u16string_view(lf.lfFaceName), u"MS Sans Serif");
  SelectObject(dc_, gui);
  WCHAR name[LF_FACESIZE] = {};
  GetTextFaceW(dc_, LF_FACESIZE, name);
  EXPECT_EQ(std::u16string_view(name), u"DejaVu Sans");
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 11);
  SelectObject(dc_, font_);

  // A new DC measures with the system font.
  HDC fresh = CreateCompatibleDC(nullptr);
  TEXTMETRICW system{};
  ASSERT_TRUE(GetTextMetricsW(fresh, &system));
  EXPECT_EQ(system.tmHeight, 16);
  EXPECT_EQ(system.tmWeight, FW_BOLD);
  DeleteDC(fresh);
}

}  // namespace
}  // namespace win::testing
