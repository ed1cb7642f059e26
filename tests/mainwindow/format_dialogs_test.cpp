// The main window's format commands and chart double-click: a title opens the title dialog on
// that title, the plot rectangle the frame dialog on its frame pen, elsewhere nothing.

#include "chart/ChartElement.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/NumericSpinEdit.h"
#include "dialog_script.h"
#include "export/forms/WinFrameFormat.h"
#include "export/forms/WinTitle.h"
#include "export/forms/WinLineProp.h"
#include "workspace/Preferences.h"
#include "export/forms/WinLegendFormat.h"
#include "chart/ChartLegend.h"
#include "export/forms/WinAxesFormat.h"
#include "analysis/WinOperations.h"
#include "chart/PlotAxis.h"
#include "chart/ChartTitle.h"
#include "framework/StdCtrlsEdit.h"
#include "mainwindow/MainWindowBars.h"
#include "mainwindow_fixture.h"
#include "toolbars/TBItem.h"

namespace mainwindowtest {
namespace {

using kvforms::TwndFrameFormat;

class FormatDialogsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    auto* s = new chart::TLineSeries(nullptr);
    for (int i = 0; i < 5; ++i) s->AddXY(i, i * i);
    Graphs().AddGraph(s, "data.txt", {}, "a");
    form->Chart()->Repaint();
    Pump();
  }
  chart::TChartPen& Frame() { return *form->Chart()->BackWall()->Pen(); }
  void DoubleClick(fw::TPoint P) {
    desktop->advance(1000);
    desktop->mouse_move(At(form->Chart(), P.x, P.y));
    desktop->click(At(form->Chart(), P.x, P.y));
    desktop->click(At(form->Chart(), P.x, P.y));
    Pump();
    AppPump();
  }
  int opened = 0;
  void AnswerWidth(fw::TModalResult Result, double Width) {
    AnswerDialog<TwndFrameFormat>(*desktop, Result, [this, Width](TwndFrameFormat& d) {
      ++opened;
      d.CsSpinEdit1->SetValue(Width);
    });
  }
};

TEST_F(FormatDialogsTest, FormatCommandEditsTheFrameOnOkOnly) {
  Frame().SetWidth(1);
  AnswerWidth(fw::mrCancel, 6);
  EXPECT_TRUE(form->FrameFormatAction()->Execute());
  EXPECT_EQ(Frame().Width(), 1);
  AnswerWidth(fw::mrOk, 6);
  EXPECT_TRUE(form->FrameFormatAction()->Execute());
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(Frame().Width(), 6);
  EXPECT_NE(form->MenuItemOf(form->FrameFormatAction()), nullptr);
}

TEST_F(FormatDialogsTest, DoubleClickOnThePlotOpensTheFrameDialog) {
  const fw::TRect plot = form->Chart()->ChartRect();
  ASSERT_GT(plot.right - plot.left, 20);
  AnswerWidth(fw::mrOk, 4);
  DoubleClick(fw::TPoint{plot.left + 5, plot.top + 5});
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(Frame().Width(), 4);
  // Outside the chart's parts: no dialog (the queued answer finds none and is dropped).
  opened = 0;
  AnswerWidth(fw::mrOk, 9);
  DoubleClick(fw::TPoint{1, 1});
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(Frame().Width(), 4);
}

TEST_F(FormatDialogsTest, DoubleClickOnATitleEditsThatTitle) {
  chart::TCustomChart* chart = form->Chart();
  chart->Title()->SetText("Верх");
  chart->SubTitle()->SetText("Ниже");
  chart->Repaint();
  Pump();
  auto centre = [](const win::RECT& R) { return fw::TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; };
  const struct {
    chart::TChartTitle* title;
    const char* caption;
  } rows[] = {{chart->Title(), "Формат заголовка"}, {chart->SubTitle(), "Формат подзаголовка"}};
  for (const auto& r : rows) {
    chart->Repaint();
    Pump();
    std::string caption;
    AnswerDialog<kvforms::TwndTitle>(*desktop, fw::mrOk, [&caption](kvforms::TwndTitle& d) {
      caption = d.Caption();
      d.Memo1->Lines()->Clear();
      d.Memo1->Lines()->Add("Новый");
      d.butOk->Click();
    });
    const win::RECT b = r.title->Bounds();
    DoubleClick(centre(b));
    EXPECT_EQ(caption, r.caption);
    EXPECT_EQ(r.title->Text(), "Новый");
  }
  // The command edits the chart's title; Cancel keeps it.
  AnswerDialog<kvforms::TwndTitle>(*desktop, fw::mrCancel, [](kvforms::TwndTitle& d) {
    d.Memo1->Lines()->Clear();
    d.butApply->Click();
  });
  EXPECT_TRUE(form->TitleFormatAction()->Execute());
  EXPECT_EQ(chart->Title()->Text(), "Новый");
}

