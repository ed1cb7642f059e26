#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bitmap_test_support.h"
#include "platform/gdi/Snapshot.h"
#include "support/Snapshot.h"

namespace win::gdi::testing {
namespace {

namespace fs = std::filesystem;

// A scratch folder removed with the fixture.
class BmpFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kv-bmp-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (HBITMAP h : made_) HandleTable::Instance().Remove(h);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  HBITMAP Keep(HBITMAP h) {
    if (h) made_.push_back(h);
    return h;
  }

  // Runs a Python script (Pillow is the independent reader) and returns what it printed.
  std::string Python(const std::string& script) {
    const std::string file = Path("script.py");
    std::ofstream(file) << script;
    const std::string cmd = "/usr/bin/python3 " + file + " 2>&1";
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return "popen failed";
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    const int status = pclose(pipe);
    EXPECT_EQ(status, 0) << out;
    return out;
  }

  fs::path dir_;
  std::vector<HBITMAP> made_;
};

// Test colours: channels at 0, 255 or values all depths with a table or 5+ bits hold well.
const COLORREF kPalette[] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(255, 0, 0),   RGB(0, 255, 0),
                             RGB(0, 0, 255),   RGB(255, 255, 0),   RGB(0, 255, 255), RGB(255, 0, 255),
                             RGB(128, 64, 32), RGB(16, 200, 100)};

std::vector<RGBQUAD> PaletteTable(size_t n) {
  std::vector<RGBQUAD> t;
  for (size_t i = 0; i < n; ++i)
    t.push_back(RGBQUAD{GetBValue(kPalette[i]), GetGValue(kPalette[i]), GetRValue(kPalette[i]), 0});
  return t;
}

struct Depth {
  int bpp;
  DWORD compression;
  size_t colours;
  const char* pillowModes;  // modes Pillow may report
  int tolerance;            // Pillow widens 5/6-bit channels by scaling, we by bit replication
};
const Depth kDepths[] = {{1, BI_RGB, 2, "1 L P", 0},       {4, BI_RGB, 10, "P", 0},
                         {8, BI_RGB, 10, "P", 0},          {16, BI_RGB, 10, "RGB", 4},
                         {16, BI_BITFIELDS, 10, "RGB", 4}, {24, BI_RGB, 10, "RGB", 0},
                         {32, BI_RGB, 10, "RGB RGBA", 0}};

TEST_F(BmpFiles, EveryDepthWeWriteIsReadBackByPillow) {
  constexpr int W = 5, H = 3;  // odd width: rows need padding
  std::vector<HBITMAP> written;
  std::string files;
  for (const Depth& d : kDepths) {
    HBITMAP h = Keep(
        MakeDib(W, H, d.bpp, d.bpp <= 8 ? PaletteTable(d.colours) : std::vector<RGBQUAD>{}, d.compression));
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) SetPx(h, x, y, kPalette[size_t(x + 2 * y) % d.colours]);
    const std::string file = Path("out" + std::to_string(written.size()) + ".bmp");
    std::string error;
    ASSERT_TRUE(SaveBmpToFile(h, file, &error)) << error;
    written.push_back(h);
    files += "'" + file + "',";
  }
  // One reader run for all files: per file a header line, then one line per pixel row.
  const std::string out = Python(
      "from PIL import Image\n"
      "for f in [" +
      files +
      "]:\n"
      "  im = Image.open(f)\n"
      "  print(im.format, im.size[0], im.size[1], im.mode)\n"
      "  rgb = im.convert('RGB')\n"
      "  for y in range(im.size[1]):\n"
      "    print(' '.join('%d,%d,%d' % rgb.getpixel((x, y)) for x in range(im.size[0])))\n");
  std::istringstream in(out);
  for (size_t i = 0; i < written.size(); ++i) {
    const Depth& d = kDepths[i];
    SCOPED_TRACE(::testing::Message() << d.bpp << "/" << d.compression);
    std::string format, mode;
    int w = 0, hgt = 0;
    in >> format >> w >> hgt >> mode;
    ASSERT_EQ(format, "BMP") << out;
    ASSERT_EQ(w, W);
    ASSERT_EQ(hgt, H);
    EXPECT_NE(std::string(" ").append(d.pillowModes).append(" ").find(" " + mode + " "), std::string::npos)
        << mode;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        int r, g, b;
        char comma;
        ASSERT_TRUE(in >> r >> comma >> g >> comma >> b) << out;
        const COLORREF want = Px(written[i], x, y);
        EXPECT_NEAR(r, GetRValue(want), d.tolerance) << x << "," << y;
        EXPECT_NEAR(g, GetGValue(want), d.tolerance) << x << "," << y;
        EXPECT_NEAR(b, GetBValue(want), d.tolerance) << x << "," << y;
      }
  }
}

