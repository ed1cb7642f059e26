#include "export/forms/WinPrint.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartElement.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotMultiSelectorTool.h"
#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "controls/CsTextObject.h"
#include "controls/CsTrackBar.h"
#include "controls/NumericSpinEdit.h"
#include "export/PlotPreviewPanel.h"
#include "export/forms/DialogControls.h"
#include "framework/Dialogs.h"
#include "framework/Printers.h"
#include "platform/desktop/PrintService.h"
#include "workspace/Common.h"
#include "workspace/FileErrors.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace kvforms {
namespace {

constexpr const char* kSection = "PRINT";
constexpr const char* kPdfPrinter = "PDF";

// The print system's reasons for refusing a job, in the user's words; any other is quoted.
fw::String RefusalReason(const fw::String& Reason) {
  namespace wd = win::desktop;
  static const std::pair<const char*, const char*> kRefusals[] = {
      {wd::kQueueNotAcceptingJobs, "принтер не принимает задания"},
      {wd::kQueueGone, "принтер больше недоступен"},
      {wd::kPrintSystemNotAnswering, "система печати не отвечает"},
      {wd::kNoPrintSystem, "в системе нет службы печати"},
  };
  for (const auto& [english, russian] : kRefusals)
    if (Reason == english) return russian;
  return "система печати не приняла задание (" + Reason + ")";
}

// The printer's own failures in the user's words.
fw::String PrinterReason(const fw::String& Text) {
  static const std::pair<const char*, const char*> kReasons[] = {
      {"Printer index out of range", "такого принтера нет"},
      {"Printing in progress", "идет другая печать"},
      {"Printing not in progress", "печать не начата"},
      {"Invalid printer resolution", "недопустимое разрешение принтера"},
      {"Invalid paper size", "недопустимый размер бумаги"},
      {"No file name for the PDF printer", "не задано имя файла PDF"},
      {"Cannot start the print job", "не удалось начать задание печати"},
      {"Cannot start a new page", "не удалось начать новую страницу"},
      {"Cannot finish the print job", "не удалось завершить задание печати"},
  };
  for (const auto& [english, russian] : kReasons)
    if (Text == english) return russian;
  if (Text.rfind("The printer \"", 0) == 0 && Text.find("is no longer available") != fw::String::npos)
    return "принтер больше недоступен";
  // "The print job could not be sent to "<queue>"", with ": <reason>" when the system gave one.
  constexpr std::string_view kNotSent = "The print job could not be sent to \"";
  if (Text.rfind(kNotSent, 0) == 0) {
    const std::size_t reason = Text.find("\": ", kNotSent.size());
    return reason == fw::String::npos ? fw::String("задание не удалось передать системе печати")
                                      : RefusalReason(Text.substr(reason + 3));
  }
  return Text;
}

// Runs Set with Handler held off.
template <typename F>
void Quietly(fw::TNotifyEvent& Handler, F Set) {
  fw::TNotifyEvent held = std::move(Handler);
  Handler = nullptr;
  Set();
  Handler = std::move(held);
}

}  // namespace

TwndPrint::TwndPrint(fw::TComponent* AOwner, chart::TChart* Chart, chart::TMultiSelectorTool* Selector)
    : fw::TForm(AOwner), FChart(Chart), FSelector(Selector), FPrinter(std::make_unique<fw::TPrinter>()) {
  SetName("wndPrint");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(409);
  SetClientHeight(431);
  BuildControls();
  p->SetPrinter(FPrinter.get());
  p->SetPanel(FChart);
  // These three apply what is loaded at once; the others wait until loading is done.
  cbShowMargins->OnClick = [this](fw::TObject*) { p->Margins()->SetVisible(cbShowMargins->Checked()); };
  cbAsImage->OnClick = [this](fw::TObject*) { p->SetAsBitmap(cbAsImage->Checked()); };
  tbResolution->OnChange = [this](fw::TObject*) {
    FChart->SetPrintResolution(tbResolution->Position());
    p->Invalidate();
  };
  LoadSettings();
  AttachHandlers();
}

TwndPrint::~TwndPrint() {
  RestoreChart();
  // The preview lets go of the chart and the printer before they outlive it.
  if (p) {
    p->SetPanel(nullptr);
    p->SetPrinter(nullptr);
  }
}

