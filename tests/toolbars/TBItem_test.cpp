#include "toolbars/TBItem.h"

#include "ToolbarsFixture.h"
#include "framework/ActnList.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/services/Sound.h"
#include "platform/user/services/WinHelp.h"
#include "platform/user/messages/Messages.h"
#include "toolbars/TBItemView.h"
#include "toolbars/detail/TBItemQueue.h"

namespace toolbars::testing {
namespace {

class ItemTree : public ToolbarsTest {};

TEST_F(ItemTree, ChildrenAndIndexErrors) {
  TTBRootItem root(nullptr);
  auto* a = new TTBCustomItem(&root);
  auto* b = new TTBCustomItem(&root);
  root.Add(a);
  root.Insert(root.Count(), b);  // Insert at Count appends
  EXPECT_EQ(root.Items(1), b);
  EXPECT_EQ(b->Parent(), &root);
  EXPECT_THROW(root.Items(2), ETBItemError);
  EXPECT_THROW(root.Insert(3, new TTBCustomItem(&root)), ETBItemError);
  try {
    root.Insert(0, a);
    FAIL();
  } catch (const ETBItemError& e) {
    EXPECT_STREQ(e.what(), "Toolbar item already inserted");
  }
  try {
    root.Items(-1);
    FAIL();
  } catch (const ETBItemError& e) {
    EXPECT_STREQ(e.what(), "Toolbar item index out of range");
  }
  NotifyRecorder rec(&root);
  root.Move(0, 1);
  EXPECT_EQ(root.Items(1), a);
  EXPECT_EQ(rec.Actions(), (std::vector<TTBItemChangedAction>{tbicSubitemsBeginUpdate, tbicDeleting,
                                                               tbicSubitemsBeginUpdate, tbicInserted,
                                                               tbicSubitemsEndUpdate, tbicSubitemsEndUpdate}));
  EXPECT_THROW(root.Move(0, 5), ETBItemError);
  root.Delete(0);
  EXPECT_EQ(b->Parent(), nullptr) << "Delete takes the child out without freeing it";
  delete b;
  delete a;  // leaves the parent's list itself
  EXPECT_EQ(root.Count(), 0);
}

TEST_F(ItemTree, AMenuCannotContainItself) {
  TTBRootItem root(nullptr);
  auto* sub = new TTBCustomItem(&root);
  root.Add(sub);
  auto* inner = new TTBCustomItem(&root);
  sub->Add(inner);
  auto* detached = new TTBCustomItem(nullptr);
  detached->Add(new TTBCustomItem(detached));
  try {
    detached->Items(0)->Add(detached);
    FAIL() << "an item went into its own child";
  } catch (const ETBItemError& e) {
    EXPECT_STREQ(e.what(), "Toolbar item cannot be inserted into itself");
  }
  EXPECT_THROW(detached->Add(detached), ETBItemError);
  delete detached;
  // Linking to an ancestor is allowed: the children are shown on demand, one level at a time.
  inner->SetLinkSubitems(&root);
  EXPECT_FALSE(root.IsShortCut(fw::scCtrl | 'K'));
}

TEST_F(ItemTree, AnActionFreedUnderItsLink) {
  auto* action = new fw::TAction(nullptr);
  action->SetCaption("Go");
  int ran = 0;
  action->OnExecute = [&](TObject*) { ++ran; };
  TTBCustomItem item(nullptr);
  item.SetAction(action);
  delete action;
  EXPECT_EQ(item.Action(), nullptr);
  item.Click();
  EXPECT_EQ(ran, 1) << "the handler copied from the action still runs";
  EXPECT_EQ(item.Caption(), "Go");
}

TEST_F(ItemTree, BlankSeparatorsAndUngroupedItems) {
  TTBRootItem root(nullptr);
  auto* sep = new TTBSeparatorItem(&root);
  root.Add(sep);
  NotifyRecorder rec(&root);
  sep->SetBlank(true);
  EXPECT_TRUE(sep->Blank());
  EXPECT_EQ(rec.Actions(), (std::vector<TTBItemChangedAction>{tbicInvalidate}));
  // Items start in no radio group: checking one leaves the others alone.
  auto* a = new TTBCustomItem(&root);
  auto* b = new TTBCustomItem(&root);
  root.Add(a);
  root.Add(b);
  EXPECT_EQ(a->GroupIndex(), 0);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_TRUE(a->Checked());
}

TEST_F(ItemTree, RadioGroupsUncheckOnlyTheirSiblings) {
  TTBRootItem root(nullptr), other(nullptr);
  std::vector<TTBCustomItem*> items;
  for (int g : {3, 3, 0, 4}) {
    auto* it = new TTBCustomItem(&root);
    it->SetGroupIndex(g);
    it->SetChecked(true);
    root.Add(it);
    items.push_back(it);
  }
  auto* foreign = new TTBCustomItem(&other);
  foreign->SetGroupIndex(3);
  foreign->SetChecked(true);
  other.Add(foreign);
  items[0]->SetChecked(false);
  items[0]->SetChecked(true);
  EXPECT_FALSE(items[1]->Checked());
  EXPECT_TRUE(items[2]->Checked());
  EXPECT_TRUE(items[3]->Checked());
  EXPECT_TRUE(foreign->Checked()) << "another parent's group is untouched";
  // A checked item moved into group 4 unchecks that group.
  items[2]->SetGroupIndex(4);
  EXPECT_FALSE(items[3]->Checked());
  EXPECT_TRUE(items[2]->Checked());
}

TEST_F(ItemTree, SettersTellTheParentWhatChanged) {
  TTBRootItem root(nullptr);
  auto* it = new TTBCustomItem(&root);
  root.Add(it);
  NotifyRecorder rec(&root);
  struct Case {
    std::function<void()> change;
    std::vector<TTBItemChangedAction> expected;
  };
  std::vector<Case> cases = {
      {[&] { it->SetImageIndex(2); }, {tbicInvalidateAndResize}},
      {[&] { it->SetImageIndex(5); }, {tbicInvalidate}},
      {[&] { it->SetImageIndex(5); }, {}},
      {[&] { it->SetCaption("&Open"); }, {tbicInvalidateAndResize}},
      {[&] { it->SetEnabled(false); }, {tbicInvalidate}},
      {[&] { it->SetVisible(false); }, {tbicInvalidateAndResize}},
      {[&] { it->SetDisplayMode(nbdmTextOnly); }, {tbicInvalidateAndResize}},
      {[&] { it->SetOptions({tboShowHint}); }, {}},
      {[&] { it->SetOptions({tboShowHint, tboDefault}); }, {tbicInvalidateAndResize}},
      {[&] { it->SetName("itOpen"); }, {tbicNameChanged}},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    rec.log.clear();
    cases[i].change();
    EXPECT_EQ(rec.Actions(), cases[i].expected) << "case " << i;
    for (auto& r : rec.log) EXPECT_EQ(r.Item, it);
  }
}

TEST_F(ItemTree, EffectiveOptions) {
  TTBRootItem root(nullptr);
  auto* parent = new TTBCustomItem(&root);
  auto* child = new TTBCustomItem(&root);
  root.Add(parent);
  parent->SetOptions({tboToolbarSize});
  EXPECT_TRUE(parent->Options().Empty()) << "toolbar size needs toolbar style";
  parent->SetOptions({tboDefault, tboToolbarStyle, tboToolbarSize, tboShowHint});
  parent->Add(child);
  EXPECT_EQ(child->EffectiveOptions(), (TTBItemOptions{tboToolbarStyle, tboToolbarSize, tboShowHint}));
  child->SetMaskOptions({tboShowHint});
  EXPECT_EQ(child->EffectiveOptions(), (TTBItemOptions{tboToolbarStyle, tboToolbarSize}));
  child->SetInheritOptions(false);
  EXPECT_TRUE(child->EffectiveOptions().Empty());
}

TEST_F(ItemTree, NotificationsRelayThroughGroupsAndLinks) {
  TTBRootItem root(nullptr);
  auto* group = new TTBGroupItem(&root);
  auto* inner = new TTBGroupItem(&root);
  root.Add(group);
  group->Add(inner);
  NotifyRecorder rec(&root);
  auto* leaf = new TTBCustomItem(&root);
  inner->Add(leaf);
  ASSERT_FALSE(rec.log.empty());
  bool sawInsert = false;
  for (auto& r : rec.log)
    if (r.Action == tbicInserted) {
      sawInsert = true;
      EXPECT_TRUE(r.Relayed);
      EXPECT_EQ(r.Sender, inner) << "the sender is the group that relayed it first";
      EXPECT_EQ(r.Item, leaf);
    }
  EXPECT_TRUE(sawInsert);

  // An item showing another's children hears their changes.
  TTBRootItem source(nullptr), user(nullptr);
  auto* linker = new TTBCustomItem(&user);
  user.Add(linker);
  NotifyRecorder linkRec(linker);
  linker->SetLinkSubitems(linker);
  EXPECT_EQ(linker->LinkSubitems(), nullptr) << "a link to itself is no link";
  linker->SetLinkSubitems(&source);
  EXPECT_EQ(linker->GetLinkedItem(), &source);
  EXPECT_EQ(linkRec.Actions(), (std::vector<TTBItemChangedAction>{tbicSubitemsChanged}));
}

TEST_F(ItemTree, HandlerThatUnregistersDoesNotSkipTheNext) {
  TTBRootItem root(nullptr);
  int first = 0, second = 0;
  int idA = 0, idB = 0;
  root.RegisterNotification(&idA, [&](auto...) {
    ++first;
    root.UnregisterNotification(&idA);
  });
  root.RegisterNotification(&idB, [&](auto...) { ++second; });
  root.RegisterNotification(&idB, [&](auto...) { ++second; });  // counted, not added twice
  root.Notify(tbicInvalidate, -1, nullptr);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);
  root.UnregisterNotification(&idB);
  root.Notify(tbicInvalidate, -1, nullptr);
  EXPECT_EQ(second, 2) << "registered twice needs two unregistrations";
  root.UnregisterNotification(&idB);
  root.Notify(tbicInvalidate, -1, nullptr);
  EXPECT_EQ(second, 2);
}

TEST_F(ItemTree, ImageListsAndTheirChanges) {
  TTBRootItem root(nullptr);
  auto* it = new TTBCustomItem(&root);
  root.Add(it);
  NotifyRecorder rec(&root);
  auto* images = new fw::TImageList(nullptr);
  it->SetImages(images);
  EXPECT_EQ(rec.Actions(), (std::vector<TTBItemChangedAction>{tbicInvalidateAndResize}));
  fw::TBitmap picture;
  picture.SetWidth(16);
  picture.SetHeight(16);
  images->Add(&picture, nullptr);
  EXPECT_EQ(rec.Actions().back(), tbicInvalidate) << "same size: repaint only";
  rec.log.clear();
  images->SetWidth(24);
  EXPECT_EQ(rec.Actions(), (std::vector<TTBItemChangedAction>{tbicInvalidateAndResize}));
  delete images;
  EXPECT_EQ(it->Images(), nullptr) << "a freed list is forgotten";
}

TEST_F(ItemTree, ActionLinkCopiesOnlyDefaults) {
  fw::TAction action(nullptr);
  action.SetCaption("Save");
  action.SetHint("Save the file");
  action.SetImageIndex(4);
  action.SetEnabled(false);
  action.SetChecked(true);
  int executed = 0;
  action.OnExecute = [&](TObject*) { ++executed; };
  TTBCustomItem item(nullptr);
  item.SetCaption("Keep");
  action.BeginLoad();
  item.SetAction(&action);  // the action still loading: only defaults are taken
  action.EndLoad();
  EXPECT_EQ(item.Caption(), "Keep");
  EXPECT_EQ(item.Hint(), "Save the file");
  EXPECT_EQ(item.ImageIndex(), 4);
  EXPECT_FALSE(item.Enabled());
  EXPECT_TRUE(item.Checked()) << "an unchecked item takes the action's check";
  action.SetEnabled(true);
  EXPECT_TRUE(item.Enabled()) << "the link passes later changes on";
  action.SetCaption("Save as");
  EXPECT_EQ(item.Caption(), "Keep") << "a caption changed by hand is no longer linked";
  item.Click();
  EXPECT_EQ(executed, 1);
  int own = 0;
  item.OnClick = [&](TObject*) { ++own; };
  item.Click();
  EXPECT_EQ(own, 1) << "an OnClick of its own wins over the action";
  EXPECT_EQ(executed, 1);
}

TEST_F(ItemTree, ClickAutoChecksOnlyEnabledItems) {
  TTBCustomItem item(nullptr);
  int clicks = 0;
  item.OnClick = [&](TObject*) { ++clicks; };
  item.SetAutoCheck(true);
  item.Click();
  EXPECT_TRUE(item.Checked());
  item.SetEnabled(false);
  item.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(item.Checked());
  TTBCustomItem combo(nullptr);
  combo.OnClick = [&](TObject*) { ++clicks; };
  int popups = 0;
  combo.OnPopup = [&](TTBCustomItem*, bool) { ++popups; };
  combo.DoPopup(&combo, false);
  EXPECT_EQ(clicks, 2) << "a plain item's popup clicks it";
}

TEST_F(ItemTree, ShortCutWalk) {
  TTBRootItem root(nullptr);
  auto* file = new TTBCustomItem(&root);
  root.Add(file);
  auto* shared = new TTBRootItem(nullptr);
  auto* save = new TTBCustomItem(shared);
  save->SetShortCut(fw::scCtrl | 'S');
  shared->Add(save);
  file->SetLinkSubitems(shared);
  int saved = 0, popups = 0;
  save->OnClick = [&](TObject*) { ++saved; };
  file->OnPopup = [&](TTBCustomItem*, bool) { ++popups; };
  EXPECT_TRUE(root.IsShortCut(fw::scCtrl | 'S'));
  EXPECT_EQ(saved, 1);
  EXPECT_GE(popups, 1) << "menus on the path are asked to fill themselves";
  EXPECT_FALSE(root.IsShortCut(fw::scCtrl | 'Q'));
  save->SetEnabled(false);
  EXPECT_FALSE(root.IsShortCut(fw::scCtrl | 'S'));
  save->SetEnabled(true);
  // An exception of the click goes to the application's handler; the key still counts as used.
  int reported = 0;
  fw::Application->OnException = [&](TObject*, const std::exception&) { ++reported; };
  save->OnClick = [](TObject*) { throw std::runtime_error("boom"); };
  EXPECT_TRUE(root.IsShortCut(fw::scCtrl | 'S'));
  EXPECT_EQ(reported, 1);
  delete shared;
}

TEST_F(ItemTree, ShortCutWalkEndsOnLinkCycles) {
  TTBRootItem a(nullptr), b(nullptr);
  auto* toB = new TTBCustomItem(&a);
  a.Add(toB);
  auto* toA = new TTBCustomItem(&b);
  b.Add(toA);
  toB->SetLinkSubitems(&b);
  toA->SetLinkSubitems(&a);
  EXPECT_FALSE(a.IsShortCut(fw::scCtrl | 'Z'));
}

// Menus built on demand that keep moving the item about would make the walk start over for ever.
TEST_F(ItemTree, ShortCutWalkGivesUpOnMenusThatKeepMoving) {
  TTBRootItem root(nullptr);
  auto* file = new TTBCustomItem(&root);
  auto* edit = new TTBCustomItem(&root);
  root.Add(file);
  root.Add(edit);
  auto* roaming = new TTBCustomItem(&root);
  roaming->SetShortCut(fw::scCtrl | 'R');
  int clicks = 0, popups = 0;
  roaming->OnClick = [&](TObject*) { ++clicks; };
  file->Add(roaming);
  auto moveTo = [&](TTBCustomItem* to) {
    if (roaming->Parent()) roaming->Parent()->Remove(roaming);
    to->Add(roaming);
  };
  file->OnPopup = [&](TTBCustomItem*, bool) { ++popups, moveTo(edit); };
  edit->OnPopup = [&](TTBCustomItem*, bool) { ++popups, moveTo(file); };
  EXPECT_FALSE(root.IsShortCut(fw::scCtrl | 'R'));
  EXPECT_EQ(clicks, 0);
  EXPECT_LT(popups, 10) << "the walk stopped after a few rounds";
}

TEST_F(ItemTree, PostedClickRunsFromTheQueueAndDiesWithItsItem) {
  auto* item = new TTBCustomItem(nullptr);
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  TTBDoneActionRec done;
  done.DoneAction = tbdaClickItem;
  done.ClickItem = item;
  done.Sound = true;
  win::SetSoundSchemeEntry(u"MenuCommand", u"click.wav");
  win::ResetPlayedSounds();
  ProcessDoneAction(done);
  EXPECT_EQ(clicks, 0) << "never inside the caller";
  ASSERT_EQ(win::PlayedSounds().size(), 1u);
  EXPECT_EQ(win::PlayedSounds()[0].name, u"MenuCommand");
  EXPECT_EQ(win::PlayedSounds()[0].flags, 0x10013u);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(detail::PendingSlotCount(), 0);
  // Freed before the message arrives: nothing runs.
  ProcessDoneAction(done);
  auto* keepAlive = new TTBCustomItem(nullptr);  // keeps the queue's window alive
  delete item;
  Pump();
  EXPECT_EQ(clicks, 1);
  delete keepAlive;
  EXPECT_EQ(detail::PendingCallWindow(), nullptr) << "the window goes with the last item";
  win::SetSoundSchemeEntry(u"MenuCommand", u"");
}

TEST_F(ItemTree, HelpAndSystemMenuDoneActions) {
  std::vector<std::pair<Word, fw::NativeInt>> asked;
  fw::Application->OnHelp = [&](Word Command, fw::NativeInt Data, bool& CallHelp) {
    asked.emplace_back(Command, Data);
    CallHelp = false;
    return true;
  };
  TTBDoneActionRec help;
  help.DoneAction = tbdaHelpContext;
  help.ContextID = 77;
  ProcessDoneAction(help);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].first, win::HELP_CONTEXT);
  EXPECT_EQ(asked[0].second, 77);

  win::HWND wnd = Create(win::WS_POPUP, {0, 0, 10, 10});
  ClearLog();
  TTBDoneActionRec key;
  key.DoneAction = tbdaOpenSystemMenu;
  key.Wnd = wnd;
  key.Key = ' ';
  ProcessDoneAction(key);
  ASSERT_EQ(Count(wnd, win::WM_SYSCOMMAND), 1);
  EXPECT_EQ(Log(wnd).back().wParam, win::SC_KEYMENU);
}

