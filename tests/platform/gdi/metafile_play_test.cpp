// Playback: a recorded picture played at its own size gives the pixels of drawing it directly;
// scaled playback maps the frame onto the destination; malformed metafiles are refused.

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "dc_test_support.h"
#include "metafile_test_support.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"
#include "platform/kernel/LastError.h"

namespace win::testing {
namespace {

constexpr int kW = 64, kH = 48;

HENHMETAFILE Record(int w, int h, const std::function<void(HDC)>& draw) {
  const RECT frame = FrameForPixels(w, h);
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  draw(dc);
  return CloseEnhMetaFile(dc);
}

// Draws `draw` straight into one canvas and through a metafile into another, and returns the
// number of pixels that differ.
int Differences(const std::function<void(HDC)>& draw) {
  Canvas direct(kW, kH), played(kW, kH);
  draw(direct.dc());
  HENHMETAFILE mf = Record(kW, kH, draw);
  EXPECT_NE(mf, nullptr);
  const RECT dest{0, 0, kW, kH};
  EXPECT_TRUE(PlayEnhMetaFile(played.dc(), mf, &dest));
  DeleteEnhMetaFile(mf);
  int diff = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) diff += direct.At(x, y) != played.At(x, y);
  EXPECT_GT(direct.CountNot(kWhite), 0) << "the drawing must paint something";
  return diff;
}

TEST(MetafilePlay, LinesShapesAndFillsMatchDirectDrawing) {
  EXPECT_EQ(Differences([](HDC dc) {
              HPEN thin = CreatePen(PS_DASH, 1, kRed);
              HPEN wide = CreatePen(PS_SOLID, 3, kBlue);
              HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, kGreen);
              HBRUSH solid = CreateSolidBrush(RGB(10, 20, 30));
              HGDIOBJ oldPen = SelectObject(dc, thin);
              MoveToEx(dc, 1, 1, nullptr);
              LineTo(dc, 60, 40);
              const POINT zig[4] = {{2, 40}, {12, 30}, {22, 44}, {32, 30}};
              Polyline(dc, zig, 4);
              SelectObject(dc, wide);
              HGDIOBJ oldBrush = SelectObject(dc, hatch);
              Rectangle(dc, 30, 4, 58, 20);
              Ellipse(dc, 4, 4, 24, 22);
              SelectObject(dc, solid);
              const POINT tri[3] = {{40, 44}, {50, 26}, {62, 46}};
              Polygon(dc, tri, 3);
              RoundRect(dc, 26, 22, 40, 34, 6, 6);
              Pie(dc, 8, 24, 24, 40, 24, 32, 16, 24);
              const RECT fill{44, 36, 52, 42};
              FillRect(dc, &fill, hatch);
              const RECT frame{2, 2, 62, 46};
              FrameRect(dc, &frame, solid);
              PatBlt(dc, 54, 2, 6, 6, DSTINVERT);
              SetROP2(dc, R2_XORPEN);
              SelectObject(dc, wide);
              MoveToEx(dc, 0, 24, nullptr);
              LineTo(dc, 64, 24);
              SelectObject(dc, oldPen);
              SelectObject(dc, oldBrush);
              DeleteObject(thin);
              DeleteObject(wide);
              DeleteObject(hatch);
              DeleteObject(solid);
            }),
            0);
}

TEST(MetafilePlay, ClippingOriginsAndSavedStatesMatchDirectDrawing) {
  EXPECT_EQ(Differences([](HDC dc) {
              HBRUSH red = CreateSolidBrush(kRed);
              HGDIOBJ old = SelectObject(dc, red);
              const int saved = SaveDC(dc);
              IntersectClipRect(dc, 8, 8, 40, 30);
              ExcludeClipRect(dc, 16, 12, 24, 20);
              SetWindowOrgEx(dc, -4, -2, nullptr);
              Rectangle(dc, 0, 0, 60, 60);
              RestoreDC(dc, saved);
              HRGN rgn = CreateRectRgn(44, 30, 60, 46);
              SelectClipRgn(dc, rgn);
              DeleteObject(rgn);
              SetViewportOrgEx(dc, 3, 1, nullptr);
              Ellipse(dc, 36, 26, 64, 48);
              SelectClipRgn(dc, nullptr);
              SetViewportOrgEx(dc, 0, 0, nullptr);
              MoveToEx(dc, 0, 47, nullptr);
              LineTo(dc, 64, 47);
              SelectObject(dc, old);
              DeleteObject(red);
            }),
            0);
}

