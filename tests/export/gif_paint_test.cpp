// Painting: frame rendering and masks, drawing with transparency, scaling, the animation timing
// and loop rules (synchronous painter on a fake clock), painters of threaded drawing, disposal,
// and the clipboard.

#include <gtest/gtest.h>

#include <thread>

#include "export/GIFImageException.h"
#include "export/GIFImagePainter.h"
#include "export/GIFImageReduce.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Thread.h"
#include "gif_test_support.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/user/services/Clipboard.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/WinUserTypes.h"

using namespace kvexport;
using namespace giftest;

namespace {

// A frame of Width x Height filled with Index, at (Left, Top), colours from the global map.
TGIFSubImage* AddFrame(TGIFImage& Image, int Left, int Top, int Width, int Height, std::uint8_t Index,
                       int Delay = -1, int Disposal = -1) {
  auto frame = std::make_unique<TGIFSubImage>(&Image);
  frame->SetBounds(Left, Top, Width, Height);
  std::fill(frame->Data().begin(), frame->Data().end(), Index);
  if (Delay >= 0 || Disposal >= 0) {
    auto gce = std::make_unique<TGIFGraphicControlExtension>(frame.get());
    gce->SetDelay(Delay < 0 ? 0 : Delay);
    gce->SetDisposal(Disposal < 0 ? 0 : Disposal);
    frame->Extensions().Add(std::move(gce));
  }
  TGIFSubImage* raw = frame.get();
  Image.Add(frame.release());
  return raw;
}

void GlobalColors(TGIFImage& Image, std::initializer_list<fw::TColor> Colors) {
  for (fw::TColor c : Colors) Image.Header().ColorMap().Add(c);
}

std::unique_ptr<fw::TBitmap> Canvas24(int W, int H, fw::TColor Fill) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(W, H);
  b->Canvas()->Brush()->SetColor(Fill);
  b->Canvas()->FillRect(fw::TRect{0, 0, W, H});
  return b;
}

// A clock that only moves when the painter sleeps.
struct FakeClock {
  std::uint32_t Now = 0;
  FakeClock() {
    SetGIFPainterClock({[this] { return Now; }, [this](int ms) { Now += static_cast<std::uint32_t>(ms); }});
  }
  ~FakeClock() { SetGIFPainterClock({}); }
};

// Threaded painters end on the main thread; this lets them.
void LetPaintersEnd() {
  for (int i = 0; i < 100000 && TGIFPainter::LiveCount() > 0; ++i) {
    fw::CheckSynchronize();
    std::this_thread::yield();
  }
  EXPECT_EQ(TGIFPainter::LiveCount(), 0);
}

}  // namespace

TEST(GifPaint, DelayRules) {
  TGIFImage image;
  GlobalColors(image, {fw::clBlack, fw::clWhite});
  TGIFSubImage* none = AddFrame(image, 0, 0, 1, 1, 0);
  TGIFSubImage* zero = AddFrame(image, 0, 0, 1, 1, 0, 0);
  TGIFSubImage* one = AddFrame(image, 0, 0, 1, 1, 0, 1);
  TGIFSubImage* long_ = AddFrame(image, 0, 0, 1, 1, 0, 2000);
  EXPECT_EQ(TGIFPainter::FrameDelayUnits(*none, true), 10);
  EXPECT_EQ(TGIFPainter::FrameDelayUnits(*zero, true), 10);
  EXPECT_EQ(TGIFPainter::FrameDelayUnits(*one, true), 3);
  EXPECT_EQ(TGIFPainter::FrameDelayUnits(*long_, true), 2000);
  EXPECT_EQ(TGIFPainter::FrameDelayUnits(*long_, false), 1000);
  // 12 ms per unit.
  EXPECT_EQ(TGIFPainter::FrameWait(10, 100, 0, 0, true), 120);
  EXPECT_EQ(TGIFPainter::FrameWait(3, 100, 0, 0, true), 36);
  EXPECT_EQ(TGIFPainter::FrameWait(10, 200, 0, 0, true), 60);
  // Half of the time lost in the previous wait comes off.
  EXPECT_EQ(TGIFPainter::FrameWait(10, 100, 140, 120, true), 110);
  EXPECT_EQ(TGIFPainter::FrameWait(10, 0, 0, 0, true), -1);
  EXPECT_EQ(TGIFPainter::FrameWait(10, 0, 0, 0, false), 12000);
}

