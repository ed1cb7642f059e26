// What a toolbar does for its items: action updates reach them (and a submenu's children when it
// opens), and the hint request answers with the hint of the button under the mouse.

#include <gtest/gtest.h>

#include <string>

#include "ToolbarsFixture.h"
#include "framework/ActnList.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBToolbar.h"

namespace toolbars::testing {
namespace {

class ToolbarItemsTest : public ToolbarsTest {
 protected:
  void SetUp() override {
    ToolbarsTest::SetUp();
    form = fw::Application->CreateForm<fw::TForm>();
    form->SetBounds(50, 50, 400, 300);
    dock = new TTBDock(form);
    dock->SetParent(form);
    toolbar = new TTBCustomToolbar(form);
    toolbar->AfterConstruction();
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    ToolbarsTest::TearDown();
  }
  // An item tied to an action whose update checks it while `checked` says so.
  TTBCustomItem* LinkedItem(TTBCustomItem* Parent, const char* Caption) {
    auto* action = new fw::TAction(form);
    action->SetCaption(Caption);
    action->OnExecute = [](fw::TObject*) {};
    action->OnUpdate = [this, action](fw::TObject*) { action->SetChecked(checked); };
    auto* item = new StyledItem(form, Caption);
    item->SetAction(action);
    Parent->Add(item);
    return item;
  }
  fw::TForm* form = nullptr;
  TTBDock* dock = nullptr;
  TTBCustomToolbar* toolbar = nullptr;
  bool checked = false;
};

TEST_F(ToolbarItemsTest, ActionUpdatesReachTheItemsOnlyWithUpdateActions) {
  TTBCustomItem* item = LinkedItem(toolbar->Items(), "Analysis");
  for (bool update : {false, true}) {
    SCOPED_TRACE(update);
    toolbar->SetUpdateActions(update);
    checked = !item->Checked();
    const bool before = item->Checked();
    toolbar->InitiateAction();
    EXPECT_EQ(item->Checked(), update ? checked : before);
  }
}

// Children two levels down are not reached by the toolbar's update; opening their submenu
// brings them up to date before they are shown.
TEST_F(ToolbarItemsTest, OpeningASubmenuUpdatesItsChildren) {
  auto* menu = new StyledItem(form, "View", tbisSubmenu);
  toolbar->Items()->Add(menu);
  auto* bars = new StyledItem(form, "Toolbars", tbisSubmenu);
  menu->Add(bars);
  TTBCustomItem* toggle = LinkedItem(bars, "Analysis");
  checked = true;
  toolbar->InitiateAction();
  EXPECT_FALSE(toggle->Checked());
  TTBPopupWindow* popup = bars->CreatePopup(nullptr, nullptr, false, false, false, TPoint{60, 60}, 0);
  EXPECT_TRUE(toggle->Checked());
  delete popup;
  // A submenu that borrows the children (LinkSubitems) updates the borrowed ones.
  auto* borrower = new StyledItem(form, "Borrower", tbisSubmenu);
  borrower->SetLinkSubitems(bars);
  checked = false;
  popup = borrower->CreatePopup(nullptr, nullptr, false, false, false, TPoint{60, 60}, 0);
  EXPECT_FALSE(toggle->Checked());
  delete popup;
  delete borrower;
}

TEST_F(ToolbarItemsTest, TheHintIsTheOneOfTheButtonUnderTheMouse) {
  auto* open = new StyledItem(form, "&Open");
  open->SetHint("Open a file|Opens a file of numbers");
  toolbar->Items()->Add(open);
  toolbar->Items()->Add(new StyledItem(form, "&Save"));
  toolbar->SetCurrentDock(dock);
  Pump();
  struct Case {
    Integer Viewer;
    const char* Hint;  // nullptr: between buttons, nothing shown
  };
  for (const Case& c : {Case{0, "Open a file"}, Case{1, "Save"}, Case{-1, nullptr}}) {
    SCOPED_TRACE(c.Viewer);
    fw::THintInfo info;
    info.HintStr = "toolbar's own";
    info.CursorRect = toolbar->ClientRect();
    TRect bounds{};
    if (c.Viewer >= 0) {
      bounds = toolbar->View()->Viewers(c.Viewer)->BoundsRect();
      info.CursorPos = TPoint{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    } else {
      const TRect last = toolbar->View()->Viewers(1)->BoundsRect();
      info.CursorPos = TPoint{last.right + 3, last.top + 1};
      ASSERT_EQ(toolbar->View()->ViewerFromPoint(info.CursorPos), nullptr);
    }
    const auto result = toolbar->Perform(fw::CM_HINTSHOW, 0, win::LPARAM(&info));
    if (c.Hint) {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(info.HintStr, c.Hint);
      EXPECT_EQ(info.CursorRect, bounds);
    } else {
      // Nothing to show, and the area it holds for is the pointer's pixel: any move asks again.
      EXPECT_NE(result, 0);
      EXPECT_EQ(info.HintStr, "");
      EXPECT_EQ(info.CursorRect, (TRect{info.CursorPos.x, info.CursorPos.y, info.CursorPos.x + 1,
                                        info.CursorPos.y + 1}));
    }
  }
}

TEST_F(ToolbarItemsTest, TheChevronsCaptionIsTheShortPartOfItsHint) {
  TTBChevronItem* chevron = toolbar->ChevronItem();
  EXPECT_EQ(toolbar->ChevronHint(), "More Buttons|");
  EXPECT_EQ(chevron->Caption(), "More Buttons");
  toolbar->SetChevronHint("Tools && more|Shows the buttons that do not fit");
  EXPECT_EQ(chevron->Hint(), "Tools && more|Shows the buttons that do not fit");
  EXPECT_EQ(chevron->Caption(), "Tools &&&& more");
  // The chevron's viewer names it in the toolbar's hint.
  for (int i = 0; i < 30; ++i) toolbar->Items()->Add(new StyledItem(form, ("Button " + std::to_string(i)).c_str()));
  toolbar->SetChevronHint("More|");
  toolbar->SetCurrentDock(dock);
  Pump();
  TTBItemViewer* v = toolbar->View()->Find(chevron);
  ASSERT_TRUE(v && v->Show());
  fw::THintInfo info;
  const TRect b = v->BoundsRect();
  info.CursorPos = TPoint{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
  EXPECT_EQ(toolbar->Perform(fw::CM_HINTSHOW, 0, win::LPARAM(&info)), 0);
  EXPECT_EQ(info.HintStr, "More");
  EXPECT_EQ(info.CursorRect, b);
}

}  // namespace
}  // namespace toolbars::testing
