#pragma once
// The routines every control-set control paints with: wide text, the caption-and-glyph layout,
// button, edit and combo-button faces and the focus rectangle, each in the look the effective
// theme type gives (see CsThemeType.h): the classic one, the visual styles, or the current
// toolbar theme.

#include "controls/CsThemeType.h"
#include "controls/UniSystem.h"
#include "framework/GraphicsCanvas.h"
#include "tx/TxThemesTypes.h"

namespace fw {
class TBitmap;
class TCustomImageList;
}  // namespace fw

namespace cs {

// DrawTextW of the wide text with the canvas's font; answers the text height.
int DrawWideText(fw::TCanvas* Canvas, const WideString& Text, fw::TRect& Rect, win::UINT Format);
// Draws (or with DT_CALCRECT measures) a caption with a clear brush, which is restored after.
// With Glow the text is first drawn in GlowColor one pixel off on each diagonal. Measuring with
// an italic font widens the result by (font size div 8) * 2 + 1 pixels for the slant.
int DrawWideCaption(fw::TCanvas* Canvas, const WideString& Caption, fw::TRect& Rect, fw::TColor GlowColor,
                    bool Glow, win::UINT Format);
void GetWideTextExtent(win::HDC DC, const WideString& Text, bool IgnoreAmpersands, win::SIZE& Size);
WideString StripAmpersands(const WideString& Text);
// Removes one trailing ":" (text longer than 1) or a trailing "..." (text longer than 3).
WideString StripCaptionEllipsis(const WideString& Text);

// Places a caption and a glyph left of it (gap 4) as one block in ClientRect: Alignment 0 left,
// 1 right, 2 centred; centred vertically; Pushed moves both by (1,1). A glyph needs both sizes
// at least 1. Answers the caption's DrawText height.
int LayoutCaptionAndGlyph(fw::TCanvas* Canvas, const fw::TRect& ClientRect, const WideString& Caption,
                          fw::TRect& GlyphRect, fw::TRect& CaptionRect, bool Pushed, int GlyphWidth,
                          int GlyphHeight, win::UINT Format, int Alignment);

// How DrawCaptionWithBitmap and DrawCaptionWithImage draw: the caption's format and glow, the
// block's alignment (0 left, 1 right, 2 centred), the pushed offset, and for an image-list glyph
// whether the control is enabled and painted in the current theme's look (a disabled glyph is then
// the theme's disabled image).
struct TCsCaptionStyle {
  win::UINT Format = 0;
  int Alignment = 0;
  bool Glow = false;
  fw::TColor GlowColor = 0x00FFFF;
  bool Pushed = false;
  bool Enabled = true;
  bool Themed = false;
};
// Lays the caption and a glyph out (LayoutCaptionAndGlyph) and, unless Format measures
// (DT_CALCRECT), draws the caption in the canvas font and then the glyph. Without a glyph (no
// bitmap, an empty one, no list or an index outside it) the caption stands alone. Answer as
// LayoutCaptionAndGlyph.
int DrawCaptionWithBitmap(fw::TCanvas* Canvas, const fw::TRect& ClientRect, const WideString& Caption,
                          fw::TBitmap* Bitmap, const TCsCaptionStyle& Style, fw::TRect& GlyphRect,
                          fw::TRect& CaptionRect);
int DrawCaptionWithImage(fw::TCanvas* Canvas, const fw::TRect& ClientRect, const WideString& Caption,
                         fw::TCustomImageList* Images, int ImageIndex, const TCsCaptionStyle& Style,
                         fw::TRect& GlyphRect, fw::TRect& CaptionRect);
// Draws Bitmap at (X, Y) through a one-image list, each pixel Amount/256 of its own colour and the
// rest BlendColor (DrawIconBlended); its see-through part comes from Mask (white = see-through;
// without a mask, the bitmap's bottom-left colour).
void DrawGlyphFromList(fw::TCanvas* Canvas, int X, int Y, int Amount, fw::TColor BlendColor, fw::TBitmap* Mask,
                       fw::TBitmap* Bitmap);

// A focus rectangle in black and white whatever the canvas colours (restored after); nothing
// for an empty rectangle.
void DrawFocusRectangle(fw::TCanvas* Canvas, const fw::TRect& Rect);
void PaintButtonFrame(fw::TCanvas* Canvas, const fw::TRect& Rect, bool Enabled, bool UseVisualStyles, bool Default,
                      bool Focused, bool Hot, bool Pushed);
// One part of a visual-style class (by its class name) drawn over R; false when the styles
// could not draw it (no library, no such class).
bool DrawStyledPart(const char16_t* ClassName, win::HDC DC, int Part, int State, const fw::TRect& R);
// The item record of an edit frame painted by the theme: an embedded normal toolbar, options
// toolbar style and application active, hovered by the mouse when Hot.
void InitEditFrameInfo(tx::TTxItemInfo& ItemInfo, bool Enabled, bool Hot);
// The themed border of an edit; the classic look (thtNone) leaves the window's own frame.
void PaintEditBorder(fw::TCanvas* Canvas, const fw::TRect& Rect, bool Enabled, bool ExcludeInterior,
                     TCsThemeType ThemeType, bool Hot);
// Border and drop-down button of a combo box in a themed look; nothing in the classic look,
// where the window paints its own.
void PaintComboButton(fw::TCanvas* Canvas, const fw::TRect& Rect, bool Enabled, int ButtonWidth,
                      TCsThemeType ThemeType, bool DroppedDown, bool Hot);

}  // namespace cs
