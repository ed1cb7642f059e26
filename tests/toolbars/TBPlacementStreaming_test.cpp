// Where a toolbar sits goes through a component stream: docked, floating or on its form, it
// comes back where it was written, and a floating one that would land off screen is moved onto it.

#include <gtest/gtest.h>

#include <string>

#include "ToolbarsFixture.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBExtItems.h"
#include "toolbars/TBFloatingParent.h"
#include "toolbars/TBItemStreaming.h"
#include "toolbars/TBToolbar.h"

namespace toolbars::testing {
namespace {

std::string PlacementText(const std::string& Bytes) {
  fw::TStringStream in(Bytes), out;
  fw::ComponentBinaryToText(&in, &out);
  return out.DataString();
}

std::string PlacementFromText(const std::string& Text) {
  fw::TStringStream in(Text), out;
  fw::ComponentTextToBinary(&in, &out);
  return out.DataString();
}

class PlacementStreaming : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    RegisterToolbarStreaming();
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(100, 80, 600, 400);
    top = NewDock("TopDock", dpTop);
    bottom = NewDock("BottomDock", dpBottom);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    ToolbarsTest::TearDown();
  }
  TTBDock* NewDock(const char* Name, TTBDockPosition Position) {
    auto* d = new TTBDock(form);
    d->SetName(Name);
    d->SetPosition(Position);
    d->SetParent(form);
    return d;
  }
  TTBCustomToolbar* NewBar() {
    auto* bar = new TTBCustomToolbar(form);
    bar->AfterConstruction();
    bar->SetName("Bar");
    bar->SetCaption("Bar");
    bar->SetHideWhenInactive(false);
    auto* item = new TTBEditItem(form);
    item->SetName("OpenEdit");
    bar->Items()->Add(item);
    return bar;
  }
  std::string Write(fw::TComponent* C) {
    fw::TStringStream s;
    s.WriteComponent(C);
    return s.DataString();
  }
  TTBCustomToolbar* Read(const std::string& Bytes) {
    fw::TStringStream in(Bytes);
    auto* bar = dynamic_cast<TTBCustomToolbar*>(in.ReadComponent(form));
    Pump();
    return bar;
  }
  // The stream of a bar written where Place put it, the bar gone.
  template <typename F>
  std::string Written(F Place) {
    TTBCustomToolbar* bar = NewBar();
    Place(bar);
    Pump();
    const std::string bytes = Write(bar);
    delete bar;
    return bytes;
  }
  static TRect FrameOf(TTBCustomToolbar* Bar) { return Bar->FloatingParent()->BoundsRect(); }
  static TRect WorkArea() { return GetRectOfMonitorContainingRect(TRect{0, 0, 1, 1}, true); }
  fw::TForm* form = nullptr;
  TTBDock* top = nullptr;
  TTBDock* bottom = nullptr;
};

TEST_F(PlacementStreaming, ADockedBarComesBackOnItsDockRowAndPlace) {
  const std::string bytes = Written([&](TTBCustomToolbar* bar) {
    bar->SetDockRow(1);
    bar->SetDockPos(40);
    bar->SetCurrentDock(bottom);
  });
  const std::string text = PlacementText(bytes);
  EXPECT_NE(text.find("SavedAtRunTime = true"), std::string::npos) << text;
  EXPECT_NE(text.find("CurrentDock = BottomDock"), std::string::npos) << text;
  for (const char* left : {"Left =", "Top =", "Width =", "Height =", "LastDock =", "Floating ="})
    EXPECT_EQ(text.find(left), std::string::npos) << left << " is the dock's to decide:\n" << text;

  TTBCustomToolbar* bar = Read(bytes);
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->SavedAtRunTime());
  EXPECT_TRUE(bar->Docked());
  EXPECT_EQ(bar->CurrentDock(), bottom);
  EXPECT_EQ(bar->LastDock(), bottom);
  EXPECT_EQ(bar->DockRow(), 1);
  EXPECT_EQ(bar->DockPos(), 40);
  EXPECT_EQ(bar->Items()->Count(), 1);
  EXPECT_EQ(PlacementText(Write(bar)), text) << "read back, it is written the same way";
}

