#include "controls/CsTabs.h"

#include <algorithm>

#include "controls/CsLookups.h"
#include "framework/Colors.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBDock.h"
#include "toolbars/TBItemViewer.h"

namespace cs {

using toolbars::TTBCustomItem;
using fw::Integer;
using toolbars::TTBItemChangedAction;

TCsTabThemeType GetEffectiveTabThemeType(TCsTabThemeType ThemeType) {
  // The control set's own rule, spelled in tab types: tttFlat is never resolved.
  if (ThemeType == tttTx) return GetEffectiveThemeType(thtTx) == thtTx ? tttTx : GetEffectiveTabThemeType(tttWindows);
  if (ThemeType == tttWindows && !IsVisualStylesAvailable()) return tttNone;
  return ThemeType;
}

// ---- tab item ----

TCsTabItem::TCsTabItem(fw::TComponent* AOwner) : TCsCustomItem(AOwner) {
  SetDisplayMode(toolbars::nbdmImageAndText);
  SetGroupIndex(kTabGroupIndex);
}

TCsTabItem::~TCsTabItem() {
  // Leave the toolbar while still a tab, so that the tab set frees the page and moves the
  // active tab; the base class would leave as a plain item.
  Destroying();
  if (Parent() != nullptr) Parent()->Remove(this);
}

TCsTabToolbar* TCsTabItem::TabToolbar() const {
  return Parent() != nullptr ? dynamic_cast<TCsTabToolbar*>(Parent()->ParentComponent()) : nullptr;
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

void TCsTabItem::Click() {
  if (Enabled() && !Checked()) SetChecked(true);
  TCsCustomItem::Click();
}

toolbars::TTBItemViewerClass TCsTabItem::GetItemViewerClass(toolbars::TTBView* /*AView*/) {
  return toolbars::TTBItemViewerClass::Of<TCsTabItemViewer>();
}

// ---- tab toolbar ----

TCsTabToolbar::TCsTabToolbar(fw::TComponent* AOwner)
    : TCsToolbar(AOwner), FTabColor(fw::clBtnFace), FHiddenItems(std::make_unique<TCsItemCacheCollection>()) {
  FTabSet = dynamic_cast<TCsCustomTabSet*>(AOwner);
}

TCsTabToolbar::~TCsTabToolbar() = default;

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

void TCsTabToolbar::RedrawFrameAfterLayout() {
  if (!HandleAllocated()) return;
  const win::HWND wnd = Handle();
  if (win::GetUpdateRect(wnd, nullptr, win::FALSE) || !win::IsWindowVisible(wnd)) {
    RedrawFrame();
    return;
  }
  win::SendMessageW(wnd, win::WM_NCPAINT, 1, 0);
}

void TCsTabToolbar::RepaintNeighbours(fw::Integer Index) {
  // The tabs beside a tab that changed state draw the separator or overlap next to it.
  if (Index < 0 || View() == nullptr) return;
  for (fw::Integer i = Index - 1; i <= Index + 1; ++i)
    if (i >= 0 && i < Items()->Count())
      if (toolbars::TTBItemViewer* viewer = FindItemViewer(View(), Items()->Items(i))) View()->Invalidate(viewer);
}

void TCsTabToolbar::DoItemNotification(TTBCustomItem* Ancestor, bool Relayed, TTBItemChangedAction Action,
                                       Integer Index, TTBCustomItem* Item) {
  if (Action == toolbars::tbicDeleting) {
    // Nothing is laid out again while an item goes: its viewer may still be in the view.
    FHiddenItems->Delete(Item);
    ItemCache()->Delete(Item);
    if (OnItemNotification) OnItemNotification(this, Ancestor, Relayed, Action, Index, Item);
    return;
  }
  TCsToolbar::DoItemNotification(Ancestor, Relayed, Action, Index, Item);
  // While tabs are hidden or shown in one pass, the frame is redrawn once at its end.
  if (Action == toolbars::tbicInvalidateAndResize && !FAligning) RedrawFrame();
}

void TCsTabToolbar::RightAlignItems() {
  toolbars::TTBDock* dock = CurrentDock();
  // A tab set being read lays its tabs out once it is loaded.
  if (FTabSet != nullptr && FTabSet->ComponentState().Contains(fw::csLoading)) return;
  if (FAligning || View() == nullptr || dock == nullptr || Floating() ||
      (dock->Position() != toolbars::dpTop && dock->Position() != toolbars::dpBottom) || dock->Width() == 0)
    return;
  toolbars::TTBView* view = View();
  view->ValidatePositions();
  // The first selectable viewer is never hidden; showing starts at the last selectable one
  // before the right-aligned items.
  const TCsRightAlignedItems right = GetRightAlignedItems(view);
  const auto isRight = [&right](const toolbars::TTBItemViewer* V) {
    return std::find(right.Viewers.begin(), right.Viewers.end(), V) != right.Viewers.end();
  };
  Integer first = -1, last = -1;
  for (Integer i = 0; i < view->ViewerCount(); ++i) {
    toolbars::TTBItemViewer* v = view->Viewers(i);
    if (isRight(v)) break;
    if (!v->Show() || !v->Item()->Visible() || (v->Item()->ItemStyle() & toolbars::tbisSelectable) == 0) continue;
    if (first < 0) first = i;
    last = i;
  }
  if (first < 0) return;
  auto* spacer = right.Spacer() != nullptr ? static_cast<TCsCustomItem*>(right.Spacer()->Item()) : nullptr;
  const Integer spacerNow = spacer != nullptr ? std::max<Integer>(0, spacer->CustomWidth()) : 0;
  Integer visibleWidth = right.VisibleWidth - spacerNow;
  const Integer limit = dock->Width() - 8 - (spacer != nullptr ? right.RightWidth - spacerNow : 0);
  Integer spacerWidth = dock->Width() - visibleWidth - 4;
  FAligning = true;
  view->BeginUpdate();
  bool changed = false;
  // Showing again, in order, while the next one still fits.
  for (Integer i = last; i < view->ViewerCount(); ++i) {
    toolbars::TTBItemViewer* v = view->Viewers(i);
    TTBCustomItem* item = v->Item();
    if (item->Visible() || i == first || isRight(v)) continue;
    TCsItemCache* cached = FHiddenItems->Find(item);
    if (cached == nullptr) continue;
    visibleWidth += cached->Width;
    if (dock->Width() - 8 <= visibleWidth) break;
    spacerWidth -= cached->Width;
    FHiddenItems->Delete(item);
    item->SetVisible(true);
    changed = true;
  }
  if (!changed) {
    // Hiding, from the end, every tab whose right edge passes the limit.
    for (Integer i = view->ViewerCount() - 1; i >= 0; --i) {
      toolbars::TTBItemViewer* v = view->Viewers(i);
      auto* tab = dynamic_cast<TCsTabItem*>(v->Item());
      if (tab == nullptr || !tab->Visible() || !v->Show() || i == first || isRight(v) ||
          v->BoundsRect().right <= limit)
        continue;
      const fw::TRect b = v->BoundsRect();
      spacerWidth += b.right - b.left;
      TCsItemCache* entry = FHiddenItems->Add(tab);
      entry->Left = b.left;
      entry->Top = b.top;
      entry->Width = b.right - b.left;
      entry->Height = b.bottom - b.top;
      tab->SetVisible(false);
      changed = true;
    }
  }
  if (spacer != nullptr) spacer->SetCustomWidth(std::max<Integer>(0, spacerWidth));
  view->EndUpdate();
  FAligning = false;
  if (changed) RedrawFrameAfterLayout();
}

fw::TRect TCsTabToolbar::ActiveTabRect(fw::TControl* Control) {
  TCsTabItem* tab = ActiveTab();
  if (tab == nullptr || !tab->Visible() || View() == nullptr || !HandleAllocated()) return {0, 0, 0, 0};
  toolbars::TTBItemViewer* viewer = FindItemViewer(View(), tab);
  if (viewer == nullptr || !viewer->Show()) return {0, 0, 0, 0};
  const fw::TRect b = viewer->BoundsRect();
  const fw::TPoint topLeft = Control->ScreenToClient(ClientToScreen({b.left, b.top}));
  return {topLeft.x, topLeft.y, topLeft.x + b.right - b.left, topLeft.y + b.bottom - b.top};
}

}  // namespace cs
