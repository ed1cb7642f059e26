#include "export/forms/TargetWatch.h"

#include <algorithm>

#include "framework/Forms.h"

namespace kvforms {

TTargetWatch::TTargetWatch(fw::TCustomForm* Dialog) : fw::TComponent(Dialog), FDialog(Dialog) {}

TTargetWatch::~TTargetWatch() {
  for (fw::TComponent* target : FTargets) RemoveFreeNotification(target);
}

void TTargetWatch::Watch(fw::TComponent* Target) {
  if (!Target || std::find(FTargets.begin(), FTargets.end(), Target) != FTargets.end()) return;
  FTargets.push_back(Target);
  FreeNotification(Target);
}

void TTargetWatch::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation != fw::opRemove) return;
  const auto it = std::find(FTargets.begin(), FTargets.end(), AComponent);
  if (it == FTargets.end()) return;
  FTargets.erase(it);
  FGone = true;
  if (OnGone) OnGone(AComponent);
  FDialog->SetModalResult(fw::mrCancel);
}

}  // namespace kvforms
