#include <memory>

#include "analysis/DialogControls.h"
#include "analysis/WinOperations.h"
#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "controls/FloatEdit.h"
#include "workspace/FileErrors.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace analysis {

TwndTrim::TwndTrim(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndTrim", "Обрезка", 180, 72);
  auto* group = MakeGroup(this, u"Параметры", {4, 4, 172, 46});
  cbTrimLeft = MakeCheck(group, "cbTrimLeft", u"Удалить до X =", {8, 12, 80, 10});
  fedTrimLeft = MakeFloatEdit(group, "fedTrimLeft", {92, 10, 72, 12});
  cbTrimRight = MakeCheck(group, "cbTrimRight", u"Удалить после X =", {8, 28, 80, 10});
  fedTrimRight = MakeFloatEdit(group, "fedTrimRight", {92, 26, 72, 12});
  MakeOkCancel(this, 180, 72);
}

void TwndTrim::ShowParams(const TTrimParams& Params) {
  cbTrimLeft->SetChecked(Params.Left);
  cbTrimRight->SetChecked(Params.Right);
  fedTrimLeft->SetValue(Params.LeftValue);
  fedTrimRight->SetValue(Params.RightValue);
}

TTrimParams TwndTrim::Params() const {
  return {cbTrimLeft->Checked(), cbTrimRight->Checked(), double(fedTrimLeft->Value()),
          double(fedTrimRight->Value())};
}

void TrimGraphs() {
  if (!workspace::GraphCollection) return;
  auto window = std::make_unique<TwndTrim>(fw::Application);
  workspace::TPropSaver store("TRIM", true);
  TTrimParams params;
  params.Load(store);
  window->ShowParams(params);
  if (window->ShowModal() != fw::mrOk) return;
  params = window->Params();
  params.Save(store);
  workspace::KeepSettings(store);
  ApplyTrim(params, *workspace::GraphCollection);
}

}  // namespace analysis
