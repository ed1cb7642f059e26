#include "analysis/WinPolynom.h"

#include <exception>
#include <memory>

#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "framework/Dialogs.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "workspace/Common.h"
#include "workspace/FileErrors.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"
#include "workspace/Operations.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace analysis {

TwndPolynomEdit* PolynomPickWindow = nullptr;

namespace {

constexpr const char* kGraphDeletedMsg = "График, который нужно перестроить, был удален";
constexpr const char16_t* kPickHint = u"Указать точку на графике";

using TPickProc = void (*)(fw::Integer, fw::Integer, bool);

bool PolynomPickArmed() {
  const TPickProc* proc = workspace::PointPickHandler.target<TPickProc>();
  return proc && (*proc == PickPolynomX1 || *proc == PickPolynomX2);
}

void Pick(fw::Integer X, bool Accept, bool First) {
  TwndPolynomEdit* window = PolynomPickWindow;
  chart::TChart* chart = chart::MainChart;
  if (Accept && window && chart && chart->SeriesCount() > 0) {
    // The X on the first series' horizontal axis under the press.
    chart::TChartAxis* axis = chart->Series(0)->HorizAxis();
    if (!axis) axis = chart->BottomAxis();
    (First ? window->fedX1 : window->fedX2)->SetValue(axis->CalcPosPoint(X));
  }
  workspace::PointPickHandler = nullptr;
  if (window) (First ? window->butPickPoint1 : window->butPickPoint2)->SetChecked(false);
}

}  // namespace

void PickPolynomX1(fw::Integer X, fw::Integer, bool Accept) { Pick(X, Accept, true); }
void PickPolynomX2(fw::Integer X, fw::Integer, bool Accept) { Pick(X, Accept, false); }

void CancelPolynomPick() {
  if (PolynomPickArmed()) workspace::CancelPointPick();
}

TwndPolynomEdit::TwndPolynomEdit(fw::TComponent* AOwner, workspace::TGraph* Graph, chart::TChartSeries* Source)
    : fw::TForm(AOwner), FGraph(Graph), FSource(Source), FRebuild(Graph != nullptr) {
  SetUpDialog(this, "wndPolynomEdit", "Параметры полинома", 170, 142);
  SetFormStyle(fw::fsStayOnTop);
  auto* group = MakeGroup(this, u"Параметры", {4, 4, 162, 48});
  MakeLabel(group, u"Степень полинома", {8, 14, 84, 10});
  seDegree = MakeSpin(group, "seDegree", 1, PolynomMaxDegree, {100, 12, 54, 12});
  MakeLabel(group, u"Разбивать интервал", {8, 32, 84, 10});
  seSplitInterval = MakeSpin(group, "seSplitInterval", 1, PolynomMaxSplit, {100, 30, 54, 12});
  // The check box stands where the group's caption begins (8 pixels in), over its leading
  // blanks, and is no wider than its box: the five blanks of the caption are wider than that in
  // every dialog font, so the caption's text shows whole after it.
  auto* part = MakeGroup(this, u"     Кусок", {4, 56, 162, 62});
  cbDoPart = MakeCheck(this, "cbDoPart", u"", {10, 56, 10, 10});
  cbDoPart->SetAutoSize(false);
  cbDoPart->SetBounds(part->Left() + 7, part->Top(), 14, cbDoPart->Height());
  cbDoPart->OnClick = [this](fw::TObject*) { UpdatePartControls(); };
  MakeLabel(part, u"X_min", {8, 16, 30, 10});
  fedX1 = MakeFloatEdit(part, "fedX1", {40, 14, 70, 12});
  butPickPoint1 = MakeButton(part, "butPickPoint1", u"+", fw::mrNone, {114, 14, 20, 12});
  MakeLabel(part, u"X_max", {8, 38, 30, 10});
  fedX2 = MakeFloatEdit(part, "fedX2", {40, 36, 70, 12});
  butPickPoint2 = MakeButton(part, "butPickPoint2", u"+", fw::mrNone, {114, 36, 20, 12});
  for (cs::TCsButton* pick : {butPickPoint1, butPickPoint2}) {
    pick->SetHint(kPickHint);
    pick->SetShowHint(true);
    pick->SetTabStop(false);
  }
  butPickPoint1->OnClick = [this](fw::TObject*) { TogglePick(true); };
  butPickPoint2->OnClick = [this](fw::TObject*) { TogglePick(false); };
  auto* ok = MakeButton(this, "butOk", u"OK", fw::mrNone, {58, 124, 52, 14});
  ok->SetDefault(true);
  ok->OnClick = [this](fw::TObject*) { butOkClick(); };
  auto* cancel = MakeButton(this, "butCancel", u"Отмена", fw::mrNone, {114, 124, 52, 14});
  cancel->SetCancel(true);
  cancel->OnClick = [this](fw::TObject*) { Close(); };
  // Both series may go while the window is open: the window is told and forgets them.
  if (FSource) FSource->FreeNotification(this);
  if (FGraph) {
    FGraphSeries = FGraph->Series();
    FGraphSeries->FreeNotification(this);
  }
  OnClose = [this](fw::TObject*, fw::TCloseAction& Action) {
    if (PolynomPickWindow == this) CancelPolynomPick();
    Action = fw::caFree;
  };
}

TwndPolynomEdit::~TwndPolynomEdit() {
  if (PolynomPickWindow == this) {
    CancelPolynomPick();
    PolynomPickWindow = nullptr;
  }
  if (FSource) FSource->RemoveFreeNotification(this);
  if (FGraphSeries) FGraphSeries->RemoveFreeNotification(this);
}

