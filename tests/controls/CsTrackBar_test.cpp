// The control set's track bar: owner-draw stages, the selection measured from Min, centre ticks,
// the window recreated between both and centre ticks and keeping the focus when made anew, the
// thumb's hot state and the pixels of each look.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/CsPanels.h"
#include "controls/CsTrackBar.h"
#include "controls/CsThemeNexus.h"
#include "controls/CsThemeType.h"
#include "framework/Colors.h"
#include "platform/kernel/Modules.h"
#include "platform/user/services/SysColors.h"
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

// A theme whose buttons are flat fills, one colour for each kind the bar asks for, noting the
// thumb (the only button neither pushed nor selected).
class TThumbNotingTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;
  static constexpr fw::TColor kPushed = 0x306090, kSelected = 0x903060, kThumb = 0x609030, kHotThumb = 0x20C0C0;
  void PaintButton(fw::TCanvas* Canvas, const fw::TRect& ARect, const tx::TTxItemInfo& ItemInfo) override {
    const bool hot = ItemInfo.HoverKind != tx::hkNone;
    if (!ItemInfo.Pushed && !ItemInfo.Selected) LastThumb().themedHot = hot;
    Canvas->Brush()->SetColor(ItemInfo.Pushed ? kPushed : ItemInfo.Selected ? kSelected : hot ? kHotThumb : kThumb);
    Canvas->FillRect(ARect);
  }
};

// A stand-in visual-style library that fills each part it is asked for with a colour of its part
// and state, and notes the horizontal thumb parts (3 to 5).
win::COLORREF StyleColour(int Part, int State) { return win::RGB(Part * 25, State * 100, 0x90); }
tx::HTHEME StandInOpen(win::HWND, win::LPCWSTR) { return reinterpret_cast<tx::HTHEME>(0x51); }
tx::HRESULT StandInClose(tx::HTHEME) { return tx::S_OK; }
tx::HRESULT StandInDraw(tx::HTHEME, win::HDC DC, int Part, int State, const win::RECT* R, const win::RECT*) {
  if (Part >= 3 && Part <= 5) LastThumb().styleState = State;
  const win::HBRUSH brush = win::CreateSolidBrush(StyleColour(Part, State));
  win::FillRect(DC, R, brush);
  win::DeleteObject(brush);
  return tx::S_OK;
}
win::BOOL StandInYes() { return win::TRUE; }

// The bar in each look: the stand-in visual styles, a theme of flat buttons as the current one.
class CsTrackBarLooks : public fw::testing::TrackBarMouseTest<TCsTrackBar> {
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
    win::ResetSysColors();
  }
  TCsThemeState saved;
};

struct HotCase {
  const char* name;
  TCsThemeType type;
  // Hot: with the focus elsewhere and the pointer away, over the thumb, while dragged, after.
  bool away, over, dragged, after;
};
void PrintTo(const HotCase& c, std::ostream* os) { *os << c.name; }

