#include "framework/ActnList.h"

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "framework/StringList.h"
#include "platform/user/messages/MessageQueue.h"

namespace fw {

// ---- TBasicActionLink ----

TBasicActionLink::~TBasicActionLink() {
  if (FAction != nullptr) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction != nullptr) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (Value != nullptr) Value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (FAction == nullptr) return false;
  TBasicAction* action = FAction;
  action->SetActionComponent(AComponent);
  bool result = false;
  try {
    result = action->Execute();
  } catch (...) {
    action->SetActionComponent(nullptr);
    throw;
  }
  action->SetActionComponent(nullptr);
  return result;
}

bool TBasicActionLink::Update() { return FAction != nullptr && FAction->Update(); }

void TBasicActionLink::Change() {
  if (OnChange) OnChange(FAction);
}

// ---- TBasicAction ----

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  for (TBasicActionLink* l : FClients) l->ActionDestroyed();
  FClients.clear();
  if (FActionComponent != nullptr) FActionComponent->RemoveFreeNotification(this);
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::SetActionComponent(TComponent* Value) {
  if (FActionComponent == Value) return;
  if (FActionComponent != nullptr) FActionComponent->RemoveFreeNotification(this);
  FActionComponent = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
  if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
  auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it != FClients.end()) FClients.erase(it);
}

void TBasicAction::Change() {
  if (OnChange) OnChange(this);
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActionComponent) FActionComponent = nullptr;
}

// ---- TContainedAction ----

TContainedAction::~TContainedAction() {
  if (FActionList != nullptr) FActionList->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList != nullptr) FActionList->RemoveAction(this);
  if (Value != nullptr) Value->AddAction(this);
}

void TContainedAction::SetCategory(const String& Value) {
  if (FCategory == Value) return;
  FCategory = Value;
  if (FActionList != nullptr) FActionList->Change();
}

Integer TContainedAction::Index() const {
  if (FActionList == nullptr) return -1;
  auto& list = FActionList->FActions;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : Integer(it - list.begin());
}

void TContainedAction::SetIndex(Integer Value) {
  Integer cur = Index();
  if (cur < 0 || cur == Value) return;
  auto& list = FActionList->FActions;
  Value = std::clamp<Integer>(Value, 0, Integer(list.size()) - 1);
  list.erase(list.begin() + cur);
  list.insert(list.begin() + Value, this);
}

bool TContainedAction::Execute() {
  if (FActionList != nullptr && FActionList->ExecuteAction(this)) return true;
  if (Application != nullptr && Application->ExecuteAction(this)) return true;
  if (TBasicAction::Execute()) return true;
  return Application != nullptr &&
         win::SendMessageW(Application->Handle(), CM_ACTIONEXECUTE, 0, win::LPARAM(this)) == 1;
}

bool TContainedAction::Update() {
  if (FActionList != nullptr && FActionList->UpdateAction(this)) return true;
  if (Application != nullptr && Application->UpdateAction(this)) return true;
  if (TBasicAction::Update()) return true;
  return Application != nullptr && Application->HandleAllocated() &&
         win::SendMessageW(Application->Handle(), CM_ACTIONUPDATE, 0, win::LPARAM(this)) == 1;
}

// ---- TCustomAction ----

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}
TCustomAction::~TCustomAction() = default;

void TCustomAction::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  ForEachActionLink([&](TActionLink* l) { l->SetCaption(Value); });
  FCaption = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (FChecking || Value == FChecked) return;
  FChecking = true;
  try {
    ForEachActionLink([&](TActionLink* l) { l->SetChecked(Value); });
    FChecked = Value;
    if (FGroupIndex > 0 && Value && FActionList != nullptr) {
      for (TContainedAction* a : std::vector<TContainedAction*>(FActionList->FActions)) {
        auto* ca = dynamic_cast<TCustomAction*>(a);
        if (ca != nullptr && ca != this && ca->FGroupIndex == FGroupIndex) ca->SetChecked(false);
      }
    }
    Change();
  } catch (...) {
    FChecking = false;
    throw;
  }
  FChecking = false;
}

void TCustomAction::SetEnabled(bool Value) {
  FDisabledForNoHandler = false;
  if (Value == FEnabled) return;
  ForEachActionLink([&](TActionLink* l) { l->SetEnabled(Value); });
  FEnabled = Value;
  Change();
}

