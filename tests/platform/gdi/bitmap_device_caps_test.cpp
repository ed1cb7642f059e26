#include <gtest/gtest.h>

#include "bitmap_test_support.h"
#include "platform/gdi/Gdi.h"

namespace win::gdi::testing {
namespace {

struct DisplayDepth {
  explicit DisplayDepth(int bpp) { SetDisplayBitsPerPixelForTesting(bpp); }
  ~DisplayDepth() { SetDisplayBitsPerPixelForTesting(0); }
};

TEST(BitmapDeviceCaps, ScreenAndMemoryDCsReportTheirDepthAndFixedValues) {
  BitmapGuard keep;
  HBITMAP surface = keep(MakeDib(10, 10, 32));
  TestDC screen(surface, DCKind::Window);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(screen, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), -1);
  EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_NE(GetDeviceCaps(screen, RASTERCAPS) & RC_STRETCHBLT, 0);
  SetScreenSize(1280, 1024);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1280);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 1024);
  SetScreenSize(0, 5);  // ignored
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1280);

  TestDC fresh(DefaultDCBitmap());
  EXPECT_EQ(GetDeviceCaps(fresh, BITSPIXEL), 1);
  TestDC mem24(keep(MakeDib(2, 2, 24)));
  EXPECT_EQ(GetDeviceCaps(mem24, BITSPIXEL), 24);
  EXPECT_EQ(GetDeviceCaps(reinterpret_cast<HDC>(0x3131), BITSPIXEL), 0);

  {
    DisplayDepth low(16);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 16);
    EXPECT_EQ(GetDisplayBitsPerPixel(), 16) << "the depth asked without a DC is the screen DC's";
    EXPECT_EQ(GetDeviceCaps(mem24, BITSPIXEL), 24);  // memory DCs follow their bitmap
    EXPECT_EQ(GetNearestColor(screen, RGB(0x13, 0x57, 0x9B)), RGB(0x10, 0x55, 0x9C));
    // Bitmaps compatible with the screen take its depth, and memory DCs holding them report it.
    HBITMAP compatible = keep(CreateCompatibleBitmap(screen, 4, 4));
    EXPECT_EQ(Bmp(compatible).bpp, 16);
    EXPECT_EQ(Bmp(compatible).greenMask, 0x07E0u);
    TestDC mem16(compatible);
    EXPECT_EQ(GetDeviceCaps(mem16, BITSPIXEL) * GetDeviceCaps(mem16, PLANES), 16);
    EXPECT_EQ(GetNearestColor(mem16, RGB(0x13, 0x57, 0x9B)), RGB(0x10, 0x55, 0x9C));
  }
  {
    DisplayDepth palette(8);
    EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), 256);
    EXPECT_NE(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    HBITMAP compatible = keep(CreateCompatibleBitmap(screen, 2, 2));
    EXPECT_EQ(Bmp(compatible).bpp, 8);
    EXPECT_EQ(Bmp(compatible).colorTable.size(), 256u);
  }
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(GetDisplayBitsPerPixel(), 32);
}

TEST(BitmapDeviceCaps, NearestColourIsWhatTheTargetCanHold) {
  BitmapGuard keep;
  TestDC screen(keep(MakeDib(1, 1, 32)), DCKind::Window);
  EXPECT_EQ(GetNearestColor(screen, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetNearestColor(screen, 0x02000000 | RGB(9, 8, 7)), RGB(9, 8, 7));
  TestDC mono(DefaultDCBitmap());
  EXPECT_EQ(GetNearestColor(mono, RGB(200, 190, 180)), RGB(255, 255, 255));
  EXPECT_EQ(GetNearestColor(mono, RGB(60, 50, 40)), RGB(0, 0, 0));
  TestDC pal(keep(MakeDib(1, 1, 8, {{0, 0, 0, 0}, {0, 0, 250, 0}, {250, 0, 0, 0}})));
  EXPECT_EQ(GetNearestColor(pal, RGB(200, 30, 30)), RGB(250, 0, 0));
  TestDC rgb555(keep(MakeDib(1, 1, 16)));
  EXPECT_EQ(GetNearestColor(rgb555, RGB(0xFF, 0x07, 0x08)), RGB(0xFF, 0x00, 0x08));
  EXPECT_EQ(GetNearestColor(reinterpret_cast<HDC>(0x3131), 0), CLR_INVALID);
}

}  // namespace
}  // namespace win::gdi::testing
