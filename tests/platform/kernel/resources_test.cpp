#include "platform/kernel/Resources.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "platform/kernel/LastError.h"

namespace win {
namespace {

namespace fs = std::filesystem;

std::string Bytes(HRSRC res) {
  HGLOBAL loaded = LoadResource(nullptr, res);
  const void* p = LockResource(loaded);
  if (!p) return "<none>";
  return std::string(static_cast<const char*>(p), SizeofResource(nullptr, res));
}

TEST(Resources, RegisteredDataIsFoundByTypeAndName) {
  resources::Register(RT_RCDATA, u"KvSampleData", "sample bytes\n", 13);
  resources::Register(RT_BITMAP, MAKEINTRESOURCEW(101), "\x28\0\0\0", 4);
  resources::Register(u"CUSTOM", u"Shortcuts", "", 0);

  HRSRC sample = FindResourceW(nullptr, u"KVSAMPLEDATA", RT_RCDATA);
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(Bytes(sample), "sample bytes\n");
  EXPECT_EQ(Bytes(FindResourceW(nullptr, u"kvsampledata", RT_RCDATA)), "sample bytes\n");
  EXPECT_EQ(Bytes(FindResourceW(nullptr, MAKEINTRESOURCEW(101), RT_BITMAP)), std::string("\x28\0\0\0", 4));
  HRSRC empty = FindResourceW(nullptr, u"SHORTCUTS", u"custom");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, empty), 0u);
  EXPECT_NE(LockResource(LoadResource(nullptr, empty)), nullptr);

  // The type is part of the key; integer and text names are distinct.
  SetLastError(0);
  EXPECT_EQ(FindResourceW(nullptr, u"KvSampleData", RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(FindResourceW(nullptr, u"#101", RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(102), RT_BITMAP), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, nullptr, RT_BITMAP), nullptr);
}

TEST(Resources, ReplacingKeepsEarlierDataValid) {
  resources::Register(RT_RCDATA, u"KV_REPLACED", "first", 5);
  HRSRC first = FindResourceW(nullptr, u"KV_REPLACED", RT_RCDATA);
  const void* firstData = LockResource(LoadResource(nullptr, first));
  resources::Register(RT_RCDATA, u"KV_REPLACED", "second!", 7);
  EXPECT_EQ(Bytes(FindResourceW(nullptr, u"KV_REPLACED", RT_RCDATA)), "second!");
  EXPECT_EQ(std::memcmp(firstData, "first", 5), 0);
  EXPECT_EQ(SizeofResource(nullptr, first), 5u);
}

TEST(Resources, ForgedHandlesFailCleanly) {
  HRSRC forged = reinterpret_cast<HRSRC>(uintptr_t(0x5555));
  EXPECT_EQ(LoadResource(nullptr, forged), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, forged), 0u);
  EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(forged)), nullptr);
  EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST(Resources, LoadStringCopiesTruncatesOrPointsAtTheText) {
  resources::RegisterString(4242, u"Открыть файл");
  WCHAR buffer[64];
  EXPECT_EQ(LoadStringW(nullptr, 4242, buffer, 64), 12);
  EXPECT_EQ(std::u16string(buffer), u"Открыть файл");
  WCHAR small[5];
  EXPECT_EQ(LoadStringW(nullptr, 4242, small, 5), 4);
  EXPECT_EQ(std::u16string(small), u"Откр");
  const char16_t* direct = nullptr;
  EXPECT_EQ(LoadStringW(nullptr, 4242, reinterpret_cast<LPWSTR>(&direct), 0), 12);
  ASSERT_NE(direct, nullptr);
  EXPECT_EQ(std::u16string(direct, 12), u"Открыть файл");
  buffer[0] = u'x';
  EXPECT_EQ(LoadStringW(nullptr, 4243, buffer, 64), 0);
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(LoadStringW(nullptr, 4242, nullptr, 64), 0);
}

