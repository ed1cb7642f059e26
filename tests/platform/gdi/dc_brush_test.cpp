// Hatch and pattern brushes: 8x8 cells anchored at the brush origin, background handling.

#include "dc_test_support.h"

namespace win::testing {
namespace {

std::string Cell(const Canvas& c, int x0, int y0, COLORREF ink) {
  std::string s;
  for (int y = y0; y < y0 + 8; ++y) {
    for (int x = x0; x < x0 + 8; ++x) {
      const COLORREF px = c.At(x, y);
      s += px == ink ? '#' : px == kWhite ? '.' : px == kBlue ? 'b' : '?';
    }
    s += '\n';
  }
  return s;
}

TEST(DcBrush, SixHatchPatterns) {
  const char* expected[] = {
      "########\n........\n........\n........\n........\n........\n........\n........\n",  // horizontal
      "#.......\n#.......\n#.......\n#.......\n#.......\n#.......\n#.......\n#.......\n",  // vertical
      "#.......\n.#......\n..#.....\n...#....\n....#...\n.....#..\n......#.\n.......#\n",  // fdiagonal
      ".......#\n......#.\n.....#..\n....#...\n...#....\n..#.....\n.#......\n#.......\n",  // bdiagonal
      "########\n#.......\n#.......\n#.......\n#.......\n#.......\n#.......\n#.......\n",  // cross
      "#......#\n.#....#.\n..#..#..\n...##...\n...##...\n..#..#..\n.#....#.\n#......#\n",  // diagcross
  };
  for (int hs = HS_HORIZONTAL; hs <= HS_DIAGCROSS; ++hs) {
    Canvas c(16, 16);
    SetBkMode(c.dc(), TRANSPARENT);
    HBRUSH b = CreateHatchBrush(hs, kRed);
    RECT r{0, 0, 16, 16};
    FillRect(c.dc(), &r, b);
    EXPECT_EQ(Cell(c, 0, 0, kRed), expected[hs]) << "hatch " << hs;
    EXPECT_EQ(Cell(c, 8, 8, kRed), expected[hs]) << "repeats every 8 pixels, hatch " << hs;
    DeleteObject(b);
  }
}

TEST(DcBrush, OpaqueBackgroundPaintsTheGaps) {
  Canvas c(8, 8);
  SetBkColor(c.dc(), kBlue);  // OPAQUE is the default mode
  HBRUSH b = CreateHatchBrush(HS_VERTICAL, kRed);
  RECT r{0, 0, 8, 8};
  FillRect(c.dc(), &r, b);
  EXPECT_EQ(Cell(c, 0, 0, kRed), "#bbbbbbb\n#bbbbbbb\n#bbbbbbb\n#bbbbbbb\n#bbbbbbb\n#bbbbbbb\n#bbbbbbb\n#bbbbbbb\n");
  DeleteObject(b);
}

TEST(DcBrush, BrushOriginShiftsThePattern) {
  Canvas c(16, 8);
  SetBkMode(c.dc(), TRANSPARENT);
  SetBrushOrgEx(c.dc(), 3, 2, nullptr);
  HBRUSH b = CreateHatchBrush(HS_CROSS, kRed);
  RECT r{0, 0, 16, 8};
  FillRect(c.dc(), &r, b);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(c.At(x, 2), kRed) << "row 2 is the cell's first row";
  for (int y = 0; y < 8; ++y) {
    EXPECT_EQ(c.At(3, y), kRed);
    EXPECT_EQ(c.At(11, y), kRed);
  }
  EXPECT_EQ(c.At(4, 3), kWhite);
  EXPECT_EQ(c.At(0, 0), kWhite);
  DeleteObject(b);
}

TEST(DcBrush, PatternBrushRepeatsFromTheOrigin) {
  Canvas pat(8, 8);
  pat.Clear(kBlue);
  SetPixel(pat.dc(), 0, 0, kRed);
  SetPixel(pat.dc(), 7, 1, kGreen);
  HBRUSH b = CreatePatternBrush(pat.bitmap());
  ASSERT_NE(b, nullptr);
  Canvas c(16, 16);
  SetBrushOrgEx(c.dc(), 1, 1, nullptr);
  RECT r{0, 0, 16, 16};
  FillRect(c.dc(), &r, b);
  EXPECT_EQ(c.At(1, 1), kRed);
  EXPECT_EQ(c.At(9, 9), kRed);
  EXPECT_EQ(c.At(0, 2), kGreen);  // pattern (7,1) lands at (1 + 7 - 8, 1 + 1)
  EXPECT_EQ(c.At(8, 2), kGreen);
  EXPECT_EQ(c.At(2, 2), kBlue);
  // The brush keeps its own copy of the pattern.
  SetPixel(pat.dc(), 0, 0, kBlue);
  FillRect(c.dc(), &r, b);
  EXPECT_EQ(c.At(1, 1), kRed);
  DeleteObject(b);
}

TEST(DcBrush, MonochromePatternTakesTextAndBackgroundColours) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 8;
  bi.bmiHeader.biHeight = -8;
  bi.bmiHeader.biBitCount = 1;
  bi.bmiColors[1] = RGBQUAD{255, 255, 255, 0};
  void* bits = nullptr;
  HBITMAP mono = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(mono, nullptr);
  // Rows are 4 bytes; bit 7 of the first byte is pixel 0. Row 0 = 10000000: one set pixel.
  static_cast<uint8_t*>(bits)[0] = 0x80;
  HBRUSH b = CreatePatternBrush(mono);
  ASSERT_NE(b, nullptr);
  Canvas c(8, 8);
  SetTextColor(c.dc(), kGreen);
  SetBkColor(c.dc(), kBlue);
  RECT r{0, 0, 8, 8};
  FillRect(c.dc(), &r, b);
  EXPECT_EQ(c.At(0, 0), kBlue) << "1 bits take the background colour";
  EXPECT_EQ(c.At(1, 0), kGreen) << "0 bits take the text colour";
  EXPECT_EQ(c.At(0, 1), kGreen);
  DeleteObject(b);
  DeleteObject(mono);
}

TEST(DcBrush, HatchedShapeFillFollowsRop2AndTransparency) {
  Canvas c(8, 8);
  c.Clear(kBlue);
  SetBkMode(c.dc(), TRANSPARENT);
  SetROP2(c.dc(), R2_NOTCOPYPEN);
  SelectObject(c.dc(), GetStockObject(NULL_PEN));
  Selected brush(c.dc(), CreateHatchBrush(HS_HORIZONTAL, kRed));
  Rectangle(c.dc(), 0, 0, 9, 9);
  EXPECT_EQ(c.At(3, 0), ~kRed & 0xFFFFFF) << "hatch line, NOTCOPYPEN";
  EXPECT_EQ(c.At(3, 1), kBlue) << "transparent background untouched";
}

TEST(DcBrush, BadBrushArguments) {
  EXPECT_EQ(CreateHatchBrush(6, kRed), nullptr);
  EXPECT_EQ(CreatePatternBrush(nullptr), nullptr);
  LOGBRUSH lb;
  lb.lbStyle = 99;
  EXPECT_EQ(CreateBrushIndirect(&lb), nullptr);
  EXPECT_EQ(CreateBrushIndirect(nullptr), nullptr);
}

// The stock brushes describe themselves: their style and colour, the hollow one black.
TEST(DcBrush, StockBrushesDescribeTheirStyleAndColour) {
  struct Stock {
    int index;
    UINT style;
    COLORREF colour;
  };
  const Stock stocks[] = {
      {WHITE_BRUSH, BS_SOLID, RGB(255, 255, 255)}, {LTGRAY_BRUSH, BS_SOLID, RGB(192, 192, 192)},
      {GRAY_BRUSH, BS_SOLID, RGB(128, 128, 128)},  {DKGRAY_BRUSH, BS_SOLID, RGB(64, 64, 64)},
      {BLACK_BRUSH, BS_SOLID, RGB(0, 0, 0)},       {NULL_BRUSH, BS_NULL, RGB(0, 0, 0)},
  };
  for (const Stock& s : stocks) {
    LOGBRUSH lb{};
    lb.lbColor = RGB(1, 2, 3);
    ASSERT_EQ(GetObjectW(GetStockObject(s.index), sizeof lb, &lb), int(sizeof lb)) << s.index;
    EXPECT_EQ(lb.lbStyle, s.style) << s.index;
    EXPECT_EQ(lb.lbColor, s.colour) << s.index;
  }
}

}  // namespace
}  // namespace win::testing
