// Frames from bitmaps of each depth and other graphics, transparency, colour map optimisation,
// copies of images, animations and files of another writer; GIF files checked by Pillow and
// giftext.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "export/GIFImageException.h"
#include "export/GIFImageReduce.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsIcon.h"
#include "framework/GraphicsMetafile.h"
#include "framework/GraphicsPicture.h"
#include "gif_test_support.h"

using namespace kvexport;
using namespace giftest;

namespace {

// A chart-like picture: white ground, grey grid, three coloured curves and an anti-aliased band
// of many colours.
std::uint32_t ChartPixel(int x, int y) {
  if (y >= 80 && y < 90) return static_cast<std::uint32_t>((x * 37 % 256) << 16 | (y * 11 % 256) << 8 | (x + y) % 256);
  if (x % 25 == 0 || y % 20 == 0) return 0xC0C0C0;
  if (std::abs(y - (40 + (x * 3) % 30)) < 2) return 0xFF0000;
  if (std::abs(y - (60 - (x / 4) % 20)) < 2) return 0x0000FF;
  return 0xFFFFFF;
}

// The pixels Pillow decodes, one 0xRRGGBB per line of output, row by row.
const char* kPillowRGB =
    "import sys\nfrom PIL import Image\nim=Image.open(sys.argv[1])\n"
    "print(im.info.get('version').decode(), im.size[0], im.size[1])\n"
    "for p in im.convert('RGB').getdata(): print('%06X' % (p[0] << 16 | p[1] << 8 | p[2]))\n";

std::vector<std::uint32_t> PillowPixels(const std::string& Out, std::string* Head) {
  std::istringstream in(Out);
  std::getline(in, *Head);
  std::vector<std::uint32_t> pixels;
  std::string line;
  while (std::getline(in, line)) pixels.push_back(static_cast<std::uint32_t>(std::stoul(line, nullptr, 16)));
  return pixels;
}

std::unique_ptr<fw::TBitmap> Indexed(fw::TPixelFormat Format, int Width, int Height,
                                     const std::vector<win::RGBQUAD>& Table) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(Format);
  b->SetSize(Width, Height);
  b->SetColorTable(Table);
  return b;
}

}  // namespace

TEST(GifFrames, ChartBitmapBecomesOneWebPaletteFrame) {
  auto bitmap = Bitmap24(200, 100, ChartPixel);
  TGIFImage gif;
  EXPECT_EQ(gif.ColorReduction(), TColorReduction::Netscape);
  gif.Assign(bitmap.get());
  const Bytes b = Save(gif);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF87a");
  EXPECT_EQ(b[6] | b[7] << 8, 200);
  EXPECT_EQ(b[8] | b[9] << 8, 100);
  EXPECT_EQ(b[10] & 0x80, 0);     // no global table
  EXPECT_EQ(b[13], ',');          // the descriptor follows the screen at once
  EXPECT_EQ(b[13 + 9], 0x80 | 7);  // 216 colours in a 256-entry local table
  EXPECT_EQ(b.back(), ';');

  TempDir dir;
  WriteFile(dir.File("chart.gif"), b);
  std::string head;
  const std::vector<std::uint32_t> pixels = PillowPixels(Python(kPillowRGB, dir.File("chart.gif")), &head);
  EXPECT_EQ(head, "GIF87a 200 100");
  ASSERT_EQ(pixels.size(), 20000u);
  TNetscapeColorLookup web;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      const std::uint32_t c = ChartPixel(x, y);
      std::uint8_t r, g, bl;
      web.Lookup(static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c), r, g, bl);
      ASSERT_EQ(pixels[static_cast<std::size_t>(y) * 200 + x], static_cast<std::uint32_t>(r << 16 | g << 8 | bl))
          << x << "," << y;
    }
  const std::string text = GifText(dir.File("chart.gif"));
  EXPECT_NE(text.find("Width = 200, Height = 100"), std::string::npos);
  EXPECT_NE(text.find("Image Has Color Map"), std::string::npos);
  EXPECT_NE(text.find("terminated normally"), std::string::npos);
}

