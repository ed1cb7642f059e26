// The chart tools on a headless chart: cursor, axis scroll and arrows, marks tips, and the
// mechanics of the other tool classes with their registration.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <algorithm>
#include <cmath>
#include <functional>

#include "chart/PlotMultiSelectorTool.h"
#include "chart/PlotToolsAxisArrow.h"
#include "chart/PlotToolsAxisScroll.h"
#include "chart/PlotToolsCursor.h"
#include "chart/PlotToolsMarksTip.h"
#include "chart/PlotToolsAnnotation.h"
#include "chart/PlotToolsBands.h"
#include "chart/PlotToolsDrawLine.h"
#include "chart/PlotToolsLines.h"
#include "chart/PlotToolsRegistration.h"
#include "chart/PlotToolsSeries.h"
#include "chart/Series.h"
#include "chart/SeriesMarks.h"
#include "tools_Fixture.h"

using namespace chart;

namespace {

class CursorToolTest : public charttest::ToolChartTest {
 protected:
  void Build() {
    ToolChartTest::Build();
    tool = new TCursorTool(form.get());
    tool->SetParentChart(chart);
    tool->OnChange = [this](TCursorTool*, Integer, Integer, double, double, TChartSeries*, Integer i) {
      changes.push_back(i);
    };
    chart->Invalidate();
    Pump();
  }
  // The window's pixel at a client point of the chart.
  win::COLORREF Screen(int X, int Y) { return desktop->surface_pixel(form->Handle(), X, Y) & 0xFFFFFF; }
  TCursorTool* tool = nullptr;
  std::vector<Integer> changes;
};

TEST_F(CursorToolTest, FirstPaintPlacesTheCrossInTheMiddleAndReportsOnce) {
  Build();
  const TChartAxis* h = chart->BottomAxis();
  const TChartAxis* v = chart->LeftAxis();
  EXPECT_EQ(tool->XPos(), (h->IStartPos() + h->IEndPos()) / 2);
  EXPECT_EQ(tool->YPos(), (v->IStartPos() + v->IEndPos()) / 2);
  EXPECT_EQ(changes, std::vector<Integer>{-1});
}

TEST_F(CursorToolTest, SnapsByTheStylesDistanceInAxisUnits) {
  Build();
  tool->SetSeries(series[0]);  // points (2, 6), (5, 7.5), (8, 9)
  struct Row {
    TCursorToolStyle style;
    bool snap;
    double x, y;
    Integer index;
    double snappedX, snappedY;
  };
  const Row rows[] = {
      {cssVertical, true, 4.4, 20, 1, 5, 20},       {cssHorizontal, true, 0, 8.4, 2, 0, 9},
      {cssBoth, true, 3.5, 6.75, 0, 2, 6},          // equally far from points 0 and 1: the first wins
      {cssBoth, false, 3.5, 6.75, -1, 3.5, 6.75},  // snap off
  };
  for (const Row& r : rows) {
    tool->SetStyle(r.style);
    tool->SetSnap(r.snap);
    tool->SetXValue(r.x);
    tool->SetYValue(r.y);
    EXPECT_EQ(tool->SnapToPoint(), r.index);
    EXPECT_DOUBLE_EQ(tool->XValue(), r.snappedX);
    EXPECT_DOUBLE_EQ(tool->YValue(), r.snappedY);
  }
}

// With a multiplier on X the cursor snaps by the values the points show, not the stored ones.
TEST_F(CursorToolTest, SnapsByTheMultipliedX) {
  Build();
  auto* s = new TLineSeries(form.get());
  for (int i = 0; i < 8; ++i) s->AddXY(2.0 * i, i);  // shown at X = 0, 1, 2, ... with 0.5
  s->XValues()->SetMultiplier(0.5);
  tool->SetSeries(s);
  tool->SetStyle(cssVertical);
  tool->SetSnap(true);
  for (const auto& [x, index] : std::vector<std::pair<double, Integer>>{{2.9, 3}, {2.2, 2}, {6.6, 7}, {-4, 0}}) {
    tool->SetXValue(x);
    EXPECT_EQ(tool->SnapToPoint(), index) << x;
    EXPECT_DOUBLE_EQ(tool->XValue(), double(index)) << x;
  }
}

TEST_F(CursorToolTest, FollowsTheMouseInXorInsideTheAxesOnly) {
  Build();
  tool->SetSeries(series[0]);
  tool->SetSnap(true);
  tool->SetStyle(cssVertical);
  tool->SetFollowMouse(true);
  std::vector<Integer> snaps;
  tool->OnSnapChange = [&](TCursorTool*, Integer, Integer, double, double, TChartSeries*, Integer i) {
    snaps.push_back(i);
  };
  const int y = chart->ChartRect().top + 5;  // above every point
  const int oldX = tool->XPos();
  const win::COLORREF background = Screen(oldX + 20, y);
  ASSERT_NE(Screen(oldX, y), background);  // the line drawn at the first paint
  changes.clear();
  Move(fw::TPoint{Px(0, 0).x + 3, y});
  Move(fw::TPoint{Px(0, 0).x + 1, y});
  Move(fw::TPoint{Px(0, 2).x, y});
  EXPECT_EQ(changes, (std::vector<Integer>{0, 0, 2}));
  EXPECT_EQ(snaps, (std::vector<Integer>{0, 2}));
  EXPECT_EQ(tool->XPos(), Px(0, 2).x);
  // The old line is gone and the new one shows, on the window and after a repaint alike.
  EXPECT_EQ(Screen(oldX, y), background);
  EXPECT_NE(Screen(Px(0, 2).x, y), background);
  chart->Invalidate();
  Pump();
  EXPECT_EQ(Screen(oldX, y), background);
  EXPECT_NE(Screen(Px(0, 2).x, y), background);
  Move(fw::TPoint{chart->ChartRect().right + 20, y});  // outside: nothing
  EXPECT_EQ(changes.size(), 3u);
}

TEST_F(CursorToolTest, TheAxesRectangleCanBeAdjustedOrSpanThePlotArea) {
  Build();
  const int x = tool->XPos(), y = tool->YPos();
  int asked = 0;
  // An adjusted rectangle ending left of the vertical line: the line is no longer hit there.
  tool->OnAdjustAxesRect = [&](const TCursorTool* Sender, fw::TRect& Rect) {
    EXPECT_EQ(Sender, tool);
    ++asked;
    Rect.right = x - 5;
  };
  EXPECT_EQ(tool->LinePartAt(x + 1, y + 40), 0);
  EXPECT_EQ(tool->LinePartAt(x - 40, y + 1), 1);
  EXPECT_GT(asked, 0);
  // Spanning the plot area, the event is not asked and the whole plot counts again.
  EXPECT_FALSE(tool->SpanPlotArea());
  tool->SetSpanPlotArea(true);
  asked = 0;
  EXPECT_EQ(tool->LinePartAt(x + 1, y + 40), 2);
  EXPECT_EQ(tool->LinePartAt(chart->ChartRect().right, y + 1), 1) << "the plot's edge is inside";
  EXPECT_EQ(asked, 0);
}

TEST_F(CursorToolTest, LinesAreHitFromLessThanThreePixels) {
  Build();
  const int x = tool->XPos(), y = tool->YPos();
  struct Row {
    int dx, dy, part;
  } const rows[] = {{2, 40, 2}, {3, 40, 0}, {40, -2, 1}, {40, 3, 0}, {1, 1, 3}};
  for (const Row& r : rows) EXPECT_EQ(tool->LinePartAt(x + r.dx, y + r.dy), r.part) << r.dx << "," << r.dy;
  EXPECT_EQ(tool->LinePartAt(chart->ChartRect().left - 10, y), 0);
  // Without FollowMouse a press on the vertical line drags it: X follows, Y stays.
  const double yValue = tool->YValue();
  Press(fw::TPoint{x + 2, y + 40});
  EXPECT_EQ(tool->DragPart(), 2);
  Move(fw::TPoint{x + 50, y + 60});
  Release(fw::TPoint{x + 50, y + 60});
  EXPECT_EQ(tool->XPos(), x + 50);
  EXPECT_DOUBLE_EQ(tool->YValue(), yValue);
  EXPECT_EQ(tool->DragPart(), 0);
}

class AxisScrollTest : public charttest::ToolChartTest {};

TEST_F(AxisScrollTest, DraggingAnAxisMovesTheGraphsWithTheMouse) {
  Build();
  // The selector after the scroll tool still sees the press on the axis.
  auto* scroll = new TAxisScrollTool(form.get());
  scroll->SetParentChart(chart);
  auto* selector = new TMultiSelectorTool(form.get());
  selector->SetParentChart(chart);
  struct Row {
    int axis;
    bool inverted;
    int along;
    double sign;  // of the change of Minimum per pixel along the drag
  } const rows[] = {{0, false, 50, -1}, {0, true, 50, 1}, {2, false, 30, 1}, {2, true, 30, -1}};
  for (const Row& r : rows) {
    TChartAxis* axis = chart->AxesList()[std::size_t(r.axis)];
    scroll->SetAxis(axis);
    scroll->SetScrollInverted(r.inverted);
    const double min = axis->Minimum(), max = axis->Maximum();
    const double perPixel = (max - min) / axis->IAxisSize();
    const win::RECT a = axis->AxisRect();
    const fw::TPoint from{(a.left + a.right) / 2, (a.top + a.bottom) / 2};
    const fw::TPoint to = axis->Horizontal() ? fw::TPoint{from.x + r.along, from.y} : fw::TPoint{from.x, from.y + r.along};
    Press(from);
    EXPECT_EQ(selector->ClickedPart().Axis, axis);
    Move(to);
    Release(to);
    EXPECT_NEAR(axis->Minimum(), min + r.sign * r.along * perPixel, 1e-9) << r.axis << r.inverted;
    EXPECT_NEAR(axis->Maximum() - axis->Minimum(), max - min, 1e-9);
  }
}

TEST_F(AxisScrollTest, AxisArrowsScrollByAShareOfTheRange) {
  Build();
  auto* arrows = new TAxisArrowTool(form.get());
  arrows->SetParentChart(chart);
  arrows->SetAxis(chart->BottomAxis());
  std::vector<bool> clicks;
  arrows->OnClick = [&](TAxisArrowTool*, bool AtStart) { clicks.push_back(AtStart); };
  const TChartAxis* axis = chart->BottomAxis();
  const int y = axis->PosAxis(), start = axis->IStartPos(), end = axis->IEndPos();
  struct Row {
    int x, percent;
    bool inverted;
    double minimum;  // after the click, from 0..10
  } const rows[] = {{start + 5, 10, false, 1}, {end - 5, 10, false, -1}, {start + 5, 10, true, -1},
                    {start, 10, false, 0},  // the start pixel itself is on no arrow
                    {start + 5, 0, false, 0}};
  for (const Row& r : rows) {
    chart->BottomAxis()->SetMinMax(0, 10);
    arrows->SetScrollPercent(r.percent);
    arrows->SetScrollInverted(r.inverted);
    Click(fw::TPoint{r.x, y});
    EXPECT_DOUBLE_EQ(axis->Minimum(), r.minimum) << r.x << " " << r.percent << " " << r.inverted;
  }
  EXPECT_EQ(clicks, (std::vector<bool>{true, false, true}));
}

class MarksTipTest : public charttest::ToolChartTest {};

TEST_F(MarksTipTest, ShowsThePointsValuesInTheChartsHint) {
  Build();
  auto* tips = new TMarksTipTool(form.get());
  tips->SetStyle(smsXY);
  tips->SetParentChart(chart);
  const TSeriesMarksStyle style = series[1]->Marks()->Style();
  Move(Px(1, 1));
  EXPECT_EQ(chart->Hint(), series[1]->FormatValue(5) + " " + series[1]->FormatValue(17.5));
  EXPECT_EQ(series[1]->Marks()->Style(), style);  // borrowed, given back
  EXPECT_TRUE(chart->AutoRepaint());
  Move(fw::TPoint{Px(1, 1).x + 30, Px(1, 1).y});
  EXPECT_EQ(chart->Hint(), "");
  Move(Px(2, 0));
  EXPECT_FALSE(chart->Hint().empty());
  tips->SetActive(false);
  EXPECT_EQ(chart->Hint(), "");
}

// A tip whose point has left the mouse (zoomed, scrolled, moved) goes once the chart is drawn
// again; one whose point is still there stays.
TEST_F(MarksTipTest, ATipGoesWhenItsPointLeavesTheMouse) {
  Build();
  auto* tips = new TMarksTipTool(form.get());
  tips->SetStyle(smsXY);
  tips->SetParentChart(chart);
  const std::vector<std::function<void()>> changes{
      [&] {
        chart->BottomAxis()->SetMinMax(chart->BottomAxis()->Minimum() + 2,
                                       chart->BottomAxis()->Maximum() + 2);
      },
      [&] {
        chart->ZoomRect(fw::TRect{0, 0, 150, 150});
      },
      [&] { series[1]->YValues()->SetValue(1, 100); },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    chart->UndoZoom();
    Pump();
    Move(Px(1, 1));
    ASSERT_FALSE(chart->Hint().empty()) << i;
    chart->Invalidate();
    Pump();
    EXPECT_FALSE(chart->Hint().empty()) << i << ": redrawn with the point still there";
    changes[i]();
    series[1]->Repaint();
    Pump();
    EXPECT_EQ(chart->Hint(), "") << i;
  }
}

}  // namespace