TEST_F(ItemTree, PostingTakesTheFirstFreeSlot) {
  TTBCustomItem a(nullptr), b(nullptr), c(nullptr);
  detail::PostCall(&a, 0);
  detail::PostCall(&b, 0);
  EXPECT_EQ(detail::PendingSlotCount(), 2);
  detail::CancelPostedCalls(&a);
  detail::PostCall(&c, 0);
  EXPECT_EQ(detail::PendingSlotCount(), 3) << "a dead marker is not a free slot";
  Pump();
  EXPECT_EQ(detail::PendingSlotCount(), 0);
}

TEST_F(ItemTree, ControlItemFreesItsControl) {
  auto* control = new fw::TControl(nullptr);
  bool freed = false;
  struct Watch : fw::TComponent {
    Watch(bool& f) : fw::TComponent(nullptr), flag(f) {}
    void Notification(fw::TComponent*, fw::TOperation op) override {
      if (op == fw::opRemove) flag = true;
    }
    bool& flag;
  } watch(freed);
  control->FreeNotification(&watch);
  {
    TTBControlItem item(nullptr, control);
    EXPECT_EQ(item.Control(), control);
    EXPECT_FALSE(item.ItemStyle() & tbisSelectable);
  }
  EXPECT_TRUE(freed);
  auto* kept = new fw::TControl(nullptr);
  {
    TTBControlItem item(nullptr, kept);
    item.SetDontFreeControl(true);
  }
  delete kept;
}

