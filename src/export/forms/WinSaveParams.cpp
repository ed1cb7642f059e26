#include "export/forms/WinSaveParams.h"

#include <algorithm>
#include <memory>

#include "chart/PlotEngine.h"
#include "controls/CsButtons.h"
#include "controls/CsEditors.h"
#include "controls/CsPanels.h"
#include "controls/CsTextObject.h"
#include "controls/UniCodePages.h"
#include "controls/UniComboBox.h"
#include "export/forms/DialogControls.h"
#include "export/forms/MultiGraphExport.h"
#include "export/forms/WizardPicture.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GridsString.h"
#include "platform/controls/MessageBox.h"
#include "platform/user/services/SysMetrics.h"
#include "workspace/Common.h"
#include "workspace/Graph.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsKeeping.h"

namespace kvforms {
namespace {

constexpr const char* kSection = "EXPORT_DATA";
constexpr TBox kPage{150, 56, 300, 190};

cs::TCsEdit* MakeEdit(fw::TWinControl* Parent, const char* Name, TBox At) {
  auto* edit = new cs::TCsEdit(Parent);
  edit->SetName(Name);
  edit->SetParent(Parent);
  edit->SetBounds(At.Left, At.Top, At.Width, At.Height);
  edit->SetText(fw::String());
  return edit;
}

fw::String TextOf(cs::TCsEdit* Edit) { return cs::WideToUtf8(Edit->Text()); }

}  // namespace

TwndSaveParams::TwndSaveParams(fw::TComponent* AOwner, std::vector<workspace::TGraph*> Graphs)
    : fw::TForm(AOwner), FGraphs(std::move(Graphs)) {
  SetName("wndSaveParams");
  SetCaption("Мастер сохранения");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poDesktopCenter);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);
  SetClientWidth(456);
  SetClientHeight(284);
  Picture = new TWizardPicture(this);
  Picture->SetName("imgPicture");
  Picture->SetParent(this);
  Picture->SetBounds(6, 8, 136, 284 - 32 - 8 - 8);
  auto* first = MakeLabel(this, "Выделено несколько графиков", {150, 8, 300, 15});
  auto* second = MakeLabel(this, "Нужно определить дополнительные параметры сохранения", {150, 26, 300, 15});
  BuildPages();
  LoadSettings();
  FitNamesGrid();
  // The pages and the window widen to the longest measured caption; the buttons keep to the right.
  fw::Integer right = std::max(RightOf(first), RightOf(second));
  for (const auto& [name, page] : FPages) {
    GrowToChildren(page, 6);
    right = std::max(right, RightOf(page));
  }
  for (const auto& [name, page] : FPages) page->SetWidth(right - page->Left());
  const fw::Integer dx = std::max<fw::Integer>(0, right + 6 - ClientWidth());
  SetClientWidth(ClientWidth() + dx);
  const fw::Integer top = 284 - 32;
  butPrev = MakeBottomButton(this, "butPrev", "<< Назад", fw::mrNone, {134 + dx, top, 75, 25});
  butNext = MakeBottomButton(this, "butNext", "Далее >>", fw::mrNone, {212 + dx, top, 75, 25});
  butOk = MakeBottomButton(this, "butOk", "OK", fw::mrNone, {296 + dx, top, 75, 25});
  butOk->SetDefault(true);
  butCancel = MakeBottomButton(this, "butCancel", "Отмена", fw::mrCancel, {374 + dx, top, 75, 25});
  butCancel->SetCancel(true);
  butPrev->OnClick = [this](fw::TObject*) { butPrevClick(); };
  butNext->OnClick = [this](fw::TObject*) { butNextClick(); };
  butOk->OnClick = [this](fw::TObject*) { butOkClick(); };
  for (cs::TCsRadioButton* naming : {rbUseNames, rbSourceNames, rbManualNames})
    naming->OnClick = [this](fw::TObject*) { EnableOnFiles(); };
  // The key column names the graphs by title or by source as chosen; the typed names stay.
  for (cs::TCsRadioButton* show : {rbShowNames, rbShowSources}) show->OnClick = [this](fw::TObject*) { FillNames(); };
  ShowPage("Start");
  butPrev->SetEnabled(false);
  EnableOkNext(false, true);
}

