#pragma once
// Least-squares polynomial fitting and the fitting, trend and correlation chart functions.

#include <array>

#include "chart/PlotEngine.h"
#include "platform/kernel/Extended.h"

namespace analysis {

using fw::Integer;
using fw::String;
using win::Extended;

// The solver's store: at most this many polynomial terms. Element 0 of a vector is term 1.
inline constexpr int MaxPolyTerms = 20;
using TPolyVector = std::array<Extended, MaxPolyTerms>;
using TPolyMatrix = std::array<TPolyVector, MaxPolyTerms>;

// Solves A·X = B (Size unknowns) by elimination with partial pivoting, destroying A and B.
// Returns the determinant; 0 when a pivot is smaller than Tolerance (X is then unspecified).
Extended GaussianEliminationDeterminant(int Size, TPolyMatrix& A, TPolyVector& B, Extended Tolerance,
                                        TPolyVector& X);
// 1, x, x², ..., x^(Count-1).
TPolyVector PowerVector(int Count, Extended X);
// Σ Coefficients[i]·x^i over the first Count terms.
Extended CalculatePoly(int Count, const TPolyVector& Coefficients, Extended X);
// Least-squares polynomial of Terms terms through Points (X, Y) pairs, solved by orthogonal
// (Householder) reduction. Raises "Cannot process fitting" when the data do not determine
// every term (fewer distinct X values than terms) or are not finite.
void PolyFitting(int Points, int Terms, const double* X, const double* Y, TPolyVector& Coefficients);
// The same for Y - YOrigin in powers of X - XOrigin, reading the points as they are.
void PolyFittingAbout(int Points, int Terms, const double* X, const double* Y, double XOrigin, double YOrigin,
                      TPolyVector& Coefficients);

enum TTypeFitting { cfPolynomial };

class TCustomFittingFunction : public chart::TPlotFunction {
 public:
  explicit TCustomFittingFunction(fw::TComponent* AOwner);

  void ComputeFromSource(chart::TChartSeries* Source) override;
  // Coefficient Index (1-based) of the last fit, in coordinates shifted by FitXOrigin and
  // FitYOrigin.
  double AnswerVector(Integer Index) const;
  double FitXOrigin() const { return FFitXOrigin; }
  double FitYOrigin() const { return FFitYOrigin; }

  Integer PolyDegree() const { return FPolyDegree; }
  // Number of terms, 1 .. 20; outside raises "Polynomial degree must be between 1 and 20".
  void SetPolyDegree(Integer Value);
  TTypeFitting TypeFitting() const { return FTypeFitting; }
  void SetTypeFitting(TTypeFitting Value);
  Integer Factor() const { return FFactor; }
  // Output sub-steps between neighbouring source points; below 1 is stored as 1.
  void SetFactor(Integer Value);
  // Source index ranges: drawn (FirstPoint..LastPoint) and fitted (FirstCalcPoint..LastCalcPoint);
  // -1 stands for the first or the last point.
  Integer FirstPoint() const { return FFirstPoint; }
  void SetFirstPoint(Integer Value);
  Integer LastPoint() const { return FLastPoint; }
  void SetLastPoint(Integer Value);
  Integer FirstCalcPoint() const { return FFirstCalcPoint; }
  void SetFirstCalcPoint(Integer Value);
  Integer LastCalcPoint() const { return FLastCalcPoint; }
  void SetLastCalcPoint(Integer Value);

  // The fitted y at x; FittedValues the same for Count points.
  double FittedValue(double X) const;
  void FittedValues(const double* X, double* Y, std::size_t Count) const;

 protected:
  // Draws the fitted curve over the drawn range of Source.
  virtual void AddFittedPoints(chart::TChartSeries* Source);

 private:
  void SetOrigins(chart::TChartSeries* Source);
  void SetInteger(Integer& Field, Integer Value);

  Integer FPolyDegree = 5;
  TTypeFitting FTypeFitting = cfPolynomial;
  Integer FFactor = 1;
  Integer FFirstPoint = -1, FLastPoint = -1;
  Integer FFirstCalcPoint = -1, FLastCalcPoint = -1;
  TPolyVector FCoefficients{};
  double FFitXOrigin = 0, FFitYOrigin = 0;
};

class TCurveFittingFunction : public TCustomFittingFunction {
 public:
  explicit TCurveFittingFunction(fw::TComponent* AOwner) : TCustomFittingFunction(AOwner) {}
};

// Sums of one trend computation, taken about the means in extended precision (the squares of
// any double fit), over the points that are not null.
struct TTrendSums {
  Integer N = 0;
  Extended MeanX = 0, MeanY = 0;
  Extended Sxx = 0, Syy = 0, Sxy = 0;
  // Where the trend is drawn: the first and last X taken, or the extremes of an unordered list.
  double LowX = 0, HighX = 0;
};

class TCustomTrendFunction : public chart::TPlotFunction {
 public:
  enum TTrendStyle { tsLine = 0, tsExponential = 2 };
  TCustomTrendFunction(fw::TComponent* AOwner, TTrendStyle Style);

  // One trend over the whole source, or over points First..Last of each period.
  void ComputeWhole(chart::TChartSeries* Source) override;
  void ComputeOneRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
  double ValueOverRange(chart::TChartSeries*, Integer, Integer) override { return 0; }
  double ValueAcrossSources(const std::vector<chart::TChartSeries*>&, Integer) override { return 0; }
  // Sums over points First..Last (First = -1: the whole series); false for fewer than 2 points
  // that are not null. A slope, factor or point beyond the double range raises EOverflow.
  bool CalculateSums(chart::TChartSeries* Source, Integer First, Integer Last, TTrendSums& Sums) const;
  // Slope and intercept (straight line) or rate and factor (y = a·e^(r·x)) of the points.
  bool CalculateTrend(chart::TChartSeries* Source, Integer First, Integer Last, double& M, double& B) const;
  TTrendStyle Style() const { return FStyle; }

 private:
  void AddTrend(chart::TChartSeries* Source, Integer First, Integer Last);
  void AddTrendPoint(chart::TChartSeries* Source, double X, double M, double B);
  TTrendStyle FStyle;
};

class TTrendFunction : public TCustomTrendFunction {
 public:
  explicit TTrendFunction(fw::TComponent* AOwner) : TCustomTrendFunction(AOwner, tsLine) {}
};

class TExpTrendFunction : public TCustomTrendFunction {
 public:
  explicit TExpTrendFunction(fw::TComponent* AOwner) : TCustomTrendFunction(AOwner, tsExponential) {}
};

// The correlation coefficient of the source's X and values, drawn as a horizontal line.
class TCorrelationFunction : public TCustomTrendFunction {
 public:
  explicit TCorrelationFunction(fw::TComponent* AOwner) : TCustomTrendFunction(AOwner, tsLine) {}
  // The coefficient as a line over the whole source, or one value per period.
  void ComputeWhole(chart::TChartSeries* Source) override { TPlotFunction::ComputeWhole(Source); }
  void ComputeOneRange(chart::TChartSeries* Source, Integer First, Integer Last) override {
    TPlotFunction::ComputeOneRange(Source, First, Last);
  }
  double ValueOverRange(chart::TChartSeries* Source, Integer First, Integer Last) override;
};

// Puts the four functions on the "Extended" gallery page and in the class lookup, and back out.
void RegisterFittingFunctions();
void UnRegisterFittingFunctions();

}  // namespace analysis
