#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/IniFiles.h"
#include "framework/SafeSave.h"
#include "framework/Streams.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Locale.h"
#include "stream_TempFolder.h"
#include "strings_TestSupport.h"

namespace fw {
namespace {

using V = std::vector<std::string>;

TEST(IniStore, ReadsTypedValuesWithoutCaseAndSkipsBrokenLines) {
  kvtest::TempFolder dir;
  std::string name = dir.File("settings.ini");
  kvtest::WriteBytes(name,
                     "; heading comment\r\n"
                     "[Main]\r\n"
                     "Width = 640\r\n"
                     "Mask=0x1F\r\n"
                     "broken line without equals\r\n"
                     "; a comment inside\r\n"
                     "Scale=1.5\r\n"
                     "Flag=1\r\n"
                     "=no name\r\n"
                     "[Окно]\r\n"
                     "Заголовок=График\r\n");
  TMemIniFile ini(name);
  EXPECT_EQ(ini.ReadInteger("MAIN", "width", 0), 640);
  EXPECT_EQ(ini.ReadInteger("Main", "Mask", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Main", "Scale", 7), 7);  // not an integer: default
  EXPECT_TRUE(ini.ReadBool("Main", "Flag", false));
  EXPECT_TRUE(ini.ReadBool("Main", "Missing", true));
  win::locale::SetRegionalDecimalSeparator(',');
  EXPECT_DOUBLE_EQ(double(ini.ReadFloat("Main", "Scale", 0)), 1.5);  // "." whatever the locale
  win::locale::ResetRegionalSettings();
  EXPECT_EQ(ini.ReadString("окно", "ЗАГОЛОВОК", ""), "График");
  TStringList keys;
  ini.ReadSection("main", &keys);
  EXPECT_EQ(Lines(keys), (V{"Width", "Mask", "Scale", "Flag"}));
  ini.ReadSections(&keys);
  EXPECT_EQ(Lines(keys), (V{"Main", "Окно"}));
  ini.ReadSectionValues("Main", &keys);
  EXPECT_EQ(keys.Values("Mask"), "0x1F");
  EXPECT_TRUE(ini.SectionExists("MAIN"));
  EXPECT_TRUE(ini.ValueExists("main", "SCALE"));
  EXPECT_FALSE(ini.ValueExists("main", "; a comment inside"));
}

TEST(IniStore, RoundTripKeepsCommentsAndWritesAtomically) {
  kvtest::TempFolder dir;
  std::string name = dir.File("rt.ini");
  kvtest::WriteBytes(name, "[A]\r\n; keep\r\nx=1\r\n");
  {
    TMemIniFile ini(name);
    ini.WriteInteger("a", "X", 2);
    ini.WriteFloat("B", "F", 0.25);
    ini.WriteBool("B", "On", true);
    ini.WriteString("B", "Text", "line1\r\nline2");
    ini.WriteString("C", "gone", "1");
    ini.EraseSection("c");
    ini.DeleteKey("B", "missing");
    ini.UpdateFile();
  }
  EXPECT_EQ(kvtest::ReadBytes(name), "[A]\r\n; keep\r\nx=2\r\n\r\n[B]\r\nF=0.25\r\nOn=1\r\nText=line1  line2\r\n");
  // No temporary file is left beside it.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
  TMemIniFile back(name);
  EXPECT_DOUBLE_EQ(double(back.ReadFloat("b", "f", 0)), 0.25);
  back.DeleteKey("B", "On");
  EXPECT_FALSE(back.ValueExists("B", "On"));
}

TEST(IniStore, FailedUpdateRaisesAndKeepsTheOldFile) {
  kvtest::TempFolder dir;
  // The target is a folder: the rename fails after the temporary file was written.
  std::string target = dir.File("taken.ini");
  std::filesystem::create_directory(target);
  TMemIniFile ini(target);
  ini.WriteString("S", "k", "v");
  EXPECT_THROW(ini.UpdateFile(), EFCreateError);
  EXPECT_TRUE(std::filesystem::is_directory(target));
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 1);  // only the folder: the temporary file is gone

  TMemIniFile nowhere(dir.File("no/such/folder/x.ini"));
  nowhere.WriteString("S", "k", "v");
  try {
    nowhere.UpdateFile();
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot create file \"" + dir.File("no/such/folder/x.ini") + "\". ", 0), 0u);
  }
}

TEST(IniStore, IniFileWritesEachChangeThrough) {
  kvtest::TempFolder dir;
  std::string name = dir.File("through.ini");
  TIniFile ini(name);
  ini.WriteString("S", "Key", "Значение");
  EXPECT_EQ(kvtest::ReadBytes(name), "[S]\r\nKey=Значение\r\n");
  ini.DeleteKey("S", "Key");
  EXPECT_EQ(kvtest::ReadBytes(name), "[S]\r\n");
  ini.EraseSection("S");
  EXPECT_EQ(kvtest::ReadBytes(name), "");
}

TEST(IniStore, Cp1251FilesAreReadToo) {
  kvtest::TempFolder dir;
  std::string name = dir.File("cp.ini");
  kvtest::WriteBytes(name, "[\xD0\xE0\xE7\xE4\xE5\xEB]\r\nK=\xC4\xE0\r\n");  // [Раздел] K=Да
  TMemIniFile ini(name);
  EXPECT_EQ(ini.ReadString("Раздел", "k", ""), "Да");
}


// Lines the store does not own go back to the file byte for byte, whatever changes around them.
TEST(IniStore, LinesTheStoreCannotReadAreKeptByteForByte) {
  struct Case { const char* what; std::string line; };
  const Case cases[] = {
      {"no equals sign", "just some words"},
      {"damaged heading", "[Broken"},
      {"empty key", "=no name"},
      {"second byte order mark before a comment", "\xEF\xBB\xBF; again"},
      {"Windows Cyrillic comment", "; \xCA\xEE\xEC\xEC\xE5\xED\xF2\xE0\xF0\xE8\xE9"},
      {"blanks kept inside", "  ;  indented comment  "},
  };
  for (const Case& c : cases) {
    kvtest::TempFolder dir;
    const std::string name = dir.File("kept.ini");
    // Before the first section and inside one.
    kvtest::WriteBytes(name, "\xEF\xBB\xBF; head\r\n" + c.line + "\r\n[S]\r\nx=1\r\n" + c.line + "\r\ny=2\r\n");
    TMemIniFile ini(name);
    EXPECT_FALSE(ini.ValueExists("S", "just some words")) << c.what;
    ini.WriteInteger("S", "x", 5);
    ini.WriteInteger("T", "new", 1);
    ini.UpdateFile();
    EXPECT_EQ(kvtest::ReadBytes(name), "\xEF\xBB\xBF; head\r\n" + c.line + "\r\n\r\n[S]\r\nx=5\r\n" + c.line + "\r\ny=2\r\n\r\n[T]\r\nnew=1\r\n")
        << c.what;
  }
}

// A value line keeps its own spacing until its value changes.
TEST(IniStore, UnchangedValueLinesKeepTheirBytes) {
  kvtest::TempFolder dir;
  const std::string name = dir.File("spaced.ini");
  kvtest::WriteBytes(name, "[S]\r\n  Width = 640 \r\nHeight\t=\t480\r\n");
  TMemIniFile ini(name);
  EXPECT_EQ(ini.ReadInteger("S", "Width", 0), 640);
  ini.WriteString("S", "Width", " 640 ");  // the same value: the line stays
  ini.WriteInteger("S", "Height", 500);
  ini.UpdateFile();
  EXPECT_EQ(kvtest::ReadBytes(name), "[S]\r\n  Width = 640 \r\nHeight=500\r\n");
}

TEST(IniStore, KeysHoldingEqualsSignsAndQuotesReadBack) {
  kvtest::TempFolder dir;
  const std::string name = dir.File("keys.ini");
  const V keys = {"Ctrl+=", "=", "a=b=c", "\"quoted\"", "say \"hi\"", "plain"};
  {
    TMemIniFile ini(name);
    for (const std::string& k : keys) ini.WriteString("Keys", k, "value of " + k);
    ini.UpdateFile();
  }
  TMemIniFile back(name);
  TStringList read;
  back.ReadSection("Keys", &read);
  EXPECT_EQ(Lines(read), keys);
  for (const std::string& k : keys) EXPECT_EQ(back.ReadString("Keys", k, "?"), "value of " + k) << k;
  // Lines of older files that merely start with a quote read as before.
  back.SetText("[K]\r\n\"open=1\r\n\"a\" b=2\r\n");
  EXPECT_EQ(back.ReadString("K", "\"open", ""), "1");
  EXPECT_EQ(back.ReadString("K", "\"a\" b", ""), "2");
}

// What cannot be read whole is refused with a message naming the file, never taken for an empty
// store; nothing is opened that could block or be consumed.
TEST(IniStore, FilesThatCannotBeReadWholeAreRefused) {
  kvtest::TempFolder dir;
  const std::string fifo = dir.File("fifo.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string big = dir.File("big.ini");
  kvtest::WriteBytes(big, "[S]\r\nk=1\r\n");
  ASSERT_EQ(::truncate(big.c_str(), (Int64(2) << 30) + 10), 0);  // sparse: no disk used
  const std::string link = dir.File("device.ini");
  std::filesystem::create_symlink("/dev/null", link);
  for (const std::string& name : {fifo, big, link}) {
    try {
      TMemIniFile ini(name);
      ADD_FAILURE() << "read " << name;
    } catch (const EStreamError& e) {
      EXPECT_EQ(e.Message().rfind("Cannot open file \"" + name + "\". ", 0), 0u) << e.Message();
    }
  }
  // Nor is anything but a regular file written over: the FIFO and the link stay what they were.
  for (const std::string& name : {fifo, link}) {
    EXPECT_THROW(SaveFileSafely(name, [](TStream* S) { S->WriteBuffer("x", 1); }), EFCreateError) << name;
  }
  struct stat info {};
  ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::file_size(big), (std::uintmax_t(2) << 30) + 10);
}

TEST(IniStore, ManySectionsAndKeysAreFoundByNameWithoutCase) {
  TMemIniFile ini("");
  for (int i = 0; i < 2000; ++i) ini.WriteInteger("Раздел" + std::to_string(i), "Ключ" + std::to_string(i), i);
  EXPECT_EQ(ini.ReadInteger("РАЗДЕЛ1999", "ключ1999", -1), 1999);
  ini.EraseSection("раздел5");
  EXPECT_FALSE(ini.SectionExists("Раздел5"));
  EXPECT_TRUE(ini.SectionExists("Раздел6"));
  ini.WriteString("S", "Dup", "first");
  ini.SetText("[S]\r\nDup=1\r\ndup=2\r\n");
  EXPECT_EQ(ini.ReadString("s", "DUP", ""), "1");
  ini.DeleteKey("S", "DUP");
  EXPECT_FALSE(ini.ValueExists("S", "dup"));
  EXPECT_EQ(ini.GetText(), "[S]\r\n");
}

}  // namespace
}  // namespace fw
