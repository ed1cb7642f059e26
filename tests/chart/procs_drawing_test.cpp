// The series-list drawing routines: check boxes and radio buttons, the class pictures, and the
// colour dialog they open.

#include <gtest/gtest.h>

#include "chart/PlotEngine.h"
#include "chart/PlotProcs.h"
#include "chart/Series.h"
#include "framework/Colors.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/desktop/ScriptedAnswers.h"
#include "platform/user/services/SysColors.h"
#include "support/HeadlessFixture.h"

namespace {

using chart::Integer;
using fw::TColor;

TColor Sys(int index) { return TColor(win::GetSysColor(index) & 0xFFFFFF); }

// A 24-bit bitmap filled with a colour no routine here draws with.
class ProcsOnBitmap : public ::testing::Test {
 protected:
  static constexpr TColor kBack = 0x3377AA;
  void SetUp() override {
    bmp.SetPixelFormat(fw::pf24bit);
    bmp.SetSize(60, 40);
    canvas().Brush()->SetColor(kBack);
    canvas().FillRect(fw::TRect{0, 0, 60, 40});
  }
  fw::TCanvas& canvas() { return *bmp.Canvas(); }
  TColor At(int x, int y) { return TColor(canvas().Pixels(x, y) & 0xFFFFFF); }
  int CountIn(int l, int t, int r, int b, TColor c) {
    int n = 0;
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) n += At(x, y) == c;
    return n;
  }
  // Nothing drawn outside the 13 x 13 cell at (l, t) within the bitmap's border strip around it.
  void ExpectUntouchedAround(int l, int t) {
    for (int i = -1; i <= 13; ++i) {
      EXPECT_EQ(At(l + i, t - 1), kBack) << i;
      EXPECT_EQ(At(l + i, t + 13), kBack) << i;
      EXPECT_EQ(At(l - 1, t + i), kBack) << i;
      EXPECT_EQ(At(l + 13, t + i), kBack) << i;
    }
  }
  fw::TBitmap bmp;
};

