#pragma once
// "OfficeK": flat, light toolbars in white-to-grey gradients (the image column of popup menus
// too), highlight-tinted hot, pushed and checked buttons in highlight frames, gradient caption
// strips and shaded grip dots. Every colour derives from the system colours.

#include "themes/ThemeTable.h"

namespace themes {

class TTxOfficeKTheme : public TUnitTheme {
 public:
  using TUnitTheme::TUnitTheme;
  void AfterConstruction() override { JoinUnit<TTxOfficeKTheme>(); }

  KV_THEME_OPERATIONS
  void UpdateColorCache() override;

  // Shared by every instance, rebuilt with each cache.
  static inline TColor GradientDark = fw::clNone, GradientLight = 0xFFFFFF, GripBase = fw::clBtnFace,
                       GripDark = 0x808080, GripLight = 0xFFFFFF, GradientDarker = fw::clNone;

  // The colour cache; after each rebuild every field holds the nearest colour the screen shows.
  TColor MenuBarColor = fw::clNone, BarColor = fw::clNone, PopupColor = fw::clNone,
         DockPanelColor = fw::clNone, PopupFrameColor = fw::clNone, MenuSeparatorColor = fw::clNone,
         ToolbarSeparatorColor = fw::clNone;
  struct TFloatingColors {
    TColor Border = fw::clNone, Text = fw::clNone;
  };
  TFloatingColors FloatingToolbarColors[2];  // [0] inactive, [1] active
  TFloatingColors FloatingPanelColors[2];
  TPartColors MenuItemColors[4];
  TPartColors ButtonColors[8];

  // Menu lines take the menu table, every other item the button table; an embedded item's
  // missing fill is the bar colour and its missing frame clBtnShadow.
  TColor ItemColor(const tx::TTxItemInfo& ItemInfo, int Part) const;
  // Always the button table; an embedded item's frame is clWindowFrame when checked.
  TColor ImageBackColor(const tx::TTxItemInfo& ItemInfo, int Part) const;

 private:
  // A frame in Frame (R shrinks by 1 even for clNone), a fill in Fill and the close cross in
  // Cross: the close buttons of toolbars, panels and floating windows.
  void PaintCloseSquare(TCanvas* Canvas, TRect R, const TPartColors& Colors, TColor Cross);
};

void RegisterOfficeKTheme();

}  // namespace themes
