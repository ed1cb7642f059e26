// The y = f(x), parametric, spline and envelope dialogs through the main window's commands: the
// points compared with the parser's and the chart functions' own values, the stored parameters
// and settings, editing in place, and the messages for bad formulas, parameters and ranges.

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cmath>
#include <functional>

#include "analysis/FuncGraph.h"
#include "analysis/MathPars.h"
#include "analysis/PlotFunci.h"
#include "analysis/PlotSmoothingSpline.h"
#include "analysis/WinDerivedEdit.h"
#include "analysis/WinEnterText.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsLists.h"
#include "controls/FloatEdit.h"
#include "export/forms/WinLineProp.h"
#include "mainwindow/dialog_script.h"
#include "mainwindow_fixture.h"
#include "workspace/SettingsKeeping.h"

namespace mainwindowtest {

namespace {


class FuncGraphTest : public MainWindowTest {
 protected:
  // Runs Action; Answer works the dialog of type D; then OK (or Cancel) is pressed. With
  // StaysOpen the dialog must still be there after OK, and is then cancelled.
  template <class D>
  void Run(fw::TAction* Action, std::function<void(D&)> Answer, bool Ok = true, bool StaysOpen = false) {
    bool seen = false;
    desktop->script([&] {
      auto* dialog = dynamic_cast<D*>(fw::Screen->ActiveForm());
      ASSERT_NE(dialog, nullptr);
      seen = true;
      Answer(*dialog);
      Button(*dialog, Ok ? "butOk" : "butCancel")->Click();
      if (StaysOpen) {
        AppPump();
        EXPECT_EQ(fw::Screen->ActiveForm(), dialog);
        Button(*dialog, "butCancel")->Click();
      }
    });
    Action->Execute();
    Pump();
    EXPECT_TRUE(seen);
  }
  static cs::TCsButton* Button(fw::TForm& Form, const char* Name) {
    return dynamic_cast<cs::TCsButton*>(Form.FindComponent(Name));
  }
  template <class D>
  static void Range(D& d, const char16_t* Start, const char16_t* Stop, const char16_t* Step) {
    d.fedX1->SetText(Start);
    d.fedX2->SetText(Stop);
    d.fedStep->SetText(Step);
  }
  workspace::TGraph* Add(const Points& P, const char* Title) {
    auto* s = new chart::TLineSeries(nullptr);
    for (auto [x, y] : P) s->AddXY(x, y);
    workspace::TGraph* g = Graphs().AddGraph(s, "data.txt", {}, Title);
    Graphs().SelectLastAdded();
    return g;
  }
  std::string LastMessage() {
    return win::MessageBoxHistory().empty() ? std::string()
                                            : win::WideToUtf8(win::MessageBoxHistory().back().text);
  }
};

// The parser's own value of Formula at x with the given variables.
double ParserValue(const std::string& Formula, std::initializer_list<std::pair<const char*, double>> Vars,
                   const char* Name, double X) {
  analysis::TMathParser parser;
  parser.SetExpression(Formula);
  for (auto [n, v] : Vars) parser.SetVariable(n, v);
  parser.SetVariable(Name, X);
  return parser.Evaluate();
}

// What Function computes from Source on a series of its own.
Points FunctionPoints(chart::TChartSeries* Source, chart::TPlotFunction* Function) {
  fw::TComponent owner(nullptr);
  auto* series = new chart::TLineSeries(&owner);
  series->SetFunctionType(Function);
  series->SetDataSource(Source);
  series->CheckDataSource();
  Points p = PointsOf(series);
  series->SetDataSource(nullptr);
  return p;
}

Points SineData(int N) {
  Points p;
  for (int i = 0; i < N; ++i) p.emplace_back(i, std::sin(i * 0.9) * 3 + i % 3);
  return p;
}

}  // namespace

TEST_F(FuncGraphTest, AFormulaWithParametersMakesAKindOneGraphOfTheParsersValues) {
  const fw::Integer undo = form->Operations()->Count();
  Run<analysis::TwndFuncGraph>(form->AddFuncGraphAction(), [](analysis::TwndFuncGraph& d) {
    EXPECT_EQ(d.Caption(), "График функции");
    EXPECT_EQ(d.Memo1->Text(), "sin(x)");  // the default formula
    d.Memo1->SetText("a*sin(x)+b");
    d.ParamGrid->SetText("a=2\r\nb=0" + std::string(1, fw::DecimalSeparator()) + "5");
    Range(d, u"0", u"1", u"0,25");
    if (fw::DecimalSeparator() == '.') d.fedStep->SetText(u"0.25");
  });
  ASSERT_EQ(Graphs().Count(), 1);
  workspace::TGraph* g = Graphs().Current();
  EXPECT_EQ(g->Kind, workspace::gkExpression);
  EXPECT_EQ(g->Source, "a*sin(x)+b");
  EXPECT_EQ(g->Series()->Title(), "a*sin(x)+b");
  EXPECT_EQ(g->LimStart, 0.0);
  EXPECT_EQ(g->LimStop, 1.0);
  EXPECT_EQ(g->LimStep, 0.25);
  EXPECT_EQ(g->AuxParams, "a=2;b=0" + std::string(1, fw::DecimalSeparator()) + "5;");
  const Points p = PointsOf(g->Series());
  ASSERT_EQ(p.size(), 5u);
  for (auto [x, y] : p) EXPECT_EQ(y, ParserValue("a*sin(x)+b", {{"a", 2}, {"b", 0.5}}, "x", x));
  EXPECT_EQ(form->Operations()->Count(), undo + 1);
  // The settings keep the last dialog.
  workspace::TPropSaver store("EXPRESSION_EDIT", true);
  EXPECT_EQ(store.ReadString("Function", ""), "a*sin(x)+b");
  EXPECT_EQ(store.ReadFloat("Step", 0), 0.25);
  // Undo takes the graph away again.
  form->Operations()->Undo();
  EXPECT_EQ(Graphs().Count(), 0);
}

TEST_F(FuncGraphTest, EditingAFormulaGraphRecomputesItInPlace) {
  Run<analysis::TwndFuncGraph>(form->AddFuncGraphAction(), [](analysis::TwndFuncGraph& d) {
    d.Memo1->SetText("x");
    Range(d, u"0", u"2", u"1");
  });
  ASSERT_EQ(Graphs().Count(), 1);
  workspace::TGraph* g = Graphs().Current();
  const fw::Integer undo = form->Operations()->Count();
  Run<analysis::TwndFuncGraph>(form->EditGraphParamsAction(), [](analysis::TwndFuncGraph& d) {
    EXPECT_EQ(d.Memo1->Text(), "x");
    EXPECT_EQ(double(d.fedX2->Value()), 2.0);
    EXPECT_EQ(d.edTitle->Text(), u"x");
    d.Memo1->SetText("x^2");
    d.edTitle->SetText(u"квадрат");
    Range(d, u"-1", u"1", u"1");
  });
  ASSERT_EQ(Graphs().Count(), 1);
  EXPECT_EQ(Graphs().Current(), g);
  EXPECT_EQ(PointsOf(g->Series()), (Points{{-1, 1}, {0, 0}, {1, 1}}));
  EXPECT_EQ(g->Source, "x^2");
  EXPECT_EQ(g->Series()->Title(), "квадрат");
  EXPECT_EQ(g->LimStart, -1.0);
  // Cancel changes nothing.
  Run<analysis::TwndFuncGraph>(form->EditGraphParamsAction(), [](analysis::TwndFuncGraph& d) { d.Memo1->SetText("0"); },
                               false);
  EXPECT_EQ(g->Source, "x^2");
  EXPECT_EQ(PointsOf(g->Series()).size(), 3u);
  // The rebuild is one undo entry that puts back points, formula, range and title.
  ASSERT_EQ(form->Operations()->Count(), undo + 1);
  EXPECT_EQ(form->Operations()->UndoCaption(), "Отменить перестроение графика");
  form->Operations()->Undo();
  EXPECT_EQ(Graphs().Count(), 1);
  EXPECT_EQ(PointsOf(g->Series()), (Points{{0, 0}, {1, 1}, {2, 2}}));
  EXPECT_EQ(g->Source, "x");
  EXPECT_EQ(g->Series()->Title(), "x");
  EXPECT_EQ(g->LimStart, 0.0);
  EXPECT_EQ(g->LimStop, 2.0);
}

TEST_F(FuncGraphTest, BadFormulasParametersAndStepsKeepTheDialogOpenWithTheirMessage) {
  struct Case {
    const char* Formula;
    const char* Params;
    const char16_t* Step;
    std::string Message;
  };
  const Case cases[] = {
      {"sin(x", "", u"1", "Непарная скобка"},
      {"q*x", "", u"1", "Неизвестное имя - q"},
      {"a*x", "a=два", u"1", "Значение параметра \"a\" задано некорректно"},
      {"a*x", "a=", u"1", "Неизвестное имя - a"},  // a row without a value is skipped
      {"x", "2a=1", u"1", "Имя параметра \"2a\" не может встретиться в формуле"},
      {"x", "a b=1", u"1", "Имя параметра \"a b\" не может встретиться в формуле"},
      {"x", "ä=1", u"1", "Имя параметра \"ä\" не может встретиться в формуле"},
      {"x", "Б=1", u"1", "Имя параметра \"Б\" не может встретиться в формуле"},
      {"x", "", u"0", analysis::FuncBadStepMsg},
      {"x", "", u"-1", analysis::FuncBadStepMsg},
      {"x", "", u"0,0000000001", analysis::FuncTooManyPointsMsg},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Formula);
    win::ClearMessageBoxHistory();
    wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
    Run<analysis::TwndFuncGraph>(form->AddFuncGraphAction(), [&](analysis::TwndFuncGraph& d) {
      d.Memo1->SetText(c.Formula);
      d.ParamGrid->SetText(c.Params);
      Range(d, u"0", u"2", u"1");
      std::u16string step = c.Step;
      for (auto& ch : step)
        if (ch == u',') ch = char16_t(fw::DecimalSeparator());
      d.fedStep->SetText(step);
    }, true, true);
    EXPECT_EQ(LastMessage().substr(0, c.Message.size()), c.Message);
    EXPECT_EQ(Graphs().Count(), 0);
  }
  // A reversed range closes the dialog but makes too few points: nothing is added.
  win::ClearMessageBoxHistory();
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  Run<analysis::TwndFuncGraph>(form->AddFuncGraphAction(), [](analysis::TwndFuncGraph& d) {
    d.Memo1->SetText("x");
    Range(d, u"2", u"0", u"1");
  });
  EXPECT_EQ(LastMessage(), analysis::FuncTooFewPointsMsg);
  EXPECT_EQ(Graphs().Count(), 0);
}

