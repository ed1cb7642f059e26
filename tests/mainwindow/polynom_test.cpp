// The polynomial window through the main window's commands: a new fit and the same fit made by
// the curve-fitting function, the coefficients in the information window and the balloon, the
// stored values, editing again in place with one undo entry, the picks of the sub-range, and the
// refusals (too few points, a source or graph deleted while the window is open).

#include <cmath>

#include "analysis/CurveFitting.h"
#include "analysis/PolynomGraph.h"
#include "analysis/WinPolynom.h"
#include "chart/Series.h"
#include "controls/Balloon.h"
#include "controls/CsButtons.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "framework/StdCtrlsList.h"
#include "mainwindow/WinInfo.h"
#include "mainwindow/dialog_script.h"
#include "mainwindow_fixture.h"

namespace mainwindowtest {
namespace {

using analysis::TwndPolynomEdit;

class PolynomTest : public MainWindowTest {
 protected:
  workspace::TGraph* Add(int N, const char* Title) {
    auto* s = new chart::TLineSeries(nullptr);
    for (int i = 0; i < N; ++i) s->AddXY(i * 0.5, std::sin(i * 0.7) * 2 + 0.1 * i * i);
    workspace::TGraph* g = Graphs().AddGraph(s, "data.txt", {}, Title);
    Graphs().SelectLastAdded();
    return g;
  }
  // Opens the window through Action (or edit-again) and sets it up with Work.
  TwndPolynomEdit* Open(fw::TAction* Action, const std::function<void(TwndPolynomEdit&)>& Work = nullptr) {
    Action->Execute();
    Pump();
    auto* window = FindOpenForm<TwndPolynomEdit>();
    if (window && Work) Work(*window);
    return window;
  }
  // OK, answering the information window; its rows are returned.
  std::vector<std::string> Ok(TwndPolynomEdit& Window) {
    std::vector<std::string> rows;
    desktop->script([&] {
      if (auto* info = FindOpenForm<workspace::TwndInfo>()) {
        for (fw::Integer i = 0; i < info->Lines()->Items()->Count(); ++i)
          rows.push_back(info->Lines()->Items()->Strings(i));
        info->SetModalResult(fw::mrOk);
      }
    });
    Window.butOkClick();
    Pump();
    return rows;
  }
  std::string LastMessage() {
    return win::MessageBoxHistory().empty() ? std::string()
                                            : win::WideToUtf8(win::MessageBoxHistory().back().text);
  }
};

// The fit of Source by the curve-fitting function itself.
Points FittedBy(chart::TChartSeries* Source, int Terms, analysis::TPolyVector* Coefficients = nullptr) {
  fw::TComponent owner(nullptr);
  auto* fit = new analysis::TCurveFittingFunction(&owner);
  fit->SetPolyDegree(Terms);
  auto* series = new chart::TLineSeries(&owner);
  series->SetFunctionType(fit);
  series->SetDataSource(Source);
  series->CheckDataSource();
  if (Coefficients)
    for (int k = 1; k <= Terms; ++k) (*Coefficients)[std::size_t(k - 1)] = fit->AnswerVector(k);
  Points p = PointsOf(series);
  series->SetDataSource(nullptr);
  return p;
}

TEST(ResampleSeries, SplitsEachIntervalIntoEqualSteps) {
  chart::TLineSeries source(nullptr), dest(nullptr);
  for (auto [x, y] : Points{{0, 0}, {1, 3}, {4, 3}, {5, -3}}) source.AddXY(x, y);
  analysis::ResampleSeries(&dest, &source, 3);
  const Points expected{{0, 0}, {1.0 / 3, 1}, {2.0 / 3, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3},
                        {4 + 1.0 / 3, 1}, {4 + 2.0 / 3, -1}, {5, -3}};
  const Points got = PointsOf(&dest);
  ASSERT_EQ(got.size(), 10u);
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_NEAR(got[i].first, expected[i].first, 1e-12) << i;
    EXPECT_NEAR(got[i].second, expected[i].second, 1e-12) << i;
  }
  chart::TLineSeries empty(nullptr), none(nullptr);
  analysis::ResampleSeries(&none, &empty, 3);
  EXPECT_EQ(none.Count(), 0);
}

TEST_F(PolynomTest, NewFitIsTheFittingFunctionsCurveAndShowsItsCoefficients) {
  workspace::Preferences.ShowBalloonTips = true;
  workspace::TGraph* a = Add(12, "a");
  const fw::Integer undo = form->Operations()->Count();
  TwndPolynomEdit* window = Open(form->AddPolynomAction(), [](TwndPolynomEdit& w) {
    EXPECT_EQ(w.Caption(), "Параметры полинома");
    EXPECT_EQ(int(w.seDegree->Value()), 2);  // the stored default
    EXPECT_FALSE(w.fedX1->Enabled()) << "the sub-range's edits wait for its check";
    w.seDegree->SetValue(3);
  });
  ASSERT_NE(window, nullptr);
  const std::vector<std::string> rows = Ok(*window);
  ASSERT_EQ(Graphs().Count(), 2);
  workspace::TGraph* p = Graphs().Current();
  EXPECT_EQ(p->Kind, workspace::gkPolynomial);
  EXPECT_EQ(p->Source, analysis::PolynomSourceName);
  EXPECT_EQ(p->Series()->Title(), "Полином(3) для a");
  EXPECT_EQ(p->SourceSeries, a->Series());
  EXPECT_EQ(p->PolyDegree, 4);
  EXPECT_EQ(form->Operations()->Count(), undo + 1);
  analysis::TPolyVector coefficients{};
  EXPECT_EQ(PointsOf(p->Series()), FittedBy(a->Series(), 4, &coefficients));
  // K0..K3 and the note, as the information window lists them.
  ASSERT_EQ(rows.size(), 5u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(rows[std::size_t(k)].rfind("K" + std::to_string(k) + " = ", 0), 0u) << rows[std::size_t(k)];
    EXPECT_NEAR(std::stod(rows[std::size_t(k)].substr(5)), double(coefficients[std::size_t(k)]),
                1e-9 * (1 + std::fabs(double(coefficients[std::size_t(k)]))));
  }
  EXPECT_EQ(rows[4], std::string("Примечание = ") + analysis::PolynomNoteText);
  auto* balloon = FindOpenForm<cs::TBalloon>();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(balloon->TitleLabel()->Caption(), "Коэффициенты полинома");
  EXPECT_EQ(FindOpenForm<TwndPolynomEdit>(), nullptr) << "OK closes the window";
  workspace::TPropSaver store("POLYNOM", true);
  EXPECT_EQ(store.ReadInteger("Degree", 0), 3);
  EXPECT_EQ(store.ReadInteger("SplitInterval", 0), 1);
}

TEST_F(PolynomTest, EditedAgainRebuildsInPlaceWithOneUndoEntry) {
  workspace::TGraph* a = Add(12, "a");
  Ok(*Open(form->AddPolynomAction(), [](TwndPolynomEdit& w) { w.seDegree->SetValue(3); }));
  workspace::TGraph* p = Graphs().Current();
  const Points before = PointsOf(p->Series());
  const fw::Integer undo = form->Operations()->Count();
  TwndPolynomEdit* window = Open(form->EditGraphParamsAction(), [](TwndPolynomEdit& w) {
    EXPECT_EQ(int(w.seDegree->Value()), 3) << "the degree as shown, one below the coefficient count";
    w.seDegree->SetValue(1);
    w.seSplitInterval->SetValue(2);
  });
  ASSERT_NE(window, nullptr);
  Ok(*window);
  EXPECT_EQ(Graphs().Count(), 2);
  EXPECT_EQ(p->PolyDegree, 2);
  EXPECT_EQ(p->SplitInterval, 2);
  // The fit over the source densified by 2.
  chart::TLineSeries dense(nullptr);
  analysis::ResampleSeries(&dense, a->Series(), 2);
  EXPECT_EQ(PointsOf(p->Series()), FittedBy(&dense, 2));
  ASSERT_EQ(form->Operations()->Count(), undo + 1);
  form->Operations()->Undo();
  EXPECT_EQ(PointsOf(p->Series()), before);
}

TEST_F(PolynomTest, TooFewPointsKeepTheWindowOpen) {
  struct Case {
    const char* name;
    int points, degree;
    bool part;
  } cases[] = {{"cut to one point", 8, 1, true}, {"fewer points than coefficients", 5, 9, false}};
  for (const Case& c : cases) {
    Add(c.points, c.name);
    TwndPolynomEdit* window = Open(form->AddPolynomAction(), [&](TwndPolynomEdit& w) {
      w.seDegree->SetValue(c.degree);
      w.cbDoPart->SetChecked(c.part);
      w.fedX1->SetValue(1.2);
      w.fedX2->SetValue(1.2);
    });
    ASSERT_NE(window, nullptr);
    const fw::Integer count = Graphs().Count();
    win::ClearMessageBoxHistory();
    wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
    window->butOkClick();
    Pump();
    EXPECT_EQ(LastMessage(), analysis::FuncTooFewPointsMsg) << c.name;
    EXPECT_EQ(Graphs().Count(), count) << c.name;
    EXPECT_EQ(FindOpenForm<TwndPolynomEdit>(), window) << c.name;
    window->Close();
    Pump();
  }
}

TEST_F(PolynomTest, SourceOrRebuiltGraphDeletedWhileOpenIsRefusedAndTheWindowCloses) {
  workspace::TGraph* a = Add(10, "a");
  TwndPolynomEdit* window = Open(form->AddPolynomAction());
  ASSERT_NE(window, nullptr);
  Graphs().DeleteGraph(a);
  win::ClearMessageBoxHistory();
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  window->butOkClick();
  Pump();
  EXPECT_EQ(LastMessage(), analysis::PolynomSourceDeletedMsg);
  EXPECT_EQ(Graphs().Count(), 0);
  EXPECT_EQ(FindOpenForm<TwndPolynomEdit>(), nullptr);
  // The fitted graph itself deleted while its window is open.
  Add(10, "b");
  Ok(*Open(form->AddPolynomAction()));
  workspace::TGraph* p = Graphs().Current();
  window = Open(form->EditGraphParamsAction());
  ASSERT_NE(window, nullptr);
  Graphs().DeleteGraph(p);
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  window->butOkClick();
  Pump();
  EXPECT_EQ(LastMessage(), "График, который нужно перестроить, был удален");
  EXPECT_EQ(Graphs().Count(), 1);
  EXPECT_EQ(FindOpenForm<TwndPolynomEdit>(), nullptr);
  // Deleted through the command, which keeps it for undo: it is gone all the same.
  window = Open(form->AddPolynomAction());
  ASSERT_NE(window, nullptr);
  workspace::Preferences.ConfirmDelete = false;
  form->DeleteAction()->Execute();
  Pump();
  ASSERT_EQ(Graphs().Count(), 0);
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  window->butOkClick();
  Pump();
  EXPECT_EQ(LastMessage(), analysis::PolynomSourceDeletedMsg);
  EXPECT_EQ(Graphs().Count(), 0);
}

TEST_F(PolynomTest, PickItemsSetTheBoundsFromAPressOnTheChart) {
  Add(10, "a");
  TwndPolynomEdit* window = Open(form->AddPolynomAction(), [](TwndPolynomEdit& w) {
    w.cbDoPart->SetChecked(true);
    w.UpdatePartControls();
  });
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->fedX1->Enabled());
  window->butPickPoint1->Click();
  EXPECT_TRUE(window->butPickPoint1->Checked());
  ASSERT_TRUE(bool(workspace::PointPickHandler));
  const fw::Integer x = (form->Chart()->ChartRect().left + form->Chart()->ChartRect().right) / 2;
  workspace::PointPickHandler(x, 100, true);
  EXPECT_DOUBLE_EQ(double(window->fedX1->Value()), form->Chart()->BottomAxis()->CalcPosPoint(x));
  EXPECT_FALSE(window->butPickPoint1->Checked());
  EXPECT_FALSE(bool(workspace::PointPickHandler)) << "one pick, then disarmed";
  // Arming the second and pressing Esc's cancel leaves X2 as it was.
  window->fedX2->SetValue(7);
  window->butPickPoint2->Click();
  workspace::CancelPointPick();
  EXPECT_EQ(double(window->fedX2->Value()), 7.0);
  EXPECT_FALSE(window->butPickPoint2->Checked());
  // Closing the window cancels its armed pick.
  window->butPickPoint2->Click();
  window->Close();
  Pump();
  EXPECT_FALSE(bool(workspace::PointPickHandler));
}

}  // namespace
}  // namespace mainwindowtest
