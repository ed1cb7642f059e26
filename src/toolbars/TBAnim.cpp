#include "toolbars/TBAnim.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/kernel/Modules.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"

namespace toolbars {

namespace detail {
std::function<void(int Step)> AnimationFrameObserver;
}

namespace {

using UpdateLayeredFn = win::BOOL (*)(win::HWND, win::HDC, const win::POINT*, const win::SIZE*, win::HDC,
                                      const win::POINT*, win::COLORREF, const win::BLENDFUNCTION*, win::DWORD);

struct AnimationState {
  win::HWND Wnd = nullptr;
  fw::Integer Duration = 0;
  bool Fade = false;
  std::atomic<int> Step{0};
  win::HDC ScreenDC = nullptr;
  win::HDC BitmapDC = nullptr;
  win::HBITMAP Bitmap = nullptr;
  win::HGDIOBJ OldBitmap = nullptr;
  win::RECT ClientRect{};
  win::SIZE Size{};
  win::POINT CursorPos{};
  fw::Byte Direction = 0;
  std::atomic<bool> Terminate{false};
  std::atomic<bool> Finished{false};
  std::atomic<int> StepPending{0};
};

AnimationState gAnim;
std::atomic<win::LPARAM> gAnimationID{0};

// One worker thread, started with the first animation and kept: a popup that closes at once
// must not wait for a fresh thread to be scheduled only to see it end. The worker reads the
// animation's state only while it holds the lock and the animation is still the current one;
// ending an animation takes the lock, so it never waits out a step. Made once and never freed
// (the worker may still be waiting on it when the program ends).
struct TWorkerSync {
  std::mutex Lock;
  std::condition_variable Wake;
  win::LPARAM Current = 0;  // the animation the worker runs; 0 none
  unsigned long long Start = 0;
  bool Started = false;
};
TWorkerSync* gSync = new TWorkerSync;
// Set once the worker has the animation (user-interface thread only): until then, as while the
// picture is taken, there is nothing to end.
bool gHandedOver = false;
UpdateLayeredFn gUpdateLayered = nullptr;
bool gLookedUp = false;

std::function<unsigned long long()> gNow;
std::function<void(unsigned)> gSleep;

unsigned long long NowMs() {
  if (gNow) return gNow();
  return (unsigned long long)std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void Layered(fw::Byte Alpha) {
  win::BLENDFUNCTION blend{};
  blend.BlendOp = win::AC_SRC_OVER;
  blend.SourceConstantAlpha = Alpha;
  win::POINT src{0, 0};
  gUpdateLayered(gAnim.Wnd, gAnim.ScreenDC, nullptr, &gAnim.Size, gAnim.BitmapDC, &src, 0, &blend, win::ULW_ALPHA);
}

// Runs the animation Id until it ends or is ended; time counts from Start. Holds the lock except
// while it sleeps.
void Animate(std::unique_lock<std::mutex>& Lock, win::LPARAM Id, unsigned long long Start) {
  const fw::Integer duration = std::max<fw::Integer>(gAnim.Duration, 1);
  auto current = [Id] { return gSync->Current == Id && !gAnim.Terminate; };
  while (current()) {
    const fw::Integer elapsed = fw::Integer(NowMs() - Start);
    const fw::Integer raw = win::MulDiv(255, elapsed, duration);
    const fw::Integer target = raw & ~15;
    if (target < 0 || target >= 255 || elapsed >= duration) break;
    win::POINT p{};
    win::GetCursorPos(&p);
    if (p.x != gAnim.CursorPos.x || p.y != gAnim.CursorPos.y) {
      if (win::PtInRect(&gAnim.ClientRect, p)) break;
      gAnim.CursorPos = p;
    }
    if (target > gAnim.Step) {
      gAnim.Step = target;
      if (gAnim.StepPending.exchange(1) == 0) win::PostMessageW(gAnim.Wnd, TBM_ANIMATIONSTEP, 0, Id);
      continue;
    }
    const unsigned ms = unsigned(std::max(1, win::MulDiv(gAnim.Step + 16 - raw, duration, 255)));
    if (gSleep) {
      const std::function<void(unsigned)> sleep = gSleep;  // the clock may be swapped meanwhile
      Lock.unlock();
      sleep(ms);
      Lock.lock();
    } else {
      gSync->Wake.wait_for(Lock, std::chrono::milliseconds(ms), [&] { return !current(); });
    }
  }
  if (gSync->Current != Id) return;  // ended from outside: nothing more to tell
  gAnim.Finished = true;
  win::PostMessageW(gAnim.Wnd, TBM_ANIMATIONSTEP, 0, Id);
  gSync->Current = 0;
}

void Worker() {
  std::unique_lock lock(gSync->Lock);
  for (;;) {
    gSync->Wake.wait(lock, [] { return gSync->Current != 0; });
    Animate(lock, gSync->Current, gSync->Start);
  }
}

void FinishAnimation() {
  win::HWND wnd = gAnim.Wnd;
  if (gAnim.Fade)
    win::SetWindowLongW(wnd, win::GWL_EXSTYLE, win::GetWindowLongW(wnd, win::GWL_EXSTYLE) & ~win::LONG(win::WS_EX_LAYERED));
  else
    win::SetWindowRgn(wnd, nullptr, win::FALSE);
  win::BitBlt(gAnim.ScreenDC, 0, 0, gAnim.Size.cx, gAnim.Size.cy, gAnim.BitmapDC, 0, 0, win::SRCCOPY);
  win::SelectObject(gAnim.BitmapDC, gAnim.OldBitmap);
  win::DeleteObject(gAnim.Bitmap);
  win::DeleteDC(gAnim.BitmapDC);
  win::ReleaseDC(wnd, gAnim.ScreenDC);
  gAnim.Wnd = nullptr;
  gAnim.BitmapDC = nullptr;
  gAnim.Bitmap = nullptr;
  gAnim.ScreenDC = nullptr;
  win::SendNotifyMessageW(wnd, TBM_ANIMATIONEND, 0, 0);
}

}  // namespace

void SetAnimationClock(std::function<unsigned long long()> Now, std::function<void(unsigned)> Sleep) {
  std::lock_guard lock(gSync->Lock);
  gNow = std::move(Now);
  gSleep = std::move(Sleep);
}

bool AnimationRunning() { return gAnim.Wnd != nullptr; }

void BeginAnimation(win::HWND Wnd, fw::Integer Duration, bool Fade, fw::Byte Direction) {
  EndAnimation(nullptr);
  if (!gLookedUp) {
    gLookedUp = true;
    if (win::HMODULE m = win::LoadLibraryW(u"user32.dll"))
      gUpdateLayered = reinterpret_cast<UpdateLayeredFn>(win::GetProcAddress(m, "UpdateLayeredWindow"));
  }
  gAnim.Wnd = Wnd;
  gAnim.Duration = Duration;
  gAnim.Direction = Direction;
  gAnim.Fade = Fade && gUpdateLayered != nullptr;
  gAnim.Terminate = false;
  gAnim.Finished = false;
  gAnim.StepPending = 0;
  win::GetCursorPos(&gAnim.CursorPos);
  win::GetClientRect(Wnd, &gAnim.ClientRect);
  win::MapWindowPoints(Wnd, nullptr, reinterpret_cast<win::POINT*>(&gAnim.ClientRect), 2);
  win::RECT wr{};
  win::GetWindowRect(Wnd, &wr);
  gAnim.Size = win::SIZE{wr.right - wr.left, wr.bottom - wr.top};
  gAnim.ScreenDC = win::GetDCEx(Wnd, nullptr, win::DCX_WINDOW | win::DCX_CACHE);
  gAnim.Bitmap = win::CreateCompatibleBitmap(gAnim.ScreenDC, gAnim.Size.cx, gAnim.Size.cy);
  gAnim.BitmapDC = win::CreateCompatibleDC(gAnim.ScreenDC);
  gAnim.OldBitmap = win::SelectObject(gAnim.BitmapDC, gAnim.Bitmap);
  win::SendMessageW(Wnd, win::WM_PRINT, win::WPARAM(gAnim.BitmapDC),
                    win::PRF_CLIENT | win::PRF_NONCLIENT | win::PRF_ERASEBKGND | win::PRF_CHILDREN);
  if (gAnim.Fade) {
    win::SetWindowLongW(Wnd, win::GWL_EXSTYLE, win::GetWindowLongW(Wnd, win::GWL_EXSTYLE) | win::LONG(win::WS_EX_LAYERED));
    gAnim.Step = 32;
    Layered(32);
    if (detail::AnimationFrameObserver) detail::AnimationFrameObserver(32);
  } else {
    gAnim.Step = 0;
    win::HRGN empty = win::CreateRectRgn(0, 0, 0, 0);
    if (!win::SetWindowRgn(Wnd, empty, win::FALSE)) win::DeleteObject(empty);
  }
  win::SetWindowPos(Wnd, nullptr, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOREDRAW | win::SWP_NOACTIVATE |
                        win::SWP_SHOWWINDOW | win::SWP_NOOWNERZORDER | win::SWP_ASYNCWINDOWPOS);
  // The animation shows the captured picture: whatever the window had left to paint is in it, and
  // a paint now would end the animation before its first step.
  win::RedrawWindow(Wnd, nullptr, nullptr,
                    win::RDW_VALIDATE | win::RDW_NOFRAME | win::RDW_NOERASE | win::RDW_NOINTERNALPAINT);
  try {
    std::lock_guard lock(gSync->Lock);
    if (!gSync->Started) {
      std::thread(Worker).detach();
      gSync->Started = true;
    }
    gAnim.Terminate = false;
    gSync->Current = ++gAnimationID;
    gSync->Start = NowMs();
    gHandedOver = true;
  } catch (...) {
    FinishAnimation();
    return;
  }
  gSync->Wake.notify_all();
}

void AnimationStep(fw::TMessage& Message) {
  Message.Result = 0;
  if (Message.LParam != gAnimationID || gAnim.Wnd == nullptr) return;
  if (gAnim.Finished) {
    EndAnimation(gAnim.Wnd);
    return;
  }
  const int step = gAnim.Step;
  if (detail::AnimationFrameObserver) detail::AnimationFrameObserver(step);
  if (gAnim.Fade) {
    Layered(fw::Byte(step));
  } else {
    const fw::Integer w = gAnim.Size.cx, h = gAnim.Size.cy;
    fw::Integer x = 0, y = 0;
    if (gAnim.Direction & 4)
      y = win::MulDiv(h, step, 255) - h;
    else if (gAnim.Direction & 8)
      y = h - win::MulDiv(h, step, 255);
    if (gAnim.Direction & 2)
      x = win::MulDiv(w, step, 255) - w;
    else if (gAnim.Direction & 1)
      x = w - win::MulDiv(w, step, 255);
    win::HRGN rgn = win::CreateRectRgn(x, y, w + x, h + y);
    if (!win::SetWindowRgn(gAnim.Wnd, rgn, win::FALSE)) win::DeleteObject(rgn);
    win::BitBlt(gAnim.ScreenDC, x, y, w, h, gAnim.BitmapDC, 0, 0, win::SRCCOPY);
  }
  gAnim.StepPending = 0;
}

void EndAnimation(win::HWND Wnd) {
  if (!gHandedOver) return;
  if (Wnd != nullptr && Wnd != gAnim.Wnd) return;
  gHandedOver = false;
  {
    std::lock_guard lock(gSync->Lock);
    gAnim.Terminate = true;
    gSync->Current = 0;
  }
  gSync->Wake.notify_all();
  FinishAnimation();
}

}  // namespace toolbars
