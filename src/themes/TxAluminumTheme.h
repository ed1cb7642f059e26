#pragma once
// "Aluminum": light grey toolbars, docks and status bar in a brushed-metal texture, chamfered
// item shapes with smoothed corners, hot and pushed tints taken from the system highlight and
// embossed glyphs. It derives from the Default theme and keeps only its view margins.

#include "themes/ThemeDeclaration.h"
#include "themes/ThemeLifeCycle.h"
#include "themes/ThemeStates.h"
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

// Corner radii of a chamfered shape: top-left, top-right, bottom-right, bottom-left.
struct TCornerRadii {
  Integer TopLeft = 0, TopRight = 0, BottomRight = 0, BottomLeft = 0;
};

// A polygon through R's corners cut by the radii, outline and inside in Color.
void AluRoundedFill(TCanvas* Canvas, const TRect& R, TCornerRadii Radii, TColor Color);
// R's four edges between the cut corners, each corner smoothed by blending into the background.
void AluRoundedFrame(TCanvas* Canvas, const TRect& R, TCornerRadii Radii, TColor Color);
// Top and left edges in TopLeft, bottom and right in BottomRight, corners of Radius 1 or 2
// blended into the background, or mixed with CornerBack when that is not clNone.
void AluRaisedFrame(TCanvas* Canvas, const TRect& R, Integer Radius, TColor TopLeft, TColor BottomRight,
                    TColor CornerBack);

class TTxAluminumTheme : public TDefaultBasedUnit<TTxAluminumTheme, tx::TTxDefaultTheme> {
 public:
  using TDefaultBasedUnit::TDefaultBasedUnit;

  TPoint GetImageOffset(TCanvas* Canvas, const tx::TTxItemInfo& ItemInfo, TCustomImageList* ImageList) override;
  TColor GetItemColor(const tx::TTxItemInfo& ItemInfo) override;
  TColor GetItemTextColor(const tx::TTxItemInfo& ItemInfo) override;
  TColor GetItemImageBackground(const tx::TTxItemInfo& ItemInfo) override;
  void GetMargins(Integer MarginID, tx::TTxMargins& Margins) override;
  Integer GetPopupShadowType() override;
  void GetViewBorder(Integer ViewType, TPoint& Border) override;
  TColor GetViewColor(Integer ViewType) override;
  KV_THEME_PAINTERS
  Integer GetIntegerMetric(Integer Index) override;
  bool GetBooleanMetric(Integer Index) override;
  void UpdateColorCache() override;

  // The colour cache (tests and the sheet read it).
  static constexpr Integer AluBrushStrength = 12;
  TColor AluDockColor = 0xC7C7C7, AluMenubarColor = 0xDFDFDF, AluToolbarColor = 0xDFDFDF,
         AluStatusColor = 0xCFCFCF, AluPopupColor = fw::clNone, AluPanelColor = fw::clNone,
         AluPopupFrameColor = fw::clNone, AluSeparatorColor = fw::clNone;
  TPartColors AluButtonColors[8];
  TPartColors AluMenuColors[4];
  // The highlight colour with its lightness raised to at least 0.4.
  TColor HighlightBase = fw::clNone;

  // One part of the button table for the item's state (embedded toolbars fall back to the
  // toolbar colour and a grey frame), and of the menu table for lines of popup menus.
  TColor ButtonPart(const tx::TTxItemInfo& ItemInfo, int Part) const;
  TColor MenuAwarePart(const tx::TTxItemInfo& ItemInfo, int Part) const;

 private:
  // A close button in state S (0 normal, 1 disabled, 3 pushed, 4 hot) with the embossed cross.
  void PaintCloseButton(TCanvas* Canvas, const TRect& R, int S);
  // The bar of a caption: a light first third, then the toolbar colour darkening.
  void PaintCaptionBar(TCanvas* Canvas, const TRect& R, bool Vertical);
  // Lines rows of grip dots along a drag handle (along X for the top handle of a vertical bar).
  void PaintGripDots(TCanvas* Canvas, const TRect& Handle, bool AlongX, Integer Lines);
  // Edit buttons' face: a gradient with a raised frame at rest, the state fill otherwise.
  void PaintEditButtonFace(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& ItemInfo, bool Active);
};

void RegisterAluminumTheme();

}  // namespace themes
