#include "toolbars/TBItemView.h"

#include <algorithm>

#include "framework/Forms.h"
#include "framework/GraphicsCanvas.h"
#include "framework/GraphicsObjects.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiDraw.h"
#include "platform/gdi/GdiPaintObjects.h"
#include "platform/gdi/GdiRegions.h"
#include "platform/user/messages/Input.h"
#include "platform/user/services/ObjectIds.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/messages/Timers.h"
#include "platform/kernel/TextConvert.h"
#include "platform/kernel/Rects.h"
#include "platform/user/painting/Paint.h"
#include "platform/user/services/SysColors.h"
#include "platform/user/services/SysParams.h"
#include "platform/user/services/WinEvents.h"
#include "platform/user/windows/Window.h"
#include "toolbars/TBAcc.h"
#include "toolbars/TBCommon.h"
#include "toolbars/TBItemModal.h"
#include "toolbars/TBItemPopup.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/detail/TBItemLoop.h"

namespace toolbars {

namespace {

constexpr Integer kMaxGroupLevel = 10;
constexpr Integer kScrollInterval = 100;
constexpr Integer kLineSepSize = 6;

bool Selectable(TTBItemViewer* v) {
  return (v->Show() || v->Clipped()) && v->Item()->Visible() && (v->Item()->ItemStyle() & tbisSelectable);
}

bool IsSeparator(TTBItemViewer* v) { return (v->Item()->ItemStyle() & tbisSeparator) != 0; }

// Whether Box reaches every edge of the window's client area (an empty one is covered by nothing).
bool CoversClient(win::HWND Window, const win::RECT& Box) {
  win::RECT client{};
  win::GetClientRect(Window, &client);
  return !win::IsRectEmpty(&client) && Box.left <= client.left && Box.top <= client.top &&
         Box.right >= client.right && Box.bottom >= client.bottom;
}

// A memory DC like the screen's, with the view's font, for measuring. Not the screen's own DC:
// taking that one makes the desktop keep a copy of the whole screen to find what was drawn on it,
// which a layout measuring a few captions would pay for every time.
struct MeasureCanvas {
  explicit MeasureCanvas(fw::TFont* Font) {
    dc = win::CreateCompatibleDC(nullptr);
    canvas.SetHandle(dc);
    canvas.Font()->Assign(Font);
  }
  ~MeasureCanvas() {
    canvas.SetHandle(nullptr);
    win::DeleteDC(dc);
  }
  win::HDC dc;
  fw::TCanvas canvas;
};

std::unique_ptr<fw::TFont> gToolbarFont;

}  // namespace

fw::TFont* ToolbarFont() {
  if (!gToolbarFont) {
    gToolbarFont = std::make_unique<fw::TFont>();
    ReloadToolbarFont();
  }
  return gToolbarFont.get();
}

void ReloadToolbarFont() {
  fw::TFont* font = ToolbarFont();
  win::NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  if (!win::SystemParametersInfoW(win::SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) return;
  const win::LOGFONTW& lf = ncm.lfMenuFont;
  std::u16string_view face(lf.lfFaceName);
  font->SetName(win::WideToUtf8(face.substr(0, face.find(u'\0'))));
  font->SetHeight(lf.lfHeight);
  font->SetStyle(lf.lfWeight >= win::FW_BOLD ? fw::TFontStyles{fw::fsBold} : fw::TFontStyles{});
}

TTBView::TTBView(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AParentItem, fw::TWinControl* AWindow,
                 bool AIsToolbar, bool ACustomizing, bool AUsePriorityList)
    : TComponent(AOwner), FParentView(AParentView), FParentItem(AParentItem), FWindow(AWindow) {
  FIsToolbar = AIsToolbar;
  FIsPopup = !AIsToolbar;
  FCustomizing = ACustomizing;
  FUsePriorityList = AUsePriorityList;
  if (FParentView) FParentView->FreeNotification(this);
  if (FParentItem) FParentItem->FreeNotification(this);
}

void TTBView::AfterConstruction() {
  FConstructed = true;
  if (FParentItem) FParentItem->RegisterNotification(this, [this](TTBCustomItem* S, bool R, TTBItemChangedAction A,
                                                                  Integer I, TTBCustomItem* It) {
    LinkNotification(S, R, A, I, It);
  });
  ReadCurParentItem();
}

TTBView::~TTBView() {
  Destroying();
  if (FAccObject) {
    FAccObject->ClientIsDestroying();
    FAccObject.reset();
  }
  CloseChildPopups();
  StopAllTimers();
  if (FParentView && FParentView->IsToolbar() && FParentView->FOpenViewerView == this) {
    FParentView->FState |= tbvsNoAnimation;
    TTBItemViewer* open = FParentView->FOpenViewer;
    FParentView->SetOpenViewer(nullptr, nullptr, nullptr);
    FParentView->Invalidate(open);
  }
  if (FParentItem) FParentItem->UnregisterNotification(this);
  if (FCurParentItem && FCurParentItem != FParentItem) FCurParentItem->UnregisterNotification(this);
  FreeViewers();
  if (FParentView && FParentView->FSelected && FParentView->FWindow && FParentView->FWindow->HandleAllocated())
    win::NotifyWinEvent(win::EVENT_OBJECT_FOCUS, FParentView->FWindow->Handle(), win::OBJID_CLIENT,
                        AccChildIdOf(FParentView->FSelected));
}

void TTBView::Notification(TComponent* AComponent, fw::TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  // A component being freed is past its own destructor: forget it, never call into it.
  if (AComponent == FParentItem) {
    FParentItem = nullptr;
    if (FCurParentItem && FCurParentItem != AComponent) FCurParentItem->UnregisterNotification(this);
    FCurParentItem = nullptr;
    FreeViewers();
    if (FParentView) FParentView->CloseChildPopups();
  } else if (AComponent == FCurParentItem) {
    FCurParentItem = nullptr;
    FreeViewers();
  }
  if (AComponent == FOpenViewerWindow) SetOpenViewer(nullptr, nullptr, nullptr);
  if (AComponent == FChevronParentView) FChevronParentView = nullptr;
  if (AComponent == FParentView) FParentView = nullptr;
}

void TTBView::SetOpenViewer(TTBItemViewer* Viewer, TTBView* View, TTBPopupWindow* Window) {
  if (FOpenViewerWindow && FOpenViewerWindow != Window) FOpenViewerWindow->RemoveFreeNotification(this);
  FOpenViewer = Viewer;
  FOpenViewerView = View;
  FOpenViewerWindow = Window;
  if (Window) Window->FreeNotification(this);
}

void TTBView::SetChevronParentView(TTBView* Value) {
  FChevronParentView = Value;
  if (Value) Value->FreeNotification(this);
}

void TTBView::ReadCurParentItem() {
  TTBCustomItem* linked = FParentItem ? FParentItem->GetLinkedItem() : nullptr;
  if (linked != FCurParentItem) {
    if (FCurParentItem && FCurParentItem != FParentItem) FCurParentItem->UnregisterNotification(this);
    FCurParentItem = linked;
    if (FCurParentItem && FCurParentItem != FParentItem) {
      FCurParentItem->RegisterNotification(this, [this](TTBCustomItem* S, bool R, TTBItemChangedAction A, Integer I,
                                                        TTBCustomItem* It) { ItemNotification(S, R, A, I, It); });
      FCurParentItem->FreeNotification(this);
    }
  }
  RecreateAllViewers();
}

// ---- viewers ----

void TTBView::FreeViewers() {
  FSelected = nullptr;
  FOpenViewer = nullptr;
  FPriorityList.clear();
  std::vector<TTBItemViewer*> viewers;
  viewers.swap(FViewers);
  for (TTBItemViewer* v : viewers) delete v;
  FInternalViewersAtEnd = FInternalViewersAtFront = 0;
}

void TTBView::InsertItemViewers(Integer NewIndex, TTBCustomItem* AItem, Integer AGroupLevel, bool AddToPriorityList,
                                bool TopOfPriorityList) {
  if (AGroupLevel > kMaxGroupLevel) return;
  TTBItemViewer* v = AItem->GetItemViewerClass(this).Create(this, AItem, AGroupLevel);
  FViewers.insert(FViewers.begin() + NewIndex, v);
  if (AddToPriorityList && FUsePriorityList) {
    if (TopOfPriorityList)
      FPriorityList.insert(FPriorityList.begin(), v);
    else
      FPriorityList.push_back(v);
  }
  ++NewIndex;
  if (!FCustomizing && (AItem->ItemStyle() & tbisEmbeddedGroup)) {
    TTBCustomItem* linked = AItem->GetLinkedItem();
    for (Integer i = 0; i < linked->Count(); ++i) {
      Integer before = ViewerCount();
      InsertItemViewers(NewIndex, linked->Items(i), AGroupLevel + 1, AddToPriorityList, TopOfPriorityList);
      NewIndex += ViewerCount() - before;
    }
  }
}

void TTBView::RecreateAllViewers() {
  CloseChildPopups();
  FSelected = nullptr;
  InvalidatePositions();
  FreeViewers();
  if (!FConstructed) return;
  if (TTBCustomItem* lead = GetLeadingItem()) {
    InsertItemViewers(ViewerCount(), lead, 0, false, false);
    FInternalViewersAtFront = ViewerCount();
  }
  if (FCurParentItem)
    for (Integer i = 0; i < FCurParentItem->Count(); ++i)
      InsertItemViewers(ViewerCount(), FCurParentItem->Items(i), 0, true, false);
  Integer before = ViewerCount();
  if (TTBCustomItem* trailing = GetTrailingGroupItem()) {
    TTBCustomItem* linked = trailing->GetLinkedItem();
    for (Integer i = 0; i < linked->Count(); ++i) InsertItemViewers(ViewerCount(), linked->Items(i), 0, false, false);
  }
  if (TTBCustomItem* chevron = GetChevronItem()) InsertItemViewers(ViewerCount(), chevron, 0, false, false);
  FInternalViewersAtEnd = ViewerCount() - before;
  if (!IsUpdating()) ValidatePositions();
}

void TTBView::DeletingViewer(TTBItemViewer* Viewer) {
  if (FSelected == Viewer) FSelected = nullptr;
  if (FOpenViewer == Viewer) CloseChildPopups();
  FPriorityList.erase(std::remove(FPriorityList.begin(), FPriorityList.end(), Viewer), FPriorityList.end());
  FViewers.erase(std::remove(FViewers.begin(), FViewers.end(), Viewer), FViewers.end());
  delete Viewer;
}

void TTBView::RecreateItemViewer(Integer Index) {
  TTBItemViewer* old = FViewers[size_t(Index)];
  if (FSelected == old) FSelected = nullptr;
  if (FOpenViewer == old) CloseChildPopups();
  TTBItemViewer* v = old->Item()->GetItemViewerClass(this).Create(this, old->Item(), old->GroupLevel());
  FViewers[size_t(Index)] = v;
  std::replace(FPriorityList.begin(), FPriorityList.end(), old, v);
  delete old;
}

void TTBView::LinkNotification(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, Integer Index,
                               TTBCustomItem* Item) {
  if (FCurParentItem == FParentItem) {
    ItemNotification(Sender, Relayed, Action, Index, Item);
    if (Action == tbicSubitemsChanged && !Relayed) ReadCurParentItem();
    return;
  }
  if (Action == tbicSubitemsChanged && !Relayed) ReadCurParentItem();
  if (Action == tbicSubMenuImagesChanged)
    for (TTBView* v = this; v; v = v->FOpenViewerView) v->InvalidatePositions();
}

void TTBView::ItemNotification(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, Integer Index,
                               TTBCustomItem* Item) {
  switch (Action) {
    case tbicInserted: {
      Integer groupLevel = 0;
      Integer at = ViewerCount() - FInternalViewersAtEnd;
      if (Relayed) {
        // After the viewers of the group that relayed it, before its next sibling's.
        Integer gi = -1;
        for (Integer i = 0; i < ViewerCount(); ++i)
          if (FViewers[size_t(i)]->Item() == Sender) {
            gi = i;
            break;
          }
        if (gi < 0) return;
        groupLevel = FViewers[size_t(gi)]->GroupLevel() + 1;
        TTBCustomItem* next = Index + 1 < Sender->GetLinkedItem()->Count() ? Sender->GetLinkedItem()->Items(Index + 1)
                                                                             : nullptr;
        at = gi + 1;
        while (at < ViewerCount() && FViewers[size_t(at)]->GroupLevel() >= groupLevel &&
               FViewers[size_t(at)]->Item() != next)
          ++at;
      } else if (Index + 1 < Sender->Count()) {
        TTBCustomItem* next = Sender->Items(Index + 1);
        for (Integer i = 0; i < ViewerCount(); ++i)
          if (FViewers[size_t(i)]->Item() == next && FViewers[size_t(i)]->GroupLevel() == 0) {
            at = i;
            break;
          }
      }
      bool loading = Item->ComponentState().Contains(fw::csLoading);
      InsertItemViewers(at, Item, groupLevel, true, !loading && FNewItemsFirst);
      InvalidatePositions();
      break;
    }
    case tbicDeleting:
      for (Integer i = 0; i < ViewerCount();) {
        TTBItemViewer* v = FViewers[size_t(i)];
        if (v->Item() != Item) {
          ++i;
          continue;
        }
        Integer level = v->GroupLevel();
        DeletingViewer(v);
        while (i < ViewerCount() && FViewers[size_t(i)]->GroupLevel() > level) DeletingViewer(FViewers[size_t(i)]);
      }
      InvalidatePositions();
      break;
    case tbicSubitemsChanged:
      RecreateAllViewers();
      break;
    case tbicSubitemsBeginUpdate:
      BeginUpdate();
      return;
    case tbicSubitemsEndUpdate:
      EndUpdate();
      return;
    case tbicInvalidate:
      for (TTBItemViewer* v : FViewers)
        if (v->Item() == Item) Invalidate(v);
      break;
    case tbicInvalidateAndResize:
      InvalidatePositions();
      break;
    case tbicRecreateItemViewers:
      InvalidatePositions();
      for (Integer i = 0; i < ViewerCount(); ++i)
        if (FViewers[size_t(i)]->Item() == Item) RecreateItemViewer(i);
      break;
    case tbicNameChanged:
      return;
    case tbicSubMenuImagesChanged:
      for (TTBView* v = this; v; v = v->FOpenViewerView) v->InvalidatePositions();
      break;
  }
  if (!IsUpdating() && !(FCurParentItem && FCurParentItem->ComponentState().Contains(fw::csLoading)) &&
      !(Owner() && Owner()->ComponentState().Contains(fw::csLoading)))
    ValidatePositions();
}

void TTBView::BeginUpdate() { ++FUpdating; }

void TTBView::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0) ValidatePositions();
}