fw::TPanel* TwndSaveParams::AddPage(const char* Name) {
  auto* page = new fw::TPanel(this);
  page->SetName(fw::String("page") + Name);
  page->SetParent(this);
  page->SetBounds(kPage.Left, kPage.Top, kPage.Width, kPage.Height);
  page->SetBevelOuter(fw::bvNone);
  page->SetCaption("");
  FPages.emplace_back(Name, page);
  return page;
}

void TwndSaveParams::BuildPages() {
  fw::TPanel* start = AddPage("Start");
  rbSaveBundle = MakeRadioButton(start, "rbSaveBundle", "Сохранить все графики в один файл", {4, 4, 290, 17});
  rbSaveSeparate = MakeRadioButton(start, "rbSaveSeparate", "Сохранить графики в разные файлы", {4, 26, 290, 17});
  cbFormatParams = MakeCheckBox(start, "cbFormatParams", "Определить дополнительные параметы форматирования",
                                {4, 56, 290, 17});
  cbVisibleOnly = MakeCheckBox(start, "cbVisibleOnly", "Сохранять только видимую часть графиков", {4, 78, 290, 17});
  MakeWrappedLabel(start, "Разделители значений, строк и дробной части задаются на последней странице", {4, 104, 290, 30});

  fw::TPanel* format = AddPage("FileFormat");
  gbxFormat = MakeGroupBox(format, "gbxFormat", "Формат файла", {0, 0, 296, 150});
  rbTxt = MakeRadioButton(gbxFormat, "rbTxt", "Тектовый файл (*.TXT)", {10, 18, 270, 17});
  rbXml = MakeRadioButton(gbxFormat, "rbXml", "Файл в формате XML (*.XML)", {10, 40, 270, 17});
  rbHtm = MakeRadioButton(gbxFormat, "rbHtm", "Таблица в формате HTML (*.HTML)", {10, 62, 270, 17});
  rbXls = MakeRadioButton(gbxFormat, "rbXls", "Книга Microsoft Excel (*.XLS)", {10, 84, 270, 17});
  rbUsr = MakeRadioButton(gbxFormat, "rbUsr", "Текстовый файл, расширение пользователя", {10, 106, 270, 17});
  edUsrExt = MakeEdit(gbxFormat, "edUsrExt", {28, 124, 80, 21});

  fw::TPanel* bundle = AddPage("SaveBundle");
  cs::TCsGroupBox* name = MakeGroupBox(bundle, "", "Имя файла для сохранения", {0, 0, 296, 52});
  edBundlePath = MakeEdit(name, "edBundlePath", {10, 20, 244, 21});
  butBundlePath = MakeBottomButton(name, "butBundlePath", "...", fw::mrNone, {260, 20, 26, 21});
  butBundlePath->OnClick = [this](fw::TObject*) {
    fw::TSaveDialog dialog(nullptr);
    dialog.SetTitle("Файл для сохранения");
    dialog.SetFileName(TextOf(edBundlePath));
    if (dialog.Execute()) edBundlePath->SetText(dialog.FileName());
  };
  cs::TCsGroupBox* way = MakeGroupBox(bundle, "", "Способ сохранения", {0, 58, 296, 128});
  rbSaveSeq = MakeRadioButton(way, "rbSaveSeq", "Сохранять данные последовательно", {10, 18, 276, 17});
  MakeWrappedLabel(way, "В две колонки X Y. Заканчивается один график - начинается следующий ", {26, 38, 262, 28});
  rbSaveParal = MakeRadioButton(way, "rbSaveParal", "Сохранять данные параллельно", {10, 70, 276, 17});
  MakeWrappedLabel(way, "Xi Yi1 Yi2 ... YiN для каждой точки: только для графиков с одинаковыми X", {26, 90, 262, 28});

  fw::TPanel* files = AddPage("Files");
  cs::TCsGroupBox* path = MakeGroupBox(files, "", "Путь для сохранения", {0, 0, 296, 52});
  edFilesPath = MakeEdit(path, "edFilesPath", {10, 20, 246, 21});
  butFilesPath = MakeBottomButton(path, "butFilesPath", "...", fw::mrNone, {260, 20, 26, 21});
  butFilesPath->OnClick = [this](fw::TObject*) {
    fw::String folder = TextOf(edFilesPath);
    if (fw::SelectDirectory("Выбор каталога", "", folder)) edFilesPath->SetText(folder);
  };
  cs::TCsGroupBox* naming = MakeGroupBox(files, "", "Генерация имен файлов", {0, 58, 296, 128});
  rbUseNames = MakeRadioButton(naming, "rbUseNames", "Использовать имена графиков.", {10, 18, 276, 17});
  rbSourceNames = MakeRadioButton(naming, "rbSourceNames", "Использовать имена исходных файлов.", {10, 40, 276, 17});
  rbManualNames =
      MakeRadioButton(naming, "rbManualNames", "Вручную задать имена для каждого файла", {10, 62, 276, 17});
  MakeWrappedLabel(naming, "Одинаковым именам добавляются номера: file.txt, file1.txt, file2.txt", {10, 86, 276, 30});

  fw::TPanel* names = AddPage("FileNames");
  rbShowNames = MakeRadioButton(names, "rbShowNames", "Показывать имена графиков", {4, 2, 290, 17});
  rbShowSources = MakeRadioButton(names, "rbShowSources", "Показывать имена исходных файлов", {4, 22, 290, 17});
  GridNames = new fw::TStringGrid(names);
  GridNames->SetName("GridNames");
  GridNames->SetParent(names);
  GridNames->SetBounds(0, 44, 300, 146);
  GridNames->SetColCount(2);
  GridNames->SetFixedCols(1);
  GridNames->SetRowCount(fw::Integer(FGraphs.size()) + 1);
  GridNames->SetFixedRows(1);
  GridNames->SetColWidths(0, 185);
  GridNames->SetColWidths(1, 251);
  // The key column (the graphs) in the info-tip colours.
  GridNames->OnDrawCell = [this](fw::TObject*, fw::Integer ACol, fw::Integer ARow, const fw::TRect& Rect,
                                 fw::TGridDrawState) {
    if (ACol != 0 || ARow < GridNames->FixedRows()) return;
    fw::TCanvas* canvas = GridNames->Canvas();
    canvas->Brush()->SetColor(fw::clInfoBk);
    canvas->Font()->SetColor(fw::clInfoText);
    canvas->FillRect(Rect);
    canvas->TextRect(Rect, Rect.left + 2, Rect.top + 2, GridNames->Cells(ACol, ARow));
  };
  GridNames->SetOptions(GridNames->Options() + fw::goEditing + fw::goAlwaysShowEditor);
  GridNames->SetCells(0, 0, "График");
  GridNames->SetCells(1, 0, "Файл для сохранения (без пути и расширения)");

  fw::TPanel* separators = AddPage("Format");
  MakeLabel(separators, "Десятичный разделитель", {4, 6, 200, 15});
  cbDecSep = MakeDropDownList(separators, "cbDecSep", {"Запятая", "Точка"}, {4, 22, 200, 21});
  MakeLabel(separators, "Разделитель значений (пусто, то TAB)", {4, 52, 260, 15});
  edValSep = MakeEdit(separators, "edValSep", {4, 68, 200, 21});
  MakeLabel(separators, "Разделитель строк", {4, 98, 200, 15});
  cbLineSep = MakeDropDownList(separators, "cbLineSep",
                               {"Перевод строки (LF)", "Возврат каретки (CR)", "Возврат и перевод (CR+LF)"},
                               {4, 114, 200, 21});
}

