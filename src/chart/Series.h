#pragma once
// The line series classes: every graph of the program is a line series.

#include <memory>

#include "chart/PlotEngine.h"

namespace chart {

class TSeriesPointer;

// A series drawn as a line through its points, with an optional pointer at each point.
class TCustomSeries : public TChartSeries {
 public:
  explicit TCustomSeries(fw::TComponent* AOwner);
  ~TCustomSeries() override;

  // The line's pen (the series' pen): hidden, no line.
  TChartPen* LinePen() const { return Pen(); }
  TSeriesPointer* Pointer() const { return FPointer.get(); }

  void DrawLegendSymbol(TPlotCanvas3D& Canvas, const win::RECT& Rect) override;
  // A point whose pointer (when shown) covers the pixel, else the nearer end of a line segment
  // (when the line is shown) passing within half a pixel beyond its pen; the first in index
  // order over the visible range wins.
  Integer PointAt(Integer X, Integer Y) override;

 protected:
  void DrawValues(TPlotCanvas3D& Canvas) override;

 private:
  void DrawLine(TPlotCanvas3D& Canvas);
  void DrawLineRuns(TPlotCanvas3D& Canvas, bool ColorPerPoint);
  std::unique_ptr<TSeriesPointer> FPointer;
};

class TCustomLineSeries : public TCustomSeries {
 public:
  explicit TCustomLineSeries(fw::TComponent* AOwner);
  // The only data source (nullptr: none).
  TChartSeries* DataSource() const { return DataSources().empty() ? nullptr : DataSources().front(); }
};

// Created with the line shown and the pointer hidden.
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
