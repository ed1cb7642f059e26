// Unstretched SRCCOPY blits copy whole rows; they must leave exactly the pixels the
// pixel-by-pixel engine leaves, reached here by P xor S with a black brush (pattern 0).

#include <gtest/gtest.h>

#include <random>

#include "bitmap_test_support.h"

namespace win::gdi::testing {
namespace {

enum class Clip { None, Rect, TwoRects, Origin };

struct RowBlitCase {
  int srcBpp, dstBpp;
  bool sameBitmap;  // an overlapping copy within one bitmap
  int dx, dy, w, h, sx, sy;
  Clip clip;
};

constexpr int kSrcW = 37, kSrcH = 23, kDstW = 41, kDstH = 29;

// The destination's raw pixels before and after one blit from fixed random pixels.
std::pair<std::vector<uint32_t>, std::vector<uint32_t>> BlitOnce(const RowBlitCase& c, DWORD rop) {
  std::mt19937 rng(99);
  const std::vector<RGBQUAD> blackWhite{{0, 0, 0, 0}, {255, 255, 255, 0}};
  MemDC src(kSrcW, kSrcH, c.srcBpp, c.srcBpp == 1 ? blackWhite : std::vector<RGBQUAD>{}),
      dst(kDstW, kDstH, c.dstBpp);
  for (const MemDC* m : {&src, &dst})
    for (int y = 0; y < m->obj().height; ++y)
      for (int x = 0; x < m->obj().width; ++x) m->setRaw(x, y, rng() & (m->obj().bpp == 32 ? ~0u : 0xFFFFFFu));
  auto pixels = [&] {
    std::vector<uint32_t> out;
    for (int y = 0; y < kDstH; ++y)
      for (int x = 0; x < kDstW; ++x) out.push_back(dst.raw(x, y));
    return out;
  };
  const std::vector<uint32_t> before = pixels();
  HRGN a = CreateRectRgn(0, 0, 12, 9), b = CreateRectRgn(7, 14, 40, 27);
  CombineRgn(a, a, b, RGN_OR);
  if (c.clip == Clip::TwoRects) SelectClipRgn(dst.dc, a);
  if (c.clip == Clip::Origin) SetViewportOrgEx(dst.dc, -4, 3, nullptr);
  if (c.clip == Clip::Rect || c.clip == Clip::Origin) IntersectClipRect(dst.dc, 3, 2, 30, 20);
  DeleteObject(a);
  DeleteObject(b);
  SelectObject(dst.dc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(BitBlt(dst.dc, c.dx, c.dy, c.w, c.h, c.sameBitmap ? dst.dc : src.dc, c.sx, c.sy, rop));
  return {before, pixels()};
}

class BlitRows : public ::testing::TestWithParam<RowBlitCase> {};

TEST_P(BlitRows, SamePixelsAsThePixelByPixelEngine) {
  const auto [before, rows] = BlitOnce(GetParam(), SRCCOPY);
  const auto pixels = BlitOnce(GetParam(), 0x003C0000).second;
  EXPECT_NE(rows, before) << "nothing painted: the comparison would prove nothing";
  for (size_t i = 0; i < rows.size(); ++i)
    ASSERT_EQ(rows[i], pixels[i]) << "at " << i % kDstW << "," << i / kDstW;
}

INSTANTIATE_TEST_SUITE_P(DepthsClipsAndEdges, BlitRows,
                         ::testing::Values(RowBlitCase{24, 32, false, 0, 0, kSrcW, kSrcH, 0, 0, Clip::None},
                                           RowBlitCase{32, 24, false, 0, 0, kSrcW, kSrcH, 0, 0, Clip::None},
                                           RowBlitCase{32, 32, false, 5, 3, 20, 15, 7, 2, Clip::None},
                                           RowBlitCase{24, 24, false, 5, 3, 20, 15, 7, 2, Clip::None},
                                           RowBlitCase{24, 32, false, 40, 28, 1, 1, 36, 22, Clip::None},
                                           RowBlitCase{24, 32, false, -6, -4, 60, 40, 0, 0, Clip::None},
                                           RowBlitCase{32, 24, false, 30, 20, 30, 30, 0, 0, Clip::None},
                                           RowBlitCase{24, 32, false, 2, 2, 35, 25, -5, -3, Clip::Rect},
                                           RowBlitCase{32, 24, false, 2, 2, 35, 25, 20, 12, Clip::TwoRects},
                                           RowBlitCase{24, 32, false, 1, 1, 39, 27, -1, -2, Clip::TwoRects},
                                           RowBlitCase{32, 24, false, 0, 0, 37, 23, 3, 1, Clip::Origin},
                                           RowBlitCase{32, 32, true, 3, 2, 30, 20, 0, 0, Clip::TwoRects},
                                           RowBlitCase{24, 24, true, 0, 0, 30, 20, 4, 3, Clip::Rect}));

// Between palette bitmaps of one depth whose colour tables differ, a copy carries colours, not
// indices: each pixel takes the destination's index of its colour.
TEST(BlitPalettes, OneDepthDifferentTablesTranslatesColours) {
  for (int bpp : {4, 8}) {
    const RGBQUAD red{0, 0, 255, 0}, green{0, 255, 0, 0}, blue{255, 0, 0, 0}, black{0, 0, 0, 0};
    MemDC src(4, 1, bpp, {black, red, green, blue}), dst(4, 1, bpp, {blue, green, red, black});
    for (int x = 0; x < 4; ++x) src.setRaw(x, 0, uint32_t(x));
    ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.px(x, 0), src.px(x, 0)) << bpp << " bpp, pixel " << x;
    EXPECT_EQ(dst.raw(1, 0), 2u) << "red is the destination's third colour";
  }
}

}  // namespace
}  // namespace win::gdi::testing

