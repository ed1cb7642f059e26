// DC state: objects and their selection rules, SaveDC/RestoreDC, origins, bad handles.

#include "platform/kernel/LastError.h"

#include "dc_test_support.h"

namespace win::testing {
namespace {

TEST(DcObjects, FreshMemoryDcHoldsTheDefaults) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  BITMAP bm;
  ASSERT_EQ(GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetBkColor(dc), kWhite);
  EXPECT_EQ(GetTextColor(dc), kBlack);
  EXPECT_EQ(GetPolyFillMode(dc), ALTERNATE);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST(DcObjects, SelectedObjectsCannotBeDeletedStockObjectsIgnoreIt) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH brush = CreateSolidBrush(kRed);
  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(brush));
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN) << "still alive";
  EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_PEN)), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_PEN)));  // ignored, still usable
  EXPECT_EQ(GetObjectType(GetStockObject(WHITE_PEN)), OBJ_PEN);
  DeleteDC(dc);  // releases the brush
  EXPECT_TRUE(DeleteObject(brush));
}

TEST(DcObjects, ABitmapLivesInOneDcAtATime) {
  Canvas c(4, 4);
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, c.bitmap()), nullptr);
  EXPECT_FALSE(DeleteObject(c.bitmap()));
  DeleteDC(other);
}

TEST(DcObjects, GetObjectDescribesPensAndBrushes) {
  HPEN pen = CreatePen(PS_DASH, 1, kRed);
  LOGPEN lp;
  EXPECT_EQ(GetObjectW(pen, 0, nullptr), int(sizeof(LOGPEN)));
  ASSERT_EQ(GetObjectW(pen, sizeof lp, &lp), int(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, PS_DASH);
  EXPECT_EQ(lp.lopnColor, kRed);
  EXPECT_EQ(GetObjectW(pen, 2, &lp), 0) << "buffer too small";
  LOGBRUSH lb;
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, kBlue);
  ASSERT_EQ(GetObjectW(hatch, sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbStyle, BS_HATCHED);
  EXPECT_EQ(lb.lbColor, kBlue);
  EXPECT_EQ(lb.lbHatch, uintptr_t(HS_CROSS));
  LOGBRUSH solid{BS_SOLID, kGreen, 0};
  HBRUSH b = CreateBrushIndirect(&solid);
  EXPECT_EQ(GetObjectType(b), OBJ_BRUSH);
  DeleteObject(pen);
  DeleteObject(hatch);
  DeleteObject(b);
}

TEST(DcObjects, ExtendedPensReportTheirStyle) {
  LOGBRUSH lb{BS_SOLID, kRed, 0};
  const DWORD dashes[] = {4, 2};
  HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER, 6, &lb, 2, dashes);
  ASSERT_NE(pen, nullptr);
  EXPECT_EQ(GetObjectType(pen), OBJ_EXTPEN);
  const int size = GetObjectW(pen, 0, nullptr);
  ASSERT_GT(size, int(sizeof(EXTLOGPEN)) - 1);
  std::vector<char> buf(size_t(size), 0);
  ASSERT_EQ(GetObjectW(pen, size, buf.data()), size);
  EXTLOGPEN e;
  std::memcpy(&e, buf.data(), sizeof e);
  EXPECT_EQ(e.elpPenStyle, PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER);
  EXPECT_EQ(e.elpWidth, 6u);
  EXPECT_EQ(e.elpColor, kRed);
  ASSERT_EQ(e.elpNumEntries, 2u);
  DWORD second;
  std::memcpy(&second, buf.data() + offsetof(EXTLOGPEN, elpStyleEntry) + sizeof(DWORD), sizeof second);
  EXPECT_EQ(second, 2u);
  DeleteObject(pen);
  // A cosmetic pen must be one pixel wide; a user style needs its entries.
  EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &lb, 0, nullptr), nullptr);
  EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 3, &lb, 0, nullptr), nullptr);
}