TEST(GifFrames, NoReductionKeepsExactColoursAndRefusesMoreThan256) {
  // 256 distinct colours: stored exactly.
  auto few = Bitmap24(32, 8, [](int x, int y) { return static_cast<std::uint32_t>((y * 32 + x) * 0x010305 & 0xFFFFFF); });
  TGIFImage exact;
  exact.SetColorReduction(TColorReduction::None);
  exact.Assign(few.get());
  EXPECT_EQ(exact.Images()[0]->ColorMap().Count(), 256);
  TempDir dir;
  WriteFile(dir.File("few.gif"), Save(exact));
  std::string head;
  std::vector<std::uint32_t> pixels = PillowPixels(Python(kPillowRGB, dir.File("few.gif")), &head);
  ASSERT_EQ(pixels.size(), 256u);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(pixels[static_cast<std::size_t>(i)], static_cast<std::uint32_t>(i * 0x010305 & 0xFFFFFF));

  // A 257th colour has no place in the colour table: the import refuses and leaves no frame.
  auto many = Bitmap24(200, 100, ChartPixel);
  TGIFImage refused;
  refused.SetColorReduction(TColorReduction::None);
  try {
    refused.Assign(many.get());
    ADD_FAILURE() << "no exception";
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Color table overflow");
  }

  // The optimal palette keeps a picture of up to 256 colours exact and codes one with more.
  TGIFImage quantized;
  quantized.SetColorReduction(TColorReduction::Quantize);
  quantized.Assign(few.get());
  WriteFile(dir.File("q.gif"), Save(quantized));
  pixels = PillowPixels(Python(kPillowRGB, dir.File("q.gif")), &head);
  ASSERT_EQ(pixels.size(), 256u);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(pixels[static_cast<std::size_t>(i)], static_cast<std::uint32_t>(i * 0x010305 & 0xFFFFFF));
  quantized.Assign(many.get());
  EXPECT_LE(quantized.Images()[0]->ColorMap().Count(), 256);
  WriteFile(dir.File("many.gif"), Save(quantized));
  pixels = PillowPixels(Python(kPillowRGB, dir.File("many.gif")), &head);
  ASSERT_EQ(pixels.size(), 20000u);
  // The plain parts of the chart keep their colours.
  EXPECT_EQ(pixels[5 * 200 + 3], 0xFFFFFFu);
  EXPECT_EQ(pixels[0], 0xC0C0C0u);
}

TEST(GifFrames, CustomPaletteWithoutPaletteStillGivesAColourTable) {
  auto bitmap = Bitmap24(40, 30, ChartPixel);
  TGIFImage gif;
  gif.SetColorReduction(TColorReduction::Palette);
  gif.Assign(bitmap.get());
  EXPECT_GT(gif.Images()[0]->ColorMap().Count(), 1);
  TempDir dir;
  WriteFile(dir.File("p.gif"), Save(gif));
  std::string head;
  const std::vector<std::uint32_t> pixels = PillowPixels(Python(kPillowRGB, dir.File("p.gif")), &head);
  EXPECT_EQ(pixels.at(1 * 40 + 1), 0xFFFFFFu);
}

TEST(GifFrames, IndexedBitmapsKeepTheirOwnColours) {
  const std::vector<win::RGBQUAD> two = {{0, 0, 255, 0}, {0, 255, 0, 0}};  // red, green
  auto mono = Indexed(fw::pf1bit, 10, 2, two);
  static_cast<std::uint8_t*>(mono->ScanLine(0))[0] = 0xA0;  // 1 0 1 0 0 0 0 0
  static_cast<std::uint8_t*>(mono->ScanLine(1))[1] = 0x40;  // pixel 9
  TGIFImage a;
  a.Assign(mono.get());
  TGIFSubImage& fa = *a.Images()[0];
  EXPECT_EQ(fa.ColorMap().Count(), 2);
  EXPECT_EQ(fa.ColorMap().Colors(0), fw::clRed);
  EXPECT_EQ(fa.Pixels(0, 0), 1);
  EXPECT_EQ(fa.Pixels(1, 0), 0);
  EXPECT_EQ(fa.Pixels(2, 0), 1);
  EXPECT_EQ(fa.Pixels(9, 1), 1);
  EXPECT_EQ(fa.Pixels(8, 1), 0);

  std::vector<win::RGBQUAD> sixteen;
  for (int i = 0; i < 16; ++i) sixteen.push_back(win::RGBQUAD{static_cast<win::BYTE>(i * 16), 0, static_cast<win::BYTE>(255 - i), 0});
  auto nibbles = Indexed(fw::pf4bit, 3, 1, sixteen);
  static_cast<std::uint8_t*>(nibbles->ScanLine(0))[0] = 0x3C;
  static_cast<std::uint8_t*>(nibbles->ScanLine(0))[1] = 0x70;
  TGIFImage b;
  b.Assign(nibbles.get());
  TGIFSubImage& fb = *b.Images()[0];
  EXPECT_EQ(fb.Pixels(0, 0), 3);
  EXPECT_EQ(fb.Pixels(1, 0), 12);
  EXPECT_EQ(fb.Pixels(2, 0), 7);
  EXPECT_EQ(FrameRGB(fb, 1, 0), 0xF3'00'C0u);

  std::vector<win::RGBQUAD> table(256);
  for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = win::RGBQUAD{static_cast<win::BYTE>(i), static_cast<win::BYTE>(255 - i), 7, 0};
  auto bytes = Indexed(fw::pf8bit, 4, 2, table);
  for (int x = 0; x < 4; ++x) static_cast<std::uint8_t*>(bytes->ScanLine(1))[x] = static_cast<std::uint8_t>(250 + x);
  TGIFImage c;
  c.SetColorReduction(TColorReduction::Monochrome);  // not used for indexed bitmaps
  c.Assign(bytes.get());
  TGIFSubImage& fc = *c.Images()[0];
  EXPECT_EQ(fc.Pixels(3, 1), 253);
  EXPECT_EQ(FrameRGB(fc, 3, 1), 0x0702FDu);

  TempDir dir;
  WriteFile(dir.File("c.gif"), Save(c));
  std::string head;
  const std::vector<std::uint32_t> pixels = PillowPixels(Python(kPillowRGB, dir.File("c.gif")), &head);
  EXPECT_EQ(pixels.at(7), 0x0702FDu);
  EXPECT_EQ(pixels.at(0), FrameRGB(fc, 0, 0));
}

