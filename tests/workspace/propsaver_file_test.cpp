// Sections, keys and the settings file: reading damaged files, and a write that fails part way
// leaving the previous file whole.

#include <gtest/gtest.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "framework/FileLock.h"
#include "framework/IniFiles.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "settings_file_fixture.h"
#include "workspace/FileErrors.h"
#include "workspace/PropSaver.h"

namespace {

using workspace::TPropSaver;

class PropSaverFileTest : public wstest::SettingsFileTest {};

TEST_F(PropSaverFileTest, SectionsKeysAndComments) {
  WriteFile(
      "; settings\r\n[PREFERENCES]\r\nB=2\r\n; a comment=with equals\r\nA=1\r\nC=3\r\n[MRU]\r\nX=1\r\n");
  TPropSaver store(path_, "PREFERENCES", true);
  fw::TStringList keys;
  store.ReadSection("PREFERENCES", &keys);
  ASSERT_EQ(keys.Count(), 3);
  EXPECT_EQ(keys.Strings(0), "B");
  EXPECT_EQ(keys.Strings(1), "A");
  EXPECT_EQ(keys.Strings(2), "C");
  EXPECT_FALSE(store.ValueExists("; a comment"));

  store.DeleteKey("A");
  EXPECT_FALSE(store.ValueExists("A"));
  EXPECT_EQ(store.ReadInteger("C", 0), 3);
  store.EraseSection("MRU");
  fw::TStringList sections;
  store.ReadSections(&sections);
  ASSERT_EQ(sections.Count(), 1);
  EXPECT_EQ(sections.Strings(0), "PREFERENCES");
  store.UpdateFile();

  TPropSaver again(path_, "MRU", true);
  EXPECT_EQ(again.ReadInteger("X", -1), -1);
  again.SetSection("PREFERENCES");
  EXPECT_EQ(again.ReadInteger("A", -1), -1);
  EXPECT_EQ(again.ReadInteger("B", -1), 2);
  EXPECT_NE(FileText().find("; a comment=with equals"), std::string::npos);
}

TEST_F(PropSaverFileTest, BrokenLinesAndValuesReadAsDefaults) {
  WriteFile(
      "garbage before any section\r\nOrphan=1\r\n[PREFERENCES\r\n[PREFERENCES]\r\nno equals sign\r\n=novalue\r\n"
      "Good=5\r\nNum=12x\r\nRect=1;2\r\n\x01\x02\xff\xfe\r\nTail=7");
  TPropSaver store(path_, "PREFERENCES", true);
  EXPECT_EQ(store.ReadInteger("Good", 0), 5);
  EXPECT_EQ(store.ReadInteger("Tail", 0), 7);
  EXPECT_EQ(store.ReadInteger("Num", 9), 9);
  EXPECT_EQ(store.ReadRect("Rect", fw::TRect{4, 4, 4, 4}).left, 4);
  EXPECT_EQ(store.ReadInteger("Orphan", -1), -1);
  fw::TStringList keys;
  store.ReadSection("PREFERENCES", &keys);
  EXPECT_EQ(keys.IndexOf("no equals sign"), -1);
}

// A save keeps every line the store does not own exactly as the file had it; a byte order mark
// in front of a heading is not part of it.
TEST_F(PropSaverFileTest, DamagedLinesSurviveASave) {
  const std::string damaged =
      "; \xCA\xEE\xEC\xEC\xE5\xED\xF2\xE0\xF0\xE8\xE9\r\ngarbage before any section\r\nOrphan=1\r\n"
      "[PREFERENCES\r\n[PREFERENCES]\r\nno equals sign\r\n=novalue\r\nGood=5\r\n\xEF\xBB\xBF[MRU]\r\n";
  WriteFile(damaged);
  TPropSaver store(path_, "PREFERENCES", true);
  store.WriteInteger("Good", 6);
  store.WriteString("Ctrl+=", "ZoomIn");
  store.UpdateFile();
  EXPECT_EQ(FileText(),
            "; \xCA\xEE\xEC\xEC\xE5\xED\xF2\xE0\xF0\xE8\xE9\r\ngarbage before any section\r\nOrphan=1\r\n"
            "[PREFERENCES\r\n\r\n[PREFERENCES]\r\nno equals sign\r\n=novalue\r\nGood=6\r\n"
            "\"Ctrl+=\"=ZoomIn\r\n\r\n[MRU]\r\n");
  TPropSaver again(path_, "PREFERENCES", true);
  EXPECT_EQ(again.ReadString("Ctrl+=", ""), "ZoomIn");
}

// A settings file that cannot be read whole is refused, and a save (which reads the file first)
// writes nothing over it.
TEST_F(PropSaverFileTest, AFileThatCannotBeReadIsNeitherEmptiedNorReplaced) {
  WriteFile("[PREFERENCES]\r\nKeep=1\r\n");
  const auto size = (std::uintmax_t(2) << 30) + 64;  // above any 32-bit length; sparse
  std::filesystem::resize_file(path_, size);
  EXPECT_THROW(TPropSaver(path_, "PREFERENCES", true), fw::EStreamError);
  TPropSaver blind(path_, "PREFERENCES", false);
  blind.WriteInteger("Other", 2);
  EXPECT_THROW(blind.UpdateFile(), fw::EStreamError);
  EXPECT_EQ(std::filesystem::file_size(path_), size);
  std::string head(23, '\0');
  std::ifstream(path_, std::ios::binary).read(head.data(), 23);
  EXPECT_EQ(head, "[PREFERENCES]\r\nKeep=1\r\n");
  EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(PropSaverFileTest, EmptyAndMissingFilesGiveEmptyStores) {
  TPropSaver missing(path_, "PREFERENCES", true);
  EXPECT_EQ(missing.ReadString("Theme", "Default"), "Default");
  WriteFile("");
  TPropSaver empty(path_, "PREFERENCES", true);
  EXPECT_EQ(empty.ReadInteger("SelectorSize", 3), 3);
}

TEST_F(PropSaverFileTest, DestroyingDoesNotWrite) {
  WriteFile("[PREFERENCES]\r\nA=1\r\n");
  {
    TPropSaver store(path_, "PREFERENCES", true);
    store.WriteInteger("A", 2);
  }
  EXPECT_EQ(FileText(), "[PREFERENCES]\r\nA=1\r\n");
}

TEST_F(PropSaverFileTest, FileLessStoreRefusesToWrite) {
  fw::TStringList lines;
  lines.Add("[LEGEND]");
  lines.Add("Visible=1");
  auto store = TPropSaver::FromStrings(&lines, "LEGEND");
  EXPECT_TRUE(store->ReadBool("Visible", false));
  EXPECT_THROW(store->UpdateFile(), fw::EFCreateError);
}

// The file size limit makes the write fail once the new text passes it, as a full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_{};
  sighandler_t old_handler_;
};

TEST_F(PropSaverFileTest, FailedWriteKeepsThePreviousFileAndIsReported) {
  TPropSaver first(path_, "PREFERENCES", false);
  first.WriteString("Theme", "Default");
  first.WriteInteger("Count", 1);
  first.UpdateFile();
  const std::string before = FileText();
  ASSERT_FALSE(before.empty());

  TPropSaver second(path_, "PREFERENCES", true);
  for (int i = 0; i < 200; ++i) second.WriteString("Key" + std::to_string(i), std::string(40, 'x'));
  {
    FileSizeLimit limit(1024);
    try {
      second.UpdateFile();
      ADD_FAILURE() << "written past the limit";
    } catch (const fw::EFCreateError& e) {
      // Said with the system's reason in Russian, as every other file the program writes.
      EXPECT_EQ(workspace::FileErrorMessage(e, path_, workspace::faWrite),
                "Не удается записать файл \"" + path_ + "\": файл слишком велик");
    }
  }
  EXPECT_EQ(FileText(), before);
  EXPECT_EQ(FilesInDir(), 1u) << "the temporary file must not be left behind";

  // With room again the same store writes everything.
  second.UpdateFile();
  TPropSaver third(path_, "PREFERENCES", true);
  EXPECT_EQ(third.ReadString("Key199", ""), std::string(40, 'x'));
  EXPECT_EQ(third.ReadString("Theme", ""), "Default");
}

TEST_F(PropSaverFileTest, ProcessKilledWhileWritingLeavesTheOldFileWhole) {
  TPropSaver first(path_, "PREFERENCES", false);
  first.WriteString("Theme", "Office");
  first.UpdateFile();
  const std::string before = FileText();

  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TPropSaver store(path_, "PREFERENCES", true);
    for (int i = 0; i < 500; ++i) store.WriteString("Key" + std::to_string(i), std::string(60, 'y'));
    // Passing the limit kills the process by SIGXFSZ in the middle of the write.
    ::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 2048;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      store.UpdateFile();
    } catch (...) {
    }
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child was to die while writing";
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  EXPECT_EQ(FileText(), before);
  TPropSaver after(path_, "PREFERENCES", true);
  EXPECT_EQ(after.ReadString("Theme", ""), "Office");
  EXPECT_FALSE(after.ValueExists("Key0"));
}

