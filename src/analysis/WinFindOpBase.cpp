#include "analysis/WinFindOpBase.h"

#include <string>

#include "analysis/Analisis.h"
#include "analysis/DialogControls.h"
#include "analysis/DialogLayout.h"
#include "chart/Chart.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "controls/CsButtons.h"
#include "controls/CsItems.h"
#include "controls/CsLayout.h"
#include "controls/CsPanels.h"
#include "controls/CsToolbars.h"
#include "controls/FloatEdit.h"
#include "framework/Clipbrd.h"
#include "framework/Dialogs.h"
#include "framework/GridsString.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "platform/user/windows/WinUserTypes.h"
#include "workspace/Common.h"
#include "workspace/DataModule.h"
#include "workspace/DataModuleImages.h"
#include "workspace/GraphCollection.h"

namespace analysis {

namespace {

constexpr const char* kPickNeedsGraph =
    "На рабочей области должен быть хотя бы один график чтобы выбрать точку.";

// The window whose pick is armed.
TFindOpForm* PickWindow = nullptr;

using TPickProc = void (*)(fw::Integer X, fw::Integer Y, bool Accept);
void PickLeftBound(fw::Integer X, fw::Integer Y, bool Accept);
void PickRightBound(fw::Integer X, fw::Integer Y, bool Accept);
void PickBothBounds(fw::Integer X, fw::Integer Y, bool Accept);

// True when the armed pick is one of these windows'.
bool OwnPickArmed() {
  const TPickProc* proc = workspace::PointPickHandler.target<TPickProc>();
  return proc && (*proc == PickLeftBound || *proc == PickRightBound || *proc == PickBothBounds);
}

// The X under a press on the main chart; false for a press outside the plot area.
bool PickedX(fw::Integer X, fw::Integer Y, double& Value) {
  if (!chart::MainChart) return false;
  const fw::TRect& plot = chart::MainChart->ChartRect();
  if (X < plot.left || X > plot.right || Y < plot.top || Y > plot.bottom) return false;
  Value = chart::MainChart->BottomAxis()->CalcPosPoint(X);
  return true;
}

// A press outside the plot picks nothing and leaves the pick armed.
void PickLeftBound(fw::Integer X, fw::Integer Y, bool Accept) {
  TFindOpForm* window = PickWindow;
  double value = 0;
  if (Accept && !PickedX(X, Y, value)) return;
  if (Accept && window) window->fedX1->SetValue(value);
  workspace::PointPickHandler = nullptr;
  if (window) window->tbutPickPoint->SetChecked(false);
}

void PickRightBound(fw::Integer X, fw::Integer Y, bool Accept) {
  TFindOpForm* window = PickWindow;
  double value = 0;
  if (Accept && !PickedX(X, Y, value)) return;
  if (Accept && window) window->fedX2->SetValue(value);
  workspace::PointPickHandler = nullptr;
  if (window) {
    window->tbutPickPoint->SetChecked(false);
    window->tbutPickPoints->SetChecked(false);
  }
}

void PickBothBounds(fw::Integer X, fw::Integer Y, bool Accept) {
  TFindOpForm* window = PickWindow;
  double value = 0;
  if (Accept && !PickedX(X, Y, value)) return;
  if (Accept && window) {
    window->fedX1->SetValue(value);
    workspace::PointPickHandler = PickRightBound;
    return;
  }
  workspace::PointPickHandler = nullptr;
  if (window) window->tbutPickPoints->SetChecked(false);
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

void GuardedCommand(const std::function<void()>& Work) {
  try {
    Work();
  } catch (const std::exception& e) {
    fw::Application->ShowException(e);
  }
}

const char* FindOpKindName(TFindOpKind Kind) {
  switch (Kind) {
    case fkMax: return "MAX";
    case fkMin: return "MIN";
    case fkDelta: return "DELTA";
    case fkAverage: return "AVERAGE";
    case fkIntegral: return "INTEGRAL";
  }
  return "";
}

std::vector<double> FindOpMeasure(TFindOpKind Kind, const chart::TChartSeries& Series, double A, double B) {
  // An interval without a point has no extreme or mean (the scans would give their ±1.7e308).
  if (!AnyPointIn(Series, A, B)) return {};
  switch (Kind) {
    case fkMax:
    case fkMin: {
      TPointXY res{};
      if (Kind == fkMax)
        FindMaxYInRange(&Series, res, A, B);
      else
        FindMinYInRange(&Series, res, A, B);
      return {res.X, res.Y};
    }
    case fkDelta: {
      TMinMaxXY res{};
      FindMinMaxYInRange(&Series, res, A, B);
      return {res.MaxX, res.MaxY, res.MinX, res.MinY, res.MaxX - res.MinX, res.MaxY - res.MinY};
    }
    case fkAverage: {
      TMinMaxXY res{};
      FindMinMaxYInRange(&Series, res, A, B);
      const double mean = MeanYInRange(&Series, A, B);
      return {mean, mean - res.MinY, res.MaxY - mean};
    }
    case fkIntegral: return {IntegrateRange(&Series, A, B)};
  }
  return {};
}

TFindOpForm::TFindOpForm(fw::TComponent* AOwner, TFindOpKind Kind, const char* Name)
    : fw::TForm(AOwner), FKind(Kind) {
  SetUpDialog(this, Name, FindOpKindName(Kind), 200, 100);
  SetFormStyle(fw::fsStayOnTop);
  SetKeyPreview(true);
  BuildToolbar();

  auto* bounds = MakeGroup(this, u"Границы области поиска", {4, 34, 140, 30});
  MakeLabel(bounds, u"X1", {6, 13, 10, 10});
  fedX1 = MakeFloatEdit(bounds, "fedX1", {18, 11, 50, 12});
  MakeLabel(bounds, u"X2", {72, 13, 10, 10});
  fedX2 = MakeFloatEdit(bounds, "fedX2", {84, 11, 50, 12});
  fedX1->SetAdditionalDecimalSeparator(u'.');
  fedX2->SetAdditionalDecimalSeparator(u'.');
  auto searchOnEnter = [this](fw::TObject*, char16_t& Key) {
    if (Key == u'\r') butSearch->Click();
  };
  fedX1->OnEnterPress = searchOnEnter;
  fedX2->OnEnterPress = searchOnEnter;
  butSearch = MakeButton(this, "butSearch", u"Искать", fw::mrNone, {148, 40, 48, 20});
  butSearch->OnClick = [this](fw::TObject*) { GuardedCommand([this] { Search(); }); };

  Grid = new fw::TStringGrid(this);
  Grid->SetName("Grid");
  Grid->SetParent(this);
  Grid->SetDefaultColWidth(70);
  Grid->SetDefaultRowHeight(18);
  Grid->SetOptions(fw::TGridOptions{fw::goFixedHorzLine, fw::goHorzLine, fw::goRangeSelect});
  Grid->SetFixedColor(Color());
  Grid->OnKeyDown = [this](fw::TObject*, fw::Word& Key, fw::TShiftState Shift) {
    if (Shift == fw::TShiftState{fw::ssCtrl} && (Key == win::VK_INSERT || Key == 'C')) {
      CopyBoundsOrResults();
      Key = 0;
    }
  };
}

TFindOpForm::~TFindOpForm() {
  CancelPick();
  if (PickWindow == this) PickWindow = nullptr;
}

fw::Integer TFindOpForm::GridTop() const { return TDialogLayout::Y(68); }

void TFindOpForm::FitGridColumns() {
  const fw::Integer missing = cs::WidenColumnsToCells(Grid) - Grid->ClientWidth();
  if (missing <= 0) return;
  // An anchored grid follows the window; one that is not is widened with it.
  const fw::Integer gridBefore = Grid->Width();
  SetClientWidth(ClientWidth() + missing);
  if (Grid->Width() == gridBefore) Grid->SetWidth(gridBefore + missing);
}

void TFindOpForm::BuildToolbar() {
  // Two rows of control-set toolbars: the bounds and the picks, then copy, paste and clear. The
  // pictures are the data module's command images; without it (no program around) the bound
  // and pick items show their short marks instead.
  constexpr const char16_t* kMinAbs = u"Левая граница = минимум Х графиков";
  constexpr const char16_t* kMinVis = u"Левая граница = видимый минимум";
  constexpr const char16_t* kMaxVis = u"Правая граница = видимый максимум";
  constexpr const char16_t* kMaxAbs = u"Правая граница = максимум Х графиков";
  struct TTool {
    const char* Name;
    const char16_t* Caption;
    std::u16string Hint;
    int Image;
    bool ShowCaption;
    std::function<void()> Work;
  };
  using namespace workspace;
  const TTool tools[] = {
      {"itMinAbs", u"|<", kMinAbs, imgBoundMinAbs, false, [this] { SetBoundsFromGraph(true, false); }},
      {"itMinVis", u"[<", kMinVis, imgBoundMinVis, false, [this] { SetBoundsFromAxis(true, false); }},
      {"itMinMaxAbs", u"|<>|", std::u16string(kMinAbs) + u"\r\n" + kMaxAbs, imgBoundMinMaxAbs, false,
       [this] { SetBoundsFromGraph(true, true); }},
      {"itMinMaxVis", u"[<>]", std::u16string(kMinVis) + u"\r\n" + kMaxVis, imgBoundMinMaxVis, false,
       [this] { SetBoundsFromAxis(true, true); }},
      {"itMaxVis", u">]", kMaxVis, imgBoundMaxVis, false, [this] { SetBoundsFromAxis(false, true); }},
      {"itMaxAbs", u">|", kMaxAbs, imgBoundMaxAbs, false, [this] { SetBoundsFromGraph(false, true); }},
      {"tbutPickPoint", u"+", u"Указать точку на области построения", imgPickPoint, false,
       [this] { TogglePick(false); }},
      {"tbutPickPoints", u"++", u"Указать обе точки на области построения", imgPickPoint, true,
       [this] { TogglePick(true); }},
      {"itCopy", u"Копировать", u"Копировать пределы или результаты", imgCopy, true,
       [this] { CopyBoundsOrResults(); }},
      {"itPaste", u"Вставить", u"Вставить пределы", imgPaste, true, [this] { PasteBounds(); }},
      {"itClear", u"Очистить", u"Очистить пределы или результаты", imgClearAll, true,
       [this] { ClearBoundsOrResults(); }}};
  fw::TImageList* images = DataModule1 ? DataModule1->SmallImages() : nullptr;
  // The bounds, the picks at the right end of the first row, then the edit commands. The bars
  // cannot float: no drag handle.
  const struct {
    const char* Name;
    TUnits At;
  } places[] = {{"tbBounds", {4, 2, 140, 14}}, {"tbPick", {146, 2, 52, 14}}, {"tbEdit", {4, 17, 192, 14}}};
  cs::TCsToolbar* bars[3] = {};
  for (int i = 0; i < 3; ++i) {
    auto* bar = new cs::TCsToolbar(this);
    bar->SetName(places[i].Name);
    bar->AfterConstruction();
    bar->SetDockMode(toolbars::dmCannotFloat);
    bar->SetDragHandleStyle(toolbars::dhNone);
    const TUnits at = places[i].At;
    TDialogLayout::Place(bar, this, at.Left, at.Top, at.Width, at.Height);
    bar->SetImages(images);
    bar->SetShowHint(true);
    bars[i] = bar;
  }
  int index = 0;
  for (const TTool& tool : tools) {
    cs::TCsToolbar* bar = bars[index < 6 ? 0 : index < 8 ? 1 : 2];
    auto* item = new cs::TCsItem(this);
    item->SetName(tool.Name);
    item->SetCaption(tool.Caption);
    item->SetHint(tool.Hint);
    if (images != nullptr) {
      item->SetImageIndex(tool.Image);
      item->SetDisplayMode(tool.ShowCaption ? toolbars::nbdmImageAndText : toolbars::nbdmDefault);
    }
    auto work = tool.Work;
    item->OnClick = [work](fw::TObject*) { GuardedCommand(work); };
    bar->Items()->Add(item);
    if (index == 6) tbutPickPoint = item;
    if (index == 7) tbutPickPoints = item;
    ++index;
  }
}

void TFindOpForm::CopyBoundsOrResults() {
  if (fedX1->Focused() || fedX2->Focused()) {
    fw::String x1, x2;
    fedX1->GetText(x1);
    fedX2->GetText(x2);
    fw::Clipboard()->SetAsText(x1 + " " + x2);
  } else {
    workspace::CopyGridSelection(*Grid);
  }
}

void TFindOpForm::PasteBounds() {
  std::vector<fw::String> parts;
  workspace::SplitString(fw::Clipboard()->AsText(), "\t ", parts);
  fw::Extended value = 0;
  if (!parts.empty() && ParsePasted(parts[0], value)) fedX1->SetValue(value);
  if (parts.size() > 1 && ParsePasted(parts[1], value)) fedX2->SetValue(value);
}

void TFindOpForm::ClearBoundsOrResults() {
  if (fedX1->Focused() || fedX2->Focused()) {
    fedX1->SetValue(0);
    fedX2->SetValue(0);
    return;
  }
  ClearResults();
}

void TFindOpForm::SetBoundsFromGraph(bool Left, bool Right) {
  double min = 0, max = 0;
  if (!GraphXRange(min, max)) return;
  if (Left) fedX1->SetValue(min);
  if (Right) fedX2->SetValue(max);
}

void TFindOpForm::SetBoundsFromAxis(bool Left, bool Right) {
  if (!chart::MainChart) return;
  const chart::TChartAxis* axis = chart::MainChart->BottomAxis();
  if (Left) fedX1->SetValue(axis->Minimum());
  if (Right) fedX2->SetValue(axis->Maximum());
}

void TFindOpForm::TogglePick(bool Both) {
  cs::TCsItem* item = Both ? tbutPickPoints : tbutPickPoint;
  if (item->Checked()) {
    item->SetChecked(false);
    CancelPick();
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
  workspace::PointPickHandler = Both ? PickBothBounds : (leftFocused ? PickLeftBound : PickRightBound);
}

void TFindOpForm::CancelPick() {
  if (OwnPickArmed() && PickWindow == this) workspace::CancelPointPick();
}

void TFindOpForm::KeyDown(fw::Word& Key, fw::TShiftState Shift) {
  if (Key == win::VK_ESCAPE && Shift.Empty()) {
    Key = 0;
    if (OwnPickArmed() && PickWindow == this)
      workspace::CancelPointPick();
    else
      Close();
    return;
  }
  fw::TForm::KeyDown(Key, Shift);
}

}  // namespace analysis
