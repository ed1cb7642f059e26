// The two-way bindings the format dialogs share (pen and shadow controls), the font name list
// drawn in each font's own face, and the delete command's hiding of a clicked chart element.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "chart/SeriesMarks.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPenButton.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "export/forms/ClickedPart.h"
#include "export/forms/FontNameCombo.h"
#include "export/forms/PenControls.h"
#include "export/forms/ShadowControls.h"
#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "platform/controls/ComboBox.h"
#include "platform/user/messages/MessageQueue.h"
#include "support/HeadlessFixture.h"

namespace {

class FormatBindingsTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    form = new fw::TForm(fw::Application);
    form->SetBounds(10, 10, 420, 300);
  }
  void TearDown() override {
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  fw::TForm* form = nullptr;
};

TEST_F(FormatBindingsTest, PenControlsFollowThePenBothWays) {
  kvforms::TPenControls c = kvforms::MakePenGroup(form, "gbxPen", "Линия", {4, 4, 200, 72});
  const struct {
    bool visible;
    fw::TPenStyle style;
    fw::Integer width;
    fw::TColor color;
    fw::Integer shownStyle;  // -1: the list has no such entry
    double typedWidth;       // typed into the spin afterwards
    fw::Integer writtenWidth;
  } rows[] = {
      {true, fw::psSolid, 1, fw::clRed, 0, 4, 4},
      {false, fw::psDashDotDot, 10, fw::clBlue, 4, 0, 1},      // below the spin: its least width
      {true, fw::psDot, 3, fw::clGreen, 2, 10000, 10},          // a huge width: its greatest
      {true, fw::psClear, 2, fw::clBlack, -1, -7, 1},           // negative: the least
      {true, fw::psInsideFrame, 5, fw::clYellow, -1, 2.6, 3},   // rounded to the nearest
  };
  for (const auto& r : rows) {
    chart::TChartPen pen;
    pen.SetVisible(r.visible);
    pen.SetStyle(r.style);
    pen.SetWidth(r.width);
    pen.SetColor(r.color);
    kvforms::SyncPenControls(c, pen, true);
    EXPECT_EQ(c.Visible->Checked(), r.visible);
    EXPECT_EQ(c.Style->SelectedStyle(), r.style);  // the button holds every style
    EXPECT_EQ(c.Width->Value(), r.width);
    EXPECT_EQ(c.Color, r.color);

    // Back unchanged: the pen is as it was, a style the list lacks included.
    kvforms::SyncPenControls(c, pen, false);
    EXPECT_EQ(pen.Visible(), r.visible);
    EXPECT_EQ(pen.Style(), r.style);
    EXPECT_EQ(pen.Width(), r.width);
    EXPECT_EQ(pen.Color(), r.color);

    c.Width->SetValue(r.typedWidth);
    c.Visible->SetChecked(!r.visible);
    c.SetColor(fw::clFuchsia);
    kvforms::SyncPenControls(c, pen, false);
    EXPECT_EQ(pen.Width(), r.writtenWidth) << r.typedWidth;
    EXPECT_EQ(pen.Visible(), !r.visible);
    EXPECT_EQ(pen.Color(), fw::clFuchsia);
  }
}

TEST_F(FormatBindingsTest, ShadowControlsFollowTheShadowBothWays) {
  kvforms::TShadowControls c = kvforms::MakeShadowGroup(form, {4, 80, 340, 48});
  kvforms::BindShadowColour(c, "butShadowColor");
  ASSERT_NE(c.ColorButton, nullptr);
  const struct {
    fw::Integer h, v;
    bool smooth;
    fw::Integer transparency;
    fw::Integer shownSize;
    double typedSize;  // -1: left as loaded
    fw::Integer writtenH, writtenV;
  } rows[] = {
      {3, 3, false, 0, 3, -1, 3, 3},
      {4, 2, true, 40, 4, -1, 4, 2},      // unequal offsets survive an untouched size
      {-5, 3, false, 255, 5, -1, -5, 3},  // so does a shadow cast to the left
      {-5, 3, true, 10, 5, 8, -8, 8},     // a new size keeps each offset's direction
      {0, 0, false, 0, 0, 6, 6, 6},
      {2, 2, false, 0, 2, 500, 100, 100},  // clamped to the spin's range
  };
  for (const auto& r : rows) {
    chart::TPlotShadow shadow;
    shadow.HorizSize = r.h;
    shadow.VertSize = r.v;
    shadow.Smooth = r.smooth;
    shadow.Color = fw::clMaroon;
    shadow.Transparency = r.transparency;
    kvforms::SyncShadowToolbar(c, shadow, true);
    EXPECT_EQ(c.Smooth->Checked(), r.smooth);
    EXPECT_EQ(c.Simple->Checked(), !r.smooth);
    EXPECT_EQ(c.Size->Value(), r.shownSize);
    EXPECT_EQ(c.Transparency->Value(), r.transparency);
    EXPECT_EQ(c.Color, fw::clMaroon);

    if (r.typedSize >= 0) c.Size->SetValue(r.typedSize);
    c.Smooth->SetChecked(!r.smooth);
    c.Simple->SetChecked(r.smooth);
    c.Color = fw::clTeal;
    kvforms::SyncShadowToolbar(c, shadow, false);
    EXPECT_EQ(shadow.HorizSize, r.writtenH) << r.h << "," << r.v;
    EXPECT_EQ(shadow.VertSize, r.writtenV) << r.h << "," << r.v;
    EXPECT_EQ(shadow.Smooth, !r.smooth);
    EXPECT_EQ(shadow.Color, fw::clTeal);
    EXPECT_EQ(shadow.Transparency, r.transparency);
  }
}

