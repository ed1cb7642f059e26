// The sizing loop of a floating frame, by each of its four edges and four corners: where each
// handle is, the dragged edges following the pointer while the opposite ones stay put, a plain
// window held within its minimum and maximum size, a toolbar snapping to the sizes of its row
// layouts and laying its buttons out anew at every step, Escape putting everything back, the
// pointer held to a single screen, how keys, a quit request and an error end the loop, and the
// outline shown instead when smooth dragging is off.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ToolbarsFixture.h"
#include "platform/kernel/Rects.h"
#include "platform/user/messages/Cursor.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/MonitorLayout.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/Window.h"
#include "support/MessageSequence.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBDockableWindow.h"
#include "toolbars/TBFloatingParent.h"
#include "toolbars/TBToolbar.h"

namespace toolbars::testing {
namespace {

// A window of a fixed content size with a client size range of its own; with a range of zeros,
// the dockable window's own answer, which sets none.
class RangedBox : public TTBCustomDockableWindow {
 public:
  RangedBox(fw::TComponent* AOwner, TPoint AClient, TPoint AMin, TPoint AMax)
      : TTBCustomDockableWindow(AOwner), FClient(AClient), FMin(AMin), FMax(AMax) {}
  TPoint OrderControls(bool, TTBDockType, TTBDock*) override { return FClient; }
  void GetBaseSize(TPoint& ASize) override { ASize = FClient; }
  void ResizeTrack(TRect&, const TRect&) override {
    if (OnTrack) OnTrack();
  }
  void ResizeEnd() override { ++ResizeEnds; }
  void GetMinMaxSize(Integer& MinW, Integer& MinH, Integer& MaxW, Integer& MaxH) override {
    if (FMin == TPoint{0, 0} && FMax == TPoint{0, 0})
      return TTBCustomDockableWindow::GetMinMaxSize(MinW, MinH, MaxW, MaxH);
    MinW = FMin.x;
    MinH = FMin.y;
    MaxW = FMax.x;
    MaxH = FMax.y;
  }

  std::function<void()> OnTrack;  // at each step
  int ResizeEnds = 0;

