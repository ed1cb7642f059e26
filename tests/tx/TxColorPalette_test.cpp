// Tool palettes and the colour palette: the forty named colours, colour names, finding and
// selecting cells (system and invalid colours included), layout, keys, mouse, hints, painting.

#include <memory>

#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/control_fixture.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/messages/Input.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/windows/Window.h"
#include "platform/user/windows/WinUserTypes.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/TxColorPalette.h"
#include "tx/TxPopupWindow.h"

namespace {

using namespace tx;
using toolbars::TTBRootItem;
using toolbars::TTBView;

struct NamedCell {
  Integer Col, Row;
  fw::TColor Color;
  const char* Name;
};

// The whole default set, row by row.
const NamedCell kDefaultSet[] = {
    {0, 0, 0x000000, "Black"},        {1, 0, 0x003399, "Brown"},          {2, 0, 0x003333, "Olive Green"},
    {3, 0, 0x003300, "Dark Green"},   {4, 0, 0x663300, "Dark Teal"},      {5, 0, 0x800000, "Dark blue"},
    {6, 0, 0x993333, "Indigo"},       {7, 0, 0x333333, "Gray-80%"},       {0, 1, 0x000080, "Dark Red"},
    {1, 1, 0x0066FF, "Orange"},       {2, 1, 0x008080, "Dark Yellow"},    {3, 1, 0x008000, "Green"},
    {4, 1, 0x808000, "Teal"},         {5, 1, 0xFF0000, "Blue"},           {6, 1, 0x996666, "Blue-Gray"},
    {7, 1, 0x808080, "Gray-50%"},     {0, 2, 0x0000FF, "Red"},            {1, 2, 0x0099FF, "Light Orange"},
    {2, 2, 0x00CC99, "Lime"},         {3, 2, 0x669933, "Sea Green"},      {4, 2, 0xCCCC33, "Aqua"},
    {5, 2, 0xFF6633, "Light Blue"},   {6, 2, 0x800080, "Violet"},         {7, 2, 0x969696, "Gray-40%"},
    {0, 3, 0xFF00FF, "Pink"},         {1, 3, 0x00CCFF, "Gold"},           {2, 3, 0x00FFFF, "Yellow"},
    {3, 3, 0x00FF00, "Bright Green"}, {4, 3, 0xFFFF00, "Turquoise"},      {5, 3, 0xFFCC00, "Sky Blue"},
    {6, 3, 0x663399, "Plum"},         {7, 3, 0xC0C0C0, "Gray-25%"},       {0, 4, 0xCC99FF, "Rose"},
    {1, 4, 0x99CCFF, "Tan"},          {2, 4, 0x99FFFF, "Light Yellow"},   {3, 4, 0xCCFFCC, "Light Green"},
    {4, 4, 0xFFFFCC, "Light Turquoise"}, {5, 4, 0xFFCC99, "Pale Blue"},   {6, 4, 0xFF99CC, "Lavender"},
    {7, 4, 0xFFFFFF, "White"},
};

class ColorPaletteTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    bmp.SetPixelFormat(fw::pf32bit);
    bmp.SetSize(300, 200);
    palette = new TTxColorPalette(root.get());
    palette->OnChange = [this](fw::TObject*) { ++changes; };
    root->Add(palette);
  }
  void TearDown() override {
    view.reset();
    root.reset();
    win::ResetSysColors();
    DoneTx();
    ControlTest::TearDown();
  }
  // A toolbar-style (or menu-style) view of the palette, laid out and painted.
  TTxToolViewer* Viewer(bool Toolbar = true) {
    view.reset(new TTBView(nullptr, nullptr, root.get(), nullptr, Toolbar, false, false));
    view->AfterConstruction();
    auto* v = static_cast<TTxToolViewer*>(view->Viewers(0));
    TPoint size{};
    view->UpdatePositions(size);
    const TRect b = v->BoundsRect();
    v->Paint(bmp.Canvas(), TRect{0, 0, b.right - b.left, b.bottom - b.top}, false, false, false);
    return v;
  }
  fw::TBitmap bmp;
  std::unique_ptr<TTBRootItem> root = std::make_unique<TTBRootItem>(nullptr);
  std::unique_ptr<TTBView> view;
  TTxColorPalette* palette = nullptr;
  int changes = 0;
};

