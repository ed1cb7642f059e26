#pragma once
// Arrows at the ends of an axis; a click on one scrolls the axis by a share of its range.

#include <functional>

#include "chart/PlotTools.h"

namespace chart {

enum TAxisArrowToolPosition { aaStart, aaEnd, aaBoth };

class TAxisArrowTool;
using TAxisArrowClickEvent = std::function<void(TAxisArrowTool* Sender, bool AtStart)>;

class TAxisArrowTool : public TPlotCustomToolAxis {
 public:
  explicit TAxisArrowTool(fw::TComponent* AOwner);
  ~TAxisArrowTool() override;

  Integer Length() const { return FLength; }
  void SetLength(Integer Value) { Store(FLength, Value); }
  TAxisArrowToolPosition Position() const { return FPosition; }
  void SetPosition(TAxisArrowToolPosition Value) { Store(FPosition, Value); }
  bool ScrollInverted() const { return FScrollInverted; }
  void SetScrollInverted(bool Value) { FScrollInverted = Value; }
  // Percent of the axis range one click scrolls; 0 leaves clicks alone.
  Integer ScrollPercent() const { return FScrollPercent; }
  void SetScrollPercent(Integer Value) { FScrollPercent = Value; }

  // 0 no arrow, 1 the start arrow, 2 the end arrow at (X, Y).
  Integer ArrowAt(Integer X, Integer Y) const;

  void HandleChartEvent(TChartToolEvent Kind) override;
  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TAxisArrowToolEditor"; }

  TAxisArrowClickEvent OnClick;

 private:
  void ScrollBy(double Offset);

  Integer FLength = 16;
  TAxisArrowToolPosition FPosition = aaBoth;
  bool FScrollInverted = false;
  Integer FScrollPercent = 10;
};

}  // namespace chart
