// What one run changed in the settings, written over the file as it is at exit: values the run
// left alone keep what the user or another copy wrote meanwhile, and recent-file lists merge.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_file_fixture.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsMerge.h"

namespace {

using Names = std::vector<std::string>;

TEST(MergeRecentNames, KeepsWhatEachRunPutOnTop) {
  struct Case {
    const char* Name;
    Names AtStart, Now, OnDisk;
    std::size_t Most;
    Names Merged;
  };
  const Case cases[] = {
      {"nobody else saved", {"a", "b", "c"}, {"x", "a", "b"}, {"a", "b", "c"}, 3, {"x", "a", "b"}},
      {"another copy added one", {"a", "b", "c"}, {"x", "a", "b"}, {"y", "a", "b"}, 4, {"x", "y", "a", "b"}},
      {"cut to the length", {"a", "b"}, {"x", "a", "b"}, {"y", "z", "a", "b"}, 3, {"x", "y", "z"}},
      {"a file opened again goes on top", {"a", "b", "c"}, {"c", "a", "b"}, {"y", "a", "b", "c"}, 4,
       {"c", "y", "a", "b"}},
      {"removed here stays removed", {"a", "b", "c"}, {"a", "c"}, {"y", "a", "b", "c"}, 4, {"y", "a", "c"}},
      {"nothing changed here", {"a", "b"}, {"a", "b"}, {"y", "a"}, 4, {"y", "a"}},
      {"a list started empty", {}, {"x"}, {"y"}, 4, {"x", "y"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(workspace::MergeRecentNames(c.AtStart, c.Now, c.OnDisk, c.Most), c.Merged) << c.Name;
}

class WriteChangesSinceTest : public wstest::SettingsFileTest {};

TEST_F(WriteChangesSinceTest, OnlyWhatThisRunChangedOrRepairedIsWrittenOverTheFile) {
  struct Case {
    const char* Name;
    const char* AsRead;  // the file's line at start ("" none)
    const char* Before;  // the value the run started with
    const char* Now;     // the value at exit
    const char* OnDisk;  // the file's line at exit
    const char* Written;  // the file's line after
  };
  const Case cases[] = {
      {"changed here", "Key=0", "0", "1", "Key=0", "Key=1"},
      {"changed here and there: this run's", "Key=0", "0", "1", "Key=2", "Key=1"},
      {"edited there meanwhile", "Key=0", "0", "0", "Key=1", "Key=1"},
      {"added there meanwhile", "", "0", "0", "Key=1", "Key=1"},
      {"missing, and still so", "", "0", "0", "", "Key=0"},
      {"damaged, and still so", "Key=x", "0", "0", "Key=x", "Key=0"},
      {"damaged, then mended there", "Key=x", "0", "0", "Key=1", "Key=1"},
      {"removed there meanwhile", "Key=0", "0", "0", "", ""},
  };
  auto store = [](const char* Line) {
    auto s = workspace::TPropSaver::FromStrings(nullptr, "PREFERENCES");
    s->SetText(std::string("[PREFERENCES]\nOther=7\n") + Line + "\n");
    return s;
  };
  // The file as read at start, whole or only the values of the keys the run started with.
  for (const bool whole : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(whole ? "the whole file as read" : "the values of the run's keys as read");
      const auto before = store(c.Before[0] ? (std::string("Key=") + c.Before).c_str() : "");
      auto fileAsRead = store(c.AsRead);
      const auto asRead = whole ? std::move(fileAsRead) : workspace::ValuesAsRead(*fileAsRead, *before);
      const auto now = store((std::string("Key=") + c.Now).c_str());
      WriteFile(std::string("[PREFERENCES]\nOther=8\n") + c.OnDisk + "\n");
      workspace::TPropSaver file(path_, "PREFERENCES", true);
      file.SetSection("ELSEWHERE");
      workspace::WriteChangesSince(*asRead, *before, *now, file);
      EXPECT_EQ(file.Section(), "ELSEWHERE") << c.Name << ": the store's section as it was";
      file.UpdateFile();
      workspace::TPropSaver written(path_, "PREFERENCES", true);
      const std::string line = written.ValueExists("Key") ? "Key=" + written.ReadString("Key", "") : "";
      EXPECT_EQ(line, c.Written) << c.Name;
      EXPECT_EQ(written.ReadString("Other", ""), "8") << c.Name << ": a value this run left as it was";
    }
  }
}

// Of the file as read, only the values of the keys the run started with are kept: the rest of a
// large file is not copied.
TEST(ValuesAsRead, KeepsTheFilesValuesOfTheRunsKeysOnly) {
  auto file = workspace::TPropSaver::FromStrings(nullptr, "PREFERENCES");
  file->SetText("[PREFERENCES]\nTheme=Dream\nUnknown=1\n[TOOLBARS]\nStandard=1;0\n[HISTORY]\nEntry0=a\nEntry1=b\n");
  auto keys = workspace::TPropSaver::FromStrings(nullptr, "PREFERENCES");
  keys->SetText("[PREFERENCES]\nTheme=Default\nMissing=0\n[TOOLBARS]\nStandard=0;0\n");
  const auto kept = workspace::ValuesAsRead(*file, *keys);
  EXPECT_EQ(kept->GetText(), "[PREFERENCES]\r\nTheme=Dream\r\n\r\n[TOOLBARS]\r\nStandard=1;0\r\n");
  EXPECT_EQ(kept->Section(), "PREFERENCES");
}

}  // namespace
