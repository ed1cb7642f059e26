#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/kernel/LastError.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/services/ClipboardGlobalMemory.h"
#include "platform/user/services/ClipboardMirror.h"
#include "platform/user/services/ClipboardSynthesis.h"
#include "platform/user/services/SysWindowLink.h"
#include "platform/user/services/sys_link_scope.h"

namespace win {
namespace {

HGLOBAL Bytes(const std::string& s, bool terminate = true) {
  return GlobalAllocCopy(s.data(), s.size() + (terminate ? 1 : 0));
}

HGLOBAL Wide(const std::u16string& s) { return GlobalAllocCopy(s.c_str(), (s.size() + 1) * sizeof(char16_t)); }

HGLOBAL Locale(LCID lcid) { return GlobalAllocCopy(&lcid, sizeof(lcid)); }

std::string ReadBytes(HANDLE h) {
  auto* block = static_cast<HGLOBAL>(h);
  auto* p = static_cast<const char*>(GlobalLock(block));
  if (!p) return "<null>";
  std::string s(p, GlobalSize(block));
  GlobalUnlock(block);
  return s;
}

std::u16string ReadWide(HANDLE h) {
  auto* block = static_cast<HGLOBAL>(h);
  auto* p = static_cast<const char16_t*>(GlobalLock(block));
  if (!p) return u"<null>";
  std::u16string s(p, GlobalSize(block) / 2);
  GlobalUnlock(block);
  return s;
}

std::vector<UINT> Formats() {
  std::vector<UINT> out;
  for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) out.push_back(f);
  return out;
}

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetClipboard(); }
  void TearDown() override {
    ResetClipboard();
    SetClipboardMirror(nullptr);
  }

  testing_support::ScopedSysWindowLink linkScope;

  // Opens, empties, places the given formats, closes.
  static void Place(std::initializer_list<std::pair<UINT, HANDLE>> items) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    for (const auto& [f, h] : items) ASSERT_EQ(SetClipboardData(f, h), h);
    ASSERT_TRUE(CloseClipboard());
  }
};

TEST_F(ClipboardTest, OneOpenerAtATime) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  SetLastError(0);
  EXPECT_FALSE(OpenClipboard(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  BOOL otherOpened = TRUE, otherClosed = TRUE;
  std::thread other([&] {
    otherOpened = OpenClipboard(nullptr);
    otherClosed = CloseClipboard();
  });
  other.join();
  EXPECT_FALSE(otherOpened);
  EXPECT_FALSE(otherClosed);
  EXPECT_TRUE(CloseClipboard());
  SetLastError(0);
  EXPECT_FALSE(CloseClipboard());
  EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
}

TEST_F(ClipboardTest, WritingAndReadingNeedTheClipboardOpen) {
  HGLOBAL h = Bytes("x");
  SetLastError(0);
  EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_TRUE(IsGlobalBlock(h));  // refused data stays the caller's
  Place({{CF_TEXT, h}});
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_EQ(EnumClipboardFormats(0), 0u);
  EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
  // Availability and counting work while closed.
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(CountClipboardFormats(), 4);
}

TEST_F(ClipboardTest, OwnerIsTheWindowThatEmptied) {
  HWND wnd = reinterpret_cast<HWND>(0x4242);
  SysWindowLink link;
  link.isWindow = [wnd](HWND h) { return h == wnd; };
  SetSysWindowLink(link);
  SetLastError(0);
  EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(0x1111)));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);

  ASSERT_TRUE(OpenClipboard(wnd));
  EXPECT_EQ(GetOpenClipboardWindow(), wnd);
  EXPECT_EQ(GetClipboardOwner(), nullptr);  // not before EmptyClipboard
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), wnd);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_EQ(GetClipboardOwner(), wnd);
}