 private:
  TPoint FClient, FMin, FMax;
};

// A handle of the frame: its hit code and the way out of the frame (-1, 0 or 1 on each axis).
struct SizeHandle {
  const char* Name;
  Integer Code;
  int OutX, OutY;
};
constexpr SizeHandle kHandles[] = {
    {"left", win::HTLEFT, -1, 0},
    {"right", win::HTRIGHT, 1, 0},
    {"top", win::HTTOP, 0, -1},
    {"bottom", win::HTBOTTOM, 0, 1},
    {"top left", win::HTTOPLEFT, -1, -1},
    {"top right", win::HTTOPRIGHT, 1, -1},
    {"bottom left", win::HTBOTTOMLEFT, -1, 1},
    {"bottom right", win::HTBOTTOMRIGHT, 1, 1},
};

// How a sizing ends; only the release keeps the new size.
struct SizingEnd {
  enum Kind { Release, Escape, Press, LostCapture };
  const char* Name;
  Kind How;
  bool Kept() const { return How == Release; }
};
constexpr SizingEnd kEnds[] = {{"released", SizingEnd::Release}, {"Escape", SizingEnd::Escape}};
constexpr SizingEnd kEveryEnd[] = {
    kEnds[0], kEnds[1], {"another press", SizingEnd::Press}, {"capture lost", SizingEnd::LostCapture}};

std::string Text(const win::RECT& R) {
  return "(" + std::to_string(R.left) + ", " + std::to_string(R.top) + ")-(" + std::to_string(R.right) +
         ", " + std::to_string(R.bottom) + ")";
}

std::string Where(const SizeHandle& H, const SizingEnd& E, size_t Step) {
  return std::string(H.Name) + ", " + E.Name + ", step " + std::to_string(Step);
}

class FloatingSizing : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(50, 50, 300, 200);
    dock = new TTBDock(form);
    dock->SetParent(form);
    form->Show();
    win::SetActiveWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    delete form;
    ToolbarsTest::TearDown();
  }
  void Float(TTBCustomDockableWindow* W) {
    W->SetCurrentDock(dock);
    W->SetFloatingPosition(TPoint{300, 250});
    W->SetFloating(true);
    Pump();
  }
  static win::RECT ScreenRect(fw::TWinControl* C) {
    win::RECT r{};
    win::GetWindowRect(C->Handle(), &r);
    return r;
  }
  // The point on the frame's band where a user grabs the handle.
  static win::POINT Grip(const SizeHandle& H, const win::RECT& R) {
    return win::POINT{H.OutX < 0   ? R.left
                      : H.OutX > 0 ? R.right - 1
                                   : (R.left + R.right) / 2,
                      H.OutY < 0   ? R.top
                      : H.OutY > 0 ? R.bottom - 1
                                   : (R.top + R.bottom) / 2};
  }
  // Presses the handle of the frame P and runs the sizing loop through the pointer offsets
  // Steps (along the way out of the frame: positive outward, negative inward); Look runs after
  // each step has been handled. The loop ends as E says.
  void Size(TTBFloatingWindowParent* P, const SizeHandle& H, const SizingEnd& E,
            const std::vector<Integer>& Steps, const std::function<void(size_t, win::POINT)>& Look) {
    const win::POINT at = Grip(H, ScreenRect(P));
    ASSERT_EQ(win::SendMessageW(P->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(at.x, at.y)), H.Code)
        << H.Name;
    desktop->advance(1000);  // not a double click with the press before
    desktop->mouse_move(at);
    Pump();
    win::POINT last = at;
    for (size_t i = 0; i <= Steps.size(); ++i)
      desktop->script([&, i] {
        if (i > 0) Look(i - 1, last);
        if (i == Steps.size()) {
          if (E.How == SizingEnd::Release) desktop->mouse_up(last);
          if (E.How == SizingEnd::Escape) desktop->press_key(win::VK_ESCAPE);
          if (E.How == SizingEnd::Press) desktop->mouse_down(last);
          if (E.How == SizingEnd::LostCapture) win::ReleaseCapture();
          return;
        }
        last = win::POINT{at.x + H.OutX * Steps[i], at.y + H.OutY * Steps[i]};
        desktop->mouse_move(last);
      });
    desktop->mouse_down(at);
    Pump();
    if (E.How == SizingEnd::Press) desktop->mouse_up(last);  // the second press's own release
    Pump();
    EXPECT_EQ(desktop->pending_script(), 0u) << H.Name;
    EXPECT_EQ(win::GetCapture(), nullptr) << H.Name;
  }
  // The edges a sizing by H leaves where they were: the opposite edge of each dragged side, and
  // the left and top edges of a side not dragged.
  static void ExpectAnchored(const SizeHandle& H, const win::RECT& Now, const win::RECT& Start,
                             const std::string& At) {
    if (H.OutX < 0)
      EXPECT_EQ(Now.right, Start.right) << At;
    else
      EXPECT_EQ(Now.left, Start.left) << At;
    if (H.OutY < 0)
      EXPECT_EQ(Now.bottom, Start.bottom) << At;
    else
      EXPECT_EQ(Now.top, Start.top) << At;
  }
  // Where the toolbar's buttons are.
  static std::vector<TRect> Layout(TTBCustomToolbar* T) {
    std::vector<TRect> out;
    for (Integer i = 0; i < T->View()->ViewerCount(); ++i) out.push_back(T->View()->Viewers(i)->BoundsRect());
    return out;
  }
  // The toolbar fills its frame's client area and its buttons are laid out to that size: every
  // one shown and inside it, the last row and column reaching its edges but for the margins.
  static void ExpectLaidOutTo(TTBCustomToolbar* T, TTBFloatingWindowParent* P, const std::string& At) {
    EXPECT_EQ(T->Width(), P->ClientWidth()) << At;
    EXPECT_EQ(T->Height(), P->ClientHeight()) << At;
    TRect margins{};
    T->View()->GetMargins(tbvoFloating, margins);
    Integer right = 0, bottom = 0;
    for (Integer i = 0; i < T->View()->ViewerCount(); ++i) {
      TTBItemViewer* v = T->View()->Viewers(i);
      if (v->Item() == T->ChevronItem()) continue;
      const TRect& r = v->BoundsRect();
      EXPECT_TRUE(v->Show() && !v->OffEdge()) << At << ", button " << i;
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= T->ClientWidth() && r.bottom <= T->ClientHeight())
          << At << ", button " << i;
      right = std::max(right, r.right);
      bottom = std::max(bottom, r.bottom);
    }
    EXPECT_EQ(right + margins.right, T->ClientWidth()) << At;
    EXPECT_EQ(bottom + margins.bottom, T->ClientHeight()) << At;
  }
  // A toolbar of six buttons.
  TTBCustomToolbar* NewToolbar() {
    auto* t = new TTBCustomToolbar(form);
    t->AfterConstruction();
    for (int i = 0; i < 6; ++i)
      t->Items()->Add(new StyledItem(t->Items(), ("Button " + std::to_string(i)).c_str()));
    return t;
  }
  // The rectangle around what is drawn over the windows on the screen within Area; empty when
  // nothing is.
  win::RECT DrawnOver(win::RECT Area = {0, 0, 800, 600}) {
    win::RECT box{};
    for (const win::RECT& row : desktop->drawn_over())
      if (win::RECT part{}; win::IntersectRect(&part, &row, &Area)) win::UnionRect(&box, &box, &part);
    return box;
  }
  // Locked against updates, the desktop refuses another lock.
  static bool DesktopLocked() {
    if (!win::LockWindowUpdate(win::GetDesktopWindow())) return true;
    win::LockWindowUpdate(nullptr);
    return false;
  }
  fw::TForm* form = nullptr;
  TTBDock* dock = nullptr;
};

