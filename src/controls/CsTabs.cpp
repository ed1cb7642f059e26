#include "controls/CsTabs.h"

#include "framework/Colors.h"
#include "platform/user/painting/Paint.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBItemViewer.h"

namespace cs {

using toolbars::TTBCustomItem;
using toolbars::TTBItemChangedAction;

namespace {

// The view's viewer of Item, null while the view has none yet (or no longer).
toolbars::TTBItemViewer* ViewerOf(toolbars::TTBView* View, const TTBCustomItem* Item) {
  for (fw::Integer i = 0; i < View->ViewerCount(); ++i)
    if (View->Viewers(i)->Item() == Item) return View->Viewers(i);
  return nullptr;
}

}  // namespace

TCsTabThemeType GetEffectiveTabThemeType(TCsTabThemeType ThemeType) {
  // The control set's own rule, spelled in tab types: tttFlat is never resolved.
  if (ThemeType == tttTx) return GetEffectiveThemeType(thtTx) == thtTx ? tttTx : GetEffectiveTabThemeType(tttWindows);
  if (ThemeType == tttWindows && !IsVisualStylesAvailable()) return tttNone;
  return ThemeType;
}

// ---- tab item ----

TCsTabItem::TCsTabItem(fw::TComponent* AOwner) : tx::TTxItem(AOwner) {
  SetDisplayMode(toolbars::nbdmImageAndText);
  SetGroupIndex(kTabGroupIndex);
}

TCsTabItem::~TCsTabItem() {
  // Leave the toolbar while still a tab, so that the tab set frees the page and moves the
  // active tab; the base class would leave as a plain item.
  Destroying();
  if (Parent() != nullptr) Parent()->Remove(this);
  if (FControl != nullptr) FControl->RemoveFreeNotification(this);
}

TCsTabToolbar* TCsTabItem::TabToolbar() const {
  return Parent() != nullptr ? dynamic_cast<TCsTabToolbar*>(Parent()->ParentComponent()) : nullptr;
}

void TCsTabItem::SetControl(fw::TControl* Value) {
  if (FControl == Value) return;
  if (FControl != nullptr) FControl->RemoveFreeNotification(this);
  FControl = Value;
  if (FControl != nullptr) FControl->FreeNotification(this);
}

void TCsTabItem::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  tx::TTxItem::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FControl) FControl = nullptr;
}

fw::TColor TCsTabItem::TabColor() const {
  TCsTabToolbar* toolbar = TabToolbar();
  return toolbar != nullptr ? toolbar->TabColor() : fw::clBtnFace;
}

TCsTabPosition TCsTabItem::TabPosition() const {
  TCsTabToolbar* toolbar = TabToolbar();
  return toolbar != nullptr ? toolbar->TabPosition() : FTabPosition;
}

void TCsTabItem::SetTabPosition(TCsTabPosition Value) {
  if (TabToolbar() != nullptr || FTabPosition == Value) return;
  FTabPosition = Value;
  Change(false);
}

TCsTabThemeType TCsTabItem::ThemeType() const {
  TCsTabToolbar* toolbar = TabToolbar();
  return toolbar != nullptr ? toolbar->ThemeType() : FThemeType;
}

void TCsTabItem::SetThemeType(TCsTabThemeType Value) {
  if (TabToolbar() != nullptr || FThemeType == Value) return;
  FThemeType = Value;
  Change(false);
}

void TCsTabItem::SetAlignment(fw::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Change(false);
}

void TCsTabItem::Click() {
  if (Enabled() && !Checked()) SetChecked(true);
  tx::TTxItem::Click();
}

toolbars::TTBItemViewerClass TCsTabItem::GetItemViewerClass(toolbars::TTBView* /*AView*/) {
  return toolbars::TTBItemViewerClass::Of<TCsTabItemViewer>();
}

// ---- tab toolbar ----

TCsTabToolbar::TCsTabToolbar(fw::TComponent* AOwner) : tx::TTxToolbar(AOwner), FTabColor(fw::clBtnFace) {
  FTabSet = dynamic_cast<TCsCustomTabSet*>(AOwner);
}

TCsTabToolbar::~TCsTabToolbar() {
  if (Items() != nullptr) Items()->UnregisterNotification(this);
}

TCsTabItem* TCsTabToolbar::ActiveTab() const {
  if (FActiveTabIndex < 0 || FActiveTabIndex >= Items()->Count()) return nullptr;
  return dynamic_cast<TCsTabItem*>(Items()->Items(FActiveTabIndex));
}

void TCsTabToolbar::SetActiveTabIndex(fw::Integer Value) {
  if (Value < 0 || Value >= Items()->Count() ||
      Items()->Items(Value)->ComponentState().Contains(fw::csDestroying)) {
    Value = -1;
  } else if (dynamic_cast<TCsTabItem*>(Items()->Items(Value)) == nullptr) {
    return;
  }
  if (Value == FActiveTabIndex) return;
  TCsTabItem* oldTab = ActiveTab();
  const fw::Integer oldIndex = FActiveTabIndex;
  // The field first: the checks below notify the tab set, which must see the new index.
  FActiveTabIndex = Value;
  if (oldTab != nullptr) {
    oldTab->SetChecked(false);
    if (oldTab->Control() != nullptr) oldTab->Control()->Hide();
  }
  if (TCsTabItem* tab = ActiveTab()) {
    tab->SetChecked(true);
    if (tab->Control() != nullptr) {
      // The page alone: Show would also show the tab control's hidden parents, a form not yet
      // shown among them.
      tab->Control()->SetVisible(true);
      tab->Control()->BringToFront();
    }
  }
  DoActiveTabChange(FActiveTabIndex);
  RedrawFrame();
  RepaintNeighbours(oldIndex);
  RepaintNeighbours(FActiveTabIndex);
}