void TwndPolynomEdit::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TForm::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (AComponent == FSource) FSource = nullptr;
  if (AComponent == FGraphSeries) {
    FGraphSeries = nullptr;
    FGraph = nullptr;
  }
}

void TwndPolynomEdit::ShowParams(const TPolynomParams& Params) {
  seDegree->SetValue(Params.Degree);
  seSplitInterval->SetValue(Params.SplitInterval);
  cbDoPart->SetChecked(Params.DoPart);
  fedX1->SetValue(Params.X1);
  fedX2->SetValue(Params.X2);
  UpdatePartControls();
}

TPolynomParams TwndPolynomEdit::Params() const {
  TPolynomParams p;
  p.Degree = int(seDegree->Value());
  p.SplitInterval = int(seSplitInterval->Value());
  p.DoPart = cbDoPart->Checked();
  p.X1 = double(fedX1->Value());
  p.X2 = double(fedX2->Value());
  return p;
}

void TwndPolynomEdit::UpdatePartControls() {
  const bool on = cbDoPart->Checked();
  for (fw::TControl* control : std::initializer_list<fw::TControl*>{fedX1, fedX2, butPickPoint1, butPickPoint2})
    control->SetEnabled(on);
}

void TwndPolynomEdit::TogglePick(bool First) {
  cs::TCsButton* item = First ? butPickPoint1 : butPickPoint2;
  if (item->Checked()) {
    CancelPolynomPick();
    item->SetChecked(false);
    return;
  }
  // One pick at a time across every window.
  workspace::CancelPointPick();
  workspace::PointPickHandler = First ? PickPolynomX1 : PickPolynomX2;
  PolynomPickWindow = this;
  item->SetChecked(true);
}

void TwndPolynomEdit::butOkClick() {
  // A graph deleted with undo keeps its series off the chart; one deleted for good frees it.
  auto& graphs = *workspace::GraphCollection;
  if (FSource && (!chart::MainChart || chart::MainChart->SeriesList().IndexOf(FSource) < 0)) FSource = nullptr;
  if (FGraph && graphs.IndexOf(FGraph) < 0) FGraph = nullptr;
  if (!FSource || (FRebuild && !FGraph)) {
    // Made for a graph that has gone since: there is nothing left to fit or to rebuild.
    fw::AppMessageBox(FSource ? kGraphDeletedMsg : PolynomSourceDeletedMsg, win::MB_ICONERROR);
    Close();
    return;
  }
  const TPolynomParams params = Params();
  {
    // The values not kept for next time are no reason to refuse the fit.
    workspace::TPropSaver store("POLYNOM", true);
    params.Save(store);
    workspace::KeepSettings(store);
  }
  TPolynomFit fit;
  try {
    fit = PolynomPoints(FSource, params);
  } catch (const std::exception& e) {
    // The window stays open for other values.
    fw::AppMessageBox(e.what(), win::MB_ICONERROR);
    return;
  }
  const int terms = params.Degree + 1;
  if (FGraph) {
    if (auto* undo = graphs.Operations()) undo->AddRebuild(*FGraph);
    FGraph->Series()->AdoptPoints(std::move(fit.Points.X), std::move(fit.Points.Y));
    FGraph->PolyDegree = terms;
    FGraph->SplitInterval = params.SplitInterval;
    FGraph->DoPart = params.DoPart;
    FGraph->X1 = params.X1;
    FGraph->X2 = params.X2;
    graphs.Changed();
  } else {
    auto series = std::make_unique<chart::TLineSeries>(nullptr);
    series->AdoptPoints(std::move(fit.Points.X), std::move(fit.Points.Y));
    graphs.AddGraph(series.get(), PolynomSourceName,
                    {std::int64_t(workspace::gkPolynomial), FSource, std::int64_t(terms),
                     std::int64_t(params.SplitInterval), params.DoPart, params.X1, params.X2},
                    fw::Format("Полином(%d) для %s", params.Degree, FSource->Title().c_str()));
    series.release();
    graphs.SelectLastAdded();
  }
  // The coefficients, for reading only: the store is never written to a file.
  auto info = workspace::TPropSaver::FromStrings(nullptr, "POLYNOM");
  for (int k = 0; k < terms; ++k) info->WriteFloat("K" + std::to_string(k), fit.Coefficients[std::size_t(k)]);
  info->WriteString("Примечание", PolynomNoteText);
  Close();
  workspace::ShowInfoWindow(*info);
  workspace::ShowBalloonHint("Коэффициенты полинома", PolynomNoteText, 0);
}

TwndPolynomEdit* EditPolynomGraph(workspace::TGraph* Graph) {
  if (!workspace::GraphCollection) return nullptr;
  chart::TChartSeries* source = nullptr;
  if (Graph) {
    source = Graph->SourceSeries;
    if (!source) throw win::Exception(PolynomSourceDeletedMsg);
  } else if (workspace::TGraph* current = workspace::GraphCollection->Current()) {
    source = current->Series();
  }
  if (!source) return nullptr;
  auto* window = new TwndPolynomEdit(fw::Application, Graph, source);
  TPolynomParams params;
  if (Graph) {
    params.Degree = int(Graph->PolyDegree) - 1;
    params.SplitInterval = int(Graph->SplitInterval);
    params.DoPart = Graph->DoPart;
    params.X1 = Graph->X1;
    params.X2 = Graph->X2;
  } else {
    params.Load(workspace::TPropSaver("POLYNOM", true));
  }
  window->ShowParams(params);
  window->Show();
  return window;
}

}  // namespace analysis
