// The axis format dialog: caption by axis, controls loaded from the axis, Apply/OK writing it,
// Cancel after Apply giving back the axis as opened (through the chart's stream).

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "tx/Tx.h"
#include "chart/Chart.h"
#include "chart/ChartStreaming.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPenButton.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "export/forms/WinAxesFormat.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/GraphicsBitmap.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/Streams.h"
#include "platform/desktop/CommonDialogs.h"
#include "platform/user/windows/WinUserTypes.h"
#include "support/HeadlessFixture.h"

namespace {

using kvforms::TwndAxisFormat;

class AxisDialogTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    chart::RegisterChartProperties();
    // The templates menu sits on a themed toolbar.
    tx::InitTx();
    chart = std::make_unique<chart::TChart>(nullptr);
    chart->SetName("Chart1");
    axis = chart->LeftAxis();
    axis->Title()->SetCaption("Y");
    axis->SetMinMax(-5, 5);
    axis->SetTickLength(6);
  }
  void TearDown() override {
    chart.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    tx::DoneTx();
    HeadlessTest::TearDown();
  }
  std::string Stream() {
    fw::TStringStream s;
    s.WriteComponent(chart.get());
    return s.DataString();
  }
  fw::Integer Run(fw::TModalResult Result, std::function<void(TwndAxisFormat&)> Work) {
    desktop->script([Result, Work] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<TwndAxisFormat*>(fw::Screen->Forms(i))) {
          Work(*dialog);
          if (Result == fw::mrOk)
            dialog->butOk->Click();
          else
            dialog->SetModalResult(Result);
        }
    });
    return kvforms::ShowAxisFormat(*axis);
  }
  static void Change(TwndAxisFormat& d) {
    d.memoTitle->Lines()->Clear();
    d.memoTitle->Lines()->Add("Напря");
    d.memoTitle->Lines()->Add("жение");
    d.seOuterSize->SetValue(9);
    d.GridPen.Style->SetSelectedStyle(fw::psDot);
    d.cbScMinAuto->SetChecked(false);
    d.fedScMin->SetValue(-2);
    d.fedScMax->SetValue(8);
    d.cbScInverted->SetChecked(true);
    d.seAxisEnd->SetValue(80.4);
  }
  std::unique_ptr<chart::TChart> chart;
  chart::TChartAxis* axis = nullptr;
};

TEST_F(AxisDialogTest, CaptionNamesTheAxis) {
  EXPECT_EQ(TwndAxisFormat(nullptr, *chart->LeftAxis()).Caption(), "Формат вертикальной оси");
  EXPECT_EQ(TwndAxisFormat(nullptr, *chart->BottomAxis()).Caption(), "Формат горизонтальной оси");
}

TEST_F(AxisDialogTest, LoadsTheAxisAndOkWritesTheControls) {
  Run(fw::mrOk, [](TwndAxisFormat& d) {
    EXPECT_EQ(d.memoTitle->Lines()->Strings(0), "Y");
    EXPECT_EQ(d.seOuterSize->Value(), 6);
    EXPECT_FALSE(d.cbScMinAuto->Checked());
    EXPECT_TRUE(d.fedScMin->Enabled());
    EXPECT_EQ(double(d.fedScMax->Value()), 5);
    d.cbScMinAuto->SetChecked(true);
    EXPECT_FALSE(d.fedScMin->Enabled());
    Change(d);
    EXPECT_TRUE(d.fedScMin->Enabled());
  });
  EXPECT_EQ(axis->Title()->Caption(), "Напряжение");  // lines joined without a blank
  EXPECT_EQ(axis->TickLength(), 9);
  EXPECT_EQ(axis->Grid()->Style(), fw::psDot);
  EXPECT_FALSE(axis->AutomaticMinimum());
  EXPECT_EQ(axis->Minimum(), -2);
  EXPECT_EQ(axis->Maximum(), 8);
  EXPECT_TRUE(axis->Inverted());
  EXPECT_EQ(axis->EndPosition(), 80);
  EXPECT_TRUE(chart->CancelMouse());
}

TEST_F(AxisDialogTest, CancelAfterApplyGivesBackTheAxisAsOpened) {
  const std::string before = Stream();
  Run(fw::mrCancel, [](TwndAxisFormat& d) {
    Change(d);
    d.butApply->Click();
  });
  EXPECT_EQ(Stream(), before);
  EXPECT_EQ(axis->Title()->Caption(), "Y");
}

TEST_F(AxisDialogTest, MinimumAboveMaximumIsRefusedBeforeAnythingIsWritten) {
  const std::string before = Stream();
  Run(fw::mrCancel, [this, &before](TwndAxisFormat& d) {
    d.seOuterSize->SetValue(9);
    d.fedScMin->SetValue(10);
    d.fedScMax->SetValue(1);
    EXPECT_THROW(d.Apply(), std::exception);
    EXPECT_EQ(Stream(), before);
  });
}

TEST_F(AxisDialogTest, NewRangeAboveTheOldMaximumIsTakenWhole) {
  Run(fw::mrOk, [](TwndAxisFormat& d) {
    d.fedScMin->SetValue(10);
    d.fedScMax->SetValue(20);
  });
  EXPECT_EQ(axis->Minimum(), 10);
  EXPECT_EQ(axis->Maximum(), 20);
}

