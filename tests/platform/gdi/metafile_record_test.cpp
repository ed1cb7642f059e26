// Recording DCs: the EMR_HEADER fields and the binary layout of records.

#include <gtest/gtest.h>

#include "dc_test_support.h"
#include "metafile_test_support.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"
#include "platform/kernel/LastError.h"

namespace win::testing {
namespace {

TEST(MetafileRecord, HeaderCountsBoundsFrameAndHandles) {
  const RECT frame = FrameForPixels(40, 30);
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, u"Korvalin");
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_ENHMETADC);
  HPEN pen = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH brush = CreateSolidBrush(kBlue);
  SelectObject(dc, pen);                        // CREATEPEN + SELECTOBJECT
  SelectObject(dc, brush);                      // CREATEBRUSHINDIRECT + SELECTOBJECT
  Rectangle(dc, 5, 6, 15, 12);                  // RECTANGLE
  MoveToEx(dc, 2, 3, nullptr);                  // MOVETOEX
  LineTo(dc, 20, 25);                           // LINETO
  SelectObject(dc, GetStockObject(BLACK_PEN));  // SELECTOBJECT (stock)
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  ASSERT_NE(mf, nullptr);
  EXPECT_EQ(GetObjectType(dc), 0u) << "closing deletes the recording DC";
  DeleteObject(pen);
  DeleteObject(brush);

  ENHMETAHEADER h;
  ASSERT_EQ(GetEnhMetaFileHeader(mf, sizeof h, &h), sizeof h);
  EXPECT_EQ(h.iType, EMR_HEADER);
  EXPECT_EQ(h.dSignature, ENHMETA_SIGNATURE);
  EXPECT_EQ(h.nVersion, 0x10000u);
  const std::vector<uint8_t> bytes = MetafileBytesOf(mf);
  EXPECT_EQ(h.nBytes, bytes.size());
  EXPECT_EQ(h.nRecords, 10u);  // header, the 8 records above, EOF
  EXPECT_EQ(h.nHandles, 3);    // slot 0 and the two objects
  EXPECT_EQ(h.rclFrame, frame);
  // Bounds: the rectangle's top-left corner and the line's lowest-right pixel (inclusive), each
  // with at most the pen's reach around it.
  EXPECT_LE(h.rclBounds.left, 2);
  EXPECT_GE(h.rclBounds.left, 0);
  EXPECT_LE(h.rclBounds.top, 3);
  EXPECT_GE(h.rclBounds.right, 20);
  EXPECT_LE(h.rclBounds.right, 22);
  EXPECT_GE(h.rclBounds.bottom, 25);
  EXPECT_LE(h.rclBounds.bottom, 27);
  Canvas screenLike(1, 1);  // a memory DC answers for the screen
  EXPECT_EQ(h.szlDevice.cx, GetDeviceCaps(screenLike.dc(), HORZRES));
  EXPECT_EQ(h.szlMillimeters.cy, GetDeviceCaps(screenLike.dc(), VERTSIZE));
  // The description: "Korvalin" and two zeros, right after the header.
  ASSERT_EQ(h.nDescription, 10u);
  ASSERT_EQ(h.offDescription, 108u);
  EXPECT_EQ(std::memcmp(bytes.data() + 108, u"Korvalin", 16), 0);
  EXPECT_EQ(U32At(bytes, 4), 108u + 20u + 0u) << "header record covers the description, padded";

  // EOF last, 20 bytes.
  EXPECT_EQ(U32At(bytes, bytes.size() - 20), EMR_EOF);
  EXPECT_EQ(U32At(bytes, bytes.size() - 16), 20u);
  EXPECT_TRUE(DeleteEnhMetaFile(mf));
  EXPECT_FALSE(DeleteEnhMetaFile(mf));
}