TEST_F(FuncGraphTest, ParameterNamesMatchTheFormulaWhateverTheirCase) {
  const struct {
    const char* Formula;
    const char* Params;
    double Factor;  // the graph is Factor * exp(-x/2)
  } cases[] = {
      {"A*exp(-x/2)", "A=3", 3},
      {"a*exp(-x/2)", "A=4", 4},
      {"Amp*exp(-X/2)", "amp=5", 5},
      {"б*exp(-x/2)", "б=6", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Formula);
    win::ClearMessageBoxHistory();
    Run<analysis::TwndFuncGraph>(form->AddFuncGraphAction(), [&](analysis::TwndFuncGraph& d) {
      d.Memo1->SetText(c.Formula);
      d.ParamGrid->SetText(c.Params);
      Range(d, u"0", u"2", u"1");
    });
    EXPECT_EQ(LastMessage(), "");
    ASSERT_EQ(Graphs().Count(), 1);
    const Points p = PointsOf(Graphs().Items(0)->Series());
    ASSERT_EQ(p.size(), 3u);
    for (auto [x, y] : p) EXPECT_DOUBLE_EQ(y, c.Factor * std::exp(-x / 2)) << x;
    Graphs().DeleteGraph(Graphs().Items(0));
  }
}

TEST_F(FuncGraphTest, AParametricGraphKeepsItsPointsInOrderAndEndsAtTheStop) {
  Run<analysis::TwndFuncGraph1>(form->AddParamFuncGraphAction(), [](analysis::TwndFuncGraph1& d) {
    EXPECT_EQ(d.Caption(), "Параметрический график");
    d.Memo1->SetText("cos(t)");
    d.Memo2->SetText("sin(t)");
    Range(d, u"0", u"3", u"2");
  });
  ASSERT_EQ(Graphs().Count(), 1);
  workspace::TGraph* g = Graphs().Current();
  EXPECT_EQ(g->Kind, workspace::gkParametric);
  EXPECT_EQ(g->Source, "cos(t);sin(t)");
  const Points p = PointsOf(g->Series());
  ASSERT_EQ(p.size(), 3u);  // t = 0, 2 and the stop 3
  const double ts[] = {0, 2, 3};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(p[i].first, ParserValue("cos(t)", {}, "t", ts[i]));
    EXPECT_EQ(p[i].second, ParserValue("sin(t)", {}, "t", ts[i]));
  }
  // Edited again through the same command: in place, the dialog showing both formulas.
  Run<analysis::TwndFuncGraph1>(form->EditGraphParamsAction(), [](analysis::TwndFuncGraph1& d) {
    EXPECT_EQ(d.Memo1->Text(), "cos(t)");
    EXPECT_EQ(d.Memo2->Text(), "sin(t)");
    EXPECT_EQ((std::vector<double>{double(d.fedX1->Value()), double(d.fedX2->Value()), double(d.fedStep->Value())}),
              (std::vector<double>{0, 3, 2}));
    d.Memo1->SetText("-t");
    Range(d, u"0", u"2", u"1");
  });
  ASSERT_EQ(Graphs().Count(), 1);
  EXPECT_EQ(g->Source, "-t;sin(t)");
  ASSERT_EQ(g->Series()->Count(), 3);
  EXPECT_EQ(PointsOf(g->Series())[2].first, -2.0);  // descending x kept in the order made
  workspace::TPropSaver store("EXPRESSION1_EDIT", true);
  EXPECT_EQ(store.ReadString("FunctionX", ""), "-t");
  // Undone: the former curve in its own order.
  form->Operations()->Undo();
  EXPECT_EQ(PointsOf(g->Series()), p);
  EXPECT_EQ(g->Source, "cos(t);sin(t)");
}

