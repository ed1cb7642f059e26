#include "analysis/WinFindOp.h"

#include <string>
#include <vector>

#include "analysis/Analisis.h"
#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsPanels.h"
#include "controls/FloatEdit.h"
#include "framework/Clipbrd.h"
#include "framework/Dialogs.h"
#include "framework/GridsString.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "platform/user/windows/WinUserTypes.h"
#include "workspace/Common.h"
#include "workspace/Graph.h"
#include "workspace/GraphCollection.h"

namespace analysis {

std::array<TwndFindOp*, 6> FindOpWindows{};

namespace {

constexpr const char* kNoPointInRange = "На заданном участке нет ни одной точки";
constexpr const char* kPickNeedsGraph =
    "На рабочей области должен быть хотя бы один график чтобы выбрать точку.";

// The window whose pick is armed.
TwndFindOp* PickWindow = nullptr;

using TPickProc = void (*)(fw::Integer X, fw::Integer Y, bool Accept);
void PickLeftBound(fw::Integer X, fw::Integer Y, bool Accept);
void PickRightBound(fw::Integer X, fw::Integer Y, bool Accept);
void PickBothBounds(fw::Integer X, fw::Integer Y, bool Accept);

// True when the armed pick is one of the find windows'.
bool FindOpPickArmed() {
  const TPickProc* proc = workspace::PointPickHandler.target<TPickProc>();
  return proc && (*proc == PickLeftBound || *proc == PickRightBound || *proc == PickBothBounds);
}

void Arm(TPickProc Proc) { workspace::PointPickHandler = Proc; }

void Disarm() {
  workspace::PointPickHandler = nullptr;
}

// The X under a press on the main chart; false for a press outside the plot area.
bool PickedX(fw::Integer X, fw::Integer Y, double& Value) {
  if (!chart::MainChart) return false;
  const fw::TRect& plot = chart::MainChart->ChartRect();
  if (X < plot.left || X > plot.right || Y < plot.top || Y > plot.bottom) return false;
  Value = chart::MainChart->BottomAxis()->CalcPosPoint(X);
  return true;
}

void PickLeftBound(fw::Integer X, fw::Integer Y, bool Accept) {
  TwndFindOp* window = PickWindow;
  double value = 0;
  // A press outside the plot picks nothing and leaves the pick armed.
  if (Accept && !PickedX(X, Y, value)) return;
  if (Accept && window) window->fedX1->SetValue(value);
  Disarm();
  if (window) window->tbutPickPoint->SetChecked(false);
}

void PickRightBound(fw::Integer X, fw::Integer Y, bool Accept) {
  TwndFindOp* window = PickWindow;
  double value = 0;
  if (Accept && !PickedX(X, Y, value)) return;
  if (Accept && window) window->fedX2->SetValue(value);
  Disarm();
  if (window) {
    window->tbutPickPoint->SetChecked(false);
    window->tbutPickPoints->SetChecked(false);
  }
}

void PickBothBounds(fw::Integer X, fw::Integer Y, bool Accept) {
  TwndFindOp* window = PickWindow;
  double value = 0;
  if (Accept && !PickedX(X, Y, value)) return;
  if (Accept && window) {
    window->fedX1->SetValue(value);
    Arm(PickRightBound);
    return;
  }
  Disarm();
  if (window) window->tbutPickPoints->SetChecked(false);
}

// The result cells of each kind, (column, row).
std::vector<std::pair<int, int>> ResultCells(TFindOpKind Kind) {
  switch (Kind) {
    case fkMax:
    case fkMin: return {{0, 1}, {1, 1}};
    case fkDelta: return {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}};
    case fkAverage: return {{0, 1}, {1, 1}, {2, 1}};
    case fkIntegral: return {{0, 1}};
  }
  return {};
}

// Runs a command of the window, a failure shown in the application's error box.
void Guarded(const std::function<void()>& Work) {
  try {
    Work();
  } catch (const std::exception& e) {
    fw::Application->ShowException(e);
  }
}

// A pasted number, with the edits' additional separator "." read as the decimal separator.
bool ParsePasted(fw::String Text, fw::Extended& Value) {
  if (cs::TryParseFloat(Text, Value)) return true;
  for (char& c : Text)
    if (c == '.') c = fw::DecimalSeparator();
  return cs::TryParseFloat(Text, Value);
}

bool AnyPointIn(const chart::TChartSeries& Series, double A, double B) {
  const chart::TChartValueList& xs = *Series.XValues();
  for (fw::Integer i = 0; i < Series.Count(); ++i)
    if (xs.Value(i) >= A && xs.Value(i) <= B) return true;
  return false;
}

}  // namespace

