#pragma once
// Small painting steps the Default theme's files share.

#include "framework/GraphicsCanvas.h"
#include "tx/TxThemesTypes.h"

namespace tx::detail {

// DrawEdge on a copy (or, with BF_ADJUST, on R itself).
void Edge(win::HDC DC, TRect& R, win::UINT EdgeKind, win::UINT Flags);
inline void EdgeCopy(win::HDC DC, TRect R, win::UINT EdgeKind, win::UINT Flags) { Edge(DC, R, EdgeKind, Flags); }
// A filled and outlined triangle in one colour.
void Triangle(win::HDC DC, TPoint A, TPoint B, TPoint C, TColor Color);
// Text in the canvas's font and Color on a clear background: DrawText with Format, or top to
// bottom when Rotated.
void CaptionText(fw::TCanvas* Canvas, const String& Text, TRect R, win::UINT Format, bool Rotated, TColor Color);
inline TRect Inflated(TRect R, int dx, int dy) { return TRect{R.left - dx, R.top - dy, R.right + dx, R.bottom + dy}; }
inline TRect Offset(TRect R, int dx, int dy) { return TRect{R.left + dx, R.top + dy, R.right + dx, R.bottom + dy}; }

}  // namespace tx::detail
