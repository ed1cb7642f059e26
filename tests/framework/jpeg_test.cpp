#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Jpeg.h"
#include "framework/Streams.h"
#include "framework/stream_TempFolder.h"
#include "framework/JpegCodec.h"
#include "support/MemoryLimit.h"
#include "graphics_test_support.h"

namespace fw {
namespace {

// 64x48: the left half red, the right half blue, a white square at (40..55, 8..23).
std::unique_ptr<TBitmap> TestPicture() {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(64, 48);
  bmp->Canvas()->Brush()->SetColor(clRed);
  bmp->Canvas()->FillRect(Rect(0, 0, 32, 48));
  bmp->Canvas()->Brush()->SetColor(clBlue);
  bmp->Canvas()->FillRect(Rect(32, 0, 64, 48));
  bmp->Canvas()->Brush()->SetColor(clWhite);
  bmp->Canvas()->FillRect(Rect(40, 8, 56, 24));
  return bmp;
}

std::string SaveJpeg(const std::string& path, int quality, bool grey, bool progressive, TJPEGPerformance perf) {
  auto bmp = TestPicture();
  TJPEGImage jpg;
  jpg.SetCompressionQuality(quality);
  jpg.SetGrayscale(grey);
  jpg.SetProgressiveEncoding(progressive);
  jpg.SetPerformance(perf);
  jpg.Assign(bmp.get());
  bmp.reset();  // the image keeps its own copy
  jpg.SaveToFile(path);
  return kvtest::RunPython(
      "from PIL import Image\n"
      "im = Image.open(\"" + path + "\")\n"
      "print(im.format, im.mode, im.size, bool(im.info.get(\"progressive\", 0) or im.info.get(\"progression\", 0)))\n"
      "print(*im.convert(\"RGB\").getpixel((8, 30)), *im.convert(\"RGB\").getpixel((60, 40)), "
      "*im.convert(\"RGB\").getpixel((47, 15)))");
}

bool Near(int value, int expected, int tolerance) { return value >= expected - tolerance && value <= expected + tolerance; }

TEST(Jpeg, PillowReadsColourFilesOfEachSetting) {
  kvtest::TempFolder folder;
  for (bool progressive : {false, true}) {
    for (TJPEGPerformance perf : {jpBestQuality, jpBestSpeed}) {
      const std::string out = SaveJpeg(folder.File("c.jpg"), 90, false, progressive, perf);
      std::istringstream in(out);
      std::string format, mode, w, h, prog;
      in >> format >> mode >> w >> h >> prog;
      EXPECT_EQ(format + " " + mode + " " + w + " " + h, "JPEG RGB (64, 48)") << out;
      EXPECT_EQ(prog, progressive ? "True" : "False") << out;
      int r1, g1, b1, r2, g2, b2, r3, g3, b3;
      ASSERT_TRUE(in >> r1 >> g1 >> b1 >> r2 >> g2 >> b2 >> r3 >> g3 >> b3) << out;
      EXPECT_TRUE(Near(r1, 255, 12) && Near(g1, 0, 12) && Near(b1, 0, 12)) << out;
      EXPECT_TRUE(Near(r2, 0, 12) && Near(g2, 0, 12) && Near(b2, 255, 12)) << out;
      EXPECT_TRUE(Near(r3, 255, 12) && Near(g3, 255, 12) && Near(b3, 255, 12)) << out;
    }
  }
}

TEST(Jpeg, GrayscaleFilesAreSingleChannel) {
  kvtest::TempFolder folder;
  const std::string out = SaveJpeg(folder.File("g.jpg"), 90, true, false, jpBestQuality);
  std::istringstream in(out);
  std::string format, mode;
  in >> format >> mode;
  EXPECT_EQ(mode, "L") << out;
  std::string skip;
  in >> skip >> skip >> skip;
  int r1, g1, b1, r2, g2, b2;
  ASSERT_TRUE(in >> r1 >> g1 >> b1 >> r2 >> g2 >> b2) << out;
  // Luma of pure red is 76, of pure blue 29.
  EXPECT_TRUE(Near(r1, 76, 8) && r1 == g1 && g1 == b1) << out;
  EXPECT_TRUE(Near(r2, 29, 8)) << out;
}

TEST(Jpeg, QualityChangesTheFile) {
  kvtest::TempFolder folder;
  auto bmp = TestPicture();
  // Noise makes the quality visible in the size.
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      if ((x * 7 + y * 13) % 5 == 0) bmp->Canvas()->SetPixels(x, y, TColor((x * 4) | (y * 5) << 8));
  long sizes[2] = {};
  int i = 0;
  for (int quality : {10, 100}) {
    TJPEGImage jpg;
    jpg.SetCompressionQuality(quality);
    jpg.Assign(bmp.get());
    const std::string path = folder.File("q" + std::to_string(quality) + ".jpg");
    jpg.SaveToFile(path);
    const std::string q = kvtest::RunPython(
        "from PIL import Image\n"
        "im = Image.open(\"" + path + "\")\n"
        "print(im.quantization[0][0])");
    // The first luminance quantiser: 1 at quality 100, large at quality 10.
    if (quality == 100) EXPECT_EQ(q, "1");
    else EXPECT_GT(std::atoi(q.c_str()), 40) << q;
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 0, SEEK_END);
    sizes[i++] = std::ftell(f);
    std::fclose(f);
  }
  EXPECT_LT(sizes[0], sizes[1]);
  TJPEGImage jpg;
  jpg.SetCompressionQuality(0);
  EXPECT_EQ(jpg.CompressionQuality(), 1);
  jpg.SetCompressionQuality(101);
  EXPECT_EQ(jpg.CompressionQuality(), 100);
}

TEST(Jpeg, SettingsAfterAssignApplyToTheNextCompression) {
  auto bmp = TestPicture();
  TJPEGImage jpg;
  jpg.Assign(bmp.get());
  TMemoryStream first;
  jpg.SaveToStream(&first);
  EXPECT_FALSE(jpg.IsProgressive());
  jpg.SetProgressiveEncoding(true);
  TMemoryStream second;
  jpg.SaveToStream(&second);
  EXPECT_TRUE(jpg.IsProgressive());
  TJPEGImage reread;
  second.SetPosition(0);
  reread.LoadFromStream(&second);
  EXPECT_TRUE(reread.IsProgressive());
  EXPECT_EQ(reread.Width(), 64);
}

TEST(Jpeg, DecodesAPillowFile) {
  kvtest::TempFolder folder;
  const std::string path = folder.File("pil.jpg");
  const std::string made = kvtest::RunPython(
      "from PIL import Image\n"
      "im = Image.new(\"RGB\", (40, 20), (0, 128, 0))\n"
      "im.paste((255, 255, 0), (20, 0, 40, 20))\n"
      "im.save(\"" + path + "\", quality=95)\n"
      "print(\"ok\")");
  ASSERT_EQ(made, "ok");
  TJPEGImage jpg;
  jpg.LoadFromFile(path);
  EXPECT_EQ(jpg.Width(), 40);
  EXPECT_EQ(jpg.Height(), 20);
  TBitmap target;
  target.SetPixelFormat(pf24bit);
  target.SetSize(40, 20);
  target.Canvas()->Draw(0, 0, &jpg);
  const TColor left = target.Canvas()->Pixels(5, 10);
  const TColor right = target.Canvas()->Pixels(35, 10);
  EXPECT_TRUE(Near(left & 0xFF, 0, 10) && Near((left >> 8) & 0xFF, 128, 10) && Near(left >> 16, 0, 10)) << left;
  EXPECT_TRUE(Near(right & 0xFF, 255, 10) && Near((right >> 8) & 0xFF, 255, 10) && Near(right >> 16, 0, 12))
      << right;

  jpg.SetScale(jsHalf);
  EXPECT_EQ(jpg.Width(), 20);
  EXPECT_EQ(jpg.Bitmap()->Width(), 20);
  jpg.SetScale(jsEighth);
  EXPECT_EQ(jpg.Bitmap()->Height(), 3);
  jpg.SetScale(jsFullSize);
  jpg.SetGrayscale(true);
  EXPECT_EQ(jpg.Bitmap()->PixelFormat(), pf8bit);
  const TColor grey = jpg.Bitmap()->Canvas()->Pixels(5, 10);
  EXPECT_EQ(grey & 0xFF, (grey >> 8) & 0xFF);
  jpg.SetGrayscale(false);
  jpg.SetPixelFormat(jf8Bit);
  EXPECT_EQ(jpg.Bitmap()->PixelFormat(), pf8bit);
  const TColor indexed = jpg.Bitmap()->Canvas()->Pixels(35, 10);
  EXPECT_TRUE(Near(indexed & 0xFF, 255, 40) && Near(indexed >> 16, 0, 40)) << indexed;
}

TEST(Jpeg, CorruptDataRaisesAndKeepsTheImage) {
  auto bmp = TestPicture();
  TJPEGImage good;
  good.Assign(bmp.get());
  TMemoryStream data;
  good.SaveToStream(&data);
  const auto* bytes = static_cast<const char*>(data.Memory());
  const std::string whole(bytes, size_t(data.Size()));

  TJPEGImage jpg;
  TStringStream garbage("this is not a JPEG file at all");
  EXPECT_THROW(jpg.LoadFromStream(&garbage), EJPEG);
  EXPECT_TRUE(jpg.Empty());
  TStringStream empty("");
  EXPECT_THROW(jpg.LoadFromStream(&empty), EJPEG);

  // A valid header followed by a cut scan: loading works, decoding reports the damage.
  TStringStream truncated(whole.substr(0, whole.size() - 40));
  jpg.LoadFromStream(&truncated);
  EXPECT_EQ(jpg.Width(), 64);
  EXPECT_THROW(jpg.DIBNeeded(), EJPEG);
  EXPECT_THROW(jpg.Bitmap(), EJPEG);

  // Damaged entropy-coded data inside an otherwise whole file.
  std::string damaged = whole;
  for (size_t i = damaged.size() - 60; i < damaged.size() - 20; ++i) damaged[i] = char(0xFF);
  TStringStream bad(damaged);
  jpg.LoadFromStream(&bad);
  EXPECT_THROW(jpg.DIBNeeded(), EJPEG);

  TJPEGImage nothing;
  EXPECT_THROW(nothing.Compress(), EJPEG);
  EXPECT_THROW(nothing.SetWidth(3), EInvalidGraphicOperation);
}

}  // namespace
}  // namespace fw

namespace {

// Memory that runs out while the compressed bytes grow is a failure with a message: the buffer
// is freed once, never twice.
TEST(Jpeg, RunningOutOfMemoryWhileCompressingFailsCleanly) {
  if (!kvtest::MemoryLimitsWork()) GTEST_SKIP() << "address-space limits do not work under the sanitizer";
  const int side = 2000;
  std::vector<uint8_t> noise(std::size_t(side) * side * 3);
  std::uint32_t seed = 12345;
  for (uint8_t& b : noise) b = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
  // Noise hardly compresses: about 10 MB of output, while the child may grow by 6 MB.
  const int status = kvtest::RunWithMemoryLimit(6u << 20, [&] {
    std::vector<uint8_t> out;
    std::string error;
    fw::jpeg::EncodeParams p;
    p.quality = 100;
    if (fw::jpeg::Encode(noise.data(), side, side, p, out, error)) return 2;
    return error.find("memory") != std::string::npos ? 0 : 3;
  });
  EXPECT_EQ(status, 0) << "2: encoded anyway, 3: another error, 134: aborted";
}

}  // namespace
