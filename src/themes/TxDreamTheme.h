#pragma once
// "Dream": soft white-to-grey-blue toolbars with cut corners, white popups in a light grey frame,
// warm yellow and orange gradients for checked and hot items, embossed grip dots. Nearly every
// colour is fixed; a few follow the system colours.

#include "themes/ThemeTable.h"

namespace themes {

class TTxDreamTheme : public TTableTheme {
 public:
  explicit TTxDreamTheme(const String& AName) : TTableTheme(AName) { FPopupMenuBorder = {1, 2}; }
  void AfterConstruction() override { JoinUnit<TTxDreamTheme>(); }

  KV_THEME_PAINTERS
  Integer GetIntegerMetric(Integer Index) override;
  void UpdateColorCache() override;

  // Beyond the table: the split line of split buttons.
  TColor SplitLineColor = fw::clNone;
  // [0 floating toolbar, 1 dockable panel][0 active, 1 inactive]: border, caption text.
  struct TWinFrame {
    TColor Border = fw::clNone, Text = fw::clNone;
  } WinFrameColors[2][2];
  static inline TColor ToolbarEdgeColor = 0xB0B0B0;

 private:
  // The close button of toolbars, floating windows and panels in colour state S.
  void PaintCloseButton(TCanvas* Canvas, const TRect& R, int S);
  static int CloseState(Integer CloseButtonState, bool Active);
};

void RegisterDreamTheme();

}  // namespace themes
