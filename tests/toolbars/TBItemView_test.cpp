#include "toolbars/TBItemView.h"

#include <set>

#include "ToolbarsFixture.h"
#include "toolbars/TBItemViewer.h"

namespace toolbars::testing {
namespace {

// A viewer whose size is its item's Tag: width in the low word, height in the high word.
class FixedViewer : public TTBItemViewer {
 public:
  using TTBItemViewer::TTBItemViewer;
  void CalcSize(fw::TCanvas*, Integer& W, Integer& H) override {
    W = Integer(Item()->Tag() & 0xFFFF);
    H = Integer(Item()->Tag() >> 16);
  }
};

class FixedItem : public TTBCustomItem {
 public:
  FixedItem(TComponent* AOwner, Integer W, Integer H, const String& ACaption = "") : TTBCustomItem(AOwner) {
    SetTag((H << 16) | W);
    SetCaption(ACaption);
  }
  TTBItemViewerClass GetItemViewerClass(TTBView*) override { return TTBItemViewerClass::Of<FixedViewer>(); }
  void SetStyleBits(TTBItemStyle Add) { SetItemStyle(TTBItemStyle(ItemStyle() | Add)); }
};

class FixedSeparator : public TTBSeparatorItem {
 public:
  explicit FixedSeparator(TComponent* AOwner) : TTBSeparatorItem(AOwner) { SetTag((6 << 16) | 6); }
  TTBItemViewerClass GetItemViewerClass(TTBView*) override { return TTBItemViewerClass::Of<FixedViewer>(); }
};

// A view with a chevron item, as toolbar views have.
class ChevronView : public TTBView {
 public:
  using TTBView::TTBView;
  TTBCustomItem* GetChevronItem() override { return Chevron; }
  TTBCustomItem* Chevron = nullptr;
};

class ViewLayout : public ToolbarsTest {
 protected:
  template <class V = TTBView>
  std::unique_ptr<V> MakeView(bool toolbar, bool priority = false, TTBCustomItem* chevron = nullptr) {
    V* v = new V(nullptr, nullptr, &root, nullptr, toolbar, false, priority);
    if constexpr (std::is_same_v<V, ChevronView>) v->Chevron = chevron;
    v->AfterConstruction();
    return std::unique_ptr<V>(v);
  }
  FixedItem* Button(Integer w = 23, Integer h = 22, const String& caption = "") {
    auto* it = new FixedItem(&root, w, h, caption);
    root.Add(it);
    return it;
  }
  FixedSeparator* Separator() {
    auto* s = new FixedSeparator(&root);
    root.Add(s);
    return s;
  }
  static std::vector<TRect> Shown(TTBView& v) {
    std::vector<TRect> out;
    for (Integer i = 0; i < v.ViewerCount(); ++i)
      if (v.Viewers(i)->Show()) out.push_back(v.Viewers(i)->BoundsRect());
    return out;
  }
  TTBRootItem root{nullptr};
};

TEST_F(ViewLayout, SeparatorsAtTheEndsAndDoubledAreHidden) {
  Separator();
  Button();
  Separator();
  Separator();
  Button();
  Separator();
  auto view = MakeView(true);
  TPoint size{};
  view->UpdatePositions(size);
  std::vector<bool> shown;
  for (Integer i = 0; i < view->ViewerCount(); ++i) shown.push_back(view->Viewers(i)->Show());
  EXPECT_EQ(shown, (std::vector<bool>{false, true, true, false, true, false}));
  EXPECT_EQ(size.x, 23 + 6 + 23);
  EXPECT_EQ(size.y, 22);
}

TEST_F(ViewLayout, WrappingTurnsASeparatorIntoALineSeparator) {
  Button(23, 23);
  Button(23, 23);
  Separator();
  Button(23, 23);
  Button(23, 23);
  auto view = MakeView(true);
  view->SetWrapOffset(60);
  TPoint size{};
  view->UpdatePositions(size);
  EXPECT_EQ(size.x, 60) << "a wrapped layout is at least as long as the wrap offset";
  EXPECT_EQ(size.y, 23 + 6 + 23);
  EXPECT_TRUE(view->Viewers(2)->IsLineSeparator());
  EXPECT_EQ(view->Viewers(2)->BoundsRect().top, 23);
  EXPECT_EQ(view->Viewers(2)->BoundsRect().bottom, 29);
  EXPECT_EQ(view->Viewers(3)->BoundsRect().left, 0);
  EXPECT_EQ(view->Viewers(3)->BoundsRect().top, 29);
  EXPECT_EQ(view->Viewers(4)->BoundsRect().left, 23);
}

TEST_F(ViewLayout, WrapTable) {
  struct Case {
    const char* name;
    std::vector<Integer> widths;  // 0 = separator
    Integer wrap;
    TPoint size;
    Integer rows;
  };
  std::vector<Case> cases = {
      {"no wrap offset, one row", {23, 23, 23}, 0, {69, 22}, 1},
      {"fits", {23, 23}, 60, {46, 22}, 1},
      {"size wrap", {23, 23, 23}, 50, {50, 44}, 2},
      {"the first of a row never wraps", {80, 80}, 50, {80, 44}, 2},
      {"separator kept when its group fits", {20, 0, 20}, 60, {46, 22}, 1},
  };
  for (auto& c : cases) {
    root.Clear();
    for (Integer w : c.widths) w ? (void)Button(w, 22) : (void)Separator();
    auto view = MakeView(true);
    view->SetWrapOffset(c.wrap);
    TPoint size{};
    view->UpdatePositions(size);
    EXPECT_EQ(size.x, c.size.x) << c.name;
    EXPECT_EQ(size.y, c.size.y) << c.name;
    std::set<Integer> tops;
    for (auto& r : Shown(*view)) tops.insert(r.top);
    EXPECT_EQ(Integer(tops.size()), c.rows) << c.name;
  }
}

TEST_F(ViewLayout, ChevronHidesTheLowestPriorityButtons) {
  std::vector<FixedItem*> buttons;
  for (int i = 0; i < 5; ++i) buttons.push_back(Button(23, 22));
  TTBCustomItem chevron(nullptr);
  chevron.SetTag((22 << 16) | 12);
  auto view = MakeView<ChevronView>(true, true, &chevron);
  view->SetChevronOffset(100);
  view->SetChevronSize(12);
  TPoint size{};
  view->UpdatePositions(size);
  std::vector<bool> offEdge;
  for (int i = 0; i < 5; ++i) offEdge.push_back(view->Viewers(i)->OffEdge());
  EXPECT_EQ(offEdge, (std::vector<bool>{false, false, false, true, true}));
  TTBItemViewer* chevronViewer = view->Viewers(5);
  EXPECT_EQ(chevronViewer->Item(), &chevron);
  EXPECT_TRUE(chevronViewer->Show());
  EXPECT_EQ(chevronViewer->BoundsRect().left, 88) << "the chevron ends flush with the granted length";
  EXPECT_EQ(chevronViewer->BoundsRect().right, 100);
  EXPECT_TRUE(chevron.Enabled());
  // A clicked button gets the highest priority and comes back.
  view->GivePriority(view->Viewers(4));
  EXPECT_FALSE(view->Viewers(4)->OffEdge());
  EXPECT_TRUE(view->Viewers(2)->OffEdge());
  EXPECT_EQ(view->HighestPriorityViewer(), view->Viewers(4));
  // The last shown button is never hidden.
  view->SetChevronOffset(20);
  view->UpdatePositions(size);
  int shown = 0;
  for (int i = 0; i < 5; ++i) shown += view->Viewers(i)->Show();
  EXPECT_EQ(shown, 1);
}

// The chevron offers a menu only of what it can show there: it is enabled exactly when an item
// other than a control item lies past the bar's edge. Items are hidden from the end.
TEST_F(ViewLayout, ChevronIsEnabledWhenAnItemOtherThanAControlIsHidden) {
  struct Case {
    const char* name;
    const char* items;  // b a button, c a control item; each 23 pixels long
    Integer chevronOffset;
    const char* offEdge;  // 1 for each item past the edge
    bool enabled;
  };
  const Case cases[] = {
      {"control items only hidden", "bbbcc", 100, "00011", false},
      {"buttons only hidden", "cccbb", 100, "00011", true},
      {"a control item and a button hidden", "bbbcb", 100, "00011", true},
      {"a button and a control item hidden", "cccbc", 100, "00011", true},
      {"the last item alone hidden, a control item", "bbbbc", 110, "00001", false},
      {"the last item alone hidden, a button", "ccccb", 110, "00001", true},
  };
  for (const Case& c : cases) {
    root.Clear();
    for (const char* k = c.items; *k; ++k) {
      if (*k == 'b') {
        Button(23, 22);
      } else {
        auto* control = new fw::TControl(nullptr);
        control->SetBounds(0, 0, 23, 22);
        root.Add(new TTBControlItem(&root, control));
      }
    }
    TTBCustomItem chevron(nullptr);
    chevron.SetEnabled(!c.enabled);
    auto view = MakeView<ChevronView>(true, false, &chevron);
    view->SetChevronOffset(c.chevronOffset);
    view->SetChevronSize(12);
    TPoint size{};
    view->UpdatePositions(size);
    std::string offEdge;
    for (Integer i = 0; i < root.Count(); ++i) offEdge += view->Viewers(i)->OffEdge() ? '1' : '0';
    EXPECT_EQ(offEdge, c.offEdge) << c.name;
    EXPECT_TRUE(view->Viewers(root.Count())->Show()) << c.name;
    EXPECT_EQ(chevron.Enabled(), c.enabled) << c.name;
  }
}

TEST_F(ViewLayout, TallPopupScrolls) {
  for (int i = 0; i < 20; ++i) Button(100, 18);
  auto view = MakeView(false);
  view->SetMaxHeight(300);
  TPoint size{};
  view->UpdatePositions(size);
  EXPECT_EQ(size.y, 300);
  EXPECT_TRUE(view->ShowDownArrow());
  EXPECT_FALSE(view->ShowUpArrow());
  EXPECT_TRUE(view->Viewers(14)->Show());   // 252..270
  EXPECT_TRUE(view->Viewers(15)->Clipped()); // 270..288 passes 281
  view->Scroll(true);
  EXPECT_EQ(view->ScrollOffset(), 7);
  EXPECT_TRUE(view->ShowUpArrow());
  EXPECT_TRUE(view->Viewers(0)->Clipped());
  for (int i = 0; i < 20; ++i) view->Scroll(true);
  EXPECT_FALSE(view->ShowDownArrow());
  EXPECT_EQ(view->ScrollOffset(), 60);
  // Menu lines stretch across the popup.
  EXPECT_EQ(view->Viewers(19)->BoundsRect().right, 100);
}

TEST_F(ViewLayout, RightAlignMovesToTheEndOfTheRow) {
  // A menu line sets the popup's length; the toolbar-sized row below it is shorter.
  Button(100, 18);
  auto* left = Button(20, 22);
  auto* right = Button(30, 22);
  for (auto* b : {left, right}) b->SetOptions({tboToolbarStyle, tboToolbarSize});
  right->SetStyleBits(tbisRightAlign);
  auto view = MakeView(false);
  TPoint size{};
  view->UpdatePositions(size);
  EXPECT_EQ(size.x, 100);
  EXPECT_EQ(view->Viewers(1)->BoundsRect().left, 0);
  EXPECT_EQ(view->Viewers(2)->BoundsRect().right, 100) << "a view that does not wrap aligns to its length";
  // Wrapped toolbars align to the wrap offset.
  root.Clear();
  for (Integer w : {50, 50, 50}) Button(w, 22);
  Button(20, 22);
  auto* far = Button(30, 22);
  far->SetStyleBits(tbisRightAlign);
  auto bar = MakeView(true);
  bar->SetWrapOffset(160);
  bar->UpdatePositions(size);
  EXPECT_EQ(size.x, 160);
  EXPECT_EQ(bar->Viewers(4)->BoundsRect().right, 160);
  EXPECT_EQ(bar->Viewers(3)->BoundsRect().left, 0);
}

TEST_F(ViewLayout, SameWidthButtonsTakeTheWidest) {
  auto* a = Button(30, 22);
  auto* b = Button(50, 22);
  auto* c = Button(40, 22);
  for (auto* x : {a, b}) x->SetOptions({tboImageAboveCaption, tboSameWidth});
  (void)c;
  auto view = MakeView(true);
  TPoint size{};
  view->UpdatePositions(size);
  EXPECT_EQ(view->Viewers(0)->BoundsRect().right - view->Viewers(0)->BoundsRect().left, 50);
  EXPECT_EQ(view->Viewers(2)->BoundsRect().right - view->Viewers(2)->BoundsRect().left, 40);
}

TEST_F(ViewLayout, SelectionNavigation) {
  auto* a = Button(20, 22, "&Alpha");
  Separator();
  auto* b = Button(20, 22, "&Beta");
  auto* c = Button(20, 22, "&Bravo");
  auto* hidden = Button(20, 22, "Hidden");
  hidden->SetVisible(false);
  a->SetStyleBits(tbisDontSelectFirst);
  auto view = MakeView(false);
  TPoint size{};
  view->UpdatePositions(size);
  EXPECT_EQ(view->FirstSelectable()->Item(), b) << "DontSelectFirst is skipped";
  EXPECT_EQ(view->NextSelectable(view->Find(c), true)->Item(), a) << "wraps around";
  EXPECT_EQ(view->NextSelectable(view->Find(a), false)->Item(), c);
  bool only = true;
  TTBItemViewer* first = view->FindAccel(nullptr, u'b', only);
  EXPECT_EQ(first->Item(), b);
  EXPECT_FALSE(only);
  TTBItemViewer* second = view->FindAccel(first, u'B', only);
  EXPECT_EQ(second->Item(), c);
  EXPECT_EQ(view->FindAccel(nullptr, u'a', only)->Item(), a);
  EXPECT_TRUE(only);
  EXPECT_EQ(view->FindAccel(nullptr, u'h', only), nullptr) << "invisible items have no accelerator";
  EXPECT_THROW(view->Find(&root), ETBItemError);
}

TEST_F(ViewLayout, SecondaryAcceleratorsAndDisabledPass) {
  auto* plain = Button(20, 22, "Plain");
  auto* off = Button(20, 22, "&Off");
  off->SetEnabled(false);
  Button(20, 22, " space");
  auto view = MakeView(false);
  bool only = false;
  EXPECT_EQ(view->FindAccel(nullptr, u'p', only)->Item(), plain) << "the first letter of a caption without '&'";
  EXPECT_EQ(view->FindAccel(nullptr, u'p', only, true), nullptr) << "not when a primary one is required";
  EXPECT_EQ(view->FindAccel(nullptr, u'o', only)->Item(), off) << "disabled items come after enabled ones";
  EXPECT_EQ(view->FindAccel(nullptr, u' ', only), nullptr) << "a space never matches";
}

TEST_F(ViewLayout, NotificationsKeepViewersInStep) {
  auto* a = Button();
  auto view = MakeView(true, true);
  EXPECT_EQ(view->ViewerCount(), 1);
  auto* group = new TTBGroupItem(&root);
  root.Add(group);
  auto* inGroup = new FixedItem(&root, 10, 10);
  group->Add(inGroup);
  ASSERT_EQ(view->ViewerCount(), 3);
  EXPECT_EQ(view->Viewers(2)->Item(), inGroup);
  EXPECT_EQ(view->Viewers(2)->GroupLevel(), 1);
  auto* b = new FixedItem(&root, 10, 10);
  root.Insert(1, b);
  EXPECT_EQ(view->Viewers(1)->Item(), b) << "before the next sibling's viewer";
  EXPECT_EQ(view->HighestPriorityViewer()->Item(), b) << "new items enter at the front";
  delete group;
  EXPECT_EQ(view->ViewerCount(), 2) << "a deleted group takes its children's viewers along";
  view->SetSelected(view->Find(a));
  delete a;
  EXPECT_EQ(view->Selected(), nullptr);
  root.Clear();
  EXPECT_EQ(view->ViewerCount(), 0);
}

TEST_F(ViewLayout, AParentItemFreedBeforeItsView) {
  auto* parent = new TTBRootItem(nullptr);
  for (int i = 0; i < 3; ++i) parent->Add(new FixedItem(parent, 20, 20));
  TTBView view(nullptr, nullptr, parent, nullptr, true, false, true);
  view.AfterConstruction();
  ASSERT_EQ(view.ViewerCount(), 3);
  delete parent;
  EXPECT_EQ(view.ViewerCount(), 0);
  EXPECT_EQ(view.ParentItem(), nullptr);
  TPoint size{};
  view.UpdatePositions(size);
  EXPECT_EQ(size.x, 0);
}

TEST_F(ViewLayout, ALinkedTargetFreedUnderItsView) {
  auto* target = new TTBRootItem(nullptr);
  for (int i = 0; i < 2; ++i) target->Add(new FixedItem(target, 20, 20));
  auto* linker = new TTBCustomItem(&root);
  root.Add(linker);
  linker->SetLinkSubitems(target);
  TTBView view(nullptr, nullptr, linker, nullptr, false, false, false);
  view.AfterConstruction();
  EXPECT_EQ(view.CurParentItem(), target);
  EXPECT_EQ(view.ViewerCount(), 2);
  delete target;
  EXPECT_EQ(linker->LinkSubitems(), nullptr);
  EXPECT_EQ(view.CurParentItem(), linker) << "the view shows the item's own children again";
  EXPECT_EQ(view.ViewerCount(), 0);
}

TEST_F(ViewLayout, DoneActionsGoToTheRootView) {
  auto* a = Button(20, 22, "&Go");
  auto view = MakeView(false);
  view->EndModalWithClick(view->Find(a));
  EXPECT_EQ(view->DoneActionData().DoneAction, tbdaClickItem);
  EXPECT_EQ(view->DoneActionData().ClickItem, a);
  EXPECT_TRUE(view->DoneActionData().Sound) << "popups ask for the command sound";
  view->EndModalWithHelp(42);
  EXPECT_EQ(view->DoneActionData().DoneAction, tbdaHelpContext);
  EXPECT_EQ(view->DoneActionData().ContextID, 42);
  a->SetEnabled(false);
  view->SetSelected(view->Find(a));
  view->ExecuteSelected(true);
  EXPECT_EQ(view->DoneActionData().DoneAction, tbdaCancel) << "a disabled item just ends the loop";
}

}  // namespace
}  // namespace toolbars::testing
