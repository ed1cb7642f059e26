#include "framework/Menus.h"

#include <algorithm>

#include "framework/ActnList.h"
#include "framework/ClassesUtilWindow.h"
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/menus/Menu.h"
#include "platform/user/menus/MenuTypes.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/menus/PopupMenu.h"
#include "platform/user/windows/Window.h"

namespace fw {

namespace {

// Command ids of menu items: 16-bit, unique while the item lives (WM_COMMAND carries the low word).
std::vector<bool>& UsedCommands() {
  static std::vector<bool> used(0x10000, false);
  return used;
}

win::UINT UniqueCommand() {
  auto& used = UsedCommands();
  for (size_t i = 1; i < used.size(); ++i) {
    if (!used[i]) {
      used[i] = true;
      return win::UINT(i);
    }
  }
  throw EMenuError("Too many menu items");
}

void ReleaseCommand(win::UINT id) {
  if (id != 0 && id < UsedCommands().size()) UsedCommands()[id] = false;
}

}  // namespace

TPopupList* PopupList = new TPopupList();

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(UniqueCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (FParent != nullptr) FParent->Remove(this);
  while (!FItems.empty()) {
    TMenuItem* c = FItems.back();
    FItems.pop_back();
    c->FParent = nullptr;
    delete c;
  }
  DestroyHandle();
  FActionLink.reset();
  ReleaseCommand(FCommand);
}

TMenuItem* TMenuItem::Items(Integer Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
  return FItems[size_t(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(Integer Index, TMenuItem* Item) {
  if (Item == nullptr) return;
  if (Item->FParent != nullptr) throw EMenuError("Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  MenuChanged(true);
}

void TMenuItem::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
  TMenuItem* item = FItems[size_t(Index)];
  FItems.erase(FItems.begin() + Index);
  item->FParent = nullptr;
  if (!ComponentState().Contains(csDestroying)) MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* Item) {
  Integer i = IndexOf(Item);
  if (i >= 0) Delete(i);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    TMenuItem* c = FItems.back();
    FItems.pop_back();
    c->FParent = nullptr;
    delete c;
  }
  MenuChanged(true);
}

TMenuItem* TMenuItem::Find(std::string_view ACaption) {
  String wanted = StripHotkey(ACaption);
  for (TMenuItem* c : FItems)
    if (AnsiSameText(StripHotkey(c->FCaption), wanted)) return c;
  return nullptr;
}

Integer TMenuItem::IndexOf(TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : Integer(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent != nullptr) root = root->FParent;
  return root->FMenu;
}

void TMenuItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
  if (FParent == nullptr) return;
  for (TMenuItem* s : FParent->FItems) {
    if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex) s->SetChecked(false);
  }
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value && FRadioItem) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (FRadioItem == Value) return;
  FRadioItem = Value;
  if (FChecked && Value) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetGroupIndex(Byte Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  MenuChanged(true);
}

void TMenuItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
  if (FDefault == Value) return;
  if (Value && FParent != nullptr) {
    for (TMenuItem* s : FParent->FItems)
      if (s != this) s->FDefault = false;
  }
  FDefault = Value;
  MenuChanged(true);
}

void TMenuItem::SetAutoCheck(bool Value) { FAutoCheck = Value; }

void TMenuItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  MenuChanged(true);
}

void TMenuItem::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  MenuChanged(true);
}

