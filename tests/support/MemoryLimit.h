#pragma once
// Running a piece of a test in a child process whose address space can grow only a little, to
// see what a program under a memory limit does. Address-space limits and the sanitizers' huge
// shadow mappings do not mix: tests skip under them.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <functional>

namespace kvtest {

// Asked of the running program, not of the compiler: the sanitizer tree links test code built
// without the checks into instrumented programs. The address sanitizer's runtime defines this.
extern "C" void* __asan_get_report_address() __attribute__((weak));
inline bool UnderAddressSanitizer() { return __asan_get_report_address != nullptr; }

inline bool MemoryLimitsWork() { return !UnderAddressSanitizer(); }

// Work's result as the child's exit status, or 128 + the signal that ended the child (an abort
// is 134). The child may map Extra bytes beyond what it maps when it starts.
inline int RunWithMemoryLimit(std::uint64_t Extra, const std::function<int()>& Work) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlimit limit{rlim_t(pages * std::uint64_t(::sysconf(_SC_PAGESIZE)) + Extra),
                       rlim_t(pages * std::uint64_t(::sysconf(_SC_PAGESIZE)) + Extra)};
    ::setrlimit(RLIMIT_AS, &limit);
    ::_exit(Work());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace kvtest