TEST(GifFrames, TransparentBitmapGetsATransparentIndex) {
  auto bitmap = Bitmap24(6, 4, [](int x, int y) { return x < 2 ? 0x00FF00u : (y == 0 ? 0xFF0000u : 0x0000FFu); });
  bitmap->SetTransparent(true);
  bitmap->SetTransparentColor(fw::clLime);
  TGIFImage gif;
  gif.SetColorReduction(TColorReduction::None);
  gif.Assign(bitmap.get());
  TGIFSubImage& frame = *gif.Images()[0];
  ASSERT_NE(frame.GraphicControlExtension(), nullptr);
  EXPECT_TRUE(frame.Transparent());
  const int index = frame.GraphicControlExtension()->TransparentColorIndex();
  EXPECT_EQ(frame.Pixels(0, 3), index);
  EXPECT_EQ(frame.ColorMap().Colors(index), fw::clBlack);
  EXPECT_NE(frame.Pixels(3, 3), index);
  const Bytes b = Save(gif);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF89a");
  TempDir dir;
  WriteFile(dir.File("t.gif"), b);
  EXPECT_EQ(Python("import sys\nfrom PIL import Image\nim=Image.open(sys.argv[1])\n"
                   "print(im.info['transparency'], im.getpixel((0, 0)), im.getpixel((5, 0)) != im.info['transparency'])\n",
                   dir.File("t.gif")),
            std::to_string(index) + " " + std::to_string(index) + " True\n");
  const std::string text = GifText(dir.File("t.gif"));
  EXPECT_NE(text.find("Transparent Index: " + std::to_string(index)), std::string::npos);

  // The transparent colour does not occur: the added colour goes again and the frame stays opaque.
  bitmap->SetTransparentColor(fw::clYellow);
  TGIFImage none;
  none.SetColorReduction(TColorReduction::None);
  none.Assign(bitmap.get());
  EXPECT_EQ(none.Images()[0]->GraphicControlExtension(), nullptr);
  EXPECT_EQ(none.Images()[0]->ColorMap().Count(), 3);

  // A frame already using 256 colours has no room for a transparent one.
  auto full = Bitmap24(16, 16, [](int x, int y) { return static_cast<std::uint32_t>(y * 16 + x); });
  full->SetTransparent(true);
  full->SetTransparentColor(0x000005);
  TGIFImage opaque;
  opaque.SetColorReduction(TColorReduction::None);
  opaque.Assign(full.get());
  EXPECT_EQ(opaque.Images()[0]->GraphicControlExtension(), nullptr);
  EXPECT_EQ(opaque.Images()[0]->ColorMap().Count(), 256);
}