TEST_F(FuncGraphTest, ParametricErrorsKeepTheDialogOpenAndMakeNoPartialGraph) {
  win::ClearMessageBoxHistory();
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  Run<analysis::TwndFuncGraph1>(form->AddParamFuncGraphAction(), [](analysis::TwndFuncGraph1& d) {
    d.Memo1->SetText("t");
    d.Memo2->SetText("1/(t-1)");  // fails at t = 1, after t = 0
    Range(d, u"0", u"3", u"1");
  }, true, true);
  EXPECT_FALSE(LastMessage().empty());
  EXPECT_EQ(Graphs().Count(), 0);
  // A range with a single point (start beyond stop).
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  Run<analysis::TwndFuncGraph1>(form->AddParamFuncGraphAction(), [](analysis::TwndFuncGraph1& d) {
    Range(d, u"3", u"0", u"1");
  });
  EXPECT_EQ(LastMessage(), analysis::FuncTooFewPointsMsg);
  EXPECT_EQ(Graphs().Count(), 0);
}

TEST_F(FuncGraphTest, TheFormulaEditedInItsOwnWindowComesBackOnOkOnly) {
  Run<analysis::TwndFuncGraph>(form->AddFuncGraphAction(), [&](analysis::TwndFuncGraph& d) {
    d.Memo1->SetText("x");
    Range(d, u"0", u"1", u"1");
    auto edit = [&](const char* Typed, bool Ok) {
      desktop->script([&] {
        auto* e = dynamic_cast<analysis::TwndEnterText*>(fw::Screen->ActiveForm());
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->Caption(), "Функция");
        EXPECT_EQ(e->Memo1->Text(), d.Memo1->Text());
        e->Memo1->SetText(Typed);
        Button(*e, Ok ? "butOk" : "butCancel")->Click();
      });
      d.butWindow->Click();
      AppPump();
    };
    edit("2*x", false);
    EXPECT_EQ(d.Memo1->Text(), "x");
    edit("2*\r\nx", true);
    EXPECT_EQ(d.Memo1->Text(), "2*\r\nx");
  });
  ASSERT_EQ(Graphs().Count(), 1);
  EXPECT_EQ(Graphs().Current()->Source, "2*x");  // line breaks dropped before parsing
  EXPECT_EQ(PointsOf(Graphs().Current()->Series()), (Points{{0, 0}, {1, 2}}));
}

