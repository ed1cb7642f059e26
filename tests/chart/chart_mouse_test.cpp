// The chart's paint and mouse protocol on a headless window: tool events in order, CancelMouse,
// zoom by a left drag, scroll by a right drag.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart/ChartElement.h"
#include "chart_Fixture.h"
#include "platform/user/messages/Messages.h"

using namespace chart;
using charttest::RecordingTool;

namespace {

class ChartMouseTest : public charttest::ChartTest {
 protected:
  // A 400 x 300 chart at (100, 100) with one series from (0, 0) to (10, 100).
  void Build() {
    chart = ShowChart(100, 100, 400, 300);
    series = new charttest::SquareSeries(chart);
    series->AddXY(0, 0);
    series->AddXY(10, 100);
    series->SetParentChart(chart);
    Pump();
    plot = chart->ChartRect();
  }
  RecordingTool* Tool(const std::string& Tag) {
    auto* t = new RecordingTool(chart, &log, Tag);
    t->SetParentChart(chart);
    return t;
  }
  win::POINT Screen(int x, int y) { return At(chart, x, y); }
  void Drag(int button, int x0, int y0, int x1, int y1) {
    desktop->mouse_move(Screen(x0, y0));
    desktop->mouse_down(Screen(x0, y0), button);
    Pump();
    desktop->mouse_move(Screen((x0 + x1) / 2, (y0 + y1) / 2));
    Pump();
    desktop->mouse_move(Screen(x1, y1));
    Pump();
    desktop->mouse_up(Screen(x1, y1), button);
    Pump();
  }
  std::vector<std::string> Only(char kind) const {
    std::vector<std::string> out;
    for (const auto& e : log)
      if (e.back() == kind || (kind == 'p' && e.find(":p") != std::string::npos)) out.push_back(e);
    return out;
  }

