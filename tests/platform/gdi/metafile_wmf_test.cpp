// Windows metafiles converted from recorded pictures: the records' own bookkeeping (sizes, the
// largest record, object slots) walked here, and the picture rendered by libwmf's wmf2gd compared
// with drawing directly.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <unistd.h>

#include "dc_test_support.h"
#include "metafile_test_support.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"
#include "platform/kernel/LastError.h"

namespace win::testing {
namespace {

constexpr int kWmfW = 64, kWmfH = 48;

std::vector<uint8_t> WmfOf(const std::function<void(HDC)>& draw) {
  const RECT frame = FrameForPixels(kWmfW, kWmfH);
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  // A white background over the whole picture, as the chart paints: libwmf renders the box of
  // what was drawn.
  const RECT all{0, 0, kWmfW, kWmfH};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  draw(dc);
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  std::vector<uint8_t> wmf(GetWinMetaFileBits(mf, 0, nullptr, MM_ANISOTROPIC, nullptr));
  EXPECT_EQ(GetWinMetaFileBits(mf, UINT(wmf.size()), wmf.data(), MM_ANISOTROPIC, nullptr), wmf.size());
  DeleteEnhMetaFile(mf);
  return wmf;
}

uint16_t Word(const std::vector<uint8_t>& b, size_t off) { return uint16_t(b[off] | b[off + 1] << 8); }

// Walks the records: each lies inside the file, none is larger than the header's largest, every
// selected or deleted slot was created before and is below the header's object count, and the
// file ends with the end record.
void CheckRecords(const std::vector<uint8_t>& b) {
  ASSERT_GE(b.size(), 18u + 6u);
  const uint32_t words = Word(b, 6) | uint32_t(Word(b, 8)) << 16;
  const uint16_t objects = Word(b, 10);
  const uint32_t largest = Word(b, 12) | uint32_t(Word(b, 14)) << 16;
  EXPECT_EQ(size_t(words) * 2, b.size());
  std::set<int> live;
  size_t off = 18;
  uint16_t function = 0xFFFF;
  while (off + 6 <= b.size()) {
    const uint32_t size = Word(b, off) | uint32_t(Word(b, off + 2)) << 16;
    function = Word(b, off + 4);
    ASSERT_GE(size, 3u);
    ASSERT_LE(size_t(size) * 2, b.size() - off);
    EXPECT_LE(size, largest);
    if (function == 0x02FA || function == 0x02FB || function == 0x02FC || function == 0x0142) {
      int slot = 0;
      while (live.count(slot)) ++slot;
      live.insert(slot);
      EXPECT_LT(slot, objects);
    } else if (function == 0x012D || function == 0x01F0) {
      const int slot = Word(b, off + 6);
      EXPECT_TRUE(live.count(slot)) << "slot " << slot << " used before it was made";
      if (function == 0x01F0) live.erase(slot);
    }
    off += size_t(size) * 2;
    if (function == 0) break;
  }
  EXPECT_EQ(function, 0) << "the end record closes the file";
  EXPECT_EQ(off, b.size());
}

// libwmf's picture of the file (wmf2gd: its SVG output ignores clips and rounds colours), as 0xRRGGBB per pixel; empty when it could not be read.
std::vector<COLORREF> Rendered(const std::vector<uint8_t>& wmf) {
  const std::string dir = std::filesystem::temp_directory_path() / ("kv-wmf-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  // The placeable header: the picture's box in pixels at 96 per inch, then its checksum.
  uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, kWmfW, kWmfH, 96, 0, 0, 0};
  for (int i = 0; i < 10; ++i) header[10] ^= header[i];
  {
    std::ofstream out(dir + "/p.wmf", std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out.write(reinterpret_cast<const char*>(wmf.data()), std::streamsize(wmf.size()));
  }
  const std::string command = "wmf2gd -t png --maxpect --maxwidth=64 --maxheight=48 -o " + dir + "/p.png " + dir +
                              "/p.wmf >/dev/null 2>&1 && /usr/bin/python3 -c \"from PIL import Image; im = "
                              "Image.open('" + dir + "/p.png').convert('RGB'); print(im.size[0], im.size[1], "
                              "''.join('%02x%02x%02x' % p for p in im.getdata()))\"";
  std::string text;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    std::array<char, 65536> buf;
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) text.append(buf.data(), n);
    ::pclose(p);
  }
  std::filesystem::remove_all(dir);
  std::vector<COLORREF> pixels;
  int w = 0, h = 0;
  char hex[8] = {};
  if (std::sscanf(text.c_str(), "%d %d", &w, &h) != 2 || w != kWmfW || h != kWmfH) return pixels;
  const char* p = text.c_str() + text.find(' ', text.find(' ') + 1) + 1;
  for (int i = 0; i < kWmfW * kWmfH; ++i, p += 6) {
    std::memcpy(hex, p, 6);
    const unsigned long v = std::strtoul(hex, nullptr, 16);
    pixels.push_back(RGB(v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF));
  }
  return pixels;
}

// Pixels of the direct drawing with no pixel of a close colour at most one pixel away in the
// rendering (libwmf places edges by its own rules).
int Misses(const Canvas& Direct, const std::vector<COLORREF>& R) {
  auto close = [](COLORREF a, COLORREF b) {
    for (int s : {0, 8, 16})
      if (std::abs(int(a >> s & 0xFF) - int(b >> s & 0xFF)) > 48) return false;
    return true;
  };
  int misses = 0;
  for (int y = 0; y < kWmfH; ++y)
    for (int x = 0; x < kWmfW; ++x) {
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy)
        for (int dx = -1; dx <= 1 && !found; ++dx) {
          const int u = x + dx, v = y + dy;
          found = u >= 0 && v >= 0 && u < kWmfW && v < kWmfH && close(Direct.At(x, y), R[size_t(v * kWmfW + u)]);
        }
      misses += !found;
    }
  return misses;
}

