#pragma once
// The mouse on a track bar as a user meets it on a form: a drag of the thumb (pumped step by step
// or queued whole before the loop runs) and a press held on the channel that pages until the
// thumb reaches the pointer. Shared by the framework's track bar and the control set's.

#include <vector>

#include "framework/ComCtrls.h"
#include "framework/StdCtrlsEdit.h"
#include "platform/controls/CommCtrl.h"
#include "platform/kernel/Rects.h"
#include "stdctrls_support.h"

namespace fw::testing {

template <class Bar>
class TrackBarMouseTest : public StdCtrlsTest {
 protected:
  // A bar of 0 .. 100 with pages of 10, at `position`, shown and pumped, with the focus on an edit
  // beside it: the press moves the focus to the bar, as in a dialog.
  Bar* ShowBar(Integer position) {
    delete edit;
    edit = Add<TEdit>(10, 200, 80, 21);
    bar = Add<Bar>(10, 10, 240, 40);
    changes.clear();
    bar->SetMax(100);
    bar->SetPageSize(10);
    bar->SetPosition(position);
    bar->OnChange = [this](TObject*) { changes.push_back(bar->Position()); };
    ShowForm();
    edit->SetFocus();
    UserPump();
    return bar;
  }
  // The application's loop: the messages, then its idle work (the pointer entering and leaving
  // controls).
  void UserPump() {
    AppPump();
    Application->DoMouseIdle();
    AppPump();
  }
  win::RECT Thumb() {
    win::RECT r{};
    win::SendMessageW(bar->Handle(), win::TBM_GETTHUMBRECT, 0, win::LPARAM(&r));
    return r;
  }
  win::POINT ThumbCentre() {
    const win::RECT t = Thumb();
    return At(bar, (t.left + t.right) / 2, (t.top + t.bottom) / 2);
  }
  // Pixels per value along the channel.
  double Scale() {
    win::RECT c{};
    win::SendMessageW(bar->Handle(), win::TBM_GETCHANNELRECT, 0, win::LPARAM(&c));
    return double(c.right - c.left - 1) / (bar->Max() - bar->Min());
  }
  bool ThumbCovers(win::POINT screen) {
    win::POINT pt = screen;
    win::ScreenToClient(bar->Handle(), &pt);
    const win::RECT t = Thumb();
    return win::PtInRect(&t, pt) != 0;
  }

  // Press on the thumb, move `dx` pixels to the right in steps of 10 (and `dy` down, spread over
  // the same steps), release. Queued: everything is posted before the application's loop runs
  // once, as when the program was busy meanwhile.
  void DragThumb(int dx, int dy, bool queued) {
    const win::POINT from = ThumbCentre();
    desktop->mouse_move(from);
    UserPump();
    desktop->mouse_down(from);
    if (!queued) UserPump();
    for (int step = 10; step <= dx; step += 10) {
      desktop->mouse_move({from.x + step, from.y + dy * step / dx});
      if (!queued) UserPump();
    }
    desktop->mouse_up({from.x + dx, from.y + dy});
    UserPump();
  }

  // Holds the left button at `at` for three seconds on the virtual clock, then lets go.
  void HoldPress(win::POINT at) {
    desktop->mouse_move(at);
    UserPump();
    desktop->mouse_down(at);
    UserPump();
    for (int ms = 0; ms < 3000; ms += 100) {
      desktop->advance(100);
      UserPump();
    }
    desktop->mouse_up(at);
    UserPump();
  }

  TEdit* edit = nullptr;
  Bar* bar = nullptr;
  std::vector<Integer> changes;  // the position at each OnChange
};

// The cases both track bars must pass, one macro so each suite names its own tests.
#define KV_TRACKBAR_MOUSE_CASES(Suite)                                                                  \
  TEST_F(Suite, DraggingTheThumbMovesItAndTheValueFollows) {                                            \
    struct Drag {                                                                                       \
      const char* name;                                                                                 \
      int dy;                                                                                           \
      bool queued;                                                                                      \
    };                                                                                                  \
    for (const Drag drag : {Drag{"step by step", 0, false}, Drag{"queued", 0, true},                    \
                            Drag{"leaving the bar", 60, false}}) {                                      \
      SCOPED_TRACE(drag.name);                                                                          \
      ShowBar(20);                                                                                      \
      DragThumb(60, drag.dy, drag.queued);                                                              \
      const int expected = 20 + int(60 / Scale() + 0.5);                                                \
      EXPECT_NEAR(bar->Position(), expected, 1);                                                        \
      ASSERT_FALSE(changes.empty());                                                                    \
      EXPECT_EQ(changes.back(), bar->Position());                                                       \
      EXPECT_EQ(win::GetCapture(), nullptr) << "the release lets the mouse go";                         \
      delete bar;                                                                                       \
    }                                                                                                   \
  }                                                                                                     \
  TEST_F(Suite, APressHeldOnTheChannelPagesUntilTheThumbReachesThePointer) {                            \
    struct Side {                                                                                       \
      const char* name;                                                                                 \
      Integer start, target;                                                                            \
    };                                                                                                  \
    for (const Side side : {Side{"right of the thumb", 0, 70}, Side{"left of the thumb", 100, 30}}) {   \
      SCOPED_TRACE(side.name);                                                                          \
      ShowBar(side.start);                                                                              \
      const win::POINT thumb = ThumbCentre();                                                           \
      const win::POINT at{thumb.x + int((side.target - side.start) * Scale()), thumb.y};                \
      HoldPress(at);                                                                                    \
      EXPECT_EQ(bar->Position(), side.target);                                                          \
      EXPECT_TRUE(ThumbCovers(at));                                                                     \
      EXPECT_EQ(changes.size(), 7u) << "one change a page";                                             \
      delete bar;                                                                                       \
    }                                                                                                   \
  }

}  // namespace fw::testing