TwndFindOp::TwndFindOp(fw::TComponent* AOwner, TFindOpKind Kind) : fw::TForm(AOwner), FKind(Kind) {
  SetUpDialog(this, (std::string("wndFindOp") + std::to_string(int(Kind))).c_str(), KindName(), 200, 100);
  SetBorderStyle(fw::bsToolWindow);
  SetFormStyle(fw::fsStayOnTop);
  SetPosition(fw::poDesktopCenter);
  SetKeyPreview(true);
  BuildToolbar();

  auto* bounds = MakeGroup(this, u"Границы области поиска", {4, 34, 140, 30});
  MakeLabel(bounds, u"X1", {6, 13, 10, 10});
  fedX1 = MakeFloatEdit(bounds, "fedX1", {18, 11, 50, 12});
  fedX1->SetAdditionalDecimalSeparator(u'.');
  MakeLabel(bounds, u"X2", {72, 13, 10, 10});
  fedX2 = MakeFloatEdit(bounds, "fedX2", {84, 11, 50, 12});
  fedX2->SetAdditionalDecimalSeparator(u'.');
  auto searchOnEnter = [this](fw::TObject*, char16_t& Key) {
    if (Key == u'\r') butSearch->Click();
  };
  fedX1->OnEnterPress = searchOnEnter;
  fedX2->OnEnterPress = searchOnEnter;
  butSearch = MakeButton(this, "butSearch", u"Искать", fw::mrNone, {148, 40, 48, 20});
  butSearch->OnClick = [this](fw::TObject*) { Guarded([this] { Search(); }); };

  Grid = new fw::TStringGrid(this);
  Grid->SetName("Grid");
  Grid->SetParent(this);
  Grid->SetDefaultColWidth(70);
  Grid->SetDefaultRowHeight(18);
  Grid->SetOptions(fw::TGridOptions{fw::goFixedHorzLine, fw::goHorzLine, fw::goRangeSelect});
  Grid->SetScrollBars(fw::ssNone);
  Grid->SetFixedColor(Color());
  Grid->OnKeyDown = [this](fw::TObject*, fw::Word& Key, fw::TShiftState Shift) {
    if (Shift == fw::TShiftState{fw::ssCtrl} && (Key == win::VK_INSERT || Key == 'C')) {
      CopyBoundsOrResults();
      Key = 0;
    }
  };
  LayOutGrid();
  OnClose = [this](fw::TObject*, fw::TCloseAction& Action) { FormClose(Action); };
}

TwndFindOp::~TwndFindOp() {
  CancelFindOpPick(this);
  if (PickWindow == this) PickWindow = nullptr;
  for (auto& slot : FindOpWindows)
    if (slot == this) slot = nullptr;
}

const char* TwndFindOp::KindName() const {
  switch (FKind) {
    case fkMax: return "MAX";
    case fkMin: return "MIN";
    case fkDelta: return "DELTA";
    case fkAverage: return "AVERAGE";
    case fkIntegral: return "INTEGRAL";
  }
  return "";
}

void TwndFindOp::BuildToolbar() {
  // Two rows of tool buttons: the bounds and the picks, then copy, paste and clear.
  constexpr const char16_t* kMinAbs = u"Левая граница = минимум Х графиков";
  constexpr const char16_t* kMinVis = u"Левая граница = видимый минимум";
  constexpr const char16_t* kMaxVis = u"Правая граница = видимый максимум";
  constexpr const char16_t* kMaxAbs = u"Правая граница = максимум Х графиков";
  struct TTool {
    const char* Name;
    const char16_t* Caption;
    std::u16string Hint;
    std::function<void()> Work;
  };
  const TTool tools[] = {
      {"itMinAbs", u"|<", kMinAbs, [this] { SetBoundsFromGraph(true, false); }},
      {"itMinVis", u"[<", kMinVis, [this] { SetBoundsFromAxis(true, false); }},
      {"itMinMaxAbs", u"|<>|", std::u16string(kMinAbs) + u"\r\n" + kMaxAbs, [this] { SetBoundsFromGraph(true, true); }},
      {"itMinMaxVis", u"[<>]", std::u16string(kMinVis) + u"\r\n" + kMaxVis, [this] { SetBoundsFromAxis(true, true); }},
      {"itMaxVis", u">]", kMaxVis, [this] { SetBoundsFromAxis(false, true); }},
      {"itMaxAbs", u">|", kMaxAbs, [this] { SetBoundsFromGraph(false, true); }},
      {"tbutPickPoint", u"+", u"Указать точку на области построения", [this] { TogglePick(false); }},
      {"tbutPickPoints", u"++", u"Указать обе точки на области построения", [this] { TogglePick(true); }},
      {"itCopy", u"Копировать", u"Копировать пределы или результаты", [this] { CopyBoundsOrResults(); }},
      {"itPaste", u"Вставить", u"Вставить пределы", [this] { PasteBounds(); }},
      {"itClear", u"Очистить", u"Очистить пределы или результаты", [this] { ClearBoundsOrResults(); }}};
  int index = 0;
  for (const TTool& tool : tools) {
    const bool wide = index >= 8;
    const TUnits at = wide ? TUnits{4 + (index - 8) * 64, 18, 62, 13} : TUnits{4 + index * 24 + (index >= 6 ? 4 : 0), 3, 22, 13};
    auto* button = MakeButton(this, tool.Name, tool.Caption, fw::mrNone, at);
    button->SetHint(tool.Hint);
    button->SetShowHint(true);
    button->SetTabStop(false);
    auto work = tool.Work;
    button->OnClick = [work](fw::TObject*) { Guarded(work); };
    if (index == 6) tbutPickPoint = button;
    if (index == 7) tbutPickPoints = button;
    ++index;
  }
}

