// The graph-choice dialog and the operation dialogs reached through the main window's actions:
// scripted use of each dialog on the headless desktop, the arithmetic compared with the analysis
// routines' own results, the settings written on OK, and every change undone exactly.

#include <cmath>
#include <functional>
#include <iterator>

#include "analysis/Analisis.h"
#include "analysis/WinOperations.h"
#include "analysis/WinSelect.h"
#include "analysis/WinTracing.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotToolsCursor.h"
#include "chart/PlotMultiSelectorTool.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/FloatEdit.h"
#include "framework/StdCtrlsList.h"
#include "framework/StdCtrlsText.h"
#include "platform/gdi/GdiText.h"
#include "mainwindow_fixture.h"

namespace mainwindowtest {

namespace {


class AnalysisWindowsTest : public MainWindowTest {
 protected:
  workspace::TGraph* Add(const Points& P, const char* Title) {
    auto* s = new chart::TLineSeries(nullptr);
    for (auto [x, y] : P) s->AddXY(x, y);
    workspace::TGraph* g = Graphs().AddGraph(s, "data.txt", {}, Title);
    Graphs().SelectLastAdded();
    return g;
  }
  // Runs Action with Answer working the dialog it opens (the dialog of type D, then closed by
  // its OK or Cancel button).
  template <class D>
  bool Run(fw::TAction* Action, std::function<void(D&)> Answer, bool Ok = true) {
    bool seen = false;
    desktop->script([&] {
      auto* dialog = dynamic_cast<D*>(fw::Screen->ActiveForm());
      ASSERT_NE(dialog, nullptr);
      seen = true;
      Answer(*dialog);
      auto* button = dynamic_cast<cs::TCsButton*>(dialog->FindComponent(Ok ? "butOk" : "butCancel"));
      ASSERT_NE(button, nullptr);
      button->Click();
    });
    Action->Execute();
    Pump();
    return seen;
  }
  fw::TAction* Arithmetic(int Index) { return form->ArithmeticActions()[std::size_t(Index)]; }
};

}  // namespace

TEST_F(AnalysisWindowsTest, TheChoiceOrderAndChecksAreTheOperandsOfTheArithmetic) {
  auto* a = Add({{0, 1}, {1, 2}, {2, 3}}, "a");
  auto* b = Add({{0, 10}, {1, 20}, {2, 30}}, "b");
  auto* c = Add({{0, 5}, {1, 7}, {2, 11}}, "c");
  // The third moved to the top, the second unchecked: the difference is c - a.
  ASSERT_TRUE(Run<analysis::TwndGraphSelect>(Arithmetic(1), [&](analysis::TwndGraphSelect& d) {
    EXPECT_EQ(d.Caption(), "Разница графиков");
    EXPECT_EQ(d.List()->Items()->Count(), 3);
    d.List()->SetItemIndex(2);
    d.List()->OnClick(nullptr);
    d.Button("butUp")->Click();
    d.Button("butUp")->Click();
    d.Button("butUp")->Click();  // already first: stays
    d.List()->SetFocus();
    d.List()->SetItemIndex(2);
    d.List()->OnClick(nullptr);
    desktop->press_key(win::VK_SPACE, u' ');
    AppPump();
    EXPECT_EQ(d.Choice().Chosen(), (workspace::TGraphArray{c, a}));
  }));
  ASSERT_EQ(Graphs().Count(), 4);
  workspace::TGraph* made = Graphs().Current();
  EXPECT_EQ(made->Source, "SubtractFunction");
  // The routine's own result over the same operands.
  workspace::TGraph* direct = analysis::AddSubtractGraph({c, a});
  EXPECT_EQ(PointsOf(made->Series()), PointsOf(direct->Series()));
  EXPECT_EQ(PointsOf(made->Series()), (Points{{0, 4}, {1, 5}, {2, 8}}));
  (void)b;
}

TEST_F(AnalysisWindowsTest, ResampledArithmeticMatchesTheRoutineAndCancelMakesNothing) {
  auto* a = Add({{0, 0}, {2, 4}, {4, 8}}, "a");
  auto* b = Add({{0, 1}, {1, 1}, {4, 1}}, "b");
  workspace::Preferences.SplitInterval = 4;
  ASSERT_TRUE(Run<analysis::TwndGraphSelect>(Arithmetic(4), [](analysis::TwndGraphSelect&) {}));
  ASSERT_EQ(Graphs().Count(), 3);
  const Points viaDialog = PointsOf(Graphs().Current()->Series());
  EXPECT_EQ(viaDialog, PointsOf(analysis::AddSumRareGraph({a, b})->Series()));
  EXPECT_EQ(viaDialog.size(), 9u);
  // Cancel and an all-unchecked choice add nothing.
  const fw::Integer before = Graphs().Count();
  ASSERT_TRUE(Run<analysis::TwndGraphSelect>(Arithmetic(0), [](analysis::TwndGraphSelect&) {}, false));
  // OK with nothing checked is refused with a message, the choice left open; Cancel then.
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  desktop->script([&] {
    auto* d = dynamic_cast<analysis::TwndGraphSelect*>(fw::Screen->ActiveForm());
    ASSERT_NE(d, nullptr);
    d->Button("butSelectNone")->Click();
    EXPECT_TRUE(d->Choice().Chosen().empty());
    d->SetModalResult(fw::mrOk);
  });
  desktop->script([&] {
    auto* d = dynamic_cast<analysis::TwndGraphSelect*>(fw::Screen->ActiveForm());
    ASSERT_NE(d, nullptr) << "the choice closed on OK with nothing checked";
    d->SetModalResult(fw::mrCancel);
  });
  ASSERT_TRUE(Arithmetic(0)->Execute());
  Pump();
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  EXPECT_EQ(win::WideToUtf8(win::MessageBoxHistory()[0].text), analysis::NothingChosenMsg);
  EXPECT_EQ(Graphs().Count(), before);
}

TEST_F(AnalysisWindowsTest, SelectionKeysAndCheckGraphsWriteTheFlagsBack) {
  auto* a = Add({{0, 1}, {1, 2}}, "a");
  auto* b = Add({{0, 1}, {1, 2}}, "b");
  b->Checked = true;
  bool result = false;
  desktop->script([&] {
    auto* d = dynamic_cast<analysis::TwndGraphSelect*>(fw::Screen->ActiveForm());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Button("butUp"), nullptr);  // no reordering here
    EXPECT_FALSE(d->Choice().Items[0].Checked);
    EXPECT_TRUE(d->Choice().Items[1].Checked);
    // Shift+A inverts; Alt+A clears; Ctrl+A checks all; then Shift+A once more.
    d->List()->SetFocus();
    auto chord = [&](win::UINT Modifier) {
      desktop->key_down(Modifier);
      desktop->press_key('A');
      desktop->key_up(Modifier);
      AppPump();
    };
    chord(win::VK_SHIFT);
    EXPECT_TRUE(d->Choice().Items[0].Checked);
    EXPECT_FALSE(d->Choice().Items[1].Checked);
    chord(win::VK_MENU);
    EXPECT_TRUE(d->Choice().Chosen().empty());
    chord(win::VK_CONTROL);
    EXPECT_EQ(d->Choice().Chosen().size(), 2u);
    d->Choice().Items[1].Checked = false;
    d->SetModalResult(fw::mrOk);
  });
  result = analysis::CheckGraphs("");
  EXPECT_TRUE(result);
  EXPECT_TRUE(a->Checked);
  EXPECT_FALSE(b->Checked);
  EXPECT_EQ(Graphs().CheckedCount(), 1);
  // Cancel leaves the flags.
  desktop->script([&] { fw::Screen->ActiveForm()->SetModalResult(fw::mrCancel); });
  EXPECT_FALSE(analysis::CheckGraphs(""));
  EXPECT_TRUE(a->Checked);
}

