#include "export/forms/WinAxesFormat.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/FloatEdit.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "export/forms/DialogControls.h"
#include "export/forms/TargetWatch.h"
#include "export/forms/TitleTemplatesMenu.h"
#include "framework/PageControl.h"
#include "framework/StdCtrlsEdit.h"
#include "workspace/Common.h"

namespace kvforms {
namespace {

cs::TFloatEdit* FloatEdit(fw::TWinControl* Parent, const char* Name, TBox At) {
  auto* edit = new cs::TFloatEdit(Parent);
  edit->SetParent(Parent);
  edit->SetName(Name);
  edit->SetBounds(At.Left, At.Top, At.Width, At.Height);
  return edit;
}

}  // namespace

TwndAxisFormat::TwndAxisFormat(fw::TComponent* AOwner, chart::TChartAxis& Axis)
    : fw::TForm(AOwner), FAxis(Axis) {
  SetName("wndAxisFormat");
  SetCaption("Формат оси");
  if (auto* chart = dynamic_cast<chart::TCustomAxisPanel*>(Axis.ParentChart())) {
    if (&Axis == chart->LeftAxis()) SetCaption("Формат вертикальной оси");
    if (&Axis == chart->BottomAxis()) SetCaption("Формат горизонтальной оси");
  }
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(460);
  SetClientHeight(330);
  SetColor(workspace::GetThemeFormColor());
  FBackup = std::make_unique<chart::TChartAxis>(Axis.Horizontal());
  FBackup->Assign(&Axis);
  FTitleFont = std::make_unique<chart::TPlotFont>();
  FTitleFont->Assign(Axis.Title()->Font());
  FLabelsFont = std::make_unique<chart::TPlotFont>();
  FLabelsFont->Assign(Axis.LabelsFont());

  cbShowAxis = MakeCheckBox(this, "cbShowAxis", "Отображать", {8, 4, 120, 17});
  PageControl1 = new fw::TPageControl(this);
  PageControl1->SetParent(this);
  PageControl1->SetBounds(6, 24, 448, 266);
  auto page = [this](const char* Caption) {
    auto* sheet = new fw::TTabSheet(this);
    sheet->SetPageControl(PageControl1);
    sheet->SetCaption(Caption);
    return sheet;
  };
  BuildTitlePage(page("Заголовок и ось"));
  BuildGridPage(page("Сетка"));
  BuildLabelsPage(page("Метки и масштаб"));

  const fw::Integer top = ClientHeight() - 32;
  butCancel = MakeBottomButton(this, "butCancel", "Отмена", fw::mrCancel, {204, top, 80, 25});
  butCancel->SetCancel(true);
  butOk = MakeBottomButton(this, "butOk", "OK", fw::mrOk, {290, top, 80, 25});
  BindRefusableOk(this, butOk, [this] { Apply(); });
  butApply = MakeBottomButton(this, "butApply", "Применить", fw::mrNone, {376, top, 80, 25});
  butApply->OnClick = [this](fw::TObject*) { Apply(); };
  BindMemoKeys(memoTitle, butCancel, false);
  LoadControls();
  PageControl1->SetActivePageIndex(0);
  GrowPagesToChildren(PageControl1, 6);
}

TwndAxisFormat::~TwndAxisFormat() = default;

void TwndAxisFormat::BuildTitlePage(fw::TWinControl* Page) {
  auto* title = MakeGroupBox(Page, "gbxTitle", "Заголовок", {6, 4, 432, 110});
  memoTitle = new fw::TMemo(this);
  memoTitle->SetParent(title);
  memoTitle->SetName("memoTitle");
  memoTitle->SetBounds(8, 18, 416, 50);
  itTemplates = MakeTitleTemplatesMenu(this, title, 1, fw::Rect(314, 74, 424, 98), memoTitle);
  butTitleFont = MakeButton(title, "butTitleFont", "Шрифт", {8, 76, 70, 21}, [this] {
    ChooseFont(FTitleFont.get());
    ShowFontDescriptions();
  });
  MakeLabel(title, "Размер", {90, 80, 44, 14});
  seTitleSize = MakeSpinEdit(title, "seTitleSize", 0, 1000, {136, 76, 50, 21});
  MakeLabel(title, "Поворот", {196, 80, 50, 14});
  seTitleAngle = MakeSpinEdit(title, "seTitleAngle", 0, 359, {248, 76, 50, 21});
  AxisPen = MakePenGroup(Page, "gbxAxis", " Ось", {6, 118, 180, 72});
  BindPenColour(AxisPen, "butAxisColor");
  MakeLabel(Page, "Смещение вглубь графика, %", {192, 122, 196, 14});
  seAxisPos = MakeSpinEdit(Page, "seAxisPos", 0, 100, {392, 118, 44, 21});
  MakeLabel(Page, "Начало оси, % от рабочей области", {192, 148, 196, 14});
  seAxisStart = MakeSpinEdit(Page, "seAxisStart", 0, 100, {392, 144, 44, 21});
  MakeLabel(Page, "Конец оси, % от рабочей области", {192, 174, 196, 14});
  seAxisEnd = MakeSpinEdit(Page, "seAxisEnd", 0, 100, {392, 170, 44, 21});
}

void TwndAxisFormat::BuildGridPage(fw::TWinControl* Page) {
  struct Row {
    TPenControls& pen;
    const char* name;
    const char* caption;
    TBox at;
  };
  const Row rows[] = {{GridPen, "gbxGridMain", " Линии основной сетки", {6, 4, 184, 72}},
                      {TicksPen, "gbxTicks", " Наружные деления", {194, 4, 184, 72}},
                      {InnerTicksPen, "gbxTicksInner", " Внутренние деления", {6, 80, 184, 72}},
                      {MinorGridPen, "gbxMinorGrid", " Дополнительная сетка", {194, 80, 184, 72}},
                      {MinorTicksPen, "gbxMinorTicks", " Дополнительные деления", {6, 156, 184, 72}}};
  for (const Row& r : rows) {
    r.pen = MakePenGroup(Page, r.name, r.caption, r.at);
    BindPenColour(r.pen, (std::string(r.name) + "Color").c_str());
  }
  auto* grid = GridPen.Visible->Parent();
  auto* step = MakeLabel(grid, "Шаг", {104, 50, 26, 14});
  fedStep = FloatEdit(grid, "fedStep", {130, 46, 48, 21});
  auto* ticks = MakeLabel(TicksPen.Visible->Parent(), "Разм.", {104, 50, 30, 14});
  seOuterSize = MakeSpinEdit(TicksPen.Visible->Parent(), "seOuterSize", 0, 100, {136, 46, 42, 21});
  seInnerSize = MakeSpinEdit(InnerTicksPen.Visible->Parent(), "seInnerSize", 0, 100, {136, 46, 42, 21});
  auto* lines = MakeLabel(MinorGridPen.Visible->Parent(), "Линий", {104, 50, 30, 14});
  seMinorGridCount = MakeSpinEdit(MinorGridPen.Visible->Parent(), "seMinorGridCount", 0, 100, {136, 46, 42, 21});
  seMinorTickSize = MakeSpinEdit(MinorTicksPen.Visible->Parent(), "seMinorTickSize", 0, 100, {136, 46, 42, 21});
  // Each caption just left of its edit, at the caption's measured width.
  for (auto [label, edit] : {std::pair<fw::TControl*, fw::TControl*>{step, fedStep}, {ticks, seOuterSize},
                             {lines, seMinorGridCount}})
    label->SetLeft(edit->Left() - 4 - label->Width());
}

void TwndAxisFormat::BuildLabelsPage(fw::TWinControl* Page) {
  auto* labels = MakeGroupBox(Page, "gbxLabels", " Метки", {6, 4, 372, 96});
  cbLabShow = MakeCheckBox(labels, "cbLabShow", "Отображать", {8, 18, 100, 17});
  MakeLabel(labels, "Размер", {120, 20, 44, 14});
  seLabSize = MakeSpinEdit(labels, "seLabSize", 0, 1000, {166, 16, 50, 21});
  MakeLabel(labels, "Поворот", {226, 20, 50, 14});
  seLabAngle = MakeSpinEdit(labels, "seLabAngle", 0, 359, {278, 16, 50, 21});
  butLabFont = MakeButton(labels, "butLabFont", "Шрифт", {8, 42, 356, 21}, [this] {
    ChooseFont(FLabelsFont.get());
    ShowFontDescriptions();
  });
  // Two check boxes a row, at their measured widths.
  cbLabRound = MakeCheckBox(labels, "cbLabRound", "Первое число круглое", {8, 70, 130, 17});
  cbLabAxes = MakeCheckBox(labels, "cbLabAxes", "Метки на оси", {140, 70, 90, 17});
  cbLabMulti = MakeCheckBox(labels, "cbLabMulti", "Многострочные метки", {8, 90, 134, 17});
  FlowRight({cbLabRound, cbLabAxes}, 8, 12);
  GrowToChildren(labels, 6);

  auto* scale = MakeGroupBox(Page, "gbxScale", "Масштаб", {6, BottomOf(labels) + 8, 372, 124});
  cbScAuto = MakeCheckBox(scale, "cbScAuto", "Автоматический", {8, 18, 120, 17});
  cbScMinAuto = MakeCheckBox(scale, "cbScMinAuto", "Минимум авто", {8, 42, 110, 17});
  fedScMin = FloatEdit(scale, "fedScMin", {124, 40, 100, 21});
  cbScMaxAuto = MakeCheckBox(scale, "cbScMaxAuto", "Максимум авто", {8, 66, 110, 17});
  fedScMax = FloatEdit(scale, "fedScMax", {124, 64, 100, 21});
  cbScInverted = MakeCheckBox(scale, "cbScInverted", "Обратный", {8, 94, 100, 17});
  cbScLog = MakeCheckBox(scale, "cbScLog", "Логарифмический", {124, 94, 130, 17});
  cbScMinAuto->OnClick = [this](fw::TObject*) { UpdateScaleEdits(); };
  cbScMaxAuto->OnClick = [this](fw::TObject*) { UpdateScaleEdits(); };
}

void TwndAxisFormat::LoadControls() {
  cbShowAxis->SetChecked(FAxis.Visible());
  memoTitle->Lines()->Clear();
  memoTitle->Lines()->Add(FAxis.Title()->Caption());
  seTitleSize->SetValue(FAxis.Title()->Size());
  seTitleAngle->SetValue(FAxis.Title()->Angle());
  SyncPenToolbar(AxisPen, *FAxis.Axis(), true);
  seAxisPos->SetValue(FAxis.PositionPercent());
  seAxisEnd->SetValue(FAxis.EndPosition());
  seAxisStart->SetValue(FAxis.StartPosition());
  SyncPenToolbar(GridPen, *FAxis.Grid(), true);
  fedStep->SetValue(FAxis.Increment());
  SyncPenToolbar(TicksPen, *FAxis.Ticks(), true);
  seOuterSize->SetValue(FAxis.TickLength());
  SyncPenToolbar(InnerTicksPen, *FAxis.TicksInner(), true);
  seInnerSize->SetValue(FAxis.TickInnerLength());
  SyncPenToolbar(MinorGridPen, *FAxis.MinorGrid(), true);
  seMinorGridCount->SetValue(FAxis.MinorTickCount());
  SyncPenToolbar(MinorTicksPen, *FAxis.MinorTicks(), true);
  seMinorTickSize->SetValue(FAxis.MinorTickLength());
  cbLabShow->SetChecked(FAxis.Labels());
  seLabSize->SetValue(FAxis.LabelsSize());
  seLabAngle->SetValue(FAxis.LabelsAngle());
  cbLabRound->SetChecked(FAxis.RoundFirstLabel());
  cbLabAxes->SetChecked(FAxis.LabelsOnAxis());
  cbLabMulti->SetChecked(FAxis.LabelsMultiLine());
  cbScAuto->SetChecked(FAxis.Automatic());
  cbScMinAuto->SetChecked(FAxis.AutomaticMinimum());
  fedScMin->SetValue(FAxis.Minimum());
  cbScMaxAuto->SetChecked(FAxis.AutomaticMaximum());
  fedScMax->SetValue(FAxis.Maximum());
  cbScInverted->SetChecked(FAxis.Inverted());
  cbScLog->SetChecked(FAxis.Logarithmic());
  UpdateScaleEdits();
  ShowFontDescriptions();
}

void TwndAxisFormat::ShowFontDescriptions() {
  butTitleFont->SetHint(cs::Utf8ToWide(workspace::FontDescription(FTitleFont.get(), true, true)));
  butLabFont->SetCaption(cs::Utf8ToWide(workspace::FontDescription(FLabelsFont.get(), true, false)));
  butLabFont->SetHint(cs::Utf8ToWide(workspace::FontDescription(FLabelsFont.get(), true, true)));
}

void TwndAxisFormat::UpdateScaleEdits() {
  fedScMin->SetEnabled(!cbScMinAuto->Checked());
  fedScMax->SetEnabled(!cbScMaxAuto->Checked());
}

void TwndAxisFormat::Apply() {
  const double minimum = fedScMin->Value(), maximum = fedScMax->Value(), increment = fedStep->Value();
  // Refused before anything is written, so that a refusal leaves no half-applied axis.
  if (!std::isfinite(minimum) || !std::isfinite(maximum))
    throw std::invalid_argument("Границы оси должны быть конечными числами");
  if (minimum > maximum) throw std::invalid_argument("Минимум оси больше максимума");
  if (!std::isfinite(increment) || increment < 0) throw std::invalid_argument("Шаг оси должен быть неотрицательным числом");
  FAxis.SetVisible(cbShowAxis->Checked());
  fw::String caption;
  for (fw::Integer i = 0; i < memoTitle->Lines()->Count(); ++i) caption += memoTitle->Lines()->Strings(i);
  FAxis.Title()->SetCaption(caption);
  FAxis.Title()->Font()->Assign(FTitleFont.get());
  FAxis.Title()->SetSize(SpinInt(seTitleSize));
  FAxis.Title()->SetAngle(SpinInt(seTitleAngle));
  FAxis.SetLabels(cbLabShow->Checked());
  FAxis.SetRoundFirstLabel(cbLabRound->Checked());
  FAxis.SetLabelsMultiLine(cbLabMulti->Checked());
  FAxis.SetLabelsOnAxis(cbLabAxes->Checked());
  FAxis.LabelsFont()->Assign(FLabelsFont.get());
  FAxis.SetLabelsSize(SpinInt(seLabSize));
  FAxis.SetLabelsAngle(SpinInt(seLabAngle));
  SyncPenToolbar(GridPen, *FAxis.Grid(), false);
  SyncPenToolbar(TicksPen, *FAxis.Ticks(), false);
  FAxis.SetTickLength(SpinInt(seOuterSize));
  SyncPenToolbar(InnerTicksPen, *FAxis.TicksInner(), false);
  FAxis.SetTickInnerLength(SpinInt(seInnerSize));
  SyncPenToolbar(MinorGridPen, *FAxis.MinorGrid(), false);
  FAxis.SetMinorTickCount(SpinInt(seMinorGridCount));
  SyncPenToolbar(MinorTicksPen, *FAxis.MinorTicks(), false);
  FAxis.SetMinorTickLength(SpinInt(seMinorTickSize));
  SyncPenToolbar(AxisPen, *FAxis.Axis(), false);
  FAxis.SetPositionPercent(SpinInt(seAxisPos));
  FAxis.SetEndPosition(SpinInt(seAxisEnd));
  FAxis.SetStartPosition(SpinInt(seAxisStart));
  FAxis.SetAutomatic(cbScAuto->Checked());
  FAxis.SetAutomaticMinimum(cbScMinAuto->Checked());
  FAxis.SetAutomaticMaximum(cbScMaxAuto->Checked());
  // The axis refuses a minimum above its maximum: a range above the old one takes its new
  // maximum first.
  if (minimum > FAxis.Maximum()) {
    FAxis.SetMaximum(maximum);
    FAxis.SetMinimum(minimum);
  } else {
    FAxis.SetMinimum(minimum);
    FAxis.SetMaximum(maximum);
  }
  FAxis.SetLogarithmic(cbScLog->Checked());
  FAxis.SetInverted(cbScInverted->Checked());
  FAxis.SetIncrement(increment);
  if (auto* chart = FAxis.ParentChart()) chart->Invalidate();
}

void TwndAxisFormat::RestoreAxis() {
  FAxis.Assign(FBackup.get());
  if (auto* chart = FAxis.ParentChart()) chart->Invalidate();
}

fw::Integer ShowAxisFormat(chart::TChartAxis& Axis) {
  chart::TCustomAxisPanel* chart = Axis.ParentChart();
  std::unique_ptr<TwndAxisFormat> dialog(new TwndAxisFormat(fw::Application, Axis));
  auto* watch = new TTargetWatch(dialog.get());
  watch->Watch(chart);
  const fw::Integer result = dialog->ShowModal();
  if (watch->Gone()) return fw::mrCancel;
  if (result != fw::mrOk) dialog->RestoreAxis();
  if (chart) chart->SetCancelMouse(true);
  return result;
}

}  // namespace kvforms
