#include <memory>

#include "analysis/DialogControls.h"
#include "analysis/WinOperations.h"
#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "controls/FloatEdit.h"
#include "workspace/FileErrors.h"
#include "workspace/Operations.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace analysis {

TwndOffset::TwndOffset(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndOffset", "Сместить", 200, 110);
  auto* direction = MakeGroup(this, u"Направление", {4, 4, 192, 24});
  rbH = MakeRadio(direction, "rbH", u"По горизонтали", {8, 10, 84, 10});
  rbV = MakeRadio(direction, "rbV", u"По вертикали", {100, 10, 84, 10});
  auto* amount = MakeGroup(this, u"Величина", {4, 32, 192, 56});
  rbMax = MakeRadio(amount, "rbMax", u"Y_max -> 0", {8, 10, 88, 10});
  rbMin = MakeRadio(amount, "rbMin", u"Y_min -> 0", {8, 24, 88, 10});
  rbAvg = MakeRadio(amount, "rbAvg", u"Y_avg -> 0", {8, 38, 88, 10});
  rbUsr = MakeRadio(amount, "rbUsr", u"Значение", {100, 10, 84, 10});
  fedOffset = MakeFloatEdit(amount, "fedOffset", {100, 24, 84, 12});
  MakeOkCancel(this, 200, 110);
  rbH->OnClick = [this](fw::TObject*) { DirectionClicked(true); };
  rbV->OnClick = [this](fw::TObject*) { DirectionClicked(false); };
}

void TwndOffset::DirectionClicked(bool Horizontal) {
  if (Horizontal) {
    rbMax->SetCaption(u"X при Y_max --> 0");
    rbMin->SetCaption(u"X при Y_min --> 0");
    rbAvg->SetCaption(u"Середина X --> 0");
  } else {
    rbMax->SetCaption(u"Y_max  -->  0");
    rbMin->SetCaption(u"Y_min  -->  0");
    rbAvg->SetCaption(u"Y_avg  -->  0");
  }
}

void TwndOffset::ShowParams(const TOffsetParams& Params) {
  fedOffset->OnChange = nullptr;
  (Params.Horizontal ? rbH : rbV)->SetChecked(true);
  cs::TCsRadioButton* kinds[] = {rbMax, rbMin, rbAvg, rbUsr};
  kinds[Params.Kind]->SetChecked(true);
  fedOffset->SetValue(Params.Value);
  fedOffset->OnChange = [this](fw::TObject*) { rbUsr->SetChecked(true); };
}

TOffsetParams TwndOffset::Params() const {
  TOffsetParams p;
  p.Horizontal = !rbV->Checked();
  p.Kind = rbMin->Checked() ? okMin : rbAvg->Checked() ? okAvg : rbUsr->Checked() ? okUser : okMax;
  p.Value = double(fedOffset->Value());
  return p;
}

void OffsetGraphs() {
  if (!workspace::GraphCollection) return;
  auto window = std::make_unique<TwndOffset>(fw::Application);
  workspace::TPropSaver store("OFFSET", true);
  TOffsetParams params;
  params.Load(store);
  window->ShowParams(params);
  if (window->ShowModal() != fw::mrOk) return;
  params = window->Params();
  params.Save(store);
  workspace::KeepSettings(store);
  ApplyOffset(params, *workspace::GraphCollection, workspace::OperationCollection);
}

}  // namespace analysis
