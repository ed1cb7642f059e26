#pragma once
// TGIFPainter: plays the frames of a TGIFImage onto a canvas with their delays, loop block and
// disposal methods, on its own thread (AsyncPaint) or in the calling thread.
//
// A threaded painter only waits on its own thread: every step that reads the image or touches a
// canvas runs on the main thread through Synchronize, where the image itself lives, so an image
// destroyed meanwhile is never reached (it cuts its painters' link under the painter lock).

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "export/GIFImageTypes.h"
#include "framework/GraphicsTypes.h"
#include "framework/Colors.h"
#include "framework/Thread.h"

namespace kvexport {

class TGIFImage;
class TGIFSubImage;

// The lock of every painter list and current-painter field.
std::recursive_mutex& GIFPainterLock();

// The millisecond timer and the sleep a synchronous painter uses (tests put a fake clock here;
// empty functions mean the real ones).
struct TGIFPainterClock {
  std::function<std::uint32_t()> Now;
  std::function<void(int Milliseconds)> Sleep;
};
void SetGIFPainterClock(TGIFPainterClock Clock);

class TGIFPainter : public fw::TThread {
 public:
  // Made suspended; a synchronous painter (no AsyncPaint) is run by Start and then freed.
  TGIFPainter(TGIFImage* AImage, fw::TCanvas* ACanvas, const fw::TRect& ARect, TGIFDrawOptions AOptions);
  ~TGIFPainter() override;

  // Resumes a threaded painter; runs a synchronous one to its end and frees it.
  void Start();
  // Ends the painter at its next check; a threaded one is woken at once.
  void Stop();

  TGIFImage* Image() const { return FImage; }
  fw::TCanvas* Canvas() const { return FCanvas; }
  const fw::TRect& Rect() const { return FRect; }
  TGIFDrawOptions DrawOptions() const { return FDrawOptions; }
  bool Threaded() const { return FDrawOptions.Contains(TGIFDrawOption::AsyncPaint); }
  // The frame being shown; -1 when not painting. Event handlers may move it.
  int ActiveImage() const { return FActiveImage; }
  void SetActiveImage(int Value) { FActiveImage = Value; }
  int AnimationSpeed() const { return FAnimationSpeed; }
  bool Stopped() const { return FStopped; }

  // Milliseconds to wait for a frame delay of DelayUnits hundredths, corrected by half of the
  // time lost in the previous wait (Elapsed - LastDelay); -1 means "until woken".
  static int FrameWait(int DelayUnits, int Speed, int Elapsed, int LastDelay, bool IsThreaded);
  // The stored delay of a frame as the painter takes it: 10 when none, at least 3, at most 1000
  // when not threaded.
  static int FrameDelayUnits(const TGIFSubImage& Frame, bool IsThreaded);

  // Painters not yet freed, threaded ones included.
  static int LiveCount();

  fw::TNotifyEvent OnAnimationStart, OnFramePaint, OnFrameDone, OnLoopRestart, OnAnimationEnd;

 protected:
  void Execute() override;

 private:
  friend class TGIFImage;
  void Run();
  // The image's frame count, or -1 once the image is gone.
  bool Step(const std::function<void()>& Method);
  void Fire(const fw::TNotifyEvent& Event);
  void Wait(int Milliseconds, bool& Woken);
  void PumpMessages();
  void PaintFrame(TGIFSubImage& Frame);
  void PaintBuffered(TGIFSubImage& Frame);
  void RestoreBackground(TGIFSubImage& Frame, fw::TCanvas& Target);
  void Detach();

  TGIFImage* FImage;
  fw::TCanvas* FCanvas;
  fw::TRect FRect;
  TGIFDrawOptions FDrawOptions;
  int FAnimationSpeed;
  int FActiveImage = -1;
  int FDisposal = 1;
  int FPreviousDisposal = 1;
  bool FStarted = false;
  bool FRestart = false;
  std::atomic<bool> FStopped{false};
  fw::TColor FBackgroundColor;
  std::unique_ptr<fw::TBitmap> FBuffer;
  std::unique_ptr<fw::TBitmap> FPreviousBuffer;
  std::unique_ptr<fw::TBitmap> FBackupBuffer;
  win::HDC FValidateDC = nullptr;
  std::mutex FEventLock;
  std::condition_variable FEvent;
  bool FSignaled = false;
};

}  // namespace kvexport
