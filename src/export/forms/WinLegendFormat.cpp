#include "export/forms/WinLegendFormat.h"

#include <algorithm>
#include <cmath>

#include "chart/Chart.h"
#include "chart/ChartLegend.h"
#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "export/forms/DialogControls.h"
#include "export/forms/TargetWatch.h"
#include "export/forms/WinGradient.h"
#include "workspace/Common.h"
#include "workspace/PropSaver.h"

namespace kvforms {
namespace {

constexpr const char* kSection = "LEGEND";
constexpr const char* kGradientKey = "Gradient";
constexpr fw::Integer kCustomPlace = 4;

}  // namespace

TwndLegendFormat::TwndLegendFormat(fw::TComponent* AOwner, chart::TChartLegend& Legend)
    : fw::TForm(AOwner), FLegend(Legend) {
  SetName("wndLegendFormat");
  SetCaption("Формат легенды");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(420);
  SetClientHeight(420);
  SetColor(workspace::GetThemeFormColor());
  WorkFont = std::make_unique<chart::TPlotFont>();

  cbShowLegend = MakeCheckBox(this, "cbShowLegend", "Отображать", {8, 6, 100, 17});
  itFont = MakeButton(this, "itFont", "", {112, 4, 300, 21}, [this] {
    ChooseFont(WorkFont.get());
    itFont->SetCaption(cs::Utf8ToWide(workspace::FontDescription(WorkFont.get(), true, true)));
  });
  auto* view = MakeGroupBox(this, "gbxView", "Вид", {6, 30, 408, 58});
  itViewSimple = MakeRadioButton(view, "itViewSimple", "Простая легенда - только текст", {6, 16, 396, 17});
  itViewFine = MakeRadioButton(view, "itViewFine", "Легенда с оформлением - рамка, фон и тень", {6, 36, 396, 17});
  auto* order = MakeGroupBox(this, "gbxOrder", "", {6, 92, 200, 56});
  itDirect = MakeRadioButton(order, "itDirect", "Прямой порядок", {6, 14, 188, 17});
  itInverse = MakeRadioButton(order, "itInverse", "Обратный порядок", {6, 34, 188, 17});
  auto* text = MakeGroupBox(this, "gbxText", "", {214, 92, 200, 56});
  itTextLeft = MakeRadioButton(text, "itTextLeft", "Текст слева", {6, 14, 188, 17});
  itTextRight = MakeRadioButton(text, "itTextRight", "Текст справа", {6, 34, 188, 17});

  FramePen = MakePenGroup(this, "gbxFrame", "Рамка", {6, 152, 200, 72});
  BindPenColour(FramePen, "butFrameColor");
  auto* shape = MakeGroupBox(this, "gbxShape", "", {6, 228, 408, 40});
  itFrameSquare = MakeRadioButton(shape, "itFrameSquare", "Обычная рамка", {6, 14, 190, 17});
  itFrameRound = MakeRadioButton(shape, "itFrameRound", "Закругленная рамка", {204, 14, 190, 17});
  DividerPen = MakePenGroup(this, "gbxDivider", "Разделитель", {214, 152, 200, 72});
  BindPenColour(DividerPen, "butDividerColor");

  Shadow = MakeShadowGroup(this, {6, 272, 408, 44});
  BindShadowColour(Shadow, "itShadowColor");
  itShadowSimple = Shadow.Simple;
  itShadowSmooth = Shadow.Smooth;
  itShadowColor = Shadow.ColorButton;
  seShadowSize = Shadow.Size;
  seShadowTransp = Shadow.Transparency;

  MakeLabel(this, "Символ", {8, 324, 44, 14});
  seSymbolWidth = MakeSpinEdit(this, "seSymbolWidth", 0, 200, {54, 320, 46, 21});
  MakeLabel(this, "Интервал", {106, 324, 58, 14});
  seInterval = MakeSpinEdit(this, "seInterval", 0, 100, {166, 320, 46, 21});
  MakeLabel(this, "Прозрачность", {218, 324, 86, 14});
  seTransparency = MakeSpinEdit(this, "seTransparency", 0, 255, {306, 320, 46, 21});
  itColor =
      MakeColorButton(this, "itColor", {356, 320, 58, 21}, [this](fw::TColor Value) { BackColor = Value; });
  itGradient = MakeButton(this, "itGradient", "Градиент...", {8, ClientHeight() - 32, 90, 25},
                      [this] { ShowGradientDialog(*FLegend.Gradient(), &FLegend); });

  cbxLayot = MakeDropDownList(this, "cbxLayot", {"Слева", "Справа", "Сверху", "Снизу", "Другое"}, {8, 350, 90, 21});
  cbxLayot->OnChange = [this](fw::TObject*) { UpdatePlacement(); };
  seMargin = MakeSpinEdit(this, "seMargin", 0, 1000, {104, 350, 70, 21});
  seTopPos = MakeSpinEdit(this, "seTopPos", 0, 100, {180, 350, 70, 21});
  seCoordTop = MakeSpinEdit(this, "seCoordTop", -10000, 10000, {256, 350, 76, 21});
  seCoordLeft = MakeSpinEdit(this, "seCoordLeft", -10000, 10000, {338, 350, 76, 21});

  const fw::Integer top = ClientHeight() - 32;
  butCancel = MakeBottomButton(this, "butCancel", "Отмена", fw::mrCancel, {164, top, 80, 25});
  butCancel->SetCancel(true);
  butOk = MakeBottomButton(this, "butOk", "OK", fw::mrOk, {250, top, 80, 25});
  butOk->OnClick = [this](fw::TObject*) { Apply(); };
  butApply = MakeBottomButton(this, "butApply", "Применить", fw::mrNone, {336, top, 80, 25});
  butApply->OnClick = [this](fw::TObject*) { Apply(); };

  LoadControls();
  FSnapshot = std::make_unique<workspace::TPropSaver>(fw::String(), kSection, false);
  FSnapshot->WriteLegend(kSection, &FLegend);
  // The gradient is edited in a dialog of its own; Cancel here undoes that too.
  FSnapshot->WriteGradient(kGradientKey, FLegend.Gradient());
}

TwndLegendFormat::~TwndLegendFormat() = default;

void TwndLegendFormat::LoadControls() {
  cbShowLegend->SetChecked(FLegend.Visible());
  WorkFont->Assign(FLegend.Font());
  itFont->SetCaption(cs::Utf8ToWide(workspace::FontDescription(WorkFont.get(), true, true)));
  BackColor = FLegend.Color();
  itColor->SetSelectedColor(BackColor);
  itDirect->SetChecked(!FLegend.Inverted());
  itInverse->SetChecked(FLegend.Inverted());
  seSymbolWidth->SetValue(FLegend.SymbolWidth());
  seTransparency->SetValue(FLegend.Transparency());
  itViewSimple->SetChecked(FLegend.Transparent());
  itViewFine->SetChecked(!FLegend.Transparent());
  itTextLeft->SetChecked(FLegend.SymbolPosition() == chart::spRight);
  itTextRight->SetChecked(FLegend.SymbolPosition() != chart::spRight);
  SyncPenToolbar(FramePen, *FLegend.Frame(), true);
  itFrameSquare->SetChecked(FLegend.ShapeStyle() == chart::fosRectangle);
  itFrameRound->SetChecked(FLegend.ShapeStyle() == chart::fosRoundRectangle);
  SyncPenToolbar(DividerPen, *FLegend.DividingLines(), true);
  seInterval->SetValue(FLegend.VertSpacing());
  SyncShadowToolbar(Shadow, *FLegend.Shadow(), true);
  cbxLayot->SetItemIndex(FLegend.CustomPosition() ? kCustomPlace : static_cast<fw::Integer>(FLegend.Alignment()));
  seMargin->SetValue(FLegend.VertMargin());
  seTopPos->SetValue(FLegend.TopPos());
  seCoordTop->SetValue(FLegend.Top());
  seCoordLeft->SetValue(FLegend.Left());
  UpdatePlacement();
}

void TwndLegendFormat::UpdatePlacement() {
  const bool custom = cbxLayot->ItemIndex() == kCustomPlace;
  seCoordTop->SetEnabled(custom);
  seCoordLeft->SetEnabled(custom);
  seMargin->SetEnabled(!custom);
  seTopPos->SetEnabled(!custom);
}

void TwndLegendFormat::Apply() {
  FLegend.Font()->Assign(WorkFont.get());
  FLegend.SetVisible(cbShowLegend->Checked());
  FLegend.SetColor(BackColor);
  FLegend.SetInverted(itInverse->Checked());
  FLegend.SetSymbolWidth(SpinInt(seSymbolWidth));
  FLegend.SetTransparency(SpinInt(seTransparency));
  FLegend.SetTransparent(itViewSimple->Checked());
  FLegend.SetSymbolPosition(itTextLeft->Checked() ? chart::spRight : chart::spLeft);
  SyncPenToolbar(FramePen, *FLegend.Frame(), false);
  FLegend.SetShapeStyle(itFrameRound->Checked() ? chart::fosRoundRectangle : chart::fosRectangle);
  SyncPenToolbar(DividerPen, *FLegend.DividingLines(), false);
  FLegend.SetVertSpacing(SpinInt(seInterval));
  SyncShadowToolbar(Shadow, *FLegend.Shadow(), false);
  const fw::Integer place = cbxLayot->ItemIndex();
  if (place == kCustomPlace) {
    FLegend.SetCustomPosition(true);
    FLegend.SetTop(SpinInt(seCoordTop));
    FLegend.SetLeft(SpinInt(seCoordLeft));
  } else if (place >= 0) {
    FLegend.SetCustomPosition(false);
    FLegend.SetAlignment(static_cast<chart::TLegendAlignment>(place));
    FLegend.SetVertMargin(SpinInt(seMargin));
    FLegend.SetHorizMargin(SpinInt(seMargin));
    FLegend.SetTopPos(SpinInt(seTopPos));
    FLegend.SetResizeChart(true);
  }
  FLegend.InvalidateChart();
}

void TwndLegendFormat::RestoreLegend() {
  FSnapshot->ReadLegend(kSection, &FLegend);
  FSnapshot->ReadGradient(kGradientKey, FLegend.Gradient());
  FLegend.InvalidateChart();
}

fw::Integer ShowLegendFormat(chart::TChartLegend& Legend) {
  auto* chart = dynamic_cast<chart::TCustomChart*>(Legend.ParentChart());
  std::unique_ptr<TwndLegendFormat> dialog(new TwndLegendFormat(fw::Application, Legend));
  auto* watch = new TTargetWatch(dialog.get());
  watch->Watch(&Legend);
  watch->Watch(chart);
  const fw::Integer result = dialog->ShowModal();
  if (watch->Gone()) return fw::mrCancel;
  if (result != fw::mrOk) dialog->RestoreLegend();
  if (chart) chart->SetCancelMouse(true);
  return result;
}

}  // namespace kvforms
