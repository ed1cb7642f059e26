#pragma once
// Graphs computed from another graph's series through a chart function: the smoothing spline
// (kind 3) and the envelope (kind 5). The points are computed on a temporary series whose data
// source is the source series, then taken by the graph.

#include "analysis/FuncGraph.h"

namespace chart {
class TChartSeries;
class TPlotFunction;
}
namespace workspace {
class TPropSaver;
}

namespace analysis {

struct TSplineParams {
  bool Interpolate = false;
  int Factor = 2;
};

// Periods of Factor points, or of Step along X with UseStep; the highest value of each, or the
// lowest with Low, at the period's centre.
struct TEnvelopeParams {
  bool Low = false;
  bool UseStep = false;
  int Factor = 1;
  double Step = 1.0;
  void Load(const workspace::TPropSaver& Store);
  void Save(workspace::TPropSaver& Store) const;
};

// The points Function computes from Source, through a series that lives for the computation.
TFuncPoints Compute(chart::TChartSeries* Source, chart::TPlotFunction* Function);

TFuncPoints SplinePoints(chart::TChartSeries* Source, const TSplineParams& Params);
// A step along X that is not positive is refused (it makes no period).
TFuncPoints EnvelopePoints(chart::TChartSeries* Source, const TEnvelopeParams& Params);

}  // namespace analysis
