// Painting of docks and docked windows with a shared background (moves, printing, colour
// changes, the grip lines), the palette they answer, and the client-area press that drags a
// docked window.

#include <gtest/gtest.h>

#include "ToolbarsFixture.h"
#include "framework/ExtCtrls.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBFloatingParent.h"

namespace toolbars::testing {
namespace {

constexpr win::COLORREF kPattern = 0x00336699;

// A background that paints one colour and counts its paintings.
class CountingBackground : public TTBBasicBackground {
 public:
  using TTBBasicBackground::TTBBasicBackground;
  void Draw(win::HDC DC, const TRect& DrawRect) override {
    ++draws;
    win::RECT r{DrawRect.left, DrawRect.top, DrawRect.right, DrawRect.bottom};
    win::HBRUSH b = win::CreateSolidBrush(kPattern);
    win::FillRect(DC, &r, b);
    win::DeleteObject(b);
  }
  win::HPALETTE GetPalette() override { return reinterpret_cast<win::HPALETTE>(0x5150); }
  void RegisterChanges(void*, TChangeProc) override {}
  void SysColorChanged() override {}
  void UnregisterChanges(void*) override {}
  bool UsingBackground() override { return used; }
  int draws = 0;
  bool used = true;
};

class Panel : public TTBCustomDockableWindow {
 public:
  using TTBCustomDockableWindow::TTBCustomDockableWindow;
  TPoint OrderControls(bool, TTBDockType, TTBDock*) override { return TPoint{80, 20}; }
  void GetBaseSize(TPoint& ASize) override { ASize = TPoint{80, 20}; }
};

class DockPaint : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(100, 100, 400, 300);
    dock = new TTBDock(form);
    dock->SetParent(form);
    background = new CountingBackground(form);
    window = new Panel(form);
    window->SetCurrentDock(dock);
    form->Show();
    win::SetActiveWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    delete form;
    ToolbarsTest::TearDown();
  }
  // The window (frame included) printed into a bitmap; Pixel reads it.
  struct Printed {
    win::HDC dc = nullptr;
    win::HBITMAP bitmap = nullptr;
    win::HGDIOBJ old = nullptr;
    ~Printed() {
      win::SelectObject(dc, old);
      win::DeleteObject(bitmap);
      win::DeleteDC(dc);
    }
    win::COLORREF Pixel(int x, int y) const { return win::GetPixel(dc, x, y); }
  };
  std::unique_ptr<Printed> Print(fw::TWinControl* C) {
    auto out = std::make_unique<Printed>();
    win::HDC screen = win::GetDC(nullptr);
    out->dc = win::CreateCompatibleDC(screen);
    out->bitmap = win::CreateCompatibleBitmap(screen, C->Width(), C->Height());
    win::ReleaseDC(nullptr, screen);
    out->old = win::SelectObject(out->dc, out->bitmap);
    win::SendMessageW(C->Handle(), win::WM_PRINT, win::WPARAM(out->dc),
                      win::PRF_NONCLIENT | win::PRF_CLIENT | win::PRF_ERASEBKGND);
    return out;
  }
  win::COLORREF WindowPixel(fw::TWinControl* C, int x, int y) {
    win::HDC dc = win::GetWindowDC(C->Handle());
    const win::COLORREF c = win::GetPixel(dc, x, y);
    win::ReleaseDC(C->Handle(), dc);
    return c;
  }
  fw::TForm* form = nullptr;
  TTBDock* dock = nullptr;
  CountingBackground* background = nullptr;
  Panel* window = nullptr;
};

TEST_F(DockPaint, AMovedDockRepaintsTheBackgroundOfItsWindows) {
  dock->SetBackground(background);
  Pump();
  background->draws = 0;
  win::SendMessageW(dock->Handle(), win::WM_MOVE, 0, 0);
  Pump();
  EXPECT_GE(background->draws, 2) << "the dock and its window are painted again";
  background->used = false;
  background->draws = 0;
  win::SendMessageW(dock->Handle(), win::WM_MOVE, 0, 0);
  Pump();
  EXPECT_EQ(background->draws, 0) << "no background, nothing to repaint";
}

// A docked window that moves on a dock with a background is painted at once through one copy,
// with nothing left for a later paint.
TEST_F(DockPaint, AMovedWindowIsRepaintedAtOnceOverTheBackground) {
  dock->SetBackground(background);
  Pump();
  background->draws = 0;
  win::SendMessageW(window->Handle(), win::WM_MOVE, 0, 0);
  EXPECT_GE(background->draws, 2) << "its frame and client area";
  win::RECT pending{};
  EXPECT_FALSE(win::GetUpdateRect(window->Handle(), &pending, win::FALSE));
  EXPECT_EQ(WindowPixel(window, 1, 1), kPattern) << "the frame band shows the background";
  EXPECT_EQ(WindowPixel(window, window->Width() / 2, window->Height() / 2), kPattern);
}

