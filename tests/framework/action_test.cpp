#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_fixture.h"
#include "framework/ActnList.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StringList.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"

namespace fw::testing {
namespace {

class Box : public TCustomControl {
 public:
  explicit Box(TComponent* AOwner) : TCustomControl(AOwner) {}
};

// A hint client, as a status bar would be: it takes the text of hint actions.
class HintSink : public TCustomControl {
 public:
  explicit HintSink(TComponent* AOwner) : TCustomControl(AOwner) {}
  std::vector<String> hints;
  bool ExecuteAction(TBasicAction* Action) override {
    if (auto* h = dynamic_cast<THintAction*>(Action)) {
      hints.push_back(h->Hint());
      return true;
    }
    return TCustomControl::ExecuteAction(Action);
  }
};

using ActionTests = ControlTest;

TEST_F(ActionTests, AssigningAnActionCopiesItsPropertiesToAControl) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  action->SetCaption("&Save");
  action->SetHint("Save|Saves the file");
  action->SetEnabled(false);
  action->SetVisible(false);
  auto* box = new Box(&form);
  box->SetParent(&form);
  box->SetAction(action);
  EXPECT_EQ(box->Caption(), "&Save");
  EXPECT_EQ(box->Hint(), "Save|Saves the file");
  EXPECT_FALSE(box->Enabled());
  EXPECT_FALSE(box->Visible());
  EXPECT_EQ(box->Action(), action);
}

TEST_F(ActionTests, ActionChangesReachLinkedControlsUntilTheControlIsChangedByHand) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  action->SetCaption("One");
  auto* box = new Box(&form);
  box->SetParent(&form);
  box->SetAction(action);

  action->SetCaption("Two");
  action->SetHint("tip");
  action->SetEnabled(false);
  action->SetVisible(false);
  EXPECT_EQ(box->Caption(), "Two");
  EXPECT_EQ(box->Hint(), "tip");
  EXPECT_FALSE(box->Enabled());
  EXPECT_FALSE(box->Visible());

  // The control's own change unlinks that property only; the action keeps its value.
  box->SetCaption("Mine");
  EXPECT_EQ(action->Caption(), "Two");
  action->SetCaption("Three");
  EXPECT_EQ(box->Caption(), "Mine");
  action->SetEnabled(true);
  EXPECT_TRUE(box->Enabled());
  // Back in step, it follows again.
  box->SetCaption("Three");
  action->SetCaption("Four");
  EXPECT_EQ(box->Caption(), "Four");
}