TEST_F(BmpFiles, PillowWrittenFilesLoadWithTheirPixels) {
  const std::string out = Python(
      "from PIL import Image\n"
      "import os\n"
      "d = '" +
      dir_.string() +
      "'\n"
      "w, h = 7, 4\n"
      "def colour(x, y): return ((x * 37) % 256, (y * 71 + x) % 256, (x * y * 13) % 256)\n"
      "rgb = Image.new('RGB', (w, h))\n"
      "for y in range(h):\n"
      "  for x in range(w): rgb.putpixel((x, y), colour(x, y))\n"
      "rgb.save(os.path.join(d, 'rgb.bmp'))\n"
      "rgba = rgb.convert('RGBA'); rgba.save(os.path.join(d, 'rgba.bmp'))\n"
      "rgb.convert('L').save(os.path.join(d, 'l.bmp'))\n"
      "rgb.convert('1').save(os.path.join(d, 'mono.bmp'))\n"
      "rgb.quantize(6).save(os.path.join(d, 'p.bmp'))\n"
      "for name in ['rgb', 'rgba', 'l', 'mono', 'p']:\n"
      "  im = Image.open(os.path.join(d, name + '.bmp')).convert('RGB')\n"
      "  print(name, ' '.join('%d,%d,%d' % im.getpixel((x, y)) for y in range(h) for x in range(w)))\n");
  std::istringstream lines(out);
  std::string line;
  int files = 0;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string name;
    in >> name;
    SCOPED_TRACE(name);
    std::string error;
    HBITMAP h = Keep(LoadBmpFromFile(Path(name + ".bmp"), &error));
    ASSERT_NE(h, nullptr) << error;
    ASSERT_EQ(Bmp(h).width, 7);
    ASSERT_EQ(Bmp(h).height, 4);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 7; ++x) {
        int r, g, b;
        char comma;
        ASSERT_TRUE(in >> r >> comma >> g >> comma >> b) << line;
        ASSERT_EQ(Px(h, x, y), RGB(BYTE(r), BYTE(g), BYTE(b))) << x << "," << y;
      }
    ++files;
  }
  EXPECT_EQ(files, 5) << out;
}