// A wide pen is geometric: its style, ends and joins go in the extended pen record, which the
// files' readers take them from; a cosmetic pen keeps the plain record.
TEST(MetafileRecord, WidePensAreWrittenAsExtendedPenRecords) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HPEN wide = CreatePen(PS_SOLID, 3, RGB(4, 5, 6));
  HPEN thin = CreatePen(PS_DOT, 1, RGB(7, 8, 9));
  SelectObject(dc, wide);
  LineTo(dc, 30, 30);
  SelectObject(dc, thin);
  LineTo(dc, 10, 30);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  ASSERT_NE(mf, nullptr);
  const std::vector<uint8_t> b = MetafileBytesOf(mf);
  const auto extended = RecordsOfType(b, EMR_EXTCREATEPEN);
  ASSERT_EQ(extended.size(), 1u);
  const DWORD style = U32At(b, extended[0] + 28);
  EXPECT_EQ(style & PS_TYPE_MASK, DWORD(PS_GEOMETRIC));
  EXPECT_EQ(style & PS_STYLE_MASK, DWORD(PS_SOLID));
  EXPECT_EQ(U32At(b, extended[0] + 32), 3u);          // width
  EXPECT_EQ(U32At(b, extended[0] + 36), DWORD(BS_SOLID));
  EXPECT_EQ(U32At(b, extended[0] + 40), RGB(4, 5, 6));
  const auto plain = RecordsOfType(b, EMR_CREATEPEN);
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(U32At(b, plain[0] + 12), DWORD(PS_DOT)) << "nothing but the style in a plain record";
  EXPECT_EQ(U32At(b, plain[0] + 24), RGB(7, 8, 9));
  DeleteEnhMetaFile(mf);
  DeleteObject(wide);
  DeleteObject(thin);
}

TEST(MetafileRecord, RecordBytesOfLineRectangleAndObjects) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  SelectObject(dc, pen);
  MoveToEx(dc, -7, 8, nullptr);
  LineTo(dc, 300, -2);
  Rectangle(dc, 10, 20, 5, 2);  // corners in any order: recorded normalised
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  ASSERT_NE(mf, nullptr);
  const std::vector<uint8_t> b = MetafileBytesOf(mf);

  const auto pens = RecordsOfType(b, EMR_CREATEPEN);
  ASSERT_EQ(pens.size(), 1u);
  EXPECT_EQ(U32At(b, pens[0] + 4), 28u);
  EXPECT_EQ(U32At(b, pens[0] + 8), 1u);  // object index
  EXPECT_EQ(U32At(b, pens[0] + 12), PS_DASH);
  EXPECT_EQ(U32At(b, pens[0] + 16), 1u);
  EXPECT_EQ(U32At(b, pens[0] + 24), RGB(1, 2, 3));

  const auto lines = RecordsOfType(b, EMR_LINETO);
  ASSERT_EQ(lines.size(), 1u);
  const std::vector<uint8_t> lineTo(b.begin() + long(lines[0]), b.begin() + long(lines[0]) + 16);
  const std::vector<uint8_t> expected = {54, 0, 0, 0, 16, 0, 0, 0, 44, 1, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(lineTo, expected);
  const auto moves = RecordsOfType(b, EMR_MOVETOEX);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(int32_t(U32At(b, moves[0] + 8)), -7);

  const auto rects = RecordsOfType(b, EMR_RECTANGLE);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(U32At(b, rects[0] + 4), 24u);
  EXPECT_EQ(U32At(b, rects[0] + 8), 5u);
  EXPECT_EQ(U32At(b, rects[0] + 12), 2u);
  EXPECT_EQ(U32At(b, rects[0] + 16), 10u);
  EXPECT_EQ(U32At(b, rects[0] + 20), 20u);

  const auto selects = RecordsOfType(b, EMR_SELECTOBJECT);
  ASSERT_EQ(selects.size(), 2u);
  EXPECT_EQ(U32At(b, selects[0] + 8), 1u);
  EXPECT_EQ(U32At(b, selects[1] + 8), ENHMETA_STOCK_OBJECT | DWORD(NULL_BRUSH));
  DeleteEnhMetaFile(mf);
  DeleteObject(pen);
}

