#include "toolbars/TBItem.h"

#include <algorithm>

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/PublishedMethods.h"
#include "platform/user/messages/Input.h"
#include "toolbars/TBItemViewer.h"
#include "toolbars/detail/TBItemQueue.h"

namespace toolbars {

namespace {

constexpr const char* kIndexOutOfRange = "Toolbar item index out of range";
constexpr const char* kAlreadyInserted = "Toolbar item already inserted";
constexpr const char* kInsertIntoItself = "Toolbar item cannot be inserted into itself";
// Options whose change alters how an item looks or measures.
constexpr uint64_t kLayoutOptionsMask = 0x367;
constexpr Integer kMaxGroupRelayDepth = 10;
constexpr Integer kMaxLinkHops = 25;
// Rebuilds by OnPopup handlers may make the shortcut walk start over; it does so a bounded
// number of times, then gives up.
constexpr int kMaxShortCutRestarts = 2;

// Events are the same handler when they hold the same callable: plain functions compare by
// address; any other callable (each lambda expression has a type of its own) by type, so an
// OnClick copied from an action's OnExecute counts as that handler.
bool SameEvent(const TNotifyEvent& A, const TNotifyEvent& B) {
  if (!A || !B) return !A && !B;
  if (A.target_type() != B.target_type()) return false;
  if (const auto* a = A.target<fw::TPublishedMethod>()) {
    const auto* b = B.target<fw::TPublishedMethod>();
    return a->Instance() == b->Instance() && a->Name() == b->Name();
  }
  using Fn = void (*)(TObject*);
  const Fn* a = A.target<Fn>();
  const Fn* b = B.target<Fn>();
  return a == nullptr || *a == *b;
}

}  // namespace

// ---- action link ----

bool TTBCustomItemActionLink::IsAutoCheckLinked() {
  return FClient && IsCheckedLinked() && FClient->AutoCheck() == CustomAction()->AutoCheck();
}
bool TTBCustomItemActionLink::IsCaptionLinked() {
  return FClient && fw::TActionLink::IsCaptionLinked() && CustomAction() &&
         FClient->Caption() == CustomAction()->Caption();
}
bool TTBCustomItemActionLink::IsCheckedLinked() {
  return FClient && fw::TActionLink::IsCheckedLinked() && CustomAction() &&
         FClient->Checked() == CustomAction()->Checked();
}
bool TTBCustomItemActionLink::IsEnabledLinked() {
  return FClient && fw::TActionLink::IsEnabledLinked() && CustomAction() &&
         FClient->Enabled() == CustomAction()->Enabled();
}
bool TTBCustomItemActionLink::IsHelpContextLinked() {
  return FClient && fw::TActionLink::IsHelpContextLinked() && CustomAction() &&
         FClient->HelpContext() == CustomAction()->HelpContext();
}
bool TTBCustomItemActionLink::IsHintLinked() {
  return FClient && fw::TActionLink::IsHintLinked() && CustomAction() && FClient->Hint() == CustomAction()->Hint();
}
bool TTBCustomItemActionLink::IsImageIndexLinked() {
  return FClient && fw::TActionLink::IsImageIndexLinked() && CustomAction() &&
         FClient->ImageIndex() == CustomAction()->ImageIndex();
}
bool TTBCustomItemActionLink::IsShortCutLinked() {
  return FClient && fw::TActionLink::IsShortCutLinked() && CustomAction() &&
         FClient->ShortCut() == CustomAction()->ShortCut();
}
bool TTBCustomItemActionLink::IsVisibleLinked() {
  return FClient && fw::TActionLink::IsVisibleLinked() && CustomAction() &&
         FClient->Visible() == CustomAction()->Visible();
}
bool TTBCustomItemActionLink::IsOnExecuteLinked() {
  return FClient && Action() && SameEvent(FClient->OnClick, Action()->OnExecute);
}
void TTBCustomItemActionLink::SetAutoCheck(bool Value) {
  if (IsAutoCheckLinked()) FClient->SetAutoCheck(Value);
}
void TTBCustomItemActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TTBCustomItemActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetChecked(Value);
}
void TTBCustomItemActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TTBCustomItemActionLink::SetHelpContext(Integer Value) {
  if (IsHelpContextLinked()) FClient->SetHelpContext(Value);
}
void TTBCustomItemActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TTBCustomItemActionLink::SetImageIndex(Integer Value) {
  if (IsImageIndexLinked()) FClient->SetImageIndex(Value);
}
void TTBCustomItemActionLink::SetShortCut(fw::TShortCut Value) {
  if (IsShortCutLinked()) FClient->SetShortCut(Value);
}
void TTBCustomItemActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}
void TTBCustomItemActionLink::SetOnExecute(const TNotifyEvent& Value) {
  if (IsOnExecuteLinked()) FClient->OnClick = Value;
}