TEST(GifPaint, SynchronousPainterFollowsDelaysAndLoops) {
  FakeClock clock;
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime, fw::clBlue});
  AddFrame(image, 0, 0, 4, 4, 0, 0);
  AddFrame(image, 0, 0, 4, 4, 1, 1);
  AddFrame(image, 0, 0, 4, 4, 2, 50);
  image.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::Animate, TGIFDrawOption::Loop, TGIFDrawOption::DirectDraw});
  std::vector<std::uint32_t> paints;
  int ends = 0;
  image.OnFramePaint = [&](fw::TObject*) { paints.push_back(clock.Now); };
  image.OnAnimationEnd = [&](fw::TObject*) { ++ends; };
  auto target = Canvas24(4, 4, fw::clWhite);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
  // No loop block: one pass, also with Loop set. The first frame waits one unit.
  EXPECT_EQ(paints, (std::vector<std::uint32_t>{12, 132, 168}));
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(target->Canvas()->Pixels(1, 1), fw::clBlue);
  EXPECT_EQ(image.Painter(), nullptr);
  EXPECT_EQ(TGIFPainter::LiveCount(), 0);

  // Twice the speed halves every wait.
  paints.clear();
  clock.Now = 0;
  image.SetAnimationSpeed(200);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
  EXPECT_EQ(paints, (std::vector<std::uint32_t>{6, 66, 84}));

  // A loop block of 3 plays three passes.
  auto loop = std::make_unique<TGIFAppExtNSLoop>(image.Images()[0]);
  loop->Loops = 3;
  image.Images()[0]->Extensions().Add(std::move(loop));
  paints.clear();
  int restarts = 0;
  image.OnLoopRestart = [&](fw::TObject*) { ++restarts; };
  image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
  EXPECT_EQ(paints.size(), 9u);
  EXPECT_EQ(restarts, 2);

  // LoopForever goes on until a handler stops it.
  image.SetDrawOptions(image.DrawOptions() + TGIFDrawOptions{TGIFDrawOption::LoopForever});
  paints.clear();
  image.OnFrameDone = [&](fw::TObject* sender) {
    if (paints.size() == 20) static_cast<TGIFPainter*>(sender)->Stop();
  };
  image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
  EXPECT_EQ(paints.size(), 20u);
}

TEST(GifPaint, QuitMessageEndsASynchronousAnimation) {
  FakeClock clock;
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime});
  for (std::uint8_t i = 0; i < 4; ++i) AddFrame(image, 0, 0, 2, 2, i % 2, 50);
  image.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::Animate, TGIFDrawOption::DirectDraw});
  int paints = 0;
  image.OnFramePaint = [&](fw::TObject*) {
    if (++paints == 2) win::PostQuitMessage(7);
  };
  auto target = Canvas24(2, 2, fw::clWhite);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 2, 2});
  EXPECT_EQ(paints, 2);
  // The quit message is there again for the thread's own loop.
  win::MSG msg;
  ASSERT_TRUE(win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<win::UINT>(win::WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
}

// However fast the animation runs, each frame still waits a millisecond and the messages that
// came meanwhile are answered: a quit message ends even an endless loop.
TEST(GifPaint, AVeryFastSynchronousAnimationStillWaitsAndAnswersMessages) {
  FakeClock clock;
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime});
  for (std::uint8_t i = 0; i < 2; ++i) AddFrame(image, 0, 0, 2, 2, i, 5);
  image.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::Animate, TGIFDrawOption::Loop, TGIFDrawOption::LoopForever,
                                       TGIFDrawOption::DirectDraw});
  image.SetAnimationSpeed(100000);  // every wait comes to less than a millisecond
  std::vector<std::uint32_t> paints;
  image.OnFramePaint = [&](fw::TObject*) {
    paints.push_back(clock.Now);
    if (paints.size() == 3) win::PostQuitMessage(0);
  };
  image.OnFrameDone = [&](fw::TObject* sender) {
    if (paints.size() >= 50) static_cast<TGIFPainter*>(sender)->Stop();  // the test's own way out
  };
  auto target = Canvas24(2, 2, fw::clWhite);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 2, 2});
  EXPECT_EQ(paints, (std::vector<std::uint32_t>{1, 2, 3}));  // none after the quit
  win::MSG msg;
  ASSERT_TRUE(win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<win::UINT>(win::WM_QUIT));
}

