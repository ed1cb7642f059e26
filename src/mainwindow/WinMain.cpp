#include "mainwindow/WinMain.h"

#include <algorithm>
#include <cerrno>
#include <exception>

#include "analysis/Analisis.h"
#include "analysis/WinFindOp.h"
#include "chart/Chart.h"
#include "chart/PlotCanvas.h"
#include "chart/PlotChartGrid.h"
#include "chart/PlotDragPoint.h"
#include "chart/PlotMultiSelectorTool.h"
#include "chart/PlotToolsAxisScroll.h"
#include "chart/PlotToolsCursor.h"
#include "chart/PlotToolsMarksTip.h"
#include "framework/ActnList.h"
#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/FileLock.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/StdCtrlsText.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "mainwindow/GraphToolbar.h"
#include "mainwindow/MainWindowBars.h"
#include "mainwindow/WinInfo.h"
#include "mainwindow/WorkspaceFile.h"
#include "platform/controls/MessageBox.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Files.h"
#include "platform/user/messages/DragDrop.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/services/SysMetrics.h"
#include "platform/user/windows/WinUserTypes.h"
#include "tx/Tx.h"
#include "tx/TxThemes.h"
#include "workspace/Common.h"
#include "workspace/DataModule.h"
#include "workspace/DataModuleImages.h"
#include "workspace/FileErrors.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"
#include "workspace/GraphText.h"
#include "workspace/OpenFiles.h"
#include "workspace/Operations.h"
#include "workspace/Preferences.h"
#include "workspace/PropSaver.h"
#include "workspace/SettingsMerge.h"
#include "workspace/SettingsKeeping.h"

