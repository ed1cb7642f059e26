#pragma once
// The main window: the chart with every graph on it, the graph collection and the undo stack it
// owns, the actions whose work exists (open, paste, copy, delete, undo, exit) on a menu bar, a
// status line with the graph counts, dropped files, the key handler, and the settings read when
// it is created and written when it closes.

#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "mainwindow/ShortCutTable.h"

namespace fw {
class TAction;
class TActionList;
class TMenuItem;
class TPanel;
class TPopupMenu;
}  // namespace fw

namespace cs {
class TBalloonControl;
class TCsLabelItem;
class TCsSeparatorItem;
class TCsStatusBar;
class TCsThemeGroupItem;
}

namespace toolbars {
class TTBCustomItem;
}

namespace analysis {
class TChartListBox;
}

namespace chart {
class TChart;
class TAxisScrollTool;
class TMarksTipTool;
class TDragPointTool;
class TCursorTool;
class TMultiSelectorTool;
class TChartGrid;
}  // namespace chart

namespace workspace {

class TGraphCollection;
class TGraphToolbar;
class TMainWindowBars;
class TOperationCollection;
class TPropSaver;

inline constexpr const char* ApplicationTitle = "Korvalin 4";

class TwndKorvalinMain : public fw::TForm {
 public:
  explicit TwndKorvalinMain(fw::TComponent* AOwner);
  ~TwndKorvalinMain() override;

  chart::TChart* Chart() const { return FChart; }
  // The chart's tools, in the order they hear the mouse.
  chart::TAxisScrollTool* ScrollAxisX() const { return FScrollAxisX; }
  chart::TAxisScrollTool* ScrollAxisY() const { return FScrollAxisY; }
  chart::TMarksTipTool* HintValuesTool() const { return FHintValuesTool; }
  chart::TDragPointTool* DragPointTool() const { return FDragPointTool; }
  chart::TCursorTool* TracingTool() const { return FTracingTool; }
  chart::TMultiSelectorTool* MultiSelectorTool() const { return FMultiSelectorTool; }
  // The data panel and its grid of the graph last clicked on the chart, and the panel's context
  // menu (copy the selected cells, select them all, hide the panel).
  fw::TPanel* DataPanel() const { return FDataPanel; }
  chart::TChartGrid* DataGrid() const { return FDataGrid; }
  fw::TPopupMenu* DataMenu() const { return FDataMenu; }
  TGraphCollection* Graphs() const { return FGraphs.get(); }
  // The graph list beside the chart: the chart's series, switched on and off, renamed and
  // reordered through the graph collection.
  analysis::TChartListBox* GraphList() const { return FGraphList; }
  TOperationCollection* Operations() const { return FOperations.get(); }

  // The end of a session (SessionEnd.h): the settings written as a close writes them, at once and
  // once a run, from whatever message loop runs (a box or dialog may be open); a failure is not
  // said, nobody is there to answer it. Nothing before the start-up has read the settings.
  void KeepSettingsAtSessionEnd();
  // After the message loop has ended: the close as on Alt+X, without the close question, unless
  // the window closed already.
  void CloseWithoutQuestions();