TEST_F(BmpFiles, MemoryRoundTripKeepsBitsTablesAndTopDownFilesRead) {
  for (const Depth& d : kDepths) {
    SCOPED_TRACE(d.bpp);
    HBITMAP h = Keep(
        MakeDib(9, 4, d.bpp, d.bpp <= 8 ? PaletteTable(d.colours) : std::vector<RGBQUAD>{}, d.compression));
    for (size_t i = 0; i < Bmp(h).bits.size(); ++i) Bmp(h).bits[i] = uint8_t(i * 7 + 3);
    if (d.bpp == 16)  // the unused top bit of 5-5-5 pixels stays clear
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x) SetRaw(Bmp(h), x, y, GetRaw(Bmp(h), x, y) & RawMask(Bmp(h)));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(SaveBmpToMemory(h, bytes));
    HBITMAP back = Keep(LoadBmpFromMemory(bytes.data(), bytes.size()));
    ASSERT_NE(back, nullptr);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 9; ++x) ASSERT_EQ(GetRaw(Bmp(back), x, y), GetRaw(Bmp(h), x, y)) << x << "," << y;
    EXPECT_EQ(Bmp(back).colorTable, Bmp(h).colorTable);
    EXPECT_EQ(Bmp(back).greenMask, Bmp(h).greenMask);
  }
  // A top-down 24-bit file: the first stored row is the top one.
  std::vector<uint8_t> file(14 + 40 + 8, 0);
  file[0] = 'B', file[1] = 'M', file[10] = 54;
  BITMAPINFOHEADER bih;
  bih.biWidth = 2;
  bih.biHeight = -1;
  bih.biBitCount = 24;
  std::memcpy(&file[14], &bih, 40);
  const uint8_t px[6] = {0x30, 0x20, 0x10, 0x03, 0x02, 0x01};
  std::memcpy(&file[54], px, 6);
  HBITMAP td = Keep(LoadBmpFromMemory(file.data(), file.size()));
  ASSERT_NE(td, nullptr);
  EXPECT_EQ(Px(td, 0, 0), RGB(0x10, 0x20, 0x30));
  EXPECT_EQ(Px(td, 1, 0), RGB(0x01, 0x02, 0x03));
}

// A valid 4x2 8-bit file to break in different ways.
std::vector<uint8_t> GoodFile() {
  std::vector<uint8_t> f(14 + 40 + 4 * 4 + 8, 0);
  f[0] = 'B', f[1] = 'M';
  const DWORD off = 14 + 40 + 16;
  std::memcpy(&f[10], &off, 4);
  BITMAPINFOHEADER bih;
  bih.biWidth = 4;
  bih.biHeight = 2;
  bih.biBitCount = 8;
  bih.biClrUsed = 4;
  std::memcpy(&f[14], &bih, 40);
  return f;
}

template <class T>
void Poke(std::vector<uint8_t>& f, size_t at, T v) {
  std::memcpy(&f[at], &v, sizeof v);
}