  TChart* chart = nullptr;
  charttest::SquareSeries* series = nullptr;
  TRect plot{};
  std::vector<std::string> log;
};

TEST_F(ChartMouseTest, EachPaintTellsActiveToolsTheEventsInOrder) {
  Build();
  Tool("a");
  Tool("b");
  Tool("off")->SetActive(false);
  log.clear();
  auto bitmap = chart->CreateBitmap(fw::clWhite, TRect{0, 0, 300, 200}, fw::pf24bit);
  const std::vector<std::string> expected = {"a:p2", "b:p2", "a:p3", "b:p3", "a:p1", "b:p1",
                                             "a:p4", "b:p4", "a:p0", "b:p0"};
  EXPECT_EQ(log, expected);
  // The window's own paint tells the same.
  log.clear();
  chart->Invalidate();
  Pump();
  EXPECT_EQ(log, expected);
}

TEST_F(ChartMouseTest, MouseEventsReachActiveToolsInListOrderUntilOneClaimsThem) {
  Build();
  RecordingTool* a = Tool("a");
  Tool("off")->SetActive(false);
  RecordingTool* b = Tool("b");
  const int x = (plot.left + plot.right) / 2, y = (plot.top + plot.bottom) / 2;
  log.clear();
  desktop->mouse_move(Screen(x, y));
  desktop->mouse_down(Screen(x, y));
  desktop->mouse_up(Screen(x, y));
  Pump();
  std::vector<std::string> mouse;
  for (const auto& e : log)
    if (e.find(":p") == std::string::npos) mouse.push_back(e);
  EXPECT_EQ(mouse, (std::vector<std::string>{"a:m", "b:m", "a:d", "b:d", "a:u", "b:u"}));
  EXPECT_EQ(b->lastX, x);
  EXPECT_EQ(b->lastY, y);

  // The first tool claims presses: the second no longer hears them, but still hears moves.
  a->claim[cmeDown] = true;
  log.clear();
  desktop->mouse_down(Screen(x, y));
  desktop->mouse_move(Screen(x + 1, y));
  desktop->mouse_up(Screen(x + 1, y));
  Pump();
  mouse.clear();
  for (const auto& e : log)
    if (e.find(":p") == std::string::npos) mouse.push_back(e);
  EXPECT_EQ(mouse, (std::vector<std::string>{"a:d", "a:m", "b:m", "a:u", "b:u"}));
  // CancelMouse is cleared before every event.
  EXPECT_FALSE(chart->CancelMouse());
}

TEST_F(ChartMouseTest, TheCursorPositionIsTheMouseInClientPixels) {
  Build();
  desktop->mouse_move(Screen(37, 21));
  Pump();
  EXPECT_EQ(chart->GetCursorPos(), (fw::TPoint{37, 21}));
  desktop->mouse_move(win::POINT{5, 6});  // off the chart: still in its client coordinates
  Pump();
  EXPECT_EQ(chart->GetCursorPos(), (fw::TPoint{5 - 100, 6 - 100}));
  // A chart without a window answers with the last mouse event it had.
  TChart loose(nullptr);
  EXPECT_EQ(loose.GetCursorPos(), (fw::TPoint{0, 0}));
}

TEST_F(ChartMouseTest, LeavingTheChartTellsTheToolsEventFive) {
  Build();
  Tool("a");
  desktop->mouse_move(Screen(50, 50));
  Pump();
  fw::Application->DoMouseIdle();
  log.clear();
  desktop->mouse_move(win::POINT{20, 20});  // off the form
  Pump();
  fw::Application->DoMouseIdle();
  EXPECT_NE(std::find(log.begin(), log.end(), "a:p5"), log.end());
}

TEST_F(ChartMouseTest, LeftDragDownRightZoomsIntoTheDraggedValues) {
  Build();
  TChartAxis* bottom = chart->BottomAxis();
  TChartAxis* left = chart->LeftAxis();
  const int x0 = plot.left + 40, y0 = plot.top + 30, x1 = plot.right - 60, y1 = plot.bottom - 20;
  const double xMin = bottom->CalcPosPoint(x0), xMax = bottom->CalcPosPoint(x1);
  const double yMax = left->CalcPosPoint(y0), yMin = left->CalcPosPoint(y1);
  ASSERT_LT(xMin, xMax);
  ASSERT_LT(yMin, yMax);
  int zooms = 0;
  chart->OnZoom = [&](fw::TObject*) { ++zooms; };
  Drag(0, x0, y0, x1, y1);
  EXPECT_EQ(zooms, 1);
  EXPECT_TRUE(chart->Zoomed());
  EXPECT_FALSE(bottom->Automatic());
  EXPECT_DOUBLE_EQ(bottom->Minimum(), xMin);
  EXPECT_DOUBLE_EQ(bottom->Maximum(), xMax);
  EXPECT_DOUBLE_EQ(left->Minimum(), yMin);
  EXPECT_DOUBLE_EQ(left->Maximum(), yMax);

  // Up and to the left: automatic scaling again, the data's range after the repaint.
  Drag(0, x1, y1, x0, y0);
  EXPECT_FALSE(chart->Zoomed());
  EXPECT_TRUE(bottom->Automatic());
  EXPECT_DOUBLE_EQ(bottom->Minimum(), 0);
  EXPECT_DOUBLE_EQ(bottom->Maximum(), 10);
  EXPECT_DOUBLE_EQ(left->Maximum(), 100);
}

TEST_F(ChartMouseTest, AClickThatShookWithinTheDragRectangleDoesNotZoom) {
  Build();
  const int x = plot.left + 40, y = plot.top + 30;
  Drag(0, x, y, x + 2, y + 2);
  EXPECT_FALSE(chart->Zoomed());
  Drag(0, x, y, x + 3, y + 3);  // out of the 4-pixel rectangle centred on the press
  EXPECT_TRUE(chart->Zoomed());
}

TEST_F(ChartMouseTest, TheZoomFrameIsDrawnInvertedWhileDraggingAndGoesAway) {
  Build();
  chart->BackWall()->SetColor(fw::clWhite);
  Pump();
  const int x0 = plot.left + 20, y0 = plot.top + 20, x1 = plot.left + 120, y1 = plot.top + 80;
  const win::POINT onFrame = Screen(x0 + 50, y0);  // the frame's top edge
  const win::POINT inside = Screen(x0 + 50, y0 + 30);
  ASSERT_EQ(desktop->screen_pixel(onFrame.x, onFrame.y), win::RGB(255, 255, 255));
  desktop->mouse_move(Screen(x0, y0));
  desktop->mouse_down(Screen(x0, y0));
  desktop->mouse_move(Screen(x1, y1));
  Pump();
  EXPECT_EQ(desktop->screen_pixel(onFrame.x, onFrame.y), win::RGB(0, 0, 0));
  EXPECT_EQ(desktop->screen_pixel(inside.x, inside.y), win::RGB(255, 255, 255));
  // Back over the start: no frame, and nothing zooms on release there.
  desktop->mouse_move(Screen(x0 - 5, y0 + 40));
  Pump();
  EXPECT_EQ(desktop->screen_pixel(onFrame.x, onFrame.y), win::RGB(255, 255, 255));
  desktop->mouse_up(Screen(x0 - 5, y0 + 40));
  Pump();
  EXPECT_FALSE(chart->Zoomed());
  EXPECT_TRUE(chart->BottomAxis()->Automatic());
}

TEST_F(ChartMouseTest, LosingTheMouseInADragDropsTheFrameAndTheZoom) {
  Build();
  const int x0 = plot.left + 20, y0 = plot.top + 20;
  const win::POINT onFrame = Screen(x0 + 30, y0);
  const win::COLORREF before = desktop->screen_pixel(onFrame.x, onFrame.y);
  desktop->mouse_move(Screen(x0, y0));
  desktop->mouse_down(Screen(x0, y0));
  desktop->mouse_move(Screen(x0 + 100, y0 + 60));
  Pump();
  ASSERT_NE(desktop->screen_pixel(onFrame.x, onFrame.y), before);
  chart->Perform(win::WM_CANCELMODE);
  EXPECT_EQ(desktop->screen_pixel(onFrame.x, onFrame.y), before);
  desktop->mouse_up(Screen(x0 + 100, y0 + 60));
  Pump();
  EXPECT_FALSE(chart->Zoomed());
}

TEST_F(ChartMouseTest, AToolClaimingTheMouseStopsTheZoom) {
  Build();
  RecordingTool* a = Tool("a");
  a->claim[cmeUp] = true;
  Drag(0, plot.left + 10, plot.top + 10, plot.right - 10, plot.bottom - 10);
  EXPECT_FALSE(chart->Zoomed());
  EXPECT_TRUE(chart->BottomAxis()->Automatic());
  a->claim[cmeUp] = false;
  a->claim[cmeDown] = true;
  Drag(0, plot.left + 10, plot.top + 10, plot.right - 10, plot.bottom - 10);
  EXPECT_FALSE(chart->Zoomed());
  // An OnMouseDown handler may claim the press as well.
  a->claim[cmeDown] = false;
  chart->OnMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, fw::Integer, fw::Integer) {
    chart->SetCancelMouse(true);
  };
  Drag(0, plot.left + 10, plot.top + 10, plot.right - 10, plot.bottom - 10);
  EXPECT_FALSE(chart->Zoomed());
  chart->OnMouseDown = nullptr;
  Drag(0, plot.left + 10, plot.top + 10, plot.right - 10, plot.bottom - 10);
  EXPECT_TRUE(chart->Zoomed());
}

