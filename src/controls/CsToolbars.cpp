#include "controls/CsToolbars.h"

#include <algorithm>

#include "controls/CsLookups.h"

#include "framework/ControlMessages.h"
#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "platform/gdi/GdiDC.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemView.h"
#include "toolbars/TBItemViewer.h"

namespace cs {

using toolbars::TTBCustomItem;
using toolbars::TTBItemViewer;

namespace {

// A canvas drawing on a DC it does not own.
class TCanvasOnDC {
 public:
  explicit TCanvasOnDC(win::HDC DC) { FCanvas.SetHandle(DC); }
  ~TCanvasOnDC() { FCanvas.SetHandle(nullptr); }
  TCanvasOnDC(const TCanvasOnDC&) = delete;
  TCanvasOnDC& operator=(const TCanvasOnDC&) = delete;
  fw::TCanvas* get() { return &FCanvas; }

 private:
  fw::TCanvas FCanvas;
};

TRect ClientRectIn(fw::TControl* From, fw::TControl* To) {
  const TRect r = From->ClientRect();
  const fw::TPoint tl = To->ScreenToClient(From->ClientToScreen(fw::TPoint{r.left, r.top}));
  return TRect{tl.x, tl.y, tl.x + r.right - r.left, tl.y + r.bottom - r.top};
}

Integer RectWidth(const TRect& R) {
  return R.right - R.left;
}

}  // namespace

// ---- dock ------------------------------------------------------------------------------------

TCsDock::TCsDock(fw::TComponent* AOwner) : tx::TTxDock(AOwner) {}
TCsDock::~TCsDock() = default;

void TCsDock::DoDrawBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                               bool& PaintDefault) {
  if (OnDrawBackground) OnDrawBackground(this, ACanvas, ARect, PaintStage, PaintDefault);
}

void TCsDock::DrawBackground(win::HDC DC, const TRect& DrawRect) {
  // A dock on its way out paints nothing: its handlers may belong to what is going with it.
  if (ComponentState().Contains(fw::csDestroying)) return;
  TCanvasOnDC canvas(DC);
  TRect r = DrawRect;
  bool paintDefault = true;
  DoDrawBackground(canvas.get(), r, pstPrePaint, paintDefault);
  if (paintDefault) tx::TTxDock::DrawBackground(DC, r);
  paintDefault = true;
  DoDrawBackground(canvas.get(), r, pstPostPaint, paintDefault);
}

bool TCsDock::UsingBackground() {
  return OnDrawBackground ? true : tx::TTxDock::UsingBackground();
}

bool TCsDock::CanResize(Integer& NewWidth, Integer& NewHeight) {
  FOldWidth = Width();
  FOldHeight = Height();
  return tx::TTxDock::CanResize(NewWidth, NewHeight);
}

void TCsDock::Resize() {
  tx::TTxDock::Resize();
  if (Width() >= FOldWidth) return;
  // Narrower: spacers and anchored items of the toolbars shrink first, so that the toolbars
  // fit before the dock arranges them.
  for (toolbars::TTBCustomDockableWindow* w : DockList())
    if (auto* t = dynamic_cast<TCsToolbar*>(w)) t->Resize();
}

// ---- item cache ------------------------------------------------------------------------------

TCsItemCache* TCsItemCacheCollection::Find(const TTBCustomItem* Item) {
  for (auto& c : FItems)
    if (c->Item == Item) return c.get();
  return nullptr;
}

TCsItemCache* TCsItemCacheCollection::Add(TTBCustomItem* Item) {
  FItems.push_back(std::make_unique<TCsItemCache>());
  FItems.back()->Item = Item;
  FItems.back()->Name = Item->Name();
  return FItems.back().get();
}

TCsItemCache* TCsItemCacheCollection::AddUnlinked() {
  FItems.push_back(std::make_unique<TCsItemCache>());
  return FItems.back().get();
}

void TCsItemCacheCollection::Delete(Integer Index) { FItems.erase(FItems.begin() + Index); }