void TwndFindOp::LayOutGrid() {
  const fw::Integer row = Grid->DefaultRowHeight();
  const fw::Integer line = Grid->GridLineWidth();
  const fw::Integer width = TDialogLayout::X(192);
  fw::Integer height = 2 * row + 5 * line;
  switch (FKind) {
    case fkMax:
    case fkMin:
      Grid->SetColCount(2);
      Grid->SetRowCount(2);
      Grid->SetFixedCols(0);
      Grid->SetColWidths(0, width / 2);
      Grid->SetColWidths(1, width / 2);
      Grid->SetCells(0, 0, FKind == fkMax ? "MaxX" : "MinX");
      Grid->SetCells(1, 0, FKind == fkMax ? "MaxY" : "MinY");
      break;
    case fkDelta:
      Grid->SetColCount(3);
      Grid->SetRowCount(4);
      Grid->SetFixedCols(1);
      Grid->SetColWidths(0, 30);
      Grid->SetColWidths(1, (width - 30) / 2);
      Grid->SetColWidths(2, (width - 30) / 2);
      Grid->SetCells(1, 0, "X");
      Grid->SetCells(2, 0, "Y");
      Grid->SetCells(0, 1, "Max");
      Grid->SetCells(0, 2, "Min");
      Grid->SetCells(0, 3, "Delta");
      height = 4 * row + 7 * line;
      break;
    case fkAverage:
      Grid->SetColCount(3);
      Grid->SetRowCount(2);
      Grid->SetFixedCols(0);
      for (int c = 0; c < 3; ++c) Grid->SetColWidths(c, width / 3 - line);
      Grid->SetCells(0, 0, "Avg");
      Grid->SetCells(1, 0, "DevMin");
      Grid->SetCells(2, 0, "DevMax");
      height = 2 * row + 3 * line;
      break;
    case fkIntegral:
      Grid->SetColCount(1);
      Grid->SetRowCount(2);
      Grid->SetFixedCols(0);
      Grid->SetColWidths(0, width);
      Grid->SetCells(0, 0, "Value");
      height = 2 * row + 3 * line;
      break;
  }
  Grid->SetFixedRows(1);
  const fw::Integer top = TDialogLayout::Y(68);
  Grid->SetBounds(TDialogLayout::X(4), top, width, height);
  SetClientHeight(top + height + 5);
}

void TwndFindOp::Bind(fw::Integer Index) {
  FGraphIndex = Index;
  const workspace::TGraphCollection* graphs = workspace::GraphCollection;
  const workspace::TGraph* graph = graphs ? graphs->Items(Index) : nullptr;
  SetCaption(std::string(KindName()) + " - " + (graph ? graph->Series()->Title() : std::string()));
}

void TwndFindOp::Search() {
  const workspace::TGraphCollection* graphs = workspace::GraphCollection;
  const workspace::TGraph* graph = graphs ? graphs->Items(FGraphIndex) : nullptr;
  if (!graph) return;
  const chart::TChartSeries* series = graph->Series();
  const double a = double(fedX1->Value());
  const double b = double(fedX2->Value());
  // An interval without a point has no extreme or mean: said, not shown as ±1.7e308.
  if (!AnyPointIn(*series, a, b)) throw win::Exception(kNoPointInRange);
  std::vector<double> values;
  switch (FKind) {
    case fkMax:
    case fkMin: {
      TPointXY res{};
      if (FKind == fkMax)
        FindMaxYInRange(series, res, a, b);
      else
        FindMinYInRange(series, res, a, b);
      values = {res.X, res.Y};
      break;
    }
    case fkDelta: {
      TMinMaxXY res{};
      FindMinMaxYInRange(series, res, a, b);
      values = {res.MaxX, res.MaxY, res.MinX, res.MinY, res.MaxX - res.MinX, res.MaxY - res.MinY};
      break;
    }
    case fkAverage: {
      TMinMaxXY res{};
      FindMinMaxYInRange(series, res, a, b);
      const double mean = MeanYInRange(series, a, b);
      values = {mean, mean - res.MinY, res.MaxY - mean};
      break;
    }
    case fkIntegral: values = {IntegrateRange(series, a, b)}; break;
  }
  const auto cells = ResultCells(FKind);
  for (std::size_t i = 0; i < cells.size(); ++i) Grid->SetCells(cells[i].first, cells[i].second, fw::FloatToStr(values[i]));
}

