// Tabs: the active index through inserting, deleting and bad indexes; pages created, named and
// freed with their tabs; trailing tabs hidden when the dock is too narrow and shown again; the
// band's classic frame; one band repaint per theme switch.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/CsTabs.h"
#include "controls/UniRegistration.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/Colors.h"
#include "framework/stdctrls_support.h"
#include "platform/user/painting/Paint.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "tx/Tx.h"
#include "tx/TxDefaultTheme.h"
#include "tx/TxDock.h"

namespace cs {
namespace {

class CsTabsTest : public fw::testing::StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    tx::InitTx();
    if (!tx::IsThemeRegistered("Plain")) tx::RegisterTheme("Plain", &tx::ThemeClassOf<tx::TTxDefaultTheme>);
  }
  void TearDown() override {
    tx::SetCurrentTheme("Default");
    StdCtrlsTest::TearDown();
    tx::DoneTx();
  }
  TCsTabControl* MakeTabs(int Count, int Width = 380) {
    tabs = Add<TCsTabControl>(5, 5, Width, 200);
    tabs->OnActiveTabChange = [this](fw::TObject*, fw::Integer Index) { changes.push_back(Index); };
    for (int i = 0; i < Count; ++i) tabs->AddTab(u"Tab" + std::u16string(1, char16_t(u'1' + i)));
    changes.clear();
    return tabs;
  }
  toolbars::TTBCustomItem* Item(int Index) { return tabs->Toolbar()->Items()->Items(Index); }

  TCsTabControl* tabs = nullptr;
  std::vector<fw::Integer> changes;
};

TEST_F(CsTabsTest, FirstTabCreatesItsPageAndOpensIt) {
  auto* taken = new fw::TComponent(form);
  taken->SetName("CsTabSheet1");
  MakeTabs(0);
  EXPECT_EQ(tabs->ActiveTabIndex(), -1);
  EXPECT_TRUE(tabs->EmptyPage()->Visible());
  TCsTabItem* first = tabs->AddTab(u"Данные");
  ASSERT_EQ(tabs->PageCount(), 1);
  EXPECT_EQ(tabs->Pages(0)->Name(), "CsTabSheet2");  // the next free number
  EXPECT_EQ(first->Control(), tabs->Pages(0));
  EXPECT_EQ(tabs->ActiveTabIndex(), 0);
  EXPECT_EQ(changes, (std::vector<fw::Integer>{0}));
  EXPECT_FALSE(tabs->EmptyPage()->Visible());
  EXPECT_TRUE(tabs->Pages(0)->Visible());
  tabs->AddTab(u"Вид");  // a later tab does not take over
  EXPECT_EQ(tabs->ActiveTabIndex(), 0);
  EXPECT_FALSE(tabs->Pages(1)->Visible());
}

TEST_F(CsTabsTest, ActiveTabIndexRefusesWhatIsNoTab) {
  MakeTabs(3);
  auto* separator = new tx::TTxSeparatorItem(tabs->Toolbar()->Items());
  tabs->Toolbar()->Items()->Add(separator);  // index 3
  struct Case {
    fw::Integer set, expected;
  };
  const Case cases[] = {{2, 2}, {3, 2}, {2, 2}, {99, -1}, {1, 1}, {-5, -1}, {0, 0}, {4, -1}};
  std::vector<fw::Integer> expectedChanges;
  fw::Integer last = 0;
  for (const Case& c : cases) {
    tabs->SetActiveTabIndex(c.set);
    EXPECT_EQ(tabs->ActiveTabIndex(), c.expected) << "set " << c.set;
    if (c.expected != last) expectedChanges.push_back(c.expected);
    last = c.expected;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Item(i)->Checked(), i == c.expected) << "set " << c.set << " tab " << i;
  }
  EXPECT_EQ(changes, expectedChanges);  // once per real change
}