void TCsItemCacheCollection::Delete(const TTBCustomItem* Item) {
  std::erase_if(FItems, [Item](const std::unique_ptr<TCsItemCache>& c) { return c->Item == Item; });
}

// ---- toolbar ---------------------------------------------------------------------------------

TCsToolbar::TCsToolbar(fw::TComponent* AOwner)
    : tx::TTxToolbar(AOwner), FItemCache(std::make_unique<TCsItemCacheCollection>()) {}

void TCsToolbar::AfterConstruction() {
  tx::TTxToolbar::AfterConstruction();
  Items()->RegisterNotification(
      this, [this](TTBCustomItem* Sender, bool Relayed, toolbars::TTBItemChangedAction Action, Integer Index,
                   TTBCustomItem* Item) { DoItemNotification(Sender, Relayed, Action, Index, Item); });
}

TCsToolbar::~TCsToolbar() {
  if (Items()) Items()->UnregisterNotification(this);
}

Integer TCsToolbar::GetRightAlignMargin() {
  return 10;
}

bool TCsToolbar::OnHorizontalDock() const {
  return CurrentDock() && Docked() && !Floating() &&
         (CurrentDock()->Position() == toolbars::dpTop || CurrentDock()->Position() == toolbars::dpBottom);
}

void TCsToolbar::RightAlignItems() {
  if (!OnHorizontalDock() || CurrentDock()->Width() == 0 || !View()) return;
  toolbars::TTBView* view = View();
  if (!view->FirstSelectable()) return;
  view->ValidatePositions();
  const TCsRightAlignedItems right = GetRightAlignedItems(view);
  TTBItemViewer* spacer = right.Spacer();
  if (!spacer) return;
  const Integer visibleWidth = right.VisibleWidth;
  // What the other items take is measured without the spacer's own present width, so the
  // first pass (the spacer still measured) is as exact as any later one.
  const Integer others = visibleWidth - (spacer->Item()->Visible() ? RectWidth(spacer->BoundsRect()) : 0);
  const Integer width = std::max<Integer>(0, CurrentDock()->Width() - GetRightAlignMargin() - others);
  static_cast<TCsRightAlignSpacerItem*>(spacer->Item())->SetCustomWidth(width);
}

void TCsToolbar::AnchorItems() {
  if (!OnHorizontalDock() || !View()) return;
  toolbars::TTBView* view = View();
  const Integer dockW = CurrentDock()->Width(), dockH = CurrentDock()->Height();
  view->BeginUpdate();
  for (Integer i = 0; i < view->ViewerCount(); ++i) {
    TTBItemViewer* v = view->Viewers(i);
    TTBCustomItem* item = v->Item();
    if (auto* csViewer = dynamic_cast<TCsItemViewer*>(v)) {
      auto* cs = dynamic_cast<TCsCustomItem*>(item);
      if (cs && cs->Anchored()) {
        if (csViewer->AnchorSize.x == 0 && csViewer->AnchorSize.y == 0) csViewer->AnchorSize = {dockW, dockH};
        const fw::TPoint offset{dockW - csViewer->AnchorSize.x, dockH - csViewer->AnchorSize.y};
        if (offset.x != csViewer->AnchorOffset.x || offset.y != csViewer->AnchorOffset.y) {
          csViewer->AnchorOffset = offset;
          cs->Change(true);
        }
      }
    }
    auto* ci = dynamic_cast<toolbars::TTBControlItem*>(item);
    fw::TControl* control = ci ? ci->Control() : nullptr;
    const bool stretches =
        control && (control->Align() == fw::alClient || control->Anchors().Contains(fw::akRight));
    if (!stretches) {
      FItemCache->Delete(item);
      continue;
    }
    TCsItemCache* cache = FItemCache->Find(item);
    if (!cache) {
      cache = FItemCache->Add(item);
      cache->Left = control->Left();
      cache->Top = control->Top();
      cache->Width = control->Width();
      cache->Height = control->Height();
      cache->ParentWidth = dockW;
      cache->ParentHeight = dockH;
      continue;
    }
    // A dock narrower than when the control was first seen cannot take it below nothing.
    control->SetWidth(std::max<Integer>(0, cache->Width + dockW - cache->ParentWidth));
  }
  view->EndUpdate();
}

