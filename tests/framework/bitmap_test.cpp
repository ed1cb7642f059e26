#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Streams.h"
#include "framework/stream_TempFolder.h"
#include "graphics_test_support.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiPaintObjects.h"

namespace fw {
namespace {

int DibDepth(TBitmap& bmp) {
  win::DIBSECTION ds;
  if (win::GetObjectW(bmp.Handle(), sizeof ds, &ds) != int(sizeof ds)) return 0;
  return ds.dsBm.bmBitsPixel;
}

TEST(Bitmap, NewBitmapIsEmptyAndSizingMakesAWhiteImage) {
  TBitmap bmp;
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(bmp.Handle(), nullptr);
  EXPECT_EQ(bmp.PixelFormat(), pfDevice);
  EXPECT_EQ(bmp.HandleType(), bmDDB);
  bmp.SetSize(5, 3);
  EXPECT_FALSE(bmp.Empty());
  EXPECT_EQ(bmp.Canvas()->Pixels(4, 2), clWhite);
  bmp.Canvas()->Pixels(0, 0);
  bmp.Canvas()->SetPixels(1, 1, clRed);
  bmp.SetSize(8, 8);
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 1), clRed) << "the old part is kept";
  EXPECT_EQ(bmp.Canvas()->Pixels(7, 7), clWhite);
  bmp.SetWidth(-4);
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(bmp.Width(), 0);
}

TEST(Bitmap, AbsurdSizesFailCleanly) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  EXPECT_THROW(bmp.SetSize(1 << 30, 1 << 30), EOutOfResources);
  EXPECT_TRUE(bmp.Empty());
}

// Each format: the depth of the DIB and a pixel value written through ScanLine as raw bytes,
// with the colour it stands for.
struct ScanLineCase {
  TPixelFormat format;
  int bpp;
  std::vector<uint8_t> bytes;  // at x = 1
  TColor color;
};

class BitmapScanLines : public ::testing::TestWithParam<ScanLineCase> {};

TEST_P(BitmapScanLines, RowsAreTopDownAndPixelsReadBackThroughCanvasAndDIBits) {
  const ScanLineCase& c = GetParam();
  TBitmap bmp;
  bmp.SetPixelFormat(c.format);
  bmp.SetSize(9, 4);
  EXPECT_EQ(bmp.PixelFormat(), c.format);
  EXPECT_EQ(bmp.HandleType(), bmDIB);
  ASSERT_EQ(DibDepth(bmp), c.bpp);
  const Integer stride = bmp.ScanLineSize();
  EXPECT_EQ(stride, ((9 * c.bpp + 31) / 32) * 4);
  auto* row0 = static_cast<uint8_t*>(bmp.ScanLine(0));
  auto* row2 = static_cast<uint8_t*>(bmp.ScanLine(2));
  EXPECT_EQ(row2 - row0, 2 * stride) << "consecutive rows are +stride apart";
  // Pixel x = 1 of row 2.
  if (c.bpp >= 8) {
    std::memcpy(row2 + (c.bpp / 8), c.bytes.data(), c.bytes.size());
  } else if (c.bpp == 4) {
    row2[0] = uint8_t((row2[0] & 0xF0) | c.bytes[0]);
  } else {
    row2[0] = uint8_t((row2[0] & ~0x40) | (c.bytes[0] << 6));
  }
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 2), c.color);
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 1), clWhite);
  const auto px = kvtest::PixelsByDIBits(bmp);
  ASSERT_FALSE(px.empty());
  const uint32_t rgb = px[2 * 9 + 1];
  EXPECT_EQ(win::RGB(rgb >> 16, rgb >> 8, rgb), win::COLORREF(c.color));
  // Drawing through the canvas shows in the scan line after it.
  bmp.Canvas()->SetPixels(0, 3, clBlack);
  auto* row3 = static_cast<uint8_t*>(bmp.ScanLine(3));
  EXPECT_EQ(row3[0] & (c.bpp == 1 ? 0x80 : c.bpp == 4 ? 0xF0 : 0xFF), 0);
  EXPECT_THROW(bmp.ScanLine(4), EInvalidGraphicOperation);
  EXPECT_THROW(bmp.ScanLine(-1), EInvalidGraphicOperation);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, BitmapScanLines,
    ::testing::Values(ScanLineCase{pf1bit, 1, {0}, clBlack}, ScanLineCase{pf4bit, 4, {9}, clRed},
                      ScanLineCase{pf8bit, 8, {12}, clBlue},
                      ScanLineCase{pf15bit, 16, {0x00, 0x7C}, clRed},   // 0 11111 00000 00000
                      ScanLineCase{pf16bit, 16, {0xE0, 0x07}, clLime},  // 00000 111111 00000
                      ScanLineCase{pf24bit, 24, {0x56, 0x34, 0x12}, TColor(0x563412)},
                      ScanLineCase{pf32bit, 32, {0x56, 0x34, 0x12, 0}, TColor(0x563412)}));