namespace {

class OtherToolsTest : public charttest::ToolChartTest {};

TEST_F(OtherToolsTest, EveryToolClassIsFoundByNameWhileRegistered) {
  Build();
  RegisterChartTools();
  const auto registered = PlotToolTypes();
  ASSERT_EQ(registered.size(), 17u);  // sixteen tools and the drag point tool
  for (const auto& entry : registered) {
    SCOPED_TRACE(entry.Name);
    const fw::TPersistentClass cls = fw::GetClass(entry.Name);
    ASSERT_NE(cls, nullptr);
    auto* tool = dynamic_cast<TPlotCustomTool*>(cls->Create(form.get()));
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->Description(), entry.Description);
    EXPECT_EQ(tool->ClassName(), entry.Name);
    tool->SetParentChart(chart);  // placed on a chart, it lives through a paint
  }
  chart->Invalidate();
  Pump();
  UnRegisterChartTools();
  EXPECT_EQ(fw::GetClass("TCursorTool"), nullptr);
  EXPECT_TRUE(PlotToolTypes().empty());
}

TEST_F(OtherToolsTest, AnnotationsArePlacedByPositionAndPickedBySelector) {
  Build();
  auto* note = new TAnnotationTool(form.get());
  note->SetParentChart(chart);
  struct Row {
    TAnnotationPosition position;
    int x, y;  // of a 100 x 20 text on the 400 x 300 chart
  } const rows[] = {{ppLeftTop, 10, 10}, {ppLeftBottom, 10, 272}, {ppRightTop, 292, 10}, {ppRightBottom, 292, 272}};
  for (const Row& r : rows) {
    note->SetPosition(r.position);
    EXPECT_EQ(note->TextPosition(100, 20), (fw::TPoint{r.x, r.y}));
    const win::RECT box = note->BoxRect(100, 20);
    EXPECT_EQ((std::vector<int>{box.left, box.top, box.right - box.left, box.bottom - box.top}),
              (std::vector<int>{r.x - 4, r.y - 2, 106, 24}));
  }
  note->SetText("Заметка");
  Pump();
  auto* selector = new TMultiSelectorTool(form.get());
  selector->SetParentChart(chart);
  const win::RECT box = note->Shape()->ShapeBounds();
  const fw::TPoint at{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  Press(at);
  EXPECT_EQ(selector->SelectedAnnotation(), note);
  Move(fw::TPoint{at.x + 20, at.y + 10});
  Release(fw::TPoint{at.x + 20, at.y + 10});
  EXPECT_EQ(note->Shape()->Left(), box.left + 20);
  Pump();
  EXPECT_EQ(note->TextPosition(100, 20), (fw::TPoint{box.left + 24, box.top + 12}));  // stays where dragged
  note->SetPositionUnits(muPercent);
  note->Shape()->SetLeft(50);
  note->Shape()->SetTop(50);
  EXPECT_EQ(note->TextPosition(100, 20), (fw::TPoint{200, 150}));
  Pump();
  const win::RECT moved = note->Shape()->ShapeBounds();
  const fw::TPoint on{(moved.left + moved.right) / 2, (moved.top + moved.bottom) / 2};
  Press(on);
  ASSERT_EQ(selector->SelectedAnnotation(), note);
  delete note;  // a selected annotation that goes leaves the selection
  EXPECT_EQ(selector->SelectedAnnotation(), nullptr);
  EXPECT_EQ(selector->SelectedShape(), nullptr);  // nor its box, for the next paint's handles
  Release(on);
  Pump();
}

TEST_F(OtherToolsTest, RectanglesMoveAndResizeByTheirEdges) {
  Build();
  auto* rect = new TRectangleTool(form.get());
  rect->SetParentChart(chart);
  Pump();
  const win::RECT b = rect->Shape()->ShapeBounds();
  EXPECT_EQ((std::vector<int>{b.left, b.top, b.right, b.bottom}), (std::vector<int>{10, 10, 60, 60}));
  struct Row {
    int x, y, edge;
  } const rows[] = {{12, 30, 1}, {30, 12, 2}, {58, 30, 3}, {30, 58, 4}, {30, 30, 0}, {7, 30, 0}, {12, 12, 1}};
  for (const Row& r : rows) EXPECT_EQ(rect->EdgeAt(r.x, r.y), r.edge) << r.x << "," << r.y;
  // The right edge dragged past the left one stops 3 pixels from it.
  Press(fw::TPoint{58, 30});
  Move(fw::TPoint{0, 30});
  Release(fw::TPoint{0, 30});
  EXPECT_EQ(rect->Shape()->ShapeBounds().right, 13);
  EXPECT_EQ(rect->Width(), 3);
  // A press inside moves the whole box.
  Press(fw::TPoint{11, 30});
  EXPECT_EQ(rect->EdgeAt(11, 30), 1);
  Release(fw::TPoint{11, 30});
}

TEST_F(OtherToolsTest, ColorLinesStandAtTheirStylesValueAndAreDraggedWithinTheAxis) {
  Build();
  auto* line = new TColorLineTool(form.get());
  line->SetAxis(chart->BottomAxis());
  line->SetValue(3);
  const struct {
    TColorLineStyle style;
    double value;
  } rows[] = {{clCustom, 3}, {clMaximum, 10}, {clCenter, 5}, {clMinimum, 0}};
  for (const auto& r : rows) {
    line->SetStyle(r.style);
    EXPECT_DOUBLE_EQ(line->LineValue(), r.value);
  }
  line->SetStyle(clCenter);
  Pump();
  const int x = chart->BottomAxis()->CalcPosValue(5), y = Px(0, 0).y - 20;
  Press(fw::TPoint{x + 2, y});
  EXPECT_TRUE(line->Dragging());
  Move(fw::TPoint{chart->BottomAxis()->CalcPosValue(7), y});
  EXPECT_EQ(line->Style(), clCustom);
  EXPECT_NEAR(line->Value(), 7, 0.05);
  Move(fw::TPoint{chart->ChartRect().right + 50, y});  // held at the axis' end
  Release(fw::TPoint{chart->ChartRect().right + 50, y});
  EXPECT_DOUBLE_EQ(line->Value(), 10);
  EXPECT_FALSE(line->Dragging());
}

TEST_F(OtherToolsTest, NearestPointRotateAndAnimationMechanics) {
  Build();
  auto* nearest = new TNearestTool(form.get());
  nearest->SetParentChart(chart);
  nearest->SetSeries(series[0]);
  series[0]->SetPointColor(1, clNullPoint);  // skipped
  Pump();
  const fw::TPoint p0 = Px(0, 0), p2 = Px(0, 2);
  EXPECT_EQ(nearest->NearestPoint(p0.x + 3, p0.y), 0);
  EXPECT_EQ(nearest->NearestPoint((p0.x + p2.x) / 2, (p0.y + p2.y) / 2), 0);  // a tie keeps the first
  Move(fw::TPoint{p2.x - 2, p2.y});
  EXPECT_EQ(nearest->Point(), 2);

  auto* rotate = new TRotateTool(form.get());
  rotate->SetParentChart(chart);
  chart->View3DOptions().Rotation = 345;
  chart->View3DOptions().Elevation = 345;
  Press(fw::TPoint{100, 100});
  Move(fw::TPoint{100 + chart->Width() / 3, 100 - chart->Height() / 3});  // +30 degrees each way
  Release(fw::TPoint{100 + chart->Width() / 3, 100 - chart->Height() / 3});
  EXPECT_EQ(chart->View3DOptions().Rotation, 15);  // 375 wraps round
  EXPECT_EQ(chart->View3DOptions().Elevation, 360);  // held at the top
  EXPECT_FALSE(chart->View3DOptions().Orthogonal);
  delete rotate;

  auto* animation = new TSeriesAnimationTool(form.get());
  animation->SetSeries(series[2]);
  const std::vector<double> before{series[2]->PointY(0), series[2]->PointY(1), series[2]->PointY(2)};
  for (const int steps : {4, 0}) {  // no steps still ends with the values in place
    std::vector<int> seen;
    animation->SetSteps(steps);
    animation->SetDrawEvery(2);
    animation->OnStep = [&](TSeriesAnimationTool*, Integer Step) { seen.push_back(Step); };
    animation->Play();
    EXPECT_EQ(seen.size(), std::size_t(2 * (std::max(steps, 1) + 1)));  // two groups
    EXPECT_EQ((std::vector<double>{series[2]->PointY(0), series[2]->PointY(1), series[2]->PointY(2)}), before);
  }
  animation->SetLoop(salCircular);
  int steps = 0;
  animation->OnStep = [&](TSeriesAnimationTool* Sender, Integer) {
    if (++steps == 25) Sender->Stop();
  };
  animation->Play();
  EXPECT_EQ(steps, 25);
  EXPECT_TRUE(animation->Stopped());
  EXPECT_DOUBLE_EQ(series[2]->PointY(0), before[0]);
}

TEST_F(OtherToolsTest, SeriesBoundToolsHookAndLetGo) {
  Build();
  auto* clip = new TClipSeriesTool(form.get());
  clip->SetParentChart(chart);
  Pump();  // without a series it does nothing
  clip->SetSeries(series[1]);
  EXPECT_TRUE(bool(series[1]->OnBeforeDrawValues));
  chart->LeftAxis()->SetMinMax(10, 20);  // the series' points leave the axes' box partly
  Pump();
  delete clip;
  EXPECT_FALSE(bool(series[1]->OnBeforeDrawValues));

  auto* image = new TChartImageTool(form.get());
  image->SetParentChart(chart);
  image->SetSeries(series[0]);  // x 2..8, y 6..9
  const fw::TRect r = image->ImageRect();
  EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
            (std::vector<int>{Px(0, 0).x, chart->LeftAxis()->CalcPosValue(9), Px(0, 2).x, Px(0, 0).y}));

  auto* line = new TLineSeries(form.get());
  line->AddXY(3, 12);
  line->AddXY(6, 15);
  line->SetParentChart(chart);
  line->Marks()->SetVisible(true);
  Pump();
  auto* marks = new TDragMarksTool(form.get());
  marks->SetParentChart(chart);
  const TSeriesMarkPosition* mark = line->Marks()->Positions().Position(1);
  ASSERT_NE(mark, nullptr);
  const fw::TPoint at{mark->LeftTop.x + 2, mark->LeftTop.y + 2};
  const win::POINT leftTop = mark->LeftTop;
  Press(at);
  Move(fw::TPoint{at.x + 15, at.y + 5});
  Release(fw::TPoint{at.x + 15, at.y + 5});
  const TSeriesMarkPosition* moved = line->Marks()->Positions().Position(1);
  ASSERT_NE(moved, nullptr);
  EXPECT_TRUE(moved->Custom);
  EXPECT_EQ(moved->LeftTop.x, leftTop.x + 15);
  EXPECT_EQ(moved->LeftTop.y, leftTop.y + 5);
}

}  // namespace