TTBItemViewer* TTBView::Find(TTBCustomItem* AItem) {
  for (TTBItemViewer* v : FViewers)
    if (v->Item() == AItem) return v;
  throw ETBItemError("An item viewer associated the specified item could not be found");
}

Integer TTBView::IndexOf(const TTBItemViewer* AViewer) const {
  if (AViewer == nullptr) return -1;
  auto it = std::find(FViewers.begin(), FViewers.end(), AViewer);
  return it == FViewers.end() ? -1 : Integer(it - FViewers.begin());
}

TTBItemViewer* TTBView::ViewerFromPoint(const TPoint& P) {
  ValidatePositions();
  for (TTBItemViewer* v : FViewers)
    if (v->Show() && win::PtInRect(&v->FBoundsRect, P)) return v;
  return nullptr;
}

TTBItemViewer* TTBView::NextSelectable(TTBItemViewer* CurViewer, bool GoForward) {
  const Integer n = ViewerCount();
  if (n == 0) return nullptr;
  Integer start = IndexOf(CurViewer);
  Integer i = start;
  for (Integer steps = 0; steps < n; ++steps) {
    if (i < 0)
      i = GoForward ? 0 : n - 1;
    else
      i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    if (i == start) return nullptr;
    if (Selectable(FViewers[size_t(i)])) return FViewers[size_t(i)];
  }
  return nullptr;
}

