// The control set's track bar: owner-draw stages, the selection measured from Min, centre ticks
// and the window recreated between both and centre ticks.
#include <gtest/gtest.h>

#include "controls/CsTrackBar.h"
#include "controls/CsThemeNexus.h"
#include "controls/CsThemeType.h"
#include "platform/kernel/Modules.h"
#include "tx/Tx.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxThemes.h"
#include "tx/TxUxThemes.h"
#include "framework/stdctrls_support.h"
#include "framework/trackbar_mouse_support.h"

namespace cs {
namespace {

class CsTrackBarTest : public fw::testing::StdCtrlsTest {};

TEST_F(CsTrackBarTest, SelectionCountsFromMin) {
  TCsTrackBar bar(nullptr);
  bar.SetMax(110);
  bar.SetMin(10);
  bar.SetSelStart(35);
  bar.SetSelEnd(60);
  // A channel of 102 pixels: 100 inside, one pixel per value.
  const fw::TRect sel = bar.SelectionRect({0, 0, 102, 6});
  EXPECT_EQ(sel.left, 1 + 25);
  EXPECT_EQ(sel.right, 1 + 50);
  bar.SetSelEnd(20);  // before the start: nothing
  EXPECT_EQ(bar.SelectionRect({0, 0, 102, 6}).right, 0);
}

TEST_F(CsTrackBarTest, MinAboveMaxIsKeptConsistent) {
  TCsTrackBar bar(nullptr);
  bar.SetMin(20);  // above the default Max of 10
  EXPECT_EQ(bar.Max(), 20);
  EXPECT_EQ(bar.SelectionRect({0, 0, 102, 6}).right, 0);  // empty range: no selection, no division
}

TEST_F(CsTrackBarTest, OwnerDrawStagesAndCentreTicks) {
  auto* bar = Add<TCsTrackBar>(10, 10, 200, 40);
  std::vector<std::string> stages;
  bar->OnDrawChannel = [&](fw::TObject*, fw::TCanvas*, fw::TRect&, TCsPaintStage stage, bool&) {
    stages.push_back(stage == pstPrePaint ? "channel-pre" : "channel-post");
  };
  bar->OnDrawThumb = [&](fw::TObject*, fw::TCanvas*, fw::TRect&, TCsPaintStage stage, bool& paintDefault) {
    stages.push_back(stage == pstPrePaint ? "thumb-pre" : "thumb-post");
  };
  int ticks = 0;
  bar->OnDrawChannelTics = [&](fw::TObject*, fw::TCanvas*, fw::Integer, fw::Integer, bool&) { ++ticks; };
  ShowForm();
  EXPECT_EQ(stages, (std::vector<std::string>{"channel-pre", "channel-post", "thumb-pre", "thumb-post"}));
  EXPECT_EQ(ticks, 0);
  bar->SetTickMarks(tmxBoth);
  Pump();
  const win::HWND before = bar->Handle();
  bar->SetTickMarks(tmxCenter);  // the same system style: the window is made again
  Pump();
  EXPECT_NE(bar->Handle(), before);
  EXPECT_EQ(ticks, 11);  // both ends and the nine positions between 0 and 10
}

}  // namespace
}  // namespace cs

namespace fw::testing {
namespace {

// The control set's track bar under the mouse, as the print dialog's detail level is used.
using CsTrackBarMouse = TrackBarMouseTest<cs::TCsTrackBar>;
KV_TRACKBAR_MOUSE_CASES(CsTrackBarMouse)

}  // namespace
}  // namespace fw::testing