void TCsToolbar::Resize() {
  FRelayout = true;
  try {
    RightAlignItems();
    AnchorItems();
  } catch (...) {
    FRelayout = false;
    throw;
  }
  FRelayout = false;
  tx::TTxToolbar::Resize();
}

void TCsToolbar::DoDrawBackground(fw::TCanvas* ACanvas, TRect& ARect, TCsPaintStage PaintStage,
                                  bool& PaintDefault) {
  if (OnDrawBackground) OnDrawBackground(this, ACanvas, ARect, PaintStage, PaintDefault);
}

void TCsToolbar::DoItemNotification(TTBCustomItem* Ancestor, bool Relayed,
                                    toolbars::TTBItemChangedAction Action, Integer Index,
                                    TTBCustomItem* Item) {
  if (OnItemNotification) OnItemNotification(this, Ancestor, Relayed, Action, Index, Item);
  if (FRelayout) return;
  switch (Action) {
    case toolbars::tbicInserted:
    case toolbars::tbicInvalidateAndResize:
      RightAlignItems();
      break;
    case toolbars::tbicDeleting:
      FItemCache->Delete(Item);
      RightAlignItems();
      break;
    default:
      break;
  }
}

TCsDock* TCsToolbar::CustomBackgroundDock() const {
  auto* dock = Docked() ? dynamic_cast<TCsDock*>(CurrentDock()) : nullptr;
  return dock && dock->OnDrawBackground ? dock : nullptr;
}

void TCsToolbar::EraseBackground(fw::TMessage& Message) {
  auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  if (TCsDock* dock = CustomBackgroundDock()) {
    dock->DrawBackground(dc, ClientRectIn(dock, this));
    Message.Result = 1;
    return;
  }
  if (!OnDrawBackground) {
    tx::TTxToolbar::Dispatch(Message);
    return;
  }
  TCanvasOnDC canvas(dc);
  TRect r = Docked() && CurrentDock() ? ClientRectIn(CurrentDock(), this) : ClientRect();
  bool paintDefault = true;
  DoDrawBackground(canvas.get(), r, pstPrePaint, paintDefault);
  if (paintDefault) tx::TTxToolbar::Dispatch(Message);
  paintDefault = true;
  DoDrawBackground(canvas.get(), r, pstPostPaint, paintDefault);
  Message.Result = 1;
}

void TCsToolbar::DrawNCArea(bool DrawToDC, win::HDC ADC, win::HRGN Clip) {
  tx::TTxToolbar::DrawNCArea(DrawToDC, ADC, Clip);
  TCsDock* dock = CustomBackgroundDock();
  if (!dock || !HandleAllocated()) return;
  // The border ring and the drag handle show the dock's own background: everything of the
  // window but its client area is painted by the dock.
  win::HDC dc = DrawToDC ? ADC : win::GetWindowDC(Handle());
  if (!dc) return;
  const int saved = win::SaveDC(dc);
  if (!DrawToDC) toolbars::SelectNCUpdateRgn(Handle(), dc, Clip);
  TRect window{};
  win::GetWindowRect(Handle(), &window);
  fw::TPoint client = ClientToScreen(fw::TPoint{0, 0});
  const Integer cx = client.x - window.left, cy = client.y - window.top;
  win::ExcludeClipRect(dc, cx, cy, cx + ClientWidth(), cy + ClientHeight());
  const fw::TPoint dockOrigin = dock->ClientToScreen(fw::TPoint{0, 0});
  const TRect dockRect = dock->ClientRect();
  const Integer dx = dockOrigin.x - window.left, dy = dockOrigin.y - window.top;
  dock->DrawBackground(dc, TRect{dx, dy, dx + RectWidth(dockRect), dy + dockRect.bottom - dockRect.top});
  win::RestoreDC(dc, saved);
  if (!DrawToDC) win::ReleaseDC(Handle(), dc);
}

