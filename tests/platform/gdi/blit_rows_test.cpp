// Unstretched SRCCOPY blits take whole-row copies; they must leave exactly the pixels the
// pixel-by-pixel engine leaves. That engine is reached with P xor S and a black brush (pattern
// 0), which computes the same source values one pixel at a time.

#include <gtest/gtest.h>

#include <random>

#include "bitmap_test_support.h"
#include "platform/gdi/Gdi.h"

namespace win::gdi::testing {
namespace {

constexpr DWORD kSourceXorBlackPattern = 0x003C0000;

enum class Clip { None, Rect, TwoRects, Origin };

struct RowBlitCase {
  const char* name;
  int srcBpp, dstBpp;
  bool sameBitmap;  // source and destination are one bitmap (overlapping copy)
  int dx, dy, w, h, sx, sy;
  Clip clip;
};

constexpr int kSrcW = 37, kSrcH = 23, kDstW = 41, kDstH = 29;

void Randomise(const MemDC& dc, int w, int h, int bpp, std::mt19937& rng) {
  const uint32_t mask = bpp == 32 ? 0xFFFFFFFFu : 0xFFFFFFu;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) dc.setRaw(x, y, rng() & mask);
}

void ApplyClip(HDC dc, Clip clip) {
  switch (clip) {
    case Clip::None:
      break;
    case Clip::Rect:
      IntersectClipRect(dc, 3, 2, 30, 20);
      break;
    case Clip::TwoRects: {
      HRGN a = CreateRectRgn(0, 0, 12, 9), b = CreateRectRgn(7, 14, 40, 27);
      CombineRgn(a, a, b, RGN_OR);
      SelectClipRgn(dc, a);
      DeleteObject(a);
      DeleteObject(b);
      break;
    }
    case Clip::Origin:
      SetViewportOrgEx(dc, -4, 3, nullptr);
      IntersectClipRect(dc, 5, 0, 33, 18);
      break;
  }
}

// Blits one way into a fresh destination (the same random pixels each time) and returns the
// destination's raw pixels.
std::vector<uint32_t> BlitOnce(const RowBlitCase& c, DWORD rop) {
  std::mt19937 rng(99);
  MemDC src(kSrcW, kSrcH, c.srcBpp), dst(kDstW, kDstH, c.dstBpp);
  Randomise(src, kSrcW, kSrcH, c.srcBpp, rng);
  Randomise(dst, kDstW, kDstH, c.dstBpp, rng);
  ApplyClip(dst.dc, c.clip);
  HGDIOBJ old = SelectObject(dst.dc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(BitBlt(dst.dc, c.dx, c.dy, c.w, c.h, c.sameBitmap ? dst.dc : src.dc, c.sx, c.sy, rop));
  SelectObject(dst.dc, old);
  std::vector<uint32_t> out;
  for (int y = 0; y < kDstH; ++y)
    for (int x = 0; x < kDstW; ++x) out.push_back(dst.raw(x, y));
  return out;
}

class BlitRows : public ::testing::TestWithParam<RowBlitCase> {};

TEST_P(BlitRows, SamePixelsAsThePixelByPixelEngine) {
  const RowBlitCase c = GetParam();
  const std::vector<uint32_t> rows = BlitOnce(c, SRCCOPY), pixels = BlitOnce(c, kSourceXorBlackPattern);
  ASSERT_EQ(rows.size(), pixels.size());
  int differing = 0, first = -1;
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i] != pixels[i]) {
      if (first < 0) first = int(i);
      ++differing;
    }
  EXPECT_EQ(differing, 0) << "first at " << first % kDstW << "," << first / kDstW;
  // The blit must have painted something, or the comparison proves nothing.
  std::mt19937 rng(99);
  MemDC untouched(kDstW, kDstH, c.dstBpp), skip(kSrcW, kSrcH, c.srcBpp);
  Randomise(skip, kSrcW, kSrcH, c.srcBpp, rng);
  Randomise(untouched, kDstW, kDstH, c.dstBpp, rng);
  int changed = 0;
  for (int y = 0; y < kDstH; ++y)
    for (int x = 0; x < kDstW; ++x) changed += untouched.raw(x, y) != rows[size_t(y * kDstW + x)];
  EXPECT_GT(changed, 0);
}

INSTANTIATE_TEST_SUITE_P(
    DepthsClipsAndEdges, BlitRows,
    ::testing::Values(
        RowBlitCase{"Whole24To32", 24, 32, false, 0, 0, kSrcW, kSrcH, 0, 0, Clip::None},
        RowBlitCase{"Whole32To24", 32, 24, false, 0, 0, kSrcW, kSrcH, 0, 0, Clip::None},
        RowBlitCase{"Whole32To32", 32, 32, false, 0, 0, kSrcW, kSrcH, 0, 0, Clip::None},
        RowBlitCase{"Whole24To24", 24, 24, false, 0, 0, kSrcW, kSrcH, 0, 0, Clip::None},
        RowBlitCase{"OnePixel24To32", 24, 32, false, 40, 28, 1, 1, 36, 22, Clip::None},
        RowBlitCase{"Offset24To32", 24, 32, false, 5, 3, 20, 15, 7, 2, Clip::None},
        RowBlitCase{"Offset32To24", 32, 24, false, 5, 3, 20, 15, 7, 2, Clip::None},
        RowBlitCase{"PastDestinationEdges24To32", 24, 32, false, -6, -4, 60, 40, 0, 0, Clip::None},
        RowBlitCase{"PastDestinationEdges32To24", 32, 24, false, 30, 20, 30, 30, 0, 0, Clip::None},
        RowBlitCase{"PastSourceEdges24To32", 24, 32, false, 2, 2, 35, 25, -5, -3, Clip::None},
        RowBlitCase{"PastSourceEdges32To24", 32, 24, false, 2, 2, 35, 25, 20, 12, Clip::None},
        RowBlitCase{"RectClip24To32", 24, 32, false, -2, -1, 45, 30, 0, 0, Clip::Rect},
        RowBlitCase{"RectClip32To24", 32, 24, false, -2, -1, 45, 30, 0, 0, Clip::Rect},
        RowBlitCase{"TwoRects24To32", 24, 32, false, 1, 1, 39, 27, -1, -2, Clip::TwoRects},
        RowBlitCase{"TwoRects32To24", 32, 24, false, 1, 1, 39, 27, -1, -2, Clip::TwoRects},
        RowBlitCase{"ViewportOrigin24To32", 24, 32, false, 0, 0, 37, 23, 3, 1, Clip::Origin},
        RowBlitCase{"ViewportOrigin32To24", 32, 24, false, 0, 0, 37, 23, 3, 1, Clip::Origin},
        RowBlitCase{"Overlap32", 32, 32, true, 3, 2, 30, 20, 0, 0, Clip::TwoRects},
        RowBlitCase{"Overlap24", 24, 24, true, 0, 0, 30, 20, 4, 3, Clip::Rect}),
    [](const ::testing::TestParamInfo<RowBlitCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace win::gdi::testing
