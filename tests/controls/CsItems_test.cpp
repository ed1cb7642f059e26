// The control set's items and their viewer: setters and what they ask of the views, short
// hints, the control toggle, the custom-drawing stages around the theme's painting, the caption
// placement, sizes, adjacent viewers and the action link.

#include <memory>
#include <string>
#include <vector>

#include "controls/CsItems.h"
#include "controls/UniActions.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/control_fixture.h"
#include "platform/kernel/TextConvert.h"
#include "toolbars/TBItemView.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"

namespace cs {
namespace {

using toolbars::TTBItemViewer;
using toolbars::TTBRootItem;
using toolbars::TTBView;
using txtest::TProbeTheme;

class CsItemsTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    tx::InitTx();
    if (!tx::IsThemeRegistered("Probe")) tx::RegisterTheme("Probe", &tx::ThemeClassOf<TProbeTheme>);
    tx::SetCurrentTheme("Probe");
    probe = dynamic_cast<TProbeTheme*>(tx::CurrentTheme);
    bmp.SetPixelFormat(fw::pf32bit);
    bmp.SetSize(200, 100);
    images.SetWidth(16);
    images.SetHeight(16);
    fw::TBitmap one;
    one.SetPixelFormat(fw::pf24bit);
    one.SetSize(16, 16);
    images.AddMasked(&one, fw::clFuchsia);
    root->RegisterNotification(this, [this](toolbars::TTBCustomItem*, bool, toolbars::TTBItemChangedAction A,
                                            Integer, toolbars::TTBCustomItem*) { actions.push_back(A); });
  }
  void TearDown() override {
    view.reset();
    root->UnregisterNotification(this);
    root.reset();
    tx::SetCurrentTheme("Default");
    tx::DoneTx();
    ControlTest::TearDown();
  }
  template <class Item = TCsItem>
  Item* Add(const WideString& caption = u"", bool withImage = false) {
    auto* it = new Item(root.get());
    it->SetCaption(caption);
    if (withImage) {
      it->SetImages(&images);
      it->SetImageIndex(0);
    }
    root->Add(it);
    return it;
  }
  TTBView* MakeView(bool toolbar = true) {
    view.reset(new TTBView(nullptr, nullptr, root.get(), nullptr, toolbar, false, false));
    view->AfterConstruction();
    return view.get();
  }
  TTBItemViewer* ViewerOf(toolbars::TTBCustomItem* item) {
    return (view ? view.get() : MakeView())->Find(item);
  }
  fw::TSize Measure(TTBItemViewer* v) {
    Integer w = 0, h = 0;
    v->CalcSize(bmp.Canvas(), w, h);
    return {w, h};
  }
  void PaintIt(TTBItemViewer* v, const TRect& r, bool pushed = false) {
    probe->Calls.clear();
    v->Paint(bmp.Canvas(), r, false, pushed, false);
  }

  TProbeTheme* probe = nullptr;
  fw::TBitmap bmp;
  fw::TImageList images{nullptr};
  std::unique_ptr<TTBRootItem> root = std::make_unique<TTBRootItem>(nullptr);
  std::unique_ptr<TTBView> view;
  std::vector<toolbars::TTBItemChangedAction> actions;
};

TEST_F(CsItemsTest, SettersStoreOnChangeAndAskForRepaintOrRelayout) {
  auto* item = Add(u"Сохранить");
  EXPECT_TRUE(item->Stretch());
  EXPECT_EQ(item->Alignment(), fw::taCenter);
  struct Case {
    const char* name;
    std::function<void()> set;
    std::vector<toolbars::TTBItemChangedAction> expected;
  } cases[] = {
      {"same caption", [&] { item->SetCaption(u"Сохранить"); }, {}},
      {"new caption", [&] { item->SetCaption(u"Открыть"); }, {toolbars::tbicInvalidateAndResize}},
      {"alignment repaints only",
       [&] { item->SetAlignment(fw::taRightJustify); },
       {toolbars::tbicInvalidate}},
      {"same alignment", [&] { item->SetAlignment(fw::taRightJustify); }, {}},
      {"custom width", [&] { item->SetCustomWidth(40); }, {toolbars::tbicInvalidateAndResize}},
      {"custom width -5 is automatic",
       [&] { item->SetCustomWidth(-5); },
       {toolbars::tbicInvalidateAndResize}},
      {"-1 again: no change", [&] { item->SetCustomWidth(-1); }, {}},
      {"hint never re-lays out", [&] { item->SetHint(u"Подсказка"); }, {}},
  };
  for (auto& c : cases) {
    actions.clear();
    c.set();
    EXPECT_EQ(actions, c.expected) << c.name;
  }
  EXPECT_EQ(item->CustomWidth(), -1);
  EXPECT_EQ(item->WideCaption(), u"Открыть");
  EXPECT_EQ(item->Caption(), "Открыть");  // the framework's text is the same caption
  item->SetCustomHeight(-7);
  EXPECT_EQ(item->CustomHeight(), -1);
}