TEST_F(PlacementStreaming, AFloatingBarComesBackWhereItFloatedWithItsLastDock) {
  const std::string bytes = Written([&](TTBCustomToolbar* bar) {
    bar->SetCurrentDock(top);
    bar->SetFloatingPosition({320, 260});
    bar->SetFloating(true);
  });
  const std::string text = PlacementText(bytes);
  EXPECT_NE(text.find("Floating = true"), std::string::npos) << text;
  EXPECT_NE(text.find("LastDock = TopDock"), std::string::npos) << text;
  EXPECT_EQ(text.find("Width ="), std::string::npos) << "the floating frame decides the size:\n" << text;

  TTBCustomToolbar* bar = Read(bytes);
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(bar->Floating());
  EXPECT_EQ(FrameOf(bar).left, 320);
  EXPECT_EQ(FrameOf(bar).top, 260);
  EXPECT_EQ(bar->LastDock(), top);
  bar->DoubleClick();
  EXPECT_EQ(bar->CurrentDock(), top) << "a double-click takes it back to the dock it came from";
}

TEST_F(PlacementStreaming, ABarOnItsFormKeepsItsBounds) {
  const std::string bytes = Written([&](TTBCustomToolbar* bar) {
    bar->SetParent(form);
    bar->SetAutoResize(false);
    bar->SetBounds(30, 90, 150, 40);
  });
  TTBCustomToolbar* bar = Read(bytes);
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->Docked());
  EXPECT_FALSE(bar->Floating());
  EXPECT_EQ(bar->Parent(), form);
  EXPECT_EQ(bar->BoundsRect(), (TRect{30, 90, 180, 130}));
}

// A floating frame stored at (Left, Top) of the form: where it lands, saved by the running program
// or placed by hand (no "SavedAtRunTime").
struct OffScreenCase {
  const char* what;
  bool savedAtRunTime;
  int left, top;        // relative to the form's client area
  bool movedOnScreen;   // false: it lands exactly there
  bool wholeOnScreen;   // true: fitted into the work area whole
};

class PlacementOffScreen : public PlacementStreaming, public ::testing::WithParamInterface<OffScreenCase> {};

TEST_P(PlacementOffScreen, AFloatingBarIsBroughtOnScreen) {
  const OffScreenCase c = GetParam();
  std::string text = PlacementText(Written([&](TTBCustomToolbar* bar) {
    bar->SetFloatingPosition({300, 300});
    bar->SetFloating(true);
  }));
  const auto replace = [&](const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " in\n" << text;
    text.replace(at, text.find('\n', at) - at, to);
  };
  replace("Left =", "Left = " + std::to_string(c.left));
  replace("Top =", "Top = " + std::to_string(c.top));
  if (!c.savedAtRunTime) replace("SavedAtRunTime =", "SavedAtRunTime = false");

  TTBCustomToolbar* bar = Read(PlacementFromText(text));
  ASSERT_TRUE(bar && bar->Floating()) << c.what;
  EXPECT_EQ(bar->SavedAtRunTime(), c.savedAtRunTime) << c.what;
  const TRect r = FrameOf(bar), area = WorkArea();
  const TPoint stored = form->ClientToScreen(TPoint{c.left, c.top});
  if (!c.movedOnScreen) {
    EXPECT_EQ(r.left, stored.x) << c.what;
    EXPECT_EQ(r.top, stored.y) << c.what;
  }
  const bool meets = r.left < area.right && r.right > area.left && r.top < area.bottom && r.bottom > area.top;
  EXPECT_TRUE(meets) << c.what;
  if (c.wholeOnScreen) {
    EXPECT_GE(r.left, area.left) << c.what;
    EXPECT_GE(r.top, area.top) << c.what;
    EXPECT_LE(r.right, area.right) << c.what;
    EXPECT_LE(r.bottom, area.bottom) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementOffScreen,
    ::testing::Values(OffScreenCase{"saved by the program, off every screen", true, 9000, 9000, true, true},
                      OffScreenCase{"saved by the program, left and above the screen", true, -5000, -5000, true, true},
                      OffScreenCase{"saved by the program, half off the screen", true, -150, 40, false, false},
                      OffScreenCase{"placed by hand, half off the screen", false, -150, 40, true, true},
                      OffScreenCase{"placed by hand, on the screen", false, 50, 60, false, true}));

}  // namespace
}  // namespace toolbars::testing
