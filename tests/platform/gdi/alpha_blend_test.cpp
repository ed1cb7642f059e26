#include <gtest/gtest.h>

#include <cmath>

#include "bitmap_test_support.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/Modules.h"

namespace win::gdi::testing {
namespace {

BLENDFUNCTION Blend(BYTE constant, BYTE format) {
  BLENDFUNCTION f;
  f.SourceConstantAlpha = constant;
  f.AlphaFormat = format;
  return f;
}

uint32_t Channel(uint32_t v, int i) {
  return (v >> (8 * i)) & 0xFF;
}

TEST(AlphaBlend, ConstantAlphaMixesEveryChannel) {
  const uint32_t src[] = {0x80C86432, 0x00FFFFFF, 0xFF000000, 0x12345678};
  const uint32_t dst[] = {0x40646464, 0xFF000000, 0x00FFFFFF, 0x9ABCDEF0};
  for (BYTE sca : {BYTE(0), BYTE(1), BYTE(77), BYTE(128), BYTE(254), BYTE(255)}) {
    MemDC s(4, 1), d(4, 1);
    for (int x = 0; x < 4; ++x) s.setRaw(x, 0, src[x]), d.setRaw(x, 0, dst[x]);
    ASSERT_TRUE(AlphaBlend(d.dc, 0, 0, 4, 1, s.dc, 0, 0, 4, 1, Blend(sca, 0)));
    for (int x = 0; x < 4; ++x)
      for (int i = 0; i < 4; ++i) {
        const double want = (Channel(src[x], i) * sca + Channel(dst[x], i) * (255.0 - sca)) / 255.0;
        EXPECT_EQ(Channel(d.raw(x, 0), i), uint32_t(std::lround(want))) << int(sca) << " x" << x << " c" << i;
      }
  }
}

TEST(AlphaBlend, PerPixelAlphaComposesPremultipliedSourcesOver) {
  MemDC s(4, 1), d(4, 1);
  s.setRaw(0, 0, 0x80643200);  // alpha 128, premultiplied red 100, green 50, blue 0
  s.setRaw(1, 0, 0x00000000);  // fully transparent
  s.setRaw(2, 0, 0xFF102030);  // opaque
  s.setRaw(3, 0, 0x40404040);
  for (int x = 0; x < 4; ++x) d.setRaw(x, 0, 0x50C8C8C8);
  ASSERT_TRUE(AlphaBlend(d.dc, 0, 0, 4, 1, s.dc, 0, 0, 4, 1, Blend(255, AC_SRC_ALPHA)));
  // 200 * (255 - 128) / 255 = 99.6 -> 100; 80 * 127 / 255 = 39.8 -> 40.
  EXPECT_EQ(d.raw(0, 0), uint32_t((128 + 40) << 24 | 200 << 16 | 150 << 8 | 100));
  EXPECT_EQ(d.raw(1, 0), 0x50C8C8C8u);
  EXPECT_EQ(d.raw(2, 0), 0xFF102030u);
  // 200 * 191 / 255 = 149.8 -> 150 (+64); 80 * 191 / 255 = 59.9 -> 60 (+64).
  EXPECT_EQ(d.raw(3, 0), uint32_t((64 + 60) << 24 | (64 + 150) << 16 | (64 + 150) << 8 | (64 + 150)));

  // With a constant alpha as well, the source is scaled first: 100 * 128 / 255 = 50.2 -> 50,
  // alpha 128 * 128 / 255 = 64.25 -> 64, then 200 * 191 / 255 -> 150.
  MemDC d2(1, 1);
  d2.setRaw(0, 0, 0x00C8C8C8);
  ASSERT_TRUE(AlphaBlend(d2.dc, 0, 0, 1, 1, s.dc, 0, 0, 1, 1, Blend(128, AC_SRC_ALPHA)));
  EXPECT_EQ(d2.raw(0, 0), uint32_t(64 << 24 | (50 + 150) << 16 | (25 + 150) << 8 | 150));
}

TEST(AlphaBlend, StretchesNearestAndBlendsOntoOtherDepths) {
  MemDC s(2, 1), d(4, 2, 24);
  s.setRaw(0, 0, 0xFF0000FF);
  s.setRaw(1, 0, 0xFFFF0000);
  ASSERT_TRUE(AlphaBlend(d.dc, 0, 0, 4, 2, s.dc, 0, 0, 2, 1, Blend(255, AC_SRC_ALPHA)));
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(d.raw(0, y), 0x0000FFu);
    EXPECT_EQ(d.raw(1, y), 0x0000FFu);
    EXPECT_EQ(d.raw(2, y), 0xFF0000u);
    EXPECT_EQ(d.raw(3, y), 0xFF0000u);
  }
  MemDC half(1, 1, 16);
  ASSERT_TRUE(AlphaBlend(half.dc, 0, 0, 1, 1, s.dc, 1, 0, 1, 1, Blend(128, 0)));
  EXPECT_EQ(ReadPixel(*FindBitmap(half.bmp), 0, 0), RGB(132, 0, 0));  // 128 in 5 bits, widened
}

TEST(AlphaBlend, RefusesBadParametersAndSourcesOutsideTheBitmap) {
  MemDC s(2, 2), d(2, 2);
  d.setRaw(0, 0, 0x11223344);
  EXPECT_FALSE(AlphaBlend(d.dc, 0, 0, 2, 2, s.dc, 1, 0, 2, 2, Blend(255, 0)));
  EXPECT_FALSE(AlphaBlend(d.dc, 0, 0, 2, 2, s.dc, -1, 0, 2, 2, Blend(255, 0)));
  EXPECT_FALSE(AlphaBlend(d.dc, 0, 0, -2, 2, s.dc, 0, 0, 2, 2, Blend(255, 0)));
  EXPECT_FALSE(AlphaBlend(d.dc, 0, 0, 2, 2, s.dc, 0, 0, 2, 2, Blend(255, 2)));
  BLENDFUNCTION op = Blend(255, 0);
  op.BlendOp = 1;
  EXPECT_FALSE(AlphaBlend(d.dc, 0, 0, 2, 2, s.dc, 0, 0, 2, 2, op));
  EXPECT_FALSE(AlphaBlend(d.dc, 0, 0, 2, 2, reinterpret_cast<HDC>(0x5151), 0, 0, 2, 2, Blend(255, 0)));
  EXPECT_EQ(d.raw(0, 0), 0x11223344u);
}

TEST(AlphaBlend, ImagingFunctionsAreOptionalEntryPoints) {
  RegisterImagingEntryPoints();
  HMODULE lib = LoadLibraryW(u"msimg32.dll");
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(lib, "AlphaBlend")), reinterpret_cast<void*>(&AlphaBlend));
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(lib, "GradientFill")),
            reinterpret_cast<void*>(&GradientFill));
  FreeLibrary(lib);
}

}  // namespace
}  // namespace win::gdi::testing