TEST_F(ChartMouseTest, RightDragMovesTheAxesSoThePictureFollowsTheMouse) {
  Build();
  TChartAxis* bottom = chart->BottomAxis();
  TChartAxis* left = chart->LeftAxis();
  const double perPixelX = 10.0 / bottom->IAxisSize(), perPixelY = 100.0 / left->IAxisSize();
  int scrolls = 0;
  chart->OnScroll = [&](fw::TObject*) { ++scrolls; };
  const int x = plot.left + 100, y = plot.top + 100;
  Drag(1, x, y, x + 50, y + 20);
  EXPECT_GE(scrolls, 1);
  // Right by 50 pixels: the range goes 50 pixels' worth down; down by 20: 20 pixels' worth up.
  EXPECT_NEAR(bottom->Minimum(), -50 * perPixelX, 1e-9);
  EXPECT_NEAR(bottom->Maximum(), 10 - 50 * perPixelX, 1e-9);
  EXPECT_NEAR(left->Minimum(), 20 * perPixelY, 1e-9);
  EXPECT_NEAR(left->Maximum(), 100 + 20 * perPixelY, 1e-9);
  EXPECT_FALSE(chart->Zoomed());
}

TEST_F(ChartMouseTest, OnAllowScrollCanRefuseOrChangeTheScroll) {
  Build();
  chart->OnAllowScroll = [&](TChartAxis* Axis, double& AMin, double& AMax, bool& Allow) {
    if (Axis == chart->LeftAxis())
      Allow = false;
    else
      AMin = -1, AMax = 11;
  };
  const int x = plot.left + 100, y = plot.top + 100;
  Drag(1, x, y, x + 30, y + 30);
  EXPECT_DOUBLE_EQ(chart->BottomAxis()->Minimum(), -1);
  EXPECT_DOUBLE_EQ(chart->BottomAxis()->Maximum(), 11);
  EXPECT_TRUE(chart->LeftAxis()->Automatic());
  EXPECT_DOUBLE_EQ(chart->LeftAxis()->Maximum(), 100);
}

TEST_F(ChartMouseTest, DragsOutsideThePlotOrWithTheChartsOwnHandlingOffDoNothing) {
  Build();
  Drag(0, plot.left - 5, plot.top + 10, plot.right - 10, plot.bottom - 10);
  EXPECT_FALSE(chart->Zoomed());
  chart->SetAllowZoom(false);
  chart->SetAllowPanning(false);
  Drag(0, plot.left + 10, plot.top + 10, plot.right - 10, plot.bottom - 10);
  Drag(1, plot.left + 10, plot.top + 10, plot.right - 10, plot.bottom - 10);
  EXPECT_FALSE(chart->Zoomed());
  EXPECT_TRUE(chart->BottomAxis()->Automatic());
  EXPECT_TRUE(chart->LeftAxis()->Automatic());
}

}  // namespace
