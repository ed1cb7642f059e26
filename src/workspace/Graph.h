#pragma once
// One graph of the workspace: a line series with its identity (id, source, kind) and the
// parameters its kind is rebuilt from. The graph owns its series: destroying the graph takes
// the series off its chart and frees it.

#include <functional>

#include "framework/ClassesTypes.h"
#include "platform/kernel/Exceptions.h"

namespace chart {
class TChartSeries;
}

namespace workspace {

using fw::Integer;
using fw::String;

// Errors of the graph model (bad parameters, files that give no graph).
class EGraphError : public win::Exception {
 public:
  using win::Exception::Exception;
};

// What made the graph.
enum TGraphKind : Integer {
  gkData = 0,        // files, clipboard, operation results
  gkExpression = 1,  // y = f(x)
  gkParametric = 2,  // x(t), y(t)
  gkSpline = 3,
  gkPolynomial = 4,
  gkEnvelope = 5,
  gkTraceType1 = 6,  // the two layouts of instrument trace files
  gkTraceType2 = 7
};
inline constexpr Integer GraphKindCount = 8;
// The kinds computed from another graph's series: without that graph they are plain data.
inline constexpr bool IsDerivedKind(Integer Kind) {
  return Kind == gkSpline || Kind == gkPolynomial || Kind == gkEnvelope;
}

// Default expression limits (also for graphs read from graph text without them).
inline constexpr double DefaultLimStart = 0.0;
inline constexpr double DefaultLimStop = 6.28;
inline constexpr double DefaultLimStep = 0.01;

class TGraph {
 public:
  // Takes Series over and gives the graph the next id of the global counter.
  TGraph(chart::TChartSeries* Series, const String& Source, Integer Kind);
  ~TGraph();
  TGraph(const TGraph&) = delete;
  TGraph& operator=(const TGraph&) = delete;

  Integer Id() const { return FId; }
  chart::TChartSeries* Series() const { return FSeries; }

  // File name, "Clipboard", the name of the operation that made it, or the expression.
  String Source;
  Integer Kind = gkData;
  bool Flag = false;
  // Set by the group-search graph choice.
  bool Checked = false;

  // Kinds 1 and 2: the range of x (or t); kind 1 also its parameters as "name=value;" pairs.
  double LimStart = DefaultLimStart;
  double LimStop = DefaultLimStop;
  double LimStep = DefaultLimStep;
  String AuxParams;

  // Kinds 3 to 5: the series the graph is computed from (not owned; cleared when the graph it
  // belongs to is deleted, which turns this graph into plain data) and the dialog's values.
  chart::TChartSeries* SourceSeries = nullptr;
  bool Interpolate = false;   // spline
  Integer Factor = 2;         // spline smoothing factor; envelope points per period
  bool Low = false;           // envelope from below
  bool UseStep = false;       // envelope periods by X step instead of point count
  double Step = 1.0;          // envelope X step
  Integer PolyDegree = 3;     // number of coefficients (degree + 1)
  Integer SplitInterval = 1;  // polynomial resampling steps per interval
  bool DoPart = false;        // polynomial over [X1, X2] only
  double X1 = 0.0;
  double X2 = 0.0;

  // Point transforms; none records an undo entry (the callers do).
  // Every X := X / Value, the points re-sorted by X afterwards (a negative divisor reverses).
  void DivideX(double Value);
  void DivideY(double Value);
  // Every X (Y) := X - Value.
  void OffsetX(double Value);
  void OffsetY(double Value);
  // Every X := X * Value (Y alike): the inverse of DivideX/DivideY, for undo.
  void MultiplyX(double Value);
  void MultiplyY(double Value);
  // X and Y of every point exchanged (points re-sorted by the new X).
  void ExchangeXY();
  // Every X := -X (re-sorted), every Y := -Y.
  void MirrorX();
  void MirrorY();
  // Mean of the Y values (0 for a graph without points).
  double MeanY() const;

  // Cuts the points left of LeftX and/or right of RightX through the cutting routines; a cut
  // that would leave no point is refused with a message box.
  void Trim(bool TrimLeftOn, bool TrimRightOn, double LeftX, double RightX);

  // The graph's points through the data exporters (tab-separated text with the preferences'
  // decimal separator, XML, HTML table, XLS). Raise on failure.
  void SaveAsText(const String& FileName) const;
  void SaveAsXML(const String& FileName) const;
  void SaveAsHTML(const String& FileName) const;
  void SaveAsXLS(const String& FileName) const;

 private:
  friend class TGraphCollection;
  // Gives the series back to the caller (a graph that could not be added).
  chart::TChartSeries* ReleaseSeries() {
    chart::TChartSeries* s = FSeries;
    FSeries = nullptr;
    return s;
  }

  Integer FId;
  chart::TChartSeries* FSeries;
};

// Upward seam (workspace -> analysis): the one-sided cutting routines of the analysis layer,
// installed by it at start (RegisterAnalysis): each
// returns false when the cut would leave the series without a point to keep.
struct TGraphTrimRoutines {
  std::function<bool(chart::TChartSeries* Series, double X)> TrimLeft;
  std::function<bool(chart::TChartSeries* Series, double X)> TrimRight;
};
extern TGraphTrimRoutines GraphTrimRoutines;

// The message of a refused cut.
inline constexpr const char* GraphTrimRefusedMsg =
    "Невозможно обрезать график таким образом. Не остается ни одной точки";

}  // namespace workspace