TEST_F(ColorPaletteTest, TheDefaultSetHoldsFortyNamedColours) {
  TTxDefaultColorSet* set = DefaultColorSet();
  EXPECT_EQ(set->ColCount(), 8);
  EXPECT_EQ(set->RowCount(), 5);
  for (const NamedCell& c : kDefaultSet) {
    EXPECT_EQ(set->GetColor(c.Col, c.Row), c.Color) << c.Name;
    EXPECT_EQ(set->GetName(c.Col, c.Row), c.Name);
    EXPECT_EQ(palette->FindCell(c.Color).x, c.Col) << c.Name;
    EXPECT_EQ(palette->FindCell(c.Color).y, c.Row) << c.Name;
  }
  for (const TPoint outside : {TPoint{8, 0}, TPoint{0, 5}, TPoint{-1, 0}}) {
    EXPECT_EQ(set->GetColor(outside.x, outside.y), fw::clNone);
    EXPECT_EQ(set->GetName(outside.x, outside.y), "");
  }
}

TEST_F(ColorPaletteTest, ColourNames) {
  const struct {
    fw::TColor Color;
    const char* Text;
  } cases[] = {
      {0x0066FF, "Orange"},
      {0x123456, "#563412"},   // in no cell: red, green, blue
      {fw::clNone, "None"},
      {fw::TColor(0x01FFFFFF), "#FFFFFF"},  // junk in the high byte names no cell
      {fw::SystemColor(200), "#C80000"},    // a system index outside the scheme is not black
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultColorSet()->ColorToString(c.Color), c.Text);
}

TEST_F(ColorPaletteTest, SystemColoursMatchByTheirCurrentValue) {
  const int index = win::COLOR_BTNFACE;
  const win::COLORREF silver = 0xC0C0C0;
  win::SetSysColors(1, &index, &silver);
  EXPECT_EQ(DefaultColorSet()->ColorToString(fw::clBtnFace), "Gray-25%");
  palette->SetColor(fw::clBtnFace);
  EXPECT_EQ(palette->SelectedCell().x, 7);
  EXPECT_EQ(palette->SelectedCell().y, 3);
  EXPECT_EQ(palette->Color(), 0xC0C0C0) << "the cell's colour is taken";
}

TEST_F(ColorPaletteTest, SettingAColourSelectsItsCellAndFiresOnce) {
  palette->SetColor(0x0066FF);
  EXPECT_EQ(palette->SelectedCell().x, 1);
  EXPECT_EQ(palette->SelectedCell().y, 1);
  EXPECT_EQ(changes, 1);
  palette->SetColor(0x0066FF);
  EXPECT_EQ(changes, 2) << "set again, the change fires again";
}

TEST_F(ColorPaletteTest, ColoursInNoCellSelectNothingAndKeepTheValue) {
  const fw::TColor values[] = {0x123456, fw::TColor(0x7F000000), fw::SystemColor(99), fw::clNone};
  for (fw::TColor value : values) {
    palette->SetColor(0x000000);  // Black selected first
    palette->SetColor(value);
    EXPECT_EQ(palette->SelectedCell().x, -1) << std::hex << value;
    EXPECT_EQ(palette->Color(), value) << std::hex << value;
  }
}

TEST_F(ColorPaletteTest, ToolbarLayoutOfEighteenPixelCells) {
  auto* v = Viewer();
  EXPECT_EQ(v->CellWidth(), 18);
  EXPECT_EQ(v->CellHeight(), 18);
  EXPECT_EQ(v->BoundsRect().right - v->BoundsRect().left, 144);
  EXPECT_EQ(v->BoundsRect().bottom - v->BoundsRect().top, 90);
  const TRect cell = v->GetCellRect(TRect{0, 0, 144, 90}, TPoint{2, 1});
  EXPECT_EQ(cell.left, 36);
  EXPECT_EQ(cell.top, 18);
}

TEST_F(ColorPaletteTest, AnEmptyColourSetGivesTheMinimumViewer) {
  TTxColorSet set(nullptr);
  palette->SetColorSet(&set);
  auto* v = Viewer();
  EXPECT_EQ(v->BoundsRect().right - v->BoundsRect().left, 8);
  EXPECT_EQ(v->BoundsRect().bottom - v->BoundsRect().top, 8);
}

TEST_F(ColorPaletteTest, ACustomSetIsShownAndForgottenWhenItGoes) {
  auto set = std::make_unique<TTxColorSet>(nullptr);
  set->OnGetColorInfo = [](fw::TObject*, Integer Col, Integer Row, fw::TColor& Color, String& Name) {
    Color = Col == 0 ? 0x00AA00 : fw::clNone;
    Name = "Mine";
  };
  palette->SetColorSet(set.get());
  set->SetColCount(3);
  set->SetRowCount(2);
  EXPECT_EQ(palette->ColCount(), 3);
  EXPECT_EQ(palette->RowCount(), 2);
  auto* v = Viewer();
  EXPECT_TRUE(v->CellVisible(TPoint{0, 1}));
  EXPECT_FALSE(v->CellVisible(TPoint{1, 0})) << "a clNone cell is hidden";
  set.reset();
  EXPECT_EQ(palette->ColorSet(), nullptr);
  EXPECT_EQ(palette->ColCount(), 8);
  EXPECT_EQ(palette->EffectiveColorSet()->ColorToString(0x0000FF), "Red");
}

