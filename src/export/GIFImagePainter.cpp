// The animation painter and the image's painter bookkeeping.

#include "export/GIFImagePainter.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "export/GIFImage.h"
#include "export/GIFImageExtensions.h"
#include "export/GIFImageFrame.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/WinUserTypes.h"

namespace kvexport {

namespace {

constexpr int kMsPerDelayUnit = 12;

std::atomic<int> gLivePainters{0};

TGIFPainterClock& Clock() {
  static TGIFPainterClock clock;
  return clock;
}

std::uint32_t Now() {
  if (Clock().Now) return Clock().Now();
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepFor(int Milliseconds) {
  if (Clock().Sleep)
    Clock().Sleep(Milliseconds);
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

}  // namespace

std::recursive_mutex& GIFPainterLock() {
  static std::recursive_mutex lock;
  return lock;
}

void SetGIFPainterClock(TGIFPainterClock AClock) { Clock() = std::move(AClock); }

int TGIFPainter::FrameWait(int DelayUnits, int Speed, int Elapsed, int LastDelay, bool IsThreaded) {
  if (Speed < 1) return IsThreaded ? -1 : 1000 * kMsPerDelayUnit;
  return win::MulDiv(DelayUnits * kMsPerDelayUnit - (Elapsed - LastDelay) / 2, 100, Speed);
}

int TGIFPainter::FrameDelayUnits(const TGIFSubImage& Frame, bool IsThreaded) {
  int delay = 10;
  if (const TGIFGraphicControlExtension* gce = Frame.GraphicControlExtension())
    if (gce->Delay() != 0) delay = gce->Delay();
  delay = std::max(delay, 3);
  if (delay > 1000 && !IsThreaded) delay = 1000;
  return delay;
}

TGIFPainter::TGIFPainter(TGIFImage* AImage, fw::TCanvas* ACanvas, const fw::TRect& ARect, TGIFDrawOptions AOptions)
    : fw::TThread(true),
      FImage(AImage),
      FCanvas(ACanvas),
      FRect(ARect),
      FDrawOptions(AOptions),
      FAnimationSpeed(AImage->AnimationSpeed()) {
  TGIFImage& image = *AImage;
  if (image.Images().Count() <= 1) {
    FDrawOptions.Exclude(TGIFDrawOption::AsyncPaint);
    FDrawOptions.Exclude(TGIFDrawOption::Animate);
  }
  if (image.BackgroundColor() != fw::clNone)
    FBackgroundColor = image.BackgroundColor();
  else if (image.Header().ColorMap().Count() == 0)
    FBackgroundColor = static_cast<fw::TColor>(win::GetSysColor(win::COLOR_WINDOW));
  else
    FBackgroundColor = image.Header().BackgroundColor();

  std::set<int> disposals;
  for (int i = 0; i < image.Images().Count(); ++i)
    if (const auto* gce = image.Images()[i]->GraphicControlExtension())
      if (gce->Disposal() < 8) disposals.insert(gce->Disposal());
  if (FDrawOptions.Contains(TGIFDrawOption::ClearOnLoop)) disposals.insert(dmBackground);
  const int w = FRect.right - FRect.left, h = FRect.bottom - FRect.top;
  auto copyOfTarget = [&]() {
    auto b = std::make_unique<fw::TBitmap>();
    b->SetPixelFormat(fw::pf24bit);
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(FBackgroundColor);
    b->Canvas()->CopyRect(fw::TRect{0, 0, w, h}, FCanvas, FRect);
    return b;
  };
  if (w > 0 && h > 0) {
    if (disposals.count(dmBackground) && FDrawOptions.Contains(TGIFDrawOption::Transparent))
      FBackupBuffer = copyOfTarget();
    if (disposals.count(dmBackground) || disposals.count(dmPrevious)) {
      FBuffer = copyOfTarget();
      FPreviousBuffer = std::make_unique<fw::TBitmap>();
      FPreviousBuffer->SetPixelFormat(fw::pf24bit);
      FPreviousBuffer->SetSize(w, h);
      FPreviousBuffer->Canvas()->Brush()->SetColor(FBackgroundColor);
    }
  }
  OnAnimationStart = image.OnAnimationStart;
  OnFramePaint = image.OnFramePaint;
  OnFrameDone = image.OnFrameDone;
  OnLoopRestart = image.OnLoopRestart;
  OnAnimationEnd = image.OnAnimationEnd;
  SetFreeOnTerminate(Threaded());
  // A painter thread runs at the image's priority (the two lists name the same seven steps).
  if (Threaded()) SetPriority(fw::TThreadPriority(image.ThreadPriority()));
  ++gLivePainters;
}

TGIFPainter::~TGIFPainter() {
  Detach();
  --gLivePainters;
}

int TGIFPainter::LiveCount() { return gLivePainters; }

void TGIFPainter::Detach() {
  std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
  if (FImage) FImage->RemovePainter(this);
  FImage = nullptr;
  FBuffer.reset();
  FPreviousBuffer.reset();
  FBackupBuffer.reset();
}

void TGIFPainter::Start() {
  if (Threaded()) {
    fw::TThread::Start();
    return;
  }
  Run();
  delete this;
}

void TGIFPainter::Stop() {
  FStopped = true;
  if (Threaded()) {
    SetPriority(fw::tpNormal);
    Terminate();
    {
      std::lock_guard<std::mutex> lock(FEventLock);
      FSignaled = true;
      FEvent.notify_all();
    }
    // A painter never started would never end (nor free itself): it runs, sees the stop, ends.
    if (Suspended()) fw::TThread::Start();
  }
}

void TGIFPainter::Execute() {
  Run();
  // The links go on the main thread, where the image lives.
  Synchronize([this] { Detach(); });
}

bool TGIFPainter::Step(const std::function<void()>& Method) {
  bool alive = false;
  auto guarded = [&] {
    std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
    alive = FImage != nullptr && !FStopped;
    if (alive) Method();
  };
  if (Threaded())
    Synchronize(guarded);
  else
    guarded();
  if (!alive) FStopped = true;
  return alive;
}

void TGIFPainter::Fire(const fw::TNotifyEvent& Event) {
  if (Event) Step([&] { Event(this); });
}

void TGIFPainter::Wait(int Milliseconds, bool& Woken) {
  Woken = false;
  std::unique_lock<std::mutex> lock(FEventLock);
  if (Milliseconds < 0)
    FEvent.wait(lock, [this] { return FSignaled; });
  else
    FEvent.wait_for(lock, std::chrono::milliseconds(Milliseconds), [this] { return FSignaled; });
  Woken = FSignaled;
  FSignaled = false;
}

void TGIFPainter::Run() {
  const bool threaded = Threaded();
  const bool animate = FDrawOptions.Contains(TGIFDrawOption::Animate);
  const bool loopForever = FDrawOptions.Contains(TGIFDrawOption::LoopForever);
  if (FDrawOptions.Contains(TGIFDrawOption::ValidateCanvas) && FCanvas) FValidateDC = FCanvas->Handle();
  FRestart = true;
  while (FRestart && !FStopped) {
    FActiveImage = 0;
    Fire(OnAnimationStart);
    FStarted = false;
    FRestart = false;
    int loopCount = 1, loopPoint = 0;
    bool loopSeen = false;
    int delay = threaded ? 0 : 1;
    FPreviousDisposal = 1;
    std::uint32_t oldTime = Now();
    int lastDelay = 0;
    for (;;) {
      if ((loopCount == 0 && !loopForever) || FStopped || FRestart) break;
      FActiveImage = loopPoint;
      if (FStarted) Fire(OnLoopRestart);
      for (;;) {
        bool frameOk = false;
        if (!Step([&] {
              frameOk = FActiveImage >= 0 && FActiveImage < FImage->Images().Count() &&
                        !FImage->Images()[FActiveImage]->Empty();
            }) ||
            !frameOk || FRestart)
          break;
        if (delay > 0) {
          if (!Step([&] { FImage->Images()[FActiveImage]->Bitmap(); })) break;
          const std::uint32_t newTime = Now();
          delay = FrameWait(delay, FAnimationSpeed, static_cast<int>(newTime - oldTime), lastDelay, threaded);
          if (FAnimationSpeed >= 1) lastDelay = delay;
          oldTime = newTime;
          if (threaded) {
            bool woken = false;
            if (delay >= 1)
              Wait(delay, woken);
            else if (FAnimationSpeed == 0)
              Wait(-1, woken);
            if (woken) {
              lastDelay = 0;
              oldTime = Now();
            }
          } else {
            delay = std::max(delay, 1);
            while (delay > 0 && !FStopped && !FRestart) {
              const std::uint32_t before = Now();
              SleepFor(std::min(delay, 100));
              delay -= static_cast<int>(Now() - before);
              PumpMessages();
            }
          }
        } else {
          std::this_thread::yield();
        }
        if (FStopped) break;
        Fire(OnFramePaint);
        if (FStopped) break;

        int frameDelay = 10;
        if (!Step([&] {
              TGIFSubImage& frame = *FImage->Images()[FActiveImage];
              FDisposal = dmNone;
              for (int i = 0; i < frame.Extensions().Count(); ++i) {
                TGIFExtension* ext = frame.Extensions()[i];
                if (auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(ext)) {
                  if (!loopSeen) {
                    loopSeen = true;
                    loopCount = loop->Loops;
                    loopPoint = FActiveImage;
                    if ((loop->Loops == 0 || loopForever) && threaded) loopCount = -1;
                  }
                } else if (auto* gce = dynamic_cast<TGIFGraphicControlExtension*>(ext)) {
                  FDisposal = gce->Disposal();
                }
              }
              PaintFrame(frame);
              frameDelay = FrameDelayUnits(frame, threaded);
            }))
          break;
        FPreviousDisposal = FDisposal;
        if (FStopped) break;
        delay = frameDelay;
        const int before = FActiveImage;
        Fire(OnFrameDone);
        if (FStopped) break;
        if (FActiveImage == before) ++FActiveImage;
        if (!animate) break;
      }
      if (loopCount > 0) --loopCount;
      if (!(animate && FDrawOptions.Contains(TGIFDrawOption::Loop))) break;
    }
  }
  FActiveImage = -1;
  Fire(OnAnimationEnd);
}

void TGIFPainter::PumpMessages() {
  // The calling thread's windows stay alive while a synchronous animation plays; a quit
  // message ends the animation and is posted again for the thread's own loop.
  win::MSG msg;
  while (win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_REMOVE)) {
    if (msg.message == win::WM_QUIT) {
      win::PostQuitMessage(static_cast<int>(msg.wParam));
      FStopped = true;
      return;
    }
    win::TranslateMessage(&msg);
    win::DispatchMessageW(&msg);
  }
}

void TGIFPainter::PaintFrame(TGIFSubImage& Frame) {
  const bool transparent = FDrawOptions.Contains(TGIFDrawOption::Transparent);
  const bool tile = FDrawOptions.Contains(TGIFDrawOption::Tile);
  if (!FBuffer) {
    Frame.Draw(FCanvas, FRect, transparent, tile);
    FStarted = true;
    return;
  }
  PaintBuffered(Frame);
}

void TGIFPainter::PaintBuffered(TGIFSubImage& Frame) {
  if (FDrawOptions.Contains(TGIFDrawOption::ValidateCanvas) && FValidateDC) {
    const win::DWORD type = win::GetObjectType(FValidateDC);
    if (type != win::OBJ_DC && type != win::OBJ_MEMDC) {
      FStopped = true;
      return;
    }
  }
  const bool transparent = FDrawOptions.Contains(TGIFDrawOption::Transparent);
  const bool tile = FDrawOptions.Contains(TGIFDrawOption::Tile);
  const bool clearFirst = FDrawOptions.Contains(TGIFDrawOption::ClearOnLoop) && FActiveImage == 0;
  const int w = FRect.right - FRect.left, h = FRect.bottom - FRect.top;
  const fw::TRect whole{0, 0, w, h};
  auto drawInto = [&](fw::TBitmap& Buffer) {
    if (clearFirst) RestoreBackground(Frame, *Buffer.Canvas());
    Frame.Draw(Buffer.Canvas(), whole, transparent, tile);
  };
  if (FDisposal < dmBackground) {
    drawInto(*FBuffer);
    FCanvas->CopyRect(FRect, FBuffer->Canvas(), whole);
  } else if (FDisposal == dmBackground) {
    drawInto(*FBuffer);
    FCanvas->CopyRect(FRect, FBuffer->Canvas(), whole);
    RestoreBackground(Frame, *FBuffer->Canvas());
  } else if (FPreviousDisposal < dmBackground) {
    // The buffer keeps the picture before this frame.
    if (clearFirst) RestoreBackground(Frame, *FCanvas);
    Frame.Draw(FCanvas, FRect, transparent, tile);
  } else {
    FPreviousBuffer->Canvas()->CopyRect(whole, FBuffer->Canvas(), whole);
    drawInto(*FPreviousBuffer);
    FCanvas->CopyRect(FRect, FPreviousBuffer->Canvas(), whole);
  }
  FStarted = true;
}

void TGIFPainter::RestoreBackground(TGIFSubImage& Frame, fw::TCanvas& Target) {
  const int w = FRect.right - FRect.left, h = FRect.bottom - FRect.top;
  const fw::TRect area = Frame.ScaleRect(fw::TRect{0, 0, w, h});
  if (FDrawOptions.Contains(TGIFDrawOption::Transparent) && FBackupBuffer) {
    Target.CopyRect(area, FBackupBuffer->Canvas(), area);
  } else {
    Target.Brush()->SetColor(FBackgroundColor);
    Target.FillRect(area);
  }
}

// --- The image's painters -----------------------------------------------------------------------

TGIFPainter* TGIFImage::InternalPaint(fw::TCanvas* ACanvas, const fw::TRect& Rect, TGIFDrawOptions Options) {
  std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
  if (Empty() || Rect.right <= Rect.left || Rect.bottom <= Rect.top) {
    FPainter = nullptr;
    return nullptr;
  }
  auto* painter = new TGIFPainter(this, ACanvas, Rect, Options);
  FPainters.push_back(painter);
  FPainter = painter;
  return painter;
}

void TGIFImage::RemovePainter(TGIFPainter* APainter) {
  std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
  if (FPainter == APainter) FPainter = nullptr;
  FPainters.erase(std::remove(FPainters.begin(), FPainters.end(), APainter), FPainters.end());
}

void TGIFImage::DropBitmap() {
  if (!FBitmap) return;
  {
    std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
    fw::TCanvas* canvas = FBitmap->Canvas();
    for (TGIFPainter* painter : FPainters)
      if (painter->Canvas() == canvas) painter->Stop();
  }
  FBitmap.reset();
}

void TGIFImage::StopDraw() {
  {
    std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
    for (TGIFPainter* painter : FPainters) painter->Stop();
  }
  FBitmap.reset();
}

TGIFPainter* TGIFImage::Painter() {
  std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
  return FPainter;
}

int TGIFImage::PainterCount() {
  std::lock_guard<std::recursive_mutex> lock(GIFPainterLock());
  return static_cast<int>(FPainters.size());
}

}  // namespace kvexport