TEST(GifFrames, OptimizeSortsByUseAndRemaps) {
  TGIFImage gif;
  auto frame = std::make_unique<TGIFSubImage>(&gif);
  frame->SetWidth(4);
  frame->SetHeight(2);
  for (fw::TColor c : {fw::clRed, fw::clLime, fw::clBlue, fw::clYellow}) frame->ColorMap().Add(c);
  // Uses: red 1, lime 5, blue 2, yellow 0.
  const std::uint8_t pixels[8] = {1, 1, 2, 1, 0, 1, 2, 1};
  for (int i = 0; i < 8; ++i) frame->SetPixels(i % 4, i / 4, pixels[i]);
  auto gce = std::make_unique<TGIFGraphicControlExtension>(frame.get());
  gce->SetTransparentColorIndex(2);
  frame->Extensions().Add(std::move(gce));
  TGIFSubImage* f = frame.get();
  gif.Add(frame.release());
  EXPECT_TRUE(f->ColorMap().Optimize());
  EXPECT_TRUE(f->ColorMap().Sorted());
  ASSERT_EQ(f->ColorMap().Count(), 3);
  EXPECT_EQ(f->ColorMap().Colors(0), fw::clLime);
  EXPECT_EQ(f->ColorMap().Colors(1), fw::clBlue);
  EXPECT_EQ(f->ColorMap().Colors(2), fw::clRed);
  EXPECT_EQ(f->Pixels(0, 0), 0);
  EXPECT_EQ(f->Pixels(2, 0), 1);
  EXPECT_EQ(f->Pixels(0, 1), 2);
  EXPECT_EQ(f->GraphicControlExtension()->TransparentColorIndex(), 1);
  // Already in order: nothing changes, not even the flag.
  f->ColorMap().SetSorted(false);
  EXPECT_TRUE(f->ColorMap().Optimize());
  EXPECT_FALSE(f->ColorMap().Sorted());
}

TEST(GifFrames, CopyOfAnImageTakesOnlyItsOwnSettings) {
  auto bitmap = Bitmap24(50, 40, ChartPixel);
  TGIFImage source;
  source.SetDitherMode(TDitherMode::Burkes);
  source.SetColorReduction(TColorReduction::GrayScale);
  source.SetReductionBits(4);
  source.SetCompression(TGIFCompression::RLE);
  source.SetAnimationSpeed(250);
  source.SetBackgroundColor(fw::clRed);
  source.SetThreadPriority(tpHighest);
  source.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::Tile});
  source.Assign(bitmap.get());
  std::vector<std::string> progress;
  source.OnProgress = [&](fw::TObject*, TProgressStage, int percent, const std::string& m) {
    progress.push_back(m + std::to_string(percent));
  };

  TGIFImage copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.DitherMode(), TDitherMode::Burkes);
  EXPECT_EQ(copy.ColorReduction(), TColorReduction::GrayScale);
  EXPECT_EQ(copy.BackgroundColor(), fw::clRed);
  EXPECT_EQ(copy.ThreadPriority(), tpHighest);
  EXPECT_EQ(copy.DrawOptions(), TGIFDrawOptions{TGIFDrawOption::Tile});
  EXPECT_EQ(copy.ReductionBits(), 8);
  EXPECT_EQ(copy.Compression(), TGIFCompression::LZW);
  EXPECT_EQ(copy.AnimationSpeed(), 100);
  EXPECT_FALSE(copy.OnProgress);
  EXPECT_FALSE(copy.OnWarning);
  EXPECT_EQ(progress.front(), "Copying...0");
  EXPECT_EQ(progress.back(), "Copying...100");
  ASSERT_EQ(copy.Images().Count(), 1);
  EXPECT_EQ(copy.Images()[0]->Data(), source.Images()[0]->Data());

  // Each writes with its own compression; the pictures are the same.
  const Bytes rle = Save(source), lzw = Save(copy);
  EXPECT_NE(rle, lzw);
  TempDir dir;
  WriteFile(dir.File("rle.gif"), rle);
  WriteFile(dir.File("lzw.gif"), lzw);
  EXPECT_EQ(Python(kPillowRGB, dir.File("rle.gif")), Python(kPillowRGB, dir.File("lzw.gif")));
}

TEST(GifFrames, AddTakesGraphicsAndFramesOnly) {
  TGIFImage gif;
  auto bitmap = Bitmap24(5, 5, [](int, int) { return 0x336699u; });
  EXPECT_EQ(gif.Add(bitmap.get()), 0);
  EXPECT_EQ(gif.Add(new TGIFSubImage(&gif)), 1);
  try {
    gif.Add(&gif.Header());
    ADD_FAILURE() << "no exception";
  } catch (const GIFException& e) {
    EXPECT_EQ(e.Message(), "Object type not supported for operation");
  }
  EXPECT_EQ(gif.Images().Count(), 2);
}