// Placement next to a parent view: a submenu that does not fit on the right opens leftward, a
// drop-down of a menu bar that does not fit above stays below.
TEST_F(ItemTree, PopupPositionBesideAParentView) {
  TTBRootItem root(nullptr);
  root.Add(new TTBCustomItem(&root));
  TTBView bar(nullptr, nullptr, &root, nullptr, true, false, false);
  bar.AfterConstruction();
  TTBView menu(nullptr, nullptr, &root, nullptr, false, false, false);
  menu.AfterConstruction();
  TTBCustomItem item(nullptr);
  TTBPopupPlacement p;
  p.MonitorRect = TRect{0, 0, 1024, 768};
  p.NCSizeX = p.NCSizeY = 3;
  p.PositionAsSubmenu = true;
  p.ParentItemRect = TRect{800, 100, 1000, 120};
  p.X = 1000 - 3, p.Y = 100 - 3, p.W = 250, p.H = 200;
  item.GetPopupPosition(&menu, nullptr, p);
  EXPECT_EQ(p.X, 800 + 3 - 250);
  EXPECT_EQ(p.Y, 97);
  EXPECT_EQ(p.AnimDir, tbadLeftward);
  p.ParentItemRect = TRect{100, 700, 300, 720};
  p.X = 297, p.Y = 697;
  item.GetPopupPosition(&menu, nullptr, p);
  EXPECT_EQ(p.Y, 720 + 3 - 200) << "up from the line's bottom when it does not fit below";
  TTBPopupPlacement d;
  d.MonitorRect = TRect{0, 0, 1024, 768};
  d.NCSizeX = d.NCSizeY = 3;
  d.ParentItemRect = TRect{10, 0, 50, 20};
  d.X = 10, d.Y = 20, d.W = 150, d.H = 300;
  item.GetPopupPosition(&bar, nullptr, d);
  EXPECT_EQ(d.X, 10);
  EXPECT_EQ(d.Y, 20) << "no room above the bar";
  EXPECT_EQ(d.AnimDir, tbadDownward);
}

