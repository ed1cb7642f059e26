// Brushes and pens whose colour comes from elsewhere: DC_BRUSH and DC_PEN take the DC's own
// colours, FillRect's (HBRUSH)(COLOR_x + 1) values take the system colours, and DIB pattern
// brushes take the DIB's colours.

#include <array>
#include <cstring>
#include <vector>

#include "dc_test_support.h"
#include "platform/kernel/LastError.h"

namespace win::testing {
namespace {

HBRUSH SysBrush(int index) { return reinterpret_cast<HBRUSH>(uintptr_t(index) + 1); }

TEST(GdifixDcColors, StockDcObjectsPaintWithEachDcsOwnColours) {
  HGDIOBJ dcBrush = GetStockObject(DC_BRUSH), dcPen = GetStockObject(DC_PEN);
  ASSERT_NE(dcBrush, nullptr);
  ASSERT_NE(dcPen, nullptr);
  EXPECT_EQ(GetObjectType(dcBrush), OBJ_BRUSH);
  EXPECT_EQ(GetObjectType(dcPen), OBJ_PEN);
  EXPECT_EQ(GetStockObject(DC_BRUSH), dcBrush) << "one shared stock object";
  EXPECT_TRUE(DeleteObject(dcBrush));
  EXPECT_EQ(GetObjectType(dcBrush), OBJ_BRUSH) << "stock objects survive DeleteObject";

  Canvas a(8, 4), b(8, 4);
  EXPECT_EQ(GetDCBrushColor(a.dc()), kWhite);
  EXPECT_EQ(GetDCPenColor(a.dc()), kBlack);
  EXPECT_EQ(SetDCBrushColor(a.dc(), kRed), kWhite);
  EXPECT_EQ(SetDCBrushColor(b.dc(), kBlue), kWhite);
  const RECT rc{0, 0, 4, 4};
  // The same handle paints differently on the two DCs.
  EXPECT_TRUE(FillRect(a.dc(), &rc, static_cast<HBRUSH>(dcBrush)));
  EXPECT_TRUE(FillRect(b.dc(), &rc, static_cast<HBRUSH>(dcBrush)));
  EXPECT_EQ(a.At(1, 1), kRed);
  EXPECT_EQ(b.At(1, 1), kBlue);
  EXPECT_EQ(a.At(5, 1), kWhite);

  // Selected: shapes and pattern blits follow later colour changes without reselecting.
  SelectObject(a.dc(), dcBrush);
  SelectObject(a.dc(), GetStockObject(NULL_PEN));
  SetDCBrushColor(a.dc(), kGreen);
  EXPECT_TRUE(Rectangle(a.dc(), 4, 0, 8, 4));
  EXPECT_EQ(a.At(5, 1), kGreen);
  SetDCBrushColor(a.dc(), kBlue);
  EXPECT_TRUE(PatBlt(a.dc(), 0, 0, 2, 2, PATCOPY));
  EXPECT_EQ(a.At(0, 0), kBlue);
  EXPECT_EQ(a.At(3, 3), kRed);
  SelectObject(a.dc(), GetStockObject(WHITE_BRUSH));
}

TEST(GdifixDcColors, DcPenDrawsThinLinesAndOutlinesInTheDcPenColour) {
  Canvas c(10, 10);
  SelectObject(c.dc(), GetStockObject(DC_PEN));
  SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  EXPECT_EQ(SetDCPenColor(c.dc(), kRed), kBlack);
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 5, 0);
  EXPECT_EQ(c.At(0, 0), kRed);
  EXPECT_EQ(c.At(4, 0), kRed);
  EXPECT_EQ(c.At(5, 0), kWhite);
  SetDCPenColor(c.dc(), kBlue);
  Rectangle(c.dc(), 2, 2, 8, 8);
  EXPECT_EQ(c.At(2, 2), kBlue);
  EXPECT_EQ(c.At(7, 7), kBlue);
  EXPECT_EQ(c.At(4, 4), kWhite);
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
}

TEST(GdifixDcColors, SaveDcKeepsTheColoursAndBadHandlesFail) {
  Canvas c(2, 2);
  SetDCBrushColor(c.dc(), kRed);
  SetDCPenColor(c.dc(), kGreen);
  const int saved = SaveDC(c.dc());
  SetDCBrushColor(c.dc(), kBlue);
  SetDCPenColor(c.dc(), kBlue);
  ASSERT_TRUE(RestoreDC(c.dc(), saved));
  EXPECT_EQ(GetDCBrushColor(c.dc()), kRed);
  EXPECT_EQ(GetDCPenColor(c.dc()), kGreen);
  EXPECT_EQ(SetDCBrushColor(c.dc(), 0xFF123456), kRed);
  EXPECT_EQ(GetDCBrushColor(c.dc()), COLORREF(0x123456)) << "the flag byte is dropped";

  HDC gone = CreateCompatibleDC(nullptr);
  DeleteDC(gone);
  EXPECT_EQ(SetDCBrushColor(gone, kRed), CLR_INVALID);
  EXPECT_EQ(GetDCBrushColor(gone), CLR_INVALID);
  EXPECT_EQ(SetDCPenColor(nullptr, kRed), CLR_INVALID);
  EXPECT_EQ(GetDCPenColor(nullptr), CLR_INVALID);
}

// A fake system colour table; each test installs and removes the resolver itself.
std::array<COLORREF, 31> g_colors;
COLORREF FakeSysColor(int index) { return index >= 0 && index < 31 ? g_colors[size_t(index)] : 0; }

class GdifixSysColorBrush : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 31; ++i) g_colors[size_t(i)] = RGB(BYTE(i), BYTE(2 * i), 7);
  }
  void TearDown() override { SetSysColorResolver(nullptr); }
};