  fw::TAction* OpenAction() const { return FOpen; }
  fw::TAction* PasteAction() const { return FPaste; }
  fw::TAction* CopyAction() const { return FCopy; }
  fw::TAction* DeleteAction() const { return FDelete; }
  fw::TAction* UndoAction() const { return FUndo; }
  fw::TAction* ExitAction() const { return FExit; }
  fw::TAction* DerivativeAction() const { return FDerivative; }
  fw::TAction* Derivative2Action() const { return FDerivative2; }
  fw::TAction* ShowHintValuesAction() const { return FShowHintValues; }
  fw::TAction* ShowDataAction() const { return FShowData; }
  fw::TAction* SaveAsAction() const { return FSaveAs; }
  fw::TAction* PrintAction() const { return FPrint; }
  fw::TAction* FrameFormatAction() const { return FFrameFormat; }
  fw::TAction* TitleFormatAction() const { return FTitleFormat; }
  fw::TAction* LegendFormatAction() const { return FLegendFormat; }
  fw::TAction* AxisXFormatAction() const { return FAxisXFormat; }
  fw::TAction* AxisYFormatAction() const { return FAxisYFormat; }
  fw::TAction* LinePropAction() const { return FLineProp; }
  // Analysis commands (WinMainAnalysis.cpp).
  fw::TAction* NormalizeAction() const { return FNormalize; }
  fw::TAction* OffsetAction() const { return FOffset; }
  fw::TAction* TrimAction() const { return FTrim; }
  fw::TAction* LimitsXAction() const { return FLimitsX; }
  fw::TAction* LimitsYAction() const { return FLimitsY; }
  fw::TAction* LimitsBothAction() const { return FLimitsBoth; }
  fw::TAction* ToggleTracingAction() const { return FToggleTracing; }
  // Maximum, minimum, delta, average, integral.
  const std::vector<fw::TAction*>& FindActions() const { return FFindActions; }
  // The same five measures over a group of graphs.
  const std::vector<fw::TAction*>& FindGroupActions() const { return FFindGroupActions; }
  // Sum, difference, product, quotient by point index, then the same four resampled.
  const std::vector<fw::TAction*>& ArithmeticActions() const { return FArithmeticActions; }
  // Mean line, upper and lower envelope of several graphs, and the resampled mean line.
  const std::vector<fw::TAction*>& GroupLineActions() const { return FGroupLineActions; }
  // Graphs from formulas (a new y = f(x), a new parametric graph), graphs computed from the
  // current one (spline, envelope), and the current formula or derived graph edited again.
  fw::TAction* AddFuncGraphAction() const { return FAddFuncGraph; }
  fw::TAction* AddParamFuncGraphAction() const { return FAddParamFuncGraph; }
  fw::TAction* AddSplineAction() const { return FAddSpline; }
  fw::TAction* AddEnvelopeAction() const { return FAddEnvelope; }
  fw::TAction* AddPolynomAction() const { return FAddPolynom; }
  fw::TAction* EditGraphParamsAction() const { return FEditGraphParams; }

  // The files through the collection's file-opening routine (open dialog, drops).
  void OpenFileNames(const std::vector<fw::String>& FileNames);
  // What the status line's panels show: "Графиков: N" and, with a current graph, its title.
  fw::String StatusText() const;
  const TShortCutTable& ShortCuts() const { return FShortCuts; }
  // The menu item that runs Action (nullptr when the menu has none).
  toolbars::TTBCustomItem* MenuItemOf(const fw::TAction* Action) const;
  // The docks, menu bar and toolbars (MainWindowBars.h), and the graph toolbar.
  TMainWindowBars* Bars() const { return FBars.get(); }
  TGraphToolbar* GraphBar() const { return FGraphBar.get(); }
  // "Тема оформления" on the Вид menu, and the theme entries it shows (sorted, "Default" first).
  toolbars::TTBCustomItem* ThemeMenu() const { return FThemeMenu; }
  cs::TCsThemeGroupItem* ThemeItems() const { return FThemeItems; }
  cs::TCsStatusBar* StatusBar() const { return FStatus; }
  // The balloon that shows notices over the status line (nullptr before the first).
  cs::TBalloonControl* NoticeBalloon() const { return FNoticeBalloon; }

 protected:
  void CreateWnd() override;
  void Dispatch(fw::TMessage& Message) override;
  void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;