TEST_F(FuncGraphTest, ParameterTextRoundTripsBetweenLinesAndPairs) {
  EXPECT_EQ(analysis::LinesToParams("a=1\r\nb=2"), "a=1;b=2;");
  EXPECT_EQ(analysis::ParamsToLines("a=1;b=2;"), "a=1\r\nb=2\r\n");
  EXPECT_EQ(analysis::LinesToParams(analysis::ParamsToLines("a=1;b=2;")), "a=1;b=2;");
  const auto rows = analysis::SplitParamLines("a=1\nnoval\n=3");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], (std::pair<std::string, std::string>{"noval", ""}));
  EXPECT_EQ(rows[2].first, "");
  EXPECT_EQ(analysis::WithoutLineBreaks("si\r\nn(x)"), "sin(x)");
}

TEST_F(FuncGraphTest, ASplineOfTheCurrentGraphEqualsTheSmoothingFunctionAndRebuildsInPlace) {
  auto* a = Add(SineData(10), "a");
  const fw::Integer undo = form->Operations()->Count();
  Run<analysis::TwndSplineEdit>(form->AddSplineAction(), [](analysis::TwndSplineEdit& d) {
    EXPECT_EQ(d.Caption(), "Параметры сплайна");
    EXPECT_FALSE(d.cbInterpolate->Checked());  // a new spline: no interpolation, factor 2
    EXPECT_EQ(int(d.seFactor->Value()), 2);
    d.cbInterpolate->SetChecked(true);
    d.seFactor->SetValue(3);
  });
  ASSERT_EQ(Graphs().Count(), 2);
  workspace::TGraph* s = Graphs().Current();
  EXPECT_EQ(s->Kind, workspace::gkSpline);
  EXPECT_EQ(s->Source, analysis::SplineSourceName);
  EXPECT_EQ(s->Series()->Title(), "Сплайн для a");
  EXPECT_EQ(s->SourceSeries, a->Series());
  EXPECT_TRUE(s->Interpolate);
  EXPECT_EQ(s->Factor, 3);
  EXPECT_EQ(form->Operations()->Count(), undo + 1);
  fw::TComponent owner(nullptr);
  auto* fn = new analysis::TSmoothingFunction(&owner);
  fn->SetInterpolate(true);
  fn->SetFactor(3);
  const Points expected = FunctionPoints(a->Series(), fn);
  EXPECT_EQ(expected.size(), 31u);
  EXPECT_EQ(PointsOf(s->Series()), expected);
  // Edited again: the dialog shows the graph's values, the same graph takes the new points.
  Run<analysis::TwndSplineEdit>(form->EditGraphParamsAction(), [](analysis::TwndSplineEdit& d) {
    EXPECT_TRUE(d.cbInterpolate->Checked());
    EXPECT_EQ(int(d.seFactor->Value()), 3);
    d.cbInterpolate->SetChecked(false);
    d.seFactor->SetValue(1);
  });
  ASSERT_EQ(Graphs().Count(), 2);
  EXPECT_EQ(Graphs().Current(), s);
  EXPECT_EQ(s->Series()->Count(), 11);
  EXPECT_FALSE(s->Interpolate);
  EXPECT_EQ(s->Factor, 1);
  ASSERT_EQ(form->Operations()->Count(), undo + 2);
  form->Operations()->Undo();
  EXPECT_EQ(PointsOf(s->Series()), expected);
  EXPECT_TRUE(s->Interpolate);
  EXPECT_EQ(s->Factor, 3);
}