TEST_F(ColorPaletteTest, ArrowKeysMoveTheHotCellAcrossRows) {
  auto* v = Viewer();
  const struct {
    TPoint From;
    fw::Word Key;
    TPoint To;
    bool Consumed;
  } cases[] = {
      {{7, 0}, win::VK_RIGHT, {0, 1}, true},  // wraps to the next row
      {{0, 1}, win::VK_LEFT, {7, 0}, true},   // and back
      {{7, 4}, win::VK_RIGHT, {7, 4}, false}, // past the last cell: nothing
      {{3, 2}, win::VK_HOME, {0, 2}, true},
      {{3, 2}, win::VK_END, {7, 2}, true},
      {{3, 2}, win::VK_PRIOR, {3, 0}, true},
      {{3, 2}, win::VK_NEXT, {3, 4}, true},
      {{3, 0}, win::VK_UP, {3, 0}, false},
  };
  for (const auto& c : cases) {
    palette->SetColor(palette->GetCellColor(c.From.x, c.From.y));  // the current cell without a hot one
    v->MouseMove(-5, -5);                                            // no hot cell
    fw::Word key = c.Key;
    v->KeyDown(key, {});
    const TPoint hot = v->HotCell();
    if (c.Consumed) {
      EXPECT_EQ(key, 0);
      EXPECT_EQ(hot.x, c.To.x) << c.Key;
      EXPECT_EQ(hot.y, c.To.y) << c.Key;
    } else {
      EXPECT_EQ(key, c.Key);
      EXPECT_EQ(hot.x, -1);
    }
  }
}

TEST_F(ColorPaletteTest, WithoutACurrentCellAnyKeyProposesTheFirstAndEnterClicks) {
  auto* v = Viewer();
  fw::Word key = 'A';
  v->KeyDown(key, {});
  EXPECT_EQ(v->HotCell().x, 0);
  EXPECT_EQ(v->HotCell().y, 0);
  key = win::VK_RETURN;
  v->KeyDown(key, {});
  EXPECT_EQ(palette->SelectedCell().x, 0);
  EXPECT_EQ(palette->Color(), 0x000000);
  EXPECT_EQ(changes, 1);
}

TEST_F(ColorPaletteTest, CellsUnderThePointerOnlyInsideTheGrid) {
  auto* v = Viewer(false);  // a menu: the grid starts after the image column
  ASSERT_GT(v->Indent(), 0);
  const TPoint inside = v->GetCellAt(v->Indent() + 20, 20);
  EXPECT_EQ(inside.x, 1);
  EXPECT_EQ(inside.y, 1);
  EXPECT_EQ(v->GetCellAt(v->Indent() - 3, 5).x, -1) << "left of the grid is no cell";
  EXPECT_EQ(v->GetCellAt(v->Indent() + 5, -3).x, -1) << "above the grid is no cell";
}

TEST_F(ColorPaletteTest, AClickAllowedByTheEventSelectsTheCell) {
  bool allow = true;
  palette->OnCellClick = [&](fw::TObject*, Integer&, Integer& Row, bool& Allow) {
    Allow = allow;
    Row = 2;  // the handler may move the click
  };
  palette->HandleClickCell(4, 0);
  EXPECT_EQ(palette->SelectedCell().x, 4);
  EXPECT_EQ(palette->SelectedCell().y, 2);
  EXPECT_EQ(palette->Color(), 0xCCCC33);
  allow = false;
  palette->HandleClickCell(0, 0);
  EXPECT_EQ(palette->SelectedCell().x, 4);
  palette->SetPaletteOptions(palette->PaletteOptions() + TTxToolPaletteOptions{tpoNoAutoSelect});
  allow = true;
  palette->HandleClickCell(0, 0);
  EXPECT_EQ(palette->SelectedCell().x, 4) << "no automatic selection";
}

TEST_F(ColorPaletteTest, TheHintIsTheCellsName) {
  auto* v = Viewer();
  v->MouseMove(18 * 5 + 4, 18 * 3 + 4);
  EXPECT_EQ(v->GetHintText(), "Sky Blue");
  v->MouseMove(-4, -4);
  EXPECT_EQ(v->GetHintText(), "");
}

