#pragma once
// Painting primitives several themes share: banded and overshooting gradients, cut-corner
// outlines, small monochrome glyphs, embossed grip dots, the 13-pixel radio outline and its
// row fill, and caption text.

#include <cstdint>

#include "framework/GraphicsCanvas.h"
#include "tx/TxThemesTypes.h"

namespace fw {
class TCustomImageList;
}  // namespace fw

namespace themes::kit {

using fw::Integer;
using fw::TCanvas;
using fw::TColor;
using fw::TRect;

// Per channel From + (To - From) * I div N (system colours resolved, truncating toward zero).
TColor Ramp(TColor From, TColor To, Integer I, Integer N);

// A banded gradient: Top (or Left when not Vertical) at the first line, Bottom (Right) at the
// last, line j of N + 1 lines Bottom + (Top - Bottom) * (N - j) div N. Each line is painted once,
// in its final colour, and only where it meets Clip (null: all of R). One line takes Top.
void PaintGradientBands(TCanvas* Canvas, const TRect& R, TColor Top, TColor Bottom, bool Vertical,
                        const TRect* Clip = nullptr);

// A vertical gradient that runs from C2 at the top to C1 by mid-height, then from an overshoot
// colour back to C1 at the bottom (H = height - 1 ramp rows stretched over the height).
void PaintGradientBitmap(TCanvas* Canvas, const TRect& R, TColor C1, TColor C2);

// One polyline in the canvas pen: R's outline with the left corners cut by LeftRound pixels and
// the right ones by RightRound (0 gives a plain rectangle).
void FrameRoundRect(TCanvas* Canvas, const TRect& R, Integer LeftRound, Integer RightRound);

// A monochrome pattern (bit 7 of each row byte is the leftmost pixel) with its top-left corner at
// (X, Y): set bits take Color, the rest keeps the background.
void DrawPattern(win::HDC DC, Integer X, Integer Y, Integer Width, Integer Height, const uint16_t* Rows,
                 TColor Color);
// The 8 x 7 cross of close buttons, about the centre of R.
void DrawCloseGlyph(TCanvas* Canvas, const TRect& R, TColor Color);

// The check mark of checked menu lines and boxes, a 7-point tick about the centre of R.
void DrawCheckTick(TCanvas* Canvas, const TRect& R, TColor Color);
// The double arrows of a chevron: pointing right at R's left (at y 4), or down at its top right
// when Vertical.
void DrawChevronArrows(TCanvas* Canvas, const TRect& R, bool Vertical, TColor Color);

// The arrow of a popup's scroll button (PSBT_UP, PSBT_DOWN, PSBT_LEFT, PSBT_RIGHT) about R's
// centre, three quarters of the smaller half-extent from it.
void DrawScrollArrow(TCanvas* Canvas, const TRect& R, Integer ButtonType, TColor Color);
// A filled arrow pointing the way of ButtonType (PSBT_UP, PSBT_DOWN, PSBT_LEFT, PSBT_RIGHT): its
// base Back pixels behind (Cx, Cy), HalfWidth either side, its tip Ahead pixels in front.
void DrawPointingArrow(TCanvas* Canvas, Integer Cx, Integer Cy, Integer ButtonType, Integer HalfWidth, Integer Back,
                       Integer Ahead, TColor Color);
// A tool button's outline: ARect (one pixel further left for the arrow half of a split button)
// with its corners cut by 2, by 1 on the arrow half's left and by SplitLeftCut on the button
// half's right where the two meet, and by 1 all round outside toolbar style.
struct TButtonOutline {
  TButtonOutline(const TRect& ARect, const tx::TTxItemInfo& I, Integer SplitLeftCut);
  TRect R;
  Integer Left = 2, Right = 2;
};
// The upper (K 0) or lower (K 1) half of a spin button B; on an odd height they share the
// middle row.
TRect SpinHalf(const TRect& B, int K);
// Whether half K of a spin button is pressed in the EBDS_ State.
inline bool SpinHalfPressed(Integer State, int K) {
  return (State & (K == 0 ? tx::EBDS_PRESSED : tx::EBDS_DOWN_PRESSED)) != 0;
}
// The 5-pixel arrow of a spin button's half H, up in the upper half, down in the lower, about
// H's centre (the upper one row higher on an even height) moved by Offset right and down.
void DrawSpinArrow(TCanvas* Canvas, const TRect& H, bool Up, TColor Color, Integer Offset);
// The client of a floating window R: R inset by the window's frame size.
TRect FloatingClient(const TRect& R, const tx::TTxFloatingWindowInfo& Info);
// R in Color except Client.
void FillAround(TCanvas* Canvas, const TRect& R, const TRect& Client, TColor Color);
// R's four corner pixels in Color.
void PaintCornerPixels(TCanvas* Canvas, const TRect& R, TColor Color);
// A separator's line across the middle of R (along it when Horizontal), Inset pixels short of
// either end, painted only inside R.
void PaintSeparatorLine(TCanvas* Canvas, const TRect& R, bool Horizontal, Integer Inset, TColor Color);
// The states a check or radio box is painted in.
struct TBoxState {
  explicit TBoxState(Integer State)
      : Disabled(State & tx::PFS_DISABLED),
        Pushed(State & tx::PFS_PUSHED),
        Hot(State & tx::PFS_HOT),
        Mixed(State & tx::PFS_MIXED) {}
  bool Disabled, Pushed, Hot, Mixed;
};

// A dock panel's inside R split into the caption strip (a small caption high, along the top when
// Vertical, else down the left side) and the client; without Caption the client is all of R.
void SplitDockPanel(const TRect& R, bool Caption, bool Vertical, TRect& Strip, TRect& Client);

// The edge of a popup frame R that meets its parent item's rectangle Parent (along whichever side
// Parent touches, outside or one pixel inside) repainted in Color, so popup and parent join.
void JoinPopupToParent(TCanvas* Canvas, const TRect& R, const TRect& Parent, TColor Color);
// A status bar's size grip in R's bottom-right corner: three rounds of diagonal steps, First then
// Second, with blank steps between them when R is 9 pixels or more.
void DrawSizeGripSteps(TCanvas* Canvas, const TRect& R, TColor First, TColor Second);

// An embossed 3 x 3 grip dot with its top-left pixel at (X, Y).
void DrawGripDot(TCanvas* Canvas, Integer X, Integer Y);

// The 13-pixel circle outline of radio buttons, through 24 points relative to (X, Y).
void RadioOutline(TCanvas* Canvas, Integer X, Integer Y);
// The radio outline at R's top-left in the canvas pen, then, when Checked, the dot R inset by
// DotInset in Mark; the brush is left solid.
void DrawRadioRing(TCanvas* Canvas, const TRect& R, bool Checked, TColor Mark, Integer DotInset);
// The radio disc's rows from the bottom: row i from Left + inset(i) to Right - inset(i) in
// Bottom + (Top - Bottom) * i div (height - 1); beyond the 11-row inset table the inset is 0.
// With Highlight other than clNone the top row takes it and so does the leftmost pixel of every
// other row.
void RadioRowFill(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top, TColor Highlight);

// The radio disc's rows from the top as a glassy two-stage gradient: C2 at the top reaching C1
// by mid-height, then from the overshoot colour back toward C1 (insets as RadioRowFill).
void RadioRowFillSplit(TCanvas* Canvas, const TRect& R, TColor C1, TColor C2);

// The overshoot colour of the two-stage gradients: C2 + (C1 - C2) * 15 / 9 per channel,
// clamped, or C1 itself when C1 is redder than C2.
TColor Overshoot(TColor C1, TColor C2);
// C2 + (C1 - C2) * 15 div 9 per channel, clamped to 0..255: C1 seen from C2, two thirds further.
TColor Extrapolated(TColor C1, TColor C2);

// A plain fill of P in Color, then lines every Period pixels in Color darkened by 12, aligned
// to R's top so that partial repaints continue each other; only P is painted.
void PaintStripedBackground(TCanvas* Canvas, const TRect& R, const TRect& P, TColor Color, Integer Period);

// A vertical two-colour gradient, Top at the first line and Bottom at the last (nothing when R
// is empty).
void GradientDown(TCanvas* Canvas, const TRect& R, TColor Top, TColor Bottom);
// The platform's edge of the given kind round R.
void Edge(TCanvas* Canvas, TRect R, unsigned Edge, unsigned Flags);

// The canvas pen's colour.
inline void Pen(TCanvas* Canvas, TColor Color) { Canvas->Pen()->SetColor(Color); }
// Plain painting in one colour (clNone paints nothing).
void Fill(TCanvas* Canvas, const TRect& R, TColor Color);
void Line(TCanvas* Canvas, Integer X1, Integer Y1, Integer X2, Integer Y2, TColor Color);
void Pixel(TCanvas* Canvas, Integer X, Integer Y, TColor Color);
void Frame(TCanvas* Canvas, const TRect& R, TColor Color);
// A filled triangle in one colour.
void Triangle(TCanvas* Canvas, fw::TPoint A, fw::TPoint B, fw::TPoint C, TColor Color);

// A popup-menu line's split line (Text when disabled, white under the mouse, Split otherwise)
// and its submenu arrow in Text.
void PaintMenuLineMarks(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& Item, TColor Text, TColor Split);

// Text in Canvas's font and Color on a clear background; top to bottom when Rotated.
void Text(TCanvas* Canvas, const fw::String& S, TRect R, fw::Cardinal Format, bool Rotated, TColor Color);

// The platform's own floating frame: a raised edge round the client, the small caption (with
// gradient when the system has gradient captions), the caption-coloured ring round the close
// button and the platform's close button.
void PaintClassicFloatingBorder(TCanvas* Canvas, const TRect& R, const tx::TTxFloatingWindowInfo& Info);

// The images of quiet items: disabled ones grey (a dark silhouette when Dark), idle ones blended
// toward the window colour, or contrasted (with IdleContrast) on a Dark background or in
// high-contrast or low-colour modes. False for hovered, pushed or checked items: the caller
// paints those.
bool PaintQuietImage(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& Item, fw::TCustomImageList* Images,
                     Integer Index, bool Dark, bool IdleContrast);
// The lifted image look: idle images blended toward the window colour (contrasted on a dark
// Background or in high-contrast or low-colour modes), hovered ones lifted one pixel up and
// left over two grey copies, pushed or checked ones contrasted in place, disabled ones grey (a
// dark silhouette on a dark Background).
void PaintLiftedImage(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& Item,
                      fw::TCustomImageList* Images, Integer Index, TColor Background);

// Keeps painting inside R while it lives; the canvas's clip region comes back afterwards.
class TClipTo {
 public:
  TClipTo(TCanvas* Canvas, const TRect& R);
  ~TClipTo();
  TClipTo(const TClipTo&) = delete;
  TClipTo& operator=(const TClipTo&) = delete;

 private:
  win::HDC FDC;
  win::HRGN FSaved;
  bool FHadClip;
};

inline TRect Deflated(TRect R, Integer d) {
  return TRect{R.left + d, R.top + d, R.right - d, R.bottom - d};
}
inline bool IsEmpty(const TRect& R) {
  return R.right <= R.left || R.bottom <= R.top;
}
// The toolbars whose non-client area gets the theme's frame: plain, normal and menu-bar views,
// whether or not they are resizable or embedded. Floating ones get the floating window's frame.
inline bool IsFramedToolbarView(Integer ViewType) {
  const Integer kind = ViewType & ~(tx::VT_RESIZABLE | tx::VT_EMBEDDED);
  return kind == tx::VT_TOOLBAR || kind == tx::VT_TOOLBAR_NORMAL || kind == tx::VT_TOOLBAR_MENUBAR;
}
// The right part of a split button reaches one pixel into the left part, over the shared edge.
inline TRect ItemArea(const TRect& R, const tx::TTxItemInfo& I) {
  return I.ComboPart == tx::cpSplitRight ? TRect{R.left - 1, R.top, R.right, R.bottom} : R;
}

}  // namespace themes::kit