void TwndPrint::BuildControls() {
  p = new kvexport::TPlotPreviewPanel(this);
  p->SetName("p");
  p->SetParent(this);
  p->SetBounds(0, 0, 409, 250);

  gbxOrient = MakeGroupBox(this, "gbxOrient", "Ориентация", {8, 256, 118, 66});
  cbPortrait = MakeRadioButton(gbxOrient, "cbPortrait", "Книжная", {10, 18, 100, 17});
  cbLandscape = MakeRadioButton(gbxOrient, "cbLandscape", "Альбомная", {10, 40, 100, 17});

  gbxMargin = MakeGroupBox(this, "gbxMargin", "Поля (% от страницы)", {132, 256, 160, 66});
  seLeft = MakeSpinEdit(gbxMargin, "seLeft", 50, {8, 34, 46, 21});
  seTop = MakeSpinEdit(gbxMargin, "seTop", 50, {57, 16, 46, 21});
  seRight = MakeSpinEdit(gbxMargin, "seRight", 50, {106, 34, 46, 21});
  seBottom = MakeSpinEdit(gbxMargin, "seBottom", 50, {57, 40, 46, 21});

  gbxCopy = MakeGroupBox(this, "gbxCopy", "Копий", {298, 256, 103, 66});
  seCopies = MakeSpinEdit(gbxCopy, "seCopies", 10000, {10, 24, 82, 21});
  seCopies->SetMinValue(1);

  gbxOptions = MakeGroupBox(this, "gbxOptions", "Опции", {8, 326, 170, 74});
  cbProportional = MakeCheckBox(gbxOptions, "cbProportional", "Пропорционально", {10, 16, 152, 17});
  cbShowMargins = MakeCheckBox(gbxOptions, "cbShowMargins", "Показывать поля", {10, 34, 152, 17});
  cbAsImage = MakeCheckBox(gbxOptions, "cbAsImage", "Сглаживать лист", {10, 52, 152, 17});

  gbxAux = MakeGroupBox(this, "gbxAux", "Дополнительно", {184, 326, 217, 74});
  MakeLabel(gbxAux, "Уровень детализации", {10, 16, 140, 15});
  MakeLabel(gbxAux, "-", {10, 38, 10, 15});
  tbResolution = new cs::TCsTrackBar(gbxAux);
  tbResolution->SetName("tbResolution");
  tbResolution->SetParent(gbxAux);
  tbResolution->SetBounds(22, 34, 150, 26);
  tbResolution->SetMin(-100);
  tbResolution->SetMax(100);
  MakeLabel(gbxAux, "+", {176, 38, 10, 15});
  labResolutionNormal = MakeLabel(gbxAux, "Норма", {158, 15, 50, 15});
  labResolutionNormal->SetName("labResolutionNormal");
  labResolutionNormal->SetUnderline(true);
  labResolutionNormal->OnClick = [this](fw::TObject*) {
    tbResolution->SetPosition(0);
    FChart->SetPrintResolution(0);
    p->Invalidate();
  };

  butPrinter = MakeBottomButton(this, "butPrinter", "Принтер...", fw::mrNone, {8, 404, 96, 25});
  butPrinter->OnClick = [this](fw::TObject*) { SetUpPrinter(); };
  butPrint = MakeBottomButton(this, "butPrint", "Печать", fw::mrNone, {220, 404, 88, 25});
  butPrint->SetDefault(true);
  butPrint->OnClick = [this](fw::TObject*) {
    try {
      butPrintClick();
    } catch (const std::exception& e) {
      fw::Application->ShowException(e);
    }
  };
  butCancel = MakeBottomButton(this, "butCancel", "Закрыть", fw::mrCancel, {313, 404, 88, 25});
  butCancel->SetCancel(true);
}

