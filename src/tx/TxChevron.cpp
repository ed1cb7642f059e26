#include "tx/TxChevron.h"

#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/TxItemViewer.h"
#include "tx/TxPopupWindow.h"

namespace tx {

using namespace toolbars;

TTBItemViewerClass TTxChevronItem::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTxChevronItemViewer>();
}

TTBPopupWindowClass TTxChevronItem::GetPopupWindowClass() {
  return TTBPopupWindowClass::Of<TTxChevronPopupWindow>();
}

void TTxChevronItem::GetPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement) {
  AdjustThemedPopupPosition(PopupWindow, Placement,
                            [&] { TTBChevronItem::GetPopupPosition(ParentView, PopupWindow, Placement); });
}

void TTxChevronItemViewer::Paint(fw::TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                                 bool /*UseDisabledShadow*/) {
  TTxItemInfo info;
  info.ViewType = GetViewType(View());
  info.ItemOptions = IO_TOOLBAR_STYLE;
  info.Enabled = Item()->Enabled() || View()->Customizing();
  info.Pushed = IsPushed;
  info.IsPopupParent = IsPushed;
  if (IsSelected) info.HoverKind = SelectedHoverKind(View(), info.Enabled);
  info.IsVertical = View()->Orientation() == tbvoVertical;
  CurrentTheme->PaintChevron(Canvas, ClientAreaRect, info);
}

}  // namespace tx
