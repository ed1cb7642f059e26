// Axis layout and bookkeeping: the room an axis needs, the operations a recording canvas
// receives, the hit rectangle, and Assign copying every property (the format dialog's Cancel).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart_TestSupport.h"
#include "seriesdraw_support.h"

namespace {

using chart::TChartAxis;
using drawtest::Call;
using drawtest::DrawSurface;
using drawtest::RecordingCanvas;

const win::RECT kPlot{20, 10, 180, 120};

struct AxisLayout : ::testing::Test {
  AxisLayout() : surface(200, 170) {
    canvas.SetReferenceCanvas(surface.bitmap.Canvas());
    recorder.SetReferenceCanvas(surface.bitmap.Canvas());
  }
  std::unique_ptr<TChartAxis> MakeAxis(bool Horizontal) {
    auto axis = std::make_unique<TChartAxis>(Horizontal);
    axis->SetMinMax(0, 100);
    drawtest::UseTestFont(axis->LabelsFont());
    drawtest::UseTestFont(axis->Title()->Font());
    axis->SetPlotRect(kPlot);
    return axis;
  }
  charttest::PlainNumberFormat format;
  DrawSurface surface;
  chart::TPlotCanvas3D canvas;
  RecordingCanvas recorder;
};

TEST_F(AxisLayout, SizeNeededCountsTicksLabelsAndTitle) {
  auto h = MakeAxis(true);
  EXPECT_EQ(h->SizeNeeded(canvas), 4 + 2 + 13);
  h->Title()->SetCaption("Time");
  EXPECT_EQ(h->SizeNeeded(canvas), 4 + 2 + 13 + 2 + 13);
  h->Title()->SetSize(30);
  EXPECT_EQ(h->SizeNeeded(canvas), 4 + 2 + 13 + 2 + 30) << "a set title size wins";
  h->LabelsFont()->SetHeight(-26);
  EXPECT_EQ(h->SizeNeeded(canvas), 4 + 2 + 26 + 2 + 30) << "a larger labels font needs more room";
  h->SetLabelsSize(40);
  EXPECT_EQ(h->SizeNeeded(canvas), 4 + 2 + 40 + 2 + 30);
  h->SetLabels(false);
  h->Ticks()->SetVisible(false);
  EXPECT_EQ(h->SizeNeeded(canvas), 2 + 30);
  h->SetVisible(false);
  EXPECT_EQ(h->SizeNeeded(canvas), 0);

  // A vertical axis needs the widest label ("100": 21) and an upright title's height (13).
  auto v = MakeAxis(false);
  EXPECT_EQ(v->SizeNeeded(canvas), 4 + 2 + 21);
  v->Title()->SetCaption("Volts");
  EXPECT_EQ(v->Title()->Angle(), 90) << "a vertical axis' title reads upwards";
  EXPECT_EQ(v->SizeNeeded(canvas), 4 + 2 + 21 + 2 + 13);
  // Labels turned a quarter: their depth is the text height.
  v->SetLabelsAngle(90);
  EXPECT_EQ(v->SizeNeeded(canvas), 4 + 2 + 13 + 2 + 13);
  v->SetLabelsAngle(-270);
  EXPECT_EQ(v->LabelsAngle(), 90);
}

TEST_F(AxisLayout, MultiLineLabelsStackTheirWords) {
  auto h = MakeAxis(true);
  h->SetAxisValuesFormat("0 \"V\"");
  EXPECT_EQ(h->SizeNeeded(canvas), 4 + 2 + 13);
  h->SetLabelsMultiLine(true);
  EXPECT_EQ(h->SizeNeeded(canvas), 4 + 2 + 26);
  h->Draw(recorder);
  const auto texts = recorder.Of("TextOut");
  ASSERT_GE(texts.size(), 4u);
  // "0" then "V" under it, both centred on the tick at 20.
  EXPECT_EQ(texts[0].text, "0");
  EXPECT_EQ(texts[1].text, "V");
  EXPECT_EQ(texts[0].points[0].x, 17);
  EXPECT_EQ(texts[1].points[0].x, 17);
  EXPECT_EQ(texts[1].points[0].y, texts[0].points[0].y + 13);
}

TEST_F(AxisLayout, ARecordingCanvasReceivesEveryLineAndLabel) {
  auto axis = MakeAxis(true);
  axis->Title()->SetCaption("Time");
  axis->DrawGrid(recorder);
  axis->Draw(recorder);
  EXPECT_EQ(surface.CountNotWhite(), 0) << "nothing may bypass the canvas's operations";

  const std::vector<fw::Integer> ticks = axis->TickPositions();
  ASSERT_EQ(ticks.size(), 6u);
  std::vector<Call> vertical = recorder.Of("VertLine");
  // Grid (6) + outer ticks (6) + minor ticks (3 per step, 5 steps).
  ASSERT_EQ(vertical.size(), 6u + 6u + 15u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(vertical[i].points[0], (fw::TPoint{ticks[i], 10}));
    EXPECT_EQ(vertical[i].points[1], (fw::TPoint{ticks[i], 120}));
    EXPECT_EQ(vertical[i].penColor, fw::clGray);
  }
  const std::vector<Call> horizontal = recorder.Of("HorizLine");
  ASSERT_EQ(horizontal.size(), 1u) << "the axis line";
  EXPECT_EQ(horizontal[0].points[0], (fw::TPoint{20, 120}));
  EXPECT_EQ(horizontal[0].points[1], (fw::TPoint{181, 120}));

  const std::vector<Call> texts = recorder.Of("TextOut");
  ASSERT_EQ(texts.size(), 7u);
  const char* labels[] = {"0", "20", "40", "60", "80", "100"};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(texts[i].text, labels[i]);
    EXPECT_EQ(texts[i].points[0].y, 126);
  }
  EXPECT_EQ(texts[6].text, "Time");
  EXPECT_EQ(texts[6].points[0], (fw::TPoint{100 - 14, 141}));
}