// Another copy of the program has read the settings file and writes it back with its change while
// this one saves: this save waits for that write and keeps it, instead of being written over.
TEST_F(PropSaverFileTest, ASaveWaitsForAnotherCopysReadAndWrite) {
  WriteFile("[PREFERENCES]\r\nKept=1\r\n");
  int said[2];
  ASSERT_EQ(::pipe(said), 0);
  const pid_t other = ::fork();
  ASSERT_GE(other, 0);
  if (other == 0) {
    {
      const fw::TFileLock lock(path_);
      fw::TMemIniFile theirs(path_);
      const char read = 'r';
      if (::write(said[1], &read, 1) != 1) ::_exit(2);
      ::usleep(300 * 1000);
      theirs.WriteString("PREFERENCES", "Theirs", "1");
      theirs.UpdateFile();
    }
    ::_exit(0);
  }
  ::close(said[1]);
  char read = 0;
  ASSERT_EQ(::read(said[0], &read, 1), 1);
  ::close(said[0]);
  TPropSaver mine(path_, "PREFERENCES", false);
  mine.WriteString("Mine", "1");
  mine.UpdateFile();
  int status = 0;
  ASSERT_EQ(::waitpid(other, &status, 0), other);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  TPropSaver after(path_, "PREFERENCES", true);
  EXPECT_EQ(after.ReadString("Theirs", ""), "1");
  EXPECT_EQ(after.ReadString("Mine", ""), "1") << "written over by the other copy";
  EXPECT_EQ(after.ReadString("Kept", ""), "1");
}