TEST_F(FuncGraphTest, AnEnvelopeTakesTheHighestOrLowestOfEachPeriodAndKeepsItsSettings) {
  auto* a = Add(SineData(20), "a");
  Run<analysis::TwndEnvelopeEdit>(form->AddEnvelopeAction(), [](analysis::TwndEnvelopeEdit& d) {
    EXPECT_EQ(d.Caption(), "Параметры огибающей");
    EXPECT_TRUE(d.rbHigh->Checked());
    EXPECT_TRUE(d.rbPeriodPoint->Checked());
    d.sePeriodPoint->SetValue(5);
  });
  ASSERT_EQ(Graphs().Count(), 2);
  workspace::TGraph* e = Graphs().Current();
  EXPECT_EQ(e->Kind, workspace::gkEnvelope);
  EXPECT_EQ(e->Series()->Title(), "Огибающая для a");
  fw::TComponent owner(nullptr);
  auto* high = new analysis::THighPlotFunction(&owner);
  high->SetPeriodStyle(chart::psNumPoints);
  high->SetPeriod(5);
  high->SetPeriodAlign(chart::paCenter);
  const Points expected = FunctionPoints(a->Series(), high);
  ASSERT_EQ(expected.size(), 4u);
  EXPECT_EQ(PointsOf(e->Series()), expected);
  // The highest of the first five points, at their centre.
  const Points data = SineData(20);
  double top = data[0].second;
  for (int i = 1; i < 5; ++i) top = std::max(top, data[std::size_t(i)].second);
  EXPECT_EQ(expected[0], (std::pair<double, double>{2.0, top}));
  {
    workspace::TPropSaver store("ENVELOPE", true);
    EXPECT_EQ(store.ReadInteger("Factor", 0), 5);
    EXPECT_FALSE(store.ReadBool("Low", true));
  }
  // Rebuilt from below along X steps of 10: two periods.
  Run<analysis::TwndEnvelopeEdit>(form->EditGraphParamsAction(), [](analysis::TwndEnvelopeEdit& d) {
    EXPECT_EQ(int(d.sePeriodPoint->Value()), 5);
    d.rbLow->SetChecked(true);
    d.rbPeriodStep->SetChecked(true);
    d.fedPeriodStep->SetText(u"10");
  });
  EXPECT_EQ(Graphs().Count(), 2);
  EXPECT_TRUE(e->Low);
  EXPECT_TRUE(e->UseStep);
  EXPECT_EQ(e->Step, 10.0);
  auto* low = new analysis::TLowPlotFunction(&owner);
  low->SetPeriodStyle(chart::psRange);
  low->SetPeriod(10);
  low->SetPeriodAlign(chart::paCenter);
  EXPECT_EQ(PointsOf(e->Series()), FunctionPoints(a->Series(), low));
}