TEST(GifPaint, FrameDoneHandlerMayChooseTheNextFrame) {
  FakeClock clock;
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime, fw::clBlue});
  for (std::uint8_t i = 0; i < 3; ++i) AddFrame(image, 0, 0, 2, 2, i, 5);
  image.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::Animate, TGIFDrawOption::DirectDraw});
  std::vector<int> shown;
  image.OnFramePaint = [&](fw::TObject* s) { shown.push_back(static_cast<TGIFPainter*>(s)->ActiveImage()); };
  image.OnFrameDone = [&](fw::TObject* s) {
    auto* p = static_cast<TGIFPainter*>(s);
    if (p->ActiveImage() == 0) p->SetActiveImage(2);
  };
  auto target = Canvas24(2, 2, fw::clWhite);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 2, 2});
  EXPECT_EQ(shown, (std::vector<int>{0, 2}));
}

TEST(GifPaint, DisposalRestoresTheBackground) {
  FakeClock clock;
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime});
  image.SetBackgroundColor(fw::clBlue);
  AddFrame(image, 0, 0, 4, 4, 0, 1, dmBackground);  // red everywhere, then the background
  AddFrame(image, 0, 0, 2, 2, 1, 1, dmNone);        // green top-left, kept
  image.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::Animate});
  auto target = Canvas24(4, 4, fw::clWhite);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
  ASSERT_NE(image.CachedBitmap(), nullptr);
  fw::TCanvas* shown = image.CachedBitmap()->Canvas();
  EXPECT_EQ(shown->Pixels(0, 0), fw::clLime);
  EXPECT_EQ(shown->Pixels(3, 3), fw::clBlue);
  EXPECT_EQ(target->Canvas()->Pixels(3, 3), fw::clBlue);

  // Without disposal the first frame stays under the second.
  image.Images()[0]->GraphicControlExtension()->SetDisposal(dmNone);
  image.Images()[1]->GraphicControlExtension()->SetDisposal(dmBackground);
  image.StopDraw();
  auto again = Canvas24(4, 4, fw::clWhite);
  image.Draw(again->Canvas(), fw::TRect{0, 0, 4, 4});
  EXPECT_EQ(again->Canvas()->Pixels(3, 3), fw::clRed);
}