TEST_F(ClipboardTest, UnicodeTextYieldsAnsiOemAndLocale) {
  // "Привет, world" in UTF-16.
  Place({{CF_UNICODETEXT, Wide(u"\u041F\u0440\u0438\u0432\u0435\u0442, world")}});
  EXPECT_EQ(CountClipboardFormats(), 4);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(Formats(), (std::vector<UINT>{CF_UNICODETEXT, CF_LOCALE, CF_TEXT, CF_OEMTEXT}));
  // Windows Cyrillic: П=CF р=F0 и=E8 в=E2 е=E5 т=F2.
  EXPECT_EQ(ReadBytes(GetClipboardData(CF_TEXT)), std::string("\xCF\xF0\xE8\xE2\xE5\xF2, world\0", 14));
  // DOS Cyrillic (866): П=8F р=E0 и=A8 в=A2 е=A5 т=E2.
  EXPECT_EQ(ReadBytes(GetClipboardData(CF_OEMTEXT)), std::string("\x8F\xE0\xA8\xA2\xA5\xE2, world\0", 14));
  LCID lcid = 0;
  std::memcpy(&lcid, ReadBytes(GetClipboardData(CF_LOCALE)).data(), sizeof(lcid));
  EXPECT_EQ(lcid, 1049u);
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, AnsiTextIsReadThroughTheLocaleCodePage) {
  const std::string bytes = "caf\xE9";
  Place({{CF_TEXT, Bytes(bytes)}, {CF_LOCALE, Locale(1033)}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadWide(GetClipboardData(CF_UNICODETEXT)), std::u16string(u"caf\u00E9\0", 5));
  ASSERT_TRUE(CloseClipboard());

  Place({{CF_TEXT, Bytes(bytes)}, {CF_LOCALE, Locale(1049)}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadWide(GetClipboardData(CF_UNICODETEXT)), std::u16string(u"caf\u0439\0", 5));
  ASSERT_TRUE(CloseClipboard());

  // A locale without a known code page falls back to the process's ANSI page (Windows Cyrillic).
  Place({{CF_TEXT, Bytes(bytes)}, {CF_LOCALE, Locale(0x0411)}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadWide(GetClipboardData(CF_UNICODETEXT)), std::u16string(u"caf\u0439\0", 5));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, OemTextBecomesAnsiText) {
  Place({{CF_OEMTEXT, Bytes("\x8F\xE0")}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadBytes(GetClipboardData(CF_TEXT)), std::string("\xCF\xF0\0", 3));
  EXPECT_EQ(ReadWide(GetClipboardData(CF_UNICODETEXT)), std::u16string(u"\u041F\u0440\0", 3));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, TextIsReadUpToItsTerminatorAndNeverPastTheBlock) {
  // No terminator at all: the whole block is the text.
  Place({{CF_TEXT, Bytes("abc", false)}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadWide(GetClipboardData(CF_UNICODETEXT)), std::u16string(u"abc\0", 4));
  ASSERT_TRUE(CloseClipboard());
  // A block larger than its text: only up to the first terminator.
  Place({{CF_TEXT, Bytes(std::string("ab\0zz", 5))}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadWide(GetClipboardData(CF_UNICODETEXT)), std::u16string(u"ab\0", 3));
  ASSERT_TRUE(CloseClipboard());
  // An odd-sized wide block: the stray byte is ignored.
  Place({{CF_UNICODETEXT, GlobalAllocCopy("a\0b", 3)}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadBytes(GetClipboardData(CF_TEXT)), std::string("a\0", 2));
  ASSERT_TRUE(CloseClipboard());
  // An empty block gives empty text.
  Place({{CF_TEXT, GlobalAlloc(GMEM_MOVEABLE, 0)}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadWide(GetClipboardData(CF_UNICODETEXT)), std::u16string(u"\0", 1));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, DerivedDataIsMadeOnceAndFreedWithTheContents) {
  Place({{CF_UNICODETEXT, Wide(u"x")}});
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE first = GetClipboardData(CF_TEXT);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetClipboardData(CF_TEXT), first);
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsGlobalBlock(static_cast<HGLOBAL>(first)));
  EXPECT_EQ(CountClipboardFormats(), 0);
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, ReplacedDataIsFreedButTheSameHandleIsKept) {
  HGLOBAL a = Bytes("a"), b = Bytes("b");
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_EQ(SetClipboardData(CF_TEXT, a), a);
  ASSERT_EQ(SetClipboardData(CF_TEXT, a), a);
  EXPECT_TRUE(IsGlobalBlock(a));
  ASSERT_EQ(SetClipboardData(CF_TEXT, b), b);
  EXPECT_FALSE(IsGlobalBlock(a));
  EXPECT_EQ(GetClipboardData(CF_TEXT), b);
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, PlacingAFormatThatWasDerivedMakesItPlaced) {
  Place({{CF_UNICODETEXT, Wide(u"\u0416")}});  // Ж
  ASSERT_TRUE(OpenClipboard(nullptr));  // no EmptyClipboard: add to the contents
  HGLOBAL own = Bytes("own");
  ASSERT_EQ(SetClipboardData(CF_TEXT, own), own);
  ASSERT_TRUE(CloseClipboard());
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(CF_TEXT), own);
  // CF_OEMTEXT still comes from the wide text, the first rule's source.
  EXPECT_EQ(ReadBytes(GetClipboardData(CF_OEMTEXT)), std::string("\x86\0", 2));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, BadHandlesAndFormatsAreRefused) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  SetLastError(0);
  EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  HGLOBAL dead = Bytes("x");
  GlobalFree(dead);
  EXPECT_EQ(SetClipboardData(CF_TEXT, dead), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetClipboardData(0, Bytes("x")), nullptr);
  // Private formats take any value and never free it.
  auto cookie = reinterpret_cast<HANDLE>(uintptr_t(0x77));
  EXPECT_EQ(SetClipboardData(CF_PRIVATEFIRST + 1, cookie), cookie);
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, SequenceNumberMovesWithEveryChange) {
  DWORD start = GetClipboardSequenceNumber();
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  DWORD afterEmpty = GetClipboardSequenceNumber();
  EXPECT_NE(afterEmpty, start);
  SetClipboardData(CF_TEXT, Bytes("x"));
  EXPECT_NE(GetClipboardSequenceNumber(), afterEmpty);
  ASSERT_TRUE(CloseClipboard());
  DWORD closed = GetClipboardSequenceNumber();
  ASSERT_TRUE(OpenClipboard(nullptr));
  GetClipboardData(CF_UNICODETEXT);  // reading is no change
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardSequenceNumber(), closed);
}

TEST_F(ClipboardTest, RegisteredFormatsShareNumbersAcrossCase) {
  UINT gif = RegisterClipboardFormatW(u"GIF Image");
  EXPECT_GE(gif, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormatW(u"gif image"), gif);
  UINT cyr = RegisterClipboardFormatW(u"\u0424\u043E\u0440\u043C\u0430\u0442");  // Формат
  EXPECT_NE(cyr, gif);
  EXPECT_EQ(RegisterClipboardFormatW(u"\u0444\u041E\u0420\u041C\u0410\u0422"), cyr);  // фОРМАТ
  EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
  EXPECT_EQ(RegisterClipboardFormatW(nullptr), 0u);

  char16_t buf[32];
  EXPECT_EQ(GetClipboardFormatNameW(gif, buf, 32), 9);
  EXPECT_EQ(std::u16string(buf), u"GIF Image");  // as first registered
  EXPECT_EQ(GetClipboardFormatNameW(gif, buf, 4), 3);
  EXPECT_EQ(std::u16string(buf), u"GIF");
  EXPECT_EQ(GetClipboardFormatNameW(CF_TEXT, buf, 32), 0);
  EXPECT_EQ(GetClipboardFormatNameW(0xFFFF, buf, 32), 0);
  EXPECT_EQ(GetClipboardFormatNameW(gif, nullptr, 32), 0);

  // Registered formats hold global memory.
  HGLOBAL data = Bytes("GIF89a");
  Place({{gif, data}});
  EXPECT_TRUE(IsClipboardFormatAvailable(gif));
  EXPECT_EQ(CountClipboardFormats(), 1);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(gif), data);
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsGlobalBlock(data));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, ExtensionsDecideValidityReleaseAndDerivation) {
  UINT objects = RegisterClipboardFormatW(u"Test objects");
  UINT derived = RegisterClipboardFormatW(u"Test derived from objects");
  std::vector<uintptr_t> released;
  ClipboardFormatHandler handler;
  handler.isValid = [](HANDLE h) { return reinterpret_cast<uintptr_t>(h) % 2 == 0; };
  handler.release = [&](HANDLE h) { released.push_back(reinterpret_cast<uintptr_t>(h)); };
  SetClipboardFormatHandler(objects, handler);
  AddClipboardSynthesis(derived, objects, [](HANDLE h, LCID) {
    uintptr_t v = reinterpret_cast<uintptr_t>(h);
    return static_cast<HANDLE>(GlobalAllocCopy(&v, sizeof(v)));
  });

  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(objects, reinterpret_cast<HANDLE>(uintptr_t(7))), nullptr);
  ASSERT_NE(SetClipboardData(objects, reinterpret_cast<HANDLE>(uintptr_t(8))), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(derived));
  ASSERT_TRUE(OpenClipboard(nullptr));
  uintptr_t v = 0;
  std::memcpy(&v, ReadBytes(GetClipboardData(derived)).data(), sizeof(v));
  EXPECT_EQ(v, 8u);
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(released, (std::vector<uintptr_t>{8}));
}

