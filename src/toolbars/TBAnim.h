#pragma once
// The open animation of popup windows: a slide or a fade timed on a worker thread that only
// posts step messages; all drawing happens on the interface thread in AnimationStep. One
// animation runs at a time.

#include <functional>

#include "framework/ClassesTypes.h"
#include "framework/ControlMessages.h"
#include "platform/user/windows/WinUserTypes.h"

namespace toolbars {

inline constexpr win::UINT TBM_ANIMATIONSTEP = 0x955;  // lParam: the animation's id
inline constexpr win::UINT TBM_ANIMATIONEND = 0x956;

// Direction flags: 1 right to left, 2 left to right, 4 top to bottom, 8 bottom to top.
void BeginAnimation(win::HWND Wnd, fw::Integer Duration, bool Fade, fw::Byte Direction);
// The window's handler of TBM_ANIMATIONSTEP.
void AnimationStep(fw::TMessage& Message);
// Stops the animation of Wnd (any animation when Wnd is nil) and waits for its worker.
void EndAnimation(win::HWND Wnd);
bool AnimationRunning();

// The worker's time source (milliseconds since an arbitrary origin) and sleep; tests install a
// fake clock. Empty functions restore the real ones.
void SetAnimationClock(std::function<unsigned long long()> NowMs, std::function<void(unsigned Ms)> SleepMs);

namespace detail {
// Tests watch the frames: called with the step (the alpha of a fade) each time one is shown.
extern std::function<void(int Step)> AnimationFrameObserver;
}  // namespace detail

}  // namespace toolbars
