#pragma once
// One chart axis: its range (automatic or set), increment, logarithmic scale, orientation, the
// conversion between values and pixels along it, and how it is drawn (line, ticks, grid, labels,
// title) and hit.

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "chart/PlotEngine.h"

namespace chart {

class TPlotCanvas3D;
class TCustomAxisPanel;
class TChartPen;
class TPlotFont;
class TChartAxis;

// Where Value lies between Lo (0) and Hi (1). A range wider than the largest double (values at
// both ends of it) is taken in halves, which are exact.
inline double AxisRatio(double Value, double Lo, double Hi) {
  const double span = Hi - Lo;
  if (std::isfinite(span)) return (Value - Lo) / span;
  return (Value / 2 - Lo / 2) / (Hi / 2 - Lo / 2);
}

// The caption drawn beside an axis, beyond its labels.
class TChartAxisTitle : public fw::TPersistent {
 public:
  explicit TChartAxisTitle(TChartAxis* AAxis);
  ~TChartAxisTitle() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TPlotFont* Font() const { return FFont.get(); }
  // Degrees counter-clockwise, 0..359 (other values are brought into that range).
  Integer Angle() const { return FAngle; }
  void SetAngle(Integer Value);
  // Pixels across the axis kept for the title; 0 takes what the text needs.
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);
  void Assign(fw::TPersistent* Source) override;

 private:
  friend class TChartAxis;
  TChartAxis* FAxis;
  String FCaption;
  std::unique_ptr<TPlotFont> FFont;
  Integer FAngle = 0;
  Integer FSize = 0;
};

// Told while an axis draws its grid, before the grid lines (the tick positions are final).
using TAxisDrawGridEvent = std::function<void(TChartAxis& Sender, TPlotCanvas3D& Canvas)>;

class TChartAxis : public fw::TPersistent {
 public:
  explicit TChartAxis(bool AHorizontal = true);
  ~TChartAxis() override;

  bool Horizontal() const { return FHorizontal; }
  void SetHorizontal(bool Value);
  // Drawn on the far side (top, right).
  bool OtherSide() const { return FOtherSide; }
  void SetOtherSide(bool Value);

