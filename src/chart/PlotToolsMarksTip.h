#pragma once
// Shows the mark text of the point under the mouse (its X and Y, its label ... by Style) as the
// chart's hint, on mouse move or on a press.

#include <functional>

#include "chart/PlotTools.h"
#include "chart/SeriesMarks.h"

namespace chart {

enum TMarkToolMouseAction { mtmMove, mtmClick };

class TMarksTipTool;
using TMarksTipGetText = std::function<void(TMarksTipTool* Sender, String& Text)>;

class TMarksTipTool : public TPlotCustomToolSeries {
 public:
  explicit TMarksTipTool(fw::TComponent* AOwner);
  ~TMarksTipTool() override;

  // Switching the tool off empties the chart's hint.
  void SetActive(bool Value) override;
  TMarkToolMouseAction MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMarkToolMouseAction Value);
  // The application's hint pause (milliseconds), shared by every hint of the program.
  Integer MouseDelay() const;
  void SetMouseDelay(Integer Value);
  TSeriesMarksStyle Style() const { return FStyle; }
  void SetStyle(TSeriesMarksStyle Value) { FStyle = Value; }

  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  // A tip whose point no longer lies under the mouse (the chart was zoomed or scrolled, the
  // points changed) is taken away when the chart has been drawn again.
  void HandleChartEvent(TChartToolEvent Kind) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TMarksTipToolEdit"; }

  TMarksTipGetText OnGetText;

 private:
  // The series (its own, else the topmost drawn) with a point under (X, Y).
  TChartSeries* SeriesAt(Integer X, Integer Y, Integer& Index) const;
  String TipText(TChartSeries& Series, Integer Index);
  void ClearHint();

  TMarkToolMouseAction FMouseAction = mtmMove;
  TSeriesMarksStyle FStyle = smsLabel;
  // The tip this tool shows: its text and where the mouse was (chart coordinates).
  bool FTipShown = false;
  String FTipText;
  fw::TPoint FTipAt{};
};

}  // namespace chart
