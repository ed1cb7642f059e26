// The statistical and indicator functions.
#include "analysis/PlotStatistics.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

#include "analysis/FunctionGaps.h"
#include "analysis/PlotFinancial.h"
#include "analysis/PlotHistogram.h"
#include "analysis/PointBuffer.h"
#include "analysis/WindowSum.h"
#include "chart/PlotAxis.h"
#include "chart/Series.h"
#include "framework/SysUtils.h"

namespace analysis {

using chart::TChartSeries;
using chart::TChartValueList;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// First = -1 stands for the whole series.
void WholeIfUnset(const TChartSeries* Source, Integer& First, Integer& Last) {
  if (First != -1) return;
  First = 0;
  Last = Source->Count() - 1;
}

// The values of List at points First .. Last that are not null, into Out.
void GatherValues(const TChartSeries* Source, const TChartValueList* List, Integer First, Integer Last,
                  std::vector<double>& Out) {
  Out.clear();
  for (Integer i = std::max<Integer>(First, 0); i <= Last && i < List->Count(); ++i)
    if (!Source->IsNullPoint(i) && std::isfinite(List->Value(i))) Out.push_back(List->Value(i));
}

// A point's value, NaN for a null point: a gap, whatever number it stores.
double ValueOrGap(const TChartSeries* Source, const TChartValueList* List, Integer Index) {
  return Source->IsNullPoint(Index) ? kNaN : List->Value(Index);
}

// The mean and the sum of squared deviations from it, in two passes (no cancellation), in the
// wider type: the squares of values above 1e154 do not fit a double.
void Moments(const double* Values, std::size_t Count, long double& Mean, long double& SquaredDeviations) {
  Mean = SquaredDeviations = 0;
  if (Count == 0) return;
  long double sum = 0;
  for (std::size_t i = 0; i < Count; ++i) sum += Values[i];
  Mean = sum / Count;
  long double ss = 0;
  for (std::size_t i = 0; i < Count; ++i) ss += (Values[i] - Mean) * (Values[i] - Mean);
  SquaredDeviations = ss;
}

// Clears the parent series of Function and the owned lines, filled in one update each.
struct SeriesFill {
  explicit SeriesFill(TChartSeries* ASeries) : Series(ASeries) {
    if (!Series) return;
    Series->BeginUpdate();
    Series->Clear();
  }
  ~SeriesFill() {
    if (Series) Series->EndUpdate();
  }
  TChartSeries* Series;
};

// The values of one of Source's lists as an array, NaN at null points: the list's own storage
// where that already holds them so (no point colours, no multiplier), else a copy.
class TValues {
 public:
  TValues(const TChartSeries* Source, const TChartValueList* List) : FCount(std::size_t(List->Count())) {
    if (!Source->HasPointColors() && List->Multiplier() == 1) {
      FData = List->Data();
      return;
    }
    FCopy.resize(FCount);
    for (Integer i = 0; i < List->Count(); ++i) FCopy[std::size_t(i)] = ValueOrGap(Source, List, i);
    FData = FCopy.data();
  }
  std::size_t size() const { return FCount; }
  const double* data() const { return FData; }
  double operator[](std::size_t I) const { return FData[I]; }

 private:
  std::size_t FCount;
  const double* FData = nullptr;
  std::vector<double> FCopy;
};

}  // namespace

void ExponentialAverage(const double* Values, std::size_t Count, double Period, std::vector<double>& Result) {
  Result.assign(Count, kNaN);
  const double k = 2 / (Period + 1);
  bool started = false;
  double e = 0;
  for (std::size_t i = 0; i < Count; ++i) {
    if (!std::isfinite(Values[i])) continue;  // a gap: the average carries over it
    e = started ? k * Values[i] + (1 - k) * e : Values[i];
    started = true;
    Result[i] = e;
  }
}

// ---- moving average --------------------------------------------------------------------------

void TMovingAverageFunction::SetWeighted(bool Value) {
  if (FWeighted == Value) return;
  FWeighted = Value;
  RequestRecompute();
}

void TMovingAverageFunction::SetWeightedIndex(bool Value) {
  if (FWeightedIndex == Value) return;
  FWeightedIndex = Value;
  RequestRecompute();
}

double TMovingAverageFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const bool whole = First == -1;
  WholeIfUnset(Source, First, Last);
  const TChartValueList* v = SourceValueList(Source);
  if (!whole && GapIn(Source, v, First, Last)) return kGap;
  const TChartValueList* x = Source->NotMandatoryValueList();
  double num = 0, den = 0;
  Integer taken = 0;
  for (Integer i = First; i <= Last; ++i) {
    if (IsGap(Source, v, i)) continue;  // over the whole series only
    const double w = FWeighted ? x->Value(i) : FWeightedIndex ? double(++taken) : 1;
    num += v->Value(i) * w;
    den += w;
  }
  return den == 0 ? 0 : num / den;
}

void TMovingAverageFunction::ComputeByPeriods(TChartSeries* Source) {
  const Integer n = PeriodPoints(), count = Source->Count();
  if (count < n) return;
  const TValues values(Source, SourceValueList(Source));
  const TChartValueList* x = Source->NotMandatoryValueList();
  auto value = [&](Integer i) { return values[std::size_t(i)]; };
  TPointBuffer results;
  results.Reserve(std::size_t(count - n + 1));
  if (!FWeighted && !FWeightedIndex) {
    // The plain average: one running sum, taken afresh every n steps (so rounding has no time
    // to build up), with a count of the gaps in the window instead of their NaN in the sum.
    double sum = 0;
    Integer gaps = 0;
    for (Integer last = n - 1; last < count; ++last) {
      const Integer first = last - n + 1;
      if (first % n == 0) {
        sum = 0;
        gaps = 0;
        for (Integer i = first; i <= last; ++i) std::isfinite(value(i)) ? void(sum += value(i)) : void(++gaps);
      } else {
        const double out = value(first - 1), in = value(last);
        std::isfinite(out) ? void(sum -= out) : void(--gaps);
        std::isfinite(in) ? void(sum += in) : void(++gaps);
      }
      results.Add(PeriodX(Source, first, last), gaps ? kNaN : sum / n);
    }
    results.FlushTo(ParentSeries());
    return;
  }
  // Σw and Σv·w slide along; the index weights shift by one per step, which the window total
  // pays for (W' = W - T + n·v(new)). Every n steps the sums start afresh, so rounding cannot
  // build up over a long walk.
  TWindowSum num, den, total;
  double indexSum = 0;  // Σk·v of the window, WeightedIndex only
  for (Integer last = n - 1; last < count; ++last) {
    const Integer first = last - n + 1;
    if ((first % n) == 0) {
      num = den = total = TWindowSum{};
      indexSum = 0;
      for (Integer i = first; i <= last; ++i) {
        const double w = FWeighted ? x->Value(i) : 1;
        num.Add(value(i) * w);
        den.Add(w);
        total.Add(value(i));
        indexSum += double(i - first + 1) * value(i);
      }
    } else {
      const double out = value(first - 1), in = value(last);
      const double wOut = FWeighted ? x->Value(first - 1) : 1, wIn = FWeighted ? x->Value(last) : 1;
      const double oldTotal = total.Sum();
      num.Remove(out * wOut);
      num.Add(in * wIn);
      den.Remove(wOut);
      den.Add(wIn);
      total.Remove(out);
      total.Add(in);
      indexSum = indexSum - oldTotal + double(n) * in;
      if (!std::isfinite(indexSum) && std::isfinite(total.Sum())) {  // a gap has just left
        indexSum = 0;
        for (Integer i = first; i <= last; ++i) indexSum += double(i - first + 1) * value(i);
      }
    }
    double average;
    if (FWeighted) {
      average = den.Sum() == 0 ? 0 : num.Sum() / den.Sum();
    } else if (FWeightedIndex) {
      const double k = double(n) * double(n + 1) / 2;
      average = indexSum / k;
    } else {
      average = num.Sum() / n;
    }
    results.Add(PeriodX(Source, first, last), average);
  }
  results.FlushTo(ParentSeries());
}

// ---- exponential averages --------------------------------------------------------------------

TExpMovAveFunction::TExpMovAveFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) { SetPeriod(10); }

void TExpMovAveFunction::ComputeFromSource(TChartSeries* Source) {
  if (!ParentSeries() || !Source || !(Period() > 0) || Source->Count() < 2) return;
  const TValues v(Source, SourceValueList(Source));
  std::vector<double> e;
  ExponentialAverage(v.data(), v.size(), Period(), e);
  const TChartValueList* x = Source->NotMandatoryValueList();
  TPointBuffer results;
  results.Reserve(e.size());
  for (std::size_t i = 0; i < e.size(); ++i)
    if (std::isfinite(e[i]) && std::isfinite(v[i])) results.Add(x->Value(Integer(i)), e[i]);
  results.FlushTo(ParentSeries());
}

