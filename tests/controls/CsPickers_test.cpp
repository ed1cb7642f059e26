// The colour pickers (item and button) and the pen-style button: the menus they build, the
// colour passed between picker, grid and dialog entry without feedback, refused values, and
// the faces' pixels the painters fix.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CsColorButton.h"
#include "controls/CsColorItems.h"
#include "controls/CsPenButton.h"
#include "framework/Colors.h"
#include "framework/stdctrls_support.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/kernel/TextConvert.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"
#include "tx/Tx.h"
#include "tx/TxColorPalette.h"
#include "tx/TxPopupWindow.h"
#include "tx/TxToolbar.h"

namespace cs {
namespace {

class CsPickersTest : public fw::testing::StdCtrlsTest {
 protected:
  void SetUp() override {
    StdCtrlsTest::SetUp();
    tx::InitTx();
  }
  void TearDown() override {
    StdCtrlsTest::TearDown();
    tx::DoneTx();
  }
  // The menu's entries, top to bottom: "Авто", "-", "grid", "Выбрать...".
  static std::vector<std::string> Entries(toolbars::TTBCustomItem* Root) {
    std::vector<std::string> names;
    for (int i = 0; i < Root->Count(); ++i) {
      toolbars::TTBCustomItem* item = Root->Items(i);
      if (dynamic_cast<tx::TTxSeparatorItem*>(item)) names.push_back("-");
      else if (dynamic_cast<TCsColorPalette*>(item)) names.push_back("grid");
      else names.push_back(item->Caption());
    }
    return names;
  }
  fw::TColor Pixel(fw::TControl* c, int x, int y) {
    const win::POINT p = At(c, x, y);
    return fw::TColor(desktop->screen_pixel(p.x, p.y));
  }
};

TEST_F(CsPickersTest, MenusAsBuiltInCode) {
  struct Case {
    const char* name;
    bool defaultVisible, showSeparators;
    std::vector<std::string> expected;
  };
  const Case itemCases[] = {
      {"item as created", false, true, {"grid", "-", "Выбрать..."}},
      {"item with Авто", true, true, {"Авто", "-", "grid", "-", "Выбрать..."}},
      {"item bare", false, false, {"grid", "Выбрать..."}},
  };
  for (const Case& c : itemCases) {
    auto* item = new TCsColorItem(nullptr);
    if (c.defaultVisible) item->SetDefaultVisible(true);
    if (!c.showSeparators) item->SetShowSeparators(false);
    item->DoPopup(item, false);
    EXPECT_EQ(Entries(item), c.expected) << c.name;
    item->DoPopup(item, false);  // built once
    EXPECT_EQ(Entries(item), c.expected) << c.name;
    delete item;
  }
  auto* button = Add<TCsColorButton>(10, 10, 60, 25);
  button->Popup()->OnPopup(button->Popup());
  EXPECT_EQ(Entries(button->Popup()->Items()), (std::vector<std::string>{"Авто", "grid", "Выбрать..."}));
  // Later changes only affect entries not made yet; those go to the top like every new entry.
  button->SetShowSeparators(true);
  button->Popup()->OnPopup(button->Popup());
  EXPECT_EQ(Entries(button->Popup()->Items()), (std::vector<std::string>{"-", "-", "Авто", "grid", "Выбрать..."}));
}

TEST_F(CsPickersTest, ColourTravelsWithoutFeedback) {
  auto* button = Add<TCsColorButton>(10, 10, 60, 25);
  int changes = 0;
  button->OnColorChange = [&](fw::TObject*) { ++changes; };
  button->Popup()->OnPopup(button->Popup());
  const TCsColorMenu& menu = button->Menu();
  ASSERT_NE(menu.Grid(), nullptr);
  ASSERT_NE(menu.Selector(), nullptr);

  button->SetSelectedColor(0x0066FF);  // Orange, in the grid
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(menu.Selector()->Color(), 0x0066FF);
  EXPECT_EQ(menu.Grid()->SelectedCell().x, 1);
  EXPECT_EQ(menu.Grid()->SelectedCell().y, 1);
  button->SetSelectedColor(0x0066FF);  // the same again: nothing
  EXPECT_EQ(changes, 1);

  menu.Grid()->HandleClickCell(0, 2);  // Red
  EXPECT_EQ(button->SelectedColor(), 0x0000FF);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(menu.Selector()->Color(), 0x0000FF);

  menu.DefaultEntry()->Click();  // "Авто" gives DefaultColor
  EXPECT_EQ(button->SelectedColor(), fw::clDefault);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(menu.Grid()->SelectedCell().x, -1);
}

TEST_F(CsPickersTest, DialogEntryAsksTheColourDialog) {
  auto* button = Add<TCsColorButton>(10, 10, 60, 25);
  button->SetSelectedColor(0x00CCFF);
  int changes = 0;
  button->OnColorChange = [&](fw::TObject*) { ++changes; };
  button->Popup()->OnPopup(button->Popup());
  TCsColorSelector* selector = button->Menu().Selector();
  EXPECT_EQ(selector->Caption(), "Выбрать...");

  win::desktop::PushColorDialogAnswer(std::nullopt);  // cancelled: nothing changes
  selector->Click();
  EXPECT_EQ(button->SelectedColor(), 0x00CCFF);
  EXPECT_EQ(changes, 0);
  const auto& asked = win::desktop::CommonDialogHistory().colors.back();
  EXPECT_EQ(asked.color, 0x00CCFFu);  // starts at the entry's colour
  EXPECT_TRUE(asked.fullOpen);
  EXPECT_TRUE(asked.anyColor);

  win::desktop::ColorDialogResult ok;
  ok.color = 0x123456;  // in no cell
  win::desktop::PushColorDialogAnswer(ok);
  selector->Click();
  EXPECT_EQ(button->SelectedColor(), 0x123456);
  EXPECT_EQ(selector->Color(), 0x123456);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(button->Menu().Grid()->SelectedCell().x, -1);
  ok.color = 0x0000FF;
  win::desktop::PushColorDialogAnswer(ok);
  selector->Click();
  EXPECT_EQ(button->Menu().Grid()->Color(), 0x0000FF);  // the grid follows
}

TEST_F(CsPickersTest, GridPickedWithTheKeyboard) {
  auto* button = Add<TCsColorButton>(10, 10, 60, 25);
  int changes = 0;
  button->OnColorChange = [&](fw::TObject*) { ++changes; };
  ShowForm();
  // Down to "Авто", down into the grid (its first cell), eight to the right wraps to the first
  // cell of the second row, Enter picks it and closes the menu.
  desktop->script([&] {
    for (win::UINT key : {win::VK_DOWN, win::VK_DOWN}) desktop->press_key(key);
    for (int i = 0; i < 8; ++i) desktop->press_key(win::VK_RIGHT);
    desktop->press_key(win::VK_RETURN);
  });
  ClickOn(button, 10, 10);
  EXPECT_EQ(button->SelectedColor(), 0x000080);  // "Dark Red", column 0 of row 1
  EXPECT_EQ(changes, 1);
}

TEST_F(CsPickersTest, UnpickableColoursAreRefused) {
  auto* button = Add<TCsColorButton>(10, 10, 60, 25);
  auto* item = new TCsColorItem(form);
  int changes = 0;
  button->OnColorChange = [&](fw::TObject*) { ++changes; };
  item->OnColorChange = [&](fw::TObject*) { ++changes; };
  struct Case {
    fw::TColor color;
    bool taken;
  };
  const Case cases[] = {{0x7F000000, false}, {0x01FFFFFF, false}, {fw::TColor(0x80001005), false},
                        {fw::TColor(0x800000FF), false}, {fw::clNone, true}, {fw::clBtnFace, true},
                        {0xFFFFFF, true}, {fw::clDefault, true}};
  for (const Case& c : cases) {
    const fw::TColor before = button->SelectedColor();
    button->SetSelectedColor(c.color);
    item->SetColor(c.color);
    EXPECT_EQ(button->SelectedColor(), c.taken ? c.color : before) << std::hex << c.color;
    EXPECT_EQ(item->Color(), c.taken ? c.color : before) << std::hex << c.color;
  }
  EXPECT_EQ(changes, 2 * 4);
}

TEST_F(CsPickersTest, DefaultColorReachesTheAutoEntry) {
  auto* item = new TCsColorItem(form);
  item->SetDefaultVisible(true);
  item->DoPopup(item, false);
  item->SetDefaultColor(0x00FF00);
  EXPECT_EQ(item->Menu().DefaultEntry()->Color(), 0x00FF00);
  delete item->Menu().DefaultEntry();  // an entry freed by someone else is forgotten
  EXPECT_EQ(item->Menu().DefaultEntry(), nullptr);
  item->SetDefaultColor(0x0000FF);
}

TEST_F(CsPickersTest, ColourSetReachesTheGridAndIsForgottenWhenFreed) {
  // A two-cell set: red, then green.
  auto* set = new tx::TTxColorSet(form);
  set->OnGetColorInfo = [](fw::TObject*, fw::Integer Col, fw::Integer, fw::TColor& Color, fw::String& Name) {
    Color = Col == 0 ? fw::TColor(0x0000FF) : fw::TColor(0x00FF00);
    Name = Col == 0 ? "red" : "green";
  };
  set->SetColCount(2);
  set->SetRowCount(1);
  auto* button = Add<TCsColorButton>(10, 10, 60, 25);
  auto* item = new TCsColorItem(form);
  button->SetSelectedColor(0x00FF00);
  item->SetColor(0x00FF00);
  button->SetColorSet(set);  // before the menu: the grid takes it when made
  button->Popup()->OnPopup(button->Popup());
  item->DoPopup(item, false);
  item->SetColorSet(set);  // after: the grid takes it and looks the colour up again
  int changes = 0;
  button->OnColorChange = [&](fw::TObject*) { ++changes; };
  for (const TCsColorMenu* menu : {&button->Menu(), &item->Menu()}) {
    ASSERT_NE(menu->Grid(), nullptr);
    EXPECT_EQ(menu->Grid()->ColorSet(), set);
    EXPECT_EQ(menu->Grid()->ColCount(), 2);
    EXPECT_EQ(menu->Grid()->RowCount(), 1);
    EXPECT_EQ(menu->Grid()->SelectedCell().x, 1);  // green is the second cell of this set
  }
  EXPECT_EQ(button->ColorSet(), set);
  button->Menu().Grid()->HandleClickCell(0, 0);
  EXPECT_EQ(button->SelectedColor(), 0x0000FF);
  EXPECT_EQ(changes, 1);
  delete set;  // the pickers and the grids fall back to the forty named colours
  EXPECT_EQ(button->ColorSet(), nullptr);
  EXPECT_EQ(item->ColorSet(), nullptr);
  EXPECT_EQ(item->Menu().Grid()->ColCount(), 8);
  EXPECT_EQ(item->Menu().Grid()->RowCount(), 5);
  item->SetColorSet(nullptr);  // nothing to do, no dangling set touched
}

TEST_F(CsPickersTest, ColourButtonFace) {
  auto* button = Add<TCsColorButton>(10, 10, 60, 25);
  button->SetSelectedColor(0x0000FF);
  ShowForm();
  // Text area: 8 in from the left, 17 from the right (drop-down arrow), 2 from top and bottom;
  // the bar is 3 further in at the top and the bottom.
  EXPECT_EQ(Pixel(button, 8, 12), 0x808080);
  EXPECT_EQ(Pixel(button, 20, 5), 0x808080);
  EXPECT_EQ(Pixel(button, 20, 12), 0x0000FF);
  EXPECT_EQ(Pixel(button, 20, 19), 0x808080);
  EXPECT_NE(Pixel(button, 20, 4), 0x808080);
  button->SetSelectedColor(fw::clNone);  // a frame without fill
  Pump();
  EXPECT_EQ(Pixel(button, 20, 12), fw::ColorToRGB(fw::clBtnFace));
}

TEST_F(CsPickersTest, ColourItemFaceIsTheBar) {
  auto* toolbar = new tx::TTxToolbar(form);
  toolbar->AfterConstruction();
  auto* item = new TCsColorItem(toolbar->Items());
  item->SetCaption("XXXXXXXX");
  item->SetColor(0x00FF00);
  toolbar->Items()->Add(item);
  toolbar->SetParent(form);
  EXPECT_TRUE(item->Options().Contains(toolbars::tboDropdownArrow));
  EXPECT_TRUE(item->Options().Contains(toolbars::tboToolbarStyle));
  ShowForm();
  // The caption's place is a grey-framed bar of the colour.
  const fw::TRect b = toolbar->View()->Find(item)->BoundsRect();
  int green = 0, grey = 0;
  for (int x = b.left; x < b.right; ++x)
    for (int y = b.top; y < b.bottom; ++y) {
      const fw::TColor c = Pixel(toolbar, x, y);
      green += c == 0x00FF00;
      grey += c == 0x808080;
    }
  EXPECT_GT(green, 8 * 7);  // most of the eight characters' width
  EXPECT_GT(grey, 2 * 8 * 7);  // its frame
  item->SetColor(0x0000FF);
  Pump();
  EXPECT_EQ(Pixel(toolbar, (b.left + b.right) / 2 - 4, (b.top + b.bottom) / 2), 0x0000FF);
}

TEST_F(CsPickersTest, PenButtonMenuAndPicks) {
  auto* button = Add<TCsPenButton>(10, 10, 60, 25);
  int changes = 0;
  button->OnStyleChange = [&](fw::TObject*) { ++changes; };
  toolbars::TTBCustomItem* root = button->Popup()->Items();
  button->Popup()->OnPopup(button->Popup());
  button->Popup()->OnPopup(button->Popup());  // only once
  ASSERT_EQ(root->Count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(root->Items(i)->Tag(), i);
    EXPECT_EQ(root->Items(i)->Caption(), "-------------------");
  }
  root->Items(fw::psDot)->Click();
  EXPECT_EQ(button->SelectedStyle(), fw::psDot);
  EXPECT_EQ(changes, 1);
  root->Items(fw::psDot)->Click();  // the current style fires as well
  EXPECT_EQ(changes, 2);
  button->SetSelectedStyle(fw::psDash);  // the setter fires nothing
  EXPECT_EQ(changes, 2);
  button->SetSelectedStyle(fw::TPenStyle(12));  // beyond the list: refused
  EXPECT_EQ(button->SelectedStyle(), fw::psDash);
  button->SetSelectedStyle(fw::TPenStyle(-1));
  EXPECT_EQ(button->SelectedStyle(), fw::psDash);
}

TEST_F(CsPickersTest, PenButtonSample) {
  auto* button = Add<TCsPenButton>(10, 10, 60, 25);
  ShowForm();
  // Sample box: text area less 4 at the top and bottom, (8, 6)-(43, 19); lines at 11, 12, 13.
  EXPECT_EQ(Pixel(button, 8, 12), 0x808080);
  EXPECT_EQ(Pixel(button, 20, 6), 0x808080);
  EXPECT_EQ(Pixel(button, 20, 8), 0xFFFFFF);
  for (int y : {11, 12, 13}) EXPECT_EQ(Pixel(button, 20, y), 0x808080) << y;
  EXPECT_EQ(Pixel(button, 20, 14), 0xFFFFFF);
  // Setting the same style asks no repaint.
  win::ValidateRect(button->Handle(), nullptr);
  button->SetSelectedStyle(fw::psSolid);
  EXPECT_FALSE(win::GetUpdateRect(button->Handle(), nullptr, false));
  button->SetSelectedStyle(fw::psClear);  // only the framed white box
  EXPECT_TRUE(win::GetUpdateRect(button->Handle(), nullptr, false));
  Pump();
  for (int y : {11, 12, 13}) EXPECT_EQ(Pixel(button, 20, y), 0xFFFFFF) << y;
}

}  // namespace
}  // namespace cs