TTBItemViewer* TTBView::FirstSelectable() {
  TTBItemViewer* first = NextSelectable(nullptr, true);
  TTBItemViewer* v = first;
  while (v && (v->Item()->ItemStyle() & tbisDontSelectFirst)) {
    v = NextSelectable(v, true);
    if (v == first) return nullptr;
  }
  return v;
}

// ---- selection ----

void TTBView::SetSelected(TTBItemViewer* Value, bool ViaMouse) {
  TTBItemViewer* old = FSelected;
  const bool changed = Value != old;
  if (changed) {
    if (FParentView && FParentView->FOpenViewer && FParentView->FSelected != FParentView->FOpenViewer) {
      FParentView->SetSelected(FParentView->FOpenViewer);
      FParentView->StopTimer(tiClose);
      FParentView->StopTimer(tiOpen);
    }
    if (FState & tbvsModal) {
      if (FIsToolbar || !ViaMouse) {
        StopTimer(tiClose);
        if (Value != FOpenViewer) CloseChildPopups();
      } else if (FOpenViewer && !TimerRunning(tiClose)) {
        StartTimer(tiClose, GetMenuShowDelay());
      }
    }
    CancelCapture();
    if (old) old->Leaving();
    FSelected = Value;
    FSelectedViaMouse = ViaMouse;
  }
  bool mouseOver = false;
  if (Value && FWindow && FWindow->HandleAllocated()) {
    win::DWORD pos = win::GetMessagePos();
    win::POINT p{win::GET_X_LPARAM(pos), win::GET_Y_LPARAM(pos)};
    if (win::WindowFromPoint(p) == FWindow->Handle()) {
      win::ScreenToClient(FWindow->Handle(), &p);
      if (ViewerFromPoint(p) == Value)
        mouseOver = !FCapture || Value->IsPtInButtonPart(p.x - Value->FBoundsRect.left, p.y - Value->FBoundsRect.top);
    }
  }
  if (changed) {
    FMouseOverSelected = mouseOver;
    if (old && (old->Item()->ItemStyle() & tbisRedrawOnSelChange)) Invalidate(old);
    if (Value && (Value->Item()->ItemStyle() & tbisRedrawOnSelChange)) Invalidate(Value);
    if (Value) {
      Value->Entering(old);
      if (FWindow && FWindow->HandleAllocated())
        win::NotifyWinEvent(win::EVENT_OBJECT_FOCUS, FWindow->Handle(), win::OBJID_CLIENT, AccChildIdOf(Value));
    }
    if (FState & tbvsModal) {
      if (FIsPopup) {
        StopTimer(tiOpen);
        if (Value && ViaMouse && (Value->Item()->ItemStyle() & tbisSubmenu)) StartTimer(tiOpen, GetMenuShowDelay());
      } else if (Value) {
        if (ViaMouse && FParentView) FState |= tbvsDropDownMenus;
        if ((FState & tbvsDropDownMenus) && (ViaMouse || !(Value->Item()->ItemStyle() & tbisNoAutoOpen)))
          OpenChildPopup(!ViaMouse);
      }
    }
  } else if (mouseOver != FMouseOverSelected) {
    FMouseOverSelected = mouseOver;
    if (Value && FCapture && (Value->Item()->ItemStyle() & tbisRedrawOnMouseOverChange)) Invalidate(Value);
  }
}

void TTBView::UpdateSelection(const TPoint* P, bool AllowNewSelection) {
  ValidatePositions();
  TTBItemViewer* candidate = (FState & tbvsModal) ? FSelected : nullptr;
  const bool wasInside = (FState & tbvsMouseInWindow) != 0;
  if (P && FWindow && FWindow->HandleAllocated() && win::WindowFromPoint(*P) == FWindow->Handle()) {
    if (FIsPopup) candidate = nullptr;
    FState |= tbvsMouseInWindow;
    if (AllowNewSelection || FSelected) {
      win::POINT c = *P;
      win::ScreenToClient(FWindow->Handle(), &c);
      if (TTBItemViewer* v = ViewerFromPoint(c)) candidate = v;
    }
  } else {
    FState &= ~tbvsMouseInWindow;
  }
  if (FCapture) candidate = FSelected;
  if (FIsPopup && wasInside && !(FState & tbvsMouseInWindow) && !FCapture) {
    if (!(FOpenViewer && candidate && (candidate->Item()->ItemStyle() & tbisSubmenu))) candidate = nullptr;
  }
  SetSelected(candidate, true);
  if ((FState & tbvsModal) && (FState & tbvsMouseInWindow) && P && FWindow) {
    win::POINT c = *P;
    win::ScreenToClient(FWindow->Handle(), &c);
    TRect cr = FWindow->ClientRect();
    if (FShowUpArrow && c.y < tbMenuScrollArrowHeight) {
      StopTimer(tiScrollDown);
      if (!TimerRunning(tiScrollUp)) StartTimer(tiScrollUp, kScrollInterval);
    } else if (FShowDownArrow && c.y >= cr.bottom - tbMenuScrollArrowHeight) {
      StopTimer(tiScrollUp);
      if (!TimerRunning(tiScrollDown)) StartTimer(tiScrollDown, kScrollInterval);
    } else {
      StopTimer(tiScrollUp);
      StopTimer(tiScrollDown);
    }
  }
}

bool TTBView::OpenChildPopup(bool SelectFirstItem) {
  StopTimer(tiClose);
  StopTimer(tiOpen);
  if (FSelected != FOpenViewer) {
    CloseChildPopups();
    if (FSelected && FSelected->Item()->Enabled() && (FSelected->Item()->ItemStyle() & tbisSubmenu))
      FSelected->Item()->CreatePopup(this, FSelected, !FIsToolbar, SelectFirstItem, false, TPoint{0, 0}, 0);
  }
  return FOpenViewer != nullptr;
}

void TTBView::CloseChildPopups() {
  if (FOpenViewerView) FOpenViewerView->CloseChildPopups();
  StopTimer(tiClose);
  TTBPopupWindow* w = FOpenViewerWindow;
  TTBItemViewer* open = FOpenViewer;
  SetOpenViewer(nullptr, nullptr, nullptr);
  delete w;
  if (open && FIsToolbar) Invalidate(open);
}

// ---- timers ----

void TTBView::StartTimer(TTBViewTimerID ATimer, Integer Interval) {
  if (!FWindow || !FWindow->HandleAllocated()) return;
  FTimers |= 1u << ATimer;
  win::SetTimer(FWindow->Handle(), kViewTimerBaseID + ATimer, win::UINT(std::max(Interval, 1)), nullptr);
}

void TTBView::StopTimer(TTBViewTimerID ATimer) {
  if (!(FTimers & (1u << ATimer))) return;
  FTimers &= ~(1u << ATimer);
  // Every view kills its timers, popup or toolbar, so none is left running.
  if (FWindow && FWindow->HandleAllocated()) win::KillTimer(FWindow->Handle(), kViewTimerBaseID + ATimer);
}

void TTBView::StopAllTimers() {
  for (auto t : {tiOpen, tiClose, tiScrollUp, tiScrollDown}) StopTimer(t);
}

void TTBView::TimerExpired(TTBViewTimerID ATimer) {
  switch (ATimer) {
    case tiOpen:
      CloseChildPopups();
      OpenChildPopup(false);
      break;
    case tiClose:
      CloseChildPopups();
      break;
    case tiScrollUp:
      if (FShowUpArrow)
        Scroll(false);
      else
        StopTimer(tiScrollUp);
      break;
    case tiScrollDown:
      if (FShowDownArrow)
        Scroll(true);
      else
        StopTimer(tiScrollDown);
      break;
  }
}

// ---- layout ----

