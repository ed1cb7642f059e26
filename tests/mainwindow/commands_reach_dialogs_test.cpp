// Every dialog and window of the analysis and format libraries opens from the main window's
// command that names it, and each of those commands is on the menu.

#include <functional>

#include "analysis/FuncGraph.h"
#include "analysis/WinDerivedEdit.h"
#include "analysis/WinFindOp.h"
#include "analysis/WinOperations.h"
#include "analysis/WinPolynom.h"
#include "analysis/WinSelect.h"
#include "analysis/WinTracing.h"
#include "chart/Series.h"
#include "export/forms/WinAxesFormat.h"
#include "export/forms/WinFrameFormat.h"
#include "export/forms/WinLegendFormat.h"
#include "export/forms/WinLineProp.h"
#include "export/forms/WinPrint.h"
#include "export/forms/WinTitle.h"
#include "framework/Menus.h"
#include "mainwindow/dialog_script.h"
#include "mainwindow_fixture.h"

namespace mainwindowtest {
namespace {

struct TReach {
  const char* Command;
  std::function<fw::TAction*(TwndKorvalinMain&)> Action;
  // True when the form that opened is the expected one.
  std::function<bool(fw::TCustomForm*)> Is;
  bool Modal = true;
};

template <class T>
std::function<bool(fw::TCustomForm*)> Is() {
  return [](fw::TCustomForm* Form) { return dynamic_cast<T*>(Form) != nullptr; };
}

class CommandsReachDialogsTest : public MainWindowTest {};

TEST_F(CommandsReachDialogsTest, EachDialogOpensFromItsCommandOnTheMenu) {
  for (const char* title : {"a", "b"}) {
    auto* s = new chart::TLineSeries(nullptr);
    for (int i = 0; i < 10; ++i) s->AddXY(i, i * i);
    Graphs().AddGraph(s, "data.txt", {}, title);
  }
  Graphs().SelectLastAdded();
  using M = TwndKorvalinMain;
  const TReach table[] = {
      {"normalise", [](M& m) { return m.NormalizeAction(); }, Is<analysis::TwndNorm>()},
      {"offset", [](M& m) { return m.OffsetAction(); }, Is<analysis::TwndOffset>()},
      {"trim", [](M& m) { return m.TrimAction(); }, Is<analysis::TwndTrim>()},
      {"limits X", [](M& m) { return m.LimitsXAction(); }, Is<analysis::TwndLimits>()},
      {"difference", [](M& m) { return m.ArithmeticActions()[1]; }, Is<analysis::TwndGraphSelect>()},
      {"resampled sum", [](M& m) { return m.ArithmeticActions()[4]; }, Is<analysis::TwndGraphSelect>()},
      {"mean line", [](M& m) { return m.GroupLineActions()[0]; }, Is<analysis::TwndGraphSelect>()},
      {"upper envelope", [](M& m) { return m.GroupLineActions()[1]; }, Is<analysis::TwndGraphSelect>()},
      {"lower envelope", [](M& m) { return m.GroupLineActions()[2]; }, Is<analysis::TwndGraphSelect>()},
      {"resampled mean", [](M& m) { return m.GroupLineActions()[3]; }, Is<analysis::TwndGraphSelect>()},
      {"group maximum", [](M& m) { return m.FindGroupActions()[0]; }, Is<analysis::TwndGraphSelect>()},
      {"y = f(x)", [](M& m) { return m.AddFuncGraphAction(); }, Is<analysis::TwndFuncGraph>()},
      {"parametric", [](M& m) { return m.AddParamFuncGraphAction(); }, Is<analysis::TwndFuncGraph1>()},
      {"spline", [](M& m) { return m.AddSplineAction(); }, Is<analysis::TwndSplineEdit>()},
      {"envelope", [](M& m) { return m.AddEnvelopeAction(); }, Is<analysis::TwndEnvelopeEdit>()},
      {"title", [](M& m) { return m.TitleFormatAction(); }, Is<kvforms::TwndTitle>()},
      {"legend", [](M& m) { return m.LegendFormatAction(); }, Is<kvforms::TwndLegendFormat>()},
      {"frame", [](M& m) { return m.FrameFormatAction(); }, Is<kvforms::TwndFrameFormat>()},
      {"axis X", [](M& m) { return m.AxisXFormatAction(); }, Is<kvforms::TwndAxisFormat>()},
      {"axis Y", [](M& m) { return m.AxisYFormatAction(); }, Is<kvforms::TwndAxisFormat>()},
      {"line", [](M& m) { return m.LinePropAction(); }, Is<kvforms::TwndLineProp>()},
      {"print", [](M& m) { return m.PrintAction(); }, Is<kvforms::TwndPrint>()},
      {"maximum", [](M& m) { return m.FindActions()[0]; }, Is<analysis::TwndFindOp>(), false},
      {"polynomial", [](M& m) { return m.AddPolynomAction(); }, Is<analysis::TwndPolynomEdit>(), false},
      {"tracing", [](M& m) { return m.ToggleTracingAction(); }, Is<analysis::TwndTracing>(), false},
  };
  for (const TReach& row : table) {
    fw::TAction* action = row.Action(*form);
    ASSERT_NE(action, nullptr) << row.Command;
    EXPECT_NE(form->MenuItemOf(action), nullptr) << row.Command << " is on the menu";
    EXPECT_TRUE(action->Enabled()) << row.Command;
    bool opened = false;
    if (row.Modal) {
      desktop->script([&] {
        fw::TCustomForm* active = fw::Screen->ActiveForm();
        opened = active && row.Is(active);
        if (active && active != form) active->SetModalResult(fw::mrCancel);
      });
      action->Execute();
      Pump();
    } else {
      action->Execute();
      Pump();
      for (fw::Integer i = 0; i < fw::Screen->FormCount(); ++i) {
        fw::TCustomForm* shown = fw::Screen->Forms(i);
        if (row.Is(shown) && shown->Visible()) {
          opened = true;
          shown->Close();
        }
      }
      Pump();
    }
    EXPECT_TRUE(opened) << row.Command;
  }
}

}  // namespace
}  // namespace mainwindowtest
