// The gradient dialog on the chart panel's gradient: OK writing every control, the middle colour
// switched off and on, the colour swap, clamped spins, and Cancel after Apply restoring the
// gradient exactly (through the chart's stream).

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "chart/Chart.h"
#include "chart/ChartStreaming.h"
#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "export/forms/WinGradient.h"
#include "export_forms/ColourPicks.h"
#include "framework/Forms.h"
#include "framework/GraphicsBitmap.h"
#include "framework/GraphicsCanvas.h"
#include "framework/Streams.h"
#include "support/HeadlessFixture.h"

namespace {

using kvforms::TwndGradient;

class GradientDialogTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    chart::RegisterChartProperties();
    chart = std::make_unique<chart::TChart>(nullptr);
    chart->SetName("Chart1");
    gradient = chart->Gradient();
    gradient->StartColor = fw::clRed;
    gradient->MidColor = fw::clGreen;
    gradient->EndColor = fw::clBlue;
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
  fw::Integer Run(fw::TModalResult Result, std::function<void(TwndGradient&)> Work) {
    desktop->script([Result, Work] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<TwndGradient*>(fw::Screen->Forms(i))) {
          Work(*dialog);
          if (Result == fw::mrOk)
            dialog->butOk->Click();
          else
            dialog->SetModalResult(Result);
        }
    });
    return kvforms::ShowGradientDialog(*gradient);
  }
  std::unique_ptr<chart::TChart> chart;
  chart::TPlotGradient* gradient = nullptr;
};

TEST_F(GradientDialogTest, PalettesAndItemsChooseTheThreeColours) {
  struct Case {
    const char* name;
    std::function<kvtest::TColourButtonOf<TwndGradient>> palette;
    std::function<cs::TCsButton*(TwndGradient&)> item;
    std::function<fw::TColor()> written;
    fw::TColor shown;
  };
  const Case cases[] = {
      {"start", [](TwndGradient& d) { return d.palStart; }, [](TwndGradient& d) { return d.itStart; },
       [this] { return gradient->StartColor; }, fw::clRed},
      {"mid", [](TwndGradient& d) { return d.palMid; }, [](TwndGradient& d) { return d.itMid; },
       [this] { return gradient->MidColor; }, fw::clGreen},
      {"end", [](TwndGradient& d) { return d.palEnd; }, [](TwndGradient& d) { return d.itEnd; },
       [this] { return gradient->EndColor; }, fw::clBlue},
  };
  for (const Case& c : cases) {
    const std::string before = Stream();
    Run(fw::mrCancel, [&](TwndGradient& d) {
      EXPECT_EQ(c.palette(d)->SelectedColor(), c.shown) << c.name;
      kvtest::PickColourCell(c.palette(d), 1, 3);  // "Gold"
      d.butApply->Click();
      EXPECT_EQ(c.written(), 0x00CCFF) << c.name;
    });
    EXPECT_EQ(Stream(), before) << c.name;  // Cancel restores exactly
    // The item opens the colour dialog; its colour goes to the palette.
    win::desktop::PushColorDialogAnswer(win::desktop::ColorDialogResult{win::COLORREF(0x112233), {}});
    Run(fw::mrOk, [&](TwndGradient& d) {
      c.item(d)->Click();
      EXPECT_EQ(c.palette(d)->SelectedColor(), 0x112233) << c.name;
    });
    EXPECT_EQ(c.written(), 0x112233) << c.name;
  }
  // The swap exchanges what the start and end palettes show.
  Run(fw::mrOk, [](TwndGradient& d) {
    kvtest::PickColourCell(d.palStart, 0, 0);  // black
    d.itSwap->Click();
    EXPECT_EQ(d.palStart->SelectedColor(), 0x112233);
    EXPECT_EQ(d.palEnd->SelectedColor(), 0x000000);
  });
  EXPECT_EQ(gradient->StartColor, 0x112233);
  EXPECT_EQ(gradient->EndColor, 0x000000);
}

TEST_F(GradientDialogTest, OkWritesEveryControl) {
  EXPECT_EQ(Run(fw::mrOk,
                [](TwndGradient& d) {
                  EXPECT_EQ(d.Caption(), "Настройка градиента");
                  EXPECT_FALSE(d.itMidDisabled->Checked());
                  EXPECT_EQ(d.MidColor, fw::clGreen);
                  d.cbVisible->SetChecked(true);
                  d.cbxDirection->SetItemIndex(7);
                  d.SetStartColor(fw::clYellow);
                  d.seBalance->SetValue(30);
                  d.seRadialX->SetValue(-12);
                  d.seRadialY->SetValue(14);
                }),
            fw::mrOk);
  EXPECT_TRUE(gradient->Visible);
  EXPECT_EQ(gradient->Direction, chart::gdRadial);
  EXPECT_EQ(gradient->StartColor, fw::clYellow);
  EXPECT_EQ(gradient->MidColor, fw::clGreen);
  EXPECT_EQ(gradient->EndColor, fw::clBlue);
  EXPECT_EQ(gradient->Balance, 30);
  EXPECT_EQ(gradient->RadialX, -12);
  EXPECT_EQ(gradient->RadialY, 14);
}

