#pragma once
// Running a piece of a test in a child process whose address space can grow only a little, to
// see what a program under a memory limit does. Address-space limits and the sanitizers' huge
// shadow mappings do not mix: tests skip under them.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace kvtest {

// Asked of the running program, not of the compiler: the sanitizer tree links test code built
// without the checks into instrumented programs. The address sanitizer's runtime defines this.
extern "C" void* __asan_get_report_address() __attribute__((weak));
inline bool UnderAddressSanitizer() { return __asan_get_report_address != nullptr; }

inline bool MemoryLimitsWork() { return !UnderAddressSanitizer(); }

// Work's result as the child's exit status, or 128 + the signal that ended the child (an abort
// is 134). The child may map Extra bytes beyond what it maps when it starts.
//
// The child is a fresh copy of the test program running only the current test, not a fork of
// this process: after other tests' threads, a fork inherits their malloc arenas, which grow
// inside mappings already counted, and the limit would not bite. The copy runs the test from its
// start and, arriving here, limits itself and runs Work.
inline int RunWithMemoryLimit(std::uint64_t Extra, const std::function<int()>& Work) {
  static const char kChildMark[] = "KV_MEMORY_LIMIT_CHILD";
  if (std::getenv(kChildMark) != nullptr) {
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t bytes = rlim_t(pages * std::uint64_t(::sysconf(_SC_PAGESIZE)) + Extra);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_AS, &limit);
    ::_exit(Work());
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string filter =
      std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
  const pid_t child = ::fork();
  if (child == 0) {
    ::setenv(kChildMark, "1", 1);
    ::execl("/proc/self/exe", "/proc/self/exe", filter.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace kvtest
