// The main window's save, export, copy and print commands.

#include <exception>

#include "controls/Balloon.h"
#include "export/forms/WinCopy.h"
#include "export/forms/WinPrint.h"
#include "export/forms/WinSaveImg.h"
#include "export/forms/WinSaveParams.h"
#include "framework/ActnList.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/SysUtils.h"
#include "mainwindow/WinMain.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"

namespace workspace {
namespace {

constexpr const char* kSaveFilter =
    "Текстовые файлы (*.txt)|*.txt|Книга Excel (*.xls)|*.xls|XML (*.xml)|*.xml|HTML (*.htm;*.html)|*.htm;*.html|"
    "Рисунок BMP (*.bmp)|*.bmp|Рисунок JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Рисунок GIF (*.gif)|*.gif|"
    "Рисунок SVG (*.svg)|*.svg|Рисунок TIFF (*.tif;*.tiff)|*.tif;*.tiff|Метафайл (*.wmf)|*.wmf|"
    "Расширенный метафайл (*.emf)|*.emf|Рисунок PCX (*.pcx)|*.pcx|Все файлы (*.*)|*.*";

bool IsPictureExt(const fw::String& Ext) {
  for (const char* ext : {".bmp", ".jpg", ".jpeg", ".gif", ".svg", ".tif", ".tiff", ".wmf", ".emf", ".pcx"})
    if (Ext == ext) return true;
  return false;
}

template <typename F>
void ShowingFailure(F Work) {
  try {
    Work();
  } catch (const std::exception& e) {
    fw::Application->ShowException(e);
  }
}

}  // namespace

void TwndKorvalinMain::BuildExportActions() {
  FSaveAs = new fw::TAction(this);
  FSaveAs->SetName("actSaveAs");
  FSaveAs->SetCaption("Сохранить как...");
  FSaveAs->SetActionList(FActions);
  FSaveAs->OnExecute = [this](fw::TObject*) { ShowingFailure([this] { SaveAsExecute(); }); };
  FPrint = new fw::TAction(this);
  FPrint->SetName("actPrint");
  FPrint->SetCaption("Печать...");
  FPrint->SetActionList(FActions);
  FPrint->OnExecute = [this](fw::TObject*) { ShowingFailure([this] { PrintExecute(); }); };
}

void TwndKorvalinMain::PrintExecute() { kvforms::ShowPrintDialog(FChart, FMultiSelectorTool); }

void TwndKorvalinMain::ConnectExportDialogs() {
  FGraphs->OnCopyTextDialog = kvforms::ExecuteCopyTxt;
  FGraphs->OnCopyImageDialog = kvforms::ExecuteCopyImg;
}

void TwndKorvalinMain::SaveAsExecute() {
  // Several graphs selected on the chart: the wizard asks how they are written, and writes them.
  const TGraphArray selected = FGraphs->SelectedGraphs();
  if (selected.size() >= 2) {
    kvforms::ExecuteSaveParams(selected);
    return;
  }
  fw::TSaveDialog dialog(this);
  dialog.SetFilter(kSaveFilter);
  dialog.SetOptions(dialog.Options() + fw::ofOverwritePrompt);
  if (!dialog.Execute()) return;
  SaveToFileName(dialog.FileName());
}

void TwndKorvalinMain::SaveToFileName(const fw::String& FileName) {
  const fw::String ext = fw::LowerCase(fw::ExtractFileExt(FileName));
  if (IsPictureExt(ext)) {
    kvforms::SaveChartImage(FileName, FMultiSelectorTool);
    return;
  }
  TGraph* graph = FGraphs->Current();
  if (!graph) throw fw::Exception("Нет графика для сохранения");
  if (ext == ".xls")
    graph->SaveAsXLS(FileName);
  else if (ext == ".xml")
    graph->SaveAsXML(FileName);
  else if (ext == ".htm" || ext == ".html")
    graph->SaveAsHTML(FileName);
  else
    graph->SaveAsText(FileName);
}

}  // namespace workspace
