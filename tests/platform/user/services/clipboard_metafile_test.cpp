// CF_ENHMETAFILE and CF_METAFILEPICT: the clipboard takes metafile handles (a picture block with
// one), gives them back, and deletes them when it is emptied.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardFormats.h"
#include "platform/user/services/ClipboardGlobalMemory.h"

namespace win {
namespace {

HENHMETAFILE SmallMetafile() {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Rectangle(dc, 0, 0, 8, 8);
  return CloseEnhMetaFile(dc);
}

TEST(ClipboardMetafile, PlacedMetafileComesBackAndIsFreedByEmptying) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  HENHMETAFILE mf = SmallMetafile();
  ENHMETAHEADER placed;
  GetEnhMetaFileHeader(mf, sizeof placed, &placed);
  EXPECT_EQ(SetClipboardData(CF_ENHMETAFILE, mf), mf);
  ASSERT_TRUE(CloseClipboard());

  EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto got = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  ASSERT_EQ(got, mf);
  ENHMETAHEADER back;
  ASSERT_EQ(GetEnhMetaFileHeader(got, sizeof back, &back), sizeof back);
  EXPECT_EQ(back.nBytes, placed.nBytes);
  EXPECT_EQ(back.rclBounds, placed.rclBounds);
  // A copy is the reader's own; the clipboard's handle goes with the clipboard's contents.
  HENHMETAFILE mine = CopyEnhMetaFileW(got, nullptr);
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsEnhMetaFile(mf));
  EXPECT_TRUE(IsEnhMetaFile(mine));
  CloseClipboard();
  DeleteEnhMetaFile(mine);
}

TEST(ClipboardMetafile, OtherHandlesAreNotMetafiles) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_EQ(SetClipboardData(CF_ENHMETAFILE, brush), nullptr);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
  CloseClipboard();
  DeleteObject(brush);
  HENHMETAFILE mf = SmallMetafile();
  EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(mf)), OBJ_ENHMETAFILE);
  DeleteEnhMetaFile(mf);
  EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(mf)), 0u);
}

// CF_METAFILEPICT: a global block with a METAFILEPICT whose Windows metafile goes with it.
TEST(ClipboardMetafile, MetafilePictureKeepsItsMetafileUntilEmptied) {
  HENHMETAFILE emf = SmallMetafile();
  const UINT size = GetWinMetaFileBits(emf, 0, nullptr, MM_ANISOTROPIC, nullptr);
  ASSERT_GT(size, 18u);
  std::vector<BYTE> bytes(size);
  ASSERT_EQ(GetWinMetaFileBits(emf, size, bytes.data(), MM_ANISOTROPIC, nullptr), size);
  DeleteEnhMetaFile(emf);
  // Only Windows metafile bytes make a handle.
  EXPECT_EQ(SetMetaFileBitsEx(size, reinterpret_cast<const BYTE*>("not a metafile, surely not")), nullptr);
  EXPECT_EQ(SetMetaFileBitsEx(10, bytes.data()), nullptr) << "shorter than its header says";
  HMETAFILE wmf = SetMetaFileBitsEx(size, bytes.data());
  ASSERT_NE(wmf, nullptr);
  std::vector<BYTE> back(GetMetaFileBitsEx(wmf, 0, nullptr));
  ASSERT_EQ(GetMetaFileBitsEx(wmf, UINT(back.size()), back.data()), back.size());
  EXPECT_EQ(back, bytes);

  const METAFILEPICT dead{MM_ANISOTROPIC, 100, 100, reinterpret_cast<HMETAFILE>(std::uintptr_t(0x7E0000))};
  const METAFILEPICT live{MM_ANISOTROPIC, 212, 212, wmf};
  HGLOBAL stale = GlobalAllocCopy(&dead, sizeof dead), block = GlobalAllocCopy(&live, sizeof live);
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(CF_METAFILEPICT, stale), nullptr) << "a picture without a live metafile";
  EXPECT_EQ(SetClipboardData(CF_METAFILEPICT, block), block);
  ASSERT_TRUE(CloseClipboard());
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_METAFILEPICT));
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto got = static_cast<HGLOBAL>(GetClipboardData(CF_METAFILEPICT));
  ASSERT_EQ(got, block);
  METAFILEPICT read{};
  std::memcpy(&read, GlobalLock(got), sizeof read);
  GlobalUnlock(got);
  EXPECT_EQ(read.hMF, wmf);
  EXPECT_EQ(read.xExt, 212);
  // Emptying frees the block and the metafile in it.
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsMetaFile(wmf));
  EXPECT_FALSE(IsGlobalBlock(block));
  CloseClipboard();
  GlobalFree(stale);
}

}  // namespace
}  // namespace win