TEST(Bitmap, DeviceBitmapsBecomeDIBsForScanLines) {
  TBitmap bmp;
  bmp.SetSize(3, 3);
  EXPECT_EQ(bmp.HandleType(), bmDDB);
  bmp.Canvas()->SetPixels(2, 2, clRed);
  auto* row = static_cast<uint8_t*>(bmp.ScanLine(2));
  EXPECT_EQ(bmp.HandleType(), bmDIB);
  EXPECT_EQ(bmp.PixelFormat(), pf32bit);
  EXPECT_EQ(row[8], 0x00);
  EXPECT_EQ(row[10], 0xFF) << "blue, green, red order";
}

TEST(Bitmap, ChangingTheFormatConvertsThePixels) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(4, 1);
  const TColor colours[4] = {clRed, clBlue, clWhite, clBlack};  // exact at every depth
  for (int x = 0; x < 4; ++x) bmp.Canvas()->SetPixels(x, 0, colours[x]);
  for (TPixelFormat f : {pf8bit, pf4bit, pf15bit, pf16bit, pf32bit, pfDevice, pf24bit}) {
    bmp.SetPixelFormat(f);
    EXPECT_EQ(bmp.PixelFormat(), f);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bmp.Canvas()->Pixels(x, 0), colours[x]) << f << " x " << x;
  }
  bmp.SetPixelFormat(pf1bit);
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 0), clWhite);
  EXPECT_EQ(bmp.Canvas()->Pixels(3, 0), clBlack);
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 0), clBlack) << "blue is nearer black than white";
  EXPECT_THROW(bmp.SetPixelFormat(pfCustom), EInvalidGraphic);
}

TEST(Bitmap, ColourQuantisationOfLowDepths) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(1, 1);
  bmp.Canvas()->SetPixels(0, 0, TColor(0x00CDCDCD));  // 205: five bits keep 200
  bmp.SetPixelFormat(pf15bit);
  const TColor c = bmp.Canvas()->Pixels(0, 0);
  EXPECT_NE(c, TColor(0x00CDCDCD)) << "three bits per channel are lost";
  EXPECT_EQ(c & 0xF8F8F8, 0xC8C8C8) << "the five kept bits are exact";
  bmp.SetPixelFormat(pf4bit);
  EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clSilver) << "the nearest of the 16 colours";
}

TEST(Bitmap, ColourTablesOfIndexedBitmaps) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf8bit);
  bmp.SetSize(2, 1);
  auto table = bmp.ColorTable();
  ASSERT_EQ(table.size(), 256u);
  static_cast<uint8_t*>(bmp.ScanLine(0))[1] = 200;
  table[200] = win::RGBQUAD{0x11, 0x22, 0x33, 0};
  bmp.SetColorTable(table);
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 0), 0x112233) << "indexes stay, the colour changes";
  EXPECT_EQ(static_cast<uint8_t*>(bmp.ScanLine(0))[1], 200);
  bmp.SetPixelFormat(pf24bit);
  EXPECT_TRUE(bmp.ColorTable().empty());
  EXPECT_THROW(bmp.SetColorTable(table), EInvalidGraphicOperation);
}