  bool Automatic() const { return FAutomatic; }
  void SetAutomatic(bool Value);
  bool AutomaticMinimum() const { return FAutomaticMinimum; }
  void SetAutomaticMinimum(bool Value);
  bool AutomaticMaximum() const { return FAutomaticMaximum; }
  void SetAutomaticMaximum(bool Value);
  double Minimum() const { return FMinimum; }
  double Maximum() const { return FMaximum; }
  // Refuse a bound on the wrong side of the other one (or not finite), raising an exception.
  void SetMinimum(double Value);
  void SetMaximum(double Value);
  // Turns the automatic flags off and stores both bounds, swapped when reversed. Non-finite
  // bounds are refused.
  void SetMinMax(double AMin, double AMax);
  // Extends the automatic ends of the range so that Low pixels lie below the old minimum and
  // High pixels above the old maximum (a logarithmic or empty range stays).
  void WidenByPixels(Integer Low, Integer High);
  // The smallest step between labels; 0 lets the axis choose. Negative or NaN is refused.
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value);
  bool Logarithmic() const { return FLogarithmic; }
  void SetLogarithmic(bool Value);
  double LogarithmicBase() const { return FLogarithmicBase; }
  // Bases up to 1 (and NaN) are refused.
  void SetLogarithmicBase(double Value);
  bool Inverted() const { return FInverted; }
  void SetInverted(bool Value);
  bool RoundFirstLabel() const { return FRoundFirstLabel; }
  void SetRoundFirstLabel(bool Value);
  const String& AxisValuesFormat() const { return FAxisValuesFormat; }
  void SetAxisValuesFormat(const String& Value);

  // The pixel span of the axis: left to right (horizontal) or top to bottom (vertical).
  Integer IStartPos() const { return FIStartPos; }
  Integer IEndPos() const { return FIEndPos; }
  Integer IAxisSize() const { return FIEndPos - FIStartPos; }
  void SetPositions(Integer StartPos, Integer EndPos);

  // The series whose data automatic scaling and limit checks look at (not owned).
  void SetSeriesList(const TChartSeriesList* List) { FSeriesList = List; }

  // Value to pixel: the minimum lies at the start (horizontal) or the end (vertical), the other
  // way round when inverted. A zero range puts every value in the middle; NaN goes to the
  // minimum's pixel; results are clamped to +-2^30. On a logarithmic axis values up to 0 go to
  // the minimum's side; a minimum up to 0 is taken as Maximum / LogarithmicBase.
  Integer CalcPosValue(double Value) const;
  double CalcPosValueD(double Value) const;
  // Pixel to value, the inverse.
  double CalcPosPoint(Integer Pixel) const;

  // The readable increment: the smallest 1, 2 or 5 x 10^n step that leaves room for labels of
  // LabelSize pixels along AxisLength pixels (at least one step over the range). 0 for an empty
  // or non-finite range.
  static double ReadableIncrement(double Range, Integer AxisLength, Integer LabelSize);
  // The step between labels: the readable one for the current range and span, or Increment
  // when that is larger. On a logarithmic axis, the step of the exponent.
  double CalcIncrement(Integer LabelSize) const;
  // The label values from the first (rounded up to a multiple of the increment when
  // RoundFirstLabel, else the minimum) to the maximum; powers of the base on a logarithmic axis.
  std::vector<double> LabelValues(Integer LabelSize) const;
  // A label's text by AxisValuesFormat; when the format cannot tell labels Increment apart,
  // decimals are added until it can.
  String LabelText(double Value, double Increment = 0) const;

  // Applies automatic scaling from the series list (the active series on this axis).
  void AdjustMaxMin();
  // Moves both bounds by Offset and turns automatic scaling off. With CheckLimits, a move that
  // would pass the series' extremes in its direction is refused (nothing changes).
  void Scroll(double Offset, bool CheckLimits);

  void Assign(fw::TPersistent* Source) override;

  // The chart that owns the axis (nullptr for a free axis, e.g. a dialog's backup copy).
  TCustomAxisPanel* ParentChart() const { return FParentChart; }
  void SetParentChart(TCustomAxisPanel* Value) { FParentChart = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // Layout and drawing, called by the chart in this order within one paint:
  // SizeNeeded — pixels the axis needs outside the plot rectangle (labels, ticks, title);
  // SetPlotRect — the final plot rectangle, from which the axis takes its start, end and line
  // positions; DrawGrid before the series; Draw (line, ticks, labels, title) after them.
  virtual Integer SizeNeeded(TPlotCanvas3D& Canvas);
  virtual void SetPlotRect(const win::RECT& PlotRect);
  virtual void DrawGrid(TPlotCanvas3D& Canvas);
  virtual void Draw(TPlotCanvas3D& Canvas);
  // The pixel of the axis line (Y for a horizontal axis, X for a vertical one).
  Integer PosAxis() const { return FPosAxis; }
  // The plot rectangle of the last SetPlotRect.
  const win::RECT& PlotRect() const { return FPlotRect; }

  // Title and labels.
  TChartAxisTitle* Title() const { return FTitle.get(); }
  bool Labels() const { return FLabels; }
  void SetLabels(bool Value);
  TPlotFont* LabelsFont() const { return FLabelsFont.get(); }
  // Pixels across the axis kept for the labels; 0 takes what the texts need.
  Integer LabelsSize() const { return FLabelsSize; }
  void SetLabelsSize(Integer Value);
  // Degrees counter-clockwise, 0..359.
  Integer LabelsAngle() const { return FLabelsAngle; }
  void SetLabelsAngle(Integer Value);
  // Labels broken into lines at their blanks.
  bool LabelsMultiLine() const { return FLabelsMultiLine; }
  void SetLabelsMultiLine(bool Value);
  // Only labels whose pixel lies between the axis' start and end pixels are drawn (the
  // automatic label values always do; the flag is kept for the format dialog and settings).
  bool LabelsOnAxis() const { return FLabelsOnAxis; }
  void SetLabelsOnAxis(bool Value);

  // Pens: a hidden pen draws nothing. Changing a pen repaints.
  TChartPen* Grid() const { return FGrid.get(); }
  TChartPen* Ticks() const { return FTicks.get(); }
  TChartPen* TicksInner() const { return FTicksInner.get(); }
  TChartPen* MinorGrid() const { return FMinorGrid.get(); }
  TChartPen* MinorTicks() const { return FMinorTicks.get(); }
  TChartPen* Axis() const { return FAxisPen.get(); }
  // Lengths in pixels (0 .. 1000): outer ticks point away from the plot, inner ticks into it.
  Integer TickLength() const { return FTickLength; }
  void SetTickLength(Integer Value);
  Integer TickInnerLength() const { return FTickInnerLength; }
  void SetTickInnerLength(Integer Value);
  // Minor ticks (and minor grid lines) between two labels (0 .. 100).
  Integer MinorTickCount() const { return FMinorTickCount; }
  void SetMinorTickCount(Integer Value);
  Integer MinorTickLength() const { return FMinorTickLength; }
  void SetMinorTickLength(Integer Value);
  // Percent (0 .. 100) of the plot's other dimension by which the axis line moves into the plot.
  Integer PositionPercent() const { return FPositionPercent; }
  void SetPositionPercent(Integer Value);
  // Percent (0 .. 100) of the plot span where the axis starts and ends.
  Integer StartPosition() const { return FStartPosition; }
  void SetStartPosition(Integer Value);
  Integer EndPosition() const { return FEndPosition; }
  void SetEndPosition(Integer Value);

  // Pixels of the major ticks (the labels' positions) of the last drawing, in label order.
  const std::vector<Integer>& TickPositions() const { return FTickPositions; }
  // Pixels of the axis line either side that still count as a click on it.
  static constexpr Integer ClickTolerance = 3;
  // The rectangle round the axis line from its start to its end pixel, widened by the click
  // tolerance on every side (right and bottom exclusive).
  win::RECT AxisRect() const;
  // True for a visible axis whose rectangle holds the pixel.
  bool Clicked(Integer X, Integer Y) const;

  // Told after every change (the chart repaints).
  fw::TNotifyEvent OnChange;
  TAxisDrawGridEvent OnDrawGrid;

 private:
  friend class TChartAxisTitle;
  void Changed();
  void SetLength(Integer& Field, Integer Value, Integer Limit);
  void WatchTools();
  // The label values for the current span, measured with the labels font.
  std::vector<double> CurrentLabels(TPlotCanvas3D& Canvas, double& Increment);
  // CurrentLabels, with TickPositions set to their pixels.
  std::vector<double> PlaceTicks(TPlotCanvas3D& Canvas, double& Increment);
  Integer LabelSizeAlong(TPlotCanvas3D& Canvas);
  Integer LabelsDepth(TPlotCanvas3D& Canvas, const std::vector<double>& Values, double Increment);
  Integer TitleDepth(TPlotCanvas3D& Canvas);
  void DrawTicks(TPlotCanvas3D& Canvas, const std::vector<double>& Values, double Increment);
  void DrawLabels(TPlotCanvas3D& Canvas, const std::vector<double>& Values, double Increment);
  void DrawTitle(TPlotCanvas3D& Canvas, Integer Offset);
  std::vector<double> MinorValues(const std::vector<double>& Values, double Increment) const;
  // A line across the axis at pixel P from Along0 to Along1 (exclusive).
  void CrossLine(TPlotCanvas3D& Canvas, Integer P, Integer From, Integer To);
  // +1 when "outwards" (away from the plot) is the growing pixel direction, else -1.
  Integer Outwards() const;
  bool DataRange(double& Lo, double& Hi) const;
  bool Flipped() const { return FHorizontal ? FInverted : !FInverted; }
  // The range used for mapping (logarithms on a log axis); false when it is not usable.
  bool MapRange(double& Lo, double& Hi) const;

  bool FHorizontal;
  bool FOtherSide = false;
  bool FAutomatic = true;
  bool FAutomaticMinimum = true;
  bool FAutomaticMaximum = true;
  double FMinimum = 0;
  double FMaximum = 0;
  double FIncrement = 0;
  bool FLogarithmic = false;
  double FLogarithmicBase = 10;
  bool FInverted = false;
  bool FRoundFirstLabel = true;
  String FAxisValuesFormat = "#,##0.###";
  Integer FIStartPos = 0;
  Integer FIEndPos = 0;
  const TChartSeriesList* FSeriesList = nullptr;
  TCustomAxisPanel* FParentChart = nullptr;
  bool FVisible = true;
  Integer FPosAxis = 0;
  win::RECT FPlotRect{};

  std::unique_ptr<TChartAxisTitle> FTitle;
  bool FLabels = true;
  std::unique_ptr<TPlotFont> FLabelsFont;
  Integer FLabelsSize = 0;
  Integer FLabelsAngle = 0;
  bool FLabelsMultiLine = false;
  bool FLabelsOnAxis = true;
  std::unique_ptr<TChartPen> FGrid, FTicks, FTicksInner, FMinorGrid, FMinorTicks, FAxisPen;
  Integer FTickLength = 4;
  Integer FTickInnerLength = 0;
  Integer FMinorTickCount = 3;
  Integer FMinorTickLength = 2;
  Integer FPositionPercent = 0;
  Integer FStartPosition = 0;
  Integer FEndPosition = 100;
  std::vector<Integer> FTickPositions;
};

// The smallest and largest X of the active series of List on Axis (0 when there is none).
double MinimumXOnAxis(const TChartSeriesList& List, const TChartAxis* Axis);
double MaximumXOnAxis(const TChartSeriesList& List, const TChartAxis* Axis);

}  // namespace chart
