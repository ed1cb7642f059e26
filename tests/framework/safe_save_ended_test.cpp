// Saves that end before they finish: a save that reaches the file size limit fails like a full
// disk and leaves the old file and no part file; a save whose process is killed leaves a part
// file that the next save of that name removes, while a save still under way keeps its own.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/SafeSave.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Files.h"
#include "stream_TempFolder.h"

namespace {

using kvtest::ReadBytes;
using kvtest::WriteBytes;

void SaveBytes(const std::string& File, const std::string& Bytes) {
  fw::SaveFileSafely(File, [&](fw::TStream* Stream) { Stream->WriteBuffer(Bytes.data(), fw::Integer(Bytes.size())); });
}

// A save of Bytes to File in a process of its own, which stops once the bytes are written
// (before the part file takes the target's place) until it is killed.
class TStalledSave {
 public:
  TStalledSave(const std::string& File, const std::string& Bytes) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      try {
        fw::SaveFileSafely(File, [&](fw::TStream* Stream) {
          Stream->WriteBuffer(Bytes.data(), fw::Integer(Bytes.size()));
          (void)!::write(ready[1], "w", 1);
          while (true) ::pause();
        });
      } catch (...) {
      }
      ::_exit(1);
    }
    ::close(ready[1]);
    char byte = 0;
    written_ = pid_ > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
  }
  ~TStalledSave() { Kill(); }
  bool Written() const { return written_; }
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool written_ = false;
};

class SafeSaveEndedTest : public ::testing::Test {
 protected:
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder_.Path())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  kvtest::TempFolder folder_;
};

TEST_F(SafeSaveEndedTest, ASaveAtTheFileSizeLimitFailsLikeAFullDisk) {
  const std::string file = folder_.File("graph.txt");
  WriteBytes(file, "old graph");
  const pid_t child = ::fork();
  if (child == 0) {
    // What the program does at start, then 64 KiB at most for any file it writes.
    win::ReportFileSizeLimitAsWriteError();
    const rlimit limit{64 << 10, 64 << 10};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    int code = 2;
    try {
      SaveBytes(file, std::string(200000, '7'));
    } catch (const fw::EWriteError& e) {
      code = e.Message() == "Stream write error. " + fw::SysErrorMessage(EFBIG) ? 0 : 3;
    } catch (...) {
      code = 4;
    }
    ::_exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: saved past the limit, 3: another message, 4: another error";
  EXPECT_EQ(ReadBytes(file), "old graph");
  EXPECT_EQ(Entries(), std::vector<std::string>{"graph.txt"});
}

TEST_F(SafeSaveEndedTest, APartFileOfAKilledSaveIsRemovedByTheNextSave) {
  // A name at the length limit saves through a short part file name of its own.
  for (const std::string& name : {std::string("data.txt"), std::string(255 - 4, 'n') + ".txt"}) {
    const std::string file = folder_.File(name);
    WriteBytes(file, "old");
    TStalledSave killed(file, std::string(100000, 'k'));
    ASSERT_TRUE(killed.Written()) << name.size();
    EXPECT_EQ(Entries().size(), 2u) << "the target and the part under way";
    killed.Kill();
    EXPECT_EQ(ReadBytes(file), "old");
    SaveBytes(file, "mine");
    EXPECT_EQ(ReadBytes(file), "mine");
    EXPECT_EQ(Entries(), std::vector<std::string>{name}) << "nothing left beside it";
    std::filesystem::remove(file);
  }
}

TEST_F(SafeSaveEndedTest, ASaveUnderWayKeepsItsPartFile) {
  const std::string file = folder_.File("data.txt");
  TStalledSave other(file, "other's bytes");
  ASSERT_TRUE(other.Written());
  SaveBytes(file, "mine");
  EXPECT_EQ(ReadBytes(file), "mine");
  EXPECT_EQ(ReadBytes(file + ".part"), "other's bytes");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"data.txt", "data.txt.part"})) << "no part of this save left";
  other.Kill();
  SaveBytes(file, "again");
  EXPECT_EQ(Entries(), std::vector<std::string>{"data.txt"});
}

// A batch's files wait for Commit: meanwhile another save of the same name takes them for a save
// still under way, not for one that was killed.
TEST_F(SafeSaveEndedTest, ABatchKeepsItsPartFilesUntilCommitted) {
  const std::string file = folder_.File("data.txt");
  fw::TSafeSaveBatch batch;
  batch.Add(file, [](fw::TStream* Stream) { Stream->WriteBuffer("batch", 5); });
  SaveBytes(file, "meanwhile");
  EXPECT_EQ(ReadBytes(file), "meanwhile");
  EXPECT_NO_THROW(batch.Commit());
  EXPECT_EQ(ReadBytes(file), "batch");
  EXPECT_EQ(Entries(), std::vector<std::string>{"data.txt"});
}

}  // namespace