void TMenuItem::SetHint(const String& Value) { FHint = Value; }

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (Value == nullptr) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink.reset(GetActionLinkClass()(this));
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* s) {
    if (s == Action()) ActionChange(s, false);
  };
  ActionChange(Value, ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

TMenuItem::TActionLinkFactory TMenuItem::GetActionLinkClass() {
  return [](TMenuItem* c) { return new TMenuActionLink(c); };
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (a == nullptr) return;
  if (!CheckDefaults || !FAutoCheck) SetAutoCheck(a->AutoCheck());
  if (!CheckDefaults || FCaption.empty()) SetCaption(a->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(a->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHelpContext == 0) SetHelpContext(a->HelpContext());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FGroupIndex == 0) {
    SetRadioItem(a->GroupIndex() > 0);
    SetGroupIndex(Byte(a->GroupIndex()));
  }
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
  if (!CheckDefaults || FShortCut == 0) SetShortCut(a->ShortCut());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
}

void TMenuItem::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck && (!FActionLink || !FActionLink->IsAutoCheckLinked())) SetChecked(!FChecked);
  if (OnClick) {
    OnClick(this);
  } else if (FActionLink) {
    FActionLink->Execute(this);
  }
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FActionLink && (FActionLink->Action() == nullptr || AComponent == FActionLink->Action())) {
    FActionLink.reset();
  }
}

void TMenuItem::MenuChanged(bool Rebuild) {
  if (ComponentState().Contains(csDestroying)) return;
  TMenu* menu = GetParentMenu();
  if (menu != nullptr) {
    menu->MenuChanged(this, this, Rebuild);
  } else {
    TMenuItem* root = this;
    while (root->FParent != nullptr) root = root->FParent;
    root->DestroyHandle();
  }
}

WideString TMenuItem::MenuText(bool OnMenuBar) {
  WideString text = win::Utf8ToWide(FCaption);
  if (FShortCut != 0 && !OnMenuBar && FItems.empty()) {
    text += u'\t';
    text += win::Utf8ToWide(ShortCutToText(FShortCut));
  }
  return text;
}

void TMenuItem::AppendTo(win::HMENU Menu, bool ARightToLeft) {
  TMenu* menu = GetParentMenu();
  bool onBar = menu != nullptr && menu->IsMenuBar() && FParent == nullptr;
  for (TMenuItem* c : FItems) {
    if (!c->FVisible) continue;
    if (c->IsLine()) {
      win::AppendMenuW(Menu, win::MF_SEPARATOR, 0, nullptr);
      continue;
    }
    WideString text = c->MenuText(onBar);
    win::MENUITEMINFOW mii;
    mii.fMask = win::MIIM_ID | win::MIIM_STATE | win::MIIM_FTYPE | win::MIIM_STRING;
    mii.fType = (c->IsOwnerDraw() ? win::MFT_OWNERDRAW : win::MFT_STRING) | (c->FRadioItem ? win::MFT_RADIOCHECK : 0) |
                (ARightToLeft ? win::MFT_RIGHTORDER : 0);
    mii.fState = (c->FChecked ? win::MFS_CHECKED : 0) | (c->FEnabled ? 0 : win::MFS_GRAYED) |
                 (c->FDefault ? win::MFS_DEFAULT : 0);
    mii.wID = c->FCommand;
    mii.dwTypeData = text.data();
    mii.cch = win::UINT(text.size());
    if (!c->FItems.empty()) {
      c->FHandle = win::CreatePopupMenu();
      c->AppendTo(c->FHandle, ARightToLeft);
      mii.fMask |= win::MIIM_SUBMENU;
      mii.hSubMenu = c->FHandle;
    }
    win::InsertMenuItemW(Menu, win::UINT(win::GetMenuItemCount(Menu)), win::TRUE, &mii);
  }
}

void TMenuItem::DestroyHandle() {
  if (FHandle != nullptr) {
    // Destroying a menu destroys its submenus: their items forget them.
    win::DestroyMenu(FHandle);
    ForgetHandles();
  }
}

void TMenuItem::ForgetHandles() {
  FHandle = nullptr;
  for (TMenuItem* c : FItems) c->ForgetHandles();
}

win::HMENU TMenuItem::Handle() {
  if (FItems.empty()) return nullptr;
  if (FHandle != nullptr && win::IsMenu(FHandle)) return FHandle;
  TMenu* menu = GetParentMenu();
  if (menu != nullptr && FParent != nullptr) {
    menu->Handle();
    if (FHandle != nullptr) return FHandle;
  }
  FHandle = win::CreatePopupMenu();
  AppendTo(FHandle, false);
  return FHandle;
}