namespace workspace {

namespace {

constexpr const char* kOpenFilter =
    "Текстовые файлы (*.txt)|*.txt|Файлы данных (*.dat)|*.dat|Все файлы (*.*)|*.*";
constexpr const char* kConfirmClose = "Имеются построенные графики. Подтвердите закрытие программы";
constexpr fw::Integer kMaxSelectorSize = 50;
constexpr const char* kSettingsUnread =
    "Не удалось прочитать файл настроек: используются настройки по умолчанию, при выходе файл не перезаписывается.";

}  // namespace

TwndKorvalinMain::TwndKorvalinMain(fw::TComponent* AOwner) : fw::TForm(AOwner) {
  SetName("wndKorvalinMain");
  SetCaption(ApplicationTitle);
  SetKeyPreview(true);
  SetBounds(80, 60, 900, 640);

  BuildStatusBar();
  // The docks sit above the status line, outside everything aligned after them.
  FBars = std::make_unique<TMainWindowBars>(this);

  BuildDataPanel();

  FChart = new chart::TChart(this);
  FChart->SetName("MainChart");
  FChart->SetParent(this);
  FChart->SetAlign(fw::alClient);
  FChart->OnBeforeMouseDown = [this](fw::TMouseButton Button, fw::TShiftState, fw::Integer X, fw::Integer Y,
                                     bool& Handled) { ChartBeforeMouseDown(Button, X, Y, Handled); };
  BuildTools();
  BuildGraphList();

  BuildActions();
  BuildMenu();
  BuildDataMenu();
  ShowImages();
  OnCreate = [this](fw::TObject*) { FormCreate(); };
  OnCloseQuery = [this](fw::TObject*, bool& CanClose) { FormCloseQuery(CanClose); };
  OnClose = [this](fw::TObject*, fw::TCloseAction&) { FormClose(); };
}

TwndKorvalinMain::~TwndKorvalinMain() {
  RemoveServices();
  DisconnectAnalysisTools();
  // The graphs free their series, which the chart lists: they go before the chart does.
  if (GraphCollection == FGraphs.get()) GraphCollection = nullptr;
  if (OperationCollection == FOperations.get()) OperationCollection = nullptr;
  // The undo stack goes first: it unlinks itself from the collection it acts on.
  FOperations.reset();
  FGraphs.reset();
  if (chart::MainChart == FChart) chart::MainChart = nullptr;
}

void TwndKorvalinMain::FormCreate() {
  // The collection and the undo stack, bound to each other and to the Undo action.
  FGraphs = std::make_unique<TGraphCollection>(FChart);
  FOperations = std::make_unique<TOperationCollection>(FGraphs.get());
  FGraphs->OnChange = [this](TGraphCollection*) { GraphsChanged(); };
  FGraphs->OnGraphSelected = [this](TGraph* Graph) {
    if (Graph) FMultiSelectorTool->SetSeries(Graph->Series());
    GraphsChanged();
  };
  FOperations->OnChange = [this](TOperationCollection*) { OperationsChanged(); };
  // The graphs selected on the chart are the operands of the operations on selected graphs.
  FGraphs->OnGetSelectedSeries = [this] {
    const auto& list = FMultiSelectorTool->SelectedSeries();
    return std::vector<chart::TChartSeries*>(list.begin(), list.end());
  };
  FGraphs->OnShowSelectionMarks = [this](bool Show) { FMultiSelectorTool->SetActive(Show); };
  FMultiSelectorTool->OnSelected = [this](fw::TObject*) { ChartSelected(); };
  ConnectExportDialogs();
  ConnectAnalysisTools();
  ConnectGraphList();
  GraphCollection = FGraphs.get();
  OperationCollection = FOperations.get();
  chart::MainChart = FChart;

  // Settings: the preferences record and the key bindings of the settings file. A file that
  // cannot be read leaves the defaults, is said once, and is not written over at exit.
  DeclareSettingsUnreadable(fw::String());
  // A folder in the file's place would read as no file at all and be said only when the
  // settings fail to be written at exit.
  const fw::String settingsFile = TPropSaver::SettingsFileName();
  if (fw::DirectoryExists(settingsFile))
    DeclareSettingsUnreadable(fw::Format("\"%s\": %s", settingsFile, SystemReasonText(EISDIR)));
  TPropSaver store(true);
  if (SettingsFileUnreadable()) {
    MarkSettingsNotKeptSaid();
    fw::AppMessageBox(fw::String(kSettingsUnread) + "\n" + SettingsUnreadReason(), win::MB_OK | win::MB_ICONWARNING);
  }
  LoadToolSettings(store);
  Preferences.Load(store);
  // An unknown theme name, or one whose theme cannot be made, gives "Default".
  const fw::String theme = store.ReadString("Theme", "Default");
  try {
    tx::SetCurrentTheme(tx::IsThemeRegistered(theme) ? theme : fw::String("Default"));
  } catch (const std::exception&) {
    tx::SetCurrentTheme("Default");
  }
  LoadBarSettings(store);
  FShortCuts.Load(store, [this](std::string_view Name) {
    return dynamic_cast<fw::TAction*>(FindComponent(Name)) != nullptr;
  });
  InstallServices();

  // The default workspace, when the user keeps one.
  const fw::String workspaceFile = DefaultWorkspaceFileName();
  if (Preferences.SaveGraphSettings && fw::FileExists(workspaceFile)) {
    TWorkspaceTitles take;
    if (AskWorkspaceTitles(take)) Guarded([&] { LoadWorkspace(workspaceFile, FChart, take); });
  }

  GraphsChanged();
  OperationsChanged();
  FSettingsAtStart = TPropSaver::FromStrings(nullptr, "PREFERENCES");
  SaveSettings(*FSettingsAtStart);
  FSettingsAsRead = ValuesAsRead(store, *FSettingsAtStart);
}

void TwndKorvalinMain::CreateWnd() {
  fw::TForm::CreateWnd();
  win::DragAcceptFiles(Handle(), win::TRUE);
}

void TwndKorvalinMain::BuildActions() {
  FActions = new fw::TActionList(this);
  // Keys reach the actions through the shortcut table, not through the actions' own shortcuts.
  auto make = [this](const char* Name, const char* Caption, void (TwndKorvalinMain::*Work)()) {
    auto* action = new fw::TAction(this);
    action->SetName(Name);
    action->SetCaption(Caption);
    action->SetActionList(FActions);
    action->OnExecute = [this, Work](fw::TObject*) { Guarded([this, Work] { (this->*Work)(); }); };
    return action;
  };
  FOpen = make("actOpen", "Открыть...", &TwndKorvalinMain::OpenExecute);
  FPaste = make("actPaste", "Вставить", &TwndKorvalinMain::PasteExecute);
  FCopy = make("actCopy", "Копировать", &TwndKorvalinMain::CopyExecute);
  FDelete = make("actDelete", "Удалить график", &TwndKorvalinMain::DeleteExecute);
  FUndo = make("actUndo", "Отменить", &TwndKorvalinMain::UndoExecute);
  FDerivative = make("actDerivative", "Производная", &TwndKorvalinMain::DerivativeExecute);
  FDerivative2 = make("actDerivative2", "Вторая производная", &TwndKorvalinMain::Derivative2Execute);
  FShowData = make("actShowData", "Панель данных", &TwndKorvalinMain::ShowDataExecute);
  FShowHintValues = make("actShowHintValues", "Показывать значения точек", &TwndKorvalinMain::ShowHintValuesExecute);
  FExit = make("actExit", "Выход", &TwndKorvalinMain::Close);
  BuildExportActions();
  BuildAnalysisActions();
  BuildFormatActions();
}

void TwndKorvalinMain::BuildTools() {
  // In the order they hear the mouse: the axis scrolls, the value tips, the drag point and the
  // tracing cursor (both off), and last the selector, made after them.
  auto scroll = [this](const char* Name, chart::TChartAxis* Axis) {
    auto* tool = new chart::TAxisScrollTool(this);
    tool->SetName(Name);
    tool->SetParentChart(FChart);
    tool->SetAxis(Axis);
    return tool;
  };
  FScrollAxisX = scroll("ScrollAxisX", FChart->BottomAxis());
  FScrollAxisY = scroll("ScrollAxisY", FChart->LeftAxis());
  FHintValuesTool = new chart::TMarksTipTool(this);
  FHintValuesTool->SetName("HintValuesTool");
  FHintValuesTool->SetStyle(chart::smsXY);
  FHintValuesTool->SetParentChart(FChart);
  FDragPointTool = new chart::TDragPointTool(this);
  FDragPointTool->SetName("DragPointTool");
  FDragPointTool->SetActive(false);
  FDragPointTool->SetParentChart(FChart);
  FTracingTool = new chart::TCursorTool(this);
  FTracingTool->SetName("TracingTool");
  FTracingTool->SetActive(false);
  FTracingTool->SetFollowMouse(true);
  FTracingTool->Pen()->SetColor(fw::clGray);
  FTracingTool->SetParentChart(FChart);
  FMultiSelectorTool = new chart::TMultiSelectorTool(this);
  FMultiSelectorTool->SetParentChart(FChart);
}

void TwndKorvalinMain::BuildDataPanel() {
  // Hidden until asked for; it shows the points of the graph last clicked on the chart.
  FDataPanel = new fw::TPanel(this);
  FDataPanel->SetParent(this);
  FDataPanel->SetAlign(fw::alRight);
  FDataPanel->SetWidth(240);
  FDataPanel->SetBevelOuter(fw::bvNone);
  FDataPanel->SetVisible(false);
  FDataGrid = new chart::TChartGrid(this);
  FDataGrid->SetName("DataGrid");
  FDataGrid->SetParent(FDataPanel);
  FDataGrid->SetAlign(fw::alClient);
  FDataGrid->SetOptions(fw::TGridOptions{fw::goFixedVertLine, fw::goFixedHorzLine, fw::goVertLine, fw::goHorzLine,
                                         fw::goRangeSelect, fw::goDrawFocusSelected, fw::goColSizing, fw::goTabs,
                                         fw::goThumbTracking});
  FDataGrid->Font()->SetName("Courier New");
  FDataGrid->Font()->SetSize(9);
  FDataGrid->SetShowLabels(false);
  FDataGrid->SetShowXValues(chart::cgsYes);
  FDataGrid->SetShowTitleRow(false);
  // X and Y show whole at the panel's width: each column takes the longest text a value gets
  // ("-1.23456789012345E-100", every digit shown), beside the row numbers of a million points
  // and the vertical scroll bar.
  const auto textWidth = [this](const char* Text) {
    return fw::MeasureControlText(FDataGrid->Font(), Text, win::DT_SINGLELINE | win::DT_NOPREFIX, 0).cx;
  };
  constexpr fw::Integer kCellMargin = 6;  // 2 pixels each side and the grid line
  const fw::Integer valueWidth = textWidth("-8.88888888888888E-888") + kCellMargin;
  FDataGrid->SetDefaultColWidth(valueWidth);
  const fw::Integer indexWidth = std::max<fw::Integer>(30, textWidth("9999999") + kCellMargin);
  FDataPanel->SetWidth(indexWidth + 2 * valueWidth + 3 * FDataGrid->GridLineWidth() +
                       win::GetSystemMetrics(win::SM_CXVSCROLL));
}

void TwndKorvalinMain::BuildDataMenu() {
  // The panel's context menu: copying the selected cells, selecting them all, hiding the panel.
  FDataMenu = new fw::TPopupMenu(this);
  auto add = [this](fw::TMenuItem* Item) {
    FDataMenu->Items()->Add(Item);
    return Item;
  };
  FDataCopyItem = add(new fw::TMenuItem(this));
  FDataCopyItem->OnClick = [this](fw::TObject*) { Guarded([this] { CopyGridSelection(*FDataGrid); }); };
  auto* selectAll = add(new fw::TMenuItem(this));
  selectAll->SetCaption("Выделить все");
  selectAll->OnClick = [this](fw::TObject*) { FDataGrid->SelectAll(); };
  add(new fw::TMenuItem(this))->SetCaption("-");
  auto* hide = add(new fw::TMenuItem(this));
  hide->OnClick = [this](fw::TObject*) { FShowData->Execute(); };
  FMenuActions.emplace_back(hide, FShowData);
  FDataMenu->OnPopup = [this](fw::TObject*) {
    FDataCopyItem->SetCaption(WithShortCut("Копировать", FCopy));
    FDataCopyItem->SetEnabled(FDataGrid->Series() != nullptr);
  };
  FDataPanel->SetPopupMenu(FDataMenu);
  FDataGrid->SetPopupMenu(FDataMenu);
}

void TwndKorvalinMain::ShowDataExecute() {
  const bool show = !FDataPanel->Visible();
  FDataPanel->SetVisible(show);
  FBars->KeepDocksAtTheEdges();  // the panel shown goes inside the right dock
  FShowData->SetChecked(show);
  FDataGrid->SetSeries(show && FGraphs && FGraphs->Current() ? FGraphs->Current()->Series() : nullptr);
  RefreshMenu();
}

void TwndKorvalinMain::LoadToolSettings(const TPropSaver& Store) {
  FMultiSelectorTool->Brush()->SetColor(Store.ReadColor("SelectorColor", fw::clBlack));
  // Half the side of a handle: a damaged value would draw (and be saved back as) anything.
  FMultiSelectorTool->SetHandleSize(Store.ReadInteger("SelectorSize", 0, kMaxSelectorSize, 3));
  Store.ReadPen("SelectorPen", FMultiSelectorTool->Pen());
  const bool hints = Store.ReadBool("ShowHintValues", true);
  FHintValuesTool->SetActive(hints);
  FShowHintValues->SetChecked(hints);
}

void TwndKorvalinMain::SaveSettings(TPropSaver& Store) const {
  Preferences.Save(Store);
  SaveToolSettings(Store);
  if (tx::CurrentTheme) Store.WriteString("Theme", tx::GetCurrentThemeName());
  SaveBarSettings(Store);
}

void TwndKorvalinMain::SaveToolSettings(TPropSaver& Store) const {
  Store.WriteColor("SelectorColor", FMultiSelectorTool->Brush()->Color());
  Store.WriteInteger("SelectorSize", FMultiSelectorTool->HandleSize());
  Store.WritePen("SelectorPen", FMultiSelectorTool->Pen());
}

// The switch is written to the settings at once.
void TwndKorvalinMain::ShowHintValuesExecute() {
  const bool on = !FHintValuesTool->Active();
  FHintValuesTool->SetActive(on);
  FShowHintValues->SetChecked(on);
  TPropSaver store(true);
  store.WriteBool("ShowHintValues", on);
  KeepSettings(store);
  RefreshMenu();
}

void TwndKorvalinMain::ChartSelected() {
  if (FDataPanel->Visible() && FMultiSelectorTool->Series()) FDataGrid->SetSeries(FMultiSelectorTool->Series());
  TGraph* focused = FGraphs ? FGraphs->BySeries(FMultiSelectorTool->Series()) : nullptr;
  if (focused && focused != FGraphs->Current())
    FGraphs->SelectBySeries(focused->Series());
  else
    GraphsChanged();
}

template <typename F>
void TwndKorvalinMain::Guarded(F Work) {
  try {
    Work();
  } catch (const std::exception& e) {
    fw::Application->ShowException(e);
  }
}

void TwndKorvalinMain::OpenFileNames(const std::vector<fw::String>& FileNames) {
  if (!FGraphs || FileNames.empty()) return;
  OpenFiles(*FGraphs, FileNames);
  RememberRecentFiles(FileNames);
}

void TwndKorvalinMain::OpenExecute() {
  fw::TOpenDialog dialog(this);
  dialog.SetFilter(kOpenFilter);
  dialog.SetFilterIndex(Preferences.OpenFilterIndex);
  dialog.SetInitialDir(Preferences.OpenDir);
  dialog.SetOptions(dialog.Options() + fw::ofAllowMultiSelect + fw::ofFileMustExist);
  if (!dialog.Execute()) return;
  std::vector<fw::String> names;
  for (fw::Integer i = 0; i < dialog.Files()->Count(); ++i) names.push_back(dialog.Files()->Strings(i));
  Preferences.OpenFilterIndex = dialog.FilterIndex();
  if (!names.empty()) {
    const fw::String& first = names.front();
    auto slash = first.find_last_of('/');
    if (slash != fw::String::npos) Preferences.OpenDir = first.substr(0, slash);
  }
  OpenFileNames(names);
}

void TwndKorvalinMain::PasteExecute() { PasteGraphsFromClipboard(*FGraphs); }

// With the data panel's grid focused the selected cells are copied, else the graphs.
void TwndKorvalinMain::CopyExecute() {
  if (FDataPanel->Visible() && FDataGrid->Focused())
    CopyGridSelection(*FDataGrid);
  else
    FGraphs->CopyToClipboard();
}

void TwndKorvalinMain::DeleteExecute() {
  TGraph* current = FGraphs->Current();
  if (!current) return;
  if (Preferences.ConfirmDelete &&
      fw::AppMessageBox("Удалить график \"" + current->Series()->Title() + "\"?",
                        win::MB_YESNO | win::MB_ICONQUESTION) != win::IDYES)
    return;
  FGraphs->DeleteUndoable(FGraphs->IndexOf(current));
  analysis::CloseFindOpWindows();
}

// The derivatives act on the current graph and need no dialog.
void TwndKorvalinMain::DerivativeExecute() {
  if (TGraph* current = FGraphs->Current()) analysis::AddDerivativeGraph(current->Series());
}

void TwndKorvalinMain::Derivative2Execute() {
  if (TGraph* current = FGraphs->Current()) analysis::AddDerivative2Graph(current->Series());
}

void TwndKorvalinMain::UndoExecute() {
  if (FOperations->CanUndo()) FOperations->Undo();
}

void TwndKorvalinMain::GraphsChanged() {
  // A pick is about a graph: when the last one goes (deleted, undone) it is cancelled.
  const bool anyGraph = FGraphs && FGraphs->Count() > 0;
  if (FHadGraphs && !anyGraph) CancelPointPick();
  FHadGraphs = anyGraph;
  ShowStatus();
  const bool current = FGraphs && FGraphs->Current();
  FDelete->SetEnabled(current);
  // Nothing to write without a graph (a picture of an empty chart is no use either).
  FSaveAs->SetEnabled(anyGraph);
  FDerivative->SetEnabled(current);
  FDerivative2->SetEnabled(current);
  UpdateAnalysisActions();
  UpdateFormatActions();
  RefreshMenu();
}

void TwndKorvalinMain::OperationsChanged() {
  FUndo->SetCaption(FOperations->UndoCaption());
  FUndo->SetEnabled(FOperations->CanUndo());
  RefreshMenu();
}

void TwndKorvalinMain::ChartBeforeMouseDown(fw::TMouseButton Button, fw::Integer X, fw::Integer Y, bool& Handled) {
  if (Button != fw::mbLeft || !PointPickHandler) return;
  TPointPickHandler handler = PointPickHandler;  // it may disarm itself while it runs
  Handled = true;
  handler(X, Y, true);
}

void TwndKorvalinMain::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  if (Key == win::VK_ESCAPE && PointPickHandler) {
    CancelPointPick();
    Key = 0;
    return;
  }
  // Any other key runs the action of its first binding; the key goes on as well.
  const fw::String name = FShortCuts.ActionFor(fw::ShortCut(Key, Shift));
  if (!name.empty())
    if (auto* action = dynamic_cast<fw::TAction*>(FindComponent(name))) {
      if (action->Enabled()) action->Execute();
    }
  fw::TForm::KeyDown(Key, Shift);
}

