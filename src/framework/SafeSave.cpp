#include "framework/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// A new, empty file beside Target that no one else uses: "<Target>.part", else with a number.
// A name already at the length limit gets a short one of the process's own in the same folder.
int CreatePartFile(const String& Target, const String& FileName, String& PartName) {
  bool shortName = false;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const String suffix = ".part" + (attempt ? std::to_string(attempt) : String());
    PartName = shortName ? ExtractFilePath(Target) + ".save-" + std::to_string(::getpid()) + suffix
                         : Target + suffix;
    const int fd = ::open(PartName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno == ENAMETOOLONG && !shortName) {
      shortName = true;
      attempt = -1;
      continue;
    }
    if (errno != EEXIST) RaiseCreateError(FileName, errno);
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
  for (const TPending& p : FPending) ::unlink(p.PartName.c_str());
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
  try {
    if (exists) ::fchmod(fd, existing.st_mode & 07777);
    THandleStream stream(fd);
    Write(&stream);
    // On disk before the rename, so a crash of the machine cannot leave an empty file in
    // the target's place.
    if (::fsync(fd) != 0) throw EWriteError(WriteErrorMessage(errno));
  } catch (...) {
    ::close(fd);
    ::unlink(partName.c_str());
    throw;
  }
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(partName.c_str());
    throw EWriteError(WriteErrorMessage(error));
  }
  FPending.push_back({FileName, target, partName});
}

void TSafeSaveBatch::Commit() {
  while (!FPending.empty()) {
    const TPending& p = FPending.front();
    if (::rename(p.PartName.c_str(), p.Target.c_str()) != 0) {
      const int error = errno;
      const String name = p.FileName;
      RaiseCreateError(name, error);  // the destructor removes what is left
    }
    FPending.erase(FPending.begin());
  }
}

}  // namespace fw
