// The series base: points, colours, events and data sources.
#include <algorithm>
#include <cmath>

#include "chart/PlotCanvas.h"
#include "chart/PlotConst.h"
#include "chart/PlotEngine.h"
#include "chart/SeriesMarks.h"
#include "framework/SysUtils.h"

namespace chart {

TChartSeries::TChartSeries(fw::TComponent* AOwner)
    : fw::TComponent(AOwner),
      FPen(std::make_unique<TChartPen>()),
      FBrush(std::make_unique<TChartBrush>()),
      FMarks(std::make_unique<TSeriesMarks>(this)) {
  FValueLists.push_back(std::make_unique<TChartValueList>(this, PlotMsg_ValueListX));
  FValueLists.push_back(std::make_unique<TChartValueList>(this, PlotMsg_ValueListY));
  XValues()->FOrder = loAscending;
  FPen->SetColor(SeriesColor());
  FBrush->OnChange = [this](fw::TObject*) { Repaint(); };
  // The pen's colour is the series colour: a new pen colour becomes the series colour.
  FPen->OnChange = [this](fw::TObject*) {
    if (FSyncingPen) return;  // SetSeriesColor tells the listeners itself
    if (FPen->Color() != SeriesColor())
      SetSeriesColor(FPen->Color());
    else
      Repaint();
  };
}

TChartSeries::~TChartSeries() {
  if (FFunction) FFunction->FParent = nullptr;
  for (TChartSeries* source : FDataSources) {
    source->RemoveListener(this);
    RemoveFreeNotification(source);
  }
  FDataSources.clear();
}

TChartValueList* TChartSeries::ValueListByName(std::string_view Name) const {
  for (const auto& list : FValueLists)
    if (fw::SameText(list->Name(), Name)) return list.get();
  return nullptr;
}

TChartValueList* TChartSeries::AddValueList(const String& Name) {
  auto list = std::make_unique<TChartValueList>(this, Name);
  list->Writable().assign(std::size_t(Count()), 0.0);
  FValueLists.push_back(std::move(list));
  return FValueLists.back().get();
}

void TChartSeries::SetPointX(Integer Index, double Value) {
  if (Index < 0 || Index >= Count()) return;
  XValues()->SetValue(Index, Value);
  Changed();
}

void TChartSeries::SetPointY(Integer Index, double Value) {
  if (Index < 0 || Index >= Count()) return;
  YValues()->SetValue(Index, Value);
  Changed();
}

void TChartSeries::SetPointLabel(Integer Index, const String& Value) {
  if (Index < 0 || Index >= Count()) return;
  FLabels.SetLabels(Index, Value);
  Changed();
}

Integer TChartSeries::InsertPosition(double X) const {
  const TChartValueList* xs = XValues();
  const Integer n = xs->Count();
  if (xs->Order() == loNone || std::isnan(X) || n == 0) return n;
  const double* first = xs->Data();
  const double* last = first + n;
  while (last != first && std::isnan(*(last - 1))) --last;
  const double* at = xs->Order() == loAscending ? std::upper_bound(first, last, X)
                                                 : std::upper_bound(first, last, X, std::greater<double>());
  return Integer(at - first);
}

void TChartSeries::InsertPointAt(Integer Index, double X, double Y, const String& Label, TColor Color) {
  const Integer n = Count();
  for (std::size_t i = 0; i < FValueLists.size(); ++i) {
    double v = i == 0 ? X : i == 1 ? Y : 0.0;
    if (Index == n)
      FValueLists[i]->AppendRaw(v);
    else
      FValueLists[i]->InsertRaw(Index, v);
  }
  FLabels.InsertAt(Index, Label);
  // The colour list starts with the first point that has a colour (the first point of all too).
  if (FColors.empty() && Color == clTeeColor) return;
  if (FColors.empty()) FColors.assign(std::size_t(n), clTeeColor);
  FColors.insert(FColors.begin() + Index, Color);
}

Integer TChartSeries::AddPoint(double X, double Y, const String& Label, TColor Color) {
  Integer index = InsertPosition(X);
  InsertPointAt(index, X, Y, Label, Color);
  Changed();
  return index;
}

Integer TChartSeries::AddValue(double Value, const String& Label, TColor Color) {
  return AddPoint(double(Count()), Value, Label, Color);
}

Integer TChartSeries::AddNullValue(const String& Label) { return AddPoint(double(Count()), 0.0, Label, clNullPoint); }

Integer TChartSeries::AddNullPoint(double X, double Y, const String& Label) {
  return AddPoint(X, Y, Label, clNullPoint);
}

void TChartSeries::DeletePoint(Integer Index) { DeletePoints(Index, 1, false); }

void TChartSeries::DeletePoints(Integer Start, Integer Quantity, bool RemoveGap) {
  const Integer n = Count();
  if (Start < 0 || Start >= n || Quantity <= 0) return;
  Quantity = std::min(Quantity, n - Start);
  for (auto& list : FValueLists) list->Delete(Start, Quantity);
  FLabels.DeleteRange(Start, Quantity);
  if (!FColors.empty()) FColors.erase(FColors.begin() + Start, FColors.begin() + Start + Quantity);
  if (RemoveGap) {
    std::vector<double>& xs = XValues()->Writable();
    for (std::size_t i = std::size_t(Start); i < xs.size(); ++i) xs[i] -= double(Quantity);
  }
  Changed();
}

void TChartSeries::Clear() {
  for (auto& list : FValueLists) list->ClearRaw();
  FLabels.FLabels.clear();
  FColors.clear();
  FColors.shrink_to_fit();
  Changed();
}

void TChartSeries::CopyPointsFrom(TChartSeries* Source) {
  if (!Source || Source == this) return;
  BeginUpdate();
  Clear();
  const Integer n = Source->Count();
  for (auto& list : FValueLists) list->FValues.reserve(std::size_t(n));
  for (Integer i = 0; i < n; ++i)
    AddPoint(Source->PointX(i), Source->PointY(i), Source->PointLabel(i), Source->PointColor(i));
  EndUpdate();
}

void TChartSeries::AppendPoints(const double* X, const double* Y, Integer Count) {
  if (Count <= 0) return;
  const std::size_t n = std::size_t(this->Count()), added = std::size_t(Count);
  for (std::size_t i = 0; i < FValueLists.size(); ++i) {
    auto& values = FValueLists[i]->Writable();
    if (i == 0)
      values.insert(values.end(), X, X + added);
    else if (i == 1)
      values.insert(values.end(), Y, Y + added);
    else
      values.resize(n + added, 0.0);
  }
  // As AddPoint would: a label list that covers every point keeps covering them.
  if (!FLabels.Empty() && std::size_t(FLabels.Count()) == n) FLabels.FLabels.resize(n + added);
  if (!FColors.empty()) FColors.resize(n + added, clTeeColor);
  Changed();
}

void TChartSeries::AdoptPoints(std::vector<double>&& X, std::vector<double>&& Y) {
  const std::size_t n = std::min(X.size(), Y.size());
  X.resize(n);
  Y.resize(n);
  for (std::size_t i = 0; i < FValueLists.size(); ++i) {
    auto& values = FValueLists[i]->Writable();
    if (i == 0)
      values = std::move(X);
    else if (i == 1)
      values = std::move(Y);
    else
      values.assign(n, 0.0);
  }
  FLabels.FLabels.clear();
  FColors.clear();
  FColors.shrink_to_fit();
  Changed();
}

void TChartSeries::AssignValues(TChartSeries* Source) {
  if (!Source || Source == this) return;
  const std::size_t n = std::size_t(Source->Count());
  for (std::size_t i = 0; i < FValueLists.size(); ++i) {
    auto& dst = FValueLists[i]->Writable();
    if (i < Source->FValueLists.size())
      dst = Source->FValueLists[i]->FValues;
    else
      dst.assign(n, 0.0);
  }
  FLabels = Source->FLabels;
  FColors = Source->FColors;
  Changed();
}

TColor TChartSeries::PointColor(Integer Index) const {
  if (FColors.empty() || Index < 0 || Index >= Integer(FColors.size())) return clTeeColor;
  return FColors[std::size_t(Index)];
}

void TChartSeries::SetPointColor(Integer Index, TColor Value) {
  if (Index < 0 || Index >= Count()) return;
  if (FColors.empty()) {
    if (Value == clTeeColor) return;
    FColors.assign(std::size_t(Count()), clTeeColor);
  }
  FColors[std::size_t(Index)] = Value;
  Changed();
}

bool TChartSeries::IsNullPoint(Integer Index) const {
  if (Index < 0 || Index >= Count()) return false;
  if (PointColor(Index) == clNullPoint) return true;
  return !std::isfinite(PointX(Index)) || !std::isfinite(PointY(Index));
}

TColor TChartSeries::ValueColor(Integer Index) const {
  if (IsNullPoint(Index)) return fw::clNone;
  TColor own = PointColor(Index);
  if (own != clTeeColor) return own;
  return FColorEachPoint ? PlotDefaultPaletteColor(Index) : SeriesColor();
}

TColor TChartSeries::SeriesColor() const {
  return FSeriesColor == clTeeColor ? PlotDefaultPaletteColor(0) : FSeriesColor;
}

void TChartSeries::SetSeriesColor(TColor Value) {
  if (FSeriesColor == Value) return;
  FSeriesColor = Value;
  if (FPen->Color() != SeriesColor()) {
    FSyncingPen = true;
    FPen->SetColor(SeriesColor());
    FSyncingPen = false;
  }
  NotifySeriesEvent(seChangeColor);
}

void TChartSeries::SetColorEachPoint(bool Value) {
  if (FColorEachPoint == Value) return;
  FColorEachPoint = Value;
  NotifySeriesEvent(seChangeColor);
}

void TChartSeries::SetTitle(const String& Value) {
  if (FTitle == Value) return;
  FTitle = Value;
  NotifySeriesEvent(seChangeTitle);
}

void TChartSeries::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  NotifySeriesEvent(seChangeActive);
}