TEST_F(CsItemsTest, ShortHintFromHintOrCaption) {
  fw::Application->SetHintShortCuts(true);
  struct Case {
    const char* name;
    WideString caption, hint;
    fw::TShortCut shortcut;
    bool noAutoHint;
    WideString expected;
  } cases[] = {
      {"caption without accelerator and ellipsis", u"&Сохранить как...", u"", 0, false, u"Сохранить как"},
      {"trailing colon", u"Имя:", u"", 0, false, u"Имя"},
      {"a lone colon stays", u":", u"", 0, false, u":"},
      {"three dots stay", u"...", u"", 0, false, u"..."},
      {"short part of the hint", u"X", u"Коротко|Длинно", 0, false, u"Коротко"},
      {"shortcut appended", u"X", u"Коротко|Длинно", fw::ShortCut('S', fw::ssCtrl), false,
       u"Коротко (Ctrl+S)"},
      {"no automatic hint", u"Файл", u"", 0, true, u""},
  };
  for (const Case& c : cases) {
    auto* item = Add(c.caption);
    item->SetHint(c.hint);
    item->SetShortCut(c.shortcut);
    if (c.noAutoHint) item->SetOptions(toolbars::TTBItemOptions{toolbars::tboNoAutoHint});
    MakeView();
    EXPECT_EQ(GetItemHintText(view->Find(item)), c.expected) << c.name;
  }
  // A plain submenu showing its caption has no automatic hint; a split button has.
  auto* sub = Add<TCsSubmenuItem>(u"Правка");
  auto* split = Add<TCsSubmenuItem>(u"Вид");
  split->SetDropdownCombo(true);
  MakeView();
  EXPECT_EQ(GetItemHintText(view->Find(sub)), u"");
  EXPECT_EQ(GetItemHintText(view->Find(split)), u"Вид");
}

TEST_F(CsItemsTest, AnItemShowsAndHidesItsControlALabelDoesNot) {
  fw::TForm form(nullptr);
  auto* panel = new fw::TPanel(&form);
  panel->SetParent(&form);
  panel->SetVisible(true);
  auto* item = Add(u"Панель");
  item->SetControl(panel);
  EXPECT_TRUE(item->Checked());
  int clicks = 0;
  item->OnClick = [&](fw::TObject*) { ++clicks; };
  item->Click();
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(clicks, 1);
  panel->SetVisible(true);
  item->InitiateAction();
  EXPECT_TRUE(item->Checked());

  auto* label = Add<TCsLabelItem>(u"&Имя:");
  label->SetControl(panel);
  EXPECT_FALSE(label->Checked());
  label->Click();
  EXPECT_TRUE(panel->Visible());
  EXPECT_FALSE(label->ItemStyle() & toolbars::tbisSelectable);
  EXPECT_TRUE(label->ItemStyle() & toolbars::tbisClicksTransparent);
  EXPECT_EQ(label->Alignment(), fw::taLeftJustify);
  EXPECT_FALSE(label->Stretch());

  delete panel;  // the items forget it
  EXPECT_EQ(item->Control(), nullptr);
  EXPECT_EQ(label->Control(), nullptr);
  item->Click();  // nothing to toggle
}

TEST_F(CsItemsTest, LabelAcceleratorFocusesItsControl) {
  fw::TForm form(nullptr);
  form.SetBounds(10, 10, 200, 100);
  auto* edit = new fw::TPanel(&form);
  edit->SetParent(&form);
  edit->SetTabStop(true);
  form.Show();
  Pump();
  auto* label = Add<TCsLabelItem>(u"&Имя:");
  EXPECT_FALSE(label->DialogChar(u'и'));  // no control
  label->SetControl(edit);
  EXPECT_FALSE(label->DialogChar(u'x'));
  EXPECT_TRUE(label->DialogChar(u'и'));
  EXPECT_TRUE(edit->Focused());
}