TEST_F(AxisLayout, TurnedTextGoesThroughRotateLabelAtTheTurnedBoxCorner) {
  auto v = MakeAxis(false);
  v->Title()->SetCaption("Volts");
  v->SetLabels(false);
  v->Draw(recorder);
  const std::vector<Call> turned = recorder.Of("RotateLabel");
  ASSERT_EQ(turned.size(), 1u);
  EXPECT_EQ(turned[0].text, "Volts");
  EXPECT_DOUBLE_EQ(turned[0].angle, 90);
  // Upright box 35 x 13 turned a quarter: 13 wide, 35 high, right edge 2 columns past the
  // ticks (20 - 4 - 2 + 1 = 15), centred on the span (65). Text turned counter-clockwise
  // starts at the bottom-left corner of that box.
  EXPECT_EQ(turned[0].points[0], (fw::TPoint{15 - 13, (10 + 120) / 2 - 35 / 2 + 35}));
  EXPECT_TRUE(recorder.Of("TextOut").empty());

  // Bottom labels turned a quarter: 13 wide boxes centred on the ticks, their tops 2 rows past
  // the ticks, so the text starts 14 rows further down for "20".
  recorder.calls.clear();
  auto h = MakeAxis(true);
  h->SetLabelsAngle(90);
  h->Draw(recorder);
  const std::vector<Call> labels = recorder.Of("RotateLabel");
  ASSERT_FALSE(labels.empty());
  const std::vector<fw::Integer>& ticks = h->TickPositions();
  ASSERT_EQ(labels.size(), ticks.size());
  // 13 + a blank's 7 pixels per label: steps of 20 again.
  EXPECT_EQ(labels[1].text, "20");
  EXPECT_EQ(labels[1].points[0], (fw::TPoint{ticks[1] - 13 / 2, 126 + 14}));
  EXPECT_DOUBLE_EQ(labels[1].angle, 90);
}

TEST_F(AxisLayout, AxisRectAndClickedUseTheTolerance) {
  auto h = MakeAxis(true);
  const win::RECT r = h->AxisRect();
  EXPECT_EQ(r.left, 17);
  EXPECT_EQ(r.top, 117);
  EXPECT_EQ(r.right, 184);
  EXPECT_EQ(r.bottom, 124);
  EXPECT_TRUE(h->Clicked(17, 117));
  EXPECT_TRUE(h->Clicked(183, 123));
  EXPECT_TRUE(h->Clicked(100, 120));
  EXPECT_FALSE(h->Clicked(16, 120));
  EXPECT_FALSE(h->Clicked(184, 120));
  EXPECT_FALSE(h->Clicked(100, 116));
  EXPECT_FALSE(h->Clicked(100, 124));
  h->SetVisible(false);
  EXPECT_FALSE(h->Clicked(100, 120)) << "a hidden axis is never clicked";

  auto v = MakeAxis(false);
  v->SetOtherSide(true);
  v->SetPlotRect(kPlot);
  EXPECT_TRUE(v->Clicked(180, 60));
  EXPECT_TRUE(v->Clicked(177, 7));
  EXPECT_FALSE(v->Clicked(176, 60));
  EXPECT_FALSE(v->Clicked(180, 124));
}

