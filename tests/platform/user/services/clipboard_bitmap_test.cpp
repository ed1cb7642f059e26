#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace win {
namespace {

// A top-down 32-bit DIB section with the given 0x00RRGGBB pixels, row by row.
HBITMAP MakeBitmap(int w, int h, const std::vector<uint32_t>& pixels) {
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP hbm = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::memcpy(bits, pixels.data(), pixels.size() * 4);
  return hbm;
}

// The bitmap's pixels as 0x00RRGGBB, top row first.
std::vector<uint32_t> PixelsOf(HBITMAP hbm, int w, int h) {
  BITMAPINFO bi;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> out(size_t(w) * size_t(h));
  EXPECT_EQ(GetDIBits(nullptr, hbm, 0, UINT(h), out.data(), &bi, DIB_RGB_COLORS), h);
  for (auto& p : out) p &= 0x00FFFFFF;
  return out;
}

std::vector<uint8_t> BlockBytes(HANDLE h) {
  auto* block = static_cast<HGLOBAL>(h);
  auto* p = static_cast<const uint8_t*>(GlobalLock(block));
  std::vector<uint8_t> out(p, p + GlobalSize(block));
  GlobalUnlock(block);
  return out;
}

// A packed DIB: header, colour table or masks, then the rows as given.
std::vector<uint8_t> PackedDib(LONG w, LONG h, WORD bpp, DWORD compression, const std::vector<uint32_t>& table,
                               const std::vector<uint8_t>& rows) {
  BITMAPINFOHEADER hdr;
  hdr.biWidth = w;
  hdr.biHeight = h;
  hdr.biBitCount = bpp;
  hdr.biCompression = compression;
  hdr.biClrUsed = bpp <= 8 ? DWORD(table.size()) : 0;
  std::vector<uint8_t> out(sizeof(hdr) + table.size() * 4);
  std::memcpy(out.data(), &hdr, sizeof(hdr));
  if (!table.empty()) std::memcpy(out.data() + sizeof(hdr), table.data(), table.size() * 4);
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

class ClipboardBitmapTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetClipboard(); }
  void TearDown() override { ResetClipboard(); }

  static void Place(UINT format, HANDLE h) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_EQ(SetClipboardData(format, h), h);
    ASSERT_TRUE(CloseClipboard());
  }
};

TEST_F(ClipboardBitmapTest, BitmapBecomesABottomUpPackedDib) {
  HBITMAP hbm = MakeBitmap(3, 2, {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203});
  Place(CF_BITMAP, hbm);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::vector<uint8_t> dib = BlockBytes(GetClipboardData(CF_DIB));
  ASSERT_TRUE(CloseClipboard());
  ASSERT_EQ(dib.size(), 40u + 3 * 2 * 4);
  BITMAPINFOHEADER hdr;
  std::memcpy(&hdr, dib.data(), sizeof(hdr));
  EXPECT_EQ(hdr.biSize, 40u);
  EXPECT_EQ(hdr.biWidth, 3);
  EXPECT_EQ(hdr.biHeight, 2);
  EXPECT_EQ(hdr.biBitCount, 32);
  EXPECT_EQ(hdr.biCompression, BI_RGB);
  // First stored row is the bottom one, pixels as blue, green, red, unused.
  const uint8_t* row0 = dib.data() + 40;
  EXPECT_EQ(row0[0], 0xCC);
  EXPECT_EQ(row0[1], 0xBB);
  EXPECT_EQ(row0[2], 0xAA);
  const uint8_t* row1 = dib.data() + 40 + 12;
  EXPECT_EQ(row1[8], 0x99);
  EXPECT_EQ(row1[10], 0x77);
}

TEST_F(ClipboardBitmapTest, DibMadeFromABitmapReadsBackInAnIndependentReader) {
  HBITMAP hbm = MakeBitmap(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x808080});
  Place(CF_BITMAP, hbm);
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::vector<uint8_t> dib = BlockBytes(GetClipboardData(CF_DIB));
  ASSERT_TRUE(CloseClipboard());
  // The packed DIB behind a BMP file header must be a valid BMP file.
  std::vector<uint8_t> file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
  DWORD total = DWORD(14 + dib.size());
  std::memcpy(&file[2], &total, 4);
  file.insert(file.end(), dib.begin(), dib.end());
  auto path = std::filesystem::temp_directory_path() / ("kv_clipboard_dib_" + std::to_string(::getpid()) + ".bmp");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
  std::string cmd = "/usr/bin/python3 -c \"from PIL import Image; im = Image.open('" + path.string() +
                    "').convert('RGB'); print(im.size[0], im.size[1], *['%02x%02x%02x' % p for p in im.getdata()])\"";
  FILE* pipe = ::popen(cmd.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buf[256] = {};
  size_t n = std::fread(buf, 1, sizeof(buf) - 1, pipe);
  int status = ::pclose(pipe);
  std::filesystem::remove(path);
  ASSERT_EQ(status, 0);
  EXPECT_EQ(std::string(buf, n), "2 2 ff0000 00ff00 0000ff 808080\n");
}

