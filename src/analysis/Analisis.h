#pragma once
// The analysis routines behind the main window's actions and the find windows: extreme points,
// mean and integral of a graph over an X interval; graph arithmetic by point index and
// resampled onto the first graph's refined X grid; the mean line with its deviations; upper and
// lower envelopes; first and second derivatives; cutting a series left or right of an X value.
//
// A routine that makes a graph hands a new line series to workspace::GraphCollection (source
// name and title as each routine says, no kind parameters) and selects it. Any error, the
// floating-point faults included, leaves the workspace without a new graph.

#include <functional>
#include <vector>

#include "analysis/AnalisisMath.h"

namespace chart {
class TChartSeries;
}
namespace workspace {
class TGraph;
class TPropSaver;
}  // namespace workspace

namespace analysis {

// The operand list: the first graph is the minuend, dividend or resampling reference.
using TGraphArray = std::vector<workspace::TGraph*>;

// Extremes, mean and integral of a series' points with A <= X <= B (see AnalisisMath.h). The
// whole-range forms take A and B from the X list's smallest and largest value.
void FindMaxY(const chart::TChartSeries* Series, TPointXY& Res);
void FindMaxYInRange(const chart::TChartSeries* Series, TPointXY& Res, double A, double B);
void FindMinY(const chart::TChartSeries* Series, TPointXY& Res);
void FindMinYInRange(const chart::TChartSeries* Series, TPointXY& Res, double A, double B);
void FindMinMaxYInRange(const chart::TChartSeries* Series, TMinMaxXY& Res, double A, double B);
double MeanYInRange(const chart::TChartSeries* Series, double A, double B);
double IntegrateRange(const chart::TChartSeries* Series, double A, double B);

// Point-index arithmetic: as many points as the longest graph has, at its X values. A single
// graph gives a level line over its X range at its whole-range value (sum of Y for the sum; 0
// for difference, product and quotient; highest, lowest or mean Y).
workspace::TGraph* AddSubtractGraph(const TGraphArray& Graphs);
workspace::TGraph* AddSumGraph(const TGraphArray& Graphs);
workspace::TGraph* AddMultiplyGraph(const TGraphArray& Graphs);
workspace::TGraph* AddDivideGraph(const TGraphArray& Graphs);
workspace::TGraph* AddAverageGraph(const TGraphArray& Graphs);
workspace::TGraph* AddEnvelopeHighGraph(const TGraphArray& Graphs);
workspace::TGraph* AddEnvelopeLowGraph(const TGraphArray& Graphs);

// Resampled arithmetic on the refined grid of Graphs[0] with Preferences.SplitInterval steps.
workspace::TGraph* AddRareArithmeticGraph(const TGraphArray& Graphs, TRareOp Op);
workspace::TGraph* AddSumRareGraph(const TGraphArray& Graphs);
workspace::TGraph* AddSubtractRareGraph(const TGraphArray& Graphs);
workspace::TGraph* AddMultiplyRareGraph(const TGraphArray& Graphs);
workspace::TGraph* AddDivideRareGraph(const TGraphArray& Graphs);
// The mean line on the same grid; afterwards the deviations go to the information window as
// "Макс.откл.(абс.)", "Макс.откл.(%)", "Мин.откл.(абс.)", "Мин.откл.(%)" (a percentage of a
// zero mean is shown as "—"; without an installed window they are computed and not shown).
workspace::TGraph* AddAverageRareGraph(const TGraphArray& Graphs);

// Derivatives of the series at its inner points, titled "Производная " / "Производная2 "
// followed by the series title.
workspace::TGraph* AddDerivativeGraph(const chart::TChartSeries* Series);
workspace::TGraph* AddDerivative2Graph(const chart::TChartSeries* Series);

// Cutting. Left: keeps the point nearest to X among the first point right of X and its left
// neighbour and deletes every point before it; refused (false, nothing deleted) when no point
// would follow the kept one. Right: keeps the same point and deletes every point after it;
// refused when no point lies right of X and the series has fewer than two points. TrimSeries
// cuts left, then right only when the left cut was made; true when both were made.
bool TrimSeriesLeft(chart::TChartSeries* Series, double X);
bool TrimSeriesRight(chart::TChartSeries* Series, double X);
bool TrimSeries(chart::TChartSeries* Series, double LeftX, double RightX);

}  // namespace analysis
