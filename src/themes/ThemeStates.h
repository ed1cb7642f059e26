#pragma once
// The item states the table-driven themes paint by: which row of an 8-row button table or a
// 4-row menu-line table an item takes, and one row of fill, text and frame colours.

#include "tx/TxThemesTypes.h"

namespace themes {

// One state's colours; clNone paints nothing.
struct TPartColors {
  fw::TColor Fill = fw::clNone;
  fw::TColor Text = fw::clNone;
  fw::TColor Frame = fw::clNone;
  fw::TColor Part(int Index) const { return Index == 0 ? Fill : Index == 1 ? Text : Frame; }
};

enum TColorPart : int { cpFill = 0, cpText = 1, cpFrame = 2 };

// 0 normal, 1 disabled, 2 checked, 3 pushed, 4 hot, 5 disabled and keyboard-hot, 6 hot and
// checked, 7 popup parent.
inline int ButtonColorIndex(const tx::TTxItemInfo& I) {
  const bool hovered = I.HoverKind != tx::hkNone;
  if (!I.Enabled) return I.HoverKind == tx::hkKeyboardHover ? 5 : 1;
  if (I.IsPopupParent) return 7;
  if (!I.Pushed) return I.Selected ? (hovered ? 6 : 2) : (hovered ? 4 : 0);
  return 3;
}

// 0 normal, 1 disabled, 2 hot, 3 disabled and keyboard-hot.
inline int MenuItemColorIndex(const tx::TTxItemInfo& I) {
  if (I.Enabled) return I.HoverKind != tx::hkNone ? 2 : 0;
  return I.HoverKind == tx::hkKeyboardHover ? 3 : 1;
}

}  // namespace themes
