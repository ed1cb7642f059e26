#pragma once
// Helpers for the GIF image tests: bytes in and out of images, bitmaps of each depth, and the
// independent readers (Pillow through /usr/bin/python3, giftext) run on written files.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "export/GIFImage.h"
#include "export/GIFImageExtensions.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImageItems.h"
#include "framework/GraphicsBitmap.h"
#include "export_test_files.h"
#include "framework/Streams.h"

namespace giftest {

using exporttest::Bytes;

inline Bytes Save(kvexport::TGIFImage& Image) {
  fw::TMemoryStream stream;
  Image.SaveToStream(&stream);
  const auto* p = static_cast<const std::uint8_t*>(static_cast<const fw::TCustomMemoryStream&>(stream).Memory());
  return Bytes(p, p + stream.Size());
}

// Loads Data; the warnings go to *Warnings when given.
inline void Load(kvexport::TGIFImage& Image, const Bytes& Data, std::vector<std::string>* Warnings = nullptr) {
  if (Warnings)
    Image.OnWarning = [Warnings](fw::TObject*, int, const std::string& m) { Warnings->push_back(m); };
  fw::TMemoryStream stream;
  if (!Data.empty()) stream.WriteBuffer(Data.data(), static_cast<fw::Integer>(Data.size()));
  stream.SetPosition(0);
  Image.LoadFromStream(&stream);
}

// A 24-bit bitmap filled by Pixel(x, y) -> 0xRRGGBB.
template <typename F>
std::unique_ptr<fw::TBitmap> Bitmap24(int Width, int Height, F Pixel) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(Width, Height);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(b->ScanLine(y));
    for (int x = 0; x < Width; ++x) {
      const std::uint32_t c = Pixel(x, y);
      row[x * 3] = static_cast<std::uint8_t>(c);
      row[x * 3 + 1] = static_cast<std::uint8_t>(c >> 8);
      row[x * 3 + 2] = static_cast<std::uint8_t>(c >> 16);
    }
  }
  return b;
}

// The colour of frame pixel (x, y) through its active map, as 0xRRGGBB.
inline std::uint32_t FrameRGB(kvexport::TGIFSubImage& Frame, int X, int Y) {
  const kvexport::TGIFColor c = Frame.ActiveColorMap().Entry(Frame.Pixels(X, Y));
  return static_cast<std::uint32_t>(c.Red << 16 | c.Green << 8 | c.Blue);
}

using TempDir = exporttest::ScratchDir;
using exporttest::ReadFile;
using exporttest::WriteFile;

// Runs a Python script (Pillow) with the file path as argv[1]; its standard output.
inline std::string Python(const std::string& Script, const std::string& Path) {
  TempDir dir;
  const std::string script = dir.File("check.py");
  std::ofstream(script) << Script;
  int status = -1;
  std::string out = exporttest::CommandOutput("/usr/bin/python3 " + script + " " + Path + " 2>&1", &status);
  EXPECT_EQ(status, 0) << out;
  return out;
}

inline std::string GifText(const std::string& Path) {
  int status = -1;
  std::string out = exporttest::CommandOutput("giftext " + Path + " 2>&1", &status);
  EXPECT_EQ(status, 0) << out;
  return out;
}

}  // namespace giftest
