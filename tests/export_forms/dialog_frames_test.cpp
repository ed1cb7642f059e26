// Every export and format dialog has the fixed frame of a dialog: the user can move it but not
// resize or maximise it, since its controls are laid out for one size.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "chart/Chart.h"
#include "chart/ChartStreaming.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "export/forms/WinAxesFormat.h"
#include "export/forms/WinCopy.h"
#include "export/forms/WinFrameFormat.h"
#include "export/forms/WinGradient.h"
#include "export/forms/WinLegendFormat.h"
#include "export/forms/WinLineProp.h"
#include "export/forms/WinSaveImg.h"
#include "export/forms/WinTitle.h"
#include "framework/Forms.h"
#include "support/HeadlessFixture.h"
#include "tx/Tx.h"

namespace {

class DialogFramesTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    chart::RegisterChartProperties();
    tx::InitTx();  // the title pages hold a themed template toolbar
    chart = std::make_unique<chart::TChart>(nullptr);
    series = new chart::TLineSeries(nullptr);
    series->AddXY(0, 1);
    series->AddXY(1, 2);
  }
  void TearDown() override {
    delete series;
    chart.reset();
    tx::DoneTx();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  std::unique_ptr<chart::TChart> chart;
  chart::TLineSeries* series = nullptr;
  chart::TChartPen frame;
};

TEST_F(DialogFramesTest, EveryDialogHasAFixedDialogFrame) {
  struct Case {
    const char* name;
    std::function<fw::TForm*()> make;
  } cases[] = {
      {"axis", [&]() -> fw::TForm* { return new kvforms::TwndAxisFormat(nullptr, *chart->LeftAxis()); }},
      {"copy text", []() -> fw::TForm* { return new kvforms::TwndCopyTxt(nullptr); }},
      {"copy picture", []() -> fw::TForm* { return new kvforms::TwndCopyImg(nullptr); }},
      {"frame", [&]() -> fw::TForm* { return new kvforms::TwndFrameFormat(nullptr, frame); }},
      {"gradient", [&]() -> fw::TForm* { return new kvforms::TwndGradient(nullptr, *chart->Gradient()); }},
      {"legend", [&]() -> fw::TForm* { return new kvforms::TwndLegendFormat(nullptr, *chart->Legend()); }},
      {"line", [&]() -> fw::TForm* { return new kvforms::TwndLineProp(nullptr, {series}, false); }},
      {"save picture", []() -> fw::TForm* { return new kvforms::TwndSaveImg(nullptr); }},
      {"title", [&]() -> fw::TForm* { return new kvforms::TwndTitle(nullptr, *chart->Title()); }},
  };
  for (const Case& c : cases) {
    std::unique_ptr<fw::TForm> dialog(c.make());
    EXPECT_EQ(dialog->BorderStyle(), fw::bsDialog) << c.name;
  }
}

// The radio buttons of the dialogs carry their captions (what the user reads to choose).
TEST_F(DialogFramesTest, RadioButtonsCarryTheirCaptions) {
  std::unique_ptr<kvforms::TwndCopyImg> dialog(new kvforms::TwndCopyImg(nullptr));
  EXPECT_EQ(dialog->rbCopyWMF->Caption(), u"Метафайл (WMF)");
  EXPECT_EQ(dialog->rbCopyWMF->Name(), "rbCopyWMF");
  EXPECT_FALSE(dialog->rbCopyBMP->Caption().empty());
  EXPECT_FALSE(dialog->rbCopyEMF->Caption().empty());
}

}  // namespace
