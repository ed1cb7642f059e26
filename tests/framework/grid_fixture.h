#pragma once
// A shown form holding one grid, focused, with key and mouse helpers for the grid tests.

#include <gtest/gtest.h>

#include "control_fixture.h"
#include "framework/Grids.h"
#include "framework/GridsString.h"
#include "framework/StringList.h"
#include "platform/user/windows/WinUserTypes.h"

namespace fw::testing {

// Exposes the protected operations the tests drive directly.
class TestStringGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  using TCustomGrid::DeleteColumn;
  using TCustomGrid::DeleteRow;
  using TCustomGrid::GridState;
};

class GridTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 420, 320);
    grid = new TestStringGrid(form);
    grid->SetParent(form);
    grid->SetScrollBars(ssNone);
    grid->SetBounds(10, 10, 300, 200);
    form->Show();
    form->SetActiveControl(grid);
    Pump();
  }
  void TearDown() override {
    delete form;
    ControlTest::TearDown();
  }
  void Key(win::UINT vk, std::initializer_list<win::UINT> mods = {}) {
    for (win::UINT m : mods) desktop->key_down(m);
    desktop->press_key(vk);
    for (win::UINT m : mods) desktop->key_up(m);
    Pump();
  }
  void Type(const std::u16string& text) {
    for (char16_t ch : text) desktop->type_char(ch);
    Pump();
  }
  void Click(int x, int y, std::initializer_list<win::UINT> mods = {}) {
    for (win::UINT m : mods) desktop->key_down(m);
    desktop->click(At(grid, x, y));
    for (win::UINT m : mods) desktop->key_up(m);
    Pump();
  }
  TGridCoord Current() const { return TGridCoord{grid->Col(), grid->Row()}; }

  TForm* form = nullptr;
  TestStringGrid* grid = nullptr;
};

}  // namespace fw::testing