TEST_F(FuncGraphTest, DerivedGraphsRefuseTooFewPointsAndAGoneSource) {
  Add({{1, 1}}, "one");
  win::ClearMessageBoxHistory();
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  Run<analysis::TwndSplineEdit>(form->AddSplineAction(), [](analysis::TwndSplineEdit&) {});
  EXPECT_EQ(LastMessage(), analysis::FuncTooFewPointsMsg);
  EXPECT_EQ(Graphs().Count(), 1);
  // An envelope step of zero is refused.
  auto* a = Add(SineData(6), "a");
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  Run<analysis::TwndEnvelopeEdit>(form->AddEnvelopeAction(), [](analysis::TwndEnvelopeEdit& d) {
    d.rbPeriodStep->SetChecked(true);
    d.fedPeriodStep->SetText(u"0");
  });
  EXPECT_EQ(LastMessage(), analysis::FuncBadStepMsg);
  EXPECT_EQ(Graphs().Count(), 2);
  // A spline whose source is deleted turns into plain data: editing it again is refused.
  Run<analysis::TwndSplineEdit>(form->AddSplineAction(), [](analysis::TwndSplineEdit&) {});
  ASSERT_EQ(Graphs().Count(), 3);
  workspace::TGraph* s = Graphs().Current();
  Graphs().DeleteGraph(a);
  EXPECT_EQ(s->Kind, workspace::gkData);
  Graphs().Select(Graphs().IndexOf(s));
  win::ClearMessageBoxHistory();
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  form->EditGraphParamsAction()->Execute();
  Pump();
  EXPECT_FALSE(LastMessage().empty());
  EXPECT_EQ(s->Series()->Count(), 13);
}

