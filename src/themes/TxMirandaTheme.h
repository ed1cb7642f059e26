#pragma once
// "Miranda": the system's own colours in Dream's structure: button-face toolbars with a raised
// edge, window-coloured popups in a shadow frame, flat highlight selection in menus, soft
// gradient buttons in soft rounded frames, and the platform's floating frames, scroll and close
// buttons.

#include "themes/ThemeStates.h"
#include "themes/ThemeDeclaration.h"
#include "tx/TxThemes.h"

namespace themes {

class TTxMirandaTheme : public tx::TTxTheme {
 public:
  KV_THEME_TYPE_NAMES

  explicit TTxMirandaTheme(const String& AName) : TTxTheme(AName) {}
  ~TTxMirandaTheme() override;
  void AfterConstruction() override;
  // TXM_SYSCHANGE with TSC_CHANGE rebuilds the colour table; other phases are ignored.
  void Dispatch(fw::TMessage& Message) override;

  KV_THEME_OPERATIONS
  void UpdateColorCache() override;

  // The colour table; after each rebuild every field but the edit frames and the disabled text
  // holds the nearest colour the screen shows.
  TColor MenubarColor = fw::clNone, ToolbarColor = fw::clNone, PopupColor = fw::clNone,
         DockPanelColor = fw::clNone, EditFrameColor = fw::clNone, EditFrameHotColor = fw::clNone,
         PopupFrameColor = fw::clNone, DisabledTextColor = fw::clNone;
  TPartColors MenuItemColors[4];
  TPartColors ButtonColors[8];
  static inline TColor AccentColor = fw::clHighlight;

  // As Dream's, except that a popup-menu line of a split or combo item takes the button table.
  TColor GetPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;
  TColor GetButtonPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;

 protected:
  TColor ArrowColor(const tx::TTxItemInfo& ItemInfo) const;
  // Where Zezio parts from Miranda inside shared painters: whether a disabled field's outline
  // takes clWindow, whether an idle image on a background of luminance Lum is high-contrasted,
  // and the radio disc's rows (Bottom to Top, Highlight on the top row and left pixels).
  virtual bool DisabledFieldLit(const tx::TTxItemInfo& ItemInfo) const;
  virtual bool IdleImageContrast(Integer Lum) const;
  virtual void FillRadioDisc(TCanvas* Canvas, const TRect& R, TColor Bottom, TColor Top, TColor Highlight) const;
  // Set once the instance listens for system changes and once it counts in Miranda's unit; a
  // theme built on this one keeps the unit of its own and leaves FCounted clear.
  bool FListening = false;
  bool FCounted = false;
};

void RegisterMirandaTheme();

}  // namespace themes
