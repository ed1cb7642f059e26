// A key that an action list of the form takes as its shortcut runs the action once and goes no
// further: the focused control never sees it.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "control_fixture.h"
#include "framework/ActnList.h"
#include "framework/Forms.h"

namespace fw::testing {
namespace {

class KeyBox : public TCustomControl {
 public:
  explicit KeyBox(TComponent* AOwner) : TCustomControl(AOwner) { FTabStop = true; }
};

using FormShortCutTests = ControlTest;

TEST_F(FormShortCutTests, TheListsShortCutRunsItsActionOnceAndStopsTheKey) {
  auto* form = Application->CreateForm<TForm>();
  auto* list = new TActionList(form);
  auto* save = new TAction(form);
  save->SetActionList(list);
  save->SetShortCut(ShortCut('S', {ssCtrl}));
  int runs = 0;
  save->OnExecute = [&](TObject*) { ++runs; };
  auto* box = new KeyBox(form);
  box->SetParent(form);
  std::vector<Word> keys;
  box->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { keys.push_back(Key); };
  form->Show();
  form->SetActiveControl(box);
  Pump();

  desktop->key_down(win::VK_CONTROL);
  desktop->press_key('S');
  desktop->key_up(win::VK_CONTROL);
  AppPump();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), Word('S')), 0);

  // A key no action takes reaches the control.
  desktop->press_key('S');
  AppPump();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), Word('S')), 1);
}

}  // namespace
}  // namespace fw::testing
