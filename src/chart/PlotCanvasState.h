#pragma once
// Keeps a chart canvas's pen, brush, font and text state for a scope: an element that draws
// with its own tools leaves the canvas as it found it for the next element.

#include "chart/PlotCanvas.h"

namespace chart {

class TPlotCanvasStateKeeper {
 public:
  explicit TPlotCanvasStateKeeper(TPlotCanvas3D& Canvas) : FCanvas(Canvas) {
    FPen.Assign(Canvas.Pen());
    FBrush.Assign(Canvas.Brush());
    FFont.Assign(Canvas.Font());
    FBackMode = Canvas.GetBackMode();
    FTextAlign = Canvas.GetTextAlign();
  }
  ~TPlotCanvasStateKeeper() {
    FCanvas.Pen()->Assign(&FPen);
    FCanvas.Brush()->Assign(&FBrush);
    FCanvas.Font()->Assign(&FFont);
    FCanvas.SetBackMode(FBackMode);
    FCanvas.SetTextAlign(FTextAlign);
  }
  TPlotCanvasStateKeeper(const TPlotCanvasStateKeeper&) = delete;
  TPlotCanvasStateKeeper& operator=(const TPlotCanvasStateKeeper&) = delete;

 private:
  TPlotCanvas3D& FCanvas;
  TChartPen FPen;
  TChartBrush FBrush;
  TPlotFont FFont;
  TCanvasBackMode FBackMode;
  unsigned FTextAlign;
};

}  // namespace chart