TEST(MetafilePlay, RegionFillsMatchDirectDrawing) {
  EXPECT_EQ(Differences([](HDC dc) {
              HRGN a = CreateEllipticRgn(4, 4, 30, 26);
              HRGN b = CreateRectRgn(20, 10, 60, 40);
              HBRUSH blue = CreateSolidBrush(kBlue);
              HBRUSH hatch = CreateHatchBrush(HS_CROSS, kRed);
              SetWindowOrgEx(dc, 2, -3, nullptr);
              FillRgn(dc, a, hatch);
              FrameRgn(dc, b, blue, 3, 2);
              InvertRgn(dc, a);
              HGDIOBJ old = SelectObject(dc, hatch);
              OffsetRgn(b, 4, 4);
              PaintRgn(dc, b);
              SelectObject(dc, old);
              DeleteObject(a);
              DeleteObject(b);
              DeleteObject(blue);
              DeleteObject(hatch);
            }),
            0);
}

// A font made anew for every text (as the chart makes them) is created once per distinct font
// in the file, stays in the table when its handle is deleted, and still plays as drawn.
TEST(MetafilePlay, EachDistinctFontIsCreatedOnce) {
  const auto draw = [](HDC dc) {
    SetTextColor(dc, kBlue);
    for (int i = 0; i < 6; ++i) {
      LOGFONTW lf{};
      std::copy(kTestFontFace.begin(), kTestFontFace.end(), lf.lfFaceName);
      lf.lfHeight = i % 2 ? -20 : 0;
      HFONT font = CreateFontIndirectW(&lf);
      HGDIOBJ old = SelectObject(dc, font);
      TextOutW(dc, 2 + 10 * i, 2 + 7 * i, u"Ab", 2);
      SelectObject(dc, old);
      DeleteObject(font);
    }
  };
  EXPECT_EQ(Differences(draw), 0);
  HENHMETAFILE mf = Record(kW, kH, draw);
  const std::vector<uint8_t> bytes = MetafileBytesOf(mf);
  DeleteEnhMetaFile(mf);
  const auto fonts = RecordsOfType(bytes, EMR_EXTCREATEFONTINDIRECTW);
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(RecordsOfType(bytes, EMR_DELETEOBJECT).size(), 0u);
  std::vector<uint32_t> selected;
  for (size_t at : RecordsOfType(bytes, EMR_SELECTOBJECT))
    if ((U32At(bytes, at + 8) & ENHMETA_STOCK_OBJECT) == 0) selected.push_back(U32At(bytes, at + 8));
  const uint32_t small = U32At(bytes, fonts[0] + 8), big = U32At(bytes, fonts[1] + 8);
  EXPECT_NE(small, big);
  EXPECT_EQ(selected, (std::vector<uint32_t>{small, big, small, big, small, big}));
}

TEST(MetafilePlay, TextInTheTestFontMatchesDirectDrawing) {
  EXPECT_EQ(Differences([](HDC dc) {
              LOGFONTW lf{};
              std::copy(kTestFontFace.begin(), kTestFontFace.end(), lf.lfFaceName);
              HFONT font = CreateFontIndirectW(&lf);
              lf.lfHeight = -20;
              HFONT big = CreateFontIndirectW(&lf);
              HGDIOBJ old = SelectObject(dc, font);
              SetTextColor(dc, kBlue);
              SetBkColor(dc, kGreen);
              TextOutW(dc, 2, 2, u"Ab c", 4);
              SetBkMode(dc, TRANSPARENT);
              SetTextAlign(dc, TA_RIGHT | TA_BASELINE);
              SelectObject(dc, big);
              SetTextCharacterExtra(dc, 2);
              TextOutW(dc, 62, 40, u"xyz", 3);
              SetTextCharacterExtra(dc, 0);
              SetTextAlign(dc, TA_LEFT | TA_TOP);
              SetBkMode(dc, OPAQUE);
              const RECT box{2, 20, 30, 34};
              ExtTextOutW(dc, 4, 21, ETO_OPAQUE | ETO_CLIPPED, &box, u"clipped text", 12, nullptr);
              // DrawText lays out from the top left whatever the DC's alignment, and leaves it.
              SetTextAlign(dc, TA_CENTER | TA_BASELINE);
              RECT cell{32, 20, 62, 46};
              DrawTextW(dc, u"one two three", -1, &cell, DT_CENTER | DT_WORDBREAK);
              TextOutW(dc, 20, 46, u"cb", 2);
              SelectObject(dc, old);
              DeleteObject(font);
              DeleteObject(big);
            }),
            0);
}

