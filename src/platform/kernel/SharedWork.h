#pragma once
// Work split into numbered calls run on several threads, the calling one among them.

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace win {

// The threads to work on: the cores, at most Limit.
inline unsigned WorkingThreads(unsigned Limit) {
  return std::max(1u, std::min(std::thread::hardware_concurrency(), Limit));
}

// Runs Work(0) .. Work(Count - 1) on up to Threads threads, each thread taking the next call not
// yet taken: on a busy machine a thread held up costs the others one call, not a fixed part of
// the work. Raises what a call raised.
template <typename TWork>
void RunShared(unsigned Count, unsigned Threads, const TWork& Work) {
  std::vector<std::exception_ptr> errors(Count);
  std::atomic<unsigned> next{0};
  auto worker = [&] {
    for (unsigned k = next++; k < Count; k = next++) {
      try {
        Work(k);
      } catch (...) {
        errors[k] = std::current_exception();
      }
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(Threads);
  for (unsigned t = 1; t < std::min(Threads, Count); ++t) {
    try {
      threads.emplace_back(worker);
    } catch (const std::system_error&) {
      break;  // the threads started so far share the work
    }
  }
  worker();
  for (std::thread& t : threads) t.join();
  for (const std::exception_ptr& e : errors)
    if (e) std::rethrow_exception(e);
}

}  // namespace win