// The choice opens with its list holding the keys: Space ticks the row (as the nothing-ticked
// message tells the user), Down moves to the next one, with no click first.
TEST_F(AnalysisWindowsTest, TheChoiceOpensWithTheKeysInItsList) {
  auto* a = Add({{0, 1}, {1, 2}}, "a");
  auto* b = Add({{0, 1}, {1, 2}}, "b");
  desktop->script([&] {
    auto* d = dynamic_cast<analysis::TwndGraphSelect*>(fw::Screen->ActiveForm());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(fw::Screen->ActiveControl(), d->List());
    desktop->press_key(win::VK_DOWN);
    desktop->press_key(win::VK_SPACE);
    AppPump();
    d->SetModalResult(fw::mrOk);
  });
  EXPECT_TRUE(analysis::CheckGraphs(""));
  EXPECT_FALSE(a->Checked);
  EXPECT_TRUE(b->Checked);
}

TEST_F(AnalysisWindowsTest, WithoutGraphsTheChoiceShowsNothingAndTheActionsAreOff) {
  workspace::TGraphArray graphs;
  EXPECT_FALSE(analysis::SelectGraphs("", graphs));
  EXPECT_FALSE(analysis::CheckGraphs(""));
  EXPECT_FALSE(form->NormalizeAction()->Enabled());
  EXPECT_FALSE(Arithmetic(0)->Enabled());
  EXPECT_TRUE(form->LimitsXAction()->Enabled());
  Add({{0, 1}}, "a");
  EXPECT_TRUE(form->NormalizeAction()->Enabled());
  EXPECT_TRUE(Arithmetic(7)->Enabled());
}