void TExpAverageFunction::SetWeight(double Value) {
  if (!(Value >= 0 && Value <= 1)) throw fw::Exception("ExpAverage Weight must be between 0 and 1");
  if (FWeight == Value) return;
  FWeight = Value;
  RequestRecompute();
}

double TExpAverageFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const TChartValueList* v = SourceValueList(Source);
  Integer previous;
  if (First == -1) {
    Last = NextValue(Source, v, v->Count() - 1, -1);
    if (Last < 0) return kGap;
    previous = NextValue(Source, v, Last - 1, -1);
  } else {
    // The window and the point before its last, which the value takes too.
    if (Last < 0 || GapIn(Source, v, std::max<Integer>(0, std::min(First, Last - 1)), Last)) return kGap;
    previous = Last - 1;
  }
  if (previous < 0) return v->Value(Last);
  return FWeight * v->Value(Last) + (1 - FWeight) * v->Value(previous);
}

// ---- momentum, performance -------------------------------------------------------------------

double TMomentumFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const TChartValueList* v = SourceValueList(Source);
  if (!EndsOfWindow(Source, v, First, Last)) return kGap;
  return v->Value(Last) - v->Value(First);
}

double TMomentumDivFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const TChartValueList* v = SourceValueList(Source);
  if (!EndsOfWindow(Source, v, First, Last)) return kGap;
  return v->Value(First) == 0 ? 0 : 100 * v->Value(Last) / v->Value(First);
}

double TPerformanceFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const TChartValueList* v = SourceValueList(Source);
  if (!EndsOfWindow(Source, v, First, Last)) return kGap;
  // Measured from the series' first value.
  const double base = v->Value(NextValue(Source, v, 0, 1));
  return base == 0 ? 0 : 100 * (v->Value(Last) - base) / base;
}

// ---- deviations ------------------------------------------------------------------------------

void TStdDeviationFunction::SetComplete(bool Value) {
  if (FComplete == Value) return;
  FComplete = Value;
  RequestRecompute();
}

double TStdDeviationFunction::Calculate(const double* Values, Integer Count) const {
  if (Count < 2) return 0;
  long double mean, ss;
  Moments(Values, std::size_t(Count), mean, ss);
  return double(std::sqrt(ss / (FComplete ? Count : Count - 1)));
}

double TRMSFunction::Calculate(const double* Values, Integer Count) const {
  if (Count < 2) return 0;
  long double squares = 0;
  for (Integer i = 0; i < Count; ++i) squares += (long double)Values[i] * Values[i];
  return double(std::sqrt(squares / (Complete() ? Count : Count - 1)));
}

double TStdDeviationFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  WholeIfUnset(Source, First, Last);
  std::vector<double> values;
  GatherValues(Source, SourceValueList(Source), First, Last, values);
  return Calculate(values.data(), Integer(values.size()));
}

double TStdDeviationFunction::ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) {
  std::vector<double> values;
  for (TChartSeries* s : Sources)
    if (Index < s->Count() && !s->IsNullPoint(Index)) values.push_back(SourceValueList(s)->Value(Index));
  return Calculate(values.data(), Integer(values.size()));
}

double TVarianceFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  WholeIfUnset(Source, First, Last);
  std::vector<double> values;
  GatherValues(Source, Source->YValues(), First, Last, values);
  if (values.empty()) return 0;
  long double mean, ss;
  Moments(values.data(), values.size(), mean, ss);
  return double(ss / values.size());
}

double TVarianceFunction::ValueAcrossSources(const std::vector<TChartSeries*>& Sources, Integer Index) {
  std::vector<double> values;
  for (TChartSeries* s : Sources)
    if (Index < s->Count() && !s->IsNullPoint(Index)) values.push_back(s->YValues()->Value(Index));
  if (values.empty()) return 0;
  long double mean, ss;
  Moments(values.data(), values.size(), mean, ss);
  return double(ss / values.size());
}

// ---- stochastic ------------------------------------------------------------------------------

void TStochasticFunction::ComputeFromSource(TChartSeries* Source) {
  FNums.clear();
  FDens.clear();
  chart::TPlotMovingFunction::ComputeFromSource(Source);
}