TEST(DcObjects, GeometricPenEndCaps) {
  LOGBRUSH lb{BS_SOLID, kBlack, 0};
  for (DWORD cap : {PS_ENDCAP_FLAT, PS_ENDCAP_SQUARE}) {
    Canvas c(30, 11);
    Selected pen(c.dc(), ExtCreatePen(PS_GEOMETRIC | PS_SOLID | cap, 5, &lb, 0, nullptr));
    MoveToEx(c.dc(), 10, 5, nullptr);
    LineTo(c.dc(), 20, 5);
    EXPECT_EQ(c.At(15, 5), kBlack);
    EXPECT_EQ(c.At(15, 3), kBlack);
    // A flat end stops at the end points; a square end runs on by half the width.
    EXPECT_EQ(c.At(8, 5), cap == PS_ENDCAP_SQUARE ? kBlack : kWhite) << cap;
    EXPECT_EQ(c.At(22, 5), cap == PS_ENDCAP_SQUARE ? kBlack : kWhite) << cap;
  }
}

TEST(DcObjects, InvalidAndDeletedHandlesFail) {
  HDC bogus = reinterpret_cast<HDC>(uintptr_t(0x1234567));
  SetLastError(0);
  EXPECT_EQ(SelectObject(bogus, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(LineTo(bogus, 1, 1));
  EXPECT_FALSE(Rectangle(bogus, 0, 0, 2, 2));
  EXPECT_EQ(SaveDC(bogus), 0);
  EXPECT_EQ(SetBkColor(bogus, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
  HBRUSH b = CreateSolidBrush(kRed);
  DeleteObject(b);
  Canvas c(2, 2);
  RECT r{0, 0, 2, 2};
  SetLastError(0);
  EXPECT_EQ(FillRect(c.dc(), &r, b), 0) << "deleted brush";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SelectObject(c.dc(), b), nullptr);
  EXPECT_FALSE(DeleteObject(b));
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_FALSE(DeleteObject(c.dc())) << "DCs go through DeleteDC";
  EXPECT_EQ(GetStockObject(-1), nullptr);
  EXPECT_EQ(GetStockObject(1000), nullptr);
}

TEST(DcState, SaveAndRestoreWithNegativeIndexes) {
  Canvas c(4, 4);
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  SetBkColor(c.dc(), kRed);
  EXPECT_EQ(SaveDC(c.dc()), 1);
  SetBkColor(c.dc(), kGreen);
  HGDIOBJ oldPen = SelectObject(c.dc(), red);
  SetROP2(c.dc(), R2_XORPEN);
  SetWindowOrgEx(c.dc(), 5, 6, nullptr);
  IntersectClipRect(c.dc(), 0, 0, 1, 1);
  EXPECT_EQ(SaveDC(c.dc()), 2);
  SetBkColor(c.dc(), kBlue);
  EXPECT_EQ(SaveDC(c.dc()), 3);
  EXPECT_TRUE(RestoreDC(c.dc(), -1));  // back to depth 3's state: blue
  EXPECT_EQ(GetBkColor(c.dc()), kBlue);
  EXPECT_TRUE(RestoreDC(c.dc(), -1));  // depth 2: green, red pen, XOR, origin, clip
  EXPECT_EQ(GetBkColor(c.dc()), kGreen);
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), red);
  EXPECT_FALSE(DeleteObject(red)) << "held by the current and a saved state";
  EXPECT_TRUE(RestoreDC(c.dc(), 1));
  EXPECT_EQ(GetBkColor(c.dc()), kRed);
  EXPECT_EQ(GetCurrentObject(c.dc(), OBJ_PEN), oldPen);
  EXPECT_EQ(GetROP2(c.dc()), R2_COPYPEN);
  POINT org;
  GetWindowOrgEx(c.dc(), &org);
  EXPECT_EQ(org, (POINT{0, 0}));
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 4, 4})) << "the clip is restored too";
  EXPECT_FALSE(RestoreDC(c.dc(), 1)) << "nothing saved any more";
  EXPECT_FALSE(RestoreDC(c.dc(), -1));
  EXPECT_TRUE(DeleteObject(red));
}

TEST(DcState, RestoreDcDropsDeeperStates) {
  Canvas c(2, 2);
  SaveDC(c.dc());
  SaveDC(c.dc());
  SaveDC(c.dc());
  EXPECT_FALSE(RestoreDC(c.dc(), 4));
  EXPECT_FALSE(RestoreDC(c.dc(), -4));
  EXPECT_FALSE(RestoreDC(c.dc(), 0));
  EXPECT_TRUE(RestoreDC(c.dc(), 2));
  EXPECT_EQ(SaveDC(c.dc()), 2) << "states 2 and 3 are gone";
}

