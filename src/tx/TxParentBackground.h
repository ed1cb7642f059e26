#pragma once
// Controls on toolbars, docks and panels look transparent by painting what lies behind them.

#include "framework/Controls.h"

namespace tx {

// Paints into DC, in Control's client coordinates, what lies behind ARect: the parent's own
// background when it paints one on WM_ERASEBKGND, else a dock's background, else the parent's
// effective colour (clBtnFace without a parent).
void PaintParentBackground(fw::TControl* Control, win::HDC DC, const fw::TRect& ARect);

// Tells Child (CM_PARENTCOLORCHANGED) the colour it sits on; Broadcast tells every child.
void TellParentColor(fw::TControl* Child, fw::TColor Color);
void BroadcastParentColor(fw::TWinControl* Parent, fw::TColor Color);
// For CM_CONTROLCHANGE: a control just inserted into a parent without a colour of its own
// learns the colour it sits on.
void TellInsertedControl(const fw::TMessage& ControlChange, fw::TWinControl* Parent, fw::TColor Color);
// Repaints frame, client and children at once (a colour change of a docked window).
void RedrawAllNow(fw::TWinControl* Control);

// Keeps the client size while the platform recomputes the frame, then repaints.
void RecalcNCArea(fw::TWinControl* Control);
// The frame recalculated (after a theme switch) with the client size kept: the window grows or
// shrinks by what the client lost or gained and moves by half of it, so it stays centred on
// where it was; frame, client and children are then redrawn at once.
void RecalcFrameKeepingClientSize(fw::TWinControl* Control);
// Repaints frame and client, erasing, when the control has a window.
void RedrawFrameAndClient(fw::TWinControl* Control);

}  // namespace tx