TEST_F(GdifixSysColorBrush, FillRectTakesSystemColourValuesOnceResolved) {
  Canvas c(6, 2);
  const RECT rc{0, 0, 3, 2};
  SetSysColorResolver(nullptr);
  SetLastError(0);
  EXPECT_EQ(FillRect(c.dc(), &rc, SysBrush(5)), 0) << "without the window system there is no such brush";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(c.At(0, 0), kWhite);

  SetSysColorResolver(&FakeSysColor);
  EXPECT_NE(FillRect(c.dc(), &rc, SysBrush(5)), 0);
  EXPECT_EQ(c.At(0, 0), RGB(5, 10, 7));
  EXPECT_EQ(c.At(3, 0), kWhite);
  // Index 0 (value 1) and the last index (value 31) are both in range.
  const RECT left{0, 0, 1, 1}, right{5, 0, 6, 1};
  EXPECT_NE(FillRect(c.dc(), &left, SysBrush(0)), 0);
  EXPECT_EQ(c.At(0, 0), RGB(0, 0, 7));
  EXPECT_NE(FillRect(c.dc(), &right, SysBrush(30)), 0);
  EXPECT_EQ(c.At(5, 0), RGB(30, 60, 7));
  // A changed system colour shows at the next fill through the same value.
  g_colors[5] = kBlue;
  EXPECT_NE(FillRect(c.dc(), &rc, SysBrush(5)), 0);
  EXPECT_EQ(c.At(1, 1), kBlue);
}

