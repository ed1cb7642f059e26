// The lock on a file against other processes: who waits for whom, for how long, and what a
// holder that ends, hangs or replaces the file leaves to the next.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "support/ForeignLockHolder.h"
#include "framework/FileLock.h"
#include "stream_TempFolder.h"

namespace fw {
namespace {

using Clock = std::chrono::steady_clock;

// Another process that takes the lock on Path (waiting up to WaitMs), says 'y' (held) or 'n' on
// its pipe, then runs WhileHeld and ends.
class OtherProcess {
 public:
  OtherProcess(const std::string& Path, unsigned WaitMs, const std::function<void()>& WhileHeld) {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(fds[0]);
      {
        TFileLock lock(Path, WaitMs);
        const char said = lock.Held() ? 'y' : 'n';
        if (::write(fds[1], &said, 1) != 1) ::_exit(2);
        WhileHeld();
      }
      ::_exit(0);
    }
    ::close(fds[1]);
    pipe_ = fds[0];
  }
  ~OtherProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (pipe_ >= 0) ::close(pipe_);
  }
  // What it said: 'y', 'n', or 0 when it ended first.
  char Said() {
    char said = 0;
    return ::read(pipe_, &said, 1) == 1 ? said : 0;
  }
  void Kill() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int pipe_ = -1;
};

double SecondsSince(Clock::time_point Start) { return std::chrono::duration<double>(Clock::now() - Start).count(); }

// A holder that ends (let go, or killed while it held the lock) hands the lock on at once; one
// that keeps it past the wait gives none, after that wait and not much longer.
TEST(FileLock, AnotherHolderIsWaitedForWithinTheBound) {
  const struct {
    const char* holder;
    bool killed;         // killed while holding, rather than waited out
    unsigned holdMs;     // how long it keeps the lock when not killed
    unsigned waitMs;     // how long this process waits
    bool held;           // whether this process gets the lock
    double leastSeconds, mostSeconds;
  } cases[] = {
      {"lets go after 0.3 s", false, 300, 5000, true, 0.2, 3.0},
      {"killed while holding", true, 60000, 5000, true, 0.0, 3.0},
      {"keeps it past the wait", false, 60000, 300, false, 0.25, 3.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.holder);
    kvtest::TempFolder dir;
    const std::string path = dir.File("settings.ini");
    kvtest::WriteBytes(path, "[S]\nK=1\n");
    OtherProcess other(path, 0, [&] { ::usleep(c.holdMs * 1000); });
    ASSERT_EQ(other.Said(), 'y');
    if (c.killed) other.Kill();
    const Clock::time_point start = Clock::now();
    TFileLock lock(path, c.waitMs);
    EXPECT_EQ(lock.Held(), c.held);
    EXPECT_GE(SecondsSince(start), c.leastSeconds);
    EXPECT_LE(SecondsSince(start), c.mostSeconds);
  }
}