// Settings that cannot be written never cost the user a graph: the graph is made each time, and
// the user is told once, in Russian, that the settings are not kept; the file stays as it was.
TEST_F(FuncGraphTest, AGraphIsMadeWhenTheSettingsCannotBeWritten) {
  const std::string settings = workspace::TPropSaver::SettingsFileName();
  const std::string held = "[PREFERENCES]\r\nPad=" + std::string(100000, 'x') + "\r\n";
  std::ofstream(settings, std::ios::binary) << held;
  // Files may grow no further than 64 KiB: the settings file reads but cannot be written again,
  // whoever runs the test.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64 << 10;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  win::ClearMessageBoxHistory();
  for (int i = 0; i < 3; ++i) wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  for (int i = 0; i < 2; ++i)
    Run<analysis::TwndFuncGraph>(form->AddFuncGraphAction(), [](analysis::TwndFuncGraph& d) { Range(d, u"0", u"1", u"1"); });
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  wd::ClearScriptedAnswers();
  EXPECT_EQ(Graphs().Count(), 2);
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  EXPECT_EQ(LastMessage().rfind("Настройки программы не сохраняются", 0), 0u) << LastMessage();
  EXPECT_NE(LastMessage().find(settings), std::string::npos) << LastMessage();
  std::ifstream in(settings, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), held);
}

// A settings file that could not be read at start is read by no dialog later, even once it
// could be; the dialogs open and do their work, nothing more is said, and the file is left alone.
TEST_F(FuncGraphTest, NoDialogReadsASettingsFileFoundUnreadableAtStart) {
  delete form;
  form = nullptr;
  const std::string settings = workspace::TPropSaver::SettingsFileName();
  std::filesystem::remove(settings);
  ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
  win::ClearMessageBoxHistory();
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  form = fw::Application->CreateForm<TwndKorvalinMain>();
  form->Show();
  Pump();
  ASSERT_EQ(win::MessageBoxHistory().size(), 1u);
  std::filesystem::remove(settings);
  const std::string written = "[EXPRESSION_EDIT]\r\nFunction=cos(x)\r\n";
  std::ofstream(settings, std::ios::binary) << written;
  wd::PushScriptedAnswer("MessageBox", {win::IDOK, {}, 0});
  Run<analysis::TwndFuncGraph>(form->AddFuncGraphAction(), [](analysis::TwndFuncGraph& d) {
    EXPECT_EQ(d.Memo1->Text(), "sin(x)") << "the defaults, not the file";
    Range(d, u"0", u"1", u"1");
  });
  EXPECT_EQ(Graphs().Count(), 1);
  AnswerDialog<kvforms::TwndLineProp>(*desktop, fw::mrOk);
  form->LinePropAction()->Execute();
  Pump();
  workspace::Preferences.ConfirmClose = false;
  form->Close();
  delete form;
  form = nullptr;
  EXPECT_EQ(win::MessageBoxHistory().size(), 1u) << LastMessage();
  EXPECT_EQ(wd::PendingScriptedAnswers(), 1u);
  wd::ClearScriptedAnswers();
  std::ifstream in(settings, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), written);
}

}  // namespace mainwindowtest
