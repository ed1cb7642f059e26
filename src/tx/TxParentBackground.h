#pragma once
// Controls on toolbars, docks and panels look transparent by painting what lies behind them.

#include "framework/Controls.h"

namespace tx {

// Paints into DC, in Control's client coordinates, what lies behind ARect: the parent's own
// background when it paints one on WM_ERASEBKGND, else a dock's background, else the parent's
// effective colour (clBtnFace without a parent).
void PaintParentBackground(fw::TControl* Control, win::HDC DC, const fw::TRect& ARect);

// Keeps the client size while the platform recomputes the frame, then repaints.
void RecalcNCArea(fw::TWinControl* Control);
// Repaints frame and client, erasing, when the control has a window.
void RedrawFrameAndClient(fw::TWinControl* Control);

}  // namespace tx
