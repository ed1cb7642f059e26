#pragma once
// Watches the chart objects a format dialog edits. When one of them is freed while the dialog
// is open (its graph deleted, the chart closed), the dialog ends as cancelled and must not
// touch that object again: it neither writes nor restores it.

#include <functional>
#include <vector>

#include "framework/Component.h"

namespace fw {
class TCustomForm;
}

namespace kvforms {

class TTargetWatch : public fw::TComponent {
 public:
  // Owned by Dialog, which it closes with mrCancel.
  explicit TTargetWatch(fw::TCustomForm* Dialog);
  ~TTargetWatch() override;

  // Nothing for a null Target.
  void Watch(fw::TComponent* Target);
  // A watched object was freed.
  bool Gone() const { return FGone; }
  // Told which object went, before the dialog is closed.
  std::function<void(fw::TComponent* Target)> OnGone;

 protected:
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  fw::TCustomForm* FDialog;
  std::vector<fw::TComponent*> FTargets;
  bool FGone = false;
};

}  // namespace kvforms
