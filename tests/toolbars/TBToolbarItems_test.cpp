// What a toolbar does for its items: action updates reach them (and a submenu's children when it
// opens), and the hint request answers with the hint of the button under the mouse.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "ToolbarsFixture.h"
#include "framework/ActnList.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrlsEdit.h"
#include "platform/user/messages/Input.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/AccessibleParts.h"
#include "platform/user/services/SysParams.h"
#include "toolbars/TBAcc.h"
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

// Two bars in one row: the thinner one's buttons are centred across the row the thicker one
// makes, and when the thicker one thins again both go back to their own thickness.
TEST_F(ToolbarItemsTest, ARowsBarsShareItsThicknessWithoutHoldingItThere) {
  toolbar->Items()->Add(new StyledItem(form, "Open"));
  auto* tall = new TTBCustomToolbar(form);
  tall->AfterConstruction();
  auto* panel = new fw::TPanel(form);
  panel->SetBounds(0, 0, 30, 40);
  panel->SetParent(tall);  // wrapped into a control item of its own
  for (TTBCustomToolbar* t : {toolbar, tall}) {
    t->SetDockRow(0);
    t->SetDockPos(t == toolbar ? 0 : 200);
    t->SetCurrentDock(dock);
  }
  Pump();
  ASSERT_EQ(tall->Items()->Count(), 1);
  const Integer thin = toolbar->View()->UnshrunkSize().y;
  ASSERT_GT(tall->ClientHeight(), thin + 10);
  EXPECT_EQ(toolbar->Height(), tall->Height());
  const TRect open = toolbar->View()->Viewers(0)->BoundsRect();
  const Integer spaceAbove = open.top, spaceBelow = toolbar->ClientHeight() - open.bottom;
  EXPECT_GT(spaceAbove, 5);
  EXPECT_LE(std::abs(spaceAbove - spaceBelow), 2);
  // The dock keeps each bar's own thickness, not the row's.
  EXPECT_EQ(toolbar->RowThickness(), thin);

  panel->SetBounds(0, 0, 30, 10);
  tall->Arrange();
  Pump();
  EXPECT_EQ(toolbar->ClientHeight(), thin);
  EXPECT_EQ(tall->Height(), toolbar->Height());
}

