#pragma once
// What the further themes share: two rounded-frame painters, a two-colour gradient that binds
// the system's GradientFill on first use (one-pixel bands where it is missing), the glyph strip
// of the MDI caption buttons, and the per-theme-class unit resources kept by instance count.

#include <cstdint>

#include "framework/ImageList.h"
#include "tx/TxThemesTypes.h"
#include "tx/TxUtilsState.h"

namespace themes {

using fw::Integer;
using fw::TCanvas;
using fw::TColor;
using fw::TRect;

// A 1-pixel frame whose corners are cut diagonally (LeftRound, RightRound pixels); the right and
// bottom edges again in ShadowColor unless clNone; the pixels just outside each cut in
// CornerColor. Draws with the canvas pen and gives its colour back.
void DrawRoundedFrame(TCanvas* Canvas, const TRect& ARect, Integer LeftRound, Integer RightRound, TColor FrameColor,
                      TColor ShadowColor, TColor CornerColor);
// The same frame; the pixels outside the cuts blend the background with the frame (or shadow)
// colour, so the cut corners look round.
void DrawSoftRoundedFrame(TCanvas* Canvas, const TRect& ARect, Integer LeftRound, Integer RightRound,
                          TColor FrameColor, TColor ShadowColor);
// FromColor at the top (Vertical) or left edge, ToColor at the opposite one: mind the order.
void FillGradient(TCanvas* Canvas, const TRect& ARect, TColor ToColor, TColor FromColor, bool Vertical);

// The device-context gradient (StartColor at the top or left) and the system routine beneath it;
// both start as stubs that bind on the first call (once, whatever they find).
using TGradientRectProc = void (*)(win::HDC DC, const TRect& ARect, TColor StartColor, TColor EndColor,
                                   bool Vertical);
extern tx::TGradientFillProc GradientFillProc;
extern TGradientRectProc GradientRectProc;
// Gives the gradient library back (at the end of the program); the bound routines stay.
void ReleaseGradientLibrary();
// Back to the unbound stubs, the library freed (tests).
void ResetGradientBinding();

// ---- The glyph strip of the MDI caption buttons ----------------------------------------------
// Four 16 x 16 monochrome glyphs side by side: close, maximize, minimize, restore; white pixels
// are the glyph. Loaded into List with white as the mask colour, so the glyph is the see-through
// part and DrawGlyphMask colours exactly it.
void LoadGlyphStrip(fw::TCustomImageList* List);
// The glyph of an MDI button kind: close 0, minimize 2, restore 3; -1 (none) for any other kind.
Integer MDIGlyphIndex(fw::Cardinal ButtonKind);
// Paints the kind's glyph in Color about the centre of R: x = (Left + Right - 16) div 2,
// y = (Top + Bottom - 16) div 2 - Raise (each theme says whether it sits one pixel higher).
// False, and nothing painted, for a kind without a glyph.
bool DrawMDIGlyph(win::HDC DC, const TRect& R, fw::TCustomImageList* Glyphs, fw::Cardinal ButtonKind, TColor Color,
                  Integer Raise = 0);

// ---- Unit resources of a theme class ----------------------------------------------------------
// The first instance of Theme makes the glyph list (and what Extra makes), the last frees them.
template <class Theme>
class TThemeUnit {
 public:
  static void AddInstance() {
    if (ThemeInstanceCount++ == 0) {
      GlyphImages = new fw::TImageList(nullptr);
      LoadGlyphStrip(GlyphImages);
      ++StripLoads;
    }
  }
  static void RemoveInstance() {
    if (ThemeInstanceCount > 0 && --ThemeInstanceCount == 0) {
      delete GlyphImages;
      GlyphImages = nullptr;
    }
  }
  static inline int ThemeInstanceCount = 0;
  static inline fw::TImageList* GlyphImages = nullptr;
  static inline int StripLoads = 0;  // how often the strip was loaded (tests)
};

}  // namespace themes