TEST(MetafilePlay, BlitsAndGradientsMatchDirectDrawing) {
  Canvas source(8, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) SetPixelV(source.dc(), x, y, RGB(x * 30, y * 40, 200));
  EXPECT_EQ(Differences([&](HDC dc) {
              BitBlt(dc, 2, 2, 8, 6, source.dc(), 0, 0, SRCCOPY);
              StretchBlt(dc, 12, 2, 16, 12, source.dc(), 2, 1, 4, 3, SRCCOPY);
              uint32_t px[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
              BITMAPINFO bi{};
              bi.bmiHeader.biWidth = 2;
              bi.bmiHeader.biHeight = 2;
              bi.bmiHeader.biBitCount = 32;
              StretchDIBits(dc, 30, 2, 8, 8, 0, 0, 2, 2, px, &bi, DIB_RGB_COLORS, SRCCOPY);
              TRIVERTEX v[2];
              v[0].x = 2, v[0].y = 20, v[0].Red = 0xFF00;
              v[1].x = 60, v[1].y = 30, v[1].Blue = 0xFF00;
              GRADIENT_RECT gr{0, 1};
              GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
              SetPixelV(dc, 62, 46, kRed);
            }),
            0);
}

TEST(MetafilePlay, PatternBrushesMatchDirectDrawing) {
  // A colour pattern and a monochrome one, which paints in the DC's text and background colours.
  Canvas colours(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) SetPixelV(colours.dc(), x, y, (x + y) % 3 ? kRed : RGB(0, x * 30, y * 30));
  const uint16_t rows[8] = {0x00F0, 0x0078, 0x003C, 0x001E, 0x000F, 0x0087, 0x00C3, 0x00E1};
  HBITMAP monoBits = CreateBitmap(8, 8, 1, 1, rows);
  EXPECT_EQ(Differences([&](HDC dc) {
              HBRUSH colour = CreatePatternBrush(colours.bitmap());
              HBRUSH mono = CreatePatternBrush(monoBits);
              HGDIOBJ old = SelectObject(dc, colour);
              Rectangle(dc, 3, 3, 30, 40);
              SelectObject(dc, mono);
              SetTextColor(dc, kBlue);
              SetBkColor(dc, kGreen);
              Ellipse(dc, 28, 5, 62, 44);
              SelectObject(dc, old);
              DeleteObject(colour);
              DeleteObject(mono);
            }),
            0);
  DeleteObject(monoBits);
}

TEST(MetafilePlay, BlitsFromARecordingDCReadWhatItHasDrawn) {
  // Saving the pixels under a box and blending them back over it, as transparent shapes do.
  EXPECT_EQ(Differences([](HDC dc) {
              HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
              const RECT all{0, 0, kW, kH};
              FillRect(dc, &all, yellow);
              SetViewportOrgEx(dc, 2, 1, nullptr);
              Canvas saved(20, 16);
              BitBlt(saved.dc(), 0, 0, 20, 16, dc, 10, 8, SRCCOPY);
              Rectangle(dc, 10, 8, 30, 24);
              const BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
              AlphaBlend(dc, 10, 8, 20, 16, saved.dc(), 0, 0, 20, 16, half);
              DeleteObject(yellow);
            }),
            0);
}

TEST(MetafilePlay, ScaledPlaybackMapsTheFrameCorners) {
  HENHMETAFILE mf = Record(10, 8, [](HDC dc) {
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const RECT all{0, 0, 10, 8};
    FillRect(dc, &all, black);
  });
  Canvas c(40, 40);
  const RECT dest{5, 6, 25, 30};  // 2x wide, 3x high
  ASSERT_TRUE(PlayEnhMetaFile(c.dc(), mf, &dest));
  EXPECT_EQ(c.At(5, 6), kBlack);
  EXPECT_EQ(c.At(24, 29), kBlack);
  EXPECT_EQ(c.At(4, 6), kWhite);
  EXPECT_EQ(c.At(5, 5), kWhite);
  EXPECT_EQ(c.At(25, 29), kWhite);
  EXPECT_EQ(c.At(24, 30), kWhite);
  EXPECT_EQ(c.CountNot(kWhite), 20 * 24);
  DeleteEnhMetaFile(mf);
}

// A red line across a 40 x 12 picture (x 2 to 30 on row 5) in each pen, played at twice the
// size (or half) with or without widening: where it starts, how thick it is and its first dash.
// Asked, one-unit pens cover the enlarged pixels (rows 10 and 11) and their patterns double;
// width 0, a shrunk picture and plain playback keep one pixel and the recorded pattern.
TEST(MetafilePlay, ThinPensWidenWithAnEnlargedPictureWhenAsked) {
  const LOGBRUSH red{BS_SOLID, kRed, 0};
  struct Case {
    const char* what;
    std::function<HPEN()> pen;
    int size;  // the destination's width; its height keeps the picture's proportions
    DWORD options;
    std::array<int, 3> want;  // the first row, the thickness, the first dash
  } cases[] = {
      {"dotted", [] { return CreatePen(PS_DOT, 1, kRed); }, 80, PLAY_WIDEN_THIN_PENS, {10, 2, 6}},
      {"alternate", [&] { return ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &red, 0, nullptr); }, 80,
       PLAY_WIDEN_THIN_PENS, {10, 2, 2}},
      {"flat ends", [&] { return ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT, 1, &red, 0, nullptr); }, 80,
       PLAY_WIDEN_THIN_PENS, {10, 2, 56}},
      {"width 0", [] { return CreatePen(PS_SOLID, 0, kRed); }, 80, PLAY_WIDEN_THIN_PENS, {10, 1, 56}},
      {"not asked", [] { return CreatePen(PS_DOT, 1, kRed); }, 80, 0, {10, 1, 3}},
      {"shrunk", [] { return CreatePen(PS_DOT, 1, kRed); }, 20, PLAY_WIDEN_THIN_PENS, {3, 1, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HENHMETAFILE mf = Record(40, 12, [&](HDC dc) {
      HGDIOBJ old = SelectObject(dc, c.pen());
      MoveToEx(dc, 2, 5, nullptr);
      LineTo(dc, 30, 5);
      DeleteObject(SelectObject(dc, old));
    });
    Canvas target(80, 24);
    const RECT dest{0, 0, c.size, c.size * 12 / 40};
    ASSERT_TRUE(PlayEnhMetaFileEx(target.dc(), mf, &dest, c.options));
    DeleteEnhMetaFile(mf);
    int first = 0, thick = 0, run = 0;
    while (first < 80 * 24 && target.At(first % 80, first / 80) != kRed) ++first;
    const int x0 = first % 80, y0 = first / 80;
    while (y0 + thick < 24 && target.At(x0, y0 + thick) == kRed) ++thick;
    while (x0 + run < 80 && target.At(x0 + run, y0) == kRed) ++run;
    EXPECT_EQ((std::array{y0, thick, run}), c.want);
  }
}

TEST(MetafilePlay, TargetClipLimitsThePictureAndItsStateComesBack) {
  HENHMETAFILE mf = Record(20, 20, [](HDC dc) {
    HBRUSH red = CreateSolidBrush(kRed);
    SelectObject(dc, red);
    SelectClipRgn(dc, nullptr);  // resets to the player's clip, not to none
    SetTextColor(dc, kGreen);
    SetWindowOrgEx(dc, 5, 5, nullptr);
    PatBlt(dc, 5, 5, 20, 20, PATCOPY);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
  });
  Canvas c(30, 30);
  IntersectClipRect(c.dc(), 0, 0, 10, 30);
  HPEN pen = CreatePen(PS_SOLID, 1, kBlue);
  SelectObject(c.dc(), pen);
  SetTextColor(c.dc(), kBlue);
  SetWindowOrgEx(c.dc(), 0, 0, nullptr);
  const RECT dest{0, 0, 20, 20};
  ASSERT_TRUE(PlayEnhMetaFile(c.dc(), mf, &dest));
  EXPECT_EQ(c.At(0, 0), kRed);
  EXPECT_EQ(c.At(9, 19), kRed);
  EXPECT_EQ(c.At(10, 0), kWhite) << "outside the DC's clip";
  EXPECT_EQ(GetTextColor(c.dc()), kBlue);
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), pen);
  POINT org{};
  GetWindowOrgEx(c.dc(), &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  RECT box;
  GetClipBox(c.dc(), &box);
  EXPECT_EQ(box, (RECT{0, 0, 10, 30}));
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  DeleteEnhMetaFile(mf);
}