// A plain window: each dragged edge is where the pointer is, as far as the window's size range
// lets it; past the range the dragged edge stops and the opposite one does not move. A range of
// 0 sets no bound: the window shrinks to its bare frame and grows as far as the pointer goes.
TEST_F(FloatingSizing, ThePlainWindowsDraggedEdgesFollowThePointerWithinItsSizeRange) {
  struct Range {
    const char* Name;
    bool Caption;
    TPoint Min, Max;
  };
  const Range ranges[] = {{"a size range", true, {60, 40}, {220, 160}},
                          {"a size range, no caption", false, {60, 40}, {220, 160}},
                          {"no size range", true, {0, 0}, {0, 0}}};
  const TPoint client{120, 80};
  // Outward, further, past the largest size, back to the press point, in, past the opposite edge.
  const std::vector<Integer> steps{7, 30, 200, 0, 18, -200};
  for (const Range& range : ranges)
    for (const SizingEnd& end : kEnds)
      for (const SizeHandle& h : kHandles) {
        auto* w = new RangedBox(form, client, range.Min, range.Max);
        w->SetShowCaption(range.Caption);
        Float(w);
        TTBFloatingWindowParent* p = w->FloatingParent();
        ASSERT_NE(p, nullptr);
        const win::RECT start = ScreenRect(p);
        const TPoint frame{(start.right - start.left) - w->Width(), (start.bottom - start.top) - w->Height()};
        ASSERT_EQ(w->Width(), client.x);
        ASSERT_EQ(frame.y > frame.x, range.Caption) << "the caption is part of the frame";
        auto held = [](Integer Size, Integer Min, Integer Max) {
          Size = std::max(Size, Min);
          return Max ? std::min(Size, Max) : Size;
        };
        auto expected = [&](Integer d) {
          win::RECT r = start;
          const Integer width = held(start.right - start.left + d, range.Min.x + frame.x,
                                     range.Max.x ? range.Max.x + frame.x : 0);
          const Integer height = held(start.bottom - start.top + d, range.Min.y + frame.y,
                                      range.Max.y ? range.Max.y + frame.y : 0);
          if (h.OutX < 0) r.left = r.right - width;
          if (h.OutX > 0) r.right = r.left + width;
          if (h.OutY < 0) r.top = r.bottom - height;
          if (h.OutY > 0) r.bottom = r.top + height;
          return r;
        };
        std::vector<win::RECT> seen;
        std::vector<TRect> inside;
        Size(p, h, end, steps, [&](size_t, win::POINT) {
          seen.push_back(ScreenRect(p));
          inside.push_back(w->BoundsRect());
        });
        ASSERT_EQ(seen.size(), steps.size()) << h.Name;
        for (size_t i = 0; i < steps.size(); ++i) {
          const std::string at = std::string(range.Name) + ", " + Where(h, end, i);
          EXPECT_EQ(Text(seen[i]), Text(expected(steps[i]))) << at;
          EXPECT_EQ(inside[i], (TRect{0, 0, (seen[i].right - seen[i].left) - frame.x,
                                      (seen[i].bottom - seen[i].top) - frame.y}))
              << "the window fills its frame's client area, " << at;
        }
        // Released, the frame keeps the last step's rectangle; cancelled, it goes back.
        Pump();
        const std::string at = std::string(range.Name) + ", " + h.Name + ", " + end.Name + ", after";
        EXPECT_EQ(Text(ScreenRect(p)), Text(end.Kept() ? expected(steps.back()) : start)) << at;
        EXPECT_EQ(w->BoundsRect(), (TRect{0, 0, p->ClientWidth(), p->ClientHeight()})) << at;
        delete w;
      }
}