TEST(GifPaint, ThreadedDrawingKeepsOnePainterPerTarget) {
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime});
  AddFrame(image, 0, 0, 4, 4, 0, 100);
  AddFrame(image, 0, 0, 4, 4, 1, 100);
  image.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::AsyncPaint, TGIFDrawOption::Animate, TGIFDrawOption::Loop,
                                       TGIFDrawOption::DirectDraw});
  auto target = Canvas24(8, 8, fw::clWhite);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
  TGIFPainter* first = image.Painter();
  ASSERT_NE(first, nullptr);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
  EXPECT_EQ(image.Painter(), first);
  EXPECT_EQ(image.PainterCount(), 1);
  image.Draw(target->Canvas(), fw::TRect{4, 4, 8, 8});
  EXPECT_NE(image.Painter(), nullptr);
  EXPECT_NE(image.Painter(), first);
  image.StopDraw();
  LetPaintersEnd();
  EXPECT_EQ(image.PainterCount(), 0);

  // A threaded painter stopped before it was started still ends and frees itself.
  auto* orphan = new TGIFPainter(&image, target->Canvas(), fw::TRect{0, 0, 4, 4}, image.DrawOptions());
  EXPECT_EQ(TGIFPainter::LiveCount(), 1);
  orphan->Stop();
  LetPaintersEnd();
}

// A painter thread runs at the image's ThreadPriority; stopping it puts it back to normal.
TEST(GifPaint, PainterThreadsRunAtTheImagesPriority) {
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime});
  AddFrame(image, 0, 0, 4, 4, 0, 100);
  AddFrame(image, 0, 0, 4, 4, 1, 100);
  image.SetThreadPriority(tpLowest);
  image.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::AsyncPaint, TGIFDrawOption::Animate, TGIFDrawOption::Loop,
                                       TGIFDrawOption::DirectDraw});
  auto target = Canvas24(8, 8, fw::clWhite);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
  TGIFPainter* painter = image.Painter();
  ASSERT_NE(painter, nullptr);
  EXPECT_EQ(painter->Priority(), fw::tpLowest);
  painter->Stop();
  EXPECT_EQ(painter->Priority(), fw::tpNormal);
  LetPaintersEnd();
}

TEST(GifPaint, ImageDestroyedWhilePaintersRun) {
  {
    TGIFImage image;
    GlobalColors(image, {fw::clRed, fw::clLime});
    AddFrame(image, 0, 0, 4, 4, 0, 100);
    AddFrame(image, 0, 0, 4, 4, 1, 100);
    image.SetDrawOptions(TGIFDrawOptions{TGIFDrawOption::AsyncPaint, TGIFDrawOption::Animate, TGIFDrawOption::Loop});
    auto target = Canvas24(4, 4, fw::clWhite);
    image.Draw(target->Canvas(), fw::TRect{0, 0, 4, 4});
    EXPECT_EQ(image.PainterCount(), 1);
  }
  LetPaintersEnd();
}

TEST(GifPaint, SingleFrameDrawsAtOnceWithoutPainter) {
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime});
  TGIFSubImage* frame = AddFrame(image, 0, 0, 4, 2, 0);
  frame->SetPixels(3, 1, 1);
  auto target = Canvas24(8, 4, fw::clWhite);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 8, 4});
  EXPECT_EQ(image.Painter(), nullptr);
  EXPECT_EQ(TGIFPainter::LiveCount(), 0);
  EXPECT_EQ(target->Canvas()->Pixels(0, 0), fw::clRed);
  EXPECT_EQ(target->Canvas()->Pixels(7, 3), fw::clLime);
  EXPECT_EQ(target->Canvas()->Pixels(5, 1), fw::clRed);
}

