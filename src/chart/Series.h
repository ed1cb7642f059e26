#pragma once
// The line series classes, data side: every graph of the program is a line series.

#include "chart/PlotEngine.h"

namespace chart {

class TCustomSeries : public TChartSeries {
 public:
  explicit TCustomSeries(fw::TComponent* AOwner) : TChartSeries(AOwner) {}
};

class TCustomLineSeries : public TCustomSeries {
 public:
  explicit TCustomLineSeries(fw::TComponent* AOwner) : TCustomSeries(AOwner) {}
  // The only data source (nullptr: none).
  TChartSeries* DataSource() const { return DataSources().empty() ? nullptr : DataSources().front(); }
};

class TLineSeries : public TCustomLineSeries {
 public:
  explicit TLineSeries(fw::TComponent* AOwner) : TCustomLineSeries(AOwner) {}
};

class TFastLineSeries : public TCustomLineSeries {
 public:
  explicit TFastLineSeries(fw::TComponent* AOwner) : TCustomLineSeries(AOwner) {}
};

// Puts the line series classes in the series gallery (the program calls it once at start).
void RegisterLineSeriesClasses();

}  // namespace chart