TEST_F(AnalysisWindowsTest, NormalisingByTheMaximumIsUndoneExactlyAndRemembered) {
  auto* a = Add({{0, 1}, {1, 4}, {2, -2}}, "a");
  auto* b = Add({{0, 3}, {1, 6}}, "b");
  const Points beforeA = PointsOf(a->Series()), beforeB = PointsOf(b->Series());
  form->MultiSelectorTool()->SelectAll();
  ASSERT_TRUE(Run<analysis::TwndNorm>(form->NormalizeAction(), [](analysis::TwndNorm& d) {
    EXPECT_EQ(d.Caption(), "Нормировка");
    EXPECT_TRUE(d.rbY->Checked());  // the defaults
    d.rbX->SetChecked(true);
    EXPECT_FALSE(d.cbMax->Enabled());
    d.rbY->SetChecked(true);
    EXPECT_TRUE(d.cbMax->Enabled());
    d.cbMax->SetChecked(true);
  }));
  EXPECT_DOUBLE_EQ(a->Series()->YValues()->MaxValue(), 1);
  EXPECT_DOUBLE_EQ(b->Series()->YValues()->MaxValue(), 1);
  ASSERT_EQ(form->Operations()->Count(), 4);  // two additions, two normalisations
  EXPECT_EQ(form->Operations()->Items(3).Kind, workspace::opNormalizeY);
  EXPECT_DOUBLE_EQ(std::get<double>(form->Operations()->Items(3).Value), 6);
  form->UndoAction()->Execute();
  form->UndoAction()->Execute();
  EXPECT_EQ(PointsOf(a->Series()), beforeA);
  EXPECT_EQ(PointsOf(b->Series()), beforeB);
  workspace::TPropSaver store("NORM", true);
  EXPECT_EQ(store.ReadString("NormXY", ""), "rbY");
  EXPECT_TRUE(store.ReadBool("NormMax", false));
  // The next dialog starts from what was confirmed; typing a factor clears "На максимум".
  ASSERT_TRUE(Run<analysis::TwndNorm>(form->NormalizeAction(), [](analysis::TwndNorm& d) {
    EXPECT_TRUE(d.cbMax->Checked());
    d.fedFactor->SetText(u"2");
    EXPECT_FALSE(d.cbMax->Checked());
  }, false));
  EXPECT_EQ(PointsOf(a->Series()), beforeA);  // Cancel changes nothing
}

TEST_F(AnalysisWindowsTest, ADivisorOfZeroIsRefusedAndChangesNothing) {
  auto* a = Add({{1, 1}, {2, 4}}, "a");
  const Points before = PointsOf(a->Series());
  const fw::Integer entries = form->Operations()->Count();
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  ASSERT_TRUE(Run<analysis::TwndNorm>(form->NormalizeAction(), [](analysis::TwndNorm& d) {
    d.rbX->SetChecked(true);
    d.fedFactor->SetText(u"0");
  }));
  EXPECT_EQ(PointsOf(a->Series()), before);
  EXPECT_EQ(form->Operations()->Count(), entries);
  ASSERT_FALSE(win::MessageBoxHistory().empty());
}