TEST(MetafileWmf, RecordsAndRenderingFollowTheDrawing) {
  struct Case {
    const char* Name;
    std::function<void(HDC)> Draw;
  };
  const Case cases[] = {
      {"shapes", [](HDC dc) {
         HPEN pen = CreatePen(PS_SOLID, 3, kBlue);
         HBRUSH brush = CreateSolidBrush(RGB(200, 40, 30));
         SelectObject(dc, pen);
         SelectObject(dc, brush);
         Rectangle(dc, 4, 4, 30, 20);
         RoundRect(dc, 34, 4, 60, 24, 4, 4);  // libwmf's picture leaves ellipses unfilled
         const POINT tri[3] = {{6, 44}, {20, 26}, {34, 44}};
         Polygon(dc, tri, 3);
         MoveToEx(dc, 40, 30, nullptr);
         LineTo(dc, 62, 46);
         SelectObject(dc, GetStockObject(BLACK_PEN));
         SelectObject(dc, GetStockObject(WHITE_BRUSH));
         DeleteObject(pen);
         DeleteObject(brush);
       }},
      {"clips, saved states and objects deleted once drawn", [](HDC dc) {
         for (int i = 0; i < 6; ++i) {
           HBRUSH b = CreateSolidBrush(RGB(40 * i, 200 - 30 * i, 90));
           HGDIOBJ old = SelectObject(dc, b);
           const int saved = SaveDC(dc);
           IntersectClipRect(dc, i * 10, 0, i * 10 + 8, 40);
           SelectObject(dc, GetStockObject(NULL_PEN));
           Rectangle(dc, 0, i * 4, 64, i * 4 + 20);
           RestoreDC(dc, saved);
           SelectObject(dc, old);
           DeleteObject(b);
         }
         SelectClipRgn(dc, nullptr);
         SetViewportOrgEx(dc, 2, 2, nullptr);
         Rectangle(dc, 40, 36, 60, 44);
       }},
      {"gradient", [](HDC dc) {
         TRIVERTEX v[2] = {{2, 2, 0xFF00, 0, 0, 0}, {62, 46, 0, 0, 0xFF00, 0}};
         GRADIENT_RECT r{0, 1};
         GradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::vector<uint8_t> wmf = WmfOf(c.Draw);
    CheckRecords(wmf);
    Canvas direct(kWmfW, kWmfH);
    c.Draw(direct.dc());
    const std::vector<COLORREF> rendered = Rendered(wmf);
    ASSERT_EQ(rendered.size(), size_t(kWmfW * kWmfH)) << "libwmf could not read the file";
    // libwmf fills outlineless rectangles a pixel further than GDI: a third of what a blank
    // picture would miss leaves room for that and none for a shape lost or misplaced.
    const int blank = Misses(direct, std::vector<COLORREF>(size_t(kWmfW * kWmfH), kWhite));
    EXPECT_LT(Misses(direct, rendered), blank / 3);
  }
}

TEST(MetafileWmf, OnlyTheAnisotropicMappingAndLiveHandlesAreAccepted) {
  EXPECT_EQ(GetWinMetaFileBits(reinterpret_cast<HENHMETAFILE>(uintptr_t(0x1234)), 0, nullptr, MM_ANISOTROPIC, nullptr),
            0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  const RECT frame = FrameForPixels(8, 8);
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  EXPECT_EQ(GetWinMetaFileBits(mf, 0, nullptr, MM_TEXT, nullptr), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  uint8_t small[4];
  EXPECT_EQ(GetWinMetaFileBits(mf, sizeof small, small, MM_ANISOTROPIC, nullptr), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  DeleteEnhMetaFile(mf);
}

}  // namespace
}  // namespace win::testing

namespace win::testing {
namespace {

// What a drawing of the given picture size converts to: the bytes, or none with the error.
std::vector<uint8_t> ConvertedOf(int W, int H, const std::function<void(HDC)>& draw, DWORD& error) {
  const RECT frame = FrameForPixels(W, H);
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
  draw(dc);
  HENHMETAFILE mf = CloseEnhMetaFile(dc);
  SetLastError(ERROR_SUCCESS);
  std::vector<uint8_t> wmf(GetWinMetaFileBits(mf, 0, nullptr, MM_ANISOTROPIC, nullptr));
  error = GetLastError();
  if (!wmf.empty()) GetWinMetaFileBits(mf, UINT(wmf.size()), wmf.data(), MM_ANISOTROPIC, nullptr);
  DeleteEnhMetaFile(mf);
  return wmf;
}

// The records of one function, as their word lists.
std::vector<std::vector<uint16_t>> RecordsOf(const std::vector<uint8_t>& b, uint16_t Function) {
  std::vector<std::vector<uint16_t>> found;
  for (size_t off = 18; off + 6 <= b.size();) {
    const uint32_t size = Word(b, off) | uint32_t(Word(b, off + 2)) << 16;
    if (size < 3 || size_t(size) * 2 > b.size() - off) break;
    if (Word(b, off + 4) == Function) {
      std::vector<uint16_t> words;
      for (size_t i = 3; i < size; ++i) words.push_back(Word(b, off + i * 2));
      found.push_back(words);
    }
    off += size_t(size) * 2;
  }
  return found;
}

// What has a 16-bit form is written whole (long lines in pieces), what has none is refused:
// never a file with less than was drawn.
TEST(MetafileWmf, WhatExceedsTheWordLimitsIsSplitOrRefused) {
  std::vector<POINT> line(40000);
  for (size_t i = 0; i < line.size(); ++i) line[i] = POINT{LONG(i % 600), LONG(i / 200)};
  const std::u16string text(9000, u'ж');
  const std::u16string tooLong(40000, u'a');
  struct Case {
    const char* Name;
    int W, H;
    std::function<void(HDC)> Draw;
    bool Refused;
  };
  const Case cases[] = {
      {"a 40000-point line", 640, 480, [&](HDC dc) { Polyline(dc, line.data(), int(line.size())); }, false},
      {"a 9000-character text", 640, 480, [&](HDC dc) { TextOutW(dc, 0, 0, text.data(), int(text.size())); }, false},
      {"a 40000-point polygon", 640, 480, [&](HDC dc) { Polygon(dc, line.data(), int(line.size())); }, true},
      {"a 40000-character text", 640, 480, [&](HDC dc) { TextOutW(dc, 0, 0, tooLong.data(), int(tooLong.size())); },
       true},
      {"a picture 40000 wide", 40000, 10, [](HDC dc) { Rectangle(dc, 0, 0, 5, 5); }, true},
      {"a picture 32767 wide", 32767, 10, [](HDC dc) { Rectangle(dc, 0, 0, 5, 5); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    DWORD error = 0;
    const std::vector<uint8_t> wmf = ConvertedOf(c.W, c.H, c.Draw, error);
    if (c.Refused) {
      EXPECT_TRUE(wmf.empty());
      EXPECT_EQ(error, ERROR_NOT_SUPPORTED);
      continue;
    }
    ASSERT_FALSE(wmf.empty());
    CheckRecords(wmf);
  }
  // The line's pieces join up and hold every point, the last one included.
  DWORD error = 0;
  const auto pieces = RecordsOf(ConvertedOf(640, 480, cases[0].Draw, error), 0x0325);
  ASSERT_GT(pieces.size(), 1u);
  size_t points = 0;
  for (const auto& w : pieces) points += w[0] - 1;
  EXPECT_EQ(points + 1, line.size());
  const auto& last = pieces.back();
  EXPECT_EQ(int16_t(last[last.size() - 2]), line.back().x);
  EXPECT_EQ(int16_t(last[last.size() - 1]), line.back().y);
  const auto texts = RecordsOf(ConvertedOf(640, 480, cases[1].Draw, error), 0x0A32);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0][2], 9000);
}

}  // namespace
}  // namespace win::testing
