#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/IniFiles.h"
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

}  // namespace
}  // namespace fw