void TTBView::Invalidate(TTBItemViewer* AViewer) {
  if (!AViewer || !FPositionsValid || !FWindow || !FWindow->HandleAllocated()) return;
  if (!AViewer->Show() || win::IsRectEmpty(&AViewer->FBoundsRect) || dynamic_cast<TTBControlItem*>(AViewer->Item()))
    return;
  AViewer->FFlags |= tbvfNeedsRepaint;
  win::InvalidateRect(FWindow->Handle(), &AViewer->FBoundsRect, win::FALSE);
}

void TTBView::InvalidatePositions() {
  FPositionsValid = false;
  if (FWindow && FWindow->HandleAllocated()) win::InvalidateRect(FWindow->Handle(), nullptr, win::TRUE);
}

void TTBView::ValidatePositions() {
  if (FPositionsValid || IsUpdating()) return;
  TPoint size{0, 0};
  UpdatePositions(size);
}

void TTBView::UpdatePositions(TPoint& ASize) {
  ASize = TPoint{0, 0};
  const bool changed = DoUpdatePositions(ASize);
  FPositionsValid = true;
  // A paint that finds the layout out of date draws the new one itself: a picture made here
  // too would have that paint lay every viewer over it a second time.
  bool repaint = changed && FPainting == 0;
  if (changed && !repaint) FLaidOutInPaint = true;
  // A window already waiting to be painted whole (its layout parameters changed, or it was
  // resized) gets the new layout from that paint, once, over an erased background.
  if (repaint && WholeClientPending()) {
    win::InvalidateRect(FWindow->Handle(), nullptr, win::TRUE);
    repaint = false;
  }
  if (repaint && FWindow && FWindow->HandleAllocated()) win::ValidateRect(FWindow->Handle(), nullptr);
  AutoSize(ASize.x, ASize.y);
  if (repaint) RepaintAfterLayout();
}

bool TTBView::WholeClientPending() const {
  if (!FWindow || !FWindow->HandleAllocated()) return false;
  win::HRGN pending = win::CreateRectRgn(0, 0, 0, 0);
  win::RECT box{};
  const bool whole = win::GetUpdateRgn(FWindow->Handle(), pending, win::FALSE) == win::SIMPLEREGION &&
                     win::GetRgnBox(pending, &box) != 0 && CoversClient(FWindow->Handle(), box);
  win::DeleteObject(pending);
  return whole;
}

