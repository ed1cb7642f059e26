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
  void PaintDock(TCanvas* Canvas, const TRect& ClientRect, const TRect& DockRect, Integer DockPosition) override;
  void PaintDockPanelNCArea(TCanvas* Canvas, TRect R, const tx::TTxDockPanelInfo& DockPanelInfo) override;
  void PaintMenuItemFrame(TCanvas* Canvas, const TRect& ARect, const tx::TTxItemInfo& ItemInfo) override;
  void PaintPopupNCArea(TCanvas* Canvas, TRect R, const tx::TTxPopupInfo& PopupInfo) override;
  void PaintSeparator(TCanvas* Canvas, TRect ARect, tx::TTxItemInfo ItemInfo, bool Horizontal,
                      bool LineOnly) override;
  void PaintStatusBar(TCanvas* Canvas, TRect R, Integer Part) override;
  Integer GetIntegerMetric(Integer Index) override;

  // The lines of etched and raised edges (not snapped to screen colours).
  TColor EtchLightColor = 0xFFFFFF, EtchShadowColor = 0xC0C0C0;

 protected:
  TColor ViewBaseColor() const override { return 0xF0F0F0; }
  // Banded, where Nexos5 draws its glassy gradient.
  void PaintPressedSpinHalf(TCanvas* Canvas, const TRect& Half) override;
  // A hot menu-bar item glassy, a pushed one etched; checked faces in the grey gradient; the lit
  // image button framed in the hot frame; floating captions in black, the close square one pixel
  // higher in its own states.
  void PaintMenuBarButton(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& ItemInfo, bool Hot) override;
  void PaintCheckedIdleFace(TCanvas* Canvas, const TRect& Face) override;
  TColor LitMenuImageFrame() const override;
  TColor FloatingCaptionText(int, int) const override { return 0x000000; }
  Integer FloatingCloseRaise() const override { return 1; }
  void PaintFloatingClose(TCanvas* Canvas, const TRect& Q, int State) override;
  // Etched edges on every framed bar, darker dashes, the glassy close button.
  void PaintToolbarEdges(TCanvas* Canvas, const TRect& R, Integer ViewType) override;
  void PaintGripDash(TCanvas* Canvas, Integer X, Integer Y, Integer W, bool Stacked) override;
  void PaintToolbarClose(TCanvas* Canvas, const TRect& Q, int State) override;

 private:
  // Hot glassy with a white cross, pushed banded with PressedCross, at rest framed (and filled
  // when FillAtRest) with a black cross.
  void PaintGlassyClose(TCanvas* Canvas, const TRect& Q, int State, TColor PressedCross, bool FillAtRest);
};

void RegisterSentimoXTheme();

}  // namespace themes