void TwndPrint::LoadSettings() {
  workspace::TPropSaver store(kSection, true);
  cbShowMargins->SetChecked(store.ReadBool("ShowMargins", true));
  p->Margins()->SetVisible(cbShowMargins->Checked());
  cbAsImage->SetChecked(store.ReadBool("PrintAsImage", false));
  p->SetAsBitmap(cbAsImage->Checked());
  tbResolution->SetPosition(store.ReadInteger("Resolution", -100, 100, 0));
  FChart->SetPrintResolution(tbResolution->Position());
  seCopies->SetValue(store.ReadInteger("Copies", 1, 10000, 1));

  const fw::String name = store.ReadString("PrinterName", "");
  const std::vector<fw::String> printers = FPrinter->Printers();
  auto stored = std::find(printers.begin(), printers.end(), name);
  if (name.empty()) stored = printers.end();
  // The default printer is taken by its name now: should that queue go while the dialog is
  // open, printing says so as for a chosen one, and never falls to whichever is default then.
  if (stored != printers.end()) FPrinter->SetPrinterIndex(fw::Integer(stored - printers.begin()));
  else if (!printers.empty()) FPrinter->SetPrinterIndex(0);
  UpdateCaption();

  const bool landscape = store.ReadInteger("Orientation", 1) != 0;
  (landscape ? cbLandscape : cbPortrait)->SetChecked(true);
  FPrinter->SetOrientation(landscape ? fw::poLandscape : fw::poPortrait);
  p->SetOrientation(landscape ? kvexport::ppoLandscape : kvexport::ppoPortrait);

  cbProportional->SetChecked(store.ReadBool("Proportional", false));
  FChart->SetPrintProportional(cbProportional->Checked());
  if (cbProportional->Checked())
    ApplyProportionalMargins();
  else
    FChart->SetPrintMargins(store.ReadRect("Margin", FChart->PrintMargins()));
  ShowMargins();
  p->Invalidate();
}

void TwndPrint::AttachHandlers() {
  cbProportional->OnClick = [this](fw::TObject*) { ProportionalClick(); };
  cbPortrait->OnClick = [this](fw::TObject*) { OrientationClick(); };
  cbLandscape->OnClick = [this](fw::TObject*) { OrientationClick(); };
  for (cs::TCsSpinEdit* edit : {seLeft, seTop, seRight, seBottom})
    edit->OnChange = [this, edit](fw::TObject*) { MarginChange(edit); };
  p->OnChangeMargins = [this](fw::TObject*, bool Changed, const fw::TRect&) { PreviewMarginsChanged(Changed); };
}

// The printer chosen, also when its queue has gone since (printing then says so).
void TwndPrint::UpdateCaption() {
  SetCaption("Печать - " + (FPrinter->ChosenName().empty() ? FPrinter->PrinterName() : FPrinter->ChosenName()));
}

void TwndPrint::SetUpPrinter() {
  fw::TPrinterSetupDialog setup(nullptr);
  setup.Printer = FPrinter.get();
  if (!setup.Execute()) return;
  UpdateCaption();
  // The orientation buttons follow the printer, and the preview its paper.
  (FPrinter->Orientation() == fw::poLandscape ? cbLandscape : cbPortrait)->SetChecked(true);
  OrientationClick();
}

void TwndPrint::ChoosePrinter(fw::Integer Index) {
  FPrinter->SetPrinterIndex(Index);
  UpdateCaption();
  p->Invalidate();
}

void TwndPrint::ShowMargins() {
  FMargins = FChart->PrintMargins();
  const std::pair<cs::TCsSpinEdit*, fw::Integer> sides[] = {
      {seLeft, FMargins.left}, {seTop, FMargins.top}, {seRight, FMargins.right}, {seBottom, FMargins.bottom}};
  for (const auto& [edit, value] : sides)
    Quietly(edit->OnChange, [edit = edit, value = value] { edit->SetValue(value); });
}

void TwndPrint::ApplyProportionalMargins() {
  FChart->SetPrintMargins(FChart->CalcProportionalMargins(FPrinter->PageWidth(), FPrinter->PageHeight()));
}

void TwndPrint::UncheckProportionalQuietly() {
  Quietly(cbProportional->OnClick, [this] { cbProportional->SetChecked(false); });
}

void TwndPrint::OrientationClick() {
  const bool portrait = cbPortrait->Checked();
  FPrinter->SetOrientation(portrait ? fw::poPortrait : fw::poLandscape);
  p->SetOrientation(portrait ? kvexport::ppoPortrait : kvexport::ppoLandscape);
  if (cbProportional->Checked()) ApplyProportionalMargins();
  ShowMargins();
  p->Invalidate();
}

void TwndPrint::ProportionalClick() {
  FChart->SetPrintProportional(cbProportional->Checked());
  if (cbProportional->Checked()) ApplyProportionalMargins();
  ShowMargins();
  p->Invalidate();
}