void TwndSaveParams::LoadSettings() {
  workspace::TPropSaver store(kSection, true);
  const bool bundle = store.ReadBool("SaveBundle", true);
  rbSaveBundle->SetChecked(bundle);
  rbSaveSeparate->SetChecked(!bundle);
  cbVisibleOnly->SetChecked(store.ReadBool("SaveVisibleOnly", false));
  cbFormatParams->SetChecked(store.ReadBool("AskFormatParams", false));
  cs::TCsRadioButton* formats[] = {rbTxt, rbXml, rbHtm, rbXls, rbUsr};
  const fw::Integer format = store.ReadInteger("SaveFormat", 0);
  formats[format >= 0 && format < 5 ? format : 4]->SetChecked(true);
  edUsrExt->SetText(store.ReadString("UserFileExt", "dat"));
  edFilesPath->SetText(store.ReadString("FilesPath", ""));
  const fw::Integer naming = store.ReadInteger("FileNameGenerating", 0);
  (naming == 0 ? rbUseNames : naming == 1 ? rbSourceNames : rbManualNames)->SetChecked(true);
  edBundlePath->SetText(store.ReadString("BundlePath", ""));
  const bool sequential = store.ReadBool("SaveInSeries", true);
  rbSaveSeq->SetChecked(sequential);
  rbSaveParal->SetChecked(!sequential);
  const bool showNames = store.ReadBool("ShowNames", true);
  rbShowNames->SetChecked(showNames);
  rbShowSources->SetChecked(!showNames);
  cbDecSep->SetItemIndex(store.ReadInteger("DecimalSeparator", 0, 1, 0));
  cbLineSep->SetItemIndex(store.ReadInteger("LineSeparator", 0, 2, 0));
  edValSep->SetText(store.ReadString("ValueSeparator", ""));
  FillNames();
}

