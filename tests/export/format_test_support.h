#pragma once
// Helpers for the picture writer tests: the independent readers (Pillow through
// /usr/bin/python3, tiffinfo, xmllint, rsvg-convert), and bitmaps of every depth with known
// pixels.

#include <gtest/gtest.h>


#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "export_test_files.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Streams.h"

namespace writertest {

using exporttest::Bytes;
using exporttest::ReadFile;
using exporttest::ScratchDir;
using exporttest::WriteFile;

inline Bytes StreamBytes(fw::TMemoryStream& Stream) {
  const auto* p = static_cast<const std::uint8_t*>(Stream.Memory());
  return Bytes(p, p + Stream.Size());
}

struct CommandResult {
  int Status = -1;
  std::string Output;  // standard output and standard error together
};

inline CommandResult RunCommand(const std::string& Command) {
  CommandResult r;
  r.Output = exporttest::CommandOutput(Command + " 2>&1", &r.Status);
  return r;
}

// Pillow's view of a picture file: its mode, size, and every pixel as RGB ("rrggbb" per pixel,
// row by row, top row first).
struct PillowPicture {
  std::string Mode;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Rgb;  // 0xRRGGBB
};

// One Python run for several files (each run of the interpreter costs far more than the reading).
inline std::vector<PillowPicture> ReadAllWithPillow(const ScratchDir& Dir,
                                                    const std::vector<std::string>& Paths) {
  const std::string script = Dir.File("read_picture.py");
  WriteFile(script,
            "import sys\n"
            "from PIL import Image\n"
            "for path in sys.argv[1:]:\n"
            "    im = Image.open(path)\n"
            "    im.load()\n"
            "    print(im.mode, im.size[0], im.size[1])\n"
            "    rgb = im.convert('RGB')\n"
            "    print(''.join('%02x%02x%02x' % p for p in rgb.getdata()) or '-')\n");
  std::string command = "/usr/bin/python3 '" + script + "'";
  for (const std::string& p : Paths) command += " '" + p + "'";
  const CommandResult r = RunCommand(command);
  EXPECT_EQ(r.Status, 0) << r.Output;
  std::vector<PillowPicture> pictures(Paths.size());
  std::istringstream in(r.Output);
  for (PillowPicture& p : pictures) {
    std::string hex;
    in >> p.Mode >> p.Width >> p.Height >> hex;
    for (std::size_t i = 0; i + 6 <= hex.size(); i += 6)
      p.Rgb.push_back(std::uint32_t(std::stoul(hex.substr(i, 6), nullptr, 16)));
  }
  return pictures;
}

inline PillowPicture ReadWithPillow(const ScratchDir& Dir, const std::string& Path) {
  return ReadAllWithPillow(Dir, {Path})[0];
}

// The bitmap's pixels as 0xRRGGBB, top row first, as the drawing layer reports them.
inline std::vector<std::uint32_t> BitmapRgb(fw::TBitmap& Bitmap) {
  std::vector<std::uint32_t> out;
  fw::TCanvas* c = Bitmap.Canvas();
  for (int y = 0; y < Bitmap.Height(); ++y)
    for (int x = 0; x < Bitmap.Width(); ++x) {
      const std::uint32_t bgr = std::uint32_t(c->Pixels(x, y)) & 0xFFFFFF;
      out.push_back((bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16));
    }
  return out;
}

inline fw::TColor RandomColor(std::mt19937& Rng) {
  return fw::TColor(Rng() & 0xFFFFFF);
}

// A bitmap of the given depth with pseudo-random pixels: a random colour table and random
// indexes up to 8 bits, random colours deeper down.
inline std::unique_ptr<fw::TBitmap> RandomBitmap(fw::TPixelFormat Format, int Width, int Height,
                                                 unsigned Seed) {
  std::mt19937 rng(Seed);
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(Format);
  b->SetSize(Width, Height);
  const int bits = Format == fw::pf1bit ? 1 : Format == fw::pf4bit ? 4 : Format == fw::pf8bit ? 8 : 0;
  if (bits) {
    std::vector<win::RGBQUAD> table(std::size_t(1) << bits);
    for (auto& e : table) {
      e.rgbRed = std::uint8_t(rng());
      e.rgbGreen = std::uint8_t(rng());
      e.rgbBlue = std::uint8_t(rng());
    }
    b->SetColorTable(table);
    for (int y = 0; y < Height; ++y) {
      auto* row = static_cast<std::uint8_t*>(b->ScanLine(y));
      for (int i = 0; i < (Width * bits + 7) / 8; ++i) row[i] = std::uint8_t(rng());
    }
  } else {
    fw::TCanvas* c = b->Canvas();
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) c->SetPixels(x, y, RandomColor(rng));
  }
  return b;
}

inline std::uint16_t Word(const Bytes& B, std::size_t At) {
  return std::uint16_t(B.at(At) | B.at(At + 1) << 8);
}
inline std::uint32_t Long(const Bytes& B, std::size_t At) {
  return std::uint32_t(Word(B, At)) | std::uint32_t(Word(B, At + 2)) << 16;
}

}  // namespace writertest
