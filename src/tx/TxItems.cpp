#include "tx/TxItems.h"

#include <algorithm>

#include "framework/Controls.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsBitmap.h"
#include "framework/ImageList.h"
#include "platform/gdi/GdiText.h"
#include "toolbars/TBItemView.h"
#include "tx/Tx.h"
#include "tx/TxItemViewer.h"
#include "tx/TxPopupWindow.h"
#include "tx/detail/TxCanvasDC.h"

namespace tx {

using namespace toolbars;

// ---- TTxCustomItem ---------------------------------------------------------------------------

TTxCustomItem::TTxCustomItem(fw::TComponent* AOwner)
    : TTBCustomItem(AOwner), FFontSettings(std::make_unique<TFontSettings>()) {
  FFontSettings->OnChange = [this] { Change(true); };
}

TTxCustomItem::~TTxCustomItem() { FFontSettings->OnChange = nullptr; }

void TTxCustomItem::SetStretch(bool Value) {
  if (Stretch() == Value) return;
  SetItemStyle(Value ? ItemStyle() | toolbars::tbisFillRow : ItemStyle() & ~toolbars::tbisFillRow);
  Change(true);
}

TTBPopupWindow* TTxCustomItem::CreatePopup(TTBView* ParentView, TTBItemViewer* ParentViewer, bool PositionAsSubmenu,
                                           bool SelectFirstItem, bool Customizing, const TPoint& APopupPoint,
                                           Byte Alignment) {
  return TTBCustomItem::CreatePopup(ParentView, ParentViewer, PositionAsSubmenu,
                                    SelectFirstItem || FAlwaysSelectFirst, Customizing, APopupPoint, Alignment);
}

TTBItemViewerClass TTxCustomItem::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTxItemViewer>();
}

TTBPopupWindowClass TTxCustomItem::GetPopupWindowClass() { return TTBPopupWindowClass::Of<TTxPopupWindow>(); }

void TTxCustomItem::GetPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement) {
  AdjustThemedPopupPosition(PopupWindow, Placement,
                            [&] { TTBCustomItem::GetPopupPosition(ParentView, PopupWindow, Placement); });
}

// ---- popup placement -------------------------------------------------------------------------

void AdjustThemedPopupPosition(TTBPopupWindow* PopupWindow, TTBPopupPlacement& P, const std::function<void()>& Place) {
  if (!CurrentTheme->GetBooleanMetric(TMB_POPUP_ALIGNMENT)) {
    Place();
    return;
  }
  if (P.PositionAsSubmenu) {
    P.X += P.NCSizeX;
    P.Y += P.NCSizeY;
    P.NCSizeX = P.NCSizeY = 0;
  } else {
    // The popup shares one pixel with the edge of its parent item.
    P.NCSizeX = P.NCSizeY = 0;
    P.ParentItemRect.right -= 1;
    P.ParentItemRect.bottom -= 1;
    if (P.X == P.ParentItemRect.right + 1) P.X -= 1;
    if (P.Y == P.ParentItemRect.bottom + 1) P.Y -= 1;
    if (P.X + P.W <= P.ParentItemRect.left) P.X += 1;
    if (P.Y + P.H <= P.ParentItemRect.top) P.Y += 1;
    P.W -= 1;
    P.H -= 1;
  }
  Place();
  if (!P.PositionAsSubmenu) {
    P.W += 1;
    P.H += 1;
  }
  auto* themed = dynamic_cast<TTxPopupWindow*>(PopupWindow);
  P.PlaySound = !(themed && themed->GetPopupViewType() == VT_POPUP_LIST);
}

// ---- TTxRootItem -----------------------------------------------------------------------------

TTBPopupWindowClass TTxRootItem::GetPopupWindowClass() { return TTBPopupWindowClass::Of<TTxPopupWindow>(); }

void TTxRootItem::GetPopupPosition(TTBView* ParentView, TTBPopupWindow* PopupWindow, TTBPopupPlacement& Placement) {
  AdjustThemedPopupPosition(PopupWindow, Placement, [&] {
    if (PopupRect.right <= PopupRect.left || PopupRect.bottom <= PopupRect.top) {
      TTBRootItem::GetPopupPosition(ParentView, PopupWindow, Placement);
      return;
    }
    // Below the anchor, above it when there is no room below, always inside the monitor.
    TTBPopupPlacement& P = Placement;
    const TRect& M = P.MonitorRect;
    P.ParentItemRect = PopupRect;
    if (P.Y + P.H > M.bottom && PopupRect.top - P.H >= M.top) P.Y = PopupRect.top - P.H;
    if (P.Y < M.top) P.Y = M.top;
    if (P.Y + P.H > M.bottom) P.Y = M.bottom - P.H;
    if (P.Alignment == 1) P.X = PopupRect.right - P.W;
    if (P.X + P.W > M.right) P.X = M.right - P.W;
    if (P.X < M.left) P.X = M.left;
  });
}

TTBPopupWindow* TTxRootItem::PopupAtRect(bool SelectFirst, const TRect& AnchorRect) {
  const TRect saved = PopupRect;
  PopupRect = AnchorRect;
  TTBPopupWindow* window = nullptr;
  try {
    window = CreatePopup(nullptr, nullptr, false, SelectFirst, false, TPoint{AnchorRect.left, AnchorRect.bottom}, 0);
    if (auto* themed = dynamic_cast<TTxPopupWindow*>(window)) themed->ExcludeRect = AnchorRect;
  } catch (...) {
    PopupRect = saved;
    throw;
  }
  PopupRect = saved;
  return window;
}