// Past another program's lock, what one lock waited is not waited again: a lock nested in one
// that gave up gives up at once, and a second copy that gave up waits only for the first copy's
// turn (its save), not for the other program, and not at all when no copy is saving.
TEST(FileLock, PastAnotherProgramsLockTheCopiesTakeTurnsWithoutWaitingTwice) {
  const struct {
    const char* what;
    bool nested;            // within an outer lock of this process that gave up
    unsigned copySavingMs;  // another copy that gave up too saves for this long (0: none)
    double leastSeconds, mostSeconds;
  } cases[] = {
      {"alone: the bound", false, 0, 0.9, 1.5},
      {"nested in one that gave up", true, 0, 0.0, 0.5},
      {"after a copy that gave up and saves for 1.5 s", false, 1500, 1.3, 2.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    kvtest::TempFolder dir;
    const std::string path = dir.File("settings.ini");
    kvtest::WriteBytes(path, "[S]\nK=1\n");
    kvtest::ForeignLockHolder program(path);
    ASSERT_TRUE(program.Held());
    std::unique_ptr<TFileLock> outer;
    if (c.nested) outer = std::make_unique<TFileLock>(path, 1000);
    std::unique_ptr<OtherProcess> copy;
    if (c.copySavingMs > 0) {
      copy = std::make_unique<OtherProcess>(path, 100, [&] { ::usleep(c.copySavingMs * 1000); });
      ASSERT_EQ(copy->Said(), 'n');
    }
    const Clock::time_point start = Clock::now();
    TFileLock lock(path, 1000);
    EXPECT_FALSE(lock.Held());
    EXPECT_GE(SecondsSince(start), c.leastSeconds);
    EXPECT_LE(SecondsSince(start), c.mostSeconds);
  }
}

// Held in this process, the lock nests without waiting, and another process waits until the
// outermost lock goes.
TEST(FileLock, NestsWithinOneProcessAndHoldsOthersOffUntilTheOutermostGoes) {
  kvtest::TempFolder dir;
  const std::string path = dir.File("settings.ini");
  kvtest::WriteBytes(path, "");
  auto outer = std::make_unique<TFileLock>(path, 100);
  ASSERT_TRUE(outer->Held());
  {
    const Clock::time_point start = Clock::now();
    TFileLock inner(path, 5000);
    EXPECT_TRUE(inner.Held());
    EXPECT_LT(SecondsSince(start), 1.0) << "waited for itself";
  }
  {
    OtherProcess other(path, 100, [] {});
    EXPECT_EQ(other.Said(), 'n') << "the inner lock's end let the file go";
  }
  outer.reset();
  OtherProcess other(path, 100, [] {});
  EXPECT_EQ(other.Said(), 'y');
}

// A save replaces the file by a rename while another process waits for the lock: that process
// then holds the file that stands under the name, and this one waits for it in turn.
TEST(FileLock, AWaiterGetsTheFileThatReplacedTheOneItWaitedFor) {
  kvtest::TempFolder dir;
  const std::string path = dir.File("settings.ini");
  kvtest::WriteBytes(path, "old");
  auto mine = std::make_unique<TFileLock>(path, 100);
  ASSERT_TRUE(mine->Held());
  OtherProcess other(path, 5000, [] { ::usleep(2000 * 1000); });
  ::usleep(200 * 1000);  // it waits on the old file
  kvtest::WriteBytes(path + ".new", "new");
  ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
  mine.reset();
  ASSERT_EQ(other.Said(), 'y');
  TFileLock again(path, 200);
  EXPECT_FALSE(again.Held()) << "both processes held the file under the name";
}

// A missing file is made to be locked, and is gone again after unless a save put a file under
// its name meanwhile; a folder is not locked, and not waited for.
TEST(FileLock, MakesAMissingFileForTheLockOnlyAndLeavesAFolderUnlocked) {
  kvtest::TempFolder dir;
  const std::string path = dir.File("new.ini");
  for (const bool saved : {false, true}) {
    SCOPED_TRACE(saved ? "saved meanwhile" : "nothing saved");
    {
      TFileLock lock(path, 100);
      EXPECT_TRUE(lock.Held());
      EXPECT_TRUE(std::filesystem::is_regular_file(path));
      EXPECT_EQ(std::filesystem::file_size(path), 0u);
      if (saved) {
        kvtest::WriteBytes(path + ".new", "[S]\nK=1\n");
        ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
      }
    }
    EXPECT_EQ(std::filesystem::exists(path), saved);
    EXPECT_EQ(std::filesystem::exists(path) ? kvtest::ReadBytes(path) : "", saved ? "[S]\nK=1\n" : "");
    std::filesystem::remove(path);
  }
  std::filesystem::create_directory(dir.File("folder.ini"));
  TFileLock folder(dir.File("folder.ini"), 100);
  EXPECT_FALSE(folder.Held());
  TFileLock nowhere(dir.File("no/such/x.ini"), 100);
  EXPECT_FALSE(nowhere.Held());
}

// A file this user may only read is still locked against others (the copies' turn, a write lock,
// cannot be had on it, and is not waited for). Under root, which may write anything, the lock is
// taken by a child that runs as an unprivileged user.
TEST(FileLock, AFileOnlyReadableIsLockedAgainstOthers) {
  kvtest::TempFolder dir;
  const std::string path = dir.File("readonly.ini");
  kvtest::WriteBytes(path, "[S]\nK=1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(::chmod(std::filesystem::path(path).parent_path().c_str(), 0755), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    if (::access(path.c_str(), W_OK) == 0) ::_exit(4);  // the file would not be read-only
    TFileLock lock(path, 100);
    if (!lock.Held()) ::_exit(1);
    const int other = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool keptOff = other >= 0 && ::flock(other, LOCK_EX | LOCK_NB) != 0;
    ::_exit(keptOff ? 0 : 2);
  }
  ASSERT_GT(child, 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not held, 2: others not kept off, 3: no unprivileged user, "
                                       "4: the file writable";
}

}  // namespace
}  // namespace fw