double TStochasticFunction::RecordGap() {
  FNums.push_back(kGap);
  FDens.push_back(kGap);
  return kGap;
}

double TStochasticFunction::Record(double Close, double Lo, double Hi) {
  const bool empty = std::isinf(Lo) || std::isinf(Hi);
  const double num = empty ? 0 : Close - Lo, den = empty ? 0 : Hi - Lo;
  FNums.push_back(num);
  FDens.push_back(den);
  return den == 0 ? 0 : 100 * num / den;
}

namespace {
// A point of an OHLC source is a gap when it is null or one of its close, low and high is not a
// number.
bool CandleGap(const TChartSeries* Source, const TChartValueList* Close, const TChartValueList* Low,
               const TChartValueList* High, Integer Index) {
  return IsGap(Source, Close, Index) || !std::isfinite(Low->Value(Index)) || !std::isfinite(High->Value(Index));
}
}  // namespace

double TStochasticFunction::ValueOverRange(TChartSeries* Source, Integer First, Integer Last) {
  const bool whole = First == -1;
  WholeIfUnset(Source, First, Last);
  const TChartValueList* low = Source->ValueListByName("Low");
  const TChartValueList* high = Source->ValueListByName("High");
  const TChartValueList* close = SourceValueList(Source);
  if (!low || !high || Last < First) return 0;  // not an OHLC source
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  Integer closing = -1;
  for (Integer i = First; i <= Last; ++i) {
    if (CandleGap(Source, close, low, high, i)) {
      if (!whole) return RecordGap();
      continue;
    }
    lo = std::min(lo, low->Value(i));
    hi = std::max(hi, high->Value(i));
    closing = i;
  }
  if (closing < 0) return RecordGap();
  return Record(close->Value(closing), lo, hi);
}

void TStochasticFunction::ComputeByPeriods(TChartSeries* Source) {
  const TChartValueList* low = Source->ValueListByName("Low");
  const TChartValueList* high = Source->ValueListByName("High");
  const Integer n = PeriodPoints(), count = Source->Count();
  if (!low || !high) {
    chart::TPlotMovingFunction::ComputeByPeriods(Source);
    return;
  }
  if (count < n) return;
  // The window's lowest low and highest high head two queues of indices whose values rise
  // (fall) from front to back: each point enters and leaves once, whatever the period.
  std::vector<Integer> lows(static_cast<std::size_t>(count)), highs(static_cast<std::size_t>(count));
  std::size_t lowFront = 0, lowBack = 0, highFront = 0, highBack = 0;
  const TChartValueList* close = SourceValueList(Source);
  const double none = std::numeric_limits<double>::infinity();
  TPointBuffer results;
  results.Reserve(std::size_t(count - n + 1));
  Integer lastGap = -1;
  for (Integer i = 0; i < count; ++i) {
    if (CandleGap(Source, close, low, high, i)) {
      lastGap = i;
    } else {
      const double l = low->Value(i), h = high->Value(i);
      while (lowBack > lowFront && low->Value(lows[lowBack - 1]) >= l) --lowBack;
      lows[lowBack++] = i;
      while (highBack > highFront && high->Value(highs[highBack - 1]) <= h) --highBack;
      highs[highBack++] = i;
    }
    const Integer first = i - n + 1;
    if (first < 0) continue;
    if (lastGap >= first) {
      results.Add(PeriodX(Source, first, i), RecordGap());
      continue;
    }
    while (lowFront < lowBack && lows[lowFront] < first) ++lowFront;
    while (highFront < highBack && highs[highFront] < first) ++highFront;
    const double lo = lowFront < lowBack ? low->Value(lows[lowFront]) : none;
    const double hi = highFront < highBack ? high->Value(highs[highFront]) : -none;
    results.Add(PeriodX(Source, first, i), Record(close->Value(i), lo, hi));
  }
  results.FlushTo(ParentSeries());
}

// ---- MACD ------------------------------------------------------------------------------------

TMACDFunction::TMACDFunction(fw::TComponent* AOwner)
    : chart::TPlotMovingFunction(AOwner), FSignal(new chart::TFastLineSeries(this)), FHistogram(new TVolumeSeries(this)) {
  SetPeriod(26);
  FSignal->SetSeriesColor(0x008000);
  FSignal->SetShowInLegend(false);
  FHistogram->SetSeriesColor(0x0000FF);
  FHistogram->SetShowInLegend(false);
  FHistogram->SetUseYOrigin(true);
  FHistogram->SetYOrigin(0);
}

