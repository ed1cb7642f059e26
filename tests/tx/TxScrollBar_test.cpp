// The owner-drawn scroll bar: layout of buttons, tracks and thumb, hit testing, positions set
// by code and by the user, dragging the thumb, auto-repeat and auto-scroll on the clock.

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/control_fixture.h"
#include "tx/TxScrollBar.h"

namespace {

using namespace tx;

class ScrollBarTest : public fw::testing::ControlTest {
 protected:
  // A vertical bar 16 wide and `length` long.
  void Make(Integer length, Integer range, Integer page) {
    bar.Bounds = TRect{100, 20, 116, 20 + length};
    bar.Range = range;
    bar.PageSize = page;
    bar.OnChange = [this](TTxScrollBar*) { ++changes; };
    bar.CalcRects();
  }
  TTxScrollBar bar;
  int changes = 0;
};

TEST_F(ScrollBarTest, LayoutFromLengthPageAndRange) {
  struct Case {
    const char* name;
    Integer length, range, page, position;
    TRect first, lower, thumb, upper, second, whole;
  } cases[] = {
      // Track 100 - 32 = 68; thumb 68 * 10 / 40 = 17 at 68 * 0 / 40 + 16.
      {"thumb at the top", 100, 40, 10, 0, {0, 0, 16, 16}, {}, {0, 16, 16, 33}, {0, 33, 16, 84}, {0, 84, 16, 100}, {}},
      {"thumb in the middle", 100, 40, 10, 20, {0, 0, 16, 16}, {0, 16, 16, 50}, {0, 50, 16, 67}, {0, 67, 16, 84},
       {0, 84, 16, 100}, {}},
      // Thumb 68 * 2 / 1000 < 8: 8 pixels, placed over track - 8.
      {"short thumb grows to 8", 100, 1000, 2, 998, {0, 0, 16, 16}, {0, 16, 16, 76}, {0, 76, 16, 84}, {}, {0, 84, 16, 100},
       {}},
      {"disabled: one whole track", 100, 5, 10, 0, {0, 0, 16, 16}, {}, {}, {}, {0, 84, 16, 100}, {0, 16, 16, 84}},
      // 44 - 32 = 12 < 13: no thumb.
      {"track too short for a thumb", 44, 40, 10, 0, {0, 0, 16, 16}, {}, {}, {}, {0, 28, 16, 44}, {0, 16, 16, 28}},
      // L - 2 <= 2B: buttons of (L - 2) div 2.
      {"buttons shrink", 30, 40, 10, 0, {0, 0, 16, 14}, {}, {}, {}, {0, 16, 16, 30}, {0, 14, 16, 16}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Make(c.length, c.range, c.page);
    bar.SetPosition(c.position);
    bar.CalcRects();
    EXPECT_EQ(bar.PartRect(SBP_FIRSTBUTTON), c.first);
    EXPECT_EQ(bar.PartRect(SBP_LOWERTRACK), c.lower);
    EXPECT_EQ(bar.PartRect(SBP_THUMB), c.thumb);
    EXPECT_EQ(bar.PartRect(SBP_UPPERTRACK), c.upper);
    EXPECT_EQ(bar.PartRect(SBP_SECONDBUTTON), c.second);
    EXPECT_EQ(bar.PartRect(SBP_WHOLETRACK), c.whole);
  }
}

TEST_F(ScrollBarTest, HitTestNamesTheParts) {
  Make(100, 40, 10);
  bar.SetPosition(20);
  bar.CalcRects();
  EXPECT_EQ(bar.HitTest({5, 3}), SBP_FIRSTBUTTON);
  EXPECT_EQ(bar.HitTest({5, 30}), SBP_LOWERTRACK);
  EXPECT_EQ(bar.HitTest({5, 55}), SBP_THUMB);
  EXPECT_EQ(bar.HitTest({5, 70}), SBP_UPPERTRACK);
  EXPECT_EQ(bar.HitTest({5, 99}), SBP_SECONDBUTTON);
  EXPECT_EQ(bar.HitTest({20, 50}), SBP_NONE);
}

TEST_F(ScrollBarTest, CodeMovesQuietlyTheUserLoudly) {
  Make(100, 40, 10);
  bar.SetPosition(100);
  EXPECT_EQ(bar.Position(), 30);  // position + page stays within the range
  bar.SetPosition(-3);
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(changes, 0);
  bar.Step(SBP_SECONDBUTTON);
  EXPECT_EQ(bar.Position(), 1);
  bar.Step(SBP_UPPERTRACK);
  EXPECT_EQ(bar.Position(), 11);
  bar.Step(SBP_LOWERTRACK);
  EXPECT_EQ(bar.Position(), 1);
  bar.Step(SBP_FIRSTBUTTON);
  bar.Step(SBP_FIRSTBUTTON);  // already at 0: no change
  EXPECT_EQ(changes, 4);
}

TEST_F(ScrollBarTest, HeldButtonStepsAtOnceAfter500AndEvery100) {
  Make(100, 40, 10);
  bar.MouseDown({5, 90});
  EXPECT_EQ(bar.Position(), 1);
  Step(499);
  EXPECT_EQ(bar.Position(), 1);
  Step(1);
  EXPECT_EQ(bar.Position(), 2);
  Step(100);
  EXPECT_EQ(bar.Position(), 3);
  Step(100);
  EXPECT_EQ(bar.Position(), 4);
  bar.MouseUp({5, 90});
  Step(1000);
  EXPECT_EQ(bar.Position(), 4);
  EXPECT_EQ(bar.PressedPart(), SBP_NONE);
}

TEST_F(ScrollBarTest, HeldTrackRepeatsOnlyWhileThePointerStaysOnIt) {
  Make(100, 100, 10);
  bar.CalcRects();
  bar.MouseDown({5, 80});  // upper track
  EXPECT_EQ(bar.Position(), 10);
  Step(500);
  EXPECT_EQ(bar.Position(), 20);
  bar.CalcRects();
  bar.MouseMove({5, bar.PartRect(SBP_THUMB).top + 1});  // the thumb has come under the pointer
  Step(100);
  EXPECT_EQ(bar.Position(), 20);
  Step(500);
  EXPECT_EQ(bar.Position(), 20);
  bar.MouseUp({5, 50});
}

TEST_F(ScrollBarTest, DraggingTheThumb) {
  Make(100, 40, 10);
  bar.MouseDown({5, 20});  // on the thumb at the top
  ASSERT_EQ(bar.PressedPart(), SBP_THUMB);
  bar.MouseMove({5, 37});  // 17 pixels of a 68-pixel track: a quarter of the range
  EXPECT_EQ(bar.Position(), 10);
  bar.MouseMove({5, 300});
  EXPECT_EQ(bar.Position(), 30);
  bar.MouseUp({5, 300});
  EXPECT_EQ(changes, 2);
  // A thumb held at its minimum length maps the track less 8 pixels onto range less page.
  Make(100, 1000, 2);
  bar.SetPosition(0);
  bar.MouseDown({5, 18});
  ASSERT_EQ(bar.PressedPart(), SBP_THUMB);
  bar.MouseMove({5, 18 + 30});  // 30 of 60 pixels: half of 998
  EXPECT_EQ(bar.Position(), 499);
  bar.MouseUp({5, 48});
}

// A dragged thumb ends where the button comes up, whether or not a move got there first; a
// release where the last move was changes nothing more.
TEST_F(ScrollBarTest, ADraggedThumbEndsWhereTheButtonComesUp) {
  struct Case {
    const char* name;
    std::vector<TPoint> moves;
    TPoint release;
    Integer position;
    int changes;
  };
  // 17 pixels of the 68-pixel track are a quarter of the range, 10 pixels 6 of 40.
  const Case cases[] = {
      {"released further down, with no move before", {}, {5, 37}, 10, 1},
      {"released further down than the last move", {{5, 30}}, {5, 37}, 10, 2},
      {"released where the last move was", {{5, 37}}, {5, 37}, 10, 1},
      {"released off the bar's side, as far down", {{5, 30}}, {40, 30}, 6, 1},
  };
  for (const Case& c : cases) {
    Make(100, 40, 10);
    bar.SetPosition(0);
    changes = 0;
    bar.MouseDown({5, 20});  // on the thumb at the top
    ASSERT_EQ(bar.PressedPart(), SBP_THUMB) << c.name;
    for (const TPoint& m : c.moves) bar.MouseMove(m);
    bar.MouseUp(c.release);
    EXPECT_EQ(bar.Position(), c.position) << c.name;
    EXPECT_EQ(changes, c.changes) << c.name;
    EXPECT_EQ(bar.PressedPart(), SBP_NONE) << c.name;
  }
}

TEST_F(ScrollBarTest, AutoScrollUntilTheEnd) {
  Make(100, 20, 10);
  int asked = 0;
  bar.OnAutoScroll = [&](TTxScrollBar*, Integer&, Integer&) { ++asked; };
  bar.StartAutoScroll(2, 100);
  Step(100);
  EXPECT_EQ(bar.Position(), 2);
  for (int i = 0; i < 4; ++i) Step(100);  // one tick per interval
  EXPECT_EQ(bar.Position(), 10);  // the end: stops there
  EXPECT_FALSE(bar.AutoScrolling());
  EXPECT_EQ(asked, 5);
  Step(500);
  EXPECT_EQ(asked, 5);
}

}  // namespace

namespace {

TEST_F(ScrollBarTest, ClassicPaintFillsThumbAndWholeTrack) {
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf32bit);
  bmp.SetSize(200, 200);
  Make(100, 40, 10);
  bar.Paint(bmp.Canvas());
  // Bar at (100, 20): the thumb spans rows 16..33 of the bar.
  EXPECT_EQ(bmp.Canvas()->Pixels(108, 20 + 24), fw::ColorToRGB(fw::clBtnFace));
  Make(100, 5, 10);  // disabled: one plain track
  bar.Paint(bmp.Canvas());
  EXPECT_EQ(bmp.Canvas()->Pixels(108, 20 + 50), fw::ColorToRGB(fw::clScrollBar));
  EXPECT_EQ(bmp.Canvas()->Pixels(99, 20 + 50), 0xFFFFFFu);  // nothing outside the bar
}

}  // namespace