TEST(GifPaint, MaskRowsAndTransparentDrawing) {
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime, fw::clBlue});
  TGIFSubImage* frame = AddFrame(image, 0, 0, 17, 2, 0);
  for (int x = 0; x < 17; x += 2) frame->SetPixels(x, 1, 2);
  auto gce = std::make_unique<TGIFGraphicControlExtension>(frame);
  gce->SetTransparentColorIndex(2);
  gce->SetTransparent(true);
  frame->Extensions().Add(std::move(gce));
  const std::vector<std::uint8_t>& bits = frame->MaskBits();
  ASSERT_EQ(bits.size(), 8u);  // (17 + 15) / 16 * 2 bytes per row
  EXPECT_EQ((std::vector<std::uint8_t>(bits.begin(), bits.begin() + 4)), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ((std::vector<std::uint8_t>(bits.begin() + 4, bits.end())), (std::vector<std::uint8_t>{0xAA, 0xAA, 0x80, 0}));

  auto target = Canvas24(17, 2, fw::clYellow);
  image.Draw(target->Canvas(), fw::TRect{0, 0, 17, 2});
  EXPECT_EQ(target->Canvas()->Pixels(0, 0), fw::clRed);
  EXPECT_EQ(target->Canvas()->Pixels(0, 1), fw::clYellow);
  EXPECT_EQ(target->Canvas()->Pixels(1, 1), fw::clRed);
  EXPECT_EQ(target->Canvas()->Pixels(16, 1), fw::clYellow);

  // With the Transparent option off the frame covers everything.
  image.SetDrawOptions(image.DrawOptions() - TGIFDrawOptions{TGIFDrawOption::Transparent});
  image.Draw(target->Canvas(), fw::TRect{0, 0, 17, 2});
  EXPECT_EQ(target->Canvas()->Pixels(0, 1), fw::clBlue);
}

TEST(GifPaint, FramesScaleAndTile) {
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime});
  AddFrame(image, 0, 0, 40, 20, 0);
  TGIFSubImage* small = AddFrame(image, 10, 5, 10, 10, 1);
  EXPECT_EQ(small->ScaleRect(fw::TRect{0, 0, 80, 40}), (fw::TRect{20, 10, 40, 30}));
  // Each edge is rounded to the nearest pixel.
  EXPECT_EQ(small->ScaleRect(fw::TRect{100, 50, 120, 60}), (fw::TRect{105, 53, 110, 58}));

  auto target = Canvas24(60, 30, fw::clWhite);
  small->Draw(target->Canvas(), fw::TRect{0, 0, 60, 30}, false, true);
  // Copies at (10, 5) and (50, 5), (10, 25) and (50, 25), each 10 x 10.
  EXPECT_EQ(target->Canvas()->Pixels(10, 5), fw::clLime);
  EXPECT_EQ(target->Canvas()->Pixels(55, 29), fw::clLime);
  EXPECT_EQ(target->Canvas()->Pixels(25, 10), fw::clWhite);
}

TEST(GifPaint, ImageAsOneBitmap) {
  TGIFImage image;
  GlobalColors(image, {fw::clRed, fw::clLime});
  TGIFSubImage* frame = AddFrame(image, 2, 1, 3, 3, 1);
  image.SetWidth(6);
  image.SetHeight(5);
  fw::TBitmap bitmap;
  bitmap.Assign(&image);
  ASSERT_EQ(bitmap.Width(), 6);
  ASSERT_EQ(bitmap.Height(), 5);
  EXPECT_EQ(bitmap.Canvas()->Pixels(3, 2), fw::clLime);
  EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), fw::clWhite);
  // A frame covering the screen gives its own bitmap.
  frame->SetBounds(0, 0, 6, 5);
  std::fill(frame->Data().begin(), frame->Data().end(), 0);
  frame->DropCaches();
  std::unique_ptr<fw::TBitmap> own = image.RenderBitmap();
  EXPECT_EQ(own->PixelFormat(), fw::pf8bit);
  EXPECT_EQ(own->Canvas()->Pixels(0, 0), fw::clRed);

  fw::TBitmap fromFrame;
  fromFrame.Assign(frame);
  EXPECT_EQ(fromFrame.Width(), 6);
}