 private:
  void FormCreate();
  void FormCloseQuery(bool& CanClose);
  void FormClose();
  // The settings written at exit, once a run.
  void KeepSettingsAtExit();
  void BuildActions();
  // The menu bar and toolbars (WinMainBars.cpp).
  void BuildMenu();
  // The theme menu on Parent; its check follows a switch made elsewhere when it opens.
  void BuildThemeMenu(toolbars::TTBCustomItem* Parent);
  // The status line's panels: the graph count and the current graph's title.
  void BuildStatusBar();
  void ShowStatus();
  // The recent files and the toolbar layout, read at start and written at exit.
  void LoadBarSettings(TPropSaver& Store);
  void SaveBarSettings(TPropSaver& Store) const;
  // The recent files this run put on top, over the list the settings file holds now.
  void SaveRecentFiles(TPropSaver& Store) const;
  // Every value the main window keeps in the settings file at exit except the recent files.
  void SaveSettings(TPropSaver& Store) const;
  // A key of the key table run for a floating toolbar (true when it named an action).
  bool RunShortCut(fw::TShortCut Key);
  // The files that exist go on top of the recent-files list.
  void RememberRecentFiles(const std::vector<fw::String>& FileNames);
  // Actions and menu items show the data module's command images.
  void ShowImages();
  // Menu items show their action's caption, state and first key binding.
  void RefreshMenu();
  void BuildTools();
  void BuildDataPanel();
  void BuildDataMenu();
  // Caption followed by a tab and the first key binding of Action, as menu items show it.
  fw::String WithShortCut(const fw::String& Caption, const fw::TAction* Action) const;
  void LoadToolSettings(const TPropSaver& Store);
  void SaveToolSettings(TPropSaver& Store) const;
  // An armed point pick takes a left press before any tool sees it.
  void ChartBeforeMouseDown(fw::TMouseButton Button, fw::Integer X, fw::Integer Y, bool& Handled);
  // The selection on the chart made a graph current.
  void ChartSelected();
  void GraphsChanged();
  void OperationsChanged();
  void DropFiles(fw::TMessage& Message);
  // The services the dialogs reach through the workspace (WinMainServices.cpp): the notice
  // balloon, the information window, the theme's form colour; removed before the window goes.
  void InstallServices();
  void RemoveServices();
  // A notice in the balloon over the status line, when balloon tips are on (WinMainBalloons.cpp).
  void ShowNotice(const fw::String& Title, const fw::String& Text, fw::Integer BalloonType);
  // Runs an action's work, showing a failure in the application's error box.
  template <typename F>
  void Guarded(F Work);

  void OpenExecute();
  void PasteExecute();
  void CopyExecute();
  void DeleteExecute();
  void UndoExecute();
  void DerivativeExecute();
  void Derivative2Execute();
  void ShowHintValuesExecute();
  void ShowDataExecute();

  // The save, export, copy and print commands (WinMainExport.cpp).
  void BuildExportActions();
  // The copy commands of the collection ask through the copy dialogs.
  void ConnectExportDialogs();
  void SaveAsExecute();
  void PrintExecute();
  // Saves to FileName by its extension: a picture of the chart through the save-image dialog,
  // else the current graph as a table (".xls", ".xml", ".htm"/".html") or as text.
  void SaveToFileName(const fw::String& FileName);
  // Analysis commands (WinMainAnalysis.cpp).
  void BuildAnalysisActions();
  // The "Операции" menu: nullptr stands for a separator.
  std::vector<fw::TAction*> OperationsMenuActions() const;
  void UpdateAnalysisActions();
  // The analysis windows' hold on the chart's tools, taken at creation and let go at close.
  void ConnectAnalysisTools();
  void BuildGraphList();
  // The list's renames and exchanges go through the collection.
  void ConnectGraphList();
  void DisconnectAnalysisTools();
  // Format commands and the chart double-click (WinMainFormat.cpp).
  void BuildFormatActions();
  void UpdateFormatActions();
  void FrameFormatExecute();
  // Opens the format dialog of the part the selector saw clicked last.
  void ChartDblClick();

