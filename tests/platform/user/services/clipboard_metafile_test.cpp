// CF_ENHMETAFILE: the clipboard takes metafile handles, gives them back, and deletes them when it
// is emptied.

#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Metafile.h"
#include "platform/user/services/Clipboard.h"

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

}  // namespace
}  // namespace win