// ---- TMenu ----

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() {
  Destroying();
  DestroyHandle();
  FItems.reset();
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
}

void TMenu::DestroyHandle() {
  if (FHandle == nullptr) return;
  win::DestroyMenu(FHandle);
  FHandle = nullptr;
  ForgetItemHandles();
}

void TMenu::ForgetItemHandles() { FItems->ForgetHandles(); }

win::HMENU TMenu::Handle() {
  if (FHandle == nullptr || !win::IsMenu(FHandle)) {
    FHandle = nullptr;
    RebuildHandle();
  }
  return FHandle;
}

void TMenu::RebuildHandle() {
  DestroyHandle();
  FHandle = IsMenuBar() ? win::CreateMenu() : win::CreatePopupMenu();
  FItems->AppendTo(FHandle, false);
}

void TMenu::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  // Images make the items owner-drawn: the window system's menu is built again.
  MenuChanged(this, nullptr, true);
}

void TMenu::SetOwnerDraw(bool Value) {
  if (FOwnerDraw == Value) return;
  FOwnerDraw = Value;
  MenuChanged(this, nullptr, true);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    MenuChanged(this, nullptr, true);
  }
}

void TMenu::MenuChanged(TObject*, TMenuItem*, bool Rebuild) {
  if (ComponentState().Contains(csDestroying)) return;
  if (Rebuild && FHandle != nullptr) RebuildHandle();
  if (OnChange) OnChange(this);
}