void TChartSeries::SetValueFormat(const String& Value) {
  if (FValueFormat == Value) return;
  FValueFormat = Value;
  Changed();
}

String TChartSeries::FormatValue(double Value) const { return PlotFormatFloat(FValueFormat, Value); }

bool TChartSeries::ValueRange(const TChartValueList* List, double& Min, double& Max) const {
  // Colours are changed in many places without a stamp: with them, every call scans.
  if (!List || HasPointColors()) return ScanValueRange(List, Min, Max);
  RangeMemo& memo = FRangeMemo[List == XValues() ? 0 : List == YValues() ? 1 : 2];
  const std::uint64_t x = XValues()->Stamp(), y = YValues()->Stamp(), v = List->Stamp();
  if (memo.x != x || memo.y != y || memo.v != v) {
    memo.found = ScanValueRange(List, memo.lo, memo.hi);
    memo.x = x;
    memo.y = y;
    memo.v = v;
  }
  Min = memo.lo;
  Max = memo.hi;
  return memo.found;
}

const TLineSummary& TChartSeries::LineSummary() const {
  FLineSummary.Update(*XValues(), *YValues());
  return FLineSummary;
}

bool TChartSeries::ScanValueRange(const TChartValueList* List, double& Min, double& Max) const {
  // One pass over the stored arrays (the chart scales its axes from these at every paint): a
  // point counts when its X and Y are finite and, with point colours, it is not marked null.
  // (v - v == 0 holds exactly for finite v, and keeps the loop free of calls.)
  Min = Max = 0;
  if (!List) return false;
  const Integer n = std::min({XValues()->Count(), YValues()->Count(), List->Count()});
  const double* xs = XValues()->Data();
  const double* ys = YValues()->Data();
  const double* vs = List->Data();
  const double mx = XValues()->Multiplier(), my = YValues()->Multiplier(), mv = List->Multiplier();
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  if (!HasPointColors()) {
    for (Integer i = 0; i < n; ++i) {
      const double x = xs[i] * mx, y = ys[i] * my, v = vs[i] * mv;
      const bool counts = (x - x == 0) & (y - y == 0) & (v - v == 0);
      lo = std::min(lo, counts ? v : HUGE_VAL);
      hi = std::max(hi, counts ? v : -HUGE_VAL);
    }
  } else {
    for (Integer i = 0; i < n; ++i) {
      const double x = xs[i] * mx, y = ys[i] * my, v = vs[i] * mv;
      if (x - x != 0 || y - y != 0 || v - v != 0 || PointColor(i) == clNullPoint) continue;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  }
  if (lo > hi) return false;
  Min = lo;
  Max = hi;
  return true;
}

double TChartSeries::Extreme(const TChartValueList* List, bool Max) const {
  double lo, hi;
  ValueRange(List, lo, hi);
  return Max ? hi : lo;
}

double TChartSeries::MinXValue() const { return Extreme(XValues(), false); }
double TChartSeries::MaxXValue() const { return Extreme(XValues(), true); }
double TChartSeries::MinYValue() const { return Extreme(YValues(), false); }
double TChartSeries::MaxYValue() const { return Extreme(YValues(), true); }

void TChartSeries::BeginUpdate() { ++FUpdateCount; }

void TChartSeries::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  std::vector<TChartSeriesEvent> pending;
  pending.swap(FPending);
  for (TChartSeriesEvent e : pending)
    if (e != seDataChanged) Deliver(e);
  Deliver(seDataChanged);
}