TEST_F(ClipboardBitmapTest, PaletteDibBecomesABitmapWithTheTableColours) {
  // 2x2, 8 bits, bottom-up: bottom row indexes 1 0, top row 0 1; rows padded to 4 bytes.
  auto dib = PackedDib(2, 2, 8, BI_RGB, {0x0A141E, 0xC86432}, {1, 0, 0, 0, 0, 1, 0, 0});
  Place(CF_DIB, GlobalAllocCopy(dib.data(), dib.size()));
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto hbm = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(hbm, nullptr);
  EXPECT_EQ(GetObjectType(hbm), OBJ_BITMAP);
  EXPECT_EQ(PixelsOf(hbm, 2, 2), (std::vector<uint32_t>{0x0A141E, 0xC86432, 0xC86432, 0x0A141E}));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardBitmapTest, PaddedTopDownAndBitfieldDibs) {
  // 24 bits, 3 wide (9 bytes, padded to 12), top-down.
  std::vector<uint8_t> rows = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0, 0, 0};
  auto dib24 = PackedDib(3, -1, 24, BI_RGB, {}, rows);
  Place(CF_DIB, GlobalAllocCopy(dib24.data(), dib24.size()));
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto hbm = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(hbm, nullptr);
  EXPECT_EQ(PixelsOf(hbm, 3, 1), (std::vector<uint32_t>{0x030201, 0x060504, 0x090807}));
  ASSERT_TRUE(CloseClipboard());

  // 16 bits 5-6-5 with its three masks after the header: pure red and pure blue.
  std::vector<uint8_t> masks(12);
  DWORD m[3] = {0xF800, 0x07E0, 0x001F};
  std::memcpy(masks.data(), m, 12);
  masks.insert(masks.end(), {0x00, 0xF8, 0x1F, 0x00});
  auto dib16 = PackedDib(2, 1, 16, BI_BITFIELDS, {}, masks);
  Place(CF_DIB, GlobalAllocCopy(dib16.data(), dib16.size()));
  ASSERT_TRUE(OpenClipboard(nullptr));
  hbm = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(hbm, nullptr);
  EXPECT_EQ(PixelsOf(hbm, 2, 1), (std::vector<uint32_t>{0xFF0000, 0x0000FF}));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardBitmapTest, DamagedDibsGiveNoBitmap) {
  auto expectNone = [](std::vector<uint8_t> dib) {
    Place(CF_DIB, GlobalAllocCopy(dib.data(), dib.size()));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);
    ASSERT_TRUE(CloseClipboard());
  };
  expectNone(PackedDib(10000, 10000, 32, BI_RGB, {}, std::vector<uint8_t>(60)));  // bits missing
  expectNone(PackedDib(2, 2, 7, BI_RGB, {}, std::vector<uint8_t>(16)));           // no such depth
  auto huge = PackedDib(2, 2, 32, BI_RGB, {}, std::vector<uint8_t>(16));
  DWORD bogusSize = 5000;
  std::memcpy(huge.data(), &bogusSize, 4);  // header claims more than the block holds
  expectNone(huge);
  expectNone(std::vector<uint8_t>(12, 0xFF));  // shorter than a header
}

TEST_F(ClipboardBitmapTest, GdiFormatsTakeOnlyLiveObjectsAndDeleteThem) {
  HBITMAP hbm = MakeBitmap(1, 1, {0});
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(CF_BITMAP, reinterpret_cast<HANDLE>(uintptr_t(0x4444))), nullptr);
  EXPECT_EQ(SetClipboardData(CF_PALETTE, hbm), nullptr);  // a bitmap is no palette
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(SetClipboardData(CF_GDIOBJFIRST + 5, brush), brush);
  ASSERT_EQ(SetClipboardData(CF_BITMAP, hbm), hbm);
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetObjectType(hbm), 0u);
  EXPECT_EQ(GetObjectType(brush), 0u);
  ASSERT_TRUE(CloseClipboard());
}

}  // namespace
}  // namespace win