namespace {

TMenuItem* FindIn(TMenuItem* item, win::UINT_PTR value, TMenu::TFindItemKind kind) {
  for (Integer i = 0; i < item->Count(); ++i) {
    TMenuItem* c = item->Items(i);
    switch (kind) {
      case TMenu::fkCommand:
        if (c->Command() == value) return c;
        break;
      case TMenu::fkHandle:
        if (c->Count() > 0 && reinterpret_cast<win::UINT_PTR>(c->Handle()) == value) return c;
        break;
      case TMenu::fkShortCut:
        if (c->ShortCut() == value) return c;
        break;
    }
    if (TMenuItem* found = FindIn(c, value, kind)) return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItem(win::UINT_PTR Value, TFindItemKind Kind) {
  if (Kind == fkShortCut && Value == 0) return nullptr;
  return FindIn(FItems.get(), Value, Kind);
}

bool TMenu::DispatchCommand(win::UINT ACommand) {
  TMenuItem* item = FindItem(ACommand, fkCommand);
  if (item == nullptr) return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(TMessage& Message) {
  return IsShortCut(ShortCut(Word(Message.WParam), KeyDataToShiftState(Message.LParam)));
}

bool TMenu::IsShortCut(TShortCut AShortCut) {
  TMenuItem* item = FindItem(AShortCut, fkShortCut);
  if (item == nullptr) return false;
  for (TMenuItem* p = item; p != nullptr; p = p->Parent()) {
    p->InitiateAction();
    if (!p->Enabled() || !p->Visible()) return false;
  }
  item->Click();
  return true;
}

// ---- TMainMenu ----

void TMainMenu::RebuildHandle() {
  win::HMENU old = FHandle;
  ForgetItemHandles();
  FHandle = win::CreateMenu();
  FItems->AppendTo(FHandle, false);
  if (FForm != nullptr && FForm->HandleAllocated()) {
    win::SetMenu(FForm->Handle(), FHandle);
    win::DrawMenuBar(FForm->Handle());
  }
  if (old != nullptr) win::DestroyMenu(old);
}

void TMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) {
  TMenu::MenuChanged(Sender, Source, Rebuild);
}

// ---- TPopupMenu ----

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { PopupList->Add(this); }

TPopupMenu::~TPopupMenu() {
  PopupList->Remove(this);
  if (FPopupComponent != nullptr) FPopupComponent->RemoveFreeNotification(this);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent == Value) return;
  if (FPopupComponent != nullptr) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(Integer X, Integer Y) {
  FPopupPoint = Point(X, Y);
  DoPopup(this);
  for (Integer i = 0; i < FItems->Count(); ++i) FItems->Items(i)->InitiateAction();
  win::UINT flags = win::TPM_RIGHTBUTTON;
  switch (FAlignment) {
    case paLeft: flags |= win::TPM_LEFTALIGN; break;
    case paRight: flags |= win::TPM_RIGHTALIGN; break;
    case paCenter: flags |= win::TPM_CENTERALIGN; break;
  }
  win::TrackPopupMenuEx(Handle(), flags, X, Y, PopupList->Window(), nullptr);
  if (OnClose) OnClose(this);
}

// ---- TPopupList ----

TPopupList::TPopupList() = default;

TPopupList::~TPopupList() {
  if (FWindow != nullptr && win::IsWindow(FWindow)) DeallocateHWnd(FWindow);
}

void TPopupList::Add(TPopupMenu* Menu) { FMenus.push_back(Menu); }

void TPopupList::Remove(TPopupMenu* Menu) {
  auto it = std::find(FMenus.begin(), FMenus.end(), Menu);
  if (it != FMenus.end()) FMenus.erase(it);
}

win::HWND TPopupList::Window() {
  if (FWindow == nullptr || !win::IsWindow(FWindow)) {
    FWindow = AllocateHWnd([this](win::UINT msg, win::WPARAM w, win::LPARAM l) {
      TMessage m{msg, w, l, 0};
      WndProc(m);
      return m.Result;
    });
  }
  return FWindow;
}

void TPopupList::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case win::WM_MEASUREITEM:
      for (TPopupMenu* m : Message.LParam != 0 ? FMenus : std::vector<TPopupMenu*>{}) {
        if (m->DispatchMeasureItem(*reinterpret_cast<win::MEASUREITEMSTRUCT*>(Message.LParam))) {
          Message.Result = 1;
          return;
        }
      }
      break;
    case win::WM_DRAWITEM:
      for (TPopupMenu* m : Message.LParam != 0 ? FMenus : std::vector<TPopupMenu*>{}) {
        if (m->DispatchDrawItem(*reinterpret_cast<const win::DRAWITEMSTRUCT*>(Message.LParam))) {
          Message.Result = 1;
          return;
        }
      }
      break;
    case win::WM_COMMAND:
      for (TPopupMenu* m : std::vector<TPopupMenu*>(FMenus)) {
        if (m->DispatchCommand(win::LOWORD(Message.WParam))) return;
      }
      break;
    case win::WM_INITMENUPOPUP:
      for (TPopupMenu* m : FMenus) {
        if (TMenuItem* item = m->FindItem(win::UINT_PTR(Message.WParam), TMenu::fkHandle)) {
          for (Integer i = 0; i < item->Count(); ++i) item->Items(i)->InitiateAction();
          return;
        }
      }
      break;
    case win::WM_MENUSELECT: {
      win::UINT flags = win::HIWORD(Message.WParam);
      if (flags == 0xFFFF && Message.LParam == 0) {
        if (Application != nullptr) Application->SetHint("");
        return;
      }
      for (TPopupMenu* m : FMenus) {
        TMenuItem* item = nullptr;
        if ((flags & win::MF_POPUP) != 0) {
          win::HMENU sub = win::GetSubMenu(reinterpret_cast<win::HMENU>(Message.LParam), win::LOWORD(Message.WParam));
          item = m->FindItem(reinterpret_cast<win::UINT_PTR>(sub), TMenu::fkHandle);
        } else {
          item = m->FindItem(win::LOWORD(Message.WParam), TMenu::fkCommand);
        }
        if (item != nullptr) {
          if (Application != nullptr) Application->SetHint(GetLongHint(item->Hint()));
          return;
        }
      }
      break;
    }
    default: break;
  }
  Message.Result = win::DefWindowProcW(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace fw