// Popup placement, with a 1024 x 768 monitor and a 3 x 3 border.
TEST_F(ItemTree, PopupPositionTable) {
  struct Case {
    const char* name;
    TTBPopupPlacement in;
    Integer x, y;
    TTBAnimationDirection dir;
  };
  auto rec = [](bool submenu, Byte align, TRect parent, Integer x, Integer y, Integer w, Integer h) {
    TTBPopupPlacement p;
    p.PositionAsSubmenu = submenu;
    p.Alignment = align;
    p.MonitorRect = TRect{0, 0, 1024, 768};
    p.ParentItemRect = parent;
    p.NCSizeX = p.NCSizeY = 3;
    p.X = x, p.Y = y, p.W = w, p.H = h;
    return p;
  };
  std::vector<Case> cases = {
      {"point, right aligned, off the left edge", rec(false, 1, {50, 50, 50, 50}, -70, 50, 120, 100), 50, 50,
       tbadDownward | tbadRightward},
      {"point that fits", rec(false, 0, {100, 100, 100, 100}, 100, 100, 150, 200), 100, 100,
       tbadDownward | tbadRightward},
      {"point near the bottom opens upward", rec(false, 0, {100, 700, 100, 700}, 100, 700, 150, 200), 100, 500,
       tbadUpward | tbadRightward},
      {"point near the right edge opens leftward", rec(false, 0, {1000, 10, 1000, 10}, 1000, 10, 150, 100), 850,
       10, tbadDownward | tbadLeftward},
  };
  for (auto& c : cases) {
    TTBCustomItem item(nullptr);
    TTBPopupPlacement p = c.in;
    item.GetPopupPosition(nullptr, nullptr, p);
    EXPECT_EQ(p.X, c.x) << c.name;
    EXPECT_EQ(p.Y, c.y) << c.name;
    EXPECT_EQ(p.AnimDir, c.dir) << c.name;
  }
}

}  // namespace
}  // namespace toolbars::testing