namespace {

class DrawnToolsTest : public charttest::ToolChartTest {};

TEST_F(DrawnToolsTest, LinesAreDrawnSelectedMovedAndForgotten) {
  Build();
  auto* tool = new TDrawLineTool(form.get());
  tool->SetParentChart(chart);
  int added = 0, dragged = 0;
  tool->OnNewLine = [&](fw::TObject*) { ++added; };
  tool->OnDraggedLine = [&](fw::TObject*) { ++dragged; };
  const TChartAxis* h = chart->BottomAxis();
  const TChartAxis* v = chart->LeftAxis();
  auto at = [&](double X, double Y) { return fw::TPoint{h->CalcPosValue(X), v->CalcPosValue(Y)}; };
  Click(at(1, 25));  // a click draws nothing
  EXPECT_EQ(tool->Lines()->Count(), 0);
  Press(at(1, 25));
  Move(at(3, 27));
  Release(at(4, 28));
  ASSERT_EQ(tool->Lines()->Count(), 1);
  TDrawLine* line = tool->Lines()->Line(0);
  EXPECT_NEAR(line->X0, 1, 0.05);
  EXPECT_NEAR(line->Y1, 28, 0.15);
  // A press on the line selects it and drags it whole; then its end handle stretches it.
  Press(at(2.5, 26.5));
  EXPECT_EQ(tool->Selected(), line);
  Move(at(3.5, 26.5));
  Release(at(3.5, 26.5));
  EXPECT_NEAR(line->X0, 2, 0.05);
  Press(at(line->X1, line->Y1));
  Move(at(9, 20));
  Release(at(9, 20));
  EXPECT_NEAR(line->X1, 9, 0.05);
  EXPECT_NEAR(line->X0, 2, 0.05);
  EXPECT_EQ((std::vector<int>{added, dragged}), (std::vector<int>{1, 2}));
  tool->Lines()->Delete(0);
  EXPECT_EQ(tool->Selected(), nullptr);
  Pump();
}

TEST_F(DrawnToolsTest, BandsFillBetweenValuesAndGridLines) {
  Build();
  auto* band = new TColorBandTool(form.get());
  band->SetAxis(chart->BottomAxis());
  band->SetStartValue(2);
  band->SetEndValue(4);
  band->SetColor(fw::clYellow);
  band->SetResizeEnd(true);
  int clicks = 0;
  band->OnClick = [&](TColorBandTool*, fw::TMouseButton, fw::TShiftState, Integer, Integer) { ++clicks; };
  Pump();
  const TChartAxis* h = chart->BottomAxis();
  const int y = chart->ChartRect().top + 3;
  auto screen = [&](int X) { return desktop->surface_pixel(form->Handle(), X, y) & 0xFFFFFF; };
  EXPECT_EQ(screen(h->CalcPosValue(3)), win::RGB(255, 255, 0));
  EXPECT_NE(screen(h->CalcPosValue(5)), win::RGB(255, 255, 0));
  Click(fw::TPoint{h->CalcPosValue(3), y});
  EXPECT_EQ(clicks, 1);
  // The end edge follows the mouse.
  Press(fw::TPoint{h->CalcPosValue(4) + 1, y});
  Move(fw::TPoint{h->CalcPosValue(6), y});
  Release(fw::TPoint{h->CalcPosValue(6), y});
  EXPECT_NEAR(band->EndValue(), 6, 0.05);
  EXPECT_EQ(clicks, 1);
  delete band;

  auto* grid = new TGridBandTool(form.get());
  grid->SetAxis(chart->LeftAxis());
  grid->Band1()->SetColor(fw::clAqua);
  chart->Invalidate();
  Pump();
  // From the axis' start through each tick, the spaces take Band1 and Band2 (clear) in turn.
  std::vector<int> edges(chart->LeftAxis()->TickPositions().begin(), chart->LeftAxis()->TickPositions().end());
  const int start = chart->LeftAxis()->IStartPos();
  std::sort(edges.begin(), edges.end(), [start](int a, int b) { return std::abs(a - start) < std::abs(b - start); });
  edges.insert(edges.begin(), start);
  ASSERT_GE(edges.size(), 4u);
  const int x = chart->ChartRect().left + 5;
  int filled = 0;
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
    if (std::abs(edges[i + 1] - edges[i]) < 3) continue;
    const bool aqua =
        (desktop->surface_pixel(form->Handle(), x, (edges[i] + edges[i + 1]) / 2) & 0xFFFFFF) == win::RGB(0, 255, 255);
    EXPECT_EQ(aqua, i % 2 == 0) << i;
    filled += aqua;
  }
  EXPECT_GT(filled, 0);
  delete grid;
  EXPECT_FALSE(bool(chart->LeftAxis()->OnDrawGrid));
}

}  // namespace
