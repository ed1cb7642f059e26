#include "framework/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <string>

#include "framework/SysUtils.h"

namespace fw {
namespace {

[[noreturn]] void RaiseOpenError(const String& FileName, const String& Reason) {
  throw EFOpenError(Format("Cannot open file \"%s\". %s", FileName, Reason));
}
[[noreturn]] void RaiseReadError(const String& FileName, const String& Reason) {
  throw EReadError(Format("Cannot read file \"%s\". %s", FileName, Reason));
}

class TDescriptor {
 public:
  explicit TDescriptor(int Fd) : FFd(Fd) {}
  ~TDescriptor() {
    if (FFd >= 0) ::close(FFd);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Fd() const { return FFd; }

 private:
  int FFd;
};

}  // namespace

bool IsRegularFile(const String& FileName) {
  struct stat info {};
  return ::stat(FileName.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string ReadWholeFile(const String& FileName, Int64 MaxSize) {
  struct stat info {};
  if (::stat(FileName.c_str(), &info) != 0) RaiseOpenError(FileName, SysErrorMessage(errno));
  if (!S_ISREG(info.st_mode))
    RaiseOpenError(FileName, S_ISDIR(info.st_mode) ? SysErrorMessage(EISDIR) : kNotARegularFile);
  // Without blocking: what was checked above may have been swapped for a FIFO since.
  TDescriptor file(::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Fd() < 0) RaiseOpenError(FileName, SysErrorMessage(errno));
  if (::fstat(file.Fd(), &info) != 0) RaiseOpenError(FileName, SysErrorMessage(errno));
  if (!S_ISREG(info.st_mode)) RaiseOpenError(FileName, kNotARegularFile);
  if (info.st_size > MaxSize)
    RaiseOpenError(FileName,
                   Format("%s (%d bytes, at most %d)", kFileTooLarge, Int64(info.st_size), MaxSize));
  std::string bytes;
  try {
    bytes.resize(std::size_t(info.st_size));
    std::size_t done = 0;
    // To the end, in pieces a single read can take: the file may grow or shrink meanwhile.
    while (true) {
      if (done == bytes.size()) {
        if (Int64(bytes.size()) >= MaxSize + 1) break;
        bytes.resize(bytes.size() + 65536);
      }
      const std::size_t piece = std::min<std::size_t>(bytes.size() - done, std::size_t(1) << 30);
      const ssize_t n = ::read(file.Fd(), bytes.data() + done, piece);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) RaiseReadError(FileName, SysErrorMessage(errno));
      if (n == 0) break;
      done += std::size_t(n);
    }
    if (Int64(done) > MaxSize)
      RaiseOpenError(FileName, Format("%s (more than %d bytes)", kFileTooLarge, MaxSize));
    bytes.resize(done);
  } catch (const std::bad_alloc&) {
    RaiseReadError(FileName, Format("Not enough memory for %d bytes", Int64(info.st_size)));
  }
  return bytes;
}

}  // namespace fw
