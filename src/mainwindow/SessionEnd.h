#pragma once
// The end of a session while the program runs: SIGTERM, SIGHUP and SIGINT end it as Alt+X does,
// without questions, and its settings are kept. A thread waits for the signals (their handlers
// only note them) and hands each to the message loop, which writes the settings at once and ends
// every loop; the main window then closes after the loop. A second signal while the program ends
// ends it at once.

#include <memory>

namespace workspace {

class TSessionEndWatch {
 public:
  // Catches the signals (see platform/kernel/EndSignals.h) and starts waiting for them; made on
  // the main thread, before the main window.
  TSessionEndWatch();
  // The signals as they were before; the waiting thread ended.
  ~TSessionEndWatch();
  TSessionEndWatch(const TSessionEndWatch&) = delete;
  TSessionEndWatch& operator=(const TSessionEndWatch&) = delete;

 private:
  class TWaiter;
  std::unique_ptr<TWaiter> FWaiter;
};

// What the message loop does on such a signal: the main window's settings written (when its
// start-up has read them), and the application told to end, which ends every modal loop as
// cancelled.
void EndSessionNow();

}  // namespace workspace
