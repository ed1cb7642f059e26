#pragma once
// The basic calculating functions a series can carry: point-wise sum, difference, product and
// quotient of several sources, highest, lowest and mean value, a user-computed y = f(x), and
// the median and mode. The engine's frame (TPlotFunction) walks the sources; these classes only
// answer for one range of one source and for one index across all sources.

#include <functional>
#include <vector>

#include "chart/PlotEngine.h"

namespace analysis {

using fw::Integer;
using fw::String;

class TAddPlotFunction : public chart::TPlotFunction {
 public:
  explicit TAddPlotFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>& Sources, Integer Index) override;
};

// Starts from the first source that has the index and folds every later one in with
// CalculateValue.
class TManySeriesPlotFunction : public chart::TPlotFunction {
 public:
  explicit TManySeriesPlotFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>& Sources, Integer Index) override;
  virtual double CalculateValue(double Result, double Value) const;
};

class TSubtractPlotFunction : public TManySeriesPlotFunction {
 public:
  explicit TSubtractPlotFunction(fw::TComponent* AOwner) : TManySeriesPlotFunction(AOwner) {}
  double CalculateValue(double Result, double Value) const override;
};

class TMultiplyPlotFunction : public TManySeriesPlotFunction {
 public:
  explicit TMultiplyPlotFunction(fw::TComponent* AOwner) : TManySeriesPlotFunction(AOwner) {}
  double CalculateValue(double Result, double Value) const override;
};

// A zero divisor leaves the dividend as it is.
class TDividePlotFunction : public TManySeriesPlotFunction {
 public:
  explicit TDividePlotFunction(fw::TComponent* AOwner) : TManySeriesPlotFunction(AOwner) {}
  double CalculateValue(double Result, double Value) const override;
};

class THighPlotFunction : public chart::TPlotFunction {
 public:
  explicit THighPlotFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>& Sources, Integer Index) override;
};

class TLowPlotFunction : public chart::TPlotFunction {
 public:
  explicit TLowPlotFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>& Sources, Integer Index) override;
};

class TAveragePlotFunction : public chart::TPlotFunction {
 public:
  explicit TAveragePlotFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  String GetEditorClassName() const override;
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>& Sources, Integer Index) override;
  // False leaves null points out of sums and counts.
  bool IncludeNulls() const { return FIncludeNulls; }
  void SetIncludeNulls(bool Value);

 private:
  bool FIncludeNulls = true;
};

class TCustomPlotFunction;
using TCalculateEvent = std::function<void(TCustomPlotFunction* Sender, double X, double& Y)>;

// Fills its parent series from an event instead of from sources: NumPoints points from StartX
// on, Period apart.
class TCustomPlotFunction : public chart::TPlotFunction {
 public:
  explicit TCustomPlotFunction(fw::TComponent* AOwner);
  String GetEditorClassName() const override;
  void ComputeFromSource(chart::TChartSeries* Source) override;
  // Clears the parent series and fills it from OnCalculate (nothing when it is not assigned).
  // The engine recomputes only series with data sources; a source-less parent is filled here,
  // which the setters below do by themselves.
  void Calculate();
  // Period is the X step, so its change (as any other) refills the parent.
  void RequestRecompute() override { Calculate(); }

  const TCalculateEvent& OnCalculate() const { return FOnCalculate; }
  void SetOnCalculate(TCalculateEvent Value);
  Integer NumPoints() const { return FNumPoints; }
  void SetNumPoints(Integer Value);
  double StartX() const { return FStartX; }
  void SetStartX(double Value);
  // The X being calculated, for the event handler.
  double X() const { return FX; }

 private:
  TCalculateEvent FOnCalculate;
  Integer FNumPoints = 100;
  double FStartX = 0;
  double FX = 0;
};

// Sorts the values of a range (or of one index across the sources) and reduces them to one.
// Values that are not numbers take no part: they have no place in an ascending order.
class TCustomSortedFunction : public chart::TPlotFunction {
 public:
  explicit TCustomSortedFunction(fw::TComponent* AOwner) : chart::TPlotFunction(AOwner) {}
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>& Sources, Integer Index) override;
  // The value of Count values in ascending order; 0 in the base.
  virtual double SortedValue(const double* Values, Integer Count) const;
  bool IncludeNulls() const { return FIncludeNulls; }
  void SetIncludeNulls(bool Value);

 private:
  double FromWorkingArray();
  bool FIncludeNulls = true;
  std::vector<double> FValues;  // the working array, released after each value
};

// The middle value, or the mean of the two middle ones; 0 for no values.
class TMedianPlotFunction : public TCustomSortedFunction {
 public:
  explicit TMedianPlotFunction(fw::TComponent* AOwner) : TCustomSortedFunction(AOwner) {}
  double SortedValue(const double* Values, Integer Count) const override;
};

// The value of the longest run of equal values (the smaller value on equal runs); 0 for none.
class TModePlotFunction : public TCustomSortedFunction {
 public:
  explicit TModePlotFunction(fw::TComponent* AOwner) : TCustomSortedFunction(AOwner) {}
  double SortedValue(const double* Values, Integer Count) const override;
};

// Puts the ten functions on the standard function page, in gallery order, and takes them out.
void RegisterBasicFunctions();
void UnRegisterBasicFunctions();

}  // namespace analysis
