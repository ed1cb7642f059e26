#pragma once
// "Zezio": system colours, soft gradient buttons, popups and platform frames, with backgrounds
// ruled by fine horizontal stripes every 3 pixels (the menu-bar and menu-line selection carries
// them too), dotted separators, a split-line and arrow geometry of its own, drop-down and spin
// buttons drawn flat until pressed or hot, radio discs filled with an extrapolated ramp, and
// contrasted idle images on dark backgrounds.
//
// Zezio keeps a unit of its own (glyph list and instance count) and its colour table under its
// own names; the soft-frame painters it is built on (lookups, frames, popups, floating borders,
// scroll buttons, status bar, check boxes) read that table through the shared fields.

#include "themes/SoftFrameTheme.h"

namespace themes {

class TTxZezioTheme : public TSoftFrameTheme {
 public:
  using TSoftFrameTheme::TSoftFrameTheme;
  void AfterConstruction() override { JoinUnit<TTxZezioTheme>(); }
  void UpdateColorCache() override;

  Integer GetIntegerMetric(Integer Index) override;
  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                       TColor AColor, bool Transparent, Integer AViewType) override;
  void PaintCaption(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo,
                    const String& ACaption, Cardinal AFormat, bool Rotated) override;
  void PaintEditButton(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                       const tx::TTxEditButtonInfo& ButtonInfo) override;
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const tx::TTxDockPanelInfo& DockPanelInfo) override;
  void PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintMDIButton(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo,
                      Cardinal ButtonKind) override;
  void PaintMenuItem(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo) override;
  void PaintSeparator(TCanvas* Canvas, TRect ARect, tx::TTxItemInfo ItemInfo, bool Horizontal,
                      bool LineOnly) override;
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const tx::TTxToolbarInfo& ToolbarInfo) override;

  // The colour table under Zezio's names, snapped to the screen's colours after each rebuild.
  TColor ZezioMenubarColor = fw::clNone, ZezioToolbarColor = fw::clNone, ZezioPopupColor = fw::clNone,
         ZezioPanelColor = fw::clNone, ZezioDisabledText = fw::clNone;
  TPartColors ZezioMenuColors[4];
  TPartColors ZezioButtonColors[8];
  // Unit-wide: the highlight of pushed, checked and popup-parent buttons, clHighlight after a rebuild.
  static inline TColor ZezioHighlight = fw::clHighlight;

 protected:
  // Only keyboard hover lights a disabled field; idle images on dark backgrounds are contrasted;
  // the radio disc runs from the top colour to the bottom one extrapolated.
  bool DisabledFieldLit(const tx::TTxItemInfo& ItemInfo) const override;
  bool IdleImageContrast(Integer Lum) const override;
  void FillRadioDisc(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top, TColor Highlight) const override;

 private:
  // One half (or the whole) of a drop-down or spin button face by its own pressed bit.
  void PaintEditButtonFace(TCanvas* Canvas, const TRect& B, bool Pressed, bool Hot, bool ItemHot);
};

void RegisterZezioTheme();

}  // namespace themes