void TCsToolbar::HintShow(fw::TMessage& Message) {
  auto* info = reinterpret_cast<fw::THintInfo*>(Message.LParam);
  // The viewer under the mouse: a control-set viewer draws its own hint, any other (the
  // chevron) answers through the toolbar.
  auto* viewer = View() && info ? dynamic_cast<TCsItemViewer*>(View()->ViewerFromPoint(info->CursorPos)) : nullptr;
  if (!viewer) {
    tx::TTxToolbar::Dispatch(Message);
    return;
  }
  if (viewer->HintShow(*info)) {
    Message.Result = 0;
    return;
  }
  info->CursorRect = viewer->BoundsRect();
  Message.Result = 1;
}

void TCsToolbar::DialogChar(fw::TMessage& Message) {
  const char16_t ch = char16_t(Message.WParam & 0xFFFF);
  for (Integer i = 0; i < Items()->Count(); ++i) {
    auto* item = dynamic_cast<TCsCustomItem*>(Items()->Items(i));
    if (item && item->Visible() && item->DialogChar(ch)) {
      Message.Result = 1;
      return;
    }
  }
  tx::TTxToolbar::Dispatch(Message);
}

void TCsToolbar::ControlChange(fw::TMessage& Message) {
  auto* control = reinterpret_cast<fw::TControl*>(Message.WParam);
  const fw::TComponentState state = ComponentState();
  if (FEmbedded && Message.LParam != 0 && control != nullptr && Items() != nullptr &&
      !state.Contains(fw::csLoading) && !state.Contains(fw::csUpdating) && !state.Contains(fw::csDestroying) &&
      FindControlItem(Items(), control) == nullptr) {
    // The item belongs to the form, where the control and the compound control live.
    fw::TComponent* owner = fw::GetParentForm(this);
    if (owner == nullptr) owner = Owner();
    auto* item = new toolbars::TTBControlItem(owner);
    item->SetControl(control);
    Items()->Add(item);
  }
  // The themed toolbar finds the item held and only tells the control its colour.
  tx::TTxToolbar::Dispatch(Message);
}

void TCsToolbar::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case fw::CM_CONTROLCHANGE:
      ControlChange(Message);
      return;
    case win::WM_ERASEBKGND:
      EraseBackground(Message);
      return;
    case fw::CM_HINTSHOW:
      HintShow(Message);
      return;
    case fw::CM_DIALOGCHAR:
      DialogChar(Message);
      return;
    case win::WM_SIZE:
      tx::TTxToolbar::Dispatch(Message);
      if (HandleAllocated()) win::UpdateWindow(Handle());
      return;
    default:
      tx::TTxToolbar::Dispatch(Message);
  }
}

// ---- popup menu ------------------------------------------------------------------------------

namespace {

// Tells its menu when its popup exists, before the loop.
class TCsPopupRootItem : public tx::TTxRootItem {
 public:
  TCsPopupRootItem() : tx::TTxRootItem(nullptr) {}
  TCsPopupMenu* Menu = nullptr;
  toolbars::TTBPopupWindow* CreatePopup(toolbars::TTBView* ParentView, TTBItemViewer* ParentViewer,
                                        bool PositionAsSubmenu, bool SelectFirstItem, bool Customizing,
                                        const fw::TPoint& APopupPoint, fw::Byte Alignment) override {
    toolbars::TTBPopupWindow* popup = tx::TTxRootItem::CreatePopup(
        ParentView, ParentViewer, PositionAsSubmenu, SelectFirstItem, Customizing, APopupPoint, Alignment);
    if (Menu && !ParentView && popup) Menu->DoInitPopup(popup->View());
    return popup;
  }
};

TCsPopupRootItem* NewPopupRoot() {
  return new TCsPopupRootItem();
}

}  // namespace

TCsPopupMenu::TCsPopupMenu(fw::TComponent* AOwner) : tx::TTxPopupMenu(AOwner, NewPopupRoot()) {
  static_cast<TCsPopupRootItem*>(FItem.get())->Menu = this;
}

void TCsPopupMenu::DoInitPopup(toolbars::TTBView* PopupView) {
  if (OnInitPopup) OnInitPopup(this, PopupView);
}

}  // namespace cs
