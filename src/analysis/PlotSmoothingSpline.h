#pragma once
// Smoothing curve through (or near) the points of one series: a uniform cubic B-spline over the
// points as control points, optionally solved first so that the curve passes through them.

#include <vector>

#include "chart/PlotEngine.h"

namespace analysis {

struct TSplinePoint {
  double x = 0;
  double y = 0;
};

// Points and vertices are numbered from 1; vertices 0 and VertexCount + 1 extend the ends.
class TBSpline {
 public:
  static constexpr int CapacityStep = 25;
  static constexpr int MaxFragments = 600;
  static constexpr int DefaultFragments = 100;

  void AddPoint(double X, double Y);
  // Makes room for Count points at once, so adding them copies nothing; the capacity reported
  // keeps growing in steps as points are added.
  void ReserveStorage(int Count);
  // Out-of-range indices change nothing.
  void SetPoint(int Index, TSplinePoint Point);
  // The first and the last point never act as knuckles, whatever their flag.
  void SetKnuckle(int Index, bool Flag);
  void Clear();
  void Rebuild();
  // The curve point at T (clamped to 0 ... 1); (0, 0) with fewer than two points.
  TSplinePoint Value(double T);

  int PointCount() const { return int(FPoints.size()); }
  int Capacity() const { return FCapacity; }
  TSplinePoint Point(int Index) const { return FPoints[std::size_t(Index - 1)]; }
  bool Knuckle(int Index) const { return FKnuckles[std::size_t(Index - 1)]; }
  int VertexCount() const { return FVertexCount; }
  TSplinePoint Vertex(int Index) const { return FVertices[std::size_t(Index)]; }
  bool Built() const { return FBuilt; }
  bool Interpolated() const { return FInterpolated; }
  void SetInterpolated(bool Value);
  int Fragments() const { return FFragments; }
  // Stored within 1 ... MaxFragments.
  void SetFragments(int Value);

 private:
  void SolveInterpolation();

  std::vector<TSplinePoint> FPoints;
  std::vector<bool> FKnuckles;
  std::vector<TSplinePoint> FVertices;
  int FCapacity = 0;
  int FVertexCount = 0;
  bool FBuilt = false;
  bool FInterpolated = false;
  int FFragments = DefaultFragments;
};

class TSmoothingFunction : public chart::TPlotFunction {
 public:
  explicit TSmoothingFunction(fw::TComponent* AOwner);

  int Factor() const { return FFactor; }
  // Values below 1 are stored as 1.
  void SetFactor(int Value);
  bool Interpolate() const { return FInterpolate; }
  void SetInterpolate(bool Value);

  fw::String GetEditorClassName() const override;
  void ComputeFromSource(chart::TChartSeries* Source) override;

 private:
  int FFactor = 4;
  bool FInterpolate = true;
};

// Puts the function in the function gallery as "Smoothing" on the "Extended" page, and takes it
// out again at shutdown.
void RegisterSmoothingFunction();
void UnRegisterSmoothingFunction();

}  // namespace analysis
