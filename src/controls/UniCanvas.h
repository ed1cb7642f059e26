#pragma once
// Wide text output and measurement on a framework canvas.

#include "controls/UniSystem.h"
#include "framework/GraphicsCanvas.h"

namespace cs {

// Draws Text at (X, Y) with the canvas's text flags (right to left: X is the right end) and
// leaves the pen after it.
void WideCanvasTextOut(fw::TCanvas* Canvas, int X, int Y, const WideString& Text);
win::SIZE WideTextExtent(win::HDC DC, const WideString& Text);
win::SIZE WideCanvasTextExtent(fw::TCanvas* Canvas, const WideString& Text);
int WideCanvasTextWidth(fw::TCanvas* Canvas, const WideString& Text);
int WideCanvasTextHeight(fw::TCanvas* Canvas, const WideString& Text);

}  // namespace cs