void TwndFindOp::CopyBoundsOrResults() {
  if (fedX1->Focused() || fedX2->Focused()) {
    fw::String x1, x2;
    fedX1->GetText(x1);
    fedX2->GetText(x2);
    fw::Clipboard()->SetAsText(x1 + " " + x2);
  } else {
    workspace::CopyGridSelection(*Grid);
  }
}

void TwndFindOp::PasteBounds() {
  std::vector<fw::String> parts;
  workspace::SplitString(fw::Clipboard()->AsText(), "\t ", parts);
  fw::Extended value = 0;
  if (!parts.empty() && ParsePasted(parts[0], value)) fedX1->SetValue(value);
  if (parts.size() > 1 && ParsePasted(parts[1], value)) fedX2->SetValue(value);
}

void TwndFindOp::ClearBoundsOrResults() {
  if (fedX1->Focused() || fedX2->Focused()) {
    fedX1->SetValue(0);
    fedX2->SetValue(0);
    return;
  }
  for (auto [col, row] : ResultCells(FKind)) Grid->SetCells(col, row, "");
}

void TwndFindOp::SetBoundsFromGraph(bool Left, bool Right) {
  const workspace::TGraphCollection* graphs = workspace::GraphCollection;
  const workspace::TGraph* graph = graphs ? graphs->Items(FGraphIndex) : nullptr;
  if (!graph || graph->Series()->Count() == 0) return;
  const chart::TChartValueList& xs = *graph->Series()->XValues();
  if (Left) fedX1->SetValue(xs.MinValue());
  if (Right) fedX2->SetValue(xs.MaxValue());
}

void TwndFindOp::SetBoundsFromAxis(bool Left, bool Right) {
  if (!chart::MainChart) return;
  const chart::TChartAxis* axis = chart::MainChart->BottomAxis();
  if (Left) fedX1->SetValue(axis->Minimum());
  if (Right) fedX2->SetValue(axis->Maximum());
}

void TwndFindOp::TogglePick(bool Both) {
  cs::TCsButton* item = Both ? tbutPickPoints : tbutPickPoint;
  const bool arming = !item->Checked();
  if (!arming) {
    item->SetChecked(false);
    CancelFindOpPick(this);
    return;
  }
  if (!workspace::GraphCollection || workspace::GraphCollection->Count() == 0) {
    fw::AppMessageBox(kPickNeedsGraph, win::MB_ICONWARNING);
    return;
  }
  const bool leftFocused = fedX1->Focused();
  workspace::CancelPointPick();
  item->SetChecked(true);
  PickWindow = this;
  Arm(Both ? PickBothBounds : (leftFocused ? PickLeftBound : PickRightBound));
}

void TwndFindOp::FormClose(fw::TCloseAction& Action) {
  // Kept for the next use of its kind; only its pick ends.
  Action = fw::caHide;
  CancelFindOpPick(this);
}

void ShowFindOpWindow(TFindOpKind Kind, fw::Integer GraphIndex) {
  if (!workspace::GraphCollection || workspace::GraphCollection->Count() == 0) return;
  TwndFindOp*& slot = FindOpWindows[std::size_t(Kind)];
  if (!slot) slot = new TwndFindOp(fw::Application, Kind);
  slot->Show();
  slot->Bind(GraphIndex);
}

void SetFindOpWindowsGraph(fw::Integer GraphIndex) {
  for (TwndFindOp* window : FindOpWindows)
    if (window) window->Bind(GraphIndex);
}

void CloseFindOpWindows() {
  for (TwndFindOp*& window : FindOpWindows) {
    TwndFindOp* doomed = window;
    window = nullptr;
    delete doomed;
  }
}

void CancelFindOpPick(TwndFindOp* Window) {
  if (FindOpPickArmed() && PickWindow == Window) workspace::CancelPointPick();
}

}  // namespace analysis