void TCsTabToolbar::DoActiveTabChange(fw::Integer ItemIndex) {
  if (OnActiveTabChange) OnActiveTabChange(this, ItemIndex);
  if (FTabSet != nullptr) FTabSet->DoActiveTabChange(ItemIndex);
}

void TCsTabToolbar::SetTabColor(fw::TColor Value) {
  if (FTabColor == Value) return;
  FTabColor = Value;
  if (FThemeType == tttTx) return;
  Invalidate();
  RedrawFrame();
}

void TCsTabToolbar::SetThemeType(TCsTabThemeType Value) {
  if (FThemeType == Value) return;
  FThemeType = Value;
  Invalidate();
  RedrawFrame();
}

void TCsTabToolbar::RedrawFrame() {
  if (HandleAllocated())
    win::RedrawWindow(Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_FRAME);
}

void TCsTabToolbar::RepaintNeighbours(fw::Integer Index) {
  // The tabs beside a tab that changed state draw the separator or overlap next to it.
  if (Index < 0 || View() == nullptr) return;
  for (fw::Integer i = Index - 1; i <= Index + 1; ++i)
    if (i >= 0 && i < Items()->Count())
      if (toolbars::TTBItemViewer* viewer = ViewerOf(View(), Items()->Items(i))) View()->Invalidate(viewer);
}

void TCsTabToolbar::ForgetHidden(TTBCustomItem* Item) {
  std::erase_if(FHiddenTabs, [Item](const TCsHiddenTab& Tab) { return Tab.Item == Item; });
}

void TCsTabToolbar::ItemsChanged(bool /*Relayed*/, TTBItemChangedAction Action, fw::Integer /*Index*/,
                                 TTBCustomItem* Item) {
  if (Action == toolbars::tbicDeleting) ForgetHidden(Item);
  // While tabs are hidden or shown in one pass, the frame is redrawn once at its end.
  if (Action == toolbars::tbicInvalidateAndResize && !FAligning) RedrawFrame();
}

void TCsTabToolbar::AfterConstruction() {
  tx::TTxToolbar::AfterConstruction();
  Items()->RegisterNotification(this, [this](TTBCustomItem*, bool Relayed, TTBItemChangedAction Action,
                                            fw::Integer Index, TTBCustomItem* Item) {
    ItemsChanged(Relayed, Action, Index, Item);
  });
}

void TCsTabToolbar::RightAlignItems() {
  toolbars::TTBDock* dock = CurrentDock();
  if (FAligning || View() == nullptr || dock == nullptr || Floating() ||
      (dock->Position() != toolbars::dpTop && dock->Position() != toolbars::dpBottom) || dock->Width() == 0)
    return;
  toolbars::TTBView* view = View();
  view->ValidatePositions();
  // The first selectable viewer is never hidden; the last one is where showing starts.
  fw::Integer first = -1, last = -1;
  fw::Integer visibleWidth = 0;
  for (fw::Integer i = 0; i < view->ViewerCount(); ++i) {
    toolbars::TTBItemViewer* v = view->Viewers(i);
    if (!v->Show() || !v->Item()->Visible()) continue;
    visibleWidth += v->BoundsRect().right - v->BoundsRect().left;
    if (v->Item()->ItemStyle() & toolbars::tbisSelectable) {
      if (first < 0) first = i;
      last = i;
    }
  }
  if (first < 0) return;
  FAligning = true;
  view->BeginUpdate();
  const fw::Integer limit = dock->Width() - 8;
  bool changed = false;
  // Showing again, in order, while the next one still fits.
  for (fw::Integer i = last; i < view->ViewerCount(); ++i) {
    TTBCustomItem* item = view->Viewers(i)->Item();
    if (item->Visible() || i == first) continue;
    auto cached = std::find_if(FHiddenTabs.begin(), FHiddenTabs.end(),
                               [item](const TCsHiddenTab& Tab) { return Tab.Item == item; });
    if (cached == FHiddenTabs.end()) continue;
    visibleWidth += cached->Bounds.right - cached->Bounds.left;
    if (limit <= visibleWidth) break;
    FHiddenTabs.erase(cached);
    item->SetVisible(true);
    changed = true;
  }
  if (!changed) {
    // Hiding, from the end, every tab whose right edge passes the limit.
    for (fw::Integer i = view->ViewerCount() - 1; i >= 0; --i) {
      toolbars::TTBItemViewer* v = view->Viewers(i);
      auto* tab = dynamic_cast<TCsTabItem*>(v->Item());
      if (tab == nullptr || !tab->Visible() || !v->Show() || i == first || v->BoundsRect().right <= limit) continue;
      FHiddenTabs.push_back({tab, v->BoundsRect()});
      tab->SetVisible(false);
      changed = true;
    }
  }
  view->EndUpdate();
  FAligning = false;
  if (changed) RedrawFrame();
}

fw::TRect TCsTabToolbar::ActiveTabRect(fw::TControl* Control) {
  TCsTabItem* tab = ActiveTab();
  if (tab == nullptr || !tab->Visible() || View() == nullptr || !HandleAllocated()) return {0, 0, 0, 0};
  toolbars::TTBItemViewer* viewer = ViewerOf(View(), tab);
  if (viewer == nullptr || !viewer->Show()) return {0, 0, 0, 0};
  const fw::TRect b = viewer->BoundsRect();
  const fw::TPoint topLeft = Control->ScreenToClient(ClientToScreen({b.left, b.top}));
  return {topLeft.x, topLeft.y, topLeft.x + b.right - b.left, topLeft.y + b.bottom - b.top};
}

}  // namespace cs