TEST(DcState, WindowAndViewportOriginsMoveDrawing) {
  Canvas c(12, 12);
  SetWindowOrgEx(c.dc(), 5, 5, nullptr);
  SetViewportOrgEx(c.dc(), 2, 1, nullptr);  // logical (x, y) lands at (x - 3, y - 4)
  MoveToEx(c.dc(), 5, 5, nullptr);
  LineTo(c.dc(), 8, 5);
  EXPECT_EQ(c.At(2, 1), kBlack);
  EXPECT_EQ(c.At(4, 1), kBlack);
  EXPECT_EQ(c.At(5, 1), kWhite);
  HBRUSH b = CreateSolidBrush(kRed);
  RECT r{10, 10, 12, 12};
  FillRect(c.dc(), &r, b);
  EXPECT_EQ(c.At(7, 6), kRed);
  EXPECT_EQ(c.At(8, 7), kRed);
  EXPECT_EQ(c.At(9, 8), kWhite);
  // Wide pens go through the painter: the same transform applies.
  Selected wide(c.dc(), CreatePen(PS_SOLID, 3, kBlue));
  MoveToEx(c.dc(), 5, 14, nullptr);
  LineTo(c.dc(), 13, 14);
  EXPECT_EQ(c.At(6, 10), kBlue);
  EXPECT_EQ(c.At(6, 7), kWhite);
  EXPECT_EQ(GetPixel(c.dc(), 9, 14), kBlue) << "GetPixel takes logical coordinates";
  POINT p{5, 5};
  LPtoDP(c.dc(), &p, 1);
  EXPECT_EQ(p, (POINT{2, 1}));
  DPtoLP(c.dc(), &p, 1);
  EXPECT_EQ(p, (POINT{5, 5}));
  OffsetWindowOrgEx(c.dc(), 1, 1, nullptr);
  POINT org;
  GetWindowOrgEx(c.dc(), &org);
  EXPECT_EQ(org, (POINT{6, 6}));
  DeleteObject(b);
}

TEST(DcState, SetPixelAndGetPixel) {
  Canvas c(4, 4);
  EXPECT_EQ(SetPixel(c.dc(), 1, 2, kRed), kRed);
  EXPECT_EQ(GetPixel(c.dc(), 1, 2), kRed);
  EXPECT_EQ(c.At(1, 2), kRed);
  EXPECT_TRUE(SetPixelV(c.dc(), 3, 3, kBlue));
  EXPECT_EQ(SetPixel(c.dc(), 4, 0, kRed), CLR_INVALID) << "outside the bitmap";
  EXPECT_EQ(GetPixel(c.dc(), -1, 0), CLR_INVALID);
  SetROP2(c.dc(), R2_XORPEN);
  EXPECT_EQ(SetPixel(c.dc(), 0, 0, kRed), kRed) << "SetPixel ignores the ROP2 mode";
}

TEST(DcState, LowDepthTargetsGetTheNearestColour) {
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = 8;
  bi.bmiHeader.biHeight = -4;
  bi.bmiHeader.biBitCount = 8;
  bi.bmiHeader.biClrUsed = 3;
  bi.bmiColors[0] = RGBQUAD{255, 255, 255, 0};  // white
  bi.bmiColors[1] = RGBQUAD{0, 0, 0, 0};        // black
  bi.bmiColors[2] = RGBQUAD{0, 0, 200, 0};      // dark red
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bmp, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bmp);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(250, 10, 10));
  SelectObject(dc, pen);
  MoveToEx(dc, 0, 1, nullptr);
  LineTo(dc, 8, 1);
  const auto* px = static_cast<const uint8_t*>(bits);
  EXPECT_EQ(px[8 * 1 + 3], 2) << "the line is written back as the nearest table entry";
  EXPECT_EQ(px[8 * 0 + 3], 0);
  EXPECT_EQ(GetPixel(dc, 3, 1), RGB(200, 0, 0));
  EXPECT_EQ(SetPixel(dc, 0, 3, RGB(30, 30, 30)), kBlack) << "the colour actually set";
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  DeleteDC(dc);
  DeleteObject(bmp);
}

}  // namespace
}  // namespace win::testing
