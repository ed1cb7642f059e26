#pragma once
// Histogram series: one bar per point, each bar running from the previous bar's edge to half a
// slot past its own position, outlined as one skyline.

#include <memory>
#include <vector>

#include "chart/Series.h"

namespace analysis {

using fw::Integer;
using fw::String;

class THistogramSeries : public chart::TCustomLineSeries {
 public:
  explicit THistogramSeries(fw::TComponent* AOwner);
  ~THistogramSeries() override;

  // Separating lines between bars; hidden at first.
  chart::TChartPen* LinesPen() const { return FLinesPen.get(); }
  // Per cent of transparency of the fill, 0 .. 100.
  Integer Transparency() const { return FTransparency; }
  void SetTransparency(Integer Value);
  Integer PointAt(Integer X, Integer Y) override;
  String GetEditorClassName() const override { return "THistogramSeriesEditor"; }
  // "Hollow", "No Border", "Lines", "Transparency".
  std::vector<String> ListSubStyles() const override;
  void ApplySubStyle(Integer Index) override;

  // One bar in pixels: Low .. High along the position axis, from Base to Top along the value
  // axis (on a vertical histogram Low is the left edge and Top the bar's top row).
  struct TBar {
    Integer Index;
    Integer Low, High, Top;
  };
  // The bars of the visible points, and the base line's pixel.
  std::vector<TBar> CalcBars(Integer& Base) const;
  // Half a bar's slot in pixels: the axis length over the Shown points, or over the chart's
  // fixed points per page when it has one.
  Integer HalfSlot(const chart::TChartAxis& PositionAxis, Integer Shown) const;
  // Half a slot and the pen's width on each side of the position axis.
  void CalcAxisMargins(const chart::TChartAxis& Axis, Integer& Low, Integer& High) const override;

 protected:
  void DrawValues(chart::TPlotCanvas3D& Canvas) override;
  // Bars stand on the horizontal axis; false lays them along the vertical one.
  virtual bool Vertical() const { return true; }

 private:
  std::unique_ptr<chart::TChartPen> FLinesPen;
  Integer FTransparency = 0;
};

// The same bars drawn along the vertical axis: the Y list holds the positions.
class THorizHistogramSeries : public THistogramSeries {
 public:
  explicit THorizHistogramSeries(fw::TComponent* AOwner);

 protected:
  bool Vertical() const override { return false; }
};

}  // namespace analysis
