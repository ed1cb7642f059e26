#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsIcon.h"
#include "framework/GraphicsPicture.h"
#include "framework/Streams.h"
#include "framework/stream_TempFolder.h"
#include "graphics_test_support.h"
#include "platform/kernel/Resources.h"

namespace fw {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kHalfGreen = 0x8000FF00, kClear = 0x00000000, kBlue = 0xFF0000FF;

// A 20 x 12 alpha icon: red, half-transparent green and a clear pixel on the top row, blue in
// the bottom-right corner, the rest opaque grey.
std::unique_ptr<TIcon> AlphaIcon() {
  std::vector<uint32_t> px(20 * 12, 0xFF808080);
  px[0] = kRed;
  px[1] = kHalfGreen;
  px[2] = kClear;
  px.back() = kBlue;
  auto icon = std::make_unique<TIcon>();
  icon->SetImage(20, 12, px, true, {});
  return icon;
}

// A 6 x 4 masked icon: yellow, with the pixel (3, 1) see-through.
std::unique_ptr<TIcon> MaskedIcon() {
  std::vector<uint32_t> px(6 * 4, 0x00FFFF00);
  std::vector<uint8_t> mask(px.size(), 0);
  mask[1 * 6 + 3] = 1;
  auto icon = std::make_unique<TIcon>();
  icon->SetImage(6, 4, px, false, mask);
  return icon;
}

std::string Pillow(const std::string& file, const std::string& body) {
  return kvtest::RunPython("from PIL import Image\nim = Image.open(\"" + file + "\")\n" + body);
}

TEST(Icon, PillowReadsAWrittenAlphaIconWithItsPixels) {
  kvtest::TempFolder folder;
  const std::string file = folder.File("alpha.ico");
  AlphaIcon()->SaveToFile(file);
  EXPECT_EQ(Pillow(file,
                   "print(im.size)\nim = im.convert(\"RGBA\")\n"
                   "print(im.getpixel((0, 0)), im.getpixel((1, 0)), im.getpixel((2, 0))[3], im.getpixel((19, 11)))"),
            "(20, 12)\n(255, 0, 0, 255) (0, 255, 0, 128) 0 (0, 0, 255, 255)");
}

TEST(Icon, PillowReadsAWrittenMaskedIconWithItsSeeThroughPixel) {
  kvtest::TempFolder folder;
  const std::string file = folder.File("masked.ico");
  TIcon icon;
  icon.Assign(MaskedIcon().get());
  EXPECT_FALSE(icon.HasAlpha());
  icon.SaveToFile(file);
  EXPECT_EQ(Pillow(file, "print(im.size)\nim = im.convert(\"RGBA\")\nprint(im.getpixel((0, 0)), im.getpixel((3, 1))[3])"),
            "(6, 4)\n(255, 255, 0, 255) 0");
}

TEST(Icon, ReadsBackWhatItWroteAndPicksTheImageNearestTo32FromPillowFiles) {
  kvtest::TempFolder folder;
  TMemoryStream stream;
  TIcon written;
  written.Assign(MaskedIcon().get());
  written.SaveToStream(&stream);
  stream.WriteBuffer("tail", 4);  // data after the icon stays unread
  stream.SetPosition(0);
  TIcon read;
  read.LoadFromStream(&stream);
  EXPECT_EQ(stream.Position(), stream.Size() - 4);
  EXPECT_EQ(read.Width(), 6);
  EXPECT_EQ(read.Height(), 4);
  EXPECT_FALSE(read.HasAlpha());
  EXPECT_EQ(read.Pixels(), written.Pixels());
  EXPECT_EQ(read.Mask(), written.Mask());

  const std::string file = folder.File("three.ico");
  ASSERT_EQ(kvtest::RunPython("from PIL import Image\nim = Image.new(\"RGBA\", (48, 48), (10, 20, 30, 255))\n"
                              "im.paste((0, 0, 0, 0), (0, 0, 24, 48))\n"
                              "im.save(\"" + file + "\", sizes=[(16, 16), (32, 32), (48, 48)], bitmap_format=\"bmp\")"),
            "");
  TIcon fromPillow;
  fromPillow.LoadFromFile(file);
  EXPECT_EQ(fromPillow.Width(), 32);
  EXPECT_TRUE(fromPillow.HasAlpha());
  const std::vector<uint32_t> px = fromPillow.Pixels();
  EXPECT_EQ(px[0] >> 24, 0u);
  EXPECT_EQ(px[31], 0xFF0A141Eu);
}

TEST(Icon, BadDataIsRefusedAndTheIconStaysAsItWas) {
  kvtest::TempFolder folder;
  const std::string png = folder.File("png.ico");
  ASSERT_EQ(kvtest::RunPython("from PIL import Image\nImage.new(\"RGBA\", (32, 32)).save(\"" + png +
                              "\", sizes=[(32, 32)])"),
            "");
  TIcon icon;
  icon.Assign(MaskedIcon().get());
  const win::HICON before = icon.Handle();
  try {
    icon.LoadFromFile(png);
    ADD_FAILURE() << "a PNG-compressed image was taken";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "PNG-compressed icon images are not supported");
  }
  EXPECT_EQ(icon.Handle(), before);
  EXPECT_EQ(icon.Width(), 6);