TEST_F(ActionTests, EveryMenuItemPropertyFollowsTheActionAndAHandChangeStopsIt) {
  TPopupMenu menu(nullptr);
  TActionList list(nullptr);
  TAction action(nullptr);
  action.SetActionList(&list);
  auto* item = new TMenuItem(&menu);
  menu.Items()->Add(item);
  item->SetAction(&action);

  struct Prop {
    const char* name;
    std::function<void(int)> setAction;
    std::function<int()> actionValue;
    std::function<int()> item;
    std::function<void(int)> setItem;
  };
  auto text = [](const String& s) { return s.empty() ? 0 : std::stoi(s.substr(1)); };
  std::vector<Prop> values = {
      {"Caption", [&](int v) { action.SetCaption("c" + std::to_string(v)); }, [&] { return text(action.Caption()); },
       [&] { return text(item->Caption()); }, [&](int v) { item->SetCaption("c" + std::to_string(v)); }},
      {"Hint", [&](int v) { action.SetHint("h" + std::to_string(v)); }, [&] { return text(action.Hint()); },
       [&] { return text(item->Hint()); }, [&](int v) { item->SetHint("h" + std::to_string(v)); }},
      {"ImageIndex", [&](int v) { action.SetImageIndex(v); }, [&] { return action.ImageIndex(); },
       [&] { return item->ImageIndex(); }, [&](int v) { item->SetImageIndex(v); }},
      {"ShortCut", [&](int v) { action.SetShortCut(TShortCut(v)); }, [&] { return int(action.ShortCut()); },
       [&] { return int(item->ShortCut()); }, [&](int v) { item->SetShortCut(TShortCut(v)); }},
      {"HelpContext", [&](int v) { action.SetHelpContext(v); }, [&] { return action.HelpContext(); },
       [&] { return item->HelpContext(); }, [&](int v) { item->SetHelpContext(v); }},
      {"GroupIndex", [&](int v) { action.SetGroupIndex(v); }, [&] { return action.GroupIndex(); },
       [&] { return int(item->GroupIndex()); }, [&](int v) { item->SetGroupIndex(Byte(v)); }},
  };
  for (Prop& p : values) {
    SCOPED_TRACE(p.name);
    p.setAction(1);
    EXPECT_EQ(p.item(), 1);
    p.setAction(2);
    EXPECT_EQ(p.item(), 2);
    // Set by hand, the item keeps its value and the action keeps its own.
    p.setItem(5);
    EXPECT_EQ(p.actionValue(), 2);
    p.setAction(3);
    EXPECT_EQ(p.item(), 5);
    // Once equal again, it follows.
    p.setItem(3);
    p.setAction(4);
    EXPECT_EQ(p.item(), 4);
  }
  std::vector<Prop> flags = {
      {"Checked", [&](int v) { action.SetChecked(v); }, [&] { return int(action.Checked()); },
       [&] { return int(item->Checked()); }, [&](int v) { item->SetChecked(v); }},
      {"Enabled", [&](int v) { action.SetEnabled(v); }, [&] { return int(action.Enabled()); },
       [&] { return int(item->Enabled()); }, [&](int v) { item->SetEnabled(v); }},
      {"Visible", [&](int v) { action.SetVisible(v); }, [&] { return int(action.Visible()); },
       [&] { return int(item->Visible()); }, [&](int v) { item->SetVisible(v); }},
      {"AutoCheck", [&](int v) { action.SetAutoCheck(v); }, [&] { return int(action.AutoCheck()); },
       [&] { return int(item->AutoCheck()); }, [&](int v) { item->SetAutoCheck(v); }},
  };
  for (Prop& p : flags) {
    SCOPED_TRACE(p.name);
    int start = p.actionValue();
    p.setAction(!start);
    EXPECT_EQ(p.item(), !start);
    p.setAction(start);
    EXPECT_EQ(p.item(), start);
    p.setItem(!start);
    EXPECT_EQ(p.actionValue(), start);
    p.setItem(start);
  }
}

TEST_F(ActionTests, ClickRunsTheActionAndTheClientIsTheActionComponentMeanwhile) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  int runs = 0;
  TComponent* component = nullptr;
  action->OnExecute = [&](TObject* sender) {
    ++runs;
    EXPECT_EQ(sender, action);
    component = action->ActionComponent();
  };
  auto* box = new Box(&form);
  box->SetParent(&form);
  box->SetAction(action);
  box->Click();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(component, box);
  EXPECT_EQ(action->ActionComponent(), nullptr);
  // A disabled action does not run; the control's own OnClick wins over the action.
  action->SetEnabled(false);
  box->Click();
  EXPECT_EQ(runs, 1);
  action->SetEnabled(true);
  int own = 0;
  box->OnClick = [&](TObject*) { ++own; };
  box->Click();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(runs, 1);
}

TEST_F(ActionTests, TheListsOnExecuteComesFirstAndCanHandleTheAction) {
  TActionList list(nullptr);
  TAction action(nullptr);
  action.SetActionList(&list);
  std::vector<std::string> log;
  bool handle = true;
  list.OnExecute = [&](TBasicAction* a, bool& handled) {
    EXPECT_EQ(a, &action);
    log.push_back("list");
    handled = handle;
  };
  action.OnExecute = [&](TObject*) { log.push_back("action"); };
  EXPECT_TRUE(action.Execute());
  handle = false;
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(log, (std::vector<std::string>{"list", "list", "action"}));
  EXPECT_EQ(action.Index(), 0);
  EXPECT_EQ(list.ActionCount(), 1);
}