TEST_F(CsTabsTest, InsertingBeforeTheActiveTabKeepsIt) {
  MakeTabs(3);
  tabs->SetActiveTabIndex(2);
  toolbars::TTBCustomItem* active = Item(2);
  changes.clear();
  auto* inserted = new TCsTabItem(tabs->Toolbar()->Items());
  tabs->Toolbar()->Items()->Insert(0, inserted);
  EXPECT_EQ(tabs->ActiveTabIndex(), 3);
  EXPECT_EQ(tabs->Toolbar()->ActiveTab(), active);
  EXPECT_FALSE(inserted->Checked());
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(tabs->PageCount(), 4);
}

TEST_F(CsTabsTest, DeletingTabsMovesTheActiveOne) {
  struct Case {
    const char* name;
    int count, active, deleted;
    int expectedIndex;  // -1: none
    int expectedTab;    // original index of the tab active after, -1: none
  };
  const Case cases[] = {
      {"active first of three: the next opens", 3, 0, 0, 0, 1},
      {"active middle: the previous opens", 3, 1, 1, 0, 0},
      {"active last: the previous opens", 3, 2, 2, 1, 1},
      {"before the active: index moves down", 3, 2, 0, 1, 2},
      {"after the active: nothing moves", 3, 0, 2, 0, 0},
      {"the only tab: none left", 1, 0, 0, -1, -1},
  };
  for (const Case& c : cases) {
    MakeTabs(c.count);
    tabs->SetActiveTabIndex(c.active);
    std::vector<toolbars::TTBCustomItem*> items;
    for (int i = 0; i < c.count; ++i) items.push_back(Item(i));
    TCsTabSheet* page = tabs->FindPage(static_cast<TCsTabItem*>(items[size_t(c.deleted)]));
    ASSERT_NE(page, nullptr);
    const std::string pageName = page->Name();
    delete items[size_t(c.deleted)];
    EXPECT_EQ(tabs->ActiveTabIndex(), c.expectedIndex) << c.name;
    EXPECT_EQ(tabs->Toolbar()->ActiveTab(), c.expectedTab < 0 ? nullptr : items[size_t(c.expectedTab)]) << c.name;
    if (c.expectedTab >= 0) {
      EXPECT_TRUE(items[size_t(c.expectedTab)]->Checked()) << c.name;
      EXPECT_TRUE(static_cast<TCsTabItem*>(items[size_t(c.expectedTab)])->Control()->Visible()) << c.name;
    }
    EXPECT_EQ(tabs->EmptyPage()->Visible(), c.expectedIndex == -1) << c.name;
    EXPECT_EQ(tabs->PageCount(), c.count - 1) << c.name;  // the page went with its tab
    EXPECT_EQ(form->FindComponent(pageName), nullptr) << c.name;
    delete tabs;
  }
}

TEST_F(CsTabsTest, FreeingAPageFreesItsTab) {
  MakeTabs(2);
  TCsTabSheet* page = tabs->Pages(1);
  delete page;
  EXPECT_EQ(tabs->Toolbar()->Items()->Count(), 1);
  EXPECT_EQ(tabs->PageCount(), 1);
  EXPECT_EQ(tabs->ActiveTabIndex(), 0);
  delete tabs->Pages(0);  // the active one
  EXPECT_EQ(tabs->Toolbar()->Items()->Count(), 0);
  EXPECT_EQ(tabs->ActiveTabIndex(), -1);
  EXPECT_TRUE(tabs->EmptyPage()->Visible());
}

TEST_F(CsTabsTest, PageForwardsCaptionImageAndVisibility) {
  MakeTabs(2);
  TCsTabSheet* page = tabs->Pages(1);
  page->SetCaption(u"Оси");
  EXPECT_EQ(Item(1)->Caption(), "Оси");
  EXPECT_EQ(page->Caption(), u"Оси");
  page->SetImageIndex(4);
  EXPECT_EQ(Item(1)->ImageIndex(), 4);
  page->SetTabVisible(false);
  EXPECT_FALSE(Item(1)->Visible());
  EXPECT_FALSE(page->TabVisible());
  // The empty page has no tab: it answers the defaults and ignores the setters.
  auto* empty = static_cast<TCsTabSheet*>(tabs->EmptyPage());
  empty->SetCaption(u"x");
  empty->SetImageIndex(3);
  EXPECT_EQ(empty->Caption(), u"");
  EXPECT_EQ(empty->ImageIndex(), -1);
  EXPECT_FALSE(empty->TabVisible());
}