TEST(Bitmap, MonochromeBitmaps) {
  TBitmap bmp;
  bmp.SetSize(4, 4);
  bmp.Canvas()->Brush()->SetColor(clBlack);
  bmp.Canvas()->FillRect(Rect(0, 0, 2, 4));
  bmp.SetMonochrome(true);
  EXPECT_TRUE(bmp.Monochrome());
  EXPECT_EQ(bmp.PixelFormat(), pf1bit);
  EXPECT_EQ(bmp.HandleType(), bmDDB);
  win::BITMAP bm;
  ASSERT_GT(win::GetObjectW(bmp.Handle(), sizeof bm, &bm), 0);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(bmp.Canvas()->Pixels(3, 0), clWhite);
  bmp.SetMonochrome(false);
  EXPECT_FALSE(bmp.Monochrome());
  EXPECT_EQ(bmp.Canvas()->Pixels(3, 3), clWhite);
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(3, 3);
  bmp.Canvas()->SetPixels(0, 2, clFuchsia);
  EXPECT_EQ(bmp.TransparentMode(), tmAuto);
  EXPECT_EQ(bmp.TransparentColor(), clFuchsia);
  bmp.SetTransparentColor(clLime);
  EXPECT_EQ(bmp.TransparentMode(), tmFixed);
  EXPECT_EQ(bmp.TransparentColor(), clLime);
  bmp.SetTransparentMode(tmAuto);
  EXPECT_EQ(bmp.TransparentColor(), clFuchsia);
}

TEST(Bitmap, TransparentDrawingLeavesTheKeyColourOut) {
  TBitmap image;
  image.SetPixelFormat(pf24bit);
  image.SetSize(4, 4);
  image.Canvas()->Brush()->SetColor(clFuchsia);
  image.Canvas()->FillRect(Rect(0, 0, 4, 4));
  image.Canvas()->Brush()->SetColor(clBlue);
  image.Canvas()->FillRect(Rect(1, 1, 3, 3));
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(10, 10);
  target.Canvas()->Brush()->SetColor(clYellow);
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));

  target.Canvas()->Draw(0, 0, &image);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), clFuchsia) << "opaque by default";
  image.SetTransparent(true);
  target.Canvas()->Draw(5, 5, &image);
  EXPECT_EQ(target.Canvas()->Pixels(5, 5), clYellow);
  EXPECT_EQ(target.Canvas()->Pixels(8, 8), clYellow);
  EXPECT_EQ(target.Canvas()->Pixels(6, 6), clBlue);
  EXPECT_EQ(target.Canvas()->Pixels(7, 7), clBlue);
  // Stretched: twice the size, the blue square covers 2..5.
  target.Canvas()->Brush()->SetColor(clYellow);
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));
  target.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &image);
  EXPECT_EQ(target.Canvas()->Pixels(1, 1), clYellow);
  EXPECT_EQ(target.Canvas()->Pixels(2, 2), clBlue);
  EXPECT_EQ(target.Canvas()->Pixels(5, 5), clBlue);
  EXPECT_EQ(target.Canvas()->Pixels(6, 6), clYellow);
  // The mask follows changes of the image.
  image.Canvas()->SetPixels(0, 0, clGreen);
  target.Canvas()->Draw(0, 0, &image);
  EXPECT_EQ(target.Canvas()->Pixels(0, 0), clGreen);
}

