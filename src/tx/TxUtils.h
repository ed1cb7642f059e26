#pragma once
// Colour and drawing utilities of the themed engine: colour arithmetic on TColor values (system
// colours resolved first unless a routine says otherwise), one-call GDI painting that knows
// clNone, image-list images drawn disabled, blended, contrasted or as masks, gradients with a
// ramp cache and a brushed-metal texture. The shared work bitmaps, the small-caption font and the
// three optional system functions live here too (TxUtilsState.h).

#include <cstdint>

#include "framework/Colors.h"
#include "framework/GraphicsTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/kernel/WinDef.h"

namespace fw {
class TCanvas;
class TControl;
class TCustomImageList;
}  // namespace fw

namespace tx {

using fw::Integer;
using fw::TColor;
using fw::TPoint;
using fw::TRect;

// --- Colour arithmetic ----------------------------------------------------------------------
// Per channel (c1 * W + c2 * (255 - W)) shr 8; W in 0..255 (so W = 255 is not quite C1).
TColor MixColors(TColor C1, TColor C2, Integer W);
TColor MixColorsNearest(TColor C1, TColor C2, Integer W);
// Delta added to each channel, clamped to 0..255.
TColor OffsetColor(TColor Color, Integer Delta);
TColor OffsetColorNearest(TColor Color, Integer Delta);
// W below 100: a percentage of C1; W from 100 to 1000: a per-mille share (100 means 10 %).
TColor BlendColors(TColor C1, TColor C2, Integer W);
// (76 R + 150 G + 30 B) shr 8.
Integer GetColorLuminance(TColor Color);
bool IsDarkColor(TColor Color, Integer Threshold);
// Weighted RGB distance; system colours are not resolved.
float ColorDistance(TColor C1, TColor C2);
// Moves Color (written back resolved) until it lies farther than Threshold from Background.
void EnsureContrast(TColor& Color, TColor Background, Integer Threshold);
void ColorToHSL(TColor Color, float& H, float& S, float& L);
TColor HSLToColor(float H, float S, float L);
// Exchanges the red and blue bytes (TColor <-> DIB pixel order).
TColor SwapRedBlue(TColor Color);
// The colour as RGB: system colours looked up, other values unchanged.
TColor ResolveColor(TColor Color);
// An RGB value, clNone, or a system colour of the scheme; false for anything else (junk in the
// high byte, a system index outside the scheme), which no swatch shows.
bool IsColorValid(TColor Color);

// --- Painting primitives ----------------------------------------------------------------------
void BlendPixel(win::HDC DC, Integer X, Integer Y, TColor Color, Integer Alpha);
win::HPEN CreatePenColor(TColor Color);
// System colours give the shared system brush, which the caller must not delete
// (DeleteBrushColor knows).
win::HBRUSH CreateBrushColor(TColor Color);
void DeleteBrushColor(TColor Color, win::HBRUSH Brush);
bool FillRectColor(win::HDC DC, const TRect& R, TColor Color);
bool FrameRectColor(win::HDC DC, TRect& R, TColor Color, bool Shrink);
void DrawLineColor(win::HDC DC, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color);
bool PolylineColor(win::HDC DC, const TPoint* Points, Integer HighIndex, TColor Color);
void PolygonColor(win::HDC DC, const TPoint* Points, Integer HighIndex, TColor LineColor, TColor FillColor);
win::HBRUSH CreateDitheredBrush(TColor C1, TColor C2);
void DitherRect(win::HDC DC, const TRect& R, TColor C1, TColor C2);
void DrawFrame3D(win::HDC DC, TRect& R, TColor TopLeftColor, TColor BottomRightColor, bool AdjustTopLeft);
// PatternBits: Height rows, the leftmost pixel in the row's most significant bit of its low byte.
void DrawMonoPattern(win::HDC DC, const TRect& R, Integer Width, Integer Height, const uint16_t* PatternBits,
                     TColor Color);
void DrawGlyphMask(win::HDC DC, Integer X, Integer Y, fw::TCustomImageList* ImageList, Integer ImageIndex,
                   TColor Color);
// The halftone drag frame, 3 pixels thick at the sides and 2 at the top and bottom; the old frame
// goes, the new one comes (either may be null).
void DrawDragOutline(win::HDC DC, const TRect* NewRect, const TRect* OldRect);
TPoint GetClientSizeEx(fw::TControl* Control);

// --- Image effects (the drawn area is R clipped to the image size, from R's top-left) ---------
void DrawIconContrasted(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                        bool HighContrast);
void DrawIconTranslucent(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                         Integer Opacity);
void DrawIconBlended(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                     TColor BlendColor, Integer Amount);
// Mode 0, 1 or 2: ever lighter greys.
void DrawIconDisabled(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                      Integer Mode);
void DrawIconDarkMask(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                      TColor Color);
void DrawIconSilhouette(fw::TCanvas* Canvas, const TRect& R, fw::TCustomImageList* ImageList, Integer ImageIndex,
                        TColor Color);

// --- Fills ------------------------------------------------------------------------------------
// A gradient vertex of the system's GradientFill: the colour (resolved) in 16-bit channels.
win::TRIVERTEX GradientVertex(Integer X, Integer Y, TColor Color);
void GradientFillRect(win::HDC DC, const TRect& R, TColor StartColor, TColor EndColor, bool Vertical);
// Origin (null = (0, 0)) anchors the texture, so neighbouring areas continue it.
void BrushedFill(win::HDC DC, const TPoint* Origin, const TRect& R, TColor Color, Integer Strength);
void ClearBrushedCache();

}  // namespace tx