// The dialog opens on the gradient as it is, so OK with nothing touched changes nothing.
TEST_F(GradientDialogTest, OpensOnTheGradientAndOkUntouchedKeepsIt) {
  gradient->Visible = true;
  gradient->Direction = chart::gdRadial;
  gradient->Balance = 70;
  gradient->RadialX = -23;
  gradient->RadialY = 31;
  const std::string before = Stream();
  EXPECT_EQ(Run(fw::mrOk,
                [](TwndGradient& d) {
                  EXPECT_TRUE(d.cbVisible->Checked());
                  EXPECT_EQ(d.cbxDirection->ItemIndex(), static_cast<fw::Integer>(chart::gdRadial));
                  EXPECT_EQ(d.seBalance->Value(), 70);
                  EXPECT_EQ(d.seRadialX->Value(), -23);
                  EXPECT_EQ(d.seRadialY->Value(), 31);
                }),
            fw::mrOk);
  EXPECT_EQ(gradient->RadialX, -23);
  EXPECT_EQ(gradient->RadialY, 31);
  EXPECT_EQ(Stream(), before);
}

TEST_F(GradientDialogTest, NoMiddleColourTogglesTheItemAndIsWrittenAsNone) {
  Run(fw::mrOk, [](TwndGradient& d) {
    d.itMidDisabled->Click();
    EXPECT_TRUE(d.itMidDisabled->Checked());
    EXPECT_FALSE(d.itMid->Enabled());
    EXPECT_FALSE(d.palMid->Visible());
  });
  EXPECT_EQ(gradient->MidColor, fw::clNone);
  Run(fw::mrOk, [](TwndGradient& d) {
    EXPECT_TRUE(d.itMidDisabled->Checked());
    d.itMidDisabled->Click();
    EXPECT_TRUE(d.itMid->Enabled());
    EXPECT_TRUE(d.palMid->Visible());
    d.SetMidColor(fw::clFuchsia);
  });
  EXPECT_EQ(gradient->MidColor, fw::clFuchsia);
}

TEST_F(GradientDialogTest, SwapExchangesStartAndEnd) {
  Run(fw::mrOk, [](TwndGradient& d) { d.itSwap->Click(); });
  EXPECT_EQ(gradient->StartColor, fw::clBlue);
  EXPECT_EQ(gradient->EndColor, fw::clRed);
}

TEST_F(GradientDialogTest, SpinsAreClamped) {
  Run(fw::mrOk, [](TwndGradient& d) {
    d.seBalance->SetValue(250);
    d.seRadialX->SetValue(-1e9);
  });
  EXPECT_EQ(gradient->Balance, 100);
  EXPECT_EQ(gradient->RadialX, -chart::MaxRadialOffset);
}

TEST_F(GradientDialogTest, CancelAfterApplyRestoresTheGradient) {
  const std::string before = Stream();
  EXPECT_EQ(Run(fw::mrCancel,
                [this, &before](TwndGradient& d) {
                  d.cbVisible->SetChecked(true);
                  d.cbxDirection->SetItemIndex(3);
                  d.itMidDisabled->Click();
                  d.itSwap->Click();
                  d.seBalance->SetValue(10);
                  d.butApply->Click();
                  EXPECT_NE(Stream(), before);
                }),
            fw::mrCancel);
  EXPECT_EQ(Stream(), before);
}

// Equal start and end colours (and no middle one) are taken as they are: every direction
// paints the chart's background in that one colour, corners included.
TEST_F(GradientDialogTest, EqualColoursPaintOneColourInEveryDirection) {
  for (fw::Integer direction = 0; direction < 10; ++direction) {
    Run(fw::mrOk, [direction](TwndGradient& d) {
      d.cbVisible->SetChecked(true);
      d.cbxDirection->SetItemIndex(direction);
      if (!d.itMidDisabled->Checked()) d.itMidDisabled->Click();
      d.SetStartColor(fw::clTeal);
      d.SetEndColor(fw::clTeal);
      d.seRadialX->SetValue(chart::MaxRadialOffset);
    });
    ASSERT_EQ(gradient->StartColor, gradient->EndColor);
    auto picture = chart->CreateBitmap(fw::clWhite, fw::TRect{0, 0, 200, 150}, fw::pf24bit);
    for (const auto& [x, y] : {std::pair{1, 1}, std::pair{198, 1}, std::pair{1, 148}, std::pair{198, 148}})
      EXPECT_EQ(picture->Canvas()->Pixels(x, y) & 0xFFFFFF, fw::clTeal) << direction << " at " << x << "," << y;
  }
}

}  // namespace
