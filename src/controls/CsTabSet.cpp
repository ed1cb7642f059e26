#include <algorithm>
#include <string>

#include "controls/CsTabs.h"
#include "framework/Colors.h"
#include "framework/Filer.h"
#include "framework/GraphicsBitmap.h"
#include "platform/gdi/GdiBitmaps.h"
#include "platform/gdi/GdiDC.h"
#include "platform/gdi/GdiText.h"
#include "platform/kernel/Rects.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/painting/Paint.h"
#include "toolbars/TBDock.h"
#include "tx/Tx.h"
#include "tx/TxDock.h"
#include "tx/TxThemesTypes.h"

namespace cs {

using toolbars::TTBCustomItem;
using toolbars::TTBItemChangedAction;

// ---- tab set ----

TCsCustomTabSet::TCsCustomTabSet(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() + fw::TControlStyle{fw::csAcceptsControls});
  SetColor(fw::clBtnFace);
  SetParentColor(false);
  FDock = new tx::TTxDock(this);
  FDock->SetAllowDrag(false);
  FDock->SetParent(this);
  FToolbar = new TCsTabToolbar(this);
  FToolbar->AfterConstruction();
  FToolbar->SetBorderStyle(fw::bsNone);
  FToolbar->SetDragHandleStyle(toolbars::dhNone);
  FToolbar->SetFullSize(true);
  FToolbar->SetShrinkMode(toolbars::tbsmNone);
  FToolbar->SetDockableTo(toolbars::DockableBit(toolbars::dpTop) | toolbars::DockableBit(toolbars::dpBottom));
  FToolbar->SetCurrentDock(FDock);
  FToolbar->Items()->RegisterNotification(
      this, [this](TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, fw::Integer Index,
                   TTBCustomItem* Item) { ItemNotification(Sender, Relayed, Action, Index, Item); });
  SetBounds(0, 0, 289, FToolbar->Height() + 2);
  tx::AddThemeChangeListener(this);
}

TCsCustomTabSet::~TCsCustomTabSet() {
  *FAlive = false;
  tx::RemoveThemeChangeListener(this);
  Destroying();
  FToolbar->Items()->UnregisterNotification(this);
  // The toolbar leaves its dock while the dock is whole (a dock freed first would free it as
  // a child, from its own destructor).
  delete FToolbar;
  FToolbar = nullptr;
}

fw::Integer TCsCustomTabSet::ActiveTabIndex() const { return FToolbar != nullptr ? FToolbar->ActiveTabIndex() : -1; }

void TCsCustomTabSet::SetActiveTabIndex(fw::Integer Value) {
  if (ComponentState().Contains(fw::csLoading)) {
    FStoredActiveTabIndex = Value;
    return;
  }
  if (FToolbar != nullptr) FToolbar->SetActiveTabIndex(Value);
}

toolbars::TTBCustomItem* TCsCustomTabSet::GetRootItem() { return FToolbar->Items(); }

void TCsCustomTabSet::GetChildren(const std::function<void(fw::TComponent* Child)>& Proc, fw::TComponent* /*Root*/) {
  toolbars::TTBCustomItem* items = FToolbar->Items();
  for (fw::Integer i = 0; i < items->Count(); ++i) Proc(items->Items(i));
  for (fw::Integer i = 0; i < ControlCount(); ++i)
    if (IsStreamedChild(Controls(i))) Proc(Controls(i));
}