TEST(GifPaint, DitheredRendering) {
  TGIFImage image;
  // AutoDither leaves it to the screen (none here); without it Dither alone decides.
  EXPECT_EQ(image.DoDither(), PaletteDevice());
  image.SetDrawOptions(image.DrawOptions() - TGIFDrawOptions{TGIFDrawOption::AutoDither});
  EXPECT_TRUE(image.DoDither());
  GlobalColors(image, {fw::TColor(0x336699), fw::TColor(0x101010), fw::clWhite});
  TGIFSubImage* frame = AddFrame(image, 0, 0, 5, 3, 0);
  frame->SetPixels(2, 1, 2);
  frame->SetPixels(4, 2, 1);
  auto gce = std::make_unique<TGIFGraphicControlExtension>(frame);
  gce->SetTransparentColorIndex(2);
  gce->SetTransparent(true);
  frame->Extensions().Add(std::move(gce));
  fw::TBitmap* bitmap = frame->Bitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->ColorTable().at(215), (win::RGBQUAD{255, 255, 255, 0}));
  // The web colour 0x336699 is reached exactly; the transparent white pixel carries 215 + 1.
  EXPECT_EQ(static_cast<const std::uint8_t*>(bitmap->ScanLine(0))[0], 3 * 36 + 2 * 6 + 1);
  EXPECT_EQ(static_cast<const std::uint8_t*>(bitmap->ScanLine(1))[2], 216);
  EXPECT_EQ(frame->MaskBits()[2 * 1], 0x20);
  EXPECT_EQ(image.Palette().size(), 216u);
  image.SetDrawOptions(image.DrawOptions() - TGIFDrawOptions{TGIFDrawOption::Dither});
  EXPECT_FALSE(image.DoDither());
}

TEST(GifPaint, PaletteComesFromTheMaps) {
  TGIFImage image;
  EXPECT_TRUE(image.Palette().empty());
  TGIFSubImage* frame = AddFrame(image, 0, 0, 2, 2, 0);
  frame->ColorMap().Add(fw::clRed);
  frame->ColorMap().Add(fw::clBlue);
  TGIFPalette p = image.Palette();
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[1].peBlue, 255);
  EXPECT_EQ(p[1].peFlags, PC_NOCOLLAPSE);
  GlobalColors(image, {fw::clLime, fw::clBlack, fw::clWhite});
  EXPECT_EQ(image.Palette().size(), 3u);
}

TEST(GifPaint, ClipboardCarriesTheGifAndABitmap) {
  win::ResetClipboard();
  TGIFImage image;
  auto bitmap = Bitmap24(7, 5, [](int x, int y) { return x == y ? 0xFF0000u : 0x00FF00u; });
  image.Assign(bitmap.get());
  CopyGIFToClipboard(image);

  ASSERT_TRUE(win::OpenClipboard(nullptr));
  EXPECT_TRUE(win::IsClipboardFormatAvailable(CF_GIF()));
  EXPECT_TRUE(win::IsClipboardFormatAvailable(win::CF_BITMAP));
  TGIFImage fromGif;
  fromGif.LoadFromClipboardFormat(CF_GIF(), nullptr, {});
  EXPECT_EQ(fromGif.Images()[0]->Data(), image.Images()[0]->Data());
  TGIFImage fromBitmap;
  fromBitmap.LoadFromClipboardFormat(win::CF_BITMAP, nullptr, {});
  ASSERT_EQ(fromBitmap.Images().Count(), 1);
  EXPECT_EQ(FrameRGB(*fromBitmap.Images()[0], 3, 3), 0xFF0000u);
  EXPECT_EQ(FrameRGB(*fromBitmap.Images()[0], 3, 2), 0x00FF00u);
  EXPECT_THROW(fromBitmap.LoadFromClipboardFormat(win::CF_TEXT, nullptr, {}), fw::EInvalidGraphic);
  // An empty image places nothing.
  TGIFImage empty;
  win::UINT format = 1;
  win::HANDLE data = &format;
  TGIFPalette palette;
  empty.SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, 0u);
  EXPECT_EQ(data, nullptr);
  win::CloseClipboard();

  // Without an open clipboard the GIF cannot be stored.
  EXPECT_THROW(image.SaveToClipboardFormat(format, data, palette), GIFException);
  win::ResetClipboard();
}
