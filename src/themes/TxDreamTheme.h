#pragma once
// "Dream": soft white-to-grey-blue toolbars with cut corners, white popups in a light grey frame,
// warm yellow and orange gradients for checked and hot items, embossed grip dots. Nearly every
// colour is fixed; a few follow the system colours.

#include "themes/ThemeStates.h"
#include "themes/ThemeDeclaration.h"
#include "tx/TxThemes.h"

namespace themes {

using tx::Cardinal;
using tx::Integer;
using tx::String;
using tx::TCanvas;
using tx::TColor;
using tx::TCustomImageList;
using tx::TPoint;
using tx::TRect;

class TTxDreamTheme : public tx::TTxTheme {
 public:
  explicit TTxDreamTheme(const String& AName) : TTxTheme(AName) {}
  ~TTxDreamTheme() override;
  void AfterConstruction() override;
  // TXM_SYSCHANGE with TSC_CHANGE rebuilds the colour table; other phases are ignored.
  void Dispatch(fw::TMessage& Message) override;

  KV_THEME_OPERATIONS
  void UpdateColorCache() override;

  // The colour table (tests and the sheet read it).
  TColor MenubarColor = fw::clNone, ToolbarColor = fw::clNone, PopupColor = fw::clNone,
         DockPanelColor = fw::clNone, PopupFrameColor = fw::clNone, SplitLineColor = fw::clNone;
  // [0 floating toolbar, 1 dockable panel][0 active, 1 inactive]: border, caption text.
  struct TWinFrame {
    TColor Border = fw::clNone, Text = fw::clNone;
  } WinFrameColors[2][2];
  TPartColors MenuItemColors[4];
  TPartColors ButtonColors[8];
  static inline TColor ToolbarEdgeColor = 0xB0B0B0;

  // Part 0 fill, 1 text, 2 frame of an item: menu lines use the menu table, the rest the button
  // table; in toolbars outside docks a missing fill or frame takes the toolbar colours.
  TColor GetPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;
  TColor GetButtonPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;

 private:
  // The close button of toolbars, floating windows and panels in colour state S.
  void PaintCloseButton(TCanvas* Canvas, const TRect& R, int S);
  static int CloseState(Integer CloseButtonState, bool Active);
  bool FListening = false;
  bool FCounted = false;
};

void RegisterDreamTheme();

}  // namespace themes