// ---- item ----

TTBCustomItem::TTBCustomItem(TComponent* AOwner) : TComponent(AOwner) { detail::AddLiveObject(); }

TTBCustomItem::~TTBCustomItem() {
  Destroying();
  detail::CancelPostedCalls(this);
  // Children go last first, each leaving the list as it goes.
  while (!FItems.empty()) delete FItems.back();
  if (FParent) FParent->Remove(this);
  if (FLinkSubitems) {
    auto& lp = FLinkSubitems->FLinkParents;
    lp.erase(std::remove(lp.begin(), lp.end(), this), lp.end());
  }
  // Items showing these children learn it while this item is still whole, so that their views
  // let go of it before it goes.
  std::vector<TTBCustomItem*> linkParents;
  linkParents.swap(FLinkParents);
  for (TTBCustomItem* p : linkParents)
    if (p->FLinkSubitems == this) {
      p->FLinkSubitems = nullptr;
      p->Notify(tbicSubitemsChanged, -1, nullptr);
    }
  FActionLink.reset();
  FImagesChangeLink.reset();
  FSubMenuImagesChangeLink.reset();
  FNotifyList.clear();
  detail::RemoveLiveObject();
}

TTBCustomItem* TTBCustomItem::Items(Integer Index) const {
  if (Index < 0 || Index >= Count()) throw ETBItemError(kIndexOutOfRange);
  return FItems[size_t(Index)];
}

void TTBCustomItem::Insert(Integer Index, TTBCustomItem* AItem) {
  if (AItem->FParent != nullptr) throw ETBItemError(kAlreadyInserted);
  if (Index < 0 || Index > Count()) throw ETBItemError(kIndexOutOfRange);
  // A tree that contains itself would free its items twice.
  for (TTBCustomItem* p = this; p; p = p->FParent)
    if (p == AItem) throw ETBItemError(kInsertIntoItself);
  FItems.insert(FItems.begin() + Index, AItem);
  AItem->FParent = this;
  Notify(tbicSubitemsBeginUpdate, -1, nullptr);
  try {
    Notify(tbicInserted, Index, AItem);
    AItem->RecalcOptions();
  } catch (...) {
    Notify(tbicSubitemsEndUpdate, -1, nullptr);
    throw;
  }
  Notify(tbicSubitemsEndUpdate, -1, nullptr);
}

void TTBCustomItem::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) throw ETBItemError(kIndexOutOfRange);
  TTBCustomItem* item = FItems[size_t(Index)];
  Notify(tbicDeleting, Index, item);
  item->FParent = nullptr;
  // Handlers may have changed the list meanwhile.
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it != FItems.end()) FItems.erase(it);
}

void TTBCustomItem::Remove(TTBCustomItem* AItem) {
  Integer i = IndexOf(AItem);
  if (i >= 0) Delete(i);
}

Integer TTBCustomItem::IndexOf(const TTBCustomItem* AItem) const {
  auto it = std::find(FItems.begin(), FItems.end(), AItem);
  return it == FItems.end() ? -1 : Integer(it - FItems.begin());
}

void TTBCustomItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

void TTBCustomItem::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= Count() || CurIndex < 0 || CurIndex >= Count())
    throw ETBItemError(kIndexOutOfRange);
  TTBCustomItem* item = FItems[size_t(CurIndex)];
  Notify(tbicSubitemsBeginUpdate, -1, nullptr);
  try {
    Delete(CurIndex);
    Insert(NewIndex, item);
  } catch (...) {
    Notify(tbicSubitemsEndUpdate, -1, nullptr);
    throw;
  }
  Notify(tbicSubitemsEndUpdate, -1, nullptr);
}

TTBCustomItem* TTBCustomItem::GetLinkedItem() { return FLinkSubitems ? FLinkSubitems : this; }