TMACDFunction::~TMACDFunction() = default;

chart::TChartPen* TMACDFunction::MACDPen() const { return ParentSeries() ? ParentSeries()->Pen() : nullptr; }
chart::TChartPen* TMACDFunction::MACDExpPen() const { return FSignal->Pen(); }
chart::TChartPen* TMACDFunction::HistogramPen() const { return FHistogram->Pen(); }

void TMACDFunction::SetPeriod2(double Value) {
  Value = std::max(1.0, Value);
  if (FPeriod2 == Value) return;
  FPeriod2 = Value;
  RequestRecompute();
}

void TMACDFunction::SetPeriod3(double Value) {
  if (FPeriod3 == Value) return;
  FPeriod3 = Value;
  RequestRecompute();
}

void TMACDFunction::ComputeFromSource(TChartSeries* Source) {
  TChartSeries* parent = ParentSeries();
  if (!parent || !Source) return;
  FollowFunctionSeries(FSignal, this, Source);
  FollowFunctionSeries(FHistogram, this, Source);
  SeriesFill signalFill(FSignal), histogramFill(FHistogram);
  // A period of 0 would make an average that runs away instead of settling: no lines.
  if (Source->Count() < 2 || !(Period() > 0) || !(FPeriod3 > 0)) return;
  if (parent->SeriesColor() == fw::clWhite) parent->SetSeriesColor(0xFF0000);
  const TValues v(Source, SourceValueList(Source));
  const TChartValueList* x = Source->NotMandatoryValueList();
  // The two averages, the MACD and its signal line run along in one pass: each is the
  // recursive average of ExponentialAverage over the points that are not null.
  const double kShort = 2 / (FPeriod2 + 1), kLong = 2 / (Period() + 1), kSignal = 2 / (FPeriod3 + 1);
  double shortAverage = 0, longAverage = 0, signal = 0;
  bool started = false;
  const bool histogram = FHistogram->Active();
  // Reserved, not sized: a million zeros written only to be overwritten cost a pass each.
  std::vector<double> xs, macd, signals, differences;
  ReserveResults(xs, v.size());
  ReserveResults(macd, v.size());
  ReserveResults(signals, v.size());
  if (histogram) ReserveResults(differences, v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (!std::isfinite(v[i])) continue;
    if (started) {
      shortAverage = kShort * v[i] + (1 - kShort) * shortAverage;
      longAverage = kLong * v[i] + (1 - kLong) * longAverage;
    } else {
      shortAverage = longAverage = v[i];
    }
    const double m = shortAverage - longAverage;
    signal = started ? kSignal * m + (1 - kSignal) * signal : m;
    started = true;
    xs.push_back(x->Value(Integer(i)));
    macd.push_back(m);
    signals.push_back(signal);
    if (histogram) differences.push_back(m - signal);
  }
  // Each series owns its X values.
  auto copyOfX = [&] {
    std::vector<double> copy;
    ReserveResults(copy, xs.size());
    copy.assign(xs.begin(), xs.end());
    return copy;
  };
  TPointBuffer results, signalPoints, histogramPoints;
  if (histogram) histogramPoints.Set(copyOfX(), std::move(differences));
  signalPoints.Set(copyOfX(), std::move(signals));
  results.Set(std::move(xs), std::move(macd));
  results.FlushTo(parent);
  signalPoints.FlushTo(FSignal);
  histogramPoints.FlushTo(FHistogram);
}

// ---- Bollinger -------------------------------------------------------------------------------

TBollingerFunction::TBollingerFunction(fw::TComponent* AOwner)
    : chart::TPlotFunction(AOwner), FLowBand(new chart::TFastLineSeries(this)) {
  SetPeriod(10);
  FLowBand->SetShowInLegend(false);
}

TBollingerFunction::~TBollingerFunction() = default;

chart::TChartPen* TBollingerFunction::UpperBandPen() const { return ParentSeries() ? ParentSeries()->Pen() : nullptr; }
chart::TChartPen* TBollingerFunction::LowBandPen() const { return FLowBand->Pen(); }

void TBollingerFunction::SetDeviation(double Value) {
  if (FDeviation == Value) return;
  FDeviation = Value;
  RequestRecompute();
}