TEST_F(ProcsOnBitmap, CheckBoxHasASunkenFrameAndAMarkOnlyWhenChecked) {
  for (bool checked : {false, true}) {
    SetUp();
    chart::DrawCheckBox(canvas(), 10, 5, checked, false);
    // Sunken edge: outer shadow / highlight, inner dark shadow / light.
    EXPECT_EQ(At(10, 5), Sys(win::COLOR_BTNSHADOW));
    EXPECT_EQ(At(16, 5), Sys(win::COLOR_BTNSHADOW));
    EXPECT_EQ(At(10, 11), Sys(win::COLOR_BTNSHADOW));
    EXPECT_EQ(At(22, 17), Sys(win::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(At(11, 6), Sys(win::COLOR_3DDKSHADOW));
    EXPECT_EQ(At(21, 16), Sys(win::COLOR_3DLIGHT));
    ExpectUntouchedAround(10, 5);
    // The 9 x 9 middle: window colour, with the 7 x 7 mark inside it when checked.
    const int mark = CountIn(12, 7, 21, 16, Sys(win::COLOR_WINDOWTEXT));
    const int markInSquare = CountIn(13, 8, 20, 15, Sys(win::COLOR_WINDOWTEXT));
    if (checked) {
      EXPECT_GE(mark, 7) << "a check mark is drawn";
      EXPECT_EQ(mark, markInSquare) << "the mark stays in its 7 x 7 square";
      EXPECT_EQ(mark + CountIn(12, 7, 21, 16, Sys(win::COLOR_WINDOW)), 81);
    } else {
      EXPECT_EQ(mark, 0);
      EXPECT_EQ(CountIn(12, 7, 21, 16, Sys(win::COLOR_WINDOW)), 81);
    }
  }
}

TEST_F(ProcsOnBitmap, RadioButtonIsRoundWithADotOnlyWhenChecked) {
  for (bool checked : {false, true}) {
    SetUp();
    chart::DrawCheckBox(canvas(), 20, 10, checked, true);
    ExpectUntouchedAround(20, 10);
    // Round: the cell's corners keep the background; the 12 x 12 glyph leaves the last column.
    EXPECT_EQ(At(20, 10), kBack);
    EXPECT_EQ(At(31, 21), kBack);
    for (int y = 10; y < 23; ++y) EXPECT_EQ(At(32, y), kBack);
    EXPECT_EQ(At(24, 10), Sys(win::COLOR_BTNSHADOW)) << "outer ring, top";
    EXPECT_EQ(At(24, 21), Sys(win::COLOR_BTNHIGHLIGHT)) << "outer ring, bottom";
    const TColor centre = checked ? Sys(win::COLOR_WINDOWTEXT) : Sys(win::COLOR_WINDOW);
    EXPECT_EQ(At(25, 15), centre);
    EXPECT_EQ(At(26, 16), centre);
    EXPECT_EQ(CountIn(20, 10, 33, 23, Sys(win::COLOR_WINDOWTEXT)), checked ? 12 : 0) << "the dot";
  }
}

TEST_F(ProcsOnBitmap, CheckBoxInARectangleIsCentred) {
  chart::DrawCheckBox(canvas(), win::RECT{4, 2, 34, 25}, true, false);
  // (30 - 13) / 2 = 8, (23 - 13) / 2 = 5
  ExpectUntouchedAround(12, 7);
  EXPECT_EQ(At(12, 7), Sys(win::COLOR_BTNSHADOW));
  EXPECT_EQ(At(24, 19), Sys(win::COLOR_BTNHIGHLIGHT));
}

class RecordingSeries : public chart::TChartSeries {
 public:
  using TChartSeries::TChartSeries;
};

TEST(PlotClassPicture, EachSeriesClassHasItsPicture) {
  chart::TLineSeries line(nullptr);
  chart::TFastLineSeries fast(nullptr);
  RecordingSeries other(nullptr);
  chart::TLineSeries computed(nullptr);
  chart::TPlotFunction function(nullptr);
  computed.SetFunctionType(&function);
  EXPECT_EQ(chart::PlotClassPictureOf(&line), chart::TPlotClassPicture::Line);
  EXPECT_EQ(chart::PlotClassPictureOf(&fast), chart::TPlotClassPicture::FastLine);
  EXPECT_EQ(chart::PlotClassPictureOf(&other), chart::TPlotClassPicture::Other);
  EXPECT_EQ(chart::PlotClassPictureOf(&computed), chart::TPlotClassPicture::Function);
  EXPECT_EQ(chart::PlotClassPictureOf(nullptr), chart::TPlotClassPicture::Other);
  computed.SetFunctionType(nullptr);
}

class PictureTestFunction : public chart::TPlotFunction {
 public:
  using TPlotFunction::TPlotFunction;
};

TEST(PlotClassPicture, RegisteredClassesHaveThePicturesOfTheirKind) {
  using chart::PlotClassOf;
  using chart::PlotClassPictureOf;
  EXPECT_EQ(PlotClassPictureOf(PlotClassOf<chart::TLineSeries>()), chart::TPlotClassPicture::Line);
  EXPECT_EQ(PlotClassPictureOf(PlotClassOf<chart::TFastLineSeries>()), chart::TPlotClassPicture::FastLine);
  EXPECT_EQ(PlotClassPictureOf(PlotClassOf<RecordingSeries>()), chart::TPlotClassPicture::Other);
  EXPECT_EQ(PlotClassPictureOf(chart::TPlotClassInfo{}), chart::TPlotClassPicture::Other);
  const chart::TPlotClassInfo function = PlotClassOf<PictureTestFunction>("Extended", "Picture test");
  EXPECT_EQ(PlotClassPictureOf(function), chart::TPlotClassPicture::Other) << "not registered yet";
  chart::RegisterPlotFunction(function);
  EXPECT_EQ(PlotClassPictureOf(function), chart::TPlotClassPicture::Function);
  chart::UnRegisterPlotFunction(typeid(PictureTestFunction));
}

TEST_F(ProcsOnBitmap, ClassPicturesShowTheirDistinguishingPixels) {
  chart::TLineSeries line(nullptr);
  chart::TFastLineSeries fast(nullptr);
  RecordingSeries other(nullptr);
  // Rectangle 26 x 24 at (2, 3): the 16 x 16 picture starts at (2 + 5, 3 + 4).
  const win::RECT cell{2, 3, 28, 27};
  const int ox = 7, oy = 7;
  auto frameAndGround = [&] {
    EXPECT_EQ(At(ox, oy), Sys(win::COLOR_BTNSHADOW));
    EXPECT_EQ(At(ox + 15, oy + 15), Sys(win::COLOR_BTNSHADOW));
    EXPECT_EQ(At(ox + 1, oy + 1), Sys(win::COLOR_WINDOW));
    EXPECT_EQ(At(ox - 1, oy), kBack);
    EXPECT_EQ(At(ox + 16, oy + 16), kBack);
  };

  chart::PlotDrawClassBitmap(canvas(), cell, &line);
  frameAndGround();
  EXPECT_EQ(At(ox + 1, oy + 10), fw::clRed) << "vertex mark around (2, 11)";
  EXPECT_EQ(At(ox + 14, oy + 2), fw::clRed) << "vertex mark around (13, 3)";

  SetUp();
  chart::PlotDrawClassBitmap(canvas(), cell, &fast);
  frameAndGround();
  EXPECT_EQ(At(ox + 2, oy + 11), fw::clNavy) << "the line passes its first vertex";
  EXPECT_EQ(At(ox + 13, oy + 3), fw::clNavy) << "and its last";
  EXPECT_EQ(At(ox + 1, oy + 10), Sys(win::COLOR_WINDOW)) << "no vertex marks";
  EXPECT_EQ(CountIn(ox, oy, ox + 16, oy + 16, fw::clRed), 0);

  SetUp();
  chart::PlotDrawClassBitmap(canvas(), cell, &other);
  frameAndGround();
  EXPECT_EQ(CountIn(ox + 3, oy + 9, ox + 5, oy + 13, fw::clTeal), 8);
  EXPECT_EQ(CountIn(ox + 11, oy + 3, ox + 13, oy + 13, fw::clTeal), 20);
  EXPECT_EQ(At(ox + 3, oy + 8), Sys(win::COLOR_WINDOW)) << "bars rise to different heights";

  SetUp();
  chart::PlotDrawClassBitmap(canvas(), cell, chart::PlotClassOf<chart::TFastLineSeries>());
  frameAndGround();
  EXPECT_EQ(At(ox + 13, oy + 3), fw::clNavy) << "a class draws as its series do";
  EXPECT_EQ(CountIn(ox, oy, ox + 16, oy + 16, fw::clRed), 0);

  SetUp();
  chart::PlotDrawClassBitmap(canvas(), cell, nullptr);
  frameAndGround();
  EXPECT_EQ(CountIn(ox + 1, oy + 1, ox + 15, oy + 15, Sys(win::COLOR_WINDOW)), 14 * 14) << "frame alone";
}

TEST_F(ProcsOnBitmap, FunctionPictureAndClippingToTheRectangle) {
  chart::TLineSeries computed(nullptr);
  chart::TPlotFunction function(nullptr);
  computed.SetFunctionType(&function);
  chart::PlotDrawClassBitmap(canvas(), win::RECT{0, 0, 16, 16}, &computed);
  EXPECT_EQ(CountIn(2, 8, 14, 9, fw::clRed), 12) << "the computed line";
  EXPECT_EQ(At(2, 11), fw::clGray) << "over the grey source";

  SetUp();
  // A rectangle 10 x 6: only the picture's middle part inside it is drawn.
  chart::PlotDrawClassBitmap(canvas(), win::RECT{30, 20, 40, 26}, &computed);
  EXPECT_EQ(CountIn(30, 20, 40, 26, kBack), 0) << "the rectangle is covered";
  EXPECT_EQ(CountIn(0, 0, 60, 40, kBack), 60 * 40 - 60) << "nothing outside it";
  // The square starts at (30 - 3, 20 - 5): its row 8 is the bitmap's row 23.
  EXPECT_EQ(At(30, 23), fw::clRed);
  // Empty and inverted rectangles, and one over the whole coordinate range, draw nothing odd.
  SetUp();
  for (const win::RECT r : {win::RECT{10, 10, 10, 30}, win::RECT{40, 30, 20, 10}})
    chart::PlotDrawClassBitmap(canvas(), r, &computed);
  EXPECT_EQ(CountIn(0, 0, 60, 40, kBack), 60 * 40);
  chart::PlotDrawClassBitmap(canvas(), win::RECT{-2147483647, -2147483647, 2147483647, 2147483647}, &computed);
  EXPECT_EQ(At(0, 0), fw::clRed) << "the picture is centred on the origin, its red row 8 on row 0";
  computed.SetFunctionType(nullptr);
}

class EditColorDialogTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    win::desktop::ClearScriptedAnswers();
    win::desktop::ClearCommonDialogHistory();
  }
  void TearDown() override {
    EXPECT_EQ(win::desktop::PendingScriptedAnswers(), 0u);
    HeadlessTest::TearDown();
  }
};

