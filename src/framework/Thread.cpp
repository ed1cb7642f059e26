#include "framework/Thread.h"

#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "framework/ClassesUtilWindow.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Threads.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw {

std::function<void()> WakeMainThread;

namespace {

const win::DWORD gMainThreadID = win::GetCurrentThreadId();

// One lock and one signal for the queue of main-thread work and for thread ends, so that a main
// thread waiting for a worker wakes for either.
std::mutex gLock;
std::condition_variable gSignal;

struct SyncRequest {
  TThreadMethod method;
  bool wait = false;
  bool done = false;
  std::exception_ptr error;
};
std::deque<std::shared_ptr<SyncRequest>> gQueue;

constexpr win::UINT kWakeMessage = win::WM_USER + 0x7F2;
win::HWND gWakeWindow = nullptr;

// The hidden window that receives wake-ups; made on the main thread.
void EnsureWakeWindow() {
  if (win::GetCurrentThreadId() != gMainThreadID) return;
  if (AllocatedHWndAlive(gWakeWindow)) return;
  if (gWakeWindow) DeallocateHWnd(gWakeWindow);
  win::HWND wnd = AllocateHWnd([](win::UINT msg, win::WPARAM w, win::LPARAM l) -> win::LRESULT {
    if (msg == kWakeMessage) {
      CheckSynchronize();
      return 0;
    }
    return win::DefWindowProcW(gWakeWindow, msg, w, l);
  });
  std::lock_guard lock(gLock);
  gWakeWindow = wnd;
}

void WakeMain() {
  win::HWND wnd;
  {
    std::lock_guard lock(gLock);
    wnd = gWakeWindow;
  }
  if (!wnd || !win::PostMessageW(wnd, kWakeMessage, 0, 0)) win::PostThreadMessageW(gMainThreadID, win::WM_NULL, 0, 0);
  if (WakeMainThread) WakeMainThread();
}

void RunOnMain(const TThreadMethod& method, bool wait) {
  if (win::GetCurrentThreadId() == gMainThreadID) {
    method();
    return;
  }
  auto request = std::make_shared<SyncRequest>();
  request->method = method;
  request->wait = wait;
  {
    std::lock_guard lock(gLock);
    gQueue.push_back(request);
  }
  gSignal.notify_all();
  WakeMain();
  if (!wait) return;
  std::unique_lock lock(gLock);
  gSignal.wait(lock, [&] { return request->done; });
  if (request->error) std::rethrow_exception(request->error);
}

}  // namespace

win::DWORD MainThreadID() { return gMainThreadID; }

bool CheckSynchronize() {
  if (win::GetCurrentThreadId() != gMainThreadID) {
    throw EThread("CheckSynchronize called from a thread that is not the main thread");
  }
  bool ran = false;
  while (true) {
    std::shared_ptr<SyncRequest> request;
    {
      std::lock_guard lock(gLock);
      if (gQueue.empty()) break;
      request = gQueue.front();
      gQueue.pop_front();
    }
    ran = true;
    std::exception_ptr error;
    try {
      request->method();
    } catch (...) {
      error = std::current_exception();
    }
    {
      std::lock_guard lock(gLock);
      request->error = error;
      request->done = true;
    }
    gSignal.notify_all();
    // A queued method has no one waiting for it: its exception goes to the application.
    if (error && !request->wait) {
      if (!ApplicationHandleException) std::rethrow_exception(error);
      try {
        std::rethrow_exception(error);
      } catch (...) {
        ApplicationHandleException(nullptr);
      }
    }
  }
  return ran;
}

struct TThread::State {
  std::thread worker;
  bool terminated = false;
  bool finished = false;
  TThreadPriority priority = tpNormal;
  pid_t tid = 0;  // the running thread's id in the system; 0 before it runs and after it ends
};

namespace {

// The nice value of a priority: idle the lowest, time-critical the highest.
int NiceOf(TThreadPriority Priority) {
  constexpr int kNice[] = {19, 10, 5, 0, -5, -10, -15};
  return kNice[int(Priority)];
}

void ApplyPriority(pid_t Tid, TThreadPriority Priority) {
  if (Tid != 0) ::setpriority(PRIO_PROCESS, id_t(Tid), NiceOf(Priority));
}

}  // namespace

TThreadPriority TThread::Priority() const {
  std::lock_guard lock(gLock);
  return FState->priority;
}

void TThread::SetPriority(TThreadPriority Value) {
  std::lock_guard lock(gLock);
  FState->priority = Value;
  ApplyPriority(FState->tid, Value);
}

TThread::TThread(bool CreateSuspended) : FState(std::make_shared<State>()), FCreateSuspended(CreateSuspended) {
  EnsureWakeWindow();
}

TThread::~TThread() {
  if (FStarted && FState->worker.joinable()) {
    if (FState->worker.get_id() == std::this_thread::get_id()) {
      FState->worker.detach();  // a FreeOnTerminate thread deleting itself
    } else {
      Terminate();
      WaitFor();
    }
  }
}

void TThread::AfterConstruction() {
  if (!FCreateSuspended) Start();
}

void TThread::Start() {
  if (FStarted) throw EThread("Thread already started");
  EnsureWakeWindow();
  FStarted = true;
  std::lock_guard lock(gLock);
  FState->worker = std::thread(&TThread::Run, this);
}

void TThread::Run(TThread* self) {
  {
    std::lock_guard lock(gLock);  // Start has stored the std::thread
  }
  self->FThreadID = win::GetCurrentThreadId();
  std::shared_ptr<State> state = self->FState;
  {
    std::lock_guard lock(gLock);
    state->tid = ::gettid();
    if (state->priority != tpNormal) ApplyPriority(state->tid, state->priority);
  }
  try {
    self->Execute();
  } catch (...) {
    self->FFatalException = std::current_exception();
  }
  try {
    self->DoTerminate();
  } catch (...) {
    if (!self->FFatalException) self->FFatalException = std::current_exception();
  }
  bool freeSelf = self->FFreeOnTerminate;
  {
    std::lock_guard lock(gLock);
    state->finished = true;
    state->tid = 0;
  }
  gSignal.notify_all();
  if (freeSelf) delete self;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Terminate() {
  std::lock_guard lock(gLock);
  FState->terminated = true;
}

bool TThread::Terminated() const {
  std::lock_guard lock(gLock);
  return FState->terminated;
}

bool TThread::Finished() const {
  std::lock_guard lock(gLock);
  return FState->finished;
}

Integer TThread::WaitFor() {
  if (FFreeOnTerminate) throw EThread("Cannot wait for a thread that frees itself");
  if (!FStarted) throw EThread("Cannot wait for a thread that was not started");
  const bool onMain = win::GetCurrentThreadId() == gMainThreadID;
  std::unique_lock lock(gLock);
  while (!FState->finished) {
    if (onMain && !gQueue.empty()) {
      lock.unlock();
      CheckSynchronize();
      lock.lock();
      continue;
    }
    gSignal.wait(lock);
  }
  lock.unlock();
  if (FState->worker.joinable()) FState->worker.join();
  return FReturnValue;
}

void TThread::Synchronize(TThread*, const TThreadMethod& Method) { RunOnMain(Method, true); }

void TThread::Queue(TThread*, const TThreadMethod& Method) { RunOnMain(Method, false); }

}  // namespace fw
