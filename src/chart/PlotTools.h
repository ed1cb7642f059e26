#pragma once
// The bases of chart tools: a tool hears the chart's paint events and mouse events (in the
// chart's tool-list order) and may claim a mouse event through the chart's CancelMouse.
// TPlotCustomToolSeries works on one series, TPlotCustomToolAxis on one axis.

#include "chart/ChartElement.h"
#include "framework/Controls.h"

namespace chart {

using fw::String;

class TChartSeries;
class TChartAxis;

// Paint events, by their numbers.
enum TChartToolEvent {
  cteAfterDraw = 0,         // after everything
  cteBeforeDrawSeries = 1,  // after walls and grid, before the series
  cteBeforeDraw = 2,        // start of drawing
  cteBeforeDrawAxes = 3,    // after the layout, before walls and axes
  cteAfterDrawSeries = 4,   // after the series, before the axes
  cteMouseLeave = 5         // the mouse left the chart
};

enum TChartMouseEvent { cmeDown = 0, cmeMove = 1, cmeUp = 2 };

// The pen colour that XOR drawing uses so that a line of Color shows over the chart's
// background (the button face when the chart takes the default colour).
TColor XorColorOver(const TCustomAxisPanel& Chart, TColor Color);

class TPlotCustomTool : public TCustomChartElement {
 public:
  explicit TPlotCustomTool(fw::TComponent* AOwner);
  // Leaves its chart's tool list.
  ~TPlotCustomTool() override;

  // Takes the tool out of the old chart's tool list and appends it to the new one's.
  void SetParentChart(TCustomAxisPanel* Value) override;

  virtual void HandleChartEvent(TChartToolEvent Kind);
  virtual void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                                Integer Y);
  // The gallery text of the tool's class (empty in the base).
  virtual String Description() const;
  // The class name of the tool's editor form (empty in the base).
  virtual String GetEditorClassName() const { return {}; }
};

class TPlotCustomToolSeries : public TPlotCustomTool {
 public:
  explicit TPlotCustomToolSeries(fw::TComponent* AOwner);
  ~TPlotCustomToolSeries() override;

  TChartSeries* Series() const { return FSeries; }
  // Links the series for a free notification: the tool forgets it when it is destroyed.
  virtual void SetSeries(TChartSeries* Value);
  // The series' axes, else the chart's bottom and left axes (nullptr without either).
  TChartAxis* HorizontalAxis() const;
  TChartAxis* VerticalAxis() const;

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  TChartSeries* FSeries = nullptr;
};

class TPlotCustomToolAxis : public TPlotCustomTool {
 public:
  explicit TPlotCustomToolAxis(fw::TComponent* AOwner);
  ~TPlotCustomToolAxis() override;

  TChartAxis* Axis() const { return FAxis; }
  // Stores the axis, makes its chart the tool's chart and repaints.
  virtual void SetAxis(TChartAxis* Value);
  // The axis as it is streamed: its index in the chart's axis list (-1 when none).
  Integer AxisID() const;
  // Picks the axis of that index in the tool's chart (none when out of range).
  void SetAxisID(Integer Value);

  void SetParentChart(TCustomAxisPanel* Value) override;

 protected:
  void ChartDestroying() override;

 private:
  TChartAxis* FAxis = nullptr;
};

}  // namespace chart
