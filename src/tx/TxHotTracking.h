#pragma once
// One timer (125 ms) for every control that keeps a hot state of its own: it watches the control
// the pointer last entered and ends that control's hot state once the pointer is over something
// else, also when no mouse move reached the control on the way out. The timer exists from the
// first user's construction to the last user's destruction and runs only while a control is
// tracked.

#include <functional>

#include "framework/Controls.h"

namespace tx {

// Counted in each user's constructor; the release stops tracking Control when it is tracked.
void AddHotTrackingUser();
void RemoveHotTrackingUser(fw::TControl* Control);
// Control becomes the tracked one; the one tracked before leaves first. Leave ends Control's hot
// state and is expected to call StopHotTracking for it.
void StartHotTracking(fw::TControl* Control, std::function<void()> Leave);
// Stops the timer when Control is the tracked one.
void StopHotTracking(fw::TControl* Control);
fw::TControl* HotTrackedControl();
// The control under the pointer, disabled ones included.
fw::TControl* ControlUnderCursor();

}  // namespace tx
