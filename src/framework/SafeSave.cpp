#include "framework/SafeSave.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "framework/Streams.h"
#include "framework/SysUtils.h"

namespace fw {
namespace {

[[noreturn]] void RaiseCreateError(const String& FileName, int Error) {
  throw EFCreateError(Format("Cannot create file \"%s\". %s", FileName, SysErrorMessage(Error)));
}

// The file a name stands for: a symbolic link is followed, so that saving replaces the file it
// points to rather than the link.
String ResolvedTarget(const String& FileName) {
  struct stat info {};
  if (::lstat(FileName.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return FileName;
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(FileName.c_str(), nullptr), &std::free);
  return real ? String(real.get()) : FileName;
}

// A part file of a save carries this extended attribute: a file of that name someone else put
// there has none and is never taken for one.
constexpr char kPartMark[] = "user.korvalin.save";

// Marks and locks a new part file. The lock lasts as long as the file is open in the saving
// process, so a part whose lock can be taken belongs to a save that can no longer finish.
void MarkAsPart(int Fd) {
  ::flock(Fd, LOCK_EX);
  ::fsetxattr(Fd, kPartMark, "1", 1, 0);  // a file system without attributes: never reclaimed
}

// PartName made as a new file, already locked and marked when it appears under its name (so no
// other save can take it for abandoned); -1 with errno when it cannot be made (EEXIST: taken).
int NewPartFile(const String& Folder, const String& PartName) {
  const int unnamed = ::open(Folder.empty() ? "." : Folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (unnamed >= 0) {
    MarkAsPart(unnamed);
    const std::string self = "/proc/self/fd/" + std::to_string(unnamed);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, PartName.c_str(), AT_SYMLINK_FOLLOW) == 0) return unnamed;
    const int error = errno;
    ::close(unnamed);
    errno = error;
    if (errno != ENOENT) return -1;  // no /proc to name the file through: made by name below
  } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    return -1;
  }
  // A file system without unnamed files: locked and marked right after it is made.
  const int fd = ::open(PartName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) MarkAsPart(fd);
  return fd;
}

// Removes PartName when a save that can no longer finish left it: it is marked as a part file
// and its writer's lock is gone (the process ended, killed during the save). True when removed.
bool RemoveAbandonedPart(const String& PartName) {
  const int fd = ::open(PartName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat held {}, named {};
  char mark[4];
  // Still the same file under the name once the lock is held: another save may have reclaimed
  // it and made a new one meanwhile.
  const bool abandoned = ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
                         ::fgetxattr(fd, kPartMark, mark, sizeof mark) >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                         ::lstat(PartName.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
                         named.st_ino == held.st_ino;
  const bool removed = abandoned && ::unlink(PartName.c_str()) == 0;
  ::close(fd);
  return removed;
}

// The same short name for every save of one target, so that a later save finds the part file an
// earlier one left.
String ShortPartName(const String& Target) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const unsigned char c : Target) hash = (hash ^ c) * 1099511628211ull;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return ExtractFilePath(Target) + ".save-" + text;
}

// A new, empty file beside Target that no other save uses: "<Target>.part", else with a number;
// a part file left by a save that can no longer finish is removed and its name taken. A name
// already at the length limit gets a short one in the same folder.
int CreatePartFile(const String& Target, const String& FileName, String& PartName) {
  bool shortName = false;
  int reclaimed = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const String suffix = ".part" + (attempt ? std::to_string(attempt) : String());
    PartName = (shortName ? ShortPartName(Target) : Target) + suffix;
    const int fd = NewPartFile(ExtractFilePath(Target), PartName);
    if (fd >= 0) return fd;
    if (errno == ENAMETOOLONG && !shortName) {
      shortName = true;
      attempt = -1;
      continue;
    }
    if (errno != EEXIST) RaiseCreateError(FileName, errno);
    if (reclaimed < 1000 && RemoveAbandonedPart(PartName)) {
      ++reclaimed;
      --attempt;  // the same name again
    }
  }
  RaiseCreateError(FileName, EEXIST);
}

}  // namespace

void SaveFileSafely(const String& FileName, const std::function<void(TStream* Stream)>& Write) {
  TSafeSaveBatch batch;
  batch.Add(FileName, Write);
  batch.Commit();
}

TSafeSaveBatch::~TSafeSaveBatch() {
  for (const TPending& p : FPending) {
    ::unlink(p.PartName.c_str());
    if (p.LockFd >= 0) ::close(p.LockFd);
  }
}

void TSafeSaveBatch::Add(const String& FileName, const std::function<void(TStream* Stream)>& Write) {
  const String target = ResolvedTarget(FileName);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  // Replacing by rename would get past a file that may not be written to, a folder, or a FIFO
  // or a device that someone put there on purpose.
  if (exists && S_ISDIR(existing.st_mode)) RaiseCreateError(FileName, EISDIR);
  if (exists && !S_ISREG(existing.st_mode))
    throw EFCreateError(Format("Cannot create file \"%s\". %s", FileName, kNotARegularFile));
  if (exists && ::access(target.c_str(), W_OK) != 0) RaiseCreateError(FileName, errno);

  String partName;
  const int fd = CreatePartFile(target, FileName, partName);
  // The part's lock stays held through a second handle until it is in place or removed: closed
  // with the file, it would let another save take the part for abandoned before Commit.
  const int lockFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  auto discard = [&] {
    ::unlink(partName.c_str());
    if (lockFd >= 0) ::close(lockFd);
  };
  try {
    if (exists) ::fchmod(fd, existing.st_mode & 07777);
    THandleStream stream(fd);
    Write(&stream);
    // On disk before the rename, so a crash of the machine cannot leave an empty file in
    // the target's place.
    if (::fsync(fd) != 0) throw EWriteError(WriteErrorMessage(errno));
  } catch (...) {
    ::close(fd);
    discard();
    throw;
  }
  if (::close(fd) != 0) {
    const int error = errno;
    discard();
    throw EWriteError(WriteErrorMessage(error));
  }
  try {
    FPending.push_back({FileName, target, partName, lockFd});
  } catch (...) {
    discard();
    throw;
  }
}

void TSafeSaveBatch::Commit() {
  while (!FPending.empty()) {
    const TPending& p = FPending.front();
    if (::rename(p.PartName.c_str(), p.Target.c_str()) != 0) {
      const int error = errno;
      const String name = p.FileName;
      RaiseCreateError(name, error);  // the destructor removes what is left
    }
    if (p.LockFd >= 0) ::close(p.LockFd);
    FPending.erase(FPending.begin());
  }
}

}  // namespace fw