TEST_F(GdifixSysColorBrush, OnlyFillRectAndOnlySmallValuesAreSystemColours) {
  SetSysColorResolver(&FakeSysColor);
  Canvas c(4, 4);
  const RECT rc{0, 0, 4, 4};
  SetLastError(0);
  EXPECT_EQ(FillRect(c.dc(), &rc, reinterpret_cast<HBRUSH>(uintptr_t(32))), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(FillRect(c.dc(), &rc, nullptr), 0);
  EXPECT_EQ(FrameRect(c.dc(), &rc, SysBrush(5)), 0);
  EXPECT_EQ(SelectObject(c.dc(), SysBrush(5)), nullptr) << "not an object that can be selected";
  EXPECT_EQ(c.CountNot(kWhite), 0);
  EXPECT_EQ(FillRect(nullptr, &rc, SysBrush(5)), 0);
}

// A packed DIB: header, colour table, then the rows.
std::vector<uint8_t> PackedDib(int width, int height, int bpp, const std::vector<RGBQUAD>& table,
                               const std::vector<uint8_t>& rows) {
  BITMAPINFOHEADER h;
  h.biWidth = width;
  h.biHeight = height;
  h.biBitCount = WORD(bpp);
  h.biClrUsed = DWORD(table.size());
  std::vector<uint8_t> out(sizeof h + table.size() * sizeof(RGBQUAD));
  std::memcpy(out.data(), &h, sizeof h);
  if (!table.empty()) std::memcpy(out.data() + sizeof h, table.data(), table.size() * sizeof(RGBQUAD));
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

TEST(GdifixDibPattern, MonochromeDibPaintsItsOwnColoursBottomUpRowsTiled) {
  // 1 bpp, 8x2, bottom-up: the first stored row is the bottom one. Table: 0 = red, 1 = blue.
  const std::vector<RGBQUAD> table{{0, 0, 255, 0}, {255, 0, 0, 0}};
  const std::vector<uint8_t> rows{0xF0, 0, 0, 0,   // bottom row: 1111 0000
                                  0x0F, 0, 0, 0};  // top row:    0000 1111
  const auto dib = PackedDib(8, 2, 1, table, rows);
  HBRUSH brush = CreateDIBPatternBrushPt(dib.data(), DIB_RGB_COLORS);
  ASSERT_NE(brush, nullptr);
  Canvas c(16, 4);
  SetTextColor(c.dc(), kGreen);  // a monochrome device bitmap would take these; a DIB does not
  SetBkColor(c.dc(), kBlack);
  const RECT rc{0, 0, 16, 4};
  EXPECT_NE(FillRect(c.dc(), &rc, brush), 0);
  EXPECT_EQ(c.Picture(kRed), Rows({"####????####????", "????####????####", "####????####????", "????####????####"}));
  EXPECT_EQ(c.At(4, 0), kBlue);
  EXPECT_EQ(c.At(0, 1), kBlue);
  EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdifixDibPattern, TrueColourDibThroughCreateBrushIndirect) {
  // 24 bpp, 2x2, top-down (negative height); rows padded to 4 bytes.
  auto dib = PackedDib(2, -2, 24, {}, {0, 0, 255, 255, 0, 0, 0, 0,     // red, blue
                                       0, 255, 0, 0, 0, 0, 0, 0});     // green, black
  LOGBRUSH lb;
  lb.lbStyle = BS_DIBPATTERNPT;
  lb.lbColor = DIB_RGB_COLORS;
  lb.lbHatch = reinterpret_cast<uintptr_t>(dib.data());
  HBRUSH brush = CreateBrushIndirect(&lb);
  ASSERT_NE(brush, nullptr);
  dib.assign(dib.size(), 0);  // the brush keeps its own copy
  Canvas c(4, 4);
  const RECT rc{0, 0, 4, 4};
  EXPECT_NE(FillRect(c.dc(), &rc, brush), 0);
  EXPECT_EQ(c.At(0, 0), kRed);
  EXPECT_EQ(c.At(1, 0), kBlue);
  EXPECT_EQ(c.At(0, 1), kGreen);
  EXPECT_EQ(c.At(1, 1), kBlack);
  EXPECT_EQ(c.At(2, 2), kRed) << "tiled every 2 pixels";
  EXPECT_EQ(c.At(3, 3), kBlack);
  DeleteObject(brush);
}

TEST(GdifixDibPattern, RefusesPaletteIndexesAndMalformedDibs) {
  const auto dib = PackedDib(8, 1, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}}, {0xAA, 0, 0, 0});
  SetLastError(0);
  EXPECT_EQ(CreateDIBPatternBrushPt(dib.data(), DIB_PAL_COLORS), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(CreateDIBPatternBrushPt(nullptr, DIB_RGB_COLORS), nullptr);
  auto bad = dib;
  bad[0] = 3;  // biSize too small for a header
  EXPECT_EQ(CreateDIBPatternBrushPt(bad.data(), DIB_RGB_COLORS), nullptr);
  auto zero = PackedDib(0, 1, 24, {}, {0, 0, 0, 0});
  EXPECT_EQ(CreateDIBPatternBrushPt(zero.data(), DIB_RGB_COLORS), nullptr);
}

}  // namespace
}  // namespace win::testing