// A toolbar takes only the sizes of its row layouts: a small move keeps its rows, then the
// dragged length picks the listed size that fits (shrinking) or reaches it (growing); corners
// drag the width and the height follows the rows. Its buttons are laid out anew for each size, inside the
// toolbar and to its edges.
TEST_F(FloatingSizing, AToolbarsDraggedEdgesSnapToItsRowLayoutsAndItsButtonsFollow) {
  struct Start {
    const char* Name;
    bool Caption;
    bool Narrowest;  // one button a row, else two rows
  };
  const Start starts[] = {{"two rows", true, false}, {"a button a row, no caption", false, true}};
  // To the snap zone's edge, just past it, further out, back in, far in.
  const std::vector<Integer> steps{12, 13, 70, -15, -90};
  for (const Start& from : starts)
    for (const SizingEnd& end : kEnds)
      for (const SizeHandle& h : kHandles) {
        auto* t = NewToolbar();
        if (!from.Caption) t->SetShowCaption(false);
        Float(t);
        t->SetFloatingWidth(from.Narrowest ? 1 : t->Width() / 2 + 10);
        Pump();
        TTBFloatingWindowParent* p = t->FloatingParent();
        ASSERT_NE(p, nullptr);
        const Integer startWrap = t->FloatingWidth();
        const std::vector<TRect> startLayout = Layout(t);
        const win::RECT start = ScreenRect(p);
        const bool horizontal = h.OutX != 0;  // corners drag the width
        const Integer startLength = horizontal ? start.right - start.left : start.bottom - start.top;
        std::vector<TPoint> sizes;
        std::vector<win::RECT> seen;
        std::vector<Integer> wraps;
        Size(p, h, end, steps, [&](size_t i, win::POINT) {
          if (i == 0) sizes = t->ResizeSizes();
          seen.push_back(ScreenRect(p));
          wraps.push_back(t->FloatingWidth());
          ExpectLaidOutTo(t, p, std::string(from.Name) + ", " + Where(h, end, i));
        });
        ASSERT_EQ(seen.size(), steps.size()) << h.Name;
        ASSERT_GE(sizes.size(), 4u) << h.Name << ": one size for each of 1, 2, 3 and 6 rows";
        auto length = [&](const TPoint& s) { return horizontal ? s.x : s.y; };
        ASSERT_TRUE(std::is_sorted(sizes.begin(), sizes.end(),
                                   [&](const TPoint& a, const TPoint& b) { return length(a) < length(b); }));
        // The listed size of the present rows (its height), where the snap zone is measured from.
        const TPoint present =
            *std::min_element(sizes.begin(), sizes.end(), [&](const TPoint& a, const TPoint& b) {
              return std::abs(a.y - (start.bottom - start.top)) < std::abs(b.y - (start.bottom - start.top));
            });
        bool leftZone = false;
        for (size_t i = 0; i < steps.size(); ++i) {
          const std::string at = std::string(from.Name) + ", " + Where(h, end, i);
          const Integer wanted = startLength + steps[i];
          leftZone = leftZone || std::abs(wanted - length(present)) > 12;
          // Within 12 pixels the present rows hold until the pointer has once left that zone;
          // then shrinking takes the largest size that fits, else the smallest, and growing the
          // smallest that reaches the wanted length, else the largest.
          TPoint pick = present;
          if (leftZone && wanted < length(present)) {
            pick = sizes.front();
            for (const TPoint& s : sizes)
              if (length(s) <= wanted) pick = s;
          } else if (leftZone) {
            pick = sizes.back();
            for (auto s = sizes.rbegin(); s != sizes.rend(); ++s)
              if (length(*s) >= wanted) pick = *s;
          }
          const win::RECT& r = seen[i];
          EXPECT_EQ(r.right - r.left, pick.x) << at;
          EXPECT_EQ(r.bottom - r.top, pick.y) << at;
          ExpectAnchored(h, r, start, at);
        }
        Pump();
        const win::RECT after = ScreenRect(p);
        const std::string at = std::string(from.Name) + ", " + h.Name + ", " + end.Name + ", after";
        if (end.Kept()) {
          EXPECT_EQ(after.left, seen.back().left) << at;
          EXPECT_EQ(after.top, seen.back().top) << at;
          EXPECT_EQ(after.right, seen.back().right) << at;
          EXPECT_EQ(after.bottom, seen.back().bottom) << at;
          EXPECT_EQ(t->FloatingWidth(), wraps.back()) << at;
          ExpectLaidOutTo(t, p, at);
        } else {
          EXPECT_EQ(after.left, start.left) << at;
          EXPECT_EQ(after.top, start.top) << at;
          EXPECT_EQ(after.right, start.right) << at;
          EXPECT_EQ(after.bottom, start.bottom) << at;
          EXPECT_EQ(t->FloatingWidth(), startWrap) << at;
          EXPECT_EQ(Layout(t), startLayout) << at << ": the buttons go back where they were";
          EXPECT_EQ(t->Width(), p->ClientWidth()) << at;
          EXPECT_EQ(t->Height(), p->ClientHeight()) << at;
        }
        EXPECT_TRUE(t->ResizeSizes().empty()) << at;
        delete t;
      }
}

