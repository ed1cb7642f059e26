#include "controls/UniCaptionHolders.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/Controls.h"

namespace cs {

namespace {

// Sorted by the control's address. Holders are owned here and never outlive their control.
std::vector<TWideCaptionHolder*>& Holders() {
  static auto* holders = new std::vector<TWideCaptionHolder*>();  // outlives every control
  return *holders;
}

std::vector<TWideCaptionHolder*>::iterator LowerBound(const fw::TControl* Control) {
  return std::lower_bound(Holders().begin(), Holders().end(), Control,
                          [](const TWideCaptionHolder* H, const fw::TControl* C) {
                            return std::less<const fw::TControl*>()(H->Control(), C);
                          });
}

}  // namespace

TWideCaptionHolder::TWideCaptionHolder(fw::TControl* Control) : fw::TComponent(nullptr), FControl(Control) {
  Holders().insert(LowerBound(Control), this);
  Control->FreeNotification(this);
}

TWideCaptionHolder::~TWideCaptionHolder() {
  auto it = LowerBound(FControl);
  if (it != Holders().end() && *it == this) Holders().erase(it);
  if (FControl != nullptr) FControl->RemoveFreeNotification(this);
}

void TWideCaptionHolder::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove || AComponent != FControl) return;
  // The control is going: the holder leaves the list and goes too.
  auto it = LowerBound(FControl);
  if (it != Holders().end() && *it == this) Holders().erase(it);
  FControl = nullptr;
  delete this;
}

TWideCaptionHolder* FindWideCaptionHolder(const fw::TControl* Control) {
  auto it = LowerBound(Control);
  if (it == Holders().end()) return nullptr;
  if ((*it)->Control() == Control) return *it;
  // The search ends on the first holder of a later control; anything else is a list out of order.
  if (std::less<const fw::TControl*>()((*it)->Control(), Control))
    throw EUniInternalError("UNI Internal Error: FindWideCaptionHolderIndex failed.");
  return nullptr;
}

TWideCaptionHolder* WideCaptionHolderOf(fw::TControl* Control) {
  if (TWideCaptionHolder* holder = FindWideCaptionHolder(Control)) return holder;
  return new TWideCaptionHolder(Control);
}

std::size_t WideCaptionHolderCount() { return Holders().size(); }

}  // namespace cs