// ---- notifications ----

void TTBCustomItem::RegisterNotification(const void* Id, TTBItemChangedProc Proc) {
  for (auto& r : FNotifyList)
    if (r.Id == Id) {
      ++r.UseCount;
      return;
    }
  FNotifyList.push_back(TNotifyRec{Id, std::move(Proc), 1});
}

void TTBCustomItem::UnregisterNotification(const void* Id) {
  for (auto it = FNotifyList.begin(); it != FNotifyList.end(); ++it)
    if (it->Id == Id) {
      if (--it->UseCount <= 0) FNotifyList.erase(it);
      return;
    }
}

void TTBCustomItem::Notify(TTBItemChangedAction Action, Integer Index, TTBCustomItem* Item) {
  NotifyInternal(this, 0, Action, Index, Item);
}

void TTBCustomItem::RelayNotify(TTBCustomItem* Relayer, TTBCustomItem* Sender, Integer Depth,
                                TTBItemChangedAction Action, Integer Index, TTBCustomItem* Item) {
  if (Depth <= kMaxGroupRelayDepth && (Relayer->FItemStyle & tbisEmbeddedGroup) && Relayer->FParent)
    Relayer->FParent->NotifyInternal(Sender == this ? Relayer : Sender, Depth + 1, Action, Index, Item);
}

void TTBCustomItem::NotifyInternal(TTBCustomItem* Sender, Integer Depth, TTBItemChangedAction Action, Integer Index,
                                   TTBCustomItem* Item) {
  RelayNotify(this, Sender, Depth, Action, Index, Item);
  std::vector<TTBCustomItem*> linkParents = FLinkParents;
  for (TTBCustomItem* l : linkParents)
    if (l != FParent) RelayNotify(l, Sender, Depth, Action, Index, Item);
  for (size_t i = 0; i < FNotifyList.size();) {
    const void* id = FNotifyList[i].Id;
    TTBItemChangedProc proc = FNotifyList[i].Proc;
    proc(Sender, Sender != this, Action, Index, Item);
    // A handler that unregistered itself must not make the next one be skipped.
    if (i < FNotifyList.size() && FNotifyList[i].Id == id) ++i;
  }
}

void TTBCustomItem::Change(bool NeedResize) {
  if (FParent) FParent->Notify(NeedResize ? tbicInvalidateAndResize : tbicInvalidate, -1, this);
}

void TTBCustomItem::SetName(const String& NewName) {
  if (Name() == NewName) return;
  TComponent::SetName(NewName);
  if (FParent) FParent->Notify(tbicNameChanged, -1, this);
}

// ---- properties ----

void TTBCustomItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Change(true);
}

void TTBCustomItem::UncheckGroupSiblings() {
  if (FGroupIndex == 0 || FParent == nullptr) return;
  for (Integer i = 0; i < FParent->Count(); ++i) {
    TTBCustomItem* s = FParent->FItems[size_t(i)];
    if (s != this && s->FChecked && s->FGroupIndex == FGroupIndex) s->SetChecked(false);
  }
}

void TTBCustomItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  Change(false);
  if (Value) UncheckGroupSiblings();
}

void TTBCustomItem::SetDisplayMode(TTBItemDisplayMode Value) {
  if (FDisplayMode == Value) return;
  FDisplayMode = Value;
  Change(true);
}

void TTBCustomItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  EnabledChanged();
}

void TTBCustomItem::EnabledChanged() { Change(false); }

void TTBCustomItem::SetGroupIndex(Integer Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FChecked) UncheckGroupSiblings();
}

void TTBCustomItem::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  bool resize = (FImageIndex == -1) != (Value == -1);
  FImageIndex = Value;
  Change(resize);
}