void TCustomAction::SetHelpContext(Integer Value) {
  if (Value == FHelpContext) return;
  ForEachActionLink([&](TActionLink* l) { l->SetHelpContext(Value); });
  FHelpContext = Value;
  Change();
}

void TCustomAction::SetHint(const String& Value) {
  if (Value == FHint) return;
  ForEachActionLink([&](TActionLink* l) { l->SetHint(Value); });
  FHint = Value;
  Change();
}

void TCustomAction::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  ForEachActionLink([&](TActionLink* l) { l->SetImageIndex(Value); });
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  ForEachActionLink([&](TActionLink* l) { l->SetShortCut(Value); });
  FShortCut = Value;
  Change();
}

TStrings* TCustomAction::SecondaryShortCuts() {
  if (!FSecondaryShortCuts) FSecondaryShortCuts = std::make_unique<TStringList>();
  return FSecondaryShortCuts.get();
}

bool TCustomAction::IsShortCut(TShortCut Value) {
  if (Value == 0) return false;
  if (Value == FShortCut) return true;
  if (FSecondaryShortCuts) {
    for (Integer i = 0; i < FSecondaryShortCuts->Count(); ++i) {
      if (TextToShortCut(FSecondaryShortCuts->Strings(i)) == Value) return true;
    }
  }
  return false;
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == FVisible) return;
  ForEachActionLink([&](TActionLink* l) { l->SetVisible(Value); });
  FVisible = Value;
  Change();
}

void TCustomAction::SetGroupIndex(Integer Value) {
  if (Value == FGroupIndex) return;
  ForEachActionLink([&](TActionLink* l) { l->SetGroupIndex(Value); });
  FGroupIndex = Value;
  Change();
}

void TCustomAction::SetAutoCheck(bool Value) {
  if (Value == FAutoCheck) return;
  ForEachActionLink([&](TActionLink* l) { l->SetAutoCheck(Value); });
  FAutoCheck = Value;
  Change();
}

bool TCustomAction::Execute() {
  Update();
  if (FEnabled && FAutoCheck && (!FChecked || FGroupIndex == 0)) SetChecked(!FChecked);
  return FEnabled && TContainedAction::Execute();
}

bool TCustomAction::Update() {
  if (TContainedAction::Update()) return true;
  if (!FDisableIfNoHandler) return false;
  if (!OnExecute && FEnabled) {
    SetEnabled(false);
    FDisabledForNoHandler = true;
  } else if (OnExecute && FDisabledForNoHandler) {
    SetEnabled(true);
  }
  return false;
}

void TCustomAction::SetDisableIfNoHandler(bool Value) {
  if (Value == FDisableIfNoHandler) return;
  FDisableIfNoHandler = Value;
  if (!Value && FDisabledForNoHandler) SetEnabled(true);
}

bool TCustomAction::HandleShortCut() { return Execute(); }

void TCustomAction::Assign(TPersistent* Source) {
  if (auto* a = dynamic_cast<TCustomAction*>(Source)) {
    SetAutoCheck(a->FAutoCheck);
    SetCaption(a->FCaption);
    SetChecked(a->FChecked);
    SetEnabled(a->FEnabled);
    SetHelpContext(a->FHelpContext);
    SetHint(a->FHint);
    SetImageIndex(a->FImageIndex);
    SetShortCut(a->FShortCut);
    SetVisible(a->FVisible);
    SetGroupIndex(a->FGroupIndex);
    SetDisableIfNoHandler(a->FDisableIfNoHandler);
    if (a->FSecondaryShortCuts) SecondaryShortCuts()->Assign(a->FSecondaryShortCuts.get());
    return;
  }
  if (auto* c = dynamic_cast<TControl*>(Source)) {
    SetCaption(c->Caption());
    SetHint(c->Hint());
    SetEnabled(c->Enabled());
    SetVisible(c->Visible());
    return;
  }
  TContainedAction::Assign(Source);
}

// ---- TCustomActionList ----

TCustomActionList::~TCustomActionList() {
  for (TContainedAction* a : FActions) a->FActionList = nullptr;
  FActions.clear();
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
}

void TCustomActionList::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  Change();
}