  TMemoryStream good;
  AlphaIcon()->SaveToStream(&good);
  const std::string bytes = [&] {
    good.SetPosition(0);
    return good.ReadRemaining();
  }();
  // Cut short, a directory claiming more than the stream holds, and an absurd bitmap size.
  std::vector<std::string> bad = {bytes.substr(0, bytes.size() - 10), bytes.substr(0, 9), "not an icon at all"};
  std::string huge = bytes;
  huge[22 + 4] = '\x00';
  huge[22 + 5] = '\x40';  // width 16384
  bad.push_back(huge);
  for (const std::string& b : bad) {
    TStringStream s(b);
    EXPECT_THROW(icon.LoadFromStream(&s), EInvalidGraphic);
    EXPECT_EQ(icon.Handle(), before);
  }
  TStringStream empty("");
  icon.LoadFromStream(&empty);
  EXPECT_TRUE(icon.Empty());
  EXPECT_EQ(icon.Handle(), nullptr);
}

TEST(Icon, DrawBlendsAlphaAndLeavesSeeThroughPixelsOfTheCanvas) {
  TBitmap canvas;
  canvas.SetPixelFormat(pf32bit);
  canvas.SetSize(40, 24);
  canvas.Canvas()->Brush()->SetColor(clWhite);
  canvas.Canvas()->FillRect(Rect(0, 0, 40, 24));
  TIcon alpha;
  alpha.Assign(AlphaIcon().get());
  canvas.Canvas()->Draw(0, 0, &alpha);
  std::vector<uint32_t> px = kvtest::PixelsByDIBits(canvas);
  EXPECT_EQ(px[0], 0xFF0000u);
  EXPECT_EQ(px[2], 0xFFFFFFu);
  // Half green over white.
  const uint32_t half = px[1];
  EXPECT_NEAR(int(half >> 16), 127, 2);
  EXPECT_EQ(int((half >> 8) & 0xFF), 255);
  EXPECT_NEAR(int(half & 0xFF), 127, 2);
  EXPECT_EQ(px[size_t(11) * 40 + 19], 0x0000FFu);

  // Stretched to twice the size, the masked icon keeps the canvas under its see-through pixel.
  TIcon masked;
  masked.Assign(MaskedIcon().get());
  canvas.Canvas()->StretchDraw(Rect(20, 0, 32, 8), &masked);
  px = kvtest::PixelsByDIBits(canvas);
  EXPECT_EQ(px[size_t(0) * 40 + 20], 0xFFFF00u);
  EXPECT_EQ(px[size_t(2) * 40 + 26], 0xFFFFFFu);
  EXPECT_EQ(px[size_t(3) * 40 + 27], 0xFFFFFFu);
  EXPECT_EQ(px[size_t(2) * 40 + 25], 0xFFFF00u);
  EXPECT_EQ(px[size_t(0) * 40 + 32], 0xFFFFFFu);  // nothing past the rectangle
}

TEST(Icon, AssignSharesTheImageAndSizesComeOnlyFromTheImage) {
  TIcon a;
  a.Assign(AlphaIcon().get());
  TIcon b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(&a);
  EXPECT_EQ(changes, 1);
  EXPECT_NE(b.Handle(), nullptr);
  EXPECT_EQ(b.Handle(), a.Handle());
  EXPECT_EQ(b.Pixels(), a.Pixels());
  TIcon c;
  c.Assign(MaskedIcon().get());
  EXPECT_NE(c.Handle(), a.Handle());
  EXPECT_THROW(a.SetWidth(5), EInvalidGraphicOperation);
  EXPECT_EQ(a.Width(), 20);
  EXPECT_THROW(c.SetImage(2, 2, std::vector<uint32_t>(3), false, {}), EInvalidGraphic);
  EXPECT_THROW(c.SetImage(300, 1, std::vector<uint32_t>(300), false, {}), EInvalidGraphic);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(a.Width(), 20);  // the shared image lives on in the other icon

  // A picture copies icons as icons and loads them by extension.
  TPicture picture;
  picture.SetGraphic(&a);
  ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 20);
}

TEST(Icon, LoadsFromAnRcdataResourceOfTheProgram) {
  TMemoryStream data;
  MaskedIcon()->SaveToStream(&data);
  data.SetPosition(0);
  const std::string bytes = data.ReadRemaining();
  win::resources::Register(win::RT_RCDATA, u"KVTESTICON", bytes.data(), bytes.size());
  TIcon icon;
  icon.LoadFromResourceName(nullptr, "kvTestIcon");
  EXPECT_EQ(icon.Width(), 6);
  EXPECT_EQ(icon.Mask(), MaskedIcon()->Mask());
  EXPECT_THROW(icon.LoadFromResourceName(nullptr, "NOSUCHICON"), EResNotFound);
  EXPECT_EQ(icon.Width(), 6);
}

}  // namespace
}  // namespace fw
