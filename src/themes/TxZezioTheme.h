#pragma once
// "Zezio": Miranda's system colours, soft gradient buttons, popups and platform frames, with
// backgrounds ruled by fine horizontal stripes every 3 pixels (the menu-bar and menu-line
// selection carries them too), dotted separators, a split-line and arrow geometry of its own,
// and drop-down and spin buttons drawn flat until pressed or hot.
//
// What Zezio paints exactly like Miranda (colour table, lookups, frames, images, popups,
// floating borders, scroll buttons, status bar, check boxes) it takes from Miranda; every
// operation where the two differ is overridden here.

#include "themes/TxMirandaTheme.h"

namespace themes {

class TTxZezioTheme : public TTxMirandaTheme {
 public:
  explicit TTxZezioTheme(const String& AName) : TTxMirandaTheme(AName) {}

  void GetMargins(Integer MarginID, tx::TTxMargins& Margins) override;
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

 private:
  // One half (or the whole) of a drop-down or spin button face by its own pressed bit.
  void PaintEditButtonFace(TCanvas* Canvas, const TRect& B, bool Pressed, bool Hot, bool ItemHot);
};

void RegisterZezioTheme();

}  // namespace themes