TEST(GifFrames, AnimationReadByPillowFrameByFrame) {
  TGIFImage gif;
  gif.Header().ColorMap().Add(fw::clBlack);
  gif.Header().ColorMap().Add(fw::clRed);
  gif.Header().ColorMap().Add(fw::clLime);
  gif.Header().ColorMap().Add(fw::clBlue);
  gif.SetCompression(TGIFCompression::RLE);
  const int delays[3] = {10, 25, 40};
  const int disposals[3] = {1, 2, 3};
  for (int i = 0; i < 3; ++i) {
    auto frame = std::make_unique<TGIFSubImage>(&gif);
    frame->SetWidth(8);
    frame->SetHeight(6);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) frame->SetPixels(x, y, static_cast<std::uint8_t>((x + y + i) % 4));
    if (i == 0) {
      auto loop = std::make_unique<TGIFAppExtNSLoop>(frame.get());
      loop->Loops = 3;
      frame->Extensions().Add(std::move(loop));
    }
    auto gce = std::make_unique<TGIFGraphicControlExtension>(frame.get());
    gce->SetDelay(delays[i]);
    gce->SetDisposal(disposals[i]);
    frame->Extensions().Add(std::move(gce));
    gif.Add(frame.release());
  }
  TempDir dir;
  WriteFile(dir.File("anim.gif"), Save(gif));
  EXPECT_EQ(Python("import sys\nfrom PIL import Image\nim=Image.open(sys.argv[1])\n"
                   "print(im.n_frames, im.info['loop'])\n"
                   "for i in range(im.n_frames):\n"
                   "  im.seek(i); print(im.info['duration'], im.disposal_method, im.convert('RGB').getpixel((3, 2)))\n",
                   dir.File("anim.gif")),
            "3 3\n100 1 (255, 0, 0)\n250 2 (0, 255, 0)\n400 3 (0, 0, 255)\n");
  const std::string text = GifText(dir.File("anim.gif"));
  EXPECT_NE(text.find("Image #3"), std::string::npos);
  EXPECT_NE(text.find("DelayTime: 25"), std::string::npos);
  EXPECT_NE(text.find("Disposal Mode: 3"), std::string::npos);

  // Read back: the same frames, extensions and pixels.
  TGIFImage back;
  Load(back, ReadFile(dir.File("anim.gif")));
  ASSERT_EQ(back.Images().Count(), 3);
  EXPECT_EQ(back.Images()[2]->GraphicControlExtension()->Delay(), 40);
  EXPECT_EQ(back.Images()[1]->GraphicControlExtension()->Disposal(), 2);
  EXPECT_EQ(back.Images()[2]->Data(), gif.Images()[2]->Data());
}

TEST(GifFrames, ReadsWhatPillowWrites) {
  TempDir dir;
  Python("import sys\nfrom PIL import Image\n"
         "pal=[]\nfor i in range(256): pal += [i, (i*7)%256, 255-i]\n"
         "frames=[]\n"
         "for k in range(3):\n"
         "  im=Image.new('P',(23,17))\n"
         "  im.putpalette(pal)\n"
         "  im.putdata([(x*5+y*3+k*40)%256 for y in range(17) for x in range(23)])\n"
         "  frames.append(im)\n"
         "frames[0].save(sys.argv[1], save_all=True, append_images=frames[1:], duration=70, loop=0,"
         " optimize=False, interlace=True)\n",
         dir.File("pil.gif"));
  TGIFImage gif;
  std::vector<std::string> warnings;
  Load(gif, ReadFile(dir.File("pil.gif")), &warnings);
  EXPECT_TRUE(warnings.empty());
  ASSERT_EQ(gif.Images().Count(), 3);
  EXPECT_EQ(gif.Width(), 23);
  for (int k = 0; k < 3; ++k) {
    TGIFSubImage& frame = *gif.Images()[k];
    ASSERT_EQ(frame.Width(), 23);
    ASSERT_EQ(frame.Height(), 17);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x) {
        const int i = (x * 5 + y * 3 + k * 40) % 256;
        ASSERT_EQ(FrameRGB(frame, x, y), static_cast<std::uint32_t>(i << 16 | (i * 7 % 256) << 8 | (255 - i)))
            << k << ":" << x << "," << y;
      }
  }
  bool loopFound = false;
  for (int i = 0; i < gif.Images()[0]->Extensions().Count(); ++i)
    if (auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(gif.Images()[0]->Extensions()[i])) loopFound = loop->Loops == 0;
  EXPECT_TRUE(loopFound);
}