TEST_F(CsTabsTest, ClickingATabOpensItsPage) {
  MakeTabs(3);
  ShowForm();
  toolbars::TTBItemViewer* viewer = tabs->Toolbar()->View()->Find(Item(2));
  ASSERT_NE(viewer, nullptr);
  int clicks = 0;
  Item(2)->OnClick = [&](fw::TObject*) { ++clicks; };
  const fw::TRect b = viewer->BoundsRect();
  ClickOn(tabs->Toolbar(), (b.left + b.right) / 2, (b.top + b.bottom) / 2);
  EXPECT_EQ(tabs->ActiveTabIndex(), 2);
  EXPECT_EQ(changes, (std::vector<fw::Integer>{2}));
  EXPECT_EQ(clicks, 1) << "the tab's own click handler hears it once";
  EXPECT_TRUE(tabs->Pages(2)->Visible());
  EXPECT_FALSE(tabs->Pages(0)->Visible());
}

TEST_F(CsTabsTest, DisabledTabDoesNotOpen) {
  MakeTabs(2);
  Item(1)->SetEnabled(false);
  Item(1)->Click();
  EXPECT_EQ(tabs->ActiveTabIndex(), 0);
}

TEST_F(CsTabsTest, TrailingTabsHideWhenTheDockIsNarrow) {
  MakeTabs(5);
  for (int i = 0; i < 5; ++i) static_cast<tx::TTxCustomItem*>(Item(i))->SetMinWidth(70);
  ShowForm();
  toolbars::TTBView* view = tabs->Toolbar()->View();
  view->ValidatePositions();
  const int left = view->Find(Item(0))->BoundsRect().left;
  ASSERT_EQ(view->Find(Item(0))->BoundsRect().right - left, 70);
  // The dock's width, in steps: (width, visible tabs after). The limit is width - 8.
  struct Step {
    int dockWidth;
    std::vector<bool> visible;
  };
  const int fifthRight = left + 350, fourthRight = left + 280;
  const Step steps[] = {
      {fifthRight + 8, {true, true, true, true, true}},     // fits exactly
      {fifthRight + 7, {true, true, true, true, false}},    // the fifth passes the limit
      {fourthRight + 8, {true, true, true, true, false}},   // the fourth still fits
      {fifthRight + 8, {true, true, true, true, false}},    // shown again only when width - 8 passes
      {fifthRight + 9, {true, true, true, true, true}},     // room again
      {50, {true, false, false, false, false}},             // never the first
      {fifthRight + 20, {true, true, true, true, true}},    // all back, in order
  };
  for (const Step& s : steps) {
    tabs->SetWidth(s.dockWidth);
    Pump();
    ASSERT_EQ(tabs->Dock()->Width(), s.dockWidth);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Item(i)->Visible(), s.visible[size_t(i)]) << s.dockWidth << " tab " << i;
    int hidden = 0;
    for (bool v : s.visible) hidden += v ? 0 : 1;
    EXPECT_EQ(tabs->Toolbar()->HiddenItems()->Count(), hidden) << s.dockWidth;
  }
}

