// The axis format dialog: caption by axis, controls loaded from the axis, Apply/OK writing it,
// Cancel after Apply giving back the axis as opened (through the chart's stream).

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tx/Tx.h"
#include "chart/Chart.h"
#include "chart/ChartStreaming.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "export/forms/WinAxesFormat.h"
#include "framework/Forms.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/Streams.h"
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
    d.GridPen.Style->SetItemIndex(2);
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

}  // namespace