bool TTBCustomItem::ChangeImages(fw::TCustomImageList*& AImages, fw::TCustomImageList* Value,
                                 std::unique_ptr<TTBImageChangeLink>& ALink) {
  Integer oldW = AImages ? AImages->Width() : -1, oldH = AImages ? AImages->Height() : -1;
  if (AImages) {
    if (ALink) AImages->UnRegisterChanges(ALink.get());
    if (AImages != Value) AImages->RemoveFreeNotification(this);
  }
  bool hadList = AImages != nullptr;
  AImages = Value;
  if (Value == nullptr) {
    ALink.reset();
    return hadList;
  }
  if (!ALink) {
    ALink = std::make_unique<TTBImageChangeLink>();
    ALink->OnChange = [this, link = ALink.get()](TObject* Sender) {
      if (link == FImagesChangeLink.get())
        ImageListChanged(Sender);
      else
        SubMenuImagesChanged(Sender);
    };
  }
  ALink->FLastWidth = Value->Width();
  ALink->FLastHeight = Value->Height();
  Value->RegisterChanges(ALink.get());
  Value->FreeNotification(this);
  return Value->Width() != oldW || Value->Height() != oldH;
}

void TTBCustomItem::ImageListChanged(TObject* /*Sender*/) {
  if (!FImages || !FImagesChangeLink) return;
  bool resize = FImages->Width() != FImagesChangeLink->FLastWidth || FImages->Height() != FImagesChangeLink->FLastHeight;
  FImagesChangeLink->FLastWidth = FImages->Width();
  FImagesChangeLink->FLastHeight = FImages->Height();
  Change(resize);
}

void TTBCustomItem::SubMenuImagesChanged(TObject* /*Sender*/) {
  if (!FSubMenuImages || !FSubMenuImagesChangeLink) return;
  FSubMenuImagesChangeLink->FLastWidth = FSubMenuImages->Width();
  FSubMenuImagesChangeLink->FLastHeight = FSubMenuImages->Height();
  Notify(tbicSubMenuImagesChanged, -1, nullptr);
}

void TTBCustomItem::SetImages(fw::TCustomImageList* Value) {
  if (FImages == Value) return;
  Change(ChangeImages(FImages, Value, FImagesChangeLink));
}

void TTBCustomItem::SetSubMenuImages(fw::TCustomImageList* Value) {
  if (FSubMenuImages == Value) return;
  ChangeImages(FSubMenuImages, Value, FSubMenuImagesChangeLink);
  Notify(tbicSubMenuImagesChanged, -1, nullptr);
}

void TTBCustomItem::SetInheritOptions(bool Value) {
  if (FInheritOptions == Value) return;
  FInheritOptions = Value;
  RecalcOptions();
}

void TTBCustomItem::SetMaskOptions(TTBItemOptions Value) {
  if (FMaskOptions == Value) return;
  FMaskOptions = Value;
  RecalcOptions();
}

void TTBCustomItem::SetOptions(TTBItemOptions Value) {
  if (!Value.Contains(tboToolbarStyle)) Value.Exclude(tboToolbarSize);
  if (FOptions == Value) return;
  FOptions = Value;
  RecalcOptions();
}

void TTBCustomItem::RecalcOptions() {
  TTBItemOptions inherited;
  if (FInheritOptions && FParent) inherited = FParent->FEffectiveOptions - TTBItemOptions{tboDefault};
  TTBItemOptions n = (inherited - FMaskOptions) + FOptions;
  if (!n.Contains(tboToolbarStyle)) n.Exclude(tboToolbarSize);
  if (n == FEffectiveOptions) return;
  uint64_t changed = n.Bits() ^ FEffectiveOptions.Bits();
  FEffectiveOptions = n;
  if (changed & kLayoutOptionsMask) Change(true);
  for (TTBCustomItem* c : FItems)
    if (c->FInheritOptions) c->RecalcOptions();
}

void TTBCustomItem::SetLinkSubitems(TTBCustomItem* Value) {
  if (Value == this) Value = nullptr;
  if (FLinkSubitems == Value) return;
  if (FLinkSubitems) {
    auto& lp = FLinkSubitems->FLinkParents;
    lp.erase(std::remove(lp.begin(), lp.end(), this), lp.end());
    FLinkSubitems->RemoveFreeNotification(this);
  }
  FLinkSubitems = Value;
  if (Value) {
    Value->FLinkParents.push_back(this);
    Value->FreeNotification(this);
  }
  Notify(tbicSubitemsChanged, -1, nullptr);
}

void TTBCustomItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Change(true);
}

void TTBCustomItem::SetParentComponent(TComponent* Value) {
  if (auto* source = dynamic_cast<ITBRootItemSource*>(Value))
    source->GetRootItem()->Add(this);
  else if (auto* item = dynamic_cast<TTBCustomItem*>(Value))
    item->Add(this);
}

