#include "platform/kernel/EndSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

namespace win {

const int kEndSignals[kEndSignalCount] = {SIGTERM, SIGHUP, SIGINT};

namespace {

// Written by the handlers, read by WaitForEndSignal. The write end is never closed while a
// handler may run: a closed number taken by another file would get the handler's byte.
int gPipe[2] = {-1, -1};
volatile sig_atomic_t gReceived = 0;
struct sigaction gPrevious[kEndSignalCount];
bool gCaught[kEndSignalCount] = {};
std::mutex gMutex;

// Only what is safe in a handler: a flag, write, and for a second signal its default action.
void OnEndSignal(int Signal) {
  const int savedErrno = errno;
  if (gReceived) {
    // The end is under way and not done: the second request ends the process as uncaught.
    ::signal(Signal, SIG_DFL);
    ::raise(Signal);  // delivered once this handler returns
  } else {
    gReceived = Signal;
    const unsigned char byte = static_cast<unsigned char>(Signal);
    [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &byte, 1);
  }
  errno = savedErrno;
}

}  // namespace

bool CatchEndSignals() {
  std::lock_guard lock(gMutex);
  if (gPipe[0] < 0) {
    if (::pipe2(gPipe, O_CLOEXEC) != 0) return false;
    // A full pipe never blocks a handler (one byte is all the reader needs).
    ::fcntl(gPipe[1], F_SETFL, ::fcntl(gPipe[1], F_GETFL) | O_NONBLOCK);
  }
  // What an earlier catch left unread (its release's wake-up) is not this one's.
  const int flags = ::fcntl(gPipe[0], F_GETFL);
  ::fcntl(gPipe[0], F_SETFL, flags | O_NONBLOCK);
  unsigned char stale;
  while (::read(gPipe[0], &stale, 1) == 1) {
  }
  ::fcntl(gPipe[0], F_SETFL, flags);
  gReceived = 0;
  for (int i = 0; i < kEndSignalCount; ++i) {
    if (gCaught[i]) continue;
    struct sigaction current {};
    ::sigaction(kEndSignals[i], nullptr, &current);
    if (current.sa_handler == SIG_IGN) continue;
    struct sigaction caught {};
    caught.sa_handler = OnEndSignal;
    sigemptyset(&caught.sa_mask);
    // All three held off while one is noted, so that two at once count as first and second.
    for (int signal : kEndSignals) sigaddset(&caught.sa_mask, signal);
    caught.sa_flags = SA_RESTART;
    ::sigaction(kEndSignals[i], &caught, &gPrevious[i]);
    gCaught[i] = true;
  }
  return true;
}

int WaitForEndSignal() {
  int fd;
  {
    std::lock_guard lock(gMutex);
    fd = gPipe[0];
  }
  if (fd < 0) return 0;
  for (;;) {
    unsigned char byte = 0;
    const ssize_t got = ::read(fd, &byte, 1);
    if (got == 1) return byte;
    if (got < 0 && errno == EINTR) continue;
    return 0;
  }
}

void ReleaseEndSignals() {
  std::lock_guard lock(gMutex);
  for (int i = 0; i < kEndSignalCount; ++i) {
    if (!gCaught[i]) continue;
    ::sigaction(kEndSignals[i], &gPrevious[i], nullptr);
    gCaught[i] = false;
  }
  if (gPipe[1] >= 0) {
    const unsigned char none = 0;
    [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &none, 1);
  }
  gReceived = 0;
}

}  // namespace win