// Without smooth dragging the window stays as it is while its edges are dragged: a halftone
// frame as wide as the floating border shows on the screen where smooth sizing would put them
// (a toolbar's row sizes included). The release sizes the window there once; Escape, another
// press or a lost capture leave the window, and the screen, as they were.
TEST_F(FloatingSizing, WithoutSmoothDragAnOutlineShowsTheSizeUntilTheRelease) {
  const SizeHandle& h = kHandles[4];  // top left: the frame's origin moves with the edges
  const std::vector<Integer> steps{-25, 40};
  for (const bool toolbar : {false, true}) {
    auto make = [&](bool Smooth) {
      TTBCustomDockableWindow* w = toolbar ? static_cast<TTBCustomDockableWindow*>(NewToolbar())
                                           : new RangedBox(form, {120, 80}, {0, 0}, {0, 0});
      w->SetSmoothDrag(Smooth);
      Float(w);
      if (auto* t = dynamic_cast<TTBCustomToolbar*>(w)) t->SetFloatingWidth(t->Width() / 2 + 10);  // two rows
      Pump();
      return w;
    };
    TTBCustomDockableWindow* w = make(true);
    std::vector<win::RECT> sized;  // where smooth sizing puts the frame
    Size(w->FloatingParent(), h, kEnds[0], steps,
         [&](size_t, win::POINT) { sized.push_back(ScreenRect(w->FloatingParent())); });
    delete w;
    for (const SizingEnd& end : kEveryEnd) {
      const std::string at = std::string(toolbar ? "toolbar, " : "window, ") + end.Name;
      w = make(false);
      TTBFloatingWindowParent* p = w->FloatingParent();
      auto* t = dynamic_cast<TTBCustomToolbar*>(w);
      const win::RECT start = ScreenRect(p);
      const std::vector<TRect> layout = t ? Layout(t) : std::vector<TRect>{};
      ASSERT_NE(Text(sized.back()), Text(start)) << at;
      TPoint border{};
      w->GetFloatingBorderSize(border);
      kvtest::MessageRecorder rec(win::kChannelGeometry);
      rec.Watch(p->Handle());
      rec.Watch(w->Handle());
      Size(p, h, end, steps, [&](size_t i, win::POINT) {
        const std::string step = at + ", step " + std::to_string(i);
        EXPECT_EQ(Text(ScreenRect(p)), Text(start)) << step;
        if (t) {
          EXPECT_EQ(Layout(t), layout) << step << ": the buttons stay";
        }
        win::RECT inner = sized[i];
        win::InflateRect(&inner, -border.x, -border.y);
        EXPECT_EQ(Text(DrawnOver()), Text(sized[i])) << step << ": the outline";
        EXPECT_EQ(Text(DrawnOver(inner)), Text(win::RECT{})) << step << ": as wide as the floating border";
      });
      const std::vector<win::TracedMessage> calls = rec.Calls();
      EXPECT_EQ(
          std::count_if(calls.begin(), calls.end(), [](const auto& m) { return m.msg == win::WM_SIZE; }),
          end.Kept() ? 2 : 0)
          << at << ": the frame and the window are sized once each, at the release";
      EXPECT_EQ(Text(ScreenRect(p)), Text(end.Kept() ? sized.back() : start)) << at;
      EXPECT_EQ(w->BoundsRect(), (TRect{0, 0, p->ClientWidth(), p->ClientHeight()})) << at;
      if (t && end.Kept()) ExpectLaidOutTo(t, p, at);
      if (t && !end.Kept()) {
        EXPECT_EQ(Layout(t), layout) << at;
      }
      EXPECT_EQ(Text(DrawnOver()), Text(win::RECT{})) << at << ": the outline is erased";
      EXPECT_FALSE(DesktopLocked()) << at;
      delete w;
    }
  }
}