namespace cs {
namespace {

// What the last painted thumb looked like in each look: the theme's button record, the visual
// style's part state, or neither (the classic face).
struct ThumbLook {
  int themedHot = -1;  // thtTx: 1 hot, 0 not, -1 not painted through the theme
  int styleState = 0;  // thtWindows: the thumb part's state, 0 not painted through the styles
};
ThumbLook& LastThumb() {
  static ThumbLook look;
  return look;
}

// The Default theme, noting the thumb (the only button neither pushed nor selected).
class TThumbNotingTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;
  void PaintButton(fw::TCanvas* Canvas, const fw::TRect& ARect, const tx::TTxItemInfo& ItemInfo) override {
    if (!ItemInfo.Pushed && !ItemInfo.Selected) LastThumb().themedHot = ItemInfo.HoverKind != tx::hkNone;
    TTxDefaultTheme::PaintButton(Canvas, ARect, ItemInfo);
  }
};

// A stand-in visual-style library that notes the horizontal thumb parts (3 to 5) it is asked for.
tx::HTHEME StandInOpen(win::HWND, win::LPCWSTR) { return reinterpret_cast<tx::HTHEME>(0x51); }
tx::HRESULT StandInClose(tx::HTHEME) { return tx::S_OK; }
tx::HRESULT StandInDraw(tx::HTHEME, win::HDC, int Part, int State, const win::RECT*, const win::RECT*) {
  if (Part >= 3 && Part <= 5) LastThumb().styleState = State;
  return tx::S_OK;
}
win::BOOL StandInYes() { return win::TRUE; }

struct HotCase {
  const char* name;
  TCsThemeType type;
  // Hot: with the focus elsewhere and the pointer away, over the thumb, while dragged, after.
  bool away, over, dragged, after;
};
void PrintTo(const HotCase& c, std::ostream* os) { *os << c.name; }

class CsTrackBarHotThumb : public fw::testing::TrackBarMouseTest<TCsTrackBar>,
                           public ::testing::WithParamInterface<HotCase> {
 protected:
  void SetUp() override {
    TrackBarMouseTest::SetUp();
    win::modules::RegisterFunction(u"uxtheme.dll", "OpenThemeData", &StandInOpen);
    win::modules::RegisterFunction(u"uxtheme.dll", "CloseThemeData", &StandInClose);
    win::modules::RegisterFunction(u"uxtheme.dll", "DrawThemeBackground", &StandInDraw);
    win::modules::RegisterFunction(u"uxtheme.dll", "IsThemeActive", &StandInYes);
    win::modules::RegisterFunction(u"uxtheme.dll", "IsAppThemed", &StandInYes);
    tx::LoadUxTheme();
    tx::InitTx();
    StartControlSet();
    if (!tx::IsThemeRegistered("ThumbNoting")) tx::RegisterTheme("ThumbNoting", &tx::ThemeClassOf<TThumbNotingTheme>);
    tx::SetCurrentTheme("ThumbNoting");
    saved = SetThemeState({[] { return std::string("ThumbNoting"); }, [] { return true; }});
  }
  void TearDown() override {
    SetThemeState(saved);
    tx::SetCurrentTheme("Default");
    TrackBarMouseTest::TearDown();
    StopControlSet();
    tx::DoneTx();
    tx::FreeUxTheme();
    win::modules::Unregister(u"uxtheme.dll");
  }
  // The thumb as last painted: hot or not in the case's look.
  bool Hot() {
    const ThumbLook look = LastThumb();
    switch (GetParam().type) {
      case thtTx: return look.themedHot == 1;
      case thtWindows: return look.styleState == 2;
      default: return false;
    }
  }
  // The thumb painted in the case's look and no other.
  void ExpectOwnLook() {
    const ThumbLook look = LastThumb();
    EXPECT_EQ(look.themedHot != -1, GetParam().type == thtTx);
    EXPECT_EQ(look.styleState != 0, GetParam().type == thtWindows);
  }
  TCsThemeState saved;
};

TEST_P(CsTrackBarHotThumb, HotStateBeforeWhileAndAfterADrag) {
  const HotCase& c = GetParam();
  ShowBar(20);
  LastThumb() = {};
  bar->SetThemeType(c.type);
  bar->Invalidate();  // painted anew also in the look it had
  UserPump();
  ExpectOwnLook();
  EXPECT_EQ(Hot(), c.away) << "focus elsewhere, pointer away";
  const win::POINT grab = ThumbCentre();
  desktop->mouse_move(grab);
  UserPump();
  EXPECT_EQ(Hot(), c.over) << "pointer over the thumb";
  desktop->mouse_down(grab);
  UserPump();
  desktop->mouse_move({grab.x + 30, grab.y});
  UserPump();
  ASSERT_GT(bar->Position(), 20) << "dragged";
  EXPECT_EQ(Hot(), c.dragged) << "while dragged";
  desktop->mouse_up({grab.x + 30, grab.y});
  UserPump();
  EXPECT_EQ(Hot(), c.after) << "after the release, focused";
  ExpectOwnLook();
}

INSTANTIATE_TEST_SUITE_P(
    Looks, CsTrackBarHotThumb,
    ::testing::Values(HotCase{"classic", thtNone, false, false, false, false},
                      // The system look marks the thumb under the pointer, then the focused one
                      // the keys move, but not while it is dragged.
                      HotCase{"styles", thtWindows, false, true, false, true},
                      HotCase{"theme", thtTx, false, false, true, false}),
    [](const ::testing::TestParamInfo<HotCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace cs
