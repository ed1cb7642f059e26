#include "export/forms/WinTitle.h"

#include <algorithm>

#include "chart/Chart.h"
#include "chart/ChartTitle.h"
#include "chart/PlotCanvas.h"
#include "controls/CsButtons.h"
#include "controls/CsColorButton.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniCodePages.h"
#include "controls/UniComboBox.h"
#include "export/forms/DialogControls.h"
#include "export/forms/FontNameCombo.h"
#include "export/forms/GradientRamp.h"
#include "export/forms/TargetWatch.h"
#include "export/forms/TitleTemplatesMenu.h"
#include "export/forms/WinGradient.h"
#include "framework/Graphics.h"
#include "framework/PageControl.h"
#include "framework/StdCtrlsEdit.h"
#include "framework/SysUtils.h"
#include "tx/TxItems.h"
#include "workspace/Common.h"
#include "workspace/PropSaver.h"

namespace kvforms {
namespace {

constexpr const char* kSection = "TITLE";
constexpr const char* kGradientKey = "Gradient";

}  // namespace

fw::String TitleCaption(const chart::TChartTitle& Title) {
  const auto* chart = dynamic_cast<const chart::TCustomChart*>(Title.ParentChart());
  if (chart && &Title == chart->SubTitle()) return "Формат подзаголовка";
  if (chart && &Title == chart->Foot()) return "Формат первой подписи";
  if (chart && &Title == chart->SubFoot()) return "Формат второй подписи";
  return "Формат заголовка";
}

TwndTitle::TwndTitle(fw::TComponent* AOwner, chart::TChartTitle& Title) : fw::TForm(AOwner), FTitle(Title) {
  SetName("wndTitle");
  SetCaption(TitleCaption(Title));
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  SetKeyPreview(true);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(368);
  SetClientHeight(296);
  SetColor(workspace::GetThemeFormColor());

  PageControl1 = new fw::TPageControl(this);
  PageControl1->SetParent(this);
  PageControl1->SetBounds(6, 6, 356, 250);
  auto page = [this](const char* Caption) {
    auto* sheet = new fw::TTabSheet(this);
    sheet->SetPageControl(PageControl1);
    sheet->SetCaption(Caption);
    return sheet;
  };
  BuildMainPage(page("Основные"));
  BuildExtraPage(page("Дополнительные"));

  const fw::Integer top = ClientHeight() - 32;
  butCancel = MakeBottomButton(this, "butCancel", "Отмена", fw::mrCancel, {112, top, 80, 25});
  butCancel->SetCancel(true);
  butOk = MakeBottomButton(this, "butOk", "OK", fw::mrOk, {198, top, 80, 25});
  BindRefusableOk(this, butOk, [this] { Apply(); });
  butApply = MakeBottomButton(this, "butApply", "Применить", fw::mrNone, {284, top, 80, 25});
  butApply->OnClick = [this](fw::TObject*) { Apply(); };
  BindCtrlEnter(this, butOk);
  BindMemoKeys(Memo1, butCancel, true);

  LoadControls();
  FSnapshot = std::make_unique<workspace::TPropSaver>(fw::String(), kSection, false);
  FSnapshot->WriteTitle(kSection, &FTitle);
  // The gradient is edited in a dialog of its own; Cancel here undoes that too.
  FSnapshot->WriteGradient(kGradientKey, FTitle.Gradient());
  PageControl1->SetActivePageIndex(0);
  GrowPagesToChildren(PageControl1, 6);
}

TwndTitle::~TwndTitle() = default;

void TwndTitle::BuildMainPage(fw::TWinControl* Page) {
  cbShowTitle = MakeCheckBox(Page, "cbShowTitle", "Отображать", {8, 6, 120, 17});
  Memo1 = new fw::TMemo(this);
  Memo1->SetParent(Page);
  Memo1->SetName("Memo1");
  Memo1->SetBounds(8, 28, 334, 70);
  itTemplates = MakeTitleTemplatesMenu(this, Page, 2, fw::Rect(232, 2, 342, 24), Memo1);
  cbxFontName = new TFontNameCombo(this);
  cbxFontName->SetParent(Page);
  cbxFontName->SetName("cbxFontName");
  cbxFontName->SetBounds(8, 104, 180, 21);
  cbxFontName->FillScreenFonts();
  cbxFontSize = MakeDropDownList(Page, "cbxFontSize",
                                 {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36",
                                  "48", "72"},
                                 {194, 104, 52, 21});
  cbxFontSize->SetStyle(fw::csDropDown);  // free text too
  itFontBold = MakeCheckBox(Page, "itFontBold", "Ж", {8, 132, 36, 17});
  itFontItalic = MakeCheckBox(Page, "itFontItalic", "К", {48, 132, 36, 17});
  itFontUnderline = MakeCheckBox(Page, "itFontUnderline", "Ч", {88, 132, 36, 17});
  itFontColor = MakeColorButton(Page, "itFontColor", {130, 130, 70, 21},
                                [this](fw::TColor Value) { FontColor = Value; });
  Alignment = MakeAlignmentMenu(this, Page, fw::Rect(RightOf(itFontColor) + 8, 128, RightOf(itFontColor) + 56, 152));
  itAlignment = Alignment.Submenu;
  itAlLeft = Alignment.Left;
  itAlCenter = Alignment.Center;
  itAlRight = Alignment.Right;
}

void TwndTitle::BuildExtraPage(fw::TWinControl* Page) {
  // Laid out from the controls' measured captions: the pairs of long radio captions stand one
  // above the other, and each group is as large as what it holds.
  auto* view = MakeGroupBox(Page, "gbxView", "Вид", {8, 4, 334, 40});
  itViewSimple = MakeRadioButton(view, "itViewSimple", "Простой заголовок - только текст", {6, 16, 160, 17});
  itViewFine = MakeRadioButton(view, "itViewFine", "Заголовок с оформлением - рамка, фон и тень", {6, 34, 162, 17});
  GrowToChildren(view, 6);
  itViewSimple->OnClick = [this](fw::TObject*) { UpdateEnabled(); };
  itViewFine->OnClick = [this](fw::TObject*) { UpdateEnabled(); };
  const fw::Integer row = BottomOf(view) + 6;
  auto* transparency = MakeLabel(Page, "Прозрачность", {8, row + 4, 80, 14});
  seTransparency = MakeSpinEdit(Page, "seTransparency", 0, 255, {90, row, 56, 21});
  butColor =
      MakeColorButton(Page, "butColor", {156, row, 70, 21}, [this](fw::TColor Value) { BackColor = Value; });
  butGradient = MakeButton(Page, "butGradient", "Градиент...", {232, row, 90, 21},
                           [this] { ShowGradientDialog(*FTitle.Gradient(), &FTitle); });
  butGradient->SetHint(u"Градиент");
  butGradient->SetShowHint(true);  // the ramp says no word of what it opens
  ShowGradientRamp(butGradient);
  FlowRight({transparency, seTransparency, butColor, butGradient}, 8, 6);

  const fw::Integer groups = row + 26;
  gbxFrame = MakeGroupBox(Page, "gbxFrame", "", {8, groups, 164, 92});
  auto* visible = MakeCheckBox(gbxFrame, "cbFrameVisible", "Рамка", {6, 4, 70, 17});
  auto* style = MakePenStyleButton(gbxFrame, "butFrameStyle", {6, 24, 150, 21});
  auto* width = MakeSpinEdit(gbxFrame, "seFrameWidth", 1, 10, {6, 48, 44, 21});
  auto* frameColor = MakeColorButton(gbxFrame, "butFrameColor", {56, 48, 60, 21},
                                     [this](fw::TColor Value) { FramePen.Color = Value; });
  FramePen = TPenControls{visible, style, width, frameColor, nullptr};
  itFrameSquare = MakeRadioButton(gbxFrame, "itFrameSquare", "Обычная рамка", {6, 72, 74, 17});
  itFrameRound = MakeRadioButton(gbxFrame, "itFrameRound", "Закругленная рамка", {6, 90, 80, 17});
  GrowToChildren(gbxFrame, 6);

  auto* place = MakeGroupBox(Page, "gbxPlace", "Размещение", {RightOf(gbxFrame) + 6, groups, 164, 92});
  itPosAuto = MakeRadioButton(place, "itPosAuto", "Расположение по умолчанию", {6, 16, 154, 17});
  itPosCustom = MakeRadioButton(place, "itPosCustom", "Заданное расположение", {6, 36, 154, 17});
  itPosAuto->OnClick = [this](fw::TObject*) { UpdateEnabled(); };
  itPosCustom->OnClick = [this](fw::TObject*) { UpdateEnabled(); };
  seCoordTop = MakeSpinEdit(place, "seCoordTop", -10000, 10000, {6, 60, 60, 21});
  seCoordLeft = MakeSpinEdit(place, "seCoordLeft", -10000, 10000, {80, 60, 60, 21});
  GrowToChildren(place, 6);
  const fw::Integer groupHeight = std::max(gbxFrame->Height(), place->Height());
  gbxFrame->SetHeight(groupHeight);
  place->SetHeight(groupHeight);
  view->SetWidth(std::max(view->Width(), RightOf(place) - 8));

  Shadow = MakeShadowGroup(Page, {8, BottomOf(place) + 4, view->Width(), 48});
  BindShadowColour(Shadow, "butShadowColor");
  gbxShadow = Shadow.Group;
  itShadowSimple = Shadow.Simple;
  itShadowSmooth = Shadow.Smooth;
  butShadowColor = Shadow.ColorButton;
  seShadowSize = Shadow.Size;
  seShadowTransp = Shadow.Transparency;
}

void TwndTitle::LoadControls() {
  cbShowTitle->SetChecked(FTitle.Visible());
  Memo1->Lines()->Clear();
  for (const fw::String& line : FTitle.Lines()) Memo1->Lines()->Add(line);
  const fw::TFont& font = *FTitle.Font();
  cbxFontName->SetItemIndex(cbxFontName->Items()->IndexOf(cs::Utf8ToWide(font.Name())));
  cbxFontSize->SetText(cs::Utf8ToWide(fw::IntToStr(font.Size())));
  itFontBold->SetChecked(font.Style().Contains(fw::fsBold));
  itFontItalic->SetChecked(font.Style().Contains(fw::fsItalic));
  itFontUnderline->SetChecked(font.Style().Contains(fw::fsUnderline));
  FontColor = font.Color();
  itFontColor->SetSelectedColor(FontColor);
  Alignment.Choose(FTitle.Alignment() == chart::tlaLeft    ? itAlLeft
                   : FTitle.Alignment() == chart::tlaRight ? itAlRight
                                                           : itAlCenter);
  itViewSimple->SetChecked(FTitle.Transparent());
  itViewFine->SetChecked(!FTitle.Transparent());
  seTransparency->SetValue(FTitle.Transparency());
  BackColor = FTitle.Color();
  butColor->SetSelectedColor(BackColor);
  SyncPenControls(FramePen, *FTitle.Frame(), true);
  itFrameSquare->SetChecked(FTitle.ShapeStyle() == chart::fosRectangle);
  itFrameRound->SetChecked(FTitle.ShapeStyle() == chart::fosRoundRectangle);
  itPosAuto->SetChecked(!FTitle.CustomPosition());
  itPosCustom->SetChecked(FTitle.CustomPosition());
  seCoordTop->SetValue(FTitle.Top());
  seCoordLeft->SetValue(FTitle.Left());
  SyncShadowToolbar(Shadow, *FTitle.Shadow(), true);
  UpdateEnabled();
}

void TwndTitle::UpdateEnabled() {
  const bool fine = itViewFine->Checked();
  SetGroupEnabled(gbxFrame, fine);
  SetGroupEnabled(gbxShadow, fine);
  for (fw::TControl* c : std::initializer_list<fw::TControl*>{butColor, butGradient, seTransparency})
    c->SetEnabled(fine);
  const bool custom = itPosCustom->Checked();
  seCoordTop->SetEnabled(custom);
  seCoordLeft->SetEnabled(custom);
}

void TwndTitle::Apply() {
  // Refused before anything is written, so that a refusal leaves no half-applied title.
  const fw::Integer size = fw::StrToInt(fw::Trim(cs::WideToUtf8(cbxFontSize->Text())));
  fw::String text;
  for (fw::Integer i = 0; i < Memo1->Lines()->Count(); ++i) {
    if (i) text += "\r\n";
    text += Memo1->Lines()->Strings(i);
  }
  FTitle.SetText(text);
  FTitle.SetVisible(cbShowTitle->Checked());
  fw::TFont& font = *FTitle.Font();
  if (cbxFontName->ItemIndex() >= 0) font.SetName(cs::WideToUtf8(cbxFontName->Items()->Strings(cbxFontName->ItemIndex())));
  font.SetSize(std::clamp(size, kMinFontSize, kMaxFontSize));
  fw::TFontStyles style;
  if (itFontBold->Checked()) style = style + fw::fsBold;
  if (itFontItalic->Checked()) style = style + fw::fsItalic;
  if (itFontUnderline->Checked()) style = style + fw::fsUnderline;
  font.SetStyle(style);
  font.SetColor(FontColor);
  const tx::TTxItem* alignment = Alignment.Chosen();
  FTitle.SetAlignment(alignment == itAlLeft    ? chart::tlaLeft
                      : alignment == itAlRight ? chart::tlaRight
                                               : chart::tlaCenter);
  SyncPenControls(FramePen, *FTitle.Frame(), false);
  FTitle.SetShapeStyle(itFrameRound->Checked() ? chart::fosRoundRectangle : chart::fosRectangle);
  if (itPosCustom->Checked()) {
    FTitle.SetTop(SpinInt(seCoordTop));
    FTitle.SetLeft(SpinInt(seCoordLeft));
  }
  FTitle.SetCustomPosition(itPosCustom->Checked());
  SyncShadowToolbar(Shadow, *FTitle.Shadow(), false);
  FTitle.SetTransparent(itViewSimple->Checked());
  FTitle.SetTransparency(SpinInt(seTransparency));
  FTitle.SetColor(BackColor);
  FTitle.InvalidateChart();
}

void TwndTitle::RestoreTitle() {
  FSnapshot->ReadTitle(kSection, &FTitle);
  FSnapshot->ReadGradient(kGradientKey, FTitle.Gradient());
  FTitle.InvalidateChart();
}

fw::Integer ShowTitleFormat(chart::TChartTitle& Title) {
  auto* chart = dynamic_cast<chart::TCustomChart*>(Title.ParentChart());
  std::unique_ptr<TwndTitle> dialog(new TwndTitle(fw::Application, Title));
  auto* watch = new TTargetWatch(dialog.get());
  watch->Watch(&Title);
  watch->Watch(chart);
  const fw::Integer result = dialog->ShowModal();
  if (watch->Gone()) return fw::mrCancel;
  if (result != fw::mrOk) dialog->RestoreTitle();
  if (chart) chart->SetCancelMouse(true);
  return result;
}

}  // namespace kvforms