// With one monitor the pointer is held to the screen while a frame is sized, and free again
// when the sizing ends, released or cancelled; with two it may cross to the other monitor, and
// the dragged edge goes along.
TEST_F(FloatingSizing, ThePointerIsHeldToASingleScreenOnlyWhileSizing) {
  const win::MonitorArea left{{0, 0, 800, 600}, {0, 0, 800, 600}};
  const win::MonitorArea right{{800, 0, 1600, 600}, {800, 0, 1600, 600}};
  const SizeHandle& h = kHandles[1];  // the right edge
  ASSERT_EQ(h.Code, win::HTRIGHT);
  for (const bool twoMonitors : {false, true})
    for (const SizingEnd& end : kEnds) {
      const std::string at = std::string(twoMonitors ? "two monitors, " : "one monitor, ") + end.Name;
      ASSERT_TRUE(twoMonitors ? win::SetMonitorLayout({left, right}) : win::SetMonitorLayout({left}));
      auto* w = new RangedBox(form, {120, 80}, {0, 0}, {0, 0});
      Float(w);
      TTBFloatingWindowParent* p = w->FloatingParent();
      const win::RECT start = ScreenRect(p);
      win::RECT clip{};
      Integer rightEdge = 0;
      Size(p, h, end, {800 - start.right + 100}, [&](size_t, win::POINT) {
        win::GetClipCursor(&clip);
        rightEdge = ScreenRect(p).right;
      });
      EXPECT_EQ(Text(clip), Text(twoMonitors ? win::RECT{0, 0, 1600, 600} : win::RECT{0, 0, 800, 600})) << at;
      EXPECT_EQ(rightEdge, twoMonitors ? 900 : 800) << at;
      // Free again: a second monitor is in reach at once.
      if (!twoMonitors) {
        ASSERT_TRUE(win::SetMonitorLayout({left, right}));
      }
      win::GetClipCursor(&clip);
      EXPECT_EQ(Text(clip), Text(win::RECT{0, 0, 1600, 600})) << at << ", after";
      win::SetCursorPos(1200, 300);
      win::POINT pos{};
      win::GetCursorPos(&pos);
      EXPECT_EQ(pos.x, 1200) << at << ", after";
      delete w;
      win::ResetMonitorLayout();
    }
}

// A toolbar hanging off the screen's left edge, its right edge dragged in so far that the
// narrower rows would leave it wholly off the screen, is brought back onto the screen.
TEST_F(FloatingSizing, AFrameSizedWhollyOffTheScreenComesBackOntoIt) {
  auto* t = NewToolbar();
  Float(t);
  TTBFloatingWindowParent* p = t->FloatingParent();
  const Integer width = p->Width();
  t->SetFloatingPosition(TPoint{20 - width, 250});
  Pump();
  const win::RECT start = ScreenRect(p);
  ASSERT_EQ(start.right, 20);
  win::RECT during{};
  Size(p, kHandles[1], kEnds[0], {-19}, [&](size_t, win::POINT) { during = ScreenRect(p); });
  EXPECT_LT(during.right - during.left, width) << "narrower rows";
  EXPECT_GT(during.right, 0) << Text(during);
  EXPECT_LT(during.left, 800) << Text(during);
  delete t;
}