// ---- TTxSubmenuItem --------------------------------------------------------------------------

TTxSubmenuItem::TTxSubmenuItem(fw::TComponent* AOwner) : TTxCustomItem(AOwner) {
  SetItemStyle(TTBItemStyle(ItemStyle() | tbisSubmenu | tbisSubitemsEditable));
}

void TTxSubmenuItem::SetDropdownCombo(bool Value) {
  if (Value == DropdownCombo()) return;
  SetItemStyle(TTBItemStyle(Value ? ItemStyle() | tbisCombo : ItemStyle() & ~tbisCombo));
  Change(true);
}

// ---- TTxVisibilityToggleItem ----------------------------------------------------------------

TTxVisibilityToggleItem::~TTxVisibilityToggleItem() {
  if (FControl) FControl->RemoveFreeNotification(this);
}

void TTxVisibilityToggleItem::UpdateChecked() {
  const fw::TComponentState state = ComponentState();
  if (state.Contains(fw::csLoading) || state.Contains(fw::csDestroying) || state.Contains(fw::csDesigning)) return;
  SetChecked(FControl != nullptr && FControl->Visible());
}

void TTxVisibilityToggleItem::SetControl(fw::TControl* Value) {
  if (FControl == Value) return;
  if (FControl) FControl->RemoveFreeNotification(this);
  FControl = Value;
  if (FControl) {
    FControl->FreeNotification(this);
    if (Caption().empty() && !ComponentState().Contains(fw::csLoading)) SetCaption(FControl->Text());
  }
  UpdateChecked();
}

void TTxVisibilityToggleItem::Click() {
  if (FControl) FControl->SetVisible(!FControl->Visible());
  TTxCustomItem::Click();
}

void TTxVisibilityToggleItem::InitiateAction() {
  TTxCustomItem::InitiateAction();
  UpdateChecked();
}

void TTxVisibilityToggleItem::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TTxCustomItem::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FControl) FControl = nullptr;
}

// ---- TTxSeparatorItem ------------------------------------------------------------------------

void TTxSeparatorItem::SetSize(Integer Value) {
  Value = std::max<Integer>(Value, -1);
  if (Value == FSize) return;
  FSize = Value;
  Change(true);
}

TTBItemViewerClass TTxSeparatorItem::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTxSeparatorItemViewer>();
}

// ---- shared routines -------------------------------------------------------------------------

Integer GetStateFlags(const TTxItemInfo& ItemInfo) {
  Integer flags = 0;
  if (!ItemInfo.Enabled) flags |= ISF_DISABLED;
  if (ItemInfo.HoverKind == hkMouseHover) flags |= ISF_HOT;
  if (ItemInfo.Pushed) flags |= ISF_PUSHED;
  if (ItemInfo.Selected) flags |= ISF_SELECTED;
  return flags;
}

void PaintThemedImage(fw::TCanvas* Canvas, const TRect& ARect, fw::TCustomImageList* ImageList, Integer ImageIndex,
                      Integer Flags) {
  TTxItemInfo info;
  switch (Flags & 0xF00) {
    case 0:
      info.ViewType = VT_TOOLBAR;
      info.ItemOptions = IO_TOOLBAR_STYLE;
      break;
    case TIF_ON_DOCKPANEL:
      info.ViewType = VT_DOCKPANEL;
      break;
    case TIF_ON_CONTROL:
      info.ViewType = VT_CONTROL;
      break;
    default:
      break;
  }
  info.Enabled = (Flags & TIF_DISABLED) == 0;
  info.Pushed = (Flags & TIF_PUSHED) != 0;
  info.HoverKind = (Flags & TIF_HOT) ? hkMouseHover : hkNone;
  info.Selected = (Flags & TIF_SELECTED) != 0;
  CurrentTheme->PaintImage(Canvas, ARect, info, ImageList, ImageIndex);
}

namespace {

// A small off-screen canvas for measuring outside painting.
fw::TCanvas* MeasureCanvas() {
  static fw::TBitmap* bitmap = [] {
    auto* b = new fw::TBitmap();
    b->SetSize(1, 1);
    return b;
  }();
  return bitmap->Canvas();
}

}  // namespace

Integer GetPopupMargin(TTBItemViewer* Viewer) {
  Integer w = 0, h = 0;
  if (auto* v = dynamic_cast<TTxItemViewer*>(Viewer)) {
    fw::TSize s = v->GetItemImageSize();
    w = s.cx;
    h = s.cy;
  }
  if (w == 0 || h == 0) {
    fw::TCustomImageList* images = Viewer->GetImageList();
    w = images ? images->Width() : 0;
    h = images ? images->Height() : 0;
  }
  if (w == 0 || h == 0) w = h = 16;
  fw::TCanvas* canvas = MeasureCanvas();
  canvas->Font()->Assign(Viewer->View()->GetFont());
  win::TEXTMETRICW tm{};
  win::GetTextMetricsW(detail::FontDC(canvas), &tm);
  const Integer textH = tm.tmHeight + tm.tmExternalLeading;
  TTxMargins m;
  CurrentTheme->GetMargins(MID_MENUITEM, m);
  const Integer v = m.TopHeight + m.BottomHeight;
  return (w + v) * std::max(textH + v, h + v) / (h + v);
}

}  // namespace tx
