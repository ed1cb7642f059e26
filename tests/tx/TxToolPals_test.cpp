// A tool palette's cells as the theme is asked to paint them while the mouse moves over the grid
// and a button is held and let go.

#include <memory>
#include <vector>

#include "framework/GraphicsBitmap.h"
#include "framework/control_fixture.h"
#include "toolbars/TBItemView.h"
#include "tx/ProbeTheme.h"
#include "tx/Tx.h"
#include "tx/TxToolPals.h"

namespace {

using namespace tx;
using toolbars::TTBRootItem;
using toolbars::TTBView;
using txtest::TProbeTheme;

class ToolPaletteTest : public fw::testing::ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    InitTx();
    if (!IsThemeRegistered("Probe")) RegisterTheme("Probe", &ThemeClassOf<TProbeTheme>);
    SetCurrentTheme("Probe");
    probe = dynamic_cast<TProbeTheme*>(CurrentTheme);
    bmp.SetPixelFormat(fw::pf32bit);
    bmp.SetSize(200, 100);
    palette = new TTxCustomToolPalette(root.get());
    palette->SetColCount(3);
    palette->SetRowCount(2);
    root->Add(palette);
    view.reset(new TTBView(nullptr, nullptr, root.get(), nullptr, true, false, false));
    view->AfterConstruction();
    viewer = static_cast<TTxToolViewer*>(view->Viewers(0));
    TPoint size{};
    view->UpdatePositions(size);
  }
  void TearDown() override {
    view.reset();
    root.reset();
    SetCurrentTheme("Default");
    DoneTx();
    ControlTest::TearDown();
  }
  // The cells painted pushed, as (column, row), after one paint of the whole grid.
  std::vector<TPoint> PushedCells() {
    probe->Calls.clear();
    const TRect b = viewer->BoundsRect();
    viewer->Paint(bmp.Canvas(), TRect{0, 0, b.right - b.left, b.bottom - b.top}, true, false, false);
    std::vector<TPoint> pushed;
    const auto buttons = probe->Of("Button");
    EXPECT_EQ(buttons.size(), 6u) << "every cell is painted";
    for (const auto& call : buttons)
      if (call.Info.Pushed)
        pushed.push_back(TPoint{call.R.left / viewer->CellWidth(), call.R.top / viewer->CellHeight()});
    return pushed;
  }
  TPoint CentreOf(Integer Col, Integer Row) const {
    return TPoint{Col * viewer->CellWidth() + viewer->CellWidth() / 2,
                  Row * viewer->CellHeight() + viewer->CellHeight() / 2};
  }

  TProbeTheme* probe = nullptr;
  fw::TBitmap bmp;
  std::unique_ptr<TTBRootItem> root = std::make_unique<TTBRootItem>(nullptr);
  std::unique_ptr<TTBView> view;
  TTxCustomToolPalette* palette = nullptr;
  TTxToolViewer* viewer = nullptr;
};

bool Same(const std::vector<TPoint>& A, const std::vector<TPoint>& B) {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i)
    if (A[i].x != B[i].x || A[i].y != B[i].y) return false;
  return true;
}

TEST_F(ToolPaletteTest, OnlyTheCellUnderAHeldButtonIsDrawnPushed) {
  ASSERT_GT(viewer->CellWidth(), 0);
  view->SetSelected(viewer, true);
  const TPoint hover = CentreOf(1, 0);
  viewer->MouseMove(hover.x, hover.y);
  EXPECT_EQ(viewer->HotCell().x, 1);
  EXPECT_TRUE(PushedCells().empty()) << "hovering alone pushes nothing";

  const TPoint press = CentreOf(2, 1);
  bool onMenu = false;
  viewer->MouseDown({fw::ssLeft}, press.x, press.y, onMenu);
  EXPECT_TRUE(Same(PushedCells(), {TPoint{2, 1}})) << "the pressed cell";
  // Dragged to another cell with the button still down: the pushed look follows the pointer.
  const TPoint dragged = CentreOf(0, 1);
  viewer->MouseMove(dragged.x, dragged.y);
  EXPECT_TRUE(Same(PushedCells(), {TPoint{0, 1}}));

  viewer->MouseUp(dragged.x, dragged.y, false);
  EXPECT_TRUE(PushedCells().empty()) << "released";
  EXPECT_EQ(palette->SelectedCell().x, 0);
  EXPECT_EQ(palette->SelectedCell().y, 1);
}

}  // namespace
