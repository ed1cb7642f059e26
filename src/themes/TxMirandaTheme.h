#pragma once
// "Miranda": the system's own colours in Dream's structure: button-face toolbars with a raised
// edge, window-coloured popups in a shadow frame, flat highlight selection in menus, soft
// gradient buttons in soft rounded frames, and the platform's floating frames, scroll and close
// buttons.

#include "themes/SoftFrameTheme.h"

namespace themes {

class TTxMirandaTheme : public TSoftFrameTheme {
 public:
  explicit TTxMirandaTheme(const String& AName) : TSoftFrameTheme(AName) { FMenuItemSides = 0; }
  void AfterConstruction() override { JoinUnit<TTxMirandaTheme>(); }
  void UpdateColorCache() override;

  Integer GetIntegerMetric(Integer Index) override;
  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                       TColor AColor, bool Transparent, Integer AViewType) override;
  void PaintCaption(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo, const String& ACaption,
                    Cardinal AFormat, bool Rotated) override;
  void PaintEditButton(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                       const tx::TTxEditButtonInfo& ButtonInfo) override;
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const tx::TTxDockPanelInfo& DockPanelInfo) override;
  void PaintDropDownArrow(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintMDIButton(TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo, Cardinal ButtonKind) override;
  void PaintMenuItem(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo) override;
  void PaintSeparator(TCanvas* Canvas, TRect ARect, tx::TTxItemInfo ItemInfo, bool Horizontal,
                      bool LineOnly) override;
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const tx::TTxToolbarInfo& ToolbarInfo) override;

  // Unit-wide: the highlight of pushed, checked and popup-parent buttons, clHighlight after a rebuild.
  static inline TColor AccentColor = fw::clHighlight;

 protected:
  // A disabled field's outline takes clWindow under any hover; idle images are never contrasted;
  // the radio disc runs from the bottom colour to the top one.
  bool DisabledFieldLit(const tx::TTxItemInfo& ItemInfo) const override;
  bool IdleImageContrast(Integer Lum) const override;
  void FillRadioDisc(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top, TColor Highlight) const override;
};

void RegisterMirandaTheme();

}  // namespace themes
