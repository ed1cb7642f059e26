// Damaged settings files: a byte order mark in front of a line, lines of control bytes, stray
// brackets, quotes and equals signs. What the store loads and saves once, it saves again to the
// very same bytes (or refuses, leaving it as it was), and a stray byte order mark loses no section.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "framework/IniFiles.h"
#include "framework/SysUtils.h"
#include "stream_TempFolder.h"
#include "strings_TestSupport.h"

namespace fw {
namespace {

// The file after the store read it and wrote it back with one key changed.
std::string Saved(const std::string& Folder, const std::string& Bytes) {
  const std::string name = Folder + "/damaged.ini";
  kvtest::WriteBytes(name, Bytes);
  TMemIniFile ini(name);
  ini.WriteInteger("PREFERENCES", "SkipLines", 3);
  ini.UpdateFile();
  return kvtest::ReadBytes(name);
}

TEST(IniDamaged, SavingWhatWasLoadedAndSavedGivesTheSameBytes) {
  const std::vector<std::string> pieces = {
      "[PREFERENCES]", "[preferences]", " [S] ", "[", "]", "[]", "[ ]", "k=v", "K=w", "SkipLines=9", "\"q\"=1",
      "\"a\"b=c", "\"", "=x", "==", "a==b", ";c", "\xEF\xBB\xBF", "\xEF\xBB", "\xC0\xC1", std::string(1, '\0'),
      std::string(3, '\0'), "\x01", "\r", "\n", "\r\n", "\r\n", "\r\n", " ", "\t", "x", "\xCA\xEE"};
  std::mt19937 random(49);
  // Thousands of saves, each synced to disk: in memory when the system offers a folder there.
  kvtest::TempFolder disk;
  std::string folder = disk.Path();
  char memory[] = "/dev/shm/kvini-XXXXXX";
  if (std::filesystem::is_directory("/dev/shm") && ::mkdtemp(memory)) folder = memory;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    const int n = int(random() % 24);
    for (int i = 0; i < n; ++i) bytes += pieces[random() % pieces.size()];
    std::string once;
    try {
      once = Saved(folder, bytes);
    } catch (const EReadError&) {
      // Taken for UTF-16 that does not read as text: refused, and the file left as it was.
      ASSERT_EQ(kvtest::ReadBytes(folder + "/damaged.ini"), bytes);
      continue;
    }
    const std::string twice = Saved(folder, once);
    ASSERT_EQ(twice, once) << "from: " << ::testing::PrintToString(bytes);
  }
  if (folder != disk.Path()) std::filesystem::remove_all(folder);
}

// A byte order mark in front of a heading (two files pasted together) loses no section, and
// saving adds no second one; a line of NUL bytes or other control bytes is kept as it came.
TEST(IniDamaged, AByteOrderMarkInFrontOfALineIsNotPartOfIt) {
  kvtest::TempFolder dir;
  const std::string name = dir.File("pasted.ini");
  const std::string nuls(4, '\0');
  kvtest::WriteBytes(name, "\xEF\xBB\xBF[PREFERENCES]\r\nSkipLines=2\r\n\xEF\xBB\xBF[TOOLBARS]\r\n" + nuls +
                               "\r\n\xEF\xBB\xBF\xEF\xBB\xBF" "Floating=1\r\n\x01\x02\r\n");
  TMemIniFile ini(name);
  EXPECT_EQ(ini.ReadInteger("PREFERENCES", "SkipLines", 0), 2);
  EXPECT_TRUE(ini.SectionExists("TOOLBARS"));
  EXPECT_EQ(ini.ReadInteger("TOOLBARS", "Floating", 0), 1);
  ini.WriteInteger("TOOLBARS", "Docked", 0);
  ini.UpdateFile();
  EXPECT_EQ(kvtest::ReadBytes(name), "\xEF\xBB\xBF[PREFERENCES]\r\nSkipLines=2\r\n\r\n[TOOLBARS]\r\n" + nuls +
                                         "\r\n\xEF\xBB\xBF\xEF\xBB\xBF" "Floating=1\r\n\x01\x02\r\nDocked=0\r\n");
}

}  // namespace
}  // namespace fw