void TCsCustomTabSet::DefineProperties(fw::TFiler* Filer) {
  fw::TCustomControl::DefineProperties(Filer);
  TCsItemCacheCollection* hidden = FToolbar->HiddenItems();
  Filer->DefineProperty(
      "HiddenItems",
      [hidden](fw::TReader* Reader) {
        Reader->ReadListBegin();
        while (!Reader->EndOfList()) {
          TCsItemCache* entry = hidden->AddUnlinked();
          Reader->ReadListBegin();
          entry->Name = Reader->ReadString();
          entry->Left = fw::Integer(Reader->ReadInteger());
          entry->Top = fw::Integer(Reader->ReadInteger());
          entry->Width = fw::Integer(Reader->ReadInteger());
          entry->Height = fw::Integer(Reader->ReadInteger());
          Reader->ReadListEnd();
        }
        Reader->ReadListEnd();
      },
      [hidden](fw::TWriter* Writer) {
        Writer->WriteListBegin();
        for (fw::Integer i = 0; i < hidden->Count(); ++i) {
          const TCsItemCache* entry = hidden->Items(i);
          Writer->WriteListBegin();
          Writer->WriteString(entry->Item != nullptr ? entry->Item->Name() : entry->Name);
          for (fw::Integer v : {entry->Left, entry->Top, entry->Width, entry->Height}) Writer->WriteInteger(v);
          Writer->WriteListEnd();
        }
        Writer->WriteListEnd();
      },
      hidden->Count() > 0);
}

void TCsCustomTabSet::Loaded() {
  fw::TCustomControl::Loaded();
  TCsItemCacheCollection* hidden = FToolbar->HiddenItems();
  fw::TComponent* owner = Owner() != nullptr ? Owner() : this;
  for (fw::Integer i = hidden->Count() - 1; i >= 0; --i) {
    TCsItemCache* entry = hidden->Items(i);
    if (entry->Item != nullptr) continue;
    // The tabs of a stream are owned by its root: this control, or the form holding it.
    fw::TComponent* found = entry->Name.empty() ? nullptr : owner->FindComponent(entry->Name);
    if (found == nullptr && !entry->Name.empty()) found = FindComponent(entry->Name);
    if (auto* item = dynamic_cast<TTBCustomItem*>(found)) entry->Item = item;
    else hidden->Delete(i);
  }
  // The tabs stay as read until the control is laid out at its size.
  FToolbar->SetActiveTabIndex(FStoredActiveTabIndex);
}

fw::TCustomImageList* TCsCustomTabSet::Images() const { return FToolbar->Images(); }
void TCsCustomTabSet::SetImages(fw::TCustomImageList* Value) { FToolbar->SetImages(Value); }

fw::TColor TCsCustomTabSet::TabBackgroundColor() const { return FToolbar->Color(); }
void TCsCustomTabSet::SetTabBackgroundColor(fw::TColor Value) { FToolbar->SetColor(Value); }

TCsTabPosition TCsCustomTabSet::TabPosition() const { return FToolbar->TabPosition(); }

void TCsCustomTabSet::SetTabPosition(TCsTabPosition Value) {
  if (FToolbar->TabPosition() == Value) return;
  // Off the dock while it moves to the other edge, then back on.
  FToolbar->Hide();
  FToolbar->SetFloating(true);
  FToolbar->SetTabPosition(Value);
  FDock->SetPosition(Value == ttpTop ? toolbars::dpTop : toolbars::dpBottom);
  FToolbar->SetCurrentDock(FDock);
  FToolbar->SetVisible(true);  // not Show, which would show a hidden form holding the tabs
  InvalidateBackground(true);
}

TCsTabThemeType TCsCustomTabSet::ThemeType() const { return FToolbar->ThemeType(); }

void TCsCustomTabSet::SetThemeType(TCsTabThemeType Value) {
  FToolbar->SetThemeType(Value);
  InvalidateBackground(false);
}

fw::TColor TCsCustomTabSet::PageColor() const {
  return GetEffectiveTabThemeType(ThemeType()) == tttTx ? fw::clWhite : Color();
}

void TCsCustomTabSet::InvalidateBackground(bool InvalidateChildren) {
  FBackgroundValid = false;
  if (!HandleAllocated()) return;
  if (!InvalidateChildren) {
    win::RedrawWindow(Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_ALLCHILDREN);
    return;
  }
  win::RedrawWindow(Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE);
  for (fw::Integer i = 0; i < ControlCount(); ++i) {
    auto* child = dynamic_cast<fw::TWinControl*>(Controls(i));
    if (child == nullptr || child == FDock || child == FToolbar || !child->HandleAllocated()) continue;
    win::RedrawWindow(child->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ERASE);
  }
}

