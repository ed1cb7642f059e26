#pragma once
// Moving statistics and indicators computed from a source series: moving and exponential
// averages, momentum, deviations, variance, performance, stochastic, MACD, Bollinger bands,
// cross points and the perimeter. Each answers for one range of source points (the engine's
// period walk and moving window place the values), or builds its output itself. Moving windows
// are slid with running sums, so a whole computation is linear in the source's length.

#include <vector>

#include "chart/PlotEngine.h"

namespace chart {
class TChartPen;
class TFastLineSeries;
}  // namespace chart

namespace analysis {

using fw::Integer;
using fw::String;

class TVolumeSeries;

// Σv / n; Weighted: Σ(v·x) / Σx; WeightedIndex: Σ(v·k) / Σk, k = 1 .. n (a zero denominator
// gives 0).
class TMovingAverageFunction : public chart::TPlotMovingFunction {
 public:
  explicit TMovingAverageFunction(fw::TComponent* AOwner) : chart::TPlotMovingFunction(AOwner) {}
  String GetEditorClassName() const override { return "TMovAveFuncEditor"; }
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  void ComputeByPeriods(chart::TChartSeries* Source) override;
  bool Weighted() const { return FWeighted; }
  void SetWeighted(bool Value);
  bool WeightedIndex() const { return FWeightedIndex; }
  void SetWeightedIndex(bool Value);

 private:
  bool FWeighted = false;
  bool FWeightedIndex = false;
};

// e(0) = v(0), e(i) = k·v(i) + (1 - k)·e(i - 1) with k = 2 / (Period + 1), at every source X
// (null points are skipped). Period 0 or fewer than two points leave the series empty.
class TExpMovAveFunction : public chart::TPlotFunction {
 public:
  explicit TExpMovAveFunction(fw::TComponent* AOwner);
  void ComputeFromSource(chart::TChartSeries* Source) override;
};

// Weight·v(i) + (1 - Weight)·v(i - 1) at the window's last index i; v(i) alone at index 0.
class TExpAverageFunction : public chart::TPlotMovingFunction {
 public:
  explicit TExpAverageFunction(fw::TComponent* AOwner) : chart::TPlotMovingFunction(AOwner) {}
  String GetEditorClassName() const override { return "TExpAveFuncEditor"; }
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double Weight() const { return FWeight; }
  // Raises "ExpAverage Weight must be between 0 and 1" outside 0 .. 1 (the old value stays).
  void SetWeight(double Value);

 private:
  double FWeight = 0.2;
};

// v(Last) - v(First).
class TMomentumFunction : public chart::TPlotMovingFunction {
 public:
  explicit TMomentumFunction(fw::TComponent* AOwner) : chart::TPlotMovingFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
};

// 100·v(Last) / v(First); 0 when v(First) is 0.
class TMomentumDivFunction : public chart::TPlotMovingFunction {
 public:
  explicit TMomentumDivFunction(fw::TComponent* AOwner) : chart::TPlotMovingFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
};

// Standard deviation of a range (or of one index across the sources): the sample form, or the
// population form when Complete; 0 for fewer than two values.
class TStdDeviationFunction : public chart::TPlotFunction {
 public:
  explicit TStdDeviationFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  String GetEditorClassName() const override { return "TRMSFuncEditor"; }
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>& Sources, Integer Index) override;
  bool Complete() const { return FComplete; }
  void SetComplete(bool Value);
  // The deviation of Count values.
  virtual double Calculate(const double* Values, Integer Count) const;

 private:
  bool FComplete = false;
};

// √(Σv² / (n - 1)), or √(Σv² / n) when Complete; 0 for fewer than two values.
class TRMSFunction : public TStdDeviationFunction {
 public:
  explicit TRMSFunction(fw::TComponent* AOwner) : TStdDeviationFunction(AOwner) {}
  double Calculate(const double* Values, Integer Count) const override;
};

// Σ(v - mean)² / n over the source's Y list; 0 for an empty range.
class TVarianceFunction : public chart::TPlotFunction {
 public:
  explicit TVarianceFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>& Sources, Integer Index) override;
};

// 100·(v(Last) - v(0)) / v(0), always against the series' first value; 0 when it is 0.
class TPerformanceFunction : public chart::TPlotMovingFunction {
 public:
  explicit TPerformanceFunction(fw::TComponent* AOwner) : chart::TPlotMovingFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
};