// The sizing loop sizes only a floating window that may be sized: called for a docked window or
// a floating one that may not, it leaves the window as it is.
TEST_F(FloatingSizing, OnlyAFloatingSizableWindowIsSized) {
  auto* docked = new RangedBox(form, {120, 80}, {0, 0}, {0, 0});
  docked->SetCurrentDock(dock);
  Pump();
  auto* fixed = new RangedBox(form, {120, 80}, {0, 0}, {0, 0});
  fixed->SetResizable(false);
  Float(fixed);
  for (TTBCustomDockableWindow* w :
       {static_cast<TTBCustomDockableWindow*>(docked), static_cast<TTBCustomDockableWindow*>(fixed)}) {
    fw::TWinControl* frame = w->Floating() ? static_cast<fw::TWinControl*>(w->FloatingParent()) : w;
    const win::RECT start = ScreenRect(frame);
    const win::POINT at{start.right - 1, (start.top + start.bottom) / 2};
    desktop->mouse_move(at);
    Pump();
    desktop->script([&] { desktop->mouse_move({at.x + 40, at.y}); });
    desktop->script([&] {
      desktop->mouse_up({at.x + 40, at.y});
      win::PostMessageW(form->Handle(), win::WM_NULL, 0, 0);  // a release with no press may bring none
    });
    w->BeginSizing(win::HTRIGHT, at);
    // A loop of the caller's own takes what the sizing did not.
    for (win::MSG msg{}; desktop->pending_script() && win::GetMessageW(&msg, nullptr, 0, 0);)
      win::DispatchMessageW(&msg);
    Pump();
    EXPECT_EQ(Text(ScreenRect(frame)), Text(start)) << (w == docked ? "docked" : "not sizable");
  }
}

// What else reaches the loop while a frame is sized: another key leaves it running, Escape ends
// it at its press, a quit request ends it without keeping the size and is left for the program's
// own loop, and an error inside it frees the mouse, ends the sizing and passes on.
TEST_F(FloatingSizing, TheLoopEndsOnlyOnTheReleaseEscapeAQuitOrAnError) {
  auto* w = new RangedBox(form, {120, 80}, {0, 0}, {0, 0});
  Float(w);
  TTBFloatingWindowParent* p = w->FloatingParent();
  const win::RECT start = ScreenRect(p);
  const win::POINT at = Grip(kHandles[1], start);  // the right edge
  auto moveBy = [&](Integer dx) { desktop->script([&, dx] { desktop->mouse_move({at.x + dx, at.y}); }); };
  auto press = [&] {
    desktop->mouse_move(at);
    Pump();
    win::SendMessageW(p->Handle(), win::WM_NCLBUTTONDOWN, win::HTRIGHT, win::MAKELPARAM(at.x, at.y));
  };
  auto width = [&] { return Integer(ScreenRect(p).right - ScreenRect(p).left); };
  const Integer startWidth = start.right - start.left;

  // Shift pressed and let go between two moves.
  moveBy(30);
  desktop->script([&] {
    desktop->key_down(win::VK_SHIFT);
    desktop->key_up(win::VK_SHIFT);
  });
  moveBy(50);
  desktop->script([&] { desktop->mouse_up({at.x + 50, at.y}); });
  press();
  EXPECT_EQ(width(), startWidth + 50) << "another key";
  w->SetFloatingPosition({start.left, start.top});
  p->SetBounds(start.left, start.top, startWidth, start.bottom - start.top);
  Pump();

  // Escape: over at its press, before its release.
  bool heldAtEscape = true;
  Integer widthAtEscape = 0;
  moveBy(30);
  desktop->script([&] { desktop->key_down(win::VK_ESCAPE); });
  desktop->script([&] {
    heldAtEscape = win::GetCapture() != nullptr;
    widthAtEscape = width();
    desktop->key_up(win::VK_ESCAPE);
    win::PostMessageW(form->Handle(), win::WM_NULL, 0, 0);
  });
  press();
  // Ended at the press, the sizing left the key's release to a loop of the program's own.
  for (win::MSG m{}; desktop->pending_script() && win::GetMessageW(&m, nullptr, 0, 0);)
    win::DispatchMessageW(&m);
  Pump();
  EXPECT_FALSE(heldAtEscape) << "Escape";
  EXPECT_EQ(widthAtEscape, startWidth) << "Escape";

  // A quit request.
  moveBy(30);
  desktop->script([&] { win::PostQuitMessage(7); });
  press();
  win::MSG msg{};
  while (win::PeekMessageW(&msg, nullptr, 0, 0, win::PM_REMOVE) && msg.message != win::WM_QUIT)
    win::DispatchMessageW(&msg);
  EXPECT_EQ(msg.message, win::WM_QUIT) << "quit";
  EXPECT_EQ(msg.wParam, 7u) << "quit";
  EXPECT_EQ(width(), startWidth) << "quit";
  EXPECT_EQ(win::GetCapture(), nullptr) << "quit";

  // An error at the second step; sized by outline, the window stays, the outline is erased and
  // the desktop unlocked.
  for (const bool smooth : {true, false}) {
    int steps = 0;
    w->OnTrack = [&] {
      if (++steps == 2) throw std::runtime_error("no room");
    };
    w->ResizeEnds = 0;
    w->SetSmoothDrag(smooth);
    moveBy(30);
    moveBy(40);
    desktop->mouse_move(at);
    Pump();
    const Integer before = width();
    EXPECT_THROW(w->BeginSizing(win::HTRIGHT, at), std::runtime_error);
    EXPECT_EQ(win::GetCapture(), nullptr) << "error";
    EXPECT_EQ(w->ResizeEnds, 1) << "error";
    if (!smooth) {
      EXPECT_EQ(width(), before) << "error";
      EXPECT_EQ(Text(DrawnOver()), Text(win::RECT{})) << "error";
      EXPECT_FALSE(DesktopLocked()) << "error";
    }
  }
  delete w;
}