// --- malformed metafiles ------------------------------------------------------------------------

std::vector<uint8_t> SampleBytes() {
  HENHMETAFILE mf = Record(16, 16, [](HDC dc) {
    Rectangle(dc, 1, 1, 9, 9);
    TextOutW(dc, 0, 0, u"ab", 2);
  });
  std::vector<uint8_t> b = MetafileBytesOf(mf);
  DeleteEnhMetaFile(mf);
  return b;
}

void Put32(std::vector<uint8_t>& b, size_t off, uint32_t v) { std::memcpy(b.data() + off, &v, 4); }

HENHMETAFILE FromBytes(const std::vector<uint8_t>& b) { return SetEnhMetaFileBits(UINT(b.size()), b.data()); }

TEST(MetafileBits, MalformedDataIsRefused) {
  const std::vector<uint8_t> good = SampleBytes();
  HENHMETAFILE ok = FromBytes(good);
  ASSERT_NE(ok, nullptr);
  DeleteEnhMetaFile(ok);

  auto refused = [](const std::vector<uint8_t>& b) {
    SetLastError(0);
    const HENHMETAFILE h = FromBytes(b);
    if (h) DeleteEnhMetaFile(h);
    return h == nullptr && GetLastError() == ERROR_INVALID_DATA;
  };
  EXPECT_TRUE(refused({}));
  EXPECT_EQ(SetEnhMetaFileBits(100, nullptr), nullptr);
  EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.end() - 20))) << "no EOF";
  EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.begin() + 100))) << "truncated header";
  std::vector<uint8_t> garbage(good.size(), 0xA5);
  EXPECT_TRUE(refused(garbage));
  auto damaged = [&](size_t off, uint32_t v) {
    std::vector<uint8_t> b = good;
    Put32(b, off, v);
    return b;
  };
  EXPECT_TRUE(refused(damaged(0, EMR_EOF))) << "header type";
  EXPECT_TRUE(refused(damaged(40, 0x12345678))) << "signature";
  EXPECT_TRUE(refused(damaged(48, uint32_t(good.size() + 4)))) << "nBytes";
  EXPECT_TRUE(refused(damaged(52, 99))) << "nRecords";
  EXPECT_TRUE(refused(damaged(4, 6))) << "header size below the least header";
  EXPECT_TRUE(refused(damaged(4, uint32_t(good.size() + 8)))) << "header beyond the data";
  const size_t second = U32At(good, 4);
  EXPECT_TRUE(refused(damaged(second + 4, 0x7FFFFFF0))) << "record overruns";
  EXPECT_TRUE(refused(damaged(second + 4, 10))) << "record size not a multiple of 4";
  EXPECT_TRUE(refused(damaged(second + 4, 4))) << "record smaller than its type and size";
  EXPECT_TRUE(refused(damaged(second, EMR_HEADER))) << "a second header";
  std::vector<uint8_t> tail = good;  // a record after EOF
  tail.insert(tail.end(), {33, 0, 0, 0, 8, 0, 0, 0});
  Put32(tail, 48, uint32_t(tail.size()));
  Put32(tail, 52, U32At(good, 52) + 1);
  EXPECT_TRUE(refused(tail));
}