void TBollingerFunction::SetExponential(bool Value) {
  if (FExponential == Value) return;
  FExponential = Value;
  RequestRecompute();
}

void TBollingerFunction::ComputeFromSource(TChartSeries* Source) {
  if (!ParentSeries() || !Source) return;
  FollowFunctionSeries(FLowBand, this, Source);
  SeriesFill lowFill(FLowBand);
  if (Period() == 0) return;
  const Integer p = Integer(std::round(Period()));
  const TValues v(Source, SourceValueList(Source));
  const Integer count = Integer(v.size());
  if (p < 1 || count < p) return;
  std::vector<double> ema;
  if (FExponential) ExponentialAverage(v.data(), v.size(), Period(), ema);
  const TChartValueList* x = Source->NotMandatoryValueList();
  // The window's mean and squared deviations slide along (Welford's update for one value out
  // and one in); every p steps they are taken afresh in two passes, which bounds the rounding.
  double mean = 0, ss = 0;
  bool sliding = false;  // mean and ss hold the window before, and can slide on
  TPointBuffer upper, lower;
  upper.Reserve(std::size_t(count - p + 1));
  lower.Reserve(std::size_t(count - p + 1));
  for (Integer i = p; i <= count; ++i) {
    const Integer first = i - p;
    bool fresh = !sliding || first % p == 0;
    if (!fresh) {
      const double out = v[std::size_t(first - 1)], in = v[std::size_t(i - 1)];
      const double oldMean = mean;
      mean += (in - out) / p;
      ss += (in - out) * (in - mean + out - oldMean);
      // A gap entering, or squares beyond the double's range: this window goes the long way.
      fresh = !std::isfinite(mean) || !std::isfinite(ss);
    }
    long double wide = ss;  // the squared deviations, also where a double cannot hold them
    if (fresh) {
      long double m;
      Moments(v.data() + first, std::size_t(p), m, wide);
      mean = double(m);
      ss = double(wide);
    }
    sliding = std::isfinite(mean) && std::isfinite(ss);
    const double at = x->Value(i - 1);
    if (!std::isfinite(mean) || std::isnan(wide)) {  // a gap in the window
      upper.Add(at, kGap);
      lower.Add(at, kGap);
      continue;
    }
    const double sigma = wide > 0 ? double(std::sqrt(wide / p)) : 0;
    const double centre = FExponential ? ema[std::size_t(i - 1)] : mean;
    upper.Add(at, centre + FDeviation * sigma);
    lower.Add(at, centre - FDeviation * sigma);
  }
  upper.FlushTo(ParentSeries());
  lower.FlushTo(FLowBand);
}

// ---- cross points ----------------------------------------------------------------------------

void TCrossPointsFunction::ComputeFromSource(TChartSeries*) {
  TChartSeries* parent = ParentSeries();
  if (!parent || parent->DataSources().size() < 2) return;
  TChartSeries* a = parent->DataSources()[0];
  TChartSeries* b = parent->DataSources()[1];
  if (a->Count() < 2 || b->Count() < 2) return;
  const TChartValueList *ax = a->NotMandatoryValueList(), *ay = SourceValueList(a);
  const TChartValueList *bx = b->NotMandatoryValueList(), *by = SourceValueList(b);
  Integer i = 0, j = 0;
  bool hasLast = false;
  double lastX = 0, lastY = 0;
  while (i + 1 < a->Count() && j + 1 < b->Count()) {
    const double x1 = ax->Value(i), y1 = ay->Value(i), x2 = ax->Value(i + 1), y2 = ay->Value(i + 1);
    const double x3 = bx->Value(j), y3 = by->Value(j), x4 = bx->Value(j + 1), y4 = by->Value(j + 1);
    // Segments P1P2 and P3P4 meet at P1 + t·(P2 - P1) = P3 + u·(P4 - P3); parallel or
    // overlapping segments count as no crossing.
    const double d = (x2 - x1) * (y4 - y3) - (y2 - y1) * (x4 - x3);
    if (d != 0 && std::isfinite(d)) {
      const double t = ((x3 - x1) * (y4 - y3) - (y3 - y1) * (x4 - x3)) / d;
      const double u = ((x3 - x1) * (y2 - y1) - (y3 - y1) * (x2 - x1)) / d;
      if (t >= 0 && t <= 1 && u >= 0 && u <= 1) {
        const double cx = x1 + t * (x2 - x1), cy = y1 + t * (y2 - y1);
        // A crossing at a shared vertex is met from both of its segments: added once.
        if (!hasLast || cx != lastX || cy != lastY) AddResultPoint(cx, cy);
        hasLast = true, lastX = cx, lastY = cy;
      }
    }
    if (ax->Value(i + 1) < bx->Value(j + 1))
      ++i;
    else
      ++j;
  }
}

