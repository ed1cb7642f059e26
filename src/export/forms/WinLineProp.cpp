#include "export/forms/WinLineProp.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "chart/Series.h"
#include "chart/SeriesPointer.h"
#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/CsPenButton.h"
#include "controls/NumericSpinEdit.h"
#include "export/forms/DialogControls.h"
#include "export/forms/TargetWatch.h"
#include "workspace/Common.h"
#include "workspace/GraphCollection.h"
#include "workspace/GraphText.h"
#include "workspace/Operations.h"
#include "workspace/PropSaver.h"

namespace kvforms {
namespace {

constexpr const char* kSection = "SERIES";
constexpr fw::Integer kMaxPenWidth = 20;
constexpr fw::Integer kMaxMarkerSize = 50;

std::string SnapshotSection(bool Selected, std::size_t Index) {
  return Selected ? kSection + std::to_string(Index) : std::string(kSection);
}

}  // namespace

TwndLineProp::TwndLineProp(fw::TComponent* AOwner, std::vector<chart::TCustomSeries*> Targets, bool Selected,
                           chart::TCustomSeries* Current)
    : fw::TForm(AOwner), FTargets(std::move(Targets)), FSelected(Selected) {
  SetName("wndLineProp");
  SetCaption("Свойства линии графика");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(239);
  SetClientHeight(225);
  SetColor(workspace::GetThemeFormColor());

  LinePen = MakePenGroup(this, "gbxLinePen", "Линия", {6, 4, 227, 70});
  gbxLinePen = dynamic_cast<cs::TCsGroupBox*>(LinePen.Visible->Parent());
  LinePen.Visible->SetName("CsCheckBox2");
  LinePen.Style->SetName("CsPenButton1");
  LinePen.Width->SetName("CsSpinEdit1");
  LinePen.Width->SetMaxValue(kMaxPenWidth);
  BindPenColour(LinePen, "CsColorButton1");

  cbShowInLegend = MakeCheckBox(this, "cbShowInLegend", "Показывать в легенде", {8, 78, 220, 17});
  cbPointVisible = MakeCheckBox(this, "cbPointVisible", "Маркеры", {8, 98, 80, 17});
  PointStyle = MakePointStyleButton(this, "butPointStyle", "pmPointers", {92, 96, 44, 21});
  butPointStyle = PointStyle.Button;
  pmPointers = PointStyle.Menu;
  MakeLabel(this, "W", {8, 122, 12, 14});
  sePointSizeH = MakeSpinEdit(this, "sePointSizeH", 0, kMaxMarkerSize, {22, 120, 40, 21});
  MakeLabel(this, "H", {68, 122, 12, 14});
  sePointSizeV = MakeSpinEdit(this, "sePointSizeV", 0, kMaxMarkerSize, {82, 120, 40, 21});
  butColorMarker = MakeColorButton(this, "butColorMarker", {128, 120, 70, 21},
                                   [this](fw::TColor Value) { MarkerColor = Value; });

  MarkerPen = MakePenGroup(this, "gbxMarkerFrame", "Рамка", {6, 144, 227, 70});
  gbxMarkerFrame = dynamic_cast<cs::TCsGroupBox*>(MarkerPen.Visible->Parent());
  MarkerPen.Visible->SetName("CsCheckBox1");
  MarkerPen.Style->SetName("CsPenButton2");
  MarkerPen.Width->SetName("CsSpinEdit2");
  MarkerPen.Width->SetMaxValue(kMaxPenWidth);
  BindPenColour(MarkerPen, "CsColorButton2");

  SetClientHeight(225 + 32);
  const fw::Integer top = ClientHeight() - 30;
  butOk = MakeBottomButton(this, "butOk", "OK", fw::mrOk, {6, top, 72, 25});
  butOk->SetDefault(true);
  butOk->OnClick = [this](fw::TObject*) { Apply(); };
  butCancel = MakeBottomButton(this, "butCancel", "Отмена", fw::mrCancel, {84, top, 72, 25});
  butCancel->SetCancel(true);
  butApply = MakeBottomButton(this, "butApply", "Применить", fw::mrNone, {162, top, 72, 25});
  butApply->OnClick = [this](fw::TObject*) { Apply(); };

  FSnapshot = std::make_unique<workspace::TPropSaver>(fw::String(), kSection, false);
  for (std::size_t i = 0; i < FTargets.size(); ++i)
    FSnapshot->WriteSeriesFormat(SnapshotSection(FSelected, i), FTargets[i]);

  if (!Current && !FTargets.empty()) Current = FTargets.front();
  if (Current) {
    chart::TCustomSeries& first = *Current;
    // The pen shows the colour the series is drawn in.
    first.LinePen()->SetColor(first.SeriesColor());
    SyncPenControls(LinePen, *first.LinePen(), true);
    cbShowInLegend->SetChecked(first.ShowInLegend());
    chart::TSeriesPointer& pointer = *first.Pointer();
    cbPointVisible->SetChecked(pointer.Visible());
    PointStyle.SetStyle(static_cast<fw::Integer>(pointer.Style()));
    sePointSizeH->SetValue(pointer.HorizSize());
    sePointSizeV->SetValue(pointer.VertSize());
    SetMarkerColor(pointer.Color());
    SyncPenControls(MarkerPen, *pointer.Pen(), true);
  }
  // Reopens where it was last closed; centred the first time and when that place is on no monitor.
  if (workspace::SaveLoadFormPosition(this, false)) SetPosition(fw::poDesigned);
}

TwndLineProp::~TwndLineProp() {
  if (!FTargets.empty() && FTargets.front())
    if (auto* chart = dynamic_cast<chart::TCustomChart*>(FTargets.front()->ParentChart())) chart->SetCancelMouse(true);
  workspace::SaveLoadFormPosition(this, true);
}

void TwndLineProp::SetMarkerColor(fw::TColor Value) {
  MarkerColor = Value;
  butColorMarker->SetSelectedColor(Value);  // a colour it cannot show stays held
}

void TwndLineProp::Apply() {
  for (chart::TCustomSeries* series : FTargets) {
    if (!series) continue;
    SyncPenControls(LinePen, *series->LinePen(), false);
    series->SetSeriesColor(series->LinePen()->Color());
    series->SetShowInLegend(cbShowInLegend->Checked());
    chart::TSeriesPointer& pointer = *series->Pointer();
    SyncPenControls(MarkerPen, *pointer.Pen(), false);
    pointer.SetVisible(cbPointVisible->Checked());
    if (PointStyle.Style() >= 0) pointer.SetStyle(PointStyle.Style());
    pointer.SetColor(MarkerColor);
    pointer.SetHorizSize(SpinInt(sePointSizeH));
    pointer.SetVertSize(SpinInt(sePointSizeV));
  }
}

void TwndLineProp::Restore() {
  for (std::size_t i = 0; i < FTargets.size(); ++i)
    if (FTargets[i]) FSnapshot->ReadSeriesFormat(SnapshotSection(FSelected, i), FTargets[i]);
}

void TwndLineProp::Forget(const fw::TComponent* Series) {
  // Nulled in place: the others keep their snapshot sections.
  for (chart::TCustomSeries*& target : FTargets)
    if (target == Series) target = nullptr;
}

std::vector<workspace::TGraph*> LinePropGraphs(const workspace::TGraphCollection& Graphs) {
  workspace::TGraphArray graphs = Graphs.SelectedGraphs();
  if (graphs.empty() && Graphs.Current()) graphs.push_back(Graphs.Current());
  std::erase_if(graphs, [](workspace::TGraph* Graph) {
    return !Graph || !dynamic_cast<chart::TCustomSeries*>(Graph->Series());
  });
  return graphs;
}

fw::Integer ShowLineProp(workspace::TGraphCollection& Graphs) {
  const bool selected = !Graphs.SelectedGraphs().empty();
  const workspace::TGraphArray owners = LinePropGraphs(Graphs);
  std::vector<chart::TCustomSeries*> targets;
  for (workspace::TGraph* graph : owners) targets.push_back(dynamic_cast<chart::TCustomSeries*>(graph->Series()));
  if (targets.empty()) return fw::mrNone;
  std::vector<fw::String> formers;
  for (workspace::TGraph* graph : owners) formers.push_back(workspace::GraphFormatText(*graph));

  fw::Integer result = fw::mrNone;
  {
    auto* current = Graphs.Current() ? dynamic_cast<chart::TCustomSeries*>(Graphs.Current()->Series()) : nullptr;
    std::unique_ptr<TwndLineProp> dialog(new TwndLineProp(fw::Application, targets, selected, current));
    // A graph deleted meanwhile ends the dialog as cancelled; the others get their format back.
    auto* watch = new TTargetWatch(dialog.get());
    watch->OnGone = [&dialog](fw::TComponent* Series) { dialog->Forget(Series); };
    for (chart::TCustomSeries* series : targets) watch->Watch(series);
    result = dialog->ShowModal();
    if (watch->Gone()) result = fw::mrCancel;
    if (result != fw::mrOk) dialog->Restore();
  }
  if (result == fw::mrOk) {
    for (std::size_t i = 0; i < owners.size(); ++i)
      if (Graphs.Operations() && workspace::GraphFormatText(*owners[i]) != formers[i])
        Graphs.Operations()->AddOperation(workspace::opLineFormat,
                                          {std::int64_t(owners[i]->Id()), formers[i]});
  }
  Graphs.Changed();
  return result;
}

}  // namespace kvforms
