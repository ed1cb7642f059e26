// Controls whose platform window handles the press itself keep the mouse after the framework's
// own press handling: drags, held presses with their auto-repeat, and a list opened by a press.

#include <functional>
#include <string>
#include <vector>

#include "framework/StdCtrlsList.h"
#include "framework/StringList.h"
#include "platform/controls/ComboBox.h"
#include "trackbar_mouse_support.h"

namespace fw::testing {
namespace {

using FrameworkTrackBarMouse = TrackBarMouseTest<TTrackBar>;
KV_TRACKBAR_MOUSE_CASES(FrameworkTrackBarMouse)

// One mouse gesture on one kind of control, on a form where the focus starts elsewhere. The
// fixed test font makes a character 7 pixels wide and a line 13 pixels high.
class PressedControls : public TrackBarMouseTest<TTrackBar> {
 protected:
  // Press at `from`, move to `to` in five steps, release; the loop runs after each.
  void Drag(win::POINT from, win::POINT to) {
    desktop->mouse_move(from);
    UserPump();
    desktop->mouse_down(from);
    UserPump();
    for (int k = 1; k <= 5; ++k) {
      desktop->mouse_move({from.x + (to.x - from.x) * k / 5, from.y + (to.y - from.y) * k / 5});
      UserPump();
    }
    desktop->mouse_up(to);
    UserPump();
  }
  void Prepare() {
    edit = Add<TEdit>(10, 250, 80, 21);
    ShowForm();
    edit->SetFocus();
    UserPump();
  }
};

TEST_F(PressedControls, ADragSelectsTextInAnEditAndAMemo) {
  auto* field = Add<TEdit>(10, 10, 200, 21);
  field->SetText("abcdefghijklmnop");
  auto* memo = Add<TMemo>(10, 40, 200, 60);
  memo->SetText("abcdefgh\r\nijklmnop");
  Prepare();
  Drag(At(field, 2 + 7 * 2, 10), At(field, 2 + 7 * 9, 10));
  EXPECT_EQ(field->SelStart(), 2);
  EXPECT_EQ(field->SelLength(), 7);
  Drag(At(memo, 2 + 7 * 3, 8), At(memo, 2 + 7 * 5, 8 + 13));
  EXPECT_EQ(memo->SelStart(), 3);
  EXPECT_EQ(memo->SelLength(), 5 + 2 + 5) << "the rest of the first line, its line break, five of the second";
}

TEST_F(PressedControls, ADragOverListLinesFollowsThePointer) {
  auto* single = Add<TListBox>(10, 10, 120, 120);
  auto* extended = Add<TListBox>(140, 10, 120, 120);
  extended->SetMultiSelect(true);
  extended->SetExtendedSelect(true);
  for (TListBox* list : {single, extended})
    for (const char* line : {"one", "two", "three", "four", "five", "six"}) list->Items()->Add(line);
  Prepare();
  const Integer h = single->ItemHeight();
  Drag(At(single, 20, h / 2), At(single, 20, h * 3 + h / 2));
  EXPECT_EQ(single->ItemIndex(), 3) << "the line under the release";
  Drag(At(extended, 20, h + h / 2), At(extended, 20, h * 4 + h / 2));
  std::string selected;
  for (int i = 0; i < 6; ++i) selected += extended->Selected(i) ? '1' : '0';
  EXPECT_EQ(selected, "011110") << "every line the drag passed";
}

TEST_F(PressedControls, AComboListOpenedByAPressIsChosenFromByADragAndRelease) {
  auto* combo = Add<TComboBox>(10, 10, 150, 21);
  combo->SetStyle(csDropDownList);
  for (const char* line : {"one", "two", "three", "four"}) combo->Items()->Add(line);
  combo->SetItemIndex(0);
  int selects = 0;
  combo->OnSelect = [&](TObject*) { ++selects; };
  Prepare();
  const win::POINT press = At(combo, 75, 10);
  desktop->mouse_move(press);
  UserPump();
  desktop->mouse_down(press);
  UserPump();
  ASSERT_TRUE(combo->DroppedDown()) << "the press opens the list";
  win::COMBOBOXINFO info;
  win::SendMessageW(combo->Handle(), win::CB_GETCOMBOBOXINFO, 0, win::LPARAM(&info));
  win::RECT list{};
  win::GetWindowRect(info.hwndList, &list);
  const Integer h = combo->ItemHeight();
  for (int k = 1; k <= 3; ++k) {
    desktop->mouse_move({press.x, list.top + 1 + h * 2 * k / 3 + h / 2});
    UserPump();
  }
  const win::POINT third{press.x, list.top + 1 + h * 2 + h / 2};
  desktop->mouse_up(third);
  UserPump();
  EXPECT_FALSE(combo->DroppedDown()) << "the release closes the list";
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(selects, 1);
}

TEST_F(PressedControls, AHeldUpDownButtonRepeatsUntilReleased) {
  auto* updown = Add<TUpDown>(10, 10, 17, 30);
  updown->SetMax(100);
  updown->SetPosition(10);
  Prepare();
  const win::POINT up = At(updown, 8, 7);
  desktop->mouse_move(up);
  UserPump();
  desktop->mouse_down(up);
  UserPump();
  EXPECT_EQ(updown->Position(), 11) << "the press steps once";
  for (int ms = 0; ms < 1500; ms += 100) {
    desktop->advance(100);
    UserPump();
  }
  desktop->mouse_up(up);
  UserPump();
  // The first repeat after half a second, then ten a second up to the release.
  EXPECT_EQ(updown->Position(), 11 + 11);
  desktop->advance(500);
  UserPump();
  EXPECT_EQ(updown->Position(), 22) << "no repeat after the release";
}

TEST_F(PressedControls, AHeldScrollBarArrowRepeatsUntilReleased) {
  auto* bar = Add<TScrollBar>(10, 10, 200, 17);
  bar->SetMax(100);
  Prepare();
  const win::POINT arrow = At(bar, 200 - 8, 8);  // the right arrow
  desktop->mouse_move(arrow);
  UserPump();
  // The scroll bar tracks the press in a loop of its own: the clock and the release come from
  // the desktop while that loop waits.
  std::vector<Integer> seen;
  for (int ms = 0; ms < 1500; ms += 100) desktop->script([&] {
      seen.push_back(bar->Position());
      desktop->advance(100);
    });
  desktop->script([&] { desktop->mouse_up(arrow); });
  desktop->mouse_down(arrow);
  UserPump();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), 1) << "the press steps once";
  const Integer held = bar->Position();
  EXPECT_GT(held, 6) << "the arrow repeats while held";
  desktop->advance(500);
  UserPump();
  EXPECT_EQ(bar->Position(), held) << "no repeat after the release";
}

TEST_F(PressedControls, AButtonClicksOnlyWhenReleasedOverIt) {
  auto* button = Add<TButton>(10, 10, 80, 25);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  Prepare();
  const win::POINT inside = At(button, 40, 12), outside = At(button, 40, 80);
  Drag(inside, outside);
  EXPECT_EQ(clicks, 0) << "released beside it";
  desktop->mouse_move(inside);
  UserPump();
  desktop->mouse_down(inside);
  UserPump();
  desktop->mouse_move(outside);
  UserPump();
  desktop->mouse_move(inside);
  UserPump();
  desktop->mouse_up(inside);
  UserPump();
  EXPECT_EQ(clicks, 1) << "away and back, released over it";
}

}  // namespace
}  // namespace fw::testing