TEST_F(PropSaverFileTest, WriteIntoMissingFolderIsReported) {
  TPropSaver store((dir_ / "no" / "such.ini").string(), "PREFERENCES", false);
  store.WriteBool("A", true);
  EXPECT_THROW(store.UpdateFile(), fw::EFCreateError);
}

// Saving merges into the file as it is then: a store never loaded, and a store loaded before
// another one saved, each add their own changes and keep every other line byte for byte.
TEST_F(PropSaverFileTest, SavingMergesIntoTheFileOnDisk) {
  const std::string original = "[A]\r\nDir=/home/папка\r\nOld=\xCF\xF0\r\n\r\n[B]\r\nGone=1\r\nKept=2\r\n";
  WriteFile(original);
  TPropSaver early(path_, "B", true);
  TPropSaver fresh(path_, "C", false);
  fresh.WriteString("Own", "значение");
  fresh.UpdateFile();
  EXPECT_EQ(FileText(), original + "\r\n[C]\r\nOwn=значение\r\n");

  early.DeleteKey("Gone");
  early.WriteString("Kept", "3");
  early.UpdateFile();
  EXPECT_EQ(FileText(), "[A]\r\nDir=/home/папка\r\nOld=\xCF\xF0\r\n\r\n[B]\r\nKept=3\r\n\r\n[C]\r\nOwn=значение\r\n");
  EXPECT_EQ(early.ReadString("Old", ""), "") << "section A is not current";
  early.SetSection("C");
  EXPECT_EQ(early.ReadString("Own", ""), "значение") << "after saving the store holds the whole file";
  early.SetSection("A");
  early.WriteString("Old", "Новое");  // a changed line is written anew, in UTF-8
  early.UpdateFile();
  EXPECT_NE(FileText().find("\r\nOld=Новое\r\n"), std::string::npos);
}

// A save reads the file again unless it is unchanged since the store read it: a change of the
// same size made meanwhile, with the file's times put back as they were, is merged, whether made
// in place or by another file put in its place.
TEST_F(PropSaverFileTest, AFileChangedSinceItWasReadIsMergedEvenWithItsTimesPutBack) {
  for (const bool replaced : {false, true}) {
    SCOPED_TRACE(replaced ? "another file put in its place" : "changed in place");
    WriteFile("[PREFERENCES]\r\nEdited=0\r\n");
    ::usleep(300 * 1000);  // the file settled, as one written a while before the program starts
    struct stat read {};
    ASSERT_EQ(::stat(path_.c_str(), &read), 0);
    TPropSaver store(path_, "PREFERENCES", true);
    store.WriteString("Mine", "1");
    if (replaced) {
      std::ofstream(path_ + ".new", std::ios::binary) << "[PREFERENCES]\r\nEdited=1\r\n";
      ASSERT_EQ(std::rename((path_ + ".new").c_str(), path_.c_str()), 0);
    } else {
      std::fstream edit(path_, std::ios::in | std::ios::out | std::ios::binary);
      edit.seekp(std::string("[PREFERENCES]\r\nEdited=").size());
      edit << '1';
    }
    const struct timespec times[2] = {read.st_atim, read.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path_.c_str(), times, 0), 0);
    ::usleep(300 * 1000);
    store.UpdateFile();
    TPropSaver after(path_, "PREFERENCES", true);
    EXPECT_EQ(after.ReadString("Edited", ""), "1") << "the change made beside the store was written over";
    EXPECT_EQ(after.ReadString("Mine", ""), "1");
  }
}

TEST(PropSaverSettingsFile, IsTheExecutablePathWithIni) {
  const std::string name = TPropSaver::SettingsFileName();
  ASSERT_GT(name.size(), 4u);
  EXPECT_EQ(name.substr(name.size() - 4), ".ini");
  EXPECT_EQ(name.substr(0, name.size() - 4), std::filesystem::read_symlink("/proc/self/exe").replace_extension("").string());
}

}  // namespace
