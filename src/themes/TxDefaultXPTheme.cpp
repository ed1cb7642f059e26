#include "themes/TxDefaultXPTheme.h"

#include "themes/ThemeKit.h"

namespace themes {

using tx::TRect;

void TTxDefaultXPTheme::PaintImage(tx::TCanvas* Canvas, TRect ARect, const tx::TTxItemInfo& ItemInfo,
                                   tx::TCustomImageList* ImageList, tx::Integer ImageIndex) {
  kit::PaintLiftedImage(Canvas, ARect, ItemInfo, ImageList, ImageIndex, GetItemImageBackground(ItemInfo));
}

void RegisterDefaultXPTheme() {
  tx::RegisterTheme("DefaultXP", &tx::ThemeClassOf<TTxDefaultXPTheme>);
}

}  // namespace themes