// ---- actions ----

fw::TBasicAction* TTBCustomItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

TTBCustomItemActionLink* TTBCustomItem::CreateActionLink() { return new TTBCustomItemActionLink(this); }

void TTBCustomItem::SetAction(fw::TBasicAction* Value) {
  if (Value == nullptr) {
    if (FActionLink && FActionLink->Action()) FActionLink->Action()->RemoveFreeNotification(this);
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink.reset(CreateActionLink());
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) { DoActionChange(Sender); };
  // While either is being read, only what the item left at its defaults comes from the action:
  // a stream keeps the item's own values of what the action does not supply.
  ActionChange(Value, Value->ComponentState().Contains(fw::csLoading) || ComponentState().Contains(fw::csLoading));
  Value->FreeNotification(this);
}

void TTBCustomItem::DoActionChange(TObject* Sender) {
  if (Sender == Action()) ActionChange(Sender, false);
}

void TTBCustomItem::ActionChange(TObject* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<fw::TCustomAction*>(Sender);
  if (a == nullptr) return;
  if (!CheckDefaults || !FAutoCheck) SetAutoCheck(a->AutoCheck());
  if (!CheckDefaults || FCaption.empty()) SetCaption(a->Caption());
  if (!CheckDefaults || !FChecked) SetChecked(a->Checked());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHelpContext == 0) SetHelpContext(a->HelpContext());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
  if (!CheckDefaults || FShortCut == 0) SetShortCut(a->ShortCut());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
  if (!CheckDefaults || !OnClick) OnClick = a->OnExecute;
}

void TTBCustomItem::Loaded() {
  TComponent::Loaded();
  if (Action()) ActionChange(Action(), true);
}

void TTBCustomItem::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TTBCustomItem::Notification(TComponent* AComponent, fw::TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  if (Action() == AComponent) {
    FActionLink.reset();
  }
  if (AComponent == FImages) {
    FImages = nullptr;
    FImagesChangeLink.reset();
    Change(true);
  }
  if (AComponent == FSubMenuImages) {
    FSubMenuImages = nullptr;
    FSubMenuImagesChangeLink.reset();
    Notify(tbicSubMenuImagesChanged, -1, nullptr);
  }
  if (AComponent == FLinkSubitems) {
    // The target's destructor already dropped us from its link-parent list.
    FLinkSubitems = nullptr;
    Notify(tbicSubitemsChanged, -1, nullptr);
  }
  FLinkParents.erase(std::remove(FLinkParents.begin(), FLinkParents.end(), AComponent), FLinkParents.end());
}

// ---- clicks ----

void TTBCustomItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck && (!FActionLink || !FActionLink->IsAutoCheckLinked())) SetChecked(!FChecked);
  if (OnClick && Action() && !SameEvent(OnClick, Action()->OnExecute)) {
    OnClick(this);
    return;
  }
  if (FActionLink && FActionLink->Action()) {
    FActionLink->Execute(this);
    return;
  }
  if (OnClick) OnClick(this);
}

void TTBCustomItem::DoPopup(TTBCustomItem* Sender, bool FromLink) {
  if (OnPopup) OnPopup(Sender, FromLink);
  if (!(FItemStyle & tbisCombo)) Click();
}

TTBView* TTBCustomItem::GetChevronParentView() { return nullptr; }

TTBItemViewerClass TTBCustomItem::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTBItemViewer>();
}

bool TTBCustomItem::NeedToRecreateViewer(TTBItemViewer* /*AViewer*/) { return false; }

String TTBCustomItem::GetShortCutText() const {
  auto tab = FCaption.find('\t');
  if (tab != String::npos) return FCaption.substr(tab + 1);
  if (FShortCut != 0) return fw::ShortCutToText(FShortCut);
  return String();
}

// ---- shortcut walk ----