TEST_F(DockPaint, PrintingCarriesTheFramesOfDockAndWindow) {
  dock->SetBoundLines(TTBDockBoundLines((1u << blTop) | (1u << blBottom)));
  dock->SetBackground(background);
  Pump();
  auto d = Print(dock);
  EXPECT_EQ(d->Pixel(5, 0), win::GetSysColor(win::COLOR_BTNSHADOW)) << "top line";
  EXPECT_EQ(d->Pixel(5, dock->Height() - 1), win::GetSysColor(win::COLOR_BTNHIGHLIGHT)) << "bottom line";
  EXPECT_EQ(d->Pixel(dock->Width() - 3, 3), kPattern) << "the client area past the window";
  auto w = Print(window);
  EXPECT_EQ(w->Pixel(0, 0), win::GetSysColor(win::COLOR_BTNHIGHLIGHT)) << "the raised edge";
  EXPECT_EQ(w->Pixel(window->Width() - 1, window->Height() - 1), win::GetSysColor(win::COLOR_BTNSHADOW));
  EXPECT_EQ(w->Pixel(window->Width() / 2, window->Height() / 2), kPattern) << "the client area";
}

// Each grip line is a raised edge whose light side runs to its very end.
TEST_F(DockPaint, GripLinesEndInAHighlightPixel) {
  struct Case {
    TTBDragHandleStyle style;
    std::vector<Integer> lines;  // left edges of the lines along the handle
  };
  for (const Case& c : {Case{dhSingle, {3}}, Case{dhDouble, {4, 7}}}) {
    window->SetDragHandleStyle(c.style);
    Pump();
    auto w = Print(window);
    for (Integer x : c.lines) {
      EXPECT_EQ(w->Pixel(x, window->Height() - 3), win::GetSysColor(win::COLOR_BTNHIGHLIGHT)) << x;
      EXPECT_EQ(w->Pixel(x + 2, window->Height() - 3), win::GetSysColor(win::COLOR_BTNSHADOW)) << x;
    }
  }
}

TEST_F(DockPaint, AColourChangeRedrawsTheFrame) {
  window->SetBorderStyle(fw::bsNone);
  Pump();
  ASSERT_EQ(WindowPixel(window, 1, 1), win::COLORREF(fw::ColorToRGB(fw::clBtnFace)));
  window->SetColor(fw::clRed);
  Pump();
  EXPECT_EQ(WindowPixel(window, 1, 1), win::COLORREF(fw::ColorToRGB(fw::clRed))) << "frame";
  EXPECT_EQ(WindowPixel(window, window->Width() - 5, window->Height() / 2), win::COLORREF(fw::ColorToRGB(fw::clRed)))
      << "client";
}

// A dockable window has the button face of its own, whatever colour its dock takes.
TEST_F(DockPaint, AWindowKeepsTheButtonFaceOnADockOfAnotherColour) {
  dock->SetColor(fw::clWindow);
  Pump();
  EXPECT_EQ(window->Color(), fw::clBtnFace);
  EXPECT_EQ(WindowPixel(window, window->Width() - 5, window->Height() / 2),
            win::COLORREF(fw::ColorToRGB(fw::clBtnFace)));
}

TEST_F(DockPaint, PaletteComesFromTheBackgroundWhileItIsUsed) {
  EXPECT_EQ(dock->GetPalette(), nullptr);
  dock->SetBackground(background);
  EXPECT_EQ(dock->GetPalette(), reinterpret_cast<win::HPALETTE>(0x5150));
  EXPECT_EQ(window->GetPalette(), dock->GetPalette()) << "a docked window answers its dock's";
  background->used = false;
  EXPECT_EQ(dock->GetPalette(), nullptr);
  background->used = true;
  window->SetFloating(true);
  EXPECT_EQ(window->GetPalette(), nullptr) << "floating";
}

// A press on the bare client area drags the window like its handle; a double-click there floats
// it; a press on a child control is the control's.
TEST_F(DockPaint, APressOnTheBareClientAreaDragsTheWindow) {
  const TPoint at = window->ClientToScreen(TPoint{40, 10});
  desktop->mouse_move({at.x, at.y});
  Pump();
  desktop->script([&] { desktop->mouse_move({at.x + 30, at.y + 150}); });
  desktop->script([&] { desktop->mouse_up({at.x + 30, at.y + 150}); });
  desktop->mouse_down({at.x, at.y});
  Pump();
  ASSERT_TRUE(window->Floating()) << "dragged out of the dock";
  EXPECT_EQ(win::GetCapture(), nullptr);
  window->SetCurrentDock(dock);
  Pump();

  auto* child = new fw::TPanel(window);
  child->SetParent(window);
  child->SetBounds(0, 0, 30, 20);
  Pump();
  const TPoint onChild = window->ClientToScreen(TPoint{10, 10});
  desktop->mouse_move({onChild.x, onChild.y});
  desktop->mouse_down({onChild.x, onChild.y});
  desktop->mouse_move({onChild.x + 30, onChild.y + 150});
  desktop->mouse_up({onChild.x + 30, onChild.y + 150});
  Pump();
  EXPECT_FALSE(window->Floating()) << "the child control took the press";
}

}  // namespace
}  // namespace toolbars::testing
