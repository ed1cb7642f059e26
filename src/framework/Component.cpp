#include "framework/Component.h"

#include <algorithm>

#include "framework/ClassesUtilWindow.h"
#include "framework/SysUtils.h"
#include "platform/user/windows/DefWindowProc.h"
#include "platform/user/messages/MessageQueue.h"
#include "platform/user/messages/Messages.h"
#include "platform/user/windows/Window.h"

namespace fw {

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* linked = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    std::erase(linked->FFreeNotifies, this);
    linked->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(Integer Index) const {
  if (Index < 0 || Index >= ComponentCount()) throw EListError(Format("List index out of bounds (%d)", Index));
  return FComponents[std::size_t(Index)];
}

Integer TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : Integer(it - list.begin());
}

void TComponent::SetComponentIndex(Integer Value) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  Integer current = ComponentIndex();
  if (current < 0) return;
  Value = std::clamp(Value, Integer(0), Integer(list.size()) - 1);
  if (Value == current) return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents) {
    if (SameText(c->FName, AName)) return c;
  }
  return nullptr;
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) {
    throw EComponentError(Format("'%s' is not a valid component name", NewName));
  }
  if (FOwner) {
    FOwner->ValidateRename(this, FName, NewName);
  } else {
    ValidateRename(nullptr, FName, NewName);
  }
  FName = NewName;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (!AComponent || NewName.empty() || SameText(CurName, NewName)) return;
  TComponent* existing = FindComponent(NewName);
  if (existing && existing != AComponent) {
    throw EComponentError(Format("A component named %s already exists", NewName));
  }
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  ValidateRename(AComponent, "", AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  if (FComponentState.Contains(csLoading)) AComponent->SetLoading();
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  std::erase(FComponents, AComponent);
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    Remove(last);
    delete last;
  }
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  NotifyOwned(AComponent, Operation);
}

void TComponent::NotifyOwned(TComponent* AComponent, TOperation Operation) {
  // Handlers may remove components from this list: walk down by index and re-check the bound.
  for (std::size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) continue;
    FComponents[i]->Notification(AComponent, Operation);
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
  }
  if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
      AComponent->FFreeNotifies.end()) {
    AComponent->FFreeNotifies.push_back(this);
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  std::erase(FFreeNotifies, AComponent);
  std::erase(AComponent->FFreeNotifies, this);
}

void TComponent::SetLoading() {
  FComponentState.Include(csLoading);
  FComponentState.Include(csReading);
  for (TComponent* c : FComponents) c->SetLoading();
}

void TComponent::BeginLoad() { SetLoading(); }

void TComponent::EndLoad() { LoadedTree(); }

void TComponent::LoadedTree() {
  std::vector<TComponent*> owned = FComponents;
  for (TComponent* c : owned) c->LoadedTree();
  if (FComponentState.Contains(csLoading)) {
    FComponentState.Exclude(csReading);
    Loaded();
  }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

// Deferred frees ------------------------------------------------------------------------------

namespace {

constexpr win::UINT kFreeMessage = win::WM_USER + 0x7F1;

// Holds the components waiting to be freed; the free-notification link drops an entry when its
// component goes away by other means first.
class TFreeQueue final : public TComponent {
 public:
  TFreeQueue() : TComponent(nullptr) {}
  void Add(TComponent* c) {
    if (std::find(FPending.begin(), FPending.end(), c) != FPending.end()) return;
    FPending.push_back(c);
    FreeNotification(c);
    if (!AllocatedHWndAlive(FWindow)) {
      FPosted = false;  // a message posted to a window that is gone never arrives
      if (FWindow) DeallocateHWnd(FWindow);
      FWindow = AllocateHWnd([this](win::UINT msg, win::WPARAM w, win::LPARAM l) -> win::LRESULT {
        if (msg == kFreeMessage) {
          Run();
          return 0;
        }
        return win::DefWindowProcW(FWindow, msg, w, l);
      });
    }
    if (!FPosted && FWindow) FPosted = win::PostMessageW(FWindow, kFreeMessage, 0, 0) != 0;
  }

  void Run() {
    FPosted = false;
    while (!FPending.empty()) {
      TComponent* c = FPending.front();
      FPending.erase(FPending.begin());
      RemoveFreeNotification(c);
      delete c;
    }
  }

  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove) std::erase(FPending, AComponent);
    TComponent::Notification(AComponent, Operation);
  }

 private:
  std::vector<TComponent*> FPending;
  win::HWND FWindow = nullptr;
  bool FPosted = false;
};

TFreeQueue& FreeQueue() {
  static TFreeQueue* queue = new TFreeQueue;  // lives to the end of the process
  return *queue;
}

}  // namespace

void PostFree(TComponent* AComponent) {
  if (AComponent) FreeQueue().Add(AComponent);
}

void ProcessPostedFrees() { FreeQueue().Run(); }

}  // namespace fw