void TCsCustomTabSet::DoDrawBackground(fw::TCanvas* Canvas, const fw::TRect& ARect, bool& PaintDefault,
                                       TCsPaintStage PaintStage) {
  fw::TRect r = ARect;
  if (OnDrawBackground) OnDrawBackground(this, Canvas, r, PaintStage, PaintDefault);
}

bool TCsCustomTabSet::CanPaintBackground() {
  TCsTabItem* tab = FToolbar->ActiveTab();
  return tab == nullptr || !tab->Checked();
}

void TCsCustomTabSet::DoActiveTabChange(fw::Integer ItemIndex) {
  // The band's opening moves with the active tab (the band itself stays cached).
  if (HandleAllocated()) {
    const int edge = TabPosition() == ttpTop ? FDock->Height() : ClientHeight() - FDock->Height() - 2;
    const fw::TRect strip{0, edge, ClientWidth(), edge + 2};
    win::RedrawWindow(Handle(), &strip, nullptr, win::RDW_INVALIDATE | win::RDW_ALLCHILDREN);
  }
  if (OnActiveTabChange) OnActiveTabChange(this, ItemIndex);
}

void TCsCustomTabSet::ItemNotification(TTBCustomItem* /*Ancestor*/, bool Relayed, TTBItemChangedAction Action,
                                       fw::Integer Index, TTBCustomItem* Item) {
  if (Relayed || FToolbar == nullptr) return;
  auto* tab = dynamic_cast<TCsTabItem*>(Item);
  switch (Action) {
    case toolbars::tbicInserted: {
      if (Index <= FToolbar->FActiveTabIndex) {
        // The same tab stays active; only its place moved.
        FUpdatingIndex = true;
        ++FToolbar->FActiveTabIndex;
        FUpdatingIndex = false;
      }
      FPendingDeletion = pdNone;
      FWaitingTab = nullptr;
      if (tab != nullptr) TabInserted(tab);
      InvalidateBackground(false);
      FToolbar->RightAlignItems();
      break;
    }
    case toolbars::tbicDeleting: {
      if (ComponentState().Contains(fw::csDestroying)) return;
      const fw::Integer active = FToolbar->FActiveTabIndex;
      if (Index < active) {
        --FToolbar->FActiveTabIndex;
      } else if (Index == active) {
        if (Index > 0) {
          FToolbar->SetActiveTabIndex(Index - 1);
        } else if (FToolbar->Items()->Count() == 1) {
          FToolbar->SetActiveTabIndex(-1);
        } else if (auto* next = dynamic_cast<TCsTabItem*>(FToolbar->Items()->Items(1)); next != nullptr) {
          next->Click();
          // The clicked tab moves into the place of the one leaving.
          if (FToolbar->FActiveTabIndex > Index) --FToolbar->FActiveTabIndex;
        } else {
          FToolbar->SetActiveTabIndex(-1);
        }
      }
      if (tab != nullptr) {
        if (FPendingDeletion == pdInUpdate) {
          FPendingDeletion = pdWaiting;
          FWaitingTab = tab;
        } else {
          TabDeleting(tab, true);
        }
      }
      InvalidateBackground(false);
      break;
    }
    case toolbars::tbicSubitemsBeginUpdate:
      FPendingDeletion = pdInUpdate;
      break;
    case toolbars::tbicSubitemsEndUpdate: {
      TCsTabItem* waiting = FPendingDeletion == pdWaiting ? FWaitingTab : nullptr;
      FPendingDeletion = pdNone;
      FWaitingTab = nullptr;
      if (waiting != nullptr) TabDeleting(waiting, true);
      break;
    }
    case toolbars::tbicInvalidate:
      if (!FUpdatingIndex && tab != nullptr && tab->Checked() && tab->Enabled() && tab != FToolbar->ActiveTab()) {
        FUpdatingIndex = true;
        FToolbar->SetActiveTabIndex(FToolbar->Items()->IndexOf(tab));
        FUpdatingIndex = false;
      }
      break;
    case toolbars::tbicInvalidateAndResize:
      FToolbar->RightAlignItems();
      break;
    default:
      break;
  }
}

