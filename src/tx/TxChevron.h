#pragma once
// The themed overflow item of a toolbar: painted by the theme's chevron, its popup is the
// themed chevron popup and is placed like the other themed popups.

#include "toolbars/TBToolbar.h"
#include "tx/TxThemesTypes.h"

namespace tx {

class TTxChevronItem : public toolbars::TTBChevronItem {
 public:
  using TTBChevronItem::TTBChevronItem;
  toolbars::TTBItemViewerClass GetItemViewerClass(toolbars::TTBView* AView) override;
  toolbars::TTBPopupWindowClass GetPopupWindowClass() override;
  void GetPopupPosition(toolbars::TTBView* ParentView, toolbars::TTBPopupWindow* PopupWindow,
                        toolbars::TTBPopupPlacement& Placement) override;
};

class TTxChevronItemViewer : public toolbars::TTBChevronItemViewer {
 public:
  using TTBChevronItemViewer::TTBChevronItemViewer;
  void Paint(fw::TCanvas* Canvas, const fw::TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
             bool UseDisabledShadow) override;
};

}  // namespace tx