// The CMake generator, run as the build runs it; its output is read back here and compared
// byte for byte with the input files.
TEST(Resources, GeneratorEmbedsEveryFileByteForByte) {
  std::string pattern = (fs::temp_directory_path() / "kv-res-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  fs::create_directories(dir / "in" / "cursors");
  std::string binary;
  for (int i = 0; i < 300; ++i) binary.push_back(char(i * 7));
  const std::string bmp = std::string("BM") + std::string(12, '\x01') + "DIBDATA";
  std::ofstream(dir / "in" / "Sample.dat", std::ios::binary) << "sample data";
  std::ofstream(dir / "in" / "cursors" / "hand.cur", std::ios::binary) << binary;
  std::ofstream(dir / "in" / "glyph.bmp", std::ios::binary) << bmp;
  std::ofstream(dir / "in" / "empty.txt", std::ios::binary);
  const fs::path out = dir / "gen.cpp";
  const std::string command = "cmake -DKV_RES_DIR=" + (dir / "in").string() + " -DKV_RES_OUT=" + out.string() +
                              " -P " + KV_SOURCE_DIR + "/cmake/EmbedResources.cmake >/dev/null 2>&1";
  if (std::system("cmake --version >/dev/null 2>&1") != 0) {
    fs::remove_all(dir);
    GTEST_SKIP() << "cmake not runnable here";
  }
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(out);
  const std::string source((std::istreambuf_iterator<char>(in)), {});

  // kDataN -> bytes, from "const unsigned char kDataN[] = {0x.., ...};"
  std::map<std::string, std::string> arrays;
  for (size_t at = source.find("const unsigned char "); at != std::string::npos;
       at = source.find("const unsigned char ", at + 1)) {
    const size_t nameStart = at + 20, nameEnd = source.find('[', nameStart);
    const size_t open = source.find('{', nameEnd), close = source.find('}', open);
    std::string bytes;
    for (size_t x = source.find("0x", open); x != std::string::npos && x < close; x = source.find("0x", x + 4))
      bytes.push_back(char(std::stoi(source.substr(x + 2, 2), nullptr, 16)));
    arrays[source.substr(nameStart, nameEnd - nameStart)] = bytes;
  }
  // name -> (type, array, size), from "Register(win::RT_X, u"NAME", kDataN, SIZE);"
  struct Registered {
    std::string type, array;
    int size = -1;
  };
  std::map<std::string, Registered> registered;
  for (size_t at = source.find("Register("); at != std::string::npos; at = source.find("Register(", at + 1)) {
    const size_t typeEnd = source.find(", u\"", at);
    const size_t nameEnd = source.find("\", ", typeEnd + 4);
    const size_t arrayEnd = source.find(", ", nameEnd + 3);
    const size_t sizeEnd = source.find(");", arrayEnd);
    Registered r;
    r.type = source.substr(at + 9, typeEnd - at - 9);
    r.array = source.substr(nameEnd + 3, arrayEnd - nameEnd - 3);
    r.size = std::stoi(source.substr(arrayEnd + 2, sizeEnd - arrayEnd - 2));
    registered[source.substr(typeEnd + 4, nameEnd - typeEnd - 4)] = r;
  }

  ASSERT_EQ(registered.size(), 4u) << source;
  EXPECT_EQ(registered["SAMPLE"].type, "win::RT_RCDATA");
  EXPECT_EQ(arrays[registered["SAMPLE"].array], "sample data");
  EXPECT_EQ(registered["HAND"].type, "win::RT_RCDATA");
  EXPECT_EQ(arrays[registered["HAND"].array], binary);
  EXPECT_EQ(registered["HAND"].size, 300);
  // Bitmaps lose the 14-byte file header.
  EXPECT_EQ(registered["GLYPH"].type, "win::RT_BITMAP");
  EXPECT_EQ(arrays[registered["GLYPH"].array], "DIBDATA");
  EXPECT_EQ(registered["GLYPH"].size, 7);
  EXPECT_EQ(registered["EMPTY"].size, 0);

  // Two files with one name are refused.
  std::ofstream(dir / "in" / "cursors" / "sample.bin", std::ios::binary) << "x";
  EXPECT_NE(std::system(command.c_str()), 0);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace win