TEST_F(AxisDialogTest, EscInTheTitleMemoCancels) {
  const std::string before = Stream();
  desktop->script([this] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* d = dynamic_cast<TwndAxisFormat*>(fw::Screen->Forms(i))) {
        Change(*d);
        d->butApply->Click();
        d->memoTitle->SetFocus();
        desktop->press_key(win::VK_ESCAPE);
      }
  });
  EXPECT_EQ(kvforms::ShowAxisFormat(*axis), fw::mrCancel);
  EXPECT_EQ(Stream(), before);
}

// Input the axis cannot take is refused before anything is written; what it can draw (a
// logarithmic scale over values up to zero, a step finer than the axis has room for) is
// taken, drawn, and Cancel still gives back the axis as opened.
TEST_F(AxisDialogTest, BadScaleInputIsRefusedOrDrawnAndCancelRestores) {
  const struct {
    const char* what;
    double min, max, step;
    bool log, refused;
  } rows[] = {
      {"negative step", 0, 10, -1, false, true},
      {"minimum above maximum", 10, 1, 1, false, true},
      {"step 0: automatic", 0, 10, 0, false, false},
      {"a billion labels", 0, 1e6, 1e-3, false, false},
      {"log over values below zero", -5, 100, 0, true, false},
      {"log wholly below zero", -100, -1, 0, true, false},
      {"log from zero", 0, 1000, 0, true, false},
  };
  for (const auto& r : rows) {
    const std::string before = Stream();
    Run(fw::mrCancel, [&](TwndAxisFormat& d) {
      d.cbScAuto->SetChecked(false);
      d.cbScMinAuto->SetChecked(false);
      d.cbScMaxAuto->SetChecked(false);
      d.fedScMin->SetValue(r.min);
      d.fedScMax->SetValue(r.max);
      d.fedStep->SetValue(r.step);
      d.cbScLog->SetChecked(r.log);
      bool refused = false;
      try {
        d.Apply();
      } catch (const std::exception&) {
        refused = true;
      }
      EXPECT_EQ(refused, r.refused) << r.what;
      if (refused) {
        EXPECT_EQ(Stream(), before) << r.what;
        return;
      }
      EXPECT_EQ(axis->Logarithmic(), r.log) << r.what;
      // The chart draws it, with no more labels than the axis has pixels.
      auto picture = chart->CreateBitmap(fw::clWhite, fw::TRect{0, 0, 400, 300}, fw::pf24bit);
      ASSERT_NE(picture, nullptr) << r.what;
      ASSERT_GT(std::abs(axis->IAxisSize()), 0) << r.what;
      if (!r.log) {
        EXPECT_LE((axis->Maximum() - axis->Minimum()) / axis->CalcIncrement(1), std::abs(axis->IAxisSize()) + 1)
            << r.what;
      }
    });
    EXPECT_EQ(Stream(), before) << r.what;
  }
}

// The chart closed while its axis dialog is open: the dialog ends as cancelled and touches
// neither the freed axis nor the freed chart.
TEST_F(AxisDialogTest, TheChartFreedMeanwhileEndsTheDialog) {
  chart::TChartAxis& left = *axis;
  desktop->script([this] { chart.reset(); });
  EXPECT_EQ(kvforms::ShowAxisFormat(left), fw::mrCancel);
  EXPECT_EQ(chart, nullptr);
}

// Angles past a turn, and sizes past their spins, are clamped to what the spins allow.
TEST_F(AxisDialogTest, AnglesAndSizesAreClampedToTheirSpins) {
  const struct {
    double typed;
    fw::Integer angle, size;
  } rows[] = {{400, 359, 400}, {-30, 0, 0}, {10000, 359, 1000}, {90.4, 90, 90}};
  for (const auto& r : rows) {
    Run(fw::mrOk, [&](TwndAxisFormat& d) {
      d.seTitleAngle->SetValue(r.typed);
      d.seLabAngle->SetValue(r.typed);
      d.seTitleSize->SetValue(r.typed);
    });
    EXPECT_EQ(axis->Title()->Angle(), r.angle) << r.typed;
    EXPECT_EQ(axis->LabelsAngle(), r.angle) << r.typed;
    EXPECT_EQ(axis->Title()->Size(), r.size) << r.typed;
  }
}

// A size above 1000 points chosen in the font dialog is clamped before it reaches the axis
// (the font dialog itself refuses sizes of 0 and below).
TEST_F(AxisDialogTest, FontSizesFromTheFontDialogAreClamped) {
  const struct {
    int chosen;
    fw::Integer size;
  } rows[] = {{10000, 1000}, {14, 14}, {2000, 1000}};
  for (const auto& r : rows) {
    win::desktop::FontChoice title{u"Arial", r.chosen};
    win::desktop::FontChoice labels{u"Arial", r.chosen, true};
    win::desktop::PushFontDialogAnswer(title);
    win::desktop::PushFontDialogAnswer(labels);
    Run(fw::mrOk, [](TwndAxisFormat& d) {
      d.butTitleFont->Click();
      d.butLabFont->Click();
    });
    EXPECT_EQ(axis->Title()->Font()->Size(), r.size) << r.chosen;
    EXPECT_EQ(axis->LabelsFont()->Size(), r.size) << r.chosen;
    EXPECT_TRUE(axis->LabelsFont()->Style().Contains(fw::fsBold));
  }
}

}  // namespace