// ---- perimeter -------------------------------------------------------------------------------

void TPerimeterFunction::ComputeFromSource(TChartSeries* Source) {
  TChartSeries* parent = ParentSeries();
  if (!parent || !Source || !Source->HorizAxis() || !Source->VertAxis()) return;
  parent->Clear();
  parent->XValues()->SetOrder(chart::loNone);
  std::vector<win::POINT> points;
  for (Integer i = 0; i < Source->Count(); ++i)
    if (Source->PointIsDrawable(i)) points.push_back({Source->CalcXPos(i), Source->CalcYPos(i)});
  chart::ConvexHull(points);
  for (const win::POINT& p : points)
    AddResultPoint(Source->HorizAxis()->CalcPosPoint(p.x), Source->VertAxis()->CalcPosPoint(p.y));
  if (!points.empty())
    AddResultPoint(Source->HorizAxis()->CalcPosPoint(points[0].x), Source->VertAxis()->CalcPosPoint(points[0].y));
}

// ---- registration ----------------------------------------------------------------------------

void RegisterStatisticalClasses() {
  using chart::PlotClassOf;
  const String financial = "Financial", extended = "Extended", stats = "Stats";
  chart::RegisterPlotFunction(PlotClassOf<TMovingAverageFunction>(financial, "Moving\rAverage"));
  chart::RegisterPlotFunction(PlotClassOf<TExpMovAveFunction>(financial, "Exp.Moving\rAverage"));
  chart::RegisterPlotFunction(PlotClassOf<TExpAverageFunction>(extended, "Exponential\rAverage"));
  chart::RegisterPlotFunction(PlotClassOf<TMomentumFunction>(financial, "Momentum"));
  chart::RegisterPlotFunction(PlotClassOf<TMomentumDivFunction>(financial, "Momentum\rDivision"));
  chart::RegisterPlotFunction(PlotClassOf<TStdDeviationFunction>(extended, "Standard\rDeviation"));
  chart::RegisterPlotFunction(PlotClassOf<TRMSFunction>(extended, "Root Mean\rSquare"));
  chart::RegisterPlotFunction(PlotClassOf<TMACDFunction>(financial, "MACD"));
  chart::RegisterPlotFunction(PlotClassOf<TStochasticFunction>(financial, "Stochastic"));
  chart::RegisterPlotFunction(PlotClassOf<TBollingerFunction>(financial, "Bollinger\rbands"));
  chart::RegisterPlotFunction(PlotClassOf<TCrossPointsFunction>(extended, "Cross Points"));
  chart::RegisterPlotFunction(PlotClassOf<TPerformanceFunction>(extended, "Performance"));
  chart::RegisterPlotFunction(PlotClassOf<TVarianceFunction>(extended, "Variance"));
  chart::RegisterPlotFunction(PlotClassOf<TPerimeterFunction>(extended, "Perimeter"));
  chart::RegisterPlotSeries(PlotClassOf<THistogramSeries>(stats, "Histogram"));
  chart::RegisterPlotSeries(PlotClassOf<THorizHistogramSeries>(stats, "Horizontal\rHistogram"));
}

void UnRegisterStatisticalClasses() {
  for (const std::type_info* type :
       {&typeid(TMovingAverageFunction), &typeid(TExpMovAveFunction), &typeid(TExpAverageFunction),
        &typeid(TMomentumFunction), &typeid(TMomentumDivFunction), &typeid(TStdDeviationFunction), &typeid(TRMSFunction),
        &typeid(TMACDFunction), &typeid(TStochasticFunction), &typeid(TBollingerFunction), &typeid(TCrossPointsFunction),
        &typeid(TPerformanceFunction), &typeid(TVarianceFunction), &typeid(TPerimeterFunction)})
    chart::UnRegisterPlotFunction(*type);
  chart::UnRegisterPlotSeries(typeid(THistogramSeries));
  chart::UnRegisterPlotSeries(typeid(THorizHistogramSeries));
}

}  // namespace analysis