void TCustomActionList::AddAction(TContainedAction* Action) {
  FActions.push_back(Action);
  Action->FActionList = this;
  Action->FreeNotification(this);
  Change();
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
  auto it = std::find(FActions.begin(), FActions.end(), Action);
  if (it == FActions.end()) return;
  FActions.erase(it);
  Action->FActionList = nullptr;
  Change();
}

void TCustomActionList::Change() {
  if (OnChange) OnChange(this);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  if (OnExecute) OnExecute(Action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(Action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(win::WPARAM Key, win::LPARAM KeyData) {
  return IsShortCut(fw::ShortCut(Word(Key), KeyDataToShiftState(KeyData)));
}

bool TCustomActionList::IsShortCut(TShortCut AShortCut) {
  if (AShortCut == 0) return false;
  for (TContainedAction* a : std::vector<TContainedAction*>(FActions)) {
    auto* ca = dynamic_cast<TCustomAction*>(a);
    if (ca != nullptr && ca->IsShortCut(AShortCut)) return ca->HandleShortCut();
  }
  return false;
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  auto it = std::find(FActions.begin(), FActions.end(), AComponent);
  if (it != FActions.end()) FActions.erase(it);
}

// ---- TActionLink ----

TCustomAction* TActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(FAction); }

bool TActionLink::IsCaptionLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHelpContextLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsShortCutLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsAutoCheckLinked() { return CustomAction() != nullptr; }

// ---- TControlActionLink ----

bool TControlActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}
bool TControlActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}
bool TControlActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}
bool TControlActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}
bool TControlActionLink::IsOnExecuteLinked() { return !FClient->OnClick; }
void TControlActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}

// ---- TMenuActionLink ----

bool TMenuActionLink::IsAutoCheckLinked() {
  return TActionLink::IsAutoCheckLinked() && FClient->AutoCheck() == CustomAction()->AutoCheck();
}
bool TMenuActionLink::IsCaptionLinked() {
  return TActionLink::IsCaptionLinked() && FClient->Caption() == CustomAction()->Caption();
}
bool TMenuActionLink::IsCheckedLinked() {
  return TActionLink::IsCheckedLinked() && FClient->Checked() == CustomAction()->Checked();
}
bool TMenuActionLink::IsEnabledLinked() {
  return TActionLink::IsEnabledLinked() && FClient->Enabled() == CustomAction()->Enabled();
}
bool TMenuActionLink::IsGroupIndexLinked() {
  return TActionLink::IsGroupIndexLinked() && FClient->GroupIndex() == CustomAction()->GroupIndex();
}
bool TMenuActionLink::IsHelpContextLinked() {
  return TActionLink::IsHelpContextLinked() && FClient->HelpContext() == CustomAction()->HelpContext();
}
bool TMenuActionLink::IsHintLinked() {
  return TActionLink::IsHintLinked() && FClient->Hint() == CustomAction()->Hint();
}
bool TMenuActionLink::IsImageIndexLinked() {
  return TActionLink::IsImageIndexLinked() && FClient->ImageIndex() == CustomAction()->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() {
  return TActionLink::IsShortCutLinked() && FClient->ShortCut() == CustomAction()->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked() {
  return TActionLink::IsVisibleLinked() && FClient->Visible() == CustomAction()->Visible();
}
bool TMenuActionLink::IsOnExecuteLinked() { return !FClient->OnClick; }
void TMenuActionLink::SetAutoCheck(bool Value) {
  if (IsAutoCheckLinked()) FClient->SetAutoCheck(Value);
}
void TMenuActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TMenuActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetChecked(Value);
}
void TMenuActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TMenuActionLink::SetGroupIndex(Integer Value) {
  if (IsGroupIndexLinked()) FClient->SetGroupIndex(Byte(Value));
}
void TMenuActionLink::SetHelpContext(Integer Value) {
  if (IsHelpContextLinked()) FClient->SetHelpContext(Value);
}
void TMenuActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TMenuActionLink::SetImageIndex(Integer Value) {
  if (IsImageIndexLinked()) FClient->SetImageIndex(Value);
}
void TMenuActionLink::SetShortCut(TShortCut Value) {
  if (IsShortCutLinked()) FClient->SetShortCut(Value);
}
void TMenuActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}

}  // namespace fw
