// The series tools' editor forms opened from code on the headless desktop: choosing the series,
// the drag style and the series' mouse cursor writes them to the tool, on a chart with series
// and on one without.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "analysis/AnalysisRegistration.h"
#include "analysis/PlotToolEditors.h"
#include "chart/Chart.h"
#include "chart/PlotDragPoint.h"
#include "chart/PlotHandCursor.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "framework/StringList.h"
#include "platform/controls/ComboBox.h"
#include "support/HeadlessFixture.h"

namespace {

using analysis::TDragPointToolEdit;
using analysis::TSeriesToolEditor;
using chart::TDragPointTool;

class ToolEditorFormsTest : public kvtest::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    owner = std::make_unique<fw::TForm>(nullptr);
    chart = new chart::TChart(owner.get());
    chart->SetParent(owner.get());
    tool = new TDragPointTool(owner.get());
    tool->SetParentChart(chart);
  }
  void TearDown() override {
    owner.reset();
    delete fw::Application;
    fw::Application = new fw::TApplication(nullptr);
    HeadlessTest::TearDown();
  }
  void AddSeries(int Count) {
    for (int i = 0; i < Count; ++i) {
      auto* s = new chart::TLineSeries(owner.get());
      s->SetTitle(std::string(1, char('a' + i)));
      s->SetParentChart(chart);
      series.push_back(s);
    }
  }
  template <class Form>
  Form* Open() {
    auto* form = new Form(owner.get());
    form->SetTool(tool);
    form->Show();
    desktop->run_until_idle();
    return form;
  }
  static fw::TStrings* Items(fw::TCustomComboBox* Combo) { return Combo->Items(); }
  static std::vector<std::string> Rows(fw::TCustomComboBox* Combo) {
    std::vector<std::string> rows;
    for (fw::Integer i = 0; i < Combo->Items()->Count(); ++i) rows.push_back(Combo->Items()->Strings(i));
    return rows;
  }
  // Selects the row reading Text (none when absent) and notifies the combo box as its window does.
  static void Choose(fw::TCustomComboBox* Combo, const std::string& Text) {
    Combo->SetItemIndex(Combo->Items()->IndexOf(Text));
    Combo->Perform(fw::CN_COMMAND, win::MAKEWPARAM(0, win::CBN_SELCHANGE), 0);
  }

  std::unique_ptr<fw::TForm> owner;
  chart::TChart* chart = nullptr;
  TDragPointTool* tool = nullptr;
  std::vector<chart::TChartSeries*> series;
};

struct SeriesCase {
  const char* name;
  int seriesCount;
  int startSeries;  // index of the tool's series, -1 none
  const char* chosen;
  int expectedSeries;  // -1 none
  std::vector<std::string> rows;
};

TEST_F(ToolEditorFormsTest, SeriesComboListsTheChartsSeriesAndSetsTheTools) {
  const std::vector<SeriesCase> cases = {
      {"none to c", 3, -1, "c", 2, {"a", "b", "c"}},
      {"a to b", 3, 0, "b", 1, {"a", "b", "c"}},
      {"no series on the chart", 0, -1, "a", -1, {}},
  };
  for (const SeriesCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    series.clear();
    SetUp();
    AddSeries(c.seriesCount);
    tool->SetSeries(c.startSeries < 0 ? nullptr : series[c.startSeries]);
    auto* form = Open<TSeriesToolEditor>();
    EXPECT_EQ(Rows(form->CBSeries), c.rows);
    EXPECT_EQ(form->CBSeries->ItemIndex(), c.startSeries);
    Choose(form->CBSeries, c.chosen);
    EXPECT_EQ(tool->Series(), c.expectedSeries < 0 ? nullptr : series[c.expectedSeries]);
  }
}