void TCsCustomTabSet::Resize() {
  fw::TCustomControl::Resize();
  FBackgroundValid = false;
  if (FToolbar != nullptr) FToolbar->RightAlignItems();
}

void TCsCustomTabSet::PaintBackground(win::HDC DC) {
  const fw::TRect client = ClientRect();
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  // The band starts at the tab row.
  const bool top = TabPosition() == ttpTop;
  const int dockHeight = FDock->Height();
  fw::TRect r = client;
  if (top) r.top += dockHeight;
  else r.bottom -= dockHeight;
  if (!FBackground) FBackground = std::make_unique<fw::TBitmap>();
  // The band is painted and copied within r only, so a bitmap at least that large serves: a tab
  // set made narrower and wider again keeps its bitmap instead of making one at every step.
  if (!FBackgroundValid || FBackground->Width() < width || FBackground->Height() < height) {
    if (FBackground->Width() < width || FBackground->Height() < height)
      FBackground->SetSize(std::max(width, FBackground->Width()), std::max(height, FBackground->Height()));
    ++FBackgroundPaints;
    fw::TCanvas* canvas = FBackground->Canvas();
    bool paintDefault = true;
    DoDrawBackground(canvas, r, paintDefault, pstPrePaint);
    if (paintDefault) PaintBand(canvas, r, Color(), ThemeType(), TabPosition());
    DoDrawBackground(canvas, r, paintDefault, pstPostPaint);
    FBackgroundValid = true;
  }
  win::BitBlt(DC, r.left, r.top, r.right - r.left, r.bottom - r.top, FBackground->Canvas()->Handle(), r.left,
              r.top, win::SRCCOPY);
  // The active tab opens into the band: its frame's two rows are the band's colour under it,
  // between the tab's own left and right edges.
  const TCsTabThemeType type = GetEffectiveTabThemeType(ThemeType());
  if (type != tttNone && type != tttFlat) return;
  const fw::TRect tab = FToolbar->ActiveTabRect(this);
  if (win::IsRectEmpty(&tab)) return;
  const fw::TRect gap = top ? fw::TRect{tab.left + 1, r.top, tab.right - 2, r.top + 2}
                            : fw::TRect{tab.left + 1, r.bottom - 2, tab.right - 2, r.bottom};
  fw::TCanvas canvas;
  canvas.SetHandle(DC);
  canvas.Brush()->SetStyle(fw::bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(gap);
  canvas.SetHandle(nullptr);
}

void TCsCustomTabSet::Paint() {
  if (CanPaintBackground()) PaintBackground(Canvas()->Handle());
}

void TCsCustomTabSet::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case tx::TXM_THEMECHANGE:
      if (Message.WParam == tx::TSC_AFTER_CHANGE) InvalidateBackground(true);
      return;
    case fw::CM_COLORCHANGED:
      fw::TCustomControl::Dispatch(Message);
      if (FToolbar == nullptr) return;
      FToolbar->SetTabColor(Color());
      InvalidateBackground(false);
      return;
    case win::WM_ERASEBKGND:
      // Painted whole in Paint; nothing to erase first.
      Message.Result = 1;
      return;
    default:
      fw::TCustomControl::Dispatch(Message);
  }
}

// ---- tab sheet ----

TCsTabSheet::TCsTabSheet(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() + fw::TControlStyle{fw::csAcceptsControls});
  SetAlign(fw::alClient);
  SetVisible(false);
}