// Every drawn entry: which face and size it was drawn in, and whether it was the closed field.
struct DrawnEntry {
  std::string face;
  fw::Integer size;
  bool field;
};

TEST_F(FormatBindingsTest, FontNamesAreDrawnInTheirOwnFaceAndTheFieldInTheDialogFace) {
  auto* combo = new kvforms::TFontNameCombo(form);
  combo->SetParent(form);
  combo->SetBounds(8, 8, 180, 21);
  combo->FillScreenFonts();
  ASSERT_GE(combo->Items()->Count(), 2);
  EXPECT_EQ(combo->Items()->Count(), fw::Screen->Fonts()->Count());
  EXPECT_EQ(combo->Style(), fw::csOwnerDrawFixed);
  EXPECT_EQ(combo->ItemHeight(), 24);  // one and a half times the usual 16
  std::vector<DrawnEntry> drawn;
  const auto draw = combo->OnDrawItem;
  combo->OnDrawItem = [&](fw::TWinControl* Sender, fw::Integer Index, const fw::TRect& Rect,
                          fw::TOwnerDrawState State) {
    draw(Sender, Index, Rect, State);
    drawn.push_back({combo->Canvas()->Font()->Name(), combo->Canvas()->Font()->Size(),
                     State.Contains(fw::odComboBoxEdit)});
  };
  form->Show();
  combo->SetItemIndex(1);
  EXPECT_EQ(win::SendMessageW(combo->Handle(), win::CB_GETITEMHEIGHT, win::WPARAM(-1), 0),
            kvforms::TFontNameCombo::kFieldHeight);
  EXPECT_EQ(win::SendMessageW(combo->Handle(), win::CB_GETITEMHEIGHT, 0, 0), 24);
  EXPECT_EQ(win::SendMessageW(combo->Handle(), win::CB_GETDROPPEDWIDTH, 0, 0),
            kvforms::TFontNameCombo::kDropDownWidth);
  combo->SetDroppedDown(true);
  desktop->run_until_idle();
  combo->SetDroppedDown(false);
  desktop->run_until_idle();
  const std::string second = cs::WideToUtf8(combo->Items()->Strings(1));
  bool listed = false, field = false;
  for (const DrawnEntry& e : drawn) {
    if (e.field) {
      field = true;
      EXPECT_EQ(e.face, "Tahoma");
      EXPECT_EQ(e.size, 8);
    } else if (e.face == second) {
      listed = true;
      EXPECT_EQ(e.size, kvforms::TFontNameCombo::kPreviewSize);
    }
  }
  EXPECT_TRUE(field);
  EXPECT_TRUE(listed);
}

class ClickedPartTest : public FormatBindingsTest {
 protected:
  void SetUp() override {
    FormatBindingsTest::SetUp();
    chart = std::make_unique<chart::TChart>(nullptr);
    series = new chart::TLineSeries(chart.get());
    series->AddXY(1, 2);
    series->SetParentChart(chart.get());
    series->Marks()->SetVisible(true);
    chart->Legend()->SetVisible(true);
    for (chart::TChartTitle* t : {chart->Title(), chart->SubTitle(), chart->Foot(), chart->SubFoot()}) {
      t->SetText("T");
      t->SetVisible(true);
    }
  }
  void TearDown() override {
    chart.reset();
    FormatBindingsTest::TearDown();
  }
  std::unique_ptr<chart::TChart> chart;
  chart::TLineSeries* series = nullptr;
};

TEST_F(ClickedPartTest, DeleteHidesTheClickedElementAndLeavesGraphsToDeletion) {
  using chart::TSelectorClickedPart;
  chart::TChartAxis* left = chart->LeftAxis();
  const struct {
    TSelectorClickedPart part;
    bool hidden;
    std::function<bool()> visible;
  } rows[] = {
      {{chart::cpLegend}, true, [&] { return chart->Legend()->Visible(); }},
      {{chart::cpAxis, -1, nullptr, left}, true, [&] { return left->Visible(); }},
      {{chart::cpTitle}, true, [&] { return chart->Title()->Visible(); }},
      {{chart::cpSubTitle}, true, [&] { return chart->SubTitle()->Visible(); }},
      {{chart::cpFoot}, true, [&] { return chart->Foot()->Visible(); }},
      {{chart::cpSubFoot}, true, [&] { return chart->SubFoot()->Visible(); }},
      {{chart::cpChartRect}, true, [&] { return chart->BackWall()->Pen()->Visible(); }},
      {{chart::cpSeriesMarks, 0, series}, true, [&] { return series->Marks()->Visible(); }},
      {{chart::cpSeries, 0, series}, false, [&] { return series->Active(); }},
      {{chart::cpNone}, false, [] { return true; }},
      {{chart::cpAxis}, false, [] { return true; }},  // no axis recorded
  };
  for (const auto& r : rows) {
    EXPECT_TRUE(r.visible()) << int(r.part.Part);
    EXPECT_EQ(kvforms::HideClickedPart(*chart, r.part), r.hidden) << int(r.part.Part);
    EXPECT_EQ(r.visible(), !r.hidden) << int(r.part.Part);
  }
}

}  // namespace