// Where each handle is on the frame: the bands of the floating border, and the corner codes
// within the border and the small caption's height, less one, of each corner.
TEST_F(FloatingSizing, EachEdgeAndCornerOfTheFrameIsWhereItsBandsMeet) {
  auto* w = new RangedBox(form, {120, 80}, {0, 0}, {0, 0});
  Float(w);
  TTBFloatingWindowParent* p = w->FloatingParent();
  const win::RECT r = ScreenRect(p);
  const Integer W = r.right - r.left, H = r.bottom - r.top;
  TPoint b{};
  w->GetFloatingBorderSize(b);
  const Integer cx = b.x + win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
  const Integer cy = b.y + win::GetSystemMetrics(win::SM_CYSMCAPTION) - 1;
  struct Spot {
    Integer X, Y, Code;
  };
  const Spot spots[] = {
      {0, H / 2, win::HTLEFT},
      {b.x - 1, H / 2, win::HTLEFT},
      {W - 1, H / 2, win::HTRIGHT},
      {W / 2, 0, win::HTTOP},
      {W / 2, b.y - 1, win::HTTOP},
      {W / 2, H - 1, win::HTBOTTOM},
      {W / 2, H - b.y, win::HTBOTTOM},
      {0, 0, win::HTTOPLEFT},
      {0, cy - 1, win::HTTOPLEFT},
      {0, cy, win::HTLEFT},
      {cx - 1, 0, win::HTTOPLEFT},
      {cx, 0, win::HTTOP},
      {W - 1, cy - 1, win::HTTOPRIGHT},
      {W - 1, cy, win::HTRIGHT},
      {W - cx, 0, win::HTTOPRIGHT},
      {W - cx - 1, 0, win::HTTOP},
      {0, H - cy, win::HTBOTTOMLEFT},
      {0, H - cy - 1, win::HTLEFT},
      {cx - 1, H - 1, win::HTBOTTOMLEFT},
      {cx, H - 1, win::HTBOTTOM},
      {W - 1, H - cy, win::HTBOTTOMRIGHT},
      {W - 1, H - cy - 1, win::HTRIGHT},
      {W - cx, H - 1, win::HTBOTTOMRIGHT},
      {W - cx - 1, H - 1, win::HTBOTTOM},
  };
  for (const Spot& s : spots)
    EXPECT_EQ(
        win::SendMessageW(p->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(r.left + s.X, r.top + s.Y)),
        s.Code)
        << s.X << ", " << s.Y;
  delete w;
}

}  // namespace
}  // namespace toolbars::testing
