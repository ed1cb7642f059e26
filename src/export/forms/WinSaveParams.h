#pragma once
// The wizard asking how several selected graphs are to be saved: one file or one per graph,
// the format, the names and the separators. Its answers are kept in the settings file's section
// "EXPORT_DATA" and handed over as TExportParameters.

#include <functional>
#include <string>
#include <vector>

#include "framework/Forms.h"

namespace fw {
class TPanel;
class TStringGrid;
}  // namespace fw
namespace cs {
class TCsButton;
class TCsCheckBox;
class TCsComboBox;
class TCsEdit;
class TCsGroupBox;
class TCsRadioButton;
}  // namespace cs
namespace workspace {
class TGraph;
}

namespace kvforms {

class TWizardPicture;

// How the graphs go to files.
enum TExportNaming : fw::Byte {
  enOneFileSequential = 0,
  enOneFileParallel = 1,
  enFilesByGraphNames = 2,
  enFilesBySourceNames = 3,
  enFilesByTypedNames = 4
};

struct TExportParameters {
  bool SaveBundle = true;
  bool VisibleOnly = false;
  fw::String Path;     // the file for one file, else the folder
  fw::Byte Format = 0;  // 0 text, 1 XML, 2 HTML, 3 XLS, 4 text with UserExt
  fw::String UserExt;  // only for format 4
  fw::Byte Naming = enOneFileSequential;
  fw::String Text;                 // unused
  std::vector<fw::String> Names;  // the typed name of each graph, for naming 4
};

class TwndSaveParams : public fw::TForm {
 public:
  // Graphs: the selected graphs in selection order (not owned).
  TwndSaveParams(fw::TComponent* AOwner, std::vector<workspace::TGraph*> Graphs);

  // The name of the page showing: "Start", "FileFormat", "SaveBundle", "Files", "FileNames" or
  // "Format".
  fw::String Page() const { return FPage; }
  void butNextClick();
  void butPrevClick();
  // Asks before files already there would be replaced (and on "No" stays, storing nothing);
  // then writes the section, builds the record and hands it to OnParameters.
  void butOkClick();
  const TExportParameters& Parameters() const { return FParameters; }
  std::function<void(const TExportParameters&)> OnParameters;

  cs::TCsRadioButton* rbSaveBundle = nullptr;
  cs::TCsRadioButton* rbSaveSeparate = nullptr;
  cs::TCsCheckBox* cbFormatParams = nullptr;
  cs::TCsCheckBox* cbVisibleOnly = nullptr;
  cs::TCsGroupBox* gbxFormat = nullptr;
  cs::TCsRadioButton* rbTxt = nullptr;
  cs::TCsRadioButton* rbXml = nullptr;
  cs::TCsRadioButton* rbHtm = nullptr;
  cs::TCsRadioButton* rbXls = nullptr;
  cs::TCsRadioButton* rbUsr = nullptr;
  cs::TCsEdit* edUsrExt = nullptr;
  cs::TCsEdit* edBundlePath = nullptr;
  cs::TCsRadioButton* rbSaveSeq = nullptr;
  cs::TCsRadioButton* rbSaveParal = nullptr;
  cs::TCsEdit* edFilesPath = nullptr;
  cs::TCsButton* butFilesPath = nullptr;
  cs::TCsButton* butBundlePath = nullptr;  // "...": a save dialog filling edBundlePath
  cs::TCsRadioButton* rbUseNames = nullptr;
  cs::TCsRadioButton* rbSourceNames = nullptr;
  cs::TCsRadioButton* rbManualNames = nullptr;
  cs::TCsRadioButton* rbShowNames = nullptr;
  cs::TCsRadioButton* rbShowSources = nullptr;
  fw::TStringGrid* GridNames = nullptr;
  cs::TCsComboBox* cbDecSep = nullptr;
  cs::TCsEdit* edValSep = nullptr;
  cs::TCsComboBox* cbLineSep = nullptr;
  cs::TCsButton* butCancel = nullptr;
  cs::TCsButton* butOk = nullptr;
  cs::TCsButton* butNext = nullptr;
  cs::TCsButton* butPrev = nullptr;
  TWizardPicture* Picture = nullptr;  // at the left, beside every page

 protected:
  void DoShow() override;

 private:
  fw::TPanel* AddPage(const char* Name);
  void BuildPages();
  void LoadSettings();
  // The key column of GridNames: each graph's title, or its source with rbShowSources.
  void FillNames();
  // GridNames as wide as its columns, once, before the pages take their widths.
  void FitNamesGrid();
  // Shows the page Name; a name still being typed in GridNames reaches its cell first.
  void ShowPage(const fw::String& Name);
  // The name being typed in GridNames goes to its cell (before a page is left or OK reads them).
  void KeepTypedName();
  void EnableOkNext(bool Ok, bool Next);
  // OK and Next on the "Files" page, by the naming chosen there and the separators' page asked.
  void EnableOnFiles();
  // The controls into section "EXPORT_DATA", kept in the settings file.
  void StoreSettings();
  // The record the controls answer.
  TExportParameters AnsweredParameters() const;
  fw::Integer FormatIndex() const;

  std::vector<workspace::TGraph*> FGraphs;
  std::vector<std::pair<fw::String, fw::TPanel*>> FPages;
  fw::String FPage;
  fw::String FReturnPage;
  TExportParameters FParameters;
};

// Shows the wizard for Graphs; on OK writes their files as it was answered (ExportGraphs).
bool ExecuteSaveParams(const std::vector<workspace::TGraph*>& Graphs);

}  // namespace kvforms
