#include "themes/TxDefaultXPTheme.h"

#include "tx/TxThemesManager.h"
#include "tx/TxUtils.h"

namespace themes {

using tx::TRect;

void TTxDefaultXPTheme::PaintImage(tx::TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo,
                                   tx::TCustomImageList* ImageList, tx::Integer ImageIndex) {
  if (!ImageList) return;
  const bool dark = tx::GetColorLuminance(GetItemImageBackground(ItemInfo)) < 80;
  const bool hovered = ItemInfo.HoverKind != tx::hkNone;
  const auto shifted = [&](int d) { return TRect{ARect.left + d, ARect.top + d, ARect.right + d, ARect.bottom + d}; };
  if (!ItemInfo.Enabled) {
    if (dark)
      tx::DrawIconDarkMask(Canvas, ARect, ImageList, ImageIndex, fw::clBtnShadow);
    else
      tx::DrawIconDisabled(Canvas, ARect, ImageList, ImageIndex, 0);
  } else if (!ItemInfo.Selected && !ItemInfo.Pushed && !hovered) {
    if (dark || tx::HighContrastColors || tx::LowColorDisplay)
      tx::DrawIconContrasted(Canvas, ARect, ImageList, ImageIndex, dark);
    else
      tx::DrawIconBlended(Canvas, ARect, ImageList, ImageIndex, fw::clWindow, 255);
  } else if (!ItemInfo.Selected && (!ItemInfo.Pushed || ItemInfo.IsPopupParent)) {
    // Lifted: two grey copies beneath, the image one pixel up and left.
    tx::DrawIconDisabled(Canvas, ARect, ImageList, ImageIndex, 1);
    tx::DrawIconDisabled(Canvas, shifted(1), ImageList, ImageIndex, 1);
    tx::DrawIconContrasted(Canvas, shifted(-1), ImageList, ImageIndex, dark);
  } else {
    tx::DrawIconContrasted(Canvas, ARect, ImageList, ImageIndex, dark);
  }
}

void RegisterDefaultXPTheme() { tx::RegisterTheme("DefaultXP", &tx::ThemeClassOf<TTxDefaultXPTheme>); }

}  // namespace themes