TEST_F(BmpFiles, MalformedFilesAreRefusedWithAReason) {
  {
    const std::vector<uint8_t> f = GoodFile();
    HBITMAP ok = Keep(LoadBmpFromMemory(f.data(), f.size()));
    ASSERT_NE(ok, nullptr);  // the base case is valid
  }
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  auto with = [&](const char* what, auto edit) {
    std::vector<uint8_t> f = GoodFile();
    edit(f);
    cases.push_back({what, std::move(f)});
  };
  with("truncated file header", [](auto& f) { f.resize(10); });
  with("truncated info header", [](auto& f) { f.resize(30); });
  with("truncated colour table", [](auto& f) { f.resize(14 + 40 + 6); });
  with("truncated pixels", [](auto& f) { f.pop_back(); });
  with("bad signature", [](auto& f) { f[0] = 'X'; });
  with("huge width", [](auto& f) { Poke<LONG>(f, 18, 0x7FFFFFFF); });
  with("huge area", [](auto& f) { Poke<LONG>(f, 18, 1 << 20), Poke<LONG>(f, 22, 1 << 20); });
  with("negative width", [](auto& f) { Poke<LONG>(f, 18, -4); });
  with("most negative height", [](auto& f) { Poke<LONG>(f, 22, LONG(0x80000000)); });
  with("zero planes", [](auto& f) { Poke<WORD>(f, 26, 0); });
  with("odd depth", [](auto& f) { Poke<WORD>(f, 28, 3); });
  with("unknown compression", [](auto& f) { Poke<DWORD>(f, 30, 9); });
  with("colour count beyond the depth", [](auto& f) { Poke<DWORD>(f, 46, 0xFFFFFFF0); });
  with("unknown header size", [](auto& f) { Poke<DWORD>(f, 14, 64); });
  with("offset past the end", [](auto& f) { Poke<DWORD>(f, 10, 0x7FFFFFFF); });
  with("offset inside the header", [](auto& f) { Poke<DWORD>(f, 10, 20); });
  with("run-length data without its end", [](auto& f) {
    Poke<DWORD>(f, 30, BI_RLE8);
    f.resize(14 + 40 + 16 + 3);
    f[70] = 2, f[71] = 1, f[72] = 0;
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    // Copied to an exact-size heap buffer so a read past the end is caught by the sanitizer.
    std::unique_ptr<uint8_t[]> exact(new uint8_t[c.bytes.size()]);
    std::memcpy(exact.get(), c.bytes.data(), c.bytes.size());
    EXPECT_EQ(Keep(LoadBmpFromMemory(exact.get(), c.bytes.size(), &error)), nullptr);
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  EXPECT_EQ(LoadBmpFromFile(Path("missing.bmp"), &error), nullptr);
  EXPECT_FALSE(error.empty());
}

TEST_F(BmpFiles, FailedWritesLeaveNoFileBehind) {
  HBITMAP h = Keep(MakeDib(3, 3, 24));
  std::string error;
  EXPECT_FALSE(SaveBmpToFile(h, Path("no/such/folder/x.bmp"), &error));
  EXPECT_FALSE(error.empty());
  // The target is a folder: the rename fails and the temporary file goes away.
  fs::create_directory(Path("taken.bmp"));
  fs::create_directory(Path("taken.bmp/inner"));
  EXPECT_FALSE(SaveBmpToFile(h, Path("taken.bmp"), &error));
  size_t entries = 0;
  for (const auto& e : fs::directory_iterator(dir_)) entries += e.path().filename() != "taken.bmp";
  EXPECT_EQ(entries, 0u);
  EXPECT_FALSE(SaveBmpToFile(reinterpret_cast<HBITMAP>(0x1234), Path("bad.bmp"), &error));
  EXPECT_FALSE(fs::exists(Path("bad.bmp")));
  // An existing file is replaced whole.
  ASSERT_TRUE(SaveBmpToFile(h, Path("x.bmp")));
  ASSERT_TRUE(SaveBmpToFile(Keep(MakeDib(1, 1, 24)), Path("x.bmp")));
  EXPECT_EQ(fs::file_size(Path("x.bmp")), 14u + 40 + 4);
}

TEST_F(BmpFiles, PngSnapshotsOfAPartAreReadByPillow) {
  HBITMAP h = Keep(MakeDib(6, 5, 8, PaletteTable(10)));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) SetPx(h, x, y, kPalette[size_t(x + y) % 10]);
  const RECT part{2, 1, 10, 3};  // clipped to the bitmap: 4 x 2
  ASSERT_TRUE(SaveBitmapAsPng(h, Path("part.png"), &part));
  const std::string out = Python(
      "from PIL import Image\n"
      "im = Image.open('" +
      Path("part.png") +
      "').convert('RGB')\n"
      "print(im.size[0], im.size[1], ' '.join('%d,%d,%d' % im.getpixel((x, y)) for y in range(im.size[1]) "
      "for x in range(im.size[0])))\n");
  std::istringstream in(out);
  int w = 0, hgt = 0;
  in >> w >> hgt;
  ASSERT_EQ(w, 4) << out;
  ASSERT_EQ(hgt, 2);
  for (int y = 1; y < 3; ++y)
    for (int x = 2; x < 6; ++x) {
      int r, g, b;
      char comma;
      ASSERT_TRUE(in >> r >> comma >> g >> comma >> b);
      EXPECT_EQ(RGB(BYTE(r), BYTE(g), BYTE(b)), Px(h, x, y)) << x << "," << y;
    }
  const RECT outside{20, 20, 30, 30};
  EXPECT_FALSE(SaveBitmapAsPng(h, Path("none.png"), &outside));
  // The test-support helper names the file after the running test.
  const std::string path = kvtest::SaveSnapshot(h, "whole");
  EXPECT_NE(path.find("BmpFiles.PngSnapshotsOfAPartAreReadByPillow-whole.png"), std::string::npos);
  EXPECT_TRUE(fs::exists(path));
  fs::remove(path);
}

}  // namespace
}  // namespace win::gdi::testing