TEST_F(ActionTests, AutoCheckTogglesAndGroupsKeepOneChecked) {
  TActionList list(nullptr);
  TAction a(nullptr), b(nullptr), c(nullptr);
  for (TAction* x : {&a, &b, &c}) {
    x->SetActionList(&list);
    x->SetGroupIndex(1);
    x->SetAutoCheck(true);
    x->OnExecute = [](TObject*) {};
  }
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(&menu);
  menu.Items()->Add(item);
  item->SetAction(&b);
  a.Execute();
  EXPECT_TRUE(a.Checked());
  item->Click();  // through the action: b checked, a unchecked
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(item->Checked());
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(item->RadioItem());
  // A checked action of a group stays checked when run again.
  b.Execute();
  EXPECT_TRUE(b.Checked());
  // Without a group, AutoCheck toggles both ways.
  c.SetGroupIndex(0);
  c.Execute();
  c.Execute();
  EXPECT_FALSE(c.Checked());
}

TEST_F(ActionTests, FreeingAnActionLeavesItsClientsUnlinked) {
  TForm form(nullptr);
  auto* list = new TActionList(&form);
  auto* action = new TAction(&form);
  action->SetActionList(list);
  auto* box = new Box(&form);
  box->SetParent(&form);
  box->SetAction(action);
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(&menu);
  menu.Items()->Add(item);
  item->SetAction(action);
  delete action;
  EXPECT_EQ(box->Action(), nullptr);
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(list->ActionCount(), 0);
  box->Click();  // nothing to run, nothing to crash
  item->Click();
  // And freeing a client first unregisters its link.
  TAction other(nullptr);
  auto* box2 = new Box(&form);
  box2->SetAction(&other);
  EXPECT_EQ(other.ClientCount(), 1);
  delete box2;
  EXPECT_EQ(other.ClientCount(), 0);
}

TEST_F(ActionTests, ShortCutsOfTheListRunTheirActions) {
  TActionList list(nullptr);
  TAction save(nullptr);
  save.SetActionList(&list);
  save.SetShortCut(ShortCut('S', {ssCtrl}));
  save.SecondaryShortCuts()->Add("F2");
  int runs = 0;
  save.OnExecute = [&](TObject*) { ++runs; };
  EXPECT_TRUE(list.IsShortCut(ShortCut('S', {ssCtrl})));
  EXPECT_TRUE(list.IsShortCut(ShortCut(win::VK_F2, {})));
  EXPECT_FALSE(list.IsShortCut(ShortCut('S', {})));
  EXPECT_EQ(runs, 2);
}

TEST_F(ActionTests, IdleUpdatesTheActionsOfShownForms) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  int updates = 0;
  action->OnUpdate = [&](TObject*) {
    ++updates;
    action->SetEnabled(false);
  };
  auto* box = new Box(&form);
  box->SetParent(&form);
  box->SetAction(action);
  form.Show();
  Pump();
  int before = updates;
  win::MSG msg{};
  desktop->script([] {});
  Application->Idle(msg);
  EXPECT_GT(updates, before);
  EXPECT_FALSE(box->Enabled());
}

TEST_F(ActionTests, ApplicationHintReachesHintClientsThroughAHintAction) {
  TForm form(nullptr);
  auto* sink = new HintSink(&form);
  sink->SetParent(&form);
  form.Show();
  Pump();
  Application->SetHint("Opens a file");
  Application->SetHint("Opens a file");
  ASSERT_EQ(sink->hints.size(), 1u);
  EXPECT_EQ(sink->hints[0], "Opens a file");
  // An OnHint handler takes over.
  int hinted = 0;
  Application->OnHint = [&](TObject*) { ++hinted; };
  Application->SetHint("Other");
  EXPECT_EQ(hinted, 1);
  EXPECT_EQ(sink->hints.size(), 1u);
}

// A control that takes every action offered to it, counting the executes and the updates.
class ActionTaker : public TCustomControl {
 public:
  explicit ActionTaker(TComponent* AOwner) : TCustomControl(AOwner) {}
  int executed = 0, updated = 0;
  bool ExecuteAction(TBasicAction*) override { return ++executed > 0; }
  bool UpdateAction(TBasicAction*) override { return ++updated > 0; }
};