  chart::TChart* FChart = nullptr;
  cs::TCsStatusBar* FStatus = nullptr;
  cs::TCsLabelItem* FStatusCount = nullptr;
  cs::TCsSeparatorItem* FStatusSeparator = nullptr;
  cs::TCsLabelItem* FStatusGraph = nullptr;
  fw::TActionList* FActions = nullptr;
  std::unique_ptr<TMainWindowBars> FBars;
  std::unique_ptr<TGraphToolbar> FGraphBar;
  toolbars::TTBCustomItem* FThemeMenu = nullptr;
  cs::TCsThemeGroupItem* FThemeItems = nullptr;
  fw::TAction* FOpen = nullptr;
  fw::TAction* FPaste = nullptr;
  fw::TAction* FCopy = nullptr;
  fw::TAction* FDelete = nullptr;
  fw::TAction* FUndo = nullptr;
  fw::TAction* FExit = nullptr;
  fw::TAction* FDerivative = nullptr;
  fw::TAction* FDerivative2 = nullptr;
  fw::TAction* FShowHintValues = nullptr;
  fw::TAction* FShowData = nullptr;
  fw::TAction* FSaveAs = nullptr;
  fw::TAction* FPrint = nullptr;
  fw::TAction* FFrameFormat = nullptr;
  fw::TAction* FTitleFormat = nullptr;
  fw::TAction* FLegendFormat = nullptr;
  fw::TAction* FAxisXFormat = nullptr;
  fw::TAction* FAxisYFormat = nullptr;
  fw::TAction* FLineProp = nullptr;
  cs::TBalloonControl* FNoticeBalloon = nullptr;
  // Analysis commands (WinMainAnalysis.cpp).
  fw::TAction* FNormalize = nullptr;
  fw::TAction* FOffset = nullptr;
  fw::TAction* FTrim = nullptr;
  fw::TAction* FLimitsX = nullptr;
  fw::TAction* FLimitsY = nullptr;
  fw::TAction* FLimitsBoth = nullptr;
  fw::TAction* FToggleTracing = nullptr;
  std::vector<fw::TAction*> FFindActions;
  std::vector<fw::TAction*> FFindGroupActions;
  std::vector<fw::TAction*> FArithmeticActions;
  std::vector<fw::TAction*> FGroupLineActions;
  fw::TAction* FAddFuncGraph = nullptr;
  fw::TAction* FAddParamFuncGraph = nullptr;
  fw::TAction* FAddSpline = nullptr;
  fw::TAction* FAddEnvelope = nullptr;
  fw::TAction* FAddPolynom = nullptr;
  fw::TAction* FEditGraphParams = nullptr;
  std::vector<fw::TAction*> FCurrentGraphActions;
  std::vector<fw::TAction*> FAnyGraphActions;
  analysis::TChartListBox* FGraphList = nullptr;
  fw::TPanel* FDataPanel = nullptr;
  chart::TChartGrid* FDataGrid = nullptr;
  fw::TPopupMenu* FDataMenu = nullptr;
  fw::TMenuItem* FDataCopyItem = nullptr;
  chart::TAxisScrollTool* FScrollAxisX = nullptr;
  chart::TAxisScrollTool* FScrollAxisY = nullptr;
  chart::TMarksTipTool* FHintValuesTool = nullptr;
  chart::TDragPointTool* FDragPointTool = nullptr;
  chart::TCursorTool* FTracingTool = nullptr;
  chart::TMultiSelectorTool* FMultiSelectorTool = nullptr;
  std::vector<std::pair<fw::TMenuItem*, fw::TAction*>> FMenuActions;
  TShortCutTable FShortCuts;
  std::unique_ptr<TGraphCollection> FGraphs;
  std::unique_ptr<TOperationCollection> FOperations;
  bool FClosed = false;
  bool FSettingsKept = false;
  bool FHadGraphs = false;
  // The settings file's values as read at start (those of the keys SaveSettings writes), the
  // settings as this run started with them (SaveSettings right after they were read) and the
  // recent files read: at exit only what this run changed is written over the file as it is then.
  std::unique_ptr<TPropSaver> FSettingsAsRead;
  std::unique_ptr<TPropSaver> FSettingsAtStart;
  std::vector<fw::String> FRecentAtStart;
};

}  // namespace workspace