// A button's width follows the font it is measured with: the toolbar's own (a font change) or
// the system menu font (a changed setting, which the form passes on to its controls).
TEST_F(ToolbarItemsTest, FontChangesLayTheButtonsOutAgain) {
  toolbar->Items()->Add(new StyledItem(form, "A rather long caption"));
  toolbar->SetCurrentDock(dock);
  Pump();
  auto width = [&] {
    toolbar->View()->ValidatePositions();
    const TRect r = toolbar->View()->Viewers(0)->BoundsRect();
    return r.right - r.left;
  };
  const Integer system = width();
  // Its own font counts only without SystemFont.
  toolbar->Font()->SetHeight(-30);
  EXPECT_EQ(width(), system);
  toolbar->SetSystemFont(false);
  const Integer own = width();
  EXPECT_GT(own, system + 20);
  toolbar->Font()->SetHeight(-11);
  EXPECT_LT(width(), own);
  toolbar->SetSystemFont(true);
  EXPECT_EQ(width(), system);

  win::NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  ASSERT_TRUE(win::SystemParametersInfoW(win::SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
  const win::NONCLIENTMETRICSW saved = ncm;
  ncm.lfMenuFont.lfHeight = -28;
  ASSERT_TRUE(win::SystemParametersInfoW(win::SPI_SETNONCLIENTMETRICS, sizeof(ncm), &ncm, win::SPIF_SENDCHANGE));
  Pump();
  EXPECT_GT(width(), system + 20);
  win::NONCLIENTMETRICSW back = saved;
  win::SystemParametersInfoW(win::SPI_SETNONCLIENTMETRICS, sizeof(back), &back, win::SPIF_SENDCHANGE);
  Pump();
  EXPECT_EQ(width(), system);
}

// Controls read with a toolbar become its buttons in their child order, and Tab goes through
// them in the order of their buttons.
TEST_F(ToolbarItemsTest, LoadedControlsBecomeButtonsAndTabFollowsTheButtons) {
  toolbar->SetCurrentDock(dock);
  form->BeginLoad();
  std::vector<fw::TEdit*> edits;
  for (int i = 0; i < 3; ++i) {
    auto* e = new fw::TEdit(form);
    e->SetBounds(0, 0, 40, 20);
    e->SetParent(toolbar);
    edits.push_back(e);
  }
  EXPECT_EQ(toolbar->Items()->Count(), 0);  // not while loading
  form->EndLoad();
  ASSERT_EQ(toolbar->Items()->Count(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(static_cast<TTBControlItem*>(toolbar->Items()->Items(i))->Control(), edits[size_t(i)]);
  toolbar->Items()->Move(2, 0);
  std::vector<fw::TWinControl*> order;
  toolbar->GetTabOrderList(order);
  EXPECT_EQ(order, (std::vector<fw::TWinControl*>{edits[2], edits[0], edits[1]}));
  // The form's Tab order holds the same sequence.
  order.clear();
  form->GetTabOrderList(order);
  std::vector<fw::TWinControl*> ofEdits;
  for (fw::TWinControl* c : order)
    if (std::find(edits.begin(), edits.end(), c) != edits.end()) ofEdits.push_back(c);
  EXPECT_EQ(ofEdits, (std::vector<fw::TWinControl*>{edits[2], edits[0], edits[1]}));
}

// A context menu or a new caption ends the hot look of the button under the mouse, unless the
// view holds the mouse.
TEST_F(ToolbarItemsTest, AContextMenuOrACaptionChangeCancelsTheHotButton) {
  toolbar->Items()->Add(new StyledItem(form, "Open"));
  toolbar->SetCurrentDock(dock);
  Pump();
  const TRect b = toolbar->View()->Viewers(0)->BoundsRect();
  const win::LPARAM at = win::MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2);
  for (win::UINT msg : {win::UINT(win::WM_CONTEXTMENU), win::UINT(fw::CM_TEXTCHANGED)}) {
    SCOPED_TRACE(msg);
    toolbar->Perform(win::WM_MOUSEMOVE, 0, at);
    ASSERT_NE(toolbar->View()->Selected(), nullptr);
    toolbar->Perform(msg, 0, 0);
    EXPECT_EQ(toolbar->View()->Selected(), nullptr);
  }
  toolbar->Perform(win::WM_MOUSEMOVE, 0, at);
  toolbar->SetCaption("Renamed");
  EXPECT_EQ(toolbar->View()->Selected(), nullptr);
}

// The form's window lists its bars as parts, the menu bar above the toolbar, each with its
// buttons as children, as assistive technology reads them.
TEST_F(ToolbarItemsTest, TheFormsWindowListsItsBarsWithTheirButtons) {
  auto* menu = new TTBCustomToolbar(form);
  menu->AfterConstruction();
  menu->SetCaption("Main menu");
  menu->SetMenuBar(true);
  menu->Items()->Add(new StyledItem(form, "&File", tbisSubmenu));
  menu->Items()->Add(new StyledItem(form, "&Edit", tbisSubmenu));
  toolbar->SetCaption("Standard");
  toolbar->Items()->Add(new StyledItem(form, "Open"));
  auto* off = new StyledItem(form, "Print");
  off->SetEnabled(false);
  toolbar->Items()->Add(off);
  menu->SetDockRow(0);
  toolbar->SetDockRow(1);
  toolbar->SetCurrentDock(dock);
  menu->SetCurrentDock(dock);
  Pump();
  win::AccessibleWindowInfo info = win::AccessibleInfoOf(form->Handle());
  ASSERT_EQ(info.parts.size(), 2u);
  const win::AccessiblePart& bar = info.parts[0];
  const win::AccessiblePart& tools = info.parts[1];
  EXPECT_EQ(bar.name, u"Main menu");
  EXPECT_EQ(bar.role, win::ROLE_SYSTEM_MENUBAR);
  EXPECT_EQ(bar.window, menu->Handle());
  ASSERT_EQ(bar.children.size(), 2u);
  EXPECT_EQ(bar.children[1].name, u"Edit");
  EXPECT_EQ(tools.name, u"Standard");
  EXPECT_EQ(tools.role, win::ROLE_SYSTEM_TOOLBAR);
  ASSERT_EQ(tools.children.size(), 2u);
  EXPECT_EQ(tools.children[0].name, u"Open");
  EXPECT_TRUE(tools.children[1].state & win::STATE_SYSTEM_UNAVAILABLE);
  EXPECT_FALSE(tools.children[0].state & win::STATE_SYSTEM_UNAVAILABLE);
  // A hidden bar is not read.
  toolbar->SetVisible(false);
  Pump();
  EXPECT_EQ(win::AccessibleInfoOf(form->Handle()).parts.size(), 1u);
}


// What assistive technology can do with a bar's buttons: each names its shortcut and its default
// action, and acting on one runs its item from the message loop; a disabled one offers nothing.
TEST_F(ToolbarItemsTest, TheBarsButtonsOfferTheirActionsToAssistiveTechnology) {
  toolbar->SetCaption("Standard");
  auto* open = new StyledItem(form, "&Open");
  int clicks = 0;
  open->OnClick = [&](fw::TObject*) { ++clicks; };
  toolbar->Items()->Add(open);
  toolbar->Items()->Add(new StyledItem(form, "&Recent", tbisSubmenu));
  auto* off = new StyledItem(form, "Print");
  off->SetEnabled(false);
  toolbar->Items()->Add(off);
  toolbar->SetCurrentDock(dock);
  win::SetActiveWindow(form->Handle());
  Pump();
  win::AccessibleWindowInfo info = win::AccessibleInfoOf(form->Handle());
  ASSERT_EQ(info.parts.size(), 1u);
  const std::vector<win::AccessiblePart>& buttons = info.parts[0].children;
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[0].shortcut, AltKeyName() + u"+o");
  EXPECT_EQ(buttons[0].defaultAction, u"Press");
  EXPECT_EQ(buttons[1].defaultAction, u"Open");
  EXPECT_TRUE(buttons[2].defaultAction.empty()) << "a disabled button cannot be acted on";
  ASSERT_TRUE(buttons[2].doDefaultAction);
  EXPECT_FALSE(buttons[2].doDefaultAction());

  ASSERT_TRUE(buttons[0].doDefaultAction);
  EXPECT_TRUE(buttons[0].doDefaultAction());
  EXPECT_EQ(clicks, 0) << "not inside the accessibility call";
  Pump();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace toolbars::testing