namespace win::gdi::testing {
namespace {

// Unstretched operations without a pattern onto 32 or 24 bpp work on whole converted source rows
// (an image list's mask and cut go that way, also onto the 24-bit work bitmaps); each must leave the pixels of the pixel engine, reached
// by the same operation with "or the pattern" added and a black brush.
struct RowRopCase {
  DWORD rop, withPattern;
  const char* name;
};

class BlitRowRops : public ::testing::TestWithParam<RowBlitCase> {};

TEST_P(BlitRowRops, SamePixelsAsThePixelByPixelEngine) {
  const RowRopCase rops[] = {{SRCAND, 0x00F80000, "and"},
                             {SRCPAINT, 0x00FE0000, "or"},
                             {SRCINVERT, 0x00F60000, "xor"},
                             {NOTSRCCOPY, 0x00F30000, "not source"},
                             {MERGEPAINT, 0x00FB0000, "not source or"}};
  for (const RowRopCase& r : rops) {
    const auto [before, rows] = BlitOnce(GetParam(), r.rop);
    const auto pixels = BlitOnce(GetParam(), r.withPattern).second;
    EXPECT_NE(rows, before) << r.name << ": nothing painted, the comparison would prove nothing";
    for (size_t i = 0; i < rows.size(); ++i)
      ASSERT_EQ(rows[i], pixels[i]) << r.name << " at " << i % kDstW << "," << i / kDstW;
  }
}

INSTANTIATE_TEST_SUITE_P(MonoAndColourSourcesClipsAndEdges, BlitRowRops,
                         ::testing::Values(RowBlitCase{1, 32, false, 0, 0, kSrcW, kSrcH, 0, 0, Clip::None},
                                           RowBlitCase{1, 32, false, 5, 3, 20, 15, 7, 2, Clip::TwoRects},
                                           RowBlitCase{1, 32, false, 2, 2, 35, 25, -5, -3, Clip::Rect},
                                           RowBlitCase{32, 32, false, 5, 3, 20, 15, 7, 2, Clip::None},
                                           RowBlitCase{32, 32, false, -6, -4, 60, 40, 0, 0, Clip::Origin},
                                           RowBlitCase{24, 32, false, 1, 1, 39, 27, -1, -2, Clip::TwoRects},
                                           RowBlitCase{32, 32, true, 3, 2, 30, 20, 0, 0, Clip::TwoRects},
                                           RowBlitCase{1, 24, false, 2, 2, 35, 25, 20, 12, Clip::Rect},
                                           RowBlitCase{1, 24, false, 5, 3, 20, 15, 7, 2, Clip::TwoRects},
                                           RowBlitCase{32, 24, false, -6, -4, 60, 40, 0, 0, Clip::Origin},
                                           RowBlitCase{32, 24, false, 2, 2, 35, 25, -5, -3, Clip::Rect},
                                           RowBlitCase{24, 24, false, 5, 3, 20, 15, 7, 2, Clip::None},
                                           RowBlitCase{24, 24, true, 0, 0, 30, 20, 4, 3, Clip::TwoRects}));

}  // namespace
}  // namespace win::gdi::testing
