#include "export/forms/WinGradient.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "export/forms/DialogControls.h"
#include "export/forms/TargetWatch.h"
#include "workspace/Common.h"
#include "workspace/PropSaver.h"

namespace kvforms {
namespace {

constexpr const char* kSection = "Gradient";

cs::TCsButton* ColourItem(fw::TWinControl* Parent, const char* Name, const char* Caption, TBox At) {
  auto* button = new cs::TCsButton(Parent);
  button->SetParent(Parent);
  button->SetName(Name);
  button->SetCaption(cs::Utf8ToWide(Caption));
  button->SetBounds(At.Left, At.Top, At.Width, At.Height);
  return button;
}

}  // namespace

TwndGradient::TwndGradient(fw::TComponent* AOwner, chart::TPlotGradient& Gradient)
    : fw::TForm(AOwner), FGradient(Gradient) {
  SetName("wndGradient");
  SetCaption("Настройка градиента");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(322);
  SetClientHeight(176);
  SetColor(workspace::GetThemeFormColor());

  cbVisible = MakeCheckBox(this, "cbVisible", "Отображать", {8, 8, 100, 17});
  cbxDirection = MakeDropDownList(this, "cbxDirection",
                                  {"Снизу вверх", "Сверху вниз", "Справа налево", "Слева направо", "От центра",
                                   "От верхнего левого угла", "От нижнего левого угла", "Радиальный",
                                   "По диагонали слева вверх", "По диагонали слева вниз"},
                                  {112, 6, 202, 21});
  itStart = ColourItem(this, "itStart", "Начальный", {8, 34, 90, 23});
  // Under each item its palette: the forty named colours and "Выбрать...".
  palStart =
      MakeColorButton(this, "palStart", {8, 60, 90, 21}, [this](fw::TColor Value) { StartColor = Value; });
  itMid = ColourItem(this, "itMid", "Средний", {116, 34, 90, 23});
  palMid = MakeColorButton(this, "palMid", {116, 60, 90, 21}, [this](fw::TColor Value) { MidColor = Value; });
  itEnd = ColourItem(this, "itEnd", "Конечный", {224, 34, 90, 23});
  palEnd = MakeColorButton(this, "palEnd", {224, 60, 90, 21}, [this](fw::TColor Value) { EndColor = Value; });
  itMidDisabled = MakeCheckBox(this, "itMidDisabled", "Нет среднего", {116, 84, 100, 17});
  itSwap = ColourItem(this, "itSwap", "<->", {224, 82, 40, 21});
  itStart->OnClick = [this](fw::TObject*) { SetStartColor(workspace::SelectColor(StartColor)); };
  itMid->OnClick = [this](fw::TObject*) { SetMidColor(workspace::SelectColor(MidColor)); };
  itEnd->OnClick = [this](fw::TObject*) { SetEndColor(workspace::SelectColor(EndColor)); };
  itMidDisabled->OnClick = [this](fw::TObject*) { UpdateMid(); };
  itSwap->OnClick = [this](fw::TObject*) { Swap(); };

  MakeLabel(this, "Балланс", {8, 112, 60, 14});
  seBalance = MakeSpinEdit(this, "seBalance", 0, 100, {8, 128, 60, 21});
  MakeLabel(this, "Смещ.X", {80, 112, 60, 14});
  seRadialX = MakeSpinEdit(this, "seRadialX", -chart::MaxRadialOffset, chart::MaxRadialOffset, {80, 128, 60, 21});
  MakeLabel(this, "Смещ.Y", {152, 112, 60, 14});
  seRadialY = MakeSpinEdit(this, "seRadialY", -chart::MaxRadialOffset, chart::MaxRadialOffset, {152, 128, 60, 21});

  SetClientHeight(176 + 8);
  const fw::Integer top = ClientHeight() - 30;
  butOk = MakeBottomButton(this, "butOk", "OK", fw::mrOk, {76, top, 76, 25});
  butOk->SetDefault(true);
  butOk->OnClick = [this](fw::TObject*) { Apply(); };
  butCancel = MakeBottomButton(this, "butCancel", "Отмена", fw::mrCancel, {158, top, 76, 25});
  butCancel->SetCancel(true);
  butApply = MakeBottomButton(this, "butApply", "Применить", fw::mrNone, {240, top, 76, 25});
  butApply->OnClick = [this](fw::TObject*) { Apply(); };

  FSnapshot = std::make_unique<workspace::TPropSaver>(fw::String(), kSection, false);
  FSnapshot->WriteGradient(kSection, &FGradient);

  cbVisible->SetChecked(FGradient.Visible);
  cbxDirection->SetItemIndex(static_cast<fw::Integer>(FGradient.Direction));
  SetStartColor(FGradient.StartColor);
  const bool noMid = FGradient.MidColor == fw::clNone;
  SetMidColor(noMid ? fw::clWhite : FGradient.MidColor);
  itMidDisabled->SetChecked(noMid);
  UpdateMid();
  SetEndColor(FGradient.EndColor);
  seBalance->SetValue(FGradient.Balance);
  seRadialX->SetValue(FGradient.RadialX);
  seRadialY->SetValue(FGradient.RadialY);
}

TwndGradient::~TwndGradient() = default;

void TwndGradient::SetStartColor(fw::TColor Value) {
  StartColor = Value;
  palStart->SetSelectedColor(Value);  // a colour it cannot show stays held
}

void TwndGradient::SetMidColor(fw::TColor Value) {
  MidColor = Value;
  palMid->SetSelectedColor(Value);  // a colour it cannot show stays held
}

void TwndGradient::SetEndColor(fw::TColor Value) {
  EndColor = Value;
  palEnd->SetSelectedColor(Value);  // a colour it cannot show stays held
}

void TwndGradient::UpdateMid() {
  const bool none = itMidDisabled->Checked();
  itMid->SetEnabled(!none);
  palMid->SetVisible(!none);
}

void TwndGradient::Swap() {
  const fw::TColor start = StartColor;
  SetStartColor(EndColor);
  SetEndColor(start);
}

void TwndGradient::Apply() {
  FGradient.Visible = cbVisible->Checked();
  const fw::Integer direction = cbxDirection->ItemIndex();
  if (direction >= chart::gdTopBottom && direction <= chart::gdDiagonalDown)
    FGradient.Direction = static_cast<chart::TGradientDirection>(direction);
  FGradient.StartColor = StartColor;
  FGradient.EndColor = EndColor;
  FGradient.MidColor = itMidDisabled->Checked() ? fw::clNone : MidColor;
  FGradient.Balance = SpinInt(seBalance);
  FGradient.RadialX = SpinInt(seRadialX);
  FGradient.RadialY = SpinInt(seRadialY);
}

void TwndGradient::Restore() { FSnapshot->ReadGradient(kSection, &FGradient); }

fw::Integer ShowGradientDialog(chart::TPlotGradient& Gradient, fw::TComponent* Holder) {
  std::unique_ptr<TwndGradient> dialog(new TwndGradient(fw::Application, Gradient));
  auto* watch = new TTargetWatch(dialog.get());
  watch->Watch(Holder);
  const fw::Integer result = dialog->ShowModal();
  if (watch->Gone()) return fw::mrCancel;
  if (result != fw::mrOk) dialog->Restore();
  return result;
}

}  // namespace kvforms