TEST_F(AnalysisWindowsTest, OffsetsMoveTheChosenPointToZeroOrAddTheValue) {
  auto* a = Add({{1, 2}, {3, 9}, {5, 4}}, "a");
  const Points before = PointsOf(a->Series());
  // Nothing selected on the chart: the current graph is the operand and becomes selected.
  form->MultiSelectorTool()->ClearSelection();
  ASSERT_TRUE(Run<analysis::TwndOffset>(form->OffsetAction(), [](analysis::TwndOffset& d) {
    EXPECT_EQ(d.Caption(), "Сместить");
    d.rbV->SetChecked(true);
    EXPECT_EQ(d.rbMax->Caption(), u"Y_max  -->  0");
    d.rbH->SetChecked(true);
    EXPECT_EQ(d.rbMax->Caption(), u"X при Y_max --> 0");
    d.rbMax->SetChecked(true);
  }));
  EXPECT_EQ(PointsOf(a->Series()), (Points{{-2, 2}, {0, 9}, {2, 4}}));
  EXPECT_EQ(form->MultiSelectorTool()->SelectedSeries().Count(), 1);
  ASSERT_TRUE(Run<analysis::TwndOffset>(form->OffsetAction(), [](analysis::TwndOffset& d) {
    d.rbV->SetChecked(true);
    d.fedOffset->SetText(u"2");
    EXPECT_TRUE(d.rbUsr->Checked());  // typing a value chooses it
  }));
  EXPECT_EQ(PointsOf(a->Series()), (Points{{-2, 4}, {0, 11}, {2, 6}}));
  EXPECT_EQ(form->Operations()->Items(form->Operations()->Count() - 1).Kind, workspace::opOffsetY);
  form->UndoAction()->Execute();
  form->UndoAction()->Execute();
  EXPECT_EQ(PointsOf(a->Series()), before);
  workspace::TPropSaver store("OFFSET", true);
  EXPECT_EQ(store.ReadString("Direction", ""), "rbV");
  EXPECT_EQ(store.ReadString("Kind", ""), "rbUsr");
  EXPECT_DOUBLE_EQ(store.ReadFloat("Value", 0), 2);
}

TEST_F(AnalysisWindowsTest, TrimCutsBothSidesAndARefusedCutKeepsEveryPoint) {
  auto* a = Add({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}, "a");
  ASSERT_TRUE(Run<analysis::TwndTrim>(form->TrimAction(), [](analysis::TwndTrim& d) {
    EXPECT_EQ(d.Caption(), "Обрезка");
    d.fedTrimLeft->SetText(u"1");
    d.fedTrimRight->SetText(u"3");
  }));
  EXPECT_EQ(PointsOf(a->Series()), (Points{{1, 1}, {2, 2}, {3, 3}}));
  // A left cut beyond the last point is refused with the message; nothing is lost.
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  win::ClearMessageBoxHistory();
  ASSERT_TRUE(Run<analysis::TwndTrim>(form->TrimAction(), [](analysis::TwndTrim& d) {
    EXPECT_DOUBLE_EQ(double(d.fedTrimRight->Value()), 3);  // remembered
    d.fedTrimLeft->SetText(u"10");
    d.cbTrimRight->SetChecked(false);
  }));
  EXPECT_EQ(PointsOf(a->Series()), (Points{{1, 1}, {2, 2}, {3, 3}}));
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  EXPECT_EQ(win::MessageBoxHistory()[0].text, win::Utf8ToWide(workspace::GraphTrimRefusedMsg));
}

TEST_F(AnalysisWindowsTest, LimitsSetTheAxisAndAutoBoxesGiveTheRangeBack) {
  chart::TChartAxis* bottom = form->Chart()->BottomAxis();
  ASSERT_TRUE(Run<analysis::TwndLimits>(form->LimitsXAction(), [](analysis::TwndLimits& d) {
    EXPECT_EQ(d.Caption(), "Пределы по X");
    d.fedMin->SetText(u"-5");
    d.fedMax->SetText(u"7");
    d.fedStep->SetText(u"0.5");
    EXPECT_FALSE(d.cbMin->Checked());  // typing clears the "Авто" boxes
    EXPECT_FALSE(d.cbStep->Checked());
  }));
  EXPECT_DOUBLE_EQ(bottom->Minimum(), -5);
  EXPECT_DOUBLE_EQ(bottom->Maximum(), 7);
  EXPECT_DOUBLE_EQ(bottom->Increment(), 0.5);
  EXPECT_FALSE(bottom->AutomaticMinimum());
  // "Пределы по осям" gives both axes the left axis' limits; "Авто" turns them automatic.
  chart::TChartAxis* left = form->Chart()->LeftAxis();
  ASSERT_TRUE(Run<analysis::TwndLimits>(form->LimitsBothAction(), [](analysis::TwndLimits& d) {
    EXPECT_EQ(d.Caption(), "Пределы по осям");
    d.cbMin->SetChecked(true);
    d.cbMax->SetChecked(true);
    d.cbStep->SetChecked(true);
  }));
  EXPECT_TRUE(left->AutomaticMinimum());
  EXPECT_TRUE(bottom->AutomaticMaximum());
  EXPECT_DOUBLE_EQ(bottom->Increment(), 0);
}

}  // namespace mainwindowtest