class CsTrackBarHotThumb : public CsTrackBarLooks, public ::testing::WithParamInterface<HotCase> {
 protected:
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

// A bar with the focus keeps it when its window is made anew, a theme switch first, and the arrow
// keys go on moving it; one without the focus leaves it where it was.
TEST_F(CsTrackBarLooks, AFocusedBarMadeAnewKeepsTheFocus) {
  struct Row {
    const char* name;
    bool focused;
    std::function<void(TCsTrackBar&)> remake;
  };
  const Row rows[] = {
      {"theme switch", true, [](TCsTrackBar&) { tx::SetCurrentTheme("Default"); }},
      {"another look", true, [](TCsTrackBar& b) { b.SetThemeType(thtNone); }},
      {"ticks on both sides", true, [](TCsTrackBar& b) { b.SetTickMarks(tmxBoth); }},
      {"theme switch, focus elsewhere", false, [](TCsTrackBar&) { tx::SetCurrentTheme("Default"); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    tx::SetCurrentTheme("ThumbNoting");
    ShowBar(20);
    if (row.focused) bar->SetFocus();
    UserPump();
    const win::HWND before = bar->Handle();
    row.remake(*bar);
    UserPump();
    EXPECT_NE(bar->Handle(), before) << "made anew";
    EXPECT_EQ(bar->Focused(), row.focused);
    EXPECT_EQ(edit->Focused(), !row.focused);
    Key(win::VK_RIGHT);
    EXPECT_EQ(bar->Position(), row.focused ? 21 : 20);
    delete bar;
  }
}

// The bar as the print dialog shows it (150 x 26 on a group box, -100 .. 100 at 0, ticks below)
// in each look, without and with the focus: the channel's two sunken frames, the visual style's
// track part or the theme's pushed button; the thumb's face; the ticks at both ends and none
// before them; the dotted focus rectangle round the bar while it has the focus.
TEST_F(CsTrackBarLooks, EachLookDrawsChannelThumbTicksAndFocusAsThePrintDialogShowsThem) {
  // The face and the frames' inner light told apart.
  const int lightIndex[] = {win::COLOR_3DLIGHT};
  const win::COLORREF light[] = {win::RGB(250, 240, 160)};
  win::SetSysColors(1, lightIndex, light);
  const auto sys = [](int Index) { return win::COLORREF(win::GetSysColor(Index)); };
  const win::COLORREF pushed = win::COLORREF(fw::ColorToRGB(TThumbNotingTheme::kPushed));
  const win::COLORREF themedThumb = win::COLORREF(fw::ColorToRGB(TThumbNotingTheme::kThumb));
  struct Look {
    const char* name;
    TCsThemeType type;
    std::vector<win::COLORREF> channel;  // down a column of the channel, left of the thumb
    win::COLORREF thumb, thumbFocused;   // the face
    bool raisedThumb;                    // a push button's edges round the face; else the face alone
  };
  const Look looks[] = {
      {"classic",
       thtNone,
       {sys(win::COLOR_BTNSHADOW), sys(win::COLOR_3DDKSHADOW), sys(win::COLOR_BTNFACE), sys(win::COLOR_BTNHIGHLIGHT)},
       sys(win::COLOR_BTNFACE),
       sys(win::COLOR_BTNFACE),
       true},
      // The styles mark the thumb of the focused bar, the one the keys move.
      {"styles", thtWindows, std::vector<win::COLORREF>(4, StyleColour(1, 1)), StyleColour(4, 1), StyleColour(4, 2),
       false},
      {"theme", thtTx, std::vector<win::COLORREF>(4, pushed), themedThumb, themedThumb, false},
  };
  for (const Look& look : looks)
    for (const bool focused : {false, true}) {
      SCOPED_TRACE(std::string(look.name) + (focused ? ", focused" : ""));
      auto* box = Add<TCsGroupBox>(10, 10, 217, 74);
      auto* other = Add<fw::TEdit>(10, 200, 80, 21);
      auto* tb = Add<TCsTrackBar>(22, 34, 150, 26, box);
      tb->SetMin(-100);
      tb->SetMax(100);
      tb->SetThemeType(look.type);
      ShowForm();
      if (focused) tb->SetFocus();
      else other->SetFocus();
      UserPump();
      win::RECT channel{}, thumb{};
      win::SendMessageW(tb->Handle(), win::TBM_GETCHANNELRECT, 0, win::LPARAM(&channel));
      win::SendMessageW(tb->Handle(), win::TBM_GETTHUMBRECT, 0, win::LPARAM(&thumb));
      const auto pixel = [&](int X, int Y) { return desktop->screen_pixel(At(tb, X, Y).x, At(tb, X, Y).y); };
      for (int i = 0; i < 4; ++i) EXPECT_EQ(pixel(channel.left + 4, channel.top + i), look.channel[size_t(i)]) << i;
      const win::COLORREF face = focused ? look.thumbFocused : look.thumb;
      EXPECT_EQ(pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2), face);
      EXPECT_EQ(pixel(thumb.left, thumb.top), look.raisedThumb ? sys(win::COLOR_BTNHIGHLIGHT) : face);
      EXPECT_EQ(pixel(thumb.right - 1, thumb.bottom - 1), look.raisedThumb ? sys(win::COLOR_3DDKSHADOW) : face);
      const int tickRow = thumb.bottom + 1;
      EXPECT_EQ(pixel(channel.left, tickRow), sys(win::COLOR_BTNTEXT)) << "at the minimum";
      EXPECT_EQ(pixel(channel.right - 1, tickRow), sys(win::COLOR_BTNTEXT)) << "at the maximum";
      EXPECT_NE(pixel(channel.left - 2, tickRow), sys(win::COLOR_BTNTEXT)) << "before the minimum";
      // Every other pixel of the rectangle's edge inverted, starting at the corner.
      EXPECT_EQ(pixel(0, 0), focused ? pixel(1, 0) ^ 0xFFFFFFu : pixel(1, 0));
      EXPECT_EQ(pixel(0, 12), focused ? pixel(0, 11) ^ 0xFFFFFFu : pixel(0, 11));
      delete tb;
      delete other;
      delete box;
    }
}

}  // namespace
}  // namespace cs