TCsTabSheet::~TCsTabSheet() {
  Destroying();
  if (FTabControl != nullptr) FTabControl->TabDeleting(FTabItem, false);
}

WideString TCsTabSheet::Caption() const {
  return FTabItem != nullptr ? FTabItem->WideCaption() : WideString();
}

void TCsTabSheet::SetCaption(const WideString& Value) {
  if (FTabItem != nullptr) FTabItem->SetCaption(Value);
}

fw::Integer TCsTabSheet::ImageIndex() const { return FTabItem != nullptr ? FTabItem->ImageIndex() : -1; }

void TCsTabSheet::SetImageIndex(fw::Integer Value) {
  if (FTabItem != nullptr) FTabItem->SetImageIndex(Value);
}

bool TCsTabSheet::TabVisible() const { return FTabItem != nullptr && FTabItem->Visible(); }

void TCsTabSheet::SetTabVisible(bool Value) {
  if (FTabItem != nullptr) FTabItem->SetVisible(Value);
}

void TCsTabSheet::SetParentComponent(fw::TComponent* Value) {
  auto* control = dynamic_cast<TCsTabControl*>(Value);
  if (control == nullptr) return;
  FTabControl = control;
  SetParentColor(false);
  SetColor(control->PageColor());
  SetParent(control);
  control->FPages.push_back(this);
}

void TCsTabSheet::LinkTabItem(const fw::String& Name) {
  if (FTabControl == nullptr || Name.empty()) return;
  // The tab of that name among the components of the stream's root.
  fw::TComponent* found = Owner() != nullptr ? Owner()->FindComponent(Name) : nullptr;
  if (found == nullptr) found = FTabControl->FindComponent(Name);
  auto* item = dynamic_cast<TCsTabItem*>(found);
  if (item == nullptr) return;
  FTabItem = item;
  item->SetControl(this);
}

void TCsTabSheet::DefineProperties(fw::TFiler* Filer) {
  fw::TCustomControl::DefineProperties(Filer);
  Filer->DefineProperty(
      "TabItem", [this](fw::TReader* Reader) { LinkTabItem(win::WideToUtf8(Reader->ReadWideString())); },
      [this](fw::TWriter* Writer) { Writer->WriteWideString(win::Utf8ToWide(FTabItem->Name())); },
      FTabItem != nullptr && !FTabItem->Name().empty());
}

void TCsTabSheet::AdjustClientRect(fw::TRect& Rect) {
  fw::TCustomControl::AdjustClientRect(Rect);
  if (FTabControl == nullptr) return;
  Rect.left += 2;
  Rect.right -= 2;
  if (FTabControl->TabPosition() == ttpTop) Rect.bottom -= 2;
  else Rect.top += 2;
}

void TCsTabSheet::Paint() {
  // The band was painted as the page's background (WM_ERASEBKGND).
}

void TCsTabSheet::Dispatch(fw::TMessage& Message) {
  if (Message.Msg != win::WM_ERASEBKGND || FTabControl == nullptr) {
    fw::TCustomControl::Dispatch(Message);
    return;
  }
  // The page's background is the band of its tab control behind it, also for the controls on
  // the page that show what lies behind them (their DC comes with its origin moved already).
  const auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  win::POINT origin{0, 0};
  win::GetWindowOrgEx(dc, &origin);
  const int saved = win::SaveDC(dc);
  win::SetWindowOrgEx(dc, origin.x + Left(), origin.y + Top(), nullptr);
  FTabControl->PaintBackground(dc);
  win::RestoreDC(dc, saved);
  Message.Result = 1;
}

// ---- tab control ----

TCsTabControl::TCsTabControl(fw::TComponent* AOwner) : TCsCustomTabSet(AOwner) {
  SetBounds(Left(), Top(), 289, 193);
  auto* empty = new TCsTabSheet(this);
  empty->FTabControl = this;
  empty->SetParentColor(false);
  empty->SetParent(this);
  empty->SetVisible(true);
  FEmptyPage = empty;
}

