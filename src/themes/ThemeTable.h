#pragma once
// The themes painted from an 8-row button table and a 4-row menu-line table: the item colours
// they look up, the view colours and borders, margins, image offset, shadow and metrics they
// answer alike. Each theme fills the table in its UpdateColorCache and paints on its own.

#include "themes/ThemeLifeCycle.h"
#include "themes/ThemeStates.h"

namespace themes {

// Part 0 fill, 1 text, 2 frame of an item: menu lines (MenuLine) take the menu table, the rest the
// button table; in toolbars outside docks a missing fill is Bar and a missing frame clBtnShadow.
fw::TColor TablePartColor(const TPartColors (&Buttons)[8], const TPartColors (&MenuLines)[4], fw::TColor Bar,
                          bool MenuLine, const tx::TTxItemInfo& ItemInfo, int Part);
// Always the button table; outside docks a missing fill is Bar and the frame clWindowFrame when
// checked (clBtnShadow when missing).
fw::TColor TableButtonPartColor(const TPartColors (&Buttons)[8], fw::TColor Bar, const tx::TTxItemInfo& ItemInfo,
                                int Part);
// Hovered enabled images that are neither checked nor pushed lift one pixel up and left.
tx::TPoint LiftedImageOffset(const tx::TTxItemInfo& ItemInfo);
// Toolbars, panels and floating windows: 2 docked, the frame size less one floating (resizable
// or not); popups Popup; nothing else.
tx::TPoint FramedViewBorder(tx::Integer ViewType, tx::TPoint Popup);
// Tool buttons 2 all round, menu items MenuItemSides left and right and 3 above and below,
// status panes 3 left and right and 1 above and below.
void ItemMargins(tx::Integer MarginID, tx::TTxMargins& Margins, tx::Integer MenuItemSides);
// Visual styles on, solid toolbar non-client areas, also on a dock image.
bool SolidBarsMetric(tx::Integer Index);
// Every colour of both tables snapped to the screen's colours.
void SnapTablesToScreen(TPartColors (&Buttons)[8], TPartColors (&MenuLines)[4]);

class TTableTheme : public TUnitTheme {
 public:
  using TUnitTheme::TUnitTheme;

  KV_THEME_QUERIES

  // The colour table (tests and the sheet read it).
  TColor MenubarColor = fw::clNone, ToolbarColor = fw::clNone, PopupColor = fw::clNone,
         DockPanelColor = fw::clNone, PopupFrameColor = fw::clNone;
  TPartColors MenuItemColors[4];
  TPartColors ButtonColors[8];

  // The table lookups against the toolbar colour (TablePartColor, TableButtonPartColor).
  TColor GetPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;
  TColor GetButtonPartColor(const tx::TTxItemInfo& ItemInfo, int Part) const;

 protected:
  // The mark of a check or radio box in the PFS_ State given: the button table's disabled, pushed,
  // hot or normal text, clBtnShadow when mixed.
  TColor FrameControlMarkColor(Integer State, bool Pushed, bool Hot) const;
  // A chevron: the item's own button with the double arrows in its text colour, kept to the item.
  void PaintButtonChevron(TCanvas* Canvas, const TRect& R, const tx::TTxItemInfo& ItemInfo);
  // An edit item: its frame, then the field inside the edit frame width outlined in Outline and
  // filled with Field (unless clNone), reaching two pixels under the right button, and the button.
  void PaintFieldFrame(TCanvas* Canvas, const TRect& ARect, tx::TTxItemInfo& ItemInfo,
                       const tx::TTxEditFrameInfo& EditFrameInfo, TColor Outline, TColor Field);
  // Where the table themes part: a popup menu's border, the menu items' margins left and right,
  // and whether a popup-menu line of a split or combo item takes the button table.
  TPoint FPopupMenuBorder{2, 2};
  Integer FMenuItemSides = 1;
  bool FSplitLinesTakeButtons = false;
};

}  // namespace themes