void TChartSeries::Changed() { NotifySeriesEvent(seDataChanged); }

void TChartSeries::NotifyDataChanged() { NotifySeriesEvent(seDataChanged); }

void TChartSeries::NotifySeriesEvent(TChartSeriesEvent Event) {
  if (FUpdateCount > 0) {
    if (std::find(FPending.begin(), FPending.end(), Event) == FPending.end()) FPending.push_back(Event);
    return;
  }
  Deliver(Event);
}

void TChartSeries::Deliver(TChartSeriesEvent Event) {
  // A listener may remove itself or others while being told.
  std::vector<TChartSeriesListener*> listeners = FListeners;
  for (TChartSeriesListener* l : listeners)
    if (std::find(FListeners.begin(), FListeners.end(), l) != FListeners.end()) l->SeriesEvent(this, Event);
}

void TChartSeries::AddListener(TChartSeriesListener* Listener) {
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TChartSeries::RemoveListener(TChartSeriesListener* Listener) {
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), Listener), FListeners.end());
}

void TChartSeries::Permute(const std::vector<Integer>& Perm) {
  const std::size_t n = Perm.size();
  std::vector<double> tmp(n);
  for (auto& list : FValueLists) {
    for (std::size_t i = 0; i < n; ++i) tmp[i] = list->FValues[std::size_t(Perm[i])];
    std::copy(tmp.begin(), tmp.end(), list->Writable().begin());
  }
  if (!FLabels.Empty()) {
    FLabels.FLabels.resize(n);
    std::vector<String> labels(n);
    for (std::size_t i = 0; i < n; ++i) labels[i] = std::move(FLabels.FLabels[std::size_t(Perm[i])]);
    FLabels.FLabels.swap(labels);
  }
  if (!FColors.empty()) {
    std::vector<TColor> colors(n);
    for (std::size_t i = 0; i < n; ++i) colors[i] = FColors[std::size_t(Perm[i])];
    FColors.swap(colors);
  }
  Changed();
}