void TwndKorvalinMain::Dispatch(fw::TMessage& Message) {
  if (Message.Msg == win::WM_DROPFILES) {
    DropFiles(Message);
    return;
  }
  fw::TForm::Dispatch(Message);
}

void TwndKorvalinMain::DropFiles(fw::TMessage& Message) {
  auto drop = win::HDROP(Message.WParam);
  std::vector<fw::String> names;
  const win::UINT count = win::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (win::UINT i = 0; i < count; ++i) {
    const win::UINT length = win::DragQueryFileW(drop, i, nullptr, 0);
    std::u16string name(length + 1, u'\0');
    win::DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(length);
    // The name's bytes on disk, as the file functions and the recent list take names: a name
    // that is not UTF-8 would lose its other bytes to replacement characters as text.
    names.push_back(win::NativePathOf(name));
  }
  win::DragFinish(drop);
  Message.Result = 0;
  Guarded([&] { OpenFileNames(names); });
}

void TwndKorvalinMain::FormCloseQuery(bool& CanClose) {
  if (Preferences.ConfirmClose && FGraphs && FGraphs->Count() > 0)
    CanClose = fw::AppMessageBox(kConfirmClose, win::MB_OKCANCEL | win::MB_ICONQUESTION) == win::IDOK;
}

void TwndKorvalinMain::FormClose() {
  if (FClosed) return;
  FClosed = true;
  KeepSettingsAtExit();
  CancelPointPick();
  DisconnectAnalysisTools();
  RemoveServices();
  if (FGraphs) FGraphs->Clear();
  if (FOperations) FOperations->Clear();
}

