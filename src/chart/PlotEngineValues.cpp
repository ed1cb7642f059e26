// Value lists and labels.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <numeric>

#include "chart/PlotEngine.h"

namespace chart {

namespace {
// One counter for every list, so that a list made where a freed one lived gets a new stamp.
std::uint64_t NextStamp() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}
}  // namespace

TChartValueList::TChartValueList(TChartSeries* AOwner, const String& AName)
    : FOwner(AOwner), FName(AName), FStamp(NextStamp()) {}

void TChartValueList::Changed() {
  FStale = true;
  FModified = true;
  FStamp = NextStamp();
}

void TChartValueList::SetOrder(TChartListOrder Value) {
  if (FOrder == Value) return;
  FOrder = Value;
  Sort();
}

void TChartValueList::SetMultiplier(double Value) {
  if (FMultiplier == Value) return;
  FMultiplier = Value;
  Changed();
}

void TChartValueList::SetValue(Integer Index, double Value) {
  if (Index < 0 || Index >= Count()) return;
  FValues[std::size_t(Index)] = Value;
  Changed();
}

// Growth by half keeps the spare capacity (and so the memory per point) bounded.
static void Reserve(std::vector<double>& v) {
  if (v.size() == v.capacity()) v.reserve(v.capacity() + v.capacity() / 2 + 16);
}

void TChartValueList::InsertRaw(Integer Index, double Value) {
  Reserve(FValues);
  FValues.insert(FValues.begin() + Index, Value);
  Changed();
}

void TChartValueList::AppendRaw(double Value) {
  Reserve(FValues);
  FValues.push_back(Value);
  Changed();
}

void TChartValueList::ClearRaw() {
  FValues.clear();
  FValues.shrink_to_fit();
  Changed();
}

void TChartValueList::Recalc() const {
  if (!FStale) return;
  double lo = 0, hi = 0, total = 0, totalAbs = 0;
  bool any = false;
  for (double v : FValues) {
    if (!std::isfinite(v)) continue;
    if (!any) {
      lo = hi = v;
      any = true;
    } else {
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    total += v;
    totalAbs += std::fabs(v);
  }
  if (FMultiplier < 0) std::swap(lo, hi);
  FMin = lo * FMultiplier;
  FMax = hi * FMultiplier;
  FTotal = total * FMultiplier;
  FTotalAbs = totalAbs * std::fabs(FMultiplier);
  FStale = false;
}

double TChartValueList::MinValue() const { return Recalc(), FMin; }
double TChartValueList::MaxValue() const { return Recalc(), FMax; }
double TChartValueList::Total() const { return Recalc(), FTotal; }
double TChartValueList::TotalABS() const { return Recalc(), FTotalAbs; }

Integer TChartValueList::Locate(double Value) const {
  if (FMultiplier == 1.0 && FOrder != loNone && !std::isnan(Value)) {
    // Ordered lists keep NaN values at their end, out of the search.
    auto end = FValues.end();
    while (end != FValues.begin() && std::isnan(*(end - 1))) --end;
    auto it = FOrder == loAscending ? std::lower_bound(FValues.begin(), end, Value)
                                    : std::lower_bound(FValues.begin(), end, Value, std::greater<double>());
    return (it != end && *it == Value) ? Integer(it - FValues.begin()) : -1;
  }
  for (Integer i = 0; i < Count(); ++i)
    if (this->Value(i) == Value) return i;
  return -1;
}

void TChartValueList::Sort() {
  if (FOrder == loNone || FValues.size() < 2) return;
  std::vector<Integer> perm(FValues.size());
  std::iota(perm.begin(), perm.end(), 0);
  const bool asc = FOrder == loAscending;
  std::stable_sort(perm.begin(), perm.end(), [&](Integer a, Integer b) {
    double x = FValues[std::size_t(a)], y = FValues[std::size_t(b)];
    if (std::isnan(x) || std::isnan(y)) return !std::isnan(x) && std::isnan(y);
    return asc ? x < y : x > y;
  });
  if (std::is_sorted(perm.begin(), perm.end())) return;
  if (FOwner) {
    FOwner->Permute(perm);
  } else {
    std::vector<double> sorted(FValues.size());
    for (std::size_t i = 0; i < perm.size(); ++i) sorted[i] = FValues[std::size_t(perm[i])];
    FValues.swap(sorted);
    Changed();
  }
}

void TChartValueList::FillSequence() {
  for (std::size_t i = 0; i < FValues.size(); ++i) FValues[i] = double(i);
  Changed();
}

void TChartValueList::Delete(Integer Index) { Delete(Index, 1); }

void TChartValueList::Delete(Integer From, Integer Quantity) {
  if (From < 0 || Quantity <= 0 || From >= Count()) return;
  Integer last = std::min<Integer>(Count(), From + std::min(Quantity, Count()));
  FValues.erase(FValues.begin() + From, FValues.begin() + last);
  Changed();
}

void TChartValueList::Exchange(Integer Index1, Integer Index2) {
  if (Index1 < 0 || Index2 < 0 || Index1 >= Count() || Index2 >= Count()) return;
  std::swap(FValues[std::size_t(Index1)], FValues[std::size_t(Index2)]);
  Changed();
}

void TChartValueList::Assign(fw::TPersistent* Source) {
  auto* src = dynamic_cast<TChartValueList*>(Source);
  if (!src) return fw::TPersistent::Assign(Source);
  FName = src->FName;
  FOrder = src->FOrder;
  FDateTime = src->FDateTime;
  FMultiplier = src->FMultiplier;
  FValueSource = src->FValueSource;
  FValues = src->FValues;
  Changed();
}

const String& TLabelsList::Labels(Integer Index) const {
  static const String empty;
  return (Index >= 0 && Index < Count()) ? FLabels[std::size_t(Index)] : empty;
}

void TLabelsList::SetLabels(Integer Index, const String& Value) {
  if (Index < 0) return;
  if (Index >= Count()) {
    if (Value.empty()) return;
    FLabels.resize(std::size_t(Index) + 1);
  }
  FLabels[std::size_t(Index)] = Value;
}

void TLabelsList::InsertAt(Integer Index, const String& Value) {
  if (Index <= Count()) {
    if (!FLabels.empty() || !Value.empty()) FLabels.insert(FLabels.begin() + Index, Value);
  } else {
    SetLabels(Index, Value);
  }
}

void TLabelsList::DeleteRange(Integer From, Integer Quantity) {
  if (From >= Count() || Quantity <= 0) return;
  Integer last = std::min<Integer>(Count(), From + std::min(Quantity, Count()));
  FLabels.erase(FLabels.begin() + From, FLabels.begin() + last);
}

void TLabelsList::Swap(Integer A, Integer B) {
  Integer need = std::max(A, B);
  if (need >= Count()) {
    if (Labels(A).empty() && Labels(B).empty()) return;
    FLabels.resize(std::size_t(need) + 1);
  }
  std::swap(FLabels[std::size_t(A)], FLabels[std::size_t(B)]);
}

}  // namespace chart
