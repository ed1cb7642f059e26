#pragma once
// "DefaultXP": the Default theme with lifted, shadowed images under the mouse and dark
// silhouettes for disabled images on dark backgrounds. Everything else is the Default theme's.

#include "tx/TxDefaultTheme.h"

namespace themes {

class TTxDefaultXPTheme : public tx::TTxDefaultTheme {
 public:
  using TTxDefaultTheme::TTxDefaultTheme;
  void PaintImage(tx::TCanvas* Canvas, tx::TRect ARect, const tx::TTxItemInfo& ItemInfo,
                  tx::TCustomImageList* ImageList, tx::Integer ImageIndex) override;
};

void RegisterDefaultXPTheme();

}  // namespace themes
