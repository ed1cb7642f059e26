// The frame format dialog: it shows the pen, writes it only on OK (width clamped to 1..20, a
// style the list lacks kept), and Cancel leaves the pen exactly as it was.

#include <gtest/gtest.h>

#include <functional>

#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPenButton.h"
#include "controls/NumericSpinEdit.h"
#include "export/forms/WinFrameFormat.h"
#include "export_forms/ColourPicks.h"
#include "framework/Forms.h"
#include "platform/desktop/CommonDialogs.h"
#include "support/HeadlessFixture.h"

namespace {

using kvforms::TwndFrameFormat;

class FrameFormatTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    pen.SetVisible(true);
    pen.SetStyle(fw::psDot);
    pen.SetWidth(3);
    pen.SetColor(fw::clRed);
  }
  void TearDown() override {
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  fw::Integer Run(fw::TModalResult Result, std::function<void(TwndFrameFormat&)> Work) {
    desktop->script([Result, Work] {
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<TwndFrameFormat*>(fw::Screen->Forms(i))) {
          Work(*dialog);
          dialog->SetModalResult(Result);
        }
    });
    return kvforms::ShowFrameFormat(pen);
  }
  static void Edit(TwndFrameFormat& d, bool Visible, int Style, double Width) {
    d.CsCheckBox1->SetChecked(Visible);
    d.CsPenButton1->SetSelectedStyle(fw::TPenStyle(Style));
    d.CsSpinEdit1->SetValue(Width);
    d.Pen.SetColor(fw::clBlue);
  }
  chart::TChartPen pen;
};

TEST_F(FrameFormatTest, ShowsThePenAndWritesItOnlyOnOk) {
  bool seen = false;
  EXPECT_EQ(Run(fw::mrCancel,
                [&](TwndFrameFormat& d) {
                  seen = true;
                  EXPECT_EQ(d.Caption(), "Формат рамки");
                  EXPECT_TRUE(d.CsCheckBox1->Checked());
                  EXPECT_EQ(d.CsPenButton1->SelectedStyle(), fw::psDot);
                  EXPECT_EQ(d.CsSpinEdit1->Value(), 3);
                  EXPECT_EQ(d.Pen.Color, fw::clRed);
                  Edit(d, false, 1, 7);
                }),
            fw::mrCancel);
  ASSERT_TRUE(seen);
  EXPECT_TRUE(pen.Visible());
  EXPECT_EQ(pen.Style(), fw::psDot);
  EXPECT_EQ(pen.Width(), 3);
  EXPECT_EQ(pen.Color(), fw::clRed);

  EXPECT_EQ(Run(fw::mrOk, [](TwndFrameFormat& d) { Edit(d, false, 1, 7); }), fw::mrOk);
  EXPECT_FALSE(pen.Visible());
  EXPECT_EQ(pen.Style(), fw::psDash);
  EXPECT_EQ(pen.Width(), 7);
  EXPECT_EQ(pen.Color(), fw::clBlue);
}

TEST_F(FrameFormatTest, WidthIsClampedAndAClearPenShowsOnTheStyleButton) {
  const struct {
    double typed;
    int stored;
  } rows[] = {{0, 1}, {-5, 1}, {20, 20}, {10000, 20}, {4.6, 5}};
  for (const auto& r : rows) {
    Run(fw::mrOk, [&](TwndFrameFormat& d) { d.CsSpinEdit1->SetValue(r.typed); });
    EXPECT_EQ(pen.Width(), r.stored) << r.typed;
  }
  pen.SetStyle(fw::psClear);
  Run(fw::mrOk, [](TwndFrameFormat& d) { EXPECT_EQ(d.CsPenButton1->SelectedStyle(), fw::psClear); });
  EXPECT_EQ(pen.Style(), fw::psClear);
  // Clear is one of the button's six styles: chosen there, it reaches the pen.
  pen.SetStyle(fw::psSolid);
  Run(fw::mrOk, [](TwndFrameFormat& d) { d.CsPenButton1->SetSelectedStyle(fw::psClear); });
  EXPECT_EQ(pen.Style(), fw::psClear);
}

TEST_F(FrameFormatTest, ColourButtonOffersTheNamedColoursAndTheColourDialog) {
  Run(fw::mrOk, [](TwndFrameFormat& d) {
    EXPECT_EQ(d.CsColorButton1->SelectedColor(), fw::clRed);  // shows the pen's colour
    EXPECT_FALSE(d.CsColorButton1->DefaultVisible());         // no "Авто" for a pen
    kvtest::PickColourCell(d.CsColorButton1, 1, 1);           // "Orange"
    EXPECT_EQ(d.Pen.Color, 0x0066FF);
    kvtest::PickOtherColour(d.CsColorButton1, fw::clGreen);
    EXPECT_EQ(d.Pen.Color, fw::clGreen);
    kvtest::PickOtherColour(d.CsColorButton1, std::nullopt);  // the dialog cancelled: kept
    EXPECT_EQ(d.Pen.Color, fw::clGreen);
  });
  EXPECT_EQ(pen.Color(), fw::clGreen);
  // Cancel after a pick leaves the pen's colour as it was.
  Run(fw::mrCancel, [](TwndFrameFormat& d) { kvtest::PickColourCell(d.CsColorButton1, 0, 2); });
  EXPECT_EQ(pen.Color(), fw::clGreen);
}

}  // namespace
