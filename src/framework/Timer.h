#pragma once
// TTimer: OnTimer every Interval milliseconds while Enabled, through a hidden message-only window
// and a window-system timer, so it fires from the thread's message loop. Interval 0 never fires.

#include "framework/Component.h"
#include "platform/kernel/WinDef.h"

namespace fw {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Cardinal Interval() const { return FInterval; }
  // A new value starts the period again.
  void SetInterval(Cardinal Value);

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  win::HWND FWindowHandle = nullptr;
  Cardinal FInterval = 1000;
  bool FEnabled = true;
  bool FRunning = false;
};

}  // namespace fw
