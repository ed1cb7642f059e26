// The wide-character layer: UTF-7 both ways, code pages against Python's codecs, wide buffers,
// wide file names (including names on disk that are not UTF-8) and the wide file stream.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "PythonCodecs.h"
#include "controls/UniCodePages.h"
#include "controls/UniFiles.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/LastError.h"

namespace cs {
namespace {

struct Utf7Case {
  std::u16string wide;
  std::string utf7;
};

// Encoded by WideToUtf7 and decoded back to the same text.
const Utf7Case kUtf7Cases[] = {
    {u"", ""},
    {u"A\u2262\u0391.", "A+ImIDkQ."},
    {u"Hi Mom -\u263A-!", "Hi Mom -+Jjo--!"},
    {u"\u65E5\u672C\u8A9E", "+ZeVnLIqe"},  // no "-" at the end of the input
    {u"+", "+-"},
    {u"1 + 1 = 2", "1 +- 1 = 2"},           // optional direct "=" written as it is
    {u"\u00E9+\u00E9", "+AOkAKwDp"},        // inside a run "+" is data
    {u"~", "+AH4"},
    {u"\\", "+AFw"},
    {u"\u0416a", "+BBY-a"},                 // a base64 character after a run needs "-"
    {u"\u0416.", "+BBY."},
    {u"\u0416-", "+BBY--"},
    {u"\u0416 x", "+BBY x"},
    {u"\xD800x", "+2AA-x"},                 // an unpaired surrogate survives
    {std::u16string(u"a\0b", 3), "a+AAA-b"},
    {u"!#$%&*;<=>@[]^_`{|}\"", "!#$%&*;<=>@[]^_`{|}\""},
};

TEST(Utf7, EncodesAndDecodesTheTable) {
  for (const auto& c : kUtf7Cases) {
    EXPECT_EQ(WideToUtf7(c.wide), c.utf7) << c.utf7;
    EXPECT_EQ(Utf7ToWide(c.utf7), c.wide) << c.utf7;
  }
  EXPECT_EQ(Utf7ToWide("+ZeVnLIqe-"), u"\u65E5\u672C\u8A9E");
  EXPECT_EQ(Utf7ToWide("+AAA-"), std::u16string(1, u'\0'));
}

TEST(Utf7, InvalidInputRaisesWithTheMessage) {
  for (const char* bad : {"+ABC", "+", "a+", "+!", "+A-", "caf\xE9", "+2AA\xFF"}) {
    try {
      Utf7ToWide(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EUniGeneralError& e) {
      EXPECT_STREQ(e.what(), "Invalid UTF7");
    }
  }
}

TEST(Utf7, AlwaysCloseShiftAndSafeSetAndFullTarget) {
  char out[32];
  size_t used = 0, written = 0;
  EXPECT_EQ(Utf7Encode(u"\u0416", out, sizeof out, true, false, used, written), utf7Ok);
  EXPECT_EQ(std::string(out, written), "+BBY-");
  EXPECT_EQ(Utf7Encode(u"!", out, sizeof out, false, false, used, written), utf7Ok);
  EXPECT_EQ(std::string(out, written), "+ACE");
  EXPECT_EQ(Utf7Encode(u"\u0416\u0416", out, 3, false, true, used, written), utf7TargetFull);
  EXPECT_EQ(written, 3u);
  char16_t wide[2];
  EXPECT_EQ(Utf7Decode("abc", wide, 2, used, written), utf7TargetFull);
  EXPECT_EQ(written, 2u);
}

// Texts for the reference round trips: Latin, Cyrillic, signs, CJK, pairs, lone surrogates.
std::vector<std::u16string> ReferenceTexts() {
  std::vector<std::u16string> texts = {
      u"Привет, мир! Hello, world.", u"Ёлка ёж № 5 — «кавычки» €", u"1+1=2 a-b +-+ ++ --",
      u"\U0001F600 smile \U0001D11E", u"tab\there\r\nnew line", u"中文 日本語 한국어", u"~\\ ^_` {|}",
      u"A\u2262\u0391.", u"\xD800 lone \xDC00 and \xDBFF"};
  uint32_t seed = 12345;
  for (int t = 0; t < 40; ++t) {
    std::u16string s;
    for (int i = 0; i < 30; ++i) {
      seed = seed * 1103515245 + 12345;
      const uint32_t r = (seed >> 8) % 6;
      const char16_t c = r == 0 ? char16_t(0x20 + (seed >> 16) % 95)
                       : r == 1 ? char16_t(0x410 + (seed >> 16) % 64)
                       : r == 2 ? char16_t(0x80 + (seed >> 16) % 0x780)
                       : r == 3 ? char16_t(0x4E00 + (seed >> 16) % 0x1000)
                       : r == 4 ? u'+'
                                : char16_t(0xD800 + (seed >> 16) % 0x800);  // surrogates, paired or not
      s.push_back(c);
    }
    texts.push_back(s);
  }
  // Python's decoder refuses input that ends inside a run on a high surrogate waiting for its
  // pair (RFC 2152 allows it; the table above covers runs at the end of the input).
  for (auto& t : texts) t.push_back(u'.');
  return texts;
}

TEST(Utf7, RoundTripsThroughPythonBothWays) {
  const auto texts = ReferenceTexts();
  std::vector<std::string> ours;
  for (const auto& t : texts) ours.push_back(WideToUtf7(t));
  const auto decodedByPython = test::PythonDecode(ours, "utf-7");
  ASSERT_EQ(decodedByPython.size(), texts.size()) << "python3 is needed";
  const auto encodedByPython = test::PythonEncode(texts, "utf-7");
  ASSERT_EQ(encodedByPython.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(decodedByPython[i], texts[i]) << ours[i];
    EXPECT_EQ(Utf7ToWide(encodedByPython[i]), texts[i]) << encodedByPython[i];
  }
}

// Text without lone surrogates (which UTF-8 cannot hold) and without U+0098 (a byte Windows
// Cyrillic leaves undefined, which Python refuses and we keep as the C1 control).
std::vector<std::u16string> WellFormedTexts() {
  std::vector<std::u16string> out;
  for (auto t : ReferenceTexts()) {
    std::u16string s;
    for (size_t i = 0; i < t.size(); ++i) {
      if (i + 1 < t.size() && t[i] >= 0xD800 && t[i] < 0xDC00 && t[i + 1] >= 0xDC00 && t[i + 1] < 0xE000) {
        s += t.substr(i++, 2);
      } else if ((t[i] < 0xD800 || t[i] > 0xDFFF) && t[i] != 0x98) {
        s.push_back(t[i]);
      }
    }
    out.push_back(s);
  }
  // Long runs below U+0800 of every length, which the converters take eight units at a time.
  uint32_t seed = 77;
  for (int length = 1; length < 200; length += 7) {
    std::u16string s;
    for (int i = 0; i < length; ++i) {
      seed = seed * 1664525 + 1013904223;
      s.push_back((seed >> 9) % 3 == 0 ? char16_t(0x20 + (seed >> 16) % 95) : char16_t(0x400 + (seed >> 16) % 0x60));
    }
    out.push_back(s);
  }
  return out;
}

TEST(CodePages, Utf8AndCp1251AgreeWithPython) {
  const auto texts = WellFormedTexts();
  const auto utf8 = test::PythonEncode(texts, "utf-8");
  const auto cp1251 = test::PythonEncode(texts, "cp1251", "replace");
  ASSERT_EQ(utf8.size(), texts.size()) << "python3 is needed";
  ASSERT_EQ(cp1251.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(WideToAnsiCP(texts[i], win::CP_UTF8), utf8[i]);
    EXPECT_EQ(AnsiToWideCP(utf8[i], win::CP_UTF8), texts[i]);
    // A surrogate pair is one character and becomes one "?", as in Python.
    EXPECT_EQ(WideToAnsiCP(texts[i], 1251), cp1251[i]);
    EXPECT_EQ(WideToAnsi(texts[i]), cp1251[i]);
  }
  std::string every;
  for (int b = 1; b < 256; ++b)
    if (b != 0x98) every.push_back(char(b));
  const auto decoded = test::PythonDecode({every}, "cp1251");
  ASSERT_EQ(decoded.size(), 1u);
  EXPECT_EQ(AnsiToWideCP(every, 0), decoded[0]);
  EXPECT_EQ(AnsiToWideCP(every, win::CP_THREAD_ACP), decoded[0]);
}

TEST(CodePages, DamagedUtf8ReadsAsPythonReadsIt) {
  // Mostly ASCII and two-byte characters with every kind of damage among them: each maximal
  // ill-formed part becomes one U+FFFD, as Python's "replace" does.
  std::vector<std::string> inputs;
  uint32_t seed = 4242;
  auto next = [&] { return (seed = seed * 1664525 + 1013904223) >> 8; };
  for (int t = 0; t < 60; ++t) {
    std::string s;
    const int length = 16 + int(next() % 120);
    while (int(s.size()) < length) {
      const uint32_t r = next() % 20;
      if (r < 8) s += char(0x20 + next() % 95);
      else if (r < 15) s += std::string{char(0xD0 + next() % 2), char(0x80 + next() % 64)};
      else if (r == 15) s += "\xE2\x80\x94";                      // a three-byte character
      else if (r == 16) s += char(0x80 + next() % 64);               // a stray continuation
      else if (r == 17) s += char(0xC0 + next() % 2);                // an overlong lead
      else if (r == 18) s += char(0xD0);                             // a lead without its continuation
      else s += "\xF0\x9F\x98\x80";                              // a pair
    }
    inputs.push_back(s);
  }
  const auto reference = test::PythonDecode(inputs, "utf-8", "replace");
  ASSERT_EQ(reference.size(), inputs.size()) << "python3 is needed";
  for (size_t i = 0; i < inputs.size(); ++i) {
    EXPECT_EQ(Utf8ToWide(inputs[i]), reference[i]) << i;
    WideString reused(u"old text");
    Utf8ToWide(inputs[i], reused);
    EXPECT_EQ(reused, reference[i]);
  }
}

TEST(CodePages, ConversionsIntoAReusedStringMatchTheOthers) {
  const WideString text = u"Ёлка € x=1 \U0001F600 \u4E2D";
  for (win::UINT page : {win::UINT(win::CP_UTF8), win::UINT(1251), win::UINT(0), win::UINT(866), CP_UTF7}) {
    std::string bytes = "stale bytes that are longer than the result";
    WideToAnsiCP(text, page, bytes);
    EXPECT_EQ(bytes, WideToAnsiCP(text, page)) << page;
    WideString wide = u"stale";
    AnsiToWideCP(bytes, page, wide);
    EXPECT_EQ(wide, AnsiToWideCP(bytes, page)) << page;
  }
  String utf8 = "x";
  WideToUtf8(text, utf8);
  EXPECT_EQ(utf8, WideToUtf8(text));
}

TEST(CodePages, DispatchAndAnsiFacts) {
  EXPECT_EQ(WideToAnsiCP(u"+\u0416", CP_UTF7), "+-+BBY");
  EXPECT_EQ(AnsiToWideCP("+BBY-", CP_UTF7), u"\u0416");
  EXPECT_EQ(WideToAnsi(u"Жук"), "\xC6\xF3\xEA");
  EXPECT_EQ(WideToAnsi(u"\u4E2D"), "?");
  EXPECT_EQ(WideToAnsiCP(u"\u00C4", 1252), "\xC4");
  EXPECT_EQ(AnsiToWideCP("\x80", 866), u"\u0410");
  EXPECT_THROW(WideToAnsiCP(u"x", 12345), EUniGeneralError);
  EXPECT_TRUE(WideCharFitsAnsi(u'Ж'));
  EXPECT_TRUE(WideCharFitsAnsi(u'\u2116'));
  EXPECT_FALSE(WideCharFitsAnsi(u'\u4E2D'));
  EXPECT_EQ(LocaleAnsiCodePage(1049), 1251u);
  char16_t text[] = {0x0104, 0x0041, 0, 0x0042};
  SwapWideByteOrder(text);
  EXPECT_EQ(text[0], 0x0401);
  EXPECT_EQ(text[1], 0x4100);
  EXPECT_EQ(text[3], 0x0042);  // stops at U+0000
}

TEST(WideBuffers, RoutinesOnZeroTerminatedText) {
  const char16_t* hello = u"hello";
  EXPECT_EQ(WideStrLen(hello), 5u);
  EXPECT_EQ(WideStrEnd(hello), hello + 5);
  EXPECT_EQ(WideStrScan(hello, u'l'), hello + 2);
  EXPECT_EQ(WideStrScan(hello, 0), hello + 5);
  EXPECT_EQ(WideStrScan(hello, u'z'), nullptr);
  char16_t buffer[8];
  WideStrLCopy(buffer, hello, 3);
  EXPECT_EQ(std::u16string(buffer), u"hel");
  char16_t moving[] = u"abcdef";
  WideStrMove(moving + 1, moving, 4);
  EXPECT_EQ(std::u16string(moving), u"aabcdf");
  char16_t* copy = WideStrNew(u"Жук");
  EXPECT_EQ(std::u16string(copy), u"Жук");
  EXPECT_EQ(reinterpret_cast<uint32_t*>(copy)[-1], 4u * 2 + 4);
  WideStrDispose(copy);
  EXPECT_EQ(WideStrNew(nullptr), nullptr);
  EXPECT_EQ(WideUpperCaseCopy(u"ёжик abc"), u"ЁЖИК ABC");
  EXPECT_EQ(WideLowerCaseCopy(u"ЁЖИК ABC"), u"ёжик abc");
  EXPECT_EQ(WideCharUpper(u'ж'), u'Ж');
}

TEST(WideFileNames, SlashIsTheSeparatorAndBackslashAnOrdinaryCharacter) {
  EXPECT_EQ(WideAddTrailingBackslash(u"/tmp"), u"/tmp/");
  EXPECT_EQ(WideAddTrailingBackslash(u"/tmp/"), u"/tmp/");
  EXPECT_EQ(WideLastDelimiter(u"/.", u"/home/a.b/f.txt"), 12u);
  EXPECT_EQ(WideLastDelimiter(u"/", u"plain"), 0u);
  EXPECT_EQ(WideLastDelimiter(std::u16string(1, u'\0'), std::u16string(u"a\0b", 3)), 0u);
  EXPECT_EQ(WideFileNamePart(u"/home/Жук/f\\g.txt"), u"f\\g.txt");
  EXPECT_EQ(WideFileNamePart(u"f.txt"), u"f.txt");
  std::u16string paramText = u"  \"\"  \"C:/a b\"x next";
  std::u16string_view params = paramText;
  EXPECT_EQ(WideParseParam(params), u"C:/a bx");
  EXPECT_EQ(WideParseParam(params), u"next");
  EXPECT_EQ(WideParseParam(params), u"");
  EXPECT_EQ(WideParamStr(1000), u"");
  EXPECT_EQ(WideParamStr(0), WideModuleFileName());
}

class WideFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() / ("kv_uni_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  WideString Wide(const std::string& name) { return win::WidePathOf((dir / name).string()); }
  std::filesystem::path dir;
};

TEST_F(WideFiles, StreamByCyrillicNameWritesAndReadsBack) {
  const WideString name = Wide("Файл ☺.txt");
  {
    TUniFileStream out(name, fw::fmCreate);
    out.WriteBuffer("abc", 3);
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "Файл ☺.txt"));
  EXPECT_TRUE(WideFileExists(name));
  EXPECT_FALSE(WideDirExists(name));
  EXPECT_TRUE(WideDirExists(win::WidePathOf(dir.string())));
  TUniFileStream in(name, fw::fmOpenRead | fw::fmShareDenyWrite);
  EXPECT_EQ(in.ReadRemaining(), "abc");
  EXPECT_THROW(TUniFileStream(name, fw::fmOpenWrite), fw::EFOpenError);  // denied by the open reader
}

TEST_F(WideFiles, NameOnDiskThatIsNotUtf8OpensByTheWideNameItReadsAs) {
  const std::string native = (dir / "\xC6\xF3\xEA.txt").string();  // Windows Cyrillic bytes
  { std::ofstream(native) << "data"; }
  const WideString wide = win::WidePathOf(native);
  EXPECT_NE(wide.find(u'\xDCC6'), WideString::npos);
  EXPECT_EQ(win::NativePathOf(wide), native);
  EXPECT_TRUE(WideFileExists(wide));
  TUniFileStream in(wide, fw::fmOpenRead);
  EXPECT_EQ(in.ReadRemaining(), "data");
  const int fd = WideFileOpen(wide, fw::fmOpenRead);
  ASSERT_GE(fd, 0);
  ::close(fd);
}

// Each disposition against a missing and an existing file (holding "old"): whether the call
// succeeds, the error when not, and what the file holds after writing "new" through the result.
TEST_F(WideFiles, CreateFileFollowsTheDispositionOnMissingAndExistingFiles) {
  const struct {
    win::DWORD disposition;
    bool existing;
    win::DWORD error;  // 0: succeeds
    const char* content;
  } cases[] = {
      {CREATE_NEW, false, 0, "new"},          {CREATE_NEW, true, win::ERROR_FILE_EXISTS, "old"},
      {CREATE_ALWAYS, false, 0, "new"},       {CREATE_ALWAYS, true, 0, "new"},
      {OPEN_EXISTING, false, win::ERROR_FILE_NOT_FOUND, nullptr}, {OPEN_EXISTING, true, 0, "new"},
      {OPEN_ALWAYS, false, 0, "new"},         {OPEN_ALWAYS, true, 0, "new"},
      {TRUNCATE_EXISTING, false, win::ERROR_FILE_NOT_FOUND, nullptr}, {TRUNCATE_EXISTING, true, 0, "new"},
  };
  for (const auto& c : cases) {
    const std::filesystem::path path = dir / "Данные.txt";
    std::filesystem::remove(path);
    if (c.existing) std::ofstream(path) << "old-long";
    const int fd = WideCreateFile(Wide("Данные.txt"), GENERIC_READ | GENERIC_WRITE, 0, nullptr, c.disposition,
                                  win::FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string label = std::to_string(c.disposition) + (c.existing ? " existing" : " missing");
    if (c.error != 0) {
      EXPECT_EQ(fd, -1) << label;
      EXPECT_EQ(win::GetLastError(), c.error) << label;
    } else {
      ASSERT_GE(fd, 0) << label;
      EXPECT_EQ(::write(fd, "new", 3), 3);
      ::close(fd);
    }
    if (c.content == nullptr) {
      EXPECT_FALSE(std::filesystem::exists(path)) << label;
      continue;
    }
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Opened without truncation, "new" overwrites the start of "old-long".
    const bool kept = c.existing && (c.disposition == OPEN_EXISTING || c.disposition == OPEN_ALWAYS);
    EXPECT_EQ(text, kept ? std::string("new-long") : std::string(c.content) == "old" ? "old-long" : "new") << label;
  }
}

TEST_F(WideFiles, CreateFileAccessAndBadArguments) {
  std::ofstream((dir / "r.txt").string()) << "abc";
  const int reader = WideCreateFile(Wide("r.txt"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    win::FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(::write(reader, "x", 1), -1) << "opened for reading only";
  char buf[3];
  EXPECT_EQ(::read(reader, buf, 3), 3);
  ::close(reader);
  // Truncating without write access, no access at all, and an unknown disposition are refused.
  for (const auto& [access, disposition] : {std::pair{GENERIC_READ, TRUNCATE_EXISTING}, std::pair{0u, OPEN_EXISTING},
                                            std::pair{GENERIC_READ, 9u}}) {
    EXPECT_EQ(WideCreateFile(Wide("r.txt"), access, 0, nullptr, disposition, 0, nullptr), -1);
    EXPECT_EQ(win::GetLastError(), win::ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(std::filesystem::file_size(dir / "r.txt"), 3u) << "nothing was truncated";
  // A read-only file made so cannot be opened for writing afterwards (unless run with rights
  // that pass over permissions).
  const int made = WideCreateFile(Wide("ro.txt"), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  win::FILE_ATTRIBUTE_READONLY, nullptr);
  ASSERT_GE(made, 0);
  ::close(made);
  const auto perms = std::filesystem::status(dir / "ro.txt").permissions();
  EXPECT_EQ(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none);
  // The framework's modes reach it: write access opens an existing file for writing only.
  const int writer = WideFileOpen(Wide("r.txt"), fw::fmOpenWrite | fw::fmShareDenyNone);
  ASSERT_GE(writer, 0);
  EXPECT_EQ(::read(writer, buf, 1), -1);
  ::close(writer);
}

TEST_F(WideFiles, FailuresRaiseTheFileErrorsWithTheWideName) {
  try {
    TUniFileStream(Wide("нет/x.txt"), fw::fmCreate);
    ADD_FAILURE();
  } catch (const fw::EFCreateError& e) {
    const std::string expected = "Cannot create file \"" + (dir / "нет/x.txt").string() + "\". ";
    EXPECT_EQ(std::string(e.what()).substr(0, expected.size()), expected);
    EXPECT_GT(std::string(e.what()).size(), expected.size());
  }
  try {
    TUniFileStream(Wide("missing.txt"), fw::fmOpenRead);
    ADD_FAILURE();
  } catch (const fw::EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + (dir / "missing.txt").string() + "\". ", 0), 0u);
  }
  EXPECT_EQ(WideFileOpen(Wide("missing.txt"), fw::fmOpenRead), -1);
  EXPECT_EQ(WideFileAttributes(Wide("missing.txt")), win::INVALID_FILE_ATTRIBUTES);
  const int fd = WideFileCreate(Wide("made.txt"));
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_TRUE(WideFileExists(Wide("made.txt")));
}

}  // namespace
}  // namespace cs