TEST(MetafileBits, RecordsWithLyingCountsAndOffsetsPlaySafely) {
  // Well-formed records whose inner counts and offsets point past their end draw nothing.
  std::vector<uint8_t> good = SampleBytes();
  const std::vector<size_t> rect = RecordsOfType(good, EMR_RECTANGLE);
  const std::vector<size_t> text = RecordsOfType(good, EMR_EXTTEXTOUTW);
  ASSERT_EQ(rect.size(), 1u);
  ASSERT_EQ(text.size(), 1u);
  std::vector<uint8_t> b = good;
  // The rectangle becomes a POLYLINE16 claiming a billion points.
  Put32(b, rect[0], EMR_POLYLINE16);
  Put32(b, rect[0] + 24, 1000000000u);
  Put32(b, text[0] + 44, 0xFFFFFFF0u);  // nChars
  Put32(b, text[0] + 48, 0xFFFFFFF0u);  // offString
  HENHMETAFILE mf = FromBytes(b);
  ASSERT_NE(mf, nullptr) << "the record structure is sound";
  Canvas c(16, 16);
  const RECT dest{0, 0, 16, 16};
  EXPECT_TRUE(PlayEnhMetaFile(c.dc(), mf, &dest));
  EXPECT_EQ(c.CountNot(kWhite), 0);
  DeleteEnhMetaFile(mf);
}

}  // namespace
}  // namespace win::testing