TEST_F(AxisLayout, SettersClampAndReportChanges) {
  auto axis = MakeAxis(true);
  int changes = 0;
  axis->OnChange = [&](fw::TObject*) { ++changes; };
  axis->SetTickLength(-5);
  EXPECT_EQ(axis->TickLength(), 0);
  axis->SetMinorTickCount(1'000'000);
  EXPECT_EQ(axis->MinorTickCount(), 100);
  axis->SetPositionPercent(250);
  EXPECT_EQ(axis->PositionPercent(), 100);
  axis->SetStartPosition(-1);
  EXPECT_EQ(axis->StartPosition(), 0);
  EXPECT_EQ(changes, 3) << "the start position did not change";
  axis->Grid()->SetWidth(3);
  axis->LabelsFont()->SetHeight(-20);
  axis->Title()->SetCaption("x");
  EXPECT_EQ(changes, 6) << "pens, fonts and the title report too";
}

TEST_F(AxisLayout, AssignCopiesEveryPropertyAndKeepsItsOwnTools) {
  TChartAxis a(false);
  a.SetOtherSide(true);
  a.SetMinMax(-3, 7);
  a.SetAutomaticMaximum(true);
  a.SetIncrement(2);
  a.SetLogarithmic(true);
  a.SetLogarithmicBase(2);
  a.SetInverted(true);
  a.SetRoundFirstLabel(false);
  a.SetAxisValuesFormat("0.0");
  a.SetVisible(false);
  a.Title()->SetCaption("Caption");
  a.Title()->SetAngle(45);
  a.Title()->SetSize(17);
  a.Title()->Font()->SetName("Korvalin Test");
  a.Title()->Font()->Shadow()->HorizSize = 2;
  a.SetLabels(false);
  a.LabelsFont()->SetHeight(-21);
  a.LabelsFont()->SetColor(fw::clRed);
  a.SetLabelsSize(33);
  a.SetLabelsAngle(270);
  a.SetLabelsMultiLine(true);
  a.SetLabelsOnAxis(false);
  chart::TChartPen* pens[] = {a.Grid(), a.Ticks(), a.TicksInner(), a.MinorGrid(), a.MinorTicks(), a.Axis()};
  for (int i = 0; i < 6; ++i) {
    pens[i]->SetColor(fw::TColor(0x010101 * (i + 1)));
    pens[i]->SetWidth(i + 2);
    pens[i]->SetVisible(i % 2 == 0);
    pens[i]->SetStyle(fw::psDash);
    pens[i]->SetSmallDots(i == 3);
  }
  a.SetTickLength(9);
  a.SetTickInnerLength(8);
  a.SetMinorTickCount(7);
  a.SetMinorTickLength(6);
  a.SetPositionPercent(5);
  a.SetStartPosition(4);
  a.SetEndPosition(93);

  TChartAxis b(true);
  int changes = 0;
  b.OnChange = [&](fw::TObject*) { ++changes; };
  b.Assign(&a);
  EXPECT_EQ(changes, 1) << "one change report for the whole copy";
  EXPECT_FALSE(b.Horizontal());
  EXPECT_TRUE(b.OtherSide());
  EXPECT_EQ(b.Minimum(), -3);
  EXPECT_EQ(b.Maximum(), 7);
  EXPECT_FALSE(b.Automatic());
  EXPECT_FALSE(b.AutomaticMinimum());
  EXPECT_TRUE(b.AutomaticMaximum());
  EXPECT_EQ(b.Increment(), 2);
  EXPECT_TRUE(b.Logarithmic());
  EXPECT_EQ(b.LogarithmicBase(), 2);
  EXPECT_TRUE(b.Inverted());
  EXPECT_FALSE(b.RoundFirstLabel());
  EXPECT_EQ(b.AxisValuesFormat(), "0.0");
  EXPECT_FALSE(b.Visible());
  EXPECT_EQ(b.Title()->Caption(), "Caption");
  EXPECT_EQ(b.Title()->Angle(), 45);
  EXPECT_EQ(b.Title()->Size(), 17);
  EXPECT_EQ(b.Title()->Font()->Name(), "Korvalin Test");
  EXPECT_EQ(b.Title()->Font()->Shadow()->HorizSize, 2);
  EXPECT_FALSE(b.Labels());
  EXPECT_EQ(b.LabelsFont()->Height(), -21);
  EXPECT_EQ(b.LabelsFont()->Color(), fw::clRed);
  EXPECT_EQ(b.LabelsSize(), 33);
  EXPECT_EQ(b.LabelsAngle(), 270);
  EXPECT_TRUE(b.LabelsMultiLine());
  EXPECT_FALSE(b.LabelsOnAxis());
  chart::TChartPen* copies[] = {b.Grid(), b.Ticks(), b.TicksInner(), b.MinorGrid(), b.MinorTicks(), b.Axis()};
  for (int i = 0; i < 6; ++i) {
    EXPECT_NE(copies[i], pens[i]) << "each axis keeps its own pens";
    EXPECT_EQ(copies[i]->Color(), fw::TColor(0x010101 * (i + 1))) << i;
    EXPECT_EQ(copies[i]->Width(), i + 2) << i;
    EXPECT_EQ(copies[i]->Visible(), i % 2 == 0) << i;
    EXPECT_EQ(copies[i]->Style(), fw::psDash) << i;
    EXPECT_EQ(copies[i]->SmallDots(), i == 3) << i;
  }
  EXPECT_EQ(b.TickLength(), 9);
  EXPECT_EQ(b.TickInnerLength(), 8);
  EXPECT_EQ(b.MinorTickCount(), 7);
  EXPECT_EQ(b.MinorTickLength(), 6);
  EXPECT_EQ(b.PositionPercent(), 5);
  EXPECT_EQ(b.StartPosition(), 4);
  EXPECT_EQ(b.EndPosition(), 93);

  // Apply then Cancel: the edited axis returns to the backup exactly.
  a.Grid()->SetColor(fw::clLime);
  a.Title()->SetCaption("edited");
  a.SetTickLength(1);
  a.Assign(&b);
  EXPECT_EQ(a.Grid()->Color(), fw::TColor(0x010101));
  EXPECT_EQ(a.Title()->Caption(), "Caption");
  EXPECT_EQ(a.TickLength(), 9);
}

}  // namespace

