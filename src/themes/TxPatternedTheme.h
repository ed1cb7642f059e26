#pragma once
// What "Stripes" and "Monai" share: classic system colours, sunken 3-D frames, dithered hot and
// pushed items, and caption bars and drag handles filled with an 8 x 8 pattern brush. Each of the
// two says how it paints backgrounds, drag handles and the status bar, and builds its own pattern
// in its own bitmap; their unit resources are never shared.

#include "framework/GraphicsBitmap.h"
#include "themes/ThemeDeclaration.h"
#include "themes/ThemeLifeCycle.h"
#include "themes/vrnThemes.h"
#include "tx/TxDefaultTheme.h"

namespace themes {

using tx::Cardinal;
using tx::Integer;
using tx::String;
using tx::TCanvas;
using tx::TColor;
using tx::TCustomImageList;
using tx::TPoint;
using tx::TRect;

// The 8 x 8 pattern bitmap of a theme class, made with its first instance and freed with its last.
template <class Theme>
class TPatternUnit {
 public:
  static void AddInstance() {
    TThemeUnit<Theme>::AddInstance();
    if (Count++ == 0) {
      Bitmap = new fw::TBitmap;
      Bitmap->SetSize(8, 8);
    }
  }
  static void RemoveInstance() {
    TThemeUnit<Theme>::RemoveInstance();
    if (Count > 0 && --Count == 0) {
      delete Bitmap;
      Bitmap = nullptr;
    }
  }
  static inline int Count = 0;
  static inline fw::TBitmap* Bitmap = nullptr;
};

class TTxPatternedTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;

  TColor GetItemTextColor(const tx::TTxItemInfo& ItemInfo) override;
  void GetMargins(Integer MarginID, tx::TTxMargins& Margins) override;
  Integer GetPopupShadowType() override;
  void GetViewBorder(Integer ViewType, TPoint& Border) override;
  TColor GetViewColor(Integer ViewType) override;
  // Check marks and chevrons: the Default theme's marks, kept inside the item's rectangle.
  KV_THEME_ITEM_PAINTERS
  void PaintFrameControl(TCanvas* Canvas, TRect R, Integer Kind, Integer State, void* Params) override;
  Integer GetIntegerMetric(Integer Index) override;
  bool GetBooleanMetric(Integer Index) override;
  // Replaces the Default theme's cache: the face colour and the two colours below.
  void UpdateColorCache() override;

  TColor PanelColor = fw::clNone;     // dock panels
  TColor DisabledColor = fw::clNone;  // disabled text, separators, dividing lines

  // The class's pattern bitmap built for Color (tests read it).
  virtual fw::TBitmap* BuildPattern(TColor Color) = 0;

 protected:
  virtual fw::TImageList* Glyphs() const = 0;
  // Fills ARect with Color, then its inset, trimmed to 4k + 2 and centred, with the pattern; with
  // clNone a dot grid instead.
  void PatternedFill(TCanvas* Canvas, TRect ARect, TColor Color, Integer Inset);
  // The close button of panels, floating windows and toolbars in R (inset by 1 here).
  void PaintCloseButton(TCanvas* Canvas, TRect R, Integer State);
  // A single border's raised edge: R comes back inside it.
  void PaintToolbarBorder(TCanvas* Canvas, TRect& R, const tx::TTxToolbarInfo& Info);
  // The divider of a status pane (SBP_PANE, 3 pixels inside its right edge) or of the last pane
  // (SBP_GRIPPERPANE, at its right edge).
  void PaintPaneLine(TCanvas* Canvas, const TRect& R, Integer Part);
  // The drag handle's strip and the toolbar's close button (moved one pixel towards the handle).
  static TRect HandleStrip(const TRect& R, const tx::TTxToolbarInfo& Info);
  static bool CloseButtonRect(const tx::TTxToolbarInfo& Info, TRect& Close);
};

// The nine-point outline of chamfered buttons, right and bottom edges inside ARect.
void DrawStripesFrame(TCanvas* Canvas, const TRect& ARect, Integer LeftRound, TColor Color, Integer RightRound);

class TTxStripesTheme : public TDefaultBasedUnit<TTxStripesTheme, TTxPatternedTheme, TPatternUnit<TTxStripesTheme>> {
 public:
  using TDefaultBasedUnit::TDefaultBasedUnit;
  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                       TColor AColor, bool Transparent, Integer AViewType) override;
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const tx::TTxToolbarInfo& ToolbarInfo) override;
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;
  fw::TBitmap* BuildPattern(TColor Color) override;

 protected:
  fw::TImageList* Glyphs() const override { return TThemeUnit<TTxStripesTheme>::GlyphImages; }
};

class TTxMonaiTheme : public TDefaultBasedUnit<TTxMonaiTheme, TTxPatternedTheme, TPatternUnit<TTxMonaiTheme>> {
 public:
  using TDefaultBasedUnit::TDefaultBasedUnit;
  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                       TColor AColor, bool Transparent, Integer AViewType) override;
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const tx::TTxToolbarInfo& ToolbarInfo) override;
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;
  fw::TBitmap* BuildPattern(TColor Color) override;

 protected:
  fw::TImageList* Glyphs() const override { return TThemeUnit<TTxMonaiTheme>::GlyphImages; }
};

void RegisterStripesTheme();
void RegisterMonaiTheme();

}  // namespace themes
