// A settings file an editor saved in UTF-16, with a byte-order mark or without one: its settings
// are read, and the save at exit (the file read again and merged) writes it back in the same
// encoding, its mark first, with every other line and the Cyrillic text as they were. UTF-16 that
// does not read as text is refused and left byte for byte as it is.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/SysUtils.h"
#include "settings_file_fixture.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"
#include "workspace/SettingsMerge.h"

namespace {

using workspace::TPropSaver;

// The file's bytes for text in UTF-16 of the given byte order, with the mark or without it.
std::string Utf16Bytes(std::u16string_view Text, bool HighFirst, bool Mark) {
  std::string bytes;
  for (const char16_t unit : Mark ? u"\uFEFF" + std::u16string(Text) : std::u16string(Text)) {
    const char low = char(unit & 0xFF), high = char(unit >> 8);
    bytes += HighFirst ? high : low;
    bytes += HighFirst ? low : high;
  }
  return bytes;
}

struct TForm {
  const char* Name;
  bool HighFirst, Mark;
};
constexpr TForm kForms[] = {
    {"UTF-16 LE with its mark", false, true},
    {"UTF-16 BE with its mark", true, true},
    {"UTF-16 LE without a mark", false, false},
    {"UTF-16 BE without a mark", true, false},
};

const std::u16string kFile =
    u"[PREFERENCES]\r\n; мои "
    u"настройки\r\nConfirmClose=0\r\nOpenDir=/home/папка\r\n[MRU]\r\nFile0=/tmp/a.txt\r\n";

class PropSaverUtf16Test : public wstest::SettingsFileTest {};

// Read whatever its share of Cyrillic text, which has no NUL byte in UTF-16.
TEST_F(PropSaverUtf16Test, SettingsAreRead) {
  const std::u16string cyrillic = u"; " + std::u16string(400, u'ж') + u"\r\n";
  for (const TForm& form : kForms) {
    for (const std::u16string& file : {kFile, cyrillic + kFile + cyrillic}) {
      WriteFile(Utf16Bytes(file, form.HighFirst, form.Mark));
      TPropSaver store(path_, "PREFERENCES", true);
      EXPECT_FALSE(store.ReadBool("ConfirmClose", true)) << form.Name;
      EXPECT_EQ(store.ReadString("OpenDir", ""), "/home/папка") << form.Name;
      EXPECT_EQ(store.ValueIn("MRU", "File0").value_or(""), "/tmp/a.txt") << form.Name;
    }
  }
}

// Bytes that hold NULs without being UTF-16 (a file cut short and filled with zeros) are read
// as bytes still, and UTF-8 after its mark reads and goes back with its mark.
TEST_F(PropSaverUtf16Test, OtherFilesReadAsBeforeAndKeepTheirBytes) {
  const std::string lines = "[PREFERENCES]\r\nConfirmClose=0\r\nName=имя\r\n", zeros(40, '\0');
  const struct {
    std::string File, Written;
  } cases[] = {
      {lines + zeros, lines + zeros + "\r\nAdded=1\r\n"},
      // The zeros right after a line break, which reads as one in UTF-16 of the low byte first.
      {lines + "B=12\n" + zeros, lines + "B=12\r\n" + zeros + "\r\nAdded=1\r\n"},
      {"\xEF\xBB\xBF" + lines, "\xEF\xBB\xBF" + lines + "Added=1\r\n"},
  };
  for (const auto& c : cases) {
    WriteFile(c.File);
    TPropSaver store(path_, "PREFERENCES", true);
    EXPECT_FALSE(store.ReadBool("ConfirmClose", true));
    EXPECT_EQ(store.ReadString("Name", ""), "имя");
    store.WriteString("Added", "1");
    store.UpdateFile();
    EXPECT_EQ(FileText(), c.Written);
  }
}

// A NUL or two in a file of bytes, however they fall, is no UTF-16: the file reads and goes back
// as bytes.
TEST_F(PropSaverUtf16Test, TheNulsOfADamagedFileOfBytesAreNoUtf16) {
  const std::string zeros(6, '\0');
  const struct {
    const char* Name;
    std::string File;
  } cases[] = {
      {"zeros after the file's only line break", "[PREFERENCES] \n" + zeros},
      {"a NUL after a sign, no line break", "[PREFERENCES]" + zeros.substr(0, 1)},
  };
  for (const auto& c : cases) {
    WriteFile(c.File);
    TPropSaver store(path_, "PREFERENCES", true);
    store.WriteString("Added", "1");
    store.UpdateFile();
    const std::string written = FileText();
    EXPECT_EQ(written.rfind("[PREFERENCES]", 0), 0u) << c.Name;
    EXPECT_TRUE(written.ends_with("\r\nAdded=1\r\n")) << c.Name;
  }
}

// The exit's save: the file read again as it is then (the user added a key meanwhile), this
// run's changes merged into it and written under its lock.
TEST_F(PropSaverUtf16Test, TheSaveAtExitKeepsTheEncodingAndEveryLine) {
  for (const TForm& form : kForms) {
    SCOPED_TRACE(form.Name);
    WriteFile(Utf16Bytes(kFile, form.HighFirst, form.Mark));
    const TPropSaver atStart(path_, "PREFERENCES", true);
    auto before = TPropSaver::FromStrings(nullptr, "PREFERENCES");
    before->WriteString("ConfirmClose", atStart.ReadString("ConfirmClose", "1"));
    auto now = TPropSaver::FromStrings(nullptr, "PREFERENCES");
    now->WriteString("ConfirmClose", "0");
    now->WriteString("Title", "Заголовок");
    const auto asRead = workspace::ValuesAsRead(atStart, *before);
    WriteFile(Utf16Bytes(kFile + u"Edited=правка\r\n", form.HighFirst, form.Mark));

    TPropSaver file(path_, "PREFERENCES", true);
    workspace::WriteChangesSince(*asRead, *before, *now, file);
    file.SetSection("MRU");
    file.WriteString("File0", "/tmp/b.txt");
    file.WriteString("File1", "/tmp/a.txt");
    ASSERT_TRUE(workspace::KeepSettings(file));
    EXPECT_EQ(FileText(), Utf16Bytes(u"[PREFERENCES]\r\n; мои настройки\r\nConfirmClose=0\r\n"
                                     u"OpenDir=/home/папка\r\nTitle=Заголовок\r\n\r\n[MRU]\r\n"
                                     u"File0=/tmp/b.txt\r\nEdited=правка\r\nFile1=/tmp/a.txt\r\n",
                                     form.HighFirst, form.Mark));
    EXPECT_EQ(FilesInDir(), 1u);
  }
}

// UTF-16 that would not come back the same: the store refuses it, the settings file is declared
// unreadable with the reason in Russian, and the save writes nothing over it.
TEST_F(PropSaverUtf16Test, DamagedUtf16IsRefusedAndLeftAsItIs) {
  const struct {
    const char* Name;
    std::string Bytes;
  } cases[] = {
      {"an odd byte at the end", Utf16Bytes(kFile, false, true) + "A"},
      {"half of a pair", Utf16Bytes(kFile + u"Name=\xD83D\r\n", true, true)},
      {"an odd byte at the end, no mark", Utf16Bytes(kFile, false, false) + "\n"},
  };
  const std::string settings = TPropSaver::SettingsFileName();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteFile(c.Bytes);
    EXPECT_THROW(TPropSaver(path_, "PREFERENCES", true), fw::EReadError);

    std::filesystem::copy_file(path_, settings, std::filesystem::copy_options::overwrite_existing);
    workspace::DeclareSettingsUnreadable("");
    TPropSaver store(true);
    ASSERT_TRUE(workspace::SettingsFileUnreadable());
    EXPECT_EQ(workspace::SettingsUnreadReason(),
              "Не удается прочитать файл \"" + settings + "\": текст файла в кодировке UTF-16 повреждён");
    EXPECT_TRUE(store.ReadBool("ConfirmClose", true)) << "the defaults";
    store.WriteBool("ConfirmClose", true);
    workspace::MarkSettingsNotKeptSaid();  // said at the start: no message box here
    EXPECT_FALSE(workspace::KeepSettings(store));
    std::ifstream in(settings, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.Bytes);
  }
  workspace::DeclareSettingsUnreadable("");
  std::filesystem::remove(settings);
}

}  // namespace
