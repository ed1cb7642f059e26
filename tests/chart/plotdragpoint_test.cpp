// Dragging a point, cursor names and the yes/no box.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/AxisPixels.h"
#include "chart/PlotDragPoint.h"
#include "chart/PlotPenDlg.h"
#include "platform/controls/MessageBox.h"
#include "platform/user/messages/Input.h"
#include "platform/user/windows/Window.h"
#include "tools_Fixture.h"

using namespace chart;

namespace {

class DragPointTest : public charttest::ToolChartTest {};

TEST_F(DragPointTest, TheHeldPointFollowsTheMouseByTheDragStyle) {
  Build();
  auto* tool = new TDragPointTool(form.get());
  tool->SetParentChart(chart);
  tool->SetSeries(series[0]);
  int moves = 0;
  tool->OnDragPoint = [&](TDragPointTool*, Integer i) { moves += i == 1; };
  const fw::TPoint to{chart->BottomAxis()->CalcPosValue(7), chart->LeftAxis()->CalcPosValue(20)};
  struct Row {
    TDragPointStyle style;
    bool movesX, movesY;
  } const rows[] = {{dsX, true, false}, {dsY, false, true}, {dsBoth, true, true}};
  for (const Row& r : rows) {
    series[0]->SetPointX(1, 5);
    series[0]->SetPointY(1, 7.5);
    Pump();
    tool->SetDragStyle(r.style);
    Press(Px(0, 1));
    Move(to);
    Release(to);
    EXPECT_EQ(tool->DragIndex(), -1);
    EXPECT_NEAR(series[0]->PointX(1), r.movesX ? 7 : 5, 0.05);
    EXPECT_NEAR(series[0]->PointY(1), r.movesY ? 20 : 7.5, 0.15);
  }
  EXPECT_EQ(moves, 3);
  // An axis showing one value still converts pixels to finite values.
  chart->BottomAxis()->SetMinMax(5, 5);
  Pump();
  Press(Px(0, 1));
  Move(fw::TPoint{Px(0, 1).x + 10, Px(0, 1).y});
  Release(fw::TPoint{Px(0, 1).x + 10, Px(0, 1).y});
  EXPECT_TRUE(std::isfinite(series[0]->PointX(1)));
  // So does an axis showing one large value: the point moves, at any magnitude.
  for (const double at : {1e4, 1e9, -3e15, 1.7e308}) {
    chart->BottomAxis()->SetMinMax(at, at);
    series[0]->SetPointX(1, at);
    Pump();
    const fw::TPoint from = Px(0, 1), moved{from.x + 10, from.y};
    Press(from);
    Move(moved);
    Release(moved);
    EXPECT_NE(series[0]->PointX(1), at) << at;
    EXPECT_TRUE(std::isfinite(series[0]->PointX(1))) << at;
  }
  // A series that goes away leaves the tool with none.
  delete series[0];
  EXPECT_EQ(tool->Series(), nullptr);
  Click(Px(1, 1));
}

// A graph spanning more than the largest double (points at +-1e308): each point has its own
// pixel, the same through the axis and through the drawing loops' mapping, and back.
TEST_F(DragPointTest, ARangeBeyondTheLargestDoubleMapsEveryValue) {
  Build();
  series[0]->Clear();
  for (double y : {-1e308, 0.0, 1e308}) series[0]->AddXY(series[0]->Count(), y);
  chart->LeftAxis()->SetMinMax(-1.5e308, 1.6e308);
  Pump();
  TChartAxis* v = chart->LeftAxis();
  const TAxisPixels pixels(*v);
  std::vector<Integer> ys;
  for (Integer i = 0; i < 3; ++i) {
    ys.push_back(series[0]->CalcYPos(i));
    EXPECT_EQ(pixels.Pixel(series[0]->PointY(i)), ys.back()) << i;
  }
  EXPECT_GT(ys[0], ys[1]) << "upwards on the screen";
  EXPECT_GT(ys[1], ys[2]);
  EXPECT_NE(ys[0], v->IStartPos());
  EXPECT_NEAR(v->CalcPosPoint(ys[1]), 0, 0.02e308);
}

TEST(CursorNames, NamesAndNumbersBothWays) {
  const struct {
    const char* name;
    Integer value;
  } rows[] = {{"crPlotHand", 2020}, {"crHandPoint", fw::crHandPoint}, {"crDefault", 0}, {"crSizeAll", fw::crSizeAll}};
  for (const auto& r : rows) {
    Integer value = 1;
    String name;
    EXPECT_TRUE(CursorIdentToValue(r.name, value));
    EXPECT_EQ(value, r.value);
    EXPECT_TRUE(CursorValueToIdent(r.value, name));
    EXPECT_EQ(name, r.name);
  }
  Integer value = 0;
  String name;
  EXPECT_FALSE(CursorIdentToValue("crNothing", value));
  EXPECT_FALSE(CursorValueToIdent(12345, name));
  EXPECT_EQ(CursorFromName(fw::crCross, "PlotHand"), 2020);
  EXPECT_EQ(CursorFromName(fw::crCross, "Nothing"), fw::crCross);
}

class YesNoTest : public charttest::ToolChartTest {};

TEST_F(YesNoTest, AsksAtTheOwnersCornerAndSaysYesOnlyForYes) {
  Build();
  win::ClearMessageBoxHistory();
  win::RECT placed{};
  for (const bool answerYes : {true, false}) {
    desktop->script([&, answerYes] {
      win::GetWindowRect(win::GetActiveWindow(), &placed);
      if (!answerYes) desktop->press_key(win::VK_TAB);  // from Yes to No
      desktop->press_key(win::VK_RETURN);
    });
    EXPECT_EQ(PlotYesNoDelete("S1", chart), answerYes);
    const win::POINT corner = At(chart, 20, 30);
    EXPECT_EQ(placed.left, corner.x);
    EXPECT_EQ(placed.top, corner.y);
  }
  ASSERT_EQ(win::MessageBoxHistory().size(), 2u);
  EXPECT_EQ(win::MessageBoxHistory()[0].text, u"Delete S1 ?");
}

}  // namespace
