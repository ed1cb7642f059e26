// The legend format dialog: controls loaded from the legend, OK writing them (placement by the
// layout list), Cancel after Apply restoring the legend exactly (through the chart's stream).

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "chart/Chart.h"
#include "chart/ChartLegend.h"
#include "chart/ChartStreaming.h"
#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/NumericSpinEdit.h"
#include "export/forms/WinLegendFormat.h"
#include "export_forms/ColourPicks.h"
#include "framework/Forms.h"
#include "framework/Streams.h"
#include "support/HeadlessFixture.h"

namespace {

using kvforms::TwndLegendFormat;

class LegendDialogTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    chart::RegisterChartProperties();
    chart = std::make_unique<chart::TChart>(nullptr);
    chart->SetName("Chart1");
    legend = chart->Legend();
    legend->SetAlignment(chart::laLeft);
    legend->SetVertSpacing(3);
  }
  void TearDown() override {
    chart.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  std::string Stream() {
    fw::TStringStream s;
    s.WriteComponent(chart.get());
    return s.DataString();
  }
  void Run(fw::TModalResult Result, std::function<void(TwndLegendFormat&)> Work) {
    desktop->script([Result, Work] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<TwndLegendFormat*>(fw::Screen->Forms(i))) {
          Work(*dialog);
          if (Result == fw::mrOk)
            dialog->butOk->Click();
          else
            dialog->SetModalResult(Result);
        }
    });
    kvforms::ShowLegendFormat(*legend);
  }
  std::unique_ptr<chart::TChart> chart;
  chart::TChartLegend* legend = nullptr;
};

TEST_F(LegendDialogTest, ColourButtonsShowAndWriteTheirColours) {
  legend->SetColor(fw::clYellow);
  legend->Frame()->SetColor(fw::clPurple);
  legend->DividingLines()->SetColor(fw::clTeal);
  legend->Shadow()->Color = fw::clMaroon;
  const std::vector<kvtest::TColourCase<TwndLegendFormat>> cases = {
      {"back", [](TwndLegendFormat& d) { return d.itColor; }, [this] { return legend->Color(); },
       fw::clYellow},
      {"frame", [](TwndLegendFormat& d) { return d.FramePen.ColorButton; },
       [this] { return legend->Frame()->Color(); }, fw::clPurple},
      {"divider", [](TwndLegendFormat& d) { return d.DividerPen.ColorButton; },
       [this] { return legend->DividingLines()->Color(); }, fw::clTeal},
      {"shadow", [](TwndLegendFormat& d) { return d.itShadowColor; },
       [this] { return legend->Shadow()->Color; }, fw::clMaroon},
  };
  kvtest::ExpectColourButtonsWrite<TwndLegendFormat>(
      cases,
      [this](fw::TModalResult Result, std::function<void(TwndLegendFormat&)> Work) {
        Run(Result, std::move(Work));
      },
      [this] { return Stream(); });
}

TEST_F(LegendDialogTest, OkWithoutChangesKeepsTheLegend) {
  const std::string before = Stream();
  Run(fw::mrOk, [](TwndLegendFormat& d) {
    EXPECT_EQ(d.Caption(), "Формат легенды");
    EXPECT_EQ(d.cbxLayot->ItemIndex(), 0);
    EXPECT_EQ(d.seInterval->Value(), 3);
    EXPECT_TRUE(d.seMargin->Enabled());
    EXPECT_FALSE(d.seCoordTop->Enabled());
  });
  EXPECT_EQ(Stream(), before);
}

TEST_F(LegendDialogTest, OtherPlacementPutsTheLegendAtTheTypedCorner) {
  Run(fw::mrOk, [](TwndLegendFormat& d) {
    d.cbxLayot->SetItemIndex(4);
    d.UpdatePlacement();
    EXPECT_TRUE(d.seCoordTop->Enabled());
    EXPECT_FALSE(d.seMargin->Enabled());
    d.seCoordTop->SetValue(30);
    d.seCoordLeft->SetValue(40);
    d.itInverse->SetChecked(true);
    d.itTextLeft->SetChecked(true);
  });
  EXPECT_TRUE(legend->CustomPosition());
  EXPECT_EQ(legend->Top(), 30);
  EXPECT_EQ(legend->Left(), 40);
  EXPECT_TRUE(legend->Inverted());
  EXPECT_EQ(legend->SymbolPosition(), chart::spRight);
  Run(fw::mrOk, [](TwndLegendFormat& d) {
    d.cbxLayot->SetItemIndex(3);
    d.seMargin->SetValue(12);
  });
  EXPECT_FALSE(legend->CustomPosition());
  EXPECT_EQ(legend->Alignment(), chart::laBottom);
  EXPECT_EQ(legend->VertMargin(), 12);
  EXPECT_EQ(legend->HorizMargin(), 12);
}

TEST_F(LegendDialogTest, CancelAfterApplyRestoresTheLegend) {
  const std::string before = Stream();
  Run(fw::mrCancel, [](TwndLegendFormat& d) {
    d.cbShowLegend->SetChecked(false);
    d.cbxLayot->SetItemIndex(2);
    d.seInterval->SetValue(9);
    d.FramePen.Width->SetValue(5);
    d.butApply->Click();
  });
  EXPECT_EQ(Stream(), before);
}

}  // namespace

namespace {

// The gradient button's dialog writes the legend's gradient at once; Cancel here takes it back.
TEST_F(LegendDialogTest, CancelAlsoRestoresAGradientChangedMeanwhile) {
  const std::string before = Stream();
  Run(fw::mrCancel, [this, &before](TwndLegendFormat& d) {
    ASSERT_NE(d.itGradient, nullptr);
    legend->Gradient()->Visible = true;
    legend->Gradient()->StartColor = fw::clLime;
    EXPECT_NE(Stream(), before);
  });
  EXPECT_EQ(Stream(), before);
}

// The chart closed while the legend dialog is open: the dialog ends as cancelled and neither
// writes nor restores the freed legend.
TEST_F(LegendDialogTest, TheChartFreedMeanwhileEndsTheDialog) {
  chart::TChartLegend& edited = *legend;
  desktop->script([this] {
    for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
      if (auto* d = dynamic_cast<TwndLegendFormat*>(fw::Screen->Forms(i))) {
        chart.reset();
        EXPECT_EQ(d->ModalResult(), fw::mrCancel);
      }
  });
  EXPECT_EQ(kvforms::ShowLegendFormat(edited), fw::mrCancel);
  EXPECT_EQ(chart, nullptr);
}

}  // namespace
