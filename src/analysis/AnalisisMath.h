#pragma once
// The numbers behind the graph arithmetic and the range analysis, as plain functions over
// arrays: no series, no workspace. Every function is linear in the number of points.
//
// Floating-point faults: a result that is not a finite number although its operands were
// finite raises win::EZeroDivide, win::EInvalidOp or win::EOverflow (the faults of the first
// such operation). Operands that are already not numbers (null points) give a result that is
// not a number either, which a series keeps as a null point.

#include <cstddef>
#include <vector>

namespace analysis {

// Read-only X and Y arrays of one graph, Count points each.
struct TXYArrays {
  const double* X = nullptr;
  const double* Y = nullptr;
  std::size_t Count = 0;
};

struct TPointXY {
  double X = 0;
  double Y = 0;
};

struct TMinMaxXY {
  double MinX = 0;
  double MinY = 0;
  double MaxX = 0;
  double MaxY = 0;
};

// Start values of the extreme searches: what an interval without points leaves in the result.
inline constexpr double MaxSearchStart = -1.7e308;
inline constexpr double MinSearchStart = 1.7e308;

// The messages of the analysis routines.
inline constexpr const char* MsgNoPointsInRange = "На заданном участке нет ни одной точки";
inline constexpr const char* MsgTooFewPoints = "Слишком мало точек для построения";
inline constexpr const char* MsgTooManyPoints = "Слишком много точек для построения";
inline constexpr const char* MsgXNotAscending =
    "Значения X графика должны возрастать: такой график нельзя пересчитать на общую сетку";

// Interval scans. A point belongs to [A, B] when A <= X <= B and both its X and Y are finite
// numbers; every point is visited, so graphs whose X values are not ascending (parametric
// graphs) are scanned whole. Of equal extremes the first point wins; the minimum and maximum of
// MinMaxYInRange follow the same strict tests. An interval without points leaves Res.Y (or
// MinY/MaxY) at the start values and the X values as they were.
void MaxYInRange(const TXYArrays& Data, TPointXY& Res, double A, double B);
void MinYInRange(const TXYArrays& Data, TPointXY& Res, double A, double B);
void MinMaxYInRange(const TXYArrays& Data, TMinMaxXY& Res, double A, double B);
// Raises MsgNoPointsInRange when no point lies in [A, B]; a mean of values whose sum leaves the
// double range is still found.
double MeanYInRange(const TXYArrays& Data, double A, double B);

// Integral of Y over the points lying in [A, B], taken on the points' own spacing: composite
// Simpson over pairs of intervals (the uneven-step form, the classic h/3 rule on even steps);
// an odd interval count closes its last interval with the parabola through the last three
// points, and a single interval is a trapezoid. Intervals of zero width contribute nothing.
// The ends of [A, B] beyond the first and last points inside add the pieces under the straight
// lines to their neighbours outside, so the result covers the whole interval where the graph
// does. Any finite spacing works; a result beyond the double range raises EOverflow.
// Raises MsgNoPointsInRange with fewer than two points in the interval, and MsgXNotAscending
// when their X values are not ascending.
double IntegrateRange(const TXYArrays& Data, double A, double B);

// Point-index arithmetic across several sources: the result has as many values as the longest
// source; at each index the first source that has the index starts the value and every later
// source that has it is folded in. Average divides the sum by the number of sources taken.
enum TIndexOp { ioAdd, ioSubtract, ioMultiply, ioDivide, ioHigh, ioLow, ioAverage };

// One folding step (Average sums); a zero divisor keeps the dividend.
inline double CombineStep(TIndexOp Op, double Result, double Value) {
  switch (Op) {
    case ioAdd:
    case ioAverage:
      return Result + Value;
    case ioSubtract:
      return Result - Value;
    case ioMultiply:
      return Result * Value;
    case ioDivide:
      return Value == 0 ? Result : Result / Value;
    case ioHigh:
      return Value > Result ? Value : Result;
    case ioLow:
      return Value < Result ? Value : Result;
  }
  return Result;
}

// CombineStep that raises the floating-point fault of a non-finite result from finite operands.
double CheckedCombineStep(TIndexOp Op, double Result, double Value);

// Values of one source: its mandatory value list.
struct TValuesArray {
  const double* Values = nullptr;
  std::size_t Count = 0;
};

void CombineByIndex(TIndexOp Op, const std::vector<TValuesArray>& Sources, std::vector<double>& Result);

// Resampled arithmetic on the refined X grid of a reference graph: every interval of the
// reference is cut into SplitInterval steps (its last point is taken once) and the reference's
// own value is interpolated along it. Two reference points sharing an X are a vertical step:
// the grid keeps both, each with its own Y. Each further graph adds its linearly interpolated
// value wherever the grid X lies in its closed X range [first X, last X], its end points
// included with their own Y, and nothing outside it. A grid X within rounding of one of a
// further graph's X values (a few units in the last place of the reference interval's scale)
// is at that X: its end on a grid point counts, whichever side of it the computed grid X
// falls. Further graphs must have ascending X values (MsgXNotAscending), repeated ones allowed;
// the reference may have any order.
enum TRareOp { roSum = 0, roDifference = 1, roProduct = 2, roQuotient = 3 };

// The largest refined grid the resampled routines build (MsgTooManyPoints beyond).
inline constexpr std::size_t MaxGridPoints = 50000000;

// Bracketing inside the range: below is the last point with X <= x, above the first with X > x
// (of points sharing an X the last one gives the value there).
void ResampleArithmetic(TRareOp Op, const TXYArrays& Reference, const std::vector<TXYArrays>& Others,
                        int SplitInterval, std::vector<double>& X, std::vector<double>& Y);

// The deviation of the mean line from the reference, over all grid points.
struct TDeviationStats {
  double MaxDev = 0;
  double MaxMean = 0;
  double MinDev = 1e307;
  double MinMean = 0;
};

// The mean line of the reference and the further graphs on the reference's refined grid: a
// graph counts wherever x lies in its closed X range, as in ResampleArithmetic. Inside the range
// bracketing takes below the last point with X < x and above the first with X >= x (of points
// sharing an X the first one gives the value there). Stats holds the largest and the smallest
// |mean - reference| with the mean where each occurred (the first grid point wins a tie).
void ResampleAverage(const TXYArrays& Reference, const std::vector<TXYArrays>& Others, int SplitInterval,
                     std::vector<double>& X, std::vector<double>& Y, TDeviationStats& Stats);

// First derivative by central differences, (Y[i+1] - Y[i-1]) / (X[i+1] - X[i-1]) at X[i] for
// every inner point. Raises MsgTooFewPoints when that gives fewer than two points.
void Derivative(const TXYArrays& Data, std::vector<double>& X, std::vector<double>& D);
// Second derivative at every inner point from the parabola through the point and its two
// neighbours: (Y[i+1] - 2Y[i] + Y[i-1]) / h² on even steps, the uneven-step form otherwise.
// Raises MsgTooFewPoints like Derivative.
void SecondDerivative(const TXYArrays& Data, std::vector<double>& X, std::vector<double>& D);

// Where a cut at At falls: the first point right of At (strictly greater), and the point the
// cut keeps, the nearer of it and its left neighbour (a tie keeps the right one).
struct TTrimPlan {
  bool PointRightOfCut = false;
  std::size_t Kept = 0;
};
TTrimPlan PlanTrim(const double* X, std::size_t Count, double At);

}  // namespace analysis