TEST(MetafileRecord, ObjectTableFreesDeletedObjectsAndFillRectSelectsAroundItsBlit) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HBRUSH a = CreateSolidBrush(kRed);
  HBRUSH old = static_cast<HBRUSH>(SelectObject(dc, a));
  SelectObject(dc, old);
  ASSERT_TRUE(DeleteObject(a));  // DELETEOBJECT frees slot 1
  HBRUSH b = CreateHatchBrush(HS_CROSS, kBlue);
  const RECT rc{1, 2, 9, 7};
  FillRect(dc, &rc, b);  // CREATEBRUSHINDIRECT in slot 1, SELECT, BITBLT, SELECT back
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  const std::vector<uint8_t> bytes = MetafileBytesOf(mf);
  const auto deletes = RecordsOfType(bytes, EMR_DELETEOBJECT);
  ASSERT_EQ(deletes.size(), 1u);
  EXPECT_EQ(U32At(bytes, deletes[0] + 8), 1u);
  const auto creates = RecordsOfType(bytes, EMR_CREATEBRUSHINDIRECT);
  ASSERT_EQ(creates.size(), 2u);
  EXPECT_EQ(U32At(bytes, creates[1] + 8), 1u) << "the freed slot is used again";
  EXPECT_EQ(U32At(bytes, creates[1] + 12), BS_HATCHED);
  EXPECT_EQ(U32At(bytes, creates[1] + 20), DWORD(HS_CROSS));
  const auto blits = RecordsOfType(bytes, EMR_BITBLT);
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(U32At(bytes, blits[0] + 4), 100u);
  EXPECT_EQ(U32At(bytes, blits[0] + 24), 1u);
  EXPECT_EQ(U32At(bytes, blits[0] + 32), 8u);
  EXPECT_EQ(U32At(bytes, blits[0] + 36), 5u);
  EXPECT_EQ(U32At(bytes, blits[0] + 40), PATCOPY);
  EXPECT_EQ(U32At(bytes, blits[0] + 88), 0u) << "no source bitmap";
  ENHMETAHEADER h;
  GetEnhMetaFileHeader(mf, sizeof h, &h);
  EXPECT_EQ(h.nHandles, 2);
  EXPECT_EQ(h.rclBounds, (RECT{1, 2, 8, 6}));
  DeleteEnhMetaFile(mf);
  DeleteObject(b);
}

// The background modes go into the file as the format's numbers, 1 transparent and 2 opaque,
// which other programs read.
TEST(MetafileRecord, BackgroundModesAreRecordedAsTheFormatsNumbers) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  SetBkMode(dc, TRANSPARENT);
  SetBkMode(dc, OPAQUE);
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  const std::vector<uint8_t> bytes = MetafileBytesOf(mf);
  const auto modes = RecordsOfType(bytes, EMR_SETBKMODE);
  ASSERT_EQ(modes.size(), 2u);
  EXPECT_EQ(U32At(bytes, modes[0] + 8), 1u);
  EXPECT_EQ(U32At(bytes, modes[1] + 8), 2u);
  DeleteEnhMetaFile(mf);
}

// Every record that draws from the current position follows a record that leaves it there: a
// move repeated after a pen or a mode set in between, none added inside a chain of lines.
TEST(MetafileRecord, LinesFromTheCurrentPositionFollowAMoveToIt) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HPEN dotted = CreatePen(PS_DOT, 1, kBlue);
  LineTo(dc, 4, 4);  // from (0, 0), where a reader starts: no move needed
  MoveToEx(dc, 10, 20, nullptr);
  SelectObject(dc, dotted);
  SetBkMode(dc, TRANSPARENT);
  LineTo(dc, 10, 60);
  LineTo(dc, 30, 60);
  SetBkMode(dc, OPAQUE);
  const POINT to[2] = {{40, 70}, {50, 80}};
  PolylineTo(dc, to, 2);
  SetROP2(dc, R2_COPYPEN);
  ArcTo(dc, 0, 0, 20, 20, 20, 10, 0, 10);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  ASSERT_NE(mf, nullptr);
  const std::vector<uint8_t> b = MetafileBytesOf(mf);
  std::vector<std::pair<uint32_t, POINT>> records;  // type and first point field of each record
  for (size_t at = 0; at < b.size(); at += U32At(b, at + 4)) {
    records.emplace_back(U32At(b, at), POINT{LONG(int32_t(U32At(b, at + 8))), LONG(int32_t(U32At(b, at + 12)))});
    if (U32At(b, at) == EMR_EOF || U32At(b, at + 4) == 0) break;
  }
  const std::vector<std::pair<uint32_t, POINT>> drawn(records.begin() + 1, records.end() - 1);
  std::vector<uint32_t> types;  // moves and lines by their type, any other record as 0
  for (const auto& [type, point] : drawn)
    types.push_back(type == EMR_MOVETOEX || type == EMR_LINETO || type == EMR_POLYLINETO16 || type == EMR_ARCTO
                        ? type
                        : 0);
  const std::vector<uint32_t> expected = {EMR_LINETO,   EMR_MOVETOEX,     0, 0, 0,
                                          EMR_MOVETOEX, EMR_LINETO,       EMR_LINETO, 0,
                                          EMR_MOVETOEX, EMR_POLYLINETO16, 0,
                                          EMR_MOVETOEX, EMR_ARCTO,        0};
  EXPECT_EQ(types, expected) << "lines keep their moves, with pens and modes in between";
  // The repeated moves hold where each line starts.
  ASSERT_EQ(drawn.size(), expected.size());
  EXPECT_EQ(drawn[5].second, (POINT{10, 20}));
  EXPECT_EQ(drawn[9].second, (POINT{30, 60}));
  EXPECT_EQ(drawn[12].second, (POINT{50, 80}));
  DeleteEnhMetaFile(mf);
  DeleteObject(dotted);
}