void TChartSeries::AddDataSource(TChartSeries* Source) {
  if (!Source || Source == this) return;
  if (std::find(FDataSources.begin(), FDataSources.end(), Source) != FDataSources.end()) return;
  FDataSources.push_back(Source);
  Source->AddListener(this);
  FreeNotification(Source);
  CheckDataSource();
}

void TChartSeries::RemoveDataSource(TChartSeries* Source) {
  auto it = std::find(FDataSources.begin(), FDataSources.end(), Source);
  if (it == FDataSources.end()) return;
  FDataSources.erase(it);
  Source->RemoveListener(this);
  RemoveFreeNotification(Source);
  CheckDataSource();
}

void TChartSeries::SetDataSource(TChartSeries* Source) {
  BeginUpdate();
  while (!FDataSources.empty()) RemoveDataSource(FDataSources.back());
  EndUpdate();
  if (Source) AddDataSource(Source);
}

void TChartSeries::SetFunctionType(TPlotFunction* Value) {
  if (FFunction == Value) return;
  if (FFunction) FFunction->FParent = nullptr;
  if (Value && Value->FParent) Value->FParent->FFunction = nullptr;
  FFunction = Value;
  if (FFunction) FFunction->FParent = this;
  CheckDataSource();
}

void TChartSeries::CheckDataSource() {
  if (!FFunction || FComputing || FUpdateCount > 0 || FDataSources.empty()) return;
  struct Guard {
    TChartSeries* s;
    ~Guard() {
      s->FComputing = false;
      s->EndUpdate();
    }
  };
  FComputing = true;
  BeginUpdate();
  Guard guard{this};
  Clear();
  FFunction->ComputeFromSource(FDataSources.front());
}

void TChartSeries::SeriesEvent(TChartSeries* Series, TChartSeriesEvent Event) {
  if (Event == seDataChanged && std::find(FDataSources.begin(), FDataSources.end(), Series) != FDataSources.end())
    CheckDataSource();
}

void TChartSeries::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  if (Operation == fw::opRemove) {
    // The source is being destroyed: forget it without calling into it.
    auto it = std::find(FDataSources.begin(), FDataSources.end(), AComponent);
    if (it != FDataSources.end()) FDataSources.erase(it);
  }
  fw::TComponent::Notification(AComponent, Operation);
}

Integer TChartSeriesList::Add(TChartSeries* Series) {
  FItems.push_back(Series);
  return Count() - 1;
}

void TChartSeriesList::Delete(Integer Index) {
  if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
}

Integer TChartSeriesList::Remove(TChartSeries* Series) {
  Integer i = IndexOf(Series);
  Delete(i);
  return i;
}

Integer TChartSeriesList::IndexOf(const TChartSeries* Series) const {
  auto it = std::find(FItems.begin(), FItems.end(), Series);
  return it == FItems.end() ? -1 : Integer(it - FItems.begin());
}

void TChartSeriesList::Exchange(Integer Index1, Integer Index2) {
  if (Index1 < 0 || Index2 < 0 || Index1 >= Count() || Index2 >= Count()) return;
  std::swap(FItems[std::size_t(Index1)], FItems[std::size_t(Index2)]);
}

}  // namespace chart