void TwndSaveParams::FillNames() {
  const bool showNames = rbShowNames->Checked();
  for (size_t i = 0; i < FGraphs.size(); ++i) {
    const workspace::TGraph* graph = FGraphs[i];
    GridNames->SetCells(0, fw::Integer(i) + 1, showNames ? graph->Series()->Title() : graph->Source);
  }
  // Long titles, paths and the heading show whole; the grid scrolls sideways.
  cs::WidenColumnsToCells(GridNames);
}

void TwndSaveParams::FitNamesGrid() {
  // Both columns, each as wide as its widest text (up to a limit for the graphs' column), and
  // the scroll bar many graphs bring: every heading shows whole. The pages and the window widen
  // to the grid.
  constexpr fw::Integer kGraphColumnMost = 2 * 185;
  if (GridNames->ColWidths(0) > kGraphColumnMost) GridNames->SetColWidths(0, kGraphColumnMost);
  const fw::Integer lines = 2 * GridNames->GridLineWidth();
  const fw::Integer frame = GridNames->Width() - GridNames->ClientWidth() + win::GetSystemMetrics(win::SM_CXVSCROLL);
  const fw::Integer width = GridNames->ColWidths(0) + GridNames->ColWidths(1) + lines + frame;
  if (width > GridNames->Width()) GridNames->SetWidth(width);
}

void TwndSaveParams::DoShow() {
  SetColor(workspace::GetThemeFormColor());
  fw::TForm::DoShow();
}

void TwndSaveParams::ShowPage(const fw::String& Name) {
  KeepTypedName();
  FPage = Name;
  for (auto& [name, page] : FPages) page->SetVisible(name == Name);
}

void TwndSaveParams::EnableOkNext(bool Ok, bool Next) {
  butOk->SetEnabled(Ok);
  butNext->SetEnabled(Next);
}

void TwndSaveParams::butNextClick() {
  butPrev->SetEnabled(true);
  const bool askFormat = cbFormatParams->Checked();
  if (FPage == "Start") {
    FReturnPage = rbSaveBundle->Checked() ? "SaveBundle" : "Files";
    gbxFormat->SetCaption(cs::Utf8ToWide(rbSaveBundle->Checked() ? "Формат файла" : "Формат файлов"));
    ShowPage("FileFormat");
  } else if (FPage == "FileFormat") {
    ShowPage(FReturnPage);
    if (FPage == "Files")
      EnableOnFiles();
    else
      EnableOkNext(!askFormat, askFormat);
  } else if (FPage == "SaveBundle") {
    if (TextOf(edBundlePath).empty()) {
      fw::AppMessageBox("Не задано имя файла для сохранения данных", 16);
      return;
    }
    FReturnPage = "SaveBundle";
    ShowPage("Format");
    EnableOkNext(true, false);
  } else if (FPage == "Files") {
    if (TextOf(edFilesPath).empty()) {
      fw::AppMessageBox("Не задан путь для сохранения файлов", 16);
      return;
    }
    if (rbManualNames->Checked()) {
      ShowPage("FileNames");
      EnableOkNext(!askFormat, askFormat);
    } else {
      FReturnPage = "Files";
      ShowPage("Format");
      EnableOkNext(true, false);
    }
  } else if (FPage == "FileNames") {
    FReturnPage = "FileNames";
    ShowPage("Format");
    EnableOkNext(true, false);
  }
}

void TwndSaveParams::butPrevClick() {
  EnableOkNext(false, true);
  if (FPage == "SaveBundle" || FPage == "Files") {
    FReturnPage = FPage;
    ShowPage("FileFormat");
  } else if (FPage == "FileFormat") {
    ShowPage("Start");
    butPrev->SetEnabled(false);
  } else if (FPage == "FileNames") {
    ShowPage("Files");
  } else if (FPage == "Format") {
    ShowPage(FReturnPage);
  }
}