TEST_F(CsItemsTest, DrawStagesWrapTheThemesFaceAndImage) {
  auto* item = Add(u"Abc", true);
  item->SetDisplayMode(toolbars::nbdmImageAndText);
  std::vector<std::string> log;
  bool skipFace = false, skipImage = false;
  item->OnDrawItem = [&](fw::TObject*, fw::TCanvas*, TRect&, tx::TTxItemInfo&, TCsPaintStage s, bool& d) {
    log.push_back(s == pstPrePaint ? "item-pre" : "item-post");
    if (s == pstPrePaint && skipFace) d = false;
  };
  item->OnDrawImage = [&](fw::TObject*, fw::TCanvas*, const tx::TTxItemInfo&, TCsPaintStage s,
                          fw::TCustomImageList*, Integer&, TRect&, bool& d) {
    log.push_back(s == pstPrePaint ? "image-pre" : "image-post");
    if (s == pstPrePaint && skipImage) d = false;
  };
  item->OnDrawCaption = [&](fw::TObject*, fw::TCanvas*, const TRect&, WideString& caption, TRect&, bool,
                            TCsPaintStage s, bool&) {
    log.push_back((s == pstPrePaint ? "caption-pre " : "caption-post ") + win::WideToUtf8(caption));
  };
  TTBItemViewer* v = ViewerOf(item);
  PaintIt(v, TRect{0, 0, 80, 24});
  EXPECT_EQ(log, (std::vector<std::string>{"item-pre", "item-post", "caption-pre Abc", "caption-post Abc",
                                           "image-pre", "image-post"}));
  EXPECT_EQ(probe->Of("Button").size(), 1u);
  EXPECT_EQ(probe->Of("Image").size(), 1u);
  EXPECT_TRUE(probe->Of("Caption").empty());  // captions are never drawn by the theme

  skipFace = skipImage = true;
  PaintIt(v, TRect{0, 0, 80, 24});
  EXPECT_TRUE(probe->Of("Button").empty());
  EXPECT_TRUE(probe->Of("Image").empty());

  // A split button: one pair for each part.
  log.clear();
  auto* split = Add<TCsSubmenuItem>(u"S");
  split->SetDropdownCombo(true);
  split->OnDrawItem = item->OnDrawItem;
  skipFace = false;
  MakeView();
  PaintIt(view->Find(split), TRect{0, 0, 60, 24});
  EXPECT_EQ(std::count(log.begin(), log.end(), "item-pre"), 2);
  EXPECT_EQ(probe->Of("Button").size(), 2u);
}

TEST_F(CsItemsTest, LabelsNeverGetAButtonFace) {
  auto* label = Add<TCsLabelItem>(u"Метка");
  bool asked = false;
  label->OnDrawItem = [&](fw::TObject*, fw::TCanvas*, TRect&, tx::TTxItemInfo&, TCsPaintStage, bool& d) {
    asked = true;
    EXPECT_TRUE(d);
  };
  PaintIt(ViewerOf(label), TRect{0, 0, 80, 24});
  EXPECT_TRUE(asked);
  EXPECT_TRUE(probe->Of("Button").empty());
}

TEST_F(CsItemsTest, CaptionPlacementByAlignmentAndPush) {
  auto* item = Add(u"Abcd");
  TRect seen{};
  item->OnDrawCaption = [&](fw::TObject*, fw::TCanvas*, const TRect&, WideString&, TRect& r, bool,
                            TCsPaintStage s, bool&) {
    if (s == pstPrePaint) seen = r;
  };
  TTBItemViewer* v = ViewerOf(item);
  const TRect client{0, 0, 100, 24};
  PaintIt(v, client);
  const Integer width = seen.right - seen.left;
  const Integer centredLeft = seen.left;
  struct Case {
    fw::TAlignment alignment;
    bool pushed;
    const char* theme;
    Integer left, dy;
  } cases[] = {
      {fw::taLeftJustify, false, "Probe", 2 + 3, 0},
      {fw::taRightJustify, false, "Probe", 100 - 2 - width - 3, 0},
      {fw::taCenter, false, "Probe", centredLeft, 0},
      {fw::taLeftJustify, true, "Probe", 2 + 3, 0},
      {fw::taLeftJustify, true, "Default", 2 + 3 + 1, 1},  // pushed under "Default" moves (1,1)
  };
  const Integer top = seen.top;
  for (const Case& c : cases) {
    tx::SetCurrentTheme(c.theme);
    item->SetAlignment(c.alignment);
    v->Paint(bmp.Canvas(), client, false, c.pushed, false);
    EXPECT_EQ(seen.left, c.left) << c.alignment << c.pushed << c.theme;
    EXPECT_EQ(seen.right - seen.left, width);
    EXPECT_EQ(seen.top, top + c.dy);
  }
  tx::SetCurrentTheme("Probe");
  probe = dynamic_cast<TProbeTheme*>(tx::CurrentTheme);
  // With an image on the left the caption area starts behind it.
  auto* withImage = Add(u"Abcd", true);
  withImage->SetAlignment(fw::taLeftJustify);
  withImage->SetDisplayMode(toolbars::nbdmImageAndText);
  withImage->OnDrawCaption = item->OnDrawCaption;
  MakeView();
  PaintIt(view->Find(withImage), client);
  EXPECT_EQ(seen.left, 2 + 16 + 3 + 3);
}