TEST_F(ColorPaletteTest, SwatchesAreFilledOnlyWhenEnabled) {
  auto* v = Viewer();
  // Cell (1, 1) "Orange": the 12 x 12 swatch centred in the 18 x 18 cell, framed.
  const int cx = 18 + 9, cy = 18 + 9;
  EXPECT_EQ(bmp.Canvas()->Pixels(cx, cy), 0x0066FF);
  EXPECT_EQ(bmp.Canvas()->Pixels(18 + 3, 18 + 3), fw::ColorToRGB(fw::clBtnShadow)) << "the frame";
  palette->SetEnabled(false);
  bmp.Canvas()->Brush()->SetColor(0x123456);
  bmp.Canvas()->FillRect(TRect{0, 0, 300, 200});
  const TRect b = v->BoundsRect();
  v->Paint(bmp.Canvas(), TRect{0, 0, b.right - b.left, b.bottom - b.top}, false, false, false);
  EXPECT_NE(bmp.Canvas()->Pixels(cx, cy), 0x0066FF) << "a disabled palette shows empty frames";
  EXPECT_EQ(bmp.Canvas()->Pixels(18 + 3, 18 + 3), fw::ColorToRGB(fw::clBtnShadow));
}

TEST_F(ColorPaletteTest, StretchedCellsShareTheItem) {
  palette->SetStretch(true);
  auto* v = Viewer();
  const TRect r{0, 0, 100, 50};
  for (Integer c = 1; c < 8; ++c) EXPECT_EQ(v->GetCellRect(r, TPoint{c, 0}).left, (100 * c) / 8);
  EXPECT_EQ(v->GetCellRect(r, TPoint{0, 4}).bottom, 50);
  // The item drawn away from the origin: the same shares, moved with it.
  const TRect moved{40, 30, 140, 80};
  for (Integer c = 1; c < 8; ++c) EXPECT_EQ(v->GetCellRect(moved, TPoint{c, 0}).left, 40 + (100 * c) / 8);
  EXPECT_EQ(v->GetCellRect(moved, TPoint{7, 4}).right, 140);
  EXPECT_EQ(v->GetCellRect(moved, TPoint{7, 4}).bottom, 80);
}

// The palette as the colour items use it: in a popup menu, chosen with the mouse.
class PalettePopupTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    win::SystemParametersInfoW(win::SPI_SETMENUANIMATION, 0, nullptr, 0);
    InitTx();
    owner = Create(win::WS_POPUP | win::WS_VISIBLE, {0, 0, 60, 40});
    win::SetActiveWindow(owner);
    win::SetFocus(owner);
    Pump();
    menu = new TTxPopupMenu(nullptr);
    palette = new TTxColorPalette(menu);
    menu->Items()->Add(palette);
  }
  void TearDown() override {
    delete menu;
    DoneTx();
    win::ResetSystemParameters();
    ControlTest::TearDown();
  }
  // The palette's viewer in the one popup shown.
  static TTxToolViewer* ShownViewer() {
    TTxToolViewer* found = nullptr;
    win::EnumWindows(
        [](win::HWND h, win::LPARAM lp) -> win::BOOL {
          auto* p = dynamic_cast<toolbars::TTBPopupWindow*>(fw::FindControl(h));
          if (p && win::IsWindowVisible(h) && p->View()->ViewerCount() > 0)
            *reinterpret_cast<TTxToolViewer**>(lp) = dynamic_cast<TTxToolViewer*>(p->View()->Viewers(0));
          return win::TRUE;
        },
        reinterpret_cast<win::LPARAM>(&found));
    return found;
  }
  win::POINT CellCentre(TTxToolViewer* V, TPoint Cell) {
    const TRect s = V->ScreenBoundsRect();
    const TRect c = V->GetCellRect(TRect{s.left, s.top, s.right, s.bottom}, Cell);
    return win::POINT{(c.left + c.right) / 2, (c.top + c.bottom) / 2};
  }
  win::HWND owner = nullptr;
  TTxPopupMenu* menu = nullptr;
  TTxColorPalette* palette = nullptr;
};

TEST_F(PalettePopupTest, AClickOnASwatchChoosesItsColourAndClosesTheMenu) {
  int changes = 0;
  palette->OnChange = [&](fw::TObject*) { ++changes; };
  TPoint hot = NoCell;
  String hint;
  desktop->script([&] {
    TTxToolViewer* v = ShownViewer();
    ASSERT_NE(v, nullptr);
    EXPECT_GT(v->Indent(), 0) << "in a menu the grid starts after the image column";
    desktop->mouse_move(CellCentre(v, TPoint{2, 1}));
  });
  desktop->script([&] {
    TTxToolViewer* v = ShownViewer();
    ASSERT_NE(v, nullptr);
    hot = v->HotCell();
    hint = v->GetHintText();
    desktop->click(CellCentre(v, TPoint{2, 1}));
  });
  menu->Popup(100, 100);
  EXPECT_EQ(hot.x, 2);
  EXPECT_EQ(hot.y, 1);
  EXPECT_EQ(hint, "Dark Yellow");
  EXPECT_EQ(palette->Color(), 0x008080);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ShownViewer(), nullptr) << "the menu closed";
}

}  // namespace