TEST_F(EditColorDialogTest, ConfirmedGivesTheChosenColour) {
  win::desktop::PushColorDialogAnswer(win::desktop::ColorDialogResult{win::RGB(0x12, 0x34, 0x56), {}});
  TColor c = fw::clRed;
  EXPECT_TRUE(chart::EditColorDialog(nullptr, c));
  EXPECT_EQ(c, TColor(win::RGB(0x12, 0x34, 0x56)));
  ASSERT_EQ(win::desktop::CommonDialogHistory().colors.size(), 1u);
  EXPECT_EQ(win::desktop::CommonDialogHistory().colors[0].color, win::COLORREF(fw::clRed)) << "opens on the colour";
  // Confirming the same colour is still a confirmation.
  win::desktop::PushColorDialogAnswer(win::desktop::ColorDialogResult{win::RGB(0x12, 0x34, 0x56), {}});
  EXPECT_TRUE(chart::EditColorDialog(nullptr, c));
}

TEST_F(EditColorDialogTest, CancelledLeavesTheColour) {
  win::desktop::PushColorDialogAnswer(std::nullopt);
  TColor c = fw::clTeal;
  EXPECT_FALSE(chart::EditColorDialog(nullptr, c));
  EXPECT_EQ(c, fw::clTeal);
  // A system colour opens the dialog on the colour it shows.
  win::desktop::PushColorDialogAnswer(std::nullopt);
  c = fw::clBtnFace;
  EXPECT_FALSE(chart::EditColorDialog(nullptr, c));
  EXPECT_EQ(c, fw::clBtnFace);
  EXPECT_EQ(win::desktop::CommonDialogHistory().colors.back().color, win::COLORREF(fw::ColorToRGB(fw::clBtnFace)));
}

}  // namespace
