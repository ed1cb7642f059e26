// The program's icon: loaded by name or extracted from the program file at the large and small
// sizes, drawn over what is there, and destroyed.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/Resources.h"
#include "platform/user/services/Icons.h"
#include "platform/user/services/SysMetrics.h"

using namespace win;

namespace {

// The program's icon as the build embeds it (resources/MAINICON.ico).
class ProgramIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(std::string(KV_SOURCE_DIR) + "/resources/MAINICON.ico", std::ios::binary);
    const std::vector<char> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(data.empty());
    resources::Register(RT_RCDATA, kProgramIconName, data.data(), data.size());
    char16_t own[1024] = {};
    programFile.assign(own, GetModuleFileNameW(nullptr, own, 1024));
  }
  static SIZE SizeOf(HICON h) {
    SIZE s{};
    EXPECT_TRUE(GetIconSize(h, &s));
    return s;
  }
  std::u16string programFile;
};

// A 32 × 32 white picture to draw on.
struct Sheet {
  Sheet() {
    BITMAPINFO bi;
    bi.bmiHeader.biWidth = 32;
    bi.bmiHeader.biHeight = -32;
    bi.bmiHeader.biBitCount = 32;
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
    std::fill(bits, bits + 32 * 32, 0xFFFFFFu);
  }
  ~Sheet() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  uint32_t At(int x, int y) const { return bits[y * 32 + x] & 0xFFFFFF; }
  HBITMAP bitmap = nullptr;
  HDC dc = nullptr;
  HGDIOBJ old = nullptr;
  uint32_t* bits = nullptr;
};

TEST_F(ProgramIcon, ExtractedAtTheLargeAndSmallSizes) {
  EXPECT_EQ(ExtractIconExW(programFile.c_str(), -1, nullptr, nullptr, 0), 1u);
  HICON large = nullptr, small = nullptr;
  ASSERT_EQ(ExtractIconExW(programFile.c_str(), 0, &large, &small, 1), 1u);
  EXPECT_EQ(SizeOf(large).cx, GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(SizeOf(small).cx, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(SizeOf(small).cy, 16);
  EXPECT_TRUE(DestroyIcon(large));
  EXPECT_TRUE(DestroyIcon(small));
  EXPECT_FALSE(DestroyIcon(small));
  // Only the program file's, and only icon 0.
  HICON none = nullptr;
  EXPECT_EQ(ExtractIconExW(u"/bin/sh", 0, nullptr, &none, 1), 0u);
  EXPECT_EQ(ExtractIconExW(programFile.c_str(), 1, nullptr, &none, 1), 0u);
  EXPECT_EQ(none, nullptr);
}

TEST_F(ProgramIcon, LoadedByNameNearestTheSizeAsked) {
  const struct {
    int cx;
    UINT flags;
    LONG side;
  } table[] = {{16, 0, 16}, {20, 0, 16}, {32, 0, 32}, {48, 0, 32}, {0, LR_DEFAULTSIZE, 32}, {0, 0, 32}};
  for (const auto& row : table) {
    HICON h = static_cast<HICON>(LoadImageW(nullptr, kProgramIconName, IMAGE_ICON, row.cx, row.cx, row.flags));
    ASSERT_NE(h, nullptr) << row.cx;
    EXPECT_EQ(SizeOf(h).cx, row.side) << row.cx;
    DestroyIcon(h);
  }
  SetLastError(0);
  EXPECT_EQ(LoadImageW(nullptr, u"NOSUCHICON", IMAGE_ICON, 16, 16, 0), nullptr);
  EXPECT_EQ(GetLastError(), 1814u);
  EXPECT_EQ(LoadImageW(nullptr, kProgramIconName, IMAGE_BITMAP, 16, 16, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(ProgramIcon, DrawnOverWhatIsThereByItsSeeThroughParts) {
  HICON h = static_cast<HICON>(LoadImageW(nullptr, kProgramIconName, IMAGE_ICON, 16, 16, 0));
  ASSERT_NE(h, nullptr);
  Sheet normal, mask, stretched;
  ASSERT_TRUE(DrawIconEx(normal.dc, 0, 0, h, 0, 0, 0, nullptr, DI_NORMAL));
  ASSERT_TRUE(DrawIconEx(mask.dc, 0, 0, h, 0, 0, 0, nullptr, DI_MASK));
  ASSERT_TRUE(DrawIconEx(stretched.dc, 0, 0, h, 32, 32, 0, nullptr, DI_NORMAL));
  int inked = 0, clear = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool opaque = mask.At(x, y) == 0x000000;
      if (opaque) {
        inked += normal.At(x, y) != 0xFFFFFF;
      } else {
        EXPECT_EQ(mask.At(x, y), 0xFFFFFFu);
        ++clear;
        EXPECT_EQ(normal.At(x, y), 0xFFFFFFu) << x << "," << y << ": a see-through pixel was drawn";
      }
    }
  EXPECT_GT(inked, 64);
  EXPECT_GT(clear, 0);
  EXPECT_EQ(normal.At(20, 20), 0xFFFFFFu);  // nothing beyond its own size
  EXPECT_NE(stretched.At(20, 20), 0xFFFFFFu);
  DestroyIcon(h);
  EXPECT_FALSE(DrawIconEx(normal.dc, 0, 0, h, 0, 0, 0, nullptr, DI_NORMAL));
}

}  // namespace