// 100·(close(Last) - L) / (H - L) with L the lowest "Low" and H the highest "High" of the range
// (values that are not numbers left out); 0 when H = L or when the source has no such lists.
class TStochasticFunction : public chart::TPlotMovingFunction {
 public:
  explicit TStochasticFunction(fw::TComponent* AOwner) : chart::TPlotMovingFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  void ComputeFromSource(chart::TChartSeries* Source) override;
  void ComputeByPeriods(chart::TChartSeries* Source) override;
  // Numerator and denominator of each value of the last computation, in order (NaN for a
  // window with a gap).
  const std::vector<double>& Nums() const { return FNums; }
  const std::vector<double>& Dens() const { return FDens; }

 private:
  // Records and returns the value of a window with close Close, lowest low Lo and highest high
  // Hi (infinite when the window holds no number).
  double Record(double Close, double Lo, double Hi);
  // Records and returns a window with a gap in it (NaN throughout).
  double RecordGap();
  std::vector<double> FNums, FDens;
};

// MACD = short - long exponential average, with a signal line (the exponential average of the
// MACD over Period3) and a histogram of MACD - signal, both owned and hidden from the legend.
class TMACDFunction : public chart::TPlotMovingFunction {
 public:
  explicit TMACDFunction(fw::TComponent* AOwner);
  ~TMACDFunction() override;
  String GetEditorClassName() const override { return "TMACDFuncEditor"; }
  void ComputeFromSource(chart::TChartSeries* Source) override;
  double Period2() const { return FPeriod2; }
  // Values below 1 are stored as 1.
  void SetPeriod2(double Value);
  double Period3() const { return FPeriod3; }
  void SetPeriod3(double Value);
  // The pens of the MACD line (the function's series), the signal line and the histogram.
  chart::TChartPen* MACDPen() const;
  chart::TChartPen* MACDExpPen() const;
  chart::TChartPen* HistogramPen() const;
  chart::TFastLineSeries* SignalLine() const { return FSignal; }
  TVolumeSeries* Histogram() const { return FHistogram; }

 private:
  double FPeriod2 = 12;
  double FPeriod3 = 9;
  chart::TFastLineSeries* FSignal;
  TVolumeSeries* FHistogram;
};

// Upper band into the function's series, lower band into an owned line: centre ± Deviation·σ of
// the Period points before each index, placed at the X of the last of them.
class TBollingerFunction : public chart::TPlotFunction {
 public:
  explicit TBollingerFunction(fw::TComponent* AOwner);
  ~TBollingerFunction() override;
  String GetEditorClassName() const override { return "TBollingerFuncEditor"; }
  void ComputeFromSource(chart::TChartSeries* Source) override;
  double Deviation() const { return FDeviation; }
  void SetDeviation(double Value);
  bool Exponential() const { return FExponential; }
  void SetExponential(bool Value);
  chart::TChartPen* UpperBandPen() const;
  chart::TChartPen* LowBandPen() const;
  chart::TFastLineSeries* LowBand() const { return FLowBand; }

 private:
  double FDeviation = 2;
  bool FExponential = true;
  chart::TFastLineSeries* FLowBand;
};

// The points where the polylines of the first two sources cross.
class TCrossPointsFunction : public chart::TPlotFunction {
 public:
  explicit TCrossPointsFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  // The class has no editor at all, not even the base one.
  String GetEditorClassName() const override { return {}; }
  void ComputeFromSource(chart::TChartSeries* Source) override;
};

// The convex hull of the source's points on the screen, closed, in axis values.
class TPerimeterFunction : public chart::TPlotFunction {
 public:
  explicit TPerimeterFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  void ComputeFromSource(chart::TChartSeries* Source) override;
};

// The exponential moving average of Values (k = 2 / (Period + 1), starting at the first value),
// the one every exponential function here shares.
void ExponentialAverage(const double* Values, std::size_t Count, double Period, std::vector<double>& Result);

// Puts the functions and the histogram series on their gallery pages and in the class lookup,
// and takes them out again.
void RegisterStatisticalClasses();
void UnRegisterStatisticalClasses();

}  // namespace analysis