namespace mainwindowtest {

TEST_F(AnalysisWindowsTest, TracingWindowRunsTheCursorToolWhileOpenAndRemembersTheCrossHair) {
  chart::TCursorTool* tool = form->TracingTool();
  ASSERT_FALSE(tool->Active());
  EXPECT_FALSE(form->ToggleTracingAction()->Enabled()) << "nothing to trace without a graph";
  Add({{0, 1}, {1, 2}}, "a");
  // Reports while the window is closed touch nothing.
  tool->OnChange(tool, 0, 0, 1, 2, nullptr, -1);
  ASSERT_TRUE(form->ToggleTracingAction()->Execute());
  analysis::TwndTracing* window = analysis::TracingWindow;
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Caption(), "Трассировка");
  EXPECT_TRUE(window->Visible());
  EXPECT_TRUE(tool->Active());
  EXPECT_TRUE(tool->Pen()->Visible());
  EXPECT_EQ(form->Chart()->Cursor(), fw::crCross);
  tool->OnChange(tool, 10, 20, 1.25, -3.5, nullptr, -1);
  EXPECT_DOUBLE_EQ(double(window->fedX->Value()), 1.25);
  EXPECT_DOUBLE_EQ(double(window->fedY->Value()), -3.5);
  // A second toggle shows the same window.
  form->ToggleTracingAction()->Execute();
  EXPECT_EQ(analysis::TracingWindow, window);
  window->butCrossHair->SetChecked(false);
  EXPECT_FALSE(tool->Pen()->Visible());
  EXPECT_EQ(form->Chart()->Cursor(), fw::crDefault);
  window->butClose->Click();
  Pump();
  AppPump();
  EXPECT_EQ(analysis::TracingWindow, nullptr);
  EXPECT_FALSE(tool->Active());
  EXPECT_FALSE(workspace::TPropSaver("TRASING_WINDOW", true).ReadBool("ShowCrossHair", true));
  // Reopened: the cross hair stays off.
  form->ToggleTracingAction()->Execute();
  ASSERT_NE(analysis::TracingWindow, nullptr);
  EXPECT_FALSE(analysis::TracingWindow->butCrossHair->Checked());
  EXPECT_FALSE(tool->Pen()->Visible());
  EXPECT_EQ(form->Chart()->Cursor(), fw::crDefault);
  EXPECT_TRUE(tool->Active());
}

// The tracing read-outs show every digit the cursor reports, however long the number gets.
TEST_F(AnalysisWindowsTest, TracingReadOutsShowTheWholeNumber) {
  Add({{0, 1}, {1, 2}}, "a");
  ASSERT_TRUE(form->ToggleTracingAction()->Execute());
  analysis::TwndTracing* window = analysis::TracingWindow;
  ASSERT_NE(window, nullptr);
  const double values[] = {0, -49709753.9160123, -1.23456789012345e-300, 8.88888888888888e+307, 1e-5 / 3};
  for (double v : values) {
    window->ShowValues(v, -v);
    for (cs::TLxCsFloatEdit* edit : {window->fedX, window->fedY}) {
      const fw::String text = win::WideToUtf8(edit->Text());
      const fw::Integer width =
          fw::MeasureControlText(edit->Font(), text, win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx;
      EXPECT_LE(width + 4, edit->ClientWidth()) << text;
    }
  }
  // The read-outs, the check box and the button still sit side by side inside the window.
  const fw::TControl* row[] = {window->fedX, window->fedY, window->butCrossHair, window->butClose};
  for (std::size_t i = 1; i < std::size(row); ++i)
    EXPECT_LE(row[i - 1]->Left() + row[i - 1]->Width(), row[i]->Left()) << i;
  EXPECT_LE(window->butClose->Left() + window->butClose->Width(), window->ClientWidth());
  window->Close();
  Pump();
  AppPump();
}

}  // namespace mainwindowtest
