#pragma once
// Tools bound to one series: clipping its drawing to its axes, animating its values, a picture
// spread over its values' range, and dragging its marks.

#include <functional>
#include <memory>
#include <vector>

#include "chart/PlotTools.h"

namespace fw {
class TPicture;
}

namespace chart {

class TClipSeriesTool : public TPlotCustomToolSeries {
 public:
  explicit TClipSeriesTool(fw::TComponent* AOwner);
  ~TClipSeriesTool() override;

  // Hooks the series' drawing (and unhooks the previous series).
  void SetSeries(TChartSeries* Value) override;
  String Description() const override;

 private:
  void Hook(bool On);
  bool FClipped = false;
};

enum TSeriesAnimationLoop { salNo, salOneWay, salCircular };

class TSeriesAnimationTool;
using TSeriesAnimationStep = std::function<void(TSeriesAnimationTool* Sender, Integer Step)>;

class TSeriesAnimationTool : public TPlotCustomToolSeries {
 public:
  explicit TSeriesAnimationTool(fw::TComponent* AOwner);
  ~TSeriesAnimationTool() override;

  // Points per group that grow together (0: all at once).
  Integer DrawEvery() const { return FDrawEvery; }
  void SetDrawEvery(Integer Value) { FDrawEvery = Value; }
  TSeriesAnimationLoop Loop() const { return FLoop; }
  void SetLoop(TSeriesAnimationLoop Value) { FLoop = Value; }
  bool StartAtMin() const { return FStartAtMin; }
  void SetStartAtMin(bool Value) { FStartAtMin = Value; }
  double StartValue() const { return FStartValue; }
  void SetStartValue(double Value) { FStartValue = Value; }
  Integer Steps() const { return FSteps; }
  void SetSteps(Integer Value) { FSteps = Value; }
  // True while no animation runs; Stop ends the one running at its next step.
  bool Stopped() const { return FStopped; }
  void Stop() { FStopped = true; }
  // Runs the animation (returns when it ends or is stopped).
  void Play();
  String Description() const override;
  String GetEditorClassName() const override { return "TSeriesAnimToolEditor"; }

  TSeriesAnimationStep OnStep;

 private:
  // One pass; false when stopped.
  bool Pass(const std::vector<double>& Values, bool Backward);
  void Show();

  Integer FDrawEvery = 0;
  TSeriesAnimationLoop FLoop = salNo;
  bool FStartAtMin = true;
  double FStartValue = 0;
  Integer FSteps = 100;
  bool FStopped = true;
};

class TChartImageTool : public TPlotCustomToolSeries {
 public:
  explicit TChartImageTool(fw::TComponent* AOwner);
  ~TChartImageTool() override;

  fw::TPicture* Picture() const { return FPicture.get(); }
  // The pixels the picture is spread over: the series' values, else the bottom and left axes.
  fw::TRect ImageRect() const;

  void HandleChartEvent(TChartToolEvent Kind) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TChartImageToolEditor"; }

 private:
  std::unique_ptr<fw::TPicture> FPicture;
};

class TDragMarksTool : public TPlotCustomToolSeries {
 public:
  explicit TDragMarksTool(fw::TComponent* AOwner);
  ~TDragMarksTool() override;

  void HandleMouseEvent(TChartMouseEvent Kind, fw::TMouseButton Button, fw::TShiftState Shift, Integer X,
                        Integer Y) override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  String Description() const override;
  String GetEditorClassName() const override { return "TDragMarksToolEditor"; }

 private:
  // The series (its own, else the topmost) with a mark under the point, and the mark's index.
  TChartSeries* MarkAt(Integer X, Integer Y, Integer& Index) const;

  // The mark held: looked up by series and index at each move, since positions are remade
  // by every drawing.
  TChartSeries* FDragSeries = nullptr;
  Integer FDragIndex = -1;
  fw::TPoint FLast{};
};

}  // namespace chart