// A blit has no outline: the null pen is selected around it and the pen of the DC after it, for
// readers that stroke what they draw of a blit; with the null pen selected nothing is added.
TEST(MetafileRecord, BlitsAreWrittenWithTheNullPenSelected) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HPEN wide = CreatePen(PS_SOLID, 4, kRed);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  SelectObject(dc, wide);
  SelectObject(dc, white);
  const RECT rc{2, 3, 40, 20};
  FillRect(dc, &rc, white);
  PatBlt(dc, 5, 5, 10, 10, PATCOPY);
  SelectObject(dc, GetStockObject(NULL_PEN));
  FillRect(dc, &rc, white);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  ASSERT_NE(mf, nullptr);
  const std::vector<uint8_t> b = MetafileBytesOf(mf);
  std::vector<uint32_t> seen;  // blits as 0, selections as their object
  for (size_t at = 0; at < b.size() && U32At(b, at + 4) >= 8; at += U32At(b, at + 4)) {
    if (U32At(b, at) == EMR_BITBLT) seen.push_back(0);
    if (U32At(b, at) == EMR_SELECTOBJECT) seen.push_back(U32At(b, at + 8));
  }
  constexpr uint32_t kNullPen = ENHMETA_STOCK_OBJECT | NULL_PEN, kBlackPen = ENHMETA_STOCK_OBJECT | BLACK_PEN;
  const std::vector<uint32_t> expected = {1, 2, kNullPen, 0, 1, kNullPen, 0, 1, kNullPen, 0, kBlackPen};
  EXPECT_EQ(seen, expected);
  DeleteEnhMetaFile(mf);
  DeleteObject(wide);
  DeleteObject(white);
}

TEST(MetafileRecord, PolylinesUseSixteenBitPointsWhenTheyFit) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  const POINT near[3] = {{1, 2}, {-3, 4}, {5, 6}};
  const POINT far[2] = {{0, 0}, {70000, 1}};
  Polyline(dc, near, 3);
  Polyline(dc, far, 2);
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  const std::vector<uint8_t> b = MetafileBytesOf(mf);
  const auto p16 = RecordsOfType(b, EMR_POLYLINE16);
  const auto p32 = RecordsOfType(b, EMR_POLYLINE);
  ASSERT_EQ(p16.size(), 1u);
  ASSERT_EQ(p32.size(), 1u);
  EXPECT_EQ(U32At(b, p16[0] + 4), 28u + 3 * 4);
  EXPECT_EQ(U32At(b, p16[0] + 24), 3u);
  EXPECT_EQ(U32At(b, p16[0] + 32), 0x0004FFFDu) << "(-3, 4) as two shorts";
  EXPECT_EQ(int32_t(U32At(b, p16[0] + 8)), -3) << "bounds box left";
  EXPECT_EQ(U32At(b, p32[0] + 4), 28u + 2 * 8);
  EXPECT_EQ(U32At(b, p32[0] + 36), 70000u);
  DeleteEnhMetaFile(mf);
}