TEST_F(CsTabsTest, AWidthChangeHidingTabsPaintsEachTabOnceAndLeavesNothingStale) {
  MakeTabs(8);
  std::vector<int> faces(8, 0);
  for (int i = 0; i < 8; ++i) {
    auto* tab = static_cast<TCsTabItem*>(Item(i));
    tab->SetMinWidth(40);
    tab->OnDrawItem = [&faces, i](fw::TObject*, fw::TCanvas*, fw::TRect&, tx::TTxItemInfo&, TCsPaintStage Stage,
                                  bool&) { faces[size_t(i)] += Stage == pstPrePaint; };
  }
  form->SetWidth(600);
  ShowForm();
  const auto screen = [&] {
    std::vector<uint32_t> pixels;
    const fw::TPoint o = At(tabs, 0, 0);
    for (int y = 0; y < tabs->Height(); ++y)
      for (int x = 0; x < tabs->Width(); ++x) pixels.push_back(desktop->screen_pixel(o.x + x, o.y + y));
    return pixels;
  };
  // Narrower, wider and narrower again: the band below the tabs is painted anew at each width.
  for (const int width : {220, 380, 150, 300}) {
    std::fill(faces.begin(), faces.end(), 0);
    tabs->SetWidth(width);
    Pump();
    const std::vector<uint32_t> after = screen();
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(faces[size_t(i)], Item(i)->Visible() ? 1 : 0) << "width " << width << " tab " << i;
    // What a repaint of everything, frames included, shows.
    win::RedrawWindow(form->Handle(), nullptr, nullptr,
                      win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME | win::RDW_ALLCHILDREN | win::RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(after, screen()) << "width " << width;
    // The pane's frame follows the new width (the classic band: black at the right edge).
    const win::POINT edge = At(tabs, tabs->ClientWidth() - 1, tabs->Dock()->Height() + 40);
    EXPECT_EQ(fw::TColor(desktop->screen_pixel(edge.x, edge.y)), fw::ColorToRGB(fw::clWindowFrame)) << width;
  }
  EXPECT_FALSE(Item(7)->Visible());
}

TEST_F(CsTabsTest, HiddenTabFreedLeavesTheCache) {
  MakeTabs(5);
  for (int i = 0; i < 5; ++i) static_cast<tx::TTxCustomItem*>(Item(i))->SetMinWidth(70);
  ShowForm();
  tabs->SetWidth(100);
  Pump();
  TCsItemCacheCollection* hidden = tabs->Toolbar()->HiddenItems();
  ASSERT_GT(hidden->Count(), 0);
  delete Item(4);
  for (Integer i = 0; i < hidden->Count(); ++i) EXPECT_NE(hidden->Items(i)->Item, nullptr);
  EXPECT_EQ(hidden->Count(), 3);
  tabs->SetWidth(380);
  Pump();
  EXPECT_EQ(hidden->Count(), 0);
}

TEST_F(CsTabsTest, BottomTabsMoveTheDock) {
  MakeTabs(2);
  tabs->SetTabPosition(ttpBottom);
  EXPECT_EQ(tabs->Dock()->Position(), toolbars::dpBottom);
  EXPECT_EQ(tabs->Toolbar()->CurrentDock(), tabs->Dock());
  EXPECT_EQ(tabs->Toolbar()->TabPosition(), ttpBottom);
  ShowForm();
  EXPECT_EQ(tabs->Dock()->Top() + tabs->Dock()->Height(), tabs->ClientHeight());
}

TEST_F(CsTabsTest, TabsBuiltInAHiddenFormLeaveItHidden) {
  // A dialog builds its tabs before it is shown; opening pages must not show it early.
  ASSERT_FALSE(form->Visible());
  MakeTabs(0);
  int shown = 0;
  form->OnShow = [&](fw::TObject*) { ++shown; };
  tabs->AddTab(u"Данные");
  tabs->AddTab(u"Оси");
  tabs->SetActiveTabIndex(1);
  tabs->SetTabPosition(ttpBottom);
  delete Item(1);
  delete Item(0);  // the empty page opens
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(tabs->EmptyPage()->Visible());
  ShowForm();
  EXPECT_EQ(shown, 1);
}

TEST_F(CsTabsTest, ClassicBandFramesThePane) {
  MakeTabs(0);
  ShowForm();
  // No page: the band shows through; outer frame white and black, inner face and shadow.
  const int y = tabs->Dock()->Height() + 40;
  const int w = tabs->ClientWidth();
  auto pixel = [&](int x) { return fw::TColor(desktop->screen_pixel(At(tabs, x, y).x, At(tabs, x, y).y)); };
  EXPECT_EQ(pixel(0), fw::ColorToRGB(fw::clWindow));
  EXPECT_EQ(pixel(1), fw::ColorToRGB(fw::clBtnFace));
  EXPECT_EQ(pixel(w - 1), fw::ColorToRGB(fw::clWindowFrame));
  EXPECT_EQ(pixel(w - 2), fw::ColorToRGB(fw::clBtnShadow));
}

TEST_F(CsTabsTest, ClassicBandOpensUnderTheActiveTab) {
  MakeTabs(3);
  ShowForm();
  toolbars::TTBView* view = tabs->Toolbar()->View();
  auto under = [&](int Index) {
    const fw::TRect b = view->Find(Item(Index))->BoundsRect();
    const int x = tabs->Toolbar()->Left() + (b.left + b.right) / 2, y = tabs->Dock()->Height();
    return fw::TColor(desktop->screen_pixel(At(tabs, x, y).x, At(tabs, x, y).y));
  };
  EXPECT_EQ(under(0), fw::ColorToRGB(fw::clBtnFace));
  EXPECT_EQ(under(1), fw::ColorToRGB(fw::clWindow));
  for (int index : {1, 2, 0, 1}) {  // by the mouse, as a user goes through them
    const fw::TRect b = view->Find(Item(index))->BoundsRect();
    ClickOn(tabs->Toolbar(), (b.left + b.right) / 2, (b.top + b.bottom) / 2);
    Pump();
  }
  ASSERT_EQ(tabs->ActiveTabIndex(), 1);
  EXPECT_EQ(under(0), fw::ColorToRGB(fw::clWindow));
  EXPECT_EQ(under(1), fw::ColorToRGB(fw::clBtnFace));
  EXPECT_EQ(under(2), fw::ColorToRGB(fw::clWindow));
}

TEST_F(CsTabsTest, ThemeSwitchRedrawsTheBandOnce) {
  MakeTabs(3);
  ShowForm();
  const fw::Integer before = tabs->BackgroundPaints();
  tx::SetCurrentTheme("Plain");
  Pump();
  EXPECT_EQ(tabs->BackgroundPaints(), before + 1);
  Pump();
  EXPECT_EQ(tabs->BackgroundPaints(), before + 1);  // cached until the next change
}

TEST_F(CsTabsTest, EffectiveTabThemeType) {
  EXPECT_EQ(GetEffectiveTabThemeType(tttTx), tttNone);  // "Default" without visual styles
  EXPECT_EQ(GetEffectiveTabThemeType(tttWindows), tttNone);
  EXPECT_EQ(GetEffectiveTabThemeType(tttFlat), tttFlat);
  tx::SetCurrentTheme("Plain");
  EXPECT_EQ(GetEffectiveTabThemeType(tttTx), tttTx);
  EXPECT_EQ(GetEffectiveTabThemeType(tttNone), tttNone);
}

}  // namespace
}  // namespace cs