class RecordingMirror : public ClipboardMirror {
 public:
  void OurClipboardChanged(const std::optional<std::string>& utf8Text) override { seen.push_back(utf8Text); }
  std::vector<std::optional<std::string>> seen;
};

TEST_F(ClipboardTest, MirrorHearsOurTextOncePerChange) {
  RecordingMirror mirror;
  SetClipboardMirror(&mirror);
  Place({{CF_TEXT, Bytes("\xCF\xF0\xE8")}});  // Windows Cyrillic "При"
  ASSERT_EQ(mirror.seen.size(), 1u);
  EXPECT_EQ(mirror.seen[0], std::optional<std::string>("\xD0\x9F\xD1\x80\xD0\xB8"));

  ASSERT_TRUE(OpenClipboard(nullptr));
  GetClipboardData(CF_TEXT);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(mirror.seen.size(), 1u);

  UINT gif = RegisterClipboardFormatW(u"GIF Image");
  Place({{gif, Bytes("GIF89a")}});
  ASSERT_EQ(mirror.seen.size(), 2u);
  EXPECT_EQ(mirror.seen[1], std::nullopt);
}

TEST_F(ClipboardTest, DesktopTextArrivesWithoutEchoing) {
  RecordingMirror mirror;
  SetClipboardMirror(&mirror);
  ASSERT_TRUE(TakeDesktopClipboardText("\xD0\x96 desktop"));  // "Ж desktop"
  EXPECT_TRUE(mirror.seen.empty());
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  DWORD seq = GetClipboardSequenceNumber();
  ASSERT_TRUE(TakeDesktopClipboardText("\xD0\x96 desktop"));
  EXPECT_EQ(GetClipboardSequenceNumber(), seq);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadBytes(GetClipboardData(CF_TEXT)), std::string("\xC6 desktop\0", 10));
  EXPECT_FALSE(TakeDesktopClipboardText("other"));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(mirror.seen.empty());
}

// Text copied in another program replaces everything this program had placed.
TEST_F(ClipboardTest, DesktopTextReplacesEveryFormatPlacedBefore) {
  UINT gif = RegisterClipboardFormatW(u"GIF Image");
  Place({{CF_UNICODETEXT, Wide(u"ours")}, {gif, Bytes("GIF89a")}});
  ASSERT_TRUE(TakeDesktopClipboardText("theirs"));
  EXPECT_FALSE(IsClipboardFormatAvailable(gif));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(ReadWide(GetClipboardData(CF_UNICODETEXT)), std::u16string(u"theirs\0", 7));
  const std::vector<UINT> formats = Formats();
  EXPECT_EQ(std::count(formats.begin(), formats.end(), UINT(CF_UNICODETEXT)), 1);
  ASSERT_TRUE(CloseClipboard());
}

}  // namespace
}  // namespace win