namespace {

// Over ranges tiny, huge, negative and logarithmic, the ticks stay on the axis and run in the
// axis' direction.
TEST_F(AxisLayout, TicksStayOnTheAxisInOrderForAnyRange) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> exponent(-300, 300);
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int round = 0; round < 300; ++round) {
    const bool horizontal = round % 2 == 0;
    auto axis = MakeAxis(horizontal);
    const double scale = std::pow(10.0, exponent(rng));
    double lo = unit(rng) * scale, hi = lo + std::fabs(unit(rng)) * scale;
    axis->SetLogarithmic(round % 5 == 0);
    axis->SetInverted(round % 3 == 0);
    axis->SetMinMax(lo, hi);
    axis->Draw(recorder);
    const std::vector<fw::Integer>& ticks = axis->TickPositions();
    const fw::Integer first = axis->IStartPos(), last = axis->IEndPos();
    for (std::size_t i = 0; i < ticks.size(); ++i) {
      ASSERT_GE(ticks[i], first) << lo << " .. " << hi;
      ASSERT_LE(ticks[i], last) << lo << " .. " << hi;
      if (i == 0) continue;
      // Pixels grow along a horizontal axis and shrink up a vertical one; inverted flips it.
      const bool growing = horizontal != axis->Inverted();
      if (growing)
        ASSERT_GE(ticks[i], ticks[i - 1]) << lo << " .. " << hi;
      else
        ASSERT_LE(ticks[i], ticks[i - 1]) << lo << " .. " << hi;
    }
    recorder.calls.clear();
  }
}

}  // namespace