TEST(GifFrames, IconsGiveTheirMaskAsTransparency) {
  fw::TIcon icon;
  std::vector<std::uint32_t> pixels(16 * 16, 0xFF2040C0u);
  std::vector<std::uint8_t> mask(16 * 16, 0);
  for (int i = 0; i < 16; ++i) mask[static_cast<std::size_t>(i)] = 1;  // top row see-through
  icon.SetImage(16, 16, pixels, false, mask);
  TGIFImage gif;
  gif.SetColorReduction(TColorReduction::None);
  gif.Assign(&icon);
  TGIFSubImage& frame = *gif.Images()[0];
  ASSERT_NE(frame.GraphicControlExtension(), nullptr);
  const int t = frame.GraphicControlExtension()->TransparentColorIndex();
  EXPECT_EQ(frame.Pixels(5, 0), t);
  EXPECT_NE(frame.Pixels(5, 1), t);
  EXPECT_EQ(FrameRGB(frame, 5, 1), 0x2040C0u);
}

TEST(GifFrames, MetafilesAreSeeThroughWhereTheyDrawNothing) {
  fw::TMetafile metafile;
  metafile.SetWidth(40);
  metafile.SetHeight(30);
  {
    fw::TMetafileCanvas canvas(&metafile, nullptr);
    canvas.Brush()->SetColor(fw::clRed);
    canvas.FillRect(fw::Rect(2, 2, 20, 12));
    canvas.Brush()->SetColor(fw::clWhite);  // white and black drawn are kept, not see-through
    canvas.FillRect(fw::Rect(22, 2, 30, 12));
    canvas.Brush()->SetColor(fw::clBlack);
    canvas.FillRect(fw::Rect(30, 2, 38, 12));
  }
  ASSERT_FALSE(metafile.Empty());
  TGIFImage gif;
  gif.SetColorReduction(TColorReduction::None);
  gif.Assign(&metafile);
  TGIFSubImage& frame = *gif.Images()[0];
  EXPECT_EQ(frame.Width(), 40);
  EXPECT_EQ(frame.Height(), 30);
  ASSERT_NE(frame.GraphicControlExtension(), nullptr);
  const int t = frame.GraphicControlExtension()->TransparentColorIndex();
  EXPECT_TRUE(frame.Transparent());

  // Read back by Pillow and giflib: see-through outside the drawing, the drawn colours inside.
  TempDir dir;
  WriteFile(dir.File("m.gif"), Save(gif));
  EXPECT_EQ(Python("import sys\nfrom PIL import Image\nim=Image.open(sys.argv[1]).convert('RGBA')\n"
                   "print(*[im.getpixel(p) for p in ((0, 0), (39, 29), (5, 5), (25, 5), (35, 5), (21, 5))])\n",
                   dir.File("m.gif")),
            "(0, 0, 0, 0) (0, 0, 0, 0) (255, 0, 0, 255) (255, 255, 255, 255) (0, 0, 0, 255) (0, 0, 0, 0)\n");
  EXPECT_NE(GifText(dir.File("m.gif")).find("Transparent Index: " + std::to_string(t)), std::string::npos);

  // A metafile drawing over all of itself has nothing see-through.
  fw::TMetafile full;
  full.SetWidth(8);
  full.SetHeight(8);
  {
    fw::TMetafileCanvas canvas(&full, nullptr);
    canvas.Brush()->SetColor(fw::clBlue);
    canvas.FillRect(fw::Rect(0, 0, 8, 8));
  }
  TGIFImage opaque;
  opaque.Assign(&full);
  EXPECT_EQ(opaque.Images()[0]->GraphicControlExtension(), nullptr);
  EXPECT_EQ(opaque.Images()[0]->ColorMap().Count(), 1);
}

TEST(GifFrames, PicturesLoadGifFilesByExtension) {
  auto bitmap = Bitmap24(9, 7, ChartPixel);
  TGIFImage gif;
  gif.Assign(bitmap.get());
  TempDir dir;
  WriteFile(dir.File("pic.GIF"), Save(gif));
  fw::TPicture picture;
  picture.LoadFromFile(dir.File("pic.GIF"));
  auto* loaded = dynamic_cast<TGIFImage*>(picture.Graphic());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Width(), 9);
  EXPECT_EQ(loaded->Images()[0]->Data(), gif.Images()[0]->Data());
}
