#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "support/HeadlessFixture.h"
#include "framework/SysUtils.h"
#include "framework/Thread.h"
#include "platform/kernel/Threads.h"
#include "platform/user/messages/MessageQueue.h"

namespace fw {
namespace {

class TWorker : public TThread {
 public:
  explicit TWorker(bool suspended, std::function<void(TWorker*)> body) : TThread(suspended), body_(std::move(body)) {}
  using TThread::Queue;
  using TThread::Synchronize;

 protected:
  void Execute() override { body_(this); }

 private:
  std::function<void(TWorker*)> body_;
};

class ThreadTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    desktop->allow_blocking(true);
  }
  // Pumps the main thread's queue until `done` holds.
  void PumpUntil(const std::function<bool()>& done) {
    win::MSG msg;
    while (!done() && win::GetMessageW(&msg, nullptr, 0, 0) > 0) win::DispatchMessageW(&msg);
  }
};

TEST_F(ThreadTest, SuspendedThreadRunsOnlyAfterStartAndReturnsItsValue) {
  std::atomic<bool> ran{false};
  TWorker worker(true, [&](TWorker* self) {
    ran = true;
    self->SetReturnValue(42);
  });
  EXPECT_TRUE(worker.Suspended());
  EXPECT_FALSE(ran);
  worker.Start();
  EXPECT_THROW(worker.Start(), EThread);
  EXPECT_EQ(worker.WaitFor(), 42);
  EXPECT_TRUE(ran);
  EXPECT_TRUE(worker.Finished());
  EXPECT_NE(worker.ThreadID(), MainThreadID());
}

TEST_F(ThreadTest, TerminateIsSeenByTheLoopAndDestructionWaits) {
  std::atomic<int> loops{0};
  auto* worker = NewThread<TWorker>(false, [&](TWorker* self) {
    while (!self->Terminated()) {
      ++loops;
      std::this_thread::yield();
    }
  });
  while (loops == 0) std::this_thread::yield();
  worker->Terminate();
  delete worker;  // returns only after Execute has ended
  int after = loops;
  EXPECT_GT(after, 0);
  EXPECT_EQ(loops, after);
}

TEST_F(ThreadTest, SynchronizeRunsOnTheMainThreadThroughTheQueue) {
  win::DWORD ranOn = 0;
  std::atomic<bool> returned{false};
  TWorker worker(false, [&](TWorker* self) {
    self->Synchronize([&] { ranOn = win::GetCurrentThreadId(); });
    returned = true;  // only once the main thread has run the method
  });
  worker.AfterConstruction();
  EXPECT_FALSE(returned);
  PumpUntil([&] { return ranOn != 0; });  // the method runs inside a dispatched message
  EXPECT_EQ(ranOn, MainThreadID());
  worker.WaitFor();
  EXPECT_TRUE(returned);
}

TEST_F(ThreadTest, SynchronizeCarriesExceptionsBackToTheWorker) {
  std::string caught;
  TWorker worker(false, [&](TWorker* self) {
    try {
      self->Synchronize([] { throw EConvertError("from main"); });
    } catch (const Exception& e) {
      caught = e.Message();
    }
  });
  worker.AfterConstruction();
  worker.WaitFor();  // runs the synchronized method while waiting
  EXPECT_EQ(caught, "from main");
}

TEST_F(ThreadTest, QueueDoesNotWaitAndOnTerminateRunsOnMain) {
  std::mutex m;
  std::condition_variable cv;
  bool release = false;
  int queued = 0;
  win::DWORD terminateThread = 0;
  TWorker worker(true, [&](TWorker* self) {
    self->Queue([&] { ++queued; });
    std::unique_lock lock(m);
    cv.wait(lock, [&] { return release; });  // Queue returned without the main thread's help
  });
  worker.OnTerminate = [&](TObject* sender) {
    EXPECT_EQ(sender, &worker);
    terminateThread = win::GetCurrentThreadId();
  };
  worker.Start();
  PumpUntil([&] { return queued == 1; });
  {
    std::lock_guard lock(m);
    release = true;
  }
  cv.notify_all();
  worker.WaitFor();
  EXPECT_EQ(queued, 1);
  EXPECT_EQ(terminateThread, MainThreadID());
}

TEST_F(ThreadTest, FreeOnTerminateDeletesItselfAndCheckSynchronizeIsMainOnly) {
  std::atomic<bool> destroyed{false};
  struct TSelfFreeing : TWorker {
    TSelfFreeing(std::atomic<bool>& flag) : TWorker(true, [](TWorker*) {}), flag_(flag) {}
    ~TSelfFreeing() override { flag_ = true; }
    std::atomic<bool>& flag_;
  };
  auto* worker = new TSelfFreeing(destroyed);
  worker->SetFreeOnTerminate(true);
  EXPECT_THROW(worker->WaitFor(), EThread);
  worker->Start();
  while (!destroyed) std::this_thread::yield();
  EXPECT_FALSE(CheckSynchronize());  // nothing pending

  std::atomic<bool> refused{false};
  std::thread other([&] {
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      refused = true;
    }
  });
  other.join();
  EXPECT_TRUE(refused);
}

TEST_F(ThreadTest, AnExceptionEndingExecuteIsKeptAndOnTerminateStillRuns) {
  bool terminated = false;
  TWorker worker(true, [](TWorker*) { throw EConvertError("worker failed"); });
  worker.OnTerminate = [&](TObject*) { terminated = true; };
  worker.Start();
  worker.WaitFor();
  EXPECT_TRUE(terminated);
  ASSERT_TRUE(worker.FatalException());
  try {
    std::rethrow_exception(worker.FatalException());
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "worker failed");
  }
}

// A priority set before the start reaches the running thread (its nice value); one set while it
// runs too; the main thread keeps its own.
TEST_F(ThreadTest, PriorityReachesTheRunningThread) {
  const int mainNice = ::getpriority(PRIO_PROCESS, 0);
  std::atomic<int> before{-100}, after{-100};
  std::atomic<bool> lowered{false};
  TWorker worker(true, [&](TWorker*) {
    before = ::getpriority(PRIO_PROCESS, 0);
    while (!lowered) std::this_thread::yield();
    after = ::getpriority(PRIO_PROCESS, 0);
  });
  EXPECT_EQ(worker.Priority(), tpNormal);
  worker.SetPriority(tpLower);
  worker.Start();
  while (before == -100) std::this_thread::yield();
  worker.SetPriority(tpIdle);
  EXPECT_EQ(worker.Priority(), tpIdle);
  lowered = true;
  worker.WaitFor();
  // A rise back from a nicer start needs privileges the tests may not have.
  EXPECT_EQ(before, mainNice > 5 && ::geteuid() != 0 ? mainNice : 5);
  EXPECT_EQ(after, 19);
  EXPECT_EQ(::getpriority(PRIO_PROCESS, 0), mainNice);
}

}  // namespace
}  // namespace fw
