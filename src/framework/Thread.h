#pragma once
// TThread: a worker running Execute, with Synchronize/Queue to run code on the main thread
// through its message queue, and CheckSynchronize for the application's loop to call.
//
// A C++ base class cannot start the thread from its own constructor (the derived Execute does
// not exist yet), so construction and start are two steps: make the object, then Start() — or
// use NewThread<T>(args...), which starts it unless it was made suspended.

#include <functional>
#include <memory>

#include "framework/Persistent.h"
#include "platform/kernel/WinDef.h"

namespace fw {

using TThreadMethod = std::function<void()>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
 public:
  explicit TThread(bool CreateSuspended);
  // Terminates and waits for a running thread (not for a FreeOnTerminate thread deleting itself).
  ~TThread() override;

  // Starts a thread made suspended; EThread "Thread already started" when called twice.
  void Start();
  void Resume() { Start(); }
  // Starts the thread when it was not made suspended (what NewThread calls).
  void AfterConstruction();
  void Terminate();
  bool Terminated() const;
  // Waits for the end of Execute, running synchronized methods meanwhile when called on the main
  // thread. Returns ReturnValue.
  Integer WaitFor();

  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  bool Finished() const;
  bool Suspended() const { return !FStarted; }
  win::DWORD ThreadID() const { return FThreadID; }
  Integer ReturnValue() const { return FReturnValue; }
  void SetReturnValue(Integer Value) { FReturnValue = Value; }
  // The thread's scheduling priority, kept before the start and applied to the running thread
  // (its nice value: a rise the system refuses to an unprivileged program leaves it as it was).
  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority Value);
  // The exception that ended Execute, if any.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs on the main thread once Execute has returned, before the thread is finished.
  TNotifyEvent OnTerminate;

  // Run Method on the main thread: Synchronize waits for it (and raises, in the calling thread,
  // what it raised); Queue does not wait. On the main thread both run Method at once.
  static void Synchronize(TThread* AThread, const TThreadMethod& Method);
  static void Queue(TThread* AThread, const TThreadMethod& Method);

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  void Synchronize(const TThreadMethod& Method) { Synchronize(this, Method); }
  void Queue(const TThreadMethod& Method) { Queue(this, Method); }

 private:
  struct State;
  static void Run(TThread* self);

  std::shared_ptr<State> FState;
  bool FCreateSuspended;
  bool FStarted = false;
  bool FFreeOnTerminate = false;
  win::DWORD FThreadID = 0;
  Integer FReturnValue = 0;
  std::exception_ptr FFatalException;
};

template <typename T, typename... Args>
T* NewThread(Args&&... args) {
  T* thread = new T(std::forward<Args>(args)...);
  thread->AfterConstruction();
  return thread;
}

// Runs the methods other threads have synchronized or queued; true when one ran. Called by the
// application's loop and by the hidden window that worker threads wake. Only on the main thread.
bool CheckSynchronize();
// The thread that loaded the program (static initialisation runs there).
win::DWORD MainThreadID();
// Called (on the worker) after a method was queued for the main thread; the application object
// sets it to wake its loop. A hidden window on the main thread is woken in any case.
extern std::function<void()> WakeMainThread;

}  // namespace fw