void TwndKorvalinMain::KeepSettingsAtSessionEnd() {
  if (!FSettingsAtStart) return;
  MarkSettingsNotKeptSaid();
  KeepSettingsAtExit();
}

void TwndKorvalinMain::CloseWithoutQuestions() { FormClose(); }

void TwndKorvalinMain::KeepSettingsAtExit() {
  if (FSettingsKept) return;
  FSettingsKept = true;
  // The settings written at exit; a file that cannot be written is said, not lost silently.
  // A file that could not be read at start keeps what it holds.
  // Only what this run changed (or read otherwise than the file had it) is written: the file is
  // read as it is now, and a value the user edited there meanwhile, or another copy of the
  // program saved, stays unless this run changed it too.
  if (!SettingsFileUnreadable()) {
    // Read, merged and written as one step against other copies closing at the same moment
    // (a session's end closes them all): the lock spans the read here and the write, whose own
    // lock nests in this one. Held by another program past the wait, the file is read after that
    // one wait, in this copy's turn, so what another copy saved meanwhile is merged, not lost.
    const fw::TFileLock lock(TPropSaver::SettingsFileName());
    TPropSaver store(true);
    const auto now = TPropSaver::FromStrings(nullptr, "PREFERENCES");
    SaveSettings(*now);
    const auto none = TPropSaver::FromStrings(nullptr, "PREFERENCES");
    WriteChangesSince(FSettingsAsRead ? *FSettingsAsRead : *none, FSettingsAtStart ? *FSettingsAtStart : *none,
                      *now, store);
    SaveRecentFiles(store);
    KeepSettings(store);
  }
}

}  // namespace workspace
