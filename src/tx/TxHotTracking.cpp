#include "tx/TxHotTracking.h"

#include "framework/Timer.h"
#include "platform/user/messages/Input.h"

namespace tx {

namespace {

constexpr fw::Cardinal kTrackInterval = 125;

fw::TTimer* gTimer = nullptr;
fw::Integer gUsers = 0;
fw::TControl* gTracked = nullptr;
std::function<void()> gLeave;

// The tracked control leaves; its handler is copied first because leaving clears it.
void LeaveTracked() {
  if (gTracked == nullptr) return;
  const std::function<void()> leave = gLeave;
  if (leave) leave();
  StopHotTracking(gTracked);
}

}  // namespace

fw::TControl* ControlUnderCursor() {
  win::POINT pt{};
  win::GetCursorPos(&pt);
  return fw::FindDragTarget(pt, true);
}

void AddHotTrackingUser() {
  if (gTimer == nullptr) {
    gTimer = new fw::TTimer(nullptr);
    gTimer->SetEnabled(false);
    gTimer->SetInterval(kTrackInterval);
    gTimer->OnTimer = [](fw::TObject*) {
      if (gTracked != nullptr && ControlUnderCursor() != gTracked) LeaveTracked();
    };
  }
  ++gUsers;
}

void RemoveHotTrackingUser(fw::TControl* Control) {
  StopHotTracking(Control);
  if (--gUsers == 0) {
    delete gTimer;
    gTimer = nullptr;
  }
}

void StartHotTracking(fw::TControl* Control, std::function<void()> Leave) {
  if (gTracked == Control) return;
  LeaveTracked();
  gTracked = Control;
  gLeave = std::move(Leave);
  if (gTimer != nullptr) gTimer->SetEnabled(true);
}

void StopHotTracking(fw::TControl* Control) {
  if (Control == nullptr || gTracked != Control) return;
  gTracked = nullptr;
  gLeave = nullptr;
  if (gTimer != nullptr) gTimer->SetEnabled(false);
}

fw::TControl* HotTrackedControl() { return gTracked; }

}  // namespace tx