TEST_F(FormatDialogsTest, DoubleClickOnAnAxisOpensItsFormatOrTheLimitsByPreference) {
  chart::TChartAxis* left = form->Chart()->LeftAxis();
  auto middle = [left] {
    const win::RECT r = left->AxisRect();
    return fw::TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  std::string caption;
  AnswerDialog<kvforms::TwndAxisFormat>(*desktop, fw::mrOk, [&caption](kvforms::TwndAxisFormat& d) {
    caption = d.Caption();
    d.memoTitle->Lines()->Clear();
    d.memoTitle->Lines()->Add("Ось Y");
    d.butOk->Click();
  });
  DoubleClick(middle());
  EXPECT_EQ(caption, "Формат вертикальной оси");
  EXPECT_EQ(left->Title()->Caption(), "Ось Y");

  workspace::Preferences.AxisDblClickShowLimits = true;
  bool limits = false;
  AnswerDialog<analysis::TwndLimits>(*desktop, fw::mrCancel, [&limits](analysis::TwndLimits&) { limits = true; });
  form->Chart()->Repaint();
  Pump();
  DoubleClick(middle());  // the new title moved the axis
  EXPECT_TRUE(limits);

  AnswerDialog<kvforms::TwndAxisFormat>(*desktop, fw::mrCancel, [&caption](kvforms::TwndAxisFormat& d) {
    caption = d.Caption();
  });
  EXPECT_TRUE(form->AxisXFormatAction()->Execute());
  EXPECT_EQ(caption, "Формат горизонтальной оси");
}

TEST_F(FormatDialogsTest, DoubleClickOnTheLegendEditsIt) {
  chart::TChartLegend* legend = form->Chart()->Legend();
  legend->SetVisible(true);
  legend->SetAlignment(chart::laLeft);  // inside the headless screen
  form->Chart()->Repaint();
  Pump();
  const win::RECT r = legend->ShapeBounds();
  bool opened = false;
  AnswerDialog<kvforms::TwndLegendFormat>(*desktop, fw::mrOk, [&opened](kvforms::TwndLegendFormat& d) {
    opened = true;
    d.itInverse->SetChecked(true);
    d.butOk->Click();
  });
  DoubleClick(fw::TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  EXPECT_TRUE(opened);
  EXPECT_TRUE(legend->Inverted());
  EXPECT_NE(form->MenuItemOf(form->LegendFormatAction()), nullptr);
}

TEST_F(FormatDialogsTest, TheDoubleClickThatOpenedTheAxisDialogDoesNotScrollTheAxisAfterwards) {
  chart::TChartAxis* left = form->Chart()->LeftAxis();
  const win::RECT r = left->AxisRect();
  const fw::TPoint at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  const double min = left->Minimum(), max = left->Maximum();
  bool opened = false;
  AnswerDialog<kvforms::TwndAxisFormat>(*desktop, fw::mrCancel, [&opened](kvforms::TwndAxisFormat&) { opened = true; });
  desktop->advance(1000);
  desktop->mouse_move(At(form->Chart(), at.x, at.y));
  desktop->click(At(form->Chart(), at.x, at.y));
  desktop->mouse_down(At(form->Chart(), at.x, at.y));
  Pump();
  AppPump();
  ASSERT_TRUE(opened);
  // The release went to the dialog; the pointer then moves over the chart.
  desktop->mouse_move(At(form->Chart(), at.x + 40, at.y + 120));
  Pump();
  EXPECT_EQ(left->Minimum(), min);
  EXPECT_EQ(left->Maximum(), max);
  desktop->mouse_up(At(form->Chart(), at.x + 40, at.y + 120));
  Pump();
}

TEST_F(FormatDialogsTest, DoubleClickOnAGraphEditsItsLine) {
  auto* series = dynamic_cast<chart::TLineSeries*>(Graphs().Items(0)->Series());
  ASSERT_NE(series, nullptr);
  bool opened = false;
  AnswerDialog<kvforms::TwndLineProp>(*desktop, fw::mrOk, [&opened](kvforms::TwndLineProp& d) {
    opened = true;
    d.LinePen.Width->SetValue(5);
    d.butOk->Click();
  });
  DoubleClick(fw::TPoint{series->PointPixelX(2), series->PointPixelY(2)});
  EXPECT_TRUE(opened);
  EXPECT_EQ(series->LinePen()->Width(), 5);
}

// Delete hides the chart element clicked last; with the graph clicked it deletes the graph.
TEST_F(FormatDialogsTest, DeleteHidesTheClickedElementOrDeletesTheClickedGraph) {
  workspace::Preferences.ConfirmDelete = false;
  chart::TChartLegend* legend = form->Chart()->Legend();
  legend->SetVisible(true);
  legend->SetAlignment(chart::laLeft);
  form->Chart()->Repaint();
  Pump();
  const win::RECT r = legend->ShapeBounds();
  auto click = [this](fw::TPoint P) {
    desktop->advance(1000);
    desktop->mouse_move(At(form->Chart(), P.x, P.y));
    desktop->click(At(form->Chart(), P.x, P.y));
    Pump();
    AppPump();
  };
  Graphs().Select(0);  // the command is there while a graph is current
  click(fw::TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  ASSERT_TRUE(form->DeleteAction()->Execute());
  EXPECT_FALSE(legend->Visible());
  EXPECT_EQ(Graphs().Count(), 1);

  auto* series = Graphs().Items(0)->Series();
  form->Chart()->Repaint();
  Pump();
  click(fw::TPoint{series->PointPixelX(2), series->PointPixelY(2)});
  ASSERT_TRUE(form->DeleteAction()->Execute());
  EXPECT_EQ(Graphs().Count(), 0);
}

// The line properties command is there exactly while it has a graph to edit (the selected ones, or
// the current one when none is selected): the menu item and the "Формат" toolbar's button are
// that one command, which does not run without a graph.
class LinePropEnablingTest : public MainWindowTest {
 protected:
  toolbars::TTBCustomItem* FormatButton() {
    workspace::TBar* bar = form->Bars()->Toolbar("FormatToolbar");
    if (!bar) return nullptr;
    for (fw::Integer i = 0; i < bar->Items()->Count(); ++i)
      if (bar->Items()->Items(i)->Caption() == form->LinePropAction()->Caption()) return bar->Items()->Items(i);
    return nullptr;
  }
  chart::TChartSeries* AddGraph(const char* Title) {
    auto* s = new chart::TLineSeries(nullptr);
    for (int i = 0; i < 5; ++i) s->AddXY(i, i * i);
    Graphs().AddGraph(s, "data.txt", {}, Title);
    Graphs().SelectLastAdded();
    return s;
  }
};

TEST_F(LinePropEnablingTest, TheCommandIsEnabledExactlyWhileThereIsAGraphToEdit) {
  toolbars::TTBCustomItem* button = FormatButton();
  toolbars::TTBCustomItem* menuItem = form->MenuItemOf(form->LinePropAction());
  ASSERT_NE(button, nullptr);
  ASSERT_NE(menuItem, nullptr);
  chart::TChartSeries* a = nullptr;
  struct Row {
    const char* What;
    std::function<void()> Arrange;
    bool Enabled;
  };
  const Row rows[] = {
      {"no graph", [] {}, false},
      {"a current graph, none selected",
       [&] {
         a = AddGraph("a");
         AddGraph("b");
         form->MultiSelectorTool()->ClearSelection();
       },
       true},
      {"one selected", [&] { form->MultiSelectorTool()->SelectSeries(a); }, true},
      {"several selected", [&] { form->MultiSelectorTool()->SelectAll(); }, true},
      {"every graph deleted",
       [&] {
         while (Graphs().Count() > 0) Graphs().Delete(0);
       },
       false},
  };
  for (const Row& row : rows) {
    row.Arrange();
    Pump();
    EXPECT_EQ(form->LinePropAction()->Enabled(), row.Enabled) << row.What;
    EXPECT_EQ(menuItem->Enabled(), row.Enabled) << row.What << ": the menu item";
    EXPECT_EQ(button->Enabled(), row.Enabled) << row.What << ": the toolbar button";
  }
  ASSERT_EQ(Graphs().Count(), 0);
  bool opened = false;
  AnswerDialog<kvforms::TwndLineProp>(*desktop, fw::mrCancel, [&opened](kvforms::TwndLineProp&) { opened = true; });
  EXPECT_FALSE(form->LinePropAction()->Execute());
  Pump();
  EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace mainwindowtest