void TTBView::MeasurePositions(const TTBViewLayout& ALayout, TPoint& ASize) {
  const TTBViewLayout kept = Layout();
  // The fields, not the setters: those would invalidate the layout and the window.
  auto apply = [this](const TTBViewLayout& L) {
    FOrientation = L.Orientation;
    FWrapOffset = L.WrapOffset;
    FChevronOffset = L.ChevronOffset;
    FChevronSize = L.ChevronSize;
  };
  auto restore = [&] {
    FMeasuring = false;
    apply(kept);
  };
  apply(ALayout);
  FMeasuring = true;
  ASize = TPoint{0, 0};
  try {
    DoUpdatePositions(ASize);
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TTBView::RepaintAfterLayout() {
  if (!FWindow || !FWindow->HandleAllocated() || !win::IsWindowVisible(FWindow->Handle())) return;
  win::HWND wnd = FWindow->Handle();
  win::RECT cr{};
  win::GetClientRect(wnd, &cr);
  if (cr.right < 1 || cr.bottom < 1) return;
  // Off-screen, then one copy: no flicker.
  win::HDC wdc = win::GetDC(wnd);
  win::HDC mem = win::CreateCompatibleDC(wdc);
  win::HBITMAP bmp = win::CreateCompatibleBitmap(wdc, cr.right, cr.bottom);
  win::HGDIOBJ old = win::SelectObject(mem, bmp);
  win::SendMessageW(wnd, win::WM_ERASEBKGND, win::WPARAM(mem), 0);
  win::SendMessageW(wnd, win::WM_PAINT, win::WPARAM(mem), 0);
  win::BitBlt(wdc, 0, 0, cr.right, cr.bottom, mem, 0, 0, win::SRCCOPY);
  win::SelectObject(mem, old);
  win::DeleteObject(bmp);
  win::DeleteDC(mem);
  win::ReleaseDC(wnd, wdc);
  win::ValidateRect(wnd, nullptr);
}

void TTBView::GetMargins(TTBViewOrientation AOrientation, TRect& Margins) {
  Margins = AOrientation == tbvoFloating ? TRect{4, 2, 4, 1} : TRect{0, 0, 0, 0};
}

bool TTBView::DoUpdatePositions(TPoint& ASize) {
  MeasureCanvas mc(GetFont());
  const Integer n = ViewerCount();
  struct Pos {
    bool show = false, offEdge = false, clipped = false, lineSep = false;
    TRect r{};
    Integer w = 0, h = 0;
  };
  std::vector<Pos> pos;
  pos.resize(size_t(n));
  TTBCustomItem* chevronItem = GetChevronItem();
  // 2. Visibility.
  for (Integer i = 0; i < n; ++i) {
    TTBItemViewer* v = FViewers[size_t(i)];
    TTBCustomItem* it = v->Item();
    bool show;
    if (auto* ci = dynamic_cast<TTBControlItem*>(it)) {
      fw::TControl* c = ci->Control();
      show = c && c->Parent() == FWindow && c->Visible();
    } else {
      show = it->Visible() && !(!FCustomizing && (it->ItemStyle() & tbisEmbeddedGroup));
    }
    if (it == chevronItem) show = false;
    if (show && FChevronParentView && !IsSeparator(v)) {
      TTBItemViewer* pv = nullptr;
      for (Integer k = 0; k < FChevronParentView->ViewerCount(); ++k)
        if (FChevronParentView->Viewers(k)->Item() == it) pv = FChevronParentView->Viewers(k);
      show = pv && pv->OffEdge();
    }
    pos[size_t(i)].show = show;
  }
  auto hideDoubledSeparators = [&] {
    bool prevShownIsSepOrStart = true;
    Integer lastShown = -1;
    for (Integer i = 0; i < n; ++i) {
      if (!pos[size_t(i)].show) continue;
      bool sep = IsSeparator(FViewers[size_t(i)]);
      if (sep && prevShownIsSepOrStart) {
        pos[size_t(i)].show = false;
        continue;
      }
      prevShownIsSepOrStart = sep;
      lastShown = i;
    }
    while (lastShown >= 0 && IsSeparator(FViewers[size_t(lastShown)])) {
      pos[size_t(lastShown)].show = false;
      lastShown = -1;
      for (Integer i = n - 1; i >= 0; --i)
        if (pos[size_t(i)].show) {
          lastShown = i;
          break;
        }
    }
  };
  hideDoubledSeparators();
  // 3. Sizes.
  Integer sameWidth = 0;
  for (Integer i = 0; i < n; ++i) {
    TTBItemViewer* v = FViewers[size_t(i)];
    // Measuring keeps the viewers: a viewer of the class the item now asks for measures in place
    // of the old one and goes again.
    std::unique_ptr<TTBItemViewer> standIn;
    if (v->Item()->NeedToRecreateViewer(v)) {
      if (FMeasuring) {
        standIn.reset(v->Item()->GetItemViewerClass(this).Create(this, v->Item(), v->GroupLevel()));
        v = standIn.get();
      } else {
        RecreateItemViewer(i);
        v = FViewers[size_t(i)];
      }
    }
    if (auto* ci = dynamic_cast<TTBControlItem*>(v->Item())) {
      if (ci->Control()) {
        pos[size_t(i)].w = ci->Control()->Width();
        pos[size_t(i)].h = ci->Control()->Height();
      }
    } else {
      bool bold = v->Item()->EffectiveOptions().Contains(tboDefault);
      fw::TFontStyles styles = mc.canvas.Font()->Style();
      if (bold) mc.canvas.Font()->SetStyle(styles + fw::TFontStyles{fw::fsBold});
      // The font in the device context, as viewers measure with it directly.
      mc.canvas.RequiredState(fw::TCanvasState{fw::csHandleValid, fw::csFontValid});
      v->CalcSize(&mc.canvas, pos[size_t(i)].w, pos[size_t(i)].h);
      if (bold) mc.canvas.Font()->SetStyle(styles);
    }
    if (v->UsesSameWidth()) sameWidth = std::max(sameWidth, pos[size_t(i)].w);
  }
  if (sameWidth > 0)
    for (Integer i = 0; i < n; ++i)
      if (FViewers[size_t(i)]->UsesSameWidth()) pos[size_t(i)].w = sameWidth;
  const bool vertical = FOrientation == tbvoVertical;
  auto along = [&](const Pos& p) { return vertical ? p.h : p.w; };
  // 4. Chevron hiding.
  Integer chevronOffset = FChevronOffset;
  bool chevronNeeded = false;
  Integer hiddenLength = 0;  // along the view, of what the chevron took
  if (chevronItem && FChevronOffset > 0) {
    auto total = [&] {
      Integer t = 0;
      for (Integer i = 0; i < n; ++i)
        if (pos[size_t(i)].show) t += along(pos[size_t(i)]);
      return t;
    };
    if (total() > FChevronOffset) {
      chevronNeeded = true;
      hiddenLength = total();
      chevronOffset = FChevronOffset - FChevronSize;
      std::vector<TTBItemViewer*> order = FPriorityList.empty() ? FViewers : FPriorityList;
      while (total() > chevronOffset) {
        Integer shownNonSep = 0;
        for (Integer i = 0; i < n; ++i)
          if (pos[size_t(i)].show && !IsSeparator(FViewers[size_t(i)])) ++shownNonSep;
        if (shownNonSep < 2) break;
        Integer lastShown = -1;
        for (Integer i = n - 1; i >= 0; --i)
          if (pos[size_t(i)].show) {
            lastShown = i;
            break;
          }
        if (lastShown >= 0 && IsSeparator(FViewers[size_t(lastShown)])) {
          pos[size_t(lastShown)].show = false;
        } else {
          for (auto it = order.rbegin(); it != order.rend(); ++it) {
            Integer i = IndexOf(*it);
            if (i >= 0 && pos[size_t(i)].show && !IsSeparator(*it)) {
              pos[size_t(i)].show = false;
              pos[size_t(i)].offEdge = true;
              break;
            }
          }
        }
        hideDoubledSeparators();
      }
      hiddenLength -= total();
    }
  }
  // 5. Placement (computed horizontally; a vertical view swaps axes at the end).
  TRect margins{};
  GetMargins(FOrientation, margins);
  const Integer startX = vertical ? margins.top : margins.left, startY = vertical ? margins.left : margins.top;
  Integer x = startX, y = startY, rowHeight = 0, overallLength = 0, rowStart = 0;
  bool wrapped = false, rowBySizeWrap = false;
  const bool toolbarView = FIsToolbar;
  auto lengthOf = [&](Integer i) { return vertical ? pos[size_t(i)].h : pos[size_t(i)].w; };
  auto crossOf = [&](Integer i) { return vertical ? pos[size_t(i)].w : pos[size_t(i)].h; };
  auto alignRow = [&](Integer from, Integer to, Integer rowTop, Integer rowCross) {
    for (Integer i = from; i < to; ++i) {
      Pos& p = pos[size_t(i)];
      if (!p.show || p.lineSep) continue;
      TTBItemViewer* v = FViewers[size_t(i)];
      bool toolbarSized = toolbarView || v->IsToolbarSize();
      if (toolbarSized) {
        if (IsSeparator(v) || (v->Item()->ItemStyle() & tbisFillRow)) {
          p.r.top = rowTop;
          p.r.bottom = rowTop + rowCross;
        } else {
          Integer c = p.r.bottom - p.r.top;
          p.r.top = rowTop + (rowCross - c) / 2;
          p.r.bottom = p.r.top + c;
        }
      }
    }
    // Right-aligned viewers move to the row's end.
    Integer ra = -1, lastShown = -1;
    for (Integer i = from; i < to; ++i)
      if (pos[size_t(i)].show && !pos[size_t(i)].lineSep) {
        if (ra < 0 && (FViewers[size_t(i)]->Item()->ItemStyle() & tbisRightAlign)) ra = i;
        lastShown = i;
      }
    if (ra >= 0) {
      // A wrap offset of 0 means no wrapping, so the row's end is the overall length.
      Integer end = FWrapOffset > 0 ? std::min(FWrapOffset, overallLength) : overallLength;
      Integer d = end - pos[size_t(lastShown)].r.right;
      if (d >= 1)
        for (Integer i = ra; i <= lastShown; ++i)
          if (pos[size_t(i)].show) {
            pos[size_t(i)].r.left += d;
            pos[size_t(i)].r.right += d;
          }
    }
  };
  std::vector<std::pair<Integer, Integer>> rows;  // first viewer, row top
  for (Integer i = 0; i < n; ++i) {
    Pos& p = pos[size_t(i)];
    if (!p.show) continue;
    TTBItemViewer* v = FViewers[size_t(i)];
    const bool toolbarSized = toolbarView || v->IsToolbarSize();
    const Integer len = lengthOf(i), cross = crossOf(i);
    if (!toolbarSized) {
      // A menu line: its own row at the left margin.
      if (x != startX) {
        alignRow(rowStart, i, y, rowHeight);
        y += rowHeight;
        x = startX;
        rowHeight = 0;
      }
      p.r = TRect{x, y, x + len, y + cross};
      overallLength = std::max(overallLength, x + len);
      y += cross;
      rowStart = i + 1;
      continue;
    }
    const bool firstInRow = x == startX;
    if (FWrapOffset > 0 && !firstInRow) {
      bool sep = IsSeparator(v);
      bool placeNormally = !sep;
      if (sep && ((v->Item()->ItemStyle() & tbisNoLineBreak) || !rowBySizeWrap)) {
        // The separator stays when the group after it still fits.
        Integer gx = x + len;
        for (Integer k = i + 1; k < n; ++k) {
          if (!pos[size_t(k)].show) continue;
          if (IsSeparator(FViewers[size_t(k)])) break;
          gx += lengthOf(k);
        }
        placeNormally = gx <= FWrapOffset;
      }
      if (placeNormally) {
        if (x + len > FWrapOffset) {
          alignRow(rowStart, i, y, rowHeight);
          y += rowHeight;
          x = startX;
          rowHeight = 0;
          rowStart = i;
          wrapped = true;
          rowBySizeWrap = true;
        }
      } else {
        alignRow(rowStart, i, y, rowHeight);
        y += rowHeight;
        p.lineSep = true;
        p.r = TRect{startX, y, startX + 0, y + kLineSepSize};
        y += kLineSepSize;
        x = startX;
        rowHeight = 0;
        rowStart = i + 1;
        wrapped = true;
        rowBySizeWrap = false;
        continue;
      }
    }
    p.r = TRect{x, y, x + len, y + cross};
    x += len;
    rowHeight = std::max(rowHeight, cross);
    overallLength = std::max(overallLength, x);
  }
  if (wrapped && !FChevronParentView) overallLength = std::max(overallLength, FWrapOffset);
  // The least size: along the row it lengthens the layout, across it the last row of a toolbar
  // that did not wrap spreads over the whole thickness.
  const Integer naturalAlong = overallLength, naturalCross = y + rowHeight;
  const Integer minAlong = (vertical ? FMinimumSize.y : FMinimumSize.x) - (vertical ? margins.bottom : margins.right);
  const Integer minCross = (vertical ? FMinimumSize.x : FMinimumSize.y) - (vertical ? margins.right : margins.bottom);
  overallLength = std::max(overallLength, minAlong);
  if (toolbarView && !wrapped) rowHeight = std::max(rowHeight, minCross - y);
  alignRow(rowStart, n, y, rowHeight);
  Integer totalCross = std::max(y + rowHeight, minCross);
  // Line separators span the row length; popup menu lines stretch to it.
  for (Integer i = 0; i < n; ++i) {
    Pos& p = pos[size_t(i)];
    if (!p.show) continue;
    if (p.lineSep) {
      p.r.right = overallLength;
      p.r.left = startX;
    } else if (!toolbarView && !FViewers[size_t(i)]->IsToolbarSize()) {
      p.r.right = overallLength;
    }
  }
  // 6. Margins; vertical views swap the axes.
  Integer sizeAlong = overallLength + (vertical ? margins.bottom : margins.right);
  Integer sizeCross = totalCross + (vertical ? margins.right : margins.bottom);
  if (vertical) {
    for (auto& p : pos) p.r = TRect{p.r.top, p.r.left, p.r.bottom, p.r.right};
    ASize = TPoint{sizeCross, sizeAlong};
  } else {
    ASize = TPoint{sizeAlong, sizeCross};
  }
  const Integer unshrunkAlong = naturalAlong + (vertical ? margins.bottom : margins.right) + hiddenLength;
  const Integer unshrunkCross = naturalCross + (vertical ? margins.right : margins.bottom);
  const TPoint unshrunk =
      vertical ? TPoint{unshrunkCross, unshrunkAlong} : TPoint{unshrunkAlong, unshrunkCross};
  // 7. Tall popups.
  bool upArrow = false, downArrow = false;
  Integer scrollOffset = 0;
  if (FMaxHeight >= 1 && ASize.y > FMaxHeight) {
    Integer excess = ASize.y - FMaxHeight;
    scrollOffset = std::clamp(FScrollOffset, 0, excess);
    upArrow = scrollOffset > 0;
    downArrow = excess > scrollOffset;
    Integer top = upArrow ? tbMenuScrollArrowHeight : 0;
    Integer bottom = FMaxHeight - (downArrow ? tbMenuScrollArrowHeight : 0);
    for (auto& p : pos) {
      if (!p.show) continue;
      p.r.top -= scrollOffset;
      p.r.bottom -= scrollOffset;
      if (p.r.top < top || p.r.bottom > bottom) {
        p.show = false;
        p.clipped = true;
      }
    }
    ASize.y = FMaxHeight;
  }
  // A measure ends here: what follows places controls and stores the layout.
  if (FMeasuring) return false;
  FUnshrunkSize = unshrunk;
  FShowUpArrow = upArrow;
  FShowDownArrow = downArrow;
  FScrollOffset = scrollOffset;
  // 8. Controls of control items.
  for (Integer i = 0; i < n; ++i)
    if (auto* ci = dynamic_cast<TTBControlItem*>(FViewers[size_t(i)]->Item()))
      if (fw::TControl* c = ci->Control(); c && c->Parent() == FWindow) {
        if (pos[size_t(i)].show)
          c->SetBoundsRect(pos[size_t(i)].r);
        else
          c->SetBounds(-c->Width() - 100, -c->Height() - 100, c->Width(), c->Height());
      }
  // 9. The chevron viewer.
  if (chevronItem) {
    Integer ci = -1;
    for (Integer i = 0; i < n; ++i)
      if (FViewers[size_t(i)]->Item() == chevronItem) ci = i;
    if (ci >= 0) {
      bool anyNonControl = false;
      for (Integer i = 0; i < n; ++i)
        if (pos[size_t(i)].offEdge && !dynamic_cast<TTBControlItem*>(FViewers[size_t(i)]->Item())) anyNonControl = true;
      chevronItem->SetEnabled(anyNonControl);
      if (chevronNeeded) {
        // Ends flush with the granted length.
        Integer at = std::max(FChevronOffset - FChevronSize, overallLength - (vertical ? margins.bottom : margins.right));
        Pos& p = pos[size_t(ci)];
        p.show = true;
        p.r = vertical ? TRect{startY, at, startY + totalCross - startY, at + FChevronSize}
                       : TRect{at, startY, at + FChevronSize, startY + totalCross - startY};
      }
    }
  }
  // 10. Store.
  bool changed = false;
  for (Integer i = 0; i < n; ++i) {
    TTBItemViewer* v = FViewers[size_t(i)];
    const Pos& p = pos[size_t(i)];
    Byte flags = Byte((v->FFlags & ~tbvfLineSep) | (p.lineSep ? tbvfLineSep : 0));
    if (!win::EqualRect(&v->FBoundsRect, &p.r) || v->FShow != p.show || v->FOffEdge != p.offEdge ||
        v->FClipped != p.clipped || flags != v->FFlags)
      changed = true;
    v->FBoundsRect = p.r;
    v->FShow = p.show;
    v->FOffEdge = p.offEdge;
    v->FClipped = p.clipped;
    v->FFlags = flags;
  }
  return changed;
}

void TTBView::AutoSize(Integer /*AWidth*/, Integer /*AHeight*/) {}
TTBCustomItem* TTBView::GetChevronItem() { return nullptr; }
TTBCustomItem* TTBView::GetTrailingGroupItem() { return nullptr; }
TTBCustomItem* TTBView::GetLeadingItem() { return nullptr; }
fw::TFont* TTBView::GetFont() { return ToolbarFont(); }

Integer TTBView::GetAccRole() {
  if (IsPopup()) return win::ROLE_SYSTEM_MENUPOPUP;
  return (Style() & tbvoMenuBar) ? win::ROLE_SYSTEM_MENUBAR : win::ROLE_SYSTEM_TOOLBAR;
}

void TTBView::SetOrientation(TTBViewOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  InvalidatePositions();
}
void TTBView::SetWrapOffset(Integer Value) {
  if (FWrapOffset == Value) return;
  FWrapOffset = Value;
  InvalidatePositions();
}
void TTBView::SetChevronOffset(Integer Value) {
  if (FChevronOffset == Value) return;
  FChevronOffset = Value;
  InvalidatePositions();
}
void TTBView::SetChevronSize(Integer Value) {
  if (FChevronSize == Value) return;
  FChevronSize = Value;
  InvalidatePositions();
}
void TTBView::SetMaxHeight(Integer Value) {
  if (FMaxHeight == Value) return;
  FMaxHeight = Value;
  InvalidatePositions();
}

void TTBView::SetUsePriorityList(bool Value) {
  if (FUsePriorityList == Value) return;
  FUsePriorityList = Value;
  RecreateAllViewers();
}

// ---- painting ----

void TTBView::DrawSubitems(fw::TCanvas* ACanvas) {
  FLaidOutInPaint = false;
  ++FPainting;
  try {
    ValidatePositions();
  } catch (...) {
    --FPainting;
    throw;
  }
  --FPainting;
  if (FLaidOutInPaint) {
    FLaidOutInPaint = false;
    // The viewers moved: what this paint does not reach shows them where they were.
    if (FWindow && FWindow->HandleAllocated()) {
      win::RECT clip{};
      const bool covers = win::GetClipBox(ACanvas->Handle(), &clip) == win::SIMPLEREGION &&
                          CoversClient(FWindow->Handle(), clip);
      if (!covers) win::InvalidateRect(FWindow->Handle(), nullptr, win::TRUE);
    }
  }
  const bool inOrder = (FState & tbvsDrawInOrder) != 0;
  // A viewer whose look changed is drawn off-screen over the window background, so nothing of its
  // old look stays.
  auto draw = [&](TTBItemViewer* v) { DrawItem(v, ACanvas, (v->FFlags & tbvfNeedsRepaint) != 0); };
  for (TTBItemViewer* v : FViewers)
    if (inOrder || v != FSelected) draw(v);
  if (!inOrder && FSelected) draw(FSelected);
  FState &= ~tbvsDrawInOrder;
}

void TTBView::DrawItem(TTBItemViewer* AViewer, fw::TCanvas* DrawToCanvas, bool Offscreen) {
  ValidatePositions();
  AViewer->FFlags &= ~tbvfNeedsRepaint;
  const TRect r = AViewer->FBoundsRect;
  if (!AViewer->Show() || win::IsRectEmpty(&r) || dynamic_cast<TTBControlItem*>(AViewer->Item())) return;
  win::HDC target = DrawToCanvas->Handle();
  const bool isSelected = AViewer == FSelected;
  const bool isPushed = isSelected && (AViewer == FOpenViewer || (FMouseOverSelected && FCapture));
  const bool toolbarStyle = AViewer->IsToolbarStyle();
  const bool enabled = AViewer->Item()->Enabled();
  fw::TCanvas canvas;
  win::HDC mem = nullptr;
  win::HBITMAP bmp = nullptr;
  win::HGDIOBJ oldBmp = nullptr;
  int saved = win::SaveDC(target);
  if (Offscreen) {
    mem = win::CreateCompatibleDC(target);
    bmp = win::CreateCompatibleBitmap(target, r.right - r.left, r.bottom - r.top);
    oldBmp = win::SelectObject(mem, bmp);
    // The window background under the viewer first.
    win::SetWindowOrgEx(mem, r.left, r.top, nullptr);
    if (FWindow && FWindow->HandleAllocated()) win::SendMessageW(FWindow->Handle(), win::WM_ERASEBKGND, win::WPARAM(mem), 0);
    win::SetWindowOrgEx(mem, 0, 0, nullptr);
    canvas.SetHandle(mem);
  } else {
    win::IntersectClipRect(target, r.left, r.top, r.right, r.bottom);
    win::RECT clip{};
    if (win::GetClipBox(target, &clip) == win::NULLREGION) {
      win::RestoreDC(target, saved);
      return;
    }
    win::OffsetWindowOrgEx(target, -r.left, -r.top, nullptr);
    canvas.SetHandle(target);
  }
  // Dither patterns start at the viewer's corner wherever it lands on the device (the bitmap's
  // corner, or the rectangle's in the window): a viewer repainted alone looks as a whole paint
  // draws it.
  if (Offscreen)
    win::SetBrushOrgEx(canvas.Handle(), 0, 0, nullptr);
  else
    win::SetBrushOrgEx(canvas.Handle(), r.left & 1, r.top & 1, nullptr);
  canvas.Font()->Assign(GetFont());
  if (isSelected && !toolbarStyle) {
    canvas.Brush()->SetColor(AreFlatMenusEnabled() ? fw::TColor(win::GetSysColor(win::COLOR_MENUHILIGHT))
                                                   : fw::clHighlight);
    canvas.Brush()->SetStyle(fw::bsSolid);
  } else {
    canvas.Brush()->SetStyle(fw::bsClear);
  }
  bool shadow = false;
  if (enabled) {
    canvas.Font()->SetColor(isSelected && !toolbarStyle ? fw::clHighlightText
                            : toolbarStyle              ? fw::clBtnText
                                                        : fw::clMenuText);
  } else {
    canvas.Font()->SetColor(fw::clGrayText);
    fw::TColor wc = FWindow ? FWindow->Color() : fw::clBtnFace;
    shadow = toolbarStyle || (!isSelected && fw::ColorToRGB(wc) == fw::ColorToRGB(fw::clBtnFace)) ||
             fw::ColorToRGB(wc) == fw::ColorToRGB(fw::clGrayText);
  }
  // Select the canvas's objects into the DC before the viewer paints.
  win::SetTextColor(canvas.Handle(), fw::ColorToRGB(canvas.Font()->Color()));
  win::SelectObject(canvas.Handle(), canvas.Brush()->Handle());
  win::SelectObject(canvas.Handle(), canvas.Font()->Handle());
  try {
    AViewer->Paint(&canvas, TRect{0, 0, r.right - r.left, r.bottom - r.top}, isSelected, isPushed, shadow);
  } catch (...) {
    canvas.SetHandle(nullptr);
    if (mem) {
      win::SelectObject(mem, oldBmp);
      win::DeleteObject(bmp);
      win::DeleteDC(mem);
    }
    win::RestoreDC(target, saved);
    throw;
  }
  canvas.SetHandle(nullptr);
  if (mem) {
    win::BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, 0, 0, win::SRCCOPY);
    win::SelectObject(mem, oldBmp);
    win::DeleteObject(bmp);
    win::DeleteDC(mem);
  }
  win::RestoreDC(target, saved);
}

// ---- priority ----

void TTBView::GivePriority(TTBItemViewer* AViewer) {
  if (FChevronParentView) {
    for (Integer i = 0; i < FChevronParentView->ViewerCount(); ++i)
      if (FChevronParentView->Viewers(i)->Item() == AViewer->Item()) {
        FChevronParentView->GivePriority(FChevronParentView->Viewers(i));
        break;
      }
  } else if (FUsePriorityList) {
    auto it = std::find(FPriorityList.begin(), FPriorityList.end(), AViewer);
    if (it != FPriorityList.end()) {
      FPriorityList.erase(it);
      FPriorityList.insert(FPriorityList.begin(), AViewer);
      if (!FPositionsValid || AViewer->OffEdge()) {
        InvalidatePositions();
        ValidatePositions();
      }
    }
  }
  if (FParentView && FParentView->FOpenViewer) FParentView->GivePriority(FParentView->FOpenViewer);
}

TTBItemViewer* TTBView::HighestPriorityViewer() {
  ValidatePositions();
  const auto& order = FPriorityList.empty() ? FViewers : FPriorityList;
  for (TTBItemViewer* v : order)
    if (v->Show() && !IsSeparator(v)) return v;
  return nullptr;
}

// ---- the loop ----

void TTBView::ExecuteSelected(bool AGivePriority) {
  if (!FSelected || !FSelected->Item()->Enabled()) {
    EndModal();
    return;
  }
  if (!(FSelected->Item()->ItemStyle() & tbisCombo) && OpenChildPopup(true)) return;
  if (!(FSelected->Item()->ItemStyle() & tbisSelectable)) {
    EndModal();
    return;
  }
  FSelected->Execute(AGivePriority);
}

TTBView* TTBView::GetRootView() {
  TTBView* v = this;
  while (v->FParentView) v = v->FParentView;
  return v;
}

void TTBView::EndModal() {
  TTBView* root = GetRootView();
  root->FDoneActionData = TTBDoneActionRec();
  root->FDoneActionData.DoneAction = tbdaCancel;
}

void TTBView::EndModalWithClick(TTBItemViewer* AViewer) {
  TTBView* root = GetRootView();
  root->FDoneActionData = TTBDoneActionRec();
  root->FDoneActionData.DoneAction = tbdaClickItem;
  root->FDoneActionData.ClickItem = AViewer->Item();
  root->FDoneActionData.Sound = AViewer->View()->IsPopup();
}

void TTBView::EndModalWithHelp(Integer AContextID) {
  TTBView* root = GetRootView();
  root->FDoneActionData = TTBDoneActionRec();
  root->FDoneActionData.DoneAction = tbdaHelpContext;
  root->FDoneActionData.ContextID = AContextID;
}

void TTBView::EndModalWithSystemMenu(win::HWND AWnd, win::WPARAM AKey) {
  TTBView* root = GetRootView();
  root->FDoneActionData = TTBDoneActionRec();
  root->FDoneActionData.DoneAction = tbdaOpenSystemMenu;
  root->FDoneActionData.Wnd = AWnd;
  root->FDoneActionData.Key = AKey;
}

win::HWND TTBView::GetModalWindow() { return GetRootView()->FModalHandlerWnd; }

void TTBView::EnterToolbarLoop(TTBEnterToolbarLoopOptions Options) {
  TTBDoneActionRec done;
  FState = TTBViewState((FState & tbvsShowAccels) | tbvsModal);
  {
    TTBModalHandler handler(FWindow && FWindow->HandleAllocated() ? FWindow->Handle() : nullptr);
    try {
      handler.Loop(this, Options & tbetMouseDown, Options & tbetExecuteSelected, Options & tbetFromMSAA, false);
    } catch (...) {
      CloseChildPopups();
      SetSelected(nullptr);
      FState &= ~(tbvsModal | tbvsDropDownMenus);
      throw;
    }
    done = FDoneActionData;
  }
  CloseChildPopups();
  SetSelected(nullptr);
  FState &= ~(tbvsModal | tbvsDropDownMenus);
  SetAccelsVisibility(false);
  ProcessDoneAction(done);
}

void TTBView::SetCapture() { FCapture = true; }

void TTBView::CancelCapture() {
  if (!FCapture) return;
  FCapture = false;
  if (FSelected) FSelected->LosingCapture();
  detail::ResetLastMousePos();
}

// ---- keyboard ----

void TTBView::ScrollBy(Integer ADelta) {
  if (ADelta == 0) return;
  FScrollOffset += ADelta;
  InvalidatePositions();
  ValidatePositions();
}

void TTBView::Scroll(bool ADown) {
  ValidatePositions();
  if (ADown) {
    const Integer line = FMaxHeight - tbMenuScrollArrowHeight;
    Integer best = -1;
    for (TTBItemViewer* v : FViewers)
      if (v->Clipped() && !IsSeparator(v) && v->FBoundsRect.bottom > line)
        best = best < 0 ? Integer(v->FBoundsRect.bottom) : std::min<Integer>(best, v->FBoundsRect.bottom);
    if (best >= 0) ScrollBy(best - line);
  } else {
    Integer best = -1;
    bool found = false;
    for (TTBItemViewer* v : FViewers)
      if (v->Clipped() && !IsSeparator(v) && v->FBoundsRect.top < tbMenuScrollArrowHeight) {
        best = found ? std::max<Integer>(best, v->FBoundsRect.top) : Integer(v->FBoundsRect.top);
        found = true;
      }
    if (found) ScrollBy(best - tbMenuScrollArrowHeight);
  }
}

void TTBView::ScrollSelectedIntoView() {
  ValidatePositions();
  if (!FSelected || !FSelected->Clipped()) return;
  if (FSelected->FBoundsRect.top < tbMenuScrollArrowHeight)
    ScrollBy(FSelected->FBoundsRect.top - tbMenuScrollArrowHeight);
  else if (FSelected->FBoundsRect.bottom > FMaxHeight - tbMenuScrollArrowHeight)
    ScrollBy(FSelected->FBoundsRect.bottom - (FMaxHeight - tbMenuScrollArrowHeight));
}

TTBItemViewer* TTBView::FindAccel(TTBItemViewer* ASelected, char16_t Key, bool& IsOnlyItemWithAccel,
                                  bool RequirePrimaryAccel) {
  IsOnlyItemWithAccel = false;
  const Integer n = ViewerCount();
  if (n == 0) return nullptr;
  auto candidate = [&](TTBItemViewer* v) {
    return (v->Show() || v->Clipped()) && (v->Item()->ItemStyle() & tbisSelectable) && v->Item()->Visible() &&
           v->CaptionShown() && !v->GetCaptionText().empty();
  };
  auto primary = [&](TTBItemViewer* v) {
    char16_t a = FindAccelChar(v->GetCaptionText());
    return a != 0 && CompareCharNoCase(a, Key);
  };
  auto secondary = [&](TTBItemViewer* v) {
    String c = v->GetCaptionText();
    if (c.find('&') != String::npos || Key == u' ') return false;
    std::u16string w = win::Utf8ToWide(c);
    return !w.empty() && CompareCharNoCase(w[0], Key);
  };
  const Integer start = IndexOf(ASelected);
  for (int pass = 0; pass < 4; ++pass) {
    if (RequirePrimaryAccel && pass >= 2) break;
    const bool wantEnabled = pass % 2 == 0;
    auto matches = [&](TTBItemViewer* v) {
      return candidate(v) && v->Item()->Enabled() == wantEnabled && (pass < 2 ? primary(v) : secondary(v));
    };
    for (Integer k = 1; k <= n; ++k) {
      Integer i = ((start < 0 ? -1 : start) + k + n) % n;
      TTBItemViewer* v = FViewers[size_t(i)];
      if (!matches(v)) continue;
      // The only one when searching on comes back to it.
      IsOnlyItemWithAccel = true;
      for (Integer m = 1; m < n; ++m)
        if (matches(FViewers[size_t((i + m) % n)])) {
          IsOnlyItemWithAccel = false;
          break;
        }
      return v;
    }
  }
  return nullptr;
}

void TTBView::SetAccelsVisibility(bool AShow) {
  bool show = AShow || !(FStyle & tbvoUseHiddenAccels) || AreKeyboardCuesEnabled();
  bool was = (FState & tbvsShowAccels) != 0;
  if (show == was) return;
  if (show)
    FState |= tbvsShowAccels;
  else
    FState &= ~tbvsShowAccels;
  if (FWindow && FWindow->HandleAllocated() && win::IsWindowVisible(FWindow->Handle()))
    for (TTBItemViewer* v : FViewers)
      if (v->CaptionShown() && FindAccelChar(v->GetCaptionText()) != 0) Invalidate(v);
}

void TTBView::KeyDown(Word& Key, fw::TShiftState Shift) {
  // The bar: the nearest view laid out as a toolbar, this one or up the parents.
  TTBView* bar = this;
  while (bar && !bar->FIsToolbar) bar = bar->FParentView;
  const bool horizontalBar = bar && bar->FOrientation != tbvoVertical;
  // Nothing else to move to (a menu of one item) keeps the selection where it is.
  auto selectAndShow = [&](TTBItemViewer* v) {
    if (!v) return;
    SetSelected(v);
    ScrollSelectedIntoView();
  };
  switch (Key) {
    case win::VK_TAB:
      selectAndShow(NextSelectable(FSelected, !Shift.Contains(fw::ssShift)));
      break;
    case win::VK_RETURN:
      ExecuteSelected(true);
      break;
    case win::VK_MENU:
    case win::VK_F10:
      EndModal();
      break;
    case win::VK_ESCAPE:
      if (!FParentView) {
        EndModal();
      } else {
        if (FParentView->FIsToolbar) FParentView->FState &= ~tbvsDropDownMenus;
        FParentView->CloseChildPopups();
      }
      break;
    case win::VK_HOME:
    case win::VK_END:
      selectAndShow(NextSelectable(nullptr, Key == win::VK_HOME));
      break;
    case win::VK_LEFT:
    case win::VK_RIGHT:
      if (bar == this && FOrientation == tbvoVertical) {
        OpenChildPopup(true);
      } else if (Key == win::VK_LEFT) {
        if (horizontalBar && (bar == this || FParentView == bar)) {
          bar->SetSelected(bar->NextSelectable(bar->FSelected, false));
        } else if (horizontalBar && FParentView) {
          FParentView->CloseChildPopups();
        } else if (FParentView) {
          if (FParentView->FIsToolbar) FParentView->FState &= ~tbvsDropDownMenus;
          FParentView->CloseChildPopups();
        }
      } else {
        bool opened = FIsPopup && FSelected && (FSelected->Item()->ItemStyle() & tbisSubmenu) && OpenChildPopup(true);
        if (!opened && horizontalBar) bar->SetSelected(bar->NextSelectable(bar->FSelected, true));
      }
      break;
    case win::VK_UP:
    case win::VK_DOWN:
      if (bar == this && horizontalBar)
        OpenChildPopup(true);
      else
        selectAndShow(NextSelectable(FSelected, Key == win::VK_DOWN));
      break;
    case win::VK_F1:
      for (TTBView* v = this; v; v = v->FParentView)
        if (v->FSelected && v->FSelected->Item()->HelpContext() != 0) {
          EndModalWithHelp(v->FSelected->Item()->HelpContext());
          break;
        }
      break;
    default:
      return;
  }
  Key = 0;
}

void TTBView::GetControlItemControls(std::vector<fw::TWinControl*>& AList) {
  for (TTBItemViewer* v : FViewers)
    if (auto* ci = dynamic_cast<TTBControlItem*>(v->Item()); ci && v->Show())
      if (auto* wc = dynamic_cast<fw::TWinControl*>(ci->Control())) AList.push_back(wc);
}

std::shared_ptr<TTBViewAccObject> TTBView::GetAccObject() {
  if (!FAccObject && InitializeOleAcc()) FAccObject = std::make_shared<TTBViewAccObject>(this);
  return FAccObject;
}

}  // namespace toolbars