void TwndSaveParams::EnableOnFiles() {
  // Typed names come on the next page, so OK waits for it; otherwise OK is here unless the
  // separators' page is asked for. Whether the choice was clicked or stored makes no difference.
  const bool typed = rbManualNames->Checked();
  const bool askFormat = cbFormatParams->Checked();
  EnableOkNext(!typed && !askFormat, typed || askFormat);
}

fw::Integer TwndSaveParams::FormatIndex() const {
  const cs::TCsRadioButton* formats[] = {rbTxt, rbXml, rbHtm, rbXls, rbUsr};
  for (fw::Integer i = 0; i < 5; ++i)
    if (formats[i]->Checked()) return i;
  return 4;
}

void TwndSaveParams::KeepTypedName() {
  if (GridNames->EditorMode()) GridNames->HideEditor();
}

void TwndSaveParams::StoreSettings() {
  workspace::TPropSaver store(kSection, true);
  store.WriteBool("SaveBundle", rbSaveBundle->Checked());
  store.WriteBool("SaveVisibleOnly", cbVisibleOnly->Checked());
  store.WriteBool("AskFormatParams", cbFormatParams->Checked());
  store.WriteInteger("SaveFormat", FormatIndex());
  store.WriteString("UserFileExt", TextOf(edUsrExt));
  store.WriteString("FilesPath", TextOf(edFilesPath));
  store.WriteInteger("FileNameGenerating", rbUseNames->Checked() ? 0 : rbSourceNames->Checked() ? 1 : 2);
  store.WriteString("BundlePath", TextOf(edBundlePath));
  store.WriteBool("SaveInSeries", rbSaveSeq->Checked());
  store.WriteBool("ShowNames", rbShowNames->Checked());
  store.WriteInteger("DecimalSeparator", cbDecSep->ItemIndex());
  store.WriteInteger("LineSeparator", cbLineSep->ItemIndex());
  store.WriteString("ValueSeparator", TextOf(edValSep));
  workspace::KeepSettings(store);
}

TExportParameters TwndSaveParams::AnsweredParameters() const {
  TExportParameters params;
  params.SaveBundle = rbSaveBundle->Checked();
  params.VisibleOnly = cbVisibleOnly->Checked();
  params.Path = TextOf(params.SaveBundle ? edBundlePath : edFilesPath);
  params.Format = fw::Byte(FormatIndex());
  if (params.Format == 4) params.UserExt = TextOf(edUsrExt);
  if (params.SaveBundle)
    params.Naming = rbSaveSeq->Checked() ? enOneFileSequential : enOneFileParallel;
  else
    params.Naming = rbUseNames->Checked() ? enFilesByGraphNames : rbSourceNames->Checked() ? enFilesBySourceNames
                                                                                           : enFilesByTypedNames;
  if (params.Naming == enFilesByTypedNames)
    for (fw::Integer row = 1; row < GridNames->RowCount(); ++row) params.Names.push_back(GridNames->Cells(1, row));
  return params;
}

void TwndSaveParams::butOkClick() {
  KeepTypedName();
  TExportParameters params = AnsweredParameters();
  // Files already there are replaced only when the user says so. "No" is no OK: nothing is
  // stored or written, and the wizard stays on its page, where the folder or the names can be
  // changed (or Cancel pressed).
  const std::vector<fw::String> there = ExportFilesAlreadyThere(FGraphs, params);
  if (!there.empty() && fw::AppMessageBox(fw::ReplaceExistingFilesQuestion(there), win::MB_YESNO | win::MB_ICONWARNING) !=
                            win::IDYES)
    return;
  StoreSettings();
  FParameters = std::move(params);
  if (OnParameters) OnParameters(FParameters);
  SetModalResult(fw::mrOk);
}

bool ExecuteSaveParams(const std::vector<workspace::TGraph*>& Graphs) {
  std::unique_ptr<TwndSaveParams> dialog(new TwndSaveParams(fw::Application, Graphs));
  if (dialog->ShowModal() != fw::mrOk) return false;
  // Written once the wizard is closed, so a failure reaches the caller rather than the dialog.
  ExportGraphs(Graphs, dialog->Parameters(), StoredExportSeparators());
  return true;
}

}  // namespace kvforms
