#include "mainwindow/SessionEnd.h"

#include "framework/Forms.h"
#include "framework/Thread.h"
#include "mainwindow/WinMain.h"
#include "platform/kernel/EndSignals.h"

namespace workspace {

// Waits on the signals' pipe; made on the main thread, so that what it queues reaches the main
// thread's message loop.
class TSessionEndWatch::TWaiter : public fw::TThread {
 public:
  TWaiter() : fw::TThread(true) {}

 protected:
  void Execute() override {
    while (win::WaitForEndSignal() != 0) Queue([] { EndSessionNow(); });
  }
};

TSessionEndWatch::TSessionEndWatch() {
  if (!win::CatchEndSignals()) return;
  FWaiter = std::make_unique<TWaiter>();
  FWaiter->Start();
}

TSessionEndWatch::~TSessionEndWatch() {
  win::ReleaseEndSignals();
  FWaiter.reset();  // its wait returned on the release
}

void EndSessionNow() {
  if (!fw::Application) return;
  if (auto* main = dynamic_cast<TwndKorvalinMain*>(fw::Application->MainForm())) main->KeepSettingsAtSessionEnd();
  fw::Application->Terminate();
}

}  // namespace workspace
