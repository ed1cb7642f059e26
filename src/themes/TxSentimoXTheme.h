#pragma once
// "SentimoX": Nexos5's structure in light grey without stripes: etched separators, toolbar
// edges, pane dividers and popup borders, gradient-filled hot menu lines, no joining of a popup
// with its parent item. Its unit resources are its own.

#include "themes/TxNexos5Theme.h"

namespace themes {

class TTxSentimoXTheme : public TTxNexos5Theme {
 public:
  using TTxNexos5Theme::TTxNexos5Theme;
  void AfterConstruction() override { JoinUnit<TTxSentimoXTheme>(); }
  void UpdateColorCache() override;

  void PaintBackground(TCanvas* Canvas, const TRect& DockRect, const TRect& ARect, const TRect& AClipRect,
                       TColor AColor, bool Transparent, Integer AViewType) override;
  void PaintButton(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer DockPosition) override;
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const tx::TTxDockPanelInfo& DockPanelInfo) override;
  void PaintFloatingBorder(TCanvas* Canvas, const TRect& ARect, const tx::TTxFloatingWindowInfo& WindowInfo) override;
  void PaintMenuItem(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo) override;
  void PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintPopupNCArea(TCanvas* Canvas, TRect R, const tx::TTxPopupInfo& PopupInfo) override;
  void PaintSeparator(TCanvas* Canvas, TRect ARect, tx::TTxItemInfo ItemInfo, bool Horizontal,
                      bool LineOnly) override;
  void PaintToolbarNCArea(TCanvas* Canvas, TRect R, const tx::TTxToolbarInfo& ToolbarInfo) override;
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;
  Integer GetIntegerMetric(Integer Index) override;

  // The lines of etched and raised edges (not snapped to screen colours).
  TColor EtchLightColor = 0xFFFFFF, EtchShadowColor = 0xC0C0C0;

 protected:
  TColor ViewBaseColor() const override { return 0xF0F0F0; }
  // Banded, where Nexos5 draws its glassy gradient.
  void PaintPressedSpinHalf(TCanvas* Canvas, const TRect& Half) override;
};

void RegisterSentimoXTheme();

}  // namespace themes