TEST(MetafileRecord, DrawingCallsSucceedOnARecordingDC) {
  Canvas source(4, 4);
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  const POINT pts[3] = {{0, 0}, {5, 5}, {9, 0}};
  const RECT rc{1, 1, 6, 6};
  HBRUSH brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  EXPECT_TRUE(LineTo(dc, 3, 3));
  EXPECT_TRUE(Polyline(dc, pts, 3));
  EXPECT_TRUE(Polygon(dc, pts, 3));
  EXPECT_TRUE(Rectangle(dc, 0, 0, 5, 5));
  EXPECT_TRUE(Ellipse(dc, 0, 0, 5, 5));
  EXPECT_TRUE(RoundRect(dc, 0, 0, 9, 9, 3, 3));
  EXPECT_TRUE(Pie(dc, 0, 0, 9, 9, 9, 4, 4, 0));
  EXPECT_NE(FillRect(dc, &rc, brush), 0);
  EXPECT_NE(FrameRect(dc, &rc, brush), 0);
  EXPECT_TRUE(PatBlt(dc, 0, 0, 3, 3, PATCOPY));
  EXPECT_TRUE(BitBlt(dc, 0, 0, 4, 4, source.dc(), 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY)) << "a blit from no source fails";
  EXPECT_TRUE(SetPixelV(dc, 2, 2, kRed));
  EXPECT_TRUE(TextOutW(dc, 0, 0, u"abc", 3));
  RECT cell{0, 0, 40, 40};
  EXPECT_GT(DrawTextW(dc, u"a\nb", -1, &cell, 0), 0);
  const BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  EXPECT_TRUE(AlphaBlend(dc, 0, 0, 4, 4, source.dc(), 0, 0, 4, 4, half));
  TRIVERTEX v[2];
  v[1].x = 4, v[1].y = 4;
  GRADIENT_RECT gr{0, 1};
  EXPECT_TRUE(GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_V));
  EXPECT_FALSE(GradientFill(dc, v, 2, &gr, 1, 7)) << "a bad mode fails as it would on a bitmap";
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  const std::vector<uint8_t> b = MetafileBytesOf(mf);
  EXPECT_EQ(RecordsOfType(b, EMR_STRETCHDIBITS).size(), 1u);
  EXPECT_EQ(RecordsOfType(b, EMR_ALPHABLEND).size(), 1u);
  EXPECT_EQ(RecordsOfType(b, EMR_GRADIENTFILL).size(), 1u);
  EXPECT_EQ(RecordsOfType(b, EMR_EXTTEXTOUTW).size(), 3u) << "TextOut and DrawText's two lines";
  EXPECT_EQ(RecordsOfType(b, EMR_BITBLT).size(), 1u + 1u + 4u) << "FillRect, PatBlt, FrameRect's four sides";
  DeleteEnhMetaFile(mf);
}

TEST(MetafileRecord, DeviceQuestionsAreAnsweredByTheReferenceDC) {
  Canvas eightBits(4, 4, 8);
  HDC dc = CreateEnhMetaFileW(eightBits.dc(), nullptr, nullptr, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 8);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(eightBits.dc(), LOGPIXELSY));
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

TEST(MetafileRecord, FileNamesAndBadHandlesFail) {
  SetLastError(0);
  EXPECT_EQ(CreateEnhMetaFileW(nullptr, u"out.emf", nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  EXPECT_EQ(CreateEnhMetaFileW(reinterpret_cast<HDC>(uintptr_t(0x7777)), nullptr, nullptr, nullptr), nullptr);
  Canvas c(4, 4);
  EXPECT_EQ(CloseEnhMetaFile(c.dc()), nullptr) << "a memory DC is no recording";
  EXPECT_EQ(CloseEnhMetaFile(nullptr), nullptr);
  EXPECT_EQ(GetEnhMetaFileBits(nullptr, 0, nullptr), 0u);
  EXPECT_EQ(CopyEnhMetaFileW(nullptr, nullptr), nullptr);
  EXPECT_FALSE(PlayEnhMetaFile(c.dc(), nullptr, nullptr));

  // A recording DC deleted without closing leaves nothing behind.
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  LineTo(dc, 5, 5);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(CloseEnhMetaFile(dc), nullptr);
}

TEST(MetafileRecord, BitsRoundTripAndCopiesAreIndependent) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Ellipse(dc, 0, 0, 10, 10);
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  const std::vector<uint8_t> bytes = MetafileBytesOf(mf);
  std::vector<uint8_t> tooSmall(bytes.size() - 1);
  EXPECT_EQ(GetEnhMetaFileBits(mf, UINT(tooSmall.size()), tooSmall.data()), 0u);
  HENHMETAFILE copy = CopyEnhMetaFileW(mf, nullptr);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, mf);
  EXPECT_TRUE(DeleteEnhMetaFile(mf));
  EXPECT_EQ(MetafileBytesOf(copy), bytes);
  HENHMETAFILE again = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(MetafileBytesOf(again), bytes);
  SetLastError(0);
  EXPECT_EQ(CopyEnhMetaFileW(copy, u"x.emf"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  DeleteEnhMetaFile(copy);
  DeleteEnhMetaFile(again);
}

}  // namespace
}  // namespace win::testing
