#include "analysis/WinDerivedEdit.h"

#include <algorithm>
#include <memory>

#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsLayout.h"
#include "controls/CsPanels.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "framework/Dialogs.h"
#include "platform/controls/MessageBox.h"
#include "platform/kernel/Exceptions.h"
#include "workspace/FileErrors.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"
#include "workspace/Operations.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace analysis {

namespace {

// The graph whose series a new derived graph is computed from.
workspace::TGraph* SourceGraph() { return workspace::GraphCollection ? workspace::GraphCollection->Current() : nullptr; }

// Gives the points to Graph in place, or adds them as a new graph of Source.
workspace::TGraph* Apply(workspace::TGraph* Graph, TFuncPoints& Points, const char* SourceName,
                         const workspace::TGraphParams& Params, const fw::String& Title) {
  auto& graphs = *workspace::GraphCollection;
  if (Graph) {
    if (auto* undo = graphs.Operations()) undo->AddRebuild(*Graph);
    Graph->Series()->AdoptPoints(std::move(Points.X), std::move(Points.Y));
    graphs.Changed();
    return Graph;
  }
  auto series = std::make_unique<chart::TLineSeries>(nullptr);
  series->AdoptPoints(std::move(Points.X), std::move(Points.Y));
  workspace::TGraph* made = graphs.AddGraph(series.get(), SourceName, Params, Title);
  series.release();
  graphs.SelectLastAdded();
  return made;
}

// The series a graph is computed from: the remembered source when rebuilding, else the
// current graph's. Raises when there is none any more.
chart::TChartSeries* SourceOf(workspace::TGraph* Graph) {
  if (Graph) {
    if (!Graph->SourceSeries) throw win::Exception("График, по которому построен этот график, был удален");
    return Graph->SourceSeries;
  }
  workspace::TGraph* current = SourceGraph();
  return current ? current->Series() : nullptr;
}

}  // namespace

TwndSplineEdit::TwndSplineEdit(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndSplineEdit", "Параметры сплайна", 160, 76);
  auto* group = MakeGroup(this, u"Параметры", {4, 4, 152, 48});
  cbInterpolate = MakeCheck(group, "cbInterpolate", u"Интерполировать", {8, 12, 136, 10});
  auto* factor = MakeLabel(group, u"Сглаживающий фактор", {8, 30, 84, 10});
  seFactor = MakeSpin(group, "seFactor", 1, 1000, {96, 28, 48, 12});
  seFactor->SetLeft(std::max(seFactor->Left(), cs::RightOf(factor) + TDialogLayout::X(2)));
  MakeOkCancel(this, 160, 76);
  WidenForGroup(this, group);
}

void TwndSplineEdit::ShowParams(const TSplineParams& Params) {
  cbInterpolate->SetChecked(Params.Interpolate);
  seFactor->SetValue(Params.Factor);
}

TSplineParams TwndSplineEdit::Params() const {
  TSplineParams p;
  p.Interpolate = cbInterpolate->Checked();
  p.Factor = int(seFactor->Value());
  return p;
}

TwndEnvelopeEdit::TwndEnvelopeEdit(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndEnvelopeEdit", "Параметры огибающей", 180, 118);
  auto* group = MakeGroup(this, u"Параметры", {4, 4, 172, 48});
  rbPeriodPoint = MakeRadio(group, "rbPeriodPoint", u"Брать одну точку из", {8, 14, 96, 10});
  sePeriodPoint = MakeSpin(group, "sePeriodPoint", 1, 1000000, {108, 12, 56, 12});
  rbPeriodStep = MakeRadio(group, "rbPeriodStep", u"Строить с шагом", {8, 32, 96, 10});
  fedPeriodStep = MakeFloatEdit(group, "fedPeriodStep", {108, 30, 56, 12});
  auto* how = MakeGroup(this, u"Как огибать", {4, 54, 172, 40});
  rbHigh = MakeRadio(how, "rbHigh", u"Огибать сверху", {8, 12, 96, 10});
  rbLow = MakeRadio(how, "rbLow", u"Огибать снизу", {8, 24, 96, 10});
  MakeOkCancel(this, 180, 118);
}

void TwndEnvelopeEdit::ShowParams(const TEnvelopeParams& Params) {
  (Params.Low ? rbLow : rbHigh)->SetChecked(true);
  (Params.UseStep ? rbPeriodStep : rbPeriodPoint)->SetChecked(true);
  sePeriodPoint->SetValue(Params.Factor);
  fedPeriodStep->SetValue(Params.Step);
}

TEnvelopeParams TwndEnvelopeEdit::Params() const {
  TEnvelopeParams p;
  p.Low = rbLow->Checked();
  p.UseStep = rbPeriodStep->Checked();
  p.Factor = int(sePeriodPoint->Value());
  p.Step = double(fedPeriodStep->Value());
  return p;
}

void EditSplineGraph(workspace::TGraph* Graph) {
  chart::TChartSeries* source = SourceOf(Graph);
  if (!source) return;
  auto window = std::make_unique<TwndSplineEdit>(fw::Application);
  TSplineParams params;
  if (Graph) {
    params.Interpolate = Graph->Interpolate;
    params.Factor = Graph->Factor;
  }
  window->ShowParams(params);
  if (window->ShowModal() != fw::mrOk) return;
  params = window->Params();
  // The spline needs two points to pass through.
  if (source->Count() < 2) {
    fw::AppMessageBox(FuncTooFewPointsMsg, win::MB_ICONERROR);
    return;
  }
  TFuncPoints points = SplinePoints(source, params);
  Apply(Graph, points, SplineSourceName,
        {std::int64_t(workspace::gkSpline), source, params.Interpolate, std::int64_t(params.Factor)},
        "Сплайн для " + source->Title());
  if (Graph) {
    Graph->Interpolate = params.Interpolate;
    Graph->Factor = params.Factor;
  }
}

void EditEnvelopeGraph(workspace::TGraph* Graph) {
  chart::TChartSeries* source = SourceOf(Graph);
  if (!source) return;
  auto window = std::make_unique<TwndEnvelopeEdit>(fw::Application);
  workspace::TPropSaver store("ENVELOPE", true);
  TEnvelopeParams params;
  if (Graph) {
    params.Low = Graph->Low;
    params.UseStep = Graph->UseStep;
    params.Factor = Graph->Factor;
    params.Step = Graph->Step;
  } else {
    params.Load(store);
  }
  window->ShowParams(params);
  if (window->ShowModal() != fw::mrOk) return;
  params = window->Params();
  params.Save(store);
  workspace::KeepSettings(store);
  TFuncPoints points;
  try {
    points = EnvelopePoints(source, params);
  } catch (const std::exception& e) {
    fw::AppMessageBox(e.what(), win::MB_ICONERROR);
    return;
  }
  if (points.X.empty()) {
    fw::AppMessageBox(FuncTooFewPointsMsg, win::MB_ICONERROR);
    return;
  }
  Apply(Graph, points, EnvelopeSourceName,
        {std::int64_t(workspace::gkEnvelope), source, params.Low, params.UseStep, std::int64_t(params.Factor),
         params.Step},
        "Огибающая для " + source->Title());
  if (Graph) {
    Graph->Low = params.Low;
    Graph->UseStep = params.UseStep;
    Graph->Factor = params.Factor;
    Graph->Step = params.Step;
  }
}

}  // namespace analysis