TTBCustomItem* TTBCustomItem::FindShortCut(fw::TShortCut AShortCut, TTBCustomItem*& ATopLevel) {
  ATopLevel = nullptr;
  // Depth-first; each LinkSubitems hop counts one level.
  std::function<TTBCustomItem*(TTBCustomItem*, Integer, TTBCustomItem*)> search =
      [&](TTBCustomItem* parent, Integer hops, TTBCustomItem* top) -> TTBCustomItem* {
    TTBCustomItem* linked = parent->GetLinkedItem();
    if (linked != parent && ++hops > kMaxLinkHops) return nullptr;
    for (TTBCustomItem* c : linked->FItems) {
      TTBCustomItem* path = top ? top : c;
      if (c->FShortCut == AShortCut) {
        ATopLevel = top;
        return c;
      }
      if (TTBCustomItem* r = search(c, hops, path)) return r;
    }
    return nullptr;
  };
  return search(this, 0, nullptr);
}

bool TTBCustomItem::IsShortCut(fw::TMessage& Message) {
  fw::TShiftState shift = fw::KeyDataToShiftState(Message.LParam);
  return IsShortCut(fw::ShortCut(Word(Message.WParam), shift));
}

bool TTBCustomItem::IsShortCut(fw::TShortCut AShortCut) {
  if (AShortCut == 0) return false;
  auto guarded = [](auto&& call) {
    try {
      call();
    } catch (...) {
      if (fw::Application) fw::Application->HandleException(nullptr);
    }
  };
  for (int restart = 0; restart <= kMaxShortCutRestarts; ++restart) {
    TTBCustomItem* top = nullptr;
    if (FindShortCut(AShortCut, top) == nullptr) return false;
    TTBCustomItem* item = this;
    bool restartWalk = false;
    while (true) {
      if (!item->FEnabled) return false;
      TTBCustomItem* linked = item->GetLinkedItem();
      std::vector<TTBCustomItem*> children = linked->FItems;
      for (TTBCustomItem* c : children) c->InitiateAction();
      if (!(item->FItemStyle & tbisEmbeddedGroup)) {
        if (linked != item) guarded([&] { linked->DoPopup(item, true); });
        guarded([&] { item->DoPopup(item, false); });
      }
      TTBCustomItem* found = item->FindShortCut(AShortCut, top);
      if (found == nullptr) {
        restartWalk = true;
        break;
      }
      if (top == nullptr) {
        if (!found->FEnabled) return false;
        guarded([&] { found->Click(); });
        return true;
      }
      item = top;
    }
    if (!restartWalk) break;
  }
  return false;
}

// ---- item classes ----

TTBGroupItem::TTBGroupItem(TComponent* AOwner) : TTBCustomItem(AOwner) {
  FItemStyle |= tbisEmbeddedGroup | tbisSubitemsEditable;
}

TTBSeparatorItem::TTBSeparatorItem(TComponent* AOwner) : TTBCustomItem(AOwner) {
  FItemStyle = TTBItemStyle((FItemStyle & ~(tbisSelectable | tbisRedrawOnSelChange | tbisRedrawOnMouseOverChange)) |
                            tbisSeparator | tbisClicksTransparent);
}

void TTBSeparatorItem::SetBlank(bool Value) {
  if (FBlank == Value) return;
  FBlank = Value;
  Change(false);
}

TTBItemViewerClass TTBSeparatorItem::GetItemViewerClass(TTBView* /*AView*/) {
  return TTBItemViewerClass::Of<TTBSeparatorItemViewer>();
}

TTBControlItem::TTBControlItem(TComponent* AOwner) : TTBCustomItem(AOwner) {
  FItemStyle = TTBItemStyle((FItemStyle & ~tbisSelectable) | tbisClicksTransparent);
}

TTBControlItem::TTBControlItem(TComponent* AOwner, fw::TControl* AControl) : TTBControlItem(AOwner) {
  FControl = AControl;
  if (AControl) AControl->FreeNotification(this);
}

TTBControlItem::~TTBControlItem() {
  fw::TControl* control = FControl;
  FControl = nullptr;
  if (control) {
    control->RemoveFreeNotification(this);
    if (!FDontFreeControl && !control->ComponentState().Contains(fw::csAncestor)) delete control;
  }
}

void TTBControlItem::SetControl(fw::TControl* Value) {
  if (FControl == Value) return;
  if (FControl) FControl->RemoveFreeNotification(this);
  FControl = Value;
  if (Value) Value->FreeNotification(this);
  Change(true);
}

void TTBControlItem::Notification(TComponent* AComponent, fw::TOperation Operation) {
  TTBCustomItem::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FControl) {
    FControl = nullptr;
    Change(true);
  }
}

}  // namespace toolbars
