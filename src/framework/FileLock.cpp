#include "framework/FileLock.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

namespace fw {

namespace {

using TFileId = std::pair<dev_t, ino_t>;

// The files this process holds locked: how many locks of each are live, and the handle whose
// closing lets it go.
struct THeld {
  int Depth = 0;
  int Fd = -1;
  bool Made = false;  // made empty to be locked: removed again when nothing was saved in it
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

// The file under Name opened to be locked, made empty when missing; -1 when it is no regular file
// or cannot be opened. A FIFO is opened without waiting for a writer, then refused.
int OpenToLock(const String& Name, TFileId& Id, bool& Made) {
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  Made = false;
  int fd = ::open(Name.c_str(), kFlags);
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(Name.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
    Made = fd >= 0;
    if (fd < 0 && errno == EEXIST) fd = ::open(Name.c_str(), kFlags);  // made by another meanwhile
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

}  // namespace

TFileLock::TFileLock(const String& FileName, unsigned WaitMs) : FFileName(FileName) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(WaitMs);
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
        // Held by this process already: a second lock of the file would wait for the first.
        ++it->second.Depth;
        FId = id;
        FHeld = true;
        ::close(fd);
        return;
      }
    }
    bool locked = false;
    for (;;) {
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        locked = true;
        break;
      }
      // A file system without locks gives none: waiting would not bring one.
      if (errno != EWOULDBLOCK && errno != EINTR) break;
      if (Clock::now() >= deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (locked && StillNamed(id, FileName)) {
      std::lock_guard guard(held.Mutex);
      held.Files[id] = THeld{1, fd, made};
      FId = id;
      FHeld = true;
      return;
    }
    // Not locked in time, or the file was replaced while waited for: the new one is locked in
    // its turn, within the same time.
    ::close(fd);
    if (!locked || Clock::now() >= deadline) return;
  }
}

TFileLock::~TFileLock() {
  if (!FHeld) return;
  THeldFiles& held = HeldFiles();
  std::lock_guard guard(held.Mutex);
  auto it = held.Files.find(FId);
  if (it == held.Files.end() || --it->second.Depth > 0) return;
  // A file made only to be locked leaves nothing behind when no save put it in place (a save that
  // failed, or none); one that a waiter holds open is made again by it.
  struct stat info {};
  if (it->second.Made && StillNamed(FId, FFileName) && ::fstat(it->second.Fd, &info) == 0 && info.st_size == 0)
    ::unlink(FFileName.c_str());
  ::close(it->second.Fd);  // lets the lock go
  held.Files.erase(it);
}

}  // namespace fw
