#pragma once
// Helpers for the GIF image tests: bytes in and out of images, bitmaps of each depth, and the
// independent readers (Pillow through /usr/bin/python3, giftext) run on written files.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "export/GIFImage.h"
#include "export/GIFImageExtensions.h"
#include "export/GIFImageFrame.h"
#include "export/GIFImageItems.h"
#include "framework/GraphicsBitmap.h"
#include "framework/Streams.h"

namespace giftest {

using Bytes = std::vector<std::uint8_t>;

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

// A scratch directory removed with the object.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvgifXXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& Name) const { return (path_ / Name).string(); }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& Path, const Bytes& Data) {
  std::ofstream f(Path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(Data.data()), static_cast<std::streamsize>(Data.size()));
}

inline Bytes ReadFile(const std::string& Path) {
  std::ifstream f(Path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline std::string Run(const std::string& Command, int* Status) {
  std::string out;
  FILE* pipe = popen(Command.c_str(), "r");
  if (!pipe) return out;
  char buf[65536];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  *Status = pclose(pipe);
  return out;
}

// Runs a Python script (Pillow) with the file path as argv[1]; its standard output.
inline std::string Python(const std::string& Script, const std::string& Path) {
  TempDir dir;
  const std::string script = dir.File("check.py");
  std::ofstream(script) << Script;
  int status = -1;
  std::string out = Run("/usr/bin/python3 " + script + " " + Path + " 2>&1", &status);
  EXPECT_EQ(status, 0) << out;
  return out;
}

inline std::string GifText(const std::string& Path) {
  int status = -1;
  std::string out = Run("giftext " + Path + " 2>&1", &status);
  EXPECT_EQ(status, 0) << out;
  return out;
}

}  // namespace giftest
