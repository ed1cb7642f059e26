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

TwndNorm::TwndNorm(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndNorm", "Нормировка", 160, 92);
  auto* group = MakeGroup(this, u"Параметры", {4, 4, 152, 64});
  rbX = MakeRadio(group, "rbX", u"По оси X", {8, 12, 64, 10});
  rbY = MakeRadio(group, "rbY", u"По оси Y", {8, 26, 64, 10});
  cbMax = MakeCheck(group, "cbMax", u"На максимум", {80, 26, 66, 10});
  MakeLabel(group, u"Норм. множитель", {8, 44, 66, 10});
  fedFactor = MakeFloatEdit(group, "fedFactor", {80, 42, 66, 12});
  MakeOkCancel(this, 160, 92);
  rbX->OnClick = [this](fw::TObject*) { AxisClicked(); };
  rbY->OnClick = [this](fw::TObject*) { AxisClicked(); };
}

void TwndNorm::AxisClicked() { cbMax->SetEnabled(rbY->Checked()); }

void TwndNorm::ShowParams(const TNormParams& Params) {
  fedFactor->OnChange = nullptr;
  (Params.AlongX ? rbX : rbY)->SetChecked(true);
  cbMax->SetChecked(Params.ByMax);
  fedFactor->SetValue(Params.Factor);
  AxisClicked();
  fedFactor->OnChange = [this](fw::TObject*) { cbMax->SetChecked(false); };
}

TNormParams TwndNorm::Params() const {
  TNormParams p;
  p.AlongX = rbX->Checked();
  p.ByMax = cbMax->Checked();
  p.Factor = double(fedFactor->Value());
  return p;
}

void NormalizeGraphs() {
  if (!workspace::GraphCollection) return;
  auto window = std::make_unique<TwndNorm>(fw::Application);
  workspace::TPropSaver store("NORM", true);
  TNormParams params;
  params.Load(store);
  window->ShowParams(params);
  if (window->ShowModal() != fw::mrOk) return;
  params = window->Params();
  params.Save(store);
  workspace::KeepSettings(store);
  ApplyNormalize(params, *workspace::GraphCollection, workspace::OperationCollection);
}

}  // namespace analysis