namespace cs {
namespace {

// A tab control written to a stream and read back has the same tabs (captions, names), pages
// linked to the same tabs, hidden tabs (by name, also in the cache) and active tab; a user-hidden
// tab stays hidden and outside the cache.
TEST_F(CsTabsTest, WrittenAndReadBackKeepsPagesHiddenTabsAndTheActiveTab) {
  RegisterUnicodeControls();
  MakeTabs(5, 380);
  const char* names[] = {"tabData", "tabAxes", "tabTitles", "tabLegend", "tabMore"};
  for (int i = 0; i < 5; ++i) {
    Item(i)->SetName(names[i]);
    static_cast<tx::TTxCustomItem*>(Item(i))->SetMinWidth(70);
  }
  static_cast<TCsTabItem*>(Item(1))->SetCaption(u"Оси 🐞");
  ShowForm();
  tabs->SetActiveTabIndex(2);
  tabs->SetWidth(240);  // the fourth and fifth do not fit
  Pump();
  ASSERT_FALSE(Item(3)->Visible());
  ASSERT_EQ(tabs->Toolbar()->HiddenItems()->Count(), 2);
  tabs->Pages(1)->SetTabVisible(false);  // hidden by the user, not for room: the fourth fits again
  Pump();
  std::vector<std::string> hiddenNames;
  for (Integer i = 0; i < tabs->Toolbar()->HiddenItems()->Count(); ++i)
    hiddenNames.push_back(tabs->Toolbar()->HiddenItems()->Items(i)->Item->Name());
  ASSERT_EQ(hiddenNames, (std::vector<std::string>{"tabMore"}));
  fw::TMemoryStream stream;
  fw::TWriter(&stream).WriteRootComponent(tabs);
  stream.SetPosition(0);
  std::unique_ptr<fw::TComponent> read(fw::TReader(&stream).ReadRootComponent(nullptr));
  auto* copy = dynamic_cast<TCsTabControl*>(read.get());
  ASSERT_NE(copy, nullptr);
  TCsTabToolbar* toolbar = copy->Toolbar();
  ASSERT_EQ(toolbar->Items()->Count(), 5);
  ASSERT_EQ(copy->PageCount(), 5);
  for (int i = 0; i < 5; ++i) {
    auto* tab = dynamic_cast<TCsTabItem*>(toolbar->Items()->Items(i));
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->Name(), names[i]);
    EXPECT_EQ(tab->WideCaption(), static_cast<TCsTabItem*>(Item(i))->WideCaption());
    EXPECT_EQ(tab->Visible(), Item(i)->Visible()) << i;
    EXPECT_EQ(copy->Pages(i)->Name(), tabs->Pages(i)->Name());
    EXPECT_EQ(copy->Pages(i)->TabItem(), tab);
    EXPECT_EQ(tab->Control(), copy->Pages(i));
    EXPECT_EQ(copy->Pages(i)->TabControl(), copy);
  }
  EXPECT_EQ(copy->ActiveTabIndex(), 2);
  EXPECT_TRUE(copy->Pages(2)->Visible());
  EXPECT_FALSE(copy->Pages(0)->Visible());
  EXPECT_FALSE(copy->EmptyPage()->Visible());
  TCsItemCacheCollection* hidden = toolbar->HiddenItems();
  ASSERT_EQ(hidden->Count(), 1);
  EXPECT_EQ(hidden->Items(0)->Item, toolbar->Items()->Items(4));
  EXPECT_EQ(hidden->Items(0)->Width, tabs->Toolbar()->HiddenItems()->Items(0)->Width);
  EXPECT_FALSE(toolbar->Items()->Items(1)->Visible());
  EXPECT_FALSE(toolbar->Items()->Items(4)->Visible());
}

// Hidden tabs read from a stream without a name cannot be linked and are dropped.
TEST_F(CsTabsTest, ReadingDropsNamelessHiddenTabsAndABadActiveIndex) {
  RegisterUnicodeControls();
  MakeTabs(2);
  Item(0)->SetName("first");
  Item(1)->SetName("second");
  tabs->Toolbar()->HiddenItems()->AddUnlinked();  // no name, no item
  fw::TMemoryStream stream;
  fw::TWriter(&stream).WriteRootComponent(tabs);
  stream.SetPosition(0);
  std::unique_ptr<fw::TComponent> read(fw::TReader(&stream).ReadRootComponent(nullptr));
  auto* copy = static_cast<TCsTabControl*>(read.get());
  EXPECT_EQ(copy->Toolbar()->HiddenItems()->Count(), 0);
  EXPECT_EQ(copy->ActiveTabIndex(), 0);
  EXPECT_TRUE(copy->Pages(0)->Visible());
}

}  // namespace
}  // namespace cs
