#include "framework/FileLock.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace fw {

namespace {

using TFileId = std::pair<dev_t, ino_t>;
using Clock = std::chrono::steady_clock;

// The files this process holds locked: how many locks of each are live, and the handle whose
// closing lets it go.
struct THeld {
  int Depth = 0;
  int Fd = -1;
  bool Made = false;  // made empty to be locked: removed again when nothing was saved in it
  bool Held = false;  // the lock against every process, not only this copy's turn
};
struct THeldFiles {
  std::mutex Mutex;
  std::map<TFileId, THeld> Files;
};

THeldFiles& HeldFiles() {
  // Never destroyed: locks may be let go while statics are.
  static THeldFiles* held = [] {
    auto* files = new THeldFiles;
    // A child made by fork holds nothing: it shares the parent's locks through the handles it
    // inherited, which would keep them held after the parent let them go.
    ::pthread_atfork([] { HeldFiles().Mutex.lock(); }, [] { HeldFiles().Mutex.unlock(); },
                     [] {
                       THeldFiles& inherited = HeldFiles();
                       for (auto& entry : inherited.Files) ::close(entry.second.Fd);
                       inherited.Files.clear();
                       inherited.Mutex.unlock();
                     });
    return files;
  }();
  return *held;
}

std::atomic<unsigned> gDefaultWaitMs{TFileLock::DefaultWaitMs};

// The file under Name opened to be locked, made empty when missing; -1 when it is no regular file
// or cannot be opened. A FIFO is opened without waiting for a writer, then refused. Opened for
// writing where it may be (the copies' turn is a write lock, which asks for it; nothing is ever
// written through it), else for reading: a read-only file is still locked against others.
int OpenToLock(const String& Name, TFileId& Id, bool& Made) {
  constexpr int kFlags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  const auto open = [&](int Extra) {
    const int fd = ::open(Name.c_str(), kFlags | O_RDWR | Extra, 0666);
    return fd >= 0 || (errno != EACCES && errno != EROFS && errno != EISDIR) ? fd
                                                                            : ::open(Name.c_str(), kFlags | O_RDONLY | Extra, 0666);
  };
  Made = false;
  int fd = open(0);
  if (fd < 0 && errno == ENOENT) {
    fd = open(O_CREAT | O_EXCL);
    Made = fd >= 0;
    if (fd < 0 && errno == EEXIST) fd = open(0);  // made by another meanwhile
  }
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  Id = {info.st_dev, info.st_ino};
  return fd;
}

// Whether Id is still the file under Name (a save renames a new file over it).
bool StillNamed(const TFileId& Id, const String& Name) {
  struct stat named {};
  return ::stat(Name.c_str(), &named) == 0 && TFileId{named.st_dev, named.st_ino} == Id;
}

enum class TWaited { Got, TimedOut, NotOffered };

// Tries Take until it succeeds or Deadline passes (at least once). A lock the file system does not
// offer is not waited for: waiting would not bring it.
template <class TTake>
TWaited WaitFor(TTake Take, Clock::time_point Deadline) {
  for (;;) {
    if (Take()) return TWaited::Got;
    if (errno != EWOULDBLOCK && errno != EAGAIN && errno != EACCES && errno != EINTR) return TWaited::NotOffered;
    if (Clock::now() >= Deadline) return TWaited::TimedOut;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// The lock every process may take on the file.
bool TakeAll(int Fd) { return ::flock(Fd, LOCK_EX | LOCK_NB) == 0; }

// The copies' turn: a write lock on the whole file held by the open file (not the process, so
// it neither mixes with other locks of this process nor goes when another handle of the file is
// closed), which other programs do not ask for in place of the lock above.
bool TakeTurn(int Fd) {
  struct flock range {};
  range.l_type = F_WRLCK;
  range.l_whence = SEEK_SET;
  return ::fcntl(Fd, F_OFD_SETLK, &range) == 0;
}

}  // namespace

unsigned TFileLock::DefaultWait() { return gDefaultWaitMs.load(); }
void TFileLock::SetDefaultWait(unsigned WaitMs) { gDefaultWaitMs.store(WaitMs); }

TFileLock::TFileLock(const String& FileName) : TFileLock(FileName, DefaultWait()) {}

TFileLock::TFileLock(const String& FileName, unsigned WaitMs) : FFileName(FileName) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(WaitMs);
  std::optional<Clock::time_point> turnDeadline;
  THeldFiles& held = HeldFiles();
  for (;;) {
    TFileId id;
    bool made = false;
    const int fd = OpenToLock(FileName, id, made);
    if (fd < 0) return;
    {
      std::lock_guard guard(held.Mutex);
      auto it = held.Files.find(id);
      if (it != held.Files.end()) {
        // Taken by this process already: a second lock of the file would wait for the first.
        ++it->second.Depth;
        FId = id;
        FHeld = it->second.Held;
        FTaken = true;
        ::close(fd);
        return;
      }
    }
    const bool locked = WaitFor([fd] { return TakeAll(fd); }, deadline) == TWaited::Got;
    // The turn among the copies, with or without the lock: one that holds it may be a copy that
    // gave up on the lock and is saving now.
    if (!turnDeadline) turnDeadline = std::max(deadline, Clock::now() + std::chrono::milliseconds(WaitMs));
    const bool turn = WaitFor([fd] { return TakeTurn(fd); }, *turnDeadline) != TWaited::TimedOut;
    if (turn && StillNamed(id, FileName)) {
      std::lock_guard guard(held.Mutex);
      held.Files[id] = THeld{1, fd, made, locked};
      FId = id;
      FHeld = locked;
      FTaken = true;
      return;
    }
    // Another copy hung in its save, or the file was replaced while waited for: the new one is
    // taken in its turn, the lock within the time left.
    ::close(fd);
    if (!turn || Clock::now() >= *turnDeadline) return;
  }
}

TFileLock::~TFileLock() {
  if (!FTaken) return;
  THeldFiles& held = HeldFiles();
  std::lock_guard guard(held.Mutex);
  auto it = held.Files.find(FId);
  if (it == held.Files.end() || --it->second.Depth > 0) return;
  // A file made only to be locked leaves nothing behind when no save put it in place (a save that
  // failed, or none); one that a waiter holds open is made again by it.
  struct stat info {};
  if (it->second.Made && StillNamed(FId, FFileName) && ::fstat(it->second.Fd, &info) == 0 && info.st_size == 0)
    ::unlink(FFileName.c_str());
  ::close(it->second.Fd);  // lets the lock and the turn go
  held.Files.erase(it);
}

}  // namespace fw