// An action no list or handler takes goes, to be run or to be updated, to the active form and
// down through its controls until one takes it; the first that does ends the search.
TEST_F(ActionTests, AnActionGoesDownTheFormsControlsUntilOneTakesIt) {
  auto* form = Application->CreateForm<TForm>();
  auto* panel = new Box(form);
  panel->SetParent(form);
  auto* first = new ActionTaker(form);
  first->SetParent(panel);
  auto* second = new ActionTaker(form);
  second->SetParent(panel);
  form->Show();
  Pump();
  TAction action(nullptr);
  action.SetDisableIfNoHandler(false);
  EXPECT_TRUE(action.Execute());
  EXPECT_TRUE(action.Update());
  EXPECT_EQ(first->executed, 1);
  EXPECT_GT(first->updated, 0);
  EXPECT_EQ(second->executed + second->updated, 0) << "the first taker ends the search";
}

}  // namespace
}  // namespace fw::testing

namespace fw::testing {
namespace {

using ActionHookTests = ControlTest;

TEST_F(ActionHookTests, TheApplicationHooksComeAfterTheListAndBeforeTheActionsOwnHandlers) {
  TActionList list(nullptr);
  TAction action(nullptr);
  action.SetActionList(&list);
  std::vector<std::string> log;
  bool listHandles = false, appHandles = true;
  list.OnExecute = [&](TBasicAction* a, bool& handled) {
    EXPECT_EQ(a, &action);
    log.push_back("list");
    handled = listHandles;
  };
  Application->OnActionExecute = [&](TBasicAction* a, bool& handled) {
    EXPECT_EQ(a, &action);
    log.push_back("application");
    handled = appHandles;
  };
  action.OnExecute = [&](TObject*) { log.push_back("own"); };
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(log, (std::vector<std::string>{"list", "application"}));
  log.clear();
  appHandles = false;
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(log, (std::vector<std::string>{"list", "application", "own"}));
  log.clear();
  listHandles = true;
  EXPECT_TRUE(action.Execute());
  EXPECT_EQ(log, (std::vector<std::string>{"list"}));

  // Updates: a handled application update stops the chain before the action's own OnUpdate.
  int ownUpdates = 0;
  action.OnUpdate = [&](TObject*) { ++ownUpdates; };
  Application->OnActionUpdate = [&](TBasicAction*, bool& handled) { handled = true; };
  EXPECT_TRUE(action.Update());
  EXPECT_EQ(ownUpdates, 0);
  Application->OnActionUpdate = [&](TBasicAction*, bool&) {};
  EXPECT_TRUE(action.Update());
  EXPECT_EQ(ownUpdates, 1);
}

TEST_F(ActionHookTests, AnActionWithoutAHandlerIsDisabledOnUpdateUnlessTheOptionIsOff) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  auto* item = new TMenuItem(&form);
  item->SetAction(action);
  EXPECT_TRUE(action->DisableIfNoHandler());
  item->InitiateAction();
  EXPECT_FALSE(action->Enabled());
  EXPECT_FALSE(item->Enabled());
  // A handler assigned later brings it back at the next update.
  action->OnExecute = [](TObject*) {};
  item->InitiateAction();
  EXPECT_TRUE(action->Enabled());
  EXPECT_TRUE(item->Enabled());
  // Disabled by hand, an action with a handler stays disabled through updates.
  action->SetEnabled(false);
  item->InitiateAction();
  EXPECT_FALSE(action->Enabled());
  // With the option off nothing is disabled for want of a handler.
  TAction free(nullptr);
  free.SetDisableIfNoHandler(false);
  free.Update();
  EXPECT_TRUE(free.Enabled());
  // An update that something handles leaves Enabled alone.
  TAction updated(nullptr);
  updated.OnUpdate = [](TObject*) {};
  updated.Update();
  EXPECT_TRUE(updated.Enabled());
  // Assign carries the option.
  TAction copy(nullptr);
  copy.Assign(&free);
  EXPECT_FALSE(copy.DisableIfNoHandler());
}

}  // namespace
}  // namespace fw::testing