void TwndPrint::MarginChange(cs::TCsSpinEdit* Edit) {
  // A value typed past the field's limit counts as the limit, which the field shows once left:
  // the page is printed with the margins the dialog shows.
  fw::Extended typed = Edit->Value();
  if (Edit->MinValue() != Edit->MaxValue()) typed = std::clamp(typed, Edit->MinValue(), Edit->MaxValue());
  const fw::Integer value = fw::Integer(typed);
  fw::Integer* side = Edit == seLeft ? &FMargins.left : Edit == seTop ? &FMargins.top
                    : Edit == seRight ? &FMargins.right : &FMargins.bottom;
  const fw::Integer opposite = Edit == seLeft ? FMargins.right : Edit == seTop ? FMargins.bottom
                             : Edit == seRight ? FMargins.left : FMargins.top;
  if (value + opposite >= 100) {
    const fw::Integer before = *side;
    Quietly(Edit->OnChange, [Edit, before] { Edit->SetValue(before); });
    return;
  }
  *side = value;
  FChart->SetPrintMargins(FMargins);
  FChart->SetPrintProportional(false);
  p->Invalidate();
  UncheckProportionalQuietly();
}

void TwndPrint::PreviewMarginsChanged(bool Changed) {
  ShowMargins();
  if (Changed) UncheckProportionalQuietly();
}

void TwndPrint::butPrintClick() {
  workspace::TPropSaver store(kSection, true);
  store.WriteInteger("Orientation", cbPortrait->Checked() ? 0 : 1);
  store.WriteRect("Margin", FChart->PrintMargins());
  store.WriteBool("Proportional", cbProportional->Checked());
  store.WriteBool("ShowMargins", cbShowMargins->Checked());
  store.WriteBool("PrintAsImage", cbAsImage->Checked());
  store.WriteInteger("Resolution", tbResolution->Position());
  const fw::Integer copies = fw::Integer(seCopies->Value());
  store.WriteInteger("Copies", copies);
  store.WriteString("PrinterName", FPrinter->PrinterName());
  // Settings not kept are said, and the page is printed all the same.
  workspace::KeepSettings(store);

  if (FPrinter->PrinterName() == kPdfPrinter && FPrinter->FileName.empty()) {
    fw::TSaveDialog dialog(this);
    dialog.SetFilter("Документ PDF (*.pdf)|*.pdf");
    dialog.SetDefaultExt("pdf");
    dialog.SetOptions(dialog.Options() + fw::ofOverwritePrompt);
    if (!dialog.Execute()) return;
    FPrinter->FileName = dialog.FileName();
  }
  // One job: a queue makes the copies itself.
  FPrinter->Copies = copies;
  const bool toFile = FPrinter->PrinterName() == kPdfPrinter;
  try {
    if (toFile)
      workspace::WithFileErrors(FPrinter->FileName, workspace::faWrite, [&] { p->Print(); });
    else
      p->Print();
  } catch (const fw::EStreamError&) {
    throw;
  } catch (const std::exception& e) {
    throw fw::Exception(toFile ? fw::Format("Не удалось напечатать в файл \"%s\": %s", FPrinter->FileName,
                                            PrinterReason(e.what()))
                               : fw::Format("Не удалось напечатать на принтере \"%s\": %s",
                                            FPrinter->ChosenName().empty() ? FPrinter->PrinterName()
                                                                           : FPrinter->ChosenName(),
                                            PrinterReason(e.what())));
  }
}

void TwndPrint::DoShow() {
  if (!FChartChanged) {
    FColor = FChart->Color();
    FWallColor = FChart->BackWall()->Color();
    FGradientVisible = FChart->Gradient()->Visible;
    FChartChanged = true;
  }
  FChart->SetColor(fw::clWhite);
  FChart->BackWall()->SetColor(fw::clWhite);
  FChart->Gradient()->Visible = false;
  if (FSelector) FSelector->SetActive(false);
  SetColor(workspace::GetThemeFormColor());
  fw::TForm::DoShow();
}

void TwndPrint::DoClose(fw::TCloseAction& Action) {
  fw::TForm::DoClose(Action);
  RestoreChart();
}

void TwndPrint::RestoreChart() {
  if (!FChartChanged) return;
  FChartChanged = false;
  FChart->SetColor(FColor);
  FChart->BackWall()->SetColor(FWallColor);
  FChart->Gradient()->Visible = FGradientVisible;
  FChart->Invalidate();
  if (FSelector) FSelector->SetActive(true);
}

void ShowPrintDialog(chart::TChart* Chart, chart::TMultiSelectorTool* Selector) {
  std::unique_ptr<TwndPrint> dialog(new TwndPrint(fw::Application, Chart, Selector));
  dialog->ShowModal();
}

}  // namespace kvforms
