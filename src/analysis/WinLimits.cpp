#include <memory>

#include "analysis/DialogControls.h"
#include "analysis/WinOperations.h"
#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "controls/FloatEdit.h"

namespace analysis {

TAxisLimits TAxisLimits::Of(const chart::TChartAxis& Axis) {
  TAxisLimits l;
  l.Min = Axis.Minimum();
  l.Max = Axis.Maximum();
  l.Step = Axis.Increment();
  l.AutoMin = Axis.AutomaticMinimum();
  l.AutoMax = Axis.AutomaticMaximum();
  l.AutoStep = Axis.Increment() == 0;
  return l;
}

void TAxisLimits::ApplyTo(chart::TChartAxis& Axis) const {
  Axis.SetMinMax(Min, Max);
  if (AutoMin) Axis.SetAutomaticMinimum(true);
  if (AutoMax) Axis.SetAutomaticMaximum(true);
  Axis.SetIncrement(AutoStep ? 0.0 : Step);
}

TwndLimits::TwndLimits(fw::TComponent* AOwner, const fw::String& Caption) : fw::TForm(AOwner) {
  SetUpDialog(this, "wndLimits", Caption, 230, 92);
  auto* group = MakeGroup(this, u"Пределы", {4, 4, 222, 64});
  struct TRow {
    const char16_t* Label;
    const char* Edit;
    const char* Check;
    cs::TLxCsFloatEdit** EditField;
    cs::TCsCheckBox** CheckField;
  };
  const TRow rows[] = {{u"MIN", "fedMin", "cbMin", &fedMin, &cbMin},
                       {u"MAX", "fedMax", "cbMax", &fedMax, &cbMax},
                       {u"Шаг", "fedStep", "cbStep", &fedStep, &cbStep}};
  int top = 12;
  for (const TRow& row : rows) {
    MakeLabel(group, row.Label, {8, top + 2, 28, 10});
    *row.EditField = MakeFloatEdit(group, row.Edit, {40, top, 110, 12});
    *row.CheckField = MakeCheck(group, row.Check, u"Авто", {160, top + 1, 50, 10});
    top += 17;
  }
  // Typing a bound clears its "Авто" box.
  for (const TRow& row : rows) {
    cs::TCsCheckBox* check = *row.CheckField;
    (*row.EditField)->OnChange = [check](fw::TObject*) { check->SetChecked(false); };
  }
  MakeButton(this, "butAuto", u"Авто", fw::mrNone, {4, 74, 30, 14})->OnClick = [this](fw::TObject*) {
    cbMin->SetChecked(true);
    cbMax->SetChecked(true);
    cbStep->SetChecked(true);
    SetModalResult(fw::mrOk);
  };
  MakeButton(this, "butAutoLim", u"Пределы авто", fw::mrNone, {38, 74, 72, 14})->OnClick = [this](fw::TObject*) {
    cbMin->SetChecked(true);
    cbMax->SetChecked(true);
    SetModalResult(fw::mrOk);
  };
  MakeOkCancel(this, 230, 92);
}

void TwndLimits::ShowLimits(const TAxisLimits& Limits) {
  fedMin->SetValue(Limits.Min);
  fedMax->SetValue(Limits.Max);
  fedStep->SetValue(Limits.Step);
  cbMin->SetChecked(Limits.AutoMin);
  cbMax->SetChecked(Limits.AutoMax);
  cbStep->SetChecked(Limits.AutoStep);
}

TAxisLimits TwndLimits::Limits() const {
  TAxisLimits l;
  l.Min = double(fedMin->Value());
  l.Max = double(fedMax->Value());
  l.Step = double(fedStep->Value());
  l.AutoMin = cbMin->Checked();
  l.AutoMax = cbMax->Checked();
  l.AutoStep = cbStep->Checked();
  return l;
}

namespace {

// Runs the dialog preset from Axis; on OK applies it to each of Targets. The chart forgets the
// mouse press that may have opened the dialog.
void RunLimits(const fw::String& Caption, chart::TChartAxis* Axis, std::initializer_list<chart::TChartAxis*> Targets) {
  if (!Axis) return;
  auto window = std::make_unique<TwndLimits>(fw::Application, Caption);
  window->ShowLimits(TAxisLimits::Of(*Axis));
  const bool ok = window->ShowModal() == fw::mrOk;
  if (chart::MainChart) chart::MainChart->SetCancelMouse(true);
  if (!ok) return;
  const TAxisLimits limits = window->Limits();
  for (chart::TChartAxis* target : Targets)
    if (target) limits.ApplyTo(*target);
}

}  // namespace

void EditAxisLimits(chart::TChartAxis* Axis) {
  const bool left = chart::MainChart && Axis == chart::MainChart->LeftAxis();
  RunLimits(left ? "Пределы по Y" : "Пределы по X", Axis, {Axis});
}

void EditBothAxesLimits(chart::TChartAxis* Axis) {
  if (!chart::MainChart) return;
  RunLimits("Пределы по осям", Axis, {chart::MainChart->LeftAxis(), chart::MainChart->BottomAxis()});
}

}  // namespace analysis