TCsTabControl::~TCsTabControl() {
  Destroying();
  // Pages outliving the control (owned by its owner) forget it.
  for (TCsTabSheet* page : FPages) page->FTabControl = nullptr;
  static_cast<TCsTabSheet*>(FEmptyPage)->FTabControl = nullptr;
}

TCsTabSheet* TCsTabControl::FindPage(const TCsTabItem* Item) const {
  for (TCsTabSheet* page : FPages)
    if (page->FTabItem == Item) return page;
  return nullptr;
}

TCsTabItem* TCsTabControl::AddTab(const WideString& Caption) {
  auto* tab = new TCsTabItem(Toolbar()->Items());
  tab->SetCaption(Caption);
  Toolbar()->Items()->Add(tab);
  return tab;
}

void TCsTabControl::InvalidateBackground(bool InvalidateChildren) {
  // The pages and what follows their colour go with the look of the band.
  if (FEmptyPage != nullptr) {
    const fw::TColor color = PageColor();
    FEmptyPage->SetColor(color);
    for (TCsTabSheet* page : FPages) page->SetColor(color);
  }
  TCsCustomTabSet::InvalidateBackground(InvalidateChildren);
}

void TCsTabControl::TabInserted(TCsTabItem* Item) {
  if (ComponentState().Contains(fw::csLoading) || FindPage(Item) != nullptr) return;
  fw::TComponent* owner = Owner() != nullptr ? Owner() : this;
  std::string name;
  for (int n = 1;; ++n) {
    name = "CsTabSheet" + std::to_string(n);
    if (owner->FindComponent(name) == nullptr) break;
  }
  auto* sheet = new TCsTabSheet(owner);
  sheet->SetName(name);
  sheet->SetParentColor(false);
  sheet->SetColor(PageColor());
  sheet->FTabControl = this;
  sheet->FTabItem = Item;
  sheet->SetParent(this);
  Item->SetControl(sheet);
  sheet->SendToBack();
  FPages.push_back(sheet);
  // Only the first page's tab opens by itself; later tabs leave the active one as it is.
  if (FPages.size() == 1) Item->Click();
}

void TCsTabControl::TabDeleting(TCsTabItem* Item, bool FreeSheet) {
  TCsTabSheet* page = FindPage(Item);
  if (page == nullptr) return;
  std::erase(FPages, page);
  page->FTabControl = nullptr;
  page->FTabItem = nullptr;
  if (FreeSheet) {
    delete page;
  } else {
    Item->SetControl(nullptr);
    delete Item;  // the page is going away and takes its tab with it
  }
}

void TCsTabControl::DoActiveTabChange(fw::Integer ItemIndex) {
  if (ItemIndex == -1) {
    FEmptyPage->SetVisible(true);
    FEmptyPage->BringToFront();
  } else {
    FEmptyPage->Hide();
  }
  TCsCustomTabSet::DoActiveTabChange(ItemIndex);
}

bool TCsTabControl::IsStreamedChild(fw::TControl* Control) const {
  // The pages come in the order of their tabs, not of the windows (the active one is in front).
  return Control != FEmptyPage && std::find(FPages.begin(), FPages.end(), Control) == FPages.end() &&
         TCsCustomTabSet::IsStreamedChild(Control);
}

void TCsTabControl::GetChildren(const std::function<void(fw::TComponent* Child)>& Proc, fw::TComponent* Root) {
  toolbars::TTBCustomItem* items = Toolbar()->Items();
  for (fw::Integer i = 0; i < items->Count(); ++i) Proc(items->Items(i));
  for (TCsTabSheet* page : FPages) Proc(page);
  for (fw::Integer i = 0; i < ControlCount(); ++i)
    if (IsStreamedChild(Controls(i))) Proc(Controls(i));
  (void)Root;
}

bool TCsTabControl::CanPaintBackground() { return FPages.empty() || TCsCustomTabSet::CanPaintBackground(); }

}  // namespace cs