TEST(Bitmap, AssignCopiesPixelsFormatAndTransparency) {
  TBitmap a;
  a.SetPixelFormat(pf8bit);
  a.SetSize(3, 2);
  a.Canvas()->SetPixels(2, 1, clRed);
  a.SetTransparentColor(clRed);
  a.SetTransparent(true);
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(&a);
  EXPECT_GE(changes, 1);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.PixelFormat(), pf8bit);
  EXPECT_EQ(b.ColorTable().size(), 256u);
  EXPECT_EQ(b.Canvas()->Pixels(2, 1), clRed);
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.TransparentColor(), clRed);
  b.Canvas()->SetPixels(0, 0, clBlue);
  EXPECT_EQ(a.Canvas()->Pixels(0, 0), clWhite) << "a copy, not a shared image";
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, StreamsAndDormantImagesKeepThePixels) {
  TBitmap a;
  a.SetPixelFormat(pf4bit);
  a.SetSize(5, 3);
  a.Canvas()->SetPixels(4, 0, clTeal);
  TMemoryStream stream;
  stream.WriteBuffer("xy", 2);
  a.SaveToStream(&stream);
  stream.WriteBuffer("tail", 4);
  stream.SetPosition(2);
  TBitmap b;
  b.LoadFromStream(&stream);
  EXPECT_EQ(stream.Position(), stream.Size() - 4) << "reading stops at the image's end";
  EXPECT_EQ(b.PixelFormat(), pf4bit);
  EXPECT_EQ(b.Canvas()->Pixels(4, 0), clTeal);

  b.Dormant();
  EXPECT_FALSE(b.HandleAllocated());
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Canvas()->Pixels(4, 0), clTeal);
  EXPECT_TRUE(b.HandleAllocated());

  TStringStream junk("BM not a bitmap at all");
  EXPECT_THROW(b.LoadFromStream(&junk), EInvalidGraphic);
  EXPECT_EQ(b.Canvas()->Pixels(4, 0), clTeal) << "a failed load keeps the image";
}

TEST(Bitmap, HandlesCanBeTakenAndGiven) {
  TBitmap a;
  a.SetPixelFormat(pf24bit);
  a.SetSize(2, 2);
  win::HBITMAP h = a.ReleaseHandle();
  EXPECT_TRUE(a.Empty());
  ASSERT_EQ(win::GetObjectType(h), win::OBJ_BITMAP);
  TBitmap b;
  b.SetHandle(h);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_THROW(b.SetHandle(reinterpret_cast<win::HBITMAP>(win::GetStockObject(win::BLACK_PEN))), EInvalidGraphic);
}

// BMP files of several depths, read by Pillow.
class BitmapFiles : public ::testing::TestWithParam<std::tuple<TPixelFormat, const char*>> {};

TEST_P(BitmapFiles, PillowReadsWhatWasSaved) {
  const auto [format, mode] = GetParam();
  kvtest::TempFolder folder;
  const std::string path = folder.File("image.bmp");
  TBitmap bmp;
  bmp.SetPixelFormat(format);
  bmp.SetSize(7, 5);
  bmp.Canvas()->SetPixels(6, 0, clRed);
  bmp.Canvas()->SetPixels(0, 4, clBlue);
  bmp.SaveToFile(path);
  const std::string out = kvtest::RunPython(
      "from PIL import Image\n"
      "im = Image.open(\"" + path + "\")\n"
      "print(im.format, im.mode, im.size, im.convert(\"RGB\").getpixel((6, 0)), "
      "im.convert(\"RGB\").getpixel((0, 4)), im.convert(\"RGB\").getpixel((3, 3)))");
  EXPECT_EQ(out, std::string("BMP ") + mode + " (7, 5) (255, 0, 0) (0, 0, 255) (255, 255, 255)");
  TBitmap back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.Canvas()->Pixels(6, 0), clRed);
  EXPECT_THROW(back.LoadFromFile(folder.File("missing.bmp")), EFOpenError);
  EXPECT_THROW(bmp.SaveToFile(folder.File("no/such/dir/x.bmp")), EFCreateError);
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapFiles,
                         ::testing::Values(std::make_tuple(pf4bit, "P"), std::make_tuple(pf8bit, "P"),
                                           std::make_tuple(pf24bit, "RGB"), std::make_tuple(pf32bit, "RGB")));

}  // namespace
}  // namespace fw
