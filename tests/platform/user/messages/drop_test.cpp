#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/messages/DragDrop.h"
#include "platform/user/services/SysWindowLink.h"
#include "platform/user/services/sys_link_scope.h"

namespace win {
namespace {

constexpr UINT kCount = 0xFFFFFFFF;

// "Отчёт.txt" and a name with a character outside the basic plane (U+1F600 as a surrogate pair).
const std::u16string kCyrillic = u"/home/u/\u041E\u0442\u0447\u0451\u0442.txt";
const std::u16string kAstral = u"/tmp/\U0001F600.csv";

TEST(Drop, NamesCountsAndLengthsComeBackAsGiven) {
  HDROP drop = CreateDropHandle(POINT{12, 34}, {kCyrillic, kAstral, u"/a"});
  ASSERT_NE(drop, nullptr);
  EXPECT_EQ(DragQueryFileW(drop, kCount, nullptr, 0), 3u);
  EXPECT_EQ(DragQueryFileW(drop, 0, nullptr, 0), kCyrillic.size());
  EXPECT_EQ(DragQueryFileW(drop, 1, nullptr, 0), kAstral.size());
  char16_t buf[64];
  ASSERT_EQ(DragQueryFileW(drop, 1, buf, 64), kAstral.size());
  EXPECT_EQ(std::u16string(buf), kAstral);
  ASSERT_EQ(DragQueryFileW(drop, 2, buf, 64), 2u);
  EXPECT_EQ(std::u16string(buf), u"/a");
  EXPECT_EQ(DragQueryFileW(drop, 3, buf, 64), 0u);
  POINT pt{};
  EXPECT_TRUE(DragQueryPoint(drop, &pt));
  EXPECT_EQ(pt, (POINT{12, 34}));
  DragFinish(drop);
}

TEST(Drop, CopiesAreCutToTheBufferAndAlwaysTerminated) {
  HDROP drop = CreateDropHandle(POINT{}, {u"abcdef"});
  char16_t buf[8];
  std::fill(std::begin(buf), std::end(buf), u'#');
  EXPECT_EQ(DragQueryFileW(drop, 0, buf, 4), 3u);
  EXPECT_EQ(std::u16string(buf), u"abc");
  EXPECT_EQ(buf[4], u'#');
  EXPECT_EQ(DragQueryFileW(drop, 0, buf, 1), 0u);
  EXPECT_EQ(buf[0], u'\0');
  buf[0] = u'#';
  EXPECT_EQ(DragQueryFileW(drop, 0, buf, 0), 0u);
  EXPECT_EQ(buf[0], u'#');
  DragFinish(drop);
}

TEST(Drop, AnsiNamesUseWindowsCyrillicAndLoseWhatItLacks) {
  HDROP drop = CreateDropHandle(POINT{}, {kCyrillic, kAstral});
  char buf[64];
  ASSERT_EQ(DragQueryFileA(drop, 0, buf, 64), kCyrillic.size());
  EXPECT_EQ(std::string(buf), "/home/u/\xCE\xF2\xF7\xB8\xF2.txt");
  EXPECT_EQ(DragQueryFileA(drop, kCount, nullptr, 0), 2u);
  DragQueryFileA(drop, 1, buf, 64);
  EXPECT_EQ(std::string(buf).find("\xF0\x9F"), std::string::npos);  // no UTF-8 bytes leak through
  EXPECT_NE(std::string(buf).find('?'), std::string::npos);
  EXPECT_EQ(DragQueryFileA(drop, 0, buf, 3), 2u);
  EXPECT_EQ(std::string(buf), "/h");
  DragFinish(drop);
}

TEST(Drop, NonClientDropsReportFalseWithTheirPoint) {
  HDROP drop = CreateDropHandle(POINT{-3, 5}, {u"/x"}, TRUE);
  POINT pt{};
  EXPECT_FALSE(DragQueryPoint(drop, &pt));
  EXPECT_EQ(pt, (POINT{-3, 5}));
  EXPECT_FALSE(DragQueryPoint(drop, nullptr));
  DragFinish(drop);
}

TEST(Drop, FinishedAndForgedHandlesAnswerNothing) {
  HDROP drop = CreateDropHandle(POINT{}, {u"/x"});
  DragFinish(drop);
  char16_t buf[8];
  EXPECT_EQ(DragQueryFileW(drop, kCount, nullptr, 0), 0u);
  EXPECT_EQ(DragQueryFileW(drop, 0, buf, 8), 0u);
  POINT pt{};
  EXPECT_FALSE(DragQueryPoint(drop, &pt));
  EXPECT_EQ(DragQueryFileW(nullptr, kCount, nullptr, 0), 0u);
  DragFinish(nullptr);
}

TEST(Drop, InvalidListsAreRefused) {
  EXPECT_EQ(CreateDropHandle(POINT{}, {}), nullptr);
  EXPECT_EQ(CreateDropHandle(POINT{}, {u"/a", u""}), nullptr);
  EXPECT_EQ(CreateDropHandle(POINT{}, {std::u16string(u"/a\0b", 4)}), nullptr);
}

// Blocks built by hand, as another program could hand them over.
HDROP Block(const DROPFILES& header, const void* names, size_t bytes) {
  std::vector<uint8_t> data(sizeof(header) + bytes);
  std::memcpy(data.data(), &header, sizeof(header));
  if (bytes) std::memcpy(data.data() + sizeof(header), names, bytes);
  return reinterpret_cast<HDROP>(GlobalAllocCopy(data.data(), data.size()));
}

TEST(Drop, BlocksAreNeverReadPastTheirEnd) {
  DROPFILES h;
  h.pFiles = sizeof(DROPFILES);
  h.fWide = TRUE;
  // Two names, the second without terminator or closing empty name: only the first counts.
  const char16_t names[] = {u'a', u'\0', u'b', u'c'};
  HDROP cut = Block(h, names, sizeof(names));
  EXPECT_EQ(DragQueryFileW(cut, kCount, nullptr, 0), 1u);
  DragFinish(cut);
  // The names' offset beyond the block: no names.
  h.pFiles = 4000;
  HDROP far = Block(h, names, sizeof(names));
  EXPECT_EQ(DragQueryFileW(far, kCount, nullptr, 0), 0u);
  DragFinish(far);
  // A block shorter than its header.
  HDROP tiny = reinterpret_cast<HDROP>(GlobalAllocCopy("abc", 3));
  EXPECT_EQ(DragQueryFileW(tiny, kCount, nullptr, 0), 0u);
  DragFinish(tiny);
}

TEST(Drop, NarrowBlocksAreReadThroughTheAnsiCodePage) {
  DROPFILES h;
  h.pFiles = sizeof(DROPFILES);
  h.fWide = FALSE;
  const char names[] = "C:\\\xCF\xF0.txt\0D:\\b\0";  // "C:\Пр.txt", "D:\b"
  HDROP drop = Block(h, names, sizeof(names));
  EXPECT_EQ(DragQueryFileW(drop, kCount, nullptr, 0), 2u);
  char16_t buf[32];
  DragQueryFileW(drop, 0, buf, 32);
  EXPECT_EQ(std::u16string(buf), u"C:\\\u041F\u0440.txt");
  DragFinish(drop);
}

TEST(Drop, AcceptingFilesGoesToTheWindowCore) {
  std::vector<std::pair<HWND, bool>> calls;
  SysWindowLink link;
  link.setAcceptFiles = [&](HWND h, bool accept) {
    calls.emplace_back(h, accept);
    return true;
  };
  testing_support::ScopedSysWindowLink scope(link);
  HWND w = reinterpret_cast<HWND>(0x55);
  DragAcceptFiles(w, TRUE);
  DragAcceptFiles(w, FALSE);
  SetSysWindowLink({});
  DragAcceptFiles(w, TRUE);  // no window core: nothing happens, nothing breaks
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], std::make_pair(w, true));
  EXPECT_EQ(calls[1], std::make_pair(w, false));
}

}  // namespace
}  // namespace win