TEST_F(ToolEditorFormsTest, DragStyleRadioGroupShowsAndSetsTheToolsStyle) {
  struct Case {
    chart::TDragPointStyle start;
    int clicked;  // 0 X, 1 Y, 2 Both
    chart::TDragPointStyle expected;
  };
  const std::vector<Case> cases = {
      {chart::dsBoth, 0, chart::dsX}, {chart::dsX, 1, chart::dsY}, {chart::dsY, 2, chart::dsBoth}};
  AddSeries(1);
  tool->SetSeries(series[0]);
  for (const Case& c : cases) {
    tool->SetDragStyle(c.start);
    auto* form = Open<TDragPointToolEdit>();
    cs::TCsRadioButton* radios[] = {form->RBX, form->RBY, form->RBBoth};
    EXPECT_EQ(form->RGDragStyle->Caption(), u"Drag Style:");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(radios[i]->Checked(), i == int(c.start)) << i;
    radios[c.clicked]->Click();
    EXPECT_EQ(tool->DragStyle(), c.expected);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(radios[i]->Checked(), i == c.clicked) << i;
    delete form;
  }
}

TEST_F(ToolEditorFormsTest, CursorComboSetsTheSeriesCursorByName) {
  struct Case {
    fw::TCursor start;
    const char* shown;  // the row selected on opening
    const char* chosen;
    fw::TCursor expected;
  };
  const std::vector<Case> cases = {
      {fw::crDefault, "Default", "PlotHand", chart::crPlotHand},
      {chart::crPlotHand, "PlotHand", "Cross", fw::crCross},
      {fw::crCross, "Cross", "HandPoint", fw::crHandPoint},
  };
  AddSeries(2);
  tool->SetSeries(series[1]);
  for (const Case& c : cases) {
    series[1]->SetCursor(c.start);
    auto* form = Open<TDragPointToolEdit>();
    EXPECT_TRUE(form->CBCursor->Enabled());
    EXPECT_EQ(Items(form->CBCursor)->Strings(form->CBCursor->ItemIndex()), c.shown);
    EXPECT_EQ(Items(form->CBCursor)->Strings(Items(form->CBCursor)->Count() - 1), "PlotHand");
    Choose(form->CBCursor, c.chosen);
    EXPECT_EQ(series[1]->Cursor(), c.expected);
    EXPECT_EQ(series[0]->Cursor(), fw::crDefault);
    delete form;
  }
}

TEST_F(ToolEditorFormsTest, CursorComboFollowsTheChosenSeriesAndIsOffWithoutOne) {
  auto* form = Open<TDragPointToolEdit>();  // the chart has no series
  EXPECT_FALSE(form->CBCursor->Enabled());
  EXPECT_EQ(Items(form->CBCursor)->Count(), 0);
  form->RBY->Click();
  EXPECT_EQ(tool->DragStyle(), chart::dsY);  // the style needs no series

  AddSeries(2);
  form->SetTool(tool);
  EXPECT_FALSE(form->CBCursor->Enabled());
  series[1]->SetCursor(fw::crCross);
  Choose(form->CBSeries, "b");
  EXPECT_EQ(tool->Series(), series[1]);
  EXPECT_TRUE(form->CBCursor->Enabled());
  EXPECT_EQ(Items(form->CBCursor)->Strings(form->CBCursor->ItemIndex()), "Cross");
  Choose(form->CBSeries, "none");  // no row: the series is taken away
  EXPECT_EQ(tool->Series(), nullptr);
  EXPECT_FALSE(form->CBCursor->Enabled());
}

TEST_F(ToolEditorFormsTest, DragPointEditorIsRegisteredForStreaming) {
  analysis::RegisterAnalysis();
  fw::TPersistentClass info = fw::GetClass(tool->GetEditorClassName());
  ASSERT_NE(info, nullptr);
  std::unique_ptr<fw::TPersistent> made(info->Create(owner.get()));
  EXPECT_NE(dynamic_cast<TDragPointToolEdit*>(made.get()), nullptr);
  made.release();  // owned by the owner form
  analysis::UnRegisterAnalysis();
  EXPECT_EQ(fw::GetClass("TDragPointToolEdit"), nullptr);
}

}  // namespace
