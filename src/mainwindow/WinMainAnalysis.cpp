// The main window's analysis commands: the graph arithmetic on graphs chosen in the graph-choice
// dialog, and the operation dialogs (normalise, offset, trim, axis limits).

#include <exception>
#include <functional>
#include <string>

#include "analysis/Analisis.h"
#include "analysis/ChartListBox.h"
#include "analysis/FuncGraph.h"
#include "analysis/WinDerivedEdit.h"
#include "analysis/WinFindOp.h"
#include "analysis/WinFindOpGroup.h"
#include "chart/PlotMultiSelectorTool.h"
#include "analysis/WinOperations.h"
#include "analysis/WinPolynom.h"
#include "analysis/WinSelect.h"
#include "analysis/WinTracing.h"
#include "chart/PlotToolsCursor.h"
#include "workspace/DataModuleImages.h"
#include "chart/Chart.h"
#include "framework/ActnList.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "platform/controls/MessageBox.h"
#include "mainwindow/WinMain.h"
#include "workspace/GraphCollection.h"

namespace workspace {

namespace {

using TArithmetic = TGraph* (*)(const analysis::TGraphArray&);

struct TArithmeticCommand {
  const char* Name;
  const char* Caption;
  TArithmetic Work;
};

// Captions as the menu shows them; the dialog's caption is the caption without the dots.
constexpr TArithmeticCommand kArithmetic[] = {
    {"actSumGraphs", "Сумма графиков...", analysis::AddSumGraph},
    {"actSubtractGraphs", "Разница графиков...", analysis::AddSubtractGraph},
    {"actMultiplyGraphs", "Произведение графиков...", analysis::AddMultiplyGraph},
    {"actDivideGraphs", "Частное графиков...", analysis::AddDivideGraph},
    {"actSumRareGraphs", "Сумма графиков с пересчётом по X...", analysis::AddSumRareGraph},
    {"actSubtractRareGraphs", "Разница графиков с пересчётом по X...", analysis::AddSubtractRareGraph},
    {"actMultiplyRareGraphs", "Произведение графиков с пересчётом по X...", analysis::AddMultiplyRareGraph},
    {"actDivideRareGraphs", "Частное графиков с пересчётом по X...", analysis::AddDivideRareGraph}};

// Lines over several graphs: the mean, the upper and lower envelopes, the resampled mean.
constexpr TArithmeticCommand kGroupLines[] = {
    {"actAverageGraphs", "Средняя линия...", analysis::AddAverageGraph},
    {"actEnvelopeHighGraphs", "Верхняя огибающая...", analysis::AddEnvelopeHighGraph},
    {"actEnvelopeLowGraphs", "Нижняя огибающая...", analysis::AddEnvelopeLowGraph},
    {"actAverageRareGraphs", "Средняя линия с пересчётом по X...", analysis::AddAverageRareGraph}};

fw::String DialogCaption(const char* MenuCaption) {
  fw::String caption = MenuCaption;
  while (!caption.empty() && caption.back() == '.') caption.pop_back();
  return caption;
}

}  // namespace

void TwndKorvalinMain::BuildAnalysisActions() {
  // What an action needs to be enabled.
  enum TNeeds { nCurrentGraph, nAnyGraph, nNothing };
  auto make = [this](const char* Name, const char* Caption, std::function<void()> Work, TNeeds Needs) {
    auto* action = new fw::TAction(this);
    action->SetName(Name);
    action->SetCaption(Caption);
    action->SetActionList(FActions);
    action->OnExecute = [Work](fw::TObject*) {
      try {
        Work();
      } catch (const std::exception& e) {
        fw::Application->ShowException(e);
      }
    };
    if (Needs == nCurrentGraph) FCurrentGraphActions.push_back(action);
    if (Needs == nAnyGraph) FAnyGraphActions.push_back(action);
    return action;
  };
  FNormalize = make("actNormalize", "Нормировка...", analysis::NormalizeGraphs, nCurrentGraph);
  FOffset = make("actOffset", "Сместить...", analysis::OffsetGraphs, nCurrentGraph);
  FTrim = make("actTrim", "Обрезка...", analysis::TrimGraphs, nCurrentGraph);
  FLimitsX = make("actLimitsX", "Пределы по X...", [this] { analysis::EditAxisLimits(FChart->BottomAxis()); }, nNothing);
  FLimitsY = make("actLimitsY", "Пределы по Y...", [this] { analysis::EditAxisLimits(FChart->LeftAxis()); }, nNothing);
  FLimitsBoth = make("actLimitsBoth", "Пределы по осям...",
                     [this] { analysis::EditBothAxesLimits(FChart->LeftAxis()); }, nNothing);
  // The find windows act on the current graph.
  const std::pair<analysis::TFindOpKind, TCommandImage> finds[] = {{analysis::fkMax, imgFindMax},
      {analysis::fkMin, imgFindMin}, {analysis::fkDelta, imgFindDelta}, {analysis::fkAverage, imgFindAverage},
      {analysis::fkIntegral, imgFindIntegral}};
  for (const auto& [kind, image] : finds) {
    const analysis::TFindOpKind findKind = kind;
    auto* action = make(("actFind" + std::to_string(int(kind))).c_str(), CommandImageSources[image].Meaning,
                        [this, findKind] { analysis::ShowFindOpWindow(findKind, FGraphs->CurrentIndex()); }, nCurrentGraph);
    action->SetImageIndex(image);
    FFindActions.push_back(action);
  }
  // The group searches: over the graphs selected on the chart when there are several, else over
  // the graphs ticked in the graph choice.
  for (const auto& [kind, image] : finds) {
    const analysis::TFindOpKind findKind = kind;
    auto* action = make(("actFindGroup" + std::to_string(int(kind))).c_str(),
                        (fw::String(CommandImageSources[image].Meaning) + " по группе графиков...").c_str(),
                        [this, findKind] {
                          if (FMultiSelectorTool->SelectedSeries().Count() > 1)
                            analysis::ShowFindOpGroup(findKind, true);
                          else if (analysis::CheckGraphs("Выбор графиков"))
                            analysis::ShowFindOpGroup(findKind, false);
                        },
                        nAnyGraph);
    action->SetImageIndex(image);
    FFindGroupActions.push_back(action);
  }
  // The tracing cursor follows a graph: without one there is nothing to trace.
  FToggleTracing = make("actnToggleTracing", "Трассировка", analysis::ToggleTracing, nAnyGraph);
  FToggleTracing->SetImageIndex(imgTracing);
  // Each works on the graphs chosen in the graph-choice dialog captioned like its menu item.
  auto onChosenGraphs = [&make](const TArithmeticCommand& Command) {
    const fw::String caption = DialogCaption(Command.Caption);
    const TArithmetic work = Command.Work;
    return make(Command.Name, Command.Caption, [caption, work] {
      analysis::TGraphArray operands;
      if (analysis::SelectGraphs(caption, operands)) work(operands);
    }, nAnyGraph);
  };
  for (const TArithmeticCommand& command : kArithmetic) FArithmeticActions.push_back(onChosenGraphs(command));
  for (const TArithmeticCommand& command : kGroupLines) FGroupLineActions.push_back(onChosenGraphs(command));
  // Graphs from formulas and from the current graph; editing asks the dialog of the current
  // graph's kind.
  FAddFuncGraph = make("actAddFuncGraph", "График функции...", [] { analysis::EditFuncGraph(nullptr); }, nNothing);
  FAddParamFuncGraph = make("actAddParamFuncGraph", "Параметрический график...",
                            [] { analysis::EditParamFuncGraph(nullptr); }, nNothing);
  FAddSpline = make("actAddSpline", "Сплайн...", [] { analysis::EditSplineGraph(nullptr); }, nCurrentGraph);
  FAddEnvelope = make("actAddEnvelope", "Огибающая...", [] { analysis::EditEnvelopeGraph(nullptr); }, nCurrentGraph);
  FAddPolynom = make("actAddPolynom", "Полином...", [] { analysis::EditPolynomGraph(nullptr); }, nCurrentGraph);
  FEditGraphParams = make("actEditGraphParams", "Изменить параметры графика...", [this] {
    TGraph* graph = FGraphs->Current();
    switch (graph ? graph->Kind : gkData) {
      case gkExpression: analysis::EditFuncGraph(graph); break;
      case gkParametric: analysis::EditParamFuncGraph(graph); break;
      case gkSpline: analysis::EditSplineGraph(graph); break;
      case gkEnvelope: analysis::EditEnvelopeGraph(graph); break;
      case gkPolynomial: analysis::EditPolynomGraph(graph); break;
      default: fw::AppMessageBox("Текущий график не построен по формуле или по другому графику", win::MB_ICONWARNING);
    }
  }, nCurrentGraph);
}

std::vector<fw::TAction*> TwndKorvalinMain::OperationsMenuActions() const {
  // The arithmetic (by index, then resampled), the find windows, the group searches, the graphs
  // from formulas and derived graphs, the lines over several graphs, the transforms, the axis
  // limits and the tracing window, separated.
  std::vector<fw::TAction*> actions;
  auto group = [&actions](auto First, auto Last) {
    if (!actions.empty()) actions.push_back(nullptr);
    actions.insert(actions.end(), First, Last);
  };
  group(FArithmeticActions.begin(), FArithmeticActions.begin() + 4);
  group(FArithmeticActions.begin() + 4, FArithmeticActions.end());
  group(FFindActions.begin(), FFindActions.end());
  group(FFindGroupActions.begin(), FFindGroupActions.end());
  const std::vector<fw::TAction*> formulas{FAddFuncGraph, FAddParamFuncGraph, FAddSpline, FAddEnvelope,
                                           FAddPolynom, FEditGraphParams};
  group(formulas.begin(), formulas.end());
  group(FGroupLineActions.begin(), FGroupLineActions.end());
  const std::vector<fw::TAction*> transforms{FNormalize, FOffset, FTrim};
  group(transforms.begin(), transforms.end());
  const std::vector<fw::TAction*> limits{FLimitsX, FLimitsY, FLimitsBoth, nullptr, FToggleTracing};
  group(limits.begin(), limits.end());
  return actions;
}

void TwndKorvalinMain::ConnectAnalysisTools() {
  analysis::TracingTool = FTracingTool;
  // Every open find window follows the selected graph.
  auto selected = FGraphs->OnGraphSelected;
  FGraphs->OnGraphSelected = [this, selected](TGraph* Graph) {
    if (selected) selected(Graph);
    if (Graph) analysis::SetFindOpWindowsGraph(FGraphs->IndexOf(Graph));
  };
  FTracingTool->OnChange = [](chart::TCursorTool*, fw::Integer, fw::Integer, double XValue, double YValue,
                              chart::TChartSeries*, fw::Integer) {
    if (analysis::TracingWindow) analysis::TracingWindow->ShowValues(XValue, YValue);
  };
}

void TwndKorvalinMain::BuildGraphList() {
  FGraphList = new analysis::TChartListBox(this);
  FGraphList->SetName("ChartListBox1");
  FGraphList->SetParent(this);
  FGraphList->SetAlign(fw::alLeft);
  FGraphList->SetWidth(200);
  FGraphList->SetAllowAddSeries(false);
  FGraphList->SetAllowDeleteSeries(false);
  FGraphList->SetEnableChangeColor(false);
  FGraphList->SetEnableChangeType(false);
  FGraphList->SetShowSeriesIcon(false);
  FGraphList->SetItemHeight(24);
  FGraphList->SetChart(FChart);
}

void TwndKorvalinMain::ConnectGraphList() {
  FGraphList->OnSetSeriesTitle = [this](chart::TChartSeries* Series, const fw::String& Title) {
    try {
      FGraphs->Rename(FGraphs->BySeries(Series), Title);
    } catch (const std::exception& e) {
      fw::Application->ShowException(e);
    }
  };
  FGraphList->OnExchangeSeries = [this](chart::TChartSeries* Series1, chart::TChartSeries* Series2) {
    TGraph* g1 = FGraphs->BySeries(Series1);
    TGraph* g2 = FGraphs->BySeries(Series2);
    if (!g1 || !g2) {
      // Series of no graph (none are listed in practice): only the drawing order changes.
      FChart->ExchangeSeries(Series1, Series2);
      return;
    }
    FGraphs->Exchange(g1, g2);
  };
  // Switching a graph on or off changes what the chart shows, not the collection: the status
  // line and the actions are refreshed all the same.
  FGraphList->OnChangeActive = [this](fw::TObject*, chart::TChartSeries*) { GraphsChanged(); };
}

void TwndKorvalinMain::DisconnectAnalysisTools() {
  analysis::CloseFindOpWindows();
  while (!analysis::FindOpGroupWindows().empty()) delete analysis::FindOpGroupWindows().back();
  delete analysis::TracingWindow;
  if (analysis::TracingTool == FTracingTool) analysis::TracingTool = nullptr;
}

void TwndKorvalinMain::UpdateAnalysisActions() {
  const bool current = FGraphs && FGraphs->Current();
  const bool any = FGraphs && FGraphs->Count() > 0;
  for (fw::TAction* action : FCurrentGraphActions) action->SetEnabled(current);
  for (fw::TAction* action : FAnyGraphActions) action->SetEnabled(any);
  // Without graphs the find windows go; a window whose graph is gone (undo included) follows the
  // current one, and every caption names the graph the window measures.
  if (!any)
    analysis::CloseFindOpWindows();
  else
    analysis::FollowFindOpGraphs(FGraphs->CurrentIndex());
}

}  // namespace workspace
