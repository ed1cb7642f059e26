#include "ForeignLockHolder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvtest {

ForeignLockHolder::ForeignLockHolder(const std::string& Path, unsigned HoldMs) {
  int said[2];
  if (::pipe(said) != 0) return;
  FPid = ::fork();
  if (FPid == 0) {
    ::close(said[0]);
    const int fd = ::open(Path.c_str(), O_RDONLY | O_CREAT, 0666);
    const char held = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
    if (::write(said[1], &held, 1) != 1) ::_exit(2);
    if (HoldMs == 0)
      ::pause();
    else
      ::usleep(useconds_t(HoldMs) * 1000);
    ::_exit(0);
  }
  ::close(said[1]);
  char held = 0;
  // The parent goes on only once the child has the lock (or failed to take it).
  FHeld = FPid > 0 && ::read(said[0], &held, 1) == 1 && held == 'y';
  ::close(said[0]);
}

ForeignLockHolder::~ForeignLockHolder() {
  if (FPid <= 0) return;
  ::kill(FPid, SIGKILL);
  ::waitpid(FPid, nullptr, 0);
}

}  // namespace kvtest
