#include "framework/Timer.h"

#include "framework/ClassesUtilWindow.h"
#include "framework/SysUtils.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/messages/Timers.h"
#include "platform/user/windows/Window.h"

namespace fw {

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd([this](win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) -> win::LRESULT {
    if (msg == win::WM_TIMER) {
      Timer();
      return 0;
    }
    return win::DefWindowProcW(FWindowHandle, msg, wParam, lParam);
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TTimer::UpdateTimer() {
  if (FRunning) win::KillTimer(FWindowHandle, 1);
  FRunning = false;
  if (FEnabled && FInterval != 0 && FWindowHandle) {
    if (win::SetTimer(FWindowHandle, 1, FInterval, nullptr) == 0) {
      throw EOutOfResources("Not enough timers available");
    }
    FRunning = true;
  }
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::Timer() {
  if (FEnabled && FInterval != 0 && OnTimer) OnTimer(this);
}

}  // namespace fw