TEST_F(CsItemsTest, CustomSizesReplaceTheMeasuredOnesAnchoredItemsGrow) {
  auto* item = Add(u"Abc");
  TTBItemViewer* v = ViewerOf(item);
  const fw::TSize measured = Measure(v);
  struct Case {
    Integer customW, customH, minW, anchorOffset;
    bool anchored;
    Integer w, h;
  } cases[] = {
      {-1, -1, 0, 0, false, measured.cx, measured.cy},
      {40, -1, 0, 0, false, 40, measured.cy},
      {0, 17, 0, 0, false, 0, 17},     // a zero-width item
      {40, 17, 50, 0, false, 50, 17},  // MinWidth is a lower bound after the custom size
      {40, 17, 0, 25, true, 65, 17},   // the anchored offset is added
      {40, 17, 0, 25, false, 40, 17},  // only for anchored items
  };
  for (const Case& c : cases) {
    item->SetCustomWidth(c.customW);
    item->SetCustomHeight(c.customH);
    item->SetMinWidth(c.minW);
    item->SetAnchored(c.anchored);
    static_cast<TCsItemViewer*>(v)->AnchorOffset = {c.anchorOffset, 0};
    const fw::TSize s = Measure(v);
    EXPECT_EQ(s.cx, c.w) << c.customW << ' ' << c.minW << ' ' << c.anchored;
    EXPECT_EQ(s.cy, c.h);
  }
}

TEST_F(CsItemsTest, SeparatorsAreThemedSeparators) {
  auto* sep = new TCsSeparatorItem(root.get());
  root->Add(sep);
  TTBItemViewer* v = ViewerOf(sep);
  EXPECT_NE(dynamic_cast<TCsSeparatorItemViewer*>(v), nullptr);
  PaintIt(v, TRect{0, 0, 6, 22});
  EXPECT_EQ(probe->Of("Separator").size(), 1u);
}

TEST_F(CsItemsTest, FindAdjacentViewer) {
  auto* a = Add(u"A");
  auto* b = Add(u"B");
  auto* c = Add(u"C");
  auto* d = Add(u"D");
  b->SetVisible(false);
  MakeView();
  TTBItemViewer* va = view->Find(a);
  TTBItemViewer* vc = view->Find(c);
  TTBItemViewer* vd = view->Find(d);
  // A hidden item has a viewer only while the view shows hidden items; find B's if there.
  TTBItemViewer* vb = view->Find(b);
  struct Case {
    const char* name;
    TTBItemViewer* from;
    bool forward, visibleOnly, neighbour;
    TTBItemViewer* expected;
  } cases[] = {
      {"forward, visible only", va, true, true, false, vc},
      {"backward, visible only", vd, false, true, false, vc},
      {"forward, any", va, true, false, false, vb ? vb : vc},
      {"backward from the first", va, false, false, false, nullptr},
      {"forward from the last", vd, true, false, false, nullptr},
      {"only the neighbour", vc, false, true, true, vb ? nullptr : va},
  };
  for (const Case& k : cases)
    EXPECT_EQ(FindAdjacentViewer(k.from, k.forward, k.visibleOnly, k.neighbour, false, false), k.expected)
        << k.name;
  // A filter replaces the test and can stop the search.
  int asked = 0;
  auto stopAtC = [&](TTBItemViewer* v, bool& stop) {
    ++asked;
    stop = v == vc;
    return false;
  };
  EXPECT_EQ(FindAdjacentViewer(va, true, true, false, false, false, stopAtC), nullptr);
  EXPECT_EQ(asked, vb ? 2 : 1);
  EXPECT_EQ(FindAdjacentViewer(nullptr, true, true, false, false, false), nullptr);
}

TEST_F(CsItemsTest, ActionLinkCarriesWideTexts) {
  TUniAction action(nullptr);
  action.SetCaption(u"Печать…");
  action.SetHint(u"Печать|Печатает график");
  auto* item = Add(u"");
  item->SetAction(&action);
  EXPECT_EQ(item->WideCaption(), u"Печать…");
  EXPECT_EQ(item->WideHint(), u"Печать|Печатает график");
  action.SetCaption(u"Печать графика");
  EXPECT_EQ(item->WideCaption(), u"Печать графика");
  // An item given its own caption no longer follows the action.
  item->SetCaption(u"Своё");
  action.SetCaption(u"Снова");
  EXPECT_EQ(item->WideCaption(), u"Своё");
  item->SetAction(nullptr);
}

}  // namespace
}  // namespace cs
